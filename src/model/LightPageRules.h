#pragma once
// The rules of the lamp page, without any widget, and the spin ranges it shares with the
// function key's coil sub-page: station, address and bit-number ranges by protocol, the lamp's
// offset range, which controls are shown, and the protocol-31 values. The page binds its controls
// to the lamp's fields and asks these functions what to offer.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CLight.h"
#include "protocols/Vocabulary.h"

namespace vanta {

// How a numeric control takes and shows its value.
enum class NumberEntry : uint8_t { Decimal, Hex, Octal };

struct SpinRange {
    int64_t min = 0;
    int64_t max = 0;
    NumberEntry entry = NumberEntry::Decimal;
    bool operator==(const SpinRange&) const = default;
};

// The name at `index` of a type list; empty outside the list.
std::string typeNameAt(const std::vector<std::string>& names, int index);

// Station spin: the catalogue's station range (only the panel's own station for protocols 14 and
// 21), typed in hexadecimal under protocol 1.
SpinRange stationSpinRange(const Vocabulary& vocab, uint8_t panelStation);
// Bit-number spin: 0 .. the highest bit index within a word.
SpinRange bitNumberSpinRange(const Vocabulary& vocab);
// Address spin of a bit target (the lamp; the function key's coil action), for the name of the
// selected register type: 0 .. the maximum bit-register number; from 1 under protocols 3, 16,
// 19, 21, 25, 33 and 34; 1 .. the maximum word-register number under 31; octal under protocol 7
// and, for the types "X" and "Y", under protocol 20; hexadecimal under protocol 1.
SpinRange bitAddressSpinRange(const Vocabulary& vocab, const std::string& typeName);
// Offset spin of the lamp: 0 .. 8 n - 1 where n is the data width of the word-list type at the
// lamp's type index (not of the bit type itself); 0 .. 0 when that width is 0.
SpinRange lampOffsetSpinRange(const Vocabulary& vocab, uint8_t regType);

// Whether the bit-number edit of the lamp page is shown for the selected type: never under
// protocol 31; under protocols 19, 20, 21 and 25 hidden for "0x" and "1x" and shown for "3x"
// and "4x"; otherwise as the catalogue's bit-number switch says.
bool lampBitNumberShown(const Vocabulary& vocab, const std::string& typeName);

// Everything the lamp page offers for one lamp.
struct LampPageControls {
    std::vector<std::string> typeNames;     // bit list B, selection = m_regType
    std::vector<std::string> subTypeNames;  // protocol 31: the parameters of the selected module
    SpinRange station;
    SpinRange address;
    SpinRange bitNumber;
    SpinRange offset;
    int32_t xMax = 0;  // X spin: 0 .. xMax
    int32_t yMax = 0;  // Y spin: 0 .. yMax
    bool bitNumberShown = false;
    bool offsetShown = false;   // "偏移:" with its edit and spin
    bool subTypeShown = false;  // "子类型:" with its combo, protocol 31 only
};
LampPageControls lampPageControls(const CLight& lamp, uint8_t panelStation);

// The page changed the type (m_regType already written) or, under protocol 31, the sub-type or
// the address: recomputes the protocol-31 values. The page then asks lampPageControls again for
// the ranges that follow the type (offset, address under protocol 20, sub-type list).
void onLampBindingChanged(CLight& lamp);

}  // namespace vanta
