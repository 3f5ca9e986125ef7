#pragma once
// The project-file archive: a little-endian byte stream with fixed-width integers, counts,
// length-prefixed code-page strings, reserved blocks and tagged objects.
//
// One Archive either stores (writes into a growing buffer) or loads (reads a byte span). The
// symmetric io() calls let a class write and read its record with one Serialize function.
//
// Reading never throws and never reads past the end: the first failure is kept (with the byte
// offset where it happened), later reads return zeros and leave their targets unchanged, and
// callers test ok() at convenient points. No length field causes an allocation larger than the
// bytes that remain.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vanta {

using Bytes = std::vector<uint8_t>;
// Text as stored: code-page (GBK) bytes, never converted inside the model.
using ByteString = std::string;

class Archive;

struct RuntimeClass {
    const char* name;
    uint16_t schema;
};

// A class whose objects are written as tagged objects (screens and components).
class Persistent {
  public:
    virtual ~Persistent() = default;
    virtual const RuntimeClass& GetRuntimeClass() const = 0;
    virtual void Serialize(Archive& ar) = 0;
};

// The persistent classes a reader may create, by class name. Built by whoever reads a project,
// so factories can capture the context (protocol, vocabulary) the new objects need.
class ClassRegistry {
  public:
    using Factory = std::function<std::unique_ptr<Persistent>()>;
    void add(std::string name, uint16_t schema, Factory factory);
    struct Entry {
        uint16_t schema;
        Factory factory;
    };
    const Entry* find(const std::string& name) const;

  private:
    std::map<std::string, Entry> entries_;
};

class Archive {
  public:
    // An archive that stores.
    Archive();
    // An archive that loads from data; registry (may be null) creates tagged objects.
    explicit Archive(std::span<const uint8_t> data, const ClassRegistry* registry = nullptr);

    bool isStoring() const { return storing_; }
    bool isLoading() const { return !storing_; }

    // Symmetric access: writes the value when storing, reads it into the value when loading.
    void io(uint8_t& v);
    void io(int8_t& v);
    void io(uint16_t& v);
    void io(int16_t& v);
    void io(uint32_t& v);
    void io(int32_t& v);
    void ioString(ByteString& s);
    void ioCount(uint32_t& count);
    void ioBytes(uint8_t* data, size_t size);
    // n reserved bytes: zeros written, bytes skipped on reading.
    void reserved(size_t n);

    // Writing.
    void writeU8(uint8_t v);
    void writeU16(uint16_t v);
    void writeU32(uint32_t v);
    void writeBytes(std::span<const uint8_t> bytes);
    void writeZeros(size_t n);
    // 16-bit count, or 0xFFFF and a 32-bit count when the count is 0xFFFF or more.
    void writeCount(uint32_t count);
    // Length prefix in its shortest form (1 byte; 0xFF + 16 bits; 0xFF 0xFFFF + 32 bits), then
    // the bytes.
    void writeString(const ByteString& s);
    // A tagged object (0x0000 for null); assigns class and object indexes.
    void writeObject(const Persistent* object);

    // Reading. On failure (or after an earlier one) each returns 0 / empty.
    uint8_t readU8();
    uint16_t readU16();
    uint32_t readU32();
    bool readBytes(uint8_t* out, size_t size);
    void skip(size_t n);
    // Also a failure when the count exceeds the bytes that remain (every item takes a byte).
    uint32_t readCount();
    // Accepts all three length forms and the 0xFF 0xFFFE marker of a 16-bit-character string,
    // which is converted to the code page.
    ByteString readString();
    // Reads a tag and the object's record. Null tag: returns nullptr with ok() still true.
    // A new class must be registered with schema 1; a reference to an earlier object (never
    // written by this system) is a failure, as is a record that fails to read (the partly read
    // object is discarded).
    std::unique_ptr<Persistent> readObject();

    // True while `count` items of at least `minBytesEach` bytes can still fit in what remains;
    // otherwise records a failure. Use it before reserving memory for a count read from the file.
    bool canHold(uint64_t count, size_t minBytesEach, const char* what);

    bool ok() const { return ok_; }
    // Records a failure at the current offset (the first one is kept).
    void fail(const std::string& what);
    // Records a failure at an earlier offset, where the faulty value began.
    void failAt(size_t offset, const std::string& what);
    // The byte offset of the first failure (0 while ok()).
    size_t failureOffset() const { return failureOffset_; }
    Status status() const;
    const std::string& errorMessage() const { return error_; }

    size_t offset() const { return pos_; }
    size_t remaining() const { return storing_ ? 0 : input_.size() - pos_; }
    const Bytes& data() const { return output_; }
    Bytes takeData() { return std::move(output_); }
    // Storing: room for about `bytes` more bytes, so a large project is written without the
    // buffer being moved again and again as it grows.
    void reserveOutput(size_t bytes) { output_.reserve(output_.size() + bytes); }

    // The version byte of the file being read (1, 10, 11, 12); records consult it for fields
    // added in later versions. Files are always written as version 12.
    uint8_t loadedVersion = 12;

  private:
    bool need(size_t n, const char* what);
    uint64_t readStringLength(bool& wide);

    bool storing_;
    bool ok_ = true;
    std::string error_;
    size_t failureOffset_ = 0;
    Bytes output_;
    std::span<const uint8_t> input_;
    size_t pos_ = 0;
    const ClassRegistry* registry_ = nullptr;
    // Writing: class name -> class index. Reading: class index -> class name.
    std::map<std::string, uint32_t> writtenClasses_;
    std::map<uint32_t, std::string> readClasses_;
    uint32_t nextIndex_ = 1;
    int depth_ = 0;  // nesting of objects being read
};

}  // namespace vanta
