#pragma once
// Display names of the 40 PLC protocols, Chinese and English. A protocol number is the 1-based
// position in these tables.

#include <cstdint>
#include <string_view>

namespace vanta {

inline constexpr int kProtocolCount = 40;

// Name of a protocol (1..40) in Chinese or English, UTF-8; empty for any other number.
std::string_view protocolNameChinese(int protocol);
std::string_view protocolNameEnglish(int protocol);

}  // namespace vanta
