#pragma once
// Modbus servers for tests and benchmarks, libmodbus with a mapping of coils, discrete inputs,
// holding and input registers, answering from a thread of their own until stopped: one on the
// loopback address (TCP, on a port the system picks) and one on a pseudo-terminal (RTU, its
// other end a serial device path for the client).

#include <arpa/inet.h>
#include <modbus.h>
#include <netinet/in.h>
#include <pty.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vanta::testing {

class LoopbackModbusServer {
  public:
    static constexpr int kPoints = 20000;

    // Port 0: the system picks a free one.
    explicit LoopbackModbusServer(int port = 0) {
        context_ = modbus_new_tcp("127.0.0.1", port);
        mapping_ = modbus_mapping_new(kPoints, kPoints, kPoints, kPoints);
        listener_ = context_ && mapping_ ? modbus_tcp_listen(context_, 4) : -1;
        if (listener_ >= 0) {
            sockaddr_in address{};
            socklen_t length = sizeof address;
            if (::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
                port_ = ntohs(address.sin_port);
            thread_ = std::thread([this] { serve(); });
        }
    }
    ~LoopbackModbusServer() { stop(); }
    LoopbackModbusServer(const LoopbackModbusServer&) = delete;
    LoopbackModbusServer& operator=(const LoopbackModbusServer&) = delete;

    bool running() const { return port_ > 0 && !stopped_; }
    int port() const { return port_; }

    // Closes the listener and every connection: the PLC is gone.
    void stop() {
        if (stopped_.exchange(true))
            return;
        if (thread_.joinable())
            thread_.join();
        for (int fd : clients_)
            ::close(fd);
        clients_.clear();
        if (listener_ >= 0)
            ::close(listener_);
        if (mapping_)
            modbus_mapping_free(mapping_);
        if (context_)
            modbus_free(context_);
        mapping_ = nullptr;
        context_ = nullptr;
    }

    uint16_t holding(int address) {
        std::lock_guard lock(mutex_);
        return mapping_->tab_registers[address];
    }
    void setHolding(int address, uint16_t value) {
        std::lock_guard lock(mutex_);
        mapping_->tab_registers[address] = value;
    }
    bool coil(int address) {
        std::lock_guard lock(mutex_);
        return mapping_->tab_bits[address] != 0;
    }
    void setCoil(int address, bool on) {
        std::lock_guard lock(mutex_);
        mapping_->tab_bits[address] = on ? 1 : 0;
    }
    long requests() const { return requests_.load(); }

  private:
    void serve() {
        std::vector<uint8_t> query(MODBUS_TCP_MAX_ADU_LENGTH);
        while (!stopped_) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(listener_, &readable);
            int highest = listener_;
            for (int fd : clients_) {
                FD_SET(fd, &readable);
                highest = std::max(highest, fd);
            }
            timeval wait{0, 20000};
            if (::select(highest + 1, &readable, nullptr, nullptr, &wait) <= 0)
                continue;
            if (FD_ISSET(listener_, &readable)) {
                const int client = ::accept(listener_, nullptr, nullptr);
                if (client >= 0)
                    clients_.push_back(client);
            }
            for (size_t i = 0; i < clients_.size();) {
                const int fd = clients_[i];
                if (!FD_ISSET(fd, &readable)) {
                    ++i;
                    continue;
                }
                std::lock_guard lock(mutex_);
                modbus_set_socket(context_, fd);
                const int length = modbus_receive(context_, query.data());
                if (length > 0) {
                    modbus_reply(context_, query.data(), length, mapping_);
                    ++requests_;
                    ++i;
                } else if (length == -1) {
                    ::close(fd);
                    clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(i));
                } else {
                    ++i;  // a query for another unit: ignored
                }
            }
        }
    }

    modbus_t* context_ = nullptr;
    modbus_mapping_t* mapping_ = nullptr;
    int listener_ = -1;
    int port_ = 0;
    std::vector<int> clients_;
    std::mutex mutex_;
    std::atomic<bool> stopped_{false};
    std::atomic<long> requests_{0};
    std::thread thread_;
};

// A Modbus RTU server (unit `unit`) on the controlling side of a pseudo-terminal; the client opens
// devicePath() as its serial line.
class PtyModbusRtuServer {
  public:
    explicit PtyModbusRtuServer(int unit = 1) {
        char name[256] = {};
        if (::openpty(&controller_, &line_, name, nullptr, nullptr) != 0)
            return;
        path_ = name;
        context_ = modbus_new_rtu(name, 19200, 'E', 8, 1);
        mapping_ = modbus_mapping_new(LoopbackModbusServer::kPoints, LoopbackModbusServer::kPoints,
                                      LoopbackModbusServer::kPoints, LoopbackModbusServer::kPoints);
        if (!context_ || !mapping_)
            return;
        modbus_set_slave(context_, unit);
        modbus_set_socket(context_, controller_);
        modbus_set_indication_timeout(context_, 0, 50000);  // to look at `stopped_` now and then
        thread_ = std::thread([this] { serve(); });
    }
    ~PtyModbusRtuServer() {
        stopped_ = true;
        if (thread_.joinable())
            thread_.join();
        if (mapping_)
            modbus_mapping_free(mapping_);
        if (context_)
            modbus_free(context_);  // the descriptors are closed here, not by libmodbus
        if (controller_ >= 0)
            ::close(controller_);
        if (line_ >= 0)
            ::close(line_);
    }
    PtyModbusRtuServer(const PtyModbusRtuServer&) = delete;
    PtyModbusRtuServer& operator=(const PtyModbusRtuServer&) = delete;

    bool running() const { return thread_.joinable(); }
    const std::string& devicePath() const { return path_; }

    void setHolding(int address, uint16_t value) {
        std::lock_guard lock(mutex_);
        mapping_->tab_registers[address] = value;
    }
    bool coil(int address) {
        std::lock_guard lock(mutex_);
        return mapping_->tab_bits[address] != 0;
    }

  private:
    void serve() {
        std::vector<uint8_t> query(MODBUS_RTU_MAX_ADU_LENGTH);
        while (!stopped_) {
            const int length = modbus_receive(context_, query.data());
            if (length > 0) {
                std::lock_guard lock(mutex_);
                modbus_reply(context_, query.data(), length, mapping_);
            } else if (length == -1 && errno != ETIMEDOUT) {
                modbus_flush(context_);  // a damaged frame: start again on the next one
            }
        }
    }

    int controller_ = -1;
    int line_ = -1;  // kept open so the line exists before and after the client's use
    std::string path_;
    modbus_t* context_ = nullptr;
    modbus_mapping_t* mapping_ = nullptr;
    std::mutex mutex_;
    std::atomic<bool> stopped_{false};
    std::thread thread_;
};

}  // namespace vanta::testing
