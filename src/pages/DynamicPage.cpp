#include "pages/DynamicPage.h"
#include "widgets/FormWidgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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
    auto* group = new QGroupBox(tr("动态文本属性"), this);
    group->setGeometry(0, 0, 512, 230);

    placeLabel(tr("X:"), this, 12, 24, 20);
    c_.xSpin = placeNumberPair(this, 34, 24, 64, c_.x, "x");
    placeLabel(tr("Y:"), this, 112, 24, 20);
    c_.ySpin = placeNumberPair(this, 134, 24, 64, c_.y, "y");

    c_.doubleSize = new QCheckBox(tr("倍角"), this);
    c_.doubleSize->setGeometry(12, 52, 80, 22);
    c_.inverse = new QCheckBox(tr("反相"), this);
    c_.inverse->setGeometry(112, 52, 80, 22);

    placeLabel(tr("局号:"), this, 12, 80, 46);
    c_.stationSpin = placeNumberPair(this, 60, 80, 64, c_.station, "station");

    placeLabel(tr("类型:"), this, 12, 108, 46);
    c_.type = new QComboBox(this);
    c_.type->setGeometry(60, 108, 74, 22);
    c_.subTypeLabel = placeLabel(tr("子类型:"), this, 138, 108, 50);
    c_.subType = new QComboBox(this);
    c_.subType->setGeometry(188, 108, 62, 22);

    placeLabel(tr("地址:"), this, 12, 136, 46);
    c_.addressSpin = placeNumberPair(this, 60, 136, 80, c_.address, "address");
    c_.subAddressSpin = placeNumberPair(this, 146, 136, 52, c_.subAddress, "subAddress");

    placeLabel(tr("模式:"), this, 12, 164, 46);
    c_.modeHex = new QRadioButton(tr("HEX/BCD"), this);
    c_.modeHex->setGeometry(60, 164, 86, 22);
    c_.modeDecimal = new QRadioButton(tr("十进制"), this);
    c_.modeDecimal->setGeometry(150, 164, 80, 22);
    modeGroup_ = new QButtonGroup(this);
    modeGroup_->addButton(c_.modeHex, 0);
    modeGroup_->addButton(c_.modeDecimal, 1);

    c_.isSigned = new QCheckBox(tr("有符号数"), this);
    c_.isSigned->setGeometry(60, 192, 100, 22);

    c_.textGroup = new QGroupBox(tr("显示文本"), this);
    c_.textGroup->setGeometry(256, 16, 248, 206);
    c_.grid = new DynamicTextGrid(c_.textGroup);
    c_.grid->setGeometry(8, 22, 232, 176);

    c_.doubleSize->setObjectName("doubleSize");
    c_.inverse->setObjectName("inverse");
    c_.type->setObjectName("type");
    c_.subType->setObjectName("subType");
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
    c_.subAddressSpin->show(state.subAddressShown);
    c_.subTypeLabel->setVisible(state.subTypeShown);
    c_.subType->setVisible(state.subTypeShown);
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
