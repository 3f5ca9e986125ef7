// vantactl build IN.json -o OUT.osp: a project file from its JSON form (docs/project-json.md).
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "Command.h"
#include "common/FileIO.h"
#include "project/ProjectJson.h"

namespace vantactl {
namespace {

struct BuildOptions {
    std::string in;
    std::string out;
};

int runBuild(const BuildOptions& options) {
    const std::string& path = options.in;
    // A regular file longer than the JSON form of the largest project is refused before it is
    // read, a pipe is read up to the same bound, a device not at all.
    auto data = vanta::readFileLimited(path, vanta::kProjectJsonMaxBytes, "JSON form of a project");
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
    vanta::Status written = vanta::writeFileAtomically(options.out, file.value());
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    return kExitOk;
}

void defineBuild(CLI::App& vantactl) {
    auto options = std::make_shared<BuildOptions>();
    CLI::App* build = vantactl.add_subcommand("build", "JSON back to a project file");
    build->add_option("IN.json", options->in, "the project's JSON form")->required();
    build->add_option("-o", options->out, "the project file to write")
        ->type_name("OUT.osp")
        ->required()
        ->check(notEmpty());
    setAction(build, [options] { return runBuild(*options); });
}

const CommandRegistrar registrar{defineBuild};

}  // namespace
}  // namespace vantactl
