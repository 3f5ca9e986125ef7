#include "widgets/BoundControls.h"

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
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
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

}  // namespace vanta
