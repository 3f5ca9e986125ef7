#pragma once
// Conversion of an old ".grx" project into the current project file. The converter builds no
// model objects: it reads the old file image and writes the archive stream the project reader
// accepts (a version-1 header, tagged screens and components, the alarm list), byte by byte.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vanta {

struct OldProjectConversion {
    std::vector<uint8_t> project;  // the new ".osp" stream
    uint8_t protocol = 0;          // converted protocol number
    int screens = 0;
    int components = 0;
};

// Converts an old file image. A damaged or truncated image fails with a message naming the
// screen and the byte offset; nothing is produced then.
Result<OldProjectConversion> convertOldProject(std::span<const uint8_t> old);

// Reads the old file ("Open the file error!", "the file type error!"), converts it and writes
// the result beside it, named after the old file with ".osp" (an existing file is replaced).
// Returns the path of the new file.
Result<std::string> importOldProjectFile(const std::string& oldPath);

// True when the image starts with 0x03 "GRX".
bool looksLikeOldProject(std::span<const uint8_t> old);

// The protocol-dependent conversions, by converted protocol number.
uint8_t convertOldProtocolCode(uint8_t oldCode);
uint16_t convertControlRegisterNumber(int32_t value, uint8_t protocol);
uint16_t convertRegisterAddress(int32_t value, uint8_t protocol);
uint8_t convertBitNumber(int32_t value, uint8_t protocol);
uint8_t convertOldFunctionKeyType(uint8_t oldType);

}  // namespace vanta
