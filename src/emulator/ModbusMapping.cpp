#include "emulator/ModbusMapping.h"

#include <algorithm>

namespace vanta {

namespace {

std::optional<ModbusTable> modbusTableOf(const std::string& name) {
    if (name == "0x")
        return ModbusTable::Coils;
    if (name == "1x")
        return ModbusTable::DiscreteInputs;
    if (name == "3x")
        return ModbusTable::InputRegisters;
    if (name == "4x" || name == "5x" || name == "6x")
        return ModbusTable::HoldingRegisters;
    return std::nullopt;
}

// Position of a name among the bit types of lists A, B and C, each name counted once.
int bitTypePosition(const Vocabulary& v, const std::string& name) {
    std::vector<std::string> seen;
    for (const auto* list : {&v.bitTypesA, &v.bitTypesB, &v.bitTypesC})
        for (const std::string& n : *list)
            if (std::find(seen.begin(), seen.end(), n) == seen.end())
                seen.push_back(n);
    auto it = std::find(seen.begin(), seen.end(), name);
    return it == seen.end() ? -1 : static_cast<int>(it - seen.begin());
}

}  // namespace

std::optional<ModbusAddress> modbusAddressOf(const PanelProgram& program, const PointKey& key) {
    const Area& area = program.areas()[key.area];
    if (area.internal)
        return std::nullopt;
    const Vocabulary& v = program.vocabulary();
    ModbusAddress out;
    out.unit = key.station;
    out.registers = !area.bits && area.width > 2 ? 2 : 1;
    uint64_t address = 0;
    if (auto table = modbusTableOf(area.name)) {
        out.table = *table;
        if (v.addressesFromOne && key.address == 0)
            return std::nullopt;
        address = key.address - (v.addressesFromOne ? 1 : 0);
    } else {
        int position = -1;
        if (area.bits) {
            out.table = ModbusTable::Coils;
            position = bitTypePosition(v, area.name);
            address = static_cast<uint64_t>(key.address) * bitsPerAddress(v) + key.bit;
        } else {
            out.table = ModbusTable::HoldingRegisters;
            auto it = std::find(v.wordTypes.begin(), v.wordTypes.end(), area.name);
            position = it == v.wordTypes.end() ? -1 : static_cast<int>(it - v.wordTypes.begin());
            address = key.address;
        }
        if (position < 0)
            return std::nullopt;
        address += static_cast<uint64_t>(position) * kModbusBlock;
    }
    if (address + out.registers > 0x10000)
        return std::nullopt;
    out.address = static_cast<uint16_t>(address);
    return out;
}

std::string describeModbusAddress(const ModbusAddress& a) {
    static const char* kTables[] = {"coil", "discrete input", "input register", "holding register"};
    std::string text = kTables[static_cast<int>(a.table)];
    text += " " + std::to_string(a.address);
    if (a.registers == 2)
        text += "+" + std::to_string(a.address + 1);
    return text;
}

}  // namespace vanta
