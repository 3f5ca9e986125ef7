#pragma once
// Conversion of an old ".grx" project into the current project file. The converter reads the
// old file image and writes the archive stream the project reader accepts (a version-1 header,
// tagged screens and components, the alarm list), byte by byte; the result is then opened with
// the project reader before anybody may take it for a success.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "common/Result.h"

namespace vanta {

// Where a stretch of the converted stream comes from in the old file.
struct ConversionOrigin {
    size_t outputOffset = 0;  // the stretch starts here in the new stream
    std::string what;         // "screen 3, component 2 (Static text at byte offset 612)"
};

struct OldProjectConversion {
    std::vector<uint8_t> project;  // the new ".osp" stream
    uint8_t protocol = 0;          // converted protocol number
    int screens = 0;
    int components = 0;
    std::vector<ConversionOrigin> origins;  // in stream order

    // The part of the old file that the byte at outputOffset of the new stream came from.
    std::string originOf(size_t outputOffset) const;
};

// The largest old project file: 65,535 screens (counted in 16 bits), each a 57-byte record with
// 255 components (counted in one byte) of the largest kind, a dynamic text of 255 entries (35
// bytes and 25 an entry), then 255 alarm entries of 25 bytes after the 80-byte header.
inline constexpr uint64_t kMaxOldProjectBytes =
    80 + uint64_t{65535} * (57 + 255 * (35 + 255 * 25)) + 255 * 25;

inline constexpr const char* kImportCaption = "Import old project";

// Converts an old file image and opens the result with the project reader, so that a
// conversion which would not open is never taken for a success. A damaged or truncated image
// fails with a message naming the screen and component (or the byte offset) of the old file;
// nothing is produced then.
Result<OldProjectConversion> convertOldProject(std::span<const uint8_t> old);

// Reads the old file within kMaxOldProjectBytes ("Open the file error!" when it cannot be
// opened, the size and the limit when it is refused) and converts it.
Result<OldProjectConversion> readAndConvertOldProject(const std::string& oldPath);

// The new file beside the old one: its name with ".osp".
std::string defaultImportTarget(const std::string& oldPath);

// "<target> already exists. Do you want to replace it?"
std::string replaceQuestion(const std::string& target);

// The whole import of a file: read, convert and verify in memory; only then, when `target`
// (empty: defaultImportTarget) exists, ask replaceQuestion (Yes/No; No writes nothing), and
// write it through a temporary file. Any failure leaves an existing target untouched. Returns
// the path written.
Result<std::string> importOldProjectFile(const std::string& oldPath, const std::string& target,
                                         Prompter& prompter);

// True when the image starts with 0x03 "GRX".
bool looksLikeOldProject(std::span<const uint8_t> old);

// The protocol-dependent conversions, by converted protocol number.
uint8_t convertOldProtocolCode(uint8_t oldCode);
uint16_t convertControlRegisterNumber(int32_t value, uint8_t protocol);
uint16_t convertRegisterAddress(int32_t value, uint8_t protocol);
uint8_t convertBitNumber(int32_t value, uint8_t protocol);
uint8_t convertOldFunctionKeyType(uint8_t oldType);

}  // namespace vanta
