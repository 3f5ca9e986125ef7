#include "protocols/ParameterCodes.h"

#include <array>

namespace vanta {

namespace {

using Names = std::vector<std::string>;

struct Module {
    std::string module;
    Names parameters;
};
using Family = std::vector<Module>;

// Word list and the modules' word parameters. AK and PK: see docs/vocabulary.md.
const Family& wordFamily() {
    static const Family family = {
        {"RC", {"Itime",          "Dfactor",       "Offset",
                "DeadBand",       "DeadBandSeq",   "AlarmLowLimit",
                "AlarmHighLimit", "AlarmDelay",    "AlarmStatus",
                "AlarmPriority",  "Deviation",     "Function1",
                "Function2",      "Function3",     "LimitiTime",
                "LimitMin",       "LimitMax",      "LimitPBand",
                "PBand1",         "PBand2",        "PBand3",
                "PBand4",         "Deviation_Min", "Deviation_Max",
                "Value",          "Setting",       "MinMaxResetInterval"}},
        {"KV", {"Value", "Unit", "X1", "X2", "X3", "X4", "X5", "X6", "X7", "X8",
                "X9",    "Y1",   "Y2", "Y3", "Y4", "Y5", "Y6", "Y7", "Y8", "Y9"}},
        {"AI",
         {"AlarmSensorStatus", "AlarmLowLimit", "AlarmHighLimit", "AlarmDelay",
          "AlarmSensorPriority", "AlarmPriority", "AlarmStatus", "Filter", "SensorType", "RangeMin",
          "RangeMax", "Min", "Max", "Value", "Calib", "Unit", "MinMaxResetInterval"}},
        {"UI",
         {"AlarmSensorStatus", "AlarmLowLimit", "AlarmHighLimit", "AlarmDelay",
          "AlarmSensorPriority", "AlarmPriority", "AlarmStatus", "DigAlarmStatus",
          "DigAlarmPriority", "Filter", "SensorType", "RangeMin", "RangeMax", "Min", "Max", "Value",
          "Calib", "Unit", "MinMaxResetInterval"}},
        {"AU",
         {"Output", "MinOut1", "MinOut2", "MaxOut", "MinOut", "VoltMin", "VoltMax", "Mode",
          "FixedMinOut", "FixedMaxOut", "Min", "Max", "Value", "OutPercent", "ManualOutputVolt",
          "OutputVolt", "MinMaxResetInterval"}},
        {"DI",
         {"AlarmDelay", "AlarmInterlock", "AlarmStatus", "AlarmPriority", "TimeAlarmStatus",
          "TimeAlarmPriority"}},
        {"DU", {"OP1", "OP2", "Op3", "Mode"}},
        {"AK", {"DUCAdr", "Ival", "Value", "Unit"}},
        {"PK", {"Constant1", "Div_Mul", "DUCAdr", "Ival", "Unit"}},
        {"AQ",
         {"AlarmLowLimit", "AlarmHighLimit", "AlarmDelay", "AlarmStatus", "AlarmPriority",
          "Constant1", "Constant2", "Constant3", "Function", "Min", "Max", "Value", "Unit",
          "MinMaxResetInterval"}},
        {"DK", {"PLCAddr", "Ival", "Value"}},
        {"AZ", {"Value", "TimeOpenClose", "TimeCloseOpen", "Setpoint", "Output", "ReqValueHand"}},
        {"DQ",
         {"AlarmDelay", "AlarmStatus", "AlarmPriority", "Op1", "Op2", "Op3", "Mode", "TimeAlarm",
          "Time", "TimeAlarmStatus", "TimeAlarmPriority", "Value"}},
        {"SP", {"OffDelay", "OnDelay", "ValueStop", "ValueStart", "Value"}},
        {"PU", {"OffDelay", "OnDelay", "Value", "Hysteresis", "Setpoint"}},
        {"PI",
         {"AlarmLowLimit", "AlarmHighLimit", "AlarmDelay", "AlarmStatus", "AlarmPriority",
          "Constant1", "Calculation", "MinHour", "MaxHour", "HourValue", "AlarmTimePeriod",
          "MinPower", "MaxPower", "Power", "Unit", "MinMaxResetInterval"}},
        {"LR", {"Value", "In1", "In2", "Out1", "Out2", "Unit"}},
    };
    return family;
}

// Bit list A (the function key's coil targets) and its parameters.
const Family& bitFamilyA() {
    static const Family family = {
        {"RC",
         {"Inv1", "Inv2", "Inv3", "Inv4", "FailAlmLock", "AlarmAck", "Dir1", "Dir2", "Dir3", "Dir4",
          "MinMaxReset"}},
        {"AI", {"AlarmAck", "MinMaxReset"}},
        {"UI", {"AlarmAck", "DigAlarmAck", "MinMaxReset"}},
        {"AU", {"MinMaxReset"}},
        {"DI", {"AlarmAck", "TimeAlarmAck", "ResetTimer"}},
        {"DU", {"Inv1", "Inv2", "Inv3", "Inv4"}},
        {"AQ", {"AlarmAck", "MinMaxReset"}},
        {"AZ", {"OutMode", "SyncCond"}},
        {"DQ", {"Inv1", "Inv2", "Inv3", "Inv4", "AlarmAck", "TimeAlarmAck", "ResetTimer"}},
        {"SP", {"Deviationdelay"}},
        {"PU", {"Deviationdelay"}},
        {"PI", {"AlarmAck", "MinMaxReset"}},
    };
    return family;
}

// Bit list B (lamps) and its parameters.
const Family& bitFamilyB() {
    static const Family family = {
        {"RC",
         {"Inv1", "Inv2", "Inv3", "Inv4", "FailAlmLock", "AlarmAck", "Dir1", "Dir2", "Dir3", "Dir4",
          "ControlStatus", "Status", "MinMaxReset"}},
        {"AI", {"AlarmAck", "SensorError", "MinMaxReset"}},
        {"UI", {"AlarmAck", "DigAlarmAck", "Status", "SensorError", "MinMaxReset"}},
        {"AU", {"MinMaxReset", "ForceOutput"}},
        {"DI", {"AlarmAck", "TimeAlarmAck", "Value", "ResetTimer", "PosFlank", "NegFlank"}},
        {"DU", {"Inv1", "Inv2", "Inv3", "Inv4", "Value", "ForceOutput"}},
        {"PK", {"SensorError"}},
        {"AQ", {"AlarmAck", "MinMaxReset"}},
        {"AZ", {"Dig_Dec", "Dig_Inc", "OutMode", "SyncCond"}},
        {"DQ",
         {"Inv1", "Inv2", "Inv3", "Inv4", "AlarmAck", "TimeAlarmAck", "ResetTimer", "ForceOutput"}},
        {"SP", {"Deviationdelay"}},
        {"PU", {"Deviationdelay"}},
        {"PI", {"AlarmAck", "MinMaxReset"}},
        {"LR", {"OutIntlockValue"}},
    };
    return family;
}

const Family* familyOf(int selector) {
    switch (selector) {
        case kParameterWord:
            return &wordFamily();
        case kParameterBitA:
            return &bitFamilyA();
        case kParameterBitB:
            return &bitFamilyB();
        default:
            return nullptr;
    }
}

Names modulesOf(const Family& family) {
    Names names;
    names.reserve(family.size());
    for (const auto& m : family)
        names.push_back(m.module);
    return names;
}

const Names& noNames() {
    static const Names none;
    return none;
}

constexpr std::array<std::string_view, 17> kBlockOrder = {"RC", "KV", "AI", "UI", "AU", "DI",
                                                          "DU", "AK", "PK", "AQ", "DK", "AZ",
                                                          "DQ", "SP", "PU", "PI", "LR"};

struct Row {
    std::string_view module;
    std::string_view parameter;
    uint8_t number;
    uint8_t typeValue;
};

// Every parameter each module knows, with its number and type value.
constexpr Row kTable[] = {
    {"RC", "Inv1", 1, 16},
    {"RC", "Inv2", 2, 16},
    {"RC", "Inv3", 3, 16},
    {"RC", "Inv4", 4, 16},
    {"RC", "Itime", 5, 50},
    {"RC", "Dfactor", 6, 100},
    {"RC", "Offset", 7, 100},
    {"RC", "DeadBand", 11, 100},
    {"RC", "DeadBandSeq", 12, 50},
    {"RC", "FailAlmLock", 13, 16},
    {"RC", "AlarmLowLimit", 14, 100},
    {"RC", "AlarmHighLimit", 15, 100},
    {"RC", "AlarmDelay", 16, 50},
    {"RC", "AlarmStatus", 19, 50},
    {"RC", "AlarmPriority", 21, 50},
    {"RC", "AlarmAck", 22, 16},
    {"RC", "Dir1", 23, 16},
    {"RC", "Dir2", 24, 16},
    {"RC", "Dir3", 25, 16},
    {"RC", "Dir4", 26, 16},
    {"RC", "Deviation", 27, 100},
    {"RC", "Function1", 31, 50},
    {"RC", "Function2", 32, 50},
    {"RC", "Function3", 33, 50},
    {"RC", "LimitiTime", 44, 50},
    {"RC", "LimitMin", 45, 100},
    {"RC", "LimitMax", 46, 100},
    {"RC", "LimitPBand", 47, 100},
    {"RC", "ControlStatus", 48, 16},
    {"RC", "Status", 56, 16},
    {"RC", "PBand1", 57, 100},
    {"RC", "PBand2", 58, 100},
    {"RC", "PBand3", 59, 100},
    {"RC", "PBand4", 60, 100},
    {"RC", "Deviation_Min", 67, 100},
    {"RC", "Deviation_Max", 68, 100},
    {"RC", "Value", 69, 100},
    {"RC", "Setting", 75, 100},
    {"RC", "MinMaxResetInterval", 98, 50},
    {"RC", "MinMaxReset", 99, 16},
    {"KV", "Input1", 38, 194},
    {"KV", "Value", 69, 100},
    {"KV", "Unit", 76, 50},
    {"KV", "X1", 78, 100},
    {"KV", "X2", 79, 100},
    {"KV", "X3", 80, 100},
    {"KV", "X4", 81, 100},
    {"KV", "X5", 82, 100},
    {"KV", "X6", 83, 100},
    {"KV", "X7", 84, 100},
    {"KV", "X8", 85, 100},
    {"KV", "X9", 86, 100},
    {"KV", "Y1", 88, 100},
    {"KV", "Y2", 89, 100},
    {"KV", "Y3", 90, 100},
    {"KV", "Y4", 91, 100},
    {"KV", "Y5", 92, 100},
    {"KV", "Y6", 93, 100},
    {"KV", "Y7", 94, 100},
    {"KV", "Y8", 95, 100},
    {"KV", "Y9", 96, 100},
    {"AI", "AlarmSensorStatus", 20, 50},
    {"AI", "AlarmLowLimit", 14, 100},
    {"AI", "AlarmHighLimit", 15, 100},
    {"AI", "AlarmDelay", 16, 50},
    {"AI", "AlarmSensorPriority", 17, 50},
    {"AI", "AlarmPriority", 21, 50},
    {"AI", "AlarmStatus", 19, 50},
    {"AI", "AlarmAck", 22, 16},
    {"AI", "Filter", 34, 50},
    {"AI", "SensorError", 35, 16},
    {"AI", "SensorType", 72, 50},
    {"AI", "RangeMin", 62, 100},
    {"AI", "RangeMax", 63, 100},
    {"AI", "Min", 67, 100},
    {"AI", "Max", 68, 100},
    {"AI", "Value", 69, 100},
    {"AI", "Calib", 74, 100},
    {"AI", "Unit", 76, 50},
    {"AI", "MinMaxResetInterval", 98, 50},
    {"AI", "MinMaxReset", 99, 16},
    {"UI", "AlarmSensorStatus", 20, 50},
    {"UI", "AlarmLowLimit", 14, 100},
    {"UI", "AlarmHighLimit", 15, 100},
    {"UI", "AlarmDelay", 16, 50},
    {"UI", "AlarmSensorPriority", 17, 50},
    {"UI", "AlarmPriority", 21, 50},
    {"UI", "AlarmStatus", 19, 50},
    {"UI", "AlarmAck", 22, 16},
    {"UI", "DigAlarmStatus", 28, 50},
    {"UI", "DigAlarmPriority", 29, 50},
    {"UI", "DigAlarmAck", 30, 16},
    {"UI", "Status", 70, 16},
    {"UI", "Filter", 34, 50},
    {"UI", "SensorError", 35, 16},
    {"UI", "SensorType", 72, 50},
    {"UI", "RangeMin", 62, 100},
    {"UI", "RangeMax", 63, 100},
    {"UI", "Min", 67, 100},
    {"UI", "Max", 68, 100},
    {"UI", "Value", 69, 100},
    {"UI", "Calib", 74, 100},
    {"UI", "Unit", 76, 50},
    {"UI", "MinMaxResetInterval", 98, 50},
    {"UI", "MinMaxReset", 99, 16},
    {"AU", "Output", 5, 100},
    {"AU", "MinOut1", 6, 100},
    {"AU", "MinOut2", 7, 100},
    {"AU", "MaxOut", 8, 100},
    {"AU", "MinOut", 9, 100},
    {"AU", "VoltMin", 45, 100},
    {"AU", "VoltMax", 46, 100},
    {"AU", "Mode", 48, 50},
    {"AU", "FixedMinOut", 50, 100},
    {"AU", "FixedMaxOut", 51, 100},
    {"AU", "Min", 67, 100},
    {"AU", "Max", 68, 100},
    {"AU", "Value", 69, 100},
    {"AU", "OutPercent", 73, 100},
    {"AU", "ManualOutputVolt", 75, 100},
    {"AU", "OutputVolt", 77, 100},
    {"AU", "MinMaxResetInterval", 98, 50},
    {"AU", "MinMaxReset", 99, 16},
    {"AU", "ForceOutput", 71, 16},
    {"DI", "AlarmDelay", 16, 50},
    {"DI", "AlarmInterlock", 18, 194},
    {"DI", "AlarmStatus", 19, 50},
    {"DI", "AlarmPriority", 21, 50},
    {"DI", "AlarmAck", 22, 16},
    {"DI", "TimeAlarmStatus", 64, 50},
    {"DI", "TimeAlarmPriority", 65, 50},
    {"DI", "TimeAlarmAck", 66, 16},
    {"DI", "Value", 69, 16},
    {"DI", "DateTimeReset", 97, 164},
    {"DI", "ResetTimer", 100, 16},
    {"DI", "PosFlank", 61, 16},
    {"DI", "NegFlank", 49, 16},
    {"DU", "Inv1", 1, 16},
    {"DU", "Inv2", 2, 16},
    {"DU", "Inv3", 3, 16},
    {"DU", "Inv4", 4, 16},
    {"DU", "OP1", 31, 50},
    {"DU", "OP2", 32, 50},
    {"DU", "Op3", 33, 50},
    {"DU", "Mode", 48, 50},
    {"DU", "Value", 69, 16},
    {"DU", "ForceOutput", 71, 16},
    // AK and PK: see docs/vocabulary.md for which set belongs to which module.
    {"AK", "DUCAdr", 101, 50},
    {"AK", "Ival", 102, 50},
    {"AK", "Value", 69, 100},
    {"AK", "Unit", 76, 50},
    {"PK", "Constant1", 103, 100},
    {"PK", "Div_Mul", 31, 50},
    {"PK", "DUCAdr", 101, 50},
    {"PK", "Ival", 102, 50},
    {"PK", "Unit", 76, 50},
    {"PK", "SensorError", 35, 16},
    {"AQ", "AlarmLowLimit", 14, 100},
    {"AQ", "AlarmHighLimit", 15, 100},
    {"AQ", "AlarmDelay", 16, 50},
    {"AQ", "AlarmStatus", 19, 50},
    {"AQ", "AlarmPriority", 21, 50},
    {"AQ", "AlarmAck", 22, 16},
    {"AQ", "Constant1", 103, 100},
    {"AQ", "Constant2", 104, 100},
    {"AQ", "Constant3", 105, 100},
    {"AQ", "Function", 31, 50},
    {"AQ", "Min", 67, 100},
    {"AQ", "Max", 68, 100},
    {"AQ", "Value", 69, 100},
    {"AQ", "Unit", 76, 50},
    {"AQ", "MinMaxResetInterval", 98, 50},
    {"AQ", "MinMaxReset", 99, 16},
    {"DK", "PLCAddr", 101, 50},
    {"DK", "Ival", 102, 50},
    {"DK", "Value", 69, 50},
    {"AZ", "Value", 106, 50},
    {"AZ", "Dig_Dec", 107, 16},
    {"AZ", "Dig_Inc", 108, 16},
    {"AZ", "OutMode", 109, 16},
    {"AZ", "SyncCond", 110, 16},
    {"AZ", "TimeOpenClose", 111, 50},
    {"AZ", "TimeCloseOpen", 112, 50},
    {"AZ", "Setpoint", 69, 50},
    {"AZ", "Output", 74, 50},
    {"AZ", "ReqValueHand", 75, 50},
    {"DQ", "Inv1", 1, 16},
    {"DQ", "Inv2", 2, 16},
    {"DQ", "Inv3", 3, 16},
    {"DQ", "Inv4", 4, 16},
    {"DQ", "AlarmDelay", 16, 50},
    {"DQ", "AlarmStatus", 19, 50},
    {"DQ", "AlarmPriority", 21, 50},
    {"DQ", "AlarmAck", 22, 16},
    {"DQ", "Op1", 31, 50},
    {"DQ", "Op2", 32, 50},
    {"DQ", "Op3", 33, 100},
    {"DQ", "Mode", 48, 50},
    {"DQ", "TimeAlarm", 113, 50},
    {"DQ", "Time", 114, 50},
    {"DQ", "TimeAlarmStatus", 64, 50},
    {"DQ", "TimeAlarmPriority", 65, 50},
    {"DQ", "TimeAlarmAck", 66, 16},
    {"DQ", "Value", 69, 50},
    {"DQ", "ResetTimer", 100, 16},
    {"DQ", "ForceOutput", 71, 16},
    {"SP", "OffDelay", 107, 50},
    {"SP", "OnDelay", 108, 50},
    {"SP", "Deviationdelay", 115, 16},
    {"SP", "ValueStop", 45, 100},
    {"SP", "ValueStart", 46, 100},
    {"SP", "Value", 69, 50},
    {"PU", "OffDelay", 107, 50},
    {"PU", "OnDelay", 108, 50},
    {"PU", "Deviationdelay", 115, 16},
    {"PU", "Value", 69, 50},
    {"PU", "Hysteresis", 5, 50},
    {"PU", "Setpoint", 75, 100},
    {"PI", "AlarmLowLimit", 14, 50},
    {"PI", "AlarmHighLimit", 15, 50},
    {"PI", "AlarmDelay", 16, 50},
    {"PI", "AlarmStatus", 19, 50},
    {"PI", "AlarmPriority", 21, 50},
    {"PI", "AlarmAck", 22, 16},
    {"PI", "Constant1", 103, 100},
    {"PI", "Calculation", 31, 50},
    {"PI", "MinHour", 116, 100},
    {"PI", "MaxHour", 117, 50},
    {"PI", "HourValue", 118, 50},
    {"PI", "AlarmTimePeriod", 119, 50},
    {"PI", "MinPower", 67, 50},
    {"PI", "MaxPower", 68, 50},
    {"PI", "Power", 69, 50},
    {"PI", "Unit", 76, 50},
    {"PI", "MinMaxResetInterval", 98, 50},
    {"PI", "MinMaxReset", 99, 16},
    {"LR", "Value", 69, 100},
    {"LR", "In1", 36, 100},
    {"LR", "In2", 37, 100},
    {"LR", "Out1", 50, 100},
    {"LR", "Out2", 51, 100},
    {"LR", "Unit", 76, 50},
    {"LR", "OutIntlockValue", 120, 16},

};

// Names of the parameter at the given indexes; false when either index is outside its list.
bool namesAt(uint8_t moduleIndex, uint8_t parameterIndex, int selector, std::string_view& module,
             std::string_view& parameter) {
    const Family* family = familyOf(selector);
    if (family == nullptr || moduleIndex >= family->size())
        return false;
    const Module& m = (*family)[moduleIndex];
    if (parameterIndex >= m.parameters.size())
        return false;
    module = m.module;
    parameter = m.parameters[parameterIndex];
    return true;
}

ParameterCode codeAt(uint8_t moduleIndex, uint8_t parameterIndex, int selector) {
    std::string_view module, parameter;
    if (!namesAt(moduleIndex, parameterIndex, selector, module, parameter))
        return {};
    return parameterCode(module, parameter);
}

}  // namespace

const std::vector<std::string>& protocol31Modules(int selector) {
    static const Names word = modulesOf(wordFamily());
    static const Names bitA = modulesOf(bitFamilyA());
    static const Names bitB = modulesOf(bitFamilyB());
    switch (selector) {
        case kParameterWord:
            return word;
        case kParameterBitA:
            return bitA;
        case kParameterBitB:
            return bitB;
        default:
            return noNames();
    }
}

const std::vector<std::string>& protocol31Parameters(int selector, int moduleIndex) {
    const Family* family = familyOf(selector);
    if (family == nullptr || moduleIndex < 0 || static_cast<size_t>(moduleIndex) >= family->size())
        return noNames();
    return (*family)[moduleIndex].parameters;
}

uint8_t blockCode(std::string_view module) {
    for (size_t i = 0; i < kBlockOrder.size(); ++i) {
        if (kBlockOrder[i] == module)
            return static_cast<uint8_t>(i + 1);
    }
    return 0;
}

uint16_t BlockWord(uint8_t moduleIndex, int selector, uint16_t address) {
    const auto& modules = protocol31Modules(selector);
    const uint8_t code = moduleIndex < modules.size() ? blockCode(modules[moduleIndex]) : 0;
    return static_cast<uint16_t>((code << 8) | (address & 0xFF));
}

ParameterCode parameterCode(std::string_view module, std::string_view parameter) {
    for (const Row& row : kTable) {
        if (row.module == module && row.parameter == parameter) {
            return {row.number, row.typeValue};
        }
    }
    return {};
}

uint8_t ParameterNumber(uint8_t moduleIndex, uint8_t parameterIndex, int selector) {
    return codeAt(moduleIndex, parameterIndex, selector).number;
}

uint8_t ParameterTypeValue(uint8_t moduleIndex, uint8_t parameterIndex, int selector) {
    return codeAt(moduleIndex, parameterIndex, selector).typeValue;
}

}  // namespace vanta
