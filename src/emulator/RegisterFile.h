#pragma once
// The register table as a JSON file, for scripts: a list of values named as the project names
// them.
//
//     {"registers": [
//       {"station": 1, "type": "D", "address": 100, "value": 1500},
//       {"type": "M", "address": 10, "bit": 0, "value": 1}
//     ]}
//
// "station" defaults to the image's PLC station and is left out for the panel's own registers;
// "bit" names a bit point (a bit area: "M10.3", or "M10" with bit 0). A value is the register's
// number, negative values taken as two's complement within the register's width.

#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "emulator/PanelProgram.h"
#include "emulator/RegisterSource.h"

namespace vanta {

// The writes a register file asks for; fails naming the entry (by its line) that names a type
// the image does not use or that is not a register file.
Result<std::vector<PointWrite>> readRegisterFile(std::string_view json,
                                                 const PanelProgram& program);

// The values as a register file, in the order given; points without a known value are left out.
std::string writeRegisterFile(const PanelProgram& program,
                              const std::vector<std::pair<PointKey, uint32_t>>& values);

}  // namespace vanta
