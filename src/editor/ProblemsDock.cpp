#include "editor/ProblemsDock.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/CVantaView.h"
#include "qtsupport/CoreText.h"

namespace vanta {

QString problemDisplayText(const Problem& problem) {
    // Message and fix each on their own: every one is a text of the table.
    return translateCoreSentences(problem.message, problem.fix);
}

namespace {

QString placeName(const Problem& p) {
    switch (p.place) {
        case ProblemPlace::Component:
            return CVantaView::componentName(p.componentKind, p.componentX, p.componentY);
        case ProblemPlace::Screen:
            return ProblemsDock::tr("画面设置");
        case ProblemPlace::PanelSettings:
            return ProblemsDock::tr("设置Orbis");
        case ProblemPlace::AlarmList:
            return ProblemsDock::tr("报警列表");
        case ProblemPlace::Project:
            break;
    }
    return ProblemsDock::tr("工程");
}

// Lays out a problem's row from the top: the sentence wraps to the width of the problem column
// and gives the row its height (the tree view alone sizes a row as if the text had the whole
// width), and the severity's icon stays beside the first line.
class ProblemRowDelegate : public QStyledItemDelegate {
  public:
    ProblemRowDelegate(QTreeView* view, int wrappedColumn)
        : QStyledItemDelegate(view), view_(view), wrappedColumn_(wrappedColumn) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // The other columns size to their contents, so only this one may wrap.
        if (index.column() != wrappedColumn_)
            return QStyledItemDelegate::sizeHint(option, index);
        QStyleOptionViewItem wrapped = option;
        wrapped.rect = QRect(0, 0, view_->columnWidth(index.column()), 1);
        wrapped.features |= QStyleOptionViewItem::WrapText;
        return QStyledItemDelegate::sizeHint(wrapped, index);
    }

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignLeft | Qt::AlignTop;
        option->decorationAlignment = Qt::AlignLeft | Qt::AlignTop;
    }

  private:
    QTreeView* view_;
    int wrappedColumn_;
};

}  // namespace

ProblemsDock::ProblemsDock(QWidget* parent) : QDockWidget(tr("问题"), parent) {
    setObjectName(QStringLiteral("problemsDock"));
    // The View menu's entry (the title stays as it is, so the entry keeps this text).
    toggleViewAction()->setText(tr("问题列表(&L)"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    summary_ = new QLabel(body);
    summary_->setObjectName(QStringLiteral("problemSummary"));
    layout->addWidget(summary_);
    list_ = new QTreeWidget(body);
    list_->setObjectName(QStringLiteral("problemList"));
    list_->setColumnCount(ColumnCount);
    list_->setHeaderLabels({tr("严重性"), tr("画面"), tr("部件"), tr("问题")});
    list_->setRootIsDecorated(false);
    // A problem's sentence wraps within its column and its row grows to hold it, so the whole
    // sentence shows at any width of the dock (a narrow dock beside the preview is the default).
    list_->setUniformRowHeights(false);
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setItemDelegate(new ProblemRowDelegate(list_, ProblemColumn));
    list_->setAlternatingRowColors(true);
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionResizeMode(SeverityColumn, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(ScreenColumn, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(ComponentColumn, QHeaderView::ResizeToContents);
    // The rows' heights follow the width of the problem column, once the header has settled
    // the widths of all its sections.
    connect(
        list_->header(), &QHeaderView::sectionResized, list_,
        [this](int column) {
            if (column == ProblemColumn)
                list_->doItemsLayout();
        },
        Qt::QueuedConnection);
    layout->addWidget(list_, 1);
    setWidget(body);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { rowActivated(list_->indexOfTopLevelItem(item)); });
    setProblems({});
}

QString ProblemsDock::summary() const {
    const size_t errors = countErrors(problems_);
    const size_t warnings = countWarnings(problems_);
    if (errors == 0 && warnings == 0)
        return tr("没有问题");
    // Counted forms, so that English says "1 warning" and "2 warnings".
    return tr("%n 个错误", nullptr, int(errors)) + QStringLiteral(", ") +
           tr("%n 个警告", nullptr, int(warnings));
}

QSize ProblemsDock::sizeHint() const {
    // About 40 characters for severity, screen and component, 50 for the problem.
    constexpr int kCharacters = 90;
    QSize hint = QDockWidget::sizeHint();
    hint.setWidth(std::max(hint.width(), fontMetrics().averageCharWidth() * kCharacters));
    return hint;
}

void ProblemsDock::setProblems(const std::vector<Problem>& problems) {
    problems_ = problems;
    std::stable_sort(problems_.begin(), problems_.end(), [](const Problem& a, const Problem& b) {
        return a.isError() && !b.isError();
    });
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    list_->clear();
    for (const Problem& p : problems_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setIcon(SeverityColumn, p.isError() ? errorIcon : warningIcon);
        item->setText(SeverityColumn, p.isError() ? tr("错误") : tr("警告"));
        if (p.hasScreen())
            item->setText(ScreenColumn, QString::number(p.screen));
        item->setText(ComponentColumn, placeName(p));
        const QString text = problemDisplayText(p);
        item->setText(ProblemColumn, text);
        item->setToolTip(ProblemColumn, text);
    }
    summary_->setText(summary());
}

void ProblemsDock::rowActivated(int row) {
    if (row >= 0 && static_cast<size_t>(row) < problems_.size())
        emit problemActivated(problems_[static_cast<size_t>(row)]);
}

}  // namespace vanta
