#pragma once
// The rules of the register's property page. The page binds its controls to the register's
// fields; when a control changes it writes the field, calls the matching rule below, then shows
// the fields again and takes enabling, visibility and ranges from registerPageState().

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/CRegister.h"
#include "model/PageRanges.h"

namespace vanta {

// What the page shows besides the bound values.
struct RegisterPageState {
    bool signedEnabled = true;          // "有符号数": decimal mode only
    bool decimalsEnabled = true;        // "小数位:": decimal mode only
    bool settableEnabled = true;        // "设定"
    bool passwordEnabled = false;       // "加密": while "设定" is checked
    bool limitControlsEnabled = false;  // input-limit edits and data-kind combo: while "上下限"
    bool countEditable = true;          // "寄存器个数:"
    bool subTypeShown = false;          // "子类型:" (protocol 31)
    bool countShown = true;             // register count (never under protocol 31)
    bool subAddressShown = false;       // sub-address edit and spin

    IntRange x;
    IntRange y;
    IntRange digits{1, CRegister::kMaxDigits};
    IntRange decimals{0, CRegister::kMaxDecimals};
    IntRange station;
    IntRange address;
    IntRange count;
    IntRange subAddress;
    bool octalAddress = false;  // protocol 7
    bool hexAddress = false;    // station and address typed in hexadecimal

    ValueRange limits;          // the four limit spins
    bool limitsSigned = false;  // signed entry in the limit edits
    bool limitsAsText = false;  // 32-bit data: typed limits are checked by registerPageLimitTyped

    std::vector<std::string> typeNames;     // "类型:": the word-register types
    std::vector<std::string> subTypeNames;  // "子类型:": parameters of the selected module
};

// `panelStation` is the panel's own station (the only one protocols 14 and 21 allow).
RegisterPageState registerPageState(const CRegister& reg, uint8_t panelStation);

// Types whose code is 81, 112, 114, 116 or 145 read one register of the lowest station.
bool typeFixesCountAndStation(uint8_t typeCode);

// Range of the four limit spins: from the width of (type code x register count) (a product of
// 112 counts as 2 bytes; the type value under protocol 31), max = 2^bits / (signed + 1) - 1,
// min = -(max + 1) x signed; 200 .. 255 for the protocol's 32-bit counter type (code 210 under
// protocols 20 and 23).
ValueRange registerLimitRange(const CRegister& reg);

// Whether the limits are 32-bit data whose typed texts the page checks itself: data width of 4
// bytes, more than one register, or protocol 31.
bool registerLimitsAsText(const CRegister& reg);

// --- rules, called after the control wrote its field ---

// "HEX/BCD" (mode 0) clears signed and decimals; the mode is stored with SetDisplayMode.
void registerPageModeChanged(CRegister& reg, uint8_t mode);
// Digits lowered below the decimals take the decimals down; decimals raised above the digits
// take the digits up. Both refit.
void registerPageDigitsChanged(CRegister& reg);
void registerPageDecimalsChanged(CRegister& reg);
// X or Y changed.
void registerPagePositionChanged(CRegister& reg);
// Unchecking "设定" unchecks "加密".
void registerPageSettableChanged(CRegister& reg);
// Register type changed: fixed count and station of the special types, the protocol's own
// rules (input registers not settable, counts of the double types), the protocol-31 values,
// then what registerPageShapeChanged does.
void registerPageTypeChanged(CRegister& reg, uint8_t panelStation);
// Double size, signed or register count changed (`shownSigned`: whether the limits were shown
// signed until now). For 32-bit data the limits are checked as the edits show them: signed
// values above 2147483647 become 2147483647 and below -2147483647 become -2147483647, unsigned
// negative values become 10. Under protocol 31 the parameter is reselected (the first one when
// the module has fewer) and its values refreshed. Then the register refits.
void registerPageShapeChanged(CRegister& reg, bool shownSigned);
// Protocol 31: the parameter ("子类型:") changed.
void registerPageSubTypeChanged(CRegister& reg);
// The address changed; under protocol 31 the block word follows it.
void registerPageAddressChanged(CRegister& reg);

enum class RegisterLimit : uint8_t { InputHigh, InputLow, EngHigh, EngLow };
// A limit typed while registerLimitsAsText: a number within -2147483647 .. 2147483647 (signed)
// or 0 .. 4294967295 (unsigned) is stored; outside, the upper input limit becomes 100 and the
// others keep their previous values. A text that is not (yet) a number changes nothing. Returns
// the text the edit shows. Otherwise the typed value is stored as it is (the spin's range
// applies).
std::string registerPageLimitTyped(CRegister& reg, RegisterLimit which, const std::string& text);

// --- text helpers of the limit edits ---
// The integer a text holds (optional sign, decimal digits); saturates far outside 64 bits.
std::optional<int64_t> parseLimitText(const std::string& text);
// A limit text checked for 32-bit data after a change of signedness (see
// registerPageShapeChanged); a text that is not a number reads as 0.
std::string validateLimitText(const std::string& text, bool isSigned);
// Whether a typed limit lies in the 32-bit range of its signedness.
bool limitTextInRange(const std::string& text, bool isSigned);

}  // namespace vanta
