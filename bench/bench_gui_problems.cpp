// The problem list after an edit: the dock, beside the preview at its default width, shows N
// problems whose sentences wrap within their rows, laid out as the screen would show them.
#include <benchmark/benchmark.h>

#include "GuiBenchSupport.h"

#include <QTreeWidget>

#include "checks/Problem.h"
#include "editor/ProblemsDock.h"

namespace vanta {
namespace {

using namespace vanta::bench;

std::vector<Problem> sampleProblems(int count) {
    std::vector<Problem> problems;
    for (int i = 0; i < count; ++i) {
        Problem p;
        p.severity = i % 3 == 0 ? ProblemSeverity::Error : ProblemSeverity::Warning;
        p.place = ProblemPlace::Screen;
        p.screen = static_cast<uint16_t>(i + 1);
        p.message = "the up key leads to screen " + std::to_string(1000 + i) +
                    ", which does not exist; pressing it on the panel does nothing";
        p.fix = "Choose an existing screen, or 0 for none, on the screen's page.";
        problems.push_back(std::move(p));
    }
    return problems;
}

void BM_ProblemListShowsWrappedRows(benchmark::State& state) {
    benchApplication();
    const std::vector<Problem> problems = sampleProblems(static_cast<int>(state.range(0)));
    ProblemsDock dock;
    dock.resize(360, 300);
    dock.show();
    for (auto _ : state) {
        dock.setProblems(problems);
        // Asking where the last row lies makes the view lay out every row now.
        QTreeWidget* list = dock.list();
        benchmark::DoNotOptimize(
            list->visualItemRect(list->topLevelItem(list->topLevelItemCount() - 1)));
    }
    state.counters["rows"] = static_cast<double>(problems.size());
}
BENCHMARK(BM_ProblemListShowsWrappedRows)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanta
