#include "project/CommSettings.h"

#include <algorithm>

#include "protocols/ProtocolProfile.h"

namespace vanta {

const std::vector<std::string>& baudList(uint8_t protocol) {
    return protocolProfile(protocol).serial.bauds;
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
    const SerialDefaults& d = protocolProfile(protocol).serial;
    const auto& bauds = d.bauds;
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
    const SerialDefaults& d = protocolProfile(protocol).serial;
    CommSettings settings;
    if (d.e5Timeout >= 0)
        settings.e5Timeout = static_cast<uint16_t>(d.e5Timeout);
    if (d.panelStation >= 0)
        settings.panelStation = static_cast<uint8_t>(d.panelStation);
    return settings;
}

bool showsPanelStation(uint8_t protocol) {
    return protocolProfile(protocol).panelStationShown;
}

bool showsE5Timeout(uint8_t protocol) {
    return protocolProfile(protocol).serial.e5Timeout >= 0;
}

int clampPanelStation(int station, uint8_t protocol) {
    const NumberRange& allowed = protocolProfile(protocol).panelStations;
    return std::clamp(station, allowed.min, allowed.max);
}

std::string portName(uint8_t portIndex) {
    return "COM" + std::to_string(portIndex + 1);
}

}  // namespace vanta
