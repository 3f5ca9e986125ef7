#include "model/DrawHelpers.h"

namespace vanta {

void DrawDottedFrame(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const Point corners[] = {
        {left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    for (int i = 0; i < 4; ++i)
        canvas.drawLine(corners[i], corners[i + 1], kDottedFrameColor, 1, PenStyle::Dotted);
}

void DrawSolidFrame(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const Point corners[] = {
        {left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}};
    for (int i = 0; i < 4; ++i)
        canvas.drawLine(corners[i], corners[i + 1], kDisplayDark, 1);
}

void DrawNarrowGlyph(Canvas& canvas, const FontTables& fonts, int code, Point origin, Color color) {
    if (code < 0 || code > 0xFF)
        return;
    const NarrowGlyph glyph = fonts.narrow(static_cast<uint8_t>(code));
    for (int r = 0; r < static_cast<int>(kNarrowGlyphBytes); ++r)
        for (int c = 0; c < 8; ++c)
            if ((glyph[r] >> (7 - c)) & 1)
                canvas.setPixel({origin.x + c, origin.y + r}, color);
}

void DrawNarrowGlyph(MonoBitmap& bitmap, const FontTables& fonts, int code, Point origin) {
    if (code < 0 || code > 0xFF)
        return;
    const NarrowGlyph glyph = fonts.narrow(static_cast<uint8_t>(code));
    for (int r = 0; r < static_cast<int>(kNarrowGlyphBytes); ++r)
        for (int c = 0; c < 8; ++c)
            if ((glyph[r] >> (7 - c)) & 1)
                bitmap.setPixel(origin.x + c, origin.y + r, true);
}

}  // namespace vanta
