#include "project/ProjectJson.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>

#include "common/GbkText.h"
#include "common/Json.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "model/ComponentKinds.h"
#include "model/Geometry.h"
#include "project/Project.h"
#include "protocols/ProtocolProfile.h"

namespace vanta {

namespace {

constexpr int64_t kMinProtocol = 1;
constexpr int64_t kMaxProtocol = kProtocolCount;
// The dynamic text keeps at least 32 entries; more only come from files that stored more.
constexpr size_t kMinDynamicEntries = CDynamic::kEntries;
constexpr char kLightPixel = '#';
constexpr char kDarkPixel = '.';

// The members of an object as the vector they are kept in (the map hides its indexing).
const Json::object_t::Container& membersOf(const Json& object) {
    return object.get_ref<const Json::object_t&>();
}

// Appends a member. The writer names each member once, so the map's search for an existing key
// (linear in an ordered map) is not needed.
void addMember(Json& object, const char* key, Json value) {
    object.get_ref<Json::object_t&>().emplace_back(key, std::move(value));
}

// ---------------------------------------------------------------------------------------------
// Texts: a JSON string (UTF-8, stored as GBK), or {"hex": "..."} for stored bytes that are not
// GBK text (a damaged or truncated double-byte character), so that every stored text survives.

std::string toHex(const ByteString& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}

Json textToJson(const ByteString& text) {
    Result<std::string> utf8 = gbkToUtf8(text);
    if (utf8.ok()) {
        Result<std::string> back = utf8ToGbk(utf8.value());
        if (back.ok() && back.value() == text)
            return Json(std::move(utf8.value()));
    }
    Json hex = Json::object();
    addMember(hex, "hex", Json(toHex(text)));
    return hex;
}

// ---------------------------------------------------------------------------------------------
// Reading: the first failure is kept, with the JSON path and the position of the value.

// A value's path, put together only when a message needs it.
class PathOf {
  public:
    PathOf(const JsonPath& path) : parent_(path) {}
    PathOf(const JsonPath& parent, const char* key) : parent_(parent), key_(key) {}
    PathOf(const JsonPath& parent, size_t index) : parent_(parent), index_(index) {}

    JsonPath make() const {
        if (key_ != nullptr)
            return parent_.key(key_);
        if (index_)
            return parent_.index(*index_);
        return parent_;
    }

  private:
    const JsonPath& parent_;
    const char* key_ = nullptr;
    std::optional<size_t> index_;
};

enum class Expected : uint8_t { Number, String, Array, Object };

const char* expectedName(Expected type) {
    switch (type) {
        case Expected::Number:
            return "a number";
        case Expected::String:
            return "a string";
        case Expected::Array:
            return "an array";
        case Expected::Object:
            return "an object";
    }
    return "a value";
}

bool isOfType(const Json& v, Expected type) {
    switch (type) {
        case Expected::Number:
            return v.is_number();
        case Expected::String:
            return v.is_string();
        case Expected::Array:
            return v.is_array();
        case Expected::Object:
            return v.is_object();
    }
    return false;
}

// The value as a 64-bit signed integer, when it is one.
std::optional<int64_t> wholeNumber(const Json& v) {
    if (v.type() == Json::value_t::number_integer)
        return v.get<int64_t>();
    if (v.type() == Json::value_t::number_unsigned &&
        v.get<uint64_t>() <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        return static_cast<int64_t>(v.get<uint64_t>());
    return std::nullopt;
}

class Reader {
  public:
    // `text` is the JSON text the values were read from; messages give positions in it.
    explicit Reader(std::string_view text) : text_(text) {}

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    void fail(const PathOf& where, const std::string& what) {
        if (!error_.empty())
            return;
        const JsonPath path = where.make();
        failAt(path, locateJsonValue(text_, path), what);
    }

    // True when the value has the type; otherwise a failure naming both types.
    bool expect(const Json& v, Expected type, const PathOf& where) {
        if (isOfType(v, type))
            return true;
        fail(where, std::string(expectedName(type)) + " was expected, found " + jsonTypeName(v));
        return false;
    }

    bool integer(const Json& v, const PathOf& where, int64_t min, int64_t max, int64_t& out) {
        if (!expect(v, Expected::Number, where))
            return false;
        const std::optional<int64_t> value = wholeNumber(v);
        if (value && *value >= min && *value <= max) {
            out = *value;
            return true;
        }
        if (!error_.empty())
            return false;
        // The message quotes the number as written.
        const JsonPath path = where.make();
        const std::optional<JsonLocation> at = locateJsonValue(text_, path);
        const std::string text = at ? std::string(at->token) : v.dump();
        const bool wholeText = text.find_first_of(".eE") == std::string::npos;
        if (!value && !wholeText)
            failAt(path, at, text + " is not a whole number");
        else
            failAt(path, at, text + " is out of range " + range(min, max));
        return false;
    }

    bool text(const Json& v, const PathOf& where, ByteString& out) {
        if (v.is_string()) {
            Result<std::string> gbk = utf8ToGbk(v.get_ref<const std::string&>());
            if (!gbk) {
                fail(where, gbk.message());
                return false;
            }
            out = std::move(gbk.value());
            return true;
        }
        if (v.is_object()) {
            const JsonPath path = where.make();
            const auto hex = v.find("hex");
            if (hex == v.end() || v.size() != 1) {
                fail(path, "a text object holds exactly the key \"hex\"");
                return false;
            }
            const JsonPath hexPath = path.key("hex");
            if (!expect(*hex, Expected::String, hexPath))
                return false;
            return fromHex(hex->get_ref<const std::string&>(), hexPath, out);
        }
        fail(where, std::string("a string was expected, found ") + jsonTypeName(v));
        return false;
    }

  private:
    void failAt(const JsonPath& path, const std::optional<JsonLocation>& at,
                const std::string& what) {
        if (!error_.empty())
            return;
        error_ = path.text() + ": " + what;
        if (at)
            error_ += " (line " + std::to_string(at->line) + ", column " +
                      std::to_string(at->column) + ")";
    }

    static std::string range(int64_t min, int64_t max) {
        std::string text(1, '(');
        text += std::to_string(min);
        text += "..";
        text += std::to_string(max);
        text += ')';
        return text;
    }

    bool fromHex(const std::string& s, const JsonPath& path, ByteString& out) {
        if (s.size() % 2 != 0) {
            fail(path, "hexadecimal bytes come in pairs of digits");
            return false;
        }
        auto digit = [](char c) -> int {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            return -1;
        };
        ByteString bytes;
        bytes.reserve(s.size() / 2);
        for (size_t i = 0; i < s.size(); i += 2) {
            const int hi = digit(s[i]);
            const int lo = digit(s[i + 1]);
            if (hi < 0 || lo < 0) {
                std::string what = s.substr(i, 2);
                what.insert(what.begin(), '\'');
                what += "' is not a hexadecimal byte";
                fail(path, what);
                return false;
            }
            bytes += static_cast<char>(hi * 16 + lo);
        }
        out = std::move(bytes);
        return true;
    }

    std::string_view text_;
    std::string error_;
};

// The members of one JSON object, taken one by one; finish() refuses the keys nobody took.
class ObjectIn {
  public:
    ObjectIn(Reader& reader, const Json& value, JsonPath path)
        : reader_(reader), value_(value), path_(std::move(path)) {
        valid_ = reader_.expect(value, Expected::Object, path_);
        taken_.assign(valid_ ? value.size() : 0, false);
    }

    Reader& reader() { return reader_; }
    const JsonPath& path() const { return path_; }
    PathOf path(const char* key) const { return PathOf(path_, key); }

    // The member, or null (and a failure) when it is missing.
    const Json* take(const char* key) {
        const Json* found = takeOptional(key);
        if (found == nullptr && valid_ && reader_.ok())
            reader_.fail(path_, std::string("the key \"") + key + "\" is missing");
        return found;
    }

    const Json* takeOptional(const char* key) {
        if (!valid_ || !reader_.ok())
            return nullptr;
        const auto& members = membersOf(value_);
        for (size_t i = 0; i < members.size(); ++i) {
            if (members[i].first == key) {
                taken_[i] = true;
                return &members[i].second;
            }
        }
        return nullptr;
    }

    template <typename T>
    void num(const char* key, T& out, int64_t min = std::numeric_limits<T>::min(),
             int64_t max = std::numeric_limits<T>::max()) {
        static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
        const Json* v = take(key);
        int64_t value = 0;
        if (v != nullptr && reader_.integer(*v, path(key), min, max, value))
            out = static_cast<T>(value);
    }

    void text(const char* key, ByteString& out) {
        if (const Json* v = take(key))
            reader_.text(*v, path(key), out);
    }

    // The member as an array (null, with a failure, when missing or not an array).
    const Json* array(const char* key) {
        const Json* v = take(key);
        if (v == nullptr || !reader_.expect(*v, Expected::Array, path(key)))
            return nullptr;
        return v;
    }

    void finish() {
        if (!valid_ || !reader_.ok())
            return;
        const auto& members = membersOf(value_);
        for (size_t i = 0; i < members.size(); ++i) {
            if (!taken_[i]) {
                reader_.fail(path_.key(members[i].first), "unknown key");
                return;
            }
        }
    }

  private:
    Reader& reader_;
    const Json& value_;
    JsonPath path_;
    bool valid_ = false;
    std::vector<bool> taken_;
};

// ---------------------------------------------------------------------------------------------
// The fields of each record, visited in record order by the writer (Out) and the reader (In),
// so both directions always cover the same fields under the same names.

struct Out {
    Json value = Json::object();

    template <typename T>
    void num(const char* key, T& v, int64_t = 0, int64_t = 0) {
        addMember(value, key, Json(static_cast<int64_t>(v)));
    }
    void text(const char* key, ByteString& s) { addMember(value, key, textToJson(s)); }
    void entries(CDynamic& c);
    void bitmap(const char* key, MonoBitmap& b);
};

struct In {
    ObjectIn& object;

    template <typename T>
    void num(const char* key, T& v, int64_t min = std::numeric_limits<T>::min(),
             int64_t max = std::numeric_limits<T>::max()) {
        object.num(key, v, min, max);
    }
    void text(const char* key, ByteString& s) { object.text(key, s); }
    void entries(CDynamic& c);
    void bitmap(const char* key, MonoBitmap& b);
};

struct HeaderFields {
    uint16_t currentPosition = 0;
    uint8_t protocol = 1;
    uint8_t stride = 1;
    PanelSettings panel;
    CommSettings comm;
};

template <typename V>
void visitHeader(V& v, HeaderFields& h) {
    v.num("currentPosition", h.currentPosition);
    v.num("protocol", h.protocol, kMinProtocol, kMaxProtocol);
    v.num("password", h.panel.password);
    v.num("initialScreen", h.panel.initialScreen);
    v.num("plcStation", h.panel.plcStation);
    v.num("controlRegisterNumber", h.panel.controlRegisterNumber);
    v.num("controlRegisterType", h.panel.controlRegisterType);
    v.num("saverScreen", h.panel.saverScreen);
    v.num("saverDelayIndex", h.panel.saverDelayIndex);
    v.num("controlFlags", h.panel.controlFlags);
    v.num("baudIndex", h.comm.baudIndex);
    v.num("dataBitsIndex", h.comm.dataBitsIndex);
    v.num("stopBitsIndex", h.comm.stopBitsIndex);
    v.num("parityIndex", h.comm.parityIndex);
    v.num("panelStation", h.comm.panelStation);
    v.num("stride", h.stride);
    v.num("saverAction", h.panel.saverAction);
    v.num("option", h.comm.option);
    v.num("e5Timeout", h.comm.e5Timeout);
}

// The top-left corner on the display, as the project file holds it.
template <typename V>
void visitPosition(V& v, CBase& c) {
    v.num("x", c.m_x, 0, kPanelWidth - 1);
    v.num("y", c.m_y, 0, kPanelHeight - 1);
}

template <typename V>
void visitFields(V& v, CChars& c) {
    visitPosition(v, c);
    v.num("doubleSize", c.m_doubleSize);
    v.num("inverse", c.m_inverse);
    v.text("text", c.m_text);
}

template <typename V>
void visitFields(V& v, CRegister& c) {
    visitPosition(v, c);
    v.num("doubleSize", c.m_doubleSize);
    v.num("inverse", c.m_inverse);
    v.num("station", c.m_station);
    v.num("regType", c.m_regType);
    v.num("address", c.m_address);
    v.num("regCount", c.m_regCount);
    v.num("digits", c.m_digits);
    v.num("decimals", c.m_decimals);
    v.num("settable", c.m_settable);
    v.num("limits", c.m_limits);
    v.num("inputHigh", c.m_inputHigh);
    v.num("inputLow", c.m_inputLow);
    v.num("engHigh", c.m_engHigh);
    v.num("engLow", c.m_engLow);
    v.num("password", c.m_password);
    v.num("displayMode", c.m_displayMode);
    v.num("signed", c.m_signed);
    v.num("dataKind", c.m_dataKind);
    v.num("subAddress", c.m_subAddress);
    v.num("subType", c.m_subType);
    v.num("typeValue", c.m_typeValue);
    v.num("blockWord", c.m_blockWord);
}

template <typename V>
void visitFields(V& v, CDynamic& c) {
    visitPosition(v, c);
    v.num("doubleSize", c.m_doubleSize);
    v.num("inverse", c.m_inverse);
    v.num("station", c.m_station);
    v.num("regType", c.m_regType);
    v.num("address", c.m_address);
    v.num("regCount", c.m_regCount);
    v.num("displayMode", c.m_displayMode);
    v.entries(c);
    v.num("subAddress", c.m_subAddress);
    v.num("subType", c.m_subType);
    v.num("typeValue", c.m_typeValue);
    v.num("blockWord", c.m_blockWord);
}

template <typename V>
void visitLampKeyBlock(V& v, CLightFunc& c) {
    visitPosition(v, c);
    v.num("doubleSize", c.m_doubleSize);
    v.num("inverse", c.m_inverse);
    v.num("subAddress", c.m_subAddress);
    v.num("displayKind", c.m_displayKind);
    v.num("station", c.m_station);
    v.num("regType", c.m_regType);
    v.num("address", c.m_address);
}

template <typename V>
void visitFields(V& v, CLight& c) {
    visitLampKeyBlock(v, c);
    v.num("offset", c.m_offset);
    v.num("subType", c.m_subType);
    v.num("typeValue", c.m_typeValue);
    v.num("blockWord", c.m_blockWord);
}

template <typename V>
void visitFields(V& v, CFunction& c) {
    visitLampKeyBlock(v, c);
    v.num("hand", c.m_hand);
    v.num("invisible", c.m_invisible);
    v.num("encrypted", c.m_encrypted);
    v.num("actionKind", c.m_actionKind);
    v.num("coilOperation", c.m_coilOperation);
    v.num("jumpTarget", c.m_jumpTarget);
    v.num("targetScreen", c.m_targetScreen);
    v.num("value", c.m_value);
    v.num("keyOption", c.m_keyOption);
    v.num("signedFlag", c.m_signedFlag);
    v.num("recipeOperation", c.m_recipeOperation);
    v.num("length", c.m_length);
    v.num("limit", c.m_limit);
    v.num("subType", c.m_subType);
    v.num("blockWord", c.m_blockWord);
    v.num("registerTypeValue", c.m_registerTypeValue);
    v.num("coilTypeValue", c.m_coilTypeValue);
}

template <typename V>
void visitBarTideBlock(V& v, CBarTide& c) {
    visitPosition(v, c);
    v.num("width", c.m_width);
    v.num("height", c.m_height);
    v.num("displayMode", c.m_displayMode);
    v.num("signed", c.m_signed);
    v.num("fullScale", c.m_fullScale);
    v.num("zeroScale", c.m_zeroScale);
    v.num("station", c.m_station);
    v.num("regType", c.m_regType);
    v.num("address", c.m_address);
    v.num("regCount", c.m_regCount);
    v.num("subType", c.m_subType);
    v.num("blockWord", c.m_blockWord);
    v.num("typeValue", c.m_typeValue);
}

template <typename V>
void visitFields(V& v, CBar& c) {
    visitBarTideBlock(v, c);
    v.num("direction", c.m_direction);
    v.num("subAddress", c.m_subAddress);
}

template <typename V>
void visitFields(V& v, CTide& c) {
    visitBarTideBlock(v, c);
    v.num("interval", c.m_interval);
    v.num("points", c.m_points);
    v.num("subAddress", c.m_subAddress);
}

template <typename V>
void visitFields(V& v, CUpLoadPic& c) {
    visitPosition(v, c);
    v.bitmap("bitmap", c.m_bitmap);
}

// Visits the fields of the component when it is a T.
template <typename T, typename V>
bool visitAs(V& v, CBase& c) {
    auto* p = dynamic_cast<T*>(&c);
    if (p != nullptr)
        visitFields(v, *p);
    return p != nullptr;
}

// Visits the fields of the component's class; false for an object of no known class. The kind
// of the object comes from the kind table ("kind" in the JSON form); this is what each class
// adds to it.
template <typename V>
bool visitComponent(V& v, CBase& c) {
    return visitAs<CChars>(v, c) || visitAs<CRegister>(v, c) || visitAs<CLight>(v, c) ||
           visitAs<CFunction>(v, c) || visitAs<CUpLoadPic>(v, c) || visitAs<CBar>(v, c) ||
           visitAs<CTide>(v, c) || visitAs<CDynamic>(v, c);
}

// --- dynamic-text entries ---

bool entryUnused(const CDynamic& c, size_t i) {
    return c.m_values[i] == 0 && c.m_valueTexts[i].empty() && c.m_texts[i].empty();
}

void Out::entries(CDynamic& c) {
    const size_t count = std::min({c.m_texts.size(), c.m_values.size(), c.m_valueTexts.size()});
    // The usual 32 entries: the unused ones at the end are left out. A dynamic text that stores
    // more (only a file can make one) lists them all, so the count follows from the list.
    size_t shown = count;
    if (count <= kMinDynamicEntries) {
        while (shown > 0 && entryUnused(c, shown - 1))
            --shown;
    }
    Json list = Json::array();
    for (size_t i = 0; i < shown; ++i) {
        Json entry = Json::object();
        addMember(entry, "value", Json(static_cast<int64_t>(c.m_values[i])));
        addMember(entry, "valueText", textToJson(c.m_valueTexts[i]));
        addMember(entry, "text", textToJson(c.m_texts[i]));
        list.push_back(std::move(entry));
    }
    addMember(value, "entries", std::move(list));
}

void In::entries(CDynamic& c) {
    Reader& reader = object.reader();
    const Json* list = object.array("entries");
    if (list == nullptr || !reader.ok())
        return;
    const JsonPath path = object.path().key("entries");
    const size_t given = list->size();
    const size_t count = std::max(given, kMinDynamicEntries);
    c.m_texts.assign(count, ByteString());
    c.m_valueTexts.assign(count, ByteString());
    c.m_values.assign(count, 0);
    for (size_t i = 0; i < given && reader.ok(); ++i) {
        ObjectIn entry(reader, (*list)[i], path.index(i));
        entry.num("value", c.m_values[i]);
        entry.text("valueText", c.m_valueTexts[i]);
        entry.text("text", c.m_texts[i]);
        entry.finish();
    }
}

// --- picture bits: rows top first, '#' for a 1 bit (a light pixel of the picture), '.' for 0;
// "padding" only when the unused bits at the end of the stored rows are not all 0 ---

size_t paddingBits(const MonoBitmap& b) {
    return b.rowBytes() * 8 - static_cast<size_t>(b.width());
}

bool storedBit(const Bytes& bits, size_t rowStart, size_t index) {
    return (bits[rowStart + (index >> 3)] & (0x80u >> (index & 7))) != 0;
}

void Out::bitmap(const char* key, MonoBitmap& b) {
    Json picture = Json::object();
    addMember(picture, "width", Json(b.width()));
    addMember(picture, "height", Json(b.height()));
    Json rows = Json::array();
    Json padding = Json::array();
    bool anyPadding = false;
    const Bytes& bits = b.bits();
    const size_t width = static_cast<size_t>(b.width());
    for (int y = 0; y < b.height(); ++y) {
        const size_t rowStart = static_cast<size_t>(b.height() - 1 - y) * b.rowBytes();
        std::string row;
        for (size_t x = 0; x < width; ++x)
            row += storedBit(bits, rowStart, x) ? kLightPixel : kDarkPixel;
        std::string pad;
        for (size_t x = width; x < width + paddingBits(b); ++x) {
            const bool set = storedBit(bits, rowStart, x);
            anyPadding = anyPadding || set;
            pad += set ? kLightPixel : kDarkPixel;
        }
        rows.push_back(std::move(row));
        padding.push_back(std::move(pad));
    }
    addMember(picture, "rows", std::move(rows));
    if (anyPadding)
        addMember(picture, "padding", std::move(padding));
    addMember(value, key, std::move(picture));
}

// Reads `count` rows of `length` pixels into the stored bits, starting at bit `first` of each
// stored row.
void readPixelRows(Reader& reader, const Json& rows, const JsonPath& path, size_t count,
                   size_t length, size_t first, size_t rowBytes, Bytes& bits) {
    if (!reader.expect(rows, Expected::Array, path))
        return;
    if (rows.size() != count) {
        reader.fail(path, std::to_string(rows.size()) + " rows, the height asks for " +
                              std::to_string(count));
        return;
    }
    for (size_t y = 0; y < count && reader.ok(); ++y) {
        const Json& row = rows[y];
        const PathOf rowPath(path, y);
        if (!reader.expect(row, Expected::String, rowPath))
            return;
        const std::string& s = row.get_ref<const std::string&>();
        if (s.size() != length) {
            reader.fail(rowPath, std::to_string(s.size()) + " pixels, " + std::to_string(length) +
                                     " were expected");
            return;
        }
        const size_t rowStart = (count - 1 - y) * rowBytes;
        for (size_t x = 0; x < length; ++x) {
            if (s[x] == kLightPixel) {
                const size_t bit = first + x;
                bits[rowStart + (bit >> 3)] |= static_cast<uint8_t>(0x80u >> (bit & 7));
            } else if (s[x] != kDarkPixel) {
                reader.fail(rowPath, "pixel " + std::to_string(x) + " is neither '#' nor '.'");
                return;
            }
        }
    }
}

void In::bitmap(const char* key, MonoBitmap& b) {
    Reader& reader = object.reader();
    const Json* v = object.take(key);
    if (v == nullptr || !reader.ok())
        return;
    const JsonPath path = object.path().key(key);
    ObjectIn picture(reader, *v, path);
    int32_t width = 0;
    int32_t height = 0;
    picture.num("width", width, 1, kPictureMaxWidth);
    picture.num("height", height, 1, kPictureMaxHeight);
    const Json* rows = picture.take("rows");
    const Json* padding = picture.takeOptional("padding");
    picture.finish();
    if (!reader.ok() || rows == nullptr)
        return;
    MonoBitmap blank(width, height);
    Bytes bits(blank.imageSize(), 0);
    const auto h = static_cast<size_t>(height);
    const auto w = static_cast<size_t>(width);
    readPixelRows(reader, *rows, path.key("rows"), h, w, 0, blank.rowBytes(), bits);
    if (padding != nullptr && reader.ok()) {
        readPixelRows(reader, *padding, path.key("padding"), h, paddingBits(blank), w,
                      blank.rowBytes(), bits);
    }
    if (!reader.ok())
        return;
    Result<MonoBitmap> built = MonoBitmap::fromStored(blank.description(), bits);
    if (!built) {
        reader.fail(path, built.message());
        return;
    }
    b = std::move(built.value());
}

// ---------------------------------------------------------------------------------------------
// Building a project from the JSON value.

std::unique_ptr<CBase> readComponent(Reader& reader, const Json& value, JsonPath path,
                                     const ModelContext& context) {
    ObjectIn object(reader, value, std::move(path));
    const Json* kind = object.take("kind");
    if (kind == nullptr || !reader.expect(*kind, Expected::String, object.path("kind")))
        return nullptr;
    const std::string& kindText = kind->get_ref<const std::string&>();
    const ComponentKindInfo* info = findComponentKindByJsonName(kindText);
    if (info == nullptr) {
        std::string known;
        for (const ComponentKindInfo& k : componentKinds())
            known += std::string(known.empty() ? "" : ", ") + k.jsonName;
        reader.fail(object.path("kind"),
                    "unknown component kind \"" + kindText + "\" (known: " + known + ")");
        return nullptr;
    }
    std::unique_ptr<CBase> component = info->makeForLoading(context);
    In in{object};
    visitComponent(in, *component);
    object.finish();
    if (!reader.ok())
        return nullptr;
    // As after reading a record: the rectangle follows the stored position.
    component->SetPosition(screenFromPanel(component->m_x), screenFromPanel(component->m_y));
    return component;
}

std::unique_ptr<CMainView> readScreen(Reader& reader, const Json& value, JsonPath path,
                                      const ModelContext& context) {
    ObjectIn object(reader, value, std::move(path));
    auto screen = std::make_unique<CMainView>(context);
    object.num("number", screen->m_number);
    object.text("description", screen->m_description);
    object.num("upScreen", screen->m_upScreen);
    object.num("downScreen", screen->m_downScreen);
    const Json* components = object.array("components");
    object.finish();
    if (!reader.ok() || components == nullptr)
        return nullptr;
    const JsonPath listPath = object.path().key("components");
    for (size_t i = 0; i < components->size(); ++i) {
        std::unique_ptr<CBase> component =
            readComponent(reader, (*components)[i], listPath.index(i), context);
        if (!component)
            return nullptr;
        screen->appendComponent(std::move(component));
    }
    return screen;
}

void readAlarms(Reader& reader, const Json& value, CAlarmList& alarms) {
    ObjectIn object(reader, value, JsonPath().key("alarms"));
    object.num("station", alarms.m_station);
    object.num("startAddress", alarms.m_startAddress);
    object.num("subAddress", alarms.m_subAddress);
    object.num("regType", alarms.m_regType);
    object.num("bitOffset", alarms.m_bitOffset);
    const Json* texts = object.array("texts");
    object.finish();
    if (!reader.ok() || texts == nullptr)
        return;
    const JsonPath textsPath = object.path().key("texts");
    alarms.m_texts.clear();
    for (size_t i = 0; i < texts->size() && reader.ok(); ++i) {
        ByteString text;
        if (reader.text((*texts)[i], PathOf(textsPath, i), text))
            alarms.m_texts.push_back(std::move(text));
    }
}

using BuiltProject = Result<std::unique_ptr<Project>>;

// Lets a document go when leaving the scope (see releaseJson).
struct JsonReleaser {
    Json& value;
    ~JsonReleaser() { releaseJson(value); }
};

// Builds a project of its own from the JSON text. Each screen's values are let go once the
// screen is built, so the values and the project are never both held whole.
BuiltProject buildProject(std::string_view json) {
    Result<Json> parsed = parseJson(json);
    if (!parsed)
        return BuiltProject::failure(parsed.message());
    Json& root = parsed.value();
    const JsonReleaser releaser{root};

    Reader reader(json);
    const JsonPath top;
    ObjectIn topObject(reader, root, top);
    const Json* headerValue = topObject.take("header");
    topObject.array("screens");
    const Json* alarmsValue = topObject.take("alarms");
    topObject.finish();
    if (!reader.ok())
        return BuiltProject::failure(reader.error());
    // The screens are let go one by one as they are built.
    auto& screens = root.find("screens")->get_ref<Json::array_t&>();

    HeaderFields header;
    {
        ObjectIn object(reader, *headerValue, top.key("header"));
        In in{object};
        visitHeader(in, header);
        object.finish();
    }
    if (!reader.ok())
        return BuiltProject::failure(reader.error());

    auto project = std::make_unique<Project>(nullptr, header.protocol);
    project->clear();
    project->applyProtocol(header.protocol);
    if (header.stride != project->stride) {
        reader.fail(top.key("header").key("stride"),
                    std::to_string(header.stride) + " does not match protocol " +
                        std::to_string(header.protocol) + ", whose stride is " +
                        std::to_string(project->stride));
        return BuiltProject::failure(reader.error());
    }
    project->panel = header.panel;
    project->comm = header.comm;

    if (screens.empty()) {
        reader.fail(top.key("screens"), "a project holds at least one screen");
        return BuiltProject::failure(reader.error());
    }
    const JsonPath screensPath = top.key("screens");
    for (size_t i = 0; i < screens.size(); ++i) {
        std::unique_ptr<CMainView> screen =
            readScreen(reader, screens[i], screensPath.index(i), project->context());
        if (!screen)
            return BuiltProject::failure(reader.error());
        project->screens.append(std::move(screen));
        releaseJson(screens[i]);
    }
    if (header.currentPosition >= project->screens.size()) {
        reader.fail(top.key("header").key("currentPosition"),
                    std::to_string(header.currentPosition) +
                        " is not the position of a screen (0.." +
                        std::to_string(project->screens.size() - 1) + ")");
        return BuiltProject::failure(reader.error());
    }
    project->screens.setCurrentPosition(header.currentPosition);

    readAlarms(reader, *alarmsValue, project->alarms);
    if (!reader.ok())
        return BuiltProject::failure(reader.error());
    return project;
}

std::string outOfMemory(const char* what, size_t bytes) {
    return std::string("there is not enough memory to ") + what + " (" + std::to_string(bytes) +
           " bytes)";
}

}  // namespace

// ---------------------------------------------------------------------------------------------

std::string projectToJson(const Project& project) {
    Json root = Json::object();
    const JsonReleaser releaser{root};

    HeaderFields header;
    header.currentPosition = static_cast<uint16_t>(project.screens.currentPosition());
    header.protocol = project.protocol();
    header.stride = project.stride;
    header.panel = project.panel;
    header.comm = project.comm;
    Out headerOut;
    visitHeader(headerOut, header);
    addMember(root, "header", std::move(headerOut.value));

    Json screens = Json::array();
    for (const auto& screen : project.screens.screens()) {
        Json s = Json::object();
        addMember(s, "number", Json(screen->m_number));
        addMember(s, "description", textToJson(screen->m_description));
        addMember(s, "upScreen", Json(screen->m_upScreen));
        addMember(s, "downScreen", Json(screen->m_downScreen));
        Json components = Json::array();
        for (const auto& component : screen->components()) {
            Out out;
            const ComponentKindInfo* info = findComponentKind(component->m_kind);
            addMember(out.value, "kind", Json(info ? info->jsonName : "?"));
            // The visitors take the fields by reference for both directions; writing only reads.
            visitComponent(out, *component);
            components.push_back(std::move(out.value));
        }
        addMember(s, "components", std::move(components));
        screens.push_back(std::move(s));
    }
    addMember(root, "screens", std::move(screens));

    const CAlarmList& a = project.alarms;
    Json alarms = Json::object();
    addMember(alarms, "station", Json(a.m_station));
    addMember(alarms, "startAddress", Json(a.m_startAddress));
    addMember(alarms, "subAddress", Json(a.m_subAddress));
    addMember(alarms, "regType", Json(a.m_regType));
    addMember(alarms, "bitOffset", Json(a.m_bitOffset));
    Json texts = Json::array();
    for (const ByteString& text : a.m_texts)
        texts.push_back(textToJson(text));
    addMember(alarms, "texts", std::move(texts));
    addMember(root, "alarms", std::move(alarms));
    return writeJson(root);
}

Status checkProjectJsonSize(uint64_t bytes) {
    if (bytes <= kProjectJsonMaxBytes)
        return Status::success();
    return Status::failure("the JSON text is " + std::to_string(bytes) +
                           " bytes, more than the JSON form of the largest project (" +
                           std::to_string(kProjectJsonMaxBytes) + " bytes)");
}

Result<Bytes> projectFileFromJson(std::string_view json) {
    if (Status fits = checkProjectJsonSize(json.size()); !fits)
        return fits;
    try {
        BuiltProject built = buildProject(json);
        if (!built)
            return Result<Bytes>::failure(built.message());
        return built.value()->save();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return Result<Bytes>::failure(outOfMemory("build the project of the JSON text", json.size()));
}

Status projectFromJson(std::string_view json, Project& project) {
    Result<Bytes> file = projectFileFromJson(json);
    if (!file)
        return file.status();
    return project.load(file.value());
}

Result<std::string> projectFileToJson(std::span<const uint8_t> file) {
    try {
        Project project;
        Status loaded = project.load(file);
        if (!loaded)
            return Result<std::string>::failure(loaded.message(), loaded.caption());
        return projectToJson(project);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return Result<std::string>::failure(outOfMemory("write the JSON of the project", file.size()));
}

}  // namespace vanta
