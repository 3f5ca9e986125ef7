#include "pages/LampPage.h"

#include <QGroupBox>

#include "model/CLight.h"
#include "project/Project.h"

namespace vanta {

namespace {

constexpr int kRow = 30;

// Binds a spin with the entry the range asks for.
template <typename T>
void bindEntry(NumberRow& row, T& field, const SpinRange& range, const QObject* source) {
    if (row.edit == source) {
        row.spin->setRange(static_cast<double>(range.min), static_cast<double>(range.max));
        return;
    }
    if constexpr (std::is_same_v<T, uint16_t>) {
        if (range.entry == NumberEntry::Octal) {
            row.spin->bindOctal(field, static_cast<double>(range.min),
                                static_cast<double>(range.max), true);
            return;
        }
    }
    row.spin->bind(field, static_cast<double>(range.min), static_cast<double>(range.max),
                   range.entry == NumberEntry::Hex);
}

}  // namespace

LampPage::LampPage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* g = addGroup(tr("指示灯属性"), QRect(0, 0, kWidth, kHeight));

    QGroupBox* place = addGroup(tr("坐标"), QRect(10, 20, 170, 78), g);
    x_ = addNumberRow(tr("X:"), 12, 20, 30, 70, place);
    y_ = addNumberRow(tr("Y:"), 12, 48, 30, 70, place);
    QGroupBox* look = addGroup(tr("特性"), QRect(10, 102, 170, 46), g);
    doubleSize_ = addCheck(tr("倍角"), QRect(12, 18, 120, kRowHeight), look);
    QGroupBox* show = addGroup(tr("显示"), QRect(10, 152, 170, 72), g);
    addLabel(tr("种类:"), QRect(12, 18, 44, kRowHeight), show);
    shape_ = addCombo(QRect(56, 18, 100, kRowHeight), show);
    shape_->setItems(QStringList{tr("圆形"), tr("方形")});
    addLabel(tr("逻辑:"), QRect(12, 44, 44, kRowHeight), show);
    logic_ = addCombo(QRect(56, 44, 100, kRowHeight), show);
    logic_->setItems(QStringList{tr("正逻辑"), tr("负逻辑")});

    QGroupBox* coil = addGroup(tr("线圈"), QRect(190, 20, 312, 204), g);
    int y = 22;
    station_ = addNumberRow(tr("局号:"), 14, y, 60, 80, coil);
    address_ = addNumberRow(tr("地址:"), 14, y += kRow, 60, 80, coil);
    bitNumber_ = addNumberRow(QString(), 14 + 60 + 80 + CNumSpinCtrl::kWidth + 6, y, 0, 40, coil);
    addLabel(tr("类型:"), QRect(14, y += kRow, 60, kRowHeight), coil);
    type_ = addCombo(QRect(74, y, 96, kRowHeight), coil);
    offset_ = addNumberRow(tr("偏移:"), 14, y += kRow, 60, 80, coil);
    subTypeLabel_ = addLabel(tr("子类型:"), QRect(14, y += kRow, 60, kRowHeight), coil);
    subType_ = addCombo(QRect(74, y, 220, kRowHeight), coil);

    x_.setNames("x");
    y_.setNames("y");
    station_.setNames("station");
    address_.setNames("address");
    bitNumber_.setNames("bitNumber");
    offset_.setNames("offset");
    doubleSize_->setObjectName("doubleSize");
    type_->setObjectName("type");
    subType_->setObjectName("subType");
    shape_->setObjectName("shape");
    logic_->setObjectName("logic");

    for (NumberRow* row : {&x_, &y_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this] {
            if (!lamp_)
                return;
            lamp_->applyPagePosition();
            emit componentChanged();
        });
    }
    connect(doubleSize_, &BoundCheckBox::changedByUser, this, [this] {
        if (!lamp_)
            return;
        lamp_->Refit();
        changed(doubleSize_);
    });
    // The type, the parameter and the address decide the protocol-31 values.
    connect(type_, &BoundComboBox::changedByUser, this, [this] {
        if (!lamp_)
            return;
        onLampBindingChanged(*lamp_);
        changed(type_);
    });
    connect(subType_, &BoundComboBox::changedByUser, this, [this] {
        if (!lamp_)
            return;
        onLampBindingChanged(*lamp_);
        changed(subType_);
    });
    connect(address_.spin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (!lamp_)
            return;
        onLampBindingChanged(*lamp_);
        emit componentChanged();
    });
    for (NumberRow* row : {&station_, &bitNumber_, &offset_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this] {
            if (lamp_)
                emit componentChanged();
        });
    }
    for (BoundComboBox* combo : {shape_, logic_}) {
        connect(combo, &BoundComboBox::changedByUser, this, [this] {
            if (lamp_)
                emit componentChanged();
        });
    }
}

void LampPage::fill(CBase& component, Project& project) {
    release();
    lamp_ = dynamic_cast<CLight*>(&component);
    if (!lamp_)
        return;
    panelStation_ = project.comm.panelStation;
    doubleSize_->bind(lamp_->m_doubleSize);
    type_->bind(lamp_->m_regType);
    subType_->bind(lamp_->m_subType);
    shape_->bind(lamp_->m_displayKind);
    logic_->bind(lamp_->m_inverse);
    onLampBindingChanged(*lamp_);
    update(nullptr);
}

void LampPage::release() {
    lamp_ = nullptr;
    for (NumberRow* row : {&x_, &y_, &station_, &address_, &bitNumber_, &offset_})
        row->edit->unbind();
    doubleSize_->unbind();
    for (BoundComboBox* combo : {type_, subType_, shape_, logic_})
        combo->unbind();
}

void LampPage::setCoordinates(int32_t x, int32_t y) {
    x_.spin->setPosition(x);
    y_.spin->setPosition(y);
}

void LampPage::changed(const QObject* source) {
    update(source);
    emit componentChanged();
}

void LampPage::update(const QObject* source) {
    CLight& lamp = *lamp_;
    const LampPageControls c = lampPageControls(lamp, panelStation_);
    bindEntry(x_, lamp.m_x, SpinRange{0, c.xMax}, source);
    bindEntry(y_, lamp.m_y, SpinRange{0, c.yMax}, source);
    bindEntry(station_, lamp.m_station, c.station, source);
    bindEntry(address_, lamp.m_address, c.address, source);
    // A hidden bit number is left alone (under protocol 31 the field holds the parameter number).
    if (c.bitNumberShown)
        bindEntry(bitNumber_, lamp.m_subAddress, c.bitNumber, source);
    else
        bitNumber_.edit->unbind();
    bindEntry(offset_, lamp.m_offset, c.offset, source);

    doubleSize_->refresh();
    type_->setItems(c.typeNames);
    subType_->setItems(c.subTypeNames);
    shape_->refresh();
    logic_->refresh();

    bitNumber_.setShown(c.bitNumberShown);
    offset_.setShown(c.offsetShown);
    subTypeLabel_->setVisible(c.subTypeShown);
    subType_->setVisible(c.subTypeShown);
}

}  // namespace vanta
