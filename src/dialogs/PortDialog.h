#pragma once
// "选择通信口": the PC's serial port used for downloading. It offers "COM1".."COM6" (the port
// index kept in "In.dat", each shown with the device it opens), every serial port the system
// reports with its description, and the device paths typed before; any other device path can
// be typed. A chosen device is remembered in the settings, a COM port in "In.dat".

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

class QComboBox;
class QLabel;

namespace vanta {

class PortDialog : public QDialog {
    Q_OBJECT
  public:
    // Selects the remembered device when there is one, else the stored port index.
    PortDialog(uint8_t portIndex, const QString& device, QWidget* parent = nullptr);

    // The chosen COM port (its index is kept when a device was chosen).
    uint8_t portIndex() const { return portIndex_; }
    // The chosen device path, empty when a COM port was chosen.
    const QString& device() const { return device_; }

    // The list of ports; its text can be edited.
    QComboBox* portBox() const { return portBox_; }
    // What the dialog says about the chosen port.
    QLabel* descriptionLabel() const { return about_; }

    // The device remembered in the settings (empty: the COM port of "In.dat" is used).
    static QString rememberedDevice();
    static void rememberDevice(const QString& device);
    // The port a download opens: the remembered device, else "COM" + (index + 1).
    static QString downloadPortName(uint8_t portIndex);
    // Device paths typed in the dialog, most recent first.
    static QStringList typedDevices();
    static void rememberTypedDevice(const QString& device);

  public slots:
    void accept() override;

  private:
    void fillPorts();
    // The chosen port: "COMn" for those entries, else the device path.
    QString chosenPort() const;
    void describeChoice();

    QComboBox* portBox_ = nullptr;
    QLabel* about_ = nullptr;
    uint8_t portIndex_ = 0;
    QString device_;
};

}  // namespace vanta
