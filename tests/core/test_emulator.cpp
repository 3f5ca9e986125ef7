// The emulated panel running small compiled projects: keys between screens, register entry with
// limits and password, coil keys, dynamic texts, lamps, recipes, the alarm list, the screen
// saver, the control register block, bars and trends.
#include <gtest/gtest.h>

#include "emulator_test_support.h"

using namespace vanta;
using namespace vanta::imagetest;
using namespace vanta::emulatortest;

namespace {

// A project of protocol 4 ("D" registers, "M" bits) with screen 1 current.
struct Protocol4 {
    Project project{nullptr, 4};
    Protocol4() { project.resetToNew(4); }
    CMainView& first() { return *project.screens.current(); }
};

CFunction& placeJump(CMainView& screen, int x, uint8_t key, uint16_t target) {
    auto& k = placeKey(screen, x, 48, key);
    k.m_actionKind = kActionJump;
    k.m_jumpTarget = kJumpScreen;
    k.m_targetScreen = target;
    return k;
}

CFunction& placeCoilKey(CMainView& screen, int x, uint8_t key, uint8_t operation,
                        uint16_t address) {
    auto& k = placeKey(screen, x, 48, key);
    k.m_actionKind = kActionSetCoil;
    k.m_coilOperation = operation;
    k.m_address = address;
    return k;
}

CRegister& placeRegister(CMainView& screen, int x, int y, uint16_t address, uint8_t digits = 4) {
    auto& r = place<CRegister>(screen, kKindRegister, x, y);
    r.m_address = address;
    r.m_digits = digits;
    r.Refit();
    return r;
}

constexpr uint8_t kKey0 = 8, kKey1 = 9, kKey2 = 10, kKey3 = 11, kKeyUp = 4;

}  // namespace

TEST(EmulatorScreens, UpDownAndJumpKeysChangeTheScreen) {
    Protocol4 p;
    placeJump(p.first(), 0, kKey1, 3);
    p.project.screens.createScreen(2, "");
    CMainView& third = p.project.screens.createScreen(3, "");
    placeJump(third, 0, kKeyUp, 1);  // a key on UP wins over the screen's up target
    RunningPanel run(p.project);

    EXPECT_EQ(run.panel->currentScreen(), 1);
    run.tap(PanelKey::Down);
    EXPECT_EQ(run.panel->currentScreen(), 2);
    run.tap(PanelKey::Down);
    EXPECT_EQ(run.panel->currentScreen(), 3);
    run.tap(PanelKey::Down);  // screen 4 does not exist
    EXPECT_EQ(run.panel->currentScreen(), 3);
    run.tap(PanelKey::Up);
    EXPECT_EQ(run.panel->currentScreen(), 1);
    run.tap(PanelKey::Up);  // screen 0 does not exist
    EXPECT_EQ(run.panel->currentScreen(), 1);
    run.tap(PanelKey::Digit1);
    EXPECT_EQ(run.panel->currentScreen(), 3);
    run.tap(PanelKey::Digit1);  // no key on screen 3 for it
    EXPECT_EQ(run.panel->currentScreen(), 3);
}

TEST(EmulatorScreens, StartsOnTheInitialScreenOrTheFirstWhenItIsMissing) {
    Protocol4 p;
    p.project.screens.createScreen(5, "");
    p.project.panel.initialScreen = 5;
    {
        RunningPanel run(p.project);
        EXPECT_EQ(run.panel->currentScreen(), 5);
    }
    p.project.panel.initialScreen = 9;
    RunningPanel run(p.project);
    EXPECT_EQ(run.panel->currentScreen(), 1);
    EXPECT_TRUE(run.panel->showScreen(5, run.now));
    EXPECT_FALSE(run.panel->showScreen(9, run.now));
    EXPECT_EQ(run.panel->currentScreen(), 5);
}

// Two settable registers: D100 within 10..3000, D101 behind the password 1234.
struct EntryProject : Protocol4 {
    EntryProject() {
        project.panel.password = 1234;
        auto& speed = placeRegister(first(), 64, 0, 100);
        speed.m_settable = 1;
        speed.m_limits = 1;
        speed.m_inputHigh = 3000;
        speed.m_inputLow = 10;
        auto& secret = placeRegister(first(), 64, 16, 101);
        secret.m_settable = 1;
        secret.m_password = 1;
    }
};

TEST(EmulatorEntry, SetDigitsAndEnterWriteWithinTheLimits) {
    EntryProject p;
    RunningPanel run(p.project);
    run.tap({PanelKey::Set, PanelKey::Digit1, PanelKey::Digit2});
    ASSERT_EQ(run.panel->mode(), PanelMode::Editing);
    // The typed number in the field, shown inverted.
    EXPECT_EQ(pixels(run.panel->render(), 64, 0, 32, 16),
              pixels(charsAt(64, 0, "  12", true), 64, 0, 32, 16));
    run.tap(PanelKey::Ent);
    EXPECT_EQ(run.panel->mode(), PanelMode::Screen);
    EXPECT_EQ(run.value("D", 100), 12u);
    EXPECT_EQ(pixels(run.panel->render(), 64, 0, 32, 16),
              pixels(charsAt(64, 0, "  12"), 64, 0, 32, 16));

    // Above the upper limit and below the lower one: refused, the register keeps its value.
    run.tap({PanelKey::Set, PanelKey::Digit5, PanelKey::Digit0, PanelKey::Digit0, PanelKey::Digit0,
             PanelKey::Ent});
    EXPECT_EQ(run.panel->mode(), PanelMode::Editing);
    EXPECT_EQ(run.value("D", 100), 12u);
    run.tap({PanelKey::Digit5, PanelKey::Ent});
    EXPECT_EQ(run.value("D", 100), 12u);
    // CLR starts again; ESC leaves without writing.
    run.tap({PanelKey::Digit9, PanelKey::Clr, PanelKey::Digit3, PanelKey::Digit0, PanelKey::Ent});
    EXPECT_EQ(run.value("D", 100), 30u);
    run.tap({PanelKey::Set, PanelKey::Digit4, PanelKey::Digit4, PanelKey::Esc});
    EXPECT_EQ(run.panel->mode(), PanelMode::Screen);
    EXPECT_EQ(run.value("D", 100), 30u);
    // More digits than the register has are not taken.
    run.tap({PanelKey::Set, PanelKey::Digit1, PanelKey::Digit2, PanelKey::Digit3, PanelKey::Digit4,
             PanelKey::Digit5, PanelKey::Ent});
    EXPECT_EQ(run.value("D", 100), 1234u);
}

TEST(EmulatorEntry, AProtectedRegisterAsksThePasswordFirst) {
    EntryProject p;
    RunningPanel run(p.project);
    run.tap({PanelKey::Set, PanelKey::Set});  // on to the protected register
    ASSERT_EQ(run.panel->mode(), PanelMode::Password);
    run.tap({PanelKey::Digit1, PanelKey::Digit1});
    EXPECT_EQ(pixels(run.panel->render(), 0, 48, 192, 16),
              pixels(charsAt(0, 48, "PASSWORD:**" + std::string(13, ' '), true), 0, 48, 192, 16));
    run.tap({PanelKey::Digit1, PanelKey::Digit1, PanelKey::Ent});
    EXPECT_EQ(run.panel->mode(), PanelMode::Password);
    EXPECT_FALSE(run.panel->unlocked());
    run.tap(
        {PanelKey::Digit1, PanelKey::Digit2, PanelKey::Digit3, PanelKey::Digit4, PanelKey::Ent});
    ASSERT_EQ(run.panel->mode(), PanelMode::Editing);
    EXPECT_EQ(run.panel->editedComponent(), 1u);
    run.tap({PanelKey::Digit7, PanelKey::Digit7, PanelKey::Ent});
    EXPECT_EQ(run.value("D", 101), 77u);
    // Unlocked until the screen is left.
    run.tap({PanelKey::Set, PanelKey::Set});
    EXPECT_EQ(run.panel->mode(), PanelMode::Editing);
    run.tap(PanelKey::Esc);
    EXPECT_TRUE(run.panel->showScreen(1, run.now));
    run.tap({PanelKey::Set, PanelKey::Set});
    EXPECT_EQ(run.panel->mode(), PanelMode::Password);
    run.tap(PanelKey::Esc);
    EXPECT_EQ(run.panel->mode(), PanelMode::Screen);
}

TEST(EmulatorEntry, SignedAndScaledRegistersTakeEngineeringValues) {
    Protocol4 p;
    // Raw 0..1000 shown as -50.0..50.0 (one decimal).
    auto& level = placeRegister(p.first(), 0, 0, 200, 4);
    level.m_settable = 1;
    level.m_signed = 1;
    level.m_decimals = 1;
    level.m_limits = 1;
    level.m_dataKind = 1;
    level.m_inputLow = 0;
    level.m_inputHigh = 1000;
    level.m_engLow = -500;
    level.m_engHigh = 500;
    level.Refit();
    RunningPanel run(p.project);
    run.set("D", 200, 750);
    EXPECT_EQ(pixels(run.panel->render(), 0, 0, 48, 16),
              pixels(charsAt(0, 0, "  25.0"), 0, 0, 48, 16));
    // LEFT turns the sign: -12.5 is raw 375.
    run.tap({PanelKey::Set, PanelKey::Digit1, PanelKey::Digit2, PanelKey::Digit5, PanelKey::Left,
             PanelKey::Ent});
    EXPECT_EQ(run.value("D", 200), 375u);
    // Outside the engineering range: refused.
    run.tap({PanelKey::Set, PanelKey::Digit6, PanelKey::Digit0, PanelKey::Digit0, PanelKey::Ent});
    EXPECT_EQ(run.value("D", 200), 375u);
}

TEST(EmulatorKeys, CoilKeysSetClearToggleAndHoldTheirCoils) {
    Protocol4 p;
    placeCoilKey(p.first(), 0, kKey0, kCoilOn, 20);
    placeCoilKey(p.first(), 16, kKey1, kCoilOff, 20);
    placeCoilKey(p.first(), 32, kKey2, kCoilToggle, 21);
    placeCoilKey(p.first(), 48, kKey3, kCoilMomentary, 22);
    RunningPanel run(p.project);

    run.tap(PanelKey::Digit0);
    EXPECT_EQ(run.value("M", 20), 1u);
    run.tap(PanelKey::Digit1);
    EXPECT_EQ(run.value("M", 20), 0u);
    run.tap(PanelKey::Digit2);
    EXPECT_EQ(run.value("M", 21), 1u);
    run.tap(PanelKey::Digit2);
    EXPECT_EQ(run.value("M", 21), 0u);
    run.panel->press(PanelKey::Digit3, run.now);
    run.wait(500);
    EXPECT_EQ(run.value("M", 22), 1u);
    run.panel->release(PanelKey::Digit3, run.now);
    EXPECT_EQ(run.value("M", 22), 0u);
}

TEST(EmulatorKeys, RegisterKeysAndEncryptedKeysWriteTheirValues) {
    Protocol4 p;
    p.project.panel.password = 42;
    auto& write = placeKey(p.first(), 0, 48, kKey0);
    write.m_actionKind = kActionSetRegister;
    write.m_address = 300;
    write.m_value = 1500;
    auto& guarded = placeKey(p.first(), 16, 48, kKey1);
    guarded.m_actionKind = kActionSetRegister;
    guarded.m_address = 301;
    guarded.m_value = -5;
    guarded.m_encrypted = 1;
    RunningPanel run(p.project);

    run.tap(PanelKey::Digit0);
    EXPECT_EQ(run.value("D", 300), 1500u);
    run.tap(PanelKey::Digit1);
    EXPECT_EQ(run.panel->mode(), PanelMode::Password);
    EXPECT_EQ(run.value("D", 301), 0u);
    run.tap({PanelKey::Digit4, PanelKey::Digit2, PanelKey::Ent});
    EXPECT_EQ(run.value("D", 301), 0xFFFBu);  // -5 in one 16-bit register
    EXPECT_EQ(run.panel->mode(), PanelMode::Screen);
}

TEST(EmulatorDisplay, ADynamicTextShowsTheTextOfItsRegistersValue) {
    Protocol4 p;
    // Two registers read as one 32-bit value, D101 most significant.
    auto& state = placeDynamic(p.first(), 8, 16, {{0, "Stop"}, {1, "Run"}, {2, "Fault"}});
    state.m_address = 101;
    state.m_regCount = 2;
    RunningPanel run(p.project);

    Protocol4 reference;
    placeText(reference.first(), 8, 16, "Run");
    const Bytes image = compiled(reference.project);
    const MonoBitmap run1 = renderScreen(image, decodeImage(image).screens.front());

    run.set("D", 102, 1);
    EXPECT_EQ(run.panel->render(), run1);
    run.set("D", 102, 7);  // no entry for 7: the field stays empty
    EXPECT_EQ(run.panel->render(), MonoBitmap(192, 64));
    run.set("D", 101, 3);  // the entries hold 16 bits: 0x30001 shows the text of 1
    run.set("D", 102, 1);
    EXPECT_EQ(run.panel->render(), run1);
}

TEST(EmulatorDisplay, LampsShowTheirBitInEitherLogic) {
    auto lamps = [](bool flipped) {
        auto p = std::make_unique<Protocol4>();
        auto& positive = place<CLight>(p->first(), kKindLight, 0, 0);
        positive.m_address = 10;
        positive.m_inverse = flipped ? 1 : 0;
        auto& negative = place<CLight>(p->first(), kKindLight, 24, 0);
        negative.m_address = 11;
        negative.m_displayKind = 1;
        negative.m_inverse = flipped ? 0 : 1;
        return p;
    };
    auto p = lamps(false);
    RunningPanel run(p->project);
    const Bytes image = compiled(p->project);
    const MonoBitmap off = renderScreen(image, decodeImage(image).screens.front());
    auto q = lamps(true);
    const Bytes flippedImage = compiled(q->project);
    const MonoBitmap on = renderScreen(flippedImage, decodeImage(flippedImage).screens.front());
    ASSERT_NE(off, on);

    EXPECT_EQ(run.panel->render(), off);
    run.set("M", 10, 1);
    run.set("M", 11, 1);
    EXPECT_EQ(run.panel->render(), on);
}

TEST(EmulatorDisplay, RegistersShowDigitsDecimalsSignAndHex) {
    Protocol4 p;
    auto& plain = placeRegister(p.first(), 0, 0, 1, 5);
    plain.m_decimals = 2;
    plain.Refit();
    auto& hex = placeRegister(p.first(), 0, 16, 2, 4);
    hex.m_displayMode = 0;
    auto& wide = placeRegister(p.first(), 0, 32, 3, 8);
    wide.m_regCount = 2;
    wide.m_signed = 1;
    wide.Refit();
    RunningPanel run(p.project);
    run.set("D", 1, 12345);
    run.set("D", 2, 0x2F);
    run.set("D", 3, 0xFFFF);  // D3 and D4 as one 32-bit value, D3 most significant
    run.set("D", 4, 0xFFFE);
    const MonoBitmap shown = run.panel->render();
    EXPECT_EQ(pixels(shown, 0, 0, 48, 16), pixels(charsAt(0, 0, "123.45"), 0, 0, 48, 16));
    EXPECT_EQ(pixels(shown, 0, 16, 32, 16), pixels(charsAt(0, 16, "002F"), 0, 16, 32, 16));
    EXPECT_EQ(pixels(shown, 0, 32, 72, 16), pixels(charsAt(0, 32, "       -2"), 0, 32, 72, 16));
}

TEST(EmulatorDisplay, BarsFillAndTrendsSampleAtTheirInterval) {
    Protocol4 p;
    auto& bar = place<CBar>(p.first(), kKindBar, 0, 0);  // up, 16 x 48
    bar.m_address = 5;
    bar.m_fullScale = 100;
    auto& trend = place<CTide>(p.first(), kKindTide, 32, 0);
    trend.m_address = 6;
    trend.m_points = 3;
    trend.m_interval = 2;
    trend.m_fullScale = 100;
    RunningPanel run(p.project);

    run.set("D", 5, 50);
    const MonoBitmap shown = run.panel->render();
    // 46 inner rows: the lower 23 are lit.
    EXPECT_FALSE(shown.pixel(8, 1 + 22));
    EXPECT_TRUE(shown.pixel(8, 1 + 23));
    EXPECT_TRUE(shown.pixel(8, 46));

    const size_t trendIndex = 0;  // placed last: the head of the list
    for (int value : {10, 20, 30, 40}) {
        run.set("D", 6, static_cast<uint32_t>(value));
        run.wait(2000);
    }
    // A sample every 2 s from entering the screen, the last three kept.
    EXPECT_EQ(run.panel->trendSamples(trendIndex), (std::vector<int64_t>{20, 30, 40}));
    run.wait(1000);
    EXPECT_EQ(run.panel->trendSamples(trendIndex).size(), 3u);
}

TEST(EmulatorRecipes, UploadDownloadAndBaseStepsWithinTheirLimits) {
    Protocol4 p;
    auto recipeKey = [&](int x, uint8_t key, uint8_t operation, uint8_t type, uint16_t address,
                         int32_t length, uint16_t limit) {
        auto& k = placeKey(p.first(), x, 48, key);
        k.m_actionKind = kActionRecipe;
        k.m_recipeOperation = operation;
        k.m_regType = type;  // in RP, RWI, RDI, LW, TM, then the protocol's "D"
        k.m_address = address;
        k.m_length = length;
        k.m_limit = limit;
    };
    recipeKey(0, kKey0, kRecipeUpload, 5, 400, 3, 0);
    recipeKey(16, kKey1, kRecipeDownload, 5, 400, 3, 0);
    recipeKey(32, kKey2, kRecipeIncreaseBase, 3, 0, 10, 20);
    recipeKey(48, kKey3, kRecipeDecreaseBase, 3, 0, 10, 0);
    RunningPanel run(p.project);

    for (uint32_t i = 0; i < 3; ++i)
        run.set("D", 400 + i, i + 1);
    run.tap(PanelKey::Digit0);  // D400..402 -> RP0..2
    EXPECT_EQ(run.value("RP", 2), 3u);
    run.tap({PanelKey::Digit2, PanelKey::Digit2, PanelKey::Digit2});
    EXPECT_EQ(run.value("LW", 0), 20u);  // the third step would pass the upper limit
    for (uint32_t i = 0; i < 3; ++i)
        run.set("D", 400 + i, 7 + i);
    run.tap(PanelKey::Digit0);  // -> RP20..22
    EXPECT_EQ(run.value("RP", 20), 7u);
    EXPECT_EQ(run.value("RP", 22), 9u);
    run.tap({PanelKey::Digit3, PanelKey::Digit3, PanelKey::Digit3});
    EXPECT_EQ(run.value("LW", 0), 0u);  // not below the lower limit
    run.tap(PanelKey::Digit1);          // RP0..2 -> D400..402
    EXPECT_EQ(run.value("D", 400), 1u);
    EXPECT_EQ(run.value("D", 402), 3u);
}

TEST(EmulatorAlarms, AnAlarmTextAppearsWhenItsCoilIsOn) {
    Protocol4 p;
    p.project.alarms.m_startAddress = 100;
    p.project.alarms.m_texts = {"Motor hot", "Door open"};
    RunningPanel run(p.project);
    ASSERT_EQ(run.program.alarmCoils().size(), 2u);

    run.tap(PanelKey::Alm);
    ASSERT_EQ(run.panel->mode(), PanelMode::AlarmList);
    EXPECT_EQ(run.panel->render(), charsAt(0, 0, "NO ALARM" + std::string(16, ' ')));

    run.set("M", 101, 1);
    Protocol4 reference;
    placeText(reference.first(), 0, 0, "Door open");
    const Bytes image = compiled(reference.project);
    EXPECT_EQ(run.panel->render(), renderScreen(image, decodeImage(image).screens.front()));
    run.tap(PanelKey::Esc);
    EXPECT_EQ(run.panel->mode(), PanelMode::Screen);
}

TEST(EmulatorSaver, TheSaverScreenComesAfterItsDelayAndAKeyEndsIt) {
    Protocol4 p;
    p.project.screens.createScreen(2, "");
    p.project.panel.saverDelayIndex = 1;  // 1 minute
    p.project.panel.saverAction = 1;
    p.project.panel.saverScreen = 2;
    RunningPanel run(p.project);
    run.wait(59000);
    EXPECT_EQ(run.panel->currentScreen(), 1);
    run.wait(1000);
    EXPECT_TRUE(run.panel->saverActive());
    EXPECT_EQ(run.panel->currentScreen(), 2);
    run.tap(PanelKey::Down);  // only wakes the panel
    EXPECT_FALSE(run.panel->saverActive());
    EXPECT_EQ(run.panel->currentScreen(), 1);
}

TEST(EmulatorSaver, TheBacklightGoesOffWithoutASaverScreen) {
    Protocol4 p;
    placeText(p.first(), 0, 0, "Hello");
    p.project.panel.saverDelayIndex = 1;
    p.project.panel.saverAction = 0;
    RunningPanel run(p.project);
    const MonoBitmap lit = run.panel->render();
    run.wait(60000);
    EXPECT_EQ(run.panel->render(), MonoBitmap(192, 64));
    run.tap(PanelKey::Esc);
    EXPECT_EQ(run.panel->render(), lit);
}

TEST(EmulatorControl, ThePlcOrdersTheScreenAndReadsScreenAndClock) {
    Protocol4 p;
    p.project.screens.createScreen(2, "");
    p.project.panel.controlRegisterNumber = 500;
    p.project.panel.controlFlags = 0x07;
    RunningPanel run(p.project);
    EXPECT_EQ(run.value("D", 501), 1u);  // the shown screen
    EXPECT_EQ(run.value("D", 502), 2024u);
    EXPECT_EQ(run.value("D", 506), 30u);
    EXPECT_EQ(run.value("D", 507), 15u);

    run.set("D", 500, 2);
    EXPECT_EQ(run.panel->currentScreen(), 2);
    EXPECT_EQ(run.value("D", 501), 2u);
    run.tap(PanelKey::Up);  // the operator may leave it; the same number orders nothing
    EXPECT_EQ(run.panel->currentScreen(), 1);
    run.wait(100);
    EXPECT_EQ(run.panel->currentScreen(), 1);
    run.set("D", 500, 9);  // no such screen
    EXPECT_EQ(run.panel->currentScreen(), 1);
    run.set("D", 500, 2);
    EXPECT_EQ(run.panel->currentScreen(), 2);

    run.wall.second = 16;
    run.wait(1000);
    EXPECT_EQ(run.value("D", 507), 16u);
}

TEST(EmulatorValues, PanelMemoryAndClockAreTheirOwn) {
    Protocol4 p;
    // The word list of protocol 4: "D", "RP", "RWI", "RDI", "LW", "TM".
    auto& day = placeRegister(p.first(), 0, 0, 3, 2);
    day.m_regType = 5;
    auto& local = placeRegister(p.first(), 0, 16, 7);
    local.m_regType = 4;
    RunningPanel run(p.project);
    EXPECT_EQ(run.value("TM", 3), 17u);  // the day of the month
    EXPECT_EQ(pixels(run.panel->render(), 0, 0, 16, 16), pixels(charsAt(0, 0, "17"), 0, 0, 16, 16));
    run.set("TM", 3, 5);  // the clock is read only
    EXPECT_EQ(run.value("TM", 3), 17u);
    run.set("LW", 7, 70000);  // a 16-bit register keeps its low bits
    EXPECT_EQ(run.value("LW", 7), 70000u & 0xFFFF);
    EXPECT_EQ(run.table.values().size(), 0u);  // none of it went to the PLC
}

TEST(EmulatorValues, ADamagedTypeCodeNeverMakesRegistersWiderThan32Bits) {
    // The low nibble of a type code is the register's width in bytes; a damaged image may carry
    // any nibble, and a bit of such a register must still lie within a 32-bit value.
    Protocol4 p;
    auto& lamp = place<CLight>(p.first(), kKindLight, 0, 0);
    lamp.m_address = 10;
    lamp.m_subAddress = 7;
    Bytes image = compiled(p.project);
    const size_t record = decodeImage(image).screens.front().components.front().recordOffset;
    image[record + 4] |= 0x0F;
    auto program = PanelProgram::load(image);
    ASSERT_TRUE(program.ok()) << program.message();
    for (const Area& area : program->areas().areas())
        EXPECT_LE(area.width, 4u) << area.name;

    RegisterTable table;
    PanelEmulator panel(*program, panelFont(), table);
    panel.start(0);
    const MonoBitmap dark = panel.render();
    for (const PointKey& key : program->knownPoints())
        panel.write(key, 0xFFFFFFFF);
    panel.advance(10);
    EXPECT_NE(panel.render(), dark);  // the lamp's bit is on
}
