// Built-in glyphs, page format and the editor images derived from the glyphs.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/BuiltinGlyphs.h"
#include "model/PageFormat.h"

using namespace vanta;

TEST(PageFormat, SixteenBySixteenRowsToPageAndBack) {
    // Row bitmap, 2 bytes per row: pixel (0,0), (15,0), (3,9), (8,15) set.
    std::vector<uint8_t> rows(32, 0);
    rows[0] = 0x80;
    rows[1] = 0x01;
    rows[9 * 2] = 0x10;
    rows[15 * 2 + 1] = 0x80;
    auto page = rowsToPageFormat(rows, 16, 16, 2);
    ASSERT_TRUE(page.ok());
    ASSERT_EQ(page->size(), 32u);
    std::vector<uint8_t> expected(32, 0);
    expected[0] = 0x01;       // band 0, column 0, row 0
    expected[15] = 0x01;      // band 0, column 15, row 0
    expected[16 + 3] = 0x02;  // band 1, column 3, row 9 = bit 1
    expected[16 + 8] = 0x80;  // band 1, column 8, row 15 = bit 7
    EXPECT_EQ(*page, expected);

    auto back = pageFormatToRows(*page, 16, 16);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, rows);
}

TEST(PageFormat, NarrowGlyphAndPartialBand) {
    // An 8 x 16 glyph with one row byte per row: a vertical bar in column 0.
    std::vector<uint8_t> rows(16, 0x80);
    auto page = rowsToPageFormat(rows, 8, 16, 1);
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page->size(), 16u);
    EXPECT_EQ((*page)[0], 0xFF);
    EXPECT_EQ((*page)[8], 0xFF);
    EXPECT_EQ((*page)[1], 0x00);

    // 3 x 10: two bands; rows 10..15 of the last band are 0. Padded stride of 4 bytes.
    std::vector<uint8_t> padded(4 * 10, 0);
    for (int y = 0; y < 10; ++y) {
        padded[static_cast<size_t>(y) * 4] = 0x20;  // column 2 set in every row
    }
    auto small = rowsToPageFormat(padded, 3, 10, 4);
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(*small, (std::vector<uint8_t>{0, 0, 0xFF, 0, 0, 0x03}));
    EXPECT_TRUE(pagePixel(*small, 3, 10, 2, 9));
    EXPECT_FALSE(pagePixel(*small, 3, 10, 2, 10));  // below the bitmap
    EXPECT_FALSE(pagePixel(*small, 3, 10, -1, 0));
}

TEST(PageFormat, ShortInputIsRefused) {
    std::vector<uint8_t> rows(31, 0);
    EXPECT_FALSE(rowsToPageFormat(rows, 16, 16, 2).ok());
    EXPECT_FALSE(rowsToPageFormat(rows, 16, 8, 1).ok());  // stride shorter than a row
    EXPECT_FALSE(pageFormatToRows(rows, 16, 16).ok());
    std::vector<uint8_t> page(2, 0);
    setPagePixel(page, 16, 16, 5, 12, true);  // beyond the data: ignored
    EXPECT_EQ(page, (std::vector<uint8_t>{0, 0}));
}

TEST(BuiltinGlyphs, TableMatchesTheArtwork) {
    const auto& table = builtinGlyphs();
    ASSERT_EQ(table.size(), 25u);
    std::set<PageGlyph> distinct;
    for (int i = 0; i < kBuiltinGlyphCount; ++i) {
        const GlyphArt& art = builtinGlyphArt(i);
        int set = 0;
        for (int y = 0; y < 16; ++y) {
            ASSERT_EQ(std::string(art[static_cast<size_t>(y)]).size(), 16u) << i;
            for (int x = 0; x < 16; ++x) {
                const bool on = art[static_cast<size_t>(y)][x] == '#';
                set += on;
                EXPECT_EQ(pagePixel(table[static_cast<size_t>(i)], 16, 16, x, y), on)
                    << "glyph " << i << " at " << x << "," << y;
            }
        }
        EXPECT_GT(set, 10) << "glyph " << i << " is nearly empty";
        distinct.insert(table[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(distinct.size(), 25u);  // every glyph is its own picture
    EXPECT_EQ(&symbolGlyph(0), &table[4]);
    EXPECT_EQ(&symbolGlyph(kHandSymbol), &table[24]);
    EXPECT_EQ(&lampGlyph(3), &table[3]);
    EXPECT_EQ(symbolGlyph(21), PageGlyph{});
    EXPECT_EQ(lampGlyph(4), PageGlyph{});
}

TEST(BuiltinGlyphs, LampGlyphsLightIsFilledDarkIsHollow) {
    // The centre of an "on" lamp is set, the centre of an "off" lamp clear.
    EXPECT_FALSE(pagePixel(lampGlyph(0), 16, 16, 8, 8));
    EXPECT_TRUE(pagePixel(lampGlyph(1), 16, 16, 8, 8));
    EXPECT_FALSE(pagePixel(lampGlyph(2), 16, 16, 8, 8));
    EXPECT_TRUE(pagePixel(lampGlyph(3), 16, 16, 8, 8));
    // The square lamps reach the corners region the circular ones leave clear.
    EXPECT_TRUE(pagePixel(lampGlyph(2), 16, 16, 1, 1));
    EXPECT_FALSE(pagePixel(lampGlyph(0), 16, 16, 1, 1));
}

TEST(KeyImages, NumbersMapToGlyphsAndVariants) {
    EXPECT_EQ(keyImage(329), nullptr);
    EXPECT_EQ(keyImage(396), nullptr);
    for (int lamp = 0; lamp < 4; ++lamp) {
        EXPECT_EQ(keyImage(330 + lamp)->glyph, lamp);
    }
    // "‘0’键" (key index 8): 358, 359, 360.
    EXPECT_EQ(keyImage(358)->glyph, 4 + 8);
    EXPECT_EQ(keyImage(358)->variant, KeyImageVariant::Dark);
    EXPECT_EQ(keyImage(359)->variant, KeyImageVariant::Light);
    EXPECT_EQ(keyImage(360)->variant, KeyImageVariant::Dotted);
    // "‘CLR’键" (index 18): 388..390; +/- key 391..393; hand 394, 395.
    EXPECT_EQ(keyImage(388)->glyph, 4 + 18);
    EXPECT_EQ(keyImage(391)->glyph, 4 + kPlusMinusSymbol);
    EXPECT_EQ(keyImage(393)->variant, KeyImageVariant::Dotted);
    EXPECT_EQ(keyImage(394)->glyph, 4 + kHandSymbol);
    EXPECT_EQ(keyImage(395)->variant, KeyImageVariant::Light);
}

TEST(KeyImages, EnlargedPixelsFollowTheGlyph) {
    // Screen pixel x shows glyph pixel trunc(x * 4 / 9): 0..2 -> 0, 3..4 -> 1, 34..35 -> 15.
    for (int number = kFirstKeyImage; number <= kLastKeyImage; ++number) {
        const KeyImage* image = keyImage(number);
        ASSERT_NE(image, nullptr);
        if (image->variant == KeyImageVariant::Dotted) {
            continue;
        }
        const PageGlyph& glyph = builtinGlyph(image->glyph);
        const Color on = image->variant == KeyImageVariant::Dark ? kImageLight : kImageDark;
        const Color off = image->variant == KeyImageVariant::Dark ? kImageDark : kImageLight;
        for (int y = 0; y < 36; y += 5) {
            for (int x = 0; x < 36; x += 7) {
                const bool set = pagePixel(glyph, 16, 16, x * 4 / 9, y * 4 / 9);
                ASSERT_EQ(image->at(x, y), set ? on : off) << number << " " << x << "," << y;
            }
        }
    }
    // Hand-picked pixels of the circular "on" lamp: its centre is light, its corner dark.
    EXPECT_EQ(keyImage(331)->at(18, 18), kImageLight);
    EXPECT_EQ(keyImage(331)->at(0, 0), kImageDark);
    // The key frame of "‘ESC’键" (334) is the glyph's column 0 from row 1 on: screen x 0..2.
    EXPECT_EQ(keyImage(334)->at(0, 18), kImageLight);
    EXPECT_EQ(keyImage(334)->at(2, 18), kImageLight);
    EXPECT_EQ(keyImage(334)->at(3, 18), kImageDark);
    EXPECT_EQ(keyImage(335)->at(0, 18), kImageDark);  // light variant: the reverse
}

TEST(KeyImages, DottedVariantShowsOnlyAnOutline) {
    const KeyImage& dotted = *keyImage(336);  // "‘ESC’键", invisible
    int dots = 0;
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 36; ++x) {
            const Color c = dotted.at(x, y);
            ASSERT_TRUE(c == kImageDark || c == kImageDots);
            if (c == kImageDots) {
                ++dots;
                EXPECT_EQ((x + y) % 2, 0);                        // every other pixel
                EXPECT_EQ(keyImage(334)->at(x, y), kImageLight);  // on the symbol
            }
        }
    }
    EXPECT_GT(dots, 40);
    // The frame column (screen x 0..2 at row 18) is three pixels wide: only its edges are dotted.
    EXPECT_EQ(dotted.at(1, 17), kImageDark);
    EXPECT_EQ(dotted.at(0, 18), kImageDots);
    EXPECT_EQ(dotted.at(2, 18), kImageDots);
}
