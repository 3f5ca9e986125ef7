// Component base: coordinate model, clamping, placing, dragging, the common record and download
// header, protocol defaults, copying, and the glyph codes of the download.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CBase.h"
#include "model/DrawHelpers.h"
#include "model/GlyphCodes.h"
#include "model/PixelCanvas.h"

namespace vanta {
namespace {

// A component of a fixed size in screen pixels that records what the base asks of it.
class Box : public CBase {
  public:
    Box(const ModelContext& context, int32_t w = 36, int32_t h = 36)
        : CBase(context), w_(w), h_(h) {
        m_kind = kKindRegister;
    }
    Box(const Box& other) : CBase(other), w_(other.w_), h_(other.h_) {}
    void SetPosition(int32_t x, int32_t y) override { m_rect = {x, y, x + w_, y + h_}; }
    void UpdatePageCoordinates() override { ++pageUpdates; }
    void ShowPropertyPage() override { calls += "show;"; }
    void FillPropertyPage() override { calls += "fill;"; }
    void ComputeRecordSize() override { m_recordLen = 6; }
    void setSize(int32_t w, int32_t h) { w_ = w, h_ = h; }

    int pageUpdates = 0;
    std::string calls;

  private:
    int32_t w_, h_;
};

ModelContext contextFor(uint8_t protocol) {
    ModelContext context;
    context.protocol = protocol;
    return context;
}

TEST(BaseGeometry, ConversionsRoundHalfUp) {
    EXPECT_EQ(screenFromPanel(10), 23);  // 22.5
    EXPECT_EQ(screenFromPanel(3), 7);    // 6.75
    EXPECT_EQ(screenFromPanel(4), 9);
    EXPECT_EQ(screenFromPanel(192), 432);
    EXPECT_EQ(panelFromScreen(9), 4);
    EXPECT_EQ(panelFromScreen(430), 191);  // 191.11
    EXPECT_EQ(panelFromScreen(23), 10);    // 10.22
    EXPECT_EQ(panelFromScreen(1), 0);      // 0.94 truncated
    EXPECT_EQ(panelFromScreen(2), 1);      // 1.39
    // Every panel position survives the round trip.
    for (int32_t p = 0; p <= 192; ++p)
        EXPECT_EQ(panelFromScreen(screenFromPanel(p)), p) << p;
    // Damaged values saturate instead of overflowing.
    EXPECT_GT(screenFromPanel(INT32_MAX), 0);
    EXPECT_LT(screenFromPanel(INT32_MIN), 0);
}

TEST(BaseGeometry, HitTestLeavesRightAndBottomEdgesOutside) {
    ModelContext context;
    Box box(context, 36, 36);
    box.SetPosition(18, 36);
    EXPECT_TRUE(box.HitTest({18, 36}));
    EXPECT_TRUE(box.HitTest({53, 71}));
    EXPECT_FALSE(box.HitTest({54, 40}));
    EXPECT_FALSE(box.HitTest({20, 72}));
    EXPECT_FALSE(box.HitTest({17, 40}));
}

TEST(BaseGeometry, PlaceAtClampsIntoTheDisplayAndShowsThePage) {
    ModelContext context;
    Box box(context, 36, 36);
    box.m_x = panelFromScreen(430);
    box.m_y = panelFromScreen(140);
    box.PlaceAt(430, 140);
    EXPECT_EQ(box.m_rect, (Rect{396, 108, 432, 144}));
    EXPECT_EQ(box.m_x, 176);  // trunc(396 x 4/9 + 0.5)
    EXPECT_EQ(box.m_y, 48);
    EXPECT_TRUE(box.IsInsideDisplay());
    EXPECT_EQ(box.calls, "show;fill;");

    Box left(context, 36, 36);
    left.m_x = left.m_y = 7;
    left.PlaceAt(-5, -3);
    EXPECT_EQ(left.m_rect, (Rect{0, 0, 36, 36}));
    EXPECT_EQ(left.m_x, 0);
    EXPECT_EQ(left.m_y, 0);
}

TEST(BaseGeometry, ClampTestsTheRectangleAsItWasBefore) {
    ModelContext context;
    // Wider than the display: left clamps to 0 first, the right test still sees the old right
    // edge and moves the component to end at 432; a component wider than the display then
    // goes back to the left edge rather than keep a negative position.
    Box wide(context, 450, 36);
    wide.SetPosition(-10, 0);
    wide.ClampToDisplay();
    EXPECT_EQ(wide.m_rect, (Rect{0, 0, 450, 36}));
    EXPECT_EQ(wide.m_x, 0);
    // The right-edge test uses the rectangle before the left clamp: a component that started
    // left of the display and ends beyond its right edge is moved back from the right.
    Box shifted(context, 100, 36);
    shifted.SetPosition(400, -5);
    shifted.ClampToDisplay();
    EXPECT_EQ(shifted.m_rect, (Rect{332, 0, 432, 36}));
    // Inside already: nothing changes.
    Box inside(context, 36, 36);
    inside.m_x = 5;
    inside.SetPosition(11, 20);
    inside.ClampToDisplay();
    EXPECT_EQ(inside.m_rect, (Rect{11, 20, 47, 56}));
    EXPECT_EQ(inside.m_x, 5);
}

TEST(BaseGeometry, RefitAppliesTheSizeRuleAndClamps) {
    ModelContext context;
    Box box(context, 36, 36);
    box.m_x = 176;
    box.SetPosition(396, 0);
    box.Refit();  // still fits: no page update
    EXPECT_EQ(box.pageUpdates, 0);
    box.setSize(72, 72);
    box.Refit();
    EXPECT_EQ(box.m_rect, (Rect{360, 0, 432, 72}));
    EXPECT_EQ(box.m_x, 160);
    EXPECT_EQ(box.pageUpdates, 1);
}

TEST(BaseGeometry, DragMovesInStepsOfFourPanelPixels) {
    ModelContext context;
    Box box(context, 36, 36);
    box.m_x = 40;
    box.m_y = 20;
    box.SetPosition(90, 45);

    // 8 pixels in both directions: nothing moves, the rectangle in view coordinates comes back.
    Point anchor{300, 100};
    Rect area = box.DragTo({308, 108}, anchor);
    EXPECT_EQ(area, (Rect{350, 85, 386, 121}));
    EXPECT_EQ(anchor, (Point{300, 100}));
    EXPECT_EQ(box.m_x, 40);
    EXPECT_EQ(box.pageUpdates, 0);

    // 9 to the right: 4 panel pixels; the area covers old and new, grown by one.
    area = box.DragTo({309, 100}, anchor);
    EXPECT_EQ(box.m_x, 44);
    EXPECT_EQ(box.m_rect, (Rect{99, 45, 135, 81}));
    EXPECT_EQ(anchor, (Point{309, 100}));
    EXPECT_EQ(area, (Rect{90 - 1 + 260, 45 - 1 + 40, 135 + 1 + 260, 81 + 1 + 40}));
    EXPECT_EQ(box.pageUpdates, 1);

    // -17 upward: one step of -4, -8 left pending in the anchor.
    area = box.DragTo({309, 83}, anchor);
    EXPECT_EQ(box.m_y, 16);
    EXPECT_EQ(box.m_rect.top, 36);
    EXPECT_EQ(anchor, (Point{309, 91}));
    EXPECT_EQ(screenFromPanel(box.m_y), box.m_rect.top);
}

TEST(BaseGeometry, DragStopsAtTheDisplayEdge) {
    ModelContext context;
    Box box(context, 36, 36);
    box.m_x = 4;
    box.SetPosition(9, 0);
    Point anchor{0, 0};
    box.DragTo({-27, 0}, anchor);  // three steps left, only one fits
    EXPECT_EQ(box.m_rect.left, 0);
    EXPECT_EQ(box.m_x, 0);
    EXPECT_EQ(anchor, (Point{-27, 0}));
}

TEST(BaseFields, ProtocolDefaults) {
    struct Case {
        uint8_t protocol, station;
        uint16_t address;
    };
    for (const Case& c : {Case{2, 2, 0}, Case{5, 0, 16}, Case{11, 0, 0}, Case{36, 0, 0},
                          Case{3, 1, 1}, Case{34, 1, 1}, Case{1, 1, 0}, Case{40, 1, 0}}) {
        ModelContext context = contextFor(c.protocol);
        Box box(context);
        EXPECT_EQ(box.m_station, c.station) << int(c.protocol);
        EXPECT_EQ(box.m_address, c.address) << int(c.protocol);
        EXPECT_EQ(box.m_displayMode, 1);
        EXPECT_EQ(box.m_regCount, 1);
        EXPECT_EQ(box.m_recordLen, 0);
    }
}

TEST(BaseFields, CopyTakesTheCommonPartButNeverTheRecord) {
    ModelContext context = contextFor(5);
    DownloadContext download;
    Box source(context);
    source.m_x = 12;
    source.m_y = 30;
    source.SetPosition(27, 68);
    source.m_doubleSize = 1;
    source.m_inverse = 1;
    source.m_station = 9;
    source.m_subAddress = 3;
    source.m_address = 500;  // not part of the common copy
    source.m_regType = 4;
    source.ComputeRecordSize();
    ASSERT_TRUE(source.BuildDownloadRecord(download).ok());

    Box copy(source);
    EXPECT_EQ(copy.m_rect, source.m_rect);
    EXPECT_EQ(copy.m_x, 12);
    EXPECT_EQ(copy.m_y, 30);
    EXPECT_EQ(copy.m_doubleSize, 1);
    EXPECT_EQ(copy.m_inverse, 1);
    EXPECT_EQ(copy.m_kind, kKindRegister);
    EXPECT_EQ(copy.m_station, 9);
    EXPECT_EQ(copy.m_subAddress, 3);
    EXPECT_EQ(copy.m_address, 16);  // the protocol default
    EXPECT_EQ(copy.m_regType, 0);
    EXPECT_EQ(copy.m_recordLen, 0);
    EXPECT_TRUE(copy.m_record.empty());
}

TEST(BaseRecords, CommonRecordAndDownloadHeader) {
    ModelContext context;
    Box box(context);
    box.m_x = 10;
    box.m_y = -3;
    Archive out;
    box.Serialize(out);
    SkipReserved(out, 3);
    EXPECT_EQ(out.data(), (Bytes{2, 10, 0, 0, 0, 0xFD, 0xFF, 0xFF, 0xFF, 0, 0, 0}));

    const Bytes stored{2, 10, 0, 0, 0, 3, 0, 0, 0, 7, 7, 7};
    Archive in(stored);
    Box loaded(context);
    loaded.Serialize(in);
    SkipReserved(in, 3);
    EXPECT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_x, 10);
    EXPECT_EQ(loaded.m_y, 3);

    DownloadContext download;
    loaded.m_x = 300;  // only the low byte goes out
    loaded.ComputeRecordSize();
    ASSERT_TRUE(loaded.BuildDownloadRecord(download).ok());
    EXPECT_EQ(loaded.m_record, (Bytes{44, 3, 0, 0, 0, 0}));
    loaded.FreeDownloadRecord();
    EXPECT_TRUE(loaded.m_record.empty());
}

TEST(BaseRecords, PageSpinMaxima) {
    ModelContext context;
    Box box(context, 36, 72);
    box.SetPosition(0, 0);
    EXPECT_EQ(box.pageXMaximum(), 176);
    EXPECT_EQ(box.pageYMaximum(), 32);
    box.m_x = 100;
    box.m_y = 10;
    box.applyPagePosition();
    EXPECT_EQ(box.m_rect.left, 225);
    EXPECT_EQ(box.m_rect.top, 23);
    EXPECT_EQ(box.describe(), "Register at (100, 10)");
}

TEST(GlyphCodes, CollectAssignsFirstUseIndexes) {
    GlyphSets sets;
    const ByteString text = "A\xB0\xA1";  // one narrow, one double-byte character
    Bytes record(3, 0xEE);
    ASSERT_TRUE(CollectGlyphCodes(sets, record, text, 0, 0).ok());
    EXPECT_EQ(record, (Bytes{0x00, 0x80, 0x00}));
    ASSERT_EQ(sets.narrow, (std::vector<uint8_t>{'A'}));
    ASSERT_EQ(sets.wide.size(), 1u);
    EXPECT_EQ(sets.wide[0], (WideChar{0xB0, 0xA1}));

    // A second component with the same text adds nothing.
    Bytes second(3, 0);
    ASSERT_TRUE(CollectGlyphCodes(sets, second, text, 0, 0).ok());
    EXPECT_EQ(second, record);
    EXPECT_EQ(sets.narrow.size(), 1u);
    EXPECT_EQ(sets.wide.size(), 1u);

    // New characters get the next indexes; base and offset apply.
    Bytes third(6, 0);
    ASSERT_TRUE(CollectGlyphCodes(sets, third,
                                  "B\xB0\xA2"
                                  "A",
                                  2, 3)
                    .ok());
    EXPECT_EQ(third, (Bytes{0, 0, 0x01, 0x80, 0x04, 0x00}));
}

TEST(GlyphCodes, CollectRefusesWhatDoesNotFit) {
    GlyphSets sets;
    Bytes record(3, 0);
    EXPECT_FALSE(CollectGlyphCodes(sets, record, "ABCD", 0, 0).ok());
    EXPECT_FALSE(CollectGlyphCodes(sets, record, "AB", 2, 0).ok());
    // A lone lead byte at the end is never completed from beyond the text.
    EXPECT_FALSE(CollectGlyphCodes(sets, record, "A\xB0", 0, 0).ok());
    EXPECT_TRUE(sets.narrow.empty());
    EXPECT_EQ(record, (Bytes{0, 0, 0}));
}

TEST(GlyphCodes, RebaseAddsToWideCodesOnly) {
    Bytes record{9, 9, 0x05, 0x80, 0x02, 0x06, 0xFF, 0xFF};
    RebaseGlyphCodes(record, 2, 5, 4);
    EXPECT_EQ(record, (Bytes{9, 9, 0x05, 0x80, 0x07, 0x06, 0xFF, 0xFF}));
    // Modulo 65536, and a code cut off by the end of the range is left alone.
    Bytes wrap{0xFF, 0xFE, 0x81};
    RebaseGlyphCodes(wrap, 0, 3, 3);
    EXPECT_EQ(wrap, (Bytes{0x00, 0x01, 0x81}));
    Bytes shortRecord{0x80};
    RebaseGlyphCodes(shortRecord, 0, 1, 10);
    RebaseGlyphCodes(shortRecord, 5, 1, 10);
    EXPECT_EQ(shortRecord, (Bytes{0x80}));
}

TEST(GlyphCodes, TextHelpers) {
    EXPECT_EQ(EscapeAmpersands("A&B&&"), "A&&B&&&&");
    EXPECT_EQ(EscapeAmpersands("\xB0&x"), "\xB0&x");  // the pair is copied unexamined
    EXPECT_TRUE(endsWithLoneLeadByte("AB\xB0"));
    EXPECT_FALSE(endsWithLoneLeadByte("A\xB0\xB0"));
    EXPECT_TRUE(checkDownloadText(std::string(255, 'x'), "T").ok());
    const Status tooLong = checkDownloadText(std::string(256, 'x'), "Static text at (1, 2)");
    ASSERT_FALSE(tooLong.ok());
    EXPECT_NE(tooLong.message().find("Static text at (1, 2)"), std::string::npos);
}

TEST(DrawHelpers, FramesAndNarrowGlyphs) {
    PixelCanvas canvas(20, 20, rgb(0, 0, 0));
    DrawSolidFrame(canvas, 2, 2, 6, 5);
    EXPECT_EQ(canvas.pixel(2, 2), kDisplayDark);
    EXPECT_EQ(canvas.pixel(5, 2), kDisplayDark);
    EXPECT_EQ(canvas.pixel(5, 4), kDisplayDark);
    EXPECT_EQ(canvas.pixel(2, 4), kDisplayDark);
    EXPECT_EQ(canvas.pixel(6, 2), Color{});  // right edge outside
    EXPECT_EQ(canvas.pixel(3, 3), Color{});

    PixelCanvas dotted(20, 20);
    DrawDottedFrame(dotted, 0, 0, 10, 10);
    EXPECT_EQ(dotted.pixel(0, 0), kDottedFrameColor);
    EXPECT_EQ(dotted.pixel(1, 0), Color{});
    EXPECT_EQ(dotted.pixel(10, 0), kDottedFrameColor);

    FontTables fonts;
    std::vector<uint8_t> table(kNarrowTableBytes, 0);
    table[65 * 16 + 0] = 0x81;  // glyph 'A', row 0: leftmost and rightmost pixels
    fonts.setNarrowTable(table);
    PixelCanvas glyph(10, 18, rgb(1, 2, 3));
    DrawNarrowGlyph(glyph, fonts, 'A', {1, 1}, rgb(9, 9, 9));
    EXPECT_EQ(glyph.pixel(1, 1), rgb(9, 9, 9));
    EXPECT_EQ(glyph.pixel(8, 1), rgb(9, 9, 9));
    EXPECT_EQ(glyph.pixel(2, 1), rgb(1, 2, 3));                  // clear bits are not painted
    DrawNarrowGlyph(glyph, fonts, 0x141, {1, 1}, rgb(7, 7, 7));  // no such glyph
    EXPECT_EQ(glyph.pixel(1, 1), rgb(9, 9, 9));
}

}  // namespace
}  // namespace vanta

namespace vanta {
TEST(BaseGeometry, AComponentWiderThanTheDisplayStaysAtItsLeftEdge) {
    // A picture 196 panel pixels wide is 441 screen pixels: clamping must not leave it at a
    // negative position, which the panel would read as x = 253.
    ModelContext context;
    Box wide(context, 441, 36);
    wide.PlaceAt(100, 20);
    EXPECT_EQ(wide.m_rect.left, 0);
    EXPECT_EQ(wide.m_rect.right, 441);
    EXPECT_EQ(wide.m_x, 0);
    Box tall(context, 36, 150);
    tall.PlaceAt(10, 50);
    EXPECT_EQ(tall.m_rect.top, 0);
    EXPECT_EQ(tall.m_y, 0);
}
}  // namespace vanta
