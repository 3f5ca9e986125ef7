#pragma once
// What the commands that compile a project share: reading the project as the open command does,
// and answering the compiler's one question from the command line.

#include <CLI/CLI.hpp>
#include <string>

#include "common/Prompter.h"
#include "image/ImageCompiler.h"
#include "project/Project.h"

namespace vantactl {

// Answers "Register Limit error, cancel?" with --yes (OK: cancel) or --no (Cancel: go on).
// Without either the question stays unanswered and the compilation stops.
class CompilePrompter : public vanta::Prompter {
  public:
    enum class Mode { Unanswered, Yes, No };
    explicit CompilePrompter(Mode mode) : mode_(mode) {}
    vanta::Answer ask(const std::string& text, const std::string& caption, vanta::Buttons buttons,
                      vanta::Severity severity) override;
    bool unanswered = false;

  private:
    Mode mode_;
};

// --yes and --no, which exclude each other; `mode` stays Unanswered without either.
void addAnswerOptions(CLI::App* command, CompilePrompter::Mode& mode);

// Reads and checks a project file as the open command does; messages name the file.
bool loadProject(const std::string& path, vanta::Project& project);

// Prints every problem of the project on stderr, one a line ("warning: screen 3: ..."), before
// it is compiled; nothing when the glyph tables of `dataDir` cannot be read (the compilation
// then says so).
void printProblems(vanta::Project& project, const std::string& dataDir);

// Compiles; prints the failure (or the cancel) naming the project. True on success.
bool compileOrReport(const std::string& projectPath, vanta::Project& project,
                     const std::string& dataDir, CompilePrompter& prompter,
                     vanta::CompiledImage& out);

}  // namespace vantactl
