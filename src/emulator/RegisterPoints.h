#pragma once
// The values the panel reads and writes, named as the project names them: an area (a register
// type of the protocol's vocabulary, such as "D", "4x" or "M") and an address in it.
//
// A word area holds registers of 1, 2 or 4 bytes (the low nibble of the type code; 2 where it is
// 0, as for "RP"). A bit area (a type whose code has no width, such as "0x" or "M") holds single
// bits; where the protocol lets a bit number be chosen, a bit point is the bit `bit` of the bit
// address `address` ("M10.3"). The panel-internal areas "RP", "RWI", "RDI", "LW" and "TM" live in
// the panel and never go to the PLC.

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

namespace vanta {

struct Area {
    std::string name;
    bool bits = false;      // single bits rather than registers
    uint8_t width = 2;      // bytes per register (word areas)
    bool internal = false;  // panel memory: RP, RWI, RDI, LW, TM
    uint8_t typeCode = 0;   // the code the image used first for it
};

using AreaId = uint16_t;

struct PointKey {
    uint8_t station = 0;  // 0 for the panel-internal areas
    AreaId area = 0;
    uint32_t address = 0;
    uint8_t bit = 0;  // bit areas where the bit number is chosen; otherwise 0
    friend auto operator<=>(const PointKey&, const PointKey&) = default;
};

// The areas one image uses, in first-use order; an area is found again by its name and kind.
class AreaTable {
  public:
    // The id of the area, added when new. A word area keeps the width it was first given.
    AreaId intern(const std::string& name, bool bits, uint8_t width, uint8_t typeCode);
    // The id of an existing area; areas().size() when there is none.
    AreaId find(const std::string& name, bool bits) const;
    const Area& operator[](AreaId id) const { return areas_[id]; }
    const std::vector<Area>& areas() const { return areas_; }
    size_t size() const { return areas_.size(); }

  private:
    std::vector<Area> areas_;
};

// True for the five panel-internal type names.
bool isInternalTypeName(const std::string& name);

// "D100", "M10", "M10.3" (a bit number where the area has bit numbers), with "3:" in front when
// the station differs from `usualStation`.
std::string pointName(const AreaTable& areas, const PointKey& key, uint8_t usualStation,
                      bool bitNumbers);

}  // namespace vanta
