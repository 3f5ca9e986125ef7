#pragma once
// The page of the register ("寄存器属性"): position, size attributes, digits and decimals, number
// mode, the PLC binding, entry options and the input and engineering limits. Every change is
// written into the register and the page's rules (RegisterPageRules.h) are applied at once.

#include <QRadioButton>
#include <array>

#include "model/RegisterPageRules.h"
#include "pages/PageWidgets.h"
#include "widgets/RegisterBinding.h"

namespace vanta {

class RegisterPage : public ComponentPage {
    Q_OBJECT
  public:
    explicit RegisterPage(QWidget* parent = nullptr);

    void fill(CBase& component, Project& project) override;
    void setCoordinates(int32_t x, int32_t y) override;

  protected:
    void release() override;

  private:
    // Shows the register's fields and the page state again. `source` (the control the user is
    // using) keeps its text and only takes its new range.
    void update(const QObject* source);
    void changed(const QObject* source);
    void onLimitChanged(RegisterLimit which);
    NumberRow& limitRow(RegisterLimit which);
    int32_t& limitField(RegisterLimit which);

    CRegister* reg_ = nullptr;
    uint8_t panelStation_ = 0;
    bool limitsShownSigned_ = false;           // signedness the limit edits show
    std::array<int32_t, 4> acceptedLimits_{};  // the limits as accepted last

    NumberRow x_, y_, digits_, decimals_, station_, address_, count_, subAddress_;
    NumberRow inputHigh_, inputLow_, engHigh_, engLow_;
    BoundCheckBox* doubleSize_ = nullptr;
    BoundCheckBox* inverse_ = nullptr;
    BoundCheckBox* signed_ = nullptr;
    BoundCheckBox* settable_ = nullptr;
    BoundCheckBox* limits_ = nullptr;
    BoundCheckBox* password_ = nullptr;
    QRadioButton* hexMode_ = nullptr;
    QRadioButton* decimalMode_ = nullptr;
    BoundComboBox* type_ = nullptr;
    BoundComboBox* subType_ = nullptr;
    RegisterBinding* binding_ = nullptr;
    BoundComboBox* dataKind_ = nullptr;
};

}  // namespace vanta
