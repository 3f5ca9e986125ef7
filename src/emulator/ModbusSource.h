#pragma once
// A PLC reached over Modbus TCP or Modbus RTU (libmodbus), as a register source. A thread of its
// own connects, reads the watched points at the polling interval (consecutive addresses of one
// station and table in one request) and sends the writes in order as soon as they come; the
// panel only ever reads the values it last received. A PLC that does not answer, or a line that
// cannot be opened, shows as a lost link until it answers again; writes made while the link is
// lost are dropped, so the PLC never acts late on a key.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/Result.h"
#include "emulator/ModbusMapping.h"
#include "emulator/RegisterSource.h"

namespace vanta {

struct ModbusSettings {
    enum class Transport : uint8_t { Tcp, Rtu };
    Transport transport = Transport::Tcp;
    std::string host = "127.0.0.1";  // TCP
    int port = 502;
    std::string device;  // RTU: the serial device
    int baud = 19200;
    char parity = 'E';  // 'N', 'E' or 'O'
    int dataBits = 8;
    int stopBits = 1;
    int intervalMs = 100;  // polling interval
    int timeoutMs = 500;   // answer time-out of one request
};

// "HOST:PORT".
Result<ModbusSettings> parseModbusTcp(const std::string& text);
// "DEV,BAUD,PARITY,BITS,STOP" with PARITY N, E or O (or NONE, EVEN, ODD).
Result<ModbusSettings> parseModbusRtu(const std::string& text);
// "Modbus TCP 127.0.0.1:1502", "Modbus RTU /dev/ttyUSB0 19200 8E1".
std::string describeModbusSettings(const ModbusSettings& settings);

class ModbusSource : public RegisterSource {
  public:
    using Mapping = std::function<std::optional<ModbusAddress>(const PointKey&)>;

    // Starts the thread at once; the first answer comes after the connection is made.
    ModbusSource(ModbusSettings settings, Mapping mapping);
    // Stops the thread (it finishes the request under way, at most one time-out).
    ~ModbusSource() override;
    ModbusSource(const ModbusSource&) = delete;
    ModbusSource& operator=(const ModbusSource&) = delete;

    std::optional<uint32_t> value(const PointKey& key) const override;
    void write(const std::vector<PointWrite>& writes) override;
    void watch(const std::vector<PointKey>& points) override;
    LinkState link() const override { return link_.load(); }
    uint64_t changes() const override { return changes_.load(); }

    // Waits until a whole poll of the watched points has ended after this call (answered or
    // not); false after `timeoutMs`. For scripts that want fresh values after each step.
    bool waitForPoll(int timeoutMs);
    // The last communication failure ("Connection refused", ...), empty while the link is up.
    std::string lastError() const;
    const ModbusSettings& settings() const { return settings_; }

  private:
    struct Request;
    void run();
    bool connect();
    void disconnect();
    bool sendWrites();
    bool poll();
    bool perform(const Request& request);
    void setLink(LinkState state, const std::string& error = {});
    std::vector<Request> planReads() const;

    ModbusSettings settings_;
    Mapping mapping_;
    void* context_ = nullptr;  // modbus_t, used by the thread only

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable polled_;
    bool stop_ = false;
    std::vector<PointKey> watched_;
    bool watchChanged_ = false;
    std::vector<PointWrite> writes_;
    std::map<PointKey, uint32_t> values_;
    uint64_t pollsDone_ = 0;
    std::string lastError_;

    std::atomic<LinkState> link_{LinkState::Connecting};
    std::atomic<uint64_t> changes_{0};
    std::thread thread_;
};

}  // namespace vanta
