// How the project settings reach the image header, what loading and a protocol change do to the
// stored settings, the single-byte glyph set at its fullest, and the compiler's refusals that
// name where the fault lies.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "common/FontTables.h"
#include "image_test_support.h"
#include "model/PageFormat.h"
#include "project/CommSettings.h"

using namespace vanta;
using namespace vanta::imagetest;

namespace {

uint16_t be16(const Bytes& b, size_t at) {
    return static_cast<uint16_t>((b.at(at) << 8) | b.at(at + 1));
}

CompileResult compile(Project& project) {
    CompileOptions options;
    options.dataDir = VANTA_DATA_DIR;
    ScriptedPrompter prompter;
    return compileProject(project, options, prompter);
}

// The records of the first screen, found through the screen and pointer tables.
std::vector<Bytes> recordsOfFirstScreen(const Bytes& img) {
    const size_t table = be16(img, 2) - kImageBase;
    size_t pointer = be16(img, table + 7) - kImageBase;
    const size_t count = img.at(table + 2);
    std::vector<size_t> starts;
    for (size_t i = 0; i < count; ++i, pointer += 3)
        starts.push_back(be16(img, pointer + 1) - kImageBase);
    std::vector<Bytes> records;
    for (size_t start : starts) {
        const size_t length = 4 + img.at(start + 3);
        records.emplace_back(img.begin() + static_cast<std::ptrdiff_t>(start),
                             img.begin() + static_cast<std::ptrdiff_t>(start + length));
    }
    return records;
}

}  // namespace

TEST(Readings, StationNumbersGoFromTheirFileOffsetsToTheirHeaderBytes) {
    for (uint8_t protocol : {uint8_t(14), uint8_t(21), uint8_t(31)}) {
        SCOPED_TRACE("protocol " + std::to_string(protocol));
        Project p(nullptr, protocol);
        p.resetToNew(protocol);
        p.panel.plcStation = 5;    // "PLC局号:" of the panel settings
        p.comm.panelStation = 77;  // "局号:" of the PLC selection
        const Bytes file = p.save();
        EXPECT_EQ(file.at(15), 5);
        EXPECT_EQ(file.at(27), 77);

        Project opened;
        ASSERT_TRUE(opened.load(file));
        CompileResult r = compile(opened);
        ASSERT_TRUE(r.ok()) << r.error.message;
        EXPECT_EQ(r.compiled.image.at(23), 5) << "the PLC station";
        EXPECT_EQ(r.compiled.image.at(11), 77) << "the panel station";
    }
}

TEST(Readings, LoadingKeepsStoredPanelSettingsOnlyAProtocolChangeOrNewProjectResetsThem) {
    // Values that the protocol-change resets would overwrite: a station other than the
    // protocol's default, a control register type under protocol 2, control bits under
    // protocol 1.
    Project siemens(nullptr, 2);
    siemens.resetToNew(2);
    siemens.panel.plcStation = 7;
    siemens.panel.controlRegisterType = 1;
    siemens.panel.controlFlags = 3;
    Project one(nullptr, 1);
    one.resetToNew(1);
    one.panel.plcStation = 9;
    one.panel.controlFlags = 5;

    Project opened(nullptr, 4);
    ASSERT_TRUE(opened.load(siemens.save()));
    EXPECT_EQ(opened.protocol(), 2);
    EXPECT_EQ(opened.stride, 2) << "the stride follows the protocol";
    EXPECT_EQ(opened.vocabulary().wordTypes.front(), "VW") << "so does the vocabulary";
    EXPECT_EQ(opened.panel, siemens.panel);
    ASSERT_TRUE(opened.load(one.save()));
    EXPECT_EQ(opened.stride, 1);
    EXPECT_EQ(opened.panel, one.panel);

    // A protocol chosen in the PLC selection resets them.
    opened.changeProtocol(1);
    EXPECT_EQ(opened.panel.plcStation, 1);
    EXPECT_EQ(opened.panel.controlFlags, 0);
    ASSERT_TRUE(opened.load(siemens.save()));
    opened.changeProtocol(2);
    EXPECT_EQ(opened.panel.plcStation, 2);
    EXPECT_EQ(opened.panel.controlRegisterType, 0);
    EXPECT_EQ(opened.panel.controlFlags, 3) << "control bits are cleared for protocol 1 only";

    // So does a new project.
    ASSERT_TRUE(opened.load(siemens.save()));
    opened.resetToNew(2);
    EXPECT_EQ(opened.panel.controlFlags, 0);
    EXPECT_EQ(opened.panel.controlRegisterType, 0);
    EXPECT_EQ(opened.panel.plcStation, 2);
}

TEST(Readings, HeaderCarriesBaudCodeStrideE5AndControlFlagsOfEveryProtocol) {
    // The image's baud code names the same rate in every list: the list shown for protocol 2
    // starts at 9600, the others at 1200.
    const std::vector<std::string> codes = {"1200",  "2400",  "4800",  "9600",
                                            "19200", "38400", "115200"};
    for (int n = 1; n <= 40; ++n) {
        const auto protocol = static_cast<uint8_t>(n);
        SCOPED_TRACE("protocol " + std::to_string(n));
        const auto& bauds = baudList(protocol);
        for (size_t index : {size_t{0}, bauds.size() - 1}) {
            Project p(nullptr, protocol);
            p.resetToNew(protocol);
            p.comm.baudIndex = static_cast<uint8_t>(index);
            p.comm.e5Timeout = 0x1234;
            p.panel.controlFlags = 0x06;
            CompileResult r = compile(p);
            ASSERT_TRUE(r.ok()) << r.error.message;
            const Bytes& h = r.compiled.image;
            const auto code = std::find(codes.begin(), codes.end(), bauds[index]) - codes.begin();
            EXPECT_EQ(h.at(30), code) << bauds[index];
            EXPECT_EQ(h.at(27), makeVocabulary(protocol).stride);
            EXPECT_EQ(be16(h, 40), 0x1234);
            EXPECT_EQ(h.at(29), 0x06);
        }
    }
}

TEST(Readings, AllSingleByteCharactersFitBelowTheDoubleByteCodes) {
    // Every byte 0x00..0x7F once, and a double-byte character: 128 single-byte glyphs.
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& screen = *p.screens.current();
    ByteString low, high;
    for (int c = 0; c < 64; ++c) {
        low += static_cast<char>(c);
        high += static_cast<char>(c + 64);
    }
    high += "\xd6\xd0";  // 中
    placeText(screen, 0, 0, low);
    placeText(screen, 0, 16, high);
    CompileResult r = compile(p);
    ASSERT_TRUE(r.ok()) << r.error.message;
    const Bytes& img = r.compiled.image;

    const size_t narrowTable = be16(img, 8) - kImageBase;
    EXPECT_EQ(narrowTable, 48u + 32u) << "after the one double-byte glyph";
    EXPECT_EQ(be16(img, 2) - kImageBase, narrowTable + 128 * 16) << "128 single-byte glyphs";

    FontTables fonts;
    ASSERT_TRUE(fonts.loadNarrow(std::string(VANTA_DATA_DIR) + "/Ostra_EN.dat"));
    std::set<uint8_t> codesSeen;
    int wideCodes = 0;
    const std::vector<Bytes> records = recordsOfFirstScreen(img);
    ASSERT_EQ(records.size(), 2u);
    for (const Bytes& record : records) {
        const ByteString& text = record.at(3) == 64 ? low : high;
        ASSERT_EQ(record.size(), 4 + text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            const uint8_t code = record[4 + i];
            if (static_cast<uint8_t>(text[i]) >= 0x80) {
                EXPECT_EQ(be16(record, 4 + i), 0x8000) << "中 is the first double-byte glyph";
                ++wideCodes;
                ++i;
                continue;
            }
            ASSERT_LT(code, 0x80) << "a single-byte code never looks like a double-byte one";
            EXPECT_TRUE(codesSeen.insert(code).second) << "code " << int(code) << " twice";
            // The glyph at the code's place is the font's glyph of the character.
            const NarrowGlyph rows = fonts.narrow(static_cast<uint8_t>(text[i]));
            auto page = rowsToPageFormat(rows, 8, 16, 1);
            ASSERT_TRUE(page.ok());
            const auto at = static_cast<std::ptrdiff_t>(narrowTable + 16 * code);
            EXPECT_EQ(Bytes(img.begin() + at, img.begin() + at + 16), *page)
                << "character " << int(static_cast<uint8_t>(text[i]));
        }
    }
    EXPECT_EQ(codesSeen.size(), 128u);
    EXPECT_EQ(wideCodes, 1);
}

TEST(Readings, CompilerRefusalsNameTheScreenAndComponentOrTheAlarmText) {
    const std::string incomplete = "the text ends with an incomplete double-byte character";

    // A static text and a dynamic text that end in a lone lead byte, on screen 2.
    Project text(nullptr, 4);
    text.resetToNew(4);
    placeText(text.screens.createScreen(2, ""), 24, 16, "ab\xd6");
    CompileResult r = compile(text);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.message, "Screen 2: Static text at (24, 16): " + incomplete);

    Project dynamic(nullptr, 4);
    dynamic.resetToNew(4);
    placeDynamic(dynamic.screens.createScreen(3, ""), 8, 32, {{0, "ok"}, {1, "\xb1\xa8\xbe"}});
    r = compile(dynamic);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.message, "Screen 3: Dynamic text at (8, 32): " + incomplete);

    // An alarm text that ends in a lone lead byte, and a 256th alarm text.
    Project alarms(nullptr, 4);
    alarms.resetToNew(4);
    alarms.alarms.m_texts = {"one", "two", "\xd6\xd0\xd6"};
    r = compile(alarms);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.message, "Alarm list: Alarm text 3: " + incomplete);

    alarms.alarms.m_texts.assign(255, "x");
    r = compile(alarms);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(r.compiled.image.at(be16(r.compiled.image, 4) - kImageBase), 255)
        << "the alarm header counts 255 texts";
    alarms.alarms.m_texts.push_back("y");
    r = compile(alarms);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.message,
              "Alarm list: The alarm list holds 256 texts; the panel takes at most 255.");
}
