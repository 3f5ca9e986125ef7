#pragma once
// Fixed-width integers in the two byte orders the system uses: little-endian in project files,
// big-endian in the download image and on the wire.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vanta {

inline void putBE16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
inline void setBE16(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v >> 8);
    at[1] = static_cast<uint8_t>(v);
}
inline uint16_t getBE16(const uint8_t* at) {
    return static_cast<uint16_t>((at[0] << 8) | at[1]);
}
inline uint16_t getLE16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}
inline uint32_t getLE32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

}  // namespace vanta
