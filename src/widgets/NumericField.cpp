#include "widgets/NumericField.h"

#include <cstdio>
#include <type_traits>

namespace vanta {

namespace {

// Beyond any 32-bit value: numbers are read up to here and refused by the range test.
constexpr int64_t kReadLimit = int64_t{1} << 40;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// Digits in `base` (every character a digit), saturating at kReadLimit.
bool readDigits(const std::string& digits, int base, int64_t& out) {
    if (digits.empty())
        return false;
    int64_t v = 0;
    for (char c : digits) {
        int d = 0;
        if (base == 16) {
            if (!isHexDigit(c))
                return false;
            d = hexDigitValue(c);
        } else {
            if (c < '0' || c > '9')
                return false;
            d = c - '0';
            if (d >= base)
                return false;
        }
        v = v * base + d;
        if (v > kReadLimit)
            v = kReadLimit;
    }
    out = v;
    return true;
}

// A range limit or a clamped value as the 32-bit value the control holds (bit pattern for
// unsigned values above 2147483647).
int32_t fromDouble(double d) {
    if (d < -2147483648.0)
        d = -2147483648.0;
    if (d > 4294967295.0)
        d = 4294967295.0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(d)));
}

}  // namespace

int32_t NumericField::boundValue() const {
    return std::visit(
        [](const auto& t) -> int32_t {
            using T = std::decay_t<decltype(t)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return 0;
            else
                return static_cast<int32_t>(*t);
        },
        target_);
}

void NumericField::write(int32_t v) {
    std::visit(
        [v](auto& t) {
            using T = std::decay_t<decltype(t)>;
            if constexpr (!std::is_same_v<T, std::monostate>) {
                using Field = std::remove_pointer_t<T>;
                *t = static_cast<Field>(static_cast<uint32_t>(v));
            }
        },
        target_);
}

bool NumericField::parse(const std::string& text, int64_t& out) const {
    if (hex_)
        return readDigits(text, 16, out);
    if (isOctal())
        return readDigits(text, 8, out);
    if (!text.empty() && text[0] == '-') {
        if (!signed_)
            return false;
        int64_t magnitude = 0;
        if (!readDigits(text.substr(1), 10, magnitude))
            return false;
        out = -magnitude;
        return true;
    }
    return readDigits(text, 10, out);
}

int NumericField::validateText(const std::string& text) const {
    if (text.empty())
        return kNumberEmpty;
    if (text == "-")
        return signed_ ? kNumberLoneMinus : kNumberInvalid;
    int64_t v = 0;
    if (!parse(text, v))
        return kNumberInvalid;
    const double d = static_cast<double>(v);
    if (d > max_ || d < min_)
        return kNumberOutOfRange;
    return kNumberValid;
}

int32_t NumericField::value() const {
    if (validate() != kNumberValid)
        return 0;
    int64_t v = 0;
    parse(text_, v);
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

std::string NumericField::format(int32_t v) const {
    char buffer[16];
    const auto u = static_cast<uint32_t>(v);
    if (hex_)
        std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(u));
    else if (isOctal())
        std::snprintf(buffer, sizeof buffer, "%o", static_cast<unsigned>(u));
    else if (signed_)
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(v));
    else
        std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(u));
    return buffer;
}

void NumericField::setValue(int32_t v) {
    // The value as the control compares it; a lower limit above the upper one yields the upper.
    double d = signed_ ? static_cast<double>(v) : static_cast<double>(static_cast<uint32_t>(v));
    if (d < min_)
        d = min_;
    if (d > max_)
        d = max_;
    v = fromDouble(d);
    text_ = format(v);
    write(v);
}

void NumericField::setRange(double min, double max) {
    min_ = min;
    max_ = max;
    if (min >= max) {
        enabled_ = false;
        setValue(fromDouble(max));
    } else {
        enabled_ = true;
    }
    // The number the text shows, whether or not it lies in the new range (0 when it is none).
    int64_t shown = 0;
    if (!parse(text_, shown))
        shown = 0;
    const double d = static_cast<double>(shown);
    if (d > max_)
        setValue(fromDouble(max_));
    else if (d < min_)
        setValue(fromDouble(min_));
}

void NumericField::increment(int n) {
    const int64_t delta = static_cast<int64_t>(n) * step_;
    const int32_t v = value();
    if (signed_) {
        double d = static_cast<double>(static_cast<int64_t>(v) + delta);
        if (d > max_)
            d = max_;
        if (d < min_)
            d = min_;
        setValue(fromDouble(d));
        return;
    }
    const uint32_t result = static_cast<uint32_t>(v) + static_cast<uint32_t>(delta);
    const double r = static_cast<double>(result);
    if (r > max_ + static_cast<double>(delta))
        setValue(fromDouble(min_));
    else if (r > max_)
        setValue(fromDouble(max_));
    else if (r < min_)
        setValue(fromDouble(min_));
    else
        setValue(static_cast<int32_t>(result));
}

bool NumericField::writeThrough(int code) {
    switch (code) {
        case kNumberValid:
            write(value());
            return true;
        case kNumberEmpty:
        case kNumberLoneMinus:
            write(0);
            return true;
        default:
            return false;
    }
}

NumericField::Outcome NumericField::typeCharacter(char ch, size_t selectionStart,
                                                  size_t selectionLength) {
    Outcome outcome;
    if (selectionStart > text_.size())
        selectionStart = text_.size();
    if (selectionLength > text_.size() - selectionStart)
        selectionLength = text_.size() - selectionStart;
    outcome.cursor = selectionStart + selectionLength;
    if (ch == ' ')
        return outcome;
    const int32_t remembered = value();
    std::string candidate = text_;
    candidate.replace(selectionStart, selectionLength, 1, ch);
    text_ = candidate;
    const int code = validate();
    if (writeThrough(code)) {
        outcome.written = true;
        outcome.cursor = selectionStart + 1;
        return outcome;
    }
    setValue(remembered);
    outcome.written = true;
    outcome.selectAll = true;
    outcome.cursor = text_.size();
    return outcome;
}

NumericField::Outcome NumericField::textEdited(const std::string& text) {
    Outcome outcome;
    text_ = text;
    outcome.cursor = text_.size();
    const int code = validate();
    outcome.written = writeThrough(code);
    outcome.selectAll = !outcome.written;
    return outcome;
}

}  // namespace vanta
