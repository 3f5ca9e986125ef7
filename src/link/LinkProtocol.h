#pragma once
// The frames of the serial download link and the session scrambling shared by the PC and the
// panel. Both sides of the link (the engine and the panel simulator) build and read frames only
// through these functions.
//
// Frame: 0x55 0xAA, length (every byte of the frame, checksum included), command, body,
// checksum (sum of all preceding bytes modulo 256). Write-block frames carry a scrambled
// address and transformed data; see docs/download-protocol.md.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vanta {

namespace link {

constexpr uint8_t kSync0 = 0x55;
constexpr uint8_t kSync1 = 0xAA;

// Commands.
constexpr uint8_t kHandshake = 0x88;    // PC -> panel, body "Ostra"
constexpr uint8_t kInfoRequest = 0x01;  // PC -> panel, no body
constexpr uint8_t kInfoReply = 0x82;    // panel -> PC, 5 body bytes
constexpr uint8_t kChallenge = 0x83;    // PC -> panel, 16 challenge bytes
constexpr uint8_t kWriteBlock = 0x81;   // PC -> panel, address (2) + data (1..128)
constexpr uint8_t kAcknowledge = 0x05;  // panel -> PC
constexpr uint8_t kNegativeAck = 0x04;  // panel -> PC

constexpr size_t kHeaderSize = 4;          // sync, sync, length, command
constexpr size_t kMinFrameSize = 5;        // a frame without body
constexpr size_t kMaxBlockData = 128;      // data bytes in one write block
constexpr size_t kWriteBlockOverhead = 7;  // header, address (2), checksum
constexpr size_t kMaxFrameSize = kWriteBlockOverhead + kMaxBlockData;  // 135
constexpr size_t kInfoReplySize = 10;
constexpr size_t kChallengeSize = 16;

constexpr uint16_t kImageBase = 0x8000;  // the image lives at 0x8000..0xFFFF
constexpr size_t kImageAreaSize = 0x8000;
constexpr size_t kDriverAreaSize = 0x8000;  // the driver lives at 0x0000..0x7FFF

// The mark written at 0x8000 last; it makes the image valid.
constexpr uint8_t kValidMark0 = 0x5A;
constexpr uint8_t kValidMark1 = 0xA5;

}  // namespace link

// Sum of the bytes modulo 256.
uint8_t frameChecksum(std::span<const uint8_t> bytes);

// A complete frame: sync, length, command, body, checksum. The body holds at most 250 bytes.
std::vector<uint8_t> makeFrame(uint8_t command, std::span<const uint8_t> body = {});

// How the PC judges the bytes gathered since its last send.
enum class ReplyStatus : uint8_t {
    Nothing = 0,  // nothing usable yet: keep waiting
    Error = 1,    // negative acknowledge or damaged acknowledge: send again
    Good = 2,     // acknowledge, or an information reply
};

// Classifies the receive buffer. A buffer that starts with the sync bytes and holds fewer bytes
// than its own length byte is judged incomplete (Nothing); otherwise a 5-byte buffer is Good
// for an intact acknowledge, Error for a negative acknowledge or a bad checksum; a 10-byte buffer
// is Good for an intact information reply, Error for any other command, Nothing for an
// information reply with a bad checksum; everything else is Nothing.
ReplyStatus classifyReply(std::span<const uint8_t> buffer);

// Takes the next complete reply frame off the front of `buffer`. A panel sends only 5-byte
// acknowledges and 10-byte information replies, so bytes are skipped until the sync bytes and a
// length byte of 5 or 10; nothing is returned (and nothing taken) while that frame is incomplete.
std::optional<std::vector<uint8_t>> takeReplyFrame(std::vector<uint8_t>& buffer);

// How one complete reply frame (from takeReplyFrame) stands to the frame the PC is waiting on.
// The information request is answered only by an information reply or a negative acknowledge;
// the handshake, the challenge and the write blocks only by an acknowledge or a negative
// acknowledge. A reply of the other kind answers an earlier frame.
enum class ReplyVerdict : uint8_t {
    Good,       // the answer
    Error,      // negative acknowledge or a damaged reply of this kind: send again
    Unusable,   // a reply of this kind that says nothing (an information reply with a bad sum)
    Stale,      // a reply of the other kind: the answer to an earlier frame
    Malformed,  // an information reply whose length byte is not that of an information reply
    Noise,      // an intact frame of no reply the panel sends
};
ReplyVerdict judgeReply(std::span<const uint8_t> frame, uint8_t request);

// Session values derived from the 16 challenge bytes.
struct SessionKeys {
    uint16_t addressOffset = 0;
    uint8_t dataKey = 0;
};
SessionKeys deriveSessionKeys(std::span<const uint8_t, link::kChallengeSize> challenge);

// Address scrambling: (target - offset) modulo 65536 with its bits moved by the fixed
// permutation, and the inverse.
uint16_t scrambleAddress(uint16_t target, uint16_t addressOffset);
uint16_t unscrambleAddress(uint16_t wire, uint16_t addressOffset);
// Where bit i of the offset-corrected address travels.
const std::array<uint8_t, 16>& addressBitPermutation();

// A write-block frame carrying `data` (1..128 bytes) for `target` under the session keys.
std::vector<uint8_t> makeWriteBlock(uint16_t target, std::span<const uint8_t> data,
                                    const SessionKeys& keys);

// The panel's reading of a complete write-block frame (checksum already verified).
struct WriteBlock {
    uint16_t address = 0;
    std::vector<uint8_t> data;
};
std::optional<WriteBlock> readWriteBlock(std::span<const uint8_t> frame, const SessionKeys& keys);

}  // namespace vanta
