#include "CompileSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>

#include "Command.h"
#include "checks/ProjectAnalysis.h"
#include "common/FileIO.h"

namespace vantactl {

vanta::Answer CompilePrompter::ask(const std::string& text, const std::string&, vanta::Buttons,
                                   vanta::Severity) {
    std::fprintf(stderr, "%s\n", text.c_str());
    if (mode_ == Mode::No) {
        std::fprintf(stderr, "answered Cancel (--no): going on\n");
        return vanta::Answer::Cancel;
    }
    if (mode_ == Mode::Yes) {
        std::fprintf(stderr, "answered OK (--yes): cancelling\n");
    } else {
        unanswered = true;
    }
    return vanta::Answer::Ok;
}

void addAnswerOptions(CLI::App* command, CompilePrompter::Mode& mode) {
    mode = CompilePrompter::Mode::Unanswered;
    auto answer = [&mode](CompilePrompter::Mode chosen) {
        return [&mode, chosen](std::int64_t) { mode = chosen; };
    };
    CLI::Option* yes = command->add_flag_function(
        "--yes", answer(CompilePrompter::Mode::Yes),
        "answer \"Register Limit error, cancel?\" with OK: the compilation is cancelled");
    CLI::Option* no = command->add_flag_function(
        "--no", answer(CompilePrompter::Mode::No),
        "answer it with Cancel: the compilation goes on with the corrected limits");
    yes->excludes(no);
}

bool loadProject(const std::string& path, vanta::Project& project) {
    vanta::ReadFailure failure{};
    auto file = vanta::Project::readFile(path, &failure);
    if (!file) {
        if (failure == vanta::ReadFailure::Refused) {
            std::fprintf(stderr, "%s\n", file.message().c_str());
        } else {
            std::fprintf(stderr, "Open file%s error!\n", path.c_str());
        }
        return false;
    }
    const auto& bytes = file.value();
    vanta::Status pre = vanta::Project::precheck(
        std::span<const uint8_t>(bytes.data(), std::min<size_t>(bytes.size(), 8)), path);
    if (!pre) {
        std::fprintf(stderr, "%s: %s (%s)\n", path.c_str(), pre.message().c_str(),
                     pre.caption().c_str());
        return false;
    }
    vanta::Status loaded = project.load(bytes);
    if (!loaded) {
        std::fprintf(stderr,
                     "Cannot open \"%s\": the file is damaged or was not written by this "
                     "program (%s).\n",
                     path.c_str(), loaded.message().c_str());
        return false;
    }
    return true;
}

void printProblems(vanta::Project& project, const std::string& dataDir) {
    vanta::FontTables fonts;
    if (!fonts.loadFrom(dataDir))
        return;
    for (const vanta::Problem& problem : vanta::analyseProject(project, fonts).problems)
        std::fprintf(stderr, "%s\n", vanta::problemLine(problem).c_str());
}

bool compileOrReport(const std::string& projectPath, vanta::Project& project,
                     const std::string& dataDir, CompilePrompter& prompter,
                     vanta::CompiledImage& out) {
    vanta::CompileOptions options;
    options.dataDir = dataDir;
    vanta::CompileResult result = vanta::compileProject(project, options, prompter);
    if (result.outcome == vanta::CompileResult::Outcome::Cancelled) {
        if (prompter.unanswered) {
            std::fprintf(stderr,
                         "%s: the compilation stops here; pass --yes to cancel or --no to go on "
                         "with the corrected limits.\n",
                         projectPath.c_str());
        } else {
            std::fprintf(stderr, "%s: compilation cancelled\n", projectPath.c_str());
        }
        return false;
    }
    if (!result.ok()) {
        std::fprintf(stderr, "%s: %s\n", projectPath.c_str(), result.error.message.c_str());
        return false;
    }
    out = std::move(result.compiled);
    return true;
}

}  // namespace vantactl
