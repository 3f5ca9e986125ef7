#pragma once
// A problem of a project that the panel or the download would hit: what the problem list of the
// editor and `vantactl check` show, one per line.
//
// Severity:
// - error: the download would be refused, or the panel would show or do something other than
//   what the editor shows (a key that leads nowhere, a screen replaced by another);
// - warning: probably a mistake (a component hidden under another, a value the panel never
//   shows), but the panel does what the project says.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Json.h"

namespace vanta {

enum class ProblemSeverity : uint8_t { Error, Warning };

// What a problem is about, and so what the editor opens for it.
enum class ProblemPlace : uint8_t {
    Component,      // a component of a screen: it is selected
    Screen,         // a screen's own settings (up and down keys, its number): its page
    PanelSettings,  // the panel settings ("设置Orbis")
    AlarmList,      // the alarm list
    Project,        // the project as a whole (the image's size)
};

struct Problem {
    ProblemSeverity severity = ProblemSeverity::Error;
    // A stable name of the kind of problem ("missing-jump-target"), for the JSON form and tests.
    std::string code;
    ProblemPlace place = ProblemPlace::Project;
    // The screen's number, for Component and Screen problems.
    uint16_t screen = 0;
    // The component's position in its screen's list (head = 0) when the check ran, and how
    // messages name it ("Register at (24, 16)"); for Component problems.
    size_t componentIndex = 0;
    std::string component;
    // The component's kind and position, for a gui that names it in its own language.
    uint8_t componentKind = 0;
    int32_t componentX = 0;
    int32_t componentY = 0;
    // What is wrong ("jumps to screen 12, which does not exist") and what to do about it ("Choose
    // an existing screen or add screen 12."), in English.
    std::string message;
    std::string fix;

    bool isError() const { return severity == ProblemSeverity::Error; }
    bool hasScreen() const {
        return place == ProblemPlace::Component || place == ProblemPlace::Screen;
    }
};

// "error" or "warning".
const char* severityName(ProblemSeverity severity);

// Where the problem is: "screen 3: Function key at (120, 48)", "screen 3", "panel settings",
// "alarm list", "project".
std::string problemPlaceText(const Problem& problem);

// One line: "error: screen 3: Function key at (120, 48): jumps to screen 12, which does not
// exist. Choose an existing screen or add screen 12."
std::string problemLine(const Problem& problem);

// The message and the fix as one text: "jumps to screen 12, which does not exist. Choose ...".
std::string problemText(const Problem& problem);

size_t countErrors(const std::vector<Problem>& problems);
size_t countWarnings(const std::vector<Problem>& problems);

// The problems as a JSON array of objects: severity, code, place ("component", "screen",
// "panel-settings", "alarm-list", "project"), screen (Component and Screen problems), component
// and index (Component problems), message, fix.
Json problemsToJson(const std::vector<Problem>& problems);

}  // namespace vanta
