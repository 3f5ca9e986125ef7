#include "pages/RegisterPage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <type_traits>
#include <utility>

#include "model/CRegister.h"
#include "project/Project.h"

namespace vanta {

RegisterPage::RegisterPage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* g = addOuterGroup(tr("寄存器属性"));
    auto* columns = new QHBoxLayout(g);

    // Position, size attributes and the number format.
    QGridLayout* format = newGrid();
    format->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(format);
    x_ = makeNumberRow(tr("X:"), g);
    y_ = makeNumberRow(tr("Y:"), g);
    addGridRow(format, x_);
    addGridRow(format, y_);
    doubleSize_ = new BoundCheckBox(tr("倍角"), g);
    inverse_ = new BoundCheckBox(tr("反相"), g);
    auto* looks = new QHBoxLayout;
    looks->addWidget(doubleSize_);
    looks->addWidget(inverse_);
    format->addLayout(looks, format->rowCount(), 0, 1, 2);
    digits_ = makeNumberRow(tr("位数:"), g);
    decimals_ = makeNumberRow(tr("小数位:"), g);
    addGridRow(format, digits_);
    addGridRow(format, decimals_);
    signed_ = new BoundCheckBox(tr("有符号数"), g);
    format->addWidget(signed_, format->rowCount(), 0, 1, 2);
    hexMode_ = new QRadioButton(tr("HEX/BCD"), g);
    decimalMode_ = new QRadioButton(tr("十进制"), g);
    auto* modes = new QVBoxLayout;
    modes->setSpacing(0);
    modes->addWidget(hexMode_);
    modes->addWidget(decimalMode_);
    const int modeRow = addGridRow(format, new QLabel(tr("模式:"), g), modes);
    format->setAlignment(format->itemAtPosition(modeRow, 0)->widget(), Qt::AlignTop);
    format->setRowStretch(format->rowCount(), 1);

    // The PLC binding and the entry options.
    binding_ = new RegisterBinding(RegisterBinding::Order::TypeFirst, g);
    station_ = binding_->station;
    address_ = binding_->address;
    subAddress_ = binding_->subAddress;
    type_ = binding_->type;
    subType_ = binding_->subType;
    count_ = makeNumberRow(tr("寄存器个数:"), binding_);
    binding_->addRow(count_);
    settable_ = new BoundCheckBox(tr("设定"), binding_);
    password_ = new BoundCheckBox(tr("加密"), binding_);
    auto* entry = new QHBoxLayout;
    entry->addWidget(settable_);
    entry->addWidget(password_);
    entry->addStretch(1);
    binding_->addRow(nullptr, entry, RegisterBinding::Place::AfterSubType);
    limits_ = new BoundCheckBox(tr("上下限"), binding_);
    binding_->addRow(nullptr, limits_, RegisterBinding::Place::AfterSubType);
    dataKind_ = new BoundComboBox(binding_);
    dataKind_->setItems(QStringList{tr("原始数据"), tr("工程数据")});
    binding_->addRow(nullptr, dataKind_, RegisterBinding::Place::AfterSubType);
    auto* middle = new QVBoxLayout;
    middle->addWidget(binding_);
    middle->addStretch(1);
    columns->addLayout(middle);

    // The limits, each label over its field: the labels are long in some languages.
    auto* limits = new QVBoxLayout;
    limits->setSpacing(2);
    inputHigh_ = makeNumberRow(tr("输入上限:"), g);
    inputLow_ = makeNumberRow(tr("输入下限:"), g);
    engHigh_ = makeNumberRow(tr("工程量上限:"), g);
    engLow_ = makeNumberRow(tr("工程量下限:"), g);
    for (const NumberRow* row : {&inputHigh_, &inputLow_, &engHigh_, &engLow_}) {
        limits->addWidget(row->label);
        limits->addWidget(row->field);
        limits->addSpacing(2);
    }
    limits->addStretch(1);
    columns->addLayout(limits);

    const std::pair<NumberRow*, const char*> rows[] = {{&x_, "x"},
                                                       {&y_, "y"},
                                                       {&digits_, "digits"},
                                                       {&decimals_, "decimals"},
                                                       {&count_, "count"},
                                                       {&inputHigh_, "inputHigh"},
                                                       {&inputLow_, "inputLow"},
                                                       {&engHigh_, "engHigh"},
                                                       {&engLow_, "engLow"}};
    for (const auto& [row, name] : rows)
        row->setNames(name);
    doubleSize_->setObjectName("doubleSize");
    inverse_->setObjectName("inverse");
    signed_->setObjectName("signed");
    settable_->setObjectName("settable");
    limits_->setObjectName("limits");
    password_->setObjectName("password");
    hexMode_->setObjectName("hexMode");
    decimalMode_->setObjectName("decimalMode");
    dataKind_->setObjectName("dataKind");

    // X or Y: the register moves.
    for (NumberRow* row : {&x_, &y_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this] {
            if (!reg_)
                return;
            registerPagePositionChanged(*reg_);
            emit componentChanged();
        });
    }
    // Digits and decimals: while a number is being typed only the size follows it; the other
    // field follows the committed value, so typing "10" into the digits never passes through a
    // digit count of 1 that would pull the decimals down.
    for (NumberRow* row : {&digits_, &decimals_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this, row] {
            if (!reg_)
                return;
            reg_->Refit();
            changed(row->edit);
        });
        connect(row->edit, &CNumEdit::committed, this, [this, row] {
            if (!reg_)
                return;
            const uint8_t digits = reg_->m_digits, decimals = reg_->m_decimals;
            if (row == &digits_)
                registerPageDigitsChanged(*reg_);
            else
                registerPageDecimalsChanged(*reg_);
            if (reg_->m_digits != digits || reg_->m_decimals != decimals)
                changed(row->edit);
        });
    }
    // Double size, signed and the register count change the shape of the data.
    connect(doubleSize_, &BoundCheckBox::changedByUser, this, [this] {
        if (!reg_)
            return;
        registerPageShapeChanged(*reg_, limitsShownSigned_);
        changed(doubleSize_);
    });
    connect(signed_, &BoundCheckBox::changedByUser, this, [this] {
        if (!reg_)
            return;
        registerPageShapeChanged(*reg_, limitsShownSigned_);
        changed(signed_);
    });
    connect(count_.spin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (!reg_)
            return;
        registerPageShapeChanged(*reg_, limitsShownSigned_);
        changed(count_.edit);
    });
    for (QRadioButton* radio : {hexMode_, decimalMode_}) {
        connect(radio, &QRadioButton::clicked, this, [this, radio] {
            if (!reg_)
                return;
            registerPageModeChanged(*reg_, radio == hexMode_ ? 0 : 1);
            changed(radio);
        });
    }
    connect(type_, &BoundComboBox::changedByUser, this, [this] {
        if (!reg_)
            return;
        registerPageTypeChanged(*reg_, panelStation_);
        changed(type_);
    });
    connect(subType_, &BoundComboBox::changedByUser, this, [this] {
        if (!reg_)
            return;
        registerPageSubTypeChanged(*reg_);
        changed(subType_);
    });
    connect(address_.spin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (!reg_)
            return;
        registerPageAddressChanged(*reg_);
        emit componentChanged();
    });
    connect(settable_, &BoundCheckBox::changedByUser, this, [this] {
        if (!reg_)
            return;
        registerPageSettableChanged(*reg_);
        changed(settable_);
    });
    connect(limits_, &BoundCheckBox::changedByUser, this, [this] {
        if (reg_)
            changed(limits_);
    });
    // Changes that need no rule.
    for (NumberRow* row : {&station_, &subAddress_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this] {
            if (reg_)
                emit componentChanged();
        });
    }
    for (BoundCheckBox* check : {inverse_, password_}) {
        connect(check, &BoundCheckBox::changedByUser, this, [this] {
            if (reg_)
                emit componentChanged();
        });
    }
    connect(dataKind_, &BoundComboBox::changedByUser, this, [this] {
        if (reg_)
            emit componentChanged();
    });
    for (RegisterLimit which : {RegisterLimit::InputHigh, RegisterLimit::InputLow,
                                RegisterLimit::EngHigh, RegisterLimit::EngLow}) {
        connect(limitRow(which).spin, &CNumSpinCtrl::valueChanged, this,
                [this, which] { onLimitChanged(which); });
    }
}

NumberRow& RegisterPage::limitRow(RegisterLimit which) {
    switch (which) {
        case RegisterLimit::InputHigh:
            return inputHigh_;
        case RegisterLimit::InputLow:
            return inputLow_;
        case RegisterLimit::EngHigh:
            return engHigh_;
        case RegisterLimit::EngLow:
        default:
            return engLow_;
    }
}

int32_t& RegisterPage::limitField(RegisterLimit which) {
    switch (which) {
        case RegisterLimit::InputHigh:
            return reg_->m_inputHigh;
        case RegisterLimit::InputLow:
            return reg_->m_inputLow;
        case RegisterLimit::EngHigh:
            return reg_->m_engHigh;
        case RegisterLimit::EngLow:
        default:
            return reg_->m_engLow;
    }
}

void RegisterPage::fill(CBase& component, Project& project) {
    release();
    reg_ = dynamic_cast<CRegister*>(&component);
    if (!reg_)
        return;
    panelStation_ = project.comm.panelStation;
    doubleSize_->bind(reg_->m_doubleSize);
    inverse_->bind(reg_->m_inverse);
    signed_->bind(reg_->m_signed);
    settable_->bind(reg_->m_settable);
    limits_->bind(reg_->m_limits);
    password_->bind(reg_->m_password);
    type_->bind(reg_->m_regType);
    subType_->bind(reg_->m_subType);
    dataKind_->bind(reg_->m_dataKind);
    // Protocol 31: the type value, parameter number and block word follow the selection.
    reg_->updateProtocol31Values();
    update(nullptr);
}

void RegisterPage::release() {
    reg_ = nullptr;
    for (NumberRow* row : {&x_, &y_, &digits_, &decimals_, &station_, &address_, &count_,
                           &subAddress_, &inputHigh_, &inputLow_, &engHigh_, &engLow_})
        row->edit->unbind();
    for (BoundCheckBox* check : {doubleSize_, inverse_, signed_, settable_, limits_, password_})
        check->unbind();
    for (BoundComboBox* combo : {type_, subType_, dataKind_})
        combo->unbind();
}

void RegisterPage::setCoordinates(int32_t x, int32_t y) {
    x_.spin->setPosition(x);
    y_.spin->setPosition(y);
}

void RegisterPage::changed(const QObject* source) {
    update(source);
    emit componentChanged();
}

void RegisterPage::update(const QObject* source) {
    CRegister& r = *reg_;
    const RegisterPageState s = registerPageState(r, panelStation_);

    // The control in use keeps its text; every other one shows its field again.
    auto bind = [source](NumberRow& row, auto& field, double min, double max, bool hex = false,
                         bool isSigned = false, bool octal = false) {
        if (row.edit == source) {
            row.spin->setRange(min, max);
            return;
        }
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, uint16_t>) {
            if (octal) {
                row.spin->bindOctal(field, min, max, true);
                return;
            }
        }
        row.spin->bind(field, min, max, hex, isSigned);
    };
    bind(x_, r.m_x, s.x.min, s.x.max);
    bind(y_, r.m_y, s.y.min, s.y.max);
    bind(digits_, r.m_digits, s.digits.min, s.digits.max);
    bind(decimals_, r.m_decimals, s.decimals.min, s.decimals.max);
    bind(station_, r.m_station, s.station.min, s.station.max, s.hexAddress);
    bind(address_, r.m_address, s.address.min, s.address.max, s.hexAddress, false, s.octalAddress);
    bind(count_, r.m_regCount, s.count.min, s.count.max);
    // A hidden sub-address is left alone (under protocol 31 the field holds the parameter number).
    if (s.subAddressShown && !r.context().profile().moduleAddressing)
        bind(subAddress_, r.m_subAddress, s.subAddress.min, s.subAddress.max);
    else
        subAddress_.edit->unbind();
    for (RegisterLimit which : {RegisterLimit::InputHigh, RegisterLimit::InputLow,
                                RegisterLimit::EngHigh, RegisterLimit::EngLow}) {
        NumberRow& row = limitRow(which);
        if (row.edit == source)
            continue;
        row.spin->bind(limitField(which), s.limits.min, s.limits.max, false, s.limitsSigned);
    }
    limitsShownSigned_ = s.limitsSigned;
    acceptedLimits_ = {r.m_inputHigh, r.m_inputLow, r.m_engHigh, r.m_engLow};

    for (BoundCheckBox* check : {doubleSize_, inverse_, signed_, settable_, limits_, password_})
        check->refresh();
    hexMode_->setChecked(r.m_displayMode == 0);
    decimalMode_->setChecked(r.m_displayMode != 0);
    type_->setItems(s.typeNames);
    subType_->setItems(s.subTypeNames);
    dataKind_->refresh();

    signed_->setEnabled(s.signedEnabled);
    decimals_.setAllowed(s.decimalsEnabled);
    settable_->setEnabled(s.settableEnabled);
    password_->setEnabled(s.passwordEnabled);
    inputHigh_.setAllowed(s.limitControlsEnabled);
    inputLow_.setAllowed(s.limitControlsEnabled);
    dataKind_->setEnabled(s.limitControlsEnabled);
    count_.setAllowed(s.countEditable);

    count_.setShown(s.countShown);
    binding_->setSubTypeShown(s.subTypeShown);
    binding_->setSubAddressShown(s.subAddressShown && !r.context().profile().moduleAddressing);
}

void RegisterPage::onLimitChanged(RegisterLimit which) {
    if (!reg_)
        return;
    NumberRow& row = limitRow(which);
    int32_t& field = limitField(which);
    // The rule decides from the typed text what the limit becomes, starting from the value
    // accepted last.
    field = acceptedLimits_[static_cast<size_t>(which)];
    const std::string typed = row.edit->text().toStdString();
    const std::string shown = registerPageLimitTyped(*reg_, which, typed);
    if (shown != typed)
        row.spin->setPosition(field);
    acceptedLimits_[static_cast<size_t>(which)] = field;
    emit componentChanged();
}

}  // namespace vanta
