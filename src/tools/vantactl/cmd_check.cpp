// vantactl check IN.osp [--json] [--data DIR]: every problem of the project that the panel or the
// download would hit, as the editor's problem list shows them: one a line on stdout ("error:
// screen 3: Function key at (120, 48): jumps to screen 12, which does not exist. ..."), or with
// --json one JSON array. Exit 0 when there is no error (warnings alone do not fail), 1 otherwise.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "CompileSupport.h"
#include "checks/ProjectAnalysis.h"
#include "common/Json.h"

namespace vantactl {
namespace {

struct CheckOptions {
    std::string in;
    bool json = false;
    std::string dataDir;
};

int runCheck(const CheckOptions& options) {
    vanta::Project project;
    if (!loadProject(options.in, project))
        return kExitFailure;
    vanta::FontTables fonts;
    if (vanta::Status loaded = fonts.loadFrom(options.dataDir); !loaded) {
        std::fprintf(stderr, "%s\n", loaded.message().c_str());
        return kExitFailure;
    }
    const vanta::ProjectAnalysis analysis = vanta::analyseProject(project, fonts);
    if (options.json) {
        std::fputs(vanta::writeJson(vanta::problemsToJson(analysis.problems)).c_str(), stdout);
    } else {
        for (const vanta::Problem& problem : analysis.problems)
            std::printf("%s\n", vanta::problemLine(problem).c_str());
    }
    std::fprintf(stderr, "%s: %zu %s, %zu %s\n", options.in.c_str(), analysis.errors(),
                 analysis.errors() == 1 ? "error" : "errors", analysis.warnings(),
                 analysis.warnings() == 1 ? "warning" : "warnings");
    return analysis.errors() == 0 ? kExitOk : kExitFailure;
}

void defineCheck(CLI::App& vantactl) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = vantactl.add_subcommand(
        "check", "list the problems the panel or the download would hit (exit 1 on an error)");
    check->add_option("IN.osp", options->in, "the project file")->required();
    check->add_flag("--json", options->json, "write the problems as a JSON array");
    addDataOption(check, options->dataDir);
    setAction(check, [options] { return runCheck(*options); });
}

const CommandRegistrar registrar{defineCheck};

}  // namespace
}  // namespace vantactl
