#include "dialogs/PlcDialog.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "protocols/Catalogue.h"
#include "protocols/ProtocolNames.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/FormWidgets.h"

namespace vanta {

namespace {

// Upper limit of what may be typed into the station edit; the protocol's range is applied to
// what was typed.
constexpr double kStationEntryMax = 999;

void fill(QComboBox* box, const std::vector<std::string>& texts) {
    box->clear();
    for (const std::string& text : texts)
        box->addItem(QString::fromStdString(text));
}

void select(QComboBox* box, int index) {
    if (box->count() == 0)
        return;
    box->setCurrentIndex(std::clamp(index, 0, box->count() - 1));
}

QComboBox* combo(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

}  // namespace

PlcDialog::PlcDialog(const Catalogue* catalogue, int entryIndex, const CommSettings& comm,
                     uint8_t protocol, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), protocol_(protocol), settings_(comm) {
    setWindowTitle(tr("PLC选择"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    protocolBox_ = combo(this);
    protocolBox_->setObjectName("protocol");
    top->addWidget(makeLabel(tr("PLC厂家及类型:"), protocolBox_, this));
    top->addWidget(protocolBox_, 1);

    auto* group = new QGroupBox(tr("设置通信参数"), this);
    layout->addWidget(group);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    // Two columns of label and list, as the parameters pair up: baud rate and data bits, stop
    // bits and parity, the option; the station and the E5 time-out below.
    auto place = [grid](QLabel* label, QWidget* field, int row, int column) {
        grid->addWidget(label, row, column * 2);
        grid->addWidget(field, row, column * 2 + 1, Qt::AlignLeft | Qt::AlignVCenter);
    };
    baudBox_ = combo(group);
    dataBitsBox_ = combo(group);
    stopBitsBox_ = combo(group);
    parityBox_ = combo(group);
    optionBox_ = combo(group);
    place(makeLabel(tr("波特率"), baudBox_, group), baudBox_, 0, 0);
    place(makeLabel(tr("数据位"), dataBitsBox_, group), dataBitsBox_, 0, 1);
    place(makeLabel(tr("停止位"), stopBitsBox_, group), stopBitsBox_, 1, 0);
    place(makeLabel(tr("校验位"), parityBox_, group), parityBox_, 1, 1);
    place(makeLabel(tr("选  项"), optionBox_, group), optionBox_, 2, 0);

    NumberRow station = makeNumberRow(tr("局号:"), group);
    station.setNames(QStringLiteral("station"));
    stationLabel_ = station.label;
    stationEdit_ = station.edit;
    stationSpin_ = station.spin;
    grid->addWidget(stationLabel_, 3, 0);
    grid->addWidget(station.field, 3, 1, Qt::AlignLeft | Qt::AlignVCenter);
    NumberRow e5 = makeNumberRow(tr("E5超时:"), group);
    e5.setNames(QStringLiteral("e5"));
    e5Label_ = e5.label;
    e5Edit_ = e5.edit;
    e5Spin_ = e5.spin;
    grid->addWidget(e5Label_, 3, 2);
    grid->addWidget(e5.field, 3, 3, Qt::AlignLeft | Qt::AlignVCenter);
    grid->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    okButton_ = new QPushButton(tr("确定"), this);
    okButton_->setDefault(true);
    auto* cancel = new QPushButton(tr("取消"), this);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The catalogue's entries in file order, by their English protocol names.
    if (catalogue_) {
        for (const CatalogueEntry& entry : catalogue_->entries())
            protocolBox_->addItem(QString::fromUtf8(protocolNameEnglish(entry.protocol)));
    }
    const int count = protocolBox_->count();
    if (count > 0) {
        entryIndex_ = std::clamp(entryIndex, 0, count - 1);
        const uint8_t entryProtocol =
            catalogue_->entries()[static_cast<size_t>(entryIndex_)].protocol;
        if (entryProtocol != protocol_) {
            protocol_ = entryProtocol;
            applyProtocolDefaults(settings_, protocol_);
        }
    }
    okButton_->setEnabled(count > 0);

    station_ = clampPanelStation(settings_.panelStation, protocol_);
    stationSpin_->bind(station_, 0, kStationEntryMax);
    e5Spin_->bind(settings_.e5Timeout, 0, 65535);

    filling_ = true;
    protocolBox_->setCurrentIndex(entryIndex_);
    filling_ = false;
    fillLists();
    showValues();
    showProtocolControls();

    connect(protocolBox_, &QComboBox::currentIndexChanged, this, &PlcDialog::protocolSelected);
    for (QComboBox* box : {baudBox_, dataBitsBox_, stopBitsBox_, parityBox_, optionBox_})
        connect(box, &QComboBox::currentIndexChanged, this, &PlcDialog::readLists);
    connect(stationEdit_, &CNumEdit::valueChanged, this, &PlcDialog::stationEdited);
}

void PlcDialog::fillLists() {
    filling_ = true;
    fill(baudBox_, baudList(protocol_));
    fill(dataBitsBox_, dataBitsList());
    fill(stopBitsBox_, stopBitsList());
    fill(parityBox_, parityList());
    fill(optionBox_, optionList());
    filling_ = false;
}

void PlcDialog::showValues() {
    filling_ = true;
    select(baudBox_, settings_.baudIndex);
    select(dataBitsBox_, settings_.dataBitsIndex);
    select(stopBitsBox_, settings_.stopBitsIndex);
    select(parityBox_, settings_.parityIndex);
    select(optionBox_, settings_.option);
    filling_ = false;
    station_ = clampPanelStation(settings_.panelStation, protocol_);
    stationEdit_->setValue(station_);
    e5Edit_->setValue(settings_.e5Timeout);
    readLists();
}

void PlcDialog::readLists() {
    if (filling_)
        return;
    settings_.baudIndex = static_cast<uint8_t>(std::max(0, baudBox_->currentIndex()));
    settings_.dataBitsIndex = static_cast<uint8_t>(std::max(0, dataBitsBox_->currentIndex()));
    settings_.stopBitsIndex = static_cast<uint8_t>(std::max(0, stopBitsBox_->currentIndex()));
    settings_.parityIndex = static_cast<uint8_t>(std::max(0, parityBox_->currentIndex()));
    settings_.option = static_cast<uint8_t>(std::max(0, optionBox_->currentIndex()));
}

void PlcDialog::showProtocolControls() {
    stationLabel_->setVisible(showsPanelStation(protocol_));
    stationSpin_->show(showsPanelStation(protocol_));
    e5Label_->setVisible(showsE5Timeout(protocol_));
    e5Spin_->show(showsE5Timeout(protocol_));
}

void PlcDialog::protocolSelected(int index) {
    if (filling_ || !catalogue_ || index < 0 ||
        static_cast<size_t>(index) >= catalogue_->entries().size())
        return;
    entryIndex_ = index;
    protocol_ = catalogue_->entries()[static_cast<size_t>(index)].protocol;
    settings_.panelStation = static_cast<uint8_t>(clampPanelStation(station_, protocol_));
    applyProtocolDefaults(settings_, protocol_);
    fillLists();
    showValues();
    showProtocolControls();
}

void PlcDialog::stationEdited() {
    const int clamped = clampPanelStation(station_, protocol_);
    if (clamped != station_)
        stationEdit_->setValue(clamped);
}

void PlcDialog::accept() {
    readLists();
    if (showsPanelStation(protocol_))
        settings_.panelStation = static_cast<uint8_t>(clampPanelStation(station_, protocol_));
    QDialog::accept();
}

}  // namespace vanta
