#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/Archive.h"

using namespace vanta;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A small persistent class: one byte and one string.
class Leaf : public Persistent {
  public:
    static const RuntimeClass kClass;
    Leaf() = default;
    Leaf(uint8_t v, ByteString t) : value(v), text(std::move(t)) {}
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    void Serialize(Archive& ar) override {
        ar.io(value);
        ar.ioString(text);
    }
    uint8_t value = 0;
    ByteString text;
};
const RuntimeClass Leaf::kClass{"Leaf", 1};

// A persistent class holding an object list, written as a count and tagged objects.
class Holder : public Persistent {
  public:
    static const RuntimeClass kClass;
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    void Serialize(Archive& ar) override {
        uint32_t count = static_cast<uint32_t>(children.size());
        ar.ioCount(count);
        if (ar.isStoring()) {
            for (const auto& child : children)
                ar.writeObject(child.get());
        } else {
            for (uint32_t i = 0; i < count && ar.ok(); ++i)
                children.push_back(ar.readObject());
        }
    }
    std::vector<std::unique_ptr<Persistent>> children;
};
const RuntimeClass Holder::kClass{"Holder", 1};

ClassRegistry testRegistry() {
    ClassRegistry registry;
    registry.add("Leaf", 1, [] { return std::make_unique<Leaf>(); });
    registry.add("Holder", 1, [] { return std::make_unique<Holder>(); });
    return registry;
}

// Writes every field kind once; the same sequence is read back by readSample.
Bytes writeSample() {
    Archive ar;
    uint8_t u8 = 0xAB;
    int8_t i8 = -2;
    uint16_t u16 = 0x1234;
    int16_t i16 = -3;
    uint32_t u32 = 0xDEADBEEF;
    int32_t i32 = -70000;
    ByteString text = "ab";
    uint32_t count = 2;
    uint8_t block[3] = {7, 8, 9};
    ar.io(u8);
    ar.io(i8);
    ar.io(u16);
    ar.io(i16);
    ar.io(u32);
    ar.io(i32);
    ar.ioString(text);
    ar.ioCount(count);
    ar.ioBytes(block, 3);
    ar.reserved(2);
    Holder holder;
    holder.children.push_back(std::make_unique<Leaf>(5, "x"));
    holder.children.push_back(nullptr);
    ar.writeObject(&holder);
    return ar.takeData();
}

struct Sample {
    uint8_t u8 = 0;
    int8_t i8 = 0;
    uint16_t u16 = 0;
    int16_t i16 = 0;
    uint32_t u32 = 0;
    int32_t i32 = 0;
    ByteString text;
    uint32_t count = 0;
    uint8_t block[3] = {};
    std::unique_ptr<Persistent> object;
};

Sample readSample(Archive& ar) {
    Sample s;
    ar.io(s.u8);
    ar.io(s.i8);
    ar.io(s.u16);
    ar.io(s.i16);
    ar.io(s.u32);
    ar.io(s.i32);
    ar.ioString(s.text);
    ar.ioCount(s.count);
    ar.ioBytes(s.block, 3);
    ar.reserved(2);
    s.object = ar.readObject();
    return s;
}

}  // namespace

TEST(ArchiveFields, EveryFieldKindHasItsExactBytesAndReadsBack) {
    const Bytes data = writeSample();
    const Bytes expected = bytes({
        0xAB,                                     // u8
        0xFE,                                     // i8 -2
        0x34, 0x12,                               // u16
        0xFD, 0xFF,                               // i16 -3
        0xEF, 0xBE, 0xAD, 0xDE,                   // u32
        0x90, 0xEE, 0xFE, 0xFF,                   // i32 -70000
        0x02, 'a',  'b',                          // string
        0x02, 0x00,                               // count
        7,    8,    9,                            // bytes
        0,    0,                                  // reserved
        0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00,       // new class, schema 1, name length 6
        'H',  'o',  'l',  'd',  'e',  'r',        // class 1, the holder is object 2
        0x02, 0x00,                               // holder's count
        0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00,       // new class "Leaf": class 3, object 4
        'L',  'e',  'a',  'f',  5,    0x01, 'x',  // leaf record
        0x00, 0x00,                               // null object
    });
    EXPECT_EQ(data, expected);

    const ClassRegistry registry = testRegistry();
    Archive in(data, &registry);
    Sample s = readSample(in);
    ASSERT_TRUE(in.ok()) << in.errorMessage();
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(s.u8, 0xAB);
    EXPECT_EQ(s.i8, -2);
    EXPECT_EQ(s.u16, 0x1234);
    EXPECT_EQ(s.i16, -3);
    EXPECT_EQ(s.u32, 0xDEADBEEFu);
    EXPECT_EQ(s.i32, -70000);
    EXPECT_EQ(s.text, "ab");
    EXPECT_EQ(s.count, 2u);
    EXPECT_EQ(s.block[2], 9);
    auto* holder = dynamic_cast<Holder*>(s.object.get());
    ASSERT_NE(holder, nullptr);
    ASSERT_EQ(holder->children.size(), 2u);
    auto* leaf = dynamic_cast<Leaf*>(holder->children[0].get());
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->value, 5);
    EXPECT_EQ(leaf->text, "x");
    EXPECT_EQ(holder->children[1], nullptr);
}

TEST(ArchiveFields, CountsUseTheEscapeFromFFFFOn) {
    Archive ar;
    ar.writeCount(0xFFFE);
    ar.writeCount(0xFFFF);
    ar.writeCount(0x12345);
    EXPECT_EQ(ar.data(), bytes({0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x45,
                                0x23, 0x01, 0x00}));
}

TEST(ArchiveStrings, EachLengthFormIsTheShortestAndReadsBack) {
    struct Case {
        size_t length;
        Bytes prefix;
    };
    const std::vector<Case> cases = {
        {0, bytes({0x00})},
        {254, bytes({0xFE})},
        {255, bytes({0xFF, 0xFF, 0x00})},
        {0xFFFD, bytes({0xFF, 0xFD, 0xFF})},
        {0xFFFE, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {0x10000, bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        ByteString s(c.length, 'x');
        if (c.length > 0)
            s.back() = 'z';
        Archive out;
        out.writeString(s);
        const Bytes& data = out.data();
        ASSERT_EQ(data.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Bytes(data.begin(), data.begin() + c.prefix.size()), c.prefix) << c.length;

        Archive in(data);
        EXPECT_EQ(in.readString(), s) << c.length;
        EXPECT_TRUE(in.ok()) << in.errorMessage();
        EXPECT_EQ(in.remaining(), 0u);
    }
}

TEST(ArchiveStrings, SixteenBitCharacterStringsBecomeGbk) {
    // Marker, one-byte length 2, then "中A" in UTF-16LE.
    const Bytes shortForm = bytes({0xFF, 0xFE, 0xFF, 0x02, 0x2D, 0x4E, 0x41, 0x00, 0x55});
    Archive a(shortForm);
    EXPECT_EQ(a.readString(),
              "\xD6\xD0"
              "A");
    EXPECT_EQ(a.readU8(), 0x55);
    EXPECT_TRUE(a.ok()) << a.errorMessage();

    // Marker, then the 16-bit length form: 300 characters of 'B'.
    Bytes longForm = bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});
    for (int i = 0; i < 300; ++i)
        longForm.insert(longForm.end(), {0x42, 0x00});
    Archive b(longForm);
    EXPECT_EQ(b.readString(), ByteString(300, 'B'));
    EXPECT_TRUE(b.ok()) << b.errorMessage();

    // A surrogate pair (U+1F600) has no GBK code: refused with the character named.
    const Bytes emoji = bytes({0x00, 0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE});
    Archive c(emoji);
    c.readU8();
    EXPECT_EQ(c.readString(), "");
    EXPECT_FALSE(c.ok());
    EXPECT_THAT(c.errorMessage(), HasSubstr("U+1F600"));
    EXPECT_THAT(c.errorMessage(), HasSubstr("at byte offset 1"));

    const Bytes loneSurrogate = bytes({0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xDC});
    Archive d(loneSurrogate);
    d.readString();
    EXPECT_FALSE(d.ok());
    EXPECT_THAT(d.errorMessage(), HasSubstr("surrogate"));
}

TEST(ArchiveTags, NewAndKnownClassesShareOneRunningIndexWithObjects) {
    Archive out;
    Leaf a(1, "");
    Holder h;
    out.writeObject(&a);  // class Leaf = 1, object 2
    out.writeObject(&h);  // class Holder = 3, object 4
    out.writeObject(&a);  // object 5 of class 1
    out.writeObject(&h);  // object 6 of class 3
    out.writeObject(nullptr);
    const Bytes expected =
        bytes({0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'L',  'e',  'a',  'f',  1,    0x00,
               0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00, 'H',  'o',  'l',  'd',  'e',  'r',
               0x00, 0x00, 0x01, 0x80, 1,    0x00, 0x03, 0x80, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(out.data(), expected);

    const ClassRegistry registry = testRegistry();
    Archive in(out.data(), &registry);
    EXPECT_NE(dynamic_cast<Leaf*>(in.readObject().get()), nullptr);
    EXPECT_NE(dynamic_cast<Holder*>(in.readObject().get()), nullptr);
    EXPECT_NE(dynamic_cast<Leaf*>(in.readObject().get()), nullptr);
    EXPECT_NE(dynamic_cast<Holder*>(in.readObject().get()), nullptr);
    EXPECT_EQ(in.readObject(), nullptr);
    EXPECT_TRUE(in.ok()) << in.errorMessage();
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(ArchiveTags, ClassIndexesFrom7FFFUseTheEscape) {
    // Leaf is class 1; 0x7FFD leaves take indexes 2..0x7FFE, so Holder becomes class 0x7FFF.
    Archive out;
    Leaf leaf(0, "");
    Holder holder;
    const uint32_t leaves = 0x7FFD;
    for (uint32_t i = 0; i < leaves; ++i)
        out.writeObject(&leaf);
    const size_t firstHolder = out.data().size();
    out.writeObject(&holder);
    const size_t secondHolder = out.data().size();
    out.writeObject(&holder);
    out.writeObject(&leaf);
    const Bytes& data = out.data();

    EXPECT_EQ(Bytes(data.begin() + firstHolder, data.begin() + firstHolder + 2),
              bytes({0xFF, 0xFF}));
    EXPECT_EQ(Bytes(data.begin() + secondHolder, data.begin() + secondHolder + 6),
              bytes({0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}));
    EXPECT_EQ(Bytes(data.end() - 4, data.end()), bytes({0x01, 0x80, 0x00, 0x00}));

    const ClassRegistry registry = testRegistry();
    Archive in(data, &registry);
    for (uint32_t i = 0; i < leaves; ++i) {
        ASSERT_NE(dynamic_cast<Leaf*>(in.readObject().get()), nullptr) << i;
    }
    EXPECT_NE(dynamic_cast<Holder*>(in.readObject().get()), nullptr);
    EXPECT_NE(dynamic_cast<Holder*>(in.readObject().get()), nullptr);
    EXPECT_NE(dynamic_cast<Leaf*>(in.readObject().get()), nullptr);
    EXPECT_TRUE(in.ok()) << in.errorMessage();
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(ArchiveTags, MalformedTagsAreReadFailures) {
    const ClassRegistry registry = testRegistry();
    const Bytes leafClass = bytes({0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'L', 'e', 'a', 'f', 1, 0});
    struct Case {
        const char* name;
        Bytes data;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"unknown class", bytes({0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'N', 'o', 'p', 'e'}),
         "Unknown class \"Nope\" at byte offset 0"},
        {"schema 2", bytes({0xFF, 0xFF, 0x02, 0x00, 0x04, 0x00, 'L', 'e', 'a', 'f'}), "schema 2"},
        {"reference", concat(leafClass, bytes({0x02, 0x00})), "reference to an earlier object"},
        {"escaped reference", concat(leafClass, bytes({0xFF, 0x7F, 0x02, 0x00, 0x00, 0x00})),
         "reference to an earlier object"},
        {"class never read", concat(leafClass, bytes({0x05, 0x80})), "class index 5"},
        {"object index as class", concat(leafClass, bytes({0x02, 0x80})), "class index 2"},
        {"empty class name", bytes({0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}), "class name"},
    };
    for (const Case& c : cases) {
        Archive in(c.data, &registry);
        while (in.ok() && in.remaining() > 0)
            in.readObject();
        EXPECT_FALSE(in.ok()) << c.name;
        EXPECT_THAT(in.errorMessage(), HasSubstr(c.message)) << c.name;
    }

    // Without a registry no class is known.
    Archive bare(leafClass);
    EXPECT_EQ(bare.readObject(), nullptr);
    EXPECT_THAT(bare.errorMessage(), HasSubstr("Unknown class \"Leaf\""));
}

TEST(ArchiveTags, ARegistryWithAnotherSchemaRefusesTheStream) {
    ClassRegistry registry;
    registry.add("Leaf", 2, [] { return std::make_unique<Leaf>(); });
    const Bytes data = bytes({0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'L', 'e', 'a', 'f', 1, 0});
    Archive in(data, &registry);
    EXPECT_EQ(in.readObject(), nullptr);
    EXPECT_FALSE(in.ok());
}

TEST(ArchiveTags, DeeplyNestedObjectsAreRefused) {
    // Holder in holder, 100 deep: class tag once, then 0x8001 for each inner holder.
    Bytes data = bytes({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00, 'H', 'o', 'l', 'd', 'e', 'r'});
    for (int i = 0; i < 100; ++i)
        data.insert(data.end(), {0x01, 0x00, 0x01, 0x80});
    data.insert(data.end(), {0x00, 0x00});
    const ClassRegistry registry = testRegistry();
    Archive in(data, &registry);
    EXPECT_EQ(in.readObject(), nullptr);
    EXPECT_THAT(in.errorMessage(), HasSubstr("nested too deeply"));
}

TEST(ArchiveFailures, EveryCutOfAValidStreamFailsAndNamesAnOffset) {
    const Bytes data = writeSample();
    const ClassRegistry registry = testRegistry();
    for (size_t cut = 0; cut < data.size(); ++cut) {
        Archive in(std::span<const uint8_t>(data.data(), cut), &registry);
        Sample s = readSample(in);
        ASSERT_FALSE(in.ok()) << "cut at " << cut;
        EXPECT_EQ(s.object, nullptr) << "cut at " << cut;
        EXPECT_THAT(in.errorMessage(), HasSubstr(" at byte offset ")) << "cut at " << cut;
        EXPECT_FALSE(in.status().ok());
        EXPECT_EQ(in.status().message(), in.errorMessage());
    }
}

TEST(ArchiveFailures, LengthsBeyondTheDataFailWithoutAllocating) {
    // A 32-bit count of 0x7FFFFFFF with nothing behind it.
    const Bytes count = bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    Archive a(count);
    EXPECT_EQ(a.readCount(), 0u);
    EXPECT_EQ(a.errorMessage(),
              "The count 2147483647 exceeds the 0 bytes that remain at byte offset 0");

    // A 32-bit string length of 4 GB - 1, and a 16-bit-character string of 2^32 - 1 units.
    for (const Bytes& data :
         {bytes({0x41, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}),
          bytes({0x41, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x', 'y'})}) {
        Archive b(data);
        b.readU8();
        ByteString target = "kept";
        b.ioString(target);
        EXPECT_EQ(target, "kept");
        EXPECT_THAT(b.errorMessage(), StartsWith("The string length 4294967295 exceeds"));
        EXPECT_THAT(b.errorMessage(), HasSubstr("at byte offset 1"));
    }

    const Bytes small(10, 0);
    Archive c(small);
    EXPECT_TRUE(c.canHold(5, 2, "screens"));
    EXPECT_FALSE(c.canHold(6, 2, "screens"));
    EXPECT_THAT(c.errorMessage(), HasSubstr("screens"));
}

TEST(ArchiveFailures, TheFirstFailureIsKeptAndLaterReadsChangeNothing) {
    const Bytes data = bytes({0x01, 0x02, 0x03});
    Archive in(data);
    uint32_t big = 77;
    in.io(big);
    EXPECT_EQ(big, 77u);
    EXPECT_FALSE(in.ok());
    const std::string first = in.errorMessage();
    EXPECT_THAT(first, HasSubstr("32-bit value"));
    EXPECT_THAT(first, HasSubstr("at byte offset 0"));

    uint8_t small = 9;
    in.io(small);
    EXPECT_EQ(small, 9);
    EXPECT_EQ(in.readU16(), 0);
    in.skip(1);
    EXPECT_EQ(in.offset(), 0u);
    EXPECT_EQ(in.errorMessage(), first);

    in.fail("Something else");
    EXPECT_EQ(in.errorMessage(), first);
}
