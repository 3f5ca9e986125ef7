#include "common/Archive.h"

#include <algorithm>
#include <limits>

#include "common/ByteOrder.h"

#include "common/GbkText.h"

namespace vanta {

namespace {

constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint32_t kBigClassTag = 0x80000000u;
// Highest index the running class/object index may reach.
constexpr uint32_t kMaxIndex = 0x3FFFFFFEu;
// Class names are short identifiers; anything longer is not a class of this system.
constexpr uint16_t kMaxClassNameLength = 64;
// Objects may hold object lists; a stream that nests deeper than this is not a project file.
constexpr int kMaxNesting = 32;

constexpr uint8_t kLengthEscape8 = 0xFF;
constexpr uint16_t kWideMarker = 0xFFFE;
constexpr uint16_t kLengthEscape16 = 0xFFFF;

// A class name as it can be shown in a message: printable ASCII kept, other bytes as \xNN.
std::string printableName(const std::string& name) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// UTF-16LE code units to UTF-8; a lone surrogate is refused (returns false).
bool utf16ToUtf8(const uint8_t* data, size_t units, std::string& out) {
    out.clear();
    out.reserve(units * 3);
    for (size_t i = 0; i < units; ++i) {
        uint32_t cp = getLE16(data + 2 * i);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= units)
                return false;
            const uint32_t low = getLE16(data + 2 * (i + 1));
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return false;
        }
        appendUtf8(out, cp);
    }
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// ClassRegistry

void ClassRegistry::add(std::string name, uint16_t schema, Factory factory) {
    entries_[std::move(name)] = Entry{schema, std::move(factory)};
}

const ClassRegistry::Entry* ClassRegistry::find(const std::string& name) const {
    const auto it = entries_.find(name);
    return it == entries_.end() ? nullptr : &it->second;
}

// ---------------------------------------------------------------------------------------------
// Archive: construction and failures

Archive::Archive() : storing_(true) {}

Archive::Archive(std::span<const uint8_t> data, const ClassRegistry* registry)
    : storing_(false), input_(data), registry_(registry) {}

void Archive::fail(const std::string& what) {
    failAt(pos_, what);
}

void Archive::failAt(size_t offset, const std::string& what) {
    if (!ok_)
        return;
    ok_ = false;
    failureOffset_ = offset;
    error_ = what + " at byte offset " + std::to_string(offset);
}

Status Archive::status() const {
    return ok_ ? Status::success() : Status::failure(error_);
}

bool Archive::need(size_t n, const char* what) {
    if (!ok_)
        return false;
    if (storing_) {
        fail(std::string("Reading ") + what + " from an archive that stores");
        return false;
    }
    if (n > remaining()) {
        fail(std::string("Unexpected end of data reading ") + what + " (" + std::to_string(n) +
             " bytes needed, " + std::to_string(remaining()) + " left)");
        return false;
    }
    return true;
}

bool Archive::canHold(uint64_t count, size_t minBytesEach, const char* what) {
    if (!ok_)
        return false;
    if (storing_ || minBytesEach == 0)
        return true;
    const uint64_t left = remaining();
    if (count > left / minBytesEach) {
        fail(std::string("The count of ") + what + " (" + std::to_string(count) +
             ") does not fit in the " + std::to_string(left) + " bytes that remain");
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Writing

void Archive::writeU8(uint8_t v) {
    if (!storing_)
        return;
    output_.push_back(v);
    pos_ = output_.size();
}

void Archive::writeU16(uint16_t v) {
    if (!storing_)
        return;
    output_.push_back(static_cast<uint8_t>(v));
    output_.push_back(static_cast<uint8_t>(v >> 8));
    pos_ = output_.size();
}

void Archive::writeU32(uint32_t v) {
    if (!storing_)
        return;
    for (int shift = 0; shift < 32; shift += 8)
        output_.push_back(static_cast<uint8_t>(v >> shift));
    pos_ = output_.size();
}

void Archive::writeBytes(std::span<const uint8_t> bytes) {
    if (!storing_)
        return;
    output_.insert(output_.end(), bytes.begin(), bytes.end());
    pos_ = output_.size();
}

void Archive::writeZeros(size_t n) {
    if (!storing_)
        return;
    output_.insert(output_.end(), n, 0);
    pos_ = output_.size();
}

void Archive::writeCount(uint32_t count) {
    if (count < 0xFFFF) {
        writeU16(static_cast<uint16_t>(count));
    } else {
        writeU16(0xFFFF);
        writeU32(count);
    }
}

void Archive::writeString(const ByteString& s) {
    const size_t n = s.size();
    if (n < kLengthEscape8) {
        writeU8(static_cast<uint8_t>(n));
    } else if (n < kWideMarker) {
        writeU8(kLengthEscape8);
        writeU16(static_cast<uint16_t>(n));
    } else if (n <= std::numeric_limits<uint32_t>::max()) {
        writeU8(kLengthEscape8);
        writeU16(kLengthEscape16);
        writeU32(static_cast<uint32_t>(n));
    } else {
        fail("A string is too long to be stored");
        return;
    }
    writeBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), n));
}

void Archive::writeObject(const Persistent* object) {
    if (!storing_)
        return;
    if (object == nullptr) {
        writeU16(kNullTag);
        return;
    }
    // Serialize is symmetric and therefore not const; writing does not change the object.
    Persistent* target = const_cast<Persistent*>(object);
    const RuntimeClass& rc = object->GetRuntimeClass();
    const std::string name = rc.name;
    if (nextIndex_ > kMaxIndex - 1) {
        fail("Too many objects to store");
        return;
    }
    const auto known = writtenClasses_.find(name);
    if (known == writtenClasses_.end()) {
        if (name.size() > kMaxClassNameLength) {
            fail("The class name \"" + printableName(name) + "\" is too long to be stored");
            return;
        }
        writeU16(kNewClassTag);
        writeU16(rc.schema);
        writeU16(static_cast<uint16_t>(name.size()));
        writeBytes(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(name.data()), name.size()));
        writtenClasses_.emplace(name, nextIndex_++);
    } else if (known->second < kBigObjectTag) {
        writeU16(static_cast<uint16_t>(kClassTag | known->second));
    } else {
        writeU16(kBigObjectTag);
        writeU32(kBigClassTag | known->second);
    }
    ++nextIndex_;  // the object's own index
    target->Serialize(*this);
}

// ---------------------------------------------------------------------------------------------
// Reading

uint8_t Archive::readU8() {
    if (!need(1, "an 8-bit value"))
        return 0;
    return input_[pos_++];
}

uint16_t Archive::readU16() {
    if (!need(2, "a 16-bit value"))
        return 0;
    const uint16_t v = getLE16(input_.data() + pos_);
    pos_ += 2;
    return v;
}

uint32_t Archive::readU32() {
    if (!need(4, "a 32-bit value"))
        return 0;
    const uint32_t v = getLE32(input_.data() + pos_);
    pos_ += 4;
    return v;
}

bool Archive::readBytes(uint8_t* out, size_t size) {
    if (!need(size, "a block of bytes"))
        return false;
    if (size > 0)
        std::copy_n(input_.data() + pos_, size, out);
    pos_ += size;
    return true;
}

void Archive::skip(size_t n) {
    if (need(n, "a reserved block"))
        pos_ += n;
}

uint32_t Archive::readCount() {
    const size_t start = pos_;
    uint32_t count = readU16();
    if (ok_ && count == 0xFFFF)
        count = readU32();
    if (!ok_)
        return 0;
    // Every item takes at least one byte, so a count beyond what remains cannot be right.
    if (count > remaining()) {
        failAt(start, "The count " + std::to_string(count) + " exceeds the " +
                          std::to_string(remaining()) + " bytes that remain");
        return 0;
    }
    return count;
}

uint64_t Archive::readStringLength(bool& wide) {
    wide = false;
    const uint8_t b = readU8();
    if (!ok_)
        return 0;
    if (b < kLengthEscape8)
        return b;
    uint16_t w = readU16();
    if (!ok_)
        return 0;
    if (w == kWideMarker) {
        wide = true;
        const uint8_t b2 = readU8();
        if (!ok_)
            return 0;
        if (b2 < kLengthEscape8)
            return b2;
        w = readU16();
        if (!ok_)
            return 0;
    }
    if (w < kLengthEscape16)
        return w;
    return readU32();
}

ByteString Archive::readString() {
    const size_t start = pos_;
    bool wide = false;
    const uint64_t length = readStringLength(wide);
    if (!ok_)
        return {};
    const uint64_t bytes = wide ? length * 2 : length;
    if (bytes > remaining()) {
        failAt(start, "The string length " + std::to_string(length) + " exceeds the " +
                          std::to_string(remaining()) + " bytes that remain");
        return {};
    }
    const uint8_t* data = input_.data() + pos_;
    pos_ += static_cast<size_t>(bytes);
    if (!wide)
        return ByteString(reinterpret_cast<const char*>(data), static_cast<size_t>(bytes));

    std::string utf8;
    if (!utf16ToUtf8(data, static_cast<size_t>(length), utf8)) {
        failAt(start, "A 16-bit-character string holds an unpaired surrogate");
        return {};
    }
    Result<std::string> gbk = utf8ToGbk(utf8);
    if (!gbk.ok()) {
        failAt(start, gbk.message());
        return {};
    }
    return std::move(gbk).value();
}

std::unique_ptr<Persistent> Archive::readObject() {
    if (!ok_)
        return nullptr;
    if (storing_) {
        fail("Reading an object from an archive that stores");
        return nullptr;
    }
    const size_t start = pos_;
    const uint16_t tag = readU16();
    if (!ok_)
        return nullptr;
    if (tag == kNullTag)
        return nullptr;

    std::string className;
    if (tag == kNewClassTag) {
        const uint16_t schema = readU16();
        const uint16_t nameLength = readU16();
        if (!ok_)
            return nullptr;
        if (nameLength == 0 || nameLength > kMaxClassNameLength) {
            failAt(start,
                   "A class name of length " + std::to_string(nameLength) + " is not a class name");
            return nullptr;
        }
        if (!need(nameLength, "a class name"))
            return nullptr;
        className.assign(reinterpret_cast<const char*>(input_.data() + pos_), nameLength);
        pos_ += nameLength;
        const ClassRegistry::Entry* entry = registry_ ? registry_->find(className) : nullptr;
        if (entry == nullptr) {
            failAt(start, "Unknown class \"" + printableName(className) + "\"");
            return nullptr;
        }
        if (schema != 1 || schema != entry->schema) {
            failAt(start, "Class \"" + className + "\" has schema " + std::to_string(schema) +
                              ", expected " + std::to_string(entry->schema));
            return nullptr;
        }
        if (nextIndex_ > kMaxIndex - 1) {
            failAt(start, "Too many objects");
            return nullptr;
        }
        readClasses_.emplace(nextIndex_++, className);
    } else {
        uint32_t objectTag;
        if (tag == kBigObjectTag) {
            objectTag = readU32();
            if (!ok_)
                return nullptr;
            if (objectTag == 0)
                return nullptr;
        } else {
            objectTag = (static_cast<uint32_t>(tag & kClassTag) << 16) | (tag & ~kClassTag);
        }
        if ((objectTag & kBigClassTag) == 0) {
            failAt(start, "A reference to an earlier object (index " + std::to_string(objectTag) +
                              ") is not allowed");
            return nullptr;
        }
        const uint32_t classIndex = objectTag & ~kBigClassTag;
        const auto known = readClasses_.find(classIndex);
        if (known == readClasses_.end()) {
            failAt(start, "The class index " + std::to_string(classIndex) +
                              " does not name a class read before");
            return nullptr;
        }
        className = known->second;
        if (nextIndex_ > kMaxIndex) {
            failAt(start, "Too many objects");
            return nullptr;
        }
    }
    ++nextIndex_;  // the object's own index

    const ClassRegistry::Entry* entry = registry_ ? registry_->find(className) : nullptr;
    std::unique_ptr<Persistent> object = entry && entry->factory ? entry->factory() : nullptr;
    if (!object) {
        failAt(start, "No object of class \"" + className + "\" can be created");
        return nullptr;
    }
    if (depth_ >= kMaxNesting) {
        failAt(start, "Objects are nested too deeply");
        return nullptr;
    }
    ++depth_;
    object->Serialize(*this);
    --depth_;
    if (!ok_)
        return nullptr;
    return object;
}

// ---------------------------------------------------------------------------------------------
// Symmetric access

void Archive::io(uint8_t& v) {
    if (storing_) {
        writeU8(v);
    } else if (need(1, "an 8-bit value")) {
        v = readU8();
    }
}

void Archive::io(int8_t& v) {
    if (storing_) {
        writeU8(static_cast<uint8_t>(v));
    } else if (need(1, "an 8-bit value")) {
        v = static_cast<int8_t>(readU8());
    }
}

void Archive::io(uint16_t& v) {
    if (storing_) {
        writeU16(v);
    } else if (need(2, "a 16-bit value")) {
        v = readU16();
    }
}

void Archive::io(int16_t& v) {
    if (storing_) {
        writeU16(static_cast<uint16_t>(v));
    } else if (need(2, "a 16-bit value")) {
        v = static_cast<int16_t>(readU16());
    }
}

void Archive::io(uint32_t& v) {
    if (storing_) {
        writeU32(v);
    } else if (need(4, "a 32-bit value")) {
        v = readU32();
    }
}

void Archive::io(int32_t& v) {
    if (storing_) {
        writeU32(static_cast<uint32_t>(v));
    } else if (need(4, "a 32-bit value")) {
        v = static_cast<int32_t>(readU32());
    }
}

void Archive::ioString(ByteString& s) {
    if (storing_) {
        writeString(s);
        return;
    }
    ByteString read = readString();
    if (ok_)
        s = std::move(read);
}

void Archive::ioCount(uint32_t& count) {
    if (storing_) {
        writeCount(count);
        return;
    }
    const uint32_t read = readCount();
    if (ok_)
        count = read;
}

void Archive::ioBytes(uint8_t* data, size_t size) {
    if (storing_) {
        writeBytes(std::span<const uint8_t>(data, size));
    } else {
        readBytes(data, size);
    }
}

void Archive::reserved(size_t n) {
    if (storing_) {
        writeZeros(n);
    } else {
        skip(n);
    }
}

}  // namespace vanta
