#pragma once
// The state one compilation of the panel image shares with the components while their download
// records are built: the glyph sets, the symbol set, the picture data, and the download-wide
// flags that records raise. The image compiler creates it afresh for every download.

#include <array>
#include <cstdint>
#include <vector>

#include "common/Archive.h"
#include "protocols/Vocabulary.h"

namespace vanta {

// A double-byte character: lead byte, trail byte.
using WideChar = std::array<uint8_t, 2>;

// The characters of the whole download in first-use order. Records hold a narrow character as
// its index in `narrow` and a double-byte one as 0x8000 + base + its index in `wide`.
struct GlyphSets {
    std::vector<WideChar> wide;
    std::vector<uint8_t> narrow;  // bytes 0x00..0x7F only, so at most 128 entries
};

struct DownloadContext {
    uint8_t protocol = 0;
    const Vocabulary* vocabulary = nullptr;

    GlyphSets glyphs;              // static text, dynamic text, alarm list
    std::vector<uint8_t> symbols;  // symbol numbers used by function keys, in first-use order
    Bytes pictureData;             // bitmaps of the pictures, in collection order
    bool lampUsed = false;         // some screen holds a lamp: the 4 lamp glyphs go first

    // A real download corrects limits in the wrong order in the components themselves (they are
    // saved so); a preview leaves the components as they are and only its records carry the
    // correction.
    bool correctComponents = true;

    // Raised while records are built.
    bool limitsCorrected = false;  // a register, bar or trend had its limits corrected
    uint8_t limitErrorCode = 0;    // 3: a bar graph or trend had its scale corrected
    bool optionUsed = false;       // a register with password or an encrypted key (header 35)
    bool type81Used = false;       // a register of a type whose code is 81 (header 38)

    const Vocabulary& vocab() const {
        static const Vocabulary empty{};
        return vocabulary ? *vocabulary : empty;
    }
};

}  // namespace vanta
