// vantactl: the command-line tool over Vanta's core. The commands define themselves (Command.h);
// this file builds the command line from them, parses it and maps the outcome to the exit status.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "Command.h"
#include "HelpFormatter.h"
#include "qtsupport/AppInfo.h"

namespace vantactl {
namespace {

// A command or one of vantactl's own options (--help, --version).
bool isKnown(const CLI::App& vantactl, const std::string& name) {
    return vantactl.get_option_no_throw(name) != nullptr ||
           !vantactl.get_subcommands([&name](const CLI::App* c) { return c->get_name() == name; })
                .empty();
}

// A usage error: the parser's message and the usage line of the command it concerns, or the
// whole help when no command was given.
int reportUsageError(CLI::App& vantactl, const CLI::ParseError& error, int argc) {
    const std::vector<CLI::App*> given = vantactl.get_subcommands();
    if (argc < 2 || given.empty()) {
        if (argc >= 2)
            std::fprintf(stderr, "vantactl: %s\n", error.what());
        std::fputs(vantactl.help().c_str(), stderr);
        return kExitUsage;
    }
    const CLI::App& command = *given.front();
    const std::string path = vantactl.get_name() + " " + command.get_name();
    std::fprintf(stderr, "%s: %s\n%s(%s --help describes the arguments)\n", path.c_str(),
                 error.what(), usageLine(path, command).c_str(), path.c_str());
    return kExitUsage;
}

}  // namespace
}  // namespace vantactl

int main(int argc, char** argv) {
    using namespace vantactl;
    std::error_code ec;
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    setExecutableDirectory(ec ? std::filesystem::path(argv[0]).parent_path().string()
                              : exe.parent_path().string());

    CLI::App vantactl(
        "Vanta's command-line tool: project files, panel images and downloads to the "
        "Orbis panel.",
        "vantactl");
    vantactl.formatter(std::make_shared<HelpFormatter>());
    vantactl.set_help_flag("-h,--help", "show this help and exit");
    vantactl.set_version_flag("--version", std::string("vantactl ") + vanta::app::kVersion,
                              "show the version and exit");
    vantactl.require_subcommand(1);
    // A repeated option keeps its first value.
    vantactl.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeFirst);
    defineCommands(vantactl);

    if (argc >= 2 && !isKnown(vantactl, argv[1])) {
        std::fprintf(stderr, "vantactl: unknown %s '%s'\n",
                     argv[1][0] == '-' ? "option" : "command", argv[1]);
        std::fputs(vantactl.help().c_str(), stderr);
        return kExitUsage;
    }
    try {
        vantactl.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return vantactl.exit(e);  // --help or --version, on stdout
        return reportUsageError(vantactl, e, argc);
    } catch (const std::bad_alloc&) {
        // Readers refuse input beyond the largest file of its kind; what still does not fit in
        // memory ends with a message, never with an uncaught exception.
        std::fprintf(stderr, "vantactl: not enough memory\n");
        return kExitFailure;
    }
    return actionStatus();
}
