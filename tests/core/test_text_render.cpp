// The text renderer of the simulated display, against hand-set glyph tables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/FontTables.h"
#include "model/CChars.h"
#include "model/PixelCanvas.h"
#include "model/TextRenderer.h"

namespace vanta {
namespace {

// Narrow glyphs with one recognisable row each; the wide glyph of 0xB0 0xA1 with its left and
// right columns set.
FontTables handSetFonts() {
    std::vector<uint8_t> narrow(kNarrowTableBytes, 0);
    narrow['A' * 16 + 0] = 0x80;    // row 0: leftmost pixel
    narrow['B' * 16 + 1] = 0x01;    // row 1: rightmost pixel
    narrow['&' * 16 + 2] = 0xFF;    // row 2: full
    narrow[13 * 16 + 3] = 0x80;     // carriage return, row 3
    narrow[0xB0 * 16 + 15] = 0x18;  // Latin-1 degree sign, bottom row, middle
    std::vector<uint8_t> wide(kWideTableBytes, 0);
    const size_t at = FontTables::wideOffset(0xB0, 0xA1);
    for (int r = 0; r < 16; ++r)
        wide[at + 2 * r] = 0x80, wide[at + 2 * r + 1] = 0x01;
    // The GBK degree sign (0xA1 0xE3) and a with macron (0xA8 0xA1): one row each.
    wide[FontTables::wideOffset(0xA1, 0xE3) + 2 * 4] = 0x01;
    wide[FontTables::wideOffset(0xA8, 0xA1) + 2 * 5 + 1] = 0x80;
    FontTables fonts;
    fonts.setNarrowTable(narrow);
    fonts.setWideTable(wide);
    return fonts;
}

std::vector<int> setColumnsOfRow(const MonoBitmap& bitmap, int row) {
    std::vector<int> columns;
    for (int x = 0; x < bitmap.width(); ++x)
        if (bitmap.pixel(x, row))
            columns.push_back(x);
    return columns;
}

TEST(TextRender, NaturalWidth) {
    EXPECT_EQ(naturalTextWidth(""), 0);
    EXPECT_EQ(naturalTextWidth("AB"), 16);
    EXPECT_EQ(naturalTextWidth("A\xB0\xA1"), 24);  // ideograph: 16
    EXPECT_EQ(naturalTextWidth("\xA6\xA1"), 16);   // Greek capital alpha, 0x391: 16
    // Every double-byte character is as wide as the panel draws it, below U+0390 too.
    EXPECT_EQ(naturalTextWidth("\xA1\xE3"), 16);  // degree sign, U+00B0
    EXPECT_EQ(naturalTextWidth("\xA8\xA1"), 16);  // a with macron, U+0101
    EXPECT_EQ(naturalTextWidth("ABC\nD"), 24);    // the longest line
    EXPECT_EQ(naturalTextWidth("A\nBCD"), 24);
    EXPECT_EQ(naturalTextWidth("A\rB"), 16);  // a carriage return counts nothing
    EXPECT_EQ(naturalTextWidth("A&B"), 24);
}

TEST(TextRender, GlyphsAtTheirNaturalPlaces) {
    const FontTables fonts = handSetFonts();
    const MonoBitmap bitmap = renderDisplayText(fonts, "AB\xB0\xA1&");
    ASSERT_EQ(bitmap.width(), 40);
    ASSERT_EQ(bitmap.height(), 16);
    EXPECT_EQ(setColumnsOfRow(bitmap, 0), (std::vector<int>{0, 16, 31}));
    EXPECT_EQ(setColumnsOfRow(bitmap, 1), (std::vector<int>{15, 16, 31}));
    EXPECT_EQ(setColumnsOfRow(bitmap, 2),
              (std::vector<int>{16, 31, 32, 33, 34, 35, 36, 37, 38, 39}));

    // A symbol-row character whose Unicode value lies below U+0390 is drawn with its 16 x 16
    // glyph as the panel draws it, not with the narrow glyph of its value.
    const MonoBitmap degree = renderDisplayText(fonts, "\xA1\xE3");
    ASSERT_EQ(degree.width(), 16);
    EXPECT_TRUE(setColumnsOfRow(degree, 15).empty());
    EXPECT_EQ(setColumnsOfRow(degree, 4), (std::vector<int>{7}));
}

TEST(TextRender, LettersWithMarksTakeTheirWideGlyphAndWidth) {
    const FontTables fonts = handSetFonts();
    const MonoBitmap bitmap = renderDisplayText(fonts,
                                                "\xA8\xA1"
                                                "A");
    ASSERT_EQ(bitmap.width(), 24);
    EXPECT_EQ(setColumnsOfRow(bitmap, 0), (std::vector<int>{16}));
    EXPECT_EQ(setColumnsOfRow(bitmap, 5), (std::vector<int>{8}));
    for (int y : {1, 2, 3, 4, 6, 15})
        EXPECT_TRUE(setColumnsOfRow(bitmap, y).empty()) << y;
}

TEST(TextRender, LineBreaksAndCarriageReturns) {
    const FontTables fonts = handSetFonts();
    // A line feed moves nothing: B follows A and is cut off by the natural width of one line.
    const MonoBitmap feed = renderDisplayText(fonts, "A\nB");
    ASSERT_EQ(feed.width(), 8);
    EXPECT_EQ(setColumnsOfRow(feed, 0), (std::vector<int>{0}));
    EXPECT_TRUE(setColumnsOfRow(feed, 1).empty());
    // A carriage return is drawn as glyph 13 and advances the pen, so B falls outside.
    const MonoBitmap ret = renderDisplayText(fonts, "A\rB");
    ASSERT_EQ(ret.width(), 16);
    EXPECT_EQ(setColumnsOfRow(ret, 3), (std::vector<int>{8}));
    EXPECT_TRUE(setColumnsOfRow(ret, 1).empty());
    // An incomplete character at the end draws nothing.
    EXPECT_EQ(renderDisplayText(fonts, "A\xB0").width(), 8);
}

TEST(TextRender, StretchedOntoTheRectangleWithDisplayColours) {
    const FontTables fonts = handSetFonts();
    PixelCanvas canvas(100, 80, rgb(1, 1, 1));
    DrawDisplayText(canvas, fonts, "AB", {10, 5, 46, 41}, false);  // 16 x 16 onto 36 x 36
    // Source column 0, row 0 covers dest x 10..12 (x * 16 / 36 == 0), y 5..7.
    EXPECT_EQ(canvas.pixel(10, 5), kDisplayLight);
    EXPECT_EQ(canvas.pixel(12, 7), kDisplayLight);
    EXPECT_EQ(canvas.pixel(13, 5), kDisplayDark);
    EXPECT_EQ(canvas.pixel(10, 8), kDisplayDark);
    EXPECT_EQ(canvas.pixel(45, 40), kDisplayDark);
    EXPECT_EQ(canvas.pixel(46, 40), rgb(1, 1, 1));
    // B's pixel (15, 1) lands at x 10 + ceil(15 x 36 / 16) = 44.
    EXPECT_EQ(canvas.pixel(44, 8), kDisplayLight);

    DrawDisplayText(canvas, fonts, "AB", {10, 5, 46, 41}, true);
    EXPECT_EQ(canvas.pixel(10, 5), kDisplayDark);
    EXPECT_EQ(canvas.pixel(13, 5), kDisplayLight);

    PixelCanvas untouched(20, 20, rgb(1, 1, 1));
    DrawDisplayText(untouched, fonts, "", {0, 0, 10, 10}, false);
    EXPECT_EQ(untouched.pixel(0, 0), rgb(1, 1, 1));
}

TEST(TextRender, StaticTextDrawsItsTextAtDoubleSize) {
    const FontTables fonts = handSetFonts();
    ModelContext context;
    context.fonts = &fonts;
    CChars text(context, 0, 0, "A");
    text.m_doubleSize = 1;
    text.PlaceAt(0, 0);
    ASSERT_EQ(text.m_rect, (Rect{0, 0, 36, 72}));
    PixelCanvas canvas;
    text.Draw(canvas);
    // One source pixel becomes a 4 x 4 or 5 x 4 block.
    EXPECT_EQ(canvas.pixel(4, 3), kDisplayLight);
    EXPECT_EQ(canvas.pixel(5, 0), kDisplayDark);
    EXPECT_EQ(canvas.pixel(0, 5), kDisplayDark);
    EXPECT_EQ(canvas.pixel(36, 0), Color{});
}

}  // namespace
}  // namespace vanta
