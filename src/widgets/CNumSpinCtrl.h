#pragma once
// The numeric spin: a small up/down button pair beside its buddy CNumEdit. It has no state of its
// own: every operation goes to the buddy. The up arrow adds the step, the down arrow subtracts it.

#include <QWidget>
#include <cstdint>

class QToolButton;

namespace vanta {

class CNumEdit;

class CNumSpinCtrl : public QWidget {
    Q_OBJECT
  public:
    // Width of the button pair.
    static constexpr int kWidth = 16;

    explicit CNumSpinCtrl(QWidget* parent = nullptr);
    // With its buddy (see setBuddy).
    explicit CNumSpinCtrl(CNumEdit* buddy, QWidget* parent = nullptr);

    void setStep(int step);
    // The buddy edit. With `alignRight` the spin places itself right beside the buddy and follows
    // its geometry (give false when a layout places the spin). The spin is enabled and shown with
    // its buddy.
    void setBuddy(CNumEdit* buddy, bool alignRight = true);
    CNumEdit* buddy() const { return buddy_; }
    void setRange(double min, double max);
    // The buddy's value.
    int32_t position() const;
    // Sets the buddy's value (clamped, written into the bound field).
    void setPosition(int32_t v);
    // Shows or hides the spin and its buddy together.
    void show(bool visible);
    using QWidget::show;

    // Binds the pair to a field: resets the buddy's binding, sets the step, the sign, the range,
    // binds the field, sets hexadecimal entry and shows the field's current value.
    void bind(uint8_t& variable, double min, double max, bool hex = false, bool isSigned = false,
              int step = 1);
    void bind(uint16_t& variable, double min, double max, bool hex = false, bool isSigned = false,
              int step = 1);
    void bind(int16_t& variable, double min, double max, bool hex = false, bool isSigned = false,
              int step = 1);
    void bind(uint32_t& variable, double min, double max, bool hex = false, bool isSigned = false,
              int step = 1);
    void bind(int32_t& variable, double min, double max, bool hex = false, bool isSigned = false,
              int step = 1);
    // The same for a 16-bit field typed in octal when `octal` is set (decimal otherwise).
    void bindOctal(uint16_t& variable, double min, double max, bool octal, bool isSigned = false,
                   int step = 1);

    // One click of an arrow: +1 up, -1 down.
    void stepBy(int n);

  signals:
    // The buddy wrote a change by the user into the bound field.
    void valueChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    template <typename T>
    void bindField(T& variable, double min, double max, bool hex, bool octal, bool isSigned,
                   int step);
    void followBuddy();

    CNumEdit* buddy_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    bool alignRight_ = true;
};

}  // namespace vanta
