#pragma once
// Pieces the dialogs and pages lay their controls out with: a numeric edit with its spin as one
// layout item, a label that hands its mnemonic to the control it names, and grid rows.

#include <QString>

class QBoxLayout;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLayout;
class QWidget;

namespace vanta {

class CNumEdit;
class CNumSpinCtrl;

// A label with a numeric edit and its spin. `field` holds the edit and the spin side by side
// (and whatever the page adds to its `box`, a unit); put it into a layout where the pair
// belongs. Hiding the spin (CNumSpinCtrl::show) hides the field.
struct NumberRow {
    QLabel* label = nullptr;
    CNumEdit* edit = nullptr;
    CNumSpinCtrl* spin = nullptr;
    QWidget* field = nullptr;
    QHBoxLayout* box = nullptr;

    // Names the edit "<base>Edit" and the spin "<base>Spin" (tests and tools find them by name).
    void setNames(const QString& base);
    // Shows or hides the three together.
    void setShown(bool shown);
    // Enables the pair when `allowed` and its range is not empty (a range with min >= max keeps
    // the pair disabled).
    void setAllowed(bool allowed);
};

// The edit and its spin (and a label naming the edit when `text` is not empty), children of
// `parent`.
NumberRow makeNumberRow(const QString& text, QWidget* parent);

// A label naming `buddy`: its mnemonic (if any) moves the focus there.
QLabel* makeLabel(const QString& text, QWidget* buddy, QWidget* parent);

// Adds `label` and `field` as the next row of a two-column grid (label column 0, field column
// 1); a null label leaves column 0 empty. The field keeps its own width at the left of its
// column unless `fill` is set. Returns the row.
int addGridRow(QGridLayout* grid, QLabel* label, QWidget* field, bool fill = false);
int addGridRow(QGridLayout* grid, QLabel* label, QLayout* field, bool fill = false);
int addGridRow(QGridLayout* grid, const NumberRow& row);

// The property that marks the field holding a numeric edit and its spin.
inline constexpr char kNumberFieldProperty[] = "vantaNumberField";

// Empty space that takes what is left at the end of a box layout.
void addStretch(QBoxLayout* layout);

}  // namespace vanta
