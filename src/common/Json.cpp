#include "common/Json.h"

#include "common/GbkText.h"

#include <cstdio>

namespace vanta {

JsonValue JsonValue::boolean(bool value) {
    JsonValue v;
    v.type_ = Type::Bool;
    v.bool_ = value;
    return v;
}

JsonValue JsonValue::integer(int64_t value) {
    JsonValue v;
    v.type_ = Type::Number;
    v.integral_ = true;
    v.integer_ = value;
    v.text_ = std::to_string(value);
    return v;
}

JsonValue JsonValue::string(std::string value) {
    JsonValue v;
    v.type_ = Type::String;
    v.text_ = std::move(value);
    return v;
}

JsonValue JsonValue::array() {
    JsonValue v;
    v.type_ = Type::Array;
    return v;
}

JsonValue JsonValue::object() {
    JsonValue v;
    v.type_ = Type::Object;
    return v;
}

const char* JsonValue::typeName(Type type) {
    switch (type) {
        case Type::Null:
            return "null";
        case Type::Bool:
            return "a boolean";
        case Type::Number:
            return "a number";
        case Type::String:
            return "a string";
        case Type::Array:
            return "an array";
        case Type::Object:
            return "an object";
    }
    return "a value";
}

const JsonValue* JsonValue::find(std::string_view key) const {
    for (const Member& m : members_) {
        if (m.first == key)
            return &m.second;
    }
    return nullptr;
}

JsonValue& JsonValue::push(JsonValue value) {
    items_.push_back(std::move(value));
    return items_.back();
}

JsonValue& JsonValue::add(std::string key, JsonValue value) {
    members_.emplace_back(std::move(key), std::move(value));
    return members_.back().second;
}

// ---------------------------------------------------------------------------------------------
// Reading

class JsonParser {
  public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    Result<JsonValue> parseDocument() {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
            pos_ = 3;  // a byte-order mark takes no column
        }
        skipSpace();
        JsonValue value;
        if (!parseValue(value, 0))
            return Result<JsonValue>::failure(error_);
        skipSpace();
        if (pos_ < text_.size()) {
            fail("unexpected text after the end of the JSON value");
            return Result<JsonValue>::failure(error_);
        }
        return value;
    }

  private:
    bool fail(const std::string& what) {
        if (error_.empty())
            error_ = "line " + std::to_string(line_) + ", column " + std::to_string(column_) +
                     ": " + what;
        return false;
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }

    void advance(size_t n = 1) {
        for (size_t i = 0; i < n && pos_ < text_.size(); ++i) {
            if (text_[pos_] == '\n') {
                ++line_;
                column_ = 1;
            } else {
                ++column_;
            }
            ++pos_;
        }
    }

    void skipSpace() {
        while (!atEnd()) {
            const char c = text_[pos_];
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                break;
            advance();
        }
    }

    static std::string describeChar(char c) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x21 && u < 0x7F)
            return std::string("'") + c + "'";
        char buf[16];
        std::snprintf(buf, sizeof buf, "byte 0x%02X", u);
        return buf;
    }

    bool parseValue(JsonValue& out, int depth) {
        out.line = line_;
        out.column = column_;
        if (atEnd())
            return fail("unexpected end of the text, a value was expected");
        const char c = peek();
        switch (c) {
            case '{':
                return parseObject(out, depth + 1);
            case '[':
                return parseArray(out, depth + 1);
            case '"':
                out.type_ = JsonValue::Type::String;
                return parseString(out.text_);
            case 't':
                return parseWord("true", out, JsonValue::Type::Bool, true);
            case 'f':
                return parseWord("false", out, JsonValue::Type::Bool, false);
            case 'n':
                return parseWord("null", out, JsonValue::Type::Null, false);
            default:
                if (c == '-' || (c >= '0' && c <= '9'))
                    return parseNumber(out);
                return fail("unexpected " + describeChar(c) + ", a value was expected");
        }
    }

    bool parseWord(std::string_view word, JsonValue& out, JsonValue::Type type, bool value) {
        if (text_.substr(pos_, word.size()) != word)
            return fail("unexpected " + describeChar(peek()) + ", a value was expected");
        advance(word.size());
        out.type_ = type;
        out.bool_ = value;
        return true;
    }

    bool parseNumber(JsonValue& out) {
        const size_t start = pos_;
        bool negative = false;
        if (peek() == '-') {
            negative = true;
            advance();
        }
        if (atEnd() || peek() < '0' || peek() > '9')
            return fail("a digit was expected in the number");
        bool fits = true;
        uint64_t magnitude = 0;
        const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
        if (peek() == '0') {
            advance();
            if (!atEnd() && peek() >= '0' && peek() <= '9')
                return fail("a number may not start with 0 followed by digits");
        } else {
            while (!atEnd() && peek() >= '0' && peek() <= '9') {
                const auto digit = static_cast<uint64_t>(peek() - '0');
                if (fits && magnitude > (limit - digit) / 10)
                    fits = false;
                if (fits)
                    magnitude = magnitude * 10 + digit;
                advance();
            }
        }
        bool integral = true;
        if (peek() == '.') {
            integral = false;
            advance();
            if (atEnd() || peek() < '0' || peek() > '9')
                return fail("a digit was expected after the decimal point");
            while (!atEnd() && peek() >= '0' && peek() <= '9')
                advance();
        }
        if (peek() == 'e' || peek() == 'E') {
            integral = false;
            advance();
            if (peek() == '+' || peek() == '-')
                advance();
            if (atEnd() || peek() < '0' || peek() > '9')
                return fail("a digit was expected in the exponent");
            while (!atEnd() && peek() >= '0' && peek() <= '9')
                advance();
        }
        out.type_ = JsonValue::Type::Number;
        out.text_ = std::string(text_.substr(start, pos_ - start));
        out.integral_ = integral && fits;
        if (out.integral_) {
            out.integer_ =
                negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
        }
        return true;
    }

    bool parseHex4(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = peek();
            uint32_t digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<uint32_t>(c - 'A' + 10);
            else
                return fail("four hexadecimal digits were expected after \\u");
            out = out * 16 + digit;
            advance();
        }
        return true;
    }

    // Length of the UTF-8 sequence at pos_ (0 when it is not valid UTF-8).
    size_t utf8Length() const {
        uint32_t codePoint = 0;
        return decodeUtf8(text_, pos_, codePoint);
    }

    bool parseString(std::string& out) {
        advance();  // the opening quote
        out.clear();
        while (true) {
            if (atEnd())
                return fail("the text ends inside a string");
            const auto c = static_cast<unsigned char>(peek());
            if (c == '"') {
                advance();
                return true;
            }
            if (c < 0x20)
                return fail("a control character must be escaped inside a string");
            if (c == '\\') {
                advance();
                if (atEnd())
                    return fail("the text ends inside a string");
                const char e = peek();
                advance();
                switch (e) {
                    case '"':
                        out += '"';
                        break;
                    case '\\':
                        out += '\\';
                        break;
                    case '/':
                        out += '/';
                        break;
                    case 'b':
                        out += '\b';
                        break;
                    case 'f':
                        out += '\f';
                        break;
                    case 'n':
                        out += '\n';
                        break;
                    case 'r':
                        out += '\r';
                        break;
                    case 't':
                        out += '\t';
                        break;
                    case 'u': {
                        uint32_t cp;
                        if (!parseHex4(cp))
                            return false;
                        if (cp >= 0xDC00 && cp <= 0xDFFF)
                            return fail("a low surrogate \\u escape without a high one");
                        if (cp >= 0xD800 && cp <= 0xDBFF) {
                            if (text_.substr(pos_, 2) != "\\u")
                                return fail("a high surrogate \\u escape without a low one");
                            advance(2);
                            uint32_t low;
                            if (!parseHex4(low))
                                return false;
                            if (low < 0xDC00 || low > 0xDFFF)
                                return fail("a high surrogate \\u escape without a low one");
                            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        }
                        appendUtf8(out, cp);
                        break;
                    }
                    default:
                        return fail("unknown escape \\" + std::string(1, e) + " in a string");
                }
                continue;
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
                advance();
                continue;
            }
            const size_t len = utf8Length();
            if (len == 0)
                return fail("the string is not valid UTF-8");
            out.append(text_.substr(pos_, len));
            // A multi-byte character counts as one column.
            pos_ += len;
            ++column_;
        }
    }

    bool parseArray(JsonValue& out, int depth) {
        if (depth > kJsonMaxDepth)
            return fail("the values are nested more than " + std::to_string(kJsonMaxDepth) +
                        " deep");
        out.type_ = JsonValue::Type::Array;
        advance();  // [
        skipSpace();
        if (peek() == ']') {
            advance();
            return true;
        }
        while (true) {
            skipSpace();
            JsonValue item;
            if (!parseValue(item, depth))
                return false;
            out.items_.push_back(std::move(item));
            skipSpace();
            if (atEnd())
                return fail("the text ends inside an array, ']' was expected");
            if (peek() == ',') {
                advance();
                skipSpace();
                if (peek() == ']')
                    return fail("a value was expected after ','");
                continue;
            }
            if (peek() == ']') {
                advance();
                return true;
            }
            return fail("unexpected " + describeChar(peek()) + ", ',' or ']' was expected");
        }
    }

    bool parseObject(JsonValue& out, int depth) {
        if (depth > kJsonMaxDepth)
            return fail("the values are nested more than " + std::to_string(kJsonMaxDepth) +
                        " deep");
        out.type_ = JsonValue::Type::Object;
        advance();  // {
        skipSpace();
        if (peek() == '}') {
            advance();
            return true;
        }
        while (true) {
            skipSpace();
            if (atEnd())
                return fail("the text ends inside an object, '}' was expected");
            if (peek() != '"')
                return fail("unexpected " + describeChar(peek()) +
                            ", a key in quotes was expected");
            const int keyLine = line_;
            const int keyColumn = column_;
            std::string key;
            if (!parseString(key))
                return false;
            if (out.find(key) != nullptr) {
                line_ = keyLine;
                column_ = keyColumn;
                return fail("the key \"" + key + "\" occurs twice in the object");
            }
            skipSpace();
            if (peek() != ':') {
                if (atEnd())
                    return fail("the text ends inside an object, ':' was expected");
                return fail("unexpected " + describeChar(peek()) + ", ':' was expected");
            }
            advance();
            skipSpace();
            JsonValue value;
            if (!parseValue(value, depth))
                return false;
            out.members_.emplace_back(std::move(key), std::move(value));
            skipSpace();
            if (atEnd())
                return fail("the text ends inside an object, '}' was expected");
            if (peek() == ',') {
                advance();
                skipSpace();
                if (peek() == '}')
                    return fail("a key was expected after ','");
                continue;
            }
            if (peek() == '}') {
                advance();
                return true;
            }
            return fail("unexpected " + describeChar(peek()) + ", ',' or '}' was expected");
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
    std::string error_;
};

Result<JsonValue> parseJson(std::string_view text) {
    JsonParser parser(text);
    return parser.parseDocument();
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

constexpr size_t kLineWidth = 100;

bool isContainer(const JsonValue& v) {
    return v.isArray() || v.isObject();
}

bool holdsContainer(const JsonValue& v) {
    for (const JsonValue& item : v.items()) {
        if (isContainer(item))
            return true;
    }
    for (const auto& member : v.members()) {
        if (isContainer(member.second))
            return true;
    }
    return false;
}

void writeScalar(const JsonValue& v, std::string& out) {
    switch (v.type()) {
        case JsonValue::Type::Null:
            out += "null";
            break;
        case JsonValue::Type::Bool:
            out += v.asBool() ? "true" : "false";
            break;
        case JsonValue::Type::Number:
            out += v.numberText();
            break;
        case JsonValue::Type::String:
            out += jsonQuote(v.asString());
            break;
        default:
            break;
    }
}

// The one-line form of a value (containers included).
void writeFlat(const JsonValue& v, std::string& out) {
    if (v.isArray()) {
        out += '[';
        bool first = true;
        for (const JsonValue& item : v.items()) {
            if (!first)
                out += ", ";
            first = false;
            writeFlat(item, out);
        }
        out += ']';
    } else if (v.isObject()) {
        out += '{';
        bool first = true;
        for (const auto& [key, value] : v.members()) {
            if (!first)
                out += ", ";
            first = false;
            out += jsonQuote(key);
            out += ": ";
            writeFlat(value, out);
        }
        out += '}';
    } else {
        writeScalar(v, out);
    }
}

void writeValue(const JsonValue& v, size_t indent, size_t column, std::string& out) {
    if (!isContainer(v)) {
        writeScalar(v, out);
        return;
    }
    if (v.items().empty() && v.members().empty()) {
        out += v.isArray() ? "[]" : "{}";
        return;
    }
    if (!holdsContainer(v)) {
        std::string flat;
        writeFlat(v, flat);
        if (column + flat.size() <= kLineWidth) {
            out += flat;
            return;
        }
    }
    const std::string inner(indent + 2, ' ');
    out += v.isArray() ? "[\n" : "{\n";
    bool first = true;
    if (v.isArray()) {
        for (const JsonValue& item : v.items()) {
            if (!first)
                out += ",\n";
            first = false;
            out += inner;
            writeValue(item, indent + 2, indent + 2, out);
        }
    } else {
        for (const auto& [key, value] : v.members()) {
            if (!first)
                out += ",\n";
            first = false;
            out += inner;
            const std::string quoted = jsonQuote(key);
            out += quoted;
            out += ": ";
            writeValue(value, indent + 2, indent + 2 + quoted.size() + 2, out);
        }
    }
    out += '\n';
    out += std::string(indent, ' ');
    out += v.isArray() ? ']' : '}';
}

}  // namespace

std::string jsonQuote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04X", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string writeJson(const JsonValue& value) {
    std::string out;
    writeValue(value, 0, 0, out);
    out += '\n';
    return out;
}

}  // namespace vanta
