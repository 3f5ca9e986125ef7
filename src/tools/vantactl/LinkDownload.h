#pragma once
// Runs the download link from the command line: opens the port, drives the link engine with a
// Qt event loop until the download ends, shows progress on stderr (a bar on a terminal, a line
// per tenth otherwise) and prints the closing message. Shared by the commands that send to a
// panel.

#include <string>

#include "link/LinkEngine.h"

namespace vantactl {

struct LinkRunOptions {
    std::string port;                 // "COMn", a device name under /dev, or a device path
    int tickMs = vanta::kLinkTickMs;  // the link's timer period
    int giveUpAfterSeconds = 0;  // give up on a silent panel after this long; 0: on Ctrl-C only
};

// Sends `job`. Returns kExitOk only when the panel acknowledged the final mark; the failure
// message goes to stderr, the success message to stdout. Ctrl-C cancels (or, while the panel has
// not answered the handshake, gives up).
int runDownloadLink(const vanta::LinkJob& job, const LinkRunOptions& options);

}  // namespace vantactl
