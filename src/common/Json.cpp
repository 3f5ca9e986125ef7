#include "common/Json.h"

#include <cstdio>
#include <iterator>
#include <new>
#include <stdexcept>

#include "common/GbkText.h"

namespace vanta {

const char* jsonTypeName(const Json& value) {
    switch (value.type()) {
        case Json::value_t::null:
            return "null";
        case Json::value_t::boolean:
            return "a boolean";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float:
            return "a number";
        case Json::value_t::string:
            return "a string";
        case Json::value_t::array:
            return "an array";
        case Json::value_t::object:
            return "an object";
        default:
            return "a value";
    }
}

// ---------------------------------------------------------------------------------------------
// Positions. The parser reports values to a handler but not where they are; the handler learns
// how far the parser has read from the iterator it reads through, and finds each value's first
// character from the end of the event before it.

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

size_t contentStart(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

class TrackedIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedIterator(const char* at, const char** readTo) : at_(at), readTo_(readTo) {}

    reference operator*() const { return *at_; }
    TrackedIterator& operator++() {
        *readTo_ = ++at_;
        return *this;
    }
    TrackedIterator operator++(int) {
        TrackedIterator old = *this;
        ++*this;
        return old;
    }
    bool operator==(const TrackedIterator& other) const { return at_ == other.at_; }
    bool operator!=(const TrackedIterator& other) const { return at_ != other.at_; }

  private:
    const char* at_;
    const char** readTo_;
};

class ReadPosition {
  public:
    explicit ReadPosition(std::string_view text)
        : text_(text), readTo_(text.data()), lastEnd_(contentStart(text)) {}

    std::string_view text() const { return text_; }

    // Parses the whole text, reporting to the handler.
    template <typename Handler>
    bool parse(Handler& handler) {
        const char* begin = text_.data();
        const char* end = begin + text_.size();
        return Json::sax_parse(TrackedIterator(begin, &readTo_), TrackedIterator(end, &readTo_),
                               &handler);
    }

    size_t skipSpace(size_t at) const {
        while (at < text_.size() && isSpace(text_[at]))
            ++at;
        return at;
    }

    // The first character of the value or key just reported: past the spaces and the separator
    // that follow the previous event.
    size_t valueStart() const {
        size_t at = skipSpace(lastEnd_);
        if (at < text_.size() && (text_[at] == ',' || text_[at] == ':'))
            at = skipSpace(at + 1);
        return at;
    }

    // The first character of the token that ends (or breaks off) before byte `readTo` of the
    // text; a separator before it counts only when the parser read past it.
    size_t tokenStart(size_t readTo) const {
        size_t at = skipSpace(lastEnd_);
        if (at < text_.size() && (text_[at] == ',' || text_[at] == ':') && at + 1 < readTo)
            at = skipSpace(at + 1);
        return at;
    }

    void eventDone() { lastEnd_ = static_cast<size_t>(readTo_ - text_.data()); }
    // A number ends where its grammar does: the parser has read one character past it.
    void numberDone() { lastEnd_ = numberEnd(valueStart()); }

    size_t read() const { return static_cast<size_t>(readTo_ - text_.data()); }

    // The end of the number that starts at `start` (-?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?).
    size_t numberEnd(size_t start) const {
        size_t at = start;
        auto digits = [&] {
            while (at < text_.size() && text_[at] >= '0' && text_[at] <= '9')
                ++at;
        };
        if (at < text_.size() && text_[at] == '-')
            ++at;
        if (at < text_.size() && text_[at] == '0')
            ++at;
        else
            digits();
        if (at < text_.size() && text_[at] == '.') {
            ++at;
            digits();
        }
        if (at < text_.size() && (text_[at] == 'e' || text_[at] == 'E')) {
            ++at;
            if (at < text_.size() && (text_[at] == '+' || text_[at] == '-'))
                ++at;
            digits();
        }
        return at;
    }

  private:
    std::string_view text_;
    const char* readTo_;
    size_t lastEnd_;
};

std::string describeChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x21 && u < 0x7F)
        return std::string("'") + c + "'";
    char buf[16];
    std::snprintf(buf, sizeof buf, "byte 0x%02X", u);
    return buf;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// ---------------------------------------------------------------------------------------------
// Reading into values

struct Failure {
    size_t offset = 0;
    std::string what;
    int columnsAfter = 0;  // the place is this many characters after the offset
};

using Members = Json::object_t::Container;

// Up to this many members an object is searched for a repeated key; a larger one keeps an index.
constexpr size_t kKeysSearched = 32;

// An index of the keys of one object's members: open addressing over the members' positions,
// each slot keeping the key's hash so that only a likely repeat is compared. An object of any
// size finds a repeated key in constant time, at most 32 bytes a member.
class KeyIndex {
  public:
    bool empty() const { return count_ == 0; }

    // Records `key` as the key of member `index`; false when an earlier member has that key.
    bool add(const Members& members, const std::string& key, size_t index) {
        if ((count_ + 1) * 2 > slots_.size())
            grow();
        const size_t hash = std::hash<std::string>()(key);
        const size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = slots_[at];
            if (slot.member == 0) {
                slot = Slot{hash, index + 1};
                ++count_;
                return true;
            }
            if (slot.hash == hash && members[slot.member - 1].first == key)
                return false;
        }
    }

  private:
    struct Slot {
        size_t hash = 0;
        size_t member = 0;  // position + 1; 0 for a free slot
    };

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(std::max<size_t>(64, old.size() * 2), Slot{});
        const size_t mask = slots_.size() - 1;
        for (const Slot& slot : old) {
            if (slot.member == 0)
                continue;
            size_t at = slot.hash & mask;
            while (slots_[at].member != 0)
                at = (at + 1) & mask;
            slots_[at] = slot;
        }
    }

    std::vector<Slot> slots_;
    size_t count_ = 0;
};

class DomBuilder {
  public:
    explicit DomBuilder(std::string_view text) : position_(text) {}
    ~DomBuilder() { releaseJson(root_); }
    DomBuilder(const DomBuilder&) = delete;
    DomBuilder& operator=(const DomBuilder&) = delete;

    Result<Json> run() {
        if (position_.parse(*this))
            return std::move(root_);
        if (!failure_)
            failure_ = Failure{position_.text().size(), "the JSON text cannot be read"};
        const JsonLocation at = jsonLocationAt(position_.text(), failure_->offset);
        return Result<Json>::failure("line " + std::to_string(at.line) + ", column " +
                                     std::to_string(at.column + failure_->columnsAfter) + ": " +
                                     failure_->what);
    }

    // The parser's events.
    bool null() { return addScalar(Json()); }
    bool boolean(bool value) { return addScalar(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return addNumber(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return addNumber(Json(value)); }
    bool number_float(Json::number_float_t value, const std::string&) {
        return addNumber(Json(value));
    }
    bool string(std::string& value) { return addScalar(Json(std::move(value))); }
    bool binary(Json::binary_t&) { return false; }  // JSON text has none

    bool start_object(std::size_t) { return open(Json::object()); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string& key) {
        Frame& frame = stack_.back();
        if (isDuplicate(frame, key)) {
            return fail(position_.valueStart(),
                        "the key \"" + key + "\" occurs twice in the object");
        }
        frame.pendingKey = std::move(key);
        frame.afterKey = true;
        position_.eventDone();
        return true;
    }

    bool parse_error(std::size_t readTo, const std::string&,
                     const nlohmann::detail::exception& ex) {
        diagnose(readTo, ex);
        return false;
    }

  private:
    struct Frame {
        Json* container;
        std::string pendingKey;
        bool afterKey = false;
        KeyIndex keys;
    };

    bool fail(size_t offset, std::string what, int columnsAfter = 0) {
        failure_ = Failure{offset, std::move(what), columnsAfter};
        return false;
    }

    static bool isDuplicate(Frame& frame, const std::string& key) {
        const Members& members = frame.container->get_ref<const Json::object_t&>();
        if (frame.keys.empty() && members.size() < kKeysSearched) {
            for (const auto& member : members) {
                if (member.first == key)
                    return true;
            }
            return false;
        }
        if (frame.keys.empty()) {
            for (size_t i = 0; i < members.size(); ++i)
                frame.keys.add(members, members[i].first, i);
        }
        return !frame.keys.add(members, key, members.size());
    }

    Json* add(Json&& value) {
        if (stack_.empty()) {
            root_ = std::move(value);
            haveRoot_ = true;
            return &root_;
        }
        Frame& frame = stack_.back();
        if (frame.container->is_array()) {
            auto& items = frame.container->get_ref<Json::array_t&>();
            items.push_back(std::move(value));
            return &items.back();
        }
        auto& members = frame.container->get_ref<Json::object_t&>();
        // Appends without the map's own search for the key: isDuplicate has checked it.
        members.emplace_back(std::move(frame.pendingKey), std::move(value));
        frame.afterKey = false;
        return &members.back().second;
    }

    bool addScalar(Json&& value) {
        add(std::move(value));
        position_.eventDone();
        return true;
    }

    bool addNumber(Json&& value) {
        add(std::move(value));
        position_.numberDone();
        return true;
    }

    bool open(Json&& container) {
        if (stack_.size() >= static_cast<size_t>(kJsonMaxDepth)) {
            return fail(position_.valueStart(), "the values are nested more than " +
                                                    std::to_string(kJsonMaxDepth) + " deep");
        }
        Json* added = add(std::move(container));
        stack_.push_back(Frame{added, {}, false, {}});
        position_.eventDone();
        return true;
    }

    bool close() {
        stack_.pop_back();
        position_.eventDone();
        return true;
    }

    // What the structure lets come next, before the token at `start`.
    enum class Next : uint8_t { Value, Key, Separator, Colon, Nothing };

    Next next(size_t start) const {
        const std::string_view text = position_.text();
        size_t before = start;
        while (before > contentStart(text) && isSpace(text[before - 1]))
            --before;
        const char previous = before > contentStart(text) ? text[before - 1] : '\0';
        if (stack_.empty())
            return haveRoot_ ? Next::Nothing : Next::Value;
        const Frame& frame = stack_.back();
        if (frame.container->is_array())
            return previous == '[' || previous == ',' ? Next::Value : Next::Separator;
        if (frame.afterKey)
            return previous == ':' ? Next::Value : Next::Colon;
        return previous == '{' || previous == ',' ? Next::Key : Next::Separator;
    }

    // Whether the token at `start` may stand where it is, so that a fault inside it is the one
    // to report.
    bool tokenBelongs(size_t start) const {
        const Next expected = next(start);
        return expected == Next::Value ||
               (expected == Next::Key && position_.text().substr(start, 1) == "\"");
    }

    // What was expected where the token at `start` broke the structure.
    std::string syntaxMessage(size_t start) const {
        const std::string_view text = position_.text();
        const bool atEnd = start >= text.size();
        const std::string found = atEnd ? std::string() : describeChar(text[start]);
        const char token = atEnd ? '\0' : text[start];
        if (token >= '0' && token <= '9' && start > 0 && text[start - 1] == '0') {
            // A number stops after a leading 0, so a digit right after it is a new token.
            return "a number may not start with 0 followed by digits";
        }
        const bool inArray = !stack_.empty() && stack_.back().container->is_array();
        switch (next(start)) {
            case Next::Value:
                if (inArray && token == ']')
                    return "a value was expected after ','";
                return atEnd ? "unexpected end of the text, a value was expected"
                             : "unexpected " + found + ", a value was expected";
            case Next::Key:
                if (atEnd)
                    return "the text ends inside an object, '}' was expected";
                if (token == '}')
                    return "a key was expected after ','";
                return "unexpected " + found + ", a key in quotes was expected";
            case Next::Colon:
                return atEnd ? "the text ends inside an object, ':' was expected"
                             : "unexpected " + found + ", ':' was expected";
            case Next::Separator:
                if (inArray) {
                    return atEnd ? "the text ends inside an array, ']' was expected"
                                 : "unexpected " + found + ", ',' or ']' was expected";
                }
                return atEnd ? "the text ends inside an object, '}' was expected"
                             : "unexpected " + found + ", ',' or '}' was expected";
            case Next::Nothing:
                break;
        }
        return "unexpected text after the end of the JSON value";
    }

    // Where a string's UTF-8 first goes wrong, from its opening quote at `start`.
    size_t badUtf8Offset(size_t start, size_t fallback) const {
        const std::string_view text = position_.text();
        size_t at = start + 1;
        while (at < fallback) {
            if (static_cast<unsigned char>(text[at]) < 0x80) {
                at += text[at] == '\\' ? 2 : 1;
                continue;
            }
            uint32_t codePoint = 0;
            const size_t length = decodeUtf8(text, at, codePoint);
            if (length == 0)
                return at;
            at += length;
        }
        return fallback;
    }

    // Turns the parser's report into this reader's message. `readTo` is how far the parser read:
    // the end of a misplaced token, or the character after the one a token broke off at.
    void diagnose(size_t readTo, const nlohmann::detail::exception& ex) {
        const std::string_view text = position_.text();
        const size_t start = position_.tokenStart(readTo);
        const size_t broken = readTo > 0 ? std::min(readTo - 1, text.size()) : 0;
        const std::string_view what = ex.what();

        if (!tokenBelongs(start)) {
            fail(start, syntaxMessage(start));
        } else if (ex.id == 406) {
            const size_t end = position_.numberEnd(start);
            fail(start,
                 "the number " + std::string(text.substr(start, end - start)) + " is too large");
        } else if (contains(what, "invalid BOM")) {
            fail(0, "unexpected byte 0xEF, a value was expected");
        } else if (contains(what, "missing closing quote")) {
            fail(text.size(), "the text ends inside a string");
        } else if (contains(what, "control character")) {
            fail(broken, "a control character must be escaped inside a string");
        } else if (contains(what, "ill-formed UTF-8")) {
            fail(badUtf8Offset(start, broken), "the string is not valid UTF-8");
        } else if (contains(what, "must be followed by 4 hex digits")) {
            fail(broken, "four hexadecimal digits were expected after \\u");
        } else if (contains(what, "must be followed by U+DC00")) {
            // After the high surrogate either an escape that is no low surrogate was read, or
            // what stands where its "\\u" should start.
            const bool escapeRead = readTo >= 6 && text.substr(readTo - 6, 2) == "\\u";
            const size_t missing = broken > 0 && text[broken - 1] == '\\' ? broken - 1 : broken;
            fail(escapeRead ? readTo : missing, "a high surrogate \\u escape without a low one");
        } else if (contains(what, "must follow U+D800")) {
            fail(readTo, "a low surrogate \\u escape without a high one");
        } else if (readTo > text.size() && contains(what, "invalid string")) {
            fail(text.size(), "the text ends inside a string");
        } else if (contains(what, "forbidden character after backslash")) {
            // Just after the escaped character; a byte of a multi-byte character counts as one.
            const bool ascii = static_cast<unsigned char>(text[broken]) < 0x80;
            fail(ascii ? readTo : broken,
                 "unknown escape \\" + std::string(1, text[broken]) + " in a string",
                 ascii ? 0 : 1);
        } else if (contains(what, "expected digit after '-'")) {
            fail(broken, "a digit was expected in the number");
        } else if (contains(what, "expected digit after '.'")) {
            fail(broken, "a digit was expected after the decimal point");
        } else if (contains(what, "after exponent")) {
            fail(broken, "a digit was expected in the exponent");
        } else {
            // A token in the wrong place, or one that is no JSON token at all.
            fail(start, syntaxMessage(start));
        }
    }

    ReadPosition position_;
    Json root_;
    bool haveRoot_ = false;
    std::vector<Frame> stack_;
    std::optional<Failure> failure_;
};

// Follows the document without keeping it, until the value at the path starts.
class Locator {
  public:
    Locator(std::string_view text, const JsonPath& path) : position_(text), path_(path) {}

    // The value's first byte and, for a number, string or literal, its text as written.
    struct Found {
        size_t offset;
        std::string_view token;
    };

    std::optional<Found> run() {
        position_.parse(*this);
        return found_;
    }

    bool null() { return scalar(false); }
    bool boolean(bool) { return scalar(false); }
    bool number_integer(Json::number_integer_t) { return scalar(true); }
    bool number_unsigned(Json::number_unsigned_t) { return scalar(true); }
    bool number_float(Json::number_float_t, const std::string&) { return scalar(true); }
    bool string(std::string&) { return scalar(false); }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(false); }
    bool start_array(std::size_t) { return open(true); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string& key) {
        stack_.back().key = std::move(key);
        position_.eventDone();
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        return false;
    }

  private:
    struct Frame {
        bool isArray;
        size_t index = 0;
        std::string key;
    };

    bool here() const {
        const auto& steps = path_.steps();
        if (steps.size() != stack_.size())
            return false;
        for (size_t i = steps.size(); i-- > 0;) {
            const Frame& frame = stack_[i];
            const JsonPath::Step& step = steps[i];
            if (frame.isArray != step.isIndex)
                return false;
            if (frame.isArray ? frame.index != step.index : frame.key != step.key)
                return false;
        }
        return true;
    }

    void ended() {
        if (!stack_.empty() && stack_.back().isArray)
            ++stack_.back().index;
    }

    // Each returns false, which stops the parser, at the value sought.
    bool scalar(bool number) {
        if (here()) {
            const size_t start = position_.valueStart();
            const size_t end = number ? position_.numberEnd(start) : position_.read();
            found_ = Found{start, position_.text().substr(start, end - start)};
            return false;
        }
        if (number)
            position_.numberDone();
        else
            position_.eventDone();
        ended();
        return true;
    }

    bool open(bool isArray) {
        if (here()) {
            found_ = Found{position_.valueStart(), {}};
            return false;
        }
        stack_.push_back(Frame{isArray, 0, {}});
        position_.eventDone();
        return true;
    }

    bool close() {
        stack_.pop_back();
        ended();
        position_.eventDone();
        return true;
    }

    ReadPosition position_;
    const JsonPath& path_;
    std::vector<Frame> stack_;
    std::optional<Found> found_;
};

}  // namespace

void releaseJson(Json& value) noexcept {
    if (value.is_array()) {
        auto& items = value.get_ref<Json::array_t&>();
        for (Json& item : items)
            releaseJson(item);
        items.clear();  // only scalars and empty containers are left: nothing to move aside
    } else if (value.is_object()) {
        auto& members = value.get_ref<Json::object_t&>();
        for (auto& member : members)
            releaseJson(member.second);
        members.clear();
    }
    value = nullptr;
}

Result<Json> parseJson(std::string_view text) {
    try {
        DomBuilder builder(text);
        return builder.run();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return Result<Json>::failure("there is not enough memory to read " +
                                 std::to_string(text.size()) + " bytes of JSON");
}

JsonLocation jsonLocationAt(std::string_view text, size_t offset) {
    JsonLocation at;
    at.offset = std::min(offset, text.size());
    for (size_t i = contentStart(text); i < at.offset; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++at.line;
            at.column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++at.column;  // a multi-byte character counts once, at its first byte
        }
    }
    return at;
}

std::optional<JsonLocation> locateJsonValue(std::string_view text, const JsonPath& path) {
    try {
        Locator locator(text, path);
        if (std::optional<Locator::Found> found = locator.run()) {
            JsonLocation at = jsonLocationAt(text, found->offset);
            at.token = found->token;
            return at;
        }
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Paths

JsonPath JsonPath::key(std::string_view key) const {
    JsonPath child = *this;
    child.steps_.push_back(Step{std::string(key), 0, false});
    return child;
}

JsonPath JsonPath::index(size_t index) const {
    JsonPath child = *this;
    child.steps_.push_back(Step{{}, index, true});
    return child;
}

std::string JsonPath::text() const {
    if (steps_.empty())
        return "(top level)";
    std::string out;
    for (const Step& step : steps_) {
        if (step.isIndex) {
            out += '[';
            out += std::to_string(step.index);
            out += ']';
        } else {
            if (!out.empty())
                out += '.';
            out += step.key;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

constexpr size_t kLineWidth = 100;

bool isContainer(const Json& v) {
    return v.is_array() || v.is_object();
}

bool holdsContainer(const Json& v) {
    for (const Json& item : v) {
        if (isContainer(item))
            return true;
    }
    return false;
}

void writeScalar(const Json& v, std::string& out) {
    switch (v.type()) {
        case Json::value_t::boolean:
            out += v.get<bool>() ? "true" : "false";
            break;
        case Json::value_t::number_integer:
            out += std::to_string(v.get<Json::number_integer_t>());
            break;
        case Json::value_t::number_unsigned:
            out += std::to_string(v.get<Json::number_unsigned_t>());
            break;
        case Json::value_t::number_float:
            out += v.dump();
            break;
        case Json::value_t::string:
            out += jsonQuote(v.get_ref<const std::string&>());
            break;
        default:
            out += "null";
            break;
    }
}

// The one-line form of a value (containers included).
void writeFlat(const Json& v, std::string& out) {
    if (v.is_array()) {
        out += '[';
        bool first = true;
        for (const Json& item : v) {
            if (!first)
                out += ", ";
            first = false;
            writeFlat(item, out);
        }
        out += ']';
    } else if (v.is_object()) {
        out += '{';
        bool first = true;
        for (const auto& [key, value] : v.get_ref<const Json::object_t&>()) {
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

void writeValue(const Json& v, size_t indent, size_t column, std::string& out) {
    if (!isContainer(v)) {
        writeScalar(v, out);
        return;
    }
    if (v.empty()) {
        out += v.is_array() ? "[]" : "{}";
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
    out += v.is_array() ? "[\n" : "{\n";
    bool first = true;
    if (v.is_array()) {
        for (const Json& item : v) {
            if (!first)
                out += ",\n";
            first = false;
            out += inner;
            writeValue(item, indent + 2, indent + 2, out);
        }
    } else {
        for (const auto& [key, value] : v.get_ref<const Json::object_t&>()) {
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
    out += v.is_array() ? ']' : '}';
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

std::string writeJson(const Json& value) {
    std::string out;
    writeValue(value, 0, 0, out);
    out += '\n';
    return out;
}

}  // namespace vanta
