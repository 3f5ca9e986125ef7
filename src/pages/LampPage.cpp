#include "pages/LampPage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "model/CLight.h"
#include "project/Project.h"

namespace vanta {

LampPage::LampPage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* g = addOuterGroup(tr("指示灯属性"));
    auto* columns = new QHBoxLayout(g);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    QGridLayout* place = nullptr;
    left->addWidget(gridGroup(tr("坐标"), g, place));
    x_ = makeNumberRow(tr("X:"), g);
    y_ = makeNumberRow(tr("Y:"), g);
    addGridRow(place, x_);
    addGridRow(place, y_);
    QBoxLayout* look = nullptr;
    left->addWidget(boxGroup(tr("特性"), g, look));
    doubleSize_ = new BoundCheckBox(tr("倍角"), g);
    look->addWidget(doubleSize_);
    QGridLayout* show = nullptr;
    left->addWidget(gridGroup(tr("显示"), g, show));
    shape_ = new BoundComboBox(g);
    shape_->setItems(QStringList{tr("圆形"), tr("方形")});
    addGridRow(show, makeLabel(tr("种类:"), shape_, g), shape_);
    logic_ = new BoundComboBox(g);
    logic_->setItems(QStringList{tr("正逻辑"), tr("负逻辑")});
    addGridRow(show, makeLabel(tr("逻辑:"), logic_, g), logic_);
    left->addStretch(1);

    QBoxLayout* coil = nullptr;
    columns->addWidget(boxGroup(tr("线圈"), g, coil), 1);
    binding_ = new RegisterBinding(RegisterBinding::Order::AddressFirst, g);
    coil->addWidget(binding_);
    coil->addStretch(1);
    station_ = binding_->station;
    address_ = binding_->address;
    bitNumber_ = binding_->subAddress;
    type_ = binding_->type;
    subType_ = binding_->subType;
    offset_ = makeNumberRow(tr("偏移:"), binding_);
    binding_->addRow(offset_);

    x_.setNames("x");
    y_.setNames("y");
    bitNumber_.setNames("bitNumber");
    offset_.setNames("offset");
    doubleSize_->setObjectName("doubleSize");
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
    RegisterBinding::bindRow(x_, lamp.m_x, SpinRange{0, c.xMax}, source);
    RegisterBinding::bindRow(y_, lamp.m_y, SpinRange{0, c.yMax}, source);
    RegisterBinding::bindRow(station_, lamp.m_station, c.station, source);
    RegisterBinding::bindRow(address_, lamp.m_address, c.address, source);
    // A hidden bit number is left alone (under protocol 31 the field holds the parameter number).
    if (c.bitNumberShown)
        RegisterBinding::bindRow(bitNumber_, lamp.m_subAddress, c.bitNumber, source);
    else
        bitNumber_.edit->unbind();
    RegisterBinding::bindRow(offset_, lamp.m_offset, c.offset, source);

    doubleSize_->refresh();
    type_->setItems(c.typeNames);
    subType_->setItems(c.subTypeNames);
    shape_->refresh();
    logic_->refresh();

    binding_->setSubAddressShown(c.bitNumberShown);
    offset_.setShown(c.offsetShown);
    binding_->setSubTypeShown(c.subTypeShown);
}

}  // namespace vanta
