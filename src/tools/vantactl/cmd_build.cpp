// vantactl build IN.json -o OUT.osp: a project file from its JSON form (docs/project-json.md).
#include <cstdio>
#include <string>
#include <string_view>

#include "Command.h"
#include "common/FileIO.h"
#include "project/ProjectJson.h"

namespace vantactl {
namespace {

int runBuild(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(args, {"-o"}, {}, a) || a.positional.size() != 1 || !a.has("-o") ||
        a.value("-o").empty()) {
        std::fprintf(stderr, "usage: vantactl build IN.json -o OUT.osp\n");
        return kExitUsage;
    }
    const std::string& path = a.positional[0];
    auto data = vanta::readWholeFile(path);
    if (!data) {
        std::fprintf(stderr, "%s\n", data.message().c_str());
        return kExitFailure;
    }
    const std::string_view json(reinterpret_cast<const char*>(data->data()), data->size());
    auto file = vanta::projectFileFromJson(json);
    if (!file) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), file.message().c_str());
        return kExitFailure;
    }
    vanta::Status written = vanta::writeFileAtomically(a.value("-o"), file.value());
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistrar registrar{
    {"build", "build IN.json -o OUT.osp           JSON back to a project file", runBuild}};

}  // namespace
}  // namespace vantactl
