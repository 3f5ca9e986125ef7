#pragma once
// The panel's glyph tables, as the editor's display and the image compiler read them:
//
// - "Ostra_EN.dat": 256 narrow glyphs of 16 bytes (8 x 16, one byte per row, top row first,
//   most significant bit leftmost). Only its first 4096 bytes are used.
// - "Ostra_CH.dat": one 16 x 16 glyph of 32 bytes (16 rows of 2 bytes, top row first, most
//   significant bit of the first byte leftmost) for every GBK double-byte code, indexed directly:
//   offset = ((lead - 0x81) * 191 + (trail - 0x40)) * 32 for lead 0x81..0xFE and trail 0x40..0xFE
//   (trail 0x7F is a blank slot). 126 * 191 * 32 = 770,112 bytes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vanta {

inline constexpr size_t kNarrowGlyphBytes = 16;
inline constexpr size_t kNarrowTableBytes = 256 * kNarrowGlyphBytes;  // 4096
inline constexpr size_t kWideGlyphBytes = 32;
inline constexpr size_t kWideLeadCount = 0xFE - 0x81 + 1;   // 126
inline constexpr size_t kWideTrailCount = 0xFE - 0x40 + 1;  // 191
inline constexpr size_t kWideTableBytes = kWideLeadCount * kWideTrailCount * kWideGlyphBytes;

using NarrowGlyph = std::array<uint8_t, kNarrowGlyphBytes>;
using WideGlyph = std::array<uint8_t, kWideGlyphBytes>;

class FontTables {
  public:
    FontTables() = default;

    // Reads the first 4096 bytes of the narrow table file. Fails when the file is missing or
    // shorter.
    Status loadNarrow(const std::string& path);
    // Reads the double-byte table file. Fails when it is missing or shorter than the table.
    Status loadWide(const std::string& path);
    // Loads both from a data folder ("Ostra_EN.dat", "Ostra_CH.dat").
    Status loadFrom(const std::string& dataDir);

    bool hasNarrow() const { return narrow_.size() == kNarrowTableBytes; }
    bool hasWide() const { return wide_.size() == kWideTableBytes; }

    // The glyph of a single-byte code (a blank glyph when the table is not loaded).
    NarrowGlyph narrow(uint8_t code) const;
    // The glyph of a double-byte code (blank when not loaded or outside the GBK ranges).
    WideGlyph wide(uint8_t lead, uint8_t trail) const;

    // Direct access for callers that hold their own copy (tests, generators).
    void setNarrowTable(std::vector<uint8_t> table) { narrow_ = std::move(table); }
    void setWideTable(std::vector<uint8_t> table) { wide_ = std::move(table); }

    static size_t wideOffset(uint8_t lead, uint8_t trail);  // SIZE_MAX when outside the ranges

  private:
    std::vector<uint8_t> narrow_;
    std::vector<uint8_t> wide_;
};

}  // namespace vanta
