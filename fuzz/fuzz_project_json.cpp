// The JSON form of every project that opens: arbitrary bytes opened as a project file; when they
// open, the project's JSON form must build back exactly the bytes the project saves (a project
// whose protocol the JSON form refuses is the one exception).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "project/Project.h"
#include "project/ProjectJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vanta::Project project;
    if (!project.load(std::span<const uint8_t>(data, size)).ok())
        return 0;
    const vanta::Bytes saved = project.save();
    const bool jsonCanHold = project.protocol() >= 1 && project.protocol() <= 40;
    const std::string json = vanta::projectToJson(project);
    const vanta::Result<vanta::Bytes> built = vanta::projectFileFromJson(json);
    if (built.ok() != jsonCanHold)
        __builtin_trap();
    if (built.ok() && built.value() != saved)
        __builtin_trap();
    return 0;
}
