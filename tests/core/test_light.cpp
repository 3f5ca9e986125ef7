// Lamp: defaults, size and refit, persistent record, download record, drawing, page rules.

#include <gtest/gtest.h>

#include "model_test_support.h"

#include <memory>

#include "model/BuiltinGlyphs.h"
#include "model/CLight.h"
#include "model/ComponentFactory.h"
#include "model/LightPageRules.h"
#include "model/PixelCanvas.h"
#include "protocols/Vocabulary.h"

using namespace vanta;

namespace {

using Project = vanta::testing::ProtocolModel;

Bytes recordOf(CBase& c, DownloadContext& download) {
    c.ComputeRecordSize();
    EXPECT_TRUE(c.BuildDownloadRecord(download).ok());
    return c.m_record;
}

}  // namespace

TEST(Light, DefaultsFollowTheProtocol) {
    Project p5(5);
    CLight lamp(p5.context, 23, 7);
    EXPECT_EQ(lamp.m_kind, kKindLight);
    EXPECT_EQ(lamp.m_address, 0);  // not the base's 16
    EXPECT_EQ(lamp.m_station, 0);
    EXPECT_EQ(lamp.m_x, 10);
    EXPECT_EQ(lamp.m_y, 3);
    EXPECT_EQ(lamp.imageNumber(0), 330);
    EXPECT_EQ(lamp.imageNumber(65), 395);

    Project p3(3);
    EXPECT_EQ(CLight(p3.context).m_address, 1);
    Project p31(31);
    EXPECT_EQ(CLight(p31.context).m_address, 0);  // the key adds 31 to the list, the lamp not
}

TEST(Light, SizeRuleAndDoubleSizeRefit) {
    Project p(3);
    CLight lamp(p.context, 0, 0);
    lamp.PlaceAt(screenFromPanel(176), screenFromPanel(40));
    EXPECT_EQ(lamp.m_rect, (Rect{396, 90, 432, 126}));
    lamp.m_doubleSize = 1;
    lamp.Refit();
    // 72 x 72 no longer fits: moved back so that the square ends at the display's edges.
    EXPECT_EQ(lamp.m_rect, (Rect{360, 72, 432, 144}));
    EXPECT_EQ(lamp.m_x, 160);  // 160 + 32 = 192
    EXPECT_EQ(lamp.m_y, 32);
}

TEST(Light, DownloadRecordBytes) {
    Project p(19);
    CLight lamp(p.context);
    lamp.m_x = 20;
    lamp.m_y = 8;
    lamp.m_doubleSize = 1;
    lamp.m_station = 7;
    lamp.m_regType = 2;  // bit list B "3x": code 130 = 0x82, two bytes
    lamp.m_address = 100;
    lamp.m_subAddress = 5;
    lamp.m_offset = 3;
    lamp.m_displayKind = 1;  // square
    lamp.m_inverse = 1;      // negative logic
    DownloadContext download;
    EXPECT_EQ(recordOf(lamp, download),
              (Bytes{20, 8, 0x02, 7, 0x82, 0x00, 0x64, 0x02, 5, 3, 3, 2}));
    EXPECT_TRUE(download.lampUsed);
    EXPECT_FALSE(download.optionUsed);
}

TEST(Light, AddressTimesSixteenUnderTheLgProtocols) {
    for (uint8_t protocol : {11, 12, 18, 22}) {
        Project p(protocol);
        CLight lamp(p.context);
        lamp.m_address = 5;
        lamp.m_subAddress = 3;
        DownloadContext download;
        Bytes r = recordOf(lamp, download);
        EXPECT_EQ(r[5], 0x00) << int(protocol);
        EXPECT_EQ(r[6], 0x53) << int(protocol);
        lamp.m_address = 300;
        lamp.m_subAddress = 15;
        r = recordOf(lamp, download);
        EXPECT_EQ(r[5], 0x12);  // 300 x 16 + 15 = 4815 = 0x12CF
        EXPECT_EQ(r[6], 0xCF);
    }
    Project p13(13);  // other protocols send the address itself
    CLight lamp(p13.context);
    lamp.m_address = 0x1234;
    lamp.m_subAddress = 3;
    DownloadContext download;
    const Bytes r = recordOf(lamp, download);
    EXPECT_EQ(r[5], 0x12);
    EXPECT_EQ(r[6], 0x34);
}

TEST(Light, Protocol31UsesTypeValueAndBlockWord) {
    Project p(31);
    CLight lamp(p.context);
    lamp.m_regType = 0;  // RC
    lamp.m_subType = 4;  // "FailAlmLock": number 13, type value 16
    lamp.m_address = 0x0203;
    onLampBindingChanged(lamp);
    EXPECT_EQ(lamp.m_typeValue, 16);
    EXPECT_EQ(lamp.m_subAddress, 13);
    EXPECT_EQ(lamp.m_blockWord, 0x0103);
    DownloadContext download;
    const Bytes r = recordOf(lamp, download);
    EXPECT_EQ(r[4], 16);
    EXPECT_EQ(r[5], 0x01);
    EXPECT_EQ(r[6], 0x03);
    EXPECT_EQ(r[7], 0);
    EXPECT_EQ(r[8], 13);

    // Other protocols leave the stored protocol-31 values alone.
    Project p3(3);
    CLight other(p3.context);
    other.m_typeValue = 9;
    other.updateProtocol31Values();
    EXPECT_EQ(other.m_typeValue, 9);
}

TEST(Light, PersistentRecordRoundTripAndVersion10) {
    Project p(3);
    CLight lamp(p.context);
    lamp.m_x = 10;
    lamp.m_y = 3;
    lamp.m_doubleSize = 1;
    lamp.m_inverse = 1;
    lamp.m_subAddress = 6;
    lamp.m_displayKind = 1;
    lamp.m_station = 9;
    lamp.m_regType = 1;
    lamp.m_address = 0x1234;
    lamp.m_offset = 2;
    lamp.m_subType = 5;
    lamp.m_typeValue = 50;
    lamp.m_blockWord = 0x0A0B;
    Archive out;
    lamp.Serialize(out);
    Bytes expected = {3, 10, 0,  0,    0,   3, 0,    0,    0,  // kind, x, y
                      1, 1,  6,  1,    9,   1, 0x34, 0x12,     // shared block
                      2, 5,  50, 0x0B, 0x0A};                  // lamp block
    expected.resize(expected.size() + 50, 0);
    EXPECT_EQ(out.data(), expected);

    Archive in(out.data());
    CLight loaded(p.context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_address, 0x1234);
    EXPECT_EQ(loaded.m_blockWord, 0x0A0B);
    EXPECT_EQ(loaded.m_rect, (Rect{23, 7, 95, 79}));  // 10 x 2.25 + 0.5, 3 x 2.25 + 0.5; double

    // Version 10: only the offset byte, then the 50 reserved bytes.
    Bytes old = {3, 10, 0, 0, 0, 3, 0, 0, 0, 0, 0, 6, 0, 9, 1, 0x34, 0x12, 2};
    old.resize(old.size() + 50, 0);
    Archive in10(old);
    in10.loadedVersion = 10;
    CLight v10(p.context);
    v10.Serialize(in10);
    ASSERT_TRUE(in10.ok());
    EXPECT_EQ(in10.remaining(), 0u);
    EXPECT_EQ(v10.m_offset, 2);
    EXPECT_EQ(v10.m_subType, 0);
    EXPECT_EQ(v10.m_typeValue, 0);
    EXPECT_EQ(v10.m_blockWord, 0);

    // A function-key record is not a lamp.
    Bytes key = expected;
    key[0] = 4;
    Archive wrong(key);
    CLight refused(p.context);
    refused.Serialize(wrong);
    EXPECT_FALSE(wrong.ok());
}

TEST(Light, DrawsTheImageOfShapeAndLogic) {
    Project p(3);
    CLight lamp(p.context, 0, 0);
    lamp.m_displayKind = 1;  // "方形"
    lamp.m_inverse = 1;      // "负逻辑"
    lamp.SetPosition(9, 18);
    EXPECT_EQ(lamp.drawnImage(), 333);
    DownloadContext download;
    const Bytes r = recordOf(lamp, download);
    EXPECT_EQ(r[10], 3);
    EXPECT_EQ(r[11], 2);

    PixelCanvas canvas;
    lamp.Draw(canvas);
    const KeyImage& image = *keyImage(333);
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 36; ++x) {
            ASSERT_EQ(canvas.pixel(9 + x, 18 + y), image.at(x, y)) << x << "," << y;
        }
    }
    // Double size: each image pixel covers 2 x 2 screen pixels.
    lamp.m_doubleSize = 1;
    lamp.SetPosition(100, 0);
    lamp.Draw(canvas);
    EXPECT_EQ(canvas.pixel(100 + 2 * 18 + 1, 2 * 18 + 1), image.at(18, 18));
    EXPECT_EQ(canvas.pixel(100 + 71, 71), image.at(35, 35));
}

TEST(Light, CopyAndFactory) {
    Project p(31);
    auto made = createComponent(kKindLight, p.context, 45, 90);
    ASSERT_NE(made, nullptr);
    auto& lamp = static_cast<CLight&>(*made);
    EXPECT_EQ(lamp.m_x, 20);
    EXPECT_EQ(lamp.m_y, 40);
    vanta::testing::setEveryField(lamp);
    lamp.ComputeRecordSize();
    DownloadContext download;
    ASSERT_TRUE(lamp.BuildDownloadRecord(download).ok());
    auto copied = copyComponent(lamp);
    ASSERT_NE(copied, nullptr);
    auto& copy = static_cast<CLight&>(*copied);
    EXPECT_EQ(vanta::testing::store(copy), vanta::testing::store(lamp));
    EXPECT_EQ(copy.m_rect, lamp.m_rect);
    EXPECT_EQ(copy.m_images, lamp.m_images);
    EXPECT_TRUE(copy.m_record.empty());
}

TEST(LightPageRules, AddressRangesByProtocol) {
    Project p1(1), p3(3), p7(7), p20(20), p31(31), p5(5);
    EXPECT_EQ(bitAddressSpinRange(p1.vocab, "B"), (SpinRange{0, 65535, NumberEntry::Hex}));
    EXPECT_EQ(bitAddressSpinRange(p3.vocab, "0x"), (SpinRange{1, 65535}));
    EXPECT_EQ(bitAddressSpinRange(p7.vocab, "M"), (SpinRange{0, 9999, NumberEntry::Octal}));
    EXPECT_EQ(bitAddressSpinRange(p20.vocab, "X").entry, NumberEntry::Octal);
    EXPECT_EQ(bitAddressSpinRange(p20.vocab, "Y").entry, NumberEntry::Octal);
    EXPECT_EQ(bitAddressSpinRange(p20.vocab, "M").entry, NumberEntry::Decimal);
    EXPECT_EQ(bitAddressSpinRange(p31.vocab, "RC"), (SpinRange{1, 255}));
    EXPECT_EQ(bitAddressSpinRange(p5.vocab, "IR"), (SpinRange{0, 9999}));
    EXPECT_EQ(stationSpinRange(p1.vocab, 0), (SpinRange{1, 15, NumberEntry::Hex}));
    EXPECT_EQ(stationSpinRange(p5.vocab, 0), (SpinRange{0, 99}));
    EXPECT_EQ(bitNumberSpinRange(p5.vocab), (SpinRange{0, 15}));
}

TEST(LightPageRules, OffsetRangeComesFromTheWordListAtTheSameIndex) {
    Project p2(2);  // word list "VW" (2 bytes), "VD" (4 bytes); bit list B only "M"
    EXPECT_EQ(lampOffsetSpinRange(p2.vocab, 0), (SpinRange{0, 15}));
    EXPECT_EQ(lampOffsetSpinRange(p2.vocab, 1), (SpinRange{0, 31}));
    Project p29(29);  // "AIW" = 162: two bytes
    EXPECT_EQ(lampOffsetSpinRange(p29.vocab, 0), (SpinRange{0, 15}));
}

TEST(LightPageRules, VisibilityOfBitNumberOffsetAndSubType) {
    Project p19(19), p31(31), p2(2), p3(3);
    EXPECT_FALSE(lampBitNumberShown(p19.vocab, "0x"));
    EXPECT_FALSE(lampBitNumberShown(p19.vocab, "1x"));
    EXPECT_TRUE(lampBitNumberShown(p19.vocab, "3x"));
    EXPECT_TRUE(lampBitNumberShown(p19.vocab, "4x"));
    EXPECT_FALSE(lampBitNumberShown(p31.vocab, "RC"));
    EXPECT_TRUE(lampBitNumberShown(p2.vocab, "M"));
    EXPECT_FALSE(lampBitNumberShown(p3.vocab, "0x"));

    CLight lamp(p31.context);
    lamp.m_regType = 1;  // AI
    const LampPageControls c = lampPageControls(lamp, 1);
    EXPECT_TRUE(c.subTypeShown);
    EXPECT_FALSE(c.bitNumberShown);
    EXPECT_EQ(c.typeNames, p31.vocab.bitTypesB);
    EXPECT_EQ(c.subTypeNames, (std::vector<std::string>{"AlarmAck", "SensorError", "MinMaxReset"}));
    EXPECT_FALSE(lampPageControls(CLight(p3.context), 1).subTypeShown);
}
