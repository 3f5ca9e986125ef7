#pragma once
// Whole-file reads and safe writes. A write goes to a temporary file beside the target, is
// flushed and then renamed over the target, so a failed write never damages the previous file.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vanta {

// Reads the whole file. The failure message names the file and the reason.
Result<std::vector<uint8_t>> readWholeFile(const std::string& path);

// Writes bytes to path through a temporary file and a rename.
Status writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// The reason of the last failed system call in plain words.
std::string systemReason(int errorNumber);

}  // namespace vanta
