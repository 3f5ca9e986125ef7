#pragma once
// The page of the lamp ("指示灯属性"): position, double size, the coil (station, address and bit
// number, type, offset, protocol-31 parameter) and the display (shape and logic).

#include "model/LightPageRules.h"
#include "pages/PageWidgets.h"
#include "widgets/RegisterBinding.h"

namespace vanta {

class LampPage : public ComponentPage {
    Q_OBJECT
  public:
    explicit LampPage(QWidget* parent = nullptr);

    void fill(CBase& component, Project& project) override;
    void setCoordinates(int32_t x, int32_t y) override;

  protected:
    void release() override;

  private:
    // Shows the lamp's fields and what the page offers for them again; `source`, the control in
    // use, keeps its text and only takes its new range.
    void update(const QObject* source);
    void changed(const QObject* source);

    CLight* lamp_ = nullptr;
    uint8_t panelStation_ = 0;

    NumberRow x_, y_, station_, address_, bitNumber_, offset_;
    BoundCheckBox* doubleSize_ = nullptr;
    BoundComboBox* type_ = nullptr;
    BoundComboBox* subType_ = nullptr;
    RegisterBinding* binding_ = nullptr;
    BoundComboBox* shape_ = nullptr;
    BoundComboBox* logic_ = nullptr;
};

}  // namespace vanta
