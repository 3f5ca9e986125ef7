#include "qtsupport/SerialTransport.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

namespace vanta {

namespace {

constexpr char kCaption[] = "Download data";

// The group that owns a device, for the permission hint.
std::string owningGroup(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return {};
    if (const struct group* g = ::getgrgid(st.st_gid))
        return g->gr_name;
    return std::to_string(st.st_gid);
}

std::string reasonFor(int error, const std::string& device) {
    switch (error) {
        case EACCES:
        case EPERM: {
            const std::string group = owningGroup(device);
            return "Permission denied: the user must be a member of the group that owns " + device +
                   (group.empty() ? std::string() : " (\"" + group + "\")") +
                   ", for example with \"sudo usermod -aG " +
                   (group.empty() ? std::string("dialout") : group) + " $USER\", and log in again.";
        }
        case EBUSY:
            return "The device " + device + " is busy: another program holds it.";
        case ENOENT:
            return "There is no device " + device + ".";
        case ENXIO:
        case ENODEV:
            return "No serial port answers at " + device + ".";
        default:
            return std::strerror(error);
    }
}

Status openFailure(const std::string& label, const std::string& reason) {
    return Status::failure("Cannot open the serial port" + label + "!\n" + reason, kCaption);
}

}  // namespace

std::string portNameForIndex(int index) {
    return "COM" + std::to_string(index + 1);
}

SerialPortName resolveSerialPort(const std::string& name) {
    if (name.size() > 3 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
        std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
        std::toupper(static_cast<unsigned char>(name[2])) == 'M') {
        const std::string digits = name.substr(3);
        bool allDigits = digits.size() <= 3;
        for (char c : digits)
            allDigits = allDigits && std::isdigit(static_cast<unsigned char>(c));
        if (allDigits && std::stoi(digits) >= 1) {
            const int n = std::stoi(digits);
            return {"/dev/ttyS" + std::to_string(n - 1), std::to_string(n)};
        }
    }
    if (name.find('/') == std::string::npos)
        return {"/dev/" + name, "/dev/" + name};
    return {name, name};
}

SerialTransport::SerialTransport(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialTransport::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
}

SerialTransport::~SerialTransport() {
    close();
}

Status SerialTransport::open(const std::string& name) {
    close();
    const SerialPortName port = resolveSerialPort(name);
    // A test open tells why a port cannot be had, in the system's own terms.
    const int fd = ::open(port.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return openFailure(port.label, reasonFor(errno, port.device));
    ::close(fd);

    ignoreErrors_ = true;
    port_.setPortName(QString::fromStdString(port.device));
    if (!port_.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port_.error();
        const std::string detail = port_.errorString().toStdString();
        ignoreErrors_ = false;
        port_.clearError();
        if (error == QSerialPort::PermissionError) {
            // The device itself opened above, so another program holds its lock.
            return openFailure(port.label, "The device " + port.device +
                                               " is busy: another program holds it (" + detail +
                                               ").");
        }
        return openFailure(port.label, detail);
    }
    // The link runs at 115200 8N1 whatever the PLC's own settings are.
    const bool configured =
        port_.setBaudRate(QSerialPort::Baud115200) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const std::string detail = port_.errorString().toStdString();
        port_.close();
        port_.clearError();
        ignoreErrors_ = false;
        return openFailure(port.label, "The device " + port.device +
                                           " cannot be set to 115200 baud, 8N1 (" + detail + ").");
    }
    port_.clear(QSerialPort::Input);
    port_.readAll();
    port_.clearError();
    ignoreErrors_ = false;
    device_ = port.device;
    return Status::success();
}

void SerialTransport::close() {
    if (port_.isOpen()) {
        ignoreErrors_ = true;
        port_.close();
        port_.clearError();
        ignoreErrors_ = false;
    }
}

bool SerialTransport::write(std::span<const uint8_t> bytes) {
    if (!port_.isOpen())
        return false;
    const qint64 n =
        port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    // Out at once rather than on the next turn of the event loop.
    port_.flush();
    return n == static_cast<qint64>(bytes.size());
}

void SerialTransport::pulseRts() {
    if (!port_.isOpen())
        return;
    ignoreErrors_ = true;
    port_.setRequestToSend(true);
    port_.setRequestToSend(false);
    port_.clearError();
    ignoreErrors_ = false;
}

void SerialTransport::onReadyRead() {
    const QByteArray bytes = port_.readAll();
    if (!bytes.isEmpty())
        emit received(bytes);
}

void SerialTransport::onError(QSerialPort::SerialPortError error) {
    if (ignoreErrors_ || error == QSerialPort::NoError)
        return;
    // Only a lost device ends a download; a refused control-line change or a time-out of a
    // blocking call (never used here) does not.
    if (error == QSerialPort::ResourceError || error == QSerialPort::DeviceNotFoundError) {
        emit failed(QStringLiteral("The serial port %1 failed: %2")
                        .arg(QString::fromStdString(device_), port_.errorString()));
    }
}

}  // namespace vanta
