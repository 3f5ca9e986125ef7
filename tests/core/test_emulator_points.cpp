// How the emulator formats and takes numbers, names the register types of an image, finds the
// alarm list's coils behind the alarm header of every protocol family, reads key scripts and maps
// points to Modbus addresses.
#include <gtest/gtest.h>

#include <string>

#include "emulator/ModbusMapping.h"
#include "emulator/ModbusSource.h"
#include "emulator/PanelKeys.h"
#include "emulator/RegisterFile.h"
#include "emulator_test_support.h"

using namespace vanta;
using namespace vanta::imagetest;
using namespace vanta::emulatortest;

namespace {

NumberFormat format(uint8_t digits, uint8_t decimals, bool isSigned, bool decimal = true,
                    uint8_t bytes = 2) {
    NumberFormat f;
    f.cells = static_cast<uint8_t>(digits + isSigned + (decimals > 0) + (decimals >= digits));
    f.decimals = decimals;
    f.isSigned = isSigned;
    f.decimal = decimal;
    f.digits = digitsFromCells(f.cells, isSigned, decimals);
    f.bytes = bytes;
    return f;
}

Entry typed(const std::string& digits, bool negative = false) {
    return Entry{digits, negative};
}

}  // namespace

TEST(EmulatorNumbers, FormatsDigitsDecimalsSignAndHex) {
    EXPECT_EQ(formatRegister(format(5, 2, false), 12345), "123.45");
    EXPECT_EQ(formatRegister(format(5, 2, false), 5), "  0.05");
    EXPECT_EQ(formatRegister(format(3, 3, true), 0xFF85), "-0.123");  // -123
    EXPECT_EQ(formatRegister(format(4, 0, false), 65535), "****");    // does not fit
    EXPECT_EQ(formatRegister(format(4, 0, false, false), 0x12), "0012");
    EXPECT_EQ(formatRegister(format(4, 2, false, false), 0x1234), "12.34");
    EXPECT_EQ(formatRegister(format(8, 0, true, true, 4), 0xFFFFFFFE), "       -2");
    EXPECT_EQ(formatRegister(format(10, 0, false, true, 4), 0xFFFFFFFF), "4294967295");
}

TEST(EmulatorNumbers, ScalesRawValuesToEngineeringUnits) {
    NumberFormat f = format(4, 1, true);
    f.hasLimits = true;
    f.scaled = true;
    f.inputLow = 0;
    f.inputHigh = 1000;
    f.engLow = -500;
    f.engHigh = 500;
    EXPECT_EQ(shownValue(f, 0), -500);
    EXPECT_EQ(shownValue(f, 500), 0);
    EXPECT_EQ(shownValue(f, 999), 499);  // rounded to the nearest
    EXPECT_EQ(formatRegister(f, 250), " -25.0");
    EXPECT_EQ(rawFromEntry(f, typed("250")), 750u);
    EXPECT_EQ(rawFromEntry(f, typed("250", true)), 250u);
    EXPECT_EQ(rawFromEntry(f, typed("501")), std::nullopt);
    // Equal ends scale nothing.
    f.engHigh = f.engLow;
    EXPECT_EQ(shownValue(f, 250), 250);
}

TEST(EmulatorNumbers, TypedValuesKeepToLimitsAndWidth) {
    NumberFormat f = format(5, 0, false);
    EXPECT_EQ(rawFromEntry(f, typed("65535")), 65535u);
    EXPECT_EQ(rawFromEntry(f, typed("65536")), std::nullopt);  // wider than the register
    EXPECT_EQ(rawFromEntry(f, typed("")), std::nullopt);
    f.hasLimits = true;
    f.inputLow = 10;
    f.inputHigh = 3000;
    EXPECT_EQ(rawFromEntry(f, typed("10")), 10u);
    EXPECT_EQ(rawFromEntry(f, typed("3000")), 3000u);
    EXPECT_EQ(rawFromEntry(f, typed("9")), std::nullopt);
    EXPECT_EQ(rawFromEntry(f, typed("3001")), std::nullopt);

    // Unsigned limits compare as unsigned 32-bit values.
    NumberFormat wide = format(10, 0, false, true, 4);
    wide.hasLimits = true;
    wide.inputLow = 0;
    wide.inputHigh = -1;  // 4294967295
    EXPECT_EQ(rawFromEntry(wide, typed("4000000000")), 4000000000u);

    NumberFormat signedLimits = format(4, 0, true);
    signedLimits.hasLimits = true;
    signedLimits.inputLow = -100;
    signedLimits.inputHigh = 100;
    EXPECT_EQ(rawFromEntry(signedLimits, typed("101", true)), std::nullopt);
    EXPECT_EQ(rawFromEntry(signedLimits, typed("99", true)), 0xFF9Du);

    // HEX/BCD: the digits are nibbles.
    EXPECT_EQ(rawFromEntry(format(4, 0, false, false), typed("1234")), 0x1234u);
    EXPECT_EQ(formatEntry(format(4, 2, false), typed("0005")), " 0.05");
    EXPECT_EQ(formatEntry(format(4, 0, true), typed("12", true)), "  -12");
}

TEST(EmulatorKeysNames, KeyScriptsNameTheKeypadsKeys) {
    auto keys = parsePanelKeys("SET 1 2, ent esc LEFT right Down up ALM 0 9 clr");
    ASSERT_TRUE(keys.ok());
    EXPECT_EQ(keys->size(), 13u);
    EXPECT_EQ(keys->front(), PanelKey::Set);
    EXPECT_EQ((*keys)[3], PanelKey::Ent);
    EXPECT_EQ(keys->back(), PanelKey::Clr);
    EXPECT_EQ(panelKeyCode(PanelKey::Digit4), 18);
    EXPECT_EQ(panelKeyCode(PanelKey::Alm), 1);
    auto bad = parsePanelKeys("SET F1");
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.message().find("\"F1\""), std::string::npos);
}

// An alarm list and, for coils 0 and 2 of it, lamps on the same type: the panel must read the same
// bits for both, whatever packing the protocol gives the alarm header.
struct AlarmCase {
    uint8_t protocol;
    const char* type;  // the start coil's type (in bit list B for the lamps)
    uint16_t address;
    uint8_t sub;
    uint16_t thirdAddress;  // where the third coil lies
    uint8_t thirdSub;
};

class EmulatorAlarmCoils : public ::testing::TestWithParam<AlarmCase> {};

TEST_P(EmulatorAlarmCoils, AlarmCoilsAreTheBitsLampsRead) {
    const AlarmCase c = GetParam();
    Project project(nullptr, c.protocol);
    project.resetToNew(c.protocol);
    const Vocabulary& v = project.vocabulary();
    auto indexIn = [](const std::vector<std::string>& list, const std::string& name) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == name)
                return static_cast<uint8_t>(i);
        ADD_FAILURE() << name;
        return uint8_t{0};
    };
    const bool listC = c.protocol >= 28 && c.protocol <= 36 && c.protocol != 31 &&
                       c.protocol != 32 && c.protocol != 33 && c.protocol != 34;
    project.alarms.m_regType = indexIn(listC ? v.bitTypesC : v.bitTypesB, c.type);
    project.alarms.m_startAddress = c.address;
    project.alarms.m_subAddress = c.sub;
    project.alarms.m_texts = {"A", "B", "C"};
    CMainView& s = *project.screens.current();
    auto& first = place<CLight>(s, kKindLight, 0, 0);
    first.m_regType = indexIn(v.bitTypesB, c.type);
    first.m_address = c.address;
    first.m_subAddress = c.sub;
    auto& third = place<CLight>(s, kKindLight, 24, 0);
    third.m_regType = first.m_regType;
    third.m_address = c.thirdAddress;
    third.m_subAddress = c.thirdSub;

    auto program = PanelProgram::load(compiled(project));
    ASSERT_TRUE(program.ok());
    const auto& coils = program->alarmCoils();
    ASSERT_EQ(coils.size(), 3u);
    const auto& lamps = program->screens().front().components;  // head first: third, first
    EXPECT_EQ(program->pointName(coils[0].bit.point), program->pointName(lamps[1].bit.point));
    EXPECT_EQ(coils[0].bit.point, lamps[1].bit.point);
    EXPECT_EQ(coils[2].bit.point, lamps[0].bit.point);
    EXPECT_EQ(program->areas()[coils[0].bit.point.area].name, c.type);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPacking, EmulatorAlarmCoils,
    ::testing::Values(AlarmCase{3, "0x", 40, 0, 42, 0},   // 32-coil blocks, bit in byte 8
                      AlarmCase{4, "M", 100, 0, 102, 0},  // 8-coil blocks, bit in byte 9
                      AlarmCase{10, "M", 63, 0, 65, 0},   // 32-coil blocks, bit in byte 9
                      AlarmCase{7, "M", 30, 0, 32, 0},    // 16-coil blocks
                      AlarmCase{19, "0x", 33, 0, 35, 0},  // counted from 1
                      AlarmCase{20, "M", 17, 0, 19, 0},   // type code + 2
                      AlarmCase{26, "M", 5, 0, 7, 0},     // fixed type codes
                      AlarmCase{28, "S", 9, 0, 11, 0},    // start-coil type codes
                      AlarmCase{29, "M", 3, 6, 4, 0},     // byte-wide bits across the word
                      AlarmCase{2, "M", 10, 7, 11, 1},    // bit numbers within a byte
                      AlarmCase{12, "M", 5, 15, 6, 1},    // address x 16 + bit
                      AlarmCase{8, "M", 1000, 0, 1002, 0}),
    [](const ::testing::TestParamInfo<AlarmCase>& info) {
        return "Protocol" + std::to_string(info.param.protocol);
    });

TEST(EmulatorProgram, NamesRegisterTypesByTheProtocolsVocabulary) {
    Project project(nullptr, 2);
    project.resetToNew(2);
    CMainView& s = *project.screens.current();
    auto& word = place<CRegister>(s, kKindRegister, 0, 0);
    word.m_address = 100;
    auto& dword = place<CRegister>(s, kKindRegister, 0, 16);
    dword.m_regType = 1;  // "VD"
    dword.m_address = 200;
    auto& bit = place<CLight>(s, kKindLight, 64, 0);
    bit.m_address = 10;
    bit.m_subAddress = 3;
    auto program = PanelProgram::load(compiled(project));
    ASSERT_TRUE(program.ok());
    std::vector<std::string> names;
    for (const PointKey& key : program->knownPoints())
        names.push_back(program->pointName(key));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"M10.3", "VD200", "VW100"}));
    const auto vd = program->pointOf(2, "VD", 200, std::nullopt);
    ASSERT_TRUE(vd);
    EXPECT_EQ(program->areas()[vd->area].width, 4);
    EXPECT_EQ(program->pointName(PointKey{5, vd->area, 4, 0}), "5:VD4");
}

TEST(EmulatorProgram, ImagesWithoutScreensAreRefused) {
    EXPECT_FALSE(PanelProgram::load({}).ok());
    EXPECT_FALSE(PanelProgram::load(std::vector<uint8_t>(48, 0xFF)).ok());
}

TEST(EmulatorModbus, PointsMapToTheTablesTheirTypesName) {
    Project modbus(nullptr, 3);
    modbus.resetToNew(3);
    CMainView& s = *modbus.screens.current();
    auto& holding = place<CRegister>(s, kKindRegister, 0, 0);
    holding.m_address = 10;  // "4x", counted from 1
    auto& input = place<CRegister>(s, kKindRegister, 0, 16);
    input.m_regType = 1;  // "3x"
    input.m_address = 5;
    auto& coil = place<CLight>(s, kKindLight, 64, 0);
    coil.m_address = 7;
    auto& discrete = place<CLight>(s, kKindLight, 88, 0);
    discrete.m_regType = 1;  // "1x"
    discrete.m_address = 1;
    auto program = PanelProgram::load(compiled(modbus));
    ASSERT_TRUE(program.ok());
    auto place = [&](const std::string& type, uint32_t address) {
        auto key = program->pointOf(1, type, address, std::nullopt);
        EXPECT_TRUE(key);
        auto a = modbusAddressOf(*program, *key);
        return a ? describeModbusAddress(*a) : std::string("none");
    };
    EXPECT_EQ(place("4x", 10), "holding register 9");
    EXPECT_EQ(place("3x", 5), "input register 4");
    EXPECT_EQ(place("0x", 7), "coil 6");
    EXPECT_EQ(place("1x", 1), "discrete input 0");
    EXPECT_EQ(place("4x", 0), "none");  // there is no 4x0
}

TEST(EmulatorModbus, OtherProtocolsGetABlockPerType) {
    Project project(nullptr, 2);
    project.resetToNew(2);
    CMainView& s = *project.screens.current();
    place<CRegister>(s, kKindRegister, 0, 0).m_address = 100;  // "VW"
    auto& vd = place<CRegister>(s, kKindRegister, 0, 16);
    vd.m_regType = 1;  // "VD"
    vd.m_address = 4;
    auto& lamp = place<CLight>(s, kKindLight, 64, 0);
    lamp.m_address = 10;
    lamp.m_subAddress = 3;
    auto& rp = place<CRegister>(s, kKindRegister, 0, 32);
    rp.m_regType = 2;  // "RP": the panel's own
    auto program = PanelProgram::load(compiled(project));
    ASSERT_TRUE(program.ok());
    auto mapped = [&](const std::string& type, uint32_t address, std::optional<uint8_t> bit) {
        auto key = program->pointOf(2, type, address, bit);
        EXPECT_TRUE(key) << type;
        auto a = key ? modbusAddressOf(*program, *key) : std::nullopt;
        return a ? describeModbusAddress(*a) : std::string("none");
    };
    EXPECT_EQ(mapped("VW", 100, {}), "holding register 100");
    EXPECT_EQ(mapped("VD", 4, {}), "holding register 10004+10005");
    EXPECT_EQ(mapped("M", 10, 3), "coil 83");  // 8 bits an address
    EXPECT_EQ(mapped("RP", 0, {}), "none");
}

TEST(EmulatorModbus, SettingsFromTheCommandLine) {
    auto tcp = parseModbusTcp("plc.local:1502");
    ASSERT_TRUE(tcp.ok());
    EXPECT_EQ(tcp->host, "plc.local");
    EXPECT_EQ(tcp->port, 1502);
    EXPECT_FALSE(parseModbusTcp("plc.local").ok());
    EXPECT_FALSE(parseModbusTcp("plc:70000").ok());
    auto rtu = parseModbusRtu("/dev/ttyUSB0,9600,even,7,2");
    ASSERT_TRUE(rtu.ok());
    EXPECT_EQ(describeModbusSettings(*rtu), "Modbus RTU /dev/ttyUSB0 9600 7E2");
    EXPECT_FALSE(parseModbusRtu("/dev/ttyUSB0,9600,X,8,1").ok());
    EXPECT_FALSE(parseModbusRtu("/dev/ttyUSB0,9600,N,8").ok());
}

TEST(EmulatorRegisterFile, ReadsAndWritesValuesByTheirNames) {
    Project project(nullptr, 2);
    project.resetToNew(2);
    CMainView& s = *project.screens.current();
    place<CRegister>(s, kKindRegister, 0, 0).m_address = 100;  // VW100
    auto& bit = place<CLight>(s, kKindLight, 64, 0);
    bit.m_address = 10;
    bit.m_subAddress = 3;
    auto program = PanelProgram::load(compiled(project));
    ASSERT_TRUE(program.ok());

    auto writes = readRegisterFile(R"({"registers": [
        {"type": "VW", "address": 100, "value": -2},
        {"station": 7, "type": "M", "address": 10, "bit": 3, "value": 1}]})",
                                   *program);
    ASSERT_TRUE(writes.ok()) << writes.message();
    ASSERT_EQ(writes->size(), 2u);
    EXPECT_EQ(program->pointName((*writes)[0].key), "VW100");  // the PLC station 2
    EXPECT_EQ((*writes)[0].value, 0xFFFFFFFEu);
    EXPECT_EQ(program->pointName((*writes)[1].key), "7:M10.3");

    const std::string written =
        writeRegisterFile(*program, {{(*writes)[0].key, 0xFFFE}, {(*writes)[1].key, 1}});
    EXPECT_EQ(written,
              "{\n  \"registers\": [\n"
              "    {\"station\": 2, \"type\": \"VW\", \"address\": 100, \"value\": 65534},\n"
              "    {\"station\": 7, \"type\": \"M\", \"address\": 10, \"bit\": 3, \"value\": 1}\n"
              "  ]\n}\n");
    auto again = readRegisterFile(written, *program);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ((*again)[1].key, (*writes)[1].key);

    for (const char* bad : {R"([])", R"({"registers": [{"type": "D", "address": 1, "value": 1}]})",
                            R"({"registers": [{"type": "VW", "value": 1}]})",
                            R"({"registers": [{"type": "VW", "address": 1, "value": 1.5}]})",
                            R"({"registers": [{"type": "VW", "address": 1, "value": 1})"}) {
        auto refused = readRegisterFile(bad, *program);
        EXPECT_FALSE(refused.ok()) << bad;
        EXPECT_NE(refused.message().find("line"), std::string::npos) << refused.message();
    }
}
