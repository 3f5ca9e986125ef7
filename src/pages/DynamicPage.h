#pragma once
// The property page of the dynamic text ("动态文本属性"): position, double size and inverse, the
// register binding (station, type, address, sub-address, protocol 31's sub-type), the display
// mode and the signed option, and the value/text grid on the "显示文本" group. Every control
// writes into the dynamic text at once and the page applies the rules of CDynamic.

#include <cstdint>

#include "pages/PageWidgets.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace vanta {

class CDynamic;
class CNumEdit;
class CNumSpinCtrl;
class DynamicTextGrid;
class RegisterBinding;

class DynamicPage : public ComponentPage {
    Q_OBJECT
  public:
    explicit DynamicPage(QWidget* parent = nullptr);

    void fill(CBase& component, Project& project) override;
    void setCoordinates(int32_t x, int32_t y) override;

    // The controls, for the view's tests and this page's own.
    struct Controls {
        CNumEdit* x = nullptr;
        CNumSpinCtrl* xSpin = nullptr;
        CNumEdit* y = nullptr;
        CNumSpinCtrl* ySpin = nullptr;
        QCheckBox* doubleSize = nullptr;  // "倍角"
        QCheckBox* inverse = nullptr;     // "反相"
        CNumEdit* station = nullptr;      // "局号:"
        CNumSpinCtrl* stationSpin = nullptr;
        QComboBox* type = nullptr;  // "类型:"
        CNumEdit* address = nullptr;
        CNumSpinCtrl* addressSpin = nullptr;
        CNumEdit* subAddress = nullptr;
        CNumSpinCtrl* subAddressSpin = nullptr;
        QLabel* subTypeLabel = nullptr;  // "子类型:"
        QComboBox* subType = nullptr;
        QRadioButton* modeHex = nullptr;      // "HEX/BCD", mode 0
        QRadioButton* modeDecimal = nullptr;  // "十进制", mode 1
        QCheckBox* isSigned = nullptr;        // "有符号数"
        QGroupBox* textGroup = nullptr;       // "显示文本"
        DynamicTextGrid* grid = nullptr;
    };
    const Controls& controls() const { return c_; }

  protected:
    // The page was hidden: it lets go of the dynamic text, which may be deleted meanwhile.
    void release() override;

  private:
    uint8_t panelStation() const;
    // Shows the fields of the dynamic text in the controls and binds the numeric ones.
    void load();
    void bindStation();
    void loadSubTypes();
    // Range and entry of the grid's value editor, which is hidden; the grid is shown again.
    void refreshValues();
    void refreshPositionRanges();
    void changed();

    void onModeClicked(int mode);
    void onSignedClicked(bool checked);
    void onTypeChanged(int index);
    void onSubTypeChanged(int index);
    void onDoubleSizeClicked(bool checked);
    void onTextRefused(const QString& message);

    Controls c_;
    QButtonGroup* modeGroup_ = nullptr;
    RegisterBinding* binding_ = nullptr;
    CDynamic* dynamic_ = nullptr;
    Project* project_ = nullptr;
};

}  // namespace vanta
