#pragma once
// The panel-to-PLC serial parameters chosen in "PLC选择": stored in the project, sent in the
// image header. The dialog fills its lists from these rules and applies the protocol's defaults
// whenever the protocol selection changes.

#include <cstdint>
#include <string>
#include <vector>

namespace vanta {

struct CommSettings {
    uint8_t baudIndex = 3;      // position in the baud list shown for the protocol
    uint8_t dataBitsIndex = 1;  // 0 = 7 bits, 1 = 8 bits
    uint8_t stopBitsIndex = 0;  // 0 = 1 bit, 1 = 2 bits
    uint8_t parityIndex = 0;    // 0 none, 1 odd, 2 even
    uint8_t option = 0;         // 0 "232", 1 "485"
    uint8_t panelStation = 0;   // the panel's own station (header byte 11), where the profile asks
    uint16_t e5Timeout = 0;     // where the profile uses it

    bool operator==(const CommSettings&) const = default;
};

// The rules below read the protocol's profile (protocols/ProtocolProfile.h).

// The baud rates offered for a protocol, as the texts the dialog shows.
const std::vector<std::string>& baudList(uint8_t protocol);
const std::vector<std::string>& parityList();    // "NONE", "ODD", "EVEN"
const std::vector<std::string>& dataBitsList();  // "7", "8"
const std::vector<std::string>& stopBitsList();  // "1", "2"
const std::vector<std::string>& optionList();    // "232", "485"

// The values set when the protocol selection changes to `protocol`. Settings the protocol's
// profile leaves unchanged (protocol 15's option, the station and E5 time-out of other
// protocols) keep their current value.
void applyProtocolDefaults(CommSettings& settings, uint8_t protocol);

// Start values of a project created with `protocol` before the dialog ran: the E5 time-out and
// panel station of the profile's serial defaults (E5 time-out 10000 for protocol 2 and 500 for 3
// and 34, panel station 1 for 14 and 21), else 0.
CommSettings initialCommSettings(uint8_t protocol);

bool showsPanelStation(uint8_t protocol);  // 14, 21, 31
bool showsE5Timeout(uint8_t protocol);     // 2, 3, 34: the profile has an E5 time-out

// Keeps a typed station within what the protocol allows: at most 255, 1..247 for protocol 21.
int clampPanelStation(int station, uint8_t protocol);

// Serial port index of "In.dat" (0 = COM1) to its name.
std::string portName(uint8_t portIndex);
inline constexpr int kPortCount = 6;

}  // namespace vanta
