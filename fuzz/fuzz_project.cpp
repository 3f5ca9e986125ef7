// Opens arbitrary bytes as a project file. Reading must never crash, leak or read out of bounds;
// a failure must come with a message. A file that opens must save and open again to the same
// bytes. (The JSON form of what opens has its own target, fuzz_project_json.)
#include <cstddef>
#include <cstdint>
#include <span>

#include "project/Project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vanta::Project project;
    const vanta::Status loaded = project.load(std::span<const uint8_t>(data, size));
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
