// vantactl dump IN.osp: the whole project as JSON on stdout (docs/project-json.md).
#include <cstdio>
#include <string>

#include "Command.h"
#include "common/FileIO.h"
#include "project/ProjectJson.h"

namespace vantactl {
namespace {

int runDump(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(args, {}, {}, a) || a.positional.size() != 1) {
        std::fprintf(stderr, "usage: vantactl dump IN.osp\n");
        return kExitUsage;
    }
    const std::string& path = a.positional[0];
    auto data = vanta::readWholeFile(path);
    if (!data) {
        std::fprintf(stderr, "%s\n", data.message().c_str());
        return kExitFailure;
    }
    auto json = vanta::projectFileToJson(data.value());
    if (!json) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), json.message().c_str());
        return kExitFailure;
    }
    const std::string& text = json.value();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "vantactl dump: cannot write the JSON of %s to standard output\n",
                     path.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistrar registrar{
    {"dump", "dump IN.osp                        the whole project as JSON on stdout", runDump}};

}  // namespace
}  // namespace vantactl
