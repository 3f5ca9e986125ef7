#include "pages/FunctionPage.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

#include "model/CFunction.h"
#include "model/FunctionPageRules.h"
#include "project/Project.h"
#include "qtsupport/CoreText.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/RegisterBinding.h"

namespace vanta {

namespace {

QRadioButton* radio(const QString& text, QWidget* parent, QButtonGroup* group, int id) {
    auto* button = new QRadioButton(text, parent);
    group->addButton(button, id);
    return button;
}

QCheckBox* check(const QString& text, QWidget* parent) {
    return new QCheckBox(text, parent);
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
    auto* lower = new QVBoxLayout(c_.lowerArea);
    lower->setContentsMargins(0, 0, 0, 0);
    for (QWidget* page : {c_.coilPage, c_.jumpPage, c_.recipePage}) {
        lower->addWidget(page);
        page->hide();
    }
    c_.inverse->setObjectName("inverse");
    c_.doubleSize->setObjectName("doubleSize");
    c_.key->setObjectName("key");
    c_.hand->setObjectName("hand");
    c_.invisible->setObjectName("invisible");
    c_.encrypted->setObjectName("encrypted");
    c_.format->setObjectName("format");
    c_.recipeType->setObjectName("recipeType");
    connectControls();
}

void FunctionPage::buildKeyPage() {
    QGroupBox* page = addOuterGroup(tr("功能键属性"));
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    QGridLayout* position = nullptr;
    top->addWidget(gridGroup(tr("坐标"), page, position));
    NumberRow x = makeNumberRow(tr("X:"), page);
    NumberRow y = makeNumberRow(tr("Y:"), page);
    x.setNames(QStringLiteral("x"));
    y.setNames(QStringLiteral("y"));
    addGridRow(position, x);
    addGridRow(position, y);
    c_.x = x.edit;
    c_.xSpin = x.spin;
    c_.y = y.edit;
    c_.ySpin = y.spin;

    QBoxLayout* options = nullptr;
    top->addWidget(boxGroup(tr("特性"), page, options));
    c_.inverse = check(tr("反相"), page);
    c_.doubleSize = check(tr("倍角"), page);
    options->addWidget(c_.inverse);
    options->addWidget(c_.doubleSize);

    QGridLayout* key = nullptr;
    top->addWidget(gridGroup(tr("功能键"), page, key), 1);
    c_.key = new QComboBox(page);
    c_.key->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    c_.hand = check(tr("手形"), page);
    c_.invisible = check(tr("隐形"), page);
    c_.encrypted = check(tr("加密"), page);
    auto* keyRow = new QHBoxLayout;
    keyRow->setSpacing(6);
    keyRow->addWidget(makeLabel(tr("键:"), c_.key, page));
    keyRow->addWidget(c_.key);
    keyRow->addStretch(1);
    key->addLayout(keyRow, 0, 0, 1, 2);
    auto* checks = new QHBoxLayout;
    for (QCheckBox* box : {c_.hand, c_.invisible, c_.encrypted})
        checks->addWidget(box);
    checks->addStretch(1);
    key->addLayout(checks, 1, 0, 1, 2);
    // The four actions in two rows of two.
    actionGroup_ = new QButtonGroup(this);
    c_.action[kActionSetCoil] = radio(tr("设定线圈"), page, actionGroup_, kActionSetCoil);
    c_.action[kActionJump] = radio(tr("画面跳转"), page, actionGroup_, kActionJump);
    c_.action[kActionSetRegister] = radio(tr("设定寄存器"), page, actionGroup_, kActionSetRegister);
    c_.action[kActionRecipe] = radio(tr("配方"), page, actionGroup_, kActionRecipe);
    key->addWidget(c_.action[kActionSetCoil], 2, 0);
    key->addWidget(c_.action[kActionJump], 2, 1);
    key->addWidget(c_.action[kActionSetRegister], 3, 0);
    key->addWidget(c_.action[kActionRecipe], 3, 1);

    c_.lowerArea = new QWidget(page);
    layout->addWidget(c_.lowerArea);
    layout->addStretch(1);
}

void FunctionPage::buildCoilPage() {
    QBoxLayout* box = nullptr;
    c_.coilPage = boxGroup(tr("线圈"), this, box);
    coilBinding_ = new RegisterBinding(RegisterBinding::Order::SideBySide, c_.coilPage);
    box->addWidget(coilBinding_);
    c_.station = coilBinding_->station.edit;
    c_.stationSpin = coilBinding_->station.spin;
    c_.type = coilBinding_->type;
    c_.subTypeLabel = coilBinding_->subTypeLabel;
    c_.subType = coilBinding_->subType;
    c_.address = coilBinding_->address.edit;
    c_.addressSpin = coilBinding_->address.spin;
    c_.bitNumber = coilBinding_->subAddress.edit;
    c_.bitNumberSpin = coilBinding_->subAddress.spin;
    coilBinding_->subAddress.setNames(QStringLiteral("bitNumber"));

    NumberRow value = makeNumberRow(tr("参数:"), coilBinding_);
    value.setNames(QStringLiteral("value"));
    c_.valueLabel = value.label;
    c_.value = value.edit;
    c_.valueSpin = value.spin;
    c_.format = new QComboBox(coilBinding_);
    c_.format->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    value.box->addSpacing(8);
    value.box->addWidget(c_.format);
    coilBinding_->addRow(value, RegisterBinding::Place::AfterSubType);

    coilGroup_ = new QButtonGroup(this);
    c_.coil[kCoilOn] = radio(tr("设定为ON"), c_.coilPage, coilGroup_, kCoilOn);
    c_.coil[kCoilOff] = radio(tr("设定为OFF"), c_.coilPage, coilGroup_, kCoilOff);
    c_.coil[kCoilToggle] = radio(tr("取反"), c_.coilPage, coilGroup_, kCoilToggle);
    c_.coil[kCoilMomentary] = radio(tr("瞬时ON"), c_.coilPage, coilGroup_, kCoilMomentary);
    auto* coil = new QHBoxLayout;
    for (QRadioButton* button : c_.coil)
        coil->addWidget(button);
    coil->addStretch(1);
    box->addLayout(coil);
}

void FunctionPage::buildJumpPage() {
    QGridLayout* grid = nullptr;
    c_.jumpPage = gridGroup(tr("画面"), this, grid);
    jumpGroup_ = new QButtonGroup(this);
    c_.jump[kJumpScreen] = radio(tr("画面"), c_.jumpPage, jumpGroup_, kJumpScreen);
    c_.jump[kJumpAlarmList] = radio(tr("报警列表"), c_.jumpPage, jumpGroup_, kJumpAlarmList);
    NumberRow screen = makeNumberRow(QString(), c_.jumpPage);
    screen.setNames(QStringLiteral("screen"));
    c_.screen = screen.edit;
    c_.screenSpin = screen.spin;
    grid->addWidget(new QLabel(tr("跳转至:"), c_.jumpPage), 0, 0);
    grid->addWidget(c_.jump[kJumpScreen], 0, 1);
    grid->addWidget(screen.field, 0, 2, Qt::AlignLeft);
    grid->addWidget(c_.jump[kJumpAlarmList], 1, 1);
    grid->setColumnStretch(3, 1);
}

void FunctionPage::buildRecipePage() {
    QGridLayout* grid = nullptr;
    c_.recipePage = gridGroup(tr("配方"), this, grid);
    QWidget* page = c_.recipePage;
    recipeGroup_ = new QButtonGroup(this);
    c_.recipe[kRecipeUpload] = radio(tr("上传"), page, recipeGroup_, kRecipeUpload);
    c_.recipe[kRecipeDownload] = radio(tr("下载"), page, recipeGroup_, kRecipeDownload);
    c_.recipe[kRecipeIncreaseBase] = radio(tr("基址增加"), page, recipeGroup_, kRecipeIncreaseBase);
    c_.recipe[kRecipeDecreaseBase] = radio(tr("基址减少"), page, recipeGroup_, kRecipeDecreaseBase);
    auto* operations = new QHBoxLayout;
    for (QRadioButton* button : c_.recipe)
        operations->addWidget(button);
    operations->addStretch(1);
    grid->addLayout(operations, 0, 0, 1, 6);

    NumberRow station = makeNumberRow(tr("局号:"), page);
    station.setNames(QStringLiteral("recipeStation"));
    c_.recipeStation = station.edit;
    c_.recipeStationSpin = station.spin;
    c_.recipeType = new QComboBox(page);
    c_.recipeType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    NumberRow target = makeNumberRow(tr("目标地址:"), page);
    target.setNames(QStringLiteral("target"));
    c_.target = target.edit;
    c_.targetSpin = target.spin;
    NumberRow length = makeNumberRow(QStringLiteral("-"), page);
    length.setNames(QStringLiteral("length"));
    c_.lengthLabel = length.label;
    c_.lengthLabel->setText(tr("长度:"));
    c_.length = length.edit;
    c_.lengthSpin = length.spin;
    NumberRow limit = makeNumberRow(QStringLiteral("-"), page);
    limit.setNames(QStringLiteral("limit"));
    c_.limitLabel = limit.label;
    c_.limitLabel->setText(tr("上下限:"));
    c_.limit = limit.edit;
    c_.limitSpin = limit.spin;

    // The binding in one row (station, type, target address); length and limit below.
    grid->addWidget(station.label, 1, 0);
    grid->addWidget(station.field, 1, 1, Qt::AlignLeft);
    grid->addWidget(makeLabel(tr("类型:"), c_.recipeType, page), 1, 2);
    grid->addWidget(c_.recipeType, 1, 3, Qt::AlignLeft);
    grid->addWidget(target.label, 1, 4);
    grid->addWidget(target.field, 1, 5, Qt::AlignLeft);
    grid->addWidget(c_.lengthLabel, 2, 0);
    grid->addWidget(length.field, 2, 1, Qt::AlignLeft);
    grid->addWidget(c_.limitLabel, 2, 2);
    grid->addWidget(limit.field, 2, 3, Qt::AlignLeft);
    grid->setColumnStretch(2, 0);
    grid->setColumnStretch(6, 1);
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
    // The key names are the core's: shown in the interface's language.
    std::vector<std::string> keyNames;
    for (const std::string& name : pc.keyNames)
        keyNames.push_back(translateCoreText(name).toStdString());
    fillCombo(c_.key, keyNames, k.m_displayKind);
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
        coilBinding_->setSubTypeShown(pc.subTypeShown);
    }
    for (QCheckBox* box : {c_.hand, c_.inverse, c_.doubleSize})
        box->setEnabled(pc.optionChecksEnabled);
}

void FunctionPage::applyRecipeState() {
    CFunction& k = *key_;
    const RecipeControls r = applyRecipeOperation(k);
    c_.lengthLabel->setText(translateCoreText(r.lengthLabel));
    c_.lengthSpin->setRange(0, static_cast<double>(r.lengthMax));
    c_.limitLabel->setVisible(r.limitShown);
    if (r.limitShown)
        c_.limitLabel->setText(translateCoreText(r.limitLabel));
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
