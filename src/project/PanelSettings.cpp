#include "project/PanelSettings.h"

namespace vanta {

const std::array<const char*, kSaverDelayCount>& saverDelayTexts() {
    static const std::array<const char*, kSaverDelayCount> texts = {
        "从不",     "1分钟后",  "2分钟后",  "3分钟后",  "5分钟后", "10分钟后",
        "15分钟后", "20分钟后", "30分钟后", "45分钟后", "1小时后"};
    return texts;
}

uint8_t saverDelayMinutes(uint8_t delayIndex) {
    static constexpr std::array<uint8_t, kSaverDelayCount> minutes = {0,  1,  2,  3,  5, 10,
                                                                      15, 20, 30, 45, 60};
    return delayIndex < minutes.size() ? minutes[delayIndex] : 0;
}

uint8_t defaultPlcStation(uint8_t protocol) {
    return protocolProfile(protocol).panel.plcStation;
}

uint16_t minControlRegister(uint8_t protocol) {
    return protocolProfile(protocol).panel.firstControlRegister;
}

void resetForNewProject(PanelSettings& settings, uint8_t protocol) {
    settings.controlFlags = 0;
    settings.password = 0;
    settings.saverScreen = 1;
    settings.initialScreen = 1;
    settings.plcStation = defaultPlcStation(protocol);
    settings.controlRegisterNumber = 0;
    settings.controlRegisterType = 0;
    settings.saverDelayIndex = 3;
}

void resetForProtocolChange(PanelSettings& settings, uint8_t protocol) {
    const PanelDefaults& defaults = protocolProfile(protocol).panel;
    settings.plcStation = defaults.plcStation;
    if (defaults.controlTypeResetOnChange)
        settings.controlRegisterType = 0;
    if (defaults.controlBitsClearedOnChange)
        settings.controlFlags = 0;
}

ControlRegisters controlRegisters(uint16_t base, uint8_t flags, uint8_t stride) {
    const uint32_t change = (flags & kControlAutoScreenChange) ? 1 : 0;
    const uint32_t report = (flags & kControlReportScreen) ? 1 : 0;
    return {base, base + stride * change, base + stride * (change + report)};
}

PanelSettingsView panelSettingsView(const PanelSettings& settings, const Vocabulary& vocabulary) {
    PanelSettingsView view;
    const uint8_t flags = settings.controlFlags;
    const PanelDefaults& rules = vocabulary.profile().panel;
    view.saverScreenEnabled = settings.saverAction == 1;
    const bool anyBit = (flags & 0x07) != 0;
    view.registerNumberEnabled = anyBit;
    view.stationEnabled = anyBit && !rules.plcStationFixed;
    view.registerTypeEnabled = anyBit && !rules.controlTypeFixed;

    std::string typeName;
    const auto& words = vocabulary.wordTypes;
    if (!words.empty()) {
        typeName = words[settings.controlRegisterType < words.size() ? settings.controlRegisterType
                                                                     : words.size() - 1];
    }
    const std::string separator = rules.labelSeparator;
    const ControlRegisters regs =
        controlRegisters(settings.controlRegisterNumber, flags, vocabulary.stride);
    const std::array<uint32_t, 3> numbers = {regs.autoChange, regs.report, regs.clock};
    for (int bit = 0; bit < 3; ++bit) {
        const bool set = (flags >> bit) & 1;
        view.labelVisible[bit] = set;
        view.directionEnabled[bit] = set;
        if (set)
            view.labelText[bit] = "Respond " + typeName + separator + std::to_string(numbers[bit]);
    }
    return view;
}

}  // namespace vanta
