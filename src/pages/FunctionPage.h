#pragma once
// The property page of the function key ("功能键属性"): position, inverse and double size, the
// key, hand / invisible / encrypted and the action kind, with the sub-page of the action in the
// lower group box: "线圈" (set coil and set register: station, type, address and bit number,
// protocol 31's sub-type, value and data format, the coil operation), "画面" (jump to a screen or
// to the alarm list) and "配方" (recipe transfer or base step: station, type, target address,
// length or step, upper or lower limit). Every control writes into the key at once; the page
// applies the rules of FunctionPageRules.

#include <cstdint>

#include "pages/PageWidgets.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace vanta {

class CFunction;
class CNumEdit;
class CNumSpinCtrl;
class RegisterBinding;
struct KeyPageControls;

class FunctionPage : public ComponentPage {
    Q_OBJECT
  public:
    explicit FunctionPage(QWidget* parent = nullptr);

    void fill(CBase& component, Project& project) override;
    void setCoordinates(int32_t x, int32_t y) override;

    // The controls of the page and its sub-pages.
    struct Controls {
        // key page
        CNumEdit* x = nullptr;
        CNumSpinCtrl* xSpin = nullptr;
        CNumEdit* y = nullptr;
        CNumSpinCtrl* ySpin = nullptr;
        QCheckBox* inverse = nullptr;     // "反相"
        QCheckBox* doubleSize = nullptr;  // "倍角"
        QComboBox* key = nullptr;         // "键:"
        QCheckBox* hand = nullptr;        // "手形"
        QCheckBox* invisible = nullptr;   // "隐形"
        QCheckBox* encrypted = nullptr;   // "加密"
        QRadioButton* action[4] = {};  // "设定线圈", "画面跳转", "设定寄存器", "配方"
        QWidget* lowerArea = nullptr;     // where the active sub-page sits
        QGroupBox* coilPage = nullptr;    // "线圈"
        QGroupBox* jumpPage = nullptr;    // "画面"
        QGroupBox* recipePage = nullptr;  // "配方"

        // coil and register sub-page
        CNumEdit* station = nullptr;
        CNumSpinCtrl* stationSpin = nullptr;
        QComboBox* type = nullptr;
        QLabel* subTypeLabel = nullptr;  // "子类型:"
        QComboBox* subType = nullptr;
        CNumEdit* address = nullptr;
        CNumSpinCtrl* addressSpin = nullptr;
        CNumEdit* bitNumber = nullptr;
        CNumSpinCtrl* bitNumberSpin = nullptr;
        QLabel* valueLabel = nullptr;  // "参数:"
        CNumEdit* value = nullptr;
        CNumSpinCtrl* valueSpin = nullptr;
        QComboBox* format = nullptr;
        QRadioButton* coil[4] = {};  // "设定为ON", "设定为OFF", "取反", "瞬时ON"

        // jump sub-page
        QRadioButton* jump[2] = {};  // "画面", "报警列表"
        CNumEdit* screen = nullptr;
        CNumSpinCtrl* screenSpin = nullptr;

        // recipe sub-page
        QRadioButton* recipe[4] = {};  // "上传", "下载", "基址增加", "基址减少"
        CNumEdit* recipeStation = nullptr;
        CNumSpinCtrl* recipeStationSpin = nullptr;
        QComboBox* recipeType = nullptr;
        CNumEdit* target = nullptr;  // "目标地址:"
        CNumSpinCtrl* targetSpin = nullptr;
        QLabel* lengthLabel = nullptr;
        CNumEdit* length = nullptr;
        CNumSpinCtrl* lengthSpin = nullptr;
        QLabel* limitLabel = nullptr;
        CNumEdit* limit = nullptr;
        CNumSpinCtrl* limitSpin = nullptr;
    };
    const Controls& controls() const { return c_; }

  protected:
    // The page was hidden: it lets go of the key, which may be deleted meanwhile.
    void release() override;

  private:
    void unbindSubPages();
    void buildKeyPage();
    void buildCoilPage();
    void buildJumpPage();
    void buildRecipePage();
    void connectControls();

    uint8_t panelStation() const;
    KeyPageControls pageControls() const;
    // Loads the whole page from the key (the pending reload of "设定线圈" and "设定寄存器").
    void reload();
    // Binds the controls of the sub-page of the current action.
    void bindSubPage();
    void bindCoilPage(const KeyPageControls& controls);
    void bindJumpPage();
    void bindRecipePage(const KeyPageControls& controls);
    void bindValue(const KeyPageControls& controls);
    void bindAddress(const KeyPageControls& controls);
    // Shows the sub-page of the action and what it shows for the key; applies the recipe
    // operation's forced values.
    void applyState();
    void applyRecipeState();
    void loadChecks();
    void loadSubTypes();
    void refreshPositionRanges();
    void changed();

    void onActionClicked(int action);
    void onOptionClicked(QCheckBox* box, bool checked);
    void onTypeChanged(int index);
    void onSubTypeChanged(int index);
    void onFormatChanged(int index);
    void onRecipeTypeChanged(int index);

    Controls c_;
    QButtonGroup* actionGroup_ = nullptr;
    QButtonGroup* coilGroup_ = nullptr;
    QButtonGroup* jumpGroup_ = nullptr;
    QButtonGroup* recipeGroup_ = nullptr;
    RegisterBinding* coilBinding_ = nullptr;
    CFunction* key_ = nullptr;
    Project* project_ = nullptr;
};

}  // namespace vanta
