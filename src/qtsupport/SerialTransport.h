#pragma once
// The PC's serial port for the download link, on QSerialPort: always 115200 baud, 8 data bits,
// no parity, 1 stop bit, opened exclusively, stale input discarded. Received bytes arrive as
// signals, so nothing ever waits on the port.
//
// Port names: "COMn" (any case) is the n-th PC serial port and maps to /dev/ttyS<n-1> on Linux;
// a bare device name ("ttyUSB0") is looked up under /dev; anything containing a '/' is used as the
// device path itself (a USB adapter, a pseudo-terminal, a symbolic link to either).

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <cstdint>
#include <span>
#include <string>

#include "common/Result.h"

namespace vanta {

// "COM1".."COM6" for the stored port index 0..5 (the index of "In.dat").
std::string portNameForIndex(int index);

struct SerialPortName {
    std::string device;  // the path that is opened
    std::string label;   // how messages name it: the port number n of "COMn", else the device
};
SerialPortName resolveSerialPort(const std::string& name);

class SerialTransport : public QObject {
    Q_OBJECT
  public:
    explicit SerialTransport(QObject* parent = nullptr);
    ~SerialTransport() override;

    // Opens the port. Failure: "Cannot open the serial port" + label + "!" (caption "Download
    // data"), then a line with the system's reason in plain words.
    Status open(const std::string& name);
    void close();
    bool isOpen() const { return port_.isOpen(); }
    const std::string& device() const { return device_; }

    // Writes one frame; false when the port refused it.
    bool write(std::span<const uint8_t> bytes);
    // RTS on, then off. Lines without modem control (pseudo-terminals) ignore it.
    void pulseRts();

  signals:
    void received(const QByteArray& bytes);
    // The port failed while open (device unplugged, line hung up); `reason` in plain words.
    void failed(const QString& reason);

  private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    std::string device_;
    bool ignoreErrors_ = false;
};

}  // namespace vanta
