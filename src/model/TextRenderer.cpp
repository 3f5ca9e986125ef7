#include "model/TextRenderer.h"

#include <algorithm>
#include <vector>

#include "common/GbkText.h"
#include "model/DrawHelpers.h"

namespace vanta {

namespace {

constexpr uint32_t kWideThreshold = 0x390;
constexpr uint32_t kLineFeed = 10;
constexpr uint32_t kCarriageReturn = 13;
constexpr uint32_t kUnknown = 0xFFFD;

// One character of the text: its UTF-16 value and, for a double-byte character, its bytes.
struct TextUnit {
    uint32_t unit;
    uint8_t lead = 0;
    uint8_t trail = 0;
};

// The first code point of a UTF-8 string, or kUnknown.
uint32_t firstCodePoint(const std::string& utf8) {
    if (utf8.empty())
        return kUnknown;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    if (s[0] < 0x80)
        return s[0];
    if ((s[0] & 0xE0) == 0xC0 && utf8.size() >= 2)
        return ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
    if ((s[0] & 0xF0) == 0xE0 && utf8.size() >= 3)
        return ((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
    return kUnknown;
}

// The UTF-16 value of a double-byte character. Only the GBK symbol rows (lead bytes 0xA1..0xA9)
// hold characters below 0x390 (Latin letters with marks, pinyin, a few signs); every other lead
// byte starts an ideograph or a user-defined character, all far above, so only those rows need
// the code-page conversion.
uint32_t wideUnit(uint8_t lead, uint8_t trail) {
    if (lead < 0xA1 || lead > 0xA9)
        return kUnknown;
    const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
    Result<std::string> utf8 = gbkToUtf8(pair);
    return utf8.ok() ? firstCodePoint(*utf8) : kUnknown;
}

std::vector<TextUnit> unitsOf(const ByteString& text) {
    std::vector<TextUnit> units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t byte = static_cast<uint8_t>(text[i]);
        if (!isLeadByte(byte)) {
            units.push_back({byte});
        } else if (i + 1 < text.size()) {
            const uint8_t trail = static_cast<uint8_t>(text[++i]);
            units.push_back({wideUnit(byte, trail), byte, trail});
        }
        // A lone lead byte at the end is no character and is not drawn.
    }
    return units;
}

int32_t naturalWidth(const std::vector<TextUnit>& units) {
    int32_t widest = 0, line = 0;
    for (const TextUnit& u : units) {
        if (u.unit == kLineFeed) {
            widest = std::max(widest, line);
            line = 0;
        } else if (u.unit != kCarriageReturn) {
            line += u.unit < kWideThreshold ? 8 : 16;
        }
    }
    return std::max(widest, line);
}

void drawWideGlyph(MonoBitmap& bitmap, const FontTables& fonts, uint8_t lead, uint8_t trail,
                   int32_t x) {
    const WideGlyph glyph = fonts.wide(lead, trail);
    for (int r = 0; r < 16; ++r) {
        const uint16_t row = static_cast<uint16_t>((glyph[2 * r] << 8) | glyph[2 * r + 1]);
        for (int c = 0; c < 16; ++c)
            if ((row >> (15 - c)) & 1)
                bitmap.setPixel(x + c, r, true);
    }
}

}  // namespace

int32_t naturalTextWidth(const ByteString& text) {
    return naturalWidth(unitsOf(text));
}

MonoBitmap renderDisplayText(const FontTables& fonts, const ByteString& text) {
    const std::vector<TextUnit> units = unitsOf(text);
    MonoBitmap bitmap(naturalWidth(units), kCellHeight);
    int32_t x = 0;
    for (const TextUnit& u : units) {
        if (x >= bitmap.width())
            break;  // nothing more would show
        if (u.unit == kLineFeed)
            continue;
        if (u.unit < kWideThreshold) {
            DrawNarrowGlyph(bitmap, fonts, static_cast<int>(u.unit), {x, 0});
            x += 8;
        } else {
            drawWideGlyph(bitmap, fonts, u.lead, u.trail, x);
            x += 16;
        }
    }
    return bitmap;
}

void DrawDisplayText(Canvas& canvas, const FontTables& fonts, const ByteString& text,
                     const Rect& rect, bool inverse) {
    const MonoBitmap bitmap = renderDisplayText(fonts, text);
    if (bitmap.width() == 0)
        return;
    const Color stroke = inverse ? kDisplayDark : kDisplayLight;
    const Color background = inverse ? kDisplayLight : kDisplayDark;
    canvas.drawMonoBitmap(rect, bitmap, stroke, background);
}

}  // namespace vanta
