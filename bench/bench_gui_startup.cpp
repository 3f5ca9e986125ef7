// Start-up of the editor up to the main window painted once: the translation, the glyph tables,
// the catalogue and "In.dat", the menus, toolbar and icons, the view with its property pages,
// the first paint. With and without the English translation, and with the demo project named
// on the command line.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "app/Application.h"
#include "app/CMainFrame.h"
#include "common/Prompter.h"

namespace vanta {
namespace {

class SilentPrompter : public Prompter {
  public:
    Answer ask(const std::string&, const std::string&, Buttons, Severity) override {
        return Answer::Cancel;
    }
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_gui_startup";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Notes the first paint of a window.
class PaintWatcher : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void startUp(benchmark::State& state, bool english, bool demo) {
    application();
    SilentPrompter prompter;
    for (auto _ : state) {
        StartupOptions options;
        options.dataDir = QStringLiteral(VANTA_DATA_DIR);
        options.translationDir = QStringLiteral(VANTA_DATA_DIR);
        options.translate = english;
        options.splash = false;
        if (demo)
            options.file = QStringLiteral(VANTA_SOURCE_DIR "/data/samples/demo.osp");
        Application app(options, &prompter);
        PaintWatcher watcher;
        if (!app.initialise()) {
            state.SkipWithError("start-up failed");
            return;
        }
        app.mainFrame()->installEventFilter(&watcher);
        while (!watcher.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        app.mainFrame()->removeEventFilter(&watcher);
    }
}

void BM_StartupChinese(benchmark::State& state) {
    startUp(state, false, false);
}
void BM_StartupEnglish(benchmark::State& state) {
    startUp(state, true, false);
}
void BM_StartupWithDemoProject(benchmark::State& state) {
    startUp(state, true, true);
}
BENCHMARK(BM_StartupChinese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupEnglish)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWithDemoProject)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanta
