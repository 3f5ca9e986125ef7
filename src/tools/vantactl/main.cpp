#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Command.h"

namespace vantactl {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}
std::string& executableDirectory() {
    static std::string dir;
    return dir;
}
}  // namespace

const std::vector<Command>& commands() {
    return registry();
}

CommandRegistrar::CommandRegistrar(Command command) {
    registry().push_back(std::move(command));
}

bool Arguments::has(const std::string& name) const {
    for (const auto& [key, value] : options) {
        if (key == name)
            return true;
    }
    return false;
}

std::string Arguments::value(const std::string& name, const std::string& fallback) const {
    for (const auto& [key, value] : options) {
        if (key == name)
            return value;
    }
    return fallback;
}

bool parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                    const std::vector<std::string>& flags, Arguments& out) {
    auto contains = [](const std::vector<std::string>& list, const std::string& s) {
        for (const auto& item : list) {
            if (item == s)
                return true;
        }
        return false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') {
            if (contains(valued, a)) {
                if (i + 1 >= args.size()) {
                    std::fprintf(stderr, "vantactl: option %s needs a value\n", a.c_str());
                    return false;
                }
                out.options.emplace_back(a, args[++i]);
            } else if (contains(flags, a)) {
                out.options.emplace_back(a, std::string());
            } else {
                std::fprintf(stderr, "vantactl: unknown option %s\n", a.c_str());
                return false;
            }
        } else {
            out.positional.push_back(a);
        }
    }
    return true;
}

std::string dataDirectory(const Arguments& args) {
    return args.value("--data", executableDirectory());
}

}  // namespace vantactl

namespace {
void printUsage(FILE* out) {
    std::fprintf(out, "usage: vantactl COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& c : vantactl::commands())
        std::fprintf(out, "  %s\n", c.usage.c_str());
}
}  // namespace

int main(int argc, char** argv) {
    std::error_code ec;
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    vantactl::executableDirectory() =
        ec ? std::filesystem::path(argv[0]).parent_path().string() : exe.parent_path().string();

    if (argc < 2) {
        printUsage(stderr);
        return vantactl::kExitUsage;
    }
    std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        printUsage(stdout);
        return vantactl::kExitOk;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& c : vantactl::commands()) {
        if (c.name == name)
            return c.run(args);
    }
    std::fprintf(stderr, "vantactl: unknown command '%s'\n", name.c_str());
    printUsage(stderr);
    return vantactl::kExitUsage;
}
