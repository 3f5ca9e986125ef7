#pragma once
// Pieces shared by the component pages: the bound check box and combo box (a user's click or
// choice is written straight into a component byte), the label + numeric edit + spin row, and the
// page base with its fixed size and its key handling.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "pages/PropertyPage.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

class QGroupBox;
class QRadioButton;

namespace vanta {

// A check box bound to a component byte: binding shows the byte as the check state; a click by
// the user writes 0 or 1 into the byte and emits changedByUser().
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

// A drop-down list whose selected index is bound to a component byte: binding selects the byte's
// entry (none when it lies outside the list); a choice by the user writes the index and emits
// changedByUser().
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

// A label with a numeric edit and its spin.
struct NumberRow {
    QLabel* label = nullptr;
    CNumEdit* edit = nullptr;
    CNumSpinCtrl* spin = nullptr;

    // Names the edit "<base>Edit" and the spin "<base>Spin" (tests and tools find them by name).
    void setNames(const QString& base);
    // Shows or hides the three together.
    void setShown(bool shown);
    // Enables the pair when `allowed` and its range is not empty (a range with min >= max keeps
    // the pair disabled).
    void setAllowed(bool allowed);
};

// The base of the component pages: fixed size of the page area, Enter and Escape do nothing,
// helpers that place the controls, and the release of every binding when the page is hidden.
class ComponentPage : public PropertyPage {
    Q_OBJECT
  public:
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 230;
    static constexpr int kRowHeight = 22;

    explicit ComponentPage(QWidget* parent = nullptr);

  protected:
    // Placing controls (page coordinates, or coordinates inside `parent`).
    QGroupBox* addGroup(const QString& title, const QRect& rect, QWidget* parent = nullptr);
    QLabel* addLabel(const QString& text, const QRect& rect, QWidget* parent);
    // A label of `labelWidth` at (x, y), the edit of `editWidth` after it, the spin after that.
    NumberRow addNumberRow(const QString& text, int x, int y, int labelWidth, int editWidth,
                           QWidget* parent);
    BoundCheckBox* addCheck(const QString& text, const QRect& rect, QWidget* parent);
    BoundComboBox* addCombo(const QRect& rect, QWidget* parent);
    QRadioButton* addRadio(const QString& text, const QRect& rect, QWidget* parent);

    // Drops every binding (the component may go away while the page is hidden).
    virtual void release() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

}  // namespace vanta
