// The core's own texts in the interface's language: fixed texts and texts built around values
// (file names, numbers) through the English translation, line by line, the values kept; the
// Chinese interface shows them as the core built them. Messages that the core really builds go
// through the same path, so a pattern that drifts from the core shows here.

#include <QTranslator>
#include <QtTest>
#include <deque>
#include <memory>

#include "editor/CVantaView.h"
#include "editor/ProblemsDock.h"
#include "model/ComponentKinds.h"
#include "model/ScreenList.h"
#include "project/Project.h"
#include "project/ProjectDocument.h"
#include "qtsupport/AppInfo.h"
#include "qtsupport/CoreText.h"
#include "widgets/CNumEdit.h"

using namespace vanta;

namespace {

// Keeps every message; answers Cancel (No for a yes/no question).
class KeepingPrompter : public Prompter {
  public:
    Answer ask(const std::string& text, const std::string&, Buttons buttons, Severity) override {
        asked.push_back(text);
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    std::vector<std::string> asked;
};

class NoDocumentUi : public DocumentUi {
  public:
    std::optional<std::string> askSavePath(const std::string&) override { return std::nullopt; }
    bool choosePlcForNewProject(Project&) override { return true; }
};

bool holdsChinese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

}  // namespace

class TestTranslation : public QObject {
    Q_OBJECT
  private slots:
    void chineseInterfaceShowsTheCoreTexts();
    void englishTranslatesFixedAndBuiltTexts();
    void everyCoreTextHasPlainEnglish();
    void messagesTheCoreBuildsAreTranslated();

  private:
    // Loads the English translation for the rest of a test.
    std::unique_ptr<QTranslator> english();
};

std::unique_ptr<QTranslator> TestTranslation::english() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(VANTA_DATA_DIR "/") +
                          QString::fromLatin1(app::kTranslationFile)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

void TestTranslation::chineseInterfaceShowsTheCoreTexts() {
    for (const char* text : {"延时越界", "Save changes to 无标题 project?", "Wrong informationg!",
                             "Cannot open the serial port3!\nThere is no device /dev/ttyS2."})
        QCOMPARE(translateCoreText(std::string(text)), QString::fromUtf8(text));
}

void TestTranslation::englishTranslatesFixedAndBuiltTexts() {
    const auto translator = english();
    QVERIFY(translator);
    QCOMPARE(translateCoreText(std::string("Wrong informationg!")),
             QStringLiteral("The panel sent wrong information about itself, so the download "
                            "stopped."));
    QVERIFY(translateCoreText(std::string("延时越界")).startsWith("The panel did not answer"));
    QCOMPARE(translateCoreText(std::string("‘→’键")), QStringLiteral("→ key"));
    // Built around a value: the value comes back, itself translated where it is a core text.
    QCOMPARE(translateCoreText(std::string("Save changes to 无标题 project?")),
             QStringLiteral("Save the changes to the project Untitled?"));
    QCOMPARE(translateCoreText(std::string("Save changes to /tmp/a %2 b.osp project?")),
             QStringLiteral("Save the changes to the project /tmp/a %2 b.osp?"));
    // Line by line; a line the translation does not know stays as it is.
    QCOMPARE(translateCoreText(std::string("Cannot open the serial port3!\nThere is no device "
                                           "/dev/ttyS2.")),
             QStringLiteral("Cannot open the serial port 3.\nThere is no device /dev/ttyS2."));
    QCOMPARE(translateCoreText(std::string("Screen 3, register at (1, 2): too wide")),
             QStringLiteral("Screen 3, register at (1, 2): too wide"));
    QCOMPARE(translateCoreText(std::string()), QString());
    // The problem list and the preview name components in the interface's language.
    QCOMPARE(CVantaView::componentName(kKindDynamic, 128, 16),
             QStringLiteral("Dynamic Text at (128, 16)"));
    // The problem count in counted forms.
    ProblemsDock dock;
    Problem warning;
    warning.severity = ProblemSeverity::Warning;
    dock.setProblems({warning});
    QCOMPARE(dock.summary(), QStringLiteral("0 errors, 1 warning"));
    Problem error;
    dock.setProblems({error, error, warning, warning});
    QCOMPARE(dock.summary(), QStringLiteral("2 errors, 2 warnings"));
    // A number field's range in its error state.
    CNumEdit hexEdit;
    hexEdit.setHex(true);
    hexEdit.setRange(0, 255);
    QCOMPARE(hexEdit.rangeHint(), QStringLiteral("Allowed: 0 to FF (hexadecimal)"));
    QCoreApplication::removeTranslator(translator.get());
}

void TestTranslation::everyCoreTextHasPlainEnglish() {
    const auto translator = english();
    QVERIFY(translator);
    QStringList missing;
    for (const QString& text : coreFixedTexts() + coreTextPatterns()) {
        const QString english = QCoreApplication::translate(kCoreTextContext, text.toUtf8());
        // Texts that are right as they are may keep them; none may stay Chinese.
        if (english.isEmpty() || holdsChinese(english))
            missing << text;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    // The obvious typos are gone from the English texts.
    QVERIFY(!translateCoreText(std::string("Wrong informationg!")).contains("informationg"));
    QCoreApplication::removeTranslator(translator.get());
}

void TestTranslation::messagesTheCoreBuildsAreTranslated() {
    const auto translator = english();
    QVERIFY(translator);
    KeepingPrompter prompter;
    // The save question of an untitled, modified project.
    NoDocumentUi ui;
    ProjectDocument document(prompter, ui, nullptr);
    document.project().resetToNew(1);
    document.setModified(true);
    document.saveModifiedQuestion();
    // The screen list's question.
    ScreenList& screens = document.project().screens;
    screens.createScreen(3, {});
    screens.setCurrentPosition(static_cast<size_t>(screens.find(3)));
    screens.deleteCurrent(prompter);
    QVERIFY(prompter.asked.size() >= 2);
    for (const std::string& asked : prompter.asked) {
        const QString shown = translateCoreText(asked);
        QVERIFY2(shown != QString::fromStdString(asked), asked.c_str());
        QVERIFY2(!holdsChinese(shown), qPrintable(shown));
    }
    QCOMPARE(translateCoreText(prompter.asked.back()),
             QStringLiteral("Delete window 3 and everything on it?"));
    QCoreApplication::removeTranslator(translator.get());
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
