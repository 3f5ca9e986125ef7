// The emulated panel on the demo project: a screen change from the key press to the drawn
// display (the target is one display frame, 16 ms), a tick of the window (time passes, the
// display is drawn) and the image read into the runtime program.

#include <benchmark/benchmark.h>

#include <memory>

#include "common/FileIO.h"
#include "common/FontTables.h"
#include "emulator/PanelEmulator.h"
#include "image/ImageCompiler.h"
#include "project/Project.h"

namespace vanta {
namespace {

class SilentPrompter : public Prompter {
  public:
    Answer ask(const std::string&, const std::string&, Buttons, Severity) override {
        return Answer::Cancel;
    }
};

const std::vector<uint8_t>& demoImage() {
    static const std::vector<uint8_t> image = [] {
        Project project;
        auto file = readWholeFile(VANTA_SOURCE_DIR "/data/samples/demo.osp");
        if (!file || !project.load(file.value()))
            return std::vector<uint8_t>{};
        CompileOptions options;
        options.dataDir = VANTA_DATA_DIR;
        SilentPrompter prompter;
        return compileProject(project, options, prompter).compiled.image;
    }();
    return image;
}

const FontTables& panelFont() {
    static const FontTables font = [] {
        FontTables f;
        (void)f.loadNarrow(VANTA_DATA_DIR "/Ostra_EN.dat");
        return f;
    }();
    return font;
}

struct DemoPanel {
    PanelProgram program = PanelProgram::load(demoImage()).value();
    RegisterTable table;
    PanelEmulator panel{program, panelFont(), table};
    int64_t now = 0;
    DemoPanel() { panel.start(now); }
};

// DOWN on screen 1 and UP on screen 2 jump between the two: each iteration is one key press,
// its release and the new screen drawn.
void BM_ScreenChangeToDrawnDisplay(benchmark::State& state) {
    DemoPanel demo;
    bool down = true;
    for (auto _ : state) {
        const PanelKey key = down ? PanelKey::Down : PanelKey::Up;
        demo.panel.press(key, ++demo.now);
        demo.panel.release(key, ++demo.now);
        MonoBitmap shown = demo.panel.render();
        benchmark::DoNotOptimize(shown);
        down = !down;
    }
    if (demo.panel.currentScreen() != 1 && demo.panel.currentScreen() != 2)
        state.SkipWithError("the keys did not change the screen");
}
BENCHMARK(BM_ScreenChangeToDrawnDisplay)->Unit(benchmark::kMicrosecond);

// One tick of the emulator window on each screen of the demo: time passes, the display is drawn.
void BM_TickAndDraw(benchmark::State& state) {
    DemoPanel demo;
    const uint16_t screens[] = {1, 2, 3, 10};
    demo.panel.showScreen(screens[state.range(0)], demo.now);
    for (auto _ : state) {
        demo.now += 20;
        demo.panel.advance(demo.now);
        MonoBitmap shown = demo.panel.render();
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_TickAndDraw)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_LoadProgram(benchmark::State& state) {
    for (auto _ : state) {
        auto program = PanelProgram::load(demoImage());
        benchmark::DoNotOptimize(program);
    }
}
BENCHMARK(BM_LoadProgram)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vanta
