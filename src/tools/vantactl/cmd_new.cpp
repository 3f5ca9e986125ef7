// vantactl new --protocol N -o OUT.osp: a new project for protocol N with screen 1, as the
// new-project command makes it after the PLC selection.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "common/FileIO.h"
#include "project/CommSettings.h"
#include "project/Project.h"
#include "protocols/ProtocolProfile.h"

namespace vantactl {
namespace {

constexpr int kFirstProtocol = 1;
constexpr int kLastProtocol = vanta::kProtocolCount;

struct NewOptions {
    int protocol = 0;
    std::string out;
};

int runNew(const NewOptions& options) {
    const auto number = static_cast<uint8_t>(options.protocol);
    vanta::Project project(nullptr, number);
    project.resetToNew(number);
    // The serial parameters the PLC selection sets when the protocol is chosen.
    vanta::applyProtocolDefaults(project.comm, number);

    vanta::Status written = vanta::writeFileAtomically(options.out, project.save());
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    return kExitOk;
}

void defineNew(CLI::App& vantactl) {
    auto options = std::make_shared<NewOptions>();
    CLI::App* command = vantactl.add_subcommand(
        "new", "new project for protocol N (" + std::to_string(kFirstProtocol) + ".." +
                   std::to_string(kLastProtocol) + "), screen 1");
    command->add_option("--protocol", options->protocol, "the PLC protocol's number")
        ->type_name("N")
        ->required()
        ->transform(decimalIn(kFirstProtocol, kLastProtocol));
    command->add_option("-o", options->out, "the project file to write")
        ->type_name("OUT.osp")
        ->required()
        ->check(notEmpty());
    setAction(command, [options] { return runNew(*options); });
}

const CommandRegistrar registrar{defineNew};

}  // namespace
}  // namespace vantactl
