#pragma once
// Reads a compiled panel image back from its bytes alone: the header, the screen table, the
// component pointer table, every component record, the dynamic-text data and the alarm block.
// Every address and glyph code is resolved against the section it must point into; whatever
// does not resolve (or breaks the layout the panel relies on) becomes a problem naming the image
// offset of the offending byte. A damaged image gives problems, never a crash: every read is
// bounds-checked and the work is bounded by the image's size.
//
// Layout recap (addresses are 0x8000 + image offset, words big-endian): header (48 bytes); the
// 16 x 16 glyph table from 0x8030 up to the 8 x 16 table (lamp glyphs 0..3 when a lamp exists,
// then the key symbols, then the double-byte characters); the 8 x 16 table; the picture data up
// to the screen table; the screen table (9 bytes a screen); the pointer table (3 bytes a
// component); the records in pointer order; the dynamic-text blocks; the alarm block.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vanta {

struct ImageProblem {
    size_t offset = 0;  // image offset of the byte that holds the fault
    std::string message;
};

// A glyph the panel draws: a 16 x 16 glyph (32 bytes) of the 16 x 16 table or an 8 x 16 glyph
// (16 bytes) of the 8 x 16 table, in page format.
struct GlyphUse {
    bool wide = false;
    bool resolved = false;
    size_t bitmapOffset = 0;  // image offset of the glyph's bitmap (when resolved)
    uint16_t code = 0;        // glyph number in its table
};

// The glyph codes of a text: one code byte per narrow character, two per double-byte one.
struct DecodedText {
    size_t codesOffset = 0;  // image offset of the first code byte
    std::vector<GlyphUse> glyphs;
    // Width in panel pixels at normal size: 8 per narrow, 16 per double-byte glyph.
    int naturalWidth() const;
};

struct DynamicEntry {
    uint16_t value = 0;
    uint16_t blockAddress = 0;  // panel address of the entry's text block
    bool resolved = false;      // the block lies inside the dynamic-text data
    DecodedText text;
};

struct DecodedComponent {
    uint8_t kind = 0;             // 1..8
    size_t pointerOffset = 0;     // its pointer-table entry
    size_t recordOffset = 0;      // image offset of its record
    size_t recordLength = 0;      // what the record's kind and bytes give
    bool recordComplete = false;  // the whole record lies inside the image
    int x = 0;                    // record bytes 0 and 1, panel pixels
    int y = 0;
    uint8_t attributes = 0;  // record byte 2
    bool inverse() const { return attributes & 0x01; }
    bool doubleSize() const { return attributes & 0x02; }

    DecodedText text;                   // static text; dynamic text: its first entry
    std::vector<DynamicEntry> entries;  // dynamic text
    uint8_t cells = 0;                  // register: shown width in character cells
    uint8_t firstImage = 0;             // lamp: image (0..3) shown first
    bool invisible = false;             // function key
    bool hand = false;                  // function key
    std::vector<GlyphUse> symbols;      // lamp: its first image; key: hand (if any), then key
    int width = 0;                      // bar, trend, picture
    int height = 0;
    uint16_t bitmapAddress = 0;  // picture
    bool bitmapResolved = false;
    size_t bitmapOffset = 0;
};

struct DecodedScreen {
    size_t tableOffset = 0;  // image offset of its screen-table entry
    uint16_t number = 0;
    uint8_t componentCount = 0;
    uint16_t upScreen = 0;
    uint16_t downScreen = 0;
    uint16_t pointerAddress = 0;
    std::vector<DecodedComponent> components;  // in pointer-table order
};

struct DecodedAlarmText {
    uint16_t address = 0;
    bool resolved = false;
    DecodedText text;
};

struct DecodedAlarms {
    size_t offset = 0;  // image offset of the alarm header
    uint8_t count = 0;
    std::vector<DecodedAlarmText> texts;
};

struct DecodedImage {
    std::array<uint8_t, 48> header{};  // zero beyond a short image
    uint16_t screenTableAddress = 0;
    uint16_t alarmAddress = 0;
    uint16_t narrowTableAddress = 0;
    uint16_t screenCount = 0;

    // The glyph tables as the records' references reveal them.
    size_t wideTableGlyphs = 0;  // glyphs of the 16 x 16 table
    bool lampGlyphs = false;     // glyphs 0..3 are the lamp glyphs
    size_t symbolGlyphs = 0;     // distinct key symbols after them
    size_t narrowGlyphs = 0;     // glyphs of the 8 x 16 table
    uint16_t pictureDataAddress = 0;

    std::vector<DecodedScreen> screens;
    std::optional<DecodedAlarms> alarms;  // when header byte 34 announces an alarm block

    std::vector<ImageProblem> problems;  // at most kMaxImageProblems, in finding order
    size_t problemsLeftOut = 0;          // further problems not listed
    bool ok() const { return problems.empty(); }
};

inline constexpr size_t kMaxImageProblems = 200;

// Decodes an image as compiled (header bytes 0..1 0xFF 0xFF) or as the panel holds it after a
// download (0x5A 0xA5).
DecodedImage decodeImage(std::span<const uint8_t> image);

// "0x1234 (offset 4660): message" lines, one per problem, plus a count of the left-out ones.
std::vector<std::string> describeProblems(const DecodedImage& decoded);

}  // namespace vanta
