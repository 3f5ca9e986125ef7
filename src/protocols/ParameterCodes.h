#pragma once
// Protocol 31 (the "KTC" controller family) addresses data by module and parameter instead of
// register type and address. A component stores the module index (position in the type list of
// its family) and the parameter index (position in that module's parameter list); from these it
// derives the parameter number, the type value and the block word that its download record
// carries in place of sub-address, type code and address.
//
// The module lists and parameter lists are the catalogue data of protocol 31 (the vocabulary of
// the protocol hands them to the property pages); the parameter table maps module and parameter
// names to their numbers and type values.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vanta {

// Families of lists, the selector of the lookups: the word list and the modules' word
// parameters (register, dynamic text, bar and trend, the function key's register action), bit
// list A and its parameters (the function key's coil action), bit list B and its parameters
// (the lamp).
inline constexpr int kParameterWord = 1;
inline constexpr int kParameterBitA = 2;
inline constexpr int kParameterBitB = 3;

// Module names of a family's type list, in order; empty for a selector other than 1, 2 and 3.
const std::vector<std::string>& protocol31Modules(int selector);
// Parameter names of the module at `moduleIndex` of the family's type list, in order; empty for
// an index outside the list or an unknown selector.
const std::vector<std::string>& protocol31Parameters(int selector, int moduleIndex);

// Block code of a module (RC 1, KV 2, ..., LR 17); 0 for a name that is no module.
uint8_t blockCode(std::string_view module);
// Block word of the module at `moduleIndex` of the family's list: block code in the high byte,
// the low byte of the module's bus address in the low byte.
uint16_t BlockWord(uint8_t moduleIndex, int selector, uint16_t address);

struct ParameterCode {
    uint8_t number = 0;
    uint8_t typeValue = 0;  // low nibble: data width in bytes (16 = one bit)
    bool operator==(const ParameterCode&) const = default;
};
// The table entry of a parameter of a module, by name (case matters); {0, 0} when the table
// holds no such module or the module no such parameter.
ParameterCode parameterCode(std::string_view module, std::string_view parameter);

// Parameter number and type value of the parameter at `parameterIndex` of the module at
// `moduleIndex`, both in the family's lists; 0 for an index outside its list, an unknown
// selector or a name the table does not hold.
uint8_t ParameterNumber(uint8_t moduleIndex, uint8_t parameterIndex, int selector);
uint8_t ParameterTypeValue(uint8_t moduleIndex, uint8_t parameterIndex, int selector);

}  // namespace vanta
