// vantactl download IN.osp --port DEV [--force-driver] [--data DIR] [--yes|--no] [--give-up S]:
// compiles the project, opens the port and sends the image (and the protocol driver when the
// panel needs it). The problems of the project are printed on stderr first, as `compile` does.
// Exit 0 only when the panel acknowledged the final mark; a panel that never answers ends the
// download (by default 30 s after "No Response!!!"), so the command always ends.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "CompileSupport.h"
#include "LinkDownload.h"

namespace vantactl {
namespace {

constexpr int kDefaultGiveUpSeconds = 30;

struct DownloadOptions {
    std::string in;
    std::string port;
    bool forceDriver = false;
    std::string dataDir;
    CompilePrompter::Mode answer = CompilePrompter::Mode::Unanswered;
    int giveUpSeconds = kDefaultGiveUpSeconds;
};

int runDownload(const DownloadOptions& options) {
    const std::string& in = options.in;
    vanta::Project project;
    if (!loadProject(in, project))
        return kExitFailure;
    printProblems(project, options.dataDir);
    CompilePrompter prompter(options.answer);
    vanta::CompiledImage compiled;
    if (!compileOrReport(in, project, options.dataDir, prompter, compiled))
        return kExitFailure;

    vanta::LinkJob job;
    job.image = std::move(compiled.image);
    job.driver = std::move(compiled.driver.bytes);
    job.driverVersion = compiled.driver.version;
    job.protocol = project.protocol();
    job.forceDriver = options.forceDriver;
    LinkRunOptions link;
    link.port = options.port;
    link.giveUpAfterSeconds = options.giveUpSeconds;
    return runDownloadLink(job, link);
}

void defineDownload(CLI::App& vantactl) {
    auto options = std::make_shared<DownloadOptions>();
    CLI::App* download =
        vantactl.add_subcommand("download", "compile a project and send it to the panel");
    download->add_option("IN.osp", options->in, "the project file")->required();
    download
        ->add_option("--port", options->port, "the serial port (COMn, a name under /dev, a path)")
        ->type_name("DEV")
        ->required();
    download->add_flag("--force-driver", options->forceDriver,
                       "send the protocol driver even when the panel has the same one");
    addDataOption(download, options->dataDir);
    addAnswerOptions(download, options->answer);
    download
        ->add_option("--give-up", options->giveUpSeconds,
                     "give up this many seconds after \"No Response!!!\" (default " +
                         std::to_string(kDefaultGiveUpSeconds) + ")")
        ->type_name("S")
        ->transform(decimalIn(1, 86400));
    setAction(download, [options] { return runDownload(*options); });
}

const CommandRegistrar registrar{defineDownload};

}  // namespace
}  // namespace vantactl
