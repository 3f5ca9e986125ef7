// vantactl dump IN.osp: the whole project as JSON on stdout (docs/project-json.md).
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "project/Project.h"
#include "project/ProjectJson.h"

namespace vantactl {
namespace {

int runDump(const std::string& path) {
    auto data = vanta::Project::readFile(path);
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

void defineDump(CLI::App& vantactl) {
    auto path = std::make_shared<std::string>();
    CLI::App* dump = vantactl.add_subcommand("dump", "the whole project as JSON on stdout");
    dump->add_option("IN.osp", *path, "the project file")->required();
    setAction(dump, [path] { return runDump(*path); });
}

const CommandRegistrar registrar{defineDump};

}  // namespace
}  // namespace vantactl
