// The emulated panel against real Modbus servers: over TCP on the loopback address a register read
// through the PLC, a coil written by a key, and the lost link when the server goes away; over
// RTU on a pseudo-terminal the same register and coil.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "emulator/ModbusSource.h"
#include "emulator_test_support.h"
#include "modbus_test_support.h"

using namespace vanta;
using namespace vanta::imagetest;
using namespace vanta::emulatortest;

namespace {

// Polls until the condition holds; false after `seconds` (a generous bound, never a measurement).
bool eventually(const std::function<bool()>& condition, int seconds = 10) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// Protocol 3: register 4x10 (holding register 9) and a key that toggles coil 0x5 (coil 4).
struct ModbusProject {
    Project project{nullptr, 3};
    ModbusProject() {
        project.resetToNew(3);
        CMainView& s = *project.screens.current();
        auto& value = place<CRegister>(s, kKindRegister, 0, 0);
        value.m_address = 10;
        value.m_digits = 5;
        value.Refit();
        auto& key = placeKey(s, 0, 48, 8);  // '0'
        key.m_actionKind = kActionSetCoil;
        key.m_coilOperation = kCoilToggle;
        key.m_address = 5;
    }
};

}  // namespace

TEST(EmulatorModbusServer, ReadsARegisterAndWritesACoilThroughTheServer) {
    vanta::testing::LoopbackModbusServer server;
    ASSERT_TRUE(server.running());
    server.setHolding(9, 1234);

    ModbusProject p;
    const PanelProgram program = RunningPanel::programOf(p.project);
    ModbusSettings settings;
    settings.port = server.port();
    settings.intervalMs = 20;
    ModbusSource plc(settings,
                     [&program](const PointKey& key) { return modbusAddressOf(program, key); });
    PanelEmulator panel(program, panelFont(), plc, fixedTime);
    panel.start(0);

    const PointKey reg = *program.pointOf(1, "4x", 10, std::nullopt);
    const PointKey coil = *program.pointOf(1, "0x", 5, 0);
    ASSERT_TRUE(eventually([&] { return panel.value(reg) == 1234u; })) << plc.lastError();
    EXPECT_EQ(plc.link(), LinkState::Up);
    EXPECT_EQ(pixels(panel.render(), 0, 0, 40, 16), pixels(charsAt(0, 0, " 1234"), 0, 0, 40, 16));

    // The key toggles the coil the server holds; the panel reads it back.
    ASSERT_TRUE(eventually([&] { return panel.value(coil).has_value(); }));
    panel.press(PanelKey::Digit0, 100);
    panel.release(PanelKey::Digit0, 150);
    EXPECT_TRUE(eventually([&] { return server.coil(4); }));
    EXPECT_TRUE(eventually([&] { return panel.value(coil) == 1u; }));

    // A change in the PLC shows on the panel.
    server.setHolding(9, 777);
    EXPECT_TRUE(eventually([&] { return panel.value(reg) == 777u; }));
    EXPECT_TRUE(plc.waitForPoll(5000));
    EXPECT_EQ(pixels(panel.render(), 0, 0, 40, 16), pixels(charsAt(0, 0, "  777"), 0, 0, 40, 16));

    // The PLC goes away: the panel shows its lost link, keeping the last values.
    server.stop();
    EXPECT_TRUE(eventually([&] { return plc.link() == LinkState::Lost; }));
    EXPECT_FALSE(plc.lastError().empty());
    const MonoBitmap lost = panel.render();
    EXPECT_EQ(pixels(lost, 0, 0, 192, 16),
              pixels(charsAt(0, 0, "PLC NOT RESPONDING      ", true), 0, 0, 192, 16));
    EXPECT_EQ(panel.value(reg), 777u);

    // It comes back on the same port: the link is up again and the values flow.
    vanta::testing::LoopbackModbusServer again(settings.port);
    ASSERT_TRUE(again.running());
    again.setHolding(9, 4321);
    EXPECT_TRUE(eventually([&] { return panel.value(reg) == 4321u; })) << plc.lastError();
    EXPECT_EQ(plc.link(), LinkState::Up);
    EXPECT_EQ(pixels(panel.render(), 0, 0, 40, 16), pixels(charsAt(0, 0, " 4321"), 0, 0, 40, 16));
}

TEST(EmulatorModbusServer, ANonexistentServerIsALostLinkAtOnceAndNeverBlocks) {
    int freePort = 0;
    {
        vanta::testing::LoopbackModbusServer probe;  // a port that was free a moment ago
        freePort = probe.port();
    }
    ModbusProject p;
    const PanelProgram program = RunningPanel::programOf(p.project);
    ModbusSettings settings;
    settings.port = freePort;
    settings.intervalMs = 20;
    ModbusSource plc(settings,
                     [&program](const PointKey& key) { return modbusAddressOf(program, key); });
    PanelEmulator panel(program, panelFont(), plc, fixedTime);
    panel.start(0);
    EXPECT_TRUE(eventually([&] { return plc.link() == LinkState::Lost; }));
    // Keys while the link is lost are dropped, never sent later.
    panel.press(PanelKey::Digit0, 10);
    panel.release(PanelKey::Digit0, 20);
    const PointKey reg = *program.pointOf(1, "4x", 10, std::nullopt);
    EXPECT_EQ(panel.value(reg), std::nullopt);
    EXPECT_EQ(pixels(panel.render(), 0, 0, 40, 16),
              pixels(charsAt(0, 0, "PLC N", true), 0, 0, 40, 16));
}

TEST(EmulatorModbusServer, ReadsAndWritesOverRtuOnASerialLine) {
    vanta::testing::PtyModbusRtuServer server;
    ASSERT_TRUE(server.running());
    server.setHolding(9, 2468);

    ModbusProject p;
    const PanelProgram program = RunningPanel::programOf(p.project);
    auto settings = parseModbusRtu(server.devicePath() + ",19200,E,8,1");
    ASSERT_TRUE(settings.ok()) << settings.message();
    settings->intervalMs = 20;
    ModbusSource plc(*settings,
                     [&program](const PointKey& key) { return modbusAddressOf(program, key); });
    PanelEmulator panel(program, panelFont(), plc, fixedTime);
    panel.start(0);

    const PointKey reg = *program.pointOf(1, "4x", 10, std::nullopt);
    const PointKey coil = *program.pointOf(1, "0x", 5, 0);
    ASSERT_TRUE(eventually([&] { return panel.value(reg) == 2468u; })) << plc.lastError();
    EXPECT_EQ(plc.link(), LinkState::Up);
    ASSERT_TRUE(eventually([&] { return panel.value(coil).has_value(); }));
    panel.press(PanelKey::Digit0, 100);
    panel.release(PanelKey::Digit0, 150);
    EXPECT_TRUE(eventually([&] { return server.coil(4); }));
    EXPECT_TRUE(eventually([&] { return panel.value(coil) == 1u; }));
}
