// Compiling a project into the panel image and decoding the image back, for a project whose
// image comes close to the panel's 32 KB (the argument is its number of screens; the smaller
// set has a tenth of them). The counters give the image size and the component count. The
// editor's analysis after an edit (preview compilation, checks, the current screen drawn from the
// image) is measured for the demo (argument 0) and for the project near 32 KB.
#include <benchmark/benchmark.h>

#include "BenchProjects.h"

#include <memory>
#include <string>

#include "checks/ProjectAnalysis.h"
#include "common/FileIO.h"
#include "common/FontTables.h"
#include "image/ImageCompiler.h"
#include "image/ImageDecoder.h"
#include "image/ImageRenderer.h"
#include "project/Project.h"

namespace {

using namespace vanta;
using namespace vanta::bench;

class GoOn : public Prompter {
  public:
    Answer ask(const std::string&, const std::string&, Buttons, Severity) override {
        return Answer::Cancel;
    }
};

CompileOptions options() {
    CompileOptions o;
    o.dataDir = VANTA_DATA_DIR;
    return o;
}

void setCounters(benchmark::State& state, size_t imageBytes, int screens) {
    state.counters["image_bytes"] = static_cast<double>(imageBytes);
    state.counters["components"] = static_cast<double>(screens * 10);
}

void BM_CompileImage(benchmark::State& state) {
    const int screens = static_cast<int>(state.range(0));
    auto project = makeProject(screens);
    GoOn prompter;
    size_t bytes = 0;
    for (auto _ : state) {
        CompileResult result = compileProject(*project, options(), prompter);
        if (!result.ok()) {
            state.SkipWithError(result.error.message.c_str());
            return;
        }
        bytes = result.compiled.image.size();
        benchmark::DoNotOptimize(result);
    }
    setCounters(state, bytes, screens);
}
BENCHMARK(BM_CompileImage)
    ->Arg(kFullScreens / 10)
    ->Arg(kFullScreens)
    ->Unit(benchmark::kMillisecond);

void BM_DecodeImage(benchmark::State& state) {
    const int screens = static_cast<int>(state.range(0));
    auto project = makeProject(screens);
    GoOn prompter;
    const CompileResult result = compileProject(*project, options(), prompter);
    if (!result.ok()) {
        state.SkipWithError(result.error.message.c_str());
        return;
    }
    const Bytes& image = result.compiled.image;
    for (auto _ : state) {
        DecodedImage decoded = decodeImage(image);
        if (!decoded.ok()) {
            state.SkipWithError("the image has problems");
            return;
        }
        benchmark::DoNotOptimize(decoded);
    }
    setCounters(state, image.size(), screens);
}
BENCHMARK(BM_DecodeImage)->Arg(kFullScreens / 10)->Arg(kFullScreens)->Unit(benchmark::kMillisecond);

void BM_DecodeAndRenderImage(benchmark::State& state) {
    const int screens = static_cast<int>(state.range(0));
    auto project = makeProject(screens);
    GoOn prompter;
    const CompileResult result = compileProject(*project, options(), prompter);
    if (!result.ok()) {
        state.SkipWithError(result.error.message.c_str());
        return;
    }
    const Bytes& image = result.compiled.image;
    for (auto _ : state) {
        const DecodedImage decoded = decodeImage(image);
        for (const DecodedScreen& screen : decoded.screens) {
            MonoBitmap shown = renderScreen(image, screen);
            benchmark::DoNotOptimize(shown);
        }
    }
    setCounters(state, image.size(), screens);
}
BENCHMARK(BM_DecodeAndRenderImage)
    ->Arg(kFullScreens / 10)
    ->Arg(kFullScreens)
    ->Unit(benchmark::kMillisecond);

// An image of n screens without components whose numbers repeat (`distinct` numbers in turn),
// as a damaged or hand-made image may hold them: decoding it and rendering one picture per
// distinct number (what `vantactl render` does) grows with n, not with its square, also when
// every screen has the same number.
Bytes repeatedScreenImage(int screens, int distinct) {
    const uint32_t table = 0x8030;
    const uint32_t pointers = table + 9 * static_cast<uint32_t>(screens);
    Bytes image(48, 0);
    image[0] = image[1] = 0xFF;
    auto be16 = [&](size_t at, uint32_t v) {
        image[at] = static_cast<uint8_t>(v >> 8);
        image[at + 1] = static_cast<uint8_t>(v);
    };
    be16(2, table);
    be16(4, pointers);
    be16(6, 0x8030);
    be16(8, 0x8030);
    be16(16, static_cast<uint32_t>(screens));
    for (int i = 0; i < screens; ++i) {
        const size_t e = image.size();
        image.resize(e + 9, 0);
        be16(e, static_cast<uint32_t>(1 + i % distinct));
        be16(e + 7, pointers);
    }
    return image;
}

void BM_RenderRepeatedScreens(benchmark::State& state) {
    const int screens = static_cast<int>(state.range(0));
    const int distinct = state.range(1) == 0 ? screens / 2 : static_cast<int>(state.range(1));
    const Bytes image = repeatedScreenImage(screens, distinct);
    size_t pictures = 0;
    for (auto _ : state) {
        const DecodedImage decoded = decodeImage(image);
        pictures = 0;
        for (const DecodedScreen* screen : screensToRender(decoded)) {
            MonoBitmap shown = renderScreen(image, *screen);
            benchmark::DoNotOptimize(shown);
            ++pictures;
        }
    }
    state.counters["pictures"] = static_cast<double>(pictures);
    state.SetComplexityN(screens);
}
// Second argument: 0 for every number twice, 1 for one number on every screen.
BENCHMARK(BM_RenderRepeatedScreens)
    ->Args({300, 0})
    ->Args({3000, 0})
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
BENCHMARK(BM_RenderRepeatedScreens)
    ->Args({300, 1})
    ->Args({3000, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

const FontTables& benchFonts() {
    static const FontTables fonts = [] {
        FontTables f;
        [[maybe_unused]] const bool loaded = f.loadFrom(VANTA_DATA_DIR).ok();
        return f;
    }();
    return fonts;
}

// What the editor does after an edit: the analysis, then the current screen's preview.
void BM_AnalyseAndPreview(benchmark::State& state) {
    const int screens = static_cast<int>(state.range(0));
    std::unique_ptr<Project> project = screens == 0 ? loadDemo() : makeProject(screens);
    if (!project) {
        state.SkipWithError("the demo does not load");
        return;
    }
    ProjectAnalysis analysis;
    for (auto _ : state) {
        analysis = analyseProject(*project, benchFonts());
        MonoBitmap shown = previewScreen(analysis, project->screens.current()->m_number);
        benchmark::DoNotOptimize(shown);
    }
    if (!analysis.compiled()) {
        state.SkipWithError(analysis.refusal.c_str());
        return;
    }
    state.counters["image_bytes"] = static_cast<double>(analysis.image.size());
    state.counters["problems"] = static_cast<double>(analysis.problems.size());
}
BENCHMARK(BM_AnalyseAndPreview)->Arg(0)->Arg(kFullScreens)->Unit(benchmark::kMillisecond);

}  // namespace
