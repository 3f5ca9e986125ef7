#pragma once
// Keeps the analysis of the open project (preview image, budget, problems) current while the
// user edits: every change asks for a new one, changes that come in a burst (keystrokes in a
// text field) share one, and it runs within kDelayMs of the first of them, on the user-interface
// thread. The preview, the budget and the problem list show its result.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "checks/ProjectAnalysis.h"

namespace vanta {

class FontTables;
class Project;

class LiveAnalysis : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDelayMs = 15;

    // `project` and `fonts` must outlive this object.
    LiveAnalysis(Project& project, const FontTables& fonts, QObject* parent = nullptr);

    // Something changed: a new analysis follows within kDelayMs (one for many calls).
    void schedule();
    // Runs the analysis at once (the download does before it decides) and tells the listeners.
    void analyseNow();
    bool pending() const { return timer_.isActive(); }

    const ProjectAnalysis& result() const { return result_; }
    // Microseconds the last analysis took.
    qint64 lastDurationUs() const { return lastUs_; }
    // How many analyses ran (for tests).
    long runs() const { return runs_; }

  signals:
    void updated();

  private:
    Project& project_;
    const FontTables& fonts_;
    QTimer timer_;
    ProjectAnalysis result_;
    qint64 lastUs_ = 0;
    long runs_ = 0;
};

}  // namespace vanta
