// Panel settings ("设置Orbis") and communication settings ("PLC选择") rules.
#include <gtest/gtest.h>

#include "project/CommSettings.h"
#include "project/PanelSettings.h"

using namespace vanta;

namespace {
Vocabulary vocabularyWith(uint8_t protocol, std::vector<std::string> words, uint8_t stride) {
    Vocabulary v;
    v.protocol = protocol;
    v.wordTypes = std::move(words);
    v.stride = stride;
    return v;
}
}  // namespace

TEST(PanelSettings, ControlRegisterLabelsFollowTheSetBitsAndTheStride) {
    PanelSettings s;
    s.controlFlags = kControlAutoScreenChange | kControlClockModule;
    s.controlRegisterNumber = 100;
    const auto view = panelSettingsView(s, vocabularyWith(2, {"VW", "VD"}, 2));
    EXPECT_TRUE(view.labelVisible[0]);
    EXPECT_FALSE(view.labelVisible[1]);
    EXPECT_TRUE(view.labelVisible[2]);
    EXPECT_EQ(view.labelText[0], "Respond VW100");
    EXPECT_EQ(view.labelText[2], "Respond VW102");
    EXPECT_TRUE(view.directionEnabled[0]);
    EXPECT_FALSE(view.directionEnabled[1]);
}

TEST(PanelSettings, ReportRegisterAloneSitsAtTheBase) {
    PanelSettings s;
    s.controlFlags = kControlReportScreen;
    s.controlRegisterNumber = 40;
    s.controlRegisterType = 1;
    const auto view = panelSettingsView(s, vocabularyWith(8, {"MW", "RP"}, 1));
    EXPECT_EQ(view.labelText[1], "Respond RP40");
    const auto regs = controlRegisters(
        40, kControlAutoScreenChange | kControlReportScreen | kControlClockModule, 2);
    EXPECT_EQ(regs.autoChange, 40u);
    EXPECT_EQ(regs.report, 42u);
    EXPECT_EQ(regs.clock, 44u);
}

TEST(PanelSettings, Protocol15PutsAColonBetweenTypeAndNumber) {
    PanelSettings s;
    s.controlFlags = kControlAutoScreenChange;
    s.controlRegisterNumber = 7;
    const auto view = panelSettingsView(s, vocabularyWith(15, {"N7"}, 1));
    EXPECT_EQ(view.labelText[0], "Respond N7:7");
    EXPECT_FALSE(view.stationEnabled);
    EXPECT_TRUE(view.registerNumberEnabled);
}

TEST(PanelSettings, EnableRules) {
    PanelSettings s;
    auto none = panelSettingsView(s, vocabularyWith(8, {"MW"}, 1));
    EXPECT_FALSE(none.registerNumberEnabled);
    EXPECT_FALSE(none.registerTypeEnabled);
    EXPECT_FALSE(none.stationEnabled);
    EXPECT_FALSE(none.saverScreenEnabled);

    s.controlFlags = kControlClockModule;
    s.saverAction = 1;
    auto some = panelSettingsView(s, vocabularyWith(8, {"MW"}, 1));
    EXPECT_TRUE(some.registerTypeEnabled);
    EXPECT_TRUE(some.stationEnabled);
    EXPECT_TRUE(some.saverScreenEnabled);
    EXPECT_FALSE(panelSettingsView(s, vocabularyWith(1, {"B"}, 1)).registerTypeEnabled);
    EXPECT_FALSE(panelSettingsView(s, vocabularyWith(2, {"VW"}, 2)).registerTypeEnabled);
}

TEST(PanelSettings, DelayMinutesAndResets) {
    EXPECT_EQ(saverDelayMinutes(0), 0);
    EXPECT_EQ(saverDelayMinutes(4), 5);
    EXPECT_EQ(saverDelayMinutes(10), 60);
    EXPECT_EQ(saverDelayMinutes(11), 0);
    EXPECT_STREQ(saverDelayTexts()[10], "1小时后");

    PanelSettings s;
    s.controlFlags = 7;
    s.controlRegisterType = 3;
    s.password = 1234;
    resetForProtocolChange(s, 2);
    EXPECT_EQ(s.plcStation, 2);
    EXPECT_EQ(s.controlRegisterType, 0);
    EXPECT_EQ(s.controlFlags, 7);
    EXPECT_EQ(s.password, 1234);
    resetForProtocolChange(s, 1);
    EXPECT_EQ(s.controlFlags, 0);
    resetForProtocolChange(s, 17);
    EXPECT_EQ(s.plcStation, 0);

    s.controlRegisterType = 2;
    s.saverDelayIndex = 9;
    s.initialScreen = 40;
    resetForNewProject(s, 5);
    PanelSettings expected;
    expected.plcStation = 0;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(minControlRegister(3), 1);
    EXPECT_EQ(minControlRegister(2), 0);
}

TEST(CommSettings, Protocol2DefaultsAndBaudList) {
    CommSettings c;
    c.baudIndex = 5;
    applyProtocolDefaults(c, 2);
    EXPECT_EQ(baudList(2), (std::vector<std::string>{"9600", "19200"}));
    EXPECT_EQ(c.baudIndex, 0);
    EXPECT_EQ(c.dataBitsIndex, 1);
    EXPECT_EQ(c.parityIndex, 2);
    EXPECT_EQ(c.stopBitsIndex, 0);
    EXPECT_EQ(c.option, 1);
    EXPECT_EQ(c.e5Timeout, 10000);
}

TEST(CommSettings, DefaultsOfOtherRows) {
    CommSettings c;
    applyProtocolDefaults(c, 5);
    EXPECT_EQ(baudList(5).size(), 5u);
    EXPECT_EQ(c.baudIndex, 3);  // 9600
    EXPECT_EQ(c.dataBitsIndex, 0);
    EXPECT_EQ(c.stopBitsIndex, 1);
    applyProtocolDefaults(c, 18);
    EXPECT_EQ(baudList(18)[c.baudIndex], "38400");
    c.option = 1;
    applyProtocolDefaults(c, 15);
    EXPECT_EQ(c.option, 1) << "protocol 15 keeps the option";
    EXPECT_EQ(baudList(15)[c.baudIndex], "19200");
    applyProtocolDefaults(c, 21);
    EXPECT_EQ(c.panelStation, 1);
    EXPECT_EQ(c.option, 0);
    applyProtocolDefaults(c, 33);
    EXPECT_EQ(c.parityIndex, 1);
    applyProtocolDefaults(c, 39);
    EXPECT_EQ(c.dataBitsIndex, 0);
    EXPECT_EQ(c.parityIndex, 2);
}

TEST(CommSettings, StationClampsAndVisibility) {
    EXPECT_EQ(clampPanelStation(300, 14), 255);
    EXPECT_EQ(clampPanelStation(0, 21), 1);
    EXPECT_EQ(clampPanelStation(250, 21), 247);
    EXPECT_FALSE(showsPanelStation(8));
    EXPECT_FALSE(showsE5Timeout(8));
    EXPECT_TRUE(showsPanelStation(31));
    EXPECT_TRUE(showsE5Timeout(34));
    EXPECT_EQ(portName(2), "COM3");
    EXPECT_EQ(initialCommSettings(3).e5Timeout, 500);
    EXPECT_EQ(initialCommSettings(14).panelStation, 1);
}
