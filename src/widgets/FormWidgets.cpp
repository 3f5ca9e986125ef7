#include "widgets/FormWidgets.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>

#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

namespace vanta {

void NumberRow::setNames(const QString& base) {
    edit->setObjectName(base + QStringLiteral("Edit"));
    spin->setObjectName(base + QStringLiteral("Spin"));
}

void NumberRow::setShown(bool shown) {
    if (label)
        label->setVisible(shown);
    if (spin)
        spin->show(shown);
    if (field)
        field->setVisible(shown);
}

void NumberRow::setAllowed(bool allowed) {
    if (edit)
        edit->setEnabled(allowed && edit->field().isEnabled());
}

NumberRow makeNumberRow(const QString& text, QWidget* parent) {
    NumberRow row;
    row.field = new QWidget(parent);
    row.field->setProperty(kNumberFieldProperty, true);
    row.field->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row.edit = new CNumEdit(row.field);
    row.spin = new CNumSpinCtrl(row.field);
    row.spin->setBuddy(row.edit, false);
    row.box = new QHBoxLayout(row.field);
    row.box->setContentsMargins(0, 0, 0, 0);
    row.box->setSpacing(0);
    row.box->addWidget(row.edit);
    row.box->addWidget(row.spin);
    if (!text.isEmpty())
        row.label = makeLabel(text, row.edit, parent);
    return row;
}

QLabel* makeLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

namespace {
constexpr Qt::Alignment kFieldAlignment = Qt::AlignLeft | Qt::AlignVCenter;

int nextRow(QGridLayout* grid) {
    // rowCount() is at least 1 for an empty grid.
    return grid->count() == 0 ? 0 : grid->rowCount();
}
}  // namespace

int addGridRow(QGridLayout* grid, QLabel* label, QWidget* field, bool fill) {
    const int row = nextRow(grid);
    if (label)
        grid->addWidget(label, row, 0);
    // A field that fills its row takes the columns to the right edge as well.
    if (field && fill)
        grid->addWidget(field, row, 1, 1, -1);
    else if (field)
        grid->addWidget(field, row, 1, kFieldAlignment);
    return row;
}

int addGridRow(QGridLayout* grid, QLabel* label, QLayout* field, bool fill) {
    const int row = nextRow(grid);
    if (label)
        grid->addWidget(label, row, 0);
    if (field && fill)
        grid->addLayout(field, row, 1, 1, -1);
    else if (field)
        grid->addLayout(field, row, 1, kFieldAlignment);
    return row;
}

int addGridRow(QGridLayout* grid, const NumberRow& row) {
    return addGridRow(grid, row.label, row.field);
}

void addStretch(QBoxLayout* layout) {
    layout->addStretch(1);
}

}  // namespace vanta
