// The image compiler: header fields, sections, numbering, failures and the mended limits.
#include <gtest/gtest.h>

#include <filesystem>

#include "image/ImageCompiler.h"
#include "model/CChars.h"
#include "project/Project.h"

using namespace vanta;
namespace fs = std::filesystem;

namespace {

class AnsweringPrompter : public Prompter {
  public:
    explicit AnsweringPrompter(Answer answer = Answer::Cancel) : answer_(answer) {}
    Answer ask(const std::string& text, const std::string&, Buttons, Severity) override {
        asked.push_back(text);
        return answer_;
    }
    std::vector<std::string> asked;

  private:
    Answer answer_;
};

CompileOptions options() {
    CompileOptions o;
    o.dataDir = VANTA_DATA_DIR;
    return o;
}

uint16_t be16(const Bytes& b, size_t at) {
    return uint16_t((b[at] << 8) | b[at + 1]);
}

CChars& addText(CMainView& screen, int x, int y, const ByteString& text) {
    auto* c = static_cast<CChars*>(screen.addComponent(kKindChars, x, y));
    c->m_text = text;
    c->m_textLen = static_cast<uint8_t>(text.size());
    c->Refit();
    return *c;
}

}  // namespace

TEST(ImageCompiler, HeaderOfASmallProject) {
    Project p(nullptr, 2);
    p.resetToNew(2);
    p.screens.createScreen(7, "");
    p.panel.password = 1234;
    p.panel.initialScreen = 99;  // no such screen: the first screen's number is sent
    p.panel.saverAction = 1;
    p.panel.saverScreen = 7;
    p.panel.saverDelayIndex = 10;
    p.panel.controlFlags = 5;
    p.panel.controlRegisterNumber = 0x0102;
    p.comm.baudIndex = 0;
    p.comm.dataBitsIndex = 1;
    p.comm.stopBitsIndex = 1;
    p.comm.parityIndex = 2;
    p.comm.option = 1;
    p.comm.e5Timeout = 10000;
    p.comm.panelStation = 9;
    AnsweringPrompter prompter;
    CompileResult r = compileProject(p, options(), prompter);
    ASSERT_TRUE(r.ok()) << r.error.message;
    const Bytes& img = r.compiled.image;
    ASSERT_GE(img.size(), 48u);
    EXPECT_EQ(img[0], 0xFF);
    EXPECT_EQ(img[1], 0xFF);
    // No glyphs, no pictures: the screen table follows the header.
    EXPECT_EQ(be16(img, 2), 0x8030);
    EXPECT_EQ(be16(img, 6), 0x8030);
    EXPECT_EQ(be16(img, 8), 0x8030);
    // Two screens of no components: table 18 bytes, no pointers, no records, no alarm block.
    EXPECT_EQ(be16(img, 4), 0x8030 + 18);
    EXPECT_EQ(img.size(), 48u + 18u);
    EXPECT_EQ(img[11], 9);
    EXPECT_EQ(img[12], 2);
    EXPECT_EQ(img[13], 1) << "driver version of the bundled catalogue";
    EXPECT_EQ(img[14], 12);
    EXPECT_EQ(be16(img, 16), 2);
    EXPECT_EQ(be16(img, 18), 1);
    EXPECT_EQ(be16(img, 20), 7);
    EXPECT_EQ(img[22], 60);
    EXPECT_EQ(img[23], 2) << "PLC station of protocol 2";
    EXPECT_EQ(img[24], 2) << "type code of VW";
    EXPECT_EQ(be16(img, 25), 0x0102);
    EXPECT_EQ(img[27], 2) << "stride";
    EXPECT_EQ(img[29], 5);
    EXPECT_EQ(img[30], 3) << "9600 on protocol 2: index 0 + offset 3";
    EXPECT_EQ(img[31], 8);
    EXPECT_EQ(img[32], 2);
    EXPECT_EQ(img[33], 2);
    EXPECT_EQ(img[34], 0);
    EXPECT_EQ(img[36], 0x12);
    EXPECT_EQ(img[37], 0x34);
    EXPECT_EQ(img[39], 1);
    EXPECT_EQ(be16(img, 40), 10000);
    for (size_t i = 42; i < 48; ++i)
        EXPECT_EQ(img[i], 0);
    // Screen table: screen 1 then 7, pointer addresses just after the table.
    EXPECT_EQ(be16(img, 48), 1);
    EXPECT_EQ(img[50], 0);
    EXPECT_EQ(be16(img, 48 + 7), 0x8030 + 18);
    EXPECT_EQ(be16(img, 57), 7);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(ImageCompiler, PasswordBcdAndSaverOff) {
    EXPECT_EQ(passwordBcd(1234), 0x1234);
    EXPECT_EQ(passwordBcd(0), 0);
    EXPECT_EQ(passwordBcd(9999), 0x9999);
    EXPECT_EQ(passwordBcd(7), 0x0007);
    Project p(nullptr, 4);
    p.resetToNew(4);
    p.panel.saverScreen = 1;
    p.panel.saverAction = 0;
    p.panel.saverDelayIndex = 0;
    AnsweringPrompter prompter;
    CompileResult r = compileProject(p, options(), prompter);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(be16(r.compiled.image, 20), 0);
    EXPECT_EQ(r.compiled.image[22], 0);
}

TEST(ImageCompiler, TextGlyphsAreNumberedInFirstUseOrder) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& s1 = *p.screens.current();
    addText(s1, 0, 0, "AB");
    CMainView& s2 = p.screens.createScreen(2, "");
    addText(s2, 0, 40,
            "\xd6\xd0"
            "B");  // 中 then B
    AnsweringPrompter prompter;
    CompileResult r = compileProject(p, options(), prompter);
    ASSERT_TRUE(r.ok()) << r.error.message;
    const Bytes& img = r.compiled.image;
    // One double-byte glyph (32 bytes) then two single-byte glyphs (A, B).
    EXPECT_EQ(be16(img, 8), 0x8030 + 32);
    const uint16_t table = be16(img, 2);
    EXPECT_EQ(table, 0x8030 + 32 + 32);
    // The single-byte glyph of 'A' is the font's glyph in page format: not blank.
    bool any = false;
    for (size_t i = 0; i < 16; ++i)
        any = any || img[48 + 32 + i] != 0;
    EXPECT_TRUE(any);
}

TEST(ImageCompiler, MissingFilesAndProtocols) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    AnsweringPrompter prompter;
    const fs::path empty = fs::temp_directory_path() / "vanta-compile-empty";
    fs::create_directories(empty);
    CompileOptions o;
    o.dataDir = empty.string();
    CompileResult r = compileProject(p, o, prompter);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.message, "does the file" + empty.string() + "/Ostra_CH.dat exist?");
    EXPECT_EQ(r.error.caption, "Download data");
    fs::copy_file(fs::path(VANTA_DATA_DIR) / "Ostra_CH.dat", empty / "Ostra_CH.dat",
                  fs::copy_options::overwrite_existing);
    r = compileProject(p, o, prompter);
    EXPECT_EQ(r.error.message, "does the file" + empty.string() + "/Ostra_EN.dat exist?");
    fs::copy_file(fs::path(VANTA_DATA_DIR) / "Ostra_EN.dat", empty / "Ostra_EN.dat",
                  fs::copy_options::overwrite_existing);
    r = compileProject(p, o, prompter);
    EXPECT_EQ(r.error.message, "File " + empty.string() + "/Ostra_Ptc.dat does not exist!");
    fs::remove_all(empty);

    Project unknown(nullptr, 41);
    unknown.resetToNew(41);
    r = compileProject(unknown, options(), prompter);
    EXPECT_EQ(r.error.message, "The protocol does not exist!");
}

TEST(ImageCompiler, RefusesWhatThePanelCannotHold) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& screen = *p.screens.current();
    for (int i = 0; i < 256; ++i)
        screen.addComponent(kKindChars, 0, 0);
    AnsweringPrompter prompter;
    CompileResult r = compileProject(p, options(), prompter);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error.message.find("Screen 1"), std::string::npos) << r.error.message;
    EXPECT_NE(r.error.message.find("256"), std::string::npos);

    // 1200 distinct double-byte characters (38 KB of glyphs) overflow the 32 KB the panel holds.
    Project big(nullptr, 4);
    big.resetToNew(4);
    for (int s = 0; s < 10; ++s) {
        CMainView& sc =
            s == 0 ? *big.screens.current() : big.screens.createScreen(uint16_t(s + 1), "");
        for (int i = 0; i < 10; ++i) {
            ByteString text;
            for (int k = 0; k < 12; ++k) {
                const int n = (s * 10 + i) * 12 + k;
                text += char(0xB0 + n / 94);
                text += char(0xA1 + n % 94);
            }
            addText(sc, 0, 0, text);
        }
    }
    r = compileProject(big, options(), prompter);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error.message.find("32768"), std::string::npos) << r.error.message;

    // A text ending in a lone lead byte names its screen and component.
    Project lone(nullptr, 4);
    lone.resetToNew(4);
    addText(*lone.screens.current(), 18, 36, "ab\xd6");
    r = compileProject(lone, options(), prompter);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error.message.find("Screen 1"), std::string::npos) << r.error.message;
}

TEST(ImageCompiler, EveryAttemptStartsEmptyAndFreesTheRecords) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    addText(*p.screens.current(), 0, 0, "Hello");
    AnsweringPrompter prompter;
    CompileResult first = compileProject(p, options(), prompter);
    CompileResult second = compileProject(p, options(), prompter);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.compiled.image, second.compiled.image);
    for (const auto& c : p.screens.current()->components())
        EXPECT_TRUE(c->m_record.empty());
}
