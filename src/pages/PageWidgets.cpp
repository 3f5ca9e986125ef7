#include "pages/PageWidgets.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QKeyEvent>

namespace vanta {

namespace {
// Room around and between the controls of a page: pages share a small area with the display.
constexpr int kSpacing = 4;
constexpr int kMargin = 6;
}  // namespace

ComponentPage::ComponentPage(QWidget* parent) : PropertyPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

QGroupBox* ComponentPage::addOuterGroup(const QString& title) {
    auto* group = new QGroupBox(title, this);
    layout()->addWidget(group);
    return group;
}

QGridLayout* ComponentPage::newGrid() {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->setHorizontalSpacing(kSpacing + 2);
    grid->setVerticalSpacing(kSpacing);
    // Labels and fields keep their widths at the left; what is left over stays empty.
    grid->setColumnStretch(2, 1);
    return grid;
}

QGroupBox* ComponentPage::gridGroup(const QString& title, QWidget* parent, QGridLayout*& grid) {
    auto* group = new QGroupBox(title, parent);
    grid = newGrid();
    group->setLayout(grid);
    return group;
}

QGroupBox* ComponentPage::boxGroup(const QString& title, QWidget* parent, QBoxLayout*& box) {
    auto* group = new QGroupBox(title, parent);
    box = new QVBoxLayout(group);
    box->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    box->setSpacing(kSpacing);
    return group;
}

void ComponentPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();  // never closes or leaves the page
            return;
        default:
            PropertyPage::keyPressEvent(event);
    }
}

void ComponentPage::hideEvent(QHideEvent* event) {
    // A page hidden by the editor is filled again before it is used; the window being minimised
    // keeps the bindings.
    if (!event->spontaneous())
        release();
    PropertyPage::hideEvent(event);
}

}  // namespace vanta
