#include "pages/FunctionPage.h"
#include "widgets/FormWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

#include "model/CFunction.h"
#include "model/FunctionPageRules.h"
#include "project/Project.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

namespace vanta {

namespace {

QRadioButton* radio(const QString& text, QWidget* parent, int x, int y, int width,
                    QButtonGroup* group, int id) {
    auto* button = new QRadioButton(text, parent);
    button->setGeometry(x, y, width, 22);
    group->addButton(button, id);
    return button;
}

QCheckBox* check(const QString& text, QWidget* parent, int x, int y, int width) {
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(x, y, width, 22);
    return box;
}

void fillCombo(QComboBox* combo, const std::vector<std::string>& names, int selected) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& name : names)
        combo->addItem(QString::fromStdString(name));
    combo->setCurrentIndex(selected < combo->count() ? selected : -1);
}

void selectCombo(QComboBox* combo, int selected) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(selected < combo->count() ? selected : -1);
}

// A list index of the key that lies outside the list it selects from starts over at the first
// entry (an empty list leaves it alone).
bool clampIndex(uint8_t& index, size_t count) {
    if (count == 0 || index < count)
        return false;
    index = 0;
    return true;
}

// Checks the radio of `id`; no radio is checked for an id without one.
void checkRadio(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void bindSpin(CNumSpinCtrl* spin, uint16_t& field, const SpinRange& range) {
    if (range.entry == NumberEntry::Octal)
        spin->bindOctal(field, static_cast<double>(range.min), static_cast<double>(range.max),
                        true);
    else
        spin->bind(field, static_cast<double>(range.min), static_cast<double>(range.max),
                   range.entry == NumberEntry::Hex);
}

void bindSpin(CNumSpinCtrl* spin, uint8_t& field, const SpinRange& range) {
    spin->bind(field, static_cast<double>(range.min), static_cast<double>(range.max),
               range.entry == NumberEntry::Hex);
}

}  // namespace

FunctionPage::FunctionPage(QWidget* parent) : ComponentPage(parent) {
    buildKeyPage();
    buildCoilPage();
    buildJumpPage();
    buildRecipePage();
    for (QWidget* page : {c_.coilPage, c_.jumpPage, c_.recipePage}) {
        page->setGeometry(c_.lowerGroup->geometry());
        page->hide();
    }
    c_.inverse->setObjectName("inverse");
    c_.doubleSize->setObjectName("doubleSize");
    c_.key->setObjectName("key");
    c_.hand->setObjectName("hand");
    c_.invisible->setObjectName("invisible");
    c_.encrypted->setObjectName("encrypted");
    c_.type->setObjectName("type");
    c_.subType->setObjectName("subType");
    c_.format->setObjectName("format");
    c_.recipeType->setObjectName("recipeType");
    connectControls();
}

void FunctionPage::buildKeyPage() {
    auto* page = new QGroupBox(tr("功能键属性"), this);
    page->setGeometry(0, 0, 512, 230);

    auto* position = new QGroupBox(tr("坐标"), this);
    position->setGeometry(8, 16, 110, 76);
    placeLabel(tr("X:"), position, 8, 20, 18);
    c_.xSpin = placeNumberPair(position, 28, 20, 74, c_.x, "x");
    placeLabel(tr("Y:"), position, 8, 48, 18);
    c_.ySpin = placeNumberPair(position, 28, 48, 74, c_.y, "y");

    auto* options = new QGroupBox(tr("特性"), this);
    options->setGeometry(122, 16, 64, 76);
    c_.inverse = check(tr("反相"), options, 8, 20, 54);
    c_.doubleSize = check(tr("倍角"), options, 8, 48, 54);

    auto* key = new QGroupBox(tr("功能键"), this);
    key->setGeometry(190, 16, 314, 76);
    placeLabel(tr("键:"), key, 8, 20, 26);
    c_.key = new QComboBox(key);
    c_.key->setGeometry(34, 20, 90, 22);
    c_.hand = check(tr("手形"), key, 132, 20, 58);
    c_.invisible = check(tr("隐形"), key, 192, 20, 58);
    c_.encrypted = check(tr("加密"), key, 252, 20, 58);
    actionGroup_ = new QButtonGroup(this);
    c_.action[kActionSetCoil] = radio(tr("设定线圈"), key, 8, 48, 76, actionGroup_, kActionSetCoil);
    c_.action[kActionJump] = radio(tr("画面跳转"), key, 84, 48, 76, actionGroup_, kActionJump);
    c_.action[kActionSetRegister] =
        radio(tr("设定寄存器"), key, 160, 48, 92, actionGroup_, kActionSetRegister);
    c_.action[kActionRecipe] = radio(tr("配方"), key, 252, 48, 58, actionGroup_, kActionRecipe);

    c_.lowerGroup = new QGroupBox(this);
    c_.lowerGroup->setGeometry(8, 94, 496, 130);
}

void FunctionPage::buildCoilPage() {
    c_.coilPage = new QWidget(this);
    auto* group = new QGroupBox(tr("线圈"), c_.coilPage);
    group->setGeometry(0, 0, 496, 130);

    placeLabel(tr("局号:"), group, 10, 22, 42);
    c_.stationSpin = placeNumberPair(group, 52, 22, 72, c_.station, "station");
    placeLabel(tr("类型:"), group, 136, 22, 42);
    c_.type = new QComboBox(group);
    c_.type->setGeometry(178, 22, 84, 22);
    c_.subTypeLabel = placeLabel(tr("子类型:"), group, 272, 22, 52);
    c_.subType = new QComboBox(group);
    c_.subType->setGeometry(326, 22, 150, 22);

    placeLabel(tr("地址:"), group, 10, 54, 42);
    c_.addressSpin = placeNumberPair(group, 52, 54, 86, c_.address, "address");
    c_.bitNumberSpin = placeNumberPair(group, 144, 54, 52, c_.bitNumber, "bitNumber");
    c_.valueLabel = placeLabel(tr("参数:"), group, 210, 54, 42);
    c_.valueSpin = placeNumberPair(group, 252, 54, 116, c_.value, "value");
    c_.format = new QComboBox(group);
    c_.format->setGeometry(376, 54, 100, 22);

    coilGroup_ = new QButtonGroup(this);
    c_.coil[kCoilOn] = radio(tr("设定为ON"), group, 10, 92, 92, coilGroup_, kCoilOn);
    c_.coil[kCoilOff] = radio(tr("设定为OFF"), group, 104, 92, 100, coilGroup_, kCoilOff);
    c_.coil[kCoilToggle] = radio(tr("取反"), group, 206, 92, 64, coilGroup_, kCoilToggle);
    c_.coil[kCoilMomentary] = radio(tr("瞬时ON"), group, 272, 92, 84, coilGroup_, kCoilMomentary);
}

void FunctionPage::buildJumpPage() {
    c_.jumpPage = new QWidget(this);
    auto* group = new QGroupBox(tr("画面"), c_.jumpPage);
    group->setGeometry(0, 0, 496, 130);

    placeLabel(tr("跳转至:"), group, 10, 30, 60);
    jumpGroup_ = new QButtonGroup(this);
    c_.jump[kJumpScreen] = radio(tr("画面"), group, 74, 30, 64, jumpGroup_, kJumpScreen);
    c_.screenSpin = placeNumberPair(group, 140, 30, 90, c_.screen, "screen");
    c_.jump[kJumpAlarmList] = radio(tr("报警列表"), group, 74, 64, 100, jumpGroup_, kJumpAlarmList);
}

void FunctionPage::buildRecipePage() {
    c_.recipePage = new QWidget(this);
    auto* group = new QGroupBox(tr("配方"), c_.recipePage);
    group->setGeometry(0, 0, 496, 130);

    recipeGroup_ = new QButtonGroup(this);
    c_.recipe[kRecipeUpload] = radio(tr("上传"), group, 10, 22, 64, recipeGroup_, kRecipeUpload);
    c_.recipe[kRecipeDownload] =
        radio(tr("下载"), group, 76, 22, 64, recipeGroup_, kRecipeDownload);
    c_.recipe[kRecipeIncreaseBase] =
        radio(tr("基址增加"), group, 142, 22, 90, recipeGroup_, kRecipeIncreaseBase);
    c_.recipe[kRecipeDecreaseBase] =
        radio(tr("基址减少"), group, 234, 22, 90, recipeGroup_, kRecipeDecreaseBase);

    placeLabel(tr("局号:"), group, 10, 56, 42);
    c_.recipeStationSpin = placeNumberPair(group, 52, 56, 72, c_.recipeStation, "recipeStation");
    placeLabel(tr("类型:"), group, 136, 56, 42);
    c_.recipeType = new QComboBox(group);
    c_.recipeType->setGeometry(178, 56, 84, 22);
    placeLabel(tr("目标地址:"), group, 272, 56, 66);
    c_.targetSpin = placeNumberPair(group, 340, 56, 96, c_.target, "target");

    c_.lengthLabel = placeLabel(tr("长度:"), group, 10, 92, 58);
    c_.lengthSpin = placeNumberPair(group, 70, 92, 86, c_.length, "length");
    c_.limitLabel = placeLabel(tr("上下限:"), group, 172, 92, 58);
    c_.limitSpin = placeNumberPair(group, 232, 92, 86, c_.limit, "limit");
}

void FunctionPage::connectControls() {
    auto position = [this] {
        if (key_) {
            key_->applyPagePosition();
            changed();
        }
    };
    connect(c_.xSpin, &CNumSpinCtrl::valueChanged, this, position);
    connect(c_.ySpin, &CNumSpinCtrl::valueChanged, this, position);
    for (QCheckBox* box : {c_.inverse, c_.doubleSize, c_.hand, c_.invisible, c_.encrypted})
        connect(box, &QCheckBox::clicked, this,
                [this, box](bool checked) { onOptionClicked(box, checked); });
    connect(c_.key, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (key_ && index >= 0) {
            key_->m_displayKind = static_cast<uint8_t>(index);
            changed();
        }
    });
    connect(actionGroup_, &QButtonGroup::idClicked, this, &FunctionPage::onActionClicked);

    connect(coilGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (key_ && pageControls().storesCoilRadio) {
            key_->SetDisplayMode(static_cast<uint8_t>(id), 2);
            changed();
        }
    });
    connect(jumpGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (key_) {
            key_->SetDisplayMode(static_cast<uint8_t>(id), 3);
            applyState();
            changed();
        }
    });
    connect(recipeGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (key_) {
            key_->SetDisplayMode(static_cast<uint8_t>(id), 4);
            applyState();
            changed();
        }
    });

    connect(c_.type, &QComboBox::currentIndexChanged, this, &FunctionPage::onTypeChanged);
    connect(c_.subType, &QComboBox::currentIndexChanged, this, &FunctionPage::onSubTypeChanged);
    connect(c_.format, &QComboBox::currentIndexChanged, this, &FunctionPage::onFormatChanged);
    connect(c_.recipeType, &QComboBox::currentIndexChanged, this,
            &FunctionPage::onRecipeTypeChanged);
    connect(c_.addressSpin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (key_) {
            onKeyBindingChanged(*key_);
            changed();
        }
    });
    for (CNumSpinCtrl* spin : {c_.stationSpin, c_.bitNumberSpin, c_.valueSpin, c_.screenSpin,
                               c_.recipeStationSpin, c_.targetSpin, c_.lengthSpin, c_.limitSpin})
        connect(spin, &CNumSpinCtrl::valueChanged, this, &FunctionPage::changed);
}

uint8_t FunctionPage::panelStation() const {
    return project_ ? project_->comm.panelStation : 0;
}

KeyPageControls FunctionPage::pageControls() const {
    return keyPageControls(*key_, panelStation());
}

void FunctionPage::changed() {
    if (key_)
        emit componentChanged();
}

void FunctionPage::fill(CBase& component, Project& project) {
    auto* key = dynamic_cast<CFunction*>(&component);
    if (!key)
        return;
    key_ = key;
    project_ = &project;
    reload();
}

void FunctionPage::setCoordinates(int32_t x, int32_t y) {
    if (!key_)
        return;
    c_.xSpin->setPosition(x);
    c_.ySpin->setPosition(y);
}

void FunctionPage::release() {
    for (CNumEdit* edit : {c_.x, c_.y})
        edit->unbind();
    unbindSubPages();
    key_ = nullptr;
}

void FunctionPage::unbindSubPages() {
    for (CNumEdit* edit : {c_.station, c_.address, c_.bitNumber, c_.value, c_.screen,
                           c_.recipeStation, c_.target, c_.length, c_.limit})
        edit->unbind();
}

void FunctionPage::reload() {
    CFunction& k = *key_;
    // The sub-pages' controls let go of what they were bound to; those of the action's
    // sub-page are bound again below.
    unbindSubPages();

    applyKeyPageFill(k);
    const KeyPageControls pc = pageControls();
    fillCombo(c_.key, pc.keyNames, k.m_displayKind);
    loadChecks();
    c_.action[kActionSetCoil]->setEnabled(pc.setCoilEnabled);
    c_.action[kActionRecipe]->setVisible(pc.recipeEnabled);
    checkRadio(actionGroup_, k.m_actionKind);
    c_.xSpin->bind(k.m_x, 0, pc.xMax);
    c_.ySpin->bind(k.m_y, 0, pc.yMax);
    bindSubPage();
    applyState();
}

void FunctionPage::loadChecks() {
    const CFunction& k = *key_;
    c_.inverse->setChecked(k.m_inverse != 0);
    c_.doubleSize->setChecked(k.m_doubleSize != 0);
    c_.hand->setChecked(k.m_hand != 0);
    c_.invisible->setChecked(k.m_invisible != 0);
    c_.encrypted->setChecked(k.m_encrypted != 0);
    const bool enabled = k.m_invisible == 0;
    for (QCheckBox* box : {c_.hand, c_.inverse, c_.doubleSize})
        box->setEnabled(enabled);
}

void FunctionPage::bindSubPage() {
    const KeyPageControls pc = pageControls();
    switch (pc.subPage) {
        case KeySubPage::Coil:
            bindCoilPage(pc);
            break;
        case KeySubPage::Jump:
            bindJumpPage();
            break;
        case KeySubPage::Recipe:
            bindRecipePage(pc);
            break;
    }
}

void FunctionPage::bindCoilPage(const KeyPageControls& first) {
    CFunction& k = *key_;
    const bool typeClamped = clampIndex(k.m_regType, first.typeNames.size());
    const bool subTypeClamped = clampIndex(k.m_subType, keySubTypeNames(k).size());
    if (typeClamped || subTypeClamped)
        onKeyBindingChanged(k);
    const KeyPageControls pc = pageControls();
    fillCombo(c_.type, pc.typeNames, k.m_regType);
    fillCombo(c_.subType, pc.subTypeNames, k.m_subType);
    bindSpin(c_.stationSpin, k.m_station, pc.station);
    bindAddress(pc);
    fillCombo(c_.format, pc.formatNames, k.m_keyOption);
    checkRadio(coilGroup_, k.m_coilOperation);
    // The bit number and the value are bound while they are shown (applyState): a hidden one
    // must not clamp a field it does not edit (the parameter number under protocol 31, the
    // value of a set-coil key).
    c_.bitNumber->unbind();
    c_.value->unbind();
}

void FunctionPage::bindAddress(const KeyPageControls& pc) {
    bindSpin(c_.addressSpin, key_->m_address, pc.address);
}

void FunctionPage::bindValue(const KeyPageControls& pc) {
    CFunction& k = *key_;
    c_.valueSpin->bind(k.m_value, static_cast<double>(pc.value.min),
                       static_cast<double>(pc.value.max), pc.value.entry == NumberEntry::Hex,
                       k.m_keyOption == kFormatSigned);
}

void FunctionPage::bindJumpPage() {
    CFunction& k = *key_;
    checkRadio(jumpGroup_, k.m_jumpTarget);
    c_.screenSpin->bind(k.m_targetScreen, 1, 65535);
}

void FunctionPage::bindRecipePage(const KeyPageControls& pc) {
    CFunction& k = *key_;
    clampIndex(k.m_regType, pc.recipeTypeNames.size());
    fillCombo(c_.recipeType, pc.recipeTypeNames, k.m_regType);
    checkRadio(recipeGroup_, k.m_recipeOperation);
    bindSpin(c_.recipeStationSpin, k.m_station, pc.station);
    const SpinRange target = recipeTargetSpinRange(k.context().vocab(), k.m_regType);
    c_.targetSpin->bind(k.m_address, static_cast<double>(target.min),
                        static_cast<double>(target.max));
    c_.lengthSpin->bind(k.m_length, static_cast<double>(pc.length.min),
                        static_cast<double>(pc.length.max));
    c_.limitSpin->bind(k.m_limit, static_cast<double>(pc.limit.min),
                       static_cast<double>(pc.limit.max));
}

void FunctionPage::applyState() {
    CFunction& k = *key_;
    if (k.m_actionKind == kActionRecipe)
        applyRecipeState();
    const KeyPageControls pc = pageControls();

    c_.coilPage->setVisible(pc.subPage == KeySubPage::Coil);
    c_.jumpPage->setVisible(pc.subPage == KeySubPage::Jump);
    c_.recipePage->setVisible(pc.subPage == KeySubPage::Recipe);

    c_.screen->setEnabled(pc.jumpScreenEnabled);

    if (pc.subPage == KeySubPage::Coil) {
        c_.valueLabel->setVisible(pc.valueShown);
        c_.valueSpin->show(pc.valueShown);
        c_.format->setVisible(pc.valueShown);
        if (pc.valueShown && !c_.value->field().isBound())
            bindValue(pc);
        for (QRadioButton* button : c_.coil)
            button->setVisible(pc.coilRadiosShown);
        c_.bitNumberSpin->show(pc.bitNumberShown);
        if (pc.bitNumberShown && !c_.bitNumber->field().isBound())
            c_.bitNumberSpin->bind(k.m_subAddress, static_cast<double>(pc.bitNumber.min),
                                   static_cast<double>(pc.bitNumber.max));
        c_.subTypeLabel->setVisible(pc.subTypeShown);
        c_.subType->setVisible(pc.subTypeShown);
    }
    for (QCheckBox* box : {c_.hand, c_.inverse, c_.doubleSize})
        box->setEnabled(pc.optionChecksEnabled);
}

void FunctionPage::applyRecipeState() {
    CFunction& k = *key_;
    const RecipeControls r = applyRecipeOperation(k);
    c_.lengthLabel->setText(QString::fromStdString(r.lengthLabel));
    c_.lengthSpin->setRange(0, static_cast<double>(r.lengthMax));
    c_.limitLabel->setVisible(r.limitShown);
    if (r.limitShown)
        c_.limitLabel->setText(QString::fromStdString(r.limitLabel));
    c_.limitSpin->show(r.limitShown);
    // The forced type, address and limit show at once.
    selectCombo(c_.recipeType, k.m_regType);
    if (c_.target->field().isBound()) {
        const SpinRange target = recipeTargetSpinRange(k.context().vocab(), k.m_regType);
        c_.targetSpin->setRange(static_cast<double>(target.min), static_cast<double>(target.max));
        c_.targetSpin->setPosition(k.m_address);
    }
    if (c_.limit->field().isBound())
        c_.limitSpin->setPosition(k.m_limit);
    // After the ranges, which enable an edit whose range is not empty.
    c_.recipeType->setEnabled(r.bindingEnabled);
    c_.target->setEnabled(r.bindingEnabled);
    c_.recipeStation->setEnabled(r.bindingEnabled);
}

void FunctionPage::refreshPositionRanges() {
    c_.xSpin->setRange(0, key_->pageXMaximum());
    c_.ySpin->setRange(0, key_->pageYMaximum());
}

void FunctionPage::onActionClicked(int action) {
    if (!key_)
        return;
    key_->SetDisplayMode(static_cast<uint8_t>(action), 1);
    if (action == kActionSetCoil || action == kActionSetRegister) {
        // The two actions use different type lists: the whole page is loaded again.
        reload();
    } else {
        bindSubPage();
        applyState();
    }
    changed();
}

void FunctionPage::onOptionClicked(QCheckBox* box, bool checked) {
    if (!key_)
        return;
    CFunction& k = *key_;
    const uint8_t value = checked ? 1 : 0;
    if (box == c_.inverse) {
        k.m_inverse = value;
    } else if (box == c_.encrypted) {
        k.m_encrypted = value;
    } else {
        if (box == c_.hand)
            k.m_hand = value;
        else if (box == c_.doubleSize)
            k.m_doubleSize = value;
        else if (box == c_.invisible) {
            k.m_invisible = value;
            applyKeyInvisible(k);
        }
        loadChecks();
        k.Refit();
        refreshPositionRanges();
    }
    changed();
}

void FunctionPage::onTypeChanged(int index) {
    if (!key_ || index < 0)
        return;
    CFunction& k = *key_;
    k.m_regType = static_cast<uint8_t>(index);
    clampIndex(k.m_subType, keySubTypeNames(k).size());
    onKeyBindingChanged(k);
    const KeyPageControls pc = pageControls();
    fillCombo(c_.subType, pc.subTypeNames, k.m_subType);
    bindAddress(pc);
    if (pc.valueShown)
        bindValue(pc);
    // The bit number's visibility may follow the type: bind it afresh when it is shown.
    c_.bitNumber->unbind();
    applyState();
    changed();
}

void FunctionPage::onSubTypeChanged(int index) {
    if (!key_ || index < 0)
        return;
    key_->m_subType = static_cast<uint8_t>(index);
    onKeyBindingChanged(*key_);
    // Under protocol 31 the parameter decides the value's width.
    const KeyPageControls pc = pageControls();
    if (pc.valueShown)
        bindValue(pc);
    changed();
}

void FunctionPage::onFormatChanged(int index) {
    if (!key_ || index < 0)
        return;
    CFunction& k = *key_;
    k.m_keyOption = static_cast<uint8_t>(index);
    applyKeyFormat(k);
    const KeyPageControls pc = pageControls();
    if (pc.valueShown)
        bindValue(pc);
    k.Refit();
    changed();
}

void FunctionPage::onRecipeTypeChanged(int index) {
    if (!key_ || index < 0)
        return;
    CFunction& k = *key_;
    k.m_regType = static_cast<uint8_t>(index);
    const SpinRange target = recipeTargetSpinRange(k.context().vocab(), k.m_regType);
    c_.targetSpin->setRange(static_cast<double>(target.min), static_cast<double>(target.max));
    applyState();
    changed();
}

}  // namespace vanta
