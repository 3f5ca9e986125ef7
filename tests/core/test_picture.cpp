#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/MonoBitmap.h"

namespace vanta {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

std::vector<uint32_t> filled(int w, int h, uint32_t colour) {
    return std::vector<uint32_t>(static_cast<size_t>(w) * h, colour);
}

MonoBitmap convert(int w, int h, const std::vector<uint32_t>& pixels) {
    auto result = MonoBitmap::fromColours(w, h, pixels);
    EXPECT_TRUE(result.ok());
    return result.ok() ? result.value() : MonoBitmap();
}

TEST(PictureBitmap, LightMeansAverageAbove128) {
    EXPECT_FALSE(isLightPixel(0x808080));  // average 128
    EXPECT_TRUE(isLightPixel(0x818181));   // average 129
    EXPECT_FALSE(isLightPixel(0xFF8000));  // (255 + 128 + 0) / 3 = 127
    EXPECT_TRUE(isLightPixel(0xFFC000));   // (255 + 192) / 3 = 149
    EXPECT_FALSE(isLightPixel(0x818180));  // 386 / 3 = 128 (integer average)

    std::vector<uint32_t> px = {0x808080, 0x818181};
    MonoBitmap bitmap = convert(2, 1, px);
    EXPECT_FALSE(bitmap.pixel(0, 0));
    EXPECT_TRUE(bitmap.pixel(1, 0));
    EXPECT_EQ(bitmap.bits(), (std::vector<uint8_t>{0x40, 0, 0, 0}));
}

TEST(PictureBitmap, RowsAreStoredBottomFirstAndPaddedTo32Bits) {
    // 33 x 2: top row all light, bottom row only the last pixel light.
    std::vector<uint32_t> px = filled(33, 2, kBlack);
    for (int x = 0; x < 33; ++x) {
        px[x] = kWhite;
    }
    px[33 + 32] = kWhite;
    MonoBitmap bitmap = convert(33, 2, px);
    EXPECT_EQ(bitmap.rowBytes(), 8u);
    EXPECT_EQ(bitmap.imageSize(), 16u);
    const std::vector<uint8_t> expected = {
        0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00,  // bottom row
        0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00,  // top row
    };
    EXPECT_EQ(bitmap.bits(), expected);
}

TEST(PictureBitmap, DescriptionBlock) {
    MonoBitmap bitmap(16, 10);
    const BitmapDescription d = bitmap.description();
    const std::vector<uint8_t> expected = {
        40, 0, 0, 0, 16,   0,    0,    0, 10, 0, 0, 0, 1, 0, 1, 0,  // size, w, h, planes, bpp
        0,  0, 0, 0, 40,   0,    0,    0, 0,  0, 0, 0, 0, 0, 0, 0,  // none, image 4 x 10
        0,  0, 0, 0, 0,    0,    0,    0,                           // colours used, important
        0,  0, 0, 0, 0xFF, 0xFF, 0xFF, 0,                           // black, white
    };
    EXPECT_EQ(std::vector<uint8_t>(d.begin(), d.end()), expected);
}

TEST(PictureBitmap, SizeLimits) {
    EXPECT_TRUE(pictureSizeAllowed(196, 64));
    EXPECT_TRUE(pictureSizeAllowed(1, 1));
    EXPECT_FALSE(pictureSizeAllowed(197, 10));
    EXPECT_FALSE(pictureSizeAllowed(196, 65));
    EXPECT_FALSE(pictureSizeAllowed(0, 10));
    EXPECT_FALSE(MonoBitmap::fromColours(3, 3, std::vector<uint32_t>(8, 0)).ok());
}

TEST(PictureBitmap, PageFormatOf16By10) {
    // Every pixel light: band 0 is 0xFF in each column, band 1 keeps only rows 8 and 9 (bits 0, 1).
    MonoBitmap bitmap = convert(16, 10, filled(16, 10, kWhite));
    EXPECT_EQ(bitmap.bands(), 2);
    EXPECT_EQ(bitmap.downloadSize(), 32);
    const std::vector<uint8_t> page = bitmap.toPageFormat();
    ASSERT_EQ(page.size(), 32u);
    for (int c = 0; c < 16; ++c) {
        EXPECT_EQ(page[c], 0xFF) << c;
        EXPECT_EQ(page[16 + c], 0x03) << c;
    }
}

TEST(PictureBitmap, PageFormatBitPositions) {
    // 3 x 9: light pixels at (0, 0), (1, 7), (2, 8); bit k of a column byte is row k of its band.
    std::vector<uint32_t> px = filled(3, 9, kBlack);
    px[0 * 3 + 0] = kWhite;
    px[7 * 3 + 1] = kWhite;
    px[8 * 3 + 2] = kWhite;
    const std::vector<uint8_t> page = convert(3, 9, px).toPageFormat();
    EXPECT_EQ(page, (std::vector<uint8_t>{0x01, 0x80, 0x00, 0x00, 0x00, 0x01}));
}

TEST(PictureBitmap, StoredFormRoundTripsAndRefusesDamage) {
    std::vector<uint32_t> px = filled(20, 5, kBlack);
    px[2 * 20 + 19] = kWhite;
    const MonoBitmap bitmap = convert(20, 5, px);
    const BitmapDescription d = bitmap.description();
    auto back = MonoBitmap::fromStored(d, bitmap.bits());
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), bitmap);
    EXPECT_TRUE(back->pixel(19, 2));

    // Too few bits for the size.
    std::vector<uint8_t> shortBits(bitmap.bits().begin(), bitmap.bits().end() - 1);
    EXPECT_FALSE(MonoBitmap::fromStored(d, shortBits).ok());
    // Image size field disagrees with width and height.
    BitmapDescription wrongSize = d;
    wrongSize[20] = 4;
    EXPECT_FALSE(MonoBitmap::fromStored(wrongSize, bitmap.bits()).ok());
    // Width beyond the picture limit, negative height, eight bits per pixel.
    BitmapDescription wide = d;
    wide[4] = 200;
    EXPECT_FALSE(MonoBitmap::fromStored(wide, bitmap.bits()).ok());
    BitmapDescription upsideDown = d;
    upsideDown[8] = 0xFB;
    upsideDown[9] = upsideDown[10] = upsideDown[11] = 0xFF;
    EXPECT_FALSE(MonoBitmap::fromStored(upsideDown, bitmap.bits()).ok());
    BitmapDescription eightBit = d;
    eightBit[14] = 8;
    EXPECT_FALSE(MonoBitmap::fromStored(eightBit, bitmap.bits()).ok());
}

}  // namespace
}  // namespace vanta
