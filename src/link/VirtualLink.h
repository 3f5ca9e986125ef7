#pragma once
// One whole download of the link engine against the panel simulator on a virtual clock: no
// thread, no sleep, the clock jumps to the next tick or to the next byte the panel handles or
// sends. With a paced panel every reply byte arrives on its own, as on a real line. Used by the
// tests and by the measurement of the link's residual risk.

#include <cstdint>
#include <functional>
#include <vector>

#include "link/LinkEngine.h"
#include "link/PanelSimulator.h"

namespace vanta {

struct VirtualLinkOptions {
    int64_t tickNs = kLinkTickMs * kNsPerMs;
    int64_t limitNs = 600 * 1000 * kNsPerMs;  // a download still running then is left unfinished
};

struct VirtualLinkResult {
    bool finished = false;
    LinkOutcome outcome;
    LinkStats link;
    PanelStats panel;
    std::vector<uint8_t> image;   // what the panel holds at the end
    std::vector<uint8_t> driver;  // likewise
    bool valid = false;           // the panel's image carries the valid mark
    int noAnswer = 0;             // "No Response!!!" notices
    int64_t elapsedNs = 0;        // from the first frame to the outcome
};

// `random` draws the challenge bytes (see LinkEngine).
VirtualLinkResult runVirtualLink(const LinkJob& job, const PanelOptions& panel,
                                 std::function<uint8_t()> random,
                                 const VirtualLinkOptions& options = {});

}  // namespace vanta
