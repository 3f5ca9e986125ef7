#pragma once
// Everything that differs from one PLC protocol to the next, as one row of data per protocol:
// its names, register vocabulary and limits, the codes of its type names, the start values of
// bindings and settings, the serial defaults of the PLC selection, the switches of the property
// pages and dialogs, and how the alarm block addresses its start coil. The model, the project,
// the pages and the dialogs ask the profile; none of them compares protocol numbers.
//
// The rows are in ProtocolProfiles.cpp; docs/protocol-profiles.md describes every field and how
// to add a protocol.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vanta {

// Protocol numbers run from 1 to this; the number is the protocol's row in the table.
inline constexpr int kProtocolCount = 40;

using TypeNames = std::vector<std::string>;

// The protocol's own register types (the panel-internal types are added by the vocabulary).
struct TypeLists {
    TypeNames words{};  // word registers
    TypeNames bitsA{};  // the function key's coil targets
    TypeNames bitsB{};  // lamps; empty: the same as bitsA
    TypeNames bitsC{};  // the alarm list's start coil; empty: the same as bitsA
};

// A type code of this protocol that differs from the general name table: as a word-list type
// (selector 1) and as a bit-list type.
struct TypeCodeOverride {
    std::string name{};
    uint8_t word = 0;
    uint8_t bit = 0;
};
struct NamedCode {
    std::string name{};
    uint8_t code = 0;
};

struct NumberRange {
    int min = 0;
    int max = 0;
};

// Start values of a new component's binding. The address differs by kind: the common record of
// every kind starts at `address`, the lamp and key base replaces it, and the function key,
// register, dynamic text and bar/trend replace it again with their own.
struct BindingDefaults {
    uint8_t station = 1;
    uint16_t address = 0;      // static text, picture
    uint16_t lampAddress = 0;  // lamp
    uint16_t keyAddress = 0;   // function key
    uint16_t registerAddress = 0;
    uint16_t dynamicAddress = 0;
    uint16_t barAddress = 0;  // bar graph and trend
};

// Start values of the alarm list's start coil.
struct AlarmDefaults {
    uint8_t station = 1;           // the list as constructed
    uint8_t newStation = 1;        // the list of a new project
    uint16_t newStartAddress = 0;  // the list of a new project
};

// Serial parameters of "PLC选择": the baud list shown and the values set when the protocol is
// chosen. A value of -1 leaves the setting as it was.
struct SerialDefaults {
    std::vector<std::string> bauds = {"1200", "2400", "4800", "9600", "19200", "38400", "115200"};
    const char* baud = "9600";  // chosen from that list
    uint8_t dataBits = 7;       // 7 or 8
    uint8_t parity = 2;         // 0 none, 1 odd, 2 even
    uint8_t stopBits = 1;       // 1 or 2
    int option = 0;             // 0 "232", 1 "485"
    // The E5 time-out: the protocol uses it (its edit is shown) when set; also the start value.
    int e5Timeout = -1;
    int panelStation = -1;  // also the start value of a new project
};

// The panel settings of "设置Orbis".
struct PanelDefaults {
    uint8_t plcStation = 1;                   // the PLC station of a new project or protocol
    uint16_t firstControlRegister = 0;        // the control register number starts here
    bool controlTypeFixed = false;            // the type combo stays at index 0 (disabled)
    bool controlTypeResetOnChange = false;    // a protocol change resets the type index to 0
    bool controlBitsClearedOnChange = false;  // a protocol change clears the control bits
    bool plcStationFixed = false;             // the station edit stays disabled
    const char* labelSeparator = "";          // between type name and number in "Respond ..."
};

// How the alarm header (bytes 4..9) addresses the start coil.
enum class AlarmTypeCode : uint8_t {
    BitListB,         // the code of the type in bit list B
    BitListBPlusTwo,  // the same, plus 2
    BitListA,         // the code of the type in bit list A
    ByIndex,          // AlarmCoilEncoding::typeCodes by type index (the last one beyond)
    NextWordType,     // the code of the word-list type after the chosen index
    StartCoil,        // the start-coil code of the type in bit list C
};
enum class AlarmByte : uint8_t {
    SubAddress,         // the sub-address
    Zero,               // 0
    AddressBits,        // (start address - bias) & mask
    BitOffset,          // the bit offset
    SubAddressOddByte,  // sub-address + 8 for an odd start address
};
struct AlarmCoilEncoding {
    AlarmTypeCode type = AlarmTypeCode::BitListB;
    std::vector<uint8_t> typeCodes{};  // for ByIndex
    int addressBias = 0;               // subtracted from the start address first
    int highShift = 8;                 // byte 5: (address - bias) >> highShift
    int lowShift = 0;                  // byte 6: (address - bias) >> lowShift
    int width = 2;                     // byte 7; kAlarmWidthOfType: the type code's width
    AlarmByte subAddressByte = AlarmByte::SubAddress;  // byte 8
    int subAddressMask = 0;
    AlarmByte bitByte = AlarmByte::SubAddress;  // byte 9
    int bitMask = 0;
};
inline constexpr int kAlarmWidthOfType = -1;

// How the alarm dialog labels the coils of its grid (a protocol with bitsInRegisters labels
// them "%04x %02x %02x": address, sub-address and bit of the start register).
enum class AlarmLabels : uint8_t {
    Decimal,         // "%d" of each coil's address
    Slash,           // "/%d"
    Octal,           // "%o"
    PerCoil,         // "%d", one address per coil; the sub-address is not asked for
    WordBits,        // "%d.%x": word address and bit within the register's width
    WordBitsJoined,  // "%d%x"
    FileBits,        // ":%d/%x"
    ByteBits,        // "%d.%x" counted in bytes (8 bits to an address)
};

struct ProtocolProfile {
    uint8_t number = 0;  // 1..kProtocolCount; 0 for the row of numbers outside the table
    const char* english = "";
    const char* chinese = "";

    // --- register vocabulary ---
    TypeLists types{};
    // Module and parameter instead of register type and address (the KTC parameter tables):
    // the type lists are module lists, a binding's sub-type is its parameter, the sub-address
    // holds the parameter number, records carry type value and block word, there is no register
    // count and no panel-internal types.
    bool moduleAddressing = false;
    NumberRange stations{1, 1};
    bool ownStationOnly = false;  // bindings may name only the panel's own station
    uint32_t maxWord = 9999;
    uint32_t maxBit = 0;  // 0: the same as maxWord
    int highestBit = 0;   // highest bit index within a word
    bool bitIndexSelectable = false;
    uint8_t stride = 1;                // address step between consecutive control registers
    bool addressesFromOne = false;     // address spins of the component pages start at 1
    bool barAddressesFromOne = false;  // the bar/trend page's address spin starts at 1
    bool octalAddresses = false;       // addresses are typed and shown in octal
    TypeNames octalTypes{};            // lamp and coil addresses of these types are octal
    bool hexEntry = false;             // station and address are typed in hexadecimal

    // --- type codes (the general name table applies where these say nothing) ---
    std::vector<TypeCodeOverride> typeCodes{};
    std::vector<NamedCode> recipeCodes{};
    std::vector<NamedCode> startCoilCodes{};

    // --- what the protocol offers ---
    bool hasCoils = true;        // set-coil actions and their coil operations
    bool recipesAllowed = true;  // recipe actions of the function key
    bool alarmAllowed = true;    // the alarm list
    // Bits are bit numbers inside word registers (the bit types are the word types): the lamp's
    // offset, the alarm list's bit offset and the set-register key's bit number are offered.
    bool bitsInRegisters = false;
    bool keyCoilsFromListA = false;       // a set-coil key sends the type code of bit list A
    bool bitAddressTimesSixteen = false;  // bit targets are sent as address x 16 + bit number
    bool keyRegisterUpToMaxWord = false;  // a set-register key's address runs to maxWord
    // Bit types that name whole coils (no bit number) and bit types that are registers (with
    // one), where a protocol's list mixes them.
    TypeNames wholeCoilTypes{};
    TypeNames registerBitTypes{};

    // --- register counts and settable registers by type ---
    TypeNames countedTypes{};             // only these keep an editable count; empty: every type
    TypeNames doubleWordTypes{};          // of the others, these take two registers, the rest one
    TypeNames singleWordTypes{};          // register page: one register, not editable
    TypeNames readOnlyTypes{};            // register page: "设定" disabled
    bool readOnlyClearsSettable = false;  // choosing such a type also clears "设定"
    // The 32-bit counters C200..C255: a register of this type code takes two registers and its
    // limits are the counter numbers 200..255. 0: none.
    uint8_t counterTypeCode = 0;

    // --- defaults ---
    BindingDefaults bindings{};
    AlarmDefaults alarmDefaults{};
    PanelDefaults panel{};
    SerialDefaults serial{};
    uint8_t baudOffset = 0;             // added to the stored baud index in the image header
    bool panelStationShown = false;     // the panel's own station is asked for in "PLC选择"
    NumberRange panelStations{0, 255};  // what that station may be

    // --- alarm block ---
    AlarmCoilEncoding alarmCoil{};
    AlarmLabels alarmLabels = AlarmLabels::Decimal;

    uint32_t maxBitRegister() const { return maxBit != 0 ? maxBit : maxWord; }
    const TypeNames& bitsB() const { return types.bitsB.empty() ? types.bitsA : types.bitsB; }
    const TypeNames& bitsC() const { return types.bitsC.empty() ? types.bitsA : types.bitsC; }
};

// The profile of a protocol number; numbers outside 1..kProtocolCount get the default row.
const ProtocolProfile& protocolProfile(int protocol);

// Type codes: the protocol's own code of the name, else the general name table's, else 0. The
// low 4 bits are the data width in bytes.
uint8_t typeCodeOf(const ProtocolProfile& profile, std::string_view name, bool wordList);
// The type byte of a recipe action: the recipe table first, then as a word-list type.
uint8_t recipeCodeOf(const ProtocolProfile& profile, std::string_view name);
// The type byte of the alarm list's start coil.
uint8_t startCoilCodeOf(const ProtocolProfile& profile, std::string_view name);

bool containsName(const TypeNames& names, std::string_view name);

}  // namespace vanta
