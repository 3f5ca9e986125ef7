#pragma once
// The numeric edit of every page and dialog: a line edit bound to an 8-, 16- or 32-bit field of
// the model, with a range, a step and signed, hexadecimal or octal entry. Every valid keystroke is
// written straight into the field; a keystroke that would make the number invalid or leave the
// range is refused (the previous value comes back, selected). The logic lives in NumericField.

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
    void setHex(bool hex) { field_.setHex(hex); }
    void setOctal(bool octal) { field_.setOctal(octal); }
    void setSigned(bool isSigned) { field_.setSigned(isSigned); }

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

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    friend class CNumSpinCtrl;
    // Shows the field's text in the line edit.
    void showField();
    void onTextEdited(const QString& text);
    void applyOutcome(const NumericField::Outcome& outcome);

    NumericField field_;
    CNumSpinCtrl* spin_ = nullptr;
    bool changed_ = false;
    // After a refused keystroke the keystrokes already queued for the control are dropped.
    bool discarding_ = false;
};

}  // namespace vanta
