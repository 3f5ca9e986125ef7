// Register component: defaults, size and sample text, the stored record of each file version,
// the download record with its limit corrections and flags, and the property page's rules.

#include <gtest/gtest.h>

#include "model_test_support.h"

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/CRegister.h"
#include "model/PixelCanvas.h"
#include "model/RegisterPageRules.h"

namespace vanta {
namespace {

// A project of one protocol: its vocabulary and the context components see.
using Project = vanta::testing::ProtocolModel;

using vanta::testing::append;
using vanta::testing::store;
Bytes build(CRegister& reg, DownloadContext& download) {
    reg.ComputeRecordSize();
    EXPECT_TRUE(reg.BuildDownloadRecord(download).ok());
    return reg.m_record;
}

// Word-list index of a type name.
uint8_t typeIndex(const Project& project, const std::string& name) {
    const auto& names = project.vocab.wordTypes;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return static_cast<uint8_t>(i);
    }
    ADD_FAILURE() << name << " is not a word type of protocol " << int(project.context.protocol);
    return 0;
}

TEST(RegisterDefaults, LimitsFollowTheFirstWordTypeAndAddressTheProtocol) {
    struct Case {
        uint8_t protocol;
        int32_t limit;
        uint16_t address;
        uint8_t station;
    };
    const Case cases[] = {
        {2, 65535, 0, 2},     // "VW": one word
        {1, 255, 0, 1},       // "B": one byte
        {17, -1, 0, 0},       // "R" of protocol 17: 4 bytes, all 32 bits set
        {31, 65535, 1, 1},    // modules: 2 bytes
        {7, 65535, 1024, 1},  // addresses from 1024
        {5, 65535, 0, 0},     // the register replaces the base's 16
        {3, 65535, 1, 1},    {20, 65535, 1, 1},
    };
    for (const Case& c : cases) {
        Project project(c.protocol);
        CRegister reg(project.context, 23, 7);
        EXPECT_EQ(reg.m_inputHigh, c.limit) << int(c.protocol);
        EXPECT_EQ(reg.m_engHigh, c.limit) << int(c.protocol);
        EXPECT_EQ(reg.m_inputLow, 0);
        EXPECT_EQ(reg.m_engLow, 0);
        EXPECT_EQ(reg.m_address, c.address) << int(c.protocol);
        EXPECT_EQ(reg.m_station, c.station) << int(c.protocol);
        EXPECT_EQ(reg.m_kind, kKindRegister);
        EXPECT_EQ(reg.m_digits, 5);
        EXPECT_EQ(reg.m_decimals, 0);
        EXPECT_EQ(reg.m_displayMode, 1);
        EXPECT_EQ(reg.m_x, 10);
        EXPECT_EQ(reg.m_y, 3);
    }
}

TEST(RegisterShape, SampleTextWidthAndDownloadWidth) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    struct Case {
        uint8_t digits, decimals, isSigned;
        const char* sample;
        int32_t cells;
        int32_t byte9;
    };
    const Case cases[] = {
        {5, 0, 0, "12345", 5, 5},          {5, 2, 0, "123.45", 6, 6},
        {3, 3, 1, "-0.123", 6, 6},         {10, 0, 0, "1234567890", 10, 10},
        {10, 1, 0, "123456789.0", 11, 11}, {10, 10, 0, "0.1234567890", 12, 12},
    };
    for (const Case& c : cases) {
        reg.m_digits = c.digits;
        reg.m_decimals = c.decimals;
        reg.m_signed = c.isSigned;
        reg.SetPosition(9, 18);
        EXPECT_EQ(reg.SampleText(), c.sample);
        EXPECT_EQ(reg.m_rect, (Rect{9, 18, 9 + c.cells * 18, 54})) << c.sample;
        EXPECT_EQ(reg.downloadWidth(), c.byte9) << c.sample;
    }
    reg.m_doubleSize = 1;
    reg.m_digits = 5;
    reg.m_decimals = 2;
    reg.m_signed = 0;
    reg.SetPosition(0, 0);
    EXPECT_EQ(reg.m_rect, (Rect{0, 0, 6 * 36, 72}));
    EXPECT_TRUE(project.warnings.empty());
}

TEST(RegisterShape, DecimalsAboveDigitsWarnAndCountNoPoint) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_digits = 2;
    reg.m_decimals = 3;
    reg.SetPosition(0, 0);
    ASSERT_EQ(project.warnings.size(), 1u);
    EXPECT_EQ(project.warnings[0], "Register error!");
    EXPECT_EQ(reg.m_rect.width(), 2 * 18);
    EXPECT_EQ(reg.SampleText(), "0.12");
    EXPECT_EQ(reg.downloadWidth(), 4);  // digits + point + the leading "0"
}

TEST(RegisterDraw, SampleInArialOnTheDisplayColours) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_decimals = 2;
    reg.SetPosition(18, 36);
    PixelCanvas canvas;
    reg.Draw(canvas);
    reg.m_inverse = 1;
    reg.m_doubleSize = 1;
    reg.Refit();
    reg.Draw(canvas);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "123.45");
    EXPECT_EQ(texts[0].rect, (Rect{18, 36, 18 + 6 * 18, 72}));
    EXPECT_EQ(texts[0].font.family, "Arial");
    EXPECT_EQ(texts[0].font.pointTenths, 250);
    EXPECT_EQ(texts[0].color, kDisplayLight);
    EXPECT_EQ(texts[0].other, kDisplayDark);
    EXPECT_EQ(texts[0].flags, uint32_t{TextWordBreak});
    EXPECT_EQ(texts[1].font.pointTenths, 500);
    EXPECT_EQ(texts[1].color, kDisplayDark);
    EXPECT_EQ(texts[1].other, kDisplayLight);
    EXPECT_EQ(texts[1].rect, (Rect{18, 36, 18 + 12 * 18, 108}));
}

// A register with every field set to a distinct value.
void fillFields(CRegister& reg) {
    reg.m_x = 10;
    reg.m_y = 3;
    reg.m_doubleSize = 1;
    reg.m_station = 5;
    reg.m_regType = 1;
    reg.m_address = 0x1234;
    reg.m_regCount = 2;
    reg.m_digits = 5;
    reg.m_decimals = 2;
    reg.m_settable = 1;
    reg.m_limits = 1;
    reg.m_inputHigh = 1000;
    reg.m_inputLow = -5;
    reg.m_engHigh = 0x01020304;
    reg.m_engLow = 0;
    reg.m_password = 1;
    reg.m_displayMode = 1;
    reg.m_signed = 1;
    reg.m_dataKind = 1;
    reg.m_subAddress = 7;
    reg.m_subType = 3;
    reg.m_typeValue = 0x32;
    reg.m_blockWord = 0x0105;
}

Bytes recordWithoutLaterFields() {
    Bytes b;
    append(b, {0x02, 0x0A, 0, 0, 0, 0x03, 0, 0, 0});  // kind, x, y
    append(b, {0x01, 0x00, 0x05, 0x01, 0x34, 0x12, 0x02, 0x05, 0x02, 0x01, 0x01});
    append(b, {0xE8, 0x03, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0, 0, 0, 0});
    append(b, {0x01, 0x01, 0x01, 0x01, 0x07});  // password, mode, signed, data kind, sub-address
    return b;
}

TEST(RegisterRecord, WritesEveryFieldThenVersion11FieldsAndReservedBytes) {
    Project project(2);
    CRegister reg(project.context);
    fillFields(reg);
    Bytes expected = recordWithoutLaterFields();
    append(expected, {0x03, 0x32, 0x05, 0x01});
    expected.insert(expected.end(), 99, 0);
    EXPECT_EQ(store(reg), expected);

    for (uint8_t version : {11, 12}) {
        Archive in(expected);
        in.loadedVersion = version;
        CRegister loaded(project.context);
        loaded.Serialize(in);
        ASSERT_TRUE(in.ok()) << in.errorMessage();
        EXPECT_EQ(in.remaining(), 0u);
        EXPECT_EQ(store(loaded), expected) << int(version);
        EXPECT_EQ(loaded.m_rect, (Rect{23, 7, 23 + 7 * 36, 7 + 72}));  // signed 123.45, double
    }
}

TEST(RegisterRecord, Version10HasNoProtocol31FieldsAndIsSavedWithThem) {
    Project project(2);
    Bytes old = recordWithoutLaterFields();
    old.insert(old.end(), 99, 0);
    Archive in(old);
    in.loadedVersion = 10;
    CRegister loaded(project.context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok()) << in.errorMessage();
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_subType, 0);
    EXPECT_EQ(loaded.m_typeValue, 0);
    EXPECT_EQ(loaded.m_blockWord, 0);
    EXPECT_EQ(loaded.m_inputLow, -5);
    EXPECT_EQ(loaded.m_subAddress, 7);

    Bytes expected = recordWithoutLaterFields();
    append(expected, {0, 0, 0, 0});
    expected.insert(expected.end(), 99, 0);
    EXPECT_EQ(store(loaded), expected);
}

TEST(RegisterDownload, FullRecordWithBothLimitPairs) {
    Project project(2);  // "VW", "VD", ...: type 1 is "VD", code 4
    CRegister reg(project.context);
    fillFields(reg);
    DownloadContext download;
    const Bytes record = build(reg, download);
    const Bytes expected = {0x0A, 0x03, 0xFE, 0x05, 0x04, 0x12, 0x34, 0x08, 0x07,
                            0x07, 0x02, 0x00, 0x00, 0x03, 0xE8, 0xFF, 0xFF, 0xFF,
                            0xFB, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(record, expected);
    EXPECT_TRUE(download.optionUsed);
    EXPECT_FALSE(download.type81Used);
    EXPECT_FALSE(download.limitsCorrected);
}

TEST(RegisterDownload, LengthFollowsLimitsAndDataKind) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    DownloadContext download;
    reg.m_inputHigh = 0;  // limits that are not downloaded are not corrected
    reg.m_inputLow = 10;
    for (uint8_t dataKind : {0, 1}) {
        reg.m_dataKind = dataKind;
        EXPECT_EQ(build(reg, download).size(), 11u);
    }
    EXPECT_EQ(reg.m_inputHigh, 0);
    EXPECT_FALSE(download.limitsCorrected);
    reg.m_limits = 1;
    reg.m_dataKind = 0;
    EXPECT_EQ(build(reg, download).size(), 19u);
    reg.m_dataKind = 1;
    EXPECT_EQ(build(reg, download).size(), 27u);
}

TEST(RegisterDownload, PlainRegisterAndType81) {
    Project project(2);
    CRegister reg(project.context, 9, 18);  // panel (4, 8)
    reg.m_regType = typeIndex(project, "TM");
    reg.m_decimals = 2;
    reg.m_address = 300;
    DownloadContext download;
    const Bytes record = build(reg, download);
    const Bytes expected = {4, 8, 0x20, 2, 81, 0x01, 0x2C, 1, 0, 6, 2};
    EXPECT_EQ(record, expected);
    EXPECT_TRUE(download.type81Used);
    EXPECT_FALSE(download.optionUsed);
}

TEST(RegisterDownload, Protocol31SendsTypeValueAndBlockWord) {
    Project project(31);
    CRegister reg(project.context, 0, 0);
    reg.m_regType = 0;  // RC
    reg.m_subType = 0;  // Itime
    reg.m_address = 0x0203;
    reg.updateProtocol31Values();
    EXPECT_EQ(reg.m_typeValue, 50);
    EXPECT_EQ(reg.m_subAddress, 5);
    EXPECT_EQ(reg.m_blockWord, 0x0103);
    DownloadContext download;
    const Bytes record = build(reg, download);
    const Bytes expected = {0, 0, 0x20, 1, 50, 0x01, 0x03, 2, 5, 5, 0};
    EXPECT_EQ(record, expected);
}

TEST(RegisterDownload, RefusesAWidthThatDoesNotFitItsByte) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_digits = 255;  // only from a damaged file
    reg.m_signed = 1;
    reg.ComputeRecordSize();
    DownloadContext download;
    const Status status = reg.BuildDownloadRecord(download);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("Register at (0, 0)"), std::string::npos) << status.message();
    reg.m_digits = 253;
    EXPECT_TRUE(reg.BuildDownloadRecord(download).ok());
    EXPECT_EQ(reg.m_record[9], 254);
}

TEST(RegisterLimits, CorrectedInTheComponentAndFlagged) {
    struct Case {
        uint8_t isSigned;
        int32_t high, low;
        int32_t wantHigh, wantLow;
        bool corrected;
    };
    const Case cases[] = {
        {1, 5, 5, 6, 5, true},
        {1, -3, -1, -1, -2, true},  // lower + 1 would be 0
        {1, 10, -5, 10, -5, false},
        {1, -7, -4, -3, -4, true},
        {1, 2147483647, 2147483647, 2147483647, 2147483646, true},  // no overflow
        {0, 5, 5, 6, 5, true},
        {0, -1, 5, -1, 5, false},     // 4294967295 above 5
        {0, 5, -16, -15, -16, true},  // 4294967280 above 5: upper becomes 4294967281
        {0, 0, -1, -1, -2, true},     // lower at the top: the two highest values
        {0, -1, -1, -1, -2, true},
    };
    Project project(17);  // "R": 32-bit data
    for (const Case& c : cases) {
        CRegister reg(project.context, 0, 0);
        reg.m_signed = c.isSigned;
        reg.m_limits = 1;
        reg.m_inputHigh = c.high;
        reg.m_inputLow = c.low;
        reg.m_engHigh = 1;  // engineering limits are never corrected
        reg.m_engLow = 9;
        reg.m_dataKind = 1;
        DownloadContext download;
        build(reg, download);
        EXPECT_EQ(reg.m_inputHigh, c.wantHigh) << c.high << " " << c.low;
        EXPECT_EQ(reg.m_inputLow, c.wantLow) << c.high << " " << c.low;
        EXPECT_EQ(download.limitsCorrected, c.corrected) << c.high << " " << c.low;
        EXPECT_EQ(reg.m_engHigh, 1);
        EXPECT_EQ(reg.m_engLow, 9);
    }
}

TEST(RegisterCopy, CopiesFieldsButNoRecordAndStaysIndependent) {
    Project project(2);
    CRegister original(project.context);
    testing::setEveryField(original);
    DownloadContext download;
    build(original, download);

    CRegister copy(original);
    EXPECT_TRUE(copy.m_record.empty());
    EXPECT_EQ(copy.m_recordLen, 0);
    original.FreeDownloadRecord();
    EXPECT_EQ(store(copy), store(original));
    EXPECT_EQ(copy.m_rect, original.m_rect);

    copy.m_inputHigh = 7;
    copy.m_digits = 3;
    copy.m_address = 9;
    EXPECT_EQ(original.m_inputHigh, 1000);
    EXPECT_EQ(original.m_digits, 7);
    EXPECT_EQ(original.m_address, 0x0234);
}

// --- the property page ---

TEST(RegisterPage, HexModeClearsSignAndDecimals) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_signed = 1;
    reg.m_decimals = 2;
    reg.Refit();
    EXPECT_EQ(reg.m_rect.width(), 7 * 18);
    registerPageModeChanged(reg, 0);
    EXPECT_EQ(reg.m_displayMode, 0);
    EXPECT_EQ(reg.m_signed, 0);
    EXPECT_EQ(reg.m_decimals, 0);
    EXPECT_EQ(reg.m_rect.width(), 5 * 18);
    RegisterPageState state = registerPageState(reg, 1);
    EXPECT_FALSE(state.signedEnabled);
    EXPECT_FALSE(state.decimalsEnabled);
    registerPageModeChanged(reg, 1);
    state = registerPageState(reg, 1);
    EXPECT_TRUE(state.signedEnabled);
    EXPECT_TRUE(state.decimalsEnabled);
}

TEST(RegisterPage, DigitsAndDecimalsFollowEachOther) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_decimals = 4;
    reg.m_digits = 3;  // lowered below the decimals
    registerPageDigitsChanged(reg);
    EXPECT_EQ(reg.m_decimals, 3);
    EXPECT_EQ(reg.m_rect.width(), 5 * 18);  // "0.123"
    reg.m_decimals = 6;                     // raised above the digits
    registerPageDecimalsChanged(reg);
    EXPECT_EQ(reg.m_digits, 6);
    EXPECT_EQ(reg.m_rect.width(), 8 * 18);
    EXPECT_TRUE(project.warnings.empty());
}

TEST(RegisterPage, SettingPasswordAndLimitControls) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_settable = 1;
    reg.m_password = 1;
    EXPECT_TRUE(registerPageState(reg, 1).passwordEnabled);
    reg.m_settable = 0;
    registerPageSettableChanged(reg);
    EXPECT_EQ(reg.m_password, 0);
    EXPECT_FALSE(registerPageState(reg, 1).passwordEnabled);
    EXPECT_FALSE(registerPageState(reg, 1).limitControlsEnabled);
    reg.m_limits = 1;
    EXPECT_TRUE(registerPageState(reg, 1).limitControlsEnabled);
}

TEST(RegisterPage, PanelTypesFixCountAndStation) {
    Project project(2);  // stations 1..126
    CRegister reg(project.context, 0, 0);
    reg.m_station = 9;
    reg.m_regCount = 2;
    for (const char* name : {"RP", "RWI", "RDI", "TM"}) {
        reg.m_regType = typeIndex(project, name);
        registerPageTypeChanged(reg, 1);
        EXPECT_EQ(reg.m_regCount, 1) << name;
        EXPECT_EQ(reg.m_station, 1) << name;
        const RegisterPageState state = registerPageState(reg, 1);
        EXPECT_EQ(state.station, (IntRange{1, 1})) << name;
        EXPECT_EQ(state.count, (IntRange{1, 1})) << name;
        EXPECT_FALSE(state.countEditable) << name;
        reg.m_station = 9;
        reg.m_regCount = 2;
    }
    reg.m_regType = typeIndex(project, "LW");  // 146: not fixed
    registerPageTypeChanged(reg, 1);
    EXPECT_EQ(reg.m_station, 9);
    EXPECT_EQ(reg.m_regCount, 2);
    const RegisterPageState state = registerPageState(reg, 1);
    EXPECT_EQ(state.station, (IntRange{1, 126}));
    EXPECT_EQ(state.count, (IntRange{1, project.vocab.maxRegisterCount}));
    EXPECT_TRUE(state.countEditable);
}

TEST(RegisterPage, ProtocolRulesOfSettingAndCount) {
    {
        Project project(3);
        CRegister reg(project.context, 0, 0);
        reg.m_settable = 1;
        reg.m_password = 1;
        reg.m_regType = typeIndex(project, "3x");
        registerPageTypeChanged(reg, 1);
        EXPECT_EQ(reg.m_settable, 0);
        EXPECT_EQ(reg.m_password, 0);
        EXPECT_FALSE(registerPageState(reg, 1).settableEnabled);
        reg.m_regType = typeIndex(project, "4x");
        registerPageTypeChanged(reg, 1);
        EXPECT_TRUE(registerPageState(reg, 1).settableEnabled);
        EXPECT_EQ(registerPageState(reg, 1).address.min, 1);
    }
    {
        Project project(20);
        CRegister reg(project.context, 0, 0);
        const std::pair<const char*, int> counts[] = {
            {"C_double", 2}, {"Z", 1}, {"T", 1}, {"C", 1}};
        for (const auto& [name, count] : counts) {
            reg.m_regCount = 3;
            reg.m_regType = typeIndex(project, name);
            registerPageTypeChanged(reg, 1);
            EXPECT_EQ(reg.m_regCount, count) << name;
            EXPECT_FALSE(registerPageState(reg, 1).countEditable) << name;
        }
        for (const char* name : {"D", "SD"}) {
            reg.m_regCount = 2;
            reg.m_regType = typeIndex(project, name);
            registerPageTypeChanged(reg, 1);
            EXPECT_EQ(reg.m_regCount, 2) << name;
            EXPECT_TRUE(registerPageState(reg, 1).countEditable) << name;
        }
        EXPECT_EQ(registerPageState(reg, 1).address.min, 0);
    }
    {
        Project project(29);
        CRegister reg(project.context, 0, 0);
        reg.m_settable = 1;
        reg.m_regCount = 2;
        reg.m_regType = typeIndex(project, "AIW");
        registerPageTypeChanged(reg, 1);
        RegisterPageState state = registerPageState(reg, 1);
        EXPECT_FALSE(state.settableEnabled);
        EXPECT_EQ(reg.m_settable, 1);  // disabled, not cleared
        EXPECT_EQ(reg.m_regCount, 1);
        EXPECT_FALSE(state.countEditable);
        reg.m_regType = typeIndex(project, "AQW");
        reg.m_regCount = 2;
        registerPageTypeChanged(reg, 1);
        state = registerPageState(reg, 1);
        EXPECT_TRUE(state.settableEnabled);
        EXPECT_EQ(reg.m_regCount, 1);
        EXPECT_FALSE(state.countEditable);
        reg.m_regType = typeIndex(project, "VW");
        registerPageTypeChanged(reg, 1);
        EXPECT_TRUE(registerPageState(reg, 1).countEditable);
    }
}

TEST(RegisterPage, LimitRanges) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    EXPECT_EQ(registerLimitRange(reg), (ValueRange{0, 65535}));
    reg.m_signed = 1;
    EXPECT_EQ(registerLimitRange(reg), (ValueRange{-32768, 32767}));
    reg.m_regCount = 2;  // two words: 32 bits
    EXPECT_EQ(registerLimitRange(reg), (ValueRange{-2147483648.0, 2147483647}));
    EXPECT_TRUE(registerLimitsAsText(reg));
    reg.m_signed = 0;
    reg.m_regCount = 1;
    reg.m_regType = typeIndex(project, "VD");
    EXPECT_EQ(registerLimitRange(reg), (ValueRange{0, 4294967295.0}));
    reg.m_regType = typeIndex(project, "RP");  // 112 counts as 2 bytes
    EXPECT_EQ(registerLimitRange(reg), (ValueRange{0, 65535}));
    EXPECT_FALSE(registerLimitsAsText(reg));

    Project vigor(20);
    CRegister cDouble(vigor.context, 0, 0);
    cDouble.m_regType = typeIndex(vigor, "C_double");  // code 210
    EXPECT_EQ(registerLimitRange(cDouble), (ValueRange{200, 255}));
    cDouble.m_regCount = 1;
    cDouble.FillPropertyPage();
    EXPECT_EQ(cDouble.m_regCount, 2);
    cDouble.m_regType = typeIndex(vigor, "D");
    cDouble.m_regCount = 1;
    cDouble.FillPropertyPage();
    EXPECT_EQ(cDouble.m_regCount, 1);
}

TEST(RegisterPage, LimitTextsOf32BitData) {
    EXPECT_EQ(validateLimitText("4294967295", true), "2147483647");
    EXPECT_EQ(validateLimitText("-2147483648", true), "-2147483647");
    EXPECT_EQ(validateLimitText("-12", true), "-12");
    EXPECT_EQ(validateLimitText("-5", false), "10");
    EXPECT_EQ(validateLimitText("4000000000", false), "4000000000");
    EXPECT_EQ(validateLimitText("99999999999999999999999", true), "2147483647");
    EXPECT_TRUE(limitTextInRange("-2147483647", true));
    EXPECT_FALSE(limitTextInRange("-2147483648", true));
    EXPECT_TRUE(limitTextInRange("4294967295", false));
    EXPECT_FALSE(limitTextInRange("4294967296", false));
    EXPECT_FALSE(limitTextInRange("-1", false));
    EXPECT_FALSE(parseLimitText("-").has_value());
    EXPECT_FALSE(parseLimitText("12a").has_value());
    EXPECT_EQ(parseLimitText("+42"), 42);

    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_regType = typeIndex(project, "VD");
    reg.m_inputHigh = -1;  // shown unsigned as 4294967295
    reg.m_inputLow = 7;
    reg.m_engHigh = -2;
    reg.m_signed = 1;
    registerPageShapeChanged(reg, false);
    EXPECT_EQ(reg.m_inputHigh, 2147483647);
    EXPECT_EQ(reg.m_inputLow, 7);
    EXPECT_EQ(reg.m_engHigh, 2147483647);

    reg.m_inputLow = -5;
    reg.m_engLow = std::numeric_limits<int32_t>::min();
    reg.m_signed = 0;
    registerPageShapeChanged(reg, true);
    EXPECT_EQ(reg.m_inputLow, 10);
    EXPECT_EQ(reg.m_engLow, 10);
    EXPECT_EQ(reg.m_inputHigh, 2147483647);

    // One word: the texts are left alone.
    CRegister word(project.context, 0, 0);
    word.m_inputLow = -5;
    registerPageShapeChanged(word, true);
    EXPECT_EQ(word.m_inputLow, -5);
}

TEST(RegisterPage, TypedLimitsOf32BitData) {
    Project project(2);
    CRegister reg(project.context, 0, 0);
    reg.m_regType = typeIndex(project, "VD");
    reg.m_inputLow = 3;
    reg.m_engHigh = 40;
    EXPECT_EQ(registerPageLimitTyped(reg, RegisterLimit::InputHigh, "4294967295"), "4294967295");
    EXPECT_EQ(reg.m_inputHigh, -1);
    EXPECT_EQ(registerPageLimitTyped(reg, RegisterLimit::InputHigh, "4294967296"), "100");
    EXPECT_EQ(reg.m_inputHigh, 100);
    EXPECT_EQ(registerPageLimitTyped(reg, RegisterLimit::InputLow, "4294967296"), "3");
    EXPECT_EQ(reg.m_inputLow, 3);
    EXPECT_EQ(registerPageLimitTyped(reg, RegisterLimit::EngHigh, "-1"), "40");
    EXPECT_EQ(reg.m_engHigh, 40);
    EXPECT_EQ(registerPageLimitTyped(reg, RegisterLimit::EngLow, "-"), "-");
    EXPECT_EQ(reg.m_engLow, 0);
    reg.m_signed = 1;
    EXPECT_EQ(registerPageLimitTyped(reg, RegisterLimit::InputLow, "-2147483647"), "-2147483647");
    EXPECT_EQ(reg.m_inputLow, -2147483647);
    EXPECT_EQ(registerPageLimitTyped(reg, RegisterLimit::InputHigh, "2147483648"), "100");

    // 16-bit data: the spin's range applies, the value is stored as typed.
    CRegister word(project.context, 0, 0);
    EXPECT_EQ(registerPageLimitTyped(word, RegisterLimit::InputHigh, "70000"), "70000");
    EXPECT_EQ(word.m_inputHigh, 70000);
}

TEST(RegisterPage, Protocol31ModulesAndParameters) {
    Project project(31);
    CRegister reg(project.context, 0, 0);
    reg.m_address = 0x0203;
    reg.m_regType = 0;  // RC
    registerPageTypeChanged(reg, 1);
    EXPECT_EQ(reg.m_typeValue, 50);
    EXPECT_EQ(reg.m_subAddress, 5);
    EXPECT_EQ(reg.m_blockWord, 0x0103);
    RegisterPageState state = registerPageState(reg, 1);
    EXPECT_TRUE(state.subTypeShown);
    EXPECT_FALSE(state.countShown);
    ASSERT_FALSE(state.subTypeNames.empty());
    EXPECT_EQ(state.subTypeNames[0], "Itime");
    EXPECT_TRUE(state.limitsAsText);
    EXPECT_EQ(state.address, (IntRange{1, 255}));

    reg.m_subType = 1;  // Dfactor: 4 bytes
    registerPageSubTypeChanged(reg);
    EXPECT_EQ(reg.m_typeValue, 100);
    EXPECT_EQ(reg.m_subAddress, 6);
    EXPECT_EQ(registerLimitRange(reg), (ValueRange{0, 4294967295.0}));

    reg.m_address = 0x0255;  // the block word follows the address
    registerPageAddressChanged(reg);
    EXPECT_EQ(reg.m_blockWord, 0x0155);

    reg.m_subType = 20;  // beyond DK's three parameters
    reg.m_regType = typeIndex(project, "DK");
    registerPageTypeChanged(reg, 1);
    EXPECT_EQ(reg.m_subType, 0);  // PLCAddr
    EXPECT_EQ(reg.m_subAddress, 101);
    EXPECT_EQ(reg.m_typeValue, 50);
    EXPECT_EQ(reg.m_blockWord, 0x0B55);
}

}  // namespace
}  // namespace vanta
