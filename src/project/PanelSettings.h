#pragma once
// The panel's own settings ("设置Orbis"): power-up screen, password, screen saver, the PLC station
// it talks to and the control register block. Stored in the project file, sent in the image
// header. The dialog binds its controls to these fields and asks these rules what to enable and
// what to show.

#include <array>
#include <cstdint>
#include <string>

#include "protocols/Vocabulary.h"

namespace vanta {

// Bits of the control flags byte.
inline constexpr uint8_t kControlAutoScreenChange = 0x01;  // PLC -> panel
inline constexpr uint8_t kControlReportScreen = 0x02;      // panel -> PLC
inline constexpr uint8_t kControlClockModule = 0x04;       // panel -> PLC

struct PanelSettings {
    uint16_t initialScreen = 1;
    uint16_t password = 0;        // 0..9999, sent as BCD
    uint8_t saverDelayIndex = 3;  // index into the delay list
    uint8_t saverAction = 0;      // 0 backlight off, 1 show the screen-saver screen
    uint16_t saverScreen = 1;
    uint8_t plcStation = 1;           // the PLC station the panel talks to (image header byte 23)
    uint8_t controlRegisterType = 0;  // index into the word-register list
    uint16_t controlRegisterNumber = 0;
    uint8_t controlFlags = 0;

    bool operator==(const PanelSettings&) const = default;
};

inline constexpr uint16_t kMaxPassword = 9999;
inline constexpr int kSaverDelayCount = 11;

// "从不", "1分钟后", ... "1小时后".
const std::array<const char*, kSaverDelayCount>& saverDelayTexts();
// Minutes sent in the image for a delay index (0 for "never"; an index beyond the list is 0).
uint8_t saverDelayMinutes(uint8_t delayIndex);

// The rules below read the protocol's profile (protocols/ProtocolProfile.h).

// Station the PLC is addressed with by default: 2 for protocol 2, 0 for 5 and 17, else 1.
uint8_t defaultPlcStation(uint8_t protocol);

// Lowest control register number: 1 for the protocols whose addresses start at 1.
uint16_t minControlRegister(uint8_t protocol);

// A new project: everything back to its start value (the station by the protocol).
void resetForNewProject(PanelSettings& settings, uint8_t protocol);
// A protocol chosen in the PLC selection: the station default follows the protocol; the control
// register type returns to 0 and the control bits are cleared where the profile says so
// (protocols 2 and 1).
void resetForProtocolChange(PanelSettings& settings, uint8_t protocol);

// Register numbers of the control block: automatic change at the base, the report register
// after it when the change bit is set, the clock block after both.
struct ControlRegisters {
    uint32_t autoChange;
    uint32_t report;
    uint32_t clock;
};
ControlRegisters controlRegisters(uint16_t base, uint8_t flags, uint8_t stride);

// What the dialog enables and shows for the values it currently holds.
struct PanelSettingsView {
    bool saverScreenEnabled = false;
    bool registerTypeEnabled = false;
    bool registerNumberEnabled = false;
    bool stationEnabled = false;
    std::array<bool, 3> labelVisible{};      // automatic change, report, clock
    std::array<bool, 3> directionEnabled{};  // the "(Orbis<-PLC)"/"(Orbis->PLC)" labels
    std::array<std::string, 3> labelText;    // "Respond " + type + number
};
PanelSettingsView panelSettingsView(const PanelSettings& settings, const Vocabulary& vocabulary);

}  // namespace vanta
