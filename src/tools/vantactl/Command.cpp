#include "Command.h"

#include <charconv>
#include <vector>

namespace vantactl {
namespace {

std::vector<CommandDefinition>& definitions() {
    static std::vector<CommandDefinition> all;
    return all;
}
std::string& executableDirectory() {
    static std::string dir;
    return dir;
}
int& status() {
    static int value = kExitOk;
    return value;
}

}  // namespace

CommandRegistrar::CommandRegistrar(CommandDefinition define) {
    definitions().push_back(define);
}

void setExecutableDirectory(std::string dir) {
    executableDirectory() = std::move(dir);
}

void defineCommands(CLI::App& vantactl) {
    for (CommandDefinition define : definitions())
        define(vantactl);
}

int actionStatus() {
    return status();
}

void setAction(CLI::App* command, std::function<int()> action) {
    command->callback([action = std::move(action)] { status() = action(); });
}

CLI::Option* addDataOption(CLI::App* command, std::string& dir) {
    dir = executableDirectory();
    return command
        ->add_option("--data", dir, "folder of the data files (default: the folder of vantactl)")
        ->type_name("DIR");
}

const CLI::Validator& notEmpty() {
    static const CLI::Validator check(
        [](const std::string& value) { return value.empty() ? "must not be empty" : ""; }, "");
    return check;
}

CLI::Validator decimalIn(long low, long high) {
    return CLI::Validator(
        [low, high](std::string& text) -> std::string {
            long value = 0;
            const char* end = text.data() + text.size();
            const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
            if (text.empty() || error != std::errc() || stop != end || value < low ||
                value > high) {
                return "takes a number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not \"" + text + "\"";
            }
            text = std::to_string(value);  // "010" is ten, not the parser's octal eight
            return {};
        },
        "");
}

}  // namespace vantactl
