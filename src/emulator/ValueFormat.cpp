#include "emulator/ValueFormat.h"

#include <algorithm>
#include <cstdio>

namespace vanta {

namespace {

// The limits and scale ends as the register compares them: signed, or as unsigned 32-bit values.
int64_t inDomain(int32_t value, bool isSigned) {
    return isSigned ? static_cast<int64_t>(value)
                    : static_cast<int64_t>(static_cast<uint32_t>(value));
}

// numerator / denominator rounded to the nearest integer, halves away from zero.
int64_t divideRounded(int64_t numerator, int64_t denominator) {
    const bool negative = (numerator < 0) != (denominator < 0);
    const uint64_t n =
        numerator < 0 ? 0 - static_cast<uint64_t>(numerator) : static_cast<uint64_t>(numerator);
    const uint64_t d = denominator < 0 ? 0 - static_cast<uint64_t>(denominator)
                                       : static_cast<uint64_t>(denominator);
    const int64_t q = static_cast<int64_t>((n + d / 2) / d);
    return negative ? -q : q;
}

bool scalingApplies(const NumberFormat& f) {
    return f.scaled && f.decimal && f.inputHigh != f.inputLow && f.engHigh != f.engLow;
}

// "123.45" from 12345 with 2 decimals; "0.05" from 5.
std::string withPoint(std::string digits, uint8_t decimals) {
    if (decimals == 0)
        return digits;
    if (digits.size() <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    digits.insert(digits.size() - decimals, ".");
    return digits;
}

std::string fitted(const std::string& text, uint8_t cells) {
    if (text.size() > cells)
        return std::string(cells, '*');
    return std::string(cells - text.size(), ' ') + text;
}

std::string hexDigits(uint64_t value, size_t minimum) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    std::string text = buffer;
    if (text.size() < minimum)
        text.insert(0, minimum - text.size(), '0');
    return text;
}

uint64_t widthMask(uint8_t bytes) {
    return bytes >= 8 ? ~0ULL : (1ULL << (8 * bytes)) - 1;
}

bool fits(int64_t raw, const NumberFormat& f) {
    const int bits = 8 * std::clamp<int>(f.bytes, 1, 4);
    if (f.isSigned)
        return raw >= -(int64_t{1} << (bits - 1)) && raw < (int64_t{1} << (bits - 1));
    return raw >= 0 && raw < (int64_t{1} << bits);
}

}  // namespace

uint8_t digitsFromCells(uint8_t cells, bool isSigned, uint8_t decimals) {
    const int digits = cells - (isSigned ? 1 : 0) - (decimals > 0 ? 1 : 0);
    return static_cast<uint8_t>(std::max(digits, 0));
}

int64_t rawValue(uint32_t raw, uint8_t bytes, bool isSigned) {
    const int bits = 8 * std::clamp<int>(bytes, 1, 4);
    const uint64_t value = raw & widthMask(static_cast<uint8_t>(bits / 8));
    if (isSigned && bits < 64 && (value >> (bits - 1)) & 1)
        return static_cast<int64_t>(value) - (int64_t{1} << bits);
    return static_cast<int64_t>(value);
}

int64_t shownValue(const NumberFormat& f, uint32_t raw) {
    const int64_t value = rawValue(raw, f.bytes, f.isSigned);
    if (!scalingApplies(f))
        return value;
    const int64_t low = inDomain(f.inputLow, f.isSigned);
    const int64_t high = inDomain(f.inputHigh, f.isSigned);
    const int64_t span = static_cast<int64_t>(f.engHigh) - f.engLow;
    return f.engLow + divideRounded((value - low) * span, high - low);
}

std::string formatRegister(const NumberFormat& f, uint32_t raw) {
    if (!f.decimal) {
        const uint64_t value = raw & widthMask(std::clamp<uint8_t>(f.bytes, 1, 4));
        const size_t minimum = std::max<size_t>(f.digits, f.decimals + (f.decimals ? 1 : 0));
        return fitted(withPoint(hexDigits(value, minimum), f.decimals), f.cells);
    }
    const int64_t value = shownValue(f, raw);
    const uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string text = withPoint(std::to_string(magnitude), f.decimals);
    if (value < 0)
        text.insert(0, "-");
    return fitted(text, f.cells);
}

std::string formatEntry(const NumberFormat& f, const Entry& entry) {
    if (entry.digits.empty())
        return std::string(f.cells, ' ');
    std::string digits = entry.digits;
    // Leading zeros typed first are not shown (the point keeps one in front of it).
    const size_t first = std::min(digits.find_first_not_of('0'), digits.size() - 1);
    digits.erase(0, first);
    std::string text = withPoint(digits, f.decimals);
    if (entry.negative && f.decimal)
        text.insert(0, "-");
    return fitted(text, f.cells);
}

std::optional<uint32_t> rawFromEntry(const NumberFormat& f, const Entry& entry) {
    if (entry.digits.empty() || entry.digits.size() > 10)
        return std::nullopt;
    uint64_t typed = 0;
    for (char c : entry.digits)
        typed = typed * (f.decimal ? 10 : 16) + static_cast<uint64_t>(c - '0');
    int64_t raw = 0;
    if (!f.decimal) {
        if (typed > widthMask(std::clamp<uint8_t>(f.bytes, 1, 4)))
            return std::nullopt;
        raw = rawValue(static_cast<uint32_t>(typed), f.bytes, f.isSigned);
    } else {
        const int64_t value =
            entry.negative ? -static_cast<int64_t>(typed) : static_cast<int64_t>(typed);
        if (scalingApplies(f)) {
            const int64_t engLow = std::min(f.engLow, f.engHigh);
            const int64_t engHigh = std::max(f.engLow, f.engHigh);
            if (value < engLow || value > engHigh)
                return std::nullopt;
            const int64_t low = inDomain(f.inputLow, f.isSigned);
            const int64_t high = inDomain(f.inputHigh, f.isSigned);
            raw = low + divideRounded((value - f.engLow) * (high - low),
                                      static_cast<int64_t>(f.engHigh) - f.engLow);
        } else {
            raw = value;
        }
    }
    if (f.hasLimits && !scalingApplies(f)) {
        const int64_t low = inDomain(f.inputLow, f.isSigned);
        const int64_t high = inDomain(f.inputHigh, f.isSigned);
        if (raw < std::min(low, high) || raw > std::max(low, high))
            return std::nullopt;
    }
    if (!fits(raw, f))
        return std::nullopt;
    return static_cast<uint32_t>(static_cast<uint64_t>(raw) &
                                 widthMask(std::clamp<uint8_t>(f.bytes, 1, 4)));
}

}  // namespace vanta
