#pragma once
// A small JSON reader and writer (RFC 8259) for the JSON form of a project.
//
// The reader is strict: one value, UTF-8 text (a leading byte-order mark is skipped), no
// comments, no trailing commas, no duplicate keys, nesting at most kJsonMaxDepth deep. A
// failure names the line and column (1-based, columns counted in characters). Objects keep their
// members in the order written. Every parsed value remembers where it started, so callers can
// point at a value in their own messages.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Result.h"

namespace vanta {

class JsonValue {
  public:
    enum class Type : uint8_t { Null, Bool, Number, String, Array, Object };
    using Member = std::pair<std::string, JsonValue>;

    JsonValue() = default;
    static JsonValue boolean(bool value);
    static JsonValue integer(int64_t value);
    static JsonValue string(std::string value);
    static JsonValue array();
    static JsonValue object();

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isBool() const { return type_ == Type::Bool; }
    bool isNumber() const { return type_ == Type::Number; }
    bool isString() const { return type_ == Type::String; }
    bool isArray() const { return type_ == Type::Array; }
    bool isObject() const { return type_ == Type::Object; }
    // "null", "a boolean", "a number", "a string", "an array", "an object".
    static const char* typeName(Type type);

    bool asBool() const { return bool_; }
    // A number written without fraction or exponent whose value fits in 64 bits.
    bool isInteger() const { return type_ == Type::Number && integral_; }
    int64_t asInteger() const { return integer_; }
    // The number as it was written (as it will be written, for built values).
    const std::string& numberText() const { return text_; }
    const std::string& asString() const { return text_; }

    const std::vector<JsonValue>& items() const { return items_; }
    const std::vector<Member>& members() const { return members_; }
    // The member with that key, or null.
    const JsonValue* find(std::string_view key) const;

    // Building: appends to an array or an object; returns the added value.
    JsonValue& push(JsonValue value);
    JsonValue& add(std::string key, JsonValue value);

    // Where a parsed value starts (1-based); 0 for built values.
    int line = 0;
    int column = 0;

  private:
    Type type_ = Type::Null;
    bool bool_ = false;
    bool integral_ = false;
    int64_t integer_ = 0;
    std::string text_;  // string value, or the text of a number
    std::vector<JsonValue> items_;
    std::vector<Member> members_;

    friend class JsonParser;
};

inline constexpr int kJsonMaxDepth = 200;

// Parses a whole JSON text. Failure: "line L, column C: <what is wrong>".
Result<JsonValue> parseJson(std::string_view text);

// Writes a value with two-space indentation and a final newline. An array or object that holds
// no array or object and fits in 100 columns is written on one line. Strings are written as UTF-8
// with the escapes JSON requires.
std::string writeJson(const JsonValue& value);

// A string as a JSON string literal (quotes included).
std::string jsonQuote(std::string_view text);

}  // namespace vanta
