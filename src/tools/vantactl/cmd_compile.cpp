// vantactl compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]: compiles a project into the
// panel image the download would send. The problems of the project (as `vantactl check` lists
// them) are printed on stderr first; only the compiler's own refusals stop it.
//
// The one question of the compiler, "Register Limit error, cancel?", is answered by --yes (OK:
// the compilation is cancelled, exit 1) or --no (Cancel: it goes on with the corrected limits).
// Without either the question cannot be answered: the compilation stops with exit 1 and says to
// pass one of them. A project without corrected limits never asks.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "CompileSupport.h"
#include "common/FileIO.h"

namespace vantactl {
namespace {

struct CompileOptions {
    std::string in;
    std::string out;
    std::string dataDir;
    CompilePrompter::Mode answer = CompilePrompter::Mode::Unanswered;
};

int runCompile(const CompileOptions& options) {
    const std::string& in = options.in;
    const std::string& out = options.out;

    vanta::Project project;
    if (!loadProject(in, project))
        return kExitFailure;
    printProblems(project, options.dataDir);
    CompilePrompter prompter(options.answer);
    vanta::CompiledImage compiled;
    if (!compileOrReport(in, project, options.dataDir, prompter, compiled))
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

void defineCompile(CLI::App& vantactl) {
    auto options = std::make_shared<CompileOptions>();
    CLI::App* compile = vantactl.add_subcommand("compile", "compile the panel image");
    compile->add_option("IN.osp", options->in, "the project file")->required();
    compile->add_option("-o", options->out, "the image file to write")
        ->type_name("IMAGE.bin")
        ->required();
    addDataOption(compile, options->dataDir);
    addAnswerOptions(compile, options->answer);
    setAction(compile, [options] { return runCompile(*options); });
}

const CommandRegistrar registrar{defineCompile};

}  // namespace
}  // namespace vantactl
