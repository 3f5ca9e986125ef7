#pragma once
// Where the emulated panel's PLC values live: one interface for the in-memory register table (the
// default) and for a real PLC reached over Modbus. Reads never wait: a source answers with the
// last value it knows, and a source that talks to a PLC does so on its own thread, reading the
// points it was told to watch at its interval and sending writes as soon as it can.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "emulator/RegisterPoints.h"

namespace vanta {

enum class LinkState : uint8_t {
    Up,          // the values are current
    Connecting,  // no answer yet
    Lost,        // the PLC does not answer: the panel shows its communication error
};

struct PointWrite {
    PointKey key;
    uint32_t value = 0;
};

class RegisterSource {
  public:
    virtual ~RegisterSource() = default;
    // The last value known for the point; nothing before it was first read.
    virtual std::optional<uint32_t> value(const PointKey& key) const = 0;
    // Writes in this order (a value wider than the point's register keeps its low bits).
    virtual void write(const std::vector<PointWrite>& writes) = 0;
    // The points the panel needs now; a source reading a PLC polls them.
    virtual void watch(const std::vector<PointKey>& points) { (void)points; }
    virtual LinkState link() const { return LinkState::Up; }
    // Grows with every change of a value or of the link.
    virtual uint64_t changes() const = 0;
};

// Values kept in memory, as a table the user edits: every point holds 0 until written.
class RegisterTable : public RegisterSource {
  public:
    std::optional<uint32_t> value(const PointKey& key) const override;
    void write(const std::vector<PointWrite>& writes) override;
    uint64_t changes() const override { return changes_; }

    void set(const PointKey& key, uint32_t value) { write({{key, value}}); }
    const std::map<PointKey, uint32_t>& values() const { return values_; }
    void clear();

  private:
    std::map<PointKey, uint32_t> values_;
    uint64_t changes_ = 0;
};

}  // namespace vanta
