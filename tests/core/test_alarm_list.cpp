#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "model/AlarmListRules.h"
#include "model/CAlarmList.h"
#include "protocols/Vocabulary.h"

using namespace vanta;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes stored(CAlarmList& list) {
    Archive ar;
    list.Serialize(ar);
    EXPECT_TRUE(ar.ok());
    return ar.takeData();
}

// "报警" in the code page.
const ByteString kAlarmWord = "\xB1\xA8\xBE\xAF";

// --- project-file record ---

TEST(AlarmListRecord, EmptyListWritesFieldsReservedRunAndZeroCount) {
    CAlarmList list(3);
    list.m_startAddress = 0x1234;
    list.m_subAddress = 5;
    list.m_regType = 1;
    list.m_bitOffset = 7;
    const Bytes expected = concat(
        concat(bytes({0x01, 0x34, 0x12, 0x05, 0x01, 0x07}), Bytes(100, 0)), bytes({0x00, 0x00}));
    EXPECT_EQ(stored(list), expected);
}

TEST(AlarmListRecord, TextsAreCountedLengthPrefixedStrings) {
    CAlarmList list(2);
    list.m_texts = {"AB", "C", kAlarmWord};
    const Bytes expected =
        concat(concat(bytes({0x02, 0x00, 0x00, 0x00, 0x00, 0x00}), Bytes(100, 0)),
               bytes({0x03, 0x00, 0x02, 'A', 'B', 0x01, 'C', 0x04, 0xB1, 0xA8, 0xBE, 0xAF}));
    EXPECT_EQ(stored(list), expected);
}

TEST(AlarmListRecord, LoadingReplacesTheTextsAndReadsEveryField) {
    CAlarmList source(1);
    source.m_station = 9;
    source.m_startAddress = 0xBEEF;
    source.m_subAddress = 3;
    source.m_regType = 2;
    source.m_bitOffset = 14;
    source.m_texts = {"one", "", kAlarmWord};
    const Bytes data = stored(source);

    CAlarmList loaded(1);
    loaded.m_texts = {"old", "texts", "here", "too"};
    Archive in(data);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok()) << in.errorMessage();
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_station, 9);
    EXPECT_EQ(loaded.m_startAddress, 0xBEEF);
    EXPECT_EQ(loaded.m_subAddress, 3);
    EXPECT_EQ(loaded.m_regType, 2);
    EXPECT_EQ(loaded.m_bitOffset, 14);
    EXPECT_EQ(loaded.m_texts, source.m_texts);
}

TEST(AlarmListRecord, CountBeyondTheDataFailsWithoutInventingTexts) {
    Bytes data = concat(concat(bytes({1, 0, 0, 0, 0, 0}), Bytes(100, 0)),
                        bytes({0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 0x01, 'A'}));
    CAlarmList list(1);
    list.m_texts = {"kept?"};
    Archive in(data);
    list.Serialize(in);
    EXPECT_FALSE(in.ok());
    EXPECT_TRUE(list.m_texts.empty());
}

TEST(AlarmListState, ConstructionAndNewProjectDefaultsFollowTheProtocol) {
    EXPECT_EQ(CAlarmList(2).m_station, 2);
    EXPECT_EQ(CAlarmList(5).m_station, 0);
    EXPECT_EQ(CAlarmList(11).m_station, 1);
    EXPECT_EQ(CAlarmList(5).m_startAddress, 0);

    CAlarmList list(3);
    list.m_texts = {"a"};
    list.m_bitOffset = 4;
    list.m_subAddress = 2;
    list.m_regType = 1;
    list.ResetForNewProject(5);
    EXPECT_TRUE(list.m_texts.empty());
    EXPECT_EQ(list.m_station, 0);
    EXPECT_EQ(list.m_startAddress, 16);
    EXPECT_EQ(list.m_bitOffset, 0);
    EXPECT_EQ(list.m_subAddress, 0);
    EXPECT_EQ(list.m_regType, 1);  // the register type is not part of the reset

    for (int p : {11, 17, 18, 36}) {
        list.ResetForNewProject(static_cast<uint8_t>(p));
        EXPECT_EQ(list.m_station, 0) << p;
        EXPECT_EQ(list.m_startAddress, 0) << p;
    }
    list.ResetForNewProject(2);
    EXPECT_EQ(list.m_station, 2);
    list.ResetForNewProject(22);
    EXPECT_EQ(list.m_station, 1);
}

// --- download block ---

struct Download {
    explicit Download(uint8_t protocol) : vocab(makeVocabulary(protocol)) {
        context.protocol = protocol;
        context.vocabulary = &vocab;
    }
    Vocabulary vocab;
    DownloadContext context;
};

TEST(AlarmListDownload, SizesFollowTheTexts) {
    CAlarmList list(3);
    list.m_texts = {"12345", "", kAlarmWord};
    list.ComputeSizes();
    EXPECT_EQ(list.m_headerLen, 19);
    EXPECT_THAT(list.m_entrySizes, ElementsAre(23, 18, 22));
    EXPECT_EQ(list.m_textsLen, 63u);
}

TEST(AlarmListDownload, BlockHoldsHeaderOffsetsAndGlyphCodes) {
    Download d(3);
    d.context.glyphs.narrow = {'B'};
    CAlarmList list(3);
    list.m_station = 7;
    list.m_regType = 1;  // "1x"
    list.m_startAddress = 1000;
    list.m_texts = {"AB", "\xB1\xA8"};

    ASSERT_TRUE(list.BuildDownloadBlock(d.context, 4));
    uint32_t running = 0x9000;
    list.AssignOffsets(running);
    EXPECT_EQ(running, 0x9000u + 16 + 20 + 20);
    Bytes image{0xEE};
    list.AppendToImage(image);

    const Bytes header = bytes({2, 1, 0, 7, 128, 0x00, 0x1F, 4, 8, 0,  //
                                0, 0x90, 0x10, 1, 0x90, 0x24});
    Bytes first(20, 0), second(20, 0);
    first[0] = 2;
    first[18] = 1;  // 'A' is new after 'B'
    first[19] = 0;
    second[0] = 2;
    second[18] = 0x80;  // 0x8000 + base 4 + index 0
    second[19] = 0x04;
    EXPECT_EQ(image, concat(concat(concat(bytes({0xEE}), header), first), second));
    EXPECT_THAT(d.context.glyphs.narrow, ElementsAre('B', 'A'));
    ASSERT_EQ(d.context.glyphs.wide.size(), 1u);
    EXPECT_EQ(d.context.glyphs.wide[0], (WideChar{0xB1, 0xA8}));

    list.RebaseGlyphCodes(5);
    Bytes rebased;
    list.AppendToImage(rebased);
    EXPECT_EQ(rebased[16 + 18], 1);  // narrow codes stay
    EXPECT_EQ(rebased[16 + 20 + 18], 0x80);
    EXPECT_EQ(rebased[16 + 20 + 19], 0x09);
}

// Bytes 4..9 of the header for one protocol of every rule.
struct CoilCase {
    int protocol;
    int regType;
    int address;
    int subAddress;
    int bitOffset;
    Bytes expected;  // bytes 4..9
};

TEST(AlarmListDownload, StartCoilBytesFollowTheProtocolRules) {
    const std::vector<CoilCase> cases = {
        // list B code; shifts 13/5; width 4; address & 31; bit 0
        {3, 1, 1000, 0, 0, bytes({128, 0x00, 0x1F, 4, 8, 0})},
        // shifts 11/3; width 1; sub-address; address & 7
        {4, 0, 1001, 3, 0, bytes({0, 0x00, 0x7D, 1, 3, 1})},
        // shifts 12/4; width 2; address & 15; bit 0
        {7, 0, 668, 0, 0, bytes({0, 0x00, 0x29, 2, 12, 0})},
        // shifts 13/5 of address - 1; width 4; sub-address; (address - 1) & 31
        {19, 0, 100, 2, 0, bytes({0, 0x00, 0x03, 4, 2, 3})},
        // start-coil code; shifts 9/1; width 2; 0; sub-address + (address & 1) x 8
        {29, 1, 5, 3, 0, bytes({18, 0x00, 0x02, 2, 0, 11})},
        // list B code + 2; shifts 12/4; address & 15 twice
        {20, 1, 0x1234, 0, 0, bytes({50, 0x01, 0x23, 2, 4, 4})},
        // list A code; high and low byte; width 0; 0; 0
        {24, 0, 300, 9, 0, bytes({16, 0x01, 0x2C, 0, 0, 0})},
        {26, 0, 0x0123, 1, 0, bytes({178, 0x00, 0x12, 2, 1, 3})},
        {26, 1, 0x0123, 1, 0, bytes({210, 0x00, 0x12, 2, 1, 3})},
        // word-list code of the next index; sub-address twice
        {27, 0, 0x0203, 5, 0, bytes({242, 0x02, 0x03, 2, 5, 5})},
        // outside 2..39: width from the code, bit offset
        {1, 2, 0xABCD, 0x12, 9, bytes({4, 0xAB, 0xCD, 4, 0x12, 9})},
        // width from the code, bit offset
        {9, 0, 0x0102, 0, 3, bytes({0, 0x01, 0x02, 0, 0, 3})},
        // width 1, sub-address twice
        {2, 0, 0x0010, 6, 0, bytes({0, 0x00, 0x10, 1, 6, 6})},
        // shifts 13/5, width 4, sub-address, address & 31
        {10, 0, 1000, 1, 0, bytes({0, 0x00, 0x1F, 4, 1, 8})},
    };
    for (const CoilCase& c : cases) {
        Download d(static_cast<uint8_t>(c.protocol));
        CAlarmList list(static_cast<uint8_t>(c.protocol));
        list.m_regType = static_cast<uint8_t>(c.regType);
        list.m_startAddress = static_cast<uint16_t>(c.address);
        list.m_subAddress = static_cast<uint8_t>(c.subAddress);
        list.m_bitOffset = static_cast<uint8_t>(c.bitOffset);
        list.m_texts = {"x"};
        ASSERT_TRUE(list.BuildDownloadBlock(d.context, 0)) << c.protocol;
        const Bytes got(list.m_downloadHeader.begin() + 4, list.m_downloadHeader.begin() + 10);
        EXPECT_EQ(got, c.expected) << "protocol " << c.protocol << " type " << c.regType;
    }
}

TEST(AlarmListDownload, RefusesMoreThan255TextsAndBadTexts) {
    Download d(3);
    CAlarmList list(3);
    list.m_texts.assign(255, "a");
    ASSERT_TRUE(list.BuildDownloadBlock(d.context, 0));
    EXPECT_EQ(list.m_downloadHeader[0], 255);
    EXPECT_EQ(list.m_downloadHeader.size(), 3u * 255 + 10);

    list.m_texts.push_back("b");
    const Status refused = list.BuildDownloadBlock(d.context, 0);
    ASSERT_FALSE(refused);
    EXPECT_THAT(refused.message(), HasSubstr("256"));
    EXPECT_THAT(refused.message(), HasSubstr("255"));
    Bytes image;
    list.AppendToImage(image);
    EXPECT_TRUE(image.empty());

    Download fresh(3);
    list.m_texts = {"ok", "\xB1\xA8\xBE"};  // ends with a lone lead byte
    const Status lone = list.BuildDownloadBlock(fresh.context, 0);
    ASSERT_FALSE(lone);
    EXPECT_THAT(lone.message(), HasSubstr("Alarm text 2"));
    EXPECT_TRUE(fresh.context.glyphs.narrow.empty());
    EXPECT_TRUE(fresh.context.glyphs.wide.empty());
}

// --- dialog rules ---

struct Dialog {
    Dialog(uint8_t protocol, std::vector<ByteString> texts = {})
        : vocab(makeVocabulary(protocol)), list(protocol), editor(list, vocab) {
        list.m_texts = std::move(texts);
    }
    std::string label(int row) const { return alarmCoilLabel(list, vocab, row); }
    Vocabulary vocab;
    CAlarmList list;
    AlarmListEditor editor;
};

TEST(AlarmListLabels, BitsInsideTheStartRegister) {
    Dialog d(1);
    d.list.m_regType = 1;  // "W", 16 bits
    d.list.m_startAddress = 0x12;
    d.list.m_subAddress = 3;
    d.list.m_bitOffset = 14;
    EXPECT_EQ(d.label(1), "0012 03 0e");
    EXPECT_EQ(d.label(2), "0012 03 0f");
    EXPECT_EQ(d.label(3), "");
}

TEST(AlarmListLabels, SubAddressFamilies) {
    Dialog s7(2);  // bytes of 8 bits
    s7.list.m_startAddress = 10;
    s7.list.m_subAddress = 6;
    EXPECT_EQ(s7.label(1), "M10.6");
    EXPECT_EQ(s7.label(3), "M11.0");

    Dialog kdn(29);
    kdn.list.m_regType = 1;  // "M"
    EXPECT_EQ(kdn.label(10), "M1.1");

    Dialog lg(11);
    lg.list.m_startAddress = 5;
    lg.list.m_subAddress = 14;
    EXPECT_EQ(lg.label(1), "M5e");
    EXPECT_EQ(lg.label(3), "M60");

    Dialog ext(19);
    ext.list.m_startAddress = 100;
    ext.list.m_subAddress = 7;  // not used by this family
    EXPECT_EQ(ext.label(3), "0x102");

    Dialog ab(15);
    ab.list.m_subAddress = 15;
    EXPECT_EQ(ab.label(1), "B3:0/f");
    EXPECT_EQ(ab.label(2), "B3:1/0");

    Dialog omron(5);
    omron.list.m_startAddress = 16;
    omron.list.m_subAddress = 15;
    EXPECT_EQ(omron.label(2), "IR17.0");
}

TEST(AlarmListLabels, OneAddressPerCoil) {
    Dialog modbus(3);
    modbus.list.m_startAddress = 1;
    EXPECT_EQ(modbus.label(2), "0x/2");
    Dialog koyo(7);
    koyo.list.m_startAddress = 8;
    EXPECT_EQ(koyo.label(1), "M10");
    Dialog fx(4);
    fx.list.m_startAddress = 100;
    EXPECT_EQ(fx.label(2), "M101");
}

TEST(AlarmListControls, RangesAndVisibilityFollowTheProtocol) {
    Dialog ecostep(1);
    ecostep.list.m_regType = 2;  // "D", 32 bits
    AlarmDialogControls c = alarmDialogControls(ecostep.list, ecostep.vocab, 0);
    EXPECT_TRUE(c.addressHex);
    EXPECT_TRUE(c.bitOffsetShown);
    EXPECT_EQ(c.bitOffsetMax, 31);
    EXPECT_TRUE(c.subAddressShown);
    EXPECT_EQ(c.subAddressMax, 255);
    EXPECT_THAT(c.typeNames, ElementsAre("B", "W", "D"));

    Dialog ext(19);
    c = alarmDialogControls(ext.list, ext.vocab, 0);
    EXPECT_FALSE(c.subAddressShown);
    EXPECT_FALSE(c.bitOffsetShown);
    EXPECT_EQ(c.addressMin, 1);
    EXPECT_EQ(c.subAddressMax, 0);

    Dialog koyo(7);
    c = alarmDialogControls(koyo.list, koyo.vocab, 0);
    EXPECT_TRUE(c.addressOctal);
    EXPECT_FALSE(c.subAddressShown);

    Dialog server(21);
    c = alarmDialogControls(server.list, server.vocab, 17);
    EXPECT_EQ(c.stationMin, 17);
    EXPECT_EQ(c.stationMax, 17);
}

TEST(AlarmListEditing, AppendReplaceAndClear) {
    Dialog d(3);
    d.editor.open();
    EXPECT_EQ(d.editor.rowCount(), 2);

    EXPECT_TRUE(d.editor.editText(1, "A"));
    EXPECT_EQ(d.editor.rowCount(), 3);  // a new empty row to append
    EXPECT_TRUE(d.editor.editText(2, "B"));
    EXPECT_TRUE(d.editor.editText(3, "C"));
    EXPECT_TRUE(d.editor.editText(1, "A2"));
    EXPECT_FALSE(d.editor.editText(6, "far"));
    EXPECT_THAT(d.list.m_texts, ElementsAre("A2", "B", "C"));
    EXPECT_EQ(d.editor.rows()[2].text, "C");
    EXPECT_EQ(d.editor.rows()[3].text, "");

    // An emptied middle row stays while a later row holds a text.
    EXPECT_TRUE(d.editor.editText(2, ""));
    EXPECT_THAT(d.list.m_texts, ElementsAre("A2", "", "C"));
    // Clearing the last row removes it and the empty rows before it.
    EXPECT_TRUE(d.editor.editText(3, ""));
    EXPECT_THAT(d.list.m_texts, ElementsAre("A2"));
    EXPECT_EQ(d.editor.rowCount(), 3);
    EXPECT_EQ(d.editor.textAt(2), "");
}

TEST(AlarmListEditing, CancelRestoresTheTextsOkDropsTrailingEmptyOnes) {
    Dialog d(3, {"one", "two"});
    d.editor.open();
    d.editor.editText(1, "changed");
    d.editor.editText(3, "three");
    d.list.m_startAddress = 40;
    d.editor.startCoilChanged();
    d.editor.cancel();
    EXPECT_THAT(d.list.m_texts, ElementsAre("one", "two"));
    EXPECT_EQ(d.list.m_startAddress, 40);

    // OK drops trailing empty texts.
    d.list.m_texts = {"a", "", "b", "", ""};
    d.editor.open();
    d.editor.accept();
    EXPECT_THAT(d.list.m_texts, ElementsAre("a", "", "b"));
}

TEST(AlarmListEditing, BitOffsetConfinesTheListToTheStartRegister) {
    Dialog d(1, {"t0", "t1", "t2", "t3", "t4"});
    d.list.m_regType = 1;  // "W", 16 bits
    d.editor.open();
    EXPECT_EQ(d.list.m_texts.size(), 5u);
    d.list.m_bitOffset = 14;
    d.editor.startCoilChanged();
    EXPECT_THAT(d.list.m_texts, ElementsAre("t0", "t1"));
    EXPECT_EQ(d.editor.rowCount(), 3);  // no row to append past the register
    EXPECT_FALSE(d.editor.editText(3, "t2"));
    EXPECT_EQ(d.editor.enter(2).action, AlarmEnterMove::MoveTo);
    EXPECT_EQ(d.editor.enter(2).row, 1);  // at the limit the editor returns to row 1
}

TEST(AlarmListEditing, RegisterTypeChangeNarrowsTheBitOffset) {
    Dialog d(1, std::vector<ByteString>(10, "x"));
    d.list.m_regType = 2;  // "D", 32 bits
    d.list.m_bitOffset = 20;
    d.editor.open();
    d.list.m_regType = 0;  // "B", 8 bits
    d.editor.registerTypeChanged();
    EXPECT_EQ(d.list.m_bitOffset, 7);
    EXPECT_EQ(d.list.m_texts.size(), 1u);
    EXPECT_EQ(alarmDialogControls(d.list, d.vocab, 0).bitOffsetMax, 7);

    // A list of one address per coil is not confined to one register.
    Dialog modbus(3, std::vector<ByteString>(40, "x"));
    modbus.editor.open();
    modbus.list.m_regType = 1;
    modbus.editor.registerTypeChanged();
    EXPECT_EQ(modbus.list.m_texts.size(), 40u);
}

TEST(AlarmListEditing, EnterMovesDownThenLeavesTheEditor) {
    Dialog d(3, std::vector<ByteString>(20, "x"));
    d.editor.open();
    EXPECT_EQ(d.editor.enter(1).action, AlarmEnterMove::MoveTo);
    EXPECT_EQ(d.editor.enter(15).row, 16);
    EXPECT_EQ(d.editor.enter(16).action, AlarmEnterMove::HideEditor);
    EXPECT_EQ(d.editor.enter(21).action, AlarmEnterMove::Stay);  // empty append row
}

TEST(AlarmListEditing, StopsAt255Texts) {
    Dialog d(3, std::vector<ByteString>(254, "x"));
    d.editor.open();
    EXPECT_EQ(d.editor.rowCount(), 256);
    EXPECT_TRUE(d.editor.editText(255, "last"));
    EXPECT_EQ(d.list.m_texts.size(), 255u);
    EXPECT_EQ(d.editor.rowCount(), 256);  // no append row any more
    EXPECT_FALSE(d.editor.editText(256, "one too many"));
    EXPECT_EQ(d.list.m_texts.size(), 255u);
    const AlarmEnterMove move = d.editor.enter(255);
    EXPECT_EQ(move.action, AlarmEnterMove::MoveTo);
    EXPECT_EQ(move.row, 1);
}

}  // namespace
