#include "project/CommSettings.h"

#include <algorithm>

namespace vanta {

namespace {

struct ProtocolDefaults {
    const char* baud;
    uint8_t dataBits;  // 7 or 8
    uint8_t parity;    // 0 none, 1 odd, 2 even
    uint8_t stopBits;  // 1 or 2
    int option;        // 0 "232", 1 "485", -1 unchanged
    int e5Timeout;     // -1 unchanged
    int panelStation;  // -1 unchanged
};

ProtocolDefaults defaultsFor(uint8_t protocol) {
    switch (protocol) {
        case 1:
        case 22:
            return {"9600", 8, 0, 1, 0, -1, -1};
        case 2:
            return {"9600", 8, 2, 1, 1, 10000, -1};
        case 3:
        case 34:
            return {"19200", 8, 2, 1, 0, 500, -1};
        case 5:
            return {"9600", 7, 2, 2, 0, -1, -1};
        case 6:
        case 7:
            return {"9600", 8, 1, 1, 0, -1, -1};
        case 8:
        case 12:
        case 24:
        case 37:
            return {"9600", 8, 2, 1, 0, -1, -1};
        case 9:
        case 11:
        case 17:
        case 29:
        case 30:
        case 32:
        case 40:
            return {"9600", 8, 0, 1, 0, -1, -1};
        case 10:
        case 36:
            return {"9600", 7, 2, 1, 0, -1, -1};
        case 14:
            return {"19200", 8, 0, 1, 0, -1, 1};
        case 15:
            return {"19200", 8, 0, 1, -1, -1, -1};
        case 16:
        case 23:
        case 26:
            return {"19200", 7, 2, 1, 0, -1, -1};
        case 18:
            return {"38400", 8, 0, 1, 0, -1, -1};
        case 19:
        case 20:
        case 25:
            return {"19200", 8, 2, 1, 0, -1, -1};
        case 21:
            return {"19200", 8, 2, 1, 0, -1, 1};
        case 27:
            return {"9600", 7, 2, 2, 0, -1, -1};
        case 28:
        case 35:
            return {"19200", 8, 0, 2, 0, -1, -1};
        case 31:
            return {"9600", 8, 0, 1, 0, -1, -1};
        case 33:
            return {"19200", 8, 1, 1, 0, -1, -1};
        default:  // 4, 13, 38, 39 and every other
            return {"9600", 7, 2, 1, 0, -1, -1};
    }
}

}  // namespace

const std::vector<std::string>& baudList(uint8_t protocol) {
    static const std::vector<std::string> siemens = {"9600", "19200"};
    static const std::vector<std::string> slow = {"1200", "2400", "4800", "9600", "19200"};
    static const std::vector<std::string> full = {"1200",  "2400",  "4800",  "9600",
                                                  "19200", "38400", "115200"};
    if (protocol == 2)
        return siemens;
    if (protocol == 5 || protocol == 7)
        return slow;
    return full;
}

const std::vector<std::string>& parityList() {
    static const std::vector<std::string> list = {"NONE", "ODD", "EVEN"};
    return list;
}
const std::vector<std::string>& dataBitsList() {
    static const std::vector<std::string> list = {"7", "8"};
    return list;
}
const std::vector<std::string>& stopBitsList() {
    static const std::vector<std::string> list = {"1", "2"};
    return list;
}
const std::vector<std::string>& optionList() {
    static const std::vector<std::string> list = {"232", "485"};
    return list;
}

void applyProtocolDefaults(CommSettings& settings, uint8_t protocol) {
    const ProtocolDefaults d = defaultsFor(protocol);
    const auto& bauds = baudList(protocol);
    const auto found = std::find(bauds.begin(), bauds.end(), std::string(d.baud));
    settings.baudIndex = static_cast<uint8_t>(found == bauds.end() ? 0 : found - bauds.begin());
    settings.dataBitsIndex = d.dataBits == 8 ? 1 : 0;
    settings.parityIndex = d.parity;
    settings.stopBitsIndex = d.stopBits == 2 ? 1 : 0;
    if (d.option >= 0)
        settings.option = static_cast<uint8_t>(d.option);
    if (d.e5Timeout >= 0)
        settings.e5Timeout = static_cast<uint16_t>(d.e5Timeout);
    if (d.panelStation >= 0)
        settings.panelStation = static_cast<uint8_t>(d.panelStation);
}

CommSettings initialCommSettings(uint8_t protocol) {
    CommSettings settings;
    if (protocol == 2)
        settings.e5Timeout = 10000;
    if (protocol == 3 || protocol == 34)
        settings.e5Timeout = 500;
    if (protocol == 14 || protocol == 21)
        settings.panelStation = 1;
    return settings;
}

bool showsPanelStation(uint8_t protocol) {
    return protocol == 14 || protocol == 21 || protocol == 31;
}

bool showsE5Timeout(uint8_t protocol) {
    return protocol == 2 || protocol == 3 || protocol == 34;
}

int clampPanelStation(int station, uint8_t protocol) {
    if (protocol == 21)
        return std::clamp(station, 1, 247);
    return std::clamp(station, 0, 255);
}

std::string portName(uint8_t portIndex) {
    return "COM" + std::to_string(portIndex + 1);
}

}  // namespace vanta
