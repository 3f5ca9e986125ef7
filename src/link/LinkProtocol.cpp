#include "link/LinkProtocol.h"

namespace vanta {

namespace {

// Bit i of the offset-corrected address is sent as bit kPermutation[i].
constexpr std::array<uint8_t, 16> kPermutation = {11, 4,  14, 1, 8, 13, 2, 7,
                                                  0,  10, 15, 5, 3, 9,  6, 12};

// The two constants of the session formula.
constexpr uint16_t kOffsetConstant = 0x5A3C;
constexpr uint8_t kKeyConstant = 0xB7;

// Offset within a write-block frame of its first data byte.
constexpr size_t kDataStart = 6;

uint16_t wordAt(std::span<const uint8_t, link::kChallengeSize> c, size_t i) {
    return static_cast<uint16_t>((c[i] << 8) | c[i + 1]);
}

}  // namespace

uint8_t frameChecksum(std::span<const uint8_t> bytes) {
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return static_cast<uint8_t>(sum);
}

std::vector<uint8_t> makeFrame(uint8_t command, std::span<const uint8_t> body) {
    std::vector<uint8_t> frame;
    frame.reserve(body.size() + link::kMinFrameSize);
    frame.push_back(link::kSync0);
    frame.push_back(link::kSync1);
    frame.push_back(static_cast<uint8_t>(body.size() + link::kMinFrameSize));
    frame.push_back(command);
    frame.insert(frame.end(), body.begin(), body.end());
    frame.push_back(frameChecksum(frame));
    return frame;
}

ReplyStatus classifyReply(std::span<const uint8_t> buffer) {
    if (buffer.size() < 2 || buffer[0] != link::kSync0 || buffer[1] != link::kSync1) {
        return ReplyStatus::Nothing;
    }
    // Not complete yet by its own length byte: wait for the rest.
    if (buffer.size() < 3 || buffer.size() < buffer[2])
        return ReplyStatus::Nothing;
    if (buffer.size() != link::kMinFrameSize && buffer.size() != link::kInfoReplySize) {
        return ReplyStatus::Nothing;
    }
    const bool sumGood = frameChecksum(buffer.first(buffer.size() - 1)) == buffer.back();
    const uint8_t command = buffer[3];
    if (buffer.size() == link::kMinFrameSize) {
        if (sumGood && command == link::kAcknowledge)
            return ReplyStatus::Good;
        if (command == link::kNegativeAck || !sumGood)
            return ReplyStatus::Error;
        return ReplyStatus::Nothing;
    }
    if (command != link::kInfoReply)
        return ReplyStatus::Error;
    return sumGood ? ReplyStatus::Good : ReplyStatus::Nothing;
}

std::optional<std::vector<uint8_t>> takeReplyFrame(std::vector<uint8_t>& buffer) {
    size_t start = 0;
    auto startsFrame = [&](size_t i) {
        const size_t left = buffer.size() - i;
        if (buffer[i] != link::kSync0)
            return false;
        if (left >= 2 && buffer[i + 1] != link::kSync1)
            return false;
        return left < 3 || buffer[i + 2] == link::kMinFrameSize ||
               buffer[i + 2] == link::kInfoReplySize;
    };
    while (start < buffer.size() && !startsFrame(start))
        ++start;
    buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start));
    if (buffer.size() < 3 || buffer.size() < buffer[2])
        return std::nullopt;
    const auto length = static_cast<std::ptrdiff_t>(buffer[2]);
    std::vector<uint8_t> frame(buffer.begin(), buffer.begin() + length);
    buffer.erase(buffer.begin(), buffer.begin() + length);
    return frame;
}

ReplyVerdict judgeReply(std::span<const uint8_t> frame, uint8_t request) {
    const bool informationAsked = request == link::kInfoRequest;
    const bool longFrame = frame.size() == link::kInfoReplySize;
    // Only an information reply is ten bytes long; its command in a short frame is a panel
    // that miscounts its own reply.
    if (!longFrame && frame.size() >= 4 && frame[3] == link::kInfoReply)
        return informationAsked ? ReplyVerdict::Malformed : ReplyVerdict::Stale;
    if (longFrame != informationAsked) {
        const bool intactAcknowledge = !longFrame && frame[3] == link::kAcknowledge &&
                                       classifyReply(frame) == ReplyStatus::Good;
        // A ten-byte frame answers an information request; an intact acknowledge answers a
        // handshake, challenge or write block. A refusal or a damaged short reply may answer
        // either and counts as this frame's error.
        if (longFrame || intactAcknowledge)
            return ReplyVerdict::Stale;
    }
    switch (classifyReply(frame)) {
        case ReplyStatus::Good:
            return ReplyVerdict::Good;
        case ReplyStatus::Error:
            return ReplyVerdict::Error;
        case ReplyStatus::Nothing:
            break;
    }
    return longFrame ? ReplyVerdict::Unusable : ReplyVerdict::Noise;
}

SessionKeys deriveSessionKeys(std::span<const uint8_t, link::kChallengeSize> c) {
    SessionKeys keys;
    const uint32_t product = static_cast<uint32_t>(wordAt(c, 2)) * wordAt(c, 7);
    const uint32_t offset =
        product + (static_cast<uint32_t>(wordAt(c, 11)) << 8) - wordAt(c, 14) + kOffsetConstant;
    keys.addressOffset = static_cast<uint16_t>(offset);
    keys.dataKey = static_cast<uint8_t>(((c[1] | c[4]) & c[9]) - c[6] + kKeyConstant);
    return keys;
}

const std::array<uint8_t, 16>& addressBitPermutation() {
    return kPermutation;
}

uint16_t scrambleAddress(uint16_t target, uint16_t addressOffset) {
    const uint16_t d = static_cast<uint16_t>(target - addressOffset);
    uint16_t wire = 0;
    for (unsigned i = 0; i < 16; ++i) {
        if (d & (1u << i))
            wire |= static_cast<uint16_t>(1u << kPermutation[i]);
    }
    return wire;
}

uint16_t unscrambleAddress(uint16_t wire, uint16_t addressOffset) {
    uint16_t d = 0;
    for (unsigned i = 0; i < 16; ++i) {
        if (wire & (1u << kPermutation[i]))
            d |= static_cast<uint16_t>(1u << i);
    }
    return static_cast<uint16_t>(d + addressOffset);
}

std::vector<uint8_t> makeWriteBlock(uint16_t target, std::span<const uint8_t> data,
                                    const SessionKeys& keys) {
    std::vector<uint8_t> body;
    body.reserve(data.size() + 2);
    const uint16_t wire = scrambleAddress(target, keys.addressOffset);
    body.push_back(static_cast<uint8_t>(wire >> 8));
    body.push_back(static_cast<uint8_t>(wire));
    for (size_t i = 0; i < data.size(); ++i) {
        const size_t k = kDataStart + i;
        body.push_back(static_cast<uint8_t>(data[i] - k - keys.dataKey));
    }
    return makeFrame(link::kWriteBlock, body);
}

std::optional<WriteBlock> readWriteBlock(std::span<const uint8_t> frame, const SessionKeys& keys) {
    if (frame.size() < link::kWriteBlockOverhead + 1 || frame.size() > link::kMaxFrameSize ||
        frame[3] != link::kWriteBlock || frame[2] != frame.size()) {
        return std::nullopt;
    }
    WriteBlock block;
    const uint16_t wire = static_cast<uint16_t>((frame[4] << 8) | frame[5]);
    block.address = unscrambleAddress(wire, keys.addressOffset);
    const size_t n = frame.size() - link::kWriteBlockOverhead;
    block.data.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t k = kDataStart + i;
        block.data.push_back(static_cast<uint8_t>(frame[k] + k + keys.dataKey));
    }
    return block;
}

}  // namespace vanta
