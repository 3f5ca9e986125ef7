#include "dialogs/PortDialog.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSettings>

#include "project/CommSettings.h"
#include "qtsupport/AppInfo.h"
#include "qtsupport/SerialTransport.h"
#include "widgets/FormWidgets.h"

namespace vanta {

namespace {

constexpr const char* kDeviceKey = "Settings/PortDevice";
constexpr const char* kTypedKey = "Settings/TypedPorts";
// How many typed device paths are offered again.
constexpr int kTypedKept = 8;

QString comName(int index) {
    return QString::fromStdString(portName(static_cast<uint8_t>(index)));
}

// The device a "COMn" entry opens.
QString comDevice(int index) {
    return QString::fromStdString(resolveSerialPort(portName(static_cast<uint8_t>(index))).device);
}

}  // namespace

QString PortDialog::rememberedDevice() {
    QSettings settings(app::kOrganisation, app::kApplication);
    return settings.value(kDeviceKey).toString();
}

void PortDialog::rememberDevice(const QString& device) {
    QSettings settings(app::kOrganisation, app::kApplication);
    if (device.isEmpty())
        settings.remove(kDeviceKey);
    else
        settings.setValue(kDeviceKey, device);
}

QStringList PortDialog::typedDevices() {
    QSettings settings(app::kOrganisation, app::kApplication);
    return settings.value(kTypedKey).toStringList();
}

void PortDialog::rememberTypedDevice(const QString& device) {
    QStringList typed = typedDevices();
    typed.removeAll(device);
    typed.prepend(device);
    while (typed.size() > kTypedKept)
        typed.removeLast();
    QSettings settings(app::kOrganisation, app::kApplication);
    settings.setValue(kTypedKey, typed);
}

QString PortDialog::downloadPortName(uint8_t portIndex) {
    const QString device = rememberedDevice();
    return device.isEmpty() ? QString::fromStdString(portName(portIndex)) : device;
}

PortDialog::PortDialog(uint8_t portIndex, const QString& device, QWidget* parent)
    : QDialog(parent), portIndex_(portIndex), device_(device) {
    setWindowTitle(tr("选择通信口"));
    auto* layout = new QVBoxLayout(this);

    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    portBox_ = new QComboBox(this);
    portBox_->setObjectName(QStringLiteral("port"));
    // Any device path may be typed (a pseudo-terminal, /dev/serial/by-id/...).
    portBox_->setEditable(true);
    portBox_->setInsertPolicy(QComboBox::NoInsert);
    portBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    portBox_->setMinimumContentsLength(24);
    row->addWidget(makeLabel(tr("通信口:"), portBox_, this));
    row->addWidget(portBox_, 1);

    about_ = new QLabel(this);
    about_->setObjectName(QStringLiteral("portDescription"));
    about_->setWordWrap(true);
    about_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(about_);
    auto* hint = new QLabel(tr("选择计算机的通信口用于下载画面数据..."), this);
    layout->addWidget(hint);
    auto* typing =
        new QLabel(tr("也可以输入任何串口设备的路径, 例如 /dev/ttyUSB0 或伪终端."), this);
    layout->addWidget(typing);

    fillPorts();

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("取消"), this);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(portBox_, &QComboBox::currentTextChanged, this, &PortDialog::describeChoice);
    describeChoice();
}

void PortDialog::fillPorts() {
    // COM1..COM6, the ports that old projects' settings name, with the device each one opens.
    for (int i = 0; i < kPortCount; ++i)
        portBox_->addItem(QStringLiteral("%1 (%2)").arg(comName(i), comDevice(i)), comName(i));
    // The serial ports the system reports, with their descriptions.
    QStringList listed;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString path = info.systemLocation();
        if (path.isEmpty() || listed.contains(path))
            continue;
        listed << path;
        QString text = path;
        QStringList about;
        if (!info.description().isEmpty())
            about << info.description();
        if (!info.manufacturer().isEmpty() && !info.description().contains(info.manufacturer()))
            about << info.manufacturer();
        if (!about.isEmpty())
            text += QStringLiteral(" - ") + about.join(QStringLiteral(", "));
        portBox_->addItem(text, path);
    }
    // Paths typed before, and the remembered device even when it is absent now (an unplugged
    // adapter, a pseudo-terminal that comes and goes).
    QStringList offered = typedDevices();
    if (!device_.isEmpty())
        offered.prepend(device_);
    for (const QString& path : offered)
        if (!path.isEmpty() && portBox_->findData(path) < 0)
            portBox_->addItem(path, path);

    const int deviceRow = device_.isEmpty() ? -1 : portBox_->findData(device_);
    portBox_->setCurrentIndex(deviceRow >= 0 ? deviceRow
                                             : std::min<int>(portIndex_, kPortCount - 1));
}

QString PortDialog::chosenPort() const {
    const QString text = portBox_->currentText().trimmed();
    const int row = portBox_->findText(text);
    if (row >= 0)
        return portBox_->itemData(row).toString();
    // A typed "COM3" means the third port, like the list's entry.
    for (int i = 0; i < kPortCount; ++i)
        if (text.compare(comName(i), Qt::CaseInsensitive) == 0)
            return comName(i);
    return text;
}

void PortDialog::describeChoice() {
    const QString port = chosenPort();
    for (int i = 0; i < kPortCount; ++i) {
        if (port == comName(i)) {
            about_->setText(tr("%1: 计算机的第 %2 个串口, 设备 %3.")
                                .arg(comName(i))
                                .arg(i + 1)
                                .arg(comDevice(i)));
            return;
        }
    }
    if (port.isEmpty()) {
        about_->setText(tr("请选择或输入一个通信口."));
        return;
    }
    const QString device = QString::fromStdString(resolveSerialPort(port.toStdString()).device);
    about_->setText(QFileInfo::exists(device) ? tr("设备 %1.").arg(device)
                                              : tr("设备 %1 现在不存在.").arg(device));
}

void PortDialog::accept() {
    const QString port = chosenPort();
    if (port.isEmpty()) {
        portBox_->setFocus();
        return;
    }
    for (int i = 0; i < kPortCount; ++i) {
        if (port == comName(i)) {
            portIndex_ = static_cast<uint8_t>(i);
            device_.clear();
            QDialog::accept();
            return;
        }
    }
    device_ = port;
    // A path that is not one of the detected ports is offered again next time.
    bool detected = false;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        detected = detected || info.systemLocation() == port;
    if (!detected)
        rememberTypedDevice(port);
    QDialog::accept();
}

}  // namespace vanta
