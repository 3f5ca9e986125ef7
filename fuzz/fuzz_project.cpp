// Opens arbitrary bytes as a project file. Reading must never crash, leak or read out of bounds;
// a failure must come with a message. A file that opens must save and open again to the same
// bytes, and its JSON form must build back exactly those bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "project/Project.h"
#include "project/ProjectJson.h"

namespace {

// The JSON form refuses protocols outside 1..40; every other project that opens must survive it.
bool jsonCanHold(const vanta::Project& p) {
    return p.protocol() >= 1 && p.protocol() <= 40;
}

}  // namespace

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

    const std::string json = vanta::projectToJson(project);
    const vanta::Result<vanta::Bytes> built = vanta::projectFileFromJson(json);
    if (built.ok() != jsonCanHold(project))
        __builtin_trap();
    if (built.ok() && built.value() != saved)
        __builtin_trap();
    return 0;
}
