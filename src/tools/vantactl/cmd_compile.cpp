// vantactl compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]: compiles a project into the
// panel image the download would send.
//
// The one question of the compiler, "Register Limit error, cancel?", is answered by --yes (OK:
// the compilation is cancelled, exit 1) or --no (Cancel: it goes on with the corrected limits).
// Without either the question cannot be answered: the compilation stops with exit 1 and says to
// pass one of them. A project without corrected limits never asks.
#include <algorithm>
#include <cstdio>
#include <span>

#include "Command.h"
#include "common/FileIO.h"
#include "download/ImageCompiler.h"
#include "project/Project.h"

namespace vantactl {
namespace {

class CompilePrompter : public vanta::Prompter {
  public:
    enum class Mode { Unanswered, Yes, No };
    explicit CompilePrompter(Mode mode) : mode_(mode) {}

    vanta::Answer ask(const std::string& text, const std::string&, vanta::Buttons,
                      vanta::Severity) override {
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
    bool unanswered = false;

  private:
    Mode mode_;
};

constexpr const char* kUsage =
    "usage: vantactl compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]\n";

// Reads and checks a project file as the open command does; the message names the file.
bool loadProject(const std::string& path, vanta::Project& project) {
    auto file = vanta::readWholeFile(path);
    if (!file) {
        std::fprintf(stderr, "Open file%s error!\n", path.c_str());
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

int runCompile(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(args, {"-o", "--data"}, {"--yes", "--no"}, a) || a.positional.size() != 1 ||
        !a.has("-o") || (a.has("--yes") && a.has("--no"))) {
        std::fprintf(stderr, "%s", kUsage);
        return kExitUsage;
    }
    const std::string& in = a.positional[0];
    const std::string out = a.value("-o");

    vanta::Project project;
    if (!loadProject(in, project))
        return kExitFailure;

    CompilePrompter prompter(a.has("--yes")  ? CompilePrompter::Mode::Yes
                             : a.has("--no") ? CompilePrompter::Mode::No
                                             : CompilePrompter::Mode::Unanswered);
    vanta::CompileOptions options;
    options.dataDir = dataDirectory(a);
    vanta::CompileResult result = vanta::compileProject(project, options, prompter);
    if (result.outcome == vanta::CompileResult::Outcome::Cancelled) {
        if (prompter.unanswered) {
            std::fprintf(stderr,
                         "%s: the compilation stops here; pass --yes to cancel or --no to go on "
                         "with the corrected limits.\n",
                         in.c_str());
        } else {
            std::fprintf(stderr, "%s: compilation cancelled\n", in.c_str());
        }
        return kExitFailure;
    }
    if (!result.ok()) {
        std::fprintf(stderr, "%s: %s\n", in.c_str(), result.error.message.c_str());
        return kExitFailure;
    }
    const vanta::Bytes& image = result.compiled.image;
    vanta::Status written = vanta::writeFileAtomically(out, image);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    std::fprintf(stderr, "%s: %zu bytes, %zu screens\n", out.c_str(), image.size(),
                 project.screens.size());
    return kExitOk;
}

const CommandRegistrar registrar{
    {"compile", "compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]  compile the panel image",
     runCompile}};

}  // namespace
}  // namespace vantactl
