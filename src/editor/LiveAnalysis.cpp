#include "editor/LiveAnalysis.h"

#include "project/Project.h"

namespace vanta {

LiveAnalysis::LiveAnalysis(Project& project, const FontTables& fonts, QObject* parent)
    : QObject(parent), project_(project), fonts_(fonts) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &LiveAnalysis::analyseNow);
}

void LiveAnalysis::schedule() {
    if (!timer_.isActive())
        timer_.start();
}

void LiveAnalysis::analyseNow() {
    timer_.stop();
    QElapsedTimer clock;
    clock.start();
    if (project_.isOpen)
        result_ = analyseProject(project_, fonts_);
    else
        result_ = ProjectAnalysis{};
    lastUs_ = clock.nsecsElapsed() / 1000;
    ++runs_;
    emit updated();
}

}  // namespace vanta
