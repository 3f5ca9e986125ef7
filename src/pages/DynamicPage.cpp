#include "pages/DynamicPage.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalBlocker>

#include "model/CDynamic.h"
#include "pages/DynamicTextGrid.h"
#include "project/Project.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/RegisterBinding.h"

namespace vanta {

namespace {

void fillCombo(QComboBox* combo, const std::vector<std::string>& names, int selected) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& name : names)
        combo->addItem(QString::fromStdString(name));
    combo->setCurrentIndex(selected < combo->count() ? selected : -1);
}

}  // namespace

DynamicPage::DynamicPage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* group = addOuterGroup(tr("动态文本属性"));
    auto* columns = new QHBoxLayout(group);
    QGridLayout* left = newGrid();
    left->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(left);

    NumberRow x = makeNumberRow(tr("X:"), group);
    NumberRow y = makeNumberRow(tr("Y:"), group);
    x.setNames(QStringLiteral("x"));
    y.setNames(QStringLiteral("y"));
    c_.x = x.edit;
    c_.xSpin = x.spin;
    c_.y = y.edit;
    c_.ySpin = y.spin;
    auto* position = new QHBoxLayout;
    position->addWidget(x.label);
    position->addWidget(x.field);
    position->addSpacing(8);
    position->addWidget(y.label);
    position->addWidget(y.field);
    position->addStretch(1);
    left->addLayout(position, 0, 0);

    c_.doubleSize = new QCheckBox(tr("倍角"), group);
    c_.inverse = new QCheckBox(tr("反相"), group);
    auto* looks = new QHBoxLayout;
    looks->addWidget(c_.doubleSize);
    looks->addWidget(c_.inverse);
    looks->addStretch(1);
    left->addLayout(looks, 1, 0);

    binding_ = new RegisterBinding(RegisterBinding::Order::TypeFirst, group);
    left->addWidget(binding_, 2, 0);
    c_.station = binding_->station.edit;
    c_.stationSpin = binding_->station.spin;
    c_.type = binding_->type;
    c_.address = binding_->address.edit;
    c_.addressSpin = binding_->address.spin;
    c_.subAddress = binding_->subAddress.edit;
    c_.subAddressSpin = binding_->subAddress.spin;
    c_.subTypeLabel = binding_->subTypeLabel;
    c_.subType = binding_->subType;

    c_.modeHex = new QRadioButton(tr("HEX/BCD"), binding_);
    c_.modeDecimal = new QRadioButton(tr("十进制"), binding_);
    modeGroup_ = new QButtonGroup(this);
    modeGroup_->addButton(c_.modeHex, 0);
    modeGroup_->addButton(c_.modeDecimal, 1);
    auto* modes = new QHBoxLayout;
    modes->addWidget(c_.modeHex);
    modes->addWidget(c_.modeDecimal);
    binding_->addRow(new QLabel(tr("模式:"), binding_), modes,
                     RegisterBinding::Place::AfterSubType);
    c_.isSigned = new QCheckBox(tr("有符号数"), binding_);
    binding_->addRow(nullptr, c_.isSigned, RegisterBinding::Place::AfterSubType);
    left->setRowStretch(3, 1);

    c_.textGroup = new QGroupBox(tr("显示文本"), group);
    auto* textLayout = new QVBoxLayout(c_.textGroup);
    textLayout->setContentsMargins(4, 4, 4, 4);
    c_.grid = new DynamicTextGrid(c_.textGroup);
    textLayout->addWidget(c_.grid);
    columns->addWidget(c_.textGroup, 1);

    c_.doubleSize->setObjectName("doubleSize");
    c_.inverse->setObjectName("inverse");
    c_.modeHex->setObjectName("hexMode");
    c_.modeDecimal->setObjectName("decimalMode");
    c_.isSigned->setObjectName("signed");
    c_.grid->setObjectName("grid");

    connect(c_.xSpin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (dynamic_) {
            dynamic_->onPagePositionChanged();
            changed();
        }
    });
    connect(c_.ySpin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (dynamic_) {
            dynamic_->onPagePositionChanged();
            changed();
        }
    });
    connect(c_.doubleSize, &QCheckBox::clicked, this, &DynamicPage::onDoubleSizeClicked);
    connect(c_.inverse, &QCheckBox::clicked, this, [this](bool checked) {
        if (dynamic_) {
            dynamic_->m_inverse = checked ? 1 : 0;
            changed();
        }
    });
    connect(c_.stationSpin, &CNumSpinCtrl::valueChanged, this, &DynamicPage::changed);
    connect(c_.subAddressSpin, &CNumSpinCtrl::valueChanged, this, &DynamicPage::changed);
    connect(c_.addressSpin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (dynamic_) {
            dynamic_->onPageProtocol31Changed();
            changed();
        }
    });
    connect(c_.type, &QComboBox::currentIndexChanged, this, &DynamicPage::onTypeChanged);
    connect(c_.subType, &QComboBox::currentIndexChanged, this, &DynamicPage::onSubTypeChanged);
    connect(modeGroup_, &QButtonGroup::idClicked, this, &DynamicPage::onModeClicked);
    connect(c_.isSigned, &QCheckBox::clicked, this, &DynamicPage::onSignedClicked);
    connect(c_.grid, &DynamicTextGrid::entryChanged, this, [this] {
        refreshPositionRanges();
        changed();
    });
    connect(c_.grid, &DynamicTextGrid::textRefused, this, &DynamicPage::onTextRefused);
}

uint8_t DynamicPage::panelStation() const {
    return project_ ? project_->comm.panelStation : 0;
}

void DynamicPage::changed() {
    if (dynamic_)
        emit componentChanged();
}

void DynamicPage::fill(CBase& component, Project& project) {
    auto* dynamic = dynamic_cast<CDynamic*>(&component);
    if (!dynamic)
        return;
    dynamic_ = dynamic;
    project_ = &project;
    // Under protocol 31 the type value and parameter number follow the module and parameter.
    dynamic_->updateProtocol31Values();
    load();
}

void DynamicPage::release() {
    for (CNumEdit* edit : {c_.x, c_.y, c_.station, c_.address, c_.subAddress})
        edit->unbind();
    c_.grid->unbind();
    dynamic_ = nullptr;
}

void DynamicPage::setCoordinates(int32_t x, int32_t y) {
    if (!dynamic_)
        return;
    c_.xSpin->setPosition(x);
    c_.ySpin->setPosition(y);
}

void DynamicPage::load() {
    CDynamic& d = *dynamic_;
    const DynamicPageState state = d.pageState(panelStation());
    c_.xSpin->bind(d.m_x, state.x.min, state.x.max);
    c_.ySpin->bind(d.m_y, state.y.min, state.y.max);
    c_.doubleSize->setChecked(d.m_doubleSize != 0);
    c_.inverse->setChecked(d.m_inverse != 0);
    bindStation();

    fillCombo(c_.type, state.typeNames, d.m_regType);
    if (state.octalAddress) {
        c_.addressSpin->bindOctal(d.m_address, state.address.min, state.address.max, true);
    } else {
        c_.addressSpin->bind(d.m_address, state.address.min, state.address.max, state.hexAddress);
    }
    // A hidden sub-address edit stays unbound: under protocol 31 the field holds the
    // parameter number, which its range would clamp.
    if (state.subAddressShown)
        c_.subAddressSpin->bind(d.m_subAddress, state.subAddress.min, state.subAddress.max);
    else
        c_.subAddress->unbind();
    binding_->setSubAddressShown(state.subAddressShown);
    binding_->setSubTypeShown(state.subTypeShown);
    loadSubTypes();

    (d.m_displayMode == 0 ? c_.modeHex : c_.modeDecimal)->setChecked(true);
    c_.isSigned->setChecked(d.m_signed != 0);
    c_.isSigned->setEnabled(state.signedEnabled);

    c_.grid->bind(d);
    c_.grid->setValueEntry(state.values, state.valuesSigned, state.valuesHex);
}

void DynamicPage::bindStation() {
    CDynamic& d = *dynamic_;
    const DynamicPageState state = d.pageState(panelStation());
    c_.stationSpin->bind(d.m_station, state.station.min, state.station.max, state.hexAddress);
}

void DynamicPage::loadSubTypes() {
    CDynamic& d = *dynamic_;
    const DynamicPageState state = d.pageState(panelStation());
    fillCombo(c_.subType, state.subTypeNames, d.m_subType);
}

void DynamicPage::refreshValues() {
    CDynamic& d = *dynamic_;
    const DynamicPageState state = d.pageState(panelStation());
    c_.grid->hideEditors();
    c_.grid->setValueEntry(state.values, state.valuesSigned, state.valuesHex);
    c_.grid->refill();
}

void DynamicPage::refreshPositionRanges() {
    c_.xSpin->setRange(0, dynamic_->pageXMaximum());
    c_.ySpin->setRange(0, dynamic_->pageYMaximum());
}

void DynamicPage::onModeClicked(int mode) {
    if (!dynamic_)
        return;
    CDynamic& d = *dynamic_;
    const uint8_t wasMode = d.m_displayMode;
    const uint8_t wasSigned = d.m_signed;
    d.onPageModeChanged(static_cast<uint8_t>(mode));
    // "HEX/BCD" takes the sign away: the values follow the unsigned range as well.
    if (d.m_signed != wasSigned)
        d.onPageSignedChanged();
    c_.isSigned->setChecked(d.m_signed != 0);
    c_.isSigned->setEnabled(d.m_displayMode != 0);
    if (d.m_displayMode != wasMode || d.m_signed != wasSigned) {
        loadSubTypes();
        refreshValues();
    }
    changed();
}

void DynamicPage::onSignedClicked(bool checked) {
    if (!dynamic_)
        return;
    dynamic_->m_signed = checked ? 1 : 0;
    dynamic_->onPageSignedChanged();
    loadSubTypes();
    refreshValues();
    changed();
}

void DynamicPage::onTypeChanged(int index) {
    if (!dynamic_ || index < 0)
        return;
    dynamic_->m_regType = static_cast<uint8_t>(index);
    dynamic_->onPageTypeChanged(panelStation());
    bindStation();
    loadSubTypes();
    refreshValues();
    changed();
}

void DynamicPage::onSubTypeChanged(int index) {
    if (!dynamic_ || index < 0)
        return;
    dynamic_->m_subType = static_cast<uint8_t>(index);
    dynamic_->onPageProtocol31Changed();
    changed();
}

void DynamicPage::onDoubleSizeClicked(bool checked) {
    if (!dynamic_)
        return;
    dynamic_->m_doubleSize = checked ? 1 : 0;
    dynamic_->onPageSizeChanged();
    refreshPositionRanges();
    changed();
}

void DynamicPage::onTextRefused(const QString& message) {
    QMessageBox::warning(this, QApplication::applicationDisplayName(), message);
}

}  // namespace vanta
