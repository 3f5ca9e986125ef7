#pragma once
// JSON text (RFC 8259) for the JSON form of a project, on nlohmann-json's ordered values.
//
// The reader is strict: one value, UTF-8 text (a leading byte-order mark is skipped), no
// comments, no trailing commas, no duplicate keys, nesting at most kJsonMaxDepth deep. A failure
// names the line and column (1-based, columns counted in characters). Objects keep their members
// in the order written. Values do not carry their position: locateJsonValue finds where the
// value at a path starts, so callers can point at it in their own messages.

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"

namespace vanta {

// Objects keep the order of their members (nlohmann::json would sort them).
using Json = nlohmann::ordered_json;

inline constexpr int kJsonMaxDepth = 200;

// "null", "a boolean", "a number", "a string", "an array", "an object".
const char* jsonTypeName(const Json& value);

// Parses a whole JSON text. Failure: "line L, column C: <what is wrong>". Takes time in
// proportion to the text, duplicate keys included; running out of memory is a failure too.
Result<Json> parseJson(std::string_view text);

// Empties a value (it becomes null) without allocating. Destroying a container the library's
// way first moves its elements to a list as long as the container, which takes a large array's
// memory twice and, when memory runs out, ends the program; a parsed document should be let go
// through this. Recursion follows the nesting, which parseJson keeps within kJsonMaxDepth.
void releaseJson(Json& value) noexcept;

// The place of a value inside a document: keys of objects and indexes of arrays from the top.
class JsonPath {
  public:
    struct Step {
        std::string key;
        size_t index = 0;
        bool isIndex = false;
    };

    JsonPath key(std::string_view key) const;
    JsonPath index(size_t index) const;

    bool isTop() const { return steps_.empty(); }
    const std::vector<Step>& steps() const { return steps_; }
    // "screens[0].components[2].x"; "(top level)" for the document itself.
    std::string text() const;

  private:
    std::vector<Step> steps_;
};

struct JsonLocation {
    size_t offset = 0;  // byte offset of the value's first character
    int line = 1;
    int column = 1;
    std::string_view token;  // a number, string or literal as written; empty for a container
};

// Where the value at `path` starts in `text`, a text that parseJson reads without failure;
// nothing when no value is there.
std::optional<JsonLocation> locateJsonValue(std::string_view text, const JsonPath& path);

// Line and column (1-based, columns in characters, a leading byte-order mark taking none) of a
// byte offset of the text.
JsonLocation jsonLocationAt(std::string_view text, size_t offset);

// Writes a value with two-space indentation and a final newline. An array or object that holds
// no array or object and fits in 100 columns is written on one line. Strings are written as UTF-8
// with the escapes JSON requires, and DEL and the other control characters as \u00XX.
std::string writeJson(const Json& value);

// A string as a JSON string literal (quotes included).
std::string jsonQuote(std::string_view text);

}  // namespace vanta
