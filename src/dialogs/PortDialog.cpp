#include "dialogs/PortDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSettings>

#include "project/CommSettings.h"
#include "qtsupport/AppInfo.h"

namespace vanta {

namespace {
constexpr const char* kDeviceKey = "Settings/PortDevice";
}

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

QString PortDialog::downloadPortName(uint8_t portIndex) {
    const QString device = rememberedDevice();
    return device.isEmpty() ? QString::fromStdString(portName(portIndex)) : device;
}

PortDialog::PortDialog(uint8_t portIndex, const QString& device, QWidget* parent)
    : QDialog(parent), portIndex_(portIndex), device_(device) {
    setWindowTitle(tr("选择通信口"));
    setFixedSize(440, 150);

    auto* label = new QLabel(tr("通信口:"), this);
    label->setGeometry(20, 20, 80, 24);
    portBox_ = new QComboBox(this);
    portBox_->setGeometry(104, 20, 240, 24);
    auto* hint = new QLabel(tr("选择计算机的通信口用于下载画面数据..."), this);
    hint->setGeometry(20, 60, 400, 24);

    for (int i = 0; i < kPortCount; ++i)
        portBox_->addItem(QString::fromStdString(portName(static_cast<uint8_t>(i))));
    // Detected devices by their path; the remembered one stays on offer even when it is absent
    // (a symbolic link, an unplugged adapter).
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (!info.systemLocation().isEmpty() && !devices.contains(info.systemLocation()))
            devices << info.systemLocation();
    if (!device_.isEmpty() && !devices.contains(device_))
        devices << device_;
    devices.sort();
    for (const QString& path : devices)
        portBox_->addItem(path, path);

    const int deviceRow = device_.isEmpty() ? -1 : portBox_->findData(device_);
    portBox_->setCurrentIndex(deviceRow >= 0 ? deviceRow
                                             : std::min<int>(portIndex_, kPortCount - 1));

    auto* ok = new QPushButton(tr("确定"), this);
    ok->setGeometry(130, 106, 80, 28);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("取消"), this);
    cancel->setGeometry(230, 106, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PortDialog::accept() {
    const int row = portBox_->currentIndex();
    if (row >= 0 && row < kPortCount) {
        portIndex_ = static_cast<uint8_t>(row);
        device_.clear();
    } else if (row >= kPortCount) {
        device_ = portBox_->itemData(row).toString();
    }
    QDialog::accept();
}

}  // namespace vanta
