#include "project/ProjectJson.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <type_traits>

#include "common/GbkText.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "model/Geometry.h"
#include "project/Project.h"

namespace vanta {

namespace {

constexpr int64_t kMinProtocol = 1;
constexpr int64_t kMaxProtocol = 40;
// The dynamic text keeps at least 32 entries; more only come from files that stored more.
constexpr size_t kMinDynamicEntries = CDynamic::kEntries;
constexpr char kLightPixel = '#';
constexpr char kDarkPixel = '.';

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

JsonValue textToJson(const ByteString& text) {
    Result<std::string> utf8 = gbkToUtf8(text);
    if (utf8.ok()) {
        Result<std::string> back = utf8ToGbk(utf8.value());
        if (back.ok() && back.value() == text)
            return JsonValue::string(std::move(utf8.value()));
    }
    JsonValue hex = JsonValue::object();
    hex.add("hex", JsonValue::string(toHex(text)));
    return hex;
}

// ---------------------------------------------------------------------------------------------
// Reading: the first failure is kept, with the JSON path and the position of the value.

class Reader {
  public:
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    void fail(const std::string& path, const JsonValue* at, const std::string& what) {
        if (!error_.empty())
            return;
        error_ = (path.empty() ? std::string("(top level)") : path) + ": " + what;
        if (at != nullptr && at->line > 0)
            error_ += " (line " + std::to_string(at->line) + ", column " +
                      std::to_string(at->column) + ")";
    }

    // True when the value has the type; otherwise a failure naming both types.
    bool expect(const JsonValue& v, JsonValue::Type type, const std::string& path) {
        if (v.type() == type)
            return true;
        fail(path, &v,
             std::string(JsonValue::typeName(type)) + " was expected, found " +
                 JsonValue::typeName(v.type()));
        return false;
    }

    bool integer(const JsonValue& v, const std::string& path, int64_t min, int64_t max,
                 int64_t& out) {
        if (!expect(v, JsonValue::Type::Number, path))
            return false;
        const std::string& text = v.numberText();
        const bool wholeText = text.find_first_of(".eE") == std::string::npos;
        if (!v.isInteger()) {
            if (wholeText)
                fail(path, &v, text + " is out of range " + range(min, max));
            else
                fail(path, &v, text + " is not a whole number");
            return false;
        }
        if (v.asInteger() < min || v.asInteger() > max) {
            fail(path, &v, text + " is out of range " + range(min, max));
            return false;
        }
        out = v.asInteger();
        return true;
    }

    bool text(const JsonValue& v, const std::string& path, ByteString& out) {
        if (v.isString()) {
            Result<std::string> gbk = utf8ToGbk(v.asString());
            if (!gbk) {
                fail(path, &v, gbk.message());
                return false;
            }
            out = std::move(gbk.value());
            return true;
        }
        if (v.isObject()) {
            const JsonValue* hex = v.find("hex");
            if (hex == nullptr || v.members().size() != 1) {
                fail(path, &v, "a text object holds exactly the key \"hex\"");
                return false;
            }
            if (!expect(*hex, JsonValue::Type::String, path + ".hex"))
                return false;
            return fromHex(*hex, path + ".hex", out);
        }
        fail(path, &v,
             std::string("a string was expected, found ") + JsonValue::typeName(v.type()));
        return false;
    }

  private:
    static std::string range(int64_t min, int64_t max) {
        std::string text(1, '(');
        text += std::to_string(min);
        text += "..";
        text += std::to_string(max);
        text += ')';
        return text;
    }

    bool fromHex(const JsonValue& v, const std::string& path, ByteString& out) {
        const std::string& s = v.asString();
        if (s.size() % 2 != 0) {
            fail(path, &v, "hexadecimal bytes come in pairs of digits");
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
                fail(path, &v, what);
                return false;
            }
            bytes += static_cast<char>(hi * 16 + lo);
        }
        out = std::move(bytes);
        return true;
    }

    std::string error_;
};

std::string childPath(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string indexPath(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// The members of one JSON object, taken one by one; finish() refuses the keys nobody took.
class ObjectIn {
  public:
    ObjectIn(Reader& reader, const JsonValue& value, std::string path)
        : reader_(reader), value_(value), path_(std::move(path)) {
        valid_ = reader_.expect(value, JsonValue::Type::Object, path_);
        taken_.assign(valid_ ? value.members().size() : 0, false);
    }

    Reader& reader() { return reader_; }
    std::string path(const std::string& key) const { return childPath(path_, key); }

    // The member, or null (and a failure) when it is missing.
    const JsonValue* take(const char* key) {
        const JsonValue* found = takeOptional(key);
        if (found == nullptr && valid_ && reader_.ok())
            reader_.fail(path_, &value_, std::string("the key \"") + key + "\" is missing");
        return found;
    }

    const JsonValue* takeOptional(const char* key) {
        if (!valid_ || !reader_.ok())
            return nullptr;
        const auto& members = value_.members();
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
        const JsonValue* v = take(key);
        int64_t value = 0;
        if (v != nullptr && reader_.integer(*v, path(key), min, max, value))
            out = static_cast<T>(value);
    }

    void text(const char* key, ByteString& out) {
        if (const JsonValue* v = take(key))
            reader_.text(*v, path(key), out);
    }

    // The member as an array (null, with a failure, when missing or not an array).
    const JsonValue* array(const char* key) {
        const JsonValue* v = take(key);
        if (v == nullptr || !reader_.expect(*v, JsonValue::Type::Array, path(key)))
            return nullptr;
        return v;
    }

    void finish() {
        if (!valid_ || !reader_.ok())
            return;
        const auto& members = value_.members();
        for (size_t i = 0; i < members.size(); ++i) {
            if (!taken_[i]) {
                reader_.fail(path(members[i].first), &members[i].second, "unknown key");
                return;
            }
        }
    }

  private:
    Reader& reader_;
    const JsonValue& value_;
    std::string path_;
    bool valid_ = false;
    std::vector<bool> taken_;
};

// ---------------------------------------------------------------------------------------------
// The fields of each record, visited in record order by the writer (Out) and the reader (In),
// so both directions always cover the same fields under the same names.

struct Out {
    JsonValue value = JsonValue::object();

    template <typename T>
    void num(const char* key, T& v, int64_t = 0, int64_t = 0) {
        value.add(key, JsonValue::integer(static_cast<int64_t>(v)));
    }
    void text(const char* key, ByteString& s) { value.add(key, textToJson(s)); }
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

template <typename V>
void visitPosition(V& v, CBase& c) {
    v.num("x", c.m_x);
    v.num("y", c.m_y);
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

// The component kinds by class name, in kind-code order.
struct KindInfo {
    const char* name;
    uint8_t kind;
};
constexpr KindInfo kKinds[] = {
    {"CChars", kKindChars},       {"CRegister", kKindRegister}, {"CLight", kKindLight},
    {"CFunction", kKindFunction}, {"CUpLoadPic", kKindPicture}, {"CBar", kKindBar},
    {"CTide", kKindTide},         {"CDynamic", kKindDynamic},
};

const char* kindName(uint8_t kind) {
    for (const KindInfo& k : kKinds) {
        if (k.kind == kind)
            return k.name;
    }
    return nullptr;
}

std::unique_ptr<CBase> makeForLoading(uint8_t kind, const ModelContext& context) {
    switch (kind) {
        case kKindChars:
            return std::make_unique<CChars>(context);
        case kKindRegister:
            return std::make_unique<CRegister>(context);
        case kKindLight:
            return std::make_unique<CLight>(context);
        case kKindFunction:
            return std::make_unique<CFunction>(context);
        case kKindPicture:
            return std::make_unique<CUpLoadPic>(context);
        case kKindBar:
            return std::make_unique<CBar>(context);
        case kKindTide:
            return std::make_unique<CTide>(context);
        case kKindDynamic:
            return std::make_unique<CDynamic>(context);
        default:
            return nullptr;
    }
}

// Visits the fields of the component's class; false for an object of no known class.
template <typename V>
bool visitComponent(V& v, CBase& c) {
    switch (c.m_kind) {
        case kKindChars:
            if (auto* p = dynamic_cast<CChars*>(&c))
                return visitFields(v, *p), true;
            break;
        case kKindRegister:
            if (auto* p = dynamic_cast<CRegister*>(&c))
                return visitFields(v, *p), true;
            break;
        case kKindLight:
            if (auto* p = dynamic_cast<CLight*>(&c))
                return visitFields(v, *p), true;
            break;
        case kKindFunction:
            if (auto* p = dynamic_cast<CFunction*>(&c))
                return visitFields(v, *p), true;
            break;
        case kKindPicture:
            if (auto* p = dynamic_cast<CUpLoadPic*>(&c))
                return visitFields(v, *p), true;
            break;
        case kKindBar:
            if (auto* p = dynamic_cast<CBar*>(&c))
                return visitFields(v, *p), true;
            break;
        case kKindTide:
            if (auto* p = dynamic_cast<CTide*>(&c))
                return visitFields(v, *p), true;
            break;
        case kKindDynamic:
            if (auto* p = dynamic_cast<CDynamic*>(&c))
                return visitFields(v, *p), true;
            break;
        default:
            break;
    }
    return false;
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
    JsonValue list = JsonValue::array();
    for (size_t i = 0; i < shown; ++i) {
        JsonValue entry = JsonValue::object();
        entry.add("value", JsonValue::integer(c.m_values[i]));
        entry.add("valueText", textToJson(c.m_valueTexts[i]));
        entry.add("text", textToJson(c.m_texts[i]));
        list.push(std::move(entry));
    }
    value.add("entries", std::move(list));
}

void In::entries(CDynamic& c) {
    Reader& reader = object.reader();
    const JsonValue* list = object.array("entries");
    if (list == nullptr || !reader.ok())
        return;
    const std::string path = object.path("entries");
    const size_t given = list->items().size();
    const size_t count = std::max(given, kMinDynamicEntries);
    c.m_texts.assign(count, ByteString());
    c.m_valueTexts.assign(count, ByteString());
    c.m_values.assign(count, 0);
    for (size_t i = 0; i < given && reader.ok(); ++i) {
        ObjectIn entry(reader, list->items()[i], indexPath(path, i));
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
    JsonValue picture = JsonValue::object();
    picture.add("width", JsonValue::integer(b.width()));
    picture.add("height", JsonValue::integer(b.height()));
    JsonValue rows = JsonValue::array();
    JsonValue padding = JsonValue::array();
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
        rows.push(JsonValue::string(std::move(row)));
        padding.push(JsonValue::string(std::move(pad)));
    }
    picture.add("rows", std::move(rows));
    if (anyPadding)
        picture.add("padding", std::move(padding));
    value.add(key, std::move(picture));
}

// Reads `count` rows of `length` pixels into the stored bits, starting at bit `first` of each
// stored row.
void readPixelRows(Reader& reader, const JsonValue& rows, const std::string& path, size_t count,
                   size_t length, size_t first, size_t rowBytes, Bytes& bits) {
    if (!reader.expect(rows, JsonValue::Type::Array, path))
        return;
    if (rows.items().size() != count) {
        reader.fail(path, &rows,
                    std::to_string(rows.items().size()) + " rows, the height asks for " +
                        std::to_string(count));
        return;
    }
    for (size_t y = 0; y < count && reader.ok(); ++y) {
        const JsonValue& row = rows.items()[y];
        const std::string rowPath = indexPath(path, y);
        if (!reader.expect(row, JsonValue::Type::String, rowPath))
            return;
        const std::string& s = row.asString();
        if (s.size() != length) {
            reader.fail(
                rowPath, &row,
                std::to_string(s.size()) + " pixels, " + std::to_string(length) + " were expected");
            return;
        }
        const size_t rowStart = (count - 1 - y) * rowBytes;
        for (size_t x = 0; x < length; ++x) {
            if (s[x] == kLightPixel) {
                const size_t bit = first + x;
                bits[rowStart + (bit >> 3)] |= static_cast<uint8_t>(0x80u >> (bit & 7));
            } else if (s[x] != kDarkPixel) {
                reader.fail(rowPath, &row,
                            "pixel " + std::to_string(x) + " is neither '#' nor '.'");
                return;
            }
        }
    }
}

void In::bitmap(const char* key, MonoBitmap& b) {
    Reader& reader = object.reader();
    const JsonValue* v = object.take(key);
    if (v == nullptr || !reader.ok())
        return;
    ObjectIn picture(reader, *v, object.path(key));
    int32_t width = 0;
    int32_t height = 0;
    picture.num("width", width, 1, kPictureMaxWidth);
    picture.num("height", height, 1, kPictureMaxHeight);
    const JsonValue* rows = picture.take("rows");
    const JsonValue* padding = picture.takeOptional("padding");
    picture.finish();
    if (!reader.ok() || rows == nullptr)
        return;
    MonoBitmap blank(width, height);
    Bytes bits(blank.imageSize(), 0);
    const auto h = static_cast<size_t>(height);
    const auto w = static_cast<size_t>(width);
    readPixelRows(reader, *rows, picture.path("rows"), h, w, 0, blank.rowBytes(), bits);
    if (padding != nullptr && reader.ok()) {
        readPixelRows(reader, *padding, picture.path("padding"), h, paddingBits(blank), w,
                      blank.rowBytes(), bits);
    }
    if (!reader.ok())
        return;
    Result<MonoBitmap> built = MonoBitmap::fromStored(blank.description(), bits);
    if (!built) {
        reader.fail(object.path(key), v, built.message());
        return;
    }
    b = std::move(built.value());
}

// ---------------------------------------------------------------------------------------------
// Building a project from the JSON value.

std::unique_ptr<CBase> readComponent(Reader& reader, const JsonValue& value,
                                     const std::string& path, const ModelContext& context) {
    ObjectIn object(reader, value, path);
    const JsonValue* kind = object.take("kind");
    if (kind == nullptr || !reader.expect(*kind, JsonValue::Type::String, object.path("kind")))
        return nullptr;
    uint8_t code = 0;
    for (const KindInfo& k : kKinds) {
        if (kind->asString() == k.name)
            code = k.kind;
    }
    if (code == 0) {
        std::string known;
        for (const KindInfo& k : kKinds)
            known += std::string(known.empty() ? "" : ", ") + k.name;
        reader.fail(object.path("kind"), kind,
                    "unknown component kind \"" + kind->asString() + "\" (known: " + known + ")");
        return nullptr;
    }
    std::unique_ptr<CBase> component = makeForLoading(code, context);
    In in{object};
    visitComponent(in, *component);
    object.finish();
    if (!reader.ok())
        return nullptr;
    // As after reading a record: the rectangle follows the stored position.
    component->SetPosition(screenFromPanel(component->m_x), screenFromPanel(component->m_y));
    return component;
}

std::unique_ptr<CMainView> readScreen(Reader& reader, const JsonValue& value,
                                      const std::string& path, const ModelContext& context) {
    ObjectIn object(reader, value, path);
    auto screen = std::make_unique<CMainView>(context);
    object.num("number", screen->m_number);
    object.text("description", screen->m_description);
    object.num("upScreen", screen->m_upScreen);
    object.num("downScreen", screen->m_downScreen);
    const JsonValue* components = object.array("components");
    object.finish();
    if (!reader.ok() || components == nullptr)
        return nullptr;
    const std::string listPath = object.path("components");
    for (size_t i = 0; i < components->items().size(); ++i) {
        std::unique_ptr<CBase> component =
            readComponent(reader, components->items()[i], indexPath(listPath, i), context);
        if (!component)
            return nullptr;
        screen->appendComponent(std::move(component));
    }
    return screen;
}

void readAlarms(Reader& reader, const JsonValue& value, CAlarmList& alarms) {
    ObjectIn object(reader, value, "alarms");
    object.num("station", alarms.m_station);
    object.num("startAddress", alarms.m_startAddress);
    object.num("subAddress", alarms.m_subAddress);
    object.num("regType", alarms.m_regType);
    object.num("bitOffset", alarms.m_bitOffset);
    const JsonValue* texts = object.array("texts");
    object.finish();
    if (!reader.ok() || texts == nullptr)
        return;
    alarms.m_texts.clear();
    for (size_t i = 0; i < texts->items().size() && reader.ok(); ++i) {
        ByteString text;
        if (reader.text(texts->items()[i], indexPath("alarms.texts", i), text))
            alarms.m_texts.push_back(std::move(text));
    }
}

// Builds a project of its own from the JSON text.
Result<std::unique_ptr<Project>> buildProject(std::string_view json) {
    Result<JsonValue> parsed = parseJson(json);
    if (!parsed)
        return Result<std::unique_ptr<Project>>::failure(parsed.message());
    const JsonValue& root = parsed.value();

    Reader reader;
    ObjectIn top(reader, root, "");
    const JsonValue* headerValue = top.take("header");
    const JsonValue* screensValue = top.array("screens");
    const JsonValue* alarmsValue = top.take("alarms");
    top.finish();
    if (!reader.ok())
        return Result<std::unique_ptr<Project>>::failure(reader.error());

    HeaderFields header;
    {
        ObjectIn object(reader, *headerValue, "header");
        In in{object};
        visitHeader(in, header);
        object.finish();
    }
    if (!reader.ok())
        return Result<std::unique_ptr<Project>>::failure(reader.error());

    auto project = std::make_unique<Project>(nullptr, header.protocol);
    project->clear();
    project->applyProtocol(header.protocol);
    if (header.stride != project->stride) {
        reader.fail("header.stride", headerValue->find("stride"),
                    std::to_string(header.stride) + " does not match protocol " +
                        std::to_string(header.protocol) + ", whose stride is " +
                        std::to_string(project->stride));
        return Result<std::unique_ptr<Project>>::failure(reader.error());
    }
    project->panel = header.panel;
    project->comm = header.comm;

    const auto& screens = screensValue->items();
    if (screens.empty()) {
        reader.fail("screens", screensValue, "a project holds at least one screen");
        return Result<std::unique_ptr<Project>>::failure(reader.error());
    }
    for (size_t i = 0; i < screens.size(); ++i) {
        std::unique_ptr<CMainView> screen =
            readScreen(reader, screens[i], indexPath("screens", i), project->context());
        if (!screen)
            return Result<std::unique_ptr<Project>>::failure(reader.error());
        project->screens.append(std::move(screen));
    }
    if (header.currentPosition >= project->screens.size()) {
        reader.fail("header.currentPosition", headerValue->find("currentPosition"),
                    std::to_string(header.currentPosition) +
                        " is not the position of a screen (0.." +
                        std::to_string(project->screens.size() - 1) + ")");
        return Result<std::unique_ptr<Project>>::failure(reader.error());
    }
    project->screens.setCurrentPosition(header.currentPosition);

    readAlarms(reader, *alarmsValue, project->alarms);
    if (!reader.ok())
        return Result<std::unique_ptr<Project>>::failure(reader.error());
    return project;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

JsonValue projectToJsonValue(const Project& project) {
    JsonValue root = JsonValue::object();

    HeaderFields header;
    header.currentPosition = static_cast<uint16_t>(project.screens.currentPosition());
    header.protocol = project.protocol();
    header.stride = project.stride;
    header.panel = project.panel;
    header.comm = project.comm;
    Out headerOut;
    visitHeader(headerOut, header);
    root.add("header", std::move(headerOut.value));

    JsonValue screens = JsonValue::array();
    for (const auto& screen : project.screens.screens()) {
        JsonValue s = JsonValue::object();
        s.add("number", JsonValue::integer(screen->m_number));
        s.add("description", textToJson(screen->m_description));
        s.add("upScreen", JsonValue::integer(screen->m_upScreen));
        s.add("downScreen", JsonValue::integer(screen->m_downScreen));
        JsonValue components = JsonValue::array();
        for (const auto& component : screen->components()) {
            Out out;
            const char* name = kindName(component->m_kind);
            out.value.add("kind", JsonValue::string(name ? name : "?"));
            // The visitors take the fields by reference for both directions; writing only reads.
            visitComponent(out, *component);
            components.push(std::move(out.value));
        }
        s.add("components", std::move(components));
        screens.push(std::move(s));
    }
    root.add("screens", std::move(screens));

    const CAlarmList& a = project.alarms;
    JsonValue alarms = JsonValue::object();
    alarms.add("station", JsonValue::integer(a.m_station));
    alarms.add("startAddress", JsonValue::integer(a.m_startAddress));
    alarms.add("subAddress", JsonValue::integer(a.m_subAddress));
    alarms.add("regType", JsonValue::integer(a.m_regType));
    alarms.add("bitOffset", JsonValue::integer(a.m_bitOffset));
    JsonValue texts = JsonValue::array();
    for (const ByteString& text : a.m_texts)
        texts.push(textToJson(text));
    alarms.add("texts", std::move(texts));
    root.add("alarms", std::move(alarms));
    return root;
}

std::string projectToJson(const Project& project) {
    return writeJson(projectToJsonValue(project));
}

Result<Bytes> projectFileFromJson(std::string_view json) {
    Result<std::unique_ptr<Project>> built = buildProject(json);
    if (!built)
        return Result<Bytes>::failure(built.message());
    return built.value()->save();
}

Status projectFromJson(std::string_view json, Project& project) {
    Result<Bytes> file = projectFileFromJson(json);
    if (!file)
        return file.status();
    return project.load(file.value());
}

Result<std::string> projectFileToJson(std::span<const uint8_t> file) {
    Project project;
    Status loaded = project.load(file);
    if (!loaded)
        return Result<std::string>::failure(loaded.message(), loaded.caption());
    return projectToJson(project);
}

}  // namespace vanta
