// Dynamic text: entries and their grid, the stored record of each file version, the selection
// of downloaded entries, the record, text block and entry table, and the page's value rules.

#include <gtest/gtest.h>

#include "model_test_support.h"

#include <string>
#include <vector>

#include "model/CDynamic.h"
#include "model/ComponentFactory.h"
#include "model/PixelCanvas.h"

namespace vanta {
namespace {

using Project = vanta::testing::ProtocolModel;

using vanta::testing::append;
using vanta::testing::store;
void appendText(Bytes& out, const std::string& text) {
    out.push_back(static_cast<uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// A dynamic text with every stored field set to a distinct value and two entries in use.
void fillFields(CDynamic& dyn) {
    dyn.m_x = 10;
    dyn.m_y = 3;
    dyn.m_doubleSize = 1;
    dyn.m_inverse = 1;
    dyn.m_station = 5;
    dyn.m_regType = 1;
    dyn.m_address = 0x0102;
    dyn.m_regCount = 2;
    dyn.m_displayMode = 1;
    dyn.m_texts[0] = "Dynamic Text";
    dyn.m_valueTexts[0] = "1";
    dyn.m_values[0] = 1;
    dyn.m_texts[1] = "AB";
    dyn.m_valueTexts[1] = "-2";
    dyn.m_values[1] = -2;
    dyn.m_subAddress = 3;
    dyn.m_subType = 4;
    dyn.m_typeValue = 0x64;
    dyn.m_blockWord = 0x0A0B;
}

Bytes recordUpToSubAddress() {
    Bytes b;
    append(b, {0x08, 0x0A, 0, 0, 0, 0x03, 0, 0, 0});              // kind, x, y
    append(b, {0x01, 0x01, 0x05, 0x01, 0x02, 0x01, 0x02, 0x01});  // attributes, binding, mode
    append(b, {0x20, 0x00});                                      // 32 texts
    appendText(b, "Dynamic Text");
    appendText(b, "AB");
    b.insert(b.end(), 30, 0x00);
    append(b, {0x20, 0x00});  // 32 values
    append(b, {0x01, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF});
    b.insert(b.end(), 30 * 4, 0x00);
    append(b, {0x20, 0x00});  // 32 value texts
    appendText(b, "1");
    appendText(b, "-2");
    b.insert(b.end(), 30, 0x00);
    b.push_back(0x03);  // sub-address
    return b;
}

TEST(DynamicRecord, WritesListsWithCountsThenVersion11FieldsAndReservedBytes) {
    Project project(2);
    CDynamic dyn(project.context);
    fillFields(dyn);
    dyn.m_signed = 1;  // not stored
    Bytes expected = recordUpToSubAddress();
    append(expected, {0x04, 0x64, 0x0B, 0x0A});
    expected.insert(expected.end(), 99, 0);
    EXPECT_EQ(store(dyn), expected);

    for (uint8_t version : {11, 12}) {
        Archive in(expected);
        in.loadedVersion = version;
        CDynamic loaded(project.context);
        loaded.Serialize(in);
        ASSERT_TRUE(in.ok()) << in.errorMessage();
        EXPECT_EQ(in.remaining(), 0u);
        EXPECT_EQ(loaded.m_signed, 1) << "the decimal list shows -2";
        EXPECT_EQ(loaded.m_textWidth, 12);
        EXPECT_EQ(loaded.m_rect, (Rect{23, 7, 23 + 12 * 36, 7 + 72}));
        EXPECT_EQ(store(loaded), expected) << int(version);
    }
}

TEST(DynamicRecord, Version10HasNoProtocol31FieldsAndIsSavedWithThem) {
    Project project(2);
    Bytes old = recordUpToSubAddress();
    old.insert(old.end(), 99, 0);
    Archive in(old);
    in.loadedVersion = 10;
    CDynamic loaded(project.context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok()) << in.errorMessage();
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_subType, 0);
    EXPECT_EQ(loaded.m_typeValue, 0);
    EXPECT_EQ(loaded.m_blockWord, 0);
    EXPECT_EQ(loaded.m_subAddress, 3);
    EXPECT_EQ(loaded.m_values[1], -2);

    Bytes expected = recordUpToSubAddress();
    append(expected, {0, 0, 0, 0});
    expected.insert(expected.end(), 99, 0);
    EXPECT_EQ(store(loaded), expected);
}

TEST(DynamicRecord, LoadingSetsSignedWhenADecimalListShowsANegativeValue) {
    Project project(2);
    // The signed setting after the record is stored and read back; the record stays as it was.
    auto signedAfterReopening = [&](CDynamic& source) {
        const Bytes file = store(source);
        Archive in(file);
        CDynamic loaded(project.context);
        loaded.Serialize(in);
        EXPECT_TRUE(in.ok()) << in.errorMessage();
        EXPECT_EQ(store(loaded), file);
        return loaded.m_signed;
    };
    CDynamic dyn(project.context, 0, 0, "A");
    dyn.m_signed = 1;
    EXPECT_EQ(signedAfterReopening(dyn), 0) << "no negative value in the list";
    dyn.m_texts[3] = "minus";
    dyn.m_valueTexts[3] = "-2";
    dyn.m_values[3] = -2;
    EXPECT_EQ(signedAfterReopening(dyn), 1);
    dyn.m_signed = 0;
    EXPECT_EQ(signedAfterReopening(dyn), 1) << "the list decides, not the unstored setting";
    dyn.m_displayMode = 0;
    EXPECT_EQ(signedAfterReopening(dyn), 0) << "a hexadecimal list is never signed";
    dyn.m_displayMode = 2;
    EXPECT_EQ(signedAfterReopening(dyn), 1) << "any mode but 0 is decimal";

    // A 32-bit unsigned value reads negative in its signed field but shows no minus sign; a
    // minus sign in a text (not a value) tells nothing either.
    CDynamic wide(project.context, 0, 0, "-");
    wide.m_values[0] = -1;
    wide.m_valueTexts[0] = "4294967295";
    EXPECT_EQ(signedAfterReopening(wide), 0);
}

TEST(DynamicRecord, ShortOrUnevenListsAreFilledUpAndHugeCountsRefused) {
    Project project(2);
    CDynamic source(project.context);
    source.m_texts = {"a", "b", "c"};
    source.m_values = {7};
    source.m_valueTexts = {"7", "8"};
    Bytes bytes = store(source);
    {
        Archive in(bytes);
        CDynamic loaded(project.context);
        loaded.Serialize(in);
        ASSERT_TRUE(in.ok()) << in.errorMessage();
        EXPECT_EQ(loaded.m_texts.size(), 32u);
        EXPECT_EQ(loaded.m_values.size(), 32u);
        EXPECT_EQ(loaded.m_valueTexts.size(), 32u);
        EXPECT_EQ(loaded.m_texts[2], "c");
        EXPECT_EQ(loaded.m_values[1], 0);
        EXPECT_EQ(loaded.FillGrid()[1], (DynamicGridRow{"8", "b"}));
        loaded.ComputeRecordSize();  // entry 1 is in use with value 0
        EXPECT_EQ(loaded.m_dlValues, (std::vector<uint16_t>{7, 0}));
    }
    // The text count (after kind, x, y and 8 bytes) claims more texts than the file holds.
    bytes[17] = 0xFF;
    bytes[18] = 0xFF;
    bytes.insert(bytes.begin() + 19, {0xFF, 0xFF, 0xFF, 0x7F});
    Archive in(bytes);
    CDynamic loaded(project.context);
    loaded.Serialize(in);
    EXPECT_FALSE(in.ok());
}

TEST(DynamicDownload, NewDynamicTextDownloadsItsOneEntry) {
    Project project(2);
    CDynamic dyn(project.context, 0, 0, "Dynamic Text");
    dyn.PlaceAt(0, 0);
    EXPECT_EQ(dyn.m_rect, (Rect{0, 0, 12 * 18, 36}));

    DownloadContext download;
    dyn.ComputeRecordSize();
    EXPECT_EQ(dyn.m_recordLen, 16);
    EXPECT_EQ(dyn.m_textBlockLen, 14);
    ASSERT_TRUE(dyn.BuildDownloadRecord(download).ok());
    ASSERT_TRUE(dyn.CollectGlyphs(download).ok());
    uint16_t base = 0;
    dyn.RebaseGlyphCodes(base);
    uint16_t address = 0x8100;
    dyn.WriteEntryTable(address);
    EXPECT_EQ(address, 0x810E);

    // Station 2, "VW" (code 2) at 0, decimal mode.
    const Bytes record = {0, 0, 0x20, 2, 2, 0, 0, 2, 0, 0, 1, 12, 0x00, 0x01, 0x81, 0x00};
    EXPECT_EQ(dyn.m_record, record);
    Bytes block = {0x20, 12};
    for (uint8_t i = 0; i < 12; ++i)
        block.push_back(i);  // "Dynamic Text": twelve different characters
    Bytes data = {0xAA};
    dyn.AppendTextBlock(data);
    block.insert(block.begin(), 0xAA);
    EXPECT_EQ(data, block);

    // A second download selects afresh.
    dyn.FreeDownloadRecord();
    EXPECT_TRUE(dyn.m_record.empty());
    EXPECT_TRUE(dyn.m_textBlock.empty());
    EXPECT_TRUE(dyn.m_dlTexts.empty());
    dyn.ComputeRecordSize();
    dyn.ComputeRecordSize();
    EXPECT_EQ(dyn.m_textBlockLen, 14);
    EXPECT_EQ(dyn.m_dlSizes, (std::vector<uint16_t>{14}));
}

TEST(DynamicDownload, SelectsEntriesInUseWithWideCharactersAndRebases) {
    Project project(2);
    CDynamic dyn(project.context, 0, 0, "A\xB0\xA1");
    dyn.m_values[0] = 5;
    dyn.m_valueTexts[0] = "5";
    dyn.m_texts[1] = "zzz";  // no value: not downloaded
    dyn.m_texts[2] = "\xB0\xA1";
    dyn.m_valueTexts[2] = "70000";
    dyn.m_values[2] = 70000;  // downloaded as its low 16 bits
    dyn.m_inverse = 1;
    dyn.m_doubleSize = 1;
    dyn.m_signed = 1;
    dyn.m_regType = 1;  // "VD": code 4
    dyn.m_regCount = 2;
    dyn.m_subAddress = 9;
    dyn.m_address = 0x0304;
    dyn.PlaceAt(0, 0);
    EXPECT_EQ(dyn.m_textWidth, 3);

    DownloadContext download;
    download.glyphs.narrow = {'q'};
    dyn.ComputeRecordSize();
    EXPECT_EQ(dyn.m_recordLen, 20);
    ASSERT_TRUE(dyn.BuildDownloadRecord(download).ok());
    ASSERT_TRUE(dyn.CollectGlyphs(download).ok());
    EXPECT_EQ(dyn.m_textBlock, (Bytes{0x33, 3, 0x01, 0x80, 0x00, 0x33, 2, 0x80, 0x00}));
    uint16_t base = 5;
    dyn.RebaseGlyphCodes(base);
    EXPECT_EQ(dyn.m_textBlock, (Bytes{0x33, 3, 0x01, 0x80, 0x05, 0x33, 2, 0x80, 0x05}));
    uint16_t address = 0x9000;
    dyn.WriteEntryTable(address);
    EXPECT_EQ(address, 0x9009);
    const Bytes record = {0, 0, 0x33, 2,    4,    0x03, 0x04, 8,    9,    0,
                          2, 3, 0x00, 0x05, 0x90, 0x00, 0x11, 0x70, 0x90, 0x05};
    EXPECT_EQ(dyn.m_record, record);
    EXPECT_EQ(download.glyphs.narrow, (std::vector<uint8_t>{'q', 'A'}));
    ASSERT_EQ(download.glyphs.wide.size(), 1u);
}

TEST(DynamicDownload, Protocol31SendsTypeValueAndBlockWord) {
    Project project(31);
    CDynamic dyn(project.context, 0, 0, "On");
    dyn.m_regType = 0;  // RC
    dyn.m_subType = 0;  // Itime
    dyn.m_address = 0x0203;
    dyn.onPageProtocol31Changed();
    dyn.PlaceAt(0, 0);
    DownloadContext download;
    dyn.ComputeRecordSize();
    ASSERT_TRUE(dyn.BuildDownloadRecord(download).ok());
    EXPECT_EQ(dyn.m_record[4], 50);
    EXPECT_EQ(dyn.m_record[5], 0x01);
    EXPECT_EQ(dyn.m_record[6], 0x03);
    EXPECT_EQ(dyn.m_record[7], 2);
    EXPECT_EQ(dyn.m_record[8], 5);
}

TEST(DynamicDownload, TextsThatDoNotFitTheirLengthBytesAreKeptButRefused) {
    Project project(2);
    CDynamic source(project.context, 45, 36, "x");
    source.m_texts[0] = std::string(300, 'a');
    Archive out;
    source.Serialize(out);
    Archive in(out.data());
    CDynamic loaded(project.context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(loaded.m_texts[0].size(), 300u);  // kept as loaded
    EXPECT_EQ(loaded.m_textWidth, 255);

    DownloadContext download;
    loaded.ComputeRecordSize();
    Status status = loaded.BuildDownloadRecord(download);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("Dynamic text at (20, 16)"), std::string::npos)
        << status.message();

    // A text ending in a lone lead byte.
    loaded.m_texts[0] = "ab\xB0";
    loaded.ComputeRecordSize();
    EXPECT_FALSE(loaded.BuildDownloadRecord(download).ok());
    // An unused entry does not block the download unless its length cannot be carried.
    loaded.m_texts[0] = "ok";
    loaded.m_texts[5] = "ab\xB0";
    loaded.ComputeRecordSize();
    EXPECT_TRUE(loaded.BuildDownloadRecord(download).ok());
}

TEST(DynamicGrid, SetEntryFillGridAndEditColumn) {
    Project project(2);
    CDynamic dyn(project.context, 0, 0, "Dynamic Text");
    dyn.PlaceAt(0, 0);
    std::vector<DynamicGridRow> rows = dyn.FillGrid();
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[0], (DynamicGridRow{"1", "Dynamic Text"}));
    EXPECT_EQ(rows[31], (DynamicGridRow{}));

    EXPECT_EQ(dyn.editColumnFor(2, 1), 0);  // no value yet: the value comes first
    dyn.m_editValue = 12;
    EXPECT_EQ(dyn.SetEntry(2, 0, "12"), "12");
    EXPECT_EQ(dyn.m_values[1], 12);
    EXPECT_EQ(dyn.editColumnFor(2, 1), 1);
    dyn.m_editText = std::string(20, 'w');
    EXPECT_EQ(dyn.SetEntry(2, 1), std::string(20, 'w'));
    EXPECT_EQ(dyn.m_rect.width(), 20 * 18);  // the longest text
    EXPECT_EQ(dyn.pageState(1).x, (IntRange{0, 192 - 20 * 18 * 4 / 9}));

    dyn.m_editValue = 0;
    EXPECT_EQ(dyn.SetEntry(2, 0, ""), "");  // clearing the value clears the text
    EXPECT_EQ(dyn.m_texts[1], "");
    EXPECT_EQ(dyn.m_rect.width(), 12 * 18);
    EXPECT_EQ(dyn.FillGrid()[1], (DynamicGridRow{}));

    EXPECT_EQ(dyn.SetEntry(0, 1), "");
    EXPECT_EQ(dyn.SetEntry(33, 0, "5"), "");
}

TEST(DynamicDraw, FirstNonEmptyTextWithTheDisplayRenderer) {
    std::vector<uint8_t> table(kNarrowTableBytes, 0);
    for (size_t row = 0; row < 16; ++row)
        table['D' * 16 + row] = 0xFF;  // "D" is a full block, everything else blank
    FontTables fonts;
    fonts.setNarrowTable(table);
    Project project(2);
    project.context.fonts = &fonts;
    CDynamic dyn(project.context, 0, 0, "");
    PixelCanvas canvas;
    dyn.PlaceAt(0, 0);
    dyn.Draw(canvas);  // nothing to show
    EXPECT_EQ(canvas.pixel(0, 0), Color{});

    dyn.m_texts[3] = "D";
    dyn.Refit();
    EXPECT_EQ(dyn.shownText(), "D");
    dyn.Draw(canvas);
    EXPECT_EQ(canvas.pixel(0, 0), kDisplayLight);
    EXPECT_EQ(canvas.pixel(17, 35), kDisplayLight);
    EXPECT_EQ(canvas.pixel(18, 0), Color{});
    dyn.m_inverse = 1;
    dyn.Draw(canvas);
    EXPECT_EQ(canvas.pixel(9, 9), kDisplayDark);
}

TEST(DynamicPage, HexModeClampsUsedValuesAndShowsThemInLowerCase) {
    Project project(2);
    CDynamic dyn(project.context, 0, 0, "one");
    dyn.m_signed = 1;
    const std::pair<int32_t, const char*> entries[] = {{70000, "x"}, {-5, "y"}, {255, ""}};
    for (size_t i = 0; i < 3; ++i) {
        dyn.m_values[i + 1] = entries[i].first;
        dyn.m_texts[i + 1] = entries[i].second;
        dyn.m_valueTexts[i + 1] = std::to_string(entries[i].first);
    }
    dyn.onPageModeChanged(0);
    EXPECT_EQ(dyn.m_signed, 0);
    EXPECT_EQ(dyn.m_displayMode, 0);
    EXPECT_EQ(dyn.m_values[1], 65535);
    EXPECT_EQ(dyn.m_values[2], 0);
    EXPECT_EQ(dyn.m_values[3], 255);
    EXPECT_EQ(dyn.m_valueTexts[1], "ffff");
    EXPECT_EQ(dyn.m_valueTexts[2], "0");
    EXPECT_EQ(dyn.m_valueTexts[3], "ff");
    EXPECT_EQ(dyn.m_valueTexts[4], "");  // unused entries stay unused
    const DynamicPageState state = dyn.pageState(1);
    EXPECT_FALSE(state.signedEnabled);
    EXPECT_TRUE(state.valuesHex);

    dyn.m_values[1] = 4096;
    dyn.onPageModeChanged(0);  // no change of mode: nothing redone
    EXPECT_EQ(dyn.m_valueTexts[1], "ffff");
    dyn.onPageModeChanged(1);
    EXPECT_EQ(dyn.m_valueTexts[1], "4096");
    EXPECT_EQ(dyn.m_valueTexts[3], "255");
}

TEST(DynamicPage, ADisplayModeOf2FromAFileIsDecimalWhenValuesAreReformatted) {
    Project project(2);
    CDynamic dyn(project.context, 0, 0, "one");
    dyn.m_displayMode = 2;
    dyn.m_signed = 1;
    dyn.m_values[1] = -300;
    dyn.m_texts[1] = "low";
    dyn.m_valueTexts[1] = "-300";
    dyn.m_values[2] = 40000;
    dyn.m_texts[2] = "high";
    dyn.m_valueTexts[2] = "40000";
    EXPECT_FALSE(dyn.pageState(1).valuesHex);
    dyn.onPageSignedChanged();  // signed, 16 bits: -32768..32767
    EXPECT_EQ(dyn.m_valueTexts[1], "-300");
    EXPECT_EQ(dyn.m_values[2], 32767);
    EXPECT_EQ(dyn.m_valueTexts[2], "32767");
    EXPECT_EQ(dyn.m_displayMode, 2) << "the stored byte stays";
}

TEST(DynamicPage, ValueRangesByTypeSignAndProtocol) {
    Project siemens(2);
    CDynamic word(siemens.context, 0, 0, "t");
    EXPECT_EQ(word.valueRange(), (IntRange{0, 65535}));
    word.m_regType = 1;  // "VD": at most 16 bits
    EXPECT_EQ(word.valueRange(), (IntRange{0, 65535}));
    word.m_signed = 1;
    EXPECT_EQ(word.valueRange(), (IntRange{-32768, 32767}));

    Project ecostep(1);
    CDynamic byte(ecostep.context, 0, 0, "t");  // "B": one byte
    EXPECT_EQ(byte.valueRange(), (IntRange{0, 255}));
    byte.m_signed = 1;
    EXPECT_EQ(byte.valueRange(), (IntRange{-128, 127}));

    Project ktc(31);
    CDynamic module(ktc.context, 0, 0, "t");
    module.m_values[0] = 20;
    module.m_texts[1] = "low";
    module.m_valueTexts[1] = "-9";
    module.m_values[1] = -9;
    module.onPageSignedChanged();
    EXPECT_EQ(module.m_values[0], 15);
    EXPECT_EQ(module.m_values[1], 0);
    module.m_values[0] = 20;
    module.m_values[1] = -9;
    module.m_signed = 1;
    module.onPageSignedChanged();
    EXPECT_EQ(module.valueRange(), (IntRange{-8, 7}));
    EXPECT_EQ(module.m_values[0], 7);
    EXPECT_EQ(module.m_values[1], -8);
    EXPECT_EQ(module.m_valueTexts[1], "-8");
    const DynamicPageState state = module.pageState(1);
    EXPECT_TRUE(state.subTypeShown);
    EXPECT_TRUE(state.valuesSigned);
    EXPECT_EQ(state.values, (IntRange{-8, 7}));
    EXPECT_EQ(state.subTypeNames.front(), "Itime");
    EXPECT_EQ(module.m_typeValue, 50);  // the parameter's values followed
}

TEST(DynamicPage, PanelTypesFixTheStation) {
    Project project(2);
    CDynamic dyn(project.context, 0, 0, "t");
    dyn.m_station = 9;
    dyn.m_regType = 6;  // "TM": code 81
    dyn.onPageTypeChanged(1);
    EXPECT_EQ(dyn.m_station, 1);
    EXPECT_EQ(dyn.pageState(1).station, (IntRange{1, 1}));
    dyn.m_regType = 0;
    dyn.m_station = 9;
    dyn.onPageTypeChanged(1);
    EXPECT_EQ(dyn.m_station, 9);
    EXPECT_EQ(dyn.pageState(1).station, (IntRange{1, 126}));
}

TEST(DynamicCopy, CopiesEntriesButNoDownloadDataAndStaysIndependent) {
    Project project(2);
    CDynamic original(project.context);
    testing::setEveryField(original);
    DownloadContext download;
    original.ComputeRecordSize();
    ASSERT_TRUE(original.BuildDownloadRecord(download).ok());
    ASSERT_TRUE(original.CollectGlyphs(download).ok());

    CDynamic copy(original);
    EXPECT_TRUE(copy.m_record.empty());
    EXPECT_TRUE(copy.m_textBlock.empty());
    EXPECT_TRUE(copy.m_dlTexts.empty());
    EXPECT_EQ(copy.m_textWidth, 6);
    EXPECT_EQ(copy.m_signed, 1) << "not stored, but copied";
    EXPECT_EQ(copy.m_rect, original.m_rect);
    EXPECT_EQ(store(copy), store(original));

    copy.m_texts[0] = "changed";
    copy.m_values[5] = 99;
    copy.m_valueTexts[5] = "99";
    EXPECT_EQ(original.m_texts[0], "Copied");
    EXPECT_EQ(original.m_values[5], -3);
    EXPECT_EQ(original.m_valueTexts[5], "-3");
}

TEST(DynamicCopy, FactoryCreatesCopiesAndReadsTaggedObjects) {
    Project project(2);
    std::unique_ptr<CBase> created = createComponent(kKindDynamic, project.context, 45, 36);
    auto* dyn = dynamic_cast<CDynamic*>(created.get());
    ASSERT_NE(dyn, nullptr);
    EXPECT_EQ(dyn->m_texts[0], "Dynamic Text");
    EXPECT_EQ(dyn->m_x, 20);
    std::unique_ptr<CBase> copy = copyComponent(*dyn);
    ASSERT_NE(dynamic_cast<CDynamic*>(copy.get()), nullptr);

    Archive out;
    out.writeObject(dyn);
    ClassRegistry registry;
    registerModelClasses(registry, project.context);
    Archive in(out.data(), &registry);
    std::unique_ptr<Persistent> read = in.readObject();
    ASSERT_TRUE(in.ok()) << in.errorMessage();
    auto* loaded = dynamic_cast<CDynamic*>(read.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(store(*loaded), store(*dyn));
}

}  // namespace
}  // namespace vanta
