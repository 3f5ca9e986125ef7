#pragma once
// Where a point of the project lives in a Modbus device. The Modbus types of the vocabulary map
// to their own tables ("0x" coils, "1x" discrete inputs, "3x" input registers, "4x", "5x" and
// "6x" holding registers, at the address less one where the protocol counts from 1); every other
// register type gets a block of 10000 addresses of its own, in the order of the protocol's lists
// (word types in holding registers, bit types in coils). docs/emulator.md has the table.

#include <cstdint>
#include <optional>
#include <string>

#include "emulator/PanelProgram.h"

namespace vanta {

enum class ModbusTable : uint8_t { Coils, DiscreteInputs, InputRegisters, HoldingRegisters };

struct ModbusAddress {
    ModbusTable table = ModbusTable::HoldingRegisters;
    uint16_t address = 0;   // protocol address (0-based)
    uint8_t registers = 1;  // 2 for a 4-byte point: high word first
    uint8_t unit = 1;       // the point's station
    bool readOnly() const {
        return table == ModbusTable::DiscreteInputs || table == ModbusTable::InputRegisters;
    }
    bool bits() const {
        return table == ModbusTable::Coils || table == ModbusTable::DiscreteInputs;
    }
};

// Each name's block is this many addresses.
inline constexpr uint32_t kModbusBlock = 10000;

// The Modbus place of a point; nothing for the panel's own registers and for points that fall
// outside the 65536 addresses of a table.
std::optional<ModbusAddress> modbusAddressOf(const PanelProgram& program, const PointKey& key);

// "holding register 101", "coil 7" (0-based protocol addresses), for messages and the table.
std::string describeModbusAddress(const ModbusAddress& address);

}  // namespace vanta
