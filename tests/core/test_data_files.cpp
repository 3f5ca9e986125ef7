#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/FontTables.h"
#include "tools/datagen/DataFileGen.h"

using namespace vanta;
using namespace vanta::datagen;
using ::testing::HasSubstr;

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

std::string dataPath(const char* name) {
    return std::string(VANTA_DATA_DIR) + "/" + name;
}

bool blank(const auto& glyph) {
    return std::all_of(glyph.begin(), glyph.end(), [](uint8_t b) { return b == 0; });
}

}  // namespace

TEST(DataFileGen, BuildsBothGlyphTablesFromUnifontLines) {
    const std::string hex =
        "0041:0000000018242442427E424242420000\n"
        "0001:FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n"
        "00E9:000000000C1800003C42427E40403C00\n"
        "4E2D:01000100010001003FF8210821082108210821083FF821080100010001000100\n"
        "1F600:0000000000000000000000000000000000000000000000000000000000000000\n";
    Result<UnifontGlyphs> glyphs = parseUnifontHex(hex);
    ASSERT_TRUE(glyphs.ok()) << glyphs.message();

    FontTables fonts;
    fonts.setNarrowTable(buildNarrowTable(*glyphs));
    fonts.setWideTable(buildWideTable(*glyphs));
    const NarrowGlyph a = fonts.narrow('A');
    EXPECT_EQ(a[4], 0x18);
    EXPECT_EQ(a[9], 0x7E);
    EXPECT_TRUE(blank(fonts.narrow(0x01)));  // control codes stay blank even with a glyph
    EXPECT_FALSE(blank(fonts.narrow(0xE9)));

    // 中 is D6 D0 in GBK: the 16-pixel glyph as it stands.
    const WideGlyph zhong = fonts.wide(0xD6, 0xD0);
    EXPECT_EQ(zhong[0], 0x01);
    EXPECT_EQ(zhong[8], 0x3F);
    EXPECT_EQ(zhong[9], 0xF8);
    // é is A8 A6 in GBK: the 8-pixel glyph centred in the 16-pixel cell.
    const WideGlyph e = fonts.wide(0xA8, 0xA6);
    EXPECT_EQ(e[2 * 4], 0x00);
    EXPECT_EQ(e[2 * 4 + 1], 0xC0);  // row 4: 0x0C -> 0000 0000 1100 0000
    EXPECT_EQ(e[2 * 5], 0x01);
    EXPECT_EQ(e[2 * 5 + 1], 0x80);  // row 5: 0x18 -> 0000 0001 1000 0000
    // A character without a glyph and a code that is no character stay blank.
    EXPECT_TRUE(blank(fonts.wide(0xCE, 0xC4)));
    EXPECT_TRUE(blank(fonts.wide(0xAA, 0xA1)));

    const Result<UnifontGlyphs> bad = parseUnifontHex("0041:00\n0042:XYZ\n");
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.message(), "Malformed Unifont line 2");
}

TEST(DataFileGen, PlaceholderCatalogueHasFortyEntriesInOrder) {
    const std::vector<uint8_t> file = buildPlaceholderCatalogue();
    ASSERT_EQ(file.size(), 1 + 40 * kCatalogueEntryBytes);
    EXPECT_EQ(file, readFile(dataPath("Ostra_Ptc.dat")));
    EXPECT_EQ(file[0], 40);

    std::vector<uint8_t> previousArea;
    for (size_t i = 0; i < 40; ++i) {
        const uint8_t* entry = file.data() + 1 + i * kCatalogueEntryBytes;
        const uint8_t protocol = static_cast<uint8_t>(i + 1);
        EXPECT_EQ(entry[0], protocol);
        EXPECT_EQ(entry[1], 1);
        const uint16_t length = static_cast<uint16_t>(entry[2] | (entry[3] << 8));
        EXPECT_EQ(length, 2048 + 64 * protocol);
        EXPECT_TRUE(std::all_of(entry + 4, entry + 20, [](uint8_t b) { return b == 0; }));
        const std::vector<uint8_t> area(entry + 20, entry + kCatalogueEntryBytes);
        EXPECT_EQ(area, placeholderDriverArea(protocol));
        EXPECT_NE(area, previousArea);
        // The driver sent to the panel (L + 128 bytes) is not mostly zeros.
        EXPECT_GT(std::count_if(area.begin(), area.begin() + length + 128,
                                [](uint8_t b) { return b != 0; }),
                  length);
        previousArea = area;
    }
}

TEST(DataFiles, GeneratedGlyphTablesLoadAndHoldTheGlyphs) {
    EXPECT_EQ(readFile(dataPath("Ostra_EN.dat")).size(), 4096u);
    EXPECT_EQ(readFile(dataPath("Ostra_CH.dat")).size(), 770112u);

    FontTables fonts;
    ASSERT_TRUE(fonts.loadFrom(VANTA_DATA_DIR).ok());
    EXPECT_FALSE(blank(fonts.narrow('A')));
    EXPECT_FALSE(blank(fonts.narrow('~')));
    EXPECT_TRUE(blank(fonts.narrow(' ')));
    EXPECT_TRUE(blank(fonts.narrow('\n')));
    EXPECT_TRUE(blank(fonts.narrow(0x85)));
    EXPECT_FALSE(blank(fonts.narrow(0xE9)));
    EXPECT_FALSE(blank(fonts.wide(0xD6, 0xD0)));  // 中
    EXPECT_FALSE(blank(fonts.wide(0x81, 0x40)));  // 丂, the first code
    EXPECT_TRUE(blank(fonts.wide(0x81, 0x7F)));   // no code
    EXPECT_TRUE(blank(fonts.wide(0xA1, 0xA1)));   // the ideographic space
    EXPECT_TRUE(blank(fonts.wide(0x80, 0x40)));   // outside the table
}

TEST(DataFiles, MissingOrShortTablesAreRefused) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "vanta_test_font_tables";
    std::filesystem::create_directories(dir);
    FontTables fonts;
    const Status missing = fonts.loadFrom((dir / "nowhere").string());
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.message(), "Load Font Lib Failure");
    EXPECT_FALSE(fonts.hasNarrow());

    std::filesystem::copy_file(dataPath("Ostra_EN.dat"), dir / "Ostra_EN.dat",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(dir / "Ostra_CH.dat", std::ios::binary) << std::string(1000, '\x01');
    const Status shortWide = fonts.loadFrom(dir.string());
    ASSERT_FALSE(shortWide.ok());
    EXPECT_THAT(shortWide.message(), HasSubstr("Ostra_CH.dat exist?"));
    EXPECT_EQ(shortWide.caption(), "Download data");
    EXPECT_TRUE(fonts.hasNarrow());
    EXPECT_FALSE(fonts.hasWide());
    EXPECT_TRUE(blank(fonts.wide(0xD6, 0xD0)));
    std::filesystem::remove_all(dir);
}
