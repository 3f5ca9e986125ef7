// Old ".grx" project conversion: header, grouping, the protocol-dependent conversions and
// damaged input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/FileIO.h"
#include "project/OldProjectImport.h"

using namespace vanta;

namespace {

// Builds old file images the way the old program laid them out.
class GrxBuilder {
  public:
    GrxBuilder() : data_(80, 0) {
        data_[0] = 0x03;
        std::memcpy(&data_[1], "GRX", 3);
    }
    GrxBuilder& protocol(uint8_t code) { return set8(13, code); }
    GrxBuilder& set8(size_t at, uint8_t v) {
        data_[at] = v;
        return *this;
    }
    GrxBuilder& set16(size_t at, uint16_t v) {
        data_[at] = uint8_t(v);
        data_[at + 1] = uint8_t(v >> 8);
        return *this;
    }
    GrxBuilder& set32(size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            data_[at + i] = uint8_t(uint32_t(v) >> (8 * i));
        return *this;
    }
    // Starts a screen; components follow with the add* calls.
    GrxBuilder& screen(uint16_t number, const std::string& description, uint8_t components) {
        set16(76, uint16_t(screens_ + 1));
        ++screens_;
        std::vector<uint8_t> header(57, 0);
        header[0] = uint8_t(number);
        header[1] = uint8_t(number >> 8);
        header[2] = uint8_t(description.size());
        std::memcpy(&header[5], description.data(), description.size());
        header[45] = uint8_t(number - 1);
        header[47] = uint8_t(number + 1);
        header[53] = components;
        data_.insert(data_.end(), header.begin(), header.end());
        return *this;
    }
    // A component record of the given kind and size with position and a few fields.
    std::vector<uint8_t> component(uint8_t kind, size_t size, int32_t x, int32_t y) {
        std::vector<uint8_t> r(size, 0);
        for (int i = 0; i < 4; ++i) {
            r[i] = uint8_t(uint32_t(x) >> (8 * i));
            r[4 + i] = uint8_t(uint32_t(y) >> (8 * i));
        }
        r[10] = kind;
        return r;
    }
    GrxBuilder& add(const std::vector<uint8_t>& record) {
        data_.insert(data_.end(), record.begin(), record.end());
        return *this;
    }
    GrxBuilder& text(int32_t x, int32_t y, const std::string& s) {
        auto r = component(1, 39, x, y);
        r[14] = uint8_t(s.size());
        std::memcpy(&r[15], s.data(), s.size());
        return add(r);
    }
    GrxBuilder& alarms(const std::vector<std::string>& texts) {
        set8(29, uint8_t(texts.size()));
        for (const auto& t : texts) {
            std::vector<uint8_t> entry(25, 0);
            entry[0] = uint8_t(t.size());
            std::memcpy(&entry[1], t.data(), std::min<size_t>(t.size(), 24));
            data_.insert(data_.end(), entry.begin(), entry.end());
        }
        return *this;
    }
    std::vector<uint8_t> data_;
    int screens_ = 0;
};

// Kind bytes of the components of the first screen, found after each object tag.
std::vector<uint8_t> kindsAfterTags(const std::vector<uint8_t>& out, size_t from, int count) {
    std::vector<uint8_t> kinds;
    size_t at = from;
    for (int i = 0; i < count; ++i) {
        uint16_t tag = uint16_t(out[at] | (out[at + 1] << 8));
        at += 2;
        if (tag == 0xFFFF) {
            uint16_t length = uint16_t(out[at + 2] | (out[at + 3] << 8));
            at += 4 + length;
        }
        kinds.push_back(out[at]);
        // Skip this record: only static texts and registers and dynamic texts occur in the
        // grouping test; their sizes are fixed by their content.
        switch (out[at]) {
            case 1:
                at += 9 + 2 + 1 + out[at + 11] + 50;
                break;
            case 2:
                at += 9 + 2 + 1 + 1 + 2 + 5 + 16 + 4 + 100;
                break;
            default:
                return kinds;
        }
    }
    return kinds;
}

constexpr size_t kScreenListStart = 8 + 2 + 1 + 2 + 2 + 1 + 2 + 1 + 2 + 1 + 1 + 1 + 1 + 1 + 4 + 98;

}  // namespace

TEST(OldProjectImport, HeaderIsAVersion1HeaderWithConvertedFields) {
    GrxBuilder g;
    g.protocol(5)
        .set16(25, 1234)
        .set16(21, 7)
        .set8(50, 9)
        .set16(58, 300)
        .set16(72, 4)
        .set8(67, 2)
        .set8(49, 0x23)
        .set8(45, 6)
        .set8(46, 2)
        .set8(47, 0)
        .set8(48, 1)
        .set8(17, 11)
        .set8(71, 0);
    auto result = convertOldProject(g.data_);
    ASSERT_TRUE(result) << result.message();
    const auto& out = result->project;
    const std::vector<uint8_t> start = {0x08, 'O', 's', 't', 'r', 'a', 0x01, 0x01, 0x00, 0x00};
    ASSERT_GE(out.size(), 40u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 10), start);
    EXPECT_EQ(result->protocol, 4);
    const std::vector<uint8_t> fields = {
        4,           // protocol
        0xD2, 0x04,  // password 1234
        7,    0,     // initial screen
        9,           // PLC station (offset 15)
        0x2C, 0x01,  // control register 300
        0,           // control register type
        4,    0,     // saver screen
        2,           // saver delay
        7,           // flags 0x23 -> 3 + 4
        4,           // baud code 6 -> 4
        1,           // data bits: old 0 -> 1
        0,           // stop bits: old 1 -> 0
        2,           // parity
        11,          // panel station (offset 27)
        1,           // stride
        1,           // saver action: old 0 -> 1
    };
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 10, out.begin() + 10 + fields.size()), fields);
    // 98 reserved bytes, then a screen count of 0, the alarm list and the tail.
    EXPECT_EQ(out.size(), kScreenListStart + 2 + 106 + 2 + 111);
}

TEST(OldProjectImport, Siemens) {
    GrxBuilder g;
    g.protocol(2).set8(50, 9).set16(58, 80).set8(45, 6);
    auto result = convertOldProject(g.data_);
    ASSERT_TRUE(result);
    const auto& out = result->project;
    EXPECT_EQ(out[10], 2);
    EXPECT_EQ(out[15], 2) << "PLC station forced to 2";
    EXPECT_EQ(out[16], 10) << "control register / 8";
    EXPECT_EQ(out[18], 1) << "control register type";
    EXPECT_EQ(out[23], 1) << "baud 6 -> 1";
    EXPECT_EQ(out[28], 2) << "stride";
}

TEST(OldProjectImport, ComponentsAreGroupedByClassInTheirOldOrder) {
    GrxBuilder g;
    g.protocol(4).screen(1, "main", 4);
    auto dyn = g.component(8, 35, 0, 0);
    g.add(dyn);
    g.text(100, 50, "A");
    g.add(g.component(2, 51, 9, 9));
    g.text(0, 0, "BC");
    auto result = convertOldProject(g.data_);
    ASSERT_TRUE(result) << result.message();
    const auto& out = result->project;
    // Screen list: count, class tag of CMainView, the screen record.
    size_t at = kScreenListStart;
    EXPECT_EQ(out[at], 1);
    at += 2;
    EXPECT_EQ(out[at], 0xFF);
    EXPECT_EQ(std::string(out.begin() + at + 6, out.begin() + at + 15), "CMainView");
    at += 15;
    EXPECT_EQ(out[at], 1);      // number
    EXPECT_EQ(out[at + 2], 4);  // description length
    EXPECT_EQ(out[at + 7], 0);  // up key
    EXPECT_EQ(out[at + 9], 2);  // down key
    at += 2 + 5 + 4 + 20;
    EXPECT_EQ(out[at], 4);  // component count
    at += 2;
    auto kinds = kindsAfterTags(out, at, 4);
    EXPECT_EQ(kinds, (std::vector<uint8_t>{1, 1, 2, 8}));
    // The first static text is the old one at view (100, 50): panel (44, 22).
    const size_t firstRecord = at + 2 + 2 + 2 + 6;  // tag, schema, name length, "CChars"
    EXPECT_EQ(out[firstRecord], 1);
    EXPECT_EQ(out[firstRecord + 1], 44);
    EXPECT_EQ(out[firstRecord + 5], 22);
    EXPECT_EQ(out[firstRecord + 11], 1);  // text length
    EXPECT_EQ(out[firstRecord + 12], 'A');
    // The second static text refers to the class written before: 0x8000 | 3.
    const size_t second = firstRecord + 9 + 2 + 2 + 50;
    EXPECT_EQ(out[second], 0x03);
    EXPECT_EQ(out[second + 1], 0x80);
    EXPECT_EQ(result->components, 4);
}

TEST(OldProjectImport, ALowerLimitAtTheTopOfTheRangeGivesAWrappedUpperLimit) {
    // A register (kind 2) and a bar (kind 6) whose lower limit is the largest signed value: the
    // upper becomes lower + 1 wrapped to 0x80000000, written before the lower.
    GrxBuilder g;
    g.protocol(4).screen(1, "main", 2);
    auto reg = g.component(2, 51, 0, 0);
    auto bar = g.component(6, 52, 0, 0);
    for (int i = 0; i < 4; ++i) {
        reg[43 + i] = 0;
        reg[47 + i] = i == 3 ? 0x7F : 0xFF;
        bar[44 + i] = 0;
        bar[40 + i] = i == 3 ? 0x7F : 0xFF;
    }
    g.add(reg).add(bar);
    auto result = convertOldProject(g.data_);
    ASSERT_TRUE(result) << result.message();
    const std::vector<uint8_t> pair = {0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F};
    const auto& out = result->project;
    int found = 0;
    for (auto at = out.begin();
         (at = std::search(at, out.end(), pair.begin(), pair.end())) != out.end(); ++at)
        ++found;
    EXPECT_EQ(found, 2);
}

TEST(OldProjectImport, ProtocolDependentConversions) {
    EXPECT_EQ(convertOldProtocolCode(5), 4);
    EXPECT_EQ(convertOldProtocolCode(10), 11);
    EXPECT_EQ(convertOldProtocolCode(12), 11);
    EXPECT_EQ(convertOldProtocolCode(11), 14);
    EXPECT_EQ(convertOldProtocolCode(0), 4);
    EXPECT_EQ(convertOldProtocolCode(20), 20);

    EXPECT_EQ(convertRegisterAddress(17, 7), 15) << "digits 1 and 7 read as octal";
    EXPECT_EQ(convertControlRegisterNumber(1234567, 7), 034567)
        << "only the five lowest digits count";
    EXPECT_EQ(convertRegisterAddress(35, 11), 2) << "word address, not the remainder";
    EXPECT_EQ(convertBitNumber(35, 11), 3);
    EXPECT_EQ(convertRegisterAddress(83, 2), 10);
    EXPECT_EQ(convertBitNumber(83, 2), 3);
    EXPECT_EQ(convertBitNumber(-3, 5), uint8_t(-3)) << "C remainder keeps the sign";
    EXPECT_EQ(convertRegisterAddress(-32, 6), uint16_t(-2));
    EXPECT_EQ(convertBitNumber(35, 8), 0);
    EXPECT_EQ(convertRegisterAddress(70000, 8), uint16_t(70000));

    EXPECT_EQ(convertOldFunctionKeyType(1), 7);
    EXPECT_EQ(convertOldFunctionKeyType(9), 18);
    EXPECT_EQ(convertOldFunctionKeyType(12), 10);
    EXPECT_EQ(convertOldFunctionKeyType(3), 3);
    EXPECT_EQ(convertOldFunctionKeyType(20), 20);
}

TEST(OldProjectImport, AlarmTextsAreReadWithinTheirEntries) {
    GrxBuilder g;
    g.protocol(4).alarms({"Pump", std::string(24, 'x')});
    g.data_[g.data_.size() - 25] = 200;  // a damaged length byte in the second entry
    auto result = convertOldProject(g.data_);
    ASSERT_TRUE(result) << result.message();
    const auto& out = result->project;
    const size_t alarm = kScreenListStart + 2;
    EXPECT_EQ(out[alarm + 106], 2);  // count
    EXPECT_EQ(out[alarm + 108], 4);
    EXPECT_EQ(std::string(out.begin() + alarm + 109, out.begin() + alarm + 113), "Pump");
    EXPECT_EQ(out[alarm + 113], 24) << "a length over 24 is read as 24";
}

TEST(OldProjectImport, DamagedFilesFailCleanly) {
    GrxBuilder g;
    g.protocol(4).screen(3, "s", 2);
    g.text(10, 10, "Hi");
    g.add(g.component(8, 35 + 25, 0, 0));
    g.data_[g.data_.size() - 25 - 35 + 27] = 1;
    g.alarms({"a"});
    ASSERT_TRUE(convertOldProject(g.data_));
    for (size_t cut = 0; cut < g.data_.size(); ++cut) {
        std::vector<uint8_t> part(g.data_.begin(), g.data_.begin() + cut);
        auto result = convertOldProject(part);
        EXPECT_FALSE(result) << "cut at " << cut;
    }

    GrxBuilder unknown;
    unknown.protocol(4).screen(12, "", 1);
    unknown.add(unknown.component(9, 40, 0, 0));
    auto refused = convertOldProject(unknown.data_);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.message().find("Screen 12"), std::string::npos) << refused.message();
    EXPECT_NE(refused.message().find("137"), std::string::npos) << refused.message();

    std::vector<uint8_t> wrong = g.data_;
    wrong[1] = 'X';
    EXPECT_EQ(convertOldProject(wrong).message(), "the file type error!");
}

TEST(OldProjectImport, FileImportWritesBesideTheOldFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "vanta-import-test";
    fs::create_directories(dir);
    GrxBuilder g;
    g.protocol(4).screen(1, "x", 0);
    const fs::path old = dir / "plant.grx";
    {
        std::ofstream f(old, std::ios::binary);
        f.write(reinterpret_cast<const char*>(g.data_.data()), std::streamsize(g.data_.size()));
    }
    {
        std::ofstream f(dir / "plant.osp");
        f << "old content";
    }
    struct Replace : Prompter {
        std::vector<std::string> asked;
        Answer answer = Answer::No;
        Answer ask(const std::string& text, const std::string&, Buttons, Severity) override {
            asked.push_back(text);
            return answer;
        }
    } prompter;
    auto kept = importOldProjectFile(old.string(), "", prompter);
    EXPECT_FALSE(kept);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0],
              (dir / "plant.osp").string() + " already exists. Do you want to replace it?");
    EXPECT_EQ(readWholeFile((dir / "plant.osp").string())->size(), 11u) << "No keeps the file";

    prompter.answer = Answer::Yes;
    auto path = importOldProjectFile(old.string(), "", prompter);
    ASSERT_TRUE(path) << path.message();
    EXPECT_EQ(*path, (dir / "plant.osp").string());
    auto written = readWholeFile(*path);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->at(0), 0x08);
    EXPECT_EQ(importOldProjectFile((dir / "missing.grx").string(), "", prompter).message(),
              "Open the file error!");
    fs::remove_all(dir);
}

TEST(OldProjectImport, BitAddressedProtocolsKeepTheWordAddressOfSignedOldValues) {
    // The alarm list's start coil as an old 32-bit value: word address = value / 16 and bit =
    // value % 16 for protocols 11, 18 and 22 (old codes 10 and 12 both become 11), read as a
    // signed value with C division and remainder.
    struct Case {
        uint8_t oldCode;
        uint8_t protocol;
    };
    for (const Case c : {Case{10, 11}, Case{12, 11}, Case{18, 18}, Case{22, 22}}) {
        for (const int32_t value : {35, -35, 0x12345}) {
            SCOPED_TRACE("old code " + std::to_string(c.oldCode) + ", value " +
                         std::to_string(value));
            GrxBuilder g;
            g.protocol(c.oldCode).set32(41, value);
            auto result = convertOldProject(g.data_);
            ASSERT_TRUE(result) << result.message();
            EXPECT_EQ(result->protocol, c.protocol);
            const auto& out = result->project;
            const size_t alarm = kScreenListStart + 2;
            const uint16_t address = uint16_t(out[alarm + 1] | (out[alarm + 2] << 8));
            EXPECT_EQ(address, uint16_t(value / 16));
            EXPECT_EQ(out[alarm + 3], uint8_t(value % 16));
        }
    }
    // Protocol 12 comes from no old code, yet converts alike.
    EXPECT_EQ(convertRegisterAddress(-35, 12), uint16_t(-2));
    EXPECT_EQ(convertBitNumber(-35, 12), uint8_t(-3));
}
