// Converts arbitrary bytes as an old ".grx" project. The conversion must never crash, leak or
// read out of bounds, and a failure must come with a message. A conversion that succeeds must
// open as a project, and that project saves and opens again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "project/OldProjectImport.h"
#include "project/Project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto converted = vanta::convertOldProject(std::span<const uint8_t>(data, size));
    if (!converted.ok()) {
        if (converted.message().empty())
            __builtin_trap();
        return 0;
    }
    vanta::Project project;
    if (!project.load(converted->project).ok())
        __builtin_trap();
    const vanta::Bytes saved = project.save();
    vanta::Project again;
    if (!again.load(saved).ok() || again.save() != saved)
        __builtin_trap();
    return 0;
}
