#pragma once
// The numeric edit of every page and dialog: a line edit bound to an 8-, 16- or 32-bit field of
// the model, with a range, a step and signed, hexadecimal or octal entry. Typing is free as long
// as the text can still become a number; every text that is a number within the range is written
// straight into the field. Enter, Tab and the focus leaving check the entry: one that is out of
// range or not a number shows the error state (a red frame, and a tooltip naming the allowed
// range) and the field keeps its last valid value. The logic lives in NumericField.

#include <QLineEdit>
#include <cstdint>

#include "widgets/NumericField.h"

namespace vanta {

class CNumSpinCtrl;

class CNumEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit CNumEdit(QWidget* parent = nullptr);

    // --- the control's operations ---
    // Value + n x step (see NumericField::increment); written through, emits valueChanged().
    void increment(int n);
    void setStep(int step) { field_.setStep(step); }
    // Stores the range; min >= max disables the control (and its spin) and shows max; a value
    // outside the new range is brought into it.
    void setRange(double min, double max);
    // Validation code of the text (NumericCode, 0..4).
    int validate() const { return field_.validate(); }
    // Clamps, shows and writes the value into the bound field (no valueChanged()).
    void setValue(int32_t v);
    // The value of the text; 0 when it is not valid.
    int32_t value() const { return field_.value(); }

    // --- binding ---
    void bind(uint8_t& variable) { field_.bind(variable); }
    void bind(int8_t& variable) { field_.bind(variable); }
    void bind(uint16_t& variable) { field_.bind(variable); }
    void bind(int16_t& variable) { field_.bind(variable); }
    void bind(uint32_t& variable) { field_.bind(variable); }
    void bind(int32_t& variable) { field_.bind(variable); }
    void unbind() { field_.unbind(); }
    void setHex(bool hex) {
        field_.setHex(hex);
        updateGeometry();
    }
    void setOctal(bool octal) {
        field_.setOctal(octal);
        updateGeometry();
    }
    void setSigned(bool isSigned) {
        field_.setSigned(isSigned);
        updateGeometry();
    }
    void setEmptyAllowed(bool allowed) { field_.setEmptyAllowed(allowed); }

    // Checks the entry as Enter or the focus leaving does; false (and the error state) when it
    // is not a number within the range. A valid entry emits committed().
    bool commit();
    // The error state is shown: a refused keystroke or an entry that failed its check.
    bool hasInputError() const { return errorShown_; }
    // What the error state's tooltip says: the allowed range in the field's number base.
    QString rangeHint() const;

    // Wide enough for the longest value of the range.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Set by a change the user made while the control had the focus; cleared when it loses the
    // focus or by clearChanged().
    bool isChanged() const { return changed_; }
    void clearChanged() { changed_ = false; }

    const NumericField& field() const { return field_; }
    NumericField& field() { return field_; }
    // The spin beside the edit (set by CNumSpinCtrl::setBuddy); Up and Down step the value while
    // there is one.
    CNumSpinCtrl* spin() const { return spin_; }

  signals:
    // A change by the user (typing, editing, the arrows or the Up/Down keys) was written into the
    // bound field.
    void valueChanged();
    // The entry is complete: checked by Enter or the focus leaving, or stepped by the arrows or
    // the Up and Down keys. Rules that must not act on a number still being typed act here.
    void committed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    friend class CNumSpinCtrl;
    // Shows the field's text in the line edit.
    void showField();
    void onTextEdited(const QString& text);
    void applyOutcome(const NumericField::Outcome& outcome);
    // Shows or clears the error state as the field has it; `announce` shows the tooltip at once.
    void showErrorState(bool announce);
    QSize hintFor(int characters) const;

    NumericField field_;
    CNumSpinCtrl* spin_ = nullptr;
    bool changed_ = false;
    bool errorShown_ = false;
    QString plainToolTip_;  // the tooltip outside the error state
};

}  // namespace vanta
