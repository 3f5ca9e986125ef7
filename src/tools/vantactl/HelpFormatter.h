#pragma once
// How vantactl and its commands describe themselves. A command's usage line is made from its
// arguments and options as defined, so it cannot drift from what the parser accepts.

#include <CLI/CLI.hpp>
#include <string>

namespace vantactl {

// The arguments of `command` in one line: positionals first, then the options in the order they
// were added; optional ones in brackets, options that exclude each other joined with '|'.
// For example "IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]".
std::string synopsis(const CLI::App& command);

// "usage: PATH SYNOPSIS", wrapped under the synopsis' first column where it runs long; `path` is
// the program and command, "vantactl compile".
std::string usageLine(const std::string& path, const CLI::App& command);

// The help of vantactl (its commands, one usage line and one description each) and of each
// command (its usage line, description, and one line per argument and option).
class HelpFormatter : public CLI::Formatter {
  public:
    std::string make_help(const CLI::App* app, std::string path,
                          CLI::AppFormatMode mode) const override;
};

}  // namespace vantactl
