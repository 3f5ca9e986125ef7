#include "checks/ProjectAnalysis.h"

#include "checks/ProjectChecks.h"
#include "image/ImageRenderer.h"
#include "model/Geometry.h"
#include "project/Project.h"

namespace vanta {

namespace {

// A preview never asks; the prompter is there for the interface's sake.
class SilentPrompter : public Prompter {
  public:
    Answer ask(const std::string&, const std::string&, Buttons, Severity) override {
        return Answer::Cancel;
    }
};

}  // namespace

ProjectAnalysis analyseProject(Project& project, const FontTables& fonts) {
    ProjectAnalysis analysis;
    CompileOptions options;
    options.fonts = &fonts;
    options.preview = true;
    SilentPrompter prompter;
    CompileResult compiled = compileProject(project, options, prompter);
    if (compiled.ok()) {
        analysis.image = std::move(compiled.compiled.image);
        analysis.glyphs = compiled.glyphs;
        analysis.drawOrder = std::move(compiled.imageOrder);
        analysis.decoded = decodeImage(analysis.image);
        ImageFacts facts;
        facts.imageBytes = analysis.image.size();
        facts.drawOrder = analysis.drawOrder;
        analysis.problems = checkProject(project, &facts);
    } else {
        analysis.refusal = compiled.error.message;
        analysis.problems = checkProject(project, nullptr);
        // The checks name every refusal they know; one they do not is still an error.
        if (countErrors(analysis.problems) == 0) {
            Problem refused;
            refused.severity = ProblemSeverity::Error;
            refused.code = "download-refused";
            refused.place = ProblemPlace::Project;
            refused.message = "the download refuses the project: " + analysis.refusal;
            refused.fix = "Correct what the message names.";
            analysis.problems.insert(analysis.problems.begin(), std::move(refused));
        }
    }
    return analysis;
}

MonoBitmap previewScreen(const ProjectAnalysis& analysis, uint16_t screenNumber) {
    for (const DecodedScreen& screen : analysis.decoded.screens)
        if (screen.number == screenNumber)
            return renderScreen(analysis.image, screen);
    return MonoBitmap(kPanelWidth, kPanelHeight);
}

}  // namespace vanta
