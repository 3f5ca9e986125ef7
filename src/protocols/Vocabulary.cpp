#include "protocols/Vocabulary.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

using Names = std::vector<std::string>;

const Names& internalWordTypes() {
    static const Names names = {"RP", "RWI", "RDI", "LW", "TM"};
    return names;
}

bool isOneOf(uint8_t protocol, std::initializer_list<int> protocols) {
    return std::find(protocols.begin(), protocols.end(), protocol) != protocols.end();
}

// The part of a protocol's row that the table states; everything left out keeps the defaults.
struct Row {
    int stationMin = 1;
    int stationMax = 1;
    uint32_t maxWord = 9999;
    uint32_t maxBit = 0;  // 0: the same as the word maximum
    Names words;
    Names bitsA;
    Names bitsB;  // empty: the same as list A
    Names bitsC;  // empty: the same as list A
    int highestBit = 0;
    uint8_t stride = 1;
    uint8_t baudOffset = 0;
    bool fromOne = false;
};

Row rowOf(uint8_t protocol) {
    Row r;
    auto set = [&r](int stationMin, int stationMax, uint32_t maxWord, Names words, Names bitsA,
                    int highestBit) {
        r.stationMin = stationMin;
        r.stationMax = stationMax;
        r.maxWord = maxWord;
        r.words = std::move(words);
        r.bitsA = std::move(bitsA);
        r.highestBit = highestBit;
    };
    switch (protocol) {
        case 1:
            set(1, 15, 65535, {"B", "W", "D"}, {"B", "W", "D"}, 255);
            break;
        case 2:
            set(1, 126, 8192, {"VW", "VD"}, {"M"}, 7);
            r.maxBit = 9999;
            r.stride = 2;
            r.baudOffset = 3;
            break;
        case 3:
        case 16:
        case 34:
            set(1, 247, 65535, {"4x", "3x"}, {"0x"}, 15);
            r.bitsB = {"0x", "1x"};
            r.bitsC = {"0x", "1x"};
            r.fromOne = true;
            break;
        case 5:
            set(0, 99, 9999, {"DM"}, {"IR"}, 15);
            break;
        case 6:
            set(0, 254, 9999, {"DT"}, {"R"}, 15);
            break;
        case 7:
            set(1, 1, 9999, {"R"}, {"M"}, 0);
            break;
        case 8:
            set(1, 247, 9999, {"MW"}, {"M"}, 0);
            break;
        case 9:
            set(1, 101, 9999, {"W"}, {"M"}, 0);
            break;
        case 10:
            set(1, 254, 9999, {"R", "D"}, {"M"}, 0);
            break;
        case 11:
            set(0, 31, 9999, {"D"}, {"M"}, 15);
            break;
        case 12:
            set(1, 31, 9999, {"D"}, {"M"}, 15);
            break;
        case 13:
            set(0, 254, 9999, {"D"}, {"M"}, 0);
            break;
        case 14:
            set(1, 1, 9999, {"MW"}, {"MW"}, 15);
            break;
        case 15:
            set(1, 1, 9999, {"N7", "N9", "N10", "N11", "N12", "N13", "N14", "N15"},
                {"B3", "B9", "B10", "B11", "B12", "B13"}, 15);
            break;
        case 17:
            set(0, 253, 9999, {"R"}, {"F"}, 0);
            break;
        case 18:
            set(0, 0, 9999, {"D"}, {"M"}, 15);
            break;
        case 19:
        case 25:
            set(1, 247, 65535, {"3x", "4x", "5x", "6x"}, {"0x", "4x"}, 15);
            r.bitsB = {"0x", "1x", "3x", "4x"};
            r.bitsC = {"0x"};
            r.fromOne = true;
            break;
        case 20:
            set(1, 247, 9999, {"D", "SD", "Z", "T", "C", "C_double"},
                {"M", "SM", "Y", "X", "S", "T", "C"}, 15);
            r.bitsC = {"M", "SM"};
            break;
        case 21:
            set(1, 1, 65535, {"4x"}, {"0x", "4x"}, 15);
            r.bitsC = {"0x"};
            r.fromOne = true;
            break;
        case 22:
            set(0, 31, 9999, {"MW"}, {"MX"}, 15);
            break;
        case 23:
            set(1, 255, 9999, {"D", "T", "C", "C_double"}, {"M", "Y", "S"}, 0);
            r.bitsB = {"X", "M", "Y", "S"};
            r.bitsC = {"M"};
            break;
        case 24:
        case 37:
            set(1, 255, 20000, {"DM", "TM_KEYENCE"}, {"R"}, 255);
            break;
        case 26:
            set(0, 0, 65535, {"WM", "WR"}, {"R", "M"}, 15);
            break;
        case 27:
            set(0, 0, 65535, {"D", "H", "W", "CIO", "A"}, {"H", "W", "CIO", "A"}, 15);
            break;
        case 28:
            set(1, 247, 65535, {"D", "Z", "V"}, {"Y", "M", "S"}, 15);
            r.bitsB = {"X", "Y", "M", "S", "T", "C"};
            r.bitsC = {"M", "S"};
            break;
        case 29:
        case 30:
            set(1, 255, 4094, {"AIW", "AQW", "VW"}, {"M", "Q", "I"}, 7);
            r.bitsC = {"Q", "M"};
            r.maxBit = 31;
            r.stride = 2;
            break;
        case 31:
            set(1, 255, 255, protocol31Modules(kParameterWord), protocol31Modules(kParameterBitA),
                0);
            r.bitsB = protocol31Modules(kParameterBitB);
            break;
        case 32:
            set(1, 255, 2564, {"W"}, {"M"}, 15);
            r.maxBit = 127;
            r.stride = 2;
            break;
        case 33:
            set(0, 255, 65535, {"R"}, {"M"}, 15);
            r.maxBit = 9999;
            r.stride = 2;
            r.fromOne = true;
            break;
        case 35:
            set(0, 255, 2047, {"AI", "AQ", "V"}, {"M", "X", "Y"}, 0);
            r.maxBit = 2047;
            break;
        case 36:
            set(0, 255, 8000, {"DM"}, {"M"}, 7);
            r.maxBit = 127;
            break;
        case 40:
            set(0, 255, 9999, {"DM"}, {}, 7);
            r.maxBit = 9999;
            break;
        default:  // 4, 38, 39 and every number without a row of its own
            set(1, 1, 9999, {"D"}, {"M"}, 0);
            break;
    }
    return r;
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

uint8_t codeOf(uint8_t p, std::string_view n, int selector) {
    const bool word = selector == 1;
    auto is = [&n](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    if (is({"0x", "IR", "F", "MX"}))
        return 0;
    if (n == "Y")
        return isOneOf(p, {28, 35}) ? 32 : 0;
    if (n == "R") {
        if (p == 6)
            return 0;
        if (p == 17)
            return 4;
        if (isOneOf(p, {24, 37}))
            return 16;
        if (p == 26)
            return 32;
        return 2;
    }
    if (n == "1x")
        return 128;
    if (n == "3x")
        return 130;
    if (n == "4x")
        return 2;
    if (n == "5x")
        return 66;
    if (n == "6x")
        return 34;
    if (is({"B", "VB"}))
        return 1;
    if (is({"W", "VW"})) {
        if (p == 27)
            return word ? 162 : 48;
        if (isOneOf(p, {29, 30}))
            return 194;
        return 2;
    }
    if (n == "DM")
        return isOneOf(p, {24, 37}) ? 178 : 2;
    if (n == "VD")
        return 4;
    if (n == "D") {
        if (isOneOf(p, {4, 11, 12, 13, 18, 38, 39}))
            return 2;
        if (p == 10)
            return 18;
        if (isOneOf(p, {20, 23}))
            return 130;
        if (p == 27)
            return word ? 130 : 16;
        if (p == 28)
            return 34;
        if (p == 36)
            return 194;
        return 4;
    }
    if (n == "SD")
        return 146;
    if (n == "Z")
        return 162;
    if (n == "T") {
        if (p == 27)
            return word ? 210 : 96;
        return word ? 178 : 80;
    }
    if (n == "C") {
        if (p == 27)
            return word ? 226 : 112;
        return word ? 194 : 96;
    }
    if (n == "C_double")
        return p == 23 ? 212 : 210;
    if (n == "CTH")
        return 50;
    if (n == "CTC")
        return 66;
    if (n == "X")
        return p == 35 ? 128 : 16;
    if (n == "SM")
        return 48;
    if (n == "S")
        return 64;
    if (n == "M") {
        if (isOneOf(p, {20, 23}))
            return word ? 34 : 32;
        if (p == 26)
            return 64;
        if (p == 28)
            return 48;
        if (isOneOf(p, {29, 30, 32, 35, 36}))
            return 16;
        return 0;
    }
    if (n == "MW")
        return isOneOf(p, {8, 14, 22}) ? 2 : 0;
    if (n == "TM_KEYENCE")
        return 194;
    if (n == "DT")
        return 2;
    // The names below occur only in the lists of one protocol (27, 26 or 28); their codes do not
    // depend on the protocol number.
    if (n == "H")
        return word ? 242 : 128;
    if (n == "CIO")
        return word ? 178 : 64;
    if (n == "A")
        return word ? 194 : 80;
    if (n == "WM")
        return 194;
    if (n == "WR")
        return 162;
    if (n == "V")
        return p == 28 ? 178 : 194;
    if (n == "Q")
        return 32;
    if (n == "I")
        return 128;
    if (n == "AIW")
        return 162;
    if (n == "AQW")
        return 178;
    if (n == "B3")
        return 48;
    if (n == "B9")
        return 144;
    if (n == "B10")
        return 160;
    if (n == "B11")
        return 176;
    if (n == "B12")
        return 192;
    if (n == "B13")
        return 208;
    if (n == "N7")
        return 66;
    if (n == "N9")
        return 98;
    if (n == "N10")
        return 162;
    if (n == "N11")
        return 178;
    if (n == "N12")
        return 194;
    if (n == "N13")
        return 210;
    if (n == "N14")
        return 226;
    if (n == "N15")
        return 242;
    if (n == "RP")
        return 112;
    if (n == "RWI")
        return 114;
    if (n == "RDI")
        return 116;
    if (n == "LW")
        return 146;
    if (n == "TM")
        return 81;
    if (n == "AI")
        return 162;
    if (n == "AQ")
        return 178;
    return 0;
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
    if (protocol != 31)
        return none;
    return protocol31Parameters(static_cast<int>(which), moduleIndex);
}

Vocabulary makeVocabulary(uint8_t protocol) {
    Vocabulary v;
    v.protocol = protocol;
    v.displayFormats = {"Unsigned", "HEX", "Signed"};
    v.alarmWordTypes = internalWordTypes();

    Row r = rowOf(protocol);
    v.stationMin = r.stationMin;
    v.stationMax = r.stationMax;
    v.ownStationOnly = isOneOf(protocol, {14, 21});
    v.maxWordRegister = r.maxWord;
    v.maxBitRegister = r.maxBit != 0 ? r.maxBit : r.maxWord;
    v.highestBitIndex = r.highestBit;
    v.stride = r.stride;
    v.baudOffset = r.baudOffset;
    v.addressesFromOne = r.fromOne || protocol == 31;
    v.octalAddresses = protocol == 7;
    v.hexAddresses = protocol == 1;
    v.bitIndexSelectable = isOneOf(protocol, {1, 2, 5, 6, 7, 14, 15, 21, 27, 29, 30, 32, 36});
    v.alarmAllowed = !isOneOf(protocol, {31, 36});

    v.registerCountShown = protocol != 31;
    v.bitNumberShown = v.bitIndexSelectable;
    v.offsetShown = protocol == 1;
    v.coilOperationsShown = protocol != 1;

    v.alarmWordTypes.insert(v.alarmWordTypes.end(), r.words.begin(), r.words.end());
    v.wordTypes = std::move(r.words);
    v.bitTypesB = r.bitsB.empty() ? r.bitsA : std::move(r.bitsB);
    v.bitTypesC = r.bitsC.empty() ? r.bitsA : std::move(r.bitsC);
    v.bitTypesA = std::move(r.bitsA);
    if (protocol != 31) {
        const auto& internal = internalWordTypes();
        v.wordTypes.insert(v.wordTypes.end(), internal.begin(), internal.end());
    }
    return v;
}

uint8_t typeCodeOfName(uint8_t protocol, const std::string& name, int selector) {
    return codeOf(protocol, name, selector);
}

uint8_t registerTypeCode(const Vocabulary& vocabulary, int typeIndex, int selector) {
    const Names& names = listOf(vocabulary, selector);
    if (names.empty())
        return 0;
    return codeOf(vocabulary.protocol, clampedName(names, typeIndex), selector);
}

uint8_t recipeTypeCode(const Vocabulary& vocabulary, int typeIndex) {
    const Names& names = vocabulary.alarmWordTypes;
    if (names.empty())
        return 0;
    const std::string_view n = clampedName(names, typeIndex);
    const uint8_t p = vocabulary.protocol;
    if (n == "M") {
        if (isOneOf(p, {20, 23}))
            return 32;
        return p == 28 ? 50 : 0;
    }
    if (n == "R") {
        if (p == 6)
            return 0;
        if (p == 17)
            return 4;
        if (p == 26)
            return 32;
        return 2;
    }
    if (n == "D" && p == 28)
        return 226;
    if (n == "C_double")
        return 210;
    if (n == "X")
        return p == 28 ? 18 : 16;
    if (n == "S")
        return p == 28 ? 66 : 64;
    if (n == "N7")
        return 114;
    if (n == "N9")
        return 146;
    for (std::string_view none : {"Y", "Q", "I", "AIW", "AQW", "AI", "AQ", "CTH", "CTC", "WR"}) {
        if (n == none)
            return 0;
    }
    return codeOf(p, n, 1);
}

uint8_t startCoilTypeCode(const Vocabulary& vocabulary, int typeIndex) {
    const Names& names = vocabulary.bitTypesC;
    if (names.empty())
        return 0;
    const std::string_view n = clampedName(names, typeIndex);
    const uint8_t p = vocabulary.protocol;
    if (n == "X")
        return p == 28 ? 18 : 16;
    if (n == "Y") {
        if (p == 28)
            return 34;
        return p == 35 ? 32 : 0;
    }
    if (n == "M") {
        if (p == 28)
            return 50;
        return isOneOf(p, {29, 30, 35, 36}) ? 18 : 0;
    }
    if (n == "S")
        return p == 28 ? 66 : 0;
    if (n == "T")
        return p == 28 ? 82 : 0;
    if (n == "C")
        return p == 28 ? 98 : 0;
    if (n == "Q")
        return isOneOf(p, {29, 30}) ? 34 : 0;
    return 0;
}

}  // namespace vanta
