// Converts arbitrary bytes as an old ".grx" project. The conversion must never crash, leak or
// read out of bounds, and a failure must come with a message. When it succeeds, its output is
// opened as a project: that may fail (the old file may hold a damaged picture), but cleanly, and
// a project that opens saves and opens again to the same bytes.
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
    const vanta::Status loaded = project.load(converted->project);
    if (!loaded.ok()) {
        if (loaded.message().empty())
            __builtin_trap();
        return 0;
    }
    const vanta::Bytes saved = project.save();
    vanta::Project again;
    if (!again.load(saved).ok() || again.save() != saved)
        __builtin_trap();
    return 0;
}
