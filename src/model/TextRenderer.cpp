#include "model/TextRenderer.h"

#include <algorithm>
#include <vector>

#include "common/GbkText.h"
#include "model/DrawHelpers.h"

namespace vanta {

namespace {

constexpr uint8_t kLineFeed = 10;
constexpr uint8_t kCarriageReturn = 13;

// One character of the text: a single-byte character (its byte) or a double-byte one (its two
// bytes).
struct TextUnit {
    uint8_t byte = 0;
    bool wide = false;
    uint8_t lead = 0;
    uint8_t trail = 0;
};

std::vector<TextUnit> unitsOf(const ByteString& text) {
    std::vector<TextUnit> units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t byte = static_cast<uint8_t>(text[i]);
        if (!isLeadByte(byte)) {
            units.push_back({byte});
        } else if (i + 1 < text.size()) {
            const uint8_t trail = static_cast<uint8_t>(text[++i]);
            units.push_back({0, true, byte, trail});
        }
        // A lone lead byte at the end is no character and is not drawn.
    }
    return units;
}

int32_t naturalWidth(const std::vector<TextUnit>& units) {
    int32_t widest = 0, line = 0;
    for (const TextUnit& u : units) {
        if (u.wide) {
            line += 16;
        } else if (u.byte == kLineFeed) {
            widest = std::max(widest, line);
            line = 0;
        } else if (u.byte != kCarriageReturn) {
            line += 8;
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
        if (u.wide) {
            drawWideGlyph(bitmap, fonts, u.lead, u.trail, x);
            x += 16;
        } else if (u.byte != kLineFeed) {
            DrawNarrowGlyph(bitmap, fonts, u.byte, {x, 0});
            x += 8;
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
