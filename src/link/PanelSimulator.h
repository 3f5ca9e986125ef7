#pragma once
// The panel's side of the download link, for tests and for the orbis-sim tool: it parses the
// frames the PC sends, answers them, keeps a 32 KB image memory at 0x8000 and a driver area
// below it, and can inject faults. Time is given by the caller (nanoseconds on any monotonic
// scale), so tests run it on a virtual clock and the tool on the real one.
//
// With a byte time set, both directions keep the pace of a real line: a received byte is
// handled only when it would have arrived, and replies leave one byte time after another.

#include <cstdint>
#include <deque>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"
#include "link/LinkProtocol.h"

namespace vanta {

// Faults the simulator can inject (see docs/download-protocol.md for the --fault syntax).
struct PanelFaults {
    int64_t handshakeSilenceMs = 0;  // no answer to handshakes for this long after the first one
    int dropReplies = 0;             // the next N replies are not sent
    int corruptReplies = 0;          // the next N replies leave with a wrong checksum
    double nakProbability = 0;       // an intact frame is refused with this probability
    int64_t replyDelayMs = 0;        // a reply leaves this much later...
    double delayProbability = 1;     // ...with this probability (the others queue behind it)
    double flipProbability = 0;      // a received byte is damaged with this probability
    double bitErrorRate = 0;     // every bit on the line, both ways, flips with this probability
    double dropProbability = 0;  // a reply is lost with this probability
    std::vector<int> refusedFrames;  // these frames (1 = the first) are refused
    int lateFrame = 0;               // the reply to this frame (1 = the first) leaves late...
    int64_t lateNs = 0;              // ...by this much; later replies queue behind it
    int silentAfterFrames = -1;      // frames after this many are never answered (-1: never)
    uint32_t seed = 1;               // of the random faults

    bool any() const;
};

// Parses "name=value,name=value"; names: no-handshake (ms), drop (count), drop-rate
// (probability), bad-sum (count), nak (probability), refuse (frame number, may repeat), delay
// (ms), delay-rate (probability), late (frame:seconds), flip (probability per byte), bit-flip
// (probability per bit), silent-after (frames), seed.
Result<PanelFaults> parsePanelFaults(const std::string& spec);

struct PanelOptions {
    uint8_t protocol = 1;       // the protocol whose driver is installed
    uint8_t driverVersion = 1;  // and its version
    int64_t byteTimeNs = 0;     // line time of one byte; 0 = no pacing
    PanelFaults faults;
};

// 1 start bit, 8 data bits, 1 stop bit at 115200 baud: 11520 bytes per second.
constexpr int64_t kLineBytesPerSecond = 11520;
constexpr int64_t kNsPerMs = 1000000;
// Line time of one byte at 115200 baud 8N1, in nanoseconds.
constexpr int64_t kLineByteTimeNs = 1000000000 / kLineBytesPerSecond;

struct PanelStats {
    long frames = 0;         // complete frames taken off the line, damaged ones included
    long damagedFrames = 0;  // refused for their checksum
    long unseenDamage = 0;   // frames changed on the line whose checksum still held
    long acks = 0;
    long naks = 0;
    long bytesReceived = 0;
    long bytesSent = 0;
    long droppedReplies = 0;
    long flippedBits = 0;     // by the bit-error model, both ways
    long damagedReplies = 0;  // replies with a flipped bit
    long downloads = 0;       // downloads completed by the mark
};

class PanelSimulator {
  public:
    explicit PanelSimulator(PanelOptions options);

    // Bytes that reached the panel's end of the line at `nowNs`.
    void receive(std::span<const uint8_t> bytes, int64_t nowNs);
    // Handles everything due by `nowNs`; returns the reply bytes that leave by then.
    std::vector<uint8_t> advance(int64_t nowNs);
    // When the next received byte or reply byte is due (max of int64_t when nothing is).
    int64_t nextEventNs() const;
    // Nothing received but unhandled, nothing waiting to be sent.
    bool idle() const { return rxQueue_.empty() && txQueue_.empty(); }

    // What the panel holds: the image from 0x8000 up to the end of the highest block written
    // since the last invalidation, and the driver from 0x0000 up to the end of the highest
    // driver block of the last session that wrote one.
    std::vector<uint8_t> image() const;
    std::vector<uint8_t> driver() const;
    // Whether the image carries the valid mark (0x5A 0xA5) written by the last download.
    bool imageValid() const;

    uint8_t installedProtocol() const { return protocol_; }
    uint8_t installedDriverVersion() const { return driverVersion_; }
    const PanelStats& stats() const { return stats_; }

  private:
    struct TimedByte {
        uint8_t value;
        int64_t atNs;
        bool damaged = false;  // changed on the line by a fault
    };

    void take(TimedByte byte);
    void handleFrame(std::span<const uint8_t> frame, bool damaged, int64_t atNs);
    void handleWrite(std::span<const uint8_t> frame, int64_t atNs);
    void reply(std::vector<uint8_t> frame, int64_t atNs);
    void ack(int64_t atNs);
    void nak(int64_t atNs);
    bool chance(double probability);
    uint8_t lineNoise(uint8_t byte);

    PanelOptions options_;
    PanelFaults faults_;
    std::mt19937 random_;
    int64_t cleanBitsLeft_ = -1;   // of the bit-error model: clean bits before the next flip
    std::vector<uint8_t> memory_;  // 64 KB: driver area below 0x8000, image above
    size_t imageEnd_ = 0;          // relative to 0x8000
    size_t driverEnd_ = 0;
    bool driverWrittenThisSession_ = false;
    bool valid_ = false;
    uint8_t protocol_;
    uint8_t driverVersion_;

    bool hasSession_ = false;
    SessionKeys keys_;
    int64_t firstHandshakeNs_ = -1;

    std::deque<TimedByte> rxQueue_;
    std::deque<TimedByte> txQueue_;
    int64_t rxLineFreeNs_ = std::numeric_limits<int64_t>::min();
    int64_t txLineFreeNs_ = std::numeric_limits<int64_t>::min();
    std::vector<uint8_t> frame_;     // bytes of the frame being gathered
    std::vector<bool> frameDamage_;  // which of them the line changed
    int64_t lastByteNs_ = 0;
    PanelStats stats_;
};

}  // namespace vanta
