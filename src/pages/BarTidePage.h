#pragma once
// The page shared by the bar graph and the trend: position, size, the register binding, the
// number mode, the two scale values, and the bar's direction or the trend's points and sampling
// interval. The outer group's caption names the class.

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

#include "model/CBarTide.h"
#include "pages/PageWidgets.h"
#include "widgets/RegisterBinding.h"

namespace vanta {

class CBar;
class CTide;

class BarTidePage : public ComponentPage {
    Q_OBJECT
  public:
    explicit BarTidePage(QWidget* parent = nullptr);

    void fill(CBase& component, Project& project) override;
    // Also resets the width and height ranges, which depend on the position.
    void setCoordinates(int32_t x, int32_t y) override;

  protected:
    void release() override;

  private:
    // Shows the fields and the ranges again; `source`, the control in use, keeps its text and
    // only takes its new range.
    void update(const QObject* source);
    void changed(const QObject* source);
    // "有符号数", the type or the register count changed (`shownSigned`: how the scale edits
    // showed the values until now).
    void dataShapeChanged(bool shownSigned);
    void onScaleChanged(bool full);

    CBarTide* item_ = nullptr;
    CBar* bar_ = nullptr;
    CTide* tide_ = nullptr;
    uint8_t panelStation_ = 0;
    CBarTide::Range scaleRange_;
    int32_t acceptedFull_ = 0;  // scale values as accepted last
    int32_t acceptedZero_ = 0;

    QGroupBox* outer_ = nullptr;
    NumberRow x_, y_, width_, height_, station_, address_, bitNumber_, count_;
    NumberRow full_, zero_, points_, interval_;
    QLabel* pointsUnit_ = nullptr;
    QLabel* intervalUnit_ = nullptr;
    BoundComboBox* type_ = nullptr;
    BoundComboBox* subType_ = nullptr;
    RegisterBinding* binding_ = nullptr;
    QRadioButton* hexMode_ = nullptr;
    QRadioButton* decimalMode_ = nullptr;
    BoundCheckBox* signed_ = nullptr;
    QLabel* directionLabel_ = nullptr;
    QComboBox* direction_ = nullptr;
};

}  // namespace vanta
