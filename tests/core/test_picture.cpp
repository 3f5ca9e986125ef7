#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "common/Archive.h"
#include "model/CUpLoadPic.h"
#include "model/MonoBitmap.h"
#include "model/PixelCanvas.h"

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

// --- the picture component ---

MonoBitmap bitmapOf(int w, int h, std::initializer_list<std::pair<int, int>> light) {
    MonoBitmap bitmap(w, h);
    for (auto [x, y] : light)
        bitmap.setPixel(x, y, true);
    return bitmap;
}

Bytes stored(CUpLoadPic& picture) {
    Archive ar;
    picture.Serialize(ar);
    return ar.data();
}

void appendLE32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

class PictureComponent : public ::testing::Test {
  protected:
    ModelContext context;
};

TEST_F(PictureComponent, LoadedPicturesWithinTheLimits) {
    auto accepted = CUpLoadPic::convertLoadedPicture(196, 64, filled(196, 64, kWhite));
    ASSERT_TRUE(accepted.ok());
    EXPECT_EQ(accepted->width(), 196);
    EXPECT_TRUE(accepted->pixel(195, 63));
    auto refused = CUpLoadPic::convertLoadedPicture(197, 10, filled(197, 10, kWhite));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), "picture size error!!!");
    EXPECT_EQ(refused.error().caption, "Open picture");
    EXPECT_FALSE(CUpLoadPic::convertLoadedPicture(10, 65, filled(10, 65, kWhite)).ok());
}

TEST_F(PictureComponent, PlacementAndPageRanges) {
    CUpLoadPic picture(context, 23, 7, MonoBitmap(16, 10));
    picture.PlaceAt(23, 7);
    EXPECT_EQ(picture.m_kind, kKindPicture);
    EXPECT_EQ(picture.m_x, 10);
    EXPECT_EQ(picture.m_y, 3);
    EXPECT_EQ(picture.m_rect, (Rect{23, 7, 59, 30}));  // 36 x 23 (22.5 rounded up)
    EXPECT_EQ(picture.pictureXMaximum(), 176);
    EXPECT_EQ(picture.pictureYMaximum(), 54);

    CUpLoadPic full(context, 0, 0, MonoBitmap(192, 64));
    EXPECT_EQ(full.pictureXMaximum(), 0);
    EXPECT_EQ(full.pictureYMaximum(), 0);
}

TEST_F(PictureComponent, DownloadRecordsAndConsecutiveAddresses) {
    CUpLoadPic first(context, 0, 0, bitmapOf(16, 10, {{0, 9}}));
    first.m_x = 8;
    first.m_y = 2;
    CUpLoadPic second(context, 0, 0, bitmapOf(3, 9, {{2, 8}}));
    DownloadContext download;
    for (CUpLoadPic* p : {&first, &second}) {
        p->ComputeRecordSize();
        ASSERT_TRUE(p->BuildDownloadRecord(download).ok());
        ASSERT_TRUE(p->CollectGlyphs(download).ok());
    }
    ASSERT_EQ(download.pictureData.size(), 32u + 6u);
    EXPECT_EQ(download.pictureData[16], 0x02);      // first picture, band 1, column 0: row 9
    EXPECT_EQ(download.pictureData[32 + 5], 0x01);  // second picture, band 1, column 2: row 8

    uint16_t base = 0x8030;
    first.RebaseGlyphCodes(base);
    second.RebaseGlyphCodes(base);
    EXPECT_EQ(base, 0x8030 + 32 + 6);
    EXPECT_EQ(first.m_record, (Bytes{8, 2, 0, 16, 10, 0x80, 0x30, 0, 0}));
    EXPECT_EQ(second.m_record, (Bytes{0, 0, 0, 3, 9, 0x80, 0x50, 0, 0}));
}

TEST_F(PictureComponent, RecordBytesAndRoundTrip) {
    CUpLoadPic picture(context, 0, 0, bitmapOf(20, 2, {{0, 0}, {19, 1}}));
    picture.m_x = 10;
    picture.m_y = 3;
    Bytes expected = {5};
    appendLE32(expected, 10);
    appendLE32(expected, 3);
    const BitmapDescription d = picture.m_bitmap.description();
    expected.insert(expected.end(), d.begin(), d.end());
    expected.insert(expected.end(), {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0x00});
    expected.resize(expected.size() + 20, 0);
    EXPECT_EQ(stored(picture), expected);

    CUpLoadPic back(context);
    Archive in(expected);
    back.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(back.m_bitmap, picture.m_bitmap);
    EXPECT_EQ(back.m_rect, (Rect{23, 7, 68, 12}));

    CUpLoadPic copy(back);
    copy.m_bitmap.setPixel(5, 0, true);
    EXPECT_FALSE(back.m_bitmap.pixel(5, 0));
    EXPECT_EQ(copy.m_rect, back.m_rect);
}

TEST_F(PictureComponent, DamagedRecordsFailTheRead) {
    CUpLoadPic picture(context, 0, 0, bitmapOf(20, 2, {{0, 0}}));
    const Bytes good = stored(picture);
    const size_t imageSizeAt = 9 + 20;

    auto readBack = [this](const Bytes& bytes) {
        CUpLoadPic back(context);
        Archive in(bytes);
        back.Serialize(in);
        EXPECT_EQ(back.width(), 0);  // left empty
        return in.ok();
    };
    // Image size that does not match 20 x 2 (8 bytes).
    Bytes wrongSize = good;
    wrongSize[imageSizeAt] = 12;
    EXPECT_FALSE(readBack(wrongSize));
    // Image size far beyond the end of the data.
    Bytes huge = good;
    huge[imageSizeAt + 3] = 0x7F;
    EXPECT_FALSE(readBack(huge));
    // Rows cut short, and the reserved block missing.
    EXPECT_FALSE(readBack(Bytes(good.begin(), good.begin() + 9 + 48 + 5)));
    Bytes noReserved(good.begin(), good.end() - 20);
    CUpLoadPic back(context);
    Archive in(noReserved);
    back.Serialize(in);
    EXPECT_FALSE(in.ok());
    // A height of 0, a negative height (rows top first), eight bits per pixel.
    Bytes flat = good;
    flat[9 + 8] = 0;
    EXPECT_FALSE(readBack(flat));
    Bytes upsideDown = good;
    upsideDown[9 + 8] = 0xFE;
    upsideDown[9 + 9] = upsideDown[9 + 10] = upsideDown[9 + 11] = 0xFF;
    EXPECT_FALSE(readBack(upsideDown));
    Bytes eightBit = good;
    eightBit[9 + 14] = 8;
    EXPECT_FALSE(readBack(eightBit));
}

TEST_F(PictureComponent, DrawStretchesTheBitmap) {
    CUpLoadPic picture(context, 0, 0, bitmapOf(2, 1, {{0, 0}}));
    picture.PlaceAt(0, 0);  // (0, 0)-(5, 2)
    PixelCanvas canvas(kDisplayWidth, kDisplayHeight, rgb(1, 2, 3));
    picture.Draw(canvas);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(canvas.pixel(x, 1), rgb(255, 255, 255)) << x;
    for (int x = 3; x < 5; ++x)
        EXPECT_EQ(canvas.pixel(x, 1), rgb(0, 0, 0)) << x;
    EXPECT_EQ(canvas.pixel(5, 0), rgb(1, 2, 3));
    EXPECT_EQ(canvas.pixel(0, 2), rgb(1, 2, 3));
}

}  // namespace
}  // namespace vanta
