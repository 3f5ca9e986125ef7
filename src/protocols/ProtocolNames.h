#pragma once
// Display names of the PLC protocols, Chinese and English, from their profiles. A protocol number
// is the 1-based position in the protocol table.

#include <cstdint>
#include <string_view>

#include "protocols/ProtocolProfile.h"

namespace vanta {

// Name of a protocol (1..kProtocolCount) in Chinese or English, UTF-8; empty for any other
// number.
std::string_view protocolNameChinese(int protocol);
std::string_view protocolNameEnglish(int protocol);

}  // namespace vanta
