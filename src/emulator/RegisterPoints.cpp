#include "emulator/RegisterPoints.h"

#include <algorithm>

namespace vanta {

AreaId AreaTable::intern(const std::string& name, bool bits, uint8_t width, uint8_t typeCode) {
    const AreaId found = find(name, bits);
    if (found < areas_.size())
        return found;
    Area area;
    area.name = name;
    area.bits = bits;
    // Registers hold 1, 2 or 4 bytes (a type code without a width is a 2-byte register); a
    // wider code, which only a damaged image carries, counts as 4 bytes, as values are 32-bit.
    area.width = bits ? 0 : (width == 0 ? 2 : std::min<uint8_t>(width, 4));
    area.internal = isInternalTypeName(name);
    area.typeCode = typeCode;
    areas_.push_back(std::move(area));
    return static_cast<AreaId>(areas_.size() - 1);
}

AreaId AreaTable::find(const std::string& name, bool bits) const {
    for (size_t i = 0; i < areas_.size(); ++i)
        if (areas_[i].name == name && areas_[i].bits == bits)
            return static_cast<AreaId>(i);
    return static_cast<AreaId>(areas_.size());
}

bool isInternalTypeName(const std::string& name) {
    return name == "RP" || name == "RWI" || name == "RDI" || name == "LW" || name == "TM";
}

std::string pointName(const AreaTable& areas, const PointKey& key, uint8_t usualStation,
                      bool bitNumbers) {
    std::string name;
    const Area& area = areas[key.area];
    if (!area.internal && key.station != usualStation)
        name = std::to_string(key.station) + ":";
    name += area.name + std::to_string(key.address);
    if (area.bits && bitNumbers)
        name += "." + std::to_string(key.bit);
    return name;
}

}  // namespace vanta
