// What the editor does after an edit, up to the preview dock: the analysis, then the dock showing
// the current screen (the layout picture, the panel emulator run on the image for the sample
// values and their table). For the demo (argument 0) and a project near 32 KB; the second
// argument 1 sets a sample value first, so that the emulator's picture is shown.
#include <benchmark/benchmark.h>

#include "BenchProjects.h"
#include "GuiBenchSupport.h"
#include "widgets/CNumEdit.h"

#include <QTableWidget>

#include "checks/ProjectAnalysis.h"
#include "common/FontTables.h"
#include "editor/PreviewDock.h"
#include "model/CMainView.h"

namespace vanta {
namespace {

using namespace vanta::bench;

// Types a value into the first register's sample editor.
bool setRegisterSample(PreviewDock& dock) {
    QTableWidget* table = dock.sampleTable();
    for (int r = 0; r < table->rowCount(); ++r) {
        if (auto* edit = qobject_cast<CNumEdit*>(table->cellWidget(r, PreviewDock::ValueColumn))) {
            edit->setValue(77);
            edit->commit();
            return dock.samples().anySet();
        }
    }
    return false;
}

void BM_EditToPreviewDock(benchmark::State& state) {
    benchApplication();
    const int screens = static_cast<int>(state.range(0));
    std::unique_ptr<Project> project = screens == 0 ? loadDemo() : makeProject(screens);
    if (!project) {
        state.SkipWithError("the demo does not load");
        return;
    }
    PreviewDock dock(bench::benchFonts());
    const CMainView* screen = project->screens.current();
    ProjectAnalysis analysis = analyseProject(*project, bench::benchFonts());
    dock.showScreen(analysis, screen);
    if (state.range(1) != 0 && !setRegisterSample(dock)) {
        state.SkipWithError("no register to set");
        return;
    }
    for (auto _ : state) {
        analysis = analyseProject(*project, bench::benchFonts());
        dock.showScreen(analysis, screen);
        benchmark::DoNotOptimize(dock.picture());
    }
    state.counters["image_bytes"] = static_cast<double>(analysis.image.size());
    state.counters["sample_rows"] = dock.sampleTable()->rowCount();
}
BENCHMARK(BM_EditToPreviewDock)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({kFullScreens, 0})
    ->Args({kFullScreens, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanta
