#include "emulator/PanelKeys.h"

#include <cctype>

#include "model/CFunction.h"

namespace vanta {

namespace {

constexpr const char* kNames[kPanelKeyCount] = {"ESC", "LEFT", "RIGHT", "DOWN", "UP", "SET", "ENT",
                                                "ALM", "0",    "1",     "2",    "3",  "4",   "5",
                                                "6",   "7",    "8",     "9",    "CLR"};

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

uint8_t panelKeyCode(PanelKey key) {
    return kFunctionKeys[static_cast<size_t>(key)].keyCode;
}

const char* panelKeyName(PanelKey key) {
    return kNames[static_cast<size_t>(key)];
}

const char* panelKeyLabel(PanelKey key) {
    return kFunctionKeys[static_cast<size_t>(key)].name;
}

std::optional<PanelKey> parsePanelKey(std::string_view name) {
    for (int i = 0; i < kPanelKeyCount; ++i)
        if (sameName(name, kNames[i]))
            return static_cast<PanelKey>(i);
    return std::nullopt;
}

Result<std::vector<PanelKey>> parsePanelKeys(std::string_view script) {
    std::vector<PanelKey> keys;
    size_t i = 0;
    while (i < script.size()) {
        const auto separator = [&](char c) {
            return c == ',' || std::isspace(static_cast<unsigned char>(c));
        };
        while (i < script.size() && separator(script[i]))
            ++i;
        size_t end = i;
        while (end < script.size() && !separator(script[end]))
            ++end;
        if (end == i)
            break;
        const std::string_view word = script.substr(i, end - i);
        auto key = parsePanelKey(word);
        if (!key)
            return Result<std::vector<PanelKey>>::failure(
                "Unknown key \"" + std::string(word) +
                "\": the keys are ESC, LEFT, RIGHT, DOWN, UP, SET, ENT, ALM, 0..9 and CLR.");
        keys.push_back(*key);
        i = end;
    }
    return keys;
}

int panelKeyDigit(PanelKey key) {
    const int index = static_cast<int>(key);
    const int first = static_cast<int>(PanelKey::Digit0);
    return index >= first && index <= first + 9 ? index - first : -1;
}

}  // namespace vanta
