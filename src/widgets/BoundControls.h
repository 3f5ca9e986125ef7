#pragma once
// A check box and a drop-down list bound to a byte of the model: a user's click or choice is
// written straight into the byte.

#include <QCheckBox>
#include <QComboBox>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

namespace vanta {

// Binding shows the byte as the check state; a click by the user writes 0 or 1 into the byte
// and emits changedByUser().
class BoundCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit BoundCheckBox(const QString& text, QWidget* parent = nullptr);
    void bind(uint8_t& byte);
    void unbind() { byte_ = nullptr; }
    // Shows the bound byte again (after a rule changed it).
    void refresh();

  signals:
    void changedByUser();

  private:
    uint8_t* byte_ = nullptr;
};

// Binding selects the byte's entry (none when it lies outside the list); a choice by the user
// writes the index and emits changedByUser(). The list is as wide as its longest entry.
class BoundComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit BoundComboBox(QWidget* parent = nullptr);
    void bind(uint8_t& byte);
    void unbind() { byte_ = nullptr; }
    // Replaces the entries (names of the model, UTF-8) and selects the bound byte's entry.
    void setItems(const std::vector<std::string>& names);
    void setItems(const QStringList& names);
    void refresh();

  signals:
    void changedByUser();

  private:
    uint8_t* byte_ = nullptr;
};

}  // namespace vanta
