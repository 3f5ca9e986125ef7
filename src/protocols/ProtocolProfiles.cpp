// The profile of every protocol, one row each, and the general type-code tables. Fields a row
// does not name keep the defaults of ProtocolProfile.h; docs/protocol-profiles.md explains them.

#include <algorithm>
#include <utility>

#include "protocols/ParameterCodes.h"
#include "protocols/ProtocolProfile.h"

namespace vanta {

namespace {

// --- the general name tables (a protocol's own codes in its row come first) ---

struct GeneralCode {
    std::string_view name;
    uint8_t word;
    uint8_t bit;
};

// Register type codes; a name not listed has code 0.
constexpr GeneralCode kTypeCodes[] = {
    {"R", 2, 2},       {"1x", 128, 128},       {"3x", 130, 130},  {"4x", 2, 2},
    {"5x", 66, 66},    {"6x", 34, 34},         {"B", 1, 1},       {"VB", 1, 1},
    {"W", 2, 2},       {"VW", 2, 2},           {"DM", 2, 2},      {"VD", 4, 4},
    {"D", 4, 4},       {"SD", 146, 146},       {"Z", 162, 162},   {"T", 178, 80},
    {"C", 194, 96},    {"C_double", 210, 210}, {"CTH", 50, 50},   {"CTC", 66, 66},
    {"X", 16, 16},     {"SM", 48, 48},         {"S", 64, 64},     {"TM_KEYENCE", 194, 194},
    {"DT", 2, 2},      {"H", 242, 128},        {"CIO", 178, 64},  {"A", 194, 80},
    {"WM", 194, 194},  {"WR", 162, 162},       {"V", 194, 194},   {"Q", 32, 32},
    {"I", 128, 128},   {"AIW", 162, 162},      {"AQW", 178, 178}, {"B3", 48, 48},
    {"B9", 144, 144},  {"B10", 160, 160},      {"B11", 176, 176}, {"B12", 192, 192},
    {"B13", 208, 208}, {"N7", 66, 66},         {"N9", 98, 98},    {"N10", 162, 162},
    {"N11", 178, 178}, {"N12", 194, 194},      {"N13", 210, 210}, {"N14", 226, 226},
    {"N15", 242, 242}, {"RP", 112, 112},       {"RWI", 114, 114}, {"RDI", 116, 116},
    {"LW", 146, 146},  {"TM", 81, 81},         {"AI", 162, 162},  {"AQ", 178, 178},
};

// Recipe codes that differ from the word-list codes; every other name is coded as a word type.
constexpr std::pair<std::string_view, uint8_t> kRecipeCodes[] = {
    {"M", 0},    {"R", 2},  {"C_double", 210}, {"X", 16},  {"S", 64},  {"N7", 114},
    {"N9", 146}, {"Y", 0},  {"Q", 0},          {"I", 0},   {"AIW", 0}, {"AQW", 0},
    {"AI", 0},   {"AQ", 0}, {"CTH", 0},        {"CTC", 0}, {"WR", 0},
};

// Start-coil codes; a name not listed has code 0.
constexpr std::pair<std::string_view, uint8_t> kStartCoilCodes[] = {{"X", 16}};

// --- pieces several rows share ---

const TypeLists kDefaultTypes{.words = {"D"}, .bitsA = {"M"}};
const TypeLists kModbusTypes{
    .words = {"4x", "3x"}, .bitsA = {"0x"}, .bitsB = {"0x", "1x"}, .bitsC = {"0x", "1x"}};
const TypeLists kModbusExtendedTypes{.words = {"3x", "4x", "5x", "6x"},
                                     .bitsA = {"0x", "4x"},
                                     .bitsB = {"0x", "1x", "3x", "4x"},
                                     .bitsC = {"0x"}};
const TypeLists kKeyenceTypes{.words = {"DM", "TM_KEYENCE"}, .bitsA = {"R"}};
const TypeLists kKdnTypes{
    .words = {"AIW", "AQW", "VW"}, .bitsA = {"M", "Q", "I"}, .bitsC = {"Q", "M"}};

// Protocols whose addresses start at 1: every kind's binding starts there.
const BindingDefaults kBindingsFromOne{.address = 1,
                                       .lampAddress = 1,
                                       .keyAddress = 1,
                                       .registerAddress = 1,
                                       .dynamicAddress = 1,
                                       .barAddress = 1};

// Coils with a bit of their own ("0x", "1x") beside registers with bit numbers ("3x", "4x").
const TypeNames kWholeCoilTypes = {"0x", "1x"};
const TypeNames kRegisterBitTypes = {"3x", "4x"};

const std::vector<TypeCodeOverride> kKeyenceCodes = {{"R", 16, 16}, {"DM", 178, 178}};
const std::vector<TypeCodeOverride> kWordD = {{"D", 2, 2}};
const std::vector<TypeCodeOverride> kKdnCodes = {{"W", 194, 194}, {"VW", 194, 194}, {"M", 16, 16}};

const std::vector<std::string> kBaudsTo19200 = {"1200", "2400", "4800", "9600", "19200"};

const AlarmCoilEncoding kAlarmOwnWidth{.width = kAlarmWidthOfType, .bitByte = AlarmByte::BitOffset};
const AlarmCoilEncoding kAlarmModbus{.highShift = 13,
                                     .lowShift = 5,
                                     .width = 4,
                                     .subAddressByte = AlarmByte::AddressBits,
                                     .subAddressMask = 31,
                                     .bitByte = AlarmByte::Zero};
const AlarmCoilEncoding kAlarmModbusExtended{.addressBias = 1,
                                             .highShift = 13,
                                             .lowShift = 5,
                                             .width = 4,
                                             .bitByte = AlarmByte::AddressBits,
                                             .bitMask = 31};
const AlarmCoilEncoding kAlarmWordBits31{
    .highShift = 13, .lowShift = 5, .width = 4, .bitByte = AlarmByte::AddressBits, .bitMask = 31};
const AlarmCoilEncoding kAlarmMitsubishi{
    .highShift = 11, .lowShift = 3, .width = 1, .bitByte = AlarmByte::AddressBits, .bitMask = 7};
const AlarmCoilEncoding kAlarmKeyence{.type = AlarmTypeCode::BitListA,
                                      .width = 0,
                                      .subAddressByte = AlarmByte::Zero,
                                      .bitByte = AlarmByte::Zero};
const AlarmCoilEncoding kAlarmKdn{.type = AlarmTypeCode::StartCoil,
                                  .highShift = 9,
                                  .lowShift = 1,
                                  .subAddressByte = AlarmByte::Zero,
                                  .bitByte = AlarmByte::SubAddressOddByte};

// Row 0 is the default row of numbers outside the table; row n is protocol n.
std::vector<ProtocolProfile> makeProfiles() {
    std::vector<ProtocolProfile> rows;
    rows.reserve(kProtocolCount + 1);
    rows.push_back({
        .number = 0,
        .types = kDefaultTypes,
        .alarmCoil = kAlarmOwnWidth,
    });
    rows.push_back({
        .number = 1,
        .english = "ECOSTEP",
        .chinese = "ECOSTEP",
        .types = {.words = {"B", "W", "D"}, .bitsA = {"B", "W", "D"}},
        .stations = {1, 15},
        .maxWord = 65535,
        .highestBit = 255,
        .bitIndexSelectable = true,
        .hexEntry = true,
        .hasCoils = false,
        .bitsInRegisters = true,
        .panel = {.controlTypeFixed = true, .controlBitsClearedOnChange = true},
        .serial = {.dataBits = 8, .parity = 0},
        .alarmCoil = kAlarmOwnWidth,
    });
    rows.push_back({
        .number = 2,
        .english = "Siemens (S7-200)",
        .chinese = "西门子S7-200 系列",
        .types = {.words = {"VW", "VD"}, .bitsA = {"M"}},
        .stations = {1, 126},
        .maxWord = 8192,
        .maxBit = 9999,
        .highestBit = 7,
        .bitIndexSelectable = true,
        .stride = 2,
        .bindings = {.station = 2},
        .alarmDefaults = {.station = 2, .newStation = 2},
        .panel = {.plcStation = 2, .controlTypeFixed = true, .controlTypeResetOnChange = true},
        .serial = {.bauds = {"9600", "19200"}, .dataBits = 8, .option = 1, .e5Timeout = 10000},
        .baudOffset = 3,
        .alarmCoil = {.width = 1},
        .alarmLabels = AlarmLabels::ByteBits,
    });
    rows.push_back({
        .number = 3,
        .english = "Modbus RTU",
        .chinese = "Modbus RTU",
        .types = kModbusTypes,
        .stations = {1, 247},
        .maxWord = 65535,
        .highestBit = 15,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .readOnlyTypes = {"3x"},
        .readOnlyClearsSettable = true,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200", .dataBits = 8, .e5Timeout = 500},
        .alarmCoil = kAlarmModbus,
        .alarmLabels = AlarmLabels::Slash,
    });
    rows.push_back({
        .number = 4,
        .english = "Mitsubishi (FX 2N)",
        .chinese = "三菱(FX 2N系列)",
        .types = kDefaultTypes,
        .typeCodes = kWordD,
        .alarmCoil = kAlarmMitsubishi,
    });
    rows.push_back({
        .number = 5,
        .english = "Omron (CPM/CQM)",
        .chinese = "欧姆龙(CPM/CQM系列)",
        .types = {.words = {"DM"}, .bitsA = {"IR"}},
        .stations = {0, 99},
        .highestBit = 15,
        .bitIndexSelectable = true,
        .bindings = {.station = 0, .address = 16},
        .alarmDefaults = {.station = 0, .newStation = 0, .newStartAddress = 16},
        .panel = {.plcStation = 0},
        .serial = {.bauds = kBaudsTo19200, .stopBits = 2},
        .alarmLabels = AlarmLabels::WordBits,
    });
    rows.push_back({
        .number = 6,
        .english = "Panasonic (FPM/FP1/FP0)",
        .chinese = "松下(FPM/FP1/FP0)",
        .types = {.words = {"DT"}, .bitsA = {"R"}},
        .stations = {0, 254},
        .highestBit = 15,
        .bitIndexSelectable = true,
        .typeCodes = {{"R", 0, 0}},
        .recipeCodes = {{"R", 0}},
        .serial = {.dataBits = 8, .parity = 1},
        .alarmLabels = AlarmLabels::WordBits,
    });
    rows.push_back({
        .number = 7,
        .english = "KOYO (S)",
        .chinese = "光洋S系列",
        .types = {.words = {"R"}, .bitsA = {"M"}},
        .bitIndexSelectable = true,
        .barAddressesFromOne = true,
        .octalAddresses = true,
        .bindings = {.registerAddress = 1024},
        .serial = {.bauds = kBaudsTo19200, .dataBits = 8, .parity = 1},
        .alarmCoil = {.highShift = 12,
                      .lowShift = 4,
                      .subAddressByte = AlarmByte::AddressBits,
                      .subAddressMask = 15,
                      .bitByte = AlarmByte::Zero},
        .alarmLabels = AlarmLabels::Octal,
    });
    rows.push_back({
        .number = 8,
        .english = "Schneider (M/N/T)",
        .chinese = "施耐德(Micro/Neza/Twido)",
        .types = {.words = {"MW"}, .bitsA = {"M"}},
        .stations = {1, 247},
        .typeCodes = {{"MW", 2, 2}},
        .serial = {.dataBits = 8},
        .alarmCoil = kAlarmModbus,
    });
    rows.push_back({
        .number = 9,
        .english = "AI (AI)",
        .chinese = "宇电 (AI)",
        .types = {.words = {"W"}, .bitsA = {"M"}},
        .stations = {1, 101},
        .serial = {.dataBits = 8, .parity = 0},
        .alarmCoil = kAlarmOwnWidth,
    });
    rows.push_back({
        .number = 10,
        .english = "FETAK (MU/MA)",
        .chinese = "永宏(MU/MA)",
        .types = {.words = {"R", "D"}, .bitsA = {"M"}},
        .stations = {1, 254},
        .typeCodes = {{"D", 18, 18}},
        .alarmCoil = kAlarmWordBits31,
    });
    rows.push_back({
        .number = 11,
        .english = "LG Master-K Cnet",
        .chinese = "LG Master-K Cnet",
        .types = kDefaultTypes,
        .stations = {0, 31},
        .highestBit = 15,
        .typeCodes = kWordD,
        .bitAddressTimesSixteen = true,
        .bindings = {.station = 0},
        .alarmDefaults = {.newStation = 0},
        .serial = {.dataBits = 8, .parity = 0},
        .alarmLabels = AlarmLabels::WordBitsJoined,
    });
    rows.push_back({
        .number = 12,
        .english = "LG Modbus(K80/K120)",
        .chinese = "LG Modbus(K80/K120)",
        .types = kDefaultTypes,
        .stations = {1, 31},
        .highestBit = 15,
        .typeCodes = kWordD,
        .bitAddressTimesSixteen = true,
        .serial = {.dataBits = 8},
        .alarmLabels = AlarmLabels::WordBitsJoined,
    });
    rows.push_back({
        .number = 13,
        .english = "DELTA (DVP)",
        .chinese = "台达 (DVP)",
        .types = kDefaultTypes,
        .stations = {0, 254},
        .typeCodes = kWordD,
        .alarmCoil = kAlarmModbus,
    });
    rows.push_back({
        .number = 14,
        .english = "Free",
        .chinese = "自由机型",
        .types = {.words = {"MW"}, .bitsA = {"MW"}},
        .ownStationOnly = true,
        .highestBit = 15,
        .bitIndexSelectable = true,
        .typeCodes = {{"MW", 2, 2}},
        .serial = {.baud = "19200", .dataBits = 8, .parity = 0, .panelStation = 1},
        .panelStationShown = true,
        .alarmLabels = AlarmLabels::WordBits,
    });
    rows.push_back({
        .number = 15,
        .english = "AB_DF1",
        .chinese = "AB_DF1",
        .types = {.words = {"N7", "N9", "N10", "N11", "N12", "N13", "N14", "N15"},
                  .bitsA = {"B3", "B9", "B10", "B11", "B12", "B13"}},
        .highestBit = 15,
        .bitIndexSelectable = true,
        .panel = {.plcStationFixed = true, .labelSeparator = ":"},
        .serial = {.baud = "19200", .dataBits = 8, .parity = 0, .option = -1},
        .alarmLabels = AlarmLabels::FileBits,
    });
    rows.push_back({
        .number = 16,
        .english = "Modbus ASCII",
        .chinese = "Modbus ASCII",
        .types = kModbusTypes,
        .stations = {1, 247},
        .maxWord = 65535,
        .highestBit = 15,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200"},
        .alarmCoil = kAlarmModbus,
        .alarmLabels = AlarmLabels::Slash,
    });
    rows.push_back({
        .number = 17,
        .english = "SAIA S-BUS",
        .chinese = "SAIA S-BUS",
        .types = {.words = {"R"}, .bitsA = {"F"}},
        .stations = {0, 253},
        .typeCodes = {{"R", 4, 4}},
        .recipeCodes = {{"R", 4}},
        .bindings = {.station = 0},
        .alarmDefaults = {.newStation = 0},
        .panel = {.plcStation = 0},
        .serial = {.dataBits = 8, .parity = 0},
        .alarmCoil = kAlarmWordBits31,
    });
    rows.push_back({
        .number = 18,
        .english = "LG Master-K CPU",
        .chinese = "LG Master-K CPU",
        .types = kDefaultTypes,
        .stations = {0, 0},
        .highestBit = 15,
        .typeCodes = kWordD,
        .bitAddressTimesSixteen = true,
        .bindings = {.station = 0},
        .alarmDefaults = {.newStation = 0},
        .serial = {.baud = "38400", .dataBits = 8, .parity = 0},
        .alarmCoil = {.bitByte = AlarmByte::BitOffset},
        .alarmLabels = AlarmLabels::WordBitsJoined,
    });
    rows.push_back({
        .number = 19,
        .english = "Modbus RTU Extend",
        .chinese = "Modbus RTU Extend",
        .types = kModbusExtendedTypes,
        .stations = {1, 247},
        .maxWord = 65535,
        .highestBit = 15,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .keyCoilsFromListA = true,
        .wholeCoilTypes = kWholeCoilTypes,
        .registerBitTypes = kRegisterBitTypes,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200", .dataBits = 8},
        .alarmCoil = kAlarmModbusExtended,
        .alarmLabels = AlarmLabels::PerCoil,
    });
    rows.push_back({
        .number = 20,
        .english = "Emerson EC20",
        .chinese = "Emerson PLC EC20",
        .types = {.words = {"D", "SD", "Z", "T", "C", "C_double"},
                  .bitsA = {"M", "SM", "Y", "X", "S", "T", "C"},
                  .bitsC = {"M", "SM"}},
        .stations = {1, 247},
        .highestBit = 15,
        .octalTypes = {"X", "Y"},
        .typeCodes = {{"D", 130, 130}, {"M", 34, 32}},
        .recipeCodes = {{"M", 32}},
        .keyCoilsFromListA = true,
        .wholeCoilTypes = kWholeCoilTypes,
        .registerBitTypes = kRegisterBitTypes,
        .countedTypes = {"D", "SD"},
        .doubleWordTypes = {"C_double"},
        .counterTypeCode = 210,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200", .dataBits = 8},
        .alarmCoil = {.type = AlarmTypeCode::BitListBPlusTwo,
                      .highShift = 12,
                      .lowShift = 4,
                      .subAddressByte = AlarmByte::AddressBits,
                      .subAddressMask = 15,
                      .bitByte = AlarmByte::AddressBits,
                      .bitMask = 15},
        .alarmLabels = AlarmLabels::PerCoil,
    });
    rows.push_back({
        .number = 21,
        .english = "Modbus Server",
        .chinese = "Modbus Server",
        .types = {.words = {"4x"}, .bitsA = {"0x", "4x"}, .bitsC = {"0x"}},
        .ownStationOnly = true,
        .maxWord = 65535,
        .highestBit = 15,
        .bitIndexSelectable = true,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .wholeCoilTypes = kWholeCoilTypes,
        .registerBitTypes = kRegisterBitTypes,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200", .dataBits = 8, .panelStation = 1},
        .panelStationShown = true,
        .panelStations = {1, 247},
        .alarmCoil = kAlarmModbusExtended,
        .alarmLabels = AlarmLabels::PerCoil,
    });
    rows.push_back({
        .number = 22,
        .english = "LG Glofa Cnet",
        .chinese = "LG Glofa Cnet",
        .types = {.words = {"MW"}, .bitsA = {"MX"}},
        .stations = {0, 31},
        .highestBit = 15,
        .typeCodes = {{"MW", 2, 2}},
        .bitAddressTimesSixteen = true,
        .bindings = {.station = 0},
        .serial = {.dataBits = 8, .parity = 0},
        .alarmLabels = AlarmLabels::WordBitsJoined,
    });
    rows.push_back({
        .number = 23,
        .english = "VIGOR",
        .chinese = "VIGOR",
        .types = {.words = {"D", "T", "C", "C_double"},
                  .bitsA = {"M", "Y", "S"},
                  .bitsB = {"X", "M", "Y", "S"},
                  .bitsC = {"M"}},
        .stations = {1, 255},
        .typeCodes = {{"D", 130, 130}, {"M", 34, 32}, {"C_double", 212, 212}},
        .recipeCodes = {{"M", 32}},
        .keyCoilsFromListA = true,
        .countedTypes = {"D", "SD"},
        .doubleWordTypes = {"C_double"},
        .counterTypeCode = 210,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200"},
        .alarmCoil = {.type = AlarmTypeCode::BitListA,
                      .highShift = 12,
                      .lowShift = 4,
                      .subAddressByte = AlarmByte::AddressBits,
                      .subAddressMask = 15,
                      .bitByte = AlarmByte::AddressBits,
                      .bitMask = 15},
        .alarmLabels = AlarmLabels::PerCoil,
    });
    rows.push_back({
        .number = 24,
        .english = "KEYENCE KV1000",
        .chinese = "KEYENCE KV1000",
        .types = kKeyenceTypes,
        .stations = {1, 255},
        .maxWord = 20000,
        .highestBit = 255,
        .typeCodes = kKeyenceCodes,
        .keyCoilsFromListA = true,
        .panel = {.firstControlRegister = 1},
        .serial = {.dataBits = 8},
        .alarmCoil = kAlarmKeyence,
        .alarmLabels = AlarmLabels::PerCoil,
    });
    rows.push_back({
        .number = 25,
        .english = "Hollysys(G3 series)",
        .chinese = "和利时(G3系列)",
        .types = kModbusExtendedTypes,
        .stations = {1, 247},
        .maxWord = 65535,
        .highestBit = 15,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .keyCoilsFromListA = true,
        .wholeCoilTypes = kWholeCoilTypes,
        .registerBitTypes = kRegisterBitTypes,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200", .dataBits = 8},
        .alarmCoil = kAlarmModbusExtended,
        .alarmLabels = AlarmLabels::PerCoil,
    });
    rows.push_back({
        .number = 26,
        .english = "HITACHI(EH-A14DR)",
        .chinese = "日立(HITACHI)",
        .types = {.words = {"WM", "WR"}, .bitsA = {"R", "M"}},
        .stations = {0, 0},
        .maxWord = 65535,
        .highestBit = 15,
        .typeCodes = {{"R", 32, 32}, {"M", 64, 64}},
        .recipeCodes = {{"R", 32}},
        .serial = {.baud = "19200"},
        // The start coil's type byte by type index: "R", then "M" (also beyond the list).
        .alarmCoil = {.type = AlarmTypeCode::ByIndex,
                      .typeCodes = {178, 210},
                      .highShift = 12,
                      .lowShift = 4,
                      .bitByte = AlarmByte::AddressBits,
                      .bitMask = 15},
    });
    rows.push_back({
        .number = 27,
        .english = "OMRON(CP1H)",
        .chinese = "欧姆龙(CP1H)",
        .types = {.words = {"D", "H", "W", "CIO", "A"}, .bitsA = {"H", "W", "CIO", "A"}},
        .stations = {0, 0},
        .maxWord = 65535,
        .highestBit = 15,
        .bitIndexSelectable = true,
        .typeCodes =
            {{"W", 162, 48}, {"VW", 162, 48}, {"D", 130, 16}, {"T", 210, 96}, {"C", 226, 112}},
        .serial = {.stopBits = 2},
        .alarmCoil = {.type = AlarmTypeCode::NextWordType},
        .alarmLabels = AlarmLabels::WordBits,
    });
    rows.push_back({
        .number = 28,
        .english = "TAIAN(TP03)",
        .chinese = "台安(TP03)",
        .types = {.words = {"D", "Z", "V"},
                  .bitsA = {"Y", "M", "S"},
                  .bitsB = {"X", "Y", "M", "S", "T", "C"},
                  .bitsC = {"M", "S"}},
        .stations = {1, 247},
        .maxWord = 65535,
        .highestBit = 15,
        .typeCodes = {{"Y", 32, 32}, {"D", 34, 34}, {"M", 48, 48}, {"V", 178, 178}},
        .recipeCodes = {{"M", 50}, {"D", 226}, {"X", 18}, {"S", 66}},
        .startCoilCodes = {{"X", 18}, {"Y", 34}, {"M", 50}, {"S", 66}, {"T", 82}, {"C", 98}},
        .keyCoilsFromListA = true,
        .serial = {.baud = "19200", .dataBits = 8, .parity = 0, .stopBits = 2},
        .alarmCoil = {.type = AlarmTypeCode::StartCoil,
                      .highShift = 12,
                      .lowShift = 4,
                      .bitByte = AlarmByte::AddressBits,
                      .bitMask = 15},
    });
    rows.push_back({
        .number = 29,
        .english = "KDN-k3",
        .chinese = "KDN-k3",
        .types = kKdnTypes,
        .stations = {1, 255},
        .maxWord = 4094,
        .maxBit = 31,
        .highestBit = 7,
        .bitIndexSelectable = true,
        .stride = 2,
        .typeCodes = kKdnCodes,
        .startCoilCodes = {{"M", 18}, {"Q", 34}},
        .singleWordTypes = {"AIW", "AQW"},
        .readOnlyTypes = {"AIW"},
        .serial = {.dataBits = 8, .parity = 0},
        .alarmCoil = kAlarmKdn,
        .alarmLabels = AlarmLabels::ByteBits,
    });
    rows.push_back({
        .number = 30,
        .english = "KINCO",
        .chinese = "KINCO",
        .types = kKdnTypes,
        .stations = {1, 255},
        .maxWord = 4094,
        .maxBit = 31,
        .highestBit = 7,
        .bitIndexSelectable = true,
        .stride = 2,
        .typeCodes = kKdnCodes,
        .startCoilCodes = {{"M", 18}, {"Q", 34}},
        .singleWordTypes = {"AIW", "AQW"},
        .readOnlyTypes = {"AIW"},
        .serial = {.dataBits = 8, .parity = 0},
        .alarmCoil = kAlarmKdn,
        .alarmLabels = AlarmLabels::ByteBits,
    });
    rows.push_back({
        .number = 31,
        .english = "KTC",
        .chinese = "KTC",
        .types = {.words = protocol31Modules(kParameterWord),
                  .bitsA = protocol31Modules(kParameterBitA),
                  .bitsB = protocol31Modules(kParameterBitB)},
        .moduleAddressing = true,
        .stations = {1, 255},
        .maxWord = 255,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .recipesAllowed = false,
        .alarmAllowed = false,
        .bindings = {.keyAddress = 1, .registerAddress = 1},
        .serial = {.dataBits = 8, .parity = 0},
        .panelStationShown = true,
        .alarmCoil = kAlarmOwnWidth,
    });
    rows.push_back({
        .number = 32,
        .english = "OEMax",
        .chinese = "OEMax",
        .types = {.words = {"W"}, .bitsA = {"M"}},
        .stations = {1, 255},
        .maxWord = 2564,
        .maxBit = 127,
        .highestBit = 15,
        .bitIndexSelectable = true,
        .stride = 2,
        .typeCodes = {{"M", 16, 16}},
        .keyRegisterUpToMaxWord = true,
        .serial = {.dataBits = 8, .parity = 0},
        .alarmLabels = AlarmLabels::WordBits,
    });
    rows.push_back({
        .number = 33,
        .english = "GE-SNPX",
        .chinese = "GE-SNPX",
        .types = {.words = {"R"}, .bitsA = {"M"}},
        .stations = {0, 255},
        .maxWord = 65535,
        .maxBit = 9999,
        .highestBit = 15,
        .stride = 2,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .serial = {.baud = "19200", .dataBits = 8, .parity = 1},
        .alarmCoil = kAlarmOwnWidth,
    });
    rows.push_back({
        .number = 34,
        .english = "techwayson V80",
        .chinese = "德维森V80",
        .types = kModbusTypes,
        .stations = {1, 247},
        .maxWord = 65535,
        .highestBit = 15,
        .addressesFromOne = true,
        .barAddressesFromOne = true,
        .readOnlyTypes = {"3x"},
        .readOnlyClearsSettable = true,
        .bindings = kBindingsFromOne,
        .panel = {.firstControlRegister = 1},
        .serial = {.baud = "19200", .dataBits = 8, .e5Timeout = 500},
        .alarmCoil = kAlarmModbus,
        .alarmLabels = AlarmLabels::Slash,
    });
    rows.push_back({
        .number = 35,
        .english = "Haiwell",
        .chinese = "Haiwell",
        .types = {.words = {"AI", "AQ", "V"}, .bitsA = {"M", "X", "Y"}},
        .stations = {0, 255},
        .maxWord = 2047,
        .maxBit = 2047,
        .typeCodes = {{"Y", 32, 32}, {"X", 128, 128}, {"M", 16, 16}},
        .startCoilCodes = {{"Y", 32}, {"M", 18}},
        .serial = {.baud = "19200", .dataBits = 8, .parity = 0, .stopBits = 2},
        .alarmCoil = {.type = AlarmTypeCode::StartCoil,
                      .subAddressByte = AlarmByte::Zero,
                      .bitByte = AlarmByte::Zero},
    });
    rows.push_back({
        .number = 36,
        .english = "IDEC",
        .chinese = "IDEC",
        .types = {.words = {"DM"}, .bitsA = {"M"}},
        .stations = {0, 255},
        .maxWord = 8000,
        .maxBit = 127,
        .highestBit = 7,
        .bitIndexSelectable = true,
        .typeCodes = {{"D", 194, 194}, {"M", 16, 16}},
        .startCoilCodes = {{"M", 18}},
        .alarmAllowed = false,
        .bindings = {.station = 0},
        .alarmDefaults = {.newStation = 0},
        .alarmCoil = {.type = AlarmTypeCode::StartCoil,
                      .width = 1,
                      .subAddressByte = AlarmByte::Zero},
        .alarmLabels = AlarmLabels::ByteBits,
    });
    rows.push_back({
        .number = 37,
        .english = "KEYENCE KV16DT",
        .chinese = "KEYENCE KV16DT",
        .types = kKeyenceTypes,
        .stations = {1, 255},
        .maxWord = 20000,
        .highestBit = 255,
        .typeCodes = kKeyenceCodes,
        .keyCoilsFromListA = true,
        .panel = {.firstControlRegister = 1},
        .serial = {.dataBits = 8},
        .alarmCoil = kAlarmKeyence,
        .alarmLabels = AlarmLabels::PerCoil,
    });
    rows.push_back({
        .number = 38,
        .english = "Mitsubishi (FX 1S)",
        .chinese = "三菱(FX 1S系列)",
        .types = kDefaultTypes,
        .typeCodes = kWordD,
        .alarmCoil = kAlarmMitsubishi,
    });
    rows.push_back({
        .number = 39,
        .english = "Mitsubishi (FX 3U)",
        .chinese = "三菱(FX 3U系列)",
        .types = kDefaultTypes,
        .typeCodes = kWordD,
        .alarmCoil = kAlarmMitsubishi,
    });
    rows.push_back({
        .number = 40,
        .english = "JiaTai",
        .chinese = "嘉泰",
        .types = {.words = {"DM"}},
        .stations = {0, 255},
        .maxBit = 9999,
        .highestBit = 7,
        .serial = {.dataBits = 8, .parity = 0},
        .alarmCoil = kAlarmOwnWidth,
    });
    return rows;
}

const std::vector<ProtocolProfile>& profiles() {
    static const std::vector<ProtocolProfile> rows = makeProfiles();
    return rows;
}

}  // namespace

const ProtocolProfile& protocolProfile(int protocol) {
    const auto& rows = profiles();
    if (protocol < 1 || protocol > kProtocolCount)
        return rows[0];
    return rows[static_cast<size_t>(protocol)];
}

bool containsName(const TypeNames& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

uint8_t typeCodeOf(const ProtocolProfile& profile, std::string_view name, bool wordList) {
    for (const TypeCodeOverride& own : profile.typeCodes) {
        if (own.name == name)
            return wordList ? own.word : own.bit;
    }
    for (const GeneralCode& general : kTypeCodes) {
        if (general.name == name)
            return wordList ? general.word : general.bit;
    }
    return 0;
}

uint8_t recipeCodeOf(const ProtocolProfile& profile, std::string_view name) {
    for (const NamedCode& own : profile.recipeCodes) {
        if (own.name == name)
            return own.code;
    }
    for (const auto& [general, code] : kRecipeCodes) {
        if (general == name)
            return code;
    }
    return typeCodeOf(profile, name, true);
}

uint8_t startCoilCodeOf(const ProtocolProfile& profile, std::string_view name) {
    for (const NamedCode& own : profile.startCoilCodes) {
        if (own.name == name)
            return own.code;
    }
    for (const auto& [general, code] : kStartCoilCodes) {
        if (general == name)
            return code;
    }
    return 0;
}

}  // namespace vanta
