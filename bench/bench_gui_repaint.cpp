// Repainting the editor's simulated display with a full screen: 255 components of every kind,
// drawn through the painter canvas into the view's off-screen picture.

#include <benchmark/benchmark.h>

#include "GuiBenchSupport.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "common/FontTables.h"
#include "editor/CVantaView.h"
#include "model/CMainView.h"
#include "model/CUpLoadPic.h"
#include "project/ProjectDocument.h"
#include "qtsupport/QtCanvas.h"

namespace vanta {
namespace {

using bench::NoDocumentUi;

// An editor over a project whose screen 1 holds `count` components of every kind spread over
// the display, the last one selected.
struct Editor {
    bench::FixedAnswerPrompter prompter{Answer::Cancel};
    NoDocumentUi ui;
    ProjectDocument document{prompter, ui, &bench::benchFonts()};
    std::unique_ptr<CVantaView> view;

    explicit Editor(int count) {
        bench::benchApplication();
        view = std::make_unique<CVantaView>(document, prompter);
        document.project().resetToNew(1);
        CMainView& screen = *document.project().screens.current();
        MonoBitmap bitmap(40, 24);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 40; x += 1 + y % 3)
                bitmap.setPixel(x, y, true);
        static const uint8_t kKinds[] = {1, 2, 3, 4, 6, 7, 8, 5};
        for (int i = 0; i < count; ++i) {
            const uint8_t kind = kKinds[i % 8];
            const int32_t x = (i * 37) % 400, y = (i * 19) % 120;
            if (kind == kKindPicture)
                screen.addComponent(std::make_unique<CUpLoadPic>(screen.context(), x, y, bitmap), x,
                                    y);
            else
                screen.addComponent(kind, x, y);
        }
        view->projectReplaced();
    }
};

void BM_RepaintDisplay(benchmark::State& state) {
    Editor editor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QPixmap& shown = editor.view->renderDisplay();
        benchmark::DoNotOptimize(&shown);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RepaintDisplay)->Arg(1)->Arg(64)->Arg(255)->Unit(benchmark::kMillisecond);

// The components alone through the painter canvas on a picture in memory.
void BM_PainterCanvasScreen(benchmark::State& state) {
    Editor editor(static_cast<int>(state.range(0)));
    CMainView& screen = *editor.document.project().screens.current();
    QImage image(kDisplayWidth, kDisplayHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        benchmark::DoNotOptimize(screen.draw(canvas, true));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PainterCanvasScreen)->Arg(255)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanta
