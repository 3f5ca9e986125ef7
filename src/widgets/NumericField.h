#pragma once
// The logic of the numeric edit (CNumEdit) without any widget: the text, its validation against
// a range, decimal / hexadecimal / octal display and entry, the typing rules and the write-through
// into a bound 8-, 16- or 32-bit field of the model. CNumEdit keeps its line edit in step with
// text(); tests drive this class directly.
//
// Typing accepts every text that can still become a number of the field (a number out of range
// while it is being typed, an empty text, a lone minus sign) and writes each text that is a
// number within the range straight into the bound field. Committing the entry (Enter, Tab, the
// focus leaving) checks it: an entry that is not a number within the range puts the field into
// its error state and the bound field keeps the last valid value; nothing is ever turned into
// another number behind the user's back. A keystroke that cannot lead to a number (a wrong
// character, more digits than any value of the range has) is refused and also shows the error
// state.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace vanta {

// Result of NumericField::validate().
enum NumericCode : int {
    kNumberValid = 0,       // a number within the range
    kNumberOutOfRange = 1,  // a number outside the range
    kNumberEmpty = 2,       // empty text
    kNumberInvalid = 3,     // not a number (wrong or trailing characters, a minus sign in an
                            // unsigned control, a digit above 7 in octal mode)
    kNumberLoneMinus = 4,   // "-" alone in a signed control
};

class NumericField {
  public:
    static constexpr double kDefaultMinimum = -65535.0;
    static constexpr double kDefaultMaximum = 65535.0;

    // What a keystroke or an edit did.
    struct Outcome {
        bool written = false;  // the bound field was written (the text is a valid entry)
        bool refused = false;  // the change was refused: the text is as before, error state on
        size_t cursor = 0;     // cursor position afterwards
    };

    // --- binding: the field written by every valid change; binding clears the previous one ---
    void bind(uint8_t& variable) { target_ = &variable; }
    void bind(int8_t& variable) { target_ = &variable; }
    void bind(uint16_t& variable) { target_ = &variable; }
    void bind(int16_t& variable) { target_ = &variable; }
    void bind(uint32_t& variable) { target_ = &variable; }
    void bind(int32_t& variable) { target_ = &variable; }
    void unbind() { target_ = std::monostate{}; }
    bool isBound() const { return !std::holds_alternative<std::monostate>(target_); }
    // The bound field's current value (sign-extended for signed fields), 0 when unbound.
    int32_t boundValue() const;

    // --- entry mode ---
    void setSigned(bool isSigned) { signed_ = isSigned; }
    bool isSigned() const { return signed_; }
    void setHex(bool hex) { hex_ = hex; }
    bool isHex() const { return hex_; }
    // Octal display and entry (protocol 7 addresses); ignored while hexadecimal is set.
    void setOctal(bool octal) { octal_ = octal; }
    bool isOctal() const { return octal_ && !hex_; }
    void setStep(int step) { step_ = step; }
    int step() const { return step_; }
    // An empty text is an entry of its own that writes 0 (a grid cell whose value is cleared);
    // otherwise an empty text is unfinished typing.
    void setEmptyAllowed(bool allowed) { emptyAllowed_ = allowed; }
    bool emptyAllowed() const { return emptyAllowed_; }

    // Stores the range; a range with min >= max disables the control and shows max. Then a value
    // above max becomes max and one below min becomes min (written through).
    void setRange(double min, double max);
    double minimum() const { return min_; }
    double maximum() const { return max_; }
    bool isEnabled() const { return enabled_; }
    // The most digits a value of the range has in the current mode (sign not counted).
    int maxDigits() const;

    // --- value ---
    const std::string& text() const { return text_; }
    // Validation code of the current text (NumericCode).
    int validate() const { return validateText(text_); }
    int validateText(const std::string& text) const;
    // Whether the text is an entry the field takes: a number within the range, or an empty text
    // where that is allowed.
    bool isAcceptable() const;
    // The value of the text; 0 unless the text is valid. Unsigned 32-bit values above
    // 2147483647 come back as their bit pattern.
    int32_t value() const;
    // Clamps v into the range (compared signed or unsigned by the signed flag), shows it ("%X"
    // hexadecimal, "%o" octal, "%d" signed, "%u" unsigned) and writes it into the bound field.
    // Clears the error state.
    void setValue(int32_t v);
    // Spin arrows and the Up/Down keys: value + n x step, from the number the text shows (the
    // bound value when it shows none). Signed: clamped into the range. Unsigned: computed modulo
    // 2^32; a result above max + n x step (a step down below zero) gives min, above max gives
    // max, below min gives min.
    void increment(int n);

    // --- typing ---
    // A typed character replacing the selection [start, start + length) (or inserted at the
    // cursor when length is 0). A space is ignored. A text that can still become a number is
    // kept (and written through when it is a valid entry); anything else is refused.
    Outcome typeCharacter(char ch, size_t selectionStart, size_t selectionLength);
    // Any other change of the text by the user (deleting, pasting): kept when it can still
    // become a number (written through when valid), refused otherwise.
    Outcome textEdited(const std::string& text);
    // The entry is finished (Enter, Tab, focus leaving): true when the text is an acceptable
    // entry; otherwise the error state is set and false returned. The text is left as typed.
    bool commit();
    // A refused change or a failed commit that no valid entry has followed yet.
    bool hasError() const { return error_; }

    // Text formatting of the current mode, without touching the field.
    std::string format(int32_t v) const;

  private:
    using Target =
        std::variant<std::monostate, uint8_t*, int8_t*, uint16_t*, int16_t*, uint32_t*, int32_t*>;

    // The value of a text in the current mode (no range test); false when it is not a number.
    bool parse(const std::string& text, int64_t& out) const;
    // Whether a text can still become a number of the field: digits of the mode, a leading minus
    // sign only when signed, no more digits than maxDigits().
    bool canBecomeNumber(const std::string& text) const;
    void write(int32_t v);
    // Takes a new text that passed canBecomeNumber: written through when acceptable.
    Outcome accept(std::string text, size_t cursor);

    std::string text_;
    Target target_;
    double min_ = kDefaultMinimum;
    double max_ = kDefaultMaximum;
    bool hex_ = false;
    bool octal_ = false;
    bool signed_ = false;
    bool enabled_ = true;
    bool emptyAllowed_ = false;
    bool error_ = false;
    int step_ = 1;
};

}  // namespace vanta
