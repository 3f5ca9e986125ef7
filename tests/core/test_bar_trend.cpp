#include <gtest/gtest.h>

#include "model_test_support.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "common/Archive.h"
#include "model/CBar.h"
#include "model/CTide.h"
#include "model/PixelCanvas.h"
#include "protocols/Vocabulary.h"

namespace vanta {
namespace {

// A model context that owns its vocabulary.
using Project = vanta::testing::ProtocolModel;

Bytes buildRecord(CBarTide& component, DownloadContext& download) {
    component.ComputeRecordSize();
    EXPECT_TRUE(component.BuildDownloadRecord(download).ok());
    return component.m_record;
}

Bytes stored(CBase& component) {
    Archive ar;
    component.Serialize(ar);
    return ar.data();
}

void appendLE32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

TEST(BarTrendModel, NewComponentsAndDefaults) {
    Project p3(3);
    CBar bar(p3.context, 0, 0);
    bar.PlaceAt(0, 0);
    EXPECT_EQ(bar.m_rect, (Rect{0, 0, 36, 108}));
    EXPECT_EQ(bar.m_kind, kKindBar);
    EXPECT_EQ(bar.m_fullScale, 65535);  // "4x": two bytes
    EXPECT_EQ(bar.m_zeroScale, 0);
    EXPECT_EQ(bar.m_address, 1);
    EXPECT_EQ(bar.m_regCount, 1);

    CTide trend(p3.context, 45, 9);
    trend.PlaceAt(45, 9);
    EXPECT_EQ(trend.m_x, 20);
    EXPECT_EQ(trend.m_y, 4);
    EXPECT_EQ(trend.m_rect, (Rect{45, 9, 261, 117}));
    EXPECT_EQ(trend.m_points, 20);
    EXPECT_EQ(trend.m_interval, 5);

    // A four-byte default type ("R" of protocol 17) gives the full 32 bits; protocol 5 keeps
    // address 0 (not the base's 16).
    Project p17(17);
    EXPECT_EQ(static_cast<uint32_t>(CBar(p17.context).m_fullScale), 0xFFFFFFFFu);
    Project p5(5);
    EXPECT_EQ(CTide(p5.context).m_address, 0);
    // Protocol 31: the first parameter of the first module is two bytes wide.
    Project p31(31);
    EXPECT_EQ(CBar(p31.context).m_fullScale, 65535);
}

TEST(BarTrendModel, CopyTakesEveryStoredField) {
    Project p(3);
    CTide trend(p.context, 9, 9);
    testing::setEveryField(trend);
    trend.m_recordLen = 24;
    trend.m_record.assign(24, 1);
    CTide copy(trend);
    EXPECT_EQ(stored(copy), stored(trend));
    EXPECT_EQ(copy.m_rect, trend.m_rect);
    EXPECT_TRUE(copy.m_record.empty());

    CBar bar(p.context, 9, 9);
    testing::setEveryField(bar);
    CBar barCopy(bar);
    EXPECT_EQ(stored(barCopy), stored(bar));
    EXPECT_EQ(barCopy.m_rect, bar.m_rect);
}

TEST(BarTrendRecords, BarBytes) {
    Project p(3);
    CBar bar(p.context);
    bar.m_x = 10;
    bar.m_y = 3;
    bar.m_direction = CBar::kRight;
    bar.m_station = 5;
    bar.m_regType = 1;  // "3x", code 0x82
    bar.m_address = 0x1234;
    bar.m_regCount = 2;
    bar.m_width = 48;
    bar.m_height = 16;
    bar.m_fullScale = 1000;
    bar.m_zeroScale = 10;
    DownloadContext download;
    const Bytes expected = {10, 3, 0x20, 5, 0x82, 0x12, 0x34, 4, 0,    48,
                            16, 0, 0,    3, 0xE8, 0,    0,    0, 0x0A, 8};
    EXPECT_EQ(buildRecord(bar, download), expected);
    EXPECT_FALSE(download.limitsCorrected);

    bar.m_direction = CBar::kLeft;
    bar.m_signed = 1;
    bar.m_displayMode = 0;
    const Bytes left = buildRecord(bar, download);
    EXPECT_EQ(left[2], 0x10);
    EXPECT_EQ(left[19], 4);
}

TEST(BarTrendRecords, TrendBytesWithPlaceOnScreen) {
    Project p(2);  // word list "VW" (2), "VD" (4)
    CTide trend(p.context);
    trend.m_x = 96;
    trend.m_y = 16;
    trend.m_regType = 1;
    trend.m_address = 300;
    trend.m_subAddress = 3;
    trend.m_fullScale = 70000;
    trend.m_zeroScale = -1;  // unsigned: 0xFFFFFFFF is above 70000, so it is corrected
    trend.m_points = 40;
    trend.m_interval = 1000;
    trend.setTrendPlace(1, 3);
    DownloadContext download;
    const Bytes record = buildRecord(trend, download);
    const Bytes expected = {96,   16,   0x20, 2,    4,    0x01, 0x2C, 4,  3,    96,   48, 0xFF,
                            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 40, 0x03, 0xE8, 3,  1};
    EXPECT_EQ(record, expected);
    EXPECT_TRUE(download.limitsCorrected);
    EXPECT_EQ(download.limitErrorCode, 3);
}

TEST(BarTrendRecords, Protocol31SendsTypeValueAndBlockWord) {
    Project p(31);
    CBar bar(p.context);
    bar.m_regType = 0;  // RC
    bar.m_subType = 0;  // Itime: number 5, type value 50
    bar.m_address = 0x0203;
    bar.m_regCount = 1;
    bar.applyProtocol31Codes();
    EXPECT_EQ(bar.m_subAddress, 5);
    EXPECT_EQ(bar.m_typeValue, 50);
    EXPECT_EQ(bar.m_blockWord, 0x0103);
    DownloadContext download;
    const Bytes record = buildRecord(bar, download);
    EXPECT_EQ(record[4], 50);
    EXPECT_EQ(record[5], 0x01);
    EXPECT_EQ(record[6], 0x03);
    EXPECT_EQ(record[7], 2);  // 50 & 0x0F = 2, one register
    EXPECT_EQ(record[8], 5);
}

struct ScaleCase {
    uint8_t isSigned;
    int32_t full, zero;
    int32_t correctedFull, correctedZero;
    bool corrected;
};

TEST(BarTrendRecords, ScaleCorrection) {
    const ScaleCase cases[] = {
        {0, 50, 100, 101, 100, true},  // unsigned, full below zero
        {0, 7, 7, 8, 7, true},         // equal
        {0, -1, 5, -1, 5, false},      // 0xFFFFFFFF is above 5 unsigned
        {0, 5, -1, -1, -2, true},      // zero is the largest unsigned value
        {1, -1, 5, 6, 5, true},        // signed: -1 is below 5
        {1, -5, -1, -1, -2, true},     // zero -1: full -1, zero -2
        {1, -5, -3, -2, -3, true},
        {1, 3, -2, 3, -2, false},
        {1, 0, 2147483647, 2147483647, 2147483646, true},
    };
    Project p(3);
    for (const ScaleCase& c : cases) {
        CTide trend(p.context);
        trend.m_signed = c.isSigned;
        trend.m_fullScale = c.full;
        trend.m_zeroScale = c.zero;
        DownloadContext download;
        const Bytes record = buildRecord(trend, download);
        EXPECT_EQ(trend.m_fullScale, c.correctedFull) << c.full << " " << c.zero;
        EXPECT_EQ(trend.m_zeroScale, c.correctedZero) << c.full << " " << c.zero;
        EXPECT_EQ(download.limitsCorrected, c.corrected);
        EXPECT_EQ(download.limitErrorCode, c.corrected ? 3 : 0);
        const auto full = static_cast<uint32_t>(c.correctedFull);
        EXPECT_EQ(record[11], static_cast<uint8_t>(full >> 24));
        EXPECT_EQ(record[14], static_cast<uint8_t>(full));
        EXPECT_EQ(record[18], static_cast<uint8_t>(c.correctedZero));
    }
}

TEST(BarTrendFile, BarRecordBytesAndRoundTrip) {
    Project p(3);
    CBar bar(p.context);
    bar.m_x = 10;
    bar.m_y = 3;
    bar.m_width = 20;
    bar.m_height = 30;
    bar.m_signed = 1;
    bar.m_fullScale = 500;
    bar.m_zeroScale = -500;
    bar.m_station = 9;
    bar.m_regType = 1;
    bar.m_address = 0x0102;
    bar.m_subType = 4;
    bar.m_blockWord = 0x0A0B;
    bar.m_typeValue = 100;
    bar.m_direction = CBar::kDown;
    bar.m_subAddress = 6;

    Bytes expected = {6};
    appendLE32(expected, 10);
    appendLE32(expected, 3);
    expected.insert(expected.end(), {20, 30, 1, 1});
    appendLE32(expected, 500);
    appendLE32(expected, static_cast<uint32_t>(-500));
    expected.insert(expected.end(), {9, 1, 0x02, 0x01, 1, 4, 0x0B, 0x0A, 100, 1, 6});
    expected.resize(expected.size() + 99, 0);
    EXPECT_EQ(stored(bar), expected);

    CBar back(p.context);
    Archive in(expected);
    back.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(stored(back), expected);
    EXPECT_EQ(back.m_rect, (Rect{23, 7, 68, 75}));  // 22.5 and 6.75 rounded; + 45 and + 67.5
}

TEST(BarTrendFile, Version10TrendHasNoProtocol31Fields) {
    Project p(3);
    Bytes file = {7};
    appendLE32(file, 0);
    appendLE32(file, 16);
    file.insert(file.end(), {100, 40, 0, 0});
    appendLE32(file, 1000);
    appendLE32(file, 0);
    file.insert(file.end(), {1, 0, 0x05, 0x00, 1});
    file.insert(file.end(), {0x3C, 0x00, 30, 2});  // interval 60, 30 points, sub-address 2
    file.resize(file.size() + 99, 0);

    CTide trend(p.context);
    trend.m_subType = 0;
    Archive in(file);
    in.loadedVersion = 10;
    trend.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(trend.m_width, 100);
    EXPECT_EQ(trend.m_displayMode, 0);
    EXPECT_EQ(trend.m_address, 5);
    EXPECT_EQ(trend.m_interval, 60);
    EXPECT_EQ(trend.m_points, 30);
    EXPECT_EQ(trend.m_subAddress, 2);
    EXPECT_EQ(trend.m_subType, 0);
    EXPECT_EQ(trend.m_blockWord, 0);
    EXPECT_EQ(trend.m_typeValue, 0);

    // The same bytes read as version 11 are three bytes short.
    CTide late(p.context);
    Archive in11(file);
    in11.loadedVersion = 11;
    late.Serialize(in11);
    EXPECT_FALSE(in11.ok());

    // A record of another kind is refused.
    file[0] = 6;
    CTide wrongKind(p.context);
    Archive in10(file);
    in10.loadedVersion = 10;
    wrongKind.Serialize(in10);
    EXPECT_FALSE(in10.ok());
}

TEST(BarTrendPage, Reorientation) {
    Project p(3);
    CBar bar(p.context, 0, 0);
    bar.PlaceAt(0, 0);
    EXPECT_FALSE(bar.setDirection(CBar::kDown));
    EXPECT_EQ(bar.m_width, 16);
    EXPECT_EQ(bar.m_height, 48);
    EXPECT_TRUE(bar.setDirection(CBar::kLeft));
    EXPECT_EQ(bar.m_width, 48);
    EXPECT_EQ(bar.m_height, 16);
    EXPECT_EQ(bar.m_rect, (Rect{0, 0, 108, 36}));
    EXPECT_FALSE(bar.setDirection(CBar::kRight));
    EXPECT_EQ(bar.m_direction, CBar::kRight);

    // Turning near the right edge moves the bar back inside the display.
    CBar edge(p.context, 414, 0);
    edge.PlaceAt(414, 0);
    EXPECT_EQ(edge.m_x, 176);
    edge.setDirection(CBar::kRight);
    EXPECT_EQ(edge.m_rect, (Rect{324, 0, 432, 36}));
    EXPECT_EQ(edge.m_x, 144);
}

TEST(BarTrendPage, ScaleRanges) {
    using R = CBarTide::Range;
    // Two bytes: 0..65535 unsigned, -32768..32767 signed.
    EXPECT_EQ(CBarTide::fillScaleRange(0x02, 1, false, false), (R{0, 65535}));
    EXPECT_EQ(CBarTide::fillScaleRange(0x02, 1, true, false), (R{-32768, 32767}));
    // "RP" (0x70) counts as two bytes; "B" (1) with two registers as two.
    EXPECT_EQ(CBarTide::fillScaleRange(0x70, 1, false, false), (R{0, 65535}));
    EXPECT_EQ(CBarTide::fillScaleRange(0x01, 2, true, false), (R{-32768, 32767}));
    EXPECT_EQ(CBarTide::fillScaleRange(0x01, 1, false, false), (R{0, 255}));
    // Four bytes, or more than the fields hold: the 32-bit ranges.
    EXPECT_EQ(CBarTide::fillScaleRange(0x04, 1, true, false), (R{-2147483648LL, 2147483647}));
    EXPECT_EQ(CBarTide::fillScaleRange(0x04, 2, false, false), (R{0, 4294967295LL}));
    // Protocol 31 fills with four bytes.
    EXPECT_EQ(CBarTide::fillScaleRange(50, 1, false, true), (R{0, 4294967295LL}));

    // After a change: the register-count factor 2^32 opens the whole 32-bit range.
    EXPECT_EQ(CBarTide::changedScaleRange(0x82, 1, false, false), (R{0, 65535}));
    EXPECT_EQ(CBarTide::changedScaleRange(0x82, 2, false, false), (R{0, 4294967295LL}));
    EXPECT_EQ(CBarTide::changedScaleRange(0x82, 2, true, false), (R{-2147483648LL, 2147483647}));
    EXPECT_EQ(CBarTide::changedScaleRange(0x51, 1, true, false), (R{-128, 127}));
    EXPECT_EQ(CBarTide::changedScaleRange(100, 1, true, true), (R{-32768, 32767}));

    // Typed values of wide scales.
    EXPECT_TRUE(CBarTide::wideScaleChecks(0x04, 1));
    EXPECT_TRUE(CBarTide::wideScaleChecks(0x02, 2));
    EXPECT_FALSE(CBarTide::wideScaleChecks(0x82, 1));
    EXPECT_EQ(CBarTide::clampTypedScale(3000000000LL, true), 2147483647);
    EXPECT_EQ(CBarTide::clampTypedScale(-2147483648LL, true), -2147483647);
    EXPECT_EQ(CBarTide::clampTypedScale(-4, false), 0);
    EXPECT_EQ(CBarTide::clampTypedScale(3000000000LL, false), 3000000000LL);
    EXPECT_TRUE(CBarTide::typedScaleAcceptable(4294967295LL, false));
    EXPECT_FALSE(CBarTide::typedScaleAcceptable(4294967296LL, false));
    EXPECT_FALSE(CBarTide::typedScaleAcceptable(-1, false));
    EXPECT_FALSE(CBarTide::typedScaleAcceptable(-2147483648LL, true));

    // The component's own ranges follow its type and count.
    Project p(2);
    CBar bar(p.context);
    bar.m_regType = 1;  // "VD"
    bar.m_signed = 1;
    EXPECT_EQ(bar.fillScaleRange(), (R{-2147483648LL, 2147483647}));
    bar.m_regType = 0;  // "VW"
    EXPECT_EQ(bar.changedScaleRange(), (R{-32768, 32767}));
}

TEST(BarTrendPage, TypeRules) {
    EXPECT_FALSE(CBarTide::scalesEditable("6x"));
    EXPECT_TRUE(CBarTide::scalesEditable("4x"));

    Project p3(3);
    using C = CBarTide::CountRule;
    // "TM" (0x51): one register, lowest station only.
    EXPECT_EQ(CBarTide::countRule(p3.vocab, 0x51, "TM"), (C{1, 1, true, true}));
    EXPECT_EQ(CBarTide::countRule(p3.vocab, 0x02, "4x"), (C{1, 2, true, false}));

    Project p20(20);
    EXPECT_EQ(CBarTide::countRule(p20.vocab, 0x82, "D"), (C{1, 2, true, false}));
    EXPECT_EQ(CBarTide::countRule(p20.vocab, 0xD2, "C_double"), (C{2, 2, false, false}));
    EXPECT_EQ(CBarTide::countRule(p20.vocab, 0xB2, "T"), (C{1, 1, false, false}));

    CBar bar(p20.context);
    bar.m_regType = 5;  // "C_double"
    bar.m_regCount = 1;
    bar.applyCountRule();
    EXPECT_EQ(bar.m_regCount, 2);

    // "HEX/BCD" clears the sign.
    bar.m_signed = 1;
    bar.applyDisplayMode(0);
    EXPECT_EQ(bar.m_displayMode, 0);
    EXPECT_EQ(bar.m_signed, 0);

    using R = CBarTide::Range;
    EXPECT_EQ(CBarTide::addressRange(3, p3.vocab), (R{1, 65535}));
    EXPECT_EQ(CBarTide::addressRange(20, p20.vocab), (R{0, 9999}));
    CTide trend(p3.context);
    trend.m_x = 40;
    trend.m_y = 10;
    EXPECT_EQ(trend.widthRange(), (R{16, 152}));
    EXPECT_EQ(trend.heightRange(), (R{16, 54}));
    EXPECT_EQ(trend.pointsRange(), (R{2, 94}));
}

// Spot checks of the drawing, on a canvas of the display's size.
class BarTrendDrawing : public ::testing::Test {
  protected:
    bool white(int x, int y) const { return canvas.pixel(x, y) == kDisplayLight; }
    bool dark(int x, int y) const { return canvas.pixel(x, y) == kDisplayDark; }
    Project project{3};
    PixelCanvas canvas{kDisplayWidth, kDisplayHeight, rgb(1, 2, 3)};
};

TEST_F(BarTrendDrawing, UpwardBarFillsTheBottomThird) {
    CBar bar(project.context, 0, 0);
    bar.PlaceAt(0, 0);  // (0, 0)-(36, 108): split at 72
    bar.Draw(canvas);
    EXPECT_TRUE(white(20, 90));  // filled part
    EXPECT_TRUE(dark(20, 72));   // its frame
    EXPECT_TRUE(dark(20, 40));   // empty part
    EXPECT_TRUE(dark(1, 60));    // scale strip
    EXPECT_TRUE(white(1, 54));   // middle tick (0, 54)-(3, 54), pen 2
    EXPECT_TRUE(white(1, 27));   // quarter tick
    EXPECT_TRUE(white(20, 1));   // outline top (5, 1)-(35, 1)
    EXPECT_TRUE(white(20, 2));
    EXPECT_TRUE(dark(20, 3));
    EXPECT_TRUE(white(5, 50));                          // outline left side
    EXPECT_TRUE(canvas.pixel(40, 50) == rgb(1, 2, 3));  // nothing outside
}

TEST_F(BarTrendDrawing, OtherDirections) {
    CBar down(project.context, 0, 0);
    down.m_direction = CBar::kDown;
    down.PlaceAt(0, 0);
    down.Draw(canvas);
    EXPECT_TRUE(white(20, 20));
    EXPECT_TRUE(dark(20, 60));

    canvas.clear(rgb(1, 2, 3));
    CBar left(project.context, 0, 0);
    left.setDirection(CBar::kLeft);  // 48 x 16: (0, 0)-(108, 36), split at 72
    left.Draw(canvas);
    EXPECT_TRUE(white(90, 15));
    EXPECT_TRUE(dark(40, 15));
    EXPECT_TRUE(dark(50, 34));    // scale strip at the bottom
    EXPECT_TRUE(white(54, 34));   // middle tick (54, 35)-(54, 32)
    EXPECT_TRUE(white(107, 20));  // outline right side

    canvas.clear(rgb(1, 2, 3));
    CBar right(project.context, 0, 0);
    right.setDirection(CBar::kRight);  // split at 36, filled part at the left
    right.Draw(canvas);
    EXPECT_TRUE(white(20, 15));
    EXPECT_TRUE(dark(60, 15));
}

TEST_F(BarTrendDrawing, TrendAxesTicksAndCurve) {
    CTide trend(project.context, 0, 0);
    trend.PlaceAt(0, 0);  // (0, 0)-(216, 108): y1 27, y2 54, y3 81, y4 72; x1 54, x2 108, x3 162
    trend.Draw(canvas);
    EXPECT_TRUE(white(5, 50));  // vertical axis
    EXPECT_TRUE(white(6, 50));
    EXPECT_TRUE(white(100, 103));  // horizontal axis at B - 5
    EXPECT_TRUE(white(1, 54));     // tick at y2
    EXPECT_TRUE(white(3, 27));     // tick at y1
    EXPECT_TRUE(white(54, 27));    // curve points
    EXPECT_TRUE(white(108, 81));
    EXPECT_TRUE(white(162, 54));
    EXPECT_TRUE(dark(100, 20));
    EXPECT_TRUE(dark(215, 0));
}

}  // namespace
}  // namespace vanta
