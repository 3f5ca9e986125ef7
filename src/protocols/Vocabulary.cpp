#include "protocols/Vocabulary.h"

#include <algorithm>
#include <string_view>

#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

using Names = std::vector<std::string>;

const Names& internalWordTypes() {
    static const Names names = {"RP", "RWI", "RDI", "LW", "TM"};
    return names;
}

const Names& listOf(const Vocabulary& v, int selector) {
    if (selector == 1)
        return v.wordTypes;
    if (selector == 2)
        return v.bitTypesA;
    return v.bitTypesB;
}

// The name at `index` of `names`, the index clamped into the list; empty for an empty list.
std::string_view clampedName(const Names& names, int index) {
    if (names.empty())
        return {};
    const int last = static_cast<int>(names.size()) - 1;
    return names[std::clamp(index, 0, last)];
}

}  // namespace

const std::vector<std::string>& Vocabulary::list(TypeList which) const {
    switch (which) {
        case TypeList::Word:
            return wordTypes;
        case TypeList::BitA:
            return bitTypesA;
        case TypeList::BitB:
            break;
    }
    return bitTypesB;
}

const std::vector<std::string>& Vocabulary::parameterNames(TypeList which, int moduleIndex) const {
    static const std::vector<std::string> none;
    if (!profile().moduleAddressing)
        return none;
    return protocol31Parameters(static_cast<int>(which), moduleIndex);
}

Vocabulary makeVocabulary(uint8_t protocol) {
    const ProtocolProfile& profile = protocolProfile(protocol);
    Vocabulary v;
    v.protocol = protocol;
    v.displayFormats = {"Unsigned", "HEX", "Signed"};
    v.alarmWordTypes = internalWordTypes();

    v.stationMin = profile.stations.min;
    v.stationMax = profile.stations.max;
    v.ownStationOnly = profile.ownStationOnly;
    v.maxWordRegister = profile.maxWord;
    v.maxBitRegister = profile.maxBitRegister();
    v.highestBitIndex = profile.highestBit;
    v.stride = profile.stride;
    v.baudOffset = profile.baudOffset;
    v.addressesFromOne = profile.addressesFromOne;
    v.octalAddresses = profile.octalAddresses;
    v.hexAddresses = profile.hexEntry;
    v.bitIndexSelectable = profile.bitIndexSelectable;
    v.alarmAllowed = profile.alarmAllowed;

    v.registerCountShown = !profile.moduleAddressing;
    v.bitNumberShown = v.bitIndexSelectable;
    v.offsetShown = profile.bitsInRegisters;
    v.coilOperationsShown = profile.hasCoils;

    const Names& words = profile.types.words;
    v.alarmWordTypes.insert(v.alarmWordTypes.end(), words.begin(), words.end());
    v.wordTypes = words;
    v.bitTypesA = profile.types.bitsA;
    v.bitTypesB = profile.bitsB();
    v.bitTypesC = profile.bitsC();
    if (!profile.moduleAddressing) {
        const auto& internal = internalWordTypes();
        v.wordTypes.insert(v.wordTypes.end(), internal.begin(), internal.end());
    }
    return v;
}

uint8_t typeCodeOfName(uint8_t protocol, const std::string& name, int selector) {
    return typeCodeOf(protocolProfile(protocol), name, selector == 1);
}

uint8_t registerTypeCode(const Vocabulary& vocabulary, int typeIndex, int selector) {
    const Names& names = listOf(vocabulary, selector);
    if (names.empty())
        return 0;
    return typeCodeOf(vocabulary.profile(), clampedName(names, typeIndex), selector == 1);
}

uint8_t recipeTypeCode(const Vocabulary& vocabulary, int typeIndex) {
    const Names& names = vocabulary.alarmWordTypes;
    if (names.empty())
        return 0;
    return recipeCodeOf(vocabulary.profile(), clampedName(names, typeIndex));
}

uint8_t startCoilTypeCode(const Vocabulary& vocabulary, int typeIndex) {
    const Names& names = vocabulary.bitTypesC;
    if (names.empty())
        return 0;
    return startCoilCodeOf(vocabulary.profile(), clampedName(names, typeIndex));
}

const ProtocolProfile& Vocabulary::profile() const {
    return protocolProfile(protocol);
}

}  // namespace vanta
