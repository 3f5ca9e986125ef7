#include "link/PanelSimulator.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace vanta {

namespace {

// A partial frame is dropped when its next byte is this late: the PC has given up on it.
constexpr int64_t kFrameGapNs = 50 * kNsPerMs;

bool parseInteger(const std::string& text, int64_t& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && out >= 0;
}

bool parseProbability(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && out >= 0.0 && out <= 1.0;
}

// "N:SECONDS": a frame number from 1 and a time of at most an hour, in seconds with a fraction.
bool parseLate(const std::string& text, int& frame, int64_t& ns) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    int64_t n = 0;
    if (!parseInteger(text.substr(0, colon), n) || n < 1 || n > 100000000)
        return false;
    const std::string seconds = text.substr(colon + 1);
    if (seconds.empty() || seconds.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    char* end = nullptr;
    const double s = std::strtod(seconds.c_str(), &end);
    if (end != seconds.c_str() + seconds.size() || s > 3600.0)
        return false;
    frame = static_cast<int>(n);
    ns = static_cast<int64_t>(s * 1e9);
    return true;
}

}  // namespace

bool PanelFaults::any() const {
    return handshakeSilenceMs > 0 || dropReplies > 0 || corruptReplies > 0 || nakProbability > 0 ||
           replyDelayMs > 0 || flipProbability > 0 || bitErrorRate > 0 || dropProbability > 0 ||
           lateFrame > 0 || !refusedFrames.empty() || silentAfterFrames >= 0;
}

Result<PanelFaults> parsePanelFaults(const std::string& spec) {
    PanelFaults faults;
    size_t pos = 0;
    while (pos < spec.size()) {
        size_t comma = spec.find(',', pos);
        if (comma == std::string::npos)
            comma = spec.size();
        const std::string item = spec.substr(pos, comma - pos);
        pos = comma + 1;
        if (item.empty())
            continue;
        const size_t eq = item.find('=');
        if (eq == std::string::npos) {
            return Result<PanelFaults>::failure("fault '" + item + "' needs a value (name=value)");
        }
        const std::string name = item.substr(0, eq);
        const std::string value = item.substr(eq + 1);
        int64_t n = 0;
        double p = 0;
        bool good = true;
        if (name == "no-handshake") {
            good = parseInteger(value, n);
            faults.handshakeSilenceMs = n;
        } else if (name == "drop") {
            good = parseInteger(value, n) && n <= 1000000;
            faults.dropReplies = static_cast<int>(n);
        } else if (name == "drop-rate") {
            good = parseProbability(value, p);
            faults.dropProbability = p;
        } else if (name == "refuse") {
            good = parseInteger(value, n) && n >= 1 && n <= 100000000;
            faults.refusedFrames.push_back(static_cast<int>(n));
        } else if (name == "late") {
            good = parseLate(value, faults.lateFrame, faults.lateNs);
        } else if (name == "bit-flip") {
            good = parseProbability(value, p);
            faults.bitErrorRate = p;
        } else if (name == "bad-sum") {
            good = parseInteger(value, n) && n <= 1000000;
            faults.corruptReplies = static_cast<int>(n);
        } else if (name == "nak") {
            good = parseProbability(value, p);
            faults.nakProbability = p;
        } else if (name == "delay") {
            good = parseInteger(value, n) && n <= 3600000;
            faults.replyDelayMs = n;
        } else if (name == "delay-rate") {
            good = parseProbability(value, p);
            faults.delayProbability = p;
        } else if (name == "flip") {
            good = parseProbability(value, p);
            faults.flipProbability = p;
        } else if (name == "silent-after") {
            good = parseInteger(value, n) && n <= 100000000;
            faults.silentAfterFrames = static_cast<int>(n);
        } else if (name == "seed") {
            good = parseInteger(value, n) && n <= 0xFFFFFFFF;
            faults.seed = static_cast<uint32_t>(n);
        } else {
            return Result<PanelFaults>::failure("unknown fault '" + name + "'");
        }
        if (!good) {
            return Result<PanelFaults>::failure("bad value '" + value + "' for fault '" + name +
                                                "'");
        }
    }
    return faults;
}

PanelSimulator::PanelSimulator(PanelOptions options)
    : options_(options),
      faults_(options.faults),
      random_(options.faults.seed),
      memory_(0x10000, 0xFF),
      protocol_(options.protocol),
      driverVersion_(options.driverVersion) {}

bool PanelSimulator::chance(double probability) {
    if (probability <= 0)
        return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < probability;
}

// Bit errors of the line: each bit flips on its own with the bit-error rate. The gap to the next
// flip is drawn once (geometric), so a clean line costs no draw per bit.
uint8_t PanelSimulator::lineNoise(uint8_t byte) {
    if (faults_.bitErrorRate <= 0)
        return byte;
    for (int64_t bit = 0; bit < 8;) {
        if (cleanBitsLeft_ < 0) {
            cleanBitsLeft_ =
                faults_.bitErrorRate >= 1
                    ? 0
                    : std::geometric_distribution<int64_t>(faults_.bitErrorRate)(random_);
        }
        const int64_t clean = std::min(cleanBitsLeft_, 8 - bit);
        bit += clean;
        cleanBitsLeft_ -= clean;
        if (bit < 8) {
            byte ^= static_cast<uint8_t>(1u << bit);
            ++stats_.flippedBits;
            ++bit;
            cleanBitsLeft_ = -1;
        }
    }
    return byte;
}

void PanelSimulator::receive(std::span<const uint8_t> bytes, int64_t nowNs) {
    for (const uint8_t sent : bytes) {
        uint8_t b = sent;
        // A damaged byte: some bits flipped on the line.
        if (chance(faults_.flipProbability)) {
            b ^= static_cast<uint8_t>(std::uniform_int_distribution<int>(1, 255)(random_));
        }
        b = lineNoise(b);
        rxLineFreeNs_ = std::max(rxLineFreeNs_, nowNs) + options_.byteTimeNs;
        rxQueue_.push_back({b, options_.byteTimeNs > 0 ? rxLineFreeNs_ : nowNs, b != sent});
    }
    stats_.bytesReceived += static_cast<long>(bytes.size());
}

std::vector<uint8_t> PanelSimulator::advance(int64_t nowNs) {
    while (!rxQueue_.empty() && rxQueue_.front().atNs <= nowNs) {
        const TimedByte b = rxQueue_.front();
        rxQueue_.pop_front();
        take(b);
    }
    std::vector<uint8_t> out;
    while (!txQueue_.empty() && txQueue_.front().atNs <= nowNs) {
        out.push_back(txQueue_.front().value);
        txQueue_.pop_front();
    }
    stats_.bytesSent += static_cast<long>(out.size());
    return out;
}

int64_t PanelSimulator::nextEventNs() const {
    int64_t next = std::numeric_limits<int64_t>::max();
    if (!rxQueue_.empty())
        next = std::min(next, rxQueue_.front().atNs);
    if (!txQueue_.empty())
        next = std::min(next, txQueue_.front().atNs);
    return next;
}

void PanelSimulator::take(TimedByte byte) {
    const int64_t atNs = byte.atNs;
    if (!frame_.empty() && atNs - lastByteNs_ > kFrameGapNs) {
        frame_.clear();
        frameDamage_.clear();
    }
    lastByteNs_ = atNs;
    frame_.push_back(byte.value);
    frameDamage_.push_back(byte.damaged);
    // Find a frame start: sync bytes and a plausible length; skip anything else.
    for (;;) {
        if (frame_.empty())
            return;
        if (frame_[0] != link::kSync0 || (frame_.size() >= 2 && frame_[1] != link::kSync1) ||
            (frame_.size() >= 3 &&
             (frame_[2] < link::kMinFrameSize || frame_[2] > link::kMaxFrameSize))) {
            frame_.erase(frame_.begin());
            frameDamage_.erase(frameDamage_.begin());
            continue;
        }
        if (frame_.size() < 3 || frame_.size() < frame_[2])
            return;
        const auto length = static_cast<std::ptrdiff_t>(frame_[2]);
        const std::vector<uint8_t> frame(frame_.begin(), frame_.begin() + length);
        const bool damaged = std::any_of(frameDamage_.begin(), frameDamage_.begin() + length,
                                         [](bool d) { return d; });
        frame_.erase(frame_.begin(), frame_.begin() + length);
        frameDamage_.erase(frameDamage_.begin(), frameDamage_.begin() + length);
        handleFrame(frame, damaged, atNs);
    }
}

void PanelSimulator::handleFrame(std::span<const uint8_t> frame, bool damaged, int64_t atNs) {
    ++stats_.frames;
    if (faults_.silentAfterFrames >= 0 && stats_.frames > faults_.silentAfterFrames)
        return;
    if (frameChecksum(frame.first(frame.size() - 1)) != frame.back()) {
        ++stats_.damagedFrames;
        nak(atNs);
        return;
    }
    // The panel cannot tell; the simulator knows it changed these bytes itself.
    if (damaged)
        ++stats_.unseenDamage;
    const uint8_t command = frame[3];
    if (command == link::kHandshake) {
        if (firstHandshakeNs_ < 0)
            firstHandshakeNs_ = atNs;
        if (atNs - firstHandshakeNs_ < faults_.handshakeSilenceMs * kNsPerMs)
            return;
    }
    const auto& refused = faults_.refusedFrames;
    if (std::find(refused.begin(), refused.end(), stats_.frames) != refused.end() ||
        chance(faults_.nakProbability)) {
        nak(atNs);
        return;
    }
    switch (command) {
        case link::kHandshake:
            // A new download starts: the old session is over.
            hasSession_ = false;
            ack(atNs);
            return;
        case link::kInfoRequest: {
            if (frame.size() != link::kMinFrameSize)
                return nak(atNs);
            const uint8_t body[] = {0x00, protocol_, driverVersion_, 0x00, 0x00};
            reply(makeFrame(link::kInfoReply, body), atNs);
            return;
        }
        case link::kChallenge: {
            if (frame.size() != link::kMinFrameSize + link::kChallengeSize)
                return nak(atNs);
            keys_ = deriveSessionKeys(std::span<const uint8_t, link::kChallengeSize>(
                frame.data() + 4, link::kChallengeSize));
            hasSession_ = true;
            driverWrittenThisSession_ = false;
            ack(atNs);
            return;
        }
        case link::kWriteBlock:
            handleWrite(frame, atNs);
            return;
        default:
            nak(atNs);
            return;
    }
}

void PanelSimulator::handleWrite(std::span<const uint8_t> frame, int64_t atNs) {
    if (!hasSession_)
        return nak(atNs);
    auto block = readWriteBlock(frame, keys_);
    if (!block)
        return nak(atNs);
    const size_t address = block->address;
    const size_t n = block->data.size();
    const bool inImage = address >= link::kImageBase && address + n <= 0x10000;
    const bool inDriver = address + n <= link::kImageBase;
    if (!inImage && !inDriver)
        return nak(atNs);
    std::copy(block->data.begin(), block->data.end(), memory_.begin() + address);
    if (inDriver) {
        if (!driverWrittenThisSession_)
            driverEnd_ = 0;
        driverWrittenThisSession_ = true;
        driverEnd_ = std::max(driverEnd_, address + n);
    } else if (address == link::kImageBase && n == link::kMaxBlockData &&
               std::all_of(block->data.begin(), block->data.end(),
                           [](uint8_t b) { return b == 0xFF; })) {
        // The invalidation that starts every image.
        imageEnd_ = 0;
        valid_ = false;
    } else {
        imageEnd_ = std::max(imageEnd_, address + n - link::kImageBase);
        if (address == link::kImageBase && n == 2 && block->data[0] == link::kValidMark0 &&
            block->data[1] == link::kValidMark1) {
            valid_ = true;
            ++stats_.downloads;
            // The panel runs the driver that came with this image: it reports the image's
            // protocol and driver version from now on.
            if (driverWrittenThisSession_ && imageEnd_ > 13) {
                protocol_ = memory_[link::kImageBase + 12];
                driverVersion_ = memory_[link::kImageBase + 13];
            }
        }
    }
    ack(atNs);
}

void PanelSimulator::ack(int64_t atNs) {
    ++stats_.acks;
    reply(makeFrame(link::kAcknowledge), atNs);
}

void PanelSimulator::nak(int64_t atNs) {
    ++stats_.naks;
    reply(makeFrame(link::kNegativeAck), atNs);
}

void PanelSimulator::reply(std::vector<uint8_t> frame, int64_t atNs) {
    if (faults_.dropReplies > 0 || chance(faults_.dropProbability)) {
        if (faults_.dropReplies > 0)
            --faults_.dropReplies;
        ++stats_.droppedReplies;
        return;
    }
    if (faults_.corruptReplies > 0) {
        --faults_.corruptReplies;
        frame.back() = static_cast<uint8_t>(frame.back() + 1);
    }
    const bool late = faults_.replyDelayMs > 0 &&
                      (faults_.delayProbability >= 1 || chance(faults_.delayProbability));
    int64_t delay = late ? faults_.replyDelayMs * kNsPerMs : 0;
    if (faults_.lateFrame > 0 && stats_.frames == faults_.lateFrame)
        delay += faults_.lateNs;
    // The line stays in order: a reply never overtakes one that left before it.
    int64_t at = std::max(txLineFreeNs_, atNs + delay);
    bool damaged = false;
    for (const uint8_t b : frame) {
        at += options_.byteTimeNs;
        const uint8_t onLine = lineNoise(b);
        damaged = damaged || onLine != b;
        txQueue_.push_back({onLine, at, onLine != b});
    }
    if (damaged)
        ++stats_.damagedReplies;
    txLineFreeNs_ = at;
}

std::vector<uint8_t> PanelSimulator::image() const {
    return {memory_.begin() + link::kImageBase, memory_.begin() + link::kImageBase + imageEnd_};
}

std::vector<uint8_t> PanelSimulator::driver() const {
    return {memory_.begin(), memory_.begin() + driverEnd_};
}

bool PanelSimulator::imageValid() const {
    return valid_;
}

}  // namespace vanta
