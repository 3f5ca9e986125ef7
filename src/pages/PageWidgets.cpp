#include "pages/PageWidgets.h"

#include <QGroupBox>
#include <QHideEvent>
#include <QKeyEvent>
#include <QRadioButton>

namespace vanta {

// --- BoundCheckBox ---

BoundCheckBox::BoundCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        if (!byte_)
            return;
        *byte_ = checked ? 1 : 0;
        emit changedByUser();
    });
}

void BoundCheckBox::bind(uint8_t& byte) {
    byte_ = &byte;
    refresh();
}

void BoundCheckBox::refresh() {
    if (byte_)
        setChecked(*byte_ != 0);
}

// --- BoundComboBox ---

BoundComboBox::BoundComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!byte_ || index < 0)
            return;
        *byte_ = static_cast<uint8_t>(index);
        emit changedByUser();
    });
}

void BoundComboBox::bind(uint8_t& byte) {
    byte_ = &byte;
    refresh();
}

void BoundComboBox::setItems(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    setItems(list);
}

void BoundComboBox::setItems(const QStringList& names) {
    QStringList current;
    for (int i = 0; i < count(); ++i)
        current << itemText(i);
    if (current != names) {
        clear();
        addItems(names);
    }
    refresh();
}

void BoundComboBox::refresh() {
    if (!byte_)
        return;
    setCurrentIndex(*byte_ < count() ? *byte_ : -1);
}

// --- NumberRow ---

void NumberRow::setNames(const QString& base) {
    edit->setObjectName(base + QStringLiteral("Edit"));
    spin->setObjectName(base + QStringLiteral("Spin"));
}

void NumberRow::setShown(bool shown) {
    if (label)
        label->setVisible(shown);
    if (spin)
        spin->show(shown);
}

void NumberRow::setAllowed(bool allowed) {
    if (edit)
        edit->setEnabled(allowed && edit->field().isEnabled());
}

// --- ComponentPage ---

ComponentPage::ComponentPage(QWidget* parent) : PropertyPage(parent) {
    setFixedSize(kWidth, kHeight);
}

QGroupBox* ComponentPage::addGroup(const QString& title, const QRect& rect, QWidget* parent) {
    auto* group = new QGroupBox(title, parent ? parent : this);
    group->setGeometry(rect);
    return group;
}

QLabel* ComponentPage::addLabel(const QString& text, const QRect& rect, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(rect);
    return label;
}

NumberRow ComponentPage::addNumberRow(const QString& text, int x, int y, int labelWidth,
                                      int editWidth, QWidget* parent) {
    NumberRow row;
    if (!text.isEmpty())
        row.label = addLabel(text, QRect(x, y, labelWidth, kRowHeight), parent);
    row.edit = new CNumEdit(parent);
    row.edit->setGeometry(x + labelWidth, y, editWidth, kRowHeight);
    row.spin = new CNumSpinCtrl(row.edit, parent);
    return row;
}

BoundCheckBox* ComponentPage::addCheck(const QString& text, const QRect& rect, QWidget* parent) {
    auto* check = new BoundCheckBox(text, parent);
    check->setGeometry(rect);
    return check;
}

BoundComboBox* ComponentPage::addCombo(const QRect& rect, QWidget* parent) {
    auto* combo = new BoundComboBox(parent);
    combo->setGeometry(rect);
    return combo;
}

QRadioButton* ComponentPage::addRadio(const QString& text, const QRect& rect, QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    radio->setGeometry(rect);
    return radio;
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
