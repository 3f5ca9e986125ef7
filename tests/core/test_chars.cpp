// Static text: record, download record, size rule, the text page's rules and copying.

#include <gtest/gtest.h>

#include "model_test_support.h"

#include <string>
#include <vector>

#include "model/CChars.h"
#include "model/PixelCanvas.h"

namespace vanta {
namespace {

class RecordingPages : public PageHost {
  public:
    void showPage(uint8_t kind) override { log += "show " + std::to_string(int(kind)) + ";"; }
    void fillPage(CBase& component) override {
        log += "fill " + std::to_string(int(component.m_kind)) + ";";
    }
    void setPageCoordinates(uint8_t, int32_t x, int32_t y) override {
        log += "xy " + std::to_string(x) + "," + std::to_string(y) + ";";
    }
    void showScreenPage() override { log += "show screen;"; }
    void setScreenCaption(const std::string& caption) override { log += caption + ";"; }
    void fillScreenPage(CMainView&) override { log += "fill screen;"; }
    std::string log;
};

Bytes store(CChars& chars) {
    Archive out;
    chars.Serialize(out);
    return out.data();
}

// The expected record of a static text: kind, x, y, attributes, the one-byte length form of
// the string, 50 reserved bytes.
Bytes expectedRecord(int32_t x, int32_t y, uint8_t doubleSize, uint8_t inverse,
                     const std::string& text) {
    Bytes b{1};
    for (int32_t v : {x, y})
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    b.push_back(doubleSize);
    b.push_back(inverse);
    b.push_back(static_cast<uint8_t>(text.size()));
    b.insert(b.end(), text.begin(), text.end());
    b.insert(b.end(), 50, 0);
    return b;
}

TEST(CChars, PlacedTextAndItsSize) {
    ModelContext context;
    CChars text(context, 0, 0, "AB");
    EXPECT_EQ(text.m_kind, kKindChars);
    EXPECT_EQ(text.m_textLen, 2);
    text.PlaceAt(0, 0);
    EXPECT_EQ(text.m_rect, (Rect{0, 0, 36, 36}));
    text.m_doubleSize = 1;
    text.onPageSizeChanged();
    EXPECT_EQ(text.m_rect, (Rect{0, 0, 72, 72}));

    CChars empty(context, 45, 40, "");
    empty.PlaceAt(45, 40);
    EXPECT_EQ(empty.m_x, 20);
    EXPECT_EQ(empty.m_y, 18);
    EXPECT_EQ(empty.m_rect, (Rect{45, 40, 45, 76}));
}

TEST(CChars, RecordRoundTrip) {
    ModelContext context;
    CChars text(context, 23, 7, "AB");
    text.m_inverse = 1;
    EXPECT_EQ(store(text), expectedRecord(10, 3, 0, 1, "AB"));

    const Bytes stored = expectedRecord(10, 3, 1, 0, "Hello");
    Archive in(stored);
    CChars loaded(context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_text, "Hello");
    EXPECT_EQ(loaded.m_textLen, 5);
    EXPECT_EQ(loaded.m_doubleSize, 1);
    EXPECT_EQ(loaded.m_rect, (Rect{23, 7, 23 + 5 * 36, 7 + 72}));
    EXPECT_EQ(store(loaded), stored);
}

TEST(CChars, LoadingRefusesAnotherKindsRecord) {
    ModelContext context;
    Bytes stored = expectedRecord(0, 0, 0, 0, "A");
    stored[0] = 3;
    Archive in(stored);
    CChars loaded(context);
    loaded.Serialize(in);
    EXPECT_FALSE(in.ok());
}

TEST(CChars, DownloadRecordWithNarrowAndWideCodes) {
    ModelContext context;
    DownloadContext download;
    CChars text(context, 0, 0, "AB");
    text.m_doubleSize = 1;
    text.m_inverse = 1;
    text.ComputeRecordSize();
    EXPECT_EQ(text.m_recordLen, 6);
    ASSERT_TRUE(text.BuildDownloadRecord(download).ok());
    ASSERT_TRUE(text.CollectGlyphs(download).ok());
    EXPECT_EQ(text.m_record, (Bytes{0, 0, 0x03, 2, 0, 1}));

    CChars wide(context, 90, 36,
                "\xB0\xA1"
                "B");
    wide.ComputeRecordSize();
    ASSERT_TRUE(wide.BuildDownloadRecord(download).ok());
    ASSERT_TRUE(wide.CollectGlyphs(download).ok());
    EXPECT_EQ(wide.m_record, (Bytes{40, 16, 0, 3, 0x80, 0x00, 1}));
    uint16_t base = 4;
    wide.RebaseGlyphCodes(base);
    EXPECT_EQ(wide.m_record, (Bytes{40, 16, 0, 3, 0x80, 0x04, 1}));
    EXPECT_EQ(base, 4);
    wide.FreeDownloadRecord();
    EXPECT_TRUE(wide.m_record.empty());

    CChars empty(context, 0, 0, "");
    empty.ComputeRecordSize();
    ASSERT_TRUE(empty.BuildDownloadRecord(download).ok());
    ASSERT_TRUE(empty.CollectGlyphs(download).ok());
    EXPECT_EQ(empty.m_record, (Bytes{0, 0, 0, 0}));
}

TEST(CChars, TextsThatCannotBeDownloadedKeepTheirBytes) {
    ModelContext context;
    // 300 bytes do not fit the one-byte length: loaded unchanged, refused at download.
    const std::string longText(300, 'x');
    CChars source(context, 0, 0, longText);
    const Bytes stored = store(source);
    Archive in(stored);
    CChars loaded(context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(loaded.m_text, longText);
    EXPECT_EQ(loaded.m_textLen, 255);
    EXPECT_EQ(store(loaded), stored);
    DownloadContext download;
    loaded.ComputeRecordSize();
    const Status refused = loaded.BuildDownloadRecord(download);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.message().find("Static text at (0, 0)"), std::string::npos);

    CChars lone(context, 0, 0, "AB\xC4");
    lone.ComputeRecordSize();
    EXPECT_FALSE(lone.BuildDownloadRecord(download).ok());
    EXPECT_FALSE(lone.checkForDownload().ok());
    EXPECT_TRUE(download.glyphs.narrow.empty());
}

TEST(CChars, TextPageRules) {
    RecordingPages pages;
    ModelContext context;
    context.pages = &pages;
    CChars text(context, 396, 0, "AB");
    text.PlaceAt(396, 0);
    EXPECT_EQ(pages.log, "show 1;fill 1;");
    EXPECT_EQ(text.pageXMaximum(), 176);
    EXPECT_EQ(text.pageYMaximum(), 48);

    // Double size at the right edge: moved left to end at panel x 192, spin maximum shrinks.
    pages.log.clear();
    text.m_doubleSize = 1;
    text.onPageSizeChanged();
    EXPECT_EQ(text.m_rect, (Rect{360, 0, 432, 72}));
    EXPECT_EQ(text.m_x, 160);
    EXPECT_EQ(text.pageXMaximum(), 160);
    EXPECT_EQ(text.pageYMaximum(), 32);
    EXPECT_EQ(pages.log, "xy 160,0;");

    // A longer text refits the same way; a position typed into the spins moves the rectangle.
    text.m_doubleSize = 0;
    text.m_text = "ABCD";
    text.onPageSizeChanged();
    EXPECT_EQ(text.m_rect, (Rect{360, 0, 432, 36}));
    text.m_x = 4;
    text.m_y = 16;
    text.onPagePositionChanged();
    EXPECT_EQ(text.m_rect, (Rect{9, 36, 81, 72}));

    EXPECT_TRUE(CChars::acceptsTypedText(std::string(24, 'a')));
    EXPECT_TRUE(CChars::acceptsTypedText(std::string(12, '\xB0')));
    EXPECT_FALSE(CChars::acceptsTypedText(std::string(25, 'a')));

    // A 30-byte text from a file is kept and sized in full.
    CChars loaded(context);
    const Bytes stored = expectedRecord(0, 0, 0, 0, std::string(30, 'z'));
    Archive in(stored);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(loaded.m_text.size(), 30u);
    EXPECT_EQ(loaded.m_rect.width(), 540);
}

TEST(CChars, CopyIsIndependent) {
    ModelContext context;
    DownloadContext download;
    CChars source(context);
    testing::setEveryField(source);
    source.ComputeRecordSize();
    ASSERT_TRUE(source.BuildDownloadRecord(download).ok());

    CChars copy(source);
    EXPECT_EQ(store(copy), store(source));
    EXPECT_EQ(copy.m_textLen, 11);
    EXPECT_EQ(copy.m_rect, source.m_rect);
    EXPECT_EQ(copy.m_station, 9);  // the common part, though a text does not use it
    EXPECT_EQ(copy.m_subAddress, 3);
    EXPECT_EQ(copy.m_recordLen, 0);
    EXPECT_TRUE(copy.m_record.empty());

    source.m_text = "Other";
    source.m_x = 0;
    EXPECT_EQ(copy.m_text, "Copied text");
    EXPECT_EQ(copy.m_x, 12);
}

}  // namespace
}  // namespace vanta
