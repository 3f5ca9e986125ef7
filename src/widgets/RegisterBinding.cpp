#include "widgets/RegisterBinding.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>

#include "widgets/CNumEdit.h"

namespace vanta {

namespace {
// Rows of the grid: the binding's own first, the page's rows before the sub-type from
// kBeforeSubType, the sub-type at kSubTypeRow, the page's rows after it from kAfterSubType.
// Rows left empty take no room.
constexpr int kBeforeSubType = 3;
constexpr int kSubTypeRow = 20;
constexpr int kAfterSubType = 21;
constexpr Qt::Alignment kFieldAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}  // namespace

RegisterBinding::RegisterBinding(Order order, QWidget* parent) : QWidget(parent) {
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setColumnStretch(2, 1);

    station = makeNumberRow(tr("局号:"), this);
    address = makeNumberRow(tr("地址:"), this);
    subAddress = makeNumberRow(QString(), this);
    type = new BoundComboBox(this);
    typeLabel = makeLabel(tr("类型:"), type, this);
    subType = new BoundComboBox(this);
    subTypeLabel = makeLabel(tr("子类型:"), subType, this);

    auto* addressBox = new QHBoxLayout;
    addressBox->setContentsMargins(0, 0, 0, 0);
    addressBox->addWidget(address.field);
    addressBox->addWidget(subAddress.field);

    nextBefore_ = kBeforeSubType;
    nextAfter_ = kAfterSubType;
    if (order == Order::SideBySide) {
        grid_->setColumnStretch(2, 0);
        grid_->setColumnStretch(4, 1);
        grid_->addWidget(station.label, 0, 0);
        grid_->addWidget(station.field, 0, 1, kFieldAlignment);
        grid_->addWidget(typeLabel, 0, 2);
        grid_->addWidget(type, 0, 3, kFieldAlignment);
        grid_->addWidget(address.label, 1, 0);
        grid_->addLayout(addressBox, 1, 1, kFieldAlignment);
        grid_->addWidget(subTypeLabel, 1, 2);
        grid_->addWidget(subType, 1, 3, kFieldAlignment);
        span_ = 3;
    } else {
        const int typeRow = order == Order::TypeFirst ? 1 : 2;
        const int addressRow = order == Order::TypeFirst ? 2 : 1;
        grid_->addWidget(station.label, 0, 0);
        grid_->addWidget(station.field, 0, 1, kFieldAlignment);
        grid_->addWidget(typeLabel, typeRow, 0);
        grid_->addWidget(type, typeRow, 1, kFieldAlignment);
        grid_->addWidget(address.label, addressRow, 0);
        grid_->addLayout(addressBox, addressRow, 1, kFieldAlignment);
        grid_->addWidget(subTypeLabel, kSubTypeRow, 0);
        grid_->addWidget(subType, kSubTypeRow, 1, kFieldAlignment);
    }

    // Tab follows the order the controls are read in.
    if (order == Order::AddressFirst) {
        setTabOrder(station.edit, address.edit);
        setTabOrder(address.edit, subAddress.edit);
        setTabOrder(subAddress.edit, type);
    } else {
        setTabOrder(station.edit, type);
        setTabOrder(type, address.edit);
        setTabOrder(address.edit, subAddress.edit);
    }
    setTabOrder(order == Order::AddressFirst ? static_cast<QWidget*>(type) : subAddress.edit,
                subType);

    station.setNames(QStringLiteral("station"));
    address.setNames(QStringLiteral("address"));
    subAddress.setNames(QStringLiteral("subAddress"));
    type->setObjectName(QStringLiteral("type"));
    subType->setObjectName(QStringLiteral("subType"));
}

int RegisterBinding::takeRow(Place place) {
    return place == Place::BeforeSubType ? nextBefore_++ : nextAfter_++;
}

void RegisterBinding::addRow(QLabel* label, QWidget* field, Place place) {
    const int row = takeRow(place);
    if (label)
        grid_->addWidget(label, row, 0);
    if (field)
        grid_->addWidget(field, row, label ? 1 : 0, 1, label ? span_ : span_ + 1, kFieldAlignment);
}

void RegisterBinding::addRow(QLabel* label, QLayout* field, Place place) {
    const int row = takeRow(place);
    if (label)
        grid_->addWidget(label, row, 0);
    if (field)
        grid_->addLayout(field, row, label ? 1 : 0, 1, label ? span_ : span_ + 1, kFieldAlignment);
}

void RegisterBinding::addRow(const NumberRow& row, Place place) {
    addRow(row.label, row.field, place);
}

void RegisterBinding::setSubTypeShown(bool shown) {
    subTypeLabel->setVisible(shown);
    subType->setVisible(shown);
}

void RegisterBinding::setSubAddressShown(bool shown) {
    subAddress.setShown(shown);
}

void RegisterBinding::unbind() {
    for (NumberRow* row : {&station, &address, &subAddress})
        row->edit->unbind();
    type->unbind();
    subType->unbind();
}

}  // namespace vanta
