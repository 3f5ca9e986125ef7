#pragma once
// vantactl's sub-commands. Each command lives in its own file, which defines one function that adds
// the command to the command line (its arguments, its options and what it runs) and registers that
// function with a static CommandRegistrar. A command with a value option and a flag:
//
//     struct RenderOptions {
//         std::string in, out;
//         bool verbose = false;
//     };
//     int runRender(const RenderOptions& options) { ...; return kExitOk; }
//
//     void defineRender(CLI::App& vantactl) {
//         auto options = std::make_shared<RenderOptions>();
//         CLI::App* render = vantactl.add_subcommand("render", "one PNG per screen");
//         render->add_option("IMAGE.bin", options->in, "the panel image")->required();
//         render->add_option("-o", options->out, "the folder")->type_name("DIR")->required();
//         render->add_flag("--verbose", options->verbose, "say more");
//         setAction(render, [options] { return runRender(*options); });
//     }
//     const CommandRegistrar registrar{defineRender};
//
// Adding a command, or an option to one, touches that command's file only. Its help (`vantactl
// help COMMAND`, `vantactl COMMAND --help`) and the usage line printed with a usage error are made
// from the arguments and options as defined: positionals first, then the options in the order they
// are added, optional ones in brackets, options that exclude each other (->excludes) joined with
// '|'. Give each option that takes a value a type_name ("DIR", "N") for that line. A missing
// required argument, an unknown option or a failed check (->check, ->transform) is a usage error:
// exit 2, the command does not run.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

namespace vantactl {

// Exit statuses of the command-line contract.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Adds one command to vantactl's command line.
using CommandDefinition = void (*)(CLI::App& vantactl);

struct CommandRegistrar {
    explicit CommandRegistrar(CommandDefinition define);
};

// What `command` does once its arguments are parsed and checked; the returned exit status is
// vantactl's.
void setAction(CLI::App* command, std::function<int()> action);

// --data DIR, the folder of the data files; `dir` starts as the executable's folder.
CLI::Option* addDataOption(CLI::App* command, std::string& dir);

// A check for options whose value must not be empty (an output path).
const CLI::Validator& notEmpty();

// Accepts a whole decimal number within low..high, for ->transform() of an integer option (the
// parser's own conversion would also take hexadecimal and octal forms).
CLI::Validator decimalIn(long low, long high);

// For main: the folder of the executable (the default of --data), before the commands are
// defined; every registered command, in registration order; the status the action returned.
void setExecutableDirectory(std::string dir);
void defineCommands(CLI::App& vantactl);
int actionStatus();

}  // namespace vantactl
