#pragma once
// Small helpers that the editor's dialogs and pages use to lay out their controls at fixed
// positions, as the panel's dialogs are laid out.

#include <QString>

class QLabel;
class QWidget;

namespace vanta {

class CNumEdit;
class CNumSpinCtrl;

// A one-line label at (x, y), `width` wide.
QLabel* placeLabel(const QString& text, QWidget* parent, int x, int y, int width);

// A numeric edit with its spin right beside it (the spin takes the last CNumSpinCtrl::kWidth
// pixels of `width`); the two are named `name` + "Edit" and `name` + "Spin".
CNumSpinCtrl* placeNumberPair(QWidget* parent, int x, int y, int width, CNumEdit*& edit,
                              const char* name);

}  // namespace vanta
