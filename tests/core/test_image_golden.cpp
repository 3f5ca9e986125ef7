// Golden images: small projects whose every address and code is worked out by hand from the
// image layout (header 48 bytes at 0x8000, lamp glyphs, symbols, double-byte glyphs, single-byte
// glyphs, pictures, screen table, pointer table, records, dynamic-text data, alarm block).
#include <gtest/gtest.h>

#include <algorithm>

#include "image_test_support.h"
#include "model/BuiltinGlyphs.h"

using namespace vanta;
using namespace vanta::imagetest;

namespace {

const ByteString kZhong = "\xd6\xd0";  // 中

uint16_t be16(const Bytes& b, size_t at) {
    return static_cast<uint16_t>((b.at(at) << 8) | b.at(at + 1));
}

Bytes slice(const Bytes& b, size_t at, size_t n) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at),
                 b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

Bytes glyphBytes(const PageGlyph& g) {
    return Bytes(g.begin(), g.end());
}

}  // namespace

TEST(ImageGolden, LampGlyphsComeFirstAndShiftSymbolAndCharacterCodesByFour) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& s1 = *p.screens.current();
    placeKey(s1, 0, 0, 4);  // the up key: symbol 4
    placeText(s1, 32, 0, kZhong);

    // No lamp: symbol glyph at 0x8030, 中 at 0x8050, no single-byte glyphs.
    Bytes img = compiled(p);
    ASSERT_EQ(img.size(), 0x96u);
    EXPECT_EQ(slice(img, 48, 32), glyphBytes(symbolGlyph(4)));
    EXPECT_EQ(be16(img, 8), 0x8070) << "8 x 16 table after one symbol and one character";
    EXPECT_EQ(be16(img, 2), 0x8070) << "screen table";
    EXPECT_EQ(be16(img, 0x70 + 7), 0x8079) << "pointer table after one screen entry";
    // Pointers: the text (list head), then the key; records from 0x807F.
    EXPECT_EQ(slice(img, 0x79, 6), (Bytes{1, 0x80, 0x7F, 4, 0x80, 0x85}));
    EXPECT_EQ(slice(img, 0x7F, 6), (Bytes{32, 0, 0, 2, 0x80, 0x01})) << "0x8000 + 1 symbol + 0";
    EXPECT_EQ(img[0x85 + 15], 2);
    EXPECT_EQ(img[0x85 + 16], 0) << "symbol glyph 0";
    EXPECT_EQ(be16(img, 4), 0x8096);

    // A lamp on another screen: 128 lamp bytes first, every 16 x 16 number grows by 4.
    place<CLight>(p.screens.createScreen(2, ""), kKindLight, 0, 0);
    img = compiled(p);
    ASSERT_EQ(img.size(), 0x12Eu);
    for (int lamp = 0; lamp < 4; ++lamp)
        EXPECT_EQ(slice(img, 48 + 32 * lamp, 32), glyphBytes(lampGlyph(lamp)));
    EXPECT_EQ(slice(img, 176, 32), glyphBytes(symbolGlyph(4)));
    EXPECT_EQ(be16(img, 8), 0x80F0);
    EXPECT_EQ(be16(img, 2), 0x80F0);
    EXPECT_EQ(be16(img, 16), 2);
    EXPECT_EQ(slice(img, 0xF0, 18),
              (Bytes{0, 1, 2, 0, 0, 0, 2, 0x81, 0x02, 0, 2, 1, 0, 1, 0, 3, 0x81, 0x08}));
    EXPECT_EQ(slice(img, 0x102, 9), (Bytes{1, 0x81, 0x0B, 4, 0x81, 0x11, 3, 0x81, 0x22}));
    EXPECT_EQ(slice(img, 0x10B, 6), (Bytes{32, 0, 0, 2, 0x80, 0x05})) << "0x8000 + 4 + 1 + 0";
    EXPECT_EQ(img[0x111 + 16], 4) << "symbol glyph 4";
    EXPECT_EQ(be16(img, 4), 0x812E);
}

TEST(ImageGolden, RegistersFollowTheOtherComponentsByRowThenColumn) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& s1 = *p.screens.current();
    // List order (head first): (40, 16), text, (0, 16), (100, 0).
    place<CRegister>(s1, kKindRegister, 100, 0);
    place<CRegister>(s1, kKindRegister, 0, 16);
    placeText(s1, 0, 48, "T");
    place<CRegister>(s1, kKindRegister, 40, 16);

    const Bytes img = compiled(p);
    ASSERT_EQ(img.size(), 0x7Bu);
    EXPECT_EQ(be16(img, 8), 0x8030);
    EXPECT_EQ(be16(img, 2), 0x8040) << "after the glyph of T";
    EXPECT_EQ(slice(img, 0x40, 9), (Bytes{0, 1, 4, 0, 0, 0, 2, 0x80, 0x49}));
    EXPECT_EQ(slice(img, 0x49, 12),
              (Bytes{1, 0x80, 0x55, 2, 0x80, 0x5A, 2, 0x80, 0x65, 2, 0x80, 0x70}));
    EXPECT_EQ(slice(img, 0x55, 5), (Bytes{0, 48, 0, 1, 0}));
    EXPECT_EQ(slice(img, 0x5A, 2), (Bytes{100, 0}));
    EXPECT_EQ(slice(img, 0x65, 2), (Bytes{0, 16}));
    EXPECT_EQ(slice(img, 0x70, 2), (Bytes{40, 16}));
    EXPECT_EQ(img[0x70 + 9], 5) << "five cells";
    EXPECT_EQ(be16(img, 4), 0x807B);
}

TEST(ImageGolden, DynamicTextBlocksFollowTheRecordsInListOrder) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& s1 = *p.screens.current();
    placeDynamic(s1, 0, 16, {{1, "A"}, {2, "BC"}});  // second in the list
    placeDynamic(s1, 0, 0, {{5, "A"}});              // the head

    const Bytes img = compiled(p);
    ASSERT_EQ(img.size(), 0x9Du);
    EXPECT_EQ(be16(img, 2), 0x8060) << "after the glyphs of A, B, C";
    EXPECT_EQ(slice(img, 0x69, 6), (Bytes{8, 0x80, 0x6F, 8, 0x80, 0x7F}));
    const uint8_t attributes = img[0x6F + 2];
    EXPECT_EQ(attributes, 0x20) << "decimal display mode";
    EXPECT_EQ(slice(img, 0x6F + 10, 6), (Bytes{1, 1, 0, 5, 0x80, 0x93}));
    EXPECT_EQ(slice(img, 0x7F + 10, 10), (Bytes{2, 2, 0, 1, 0x80, 0x96, 0, 2, 0x80, 0x99}));
    EXPECT_EQ(slice(img, 0x93, 10),
              (Bytes{attributes, 1, 0, attributes, 1, 0, attributes, 2, 1, 2}));
    EXPECT_EQ(be16(img, 4), 0x809D);
}

TEST(ImageGolden, AlarmTextsFollowTheirHeaderWithPanelAddresses) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    p.alarms.m_texts = {"AB", kZhong};

    const Bytes img = compiled(p);
    ASSERT_EQ(img.size(), 0xB1u);
    EXPECT_EQ(img[34], 1);
    EXPECT_EQ(be16(img, 8), 0x8050) << "after the glyph of 中";
    EXPECT_EQ(be16(img, 2), 0x8070);
    EXPECT_EQ(be16(img, 4), 0x8079) << "the alarm block follows the empty screen";
    EXPECT_EQ(slice(img, 0x79, 3), (Bytes{2, 1, 0}));
    EXPECT_EQ(slice(img, 0x79 + 10, 6), (Bytes{0, 0x80, 0x89, 1, 0x80, 0x9D}));
    Bytes first(20, 0), second(20, 0);
    first[0] = 2;
    first[19] = 1;  // A = 0, B = 1
    second[0] = 2;
    second[18] = 0x80;  // 中 = 0x8000
    EXPECT_EQ(slice(img, 0x89, 20), first);
    EXPECT_EQ(slice(img, 0x9D, 20), second);
}

TEST(ImageGolden, HeaderTakesTheFirstScreenForAnUnknownInitialScreen) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    p.screens.createScreen(3, "");
    p.screens.createScreen(5, "");
    p.screens.removeAt(0);
    p.panel.initialScreen = 4;
    p.panel.saverAction = 1;
    p.panel.saverScreen = 5;
    p.panel.password = 1234;

    const Bytes img = compiled(p);
    EXPECT_EQ(be16(img, 16), 2);
    EXPECT_EQ(be16(img, 18), 3);
    EXPECT_EQ(be16(img, 20), 5);
    EXPECT_EQ(slice(img, 36, 2), (Bytes{0x12, 0x34}));
    EXPECT_EQ(be16(img, 48), 3);
    EXPECT_EQ(be16(img, 57), 5);
}
