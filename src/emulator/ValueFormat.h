#pragma once
// How the panel shows a register's value and takes a new one from its keypad: the configured
// digits, decimals and sign, decimal or HEX/BCD, engineering scaling and input limits, all as the
// register's download record gives them.

#include <cstdint>
#include <optional>
#include <string>

namespace vanta {

struct NumberFormat {
    uint8_t cells = 5;     // shown width in character cells (record byte 9)
    uint8_t digits = 5;    // digits of the number, recovered from the cells
    uint8_t decimals = 0;  // digits after the point (record byte 10)
    bool isSigned = false;
    bool decimal = true;  // false: HEX/BCD, the raw value as hexadecimal digits
    uint8_t bytes = 2;    // bytes of the value, 1..4
    // Input limits on the raw value (record bytes 11..18), compared signed or unsigned.
    bool hasLimits = false;
    int32_t inputHigh = 0;
    int32_t inputLow = 0;
    // Engineering data: raw inputLow..inputHigh shown as engLow..engHigh (record bytes 19..26).
    bool scaled = false;
    int32_t engHigh = 0;
    int32_t engLow = 0;
};

// The digits of a register from its shown width, sign and decimals (the record keeps only the
// width: digits + sign + 1 for the point + 1 more when the decimals reach the digits).
uint8_t digitsFromCells(uint8_t cells, bool isSigned, uint8_t decimals);

// The raw value of `bytes` bytes as the register holds it: sign-extended when signed.
int64_t rawValue(uint32_t raw, uint8_t bytes, bool isSigned);

// The value shown, in units of the last decimal: the raw value, or its engineering value.
int64_t shownValue(const NumberFormat& format, uint32_t raw);

// The text of the field, exactly `cells` characters, right-aligned: "-123.45", "  0.05", "00FF"
// (HEX/BCD, zero-padded to the digits); all '*' when the value does not fit.
std::string formatRegister(const NumberFormat& format, uint32_t raw);

// A number typed on the keypad: its digits (at most the register's) and its sign.
struct Entry {
    std::string digits;  // '0'..'9'
    bool negative = false;
};

// The field while a value is typed: the typed number in the field's format (blank when nothing
// is typed).
std::string formatEntry(const NumberFormat& format, const Entry& entry);

// The raw value to write for a typed number, or nothing when it lies outside the input limits
// (or the engineering range) or does not fit the register.
std::optional<uint32_t> rawFromEntry(const NumberFormat& format, const Entry& entry);

}  // namespace vanta
