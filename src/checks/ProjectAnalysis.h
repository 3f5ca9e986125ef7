#pragma once
// One look at a project as the panel would get it: the image compiled as the editor previews it
// (CompileOptions::preview: no driver, no question, the project left as it is), what the image
// uses of the panel's memory and glyph tables, and every problem of the checks. The editor
// repeats it after every edit (its preview, budget and problem list), `vantactl check` once.

#include <string>
#include <vector>

#include "checks/Problem.h"
#include "common/Archive.h"
#include "common/FontTables.h"
#include "image/ImageCompiler.h"
#include "image/ImageDecoder.h"
#include "model/MonoBitmap.h"

namespace vanta {

class Project;

inline constexpr size_t kMaxNarrowGlyphs = 128;  // bytes 0x00..0x7F; higher bytes lead a pair

struct ProjectAnalysis {
    // The compiler's own refusal (empty when it compiled): the image, its glyph counts and the
    // draw order are then empty, and the problems hold what the checks found (at least one
    // error).
    std::string refusal;
    Bytes image;
    CompiledGlyphs glyphs;
    std::vector<std::vector<uint16_t>> drawOrder;  // CompileResult::imageOrder
    DecodedImage decoded;  // the image read back, as `vantactl render` reads it
    std::vector<Problem> problems;

    bool compiled() const { return refusal.empty(); }
    size_t errors() const { return countErrors(problems); }
    size_t warnings() const { return countWarnings(problems); }
};

// `fonts` must hold both glyph tables.
ProjectAnalysis analyseProject(Project& project, const FontTables& fonts);

// The screen with that number as the panel shows it, drawn from the analysis's image by the
// image renderer; a dark display when the image did not compile or holds no such screen.
MonoBitmap previewScreen(const ProjectAnalysis& analysis, uint16_t screenNumber);

}  // namespace vanta
