// vantactl import OLD.grx -o OUT.osp: converts an old project into a project file.
#include <cstdio>

#include "Command.h"
#include "common/FileIO.h"
#include "project/OldProjectImport.h"

namespace vantactl {
namespace {

int runImport(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(args, {"-o"}, {}, a) || a.positional.size() != 1 || !a.has("-o")) {
        std::fprintf(stderr, "usage: vantactl import OLD.grx -o OUT.osp\n");
        return kExitUsage;
    }
    const std::string& oldPath = a.positional[0];
    auto data = vanta::readWholeFile(oldPath);
    if (!data) {
        std::fprintf(stderr, "%s: Open the file error!\n", oldPath.c_str());
        return kExitFailure;
    }
    auto converted = vanta::convertOldProject(data.value());
    if (!converted) {
        std::fprintf(stderr, "%s: %s\n", oldPath.c_str(), converted.message().c_str());
        return kExitFailure;
    }
    const std::string out = a.value("-o");
    vanta::Status written = vanta::writeFileAtomically(out, converted->project);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    std::fprintf(stderr, "conversion accomplished! %d screens, %d components, protocol %d\n",
                 converted->screens, converted->components, converted->protocol);
    return kExitOk;
}

const CommandRegistrar registrar{
    {"import", "import OLD.grx -o OUT.osp          convert an old project", runImport}};

}  // namespace
}  // namespace vantactl
