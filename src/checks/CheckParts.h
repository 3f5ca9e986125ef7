#pragma once
// The parts of the project checks, one file each: texts, components, layout on the display.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "checks/ProblemSink.h"
#include "common/Archive.h"

namespace vanta {

class Project;

// What keeps a text from reaching the panel as it stands: more than 255 bytes, half a
// double-byte character at its end, bytes that are no GBK character. `subject` names the text
// in the message ("its text", "the text of entry 3", "alarm text 2").
struct TextFault {
    std::string code;
    std::string message;
    std::string fix;
};
std::optional<TextFault> textFault(const ByteString& text, const std::string& subject);

// "protocol 3 (Modbus RTU)"
std::string protocolText(uint8_t protocol);

// Texts, values, limits, key actions and ranges of one component.
void checkComponent(ProblemSink& sink, const Project& project, const CMainView& screen,
                    size_t index, const std::unordered_set<uint16_t>& screenNumbers);

// The component's place on the display: a corner off the display, a part past its edge.
void checkPlacement(ProblemSink& sink, const CMainView& screen, size_t index);

// Components completely covered by one the panel draws later, and texts that overlap in part;
// `drawOrder` holds the list positions in the order the panel draws them.
void checkStacking(ProblemSink& sink, const CMainView& screen,
                   const std::vector<uint16_t>& drawOrder);

}  // namespace vanta
