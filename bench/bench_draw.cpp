// Drawing a full screen of components on the simulated display, and writing and reading screens
// with many components.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "common/FontTables.h"
#include "model/CChars.h"
#include "model/CMainView.h"
#include "model/ComponentFactory.h"
#include "model/PixelCanvas.h"

namespace vanta {
namespace {

// Keep freed memory in the process between iterations: by default glibc hands the large
// buffers of the bigger screens back to the kernel after every iteration, and their figures
// would then mostly count page faults.
const int kAllocatorSetup = [] {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    return 0;
}();

// The data files when they are built, otherwise tables with every pixel pattern in use.
const FontTables& benchFonts() {
    static const FontTables fonts = [] {
        FontTables f;
        if (!f.loadFrom(VANTA_DATA_DIR).ok()) {
            std::vector<uint8_t> narrow(kNarrowTableBytes), wide(kWideTableBytes);
            for (size_t i = 0; i < narrow.size(); ++i)
                narrow[i] = static_cast<uint8_t>(i * 37);
            for (size_t i = 0; i < wide.size(); ++i)
                wide[i] = static_cast<uint8_t>(i * 53);
            f.setNarrowTable(std::move(narrow));
            f.setWideTable(std::move(wide));
        }
        return f;
    }();
    return fonts;
}

// Texts of 4 to 24 bytes, some with double-byte characters, some double size or inverse.
ByteString benchText(int i) {
    static const char* const kTexts[] = {"Text",
                                         "Motor 1 speed",
                                         "\xCE\xC2\xB6\xC8 T1",
                                         "Pressure [bar]",
                                         "ABCDEFGHIJKLMNOPQRSTUVWX",
                                         "\xB1\xC3\xD4\xCB\xD0\xD0 OK"};
    return kTexts[i % 6];
}

void fillScreen(CMainView& screen, const ModelContext& context, int count) {
    for (int i = 0; i < count; ++i) {
        auto text = std::make_unique<CChars>(context, (i * 37) % 400, (i * 19) % 120, benchText(i));
        text->m_doubleSize = static_cast<uint8_t>(i % 7 == 0);
        text->m_inverse = static_cast<uint8_t>(i % 3 == 0);
        text->PlaceAt((i * 37) % 400, (i * 19) % 120);
        screen.appendComponent(std::move(text));
    }
}

void BM_DrawScreenOf255Texts(benchmark::State& state) {
    ModelContext context;
    context.fonts = &benchFonts();
    CMainView screen(context);
    fillScreen(screen, context, 255);
    PixelCanvas canvas;
    for (auto _ : state) {
        canvas.clear(kDisplayDark);
        const Rect selection = screen.draw(canvas, true);
        benchmark::DoNotOptimize(selection);
        benchmark::DoNotOptimize(canvas.pixels().data());
    }
}
BENCHMARK(BM_DrawScreenOf255Texts)->Unit(benchmark::kMicrosecond);

void BM_WriteThenReadComponents(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    ModelContext context;
    CMainView screen(context);
    screen.initNewScreen(1, "bench");
    fillScreen(screen, context, count);
    ClassRegistry registry;
    registerModelClasses(registry, context);
    size_t bytes = 0;
    for (auto _ : state) {
        Archive out;
        screen.Serialize(out);
        const Bytes data = out.takeData();
        Archive in(data, &registry);
        CMainView loaded(context);
        loaded.Serialize(in);
        if (!in.ok() || loaded.components().size() != screen.components().size())
            state.SkipWithError("the screen did not read back");
        bytes = data.size();
    }
    state.SetComplexityN(count);
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteThenReadComponents)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanta
