// What the editor's benchmarks share: an offscreen application, a prompter that gives one answer
// to every question, and document dialogs that choose nothing.
#pragma once

#include <QApplication>
#include <optional>
#include <string>

#include "common/FontTables.h"
#include "common/Prompter.h"
#include "project/ProjectDocument.h"

namespace vanta::bench {

class FixedAnswerPrompter : public Prompter {
  public:
    explicit FixedAnswerPrompter(Answer answer) : answer_(answer) {}
    Answer ask(const std::string&, const std::string&, Buttons, Severity) override {
        return answer_;
    }

  private:
    Answer answer_;
};

class NoDocumentUi : public DocumentUi {
  public:
    std::optional<std::string> askSavePath(const std::string&) override { return std::nullopt; }
    bool choosePlcForNewProject(Project&) override { return true; }
};

// The one QApplication of a benchmark program, on the offscreen platform unless another is set.
inline QApplication& benchApplication() {
    static int argc = 1;
    static char name[] = "vanta_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// The panel's glyph tables the build generates, loaded once.
inline const FontTables& benchFonts() {
    static const FontTables fonts = [] {
        FontTables f;
        (void)f.loadFrom(VANTA_DATA_DIR);
        return f;
    }();
    return fonts;
}

}  // namespace vanta::bench
