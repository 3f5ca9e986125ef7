// The problems of a project: one project per kind of problem (with the exact line the problem
// list and `vantactl check` show), the samples holding none, the budget figures equal to the
// compiled image's, a preview that leaves the project as it is, and the download's decision.
#include <gtest/gtest.h>

#include <algorithm>

#include "checks/DownloadGate.h"
#include "checks/ProjectAnalysis.h"
#include "checks/ProjectChecks.h"
#include "common/FileIO.h"
#include "common/GbkText.h"
#include "image/ImageDecoder.h"
#include "image/ImageRenderer.h"
#include "image_test_support.h"
#include "model/AlarmListRules.h"
#include "project/OldProjectImport.h"

using namespace vanta;
using namespace vanta::imagetest;

namespace {

const FontTables& fonts() {
    static const FontTables tables = [] {
        FontTables t;
        EXPECT_TRUE(t.loadFrom(VANTA_DATA_DIR).ok());
        return t;
    }();
    return tables;
}

// A new project of the protocol whose screen 1 leads nowhere (0) with both keys.
void startClean(Project& p, uint8_t protocol) {
    p.resetToNew(protocol);
    p.screens.at(0).m_upScreen = 0;
    p.screens.at(0).m_downScreen = 0;
}

std::vector<std::string> lines(const std::vector<Problem>& problems) {
    std::vector<std::string> out;
    for (const Problem& p : problems)
        out.push_back(problemLine(p));
    return out;
}

std::vector<std::string> codes(const std::vector<Problem>& problems) {
    std::vector<std::string> out;
    for (const Problem& p : problems)
        out.push_back(p.code);
    return out;
}

std::vector<Problem> problemsOf(Project& p) {
    return analyseProject(p, fonts()).problems;
}

std::string utf8(const char* text) {
    return utf8ToGbk(text).value();
}

}  // namespace

TEST(Checks, ACleanProjectHasNoProblem) {
    Project p(nullptr, 3);
    startClean(p, 3);
    placeText(p.screens.at(0), 0, 0, "Hello");
    EXPECT_TRUE(problemsOf(p).empty());
}

TEST(Checks, ScreensThatDoNotExist) {
    Project p(nullptr, 3);
    p.resetToNew(3);  // screen 1: up 0 (none), down 2
    CMainView& three = p.screens.createScreen(3, "");
    three.m_upScreen = 1;
    three.m_downScreen = 0;
    placeKey(three, 120, 48, 8).m_actionKind = kActionJump;
    static_cast<CFunction&>(*three.head()).m_targetScreen = 12;
    CFunction& alarmKey = placeKey(three, 0, 48, 7);
    alarmKey.m_actionKind = kActionJump;
    alarmKey.m_jumpTarget = kJumpAlarmList;  // no screen to look for
    p.panel.initialScreen = 7;
    p.panel.saverAction = 1;
    p.panel.saverScreen = 9;

    EXPECT_EQ(lines(problemsOf(p)),
              (std::vector<std::string>{
                  "error: panel settings: the initial screen 7 does not exist; the panel would "
                  "start on screen 1 instead. Choose an existing initial screen in the panel "
                  "settings.",
                  "error: panel settings: the screen-saver screen 9 does not exist; the panel "
                  "would show screen 1 instead. Choose an existing screen for the screen saver "
                  "in the panel settings.",
                  "warning: screen 1: the down key leads to screen 2, which does not exist; "
                  "pressing it on the panel does nothing. Choose an existing screen, or 0 for "
                  "none, on the screen's page.",
                  "error: screen 3: Function key at (120, 48): jumps to screen 12, which does not "
                  "exist; the key does nothing on the panel. Choose an existing screen or add "
                  "screen 12.",
              }));

    // The screen saver that turns the backlight off names no screen.
    p.panel.saverAction = 0;
    p.panel.initialScreen = 3;
    p.screens.at(0).m_downScreen = 3;
    static_cast<CFunction&>(*three.components()[1]).m_targetScreen = 1;
    EXPECT_TRUE(problemsOf(p).empty());

    // A number given twice.
    auto again = std::make_unique<CMainView>(p.context());
    again->m_number = 3;
    p.screens.append(std::move(again));
    EXPECT_EQ(codes(problemsOf(p)), std::vector<std::string>{"duplicate-screen"});
}

TEST(Checks, ComponentsOffTheDisplayOrPastItsEdge) {
    Project p(nullptr, 3);
    startClean(p, 3);
    CMainView& screen = p.screens.at(0);
    // A double-size text of 24 characters keeps x = 0 (its page maximum is never negative).
    CChars& wide = placeText(screen, 0, 0, "ABCDEFGHIJKLMNOPQRSTUVWX", false, true);
    EXPECT_EQ(wide.m_x, 0);
    EXPECT_EQ(wide.pageXMaximum(), 0);
    // A picture of 196 columns sits at x = 0 too.
    CUpLoadPic& picture = placePicture(screen, p.context(), 0, 32, testPicture(196, 20));
    EXPECT_EQ(picture.m_x, 0);
    EXPECT_EQ(picture.pictureXMaximum(), 0);
    const std::vector<Problem> problems = problemsOf(p);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problemLine(problems[0]),
              "warning: screen 1: Picture at (0, 32): is 196 pixels wide, wider than the "
              "192-pixel display; it stays at x = 0 and the panel cuts it off at the right edge. "
              "Make it narrower (a shorter text, fewer digits, no double size).");
    EXPECT_EQ(problems[1].code, "does-not-fit");
    EXPECT_NE(problems[1].message.find("is 384 pixels wide"), std::string::npos);

    // A corner off the display (only a damaged file or a program can make one) is an error; a
    // component past the bottom edge a warning.
    screen.deleteAllComponents();
    CRegister& reg = place<CRegister>(screen, kKindRegister, 0, 0);
    reg.m_x = 200;
    placeText(screen, 0, 48, "low").m_y = 56;  // a file may hold it so
    const std::vector<Problem> placed = problemsOf(p);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(problemLine(placed[0]),
              "warning: screen 1: Static text at (0, 56): reaches y = 71, past the display's "
              "bottom edge at y = 63; the panel cuts it off there. Move it up or make it lower.");
    EXPECT_EQ(problemLine(placed[1]),
              "error: screen 1: Register at (200, 0): lies outside the 192 x 64 display (x "
              "0..191, y 0..63). Move it onto the display.");
}

TEST(Checks, HiddenAndOverlappingComponentsFollowThePanelsDrawingOrder) {
    Project p(nullptr, 3);
    startClean(p, 3);
    CMainView& screen = p.screens.at(0);
    // The panel draws the list from its head on; placing puts a component at the head, so what
    // is placed first is drawn last, on top.
    placePicture(screen, p.context(), 0, 0, testPicture(64, 32));
    placeText(screen, 8, 8, "hid");
    EXPECT_EQ(lines(problemsOf(p)),
              std::vector<std::string>{
                  "warning: screen 1: Static text at (8, 8): is completely covered by Picture at "
                  "(0, 0), which the panel draws over it. Move one of them, or delete the hidden "
                  "one."});

    // Texts that overlap in part; registers always come last.
    screen.deleteAllComponents();
    placeText(screen, 100, 0, "right");
    placeText(screen, 72, 0, "left..");  // 48 pixels wide: up to x = 119
    place<CRegister>(screen, kKindRegister, 64, 16);
    placeText(screen, 80, 16, "under");
    const std::vector<Problem> problems = problemsOf(p);
    EXPECT_EQ(codes(problems),
              (std::vector<std::string>{"overlapping-texts", "overlapping-texts"}));
    EXPECT_EQ(problems[0].component, "Static text at (80, 16)");
    EXPECT_EQ(problems[0].message,
              "overlaps Register at (64, 16), which the panel draws over part of it");
    EXPECT_EQ(problems[1].component, "Static text at (72, 0)");

    // An invisible key draws nothing: it hides nothing and nothing hides it.
    screen.deleteAllComponents();
    placeKey(screen, 0, 0, 8, false, true);
    placeText(screen, 0, 0, "AB");
    EXPECT_TRUE(problemsOf(p).empty());
}

TEST(Checks, TextsThePanelCannotTake) {
    Project p(nullptr, 3);
    startClean(p, 3);
    CMainView& screen = p.screens.at(0);
    placeText(screen, 0, 0, "ok").m_text = std::string(300, 'a');
    placeText(screen, 0, 16, "ok").m_text = std::string("ab\xD6", 3);
    placeText(screen, 0, 32, "ok").m_text = std::string("\x81\x20x", 3);
    placeDynamic(screen, 96, 48, {{1, "on"}, {2, utf8("开")}});
    p.alarms.m_texts = {"fine", std::string("\xFF\x40", 2)};
    p.alarms.m_startAddress = 1;

    const ProjectAnalysis analysis = analyseProject(p, fonts());
    // The compiler refuses the long text; the checks name it, so no second error appears.
    EXPECT_FALSE(analysis.compiled());
    EXPECT_EQ(codes(analysis.problems),
              (std::vector<std::string>{"text-not-gbk", "text-incomplete-character", "does-not-fit",
                                        "text-too-long", "text-not-gbk"}));
    EXPECT_EQ(analysis.problems[0].message,
              "its text holds bytes that are no GBK character (the bytes 0x81 0x20 are not a "
              "GBK character at byte offset 0)");
    EXPECT_EQ(analysis.problems[3].message,
              "its text is 300 bytes long; the panel takes at most 255");
    EXPECT_EQ(problemLine(analysis.problems[4]),
              "error: alarm list: alarm text 2 holds bytes that are no GBK character (the byte "
              "0xFF is not GBK text at byte offset 0). Type the text again.");
}

TEST(Checks, DynamicTextValuesThePanelCannotTellApart) {
    Project p(nullptr, 3);
    startClean(p, 3);
    CDynamic& dyn = placeDynamic(p.screens.at(0), 0, 0, {{1, "one"}, {2, "two"}, {1, "uno"}});
    const std::vector<Problem> problems = problemsOf(p);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problemLine(problems[0]),
              "warning: screen 1: Dynamic text at (0, 0): entries 1 and 3 both stand for the "
              "value 1; the panel shows the text of entry 1 and never that of entry 3. Give each "
              "entry its own value.");

    // A value beyond the register's 16 bits reaches the panel as its low 16 bits.
    dyn.m_values[2] = 65537;
    EXPECT_EQ(codes(problemsOf(p)),
              (std::vector<std::string>{"dynamic-value-range", "duplicate-dynamic-value"}));
}

TEST(Checks, LimitsInTheWrongOrderAreReportedWithoutChangingTheProject) {
    Project p(nullptr, 3);
    startClean(p, 3);
    CMainView& screen = p.screens.at(0);
    CRegister& reg = place<CRegister>(screen, kKindRegister, 0, 0);
    reg.m_limits = 1;
    reg.m_inputHigh = 5;
    reg.m_inputLow = 5;
    CBar& bar = place<CBar>(screen, kKindBar, 100, 0);
    bar.m_fullScale = 50;
    bar.m_zeroScale = 100;

    const ProjectAnalysis analysis = analyseProject(p, fonts());
    ASSERT_EQ(analysis.problems.size(), 2u);
    EXPECT_EQ(analysis.problems[0].message,
              "its full scale 50 is not above its zero scale 100; the download would write full "
              "scale 101, zero scale 100 and keep them in the project");
    EXPECT_EQ(analysis.problems[1].message,
              "its input limits are in the wrong order (upper 5, lower 5); the download would "
              "write upper 6, lower 5 and keep them in the project");
    // The preview left both components as they were; its records carry the correction.
    EXPECT_EQ(reg.m_inputHigh, 5);
    EXPECT_EQ(bar.m_fullScale, 50);
    const DecodedImage decoded = decodeImage(analysis.image);
    ASSERT_EQ(decoded.screens.size(), 1u);
    const DecodedComponent& record = decoded.screens[0].components.back();
    ASSERT_EQ(record.kind, kKindRegister);
    const size_t high = record.recordOffset + 11;
    EXPECT_EQ(Bytes(analysis.image.begin() + high, analysis.image.begin() + high + 4),
              (Bytes{0, 0, 0, 6}));

    // The download itself still corrects them in the project.
    compiled(p);
    EXPECT_EQ(reg.m_inputHigh, 6);
    EXPECT_EQ(bar.m_fullScale, 101);
    EXPECT_TRUE(problemsOf(p).empty());
}

TEST(Checks, KeyActionsTheProtocolRefuses) {
    Project p(nullptr, 31);
    startClean(p, 31);
    CFunction& recipe = placeKey(p.screens.at(0), 0, 48, 8);
    recipe.m_actionKind = kActionRecipe;
    CFunction& coil = placeKey(p.screens.at(0), 16, 48, 9);
    coil.m_actionKind = kActionSetCoil;
    coil.m_coilOperation = kCoilNone;
    const ProjectAnalysis analysis = analyseProject(p, fonts());
    EXPECT_FALSE(analysis.compiled());
    EXPECT_EQ(lines(analysis.problems),
              (std::vector<std::string>{
                  "error: screen 1: Function key at (16, 48): it sets a coil, but no coil "
                  "operation is chosen. Choose ON, OFF, toggle or momentary ON on its page.",
                  "error: screen 1: Function key at (0, 48): it runs a recipe action, which "
                  "protocol 31 (KTC) does not have. Choose another action for the key.",
              }));
}

TEST(Checks, ValuesOutsideTheProtocolsRanges) {
    Project p(nullptr, 3);  // Modbus RTU: stations 1..247, addresses 1..65535
    startClean(p, 3);
    CMainView& screen = p.screens.at(0);
    CRegister& reg = place<CRegister>(screen, kKindRegister, 0, 0);
    reg.m_station = 250;
    reg.m_address = 0;
    CLight& lamp = place<CLight>(screen, kKindLight, 100, 0);
    lamp.m_station = 0;
    place<CRegister>(screen, kKindRegister, 0, 16).m_regType = 9;
    p.alarms.m_texts = {"alarm"};
    p.alarms.m_startAddress = 1;
    p.alarms.m_station = 248;

    const std::vector<Problem> problems = problemsOf(p);
    EXPECT_EQ(lines(problems),
              (std::vector<std::string>{
                  "error: screen 1: Register at (0, 16): it names register type 10, but protocol "
                  "3 (Modbus RTU) offers 7; the download would send the code of the last one, "
                  "TM. Choose the register type on its page.",
                  "error: screen 1: Lamp at (100, 0): its station 0 lies outside the range "
                  "1..247 of protocol 3 (Modbus RTU). Choose its station within 1..247 on its "
                  "page.",
                  "error: screen 1: Register at (0, 0): its station 250 lies outside the range "
                  "1..247 of protocol 3 (Modbus RTU). Choose its station within 1..247 on its "
                  "page.",
                  "error: screen 1: Register at (0, 0): its address 0 lies outside the range "
                  "1..65535 of protocol 3 (Modbus RTU). Choose its address within 1..65535 on its "
                  "page.",
                  "error: alarm list: the start coil's station 248 lies outside the range 1..247 "
                  "of protocol 3 (Modbus RTU). Choose the start coil's station within 1..247 in "
                  "the alarm list.",
              }));
}

TEST(Checks, ImageLimits) {
    Project p(nullptr, 3);
    startClean(p, 3);
    // 256 components on one screen.
    for (int i = 0; i < 256; ++i)
        placeText(p.screens.at(0), 0, 0, "");
    ProjectAnalysis analysis = analyseProject(p, fonts());
    EXPECT_FALSE(analysis.compiled());
    EXPECT_EQ(problemLine(analysis.problems.at(0)),
              "error: screen 1: it holds 256 components; the panel shows at most 255 on a "
              "screen. Move some of them to another screen.");

    // 22 full-screen pictures: more than the panel's memory.
    Project big(nullptr, 3);
    startClean(big, 3);
    for (uint16_t n = 2; n <= 22; ++n) {
        CMainView& s = big.screens.createScreen(n, "");
        s.m_upScreen = s.m_downScreen = 0;
        placePicture(s, big.context(), 0, 0, testPicture(192, 64));
    }
    placePicture(big.screens.at(0), big.context(), 0, 0, testPicture(192, 64));
    analysis = analyseProject(big, fonts());
    ASSERT_TRUE(analysis.compiled());
    EXPECT_GT(analysis.image.size(), kMaxImageBytes);
    EXPECT_EQ(problemLine(analysis.problems.at(0)),
              "error: project: the panel image would be " + std::to_string(analysis.image.size()) +
                  " bytes, more than the panel's 32768. Remove texts, pictures or components.");
}

TEST(Checks, AlarmListProblems) {
    Project p(nullptr, 1);  // bits inside the start register
    startClean(p, 1);
    p.alarms.m_texts.assign(20, "alarm");
    const size_t capacity = alarmTextCapacity(p.alarms, p.vocabulary());
    ASSERT_LT(capacity, 20u);
    EXPECT_EQ(codes(problemsOf(p)), std::vector<std::string>{"alarm-past-register"});

    p.changeProtocol(36);  // no alarm list
    p.alarms.m_texts.assign(256, "alarm");
    EXPECT_EQ(codes(problemsOf(p)),
              (std::vector<std::string>{"alarm-not-offered", "alarm-too-many"}));
}

TEST(Checks, TheSamplesHoldOnlyTheirExpectedProblems) {
    for (const char* name : {"demo.osp", "chinese.osp"}) {
        SCOPED_TRACE(name);
        Project p;
        auto file = readWholeFile(std::string(VANTA_SOURCE_DIR) + "/data/samples/" + name);
        ASSERT_TRUE(file);
        ASSERT_TRUE(p.load(file.value()).ok());
        EXPECT_EQ(lines(problemsOf(p)), std::vector<std::string>{});
    }
    auto converted = convertOldProject(
        readWholeFile(std::string(VANTA_SOURCE_DIR) + "/data/samples/old.grx").value());
    ASSERT_TRUE(converted);
    Project old;
    ASSERT_TRUE(old.load(converted->project).ok());
    // The old project keeps what the old program wrote: its last screen's down key names the
    // screen after it.
    EXPECT_EQ(lines(problemsOf(old)),
              std::vector<std::string>{
                  "warning: screen 3: the down key leads to screen 4, which does not exist; "
                  "pressing it on the panel does nothing. Choose an existing screen, or 0 for "
                  "none, on the screen's page."});
}

TEST(Checks, BudgetFiguresAreTheCompiledImages) {
    Project p;
    auto file = readWholeFile(std::string(VANTA_SOURCE_DIR) + "/data/samples/demo.osp");
    ASSERT_TRUE(file);
    ASSERT_TRUE(p.load(file.value()).ok());
    const ProjectAnalysis analysis = analyseProject(p, fonts());
    ASSERT_TRUE(analysis.compiled());
    const Bytes image = compiled(p);
    EXPECT_EQ(analysis.image.size(), image.size());
    const DecodedImage decoded = decodeImage(image);
    EXPECT_TRUE(decoded.ok());
    EXPECT_EQ(analysis.glyphs.narrow, decoded.narrowGlyphs);
    EXPECT_EQ(analysis.glyphs.lamps, decoded.lampGlyphs);
    EXPECT_EQ(analysis.glyphs.symbols, decoded.symbolGlyphs);
    EXPECT_EQ(analysis.glyphs.wide + analysis.glyphs.symbols + (analysis.glyphs.lamps ? 4 : 0),
              decoded.wideTableGlyphs);
    // The preview differs from the download's image only in the driver version (byte 13).
    Bytes preview = analysis.image;
    preview[13] = image[13];
    EXPECT_EQ(preview, image);
}

TEST(Checks, ThePreviewIsTheRenderOfTheDownloadedImage) {
    for (const char* name : {"demo.osp", "chinese.osp"}) {
        SCOPED_TRACE(name);
        Project p;
        auto file = readWholeFile(std::string(VANTA_SOURCE_DIR) + "/data/samples/" + name);
        ASSERT_TRUE(file);
        ASSERT_TRUE(p.load(file.value()).ok());
        const ProjectAnalysis analysis = analyseProject(p, fonts());
        ASSERT_TRUE(analysis.compiled());
        // What `vantactl render` draws of the image the download sends.
        const Bytes image = compiled(p);
        const DecodedImage decoded = decodeImage(image);
        ASSERT_EQ(decoded.screens.size(), p.screens.size());
        for (const DecodedScreen& screen : decoded.screens) {
            SCOPED_TRACE(screen.number);
            const MonoBitmap rendered = renderScreen(image, screen);
            EXPECT_EQ(previewScreen(analysis, screen.number), rendered);
        }
        EXPECT_NE(previewScreen(analysis, decoded.screens.front().number),
                  MonoBitmap(kPanelWidth, kPanelHeight));
    }
    // A screen the image does not hold, or a project that does not compile, shows a dark display.
    Project p;
    startClean(p, 4);
    ProjectAnalysis analysis = analyseProject(p, fonts());
    const MonoBitmap dark(kPanelWidth, kPanelHeight);
    EXPECT_EQ(previewScreen(analysis, 2), dark);
    analysis.image.clear();
    analysis.decoded = DecodedImage{};
    analysis.refusal = "refused";
    EXPECT_EQ(previewScreen(analysis, 1), dark);
}

TEST(Checks, ProblemsAsJson) {
    Problem p;
    p.severity = ProblemSeverity::Warning;
    p.code = "covered";
    p.place = ProblemPlace::Component;
    p.screen = 3;
    p.componentIndex = 2;
    p.component = "Lamp at (0, 0)";
    p.message = "is completely covered";
    p.fix = "Move it.";
    Problem settings;
    settings.code = "missing-initial-screen";
    settings.place = ProblemPlace::PanelSettings;
    settings.message = "m";
    EXPECT_EQ(writeJson(problemsToJson({p, settings})),
              "[\n"
              "  {\n"
              "    \"severity\": \"warning\",\n"
              "    \"code\": \"covered\",\n"
              "    \"place\": \"component\",\n"
              "    \"screen\": 3,\n"
              "    \"component\": \"Lamp at (0, 0)\",\n"
              "    \"index\": 2,\n"
              "    \"message\": \"is completely covered\",\n"
              "    \"fix\": \"Move it.\"\n"
              "  },\n"
              "  {\n"
              "    \"severity\": \"error\",\n"
              "    \"code\": \"missing-initial-screen\",\n"
              "    \"place\": \"panel-settings\",\n"
              "    \"message\": \"m\",\n"
              "    \"fix\": \"\"\n"
              "  }\n"
              "]\n");
    // One line; a message that ends its own sentence keeps one stop.
    EXPECT_EQ(problemLine(p), "warning: screen 3: Lamp at (0, 0): is completely covered. Move it.");
    p.message = "the compiler refuses it.";
    EXPECT_EQ(problemText(p), "the compiler refuses it. Move it.");
}

TEST(DownloadGate, ErrorsStopTheDownloadWarningsAskOnce) {
    Problem warning;
    warning.severity = ProblemSeverity::Warning;
    warning.place = ProblemPlace::Screen;
    warning.screen = 2;
    warning.message = "the down key leads to screen 3, which does not exist";
    warning.fix = "Choose one.";
    Problem error = warning;
    error.severity = ProblemSeverity::Error;
    error.place = ProblemPlace::Project;
    error.message = "too large";

    ScriptedPrompter ok(Answer::Ok);
    EXPECT_EQ(confirmDownload({}, ok), DownloadGate::Go);
    EXPECT_TRUE(ok.asked.empty());
    EXPECT_EQ(confirmDownload({warning, warning}, ok), DownloadGate::Go);
    ASSERT_EQ(ok.asked.size(), 1u);
    EXPECT_EQ(ok.asked[0],
              "The project has 2 warnings.\n\n"
              "warning: screen 2: the down key leads to screen 3, which does not exist. Choose "
              "one.\n"
              "warning: screen 2: the down key leads to screen 3, which does not exist. Choose "
              "one.\n"
              "\nDownload anyway?");

    ScriptedPrompter cancel(Answer::Cancel);
    EXPECT_EQ(confirmDownload({warning}, cancel), DownloadGate::Cancelled);

    // An error is shown (errors first) and the download refused, whatever the answer.
    ScriptedPrompter refused(Answer::Ok);
    std::vector<Problem> many(12, warning);
    many.push_back(error);
    EXPECT_EQ(confirmDownload(many, refused), DownloadGate::Refused);
    ASSERT_EQ(refused.asked.size(), 1u);
    const std::string& text = refused.asked[0];
    EXPECT_EQ(text.rfind("The download cannot start: the project has 1 error the panel or the "
                         "download would hit (and 12 warnings).\n\nerror: project: too large. "
                         "Choose one.\n",
                         0),
              0u);
    EXPECT_NE(text.find("... and 3 more.\n"), std::string::npos);
}
