// vantactl help [COMMAND]: vantactl's help, or the arguments and options of one command (as
// `vantactl COMMAND --help` shows them), on stdout.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"

namespace vantactl {
namespace {

int runHelp(const CLI::App& vantactl, const std::string& name) {
    if (name.empty()) {
        const std::string text =
            vantactl.get_formatter()->make_help(&vantactl, vantactl.get_name(), {});
        std::fputs(text.c_str(), stdout);
        return kExitOk;
    }
    for (const CLI::App* command : vantactl.get_subcommands({})) {
        if (command->get_name() == name) {
            std::fputs(command->help(vantactl.get_name()).c_str(), stdout);
            return kExitOk;
        }
    }
    std::fprintf(stderr, "vantactl help: unknown command '%s'\n", name.c_str());
    return kExitUsage;
}

void defineHelp(CLI::App& vantactl) {
    auto name = std::make_shared<std::string>();
    CLI::App* help = vantactl.add_subcommand(
        "help", "the arguments and options of one command (also: vantactl COMMAND --help)");
    help->add_option("COMMAND", *name, "the command to describe");
    setAction(help, [&vantactl, name] { return runHelp(vantactl, *name); });
}

const CommandRegistrar registrar{defineHelp};

}  // namespace
}  // namespace vantactl
