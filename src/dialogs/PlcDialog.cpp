#include "dialogs/PlcDialog.h"
#include "widgets/FormWidgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "protocols/Catalogue.h"
#include "protocols/ProtocolNames.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

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

QComboBox* combo(QWidget* parent, int x, int y, int width) {
    auto* box = new QComboBox(parent);
    box->setGeometry(x, y, width, 24);
    return box;
}

}  // namespace

PlcDialog::PlcDialog(const Catalogue* catalogue, int entryIndex, const CommSettings& comm,
                     uint8_t protocol, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), protocol_(protocol), settings_(comm) {
    setWindowTitle(tr("PLC选择"));
    setFixedSize(420, 290);

    placeLabel(tr("PLC厂家及类型:"), this, 16, 16, 132);
    protocolBox_ = combo(this, 150, 15, 254);
    protocolBox_->setObjectName("protocol");

    auto* group = new QGroupBox(tr("设置通信参数"), this);
    group->setGeometry(16, 52, 388, 180);
    placeLabel(tr("波特率"), group, 14, 28, 76);
    baudBox_ = combo(group, 92, 27, 100);
    placeLabel(tr("数据位"), group, 206, 28, 76);
    dataBitsBox_ = combo(group, 284, 27, 90);
    placeLabel(tr("停止位"), group, 14, 64, 76);
    stopBitsBox_ = combo(group, 92, 63, 100);
    placeLabel(tr("校验位"), group, 206, 64, 76);
    parityBox_ = combo(group, 284, 63, 90);
    placeLabel(tr("选  项"), group, 14, 100, 76);
    optionBox_ = combo(group, 92, 99, 100);

    stationLabel_ = placeLabel(tr("局号:"), group, 14, 138, 76);
    stationEdit_ = new CNumEdit(group);
    stationEdit_->setGeometry(92, 138, 84, 22);
    stationSpin_ = new CNumSpinCtrl(stationEdit_, group);
    e5Label_ = placeLabel(tr("E5超时:"), group, 206, 138, 76);
    e5Edit_ = new CNumEdit(group);
    e5Edit_->setGeometry(284, 138, 74, 22);
    e5Spin_ = new CNumSpinCtrl(e5Edit_, group);

    okButton_ = new QPushButton(tr("确定"), this);
    okButton_->setGeometry(120, 248, 80, 28);
    okButton_->setDefault(true);
    auto* cancel = new QPushButton(tr("取消"), this);
    cancel->setGeometry(220, 248, 80, 28);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The catalogue's entries in file order, by their English protocol names.
    if (catalogue_) {
        for (const CatalogueEntry& entry : catalogue_->entries()) {
            const std::string_view name = protocolNameEnglish(entry.protocol);
            protocolBox_->addItem(
                QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
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
