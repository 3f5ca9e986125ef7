#include "emulator/ModbusSource.h"

#include <modbus.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <tuple>

namespace vanta {

namespace {

// Reads of one request: at most this many registers or bits, and at most this many unused
// addresses between two points read together.
constexpr int kMaxRegistersPerRead = 120;
constexpr int kMaxBitsPerRead = 1968;
constexpr int kRegisterGap = 8;
constexpr int kBitGap = 64;

modbus_t* ctx(void* context) {
    return static_cast<modbus_t*>(context);
}

// Refusals of a request that leave the line working: the point does not exist there.
bool isRefusal(int error) {
    return error == EMBXILFUN || error == EMBXILADD || error == EMBXILVAL;
}

bool parseNumber(const std::string& text, long low, long high, long& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno || *end || v < low || v > high)
        return false;
    out = v;
    return true;
}

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return parts;
}

}  // namespace

struct ModbusSource::Request {
    struct Member {
        PointKey key;
        int offset = 0;
        uint8_t registers = 1;
    };
    uint8_t unit = 1;
    ModbusTable table = ModbusTable::HoldingRegisters;
    int address = 0;
    int count = 0;
    std::vector<Member> members;
};

Result<ModbusSettings> parseModbusTcp(const std::string& text) {
    const size_t colon = text.rfind(':');
    long port = 0;
    if (colon == std::string::npos || colon == 0 ||
        !parseNumber(text.substr(colon + 1), 1, 65535, port))
        return Result<ModbusSettings>::failure("Modbus TCP needs HOST:PORT, not \"" + text + "\".");
    ModbusSettings s;
    s.transport = ModbusSettings::Transport::Tcp;
    s.host = text.substr(0, colon);
    s.port = static_cast<int>(port);
    return s;
}

Result<ModbusSettings> parseModbusRtu(const std::string& text) {
    const auto parts = splitCommas(text);
    const auto bad = [&text] {
        return Result<ModbusSettings>::failure(
            "Modbus RTU needs DEV,BAUD,PARITY,BITS,STOP (for example /dev/ttyUSB0,19200,E,8,1), "
            "not \"" +
            text + "\".");
    };
    if (parts.size() != 5 || parts[0].empty())
        return bad();
    long baud = 0, bits = 0, stop = 0;
    if (!parseNumber(parts[1], 50, 4000000, baud) || !parseNumber(parts[3], 5, 8, bits) ||
        !parseNumber(parts[4], 1, 2, stop))
        return bad();
    std::string parity = parts[2];
    for (char& c : parity)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ModbusSettings s;
    if (parity == "N" || parity == "NONE")
        s.parity = 'N';
    else if (parity == "E" || parity == "EVEN")
        s.parity = 'E';
    else if (parity == "O" || parity == "ODD")
        s.parity = 'O';
    else
        return bad();
    s.transport = ModbusSettings::Transport::Rtu;
    s.device = parts[0];
    s.baud = static_cast<int>(baud);
    s.dataBits = static_cast<int>(bits);
    s.stopBits = static_cast<int>(stop);
    return s;
}

std::string describeModbusSettings(const ModbusSettings& s) {
    if (s.transport == ModbusSettings::Transport::Tcp)
        return "Modbus TCP " + s.host + ":" + std::to_string(s.port);
    return "Modbus RTU " + s.device + " " + std::to_string(s.baud) + " " +
           std::to_string(s.dataBits) + s.parity + std::to_string(s.stopBits);
}

ModbusSource::ModbusSource(ModbusSettings settings, Mapping mapping)
    : settings_(std::move(settings)), mapping_(std::move(mapping)) {
    settings_.intervalMs = std::max(settings_.intervalMs, 1);
    settings_.timeoutMs = std::max(settings_.timeoutMs, 1);
    thread_ = std::thread([this] { run(); });
}

ModbusSource::~ModbusSource() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    disconnect();
}

std::optional<uint32_t> ModbusSource::value(const PointKey& key) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(key);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

void ModbusSource::write(const std::vector<PointWrite>& writes) {
    if (link_.load() == LinkState::Lost)
        return;
    {
        std::lock_guard lock(mutex_);
        writes_.insert(writes_.end(), writes.begin(), writes.end());
    }
    wake_.notify_all();
}

void ModbusSource::watch(const std::vector<PointKey>& points) {
    {
        std::lock_guard lock(mutex_);
        if (points == watched_)
            return;
        watched_ = points;
        watchChanged_ = true;
    }
    wake_.notify_all();
}

bool ModbusSource::waitForPoll(int timeoutMs) {
    std::unique_lock lock(mutex_);
    // A poll under way may have started before the caller's last write: wait for the next one.
    const uint64_t target = pollsDone_ + 2;
    return polled_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [&] { return pollsDone_ >= target || stop_; });
}

std::string ModbusSource::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

void ModbusSource::setLink(LinkState state, const std::string& error) {
    {
        std::lock_guard lock(mutex_);
        lastError_ = error;
    }
    if (link_.exchange(state) != state)
        ++changes_;
}

bool ModbusSource::connect() {
    modbus_t* c = nullptr;
    if (settings_.transport == ModbusSettings::Transport::Tcp) {
        const std::string port = std::to_string(settings_.port);
        c = modbus_new_tcp_pi(settings_.host.c_str(), port.c_str());
    } else {
        c = modbus_new_rtu(settings_.device.c_str(), settings_.baud, settings_.parity,
                           settings_.dataBits, settings_.stopBits);
    }
    if (!c) {
        setLink(LinkState::Lost, std::strerror(errno));
        return false;
    }
    const uint32_t seconds = static_cast<uint32_t>(settings_.timeoutMs / 1000);
    const uint32_t micros = static_cast<uint32_t>(settings_.timeoutMs % 1000) * 1000;
    modbus_set_response_timeout(c, seconds, micros);
    modbus_set_byte_timeout(c, seconds, micros);
    if (modbus_connect(c) == -1) {
        const std::string error = modbus_strerror(errno);
        modbus_free(c);
        setLink(LinkState::Lost, error);
        return false;
    }
    context_ = c;
    return true;
}

void ModbusSource::disconnect() {
    if (!context_)
        return;
    modbus_close(ctx(context_));
    modbus_free(ctx(context_));
    context_ = nullptr;
}

void ModbusSource::run() {
    using Clock = std::chrono::steady_clock;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_)
                return;
        }
        const auto started = Clock::now();
        bool ok = context_ || connect();
        if (ok) {
            ok = sendWrites() && poll();
            if (ok) {
                setLink(LinkState::Up);
            } else {
                std::string error;
                {
                    std::lock_guard lock(mutex_);
                    error = lastError_;
                }
                disconnect();
                setLink(LinkState::Lost, error);
            }
        }
        std::unique_lock lock(mutex_);
        if (!ok)
            writes_.clear();  // never sent late
        ++pollsDone_;
        polled_.notify_all();
        const auto next = started + std::chrono::milliseconds(settings_.intervalMs);
        wake_.wait_until(lock, next,
                         [&] { return stop_ || (ok && (!writes_.empty() || watchChanged_)); });
        watchChanged_ = false;
    }
}

std::vector<ModbusSource::Request> ModbusSource::planReads() const {
    std::vector<std::pair<ModbusAddress, PointKey>> places;
    {
        std::lock_guard lock(mutex_);
        for (const PointKey& key : watched_)
            if (auto a = mapping_(key))
                places.emplace_back(*a, key);
    }
    std::sort(places.begin(), places.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first.unit, a.first.table, a.first.address) <
               std::tie(b.first.unit, b.first.table, b.first.address);
    });
    std::vector<Request> requests;
    for (const auto& [place, key] : places) {
        const bool bits = place.bits();
        const int gap = bits ? kBitGap : kRegisterGap;
        const int most = bits ? kMaxBitsPerRead : kMaxRegistersPerRead;
        const int end = place.address + place.registers;
        Request* last = requests.empty() ? nullptr : &requests.back();
        if (!last || last->unit != place.unit || last->table != place.table ||
            place.address > last->address + last->count + gap || end - last->address > most) {
            requests.push_back(Request{place.unit, place.table, place.address, 0, {}});
            last = &requests.back();
        }
        last->count = std::max(last->count, end - last->address);
        last->members.push_back({key, place.address - last->address, place.registers});
    }
    return requests;
}

bool ModbusSource::poll() {
    for (const Request& request : planReads())
        if (!perform(request))
            return false;
    return true;
}

bool ModbusSource::perform(const Request& r) {
    modbus_t* c = ctx(context_);
    modbus_set_slave(c, r.unit);
    std::vector<uint16_t> registers;
    std::vector<uint8_t> bits;
    int rc = -1;
    switch (r.table) {
        case ModbusTable::Coils:
            bits.resize(static_cast<size_t>(r.count));
            rc = modbus_read_bits(c, r.address, r.count, bits.data());
            break;
        case ModbusTable::DiscreteInputs:
            bits.resize(static_cast<size_t>(r.count));
            rc = modbus_read_input_bits(c, r.address, r.count, bits.data());
            break;
        case ModbusTable::InputRegisters:
            registers.resize(static_cast<size_t>(r.count));
            rc = modbus_read_input_registers(c, r.address, r.count, registers.data());
            break;
        case ModbusTable::HoldingRegisters:
            registers.resize(static_cast<size_t>(r.count));
            rc = modbus_read_registers(c, r.address, r.count, registers.data());
            break;
    }
    std::lock_guard lock(mutex_);
    if (rc == -1) {
        const int error = errno;
        if (!isRefusal(error)) {
            lastError_ = modbus_strerror(error);
            return false;
        }
        // The device has no such points: they stay unknown, the line is fine.
        for (const auto& m : r.members)
            if (values_.erase(m.key))
                ++changes_;
        return true;
    }
    for (const auto& m : r.members) {
        const size_t at = static_cast<size_t>(m.offset);
        uint32_t v = 0;
        if (!bits.empty())
            v = bits[at] ? 1 : 0;
        else if (m.registers == 2)
            v = (static_cast<uint32_t>(registers[at]) << 16) | registers[at + 1];
        else
            v = registers[at];
        auto [it, added] = values_.try_emplace(m.key, v);
        if (added || it->second != v) {
            it->second = v;
            ++changes_;
        }
    }
    return true;
}

bool ModbusSource::sendWrites() {
    std::vector<PointWrite> writes;
    {
        std::lock_guard lock(mutex_);
        writes.swap(writes_);
    }
    modbus_t* c = ctx(context_);
    size_t i = 0;
    while (i < writes.size()) {
        const auto place = mapping_(writes[i].key);
        if (!place || place->readOnly()) {
            ++i;
            continue;
        }
        int rc = 0;
        size_t used = 1;
        modbus_set_slave(c, place->unit);
        if (place->bits()) {
            rc = modbus_write_bit(c, place->address, writes[i].value ? 1 : 0);
        } else {
            // Consecutive holding registers of one station go in one request.
            std::vector<uint16_t> words;
            auto append = [&words](const ModbusAddress& a, uint32_t v) {
                if (a.registers == 2)
                    words.push_back(static_cast<uint16_t>(v >> 16));
                words.push_back(static_cast<uint16_t>(v));
            };
            append(*place, writes[i].value);
            int next = place->address + place->registers;
            while (i + used < writes.size() && words.size() < kMaxRegistersPerRead) {
                const auto more = mapping_(writes[i + used].key);
                if (!more || more->bits() || more->readOnly() || more->unit != place->unit ||
                    more->address != next)
                    break;
                append(*more, writes[i + used].value);
                next += more->registers;
                ++used;
            }
            rc = words.size() == 1
                     ? modbus_write_register(c, place->address, words[0])
                     : modbus_write_registers(c, place->address, static_cast<int>(words.size()),
                                              words.data());
        }
        std::lock_guard lock(mutex_);
        if (rc == -1) {
            const int error = errno;
            if (!isRefusal(error)) {
                lastError_ = modbus_strerror(error);
                return false;
            }
        } else {
            // The PLC holds what was written: show it without waiting for the next poll.
            for (size_t k = i; k < i + used; ++k) {
                auto [it, added] = values_.try_emplace(writes[k].key, writes[k].value);
                if (added || it->second != writes[k].value) {
                    it->second = writes[k].value;
                    ++changes_;
                }
            }
        }
        i += used;
    }
    return true;
}

}  // namespace vanta
