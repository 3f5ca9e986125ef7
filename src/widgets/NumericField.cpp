#include "widgets/NumericField.h"

#include <algorithm>
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

int NumericField::maxDigits() const {
    const int base = hex_ ? 16 : isOctal() ? 8 : 10;
    auto digits = [base](double d) {
        uint64_t magnitude = static_cast<uint64_t>(d < 0 ? -d : d);
        int n = 1;
        while (magnitude >= static_cast<uint64_t>(base)) {
            magnitude /= static_cast<uint64_t>(base);
            ++n;
        }
        return n;
    };
    return std::max(digits(min_), digits(max_));
}

bool NumericField::canBecomeNumber(const std::string& text) const {
    size_t i = 0;
    if (!text.empty() && text[0] == '-') {
        if (!signed_ || hex_ || isOctal())
            return false;
        i = 1;
    }
    const size_t digits = text.size() - i;
    if (digits > static_cast<size_t>(maxDigits()))
        return false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const bool digit = hex_        ? isHexDigit(c)
                           : isOctal() ? (c >= '0' && c <= '7')
                                       : (c >= '0' && c <= '9');
        if (!digit)
            return false;
    }
    return true;
}

bool NumericField::isAcceptable() const {
    const int code = validate();
    return code == kNumberValid || (code == kNumberEmpty && emptyAllowed_);
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
    error_ = false;
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
    int64_t shown = 0;
    const int32_t v =
        parse(text_, shown) ? static_cast<int32_t>(static_cast<uint32_t>(shown)) : boundValue();
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

NumericField::Outcome NumericField::accept(std::string text, size_t cursor) {
    Outcome outcome;
    text_ = std::move(text);
    outcome.cursor = cursor;
    if (isAcceptable()) {
        write(text_.empty() ? 0 : value());
        error_ = false;
        outcome.written = true;
    }
    return outcome;
}

NumericField::Outcome NumericField::typeCharacter(char ch, size_t selectionStart,
                                                  size_t selectionLength) {
    if (selectionStart > text_.size())
        selectionStart = text_.size();
    if (selectionLength > text_.size() - selectionStart)
        selectionLength = text_.size() - selectionStart;
    if (ch == ' ') {
        Outcome ignored;
        ignored.cursor = selectionStart + selectionLength;
        return ignored;
    }
    std::string candidate = text_;
    candidate.replace(selectionStart, selectionLength, 1, ch);
    if (!canBecomeNumber(candidate)) {
        Outcome refused;
        refused.refused = true;
        refused.cursor = selectionStart + selectionLength;
        error_ = true;
        return refused;
    }
    return accept(std::move(candidate), selectionStart + 1);
}

NumericField::Outcome NumericField::textEdited(const std::string& text) {
    if (!canBecomeNumber(text)) {
        Outcome refused;
        refused.refused = true;
        refused.cursor = text_.size();
        error_ = true;
        return refused;
    }
    return accept(text, text.size());
}

bool NumericField::commit() {
    error_ = !isAcceptable();
    return !error_;
}

}  // namespace vanta
