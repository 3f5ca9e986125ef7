#pragma once
// vantactl's sub-commands. Each command lives in its own file and registers itself with a
// static CommandRegistrar, so adding a command touches no other file.

#include <functional>
#include <string>
#include <vector>

namespace vantactl {

// Exit statuses of the command-line contract.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Command {
    std::string name;
    std::string usage;  // one line, shown by `vantactl help`
    std::function<int(const std::vector<std::string>& args)> run;
};

const std::vector<Command>& commands();

struct CommandRegistrar {
    explicit CommandRegistrar(Command command);
};

// Small argument helpers shared by the commands.
struct Arguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // "--name" -> value ("" for flags)
    bool has(const std::string& name) const;
    std::string value(const std::string& name, const std::string& fallback = {}) const;
};
// Parses args; `valued` lists the options that take a value. Returns false (with a message on
// stderr) for an unknown option or a missing value.
bool parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                    const std::vector<std::string>& flags, Arguments& out);

// Folder of the data files: --data DIR, else the executable's folder.
std::string dataDirectory(const Arguments& args);

}  // namespace vantactl
