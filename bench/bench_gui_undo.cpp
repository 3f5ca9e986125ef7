// The editor's undo history: the memory 1,000 steps hold (on the demo project and on a project of
// 1,000 screens of 50 components), the time to undo and redo one step on the large project, and
// the time to paste 100 components. Targets: undo or redo of any single step under 50 ms, a paste
// of 100 components under 50 ms. The memory is reported as counters (bytes per history).

#include <benchmark/benchmark.h>

#include "GuiBenchSupport.h"

#include <unistd.h>
#include <QApplication>
#include <QUndoStack>
#include <fstream>
#include <memory>

#include "common/FileIO.h"
#include "common/FontTables.h"
#include "editor/CVantaView.h"
#include "editor/EditCommand.h"
#include "model/CMainView.h"
#include "model/ComponentFactory.h"
#include "project/ProjectDocument.h"
#include "project/ProjectEdit.h"

namespace vanta {
namespace {

using bench::NoDocumentUi;

// The process's resident memory in bytes.
size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t total = 0, resident = 0;
    statm >> total >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// An editor over the demo project (screens 0) or over `screens` screens of 50 components of every
// kind.
struct Editor {
    bench::FixedAnswerPrompter prompter{Answer::Ok};
    NoDocumentUi ui;
    ProjectDocument document{prompter, ui, &bench::benchFonts()};
    std::unique_ptr<CVantaView> view;

    explicit Editor(int screens) {
        bench::benchApplication();
        view = std::make_unique<CVantaView>(document, prompter);
        Project& project = document.project();
        if (screens == 0) {
            auto file = readWholeFile(VANTA_SOURCE_DIR "/data/samples/demo.osp");
            if (!file || !project.load(file.value()))
                std::abort();
            project.isOpen = true;
        } else {
            project.resetToNew(4);
            static const uint8_t kKinds[] = {1, 2, 3, 4, 6, 7, 8};
            for (int s = 0; s < screens; ++s) {
                CMainView& screen =
                    s == 0 ? *project.screens.current()
                           : project.screens.createScreen(static_cast<uint16_t>(s + 1), "Window");
                for (int i = 0; i < 50; ++i)
                    screen.addComponent(kKinds[i % 7], (i * 37) % 400, (i * 19) % 110);
            }
            project.screens.setCurrentPosition(static_cast<size_t>(screens / 2));
        }
        view->projectReplaced();
    }

    size_t historyBytes() const {
        size_t bytes = 0;
        const QUndoStack* history = view->undoStack();
        for (int i = 0; i < history->count(); ++i)
            bytes += static_cast<const EditCommand*>(history->command(i))->memoryBytes();
        return bytes;
    }

    // One step of the kinds a user makes most: a component moved, a field of its page changed,
    // a component placed or deleted, a screen's description typed; each a step of its own.
    void step(int i) {
        Project& project = document.project();
        const size_t screen = project.screens.currentPosition();
        CMainView& current = *project.screens.current();
        const size_t index = static_cast<size_t>(i) % current.components().size();
        EditRecorder recorder(project);
        switch (i % 4) {
            case 0:
            case 1:
                recorder.component(screen, index);
                current.m_components[index]->m_x = (current.m_components[index]->m_x + 1) % 100;
                current.m_components[index]->applyPagePosition();
                view->pushEdit(recorder.finish(), QStringLiteral("Move"), {index}, {index});
                break;
            case 2:
                recorder.insertComponent(screen, 0, copyComponent(*current.m_components[index]));
                view->pushEdit(recorder.finish(), QStringLiteral("Duplicate"), {}, {0});
                break;
            case 3:
                recorder.screenFields(screen);
                current.m_description = "Window " + std::to_string(i);
                view->pushEdit(recorder.finish(), QStringLiteral("Change Description"), {}, {});
                break;
        }
    }
};

void BM_HistoryOf1000Steps(benchmark::State& state) {
    const int screens = static_cast<int>(state.range(0));
    size_t bytes = 0, resident = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor(screens);
        const size_t before = residentBytes();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            editor.step(i);
        state.PauseTiming();
        bytes = editor.historyBytes();
        resident = residentBytes() - before;
        state.ResumeTiming();
    }
    // What the steps hold, and what the process grew by (the allocator's share and the
    // components the duplicates added included).
    state.counters["history_bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_step"] = static_cast<double>(bytes) / 1000.0;
    state.counters["resident_growth"] = static_cast<double>(resident);
}
BENCHMARK(BM_HistoryOf1000Steps)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Undo and redo of one step on 1,000 screens: a component moved, and a whole screen deleted (the
// largest record and a refill of the screen list).
void BM_UndoRedoOneStep(benchmark::State& state) {
    Editor editor(1000);
    const bool screenStep = state.range(0) == 1;
    if (screenStep) {
        EditRecorder recorder(editor.document.project());
        recorder.removeScreen(editor.document.project().screens.currentPosition());
        editor.view->pushEdit(recorder.finish(), QStringLiteral("Delete Window"), {}, {});
        editor.view->settingsReplaced();
    } else {
        editor.step(0);
    }
    QUndoStack* history = editor.view->undoStack();
    for (auto _ : state) {
        history->undo();
        history->redo();
    }
    state.SetLabel(screenStep ? "delete window" : "move component");
}
BENCHMARK(BM_UndoRedoOneStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A paste of 100 components from the clipboard onto a screen of 50, then its undo (untimed).
void BM_Paste100Components(benchmark::State& state) {
    Editor editor(1000);
    Editor source(1);
    CMainView& from = *source.document.project().screens.current();
    for (int i = 0; i < 50; ++i)
        from.addComponent(static_cast<uint8_t>(1 + i % 4), (i * 23) % 400, (i * 13) % 110);
    source.view->projectReplaced();
    source.view->selectAll();
    if (source.view->selection().size() != 100)
        std::abort();
    source.view->copySelection();
    QUndoStack* history = editor.view->undoStack();
    for (auto _ : state) {
        editor.view->paste();
        state.PauseTiming();
        history->undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_Paste100Components)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanta
