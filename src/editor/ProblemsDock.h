#pragma once
// The problem list: every problem the panel or the download would hit, one a row with its
// severity, screen, component and what is wrong and what to do, updated after every edit. A
// double click (or Enter) on a row asks the frame to show what it is about.

#include <QDockWidget>
#include <vector>

#include "checks/Problem.h"

class QLabel;
class QTreeWidget;

namespace vanta {

// The text a row shows for a problem: the core's message with what to do, through the core-text
// translation (shown as the core builds it while the translation has no entry for it).
QString problemDisplayText(const Problem& problem);

class ProblemsDock : public QDockWidget {
    Q_OBJECT
  public:
    enum Column { SeverityColumn, ScreenColumn, ComponentColumn, ProblemColumn, ColumnCount };

    explicit ProblemsDock(QWidget* parent = nullptr);

    // Shows the problems (errors first, then warnings, each in the checks' order).
    void setProblems(const std::vector<Problem>& problems);
    const std::vector<Problem>& problems() const { return problems_; }
    QTreeWidget* list() const { return list_; }
    // "2 个错误, 1 个警告" or "没有问题".
    QString summary() const;
    // Room for the place columns and a problem's sentence on a line or two.
    QSize sizeHint() const override;

  signals:
    void problemActivated(const vanta::Problem& problem);

  private:
    void rowActivated(int row);

    QLabel* summary_ = nullptr;
    QTreeWidget* list_ = nullptr;
    std::vector<Problem> problems_;
};

}  // namespace vanta
