#pragma once
// Components carried from one project to another (copy and paste, also between two editors):
// written in the JSON form of a project that holds them on one screen, so the protocol they were
// made for travels with them in that project's header, and read back for the project they are
// pasted into. A component pasted under another protocol keeps every field that protocol accepts
// and gets the placing defaults for the rest; what was reset is said, component by component.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"

namespace vanta {

class CBase;
class Project;
struct Vocabulary;

// The JSON form of a project of `source`'s protocol and settings holding copies of the
// components (in the order given) on screen 1.
std::string componentsToJson(const Project& source, const std::vector<const CBase*>& components);

// A transferred component whose protocol-bound fields were reset. The interface names it as the
// screen shows it once it is placed, in its own language.
struct ComponentReset {
    size_t index = 0;                 // its position in TransferredComponents::components
    std::vector<std::string> fields;  // "station", "address", ... in the order they were reset
};

struct TransferredComponents {
    // Objects of the target project, in the order they were written (the head first).
    std::vector<std::unique_ptr<CBase>> components;
    uint8_t protocol = 0;                // the protocol they were made for
    std::vector<ComponentReset> resets;  // one per component with fields reset
};

// Reads components written by componentsToJson (any JSON form of a project: the components of
// every screen, in order) for `target`; a text that is not such a JSON form fails with the
// reader's message. Fields `target`'s protocol does not accept are reset (adaptToProtocol).
Result<TransferredComponents> componentsFromJson(std::string_view json, const Project& target);

// For a component of `target` that was made under the protocol of `from`: the register type is
// looked up by its name in the target's list; each protocol-bound field (type, station, address,
// bit number, sub-type, register count, offset, value and limits) that the target's pages would
// not accept gets the value of a component placed new, and the protocol-31 values are worked out
// again (or, away from protocol 31, set as placed new). Returns the names of the fields reset.
std::vector<std::string> adaptToProtocol(CBase& component, const Vocabulary& from,
                                         const Project& target);

}  // namespace vanta
