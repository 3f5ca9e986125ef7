// vantactl new --protocol N -o OUT.osp: a new project for protocol N with screen 1, as the
// new-project command makes it after the PLC selection.
#include <cstdio>
#include <string>

#include "Command.h"
#include "common/FileIO.h"
#include "project/CommSettings.h"
#include "project/Project.h"

namespace vantactl {
namespace {

constexpr int kFirstProtocol = 1;
constexpr int kLastProtocol = 40;

int usage() {
    std::fprintf(stderr, "usage: vantactl new --protocol N -o OUT.osp   (N = %d..%d)\n",
                 kFirstProtocol, kLastProtocol);
    return kExitUsage;
}

// The protocol number, or 0 when the text is not a whole number within 1..40.
int parseProtocol(const std::string& text) {
    if (text.empty() || text.size() > 2)
        return 0;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value >= kFirstProtocol && value <= kLastProtocol ? value : 0;
}

int runNew(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(args, {"--protocol", "-o"}, {}, a) || !a.positional.empty() ||
        !a.has("--protocol") || !a.has("-o") || a.value("-o").empty())
        return usage();
    const int protocol = parseProtocol(a.value("--protocol"));
    if (protocol == 0) {
        std::fprintf(stderr,
                     "vantactl new: the protocol must be a number from %d to %d, not \"%s\"\n",
                     kFirstProtocol, kLastProtocol, a.value("--protocol").c_str());
        return kExitUsage;
    }
    const auto number = static_cast<uint8_t>(protocol);
    vanta::Project project(nullptr, number);
    project.resetToNew(number);
    // The serial parameters the PLC selection sets when the protocol is chosen.
    vanta::applyProtocolDefaults(project.comm, number);

    const std::string out = a.value("-o");
    vanta::Status written = vanta::writeFileAtomically(out, project.save());
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistrar registrar{
    {"new", "new --protocol N -o OUT.osp        new project for protocol N (1..40), screen 1",
     runNew}};

}  // namespace
}  // namespace vantactl
