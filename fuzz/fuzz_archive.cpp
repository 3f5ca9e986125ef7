// Reads arbitrary bytes as an archive: a count of tagged objects (two small classes, one of which
// holds an object list), then strings up to the end. Reading must never crash, leak or read out
// of bounds, and a failed read must name the byte offset where it failed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "common/Archive.h"

namespace {

using vanta::Archive;
using vanta::ByteString;
using vanta::Persistent;
using vanta::RuntimeClass;

class Leaf : public Persistent {
  public:
    const RuntimeClass& GetRuntimeClass() const override {
        static const RuntimeClass rc{"Leaf", 1};
        return rc;
    }
    void Serialize(Archive& ar) override {
        ar.io(a);
        ar.io(b);
        ar.io(c);
        ar.ioString(text);
        ar.reserved(2);
    }
    uint8_t a = 0;
    int16_t b = 0;
    uint32_t c = 0;
    ByteString text;
};

class List : public Persistent {
  public:
    const RuntimeClass& GetRuntimeClass() const override {
        static const RuntimeClass rc{"List", 1};
        return rc;
    }
    void Serialize(Archive& ar) override {
        uint32_t count = 0;
        ar.ioCount(count);
        // Every object takes at least its 2-byte tag.
        if (!ar.canHold(count, 2, "objects"))
            return;
        items.reserve(count);
        for (uint32_t i = 0; i < count && ar.ok(); ++i)
            items.push_back(ar.readObject());
    }
    std::vector<std::unique_ptr<Persistent>> items;
};

const vanta::ClassRegistry& registry() {
    static const vanta::ClassRegistry r = [] {
        vanta::ClassRegistry reg;
        reg.add("Leaf", 1, [] { return std::make_unique<Leaf>(); });
        reg.add("List", 1, [] { return std::make_unique<List>(); });
        return reg;
    }();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Archive ar(std::span<const uint8_t>(data, size), &registry());
    List top;
    top.Serialize(ar);
    while (ar.ok() && ar.remaining() > 0) {
        const ByteString s = ar.readString();
        if (s.size() > size)
            __builtin_trap();
    }
    if (!ar.ok() && ar.errorMessage().find(" at byte offset ") == std::string::npos) {
        __builtin_trap();
    }
    if (ar.offset() > size)
        __builtin_trap();
    return 0;
}
