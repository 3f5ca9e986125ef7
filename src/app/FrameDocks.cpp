// The main frame's panel preview, problem list and image budget: kept current by the live
// analysis, a double click shows what a problem is about, and the download asks them first.
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>

#include "app/CMainFrame.h"
#include "app/CVantaDoc.h"
#include "app/ProgramData.h"
#include "checks/DownloadGate.h"
#include "editor/CVantaView.h"
#include "editor/ImageBudgetLabel.h"
#include "editor/LiveAnalysis.h"
#include "editor/PreviewDock.h"
#include "editor/ProblemsDock.h"
#include "model/CMainView.h"
#include "project/Project.h"

namespace vanta {

void CMainFrame::createDocks() {
    analysis_ = new LiveAnalysis(project(), data_.fonts(), this);
    connect(analysis_, &LiveAnalysis::updated, this, &CMainFrame::analysisUpdated);
    // Every edit, screen change and selection of the view.
    connect(view_, &CVantaView::documentModified, analysis_, &LiveAnalysis::schedule);
    connect(view_, &CVantaView::commandStateChanged, analysis_, &LiveAnalysis::schedule);

    previewDock_ = new PreviewDock(data_.fonts(), this);
    addDockWidget(Qt::BottomDockWidgetArea, previewDock_);
    problemsDock_ = new ProblemsDock(this);
    splitDockWidget(previewDock_, problemsDock_, Qt::Horizontal);
    connect(problemsDock_, &ProblemsDock::problemActivated, this, &CMainFrame::showProblem);

    budget_ = new ImageBudgetLabel(statusBar());
    statusBar()->addPermanentWidget(budget_);

    viewMenu_->addSeparator();
    viewMenu_->addAction(previewDock_->toggleViewAction());
    viewMenu_->addAction(problemsDock_->toggleViewAction());

    // The view keeps its room; the frame grows by the docks under it, and widens until the
    // preview and the problem list side by side have what they ask for, as far as the screen
    // allows. It is centred again so that its status bar (the budget) stays on the screen.
    QSize wanted =
        size().expandedTo(minimumSizeHint()) + QSize(0, previewDock_->sizeHint().height());
    wanted.setWidth(std::max(wanted.width(),
                             previewDock_->sizeHint().width() + problemsDock_->sizeHint().width()));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        resize(wanted);
    } else {
        const QRect available = screen->availableGeometry();
        resize(wanted.boundedTo(available.size()));
        move(available.center() - rect().center());
    }
    analysis_->schedule();
}

void CMainFrame::analysisUpdated() {
    const ProjectAnalysis& result = analysis_->result();
    problemsDock_->setProblems(result.problems);
    const CMainView* screen = project().isOpen ? project().screens.current() : nullptr;
    if (screen == nullptr) {
        budget_->clearBudget();
        previewDock_->showScreen(result, nullptr);
        return;
    }
    budget_->showBudget(result, screen->components().size());
    previewDock_->showScreen(result, screen);
}

void CMainFrame::showProblem(const Problem& problem) {
    switch (problem.place) {
        case ProblemPlace::Component:
            view_->selectComponent(problem.screen, problem.componentIndex);
            break;
        case ProblemPlace::Screen:
            view_->showScreenNumber(problem.screen);
            break;
        case ProblemPlace::PanelSettings:
            onPanelSettings();
            break;
        case ProblemPlace::AlarmList:
            onAlarmList();
            break;
        case ProblemPlace::Project:
            break;
    }
}

bool CMainFrame::confirmDownloadProblems() {
    analysis_->analyseNow();
    const std::vector<Problem>& problems = analysis_->result().problems;
    if (!problems.empty()) {
        problemsDock_->show();
        problemsDock_->raise();
    }
    return confirmDownload(problems, prompter_) == DownloadGate::Go;
}

}  // namespace vanta
