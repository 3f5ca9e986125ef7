#pragma once
// The register vocabulary of one PLC protocol: the type lists, limits and codes that every
// component page, the panel settings and the image compiler offer or use, made from the
// protocol's profile. One immutable object per protocol, passed explicitly to whoever needs it;
// profile() gives the rest of the protocol's facts.

#include <cstdint>
#include <string>
#include <vector>

#include "protocols/ProtocolProfile.h"

namespace vanta {

// Which list a register type index refers to.
enum class TypeList : uint8_t {
    Word = 1,  // word-register types
    BitA = 2,  // function-key coil targets
    BitB = 3,  // lamps (any selector other than 1 and 2)
};

struct Vocabulary {
    uint8_t protocol = 0;  // 1..kProtocolCount; anything else got the default row

    std::vector<std::string> wordTypes;       // protocol's own, then "RP".."TM" (never for 31)
    std::vector<std::string> bitTypesA;       // function-key coil targets
    std::vector<std::string> bitTypesB;       // lamps
    std::vector<std::string> bitTypesC;       // alarm-list start coil
    std::vector<std::string> displayFormats;  // "Unsigned", "HEX", "Signed"
    std::vector<std::string> alarmWordTypes;  // "RP".."TM" first, then the protocol's own

    int stationMin = 1;
    int stationMax = 1;
    bool ownStationOnly = false;  // only the panel's own station (the profile says)
    uint32_t maxWordRegister = 9999;
    uint32_t maxBitRegister = 9999;
    int highestBitIndex = 0;
    uint8_t stride = 1;      // address step between consecutive control registers
    uint8_t baudOffset = 0;  // added to the stored baud index in the image header
    bool alarmAllowed = true;
    bool addressesFromOne = false;
    bool octalAddresses = false;      // addresses typed and shown in octal
    bool bitIndexSelectable = false;  // otherwise the bit index is fixed at 0

    // Switches of the property pages (docs/vocabulary.md says how they were chosen).
    bool hexAddresses = false;        // station and address typed in hexadecimal
    bool registerCountShown = true;   // "寄存器个数:" on the word pages (not by module)
    int maxRegisterCount = 2;         // register count spin: 1 .. this
    bool bitNumberShown = false;      // the bit-number (sub-address) edit and spin
    bool offsetShown = false;         // the lamp's "偏移:" and the alarm list's bit offset
    bool valueShown = true;           // the function key's "参数:" value
    bool coilOperationsShown = true;  // the function key's four coil radios (protocols with coils)

    const std::vector<std::string>& list(TypeList which) const;

    // Largest sub-address (bit number within a word) that may be entered: the highest bit index
    // where the bit index is selectable, else 0.
    int maxSubAddress() const { return bitIndexSelectable ? highestBitIndex : 0; }
    // Lowest register address of the address spins.
    int minAddress() const { return addressesFromOne ? 1 : 0; }
    // Station range of the component pages; some protocols allow only the panel's own station.
    int stationLow(uint8_t panelStation) const {
        return ownStationOnly ? panelStation : stationMin;
    }
    int stationHigh(uint8_t panelStation) const {
        return ownStationOnly ? panelStation : stationMax;
    }

    // Module addressing: the parameter names of the module at `moduleIndex` of the word list,
    // bit list A or bit list B. Empty for every other protocol and for an index outside the list.
    const std::vector<std::string>& parameterNames(TypeList which, int moduleIndex) const;

    // The profile of `protocol` (the default row for a number outside the table).
    const ProtocolProfile& profile() const;
};

// Builds the vocabulary of a protocol (the default row for numbers outside the table).
Vocabulary makeVocabulary(uint8_t protocol);

// Register type code: the name at `typeIndex` of the chosen list (clamped to its last entry)
// mapped to a code whose low 4 bits are the data width in bytes. `selector` is 1 (word list),
// 2 (bit list A) or anything else (bit list B).
uint8_t registerTypeCode(const Vocabulary& vocabulary, int typeIndex, int selector);
// Code of a type name as the word-list (selector 1) or bit-list lookup gives it.
uint8_t typeCodeOfName(uint8_t protocol, const std::string& name, int selector);
// Recipe type code: index into the alarm and function-key word list.
uint8_t recipeTypeCode(const Vocabulary& vocabulary, int typeIndex);
// Start-coil type code: index into bit list C.
uint8_t startCoilTypeCode(const Vocabulary& vocabulary, int typeIndex);

// Data width in bytes of a type code as the pages count it: the low nibble, except the
// panel-internal "RP" (112) which holds 2 bytes.
inline int typeCodeWidth(uint8_t code) {
    return code == 112 ? 2 : (code & 0x0F);
}

}  // namespace vanta
