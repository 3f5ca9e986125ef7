// The image decoder and renderer against compiled projects: every kind decodes with its
// references resolved, screens render as the editor draws them, damaged images give problems.
#include <gtest/gtest.h>

#include <algorithm>

#include "image/ImageDecoder.h"
#include "image/ImageRenderer.h"
#include "image_test_support.h"
#include "model/BuiltinGlyphs.h"
#include "model/PageFormat.h"
#include "model/PixelCanvas.h"
#include "model/TextRenderer.h"

using namespace vanta;
using namespace vanta::imagetest;

namespace {

const ByteString kZhongWen = "\xd6\xd0\xce\xc4";               // 中文
const ByteString kStop = "\xcd\xa3\xd6\xb9";                   // 停止
const ByteString kAlarm = "\xd6\xd0\xce\xc4\xb1\xa8\xbe\xaf";  // 中文报警

std::string problemsOf(const DecodedImage& decoded) {
    std::string all;
    for (const std::string& line : describeProblems(decoded))
        all += line + "\n";
    return all;
}

bool hasProblemAt(const DecodedImage& decoded, size_t offset) {
    return std::any_of(decoded.problems.begin(), decoded.problems.end(),
                       [&](const ImageProblem& p) { return p.offset == offset; });
}

// Every component kind on three screens, and an alarm list.
struct EveryKind {
    Project project{nullptr, 4};
    CLight* lamp = nullptr;
    CFunction* handKey = nullptr;
    CFunction* invisibleKey = nullptr;
    CRegister* shortRegister = nullptr;
    CBar* bar = nullptr;
    CUpLoadPic* picture = nullptr;
    CUpLoadPic* secondPicture = nullptr;

    EveryKind() {
        project.resetToNew(4);
        CMainView& s1 = *project.screens.current();
        placeText(s1, 0, 0, "AB");
        placeText(s1, 0, 16, kZhongWen, true);
        shortRegister = &place<CRegister>(s1, kKindRegister, 96, 0);
        lamp = &place<CLight>(s1, kKindLight, 176, 48);
        lamp->m_displayKind = 1;
        lamp->m_inverse = 1;
        handKey = &placeKey(s1, 128, 48, 4, true);
        invisibleKey = &placeKey(s1, 160, 48, 0, false, true);

        CMainView& s2 = project.screens.createScreen(2, "");
        bar = &place<CBar>(s2, kKindBar, 0, 0);
        place<CTide>(s2, kKindTide, 24, 0);
        auto& small = place<CTide>(s2, kKindTide, 24, 0);
        small.m_width = 32;
        small.m_height = 16;
        small.m_x = 150;
        small.m_y = 40;
        small.SetPosition(screenFromPanel(150), screenFromPanel(40));
        placeDynamic(s2, 0, 48, {{1, "Run"}, {2, kStop}});
        picture = &placePicture(s2, project.context(), 128, 0, testPicture(16, 10));
        secondPicture = &placePicture(s2, project.context(), 150, 20, testPicture(20, 12));

        CMainView& s3 = project.screens.createScreen(3, "");
        auto& engineering = place<CRegister>(s3, kKindRegister, 0, 0);
        engineering.m_limits = 1;
        engineering.m_dataKind = 1;
        engineering.m_inputHigh = 100;
        engineering.m_engHigh = 1000;
        engineering.m_doubleSize = 1;
        engineering.Refit();
        auto& limited = place<CRegister>(s3, kKindRegister, 100, 40);
        limited.m_limits = 1;
        limited.m_inputHigh = 50;
        placeText(s3, 0, 32, "Z", false, true);

        project.alarms.m_texts = {"Alarm 1", kAlarm};
    }
};

// The components of a screen in the order the image holds them: non-registers in list order,
// then the registers by character row and column.
std::vector<const CBase*> imageOrder(const CMainView& screen) {
    std::vector<const CBase*> order, registers;
    for (const auto& c : screen.components())
        (c->m_kind == kKindRegister ? registers : order).push_back(c.get());
    std::stable_sort(registers.begin(), registers.end(), [](const CBase* a, const CBase* b) {
        return std::pair(a->m_y / 16, a->m_x / 8) < std::pair(b->m_y / 16, b->m_x / 8);
    });
    order.insert(order.end(), registers.begin(), registers.end());
    return order;
}

// The 16 x 16 region at (x, y) of a rendered screen shows the glyph (inverted when asked).
void expectGlyphAt(const MonoBitmap& screen, const PageGlyph& glyph, int x, int y,
                   bool inverted = false) {
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            ASSERT_EQ(screen.pixel(x + c, y + r), pagePixel(glyph, 16, 16, c, r) != inverted)
                << "pixel " << c << ", " << r << " of the glyph at " << x << ", " << y;
}

// The editor's own text renderer at panel resolution: light pixels of a 192 x 64 canvas.
MonoBitmap editorTexts(const FontTables& fonts,
                       const std::vector<std::tuple<int, int, ByteString, bool, bool>>& texts) {
    PixelCanvas canvas(kPanelWidth, kPanelHeight);
    for (const auto& [x, y, text, inverse, doubled] : texts) {
        const int scale = doubled ? 2 : 1;
        DrawDisplayText(canvas, fonts, text,
                        {x, y, x + naturalTextWidth(text) * scale, y + kCellHeight * scale},
                        inverse);
    }
    MonoBitmap light(kPanelWidth, kPanelHeight);
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            light.setPixel(x, y, canvas.pixel(x, y) == kDisplayLight);
    return light;
}

void expectSamePixels(const MonoBitmap& actual, const MonoBitmap& expected) {
    int differing = 0, light = 0;
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ < 5)
                ADD_FAILURE() << "pixel " << x << ", " << y << " differs";
            else
                light += expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(light, 500) << "the texts cover a good part of the display";
}

}  // namespace

TEST(ImageDecoder, EveryKindDecodesWithEveryReferenceResolved) {
    EveryKind p;
    const Bytes image = compiled(p.project);
    const DecodedImage d = decodeImage(image);
    ASSERT_TRUE(d.ok()) << problemsOf(d);

    ASSERT_EQ(d.screens.size(), 3u);
    EXPECT_TRUE(d.lampGlyphs);
    EXPECT_EQ(d.symbolGlyphs, 3u) << "hand, up key and ESC";
    EXPECT_EQ(d.narrowGlyphs, 12u) << "A B R u n Z l a r m space 1";
    EXPECT_EQ(d.wideTableGlyphs, 4u + 3u + 6u) << "lamps, symbols, 中文停止报警";
    for (size_t s = 0; s < 3; ++s) {
        const CMainView& screen = p.project.screens.at(s);
        const DecodedScreen& ds = d.screens[s];
        EXPECT_EQ(ds.number, screen.m_number);
        EXPECT_EQ(ds.upScreen, screen.m_upScreen);
        EXPECT_EQ(ds.downScreen, screen.m_downScreen);
        const auto order = imageOrder(screen);
        ASSERT_EQ(ds.components.size(), order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(ds.components[i].kind, order[i]->m_kind) << "screen " << s << " #" << i;
            EXPECT_EQ(ds.components[i].x, order[i]->m_x);
            EXPECT_EQ(ds.components[i].y, order[i]->m_y);
            EXPECT_EQ(ds.components[i].recordLength, order[i]->m_recordLen);
        }
    }
    const auto& s2 = d.screens[1].components;
    const DecodedComponent& dynamic =
        *std::find_if(s2.begin(), s2.end(), [](const auto& c) { return c.kind == kKindDynamic; });
    ASSERT_EQ(dynamic.entries.size(), 2u);
    EXPECT_EQ(dynamic.entries[1].value, 2);
    EXPECT_EQ(dynamic.entries[1].text.glyphs.size(), 2u);
    EXPECT_EQ(dynamic.text.glyphs.size(), 3u) << "the first entry, Run";

    ASSERT_TRUE(d.alarms.has_value());
    ASSERT_EQ(d.alarms->texts.size(), 2u);
    EXPECT_EQ(d.alarms->texts[0].text.glyphs.size(), 7u);
    EXPECT_EQ(d.alarms->texts[1].text.glyphs.size(), 4u);
    EXPECT_TRUE(d.alarms->texts[1].text.glyphs[0].wide);
}

TEST(ImageDecoder, ScreensShowLampsKeysRegistersFramesAndPictures) {
    EveryKind p;
    const Bytes image = compiled(p.project);
    const DecodedImage d = decodeImage(image);
    ASSERT_TRUE(d.ok()) << problemsOf(d);

    const MonoBitmap s1 = renderScreen(image, d.screens[0]);
    expectGlyphAt(s1, lampGlyph(3), 176, 48);  // square, negative logic: image 3
    expectGlyphAt(s1, symbolGlyph(kHandSymbol), 128, 48);
    expectGlyphAt(s1, symbolGlyph(4), 144, 48);
    for (int y = 48; y < 64; ++y)
        for (int x = 160; x < 176; ++x)
            ASSERT_FALSE(s1.pixel(x, y)) << "an invisible key shows nothing";
    // The register's five cells as an outline.
    EXPECT_TRUE(s1.pixel(96, 0));
    EXPECT_TRUE(s1.pixel(96 + 39, 15));
    EXPECT_FALSE(s1.pixel(97, 1));
    EXPECT_FALSE(s1.pixel(96 + 40, 8));

    const MonoBitmap s2 = renderScreen(image, d.screens[1]);
    EXPECT_TRUE(s2.pixel(0, 0));
    EXPECT_TRUE(s2.pixel(15, 47));
    EXPECT_FALSE(s2.pixel(8, 20)) << "a bar graph is a frame";
    EXPECT_TRUE(s2.pixel(150 + 31, 40 + 15));
    for (const CUpLoadPic* pic : {p.picture, p.secondPicture}) {
        for (int y = 0; y < pic->height(); ++y)
            for (int x = 0; x < pic->width(); ++x)
                ASSERT_EQ(s2.pixel(pic->m_x + x, pic->m_y + y), pic->m_bitmap.pixel(x, y));
    }

    // A double-size register with engineering limits: 16 x 32 cells.
    const MonoBitmap s3 = renderScreen(image, d.screens[2]);
    EXPECT_TRUE(s3.pixel(79, 31));
    EXPECT_FALSE(s3.pixel(78, 30));
}

TEST(ImageDecoder, TextsMatchTheEditorsRendererPixelForPixel) {
    FontTables fonts;
    ASSERT_TRUE(fonts.loadFrom(VANTA_DATA_DIR).ok());
    const std::vector<std::tuple<int, int, ByteString, bool, bool>> statics = {
        {0, 0, "Hello, panel!", false, false},
        {112, 0, "AB" + kZhongWen, true, false},
        {0, 16, "x=1&y", true, false},
        {0, 32, "W" + kZhongWen, false, true},
        {96, 32, "~#", true, true},
    };
    const std::vector<std::tuple<int, int, ByteString, bool, bool>> dynamics = {
        {8, 4, kStop + "ok", false, true},
        {0, 44, "Idle", true, false},
    };
    Project project(nullptr, 4);
    project.resetToNew(4);
    CMainView& s1 = *project.screens.current();
    for (const auto& [x, y, text, inverse, doubled] : statics)
        placeText(s1, x, y, text, inverse, doubled);
    CMainView& s2 = project.screens.createScreen(2, "");
    for (const auto& [x, y, text, inverse, doubled] : dynamics)
        placeDynamic(s2, x, y, {{7, text}, {8, "on"}}, inverse, doubled);

    const Bytes image = compiled(project);
    const DecodedImage d = decodeImage(image);
    ASSERT_TRUE(d.ok()) << problemsOf(d);
    expectSamePixels(renderScreen(image, d.screens[0]), editorTexts(fonts, statics));
    expectSamePixels(renderScreen(image, d.screens[1]), editorTexts(fonts, dynamics));
}

TEST(ImageDecoder, DamagedImagesGiveProblemsNotCrashes) {
    EveryKind p;
    const Bytes image = compiled(p.project);
    const DecodedImage intact = decodeImage(image);
    ASSERT_TRUE(intact.ok()) << problemsOf(intact);

    for (size_t length = 0; length < image.size(); ++length) {
        const std::span<const uint8_t> cut(image.data(), length);
        const DecodedImage d = decodeImage(cut);
        ASSERT_FALSE(d.ok()) << "cut at " << length;
        for (const ImageProblem& problem : d.problems)
            ASSERT_LE(problem.offset, image.size());
        for (const DecodedScreen& screen : d.screens)
            (void)renderScreen(cut, screen);
    }

    // One broken reference at a time; the problem names the byte that holds it.
    auto broken = [&](size_t offset, std::initializer_list<uint8_t> bytes) {
        Bytes damaged = image;
        std::copy(bytes.begin(), bytes.end(), damaged.begin() + offset);
        const DecodedImage d = decodeImage(damaged);
        EXPECT_TRUE(hasProblemAt(d, offset)) << "offset " << offset << "\n" << problemsOf(d);
        for (const DecodedScreen& screen : d.screens)
            (void)renderScreen(damaged, screen);
    };
    const DecodedScreen& s1 = intact.screens[0];
    const DecodedScreen& s2 = intact.screens[1];
    auto find = [](const DecodedScreen& s, uint8_t kind) {
        return *std::find_if(s.components.begin(), s.components.end(),
                             [&](const DecodedComponent& c) { return c.kind == kind; });
    };
    broken(s1.components[0].pointerOffset + 1, {0xFF, 0xF0});  // record address
    broken(s1.components[0].pointerOffset, {9});               // kind code
    broken(s1.tableOffset + 7, {0x90, 0x00});                  // pointer-table address

    const DecodedComponent text = find(s1, kKindChars);
    broken(text.text.codesOffset, {0x7F});        // beyond the 8 x 16 table
    broken(text.text.codesOffset, {0xFF, 0xFF});  // beyond the 16 x 16 table
    broken(text.text.codesOffset, {0x80, 0x01});  // a lamp glyph, not a character
    broken(find(s1, kKindLight).recordOffset + 10, {7});
    broken(find(s1, kKindFunction).recordOffset + 16, {200});
    broken(find(s1, kKindFunction).recordOffset + 16, {1});  // a lamp glyph, not a symbol

    const DecodedComponent dynamic = find(s2, kKindDynamic);
    broken(dynamic.recordOffset + 14, {0x00, 0x00});
    broken(dynamic.recordOffset + 14 + 4, {0xFF, 0xFF});
    broken(dynamic.entries[0].text.codesOffset, {0x7E});
    broken(find(s2, kKindPicture).recordOffset + 5, {0x80, 0x00});
    broken(find(s2, kKindPicture).recordOffset + 5, {0xFF, 0xF0});

    const size_t alarm = intact.alarms->offset;
    broken(alarm + 11, {0xFF, 0xFF});
    broken(alarm + 14, {0x00, 0x10});
    broken(intact.alarms->texts[1].text.codesOffset, {0xFF, 0x00});
    broken(4, {0x00, 0x00});  // alarm block address
    broken(8, {0x80, 0x31});  // 8 x 16 table address off the glyph grid
    broken(2, {0x70, 0x00});  // screen table address below the image
}

TEST(ImageDecoder, ProblemsAreListedWithOffsetAndAddress) {
    Bytes image(60, 0);
    image[0] = 0x12;
    const DecodedImage d = decodeImage(image);
    const auto lines = describeProblems(d);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("offset 0 (0x8000): ", 0), 0u) << lines[0];

    // Thousands of broken references are counted, not all listed.
    Bytes many(0x7000, 0);
    many[0] = many[1] = 0xFF;
    many[2] = 0x80;  // screen table at 0x8030, 1000 screens of 255 components each
    many[3] = 0x30;
    many[6] = 0x80;
    many[7] = 0x30;
    many[8] = 0x80;
    many[9] = 0x30;
    many[16] = 0x03;
    many[17] = 0xE8;
    for (size_t s = 0; s < 1000; ++s)
        many[48 + 9 * s + 2] = 255;
    const DecodedImage crowded = decodeImage(many);
    EXPECT_EQ(crowded.problems.size(), kMaxImageProblems);
    EXPECT_GT(crowded.problemsLeftOut, 0u);
    EXPECT_EQ(describeProblems(crowded).back().rfind("... and ", 0), 0u);
}
