#pragma once
// The panel's 19 keys: their index (the function key's key index), the number the panel gives
// each key (the key code of a function-key record) and the names the command line uses.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"

namespace vanta {

// In key-index order.
enum class PanelKey : uint8_t {
    Esc,
    Left,
    Right,
    Down,
    Up,
    Set,
    Ent,
    Alm,
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Clr,
};

inline constexpr int kPanelKeyCount = 19;

// The key code a function-key record holds for this key.
uint8_t panelKeyCode(PanelKey key);
// "ESC", "LEFT", "RIGHT", "DOWN", "UP", "SET", "ENT", "ALM", "0".."9", "CLR".
const char* panelKeyName(PanelKey key);
// The label of the key on the panel: arrows as "←", "→", "↓", "↑", the others as their names.
const char* panelKeyLabel(PanelKey key);
// A name of panelKeyName, in any case.
std::optional<PanelKey> parsePanelKey(std::string_view name);
// Names separated by spaces or commas; fails naming the first unknown one.
Result<std::vector<PanelKey>> parsePanelKeys(std::string_view script);
// 0..9 for the digit keys, -1 for the others.
int panelKeyDigit(PanelKey key);

}  // namespace vanta
