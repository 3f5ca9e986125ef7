// Opens arbitrary bytes as a project file and, when they open, compiles the project into a panel
// image and reads that image back with the decoder. Nothing may crash, leak or read out of
// bounds; a compilation either fails with a message or gives an image of at most 32 KB in which
// the decoder finds nothing wrong (every address, glyph code, count and order as the panel
// needs it).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "image/ImageCompiler.h"
#include "image/ImageDecoder.h"
#include "project/Project.h"

namespace {

// Goes on with corrected limits, so the whole compilation runs.
class GoOn : public vanta::Prompter {
  public:
    vanta::Answer ask(const std::string&, const std::string&, vanta::Buttons,
                      vanta::Severity) override {
        return vanta::Answer::Cancel;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vanta::Project project;
    if (!project.load(std::span<const uint8_t>(data, size)).ok())
        return 0;
    vanta::CompileOptions options;
    options.dataDir = VANTA_DATA_DIR;
    GoOn prompter;
    const vanta::CompileResult result = vanta::compileProject(project, options, prompter);
    if (!result.ok()) {
        if (result.error.message.empty())
            std::abort();
        return 0;
    }
    const vanta::Bytes& image = result.compiled.image;
    if (image.size() > vanta::kMaxImageBytes)
        std::abort();
    const vanta::DecodedImage decoded = vanta::decodeImage(image);
    if (!decoded.ok()) {
        for (const std::string& line : vanta::describeProblems(decoded))
            std::fprintf(stderr, "decoder: %s\n", line.c_str());
        std::abort();
    }
    return 0;
}
