// vantactl compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]: compiles a project into the
// panel image the download would send.
//
// The one question of the compiler, "Register Limit error, cancel?", is answered by --yes (OK:
// the compilation is cancelled, exit 1) or --no (Cancel: it goes on with the corrected limits).
// Without either the question cannot be answered: the compilation stops with exit 1 and says to
// pass one of them. A project without corrected limits never asks.
#include <cstdio>

#include "Command.h"
#include "CompileSupport.h"
#include "common/FileIO.h"

namespace vantactl {
namespace {

int runCompile(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(args, {"-o", "--data"}, {"--yes", "--no"}, a) || a.positional.size() != 1 ||
        !a.has("-o") || (a.has("--yes") && a.has("--no"))) {
        std::fprintf(stderr,
                     "usage: vantactl compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]\n");
        return kExitUsage;
    }
    const std::string& in = a.positional[0];
    const std::string out = a.value("-o");

    vanta::Project project;
    if (!loadProject(in, project))
        return kExitFailure;
    CompilePrompter prompter(answerMode(a));
    vanta::CompiledImage compiled;
    if (!compileOrReport(in, project, dataDirectory(a), prompter, compiled))
        return kExitFailure;
    vanta::Status written = vanta::writeFileAtomically(out, compiled.image);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    std::fprintf(stderr, "%s: %zu bytes, %zu screens\n", out.c_str(), compiled.image.size(),
                 project.screens.size());
    return kExitOk;
}

const CommandRegistrar registrar{
    {"compile", "compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]  compile the panel image",
     runCompile}};

}  // namespace
}  // namespace vantactl
