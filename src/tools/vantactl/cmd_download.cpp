// vantactl download IN.osp --port DEV [--force-driver] [--data DIR] [--yes|--no]: compiles the
// project, opens the port and sends the image (and the protocol driver when the panel needs it).
// Exit 0 only when the panel acknowledged the final mark.
#include <cstdio>

#include "Command.h"
#include "CompileSupport.h"
#include "LinkDownload.h"

namespace vantactl {
namespace {

constexpr const char* kUsage =
    "usage: vantactl download IN.osp --port DEV [--force-driver] [--data DIR] [--yes|--no]\n";

int runDownload(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(args, {"--port", "--data"}, {"--force-driver", "--yes", "--no"}, a) ||
        a.positional.size() != 1 || !a.has("--port") || (a.has("--yes") && a.has("--no"))) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string& in = a.positional[0];
    vanta::Project project;
    if (!loadProject(in, project))
        return kExitFailure;
    CompilePrompter prompter(answerMode(a));
    vanta::CompiledImage compiled;
    if (!compileOrReport(in, project, dataDirectory(a), prompter, compiled))
        return kExitFailure;

    vanta::LinkJob job;
    job.image = std::move(compiled.image);
    job.driver = std::move(compiled.driver.bytes);
    job.driverVersion = compiled.driver.version;
    job.protocol = project.protocol();
    job.forceDriver = a.has("--force-driver");
    LinkRunOptions options;
    options.port = a.value("--port");
    return runDownloadLink(job, options);
}

const CommandRegistrar registrar{
    {"download",
     "download IN.osp --port DEV [--force-driver] [--data DIR] [--yes|--no]  compile and send",
     runDownload}};

}  // namespace
}  // namespace vantactl
