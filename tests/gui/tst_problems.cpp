// The preview, the image budget and the problem list of the main frame: they follow the edits
// (one analysis for a burst of them), the preview is the image renderer's picture of the current
// screen, a double click on a problem selects its component, and the download refuses to start
// while an error remains and asks once for warnings.
#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTreeWidget>
#include <QtTest>

#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "checks/DownloadGate.h"
#include "checks/ProjectAnalysis.h"
#include "common/FileIO.h"
#include "dialogs/DownloadDialog.h"
#include "editor/CVantaView.h"
#include "editor/ImageBudgetLabel.h"
#include "editor/LiveAnalysis.h"
#include "editor/PreviewDock.h"
#include "editor/ProblemsDock.h"
#include "editor/ScreenPage.h"
#include "model/CFunction.h"
#include "model/CMainView.h"
#include "project/Project.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/PanelDisplayWidget.h"

using namespace vanta;
using namespace vanta::test;

namespace {

const QString kDemo = QStringLiteral(VANTA_SOURCE_DIR "/data/samples/demo.osp");

const FontTables& fonts() {
    static const FontTables tables = [] {
        FontTables t;
        [[maybe_unused]] const bool loaded = t.loadFrom(VANTA_DATA_DIR).ok();
        return t;
    }();
    return tables;
}

StartupOptions optionsFor(const ProgramFolder& folder) {
    StartupOptions options;
    options.dataDir = folder.path();
    options.translationDir = QStringLiteral(VANTA_DATA_DIR);
    options.translate = false;
    options.splash = false;
    return options;
}

// The demo with, on screen 2, a key that jumps to screen 12 (an error) and, when `warning`, an
// up key on screen 1 that leads to screen 11 (a warning). Returns the file's path.
QString demoWithProblems(const ProgramFolder& folder, bool error, bool warning) {
    Project project;
    if (!project.load(readWholeFile(kDemo.toStdString()).value()).ok())
        return {};
    if (error) {
        CMainView& two = project.screens.at(1);
        auto* key = static_cast<CFunction*>(
            two.addComponent(kKindFunction, screenFromPanel(160), screenFromPanel(48)));
        key->m_displayKind = 8;
        key->m_actionKind = kActionJump;
        key->m_targetScreen = 12;
    }
    if (warning)
        project.screens.at(0).m_upScreen = 11;
    const QString path = folder.file(QStringLiteral("problems.osp"));
    const Bytes bytes = project.save();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    return path;
}

bool settled(CMainFrame* frame) {
    return frame->analysis()->runs() > 0 && !frame->analysis()->pending();
}

}  // namespace

class TstProblems : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(fonts().hasNarrow() && fonts().hasWide());
    }

    void budgetLevels() {
        using Level = ImageBudgetLabel::Level;
        QCOMPARE(ImageBudgetLabel::level(0, 255), Level::Normal);
        QCOMPARE(ImageBudgetLabel::level(229, 255), Level::Normal);
        QCOMPARE(ImageBudgetLabel::level(230, 255), Level::Near);  // 90 % and more
        QCOMPARE(ImageBudgetLabel::level(255, 255), Level::Near);
        QCOMPARE(ImageBudgetLabel::level(256, 255), Level::Past);
        QCOMPARE(ImageBudgetLabel::level(32769, 32768), Level::Past);
    }

    // The preview, the budget and the list of the demo, after an edit on the screen page and
    // after a change of screen.
    void docksFollowTheEdits() {
        ProgramFolder folder;
        const QString path = folder.file(QStringLiteral("demo.osp"));
        QVERIFY(QFile::copy(kDemo, path));
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        QVERIFY(frame->openDocumentFile(path));
        QTRY_VERIFY(settled(frame));

        ProjectAnalysis expected = analyseProject(frame->project(), fonts());
        QVERIFY(expected.compiled());
        QVERIFY(frame->problemsDock()->problems().empty());
        QCOMPARE(frame->previewDock()->picture(), previewScreen(expected, 1));
        QCOMPARE(frame->analysis()->result().image, expected.image);
        const QString budget = frame->budgetLabel()->text();
        QVERIFY2(budget.contains(QLocale::system().toString(qulonglong(expected.image.size()))),
                 qPrintable(budget));
        QVERIFY2(budget.contains(QStringLiteral("%1/128").arg(expected.glyphs.narrow)),
                 qPrintable(budget));
        const size_t components = frame->project().screens.at(0).components().size();
        QVERIFY2(budget.contains(QStringLiteral("%1/255").arg(components)), qPrintable(budget));

        // Five clicks on the up-key arrow (10 -> 15): one analysis, and screen 15 is missing.
        auto* page = frame->view()->findChild<ScreenPage*>();
        QVERIFY(page);
        const long runs = frame->analysis()->runs();
        for (int i = 0; i < 5; ++i)
            page->upSpin()->stepBy(1);
        QVERIFY(frame->analysis()->pending());
        QTRY_VERIFY(!frame->analysis()->pending());
        QCOMPARE(frame->analysis()->runs(), runs + 1);
        const std::vector<Problem>& problems = frame->problemsDock()->problems();
        QCOMPARE(problems.size(), size_t(1));
        QCOMPARE(problems[0].code, std::string("missing-up-screen"));
        QCOMPARE(problems[0].screen, uint16_t(1));
        QCOMPARE(frame->problemsDock()->list()->topLevelItemCount(), 1);
        QCOMPARE(frame->problemsDock()->summary(), QStringLiteral("0 个错误, 1 个警告"));

        // Another screen: the preview shows it.
        QVERIFY(frame->view()->showScreenNumber(2));
        QTRY_VERIFY(settled(frame));
        expected = analyseProject(frame->project(), fonts());
        QVERIFY(previewScreen(expected, 2) != previewScreen(expected, 1));
        QCOMPARE(frame->previewDock()->picture(), previewScreen(expected, 2));

        // The full-size window follows the dock.
        frame->previewDock()->openWindow();
        QVERIFY(frame->previewDock()->windowDisplay());
        QCOMPARE(frame->previewDock()->windowDisplay()->picture(), previewScreen(expected, 2));
        QCOMPARE(frame->previewDock()->windowDisplay()->zoom(), PreviewDock::kWindowZoom);
        QVERIFY(frame->view()->showScreenNumber(1));
        QTRY_COMPARE(frame->previewDock()->windowDisplay()->picture(), previewScreen(expected, 1));
    }

    void doubleClickSelectsTheComponent() {
        ProgramFolder folder;
        const QString path = demoWithProblems(folder, true, false);
        QVERIFY(!path.isEmpty());
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QVERIFY(frame->openDocumentFile(path));
        QTRY_VERIFY(settled(frame));
        QCOMPARE(frame->project().screens.current()->m_number, uint16_t(1));

        QTreeWidget* list = frame->problemsDock()->list();
        QCOMPARE(list->topLevelItemCount(), 1);
        const Problem problem = frame->problemsDock()->problems()[0];
        QCOMPARE(problem.code, std::string("missing-jump-target"));
        QVERIFY(problem.isError());
        QCOMPARE(problem.screen, uint16_t(2));
        QCOMPARE(list->topLevelItem(0)->text(ProblemsDock::ComponentColumn),
                 QString::fromStdString(problem.component));
        const CBase* key =
            frame->project().screens.at(1).components()[problem.componentIndex].get();
        QCOMPARE(key->m_kind, uint8_t(kKindFunction));

        const QRect row = list->visualItemRect(list->topLevelItem(0));
        // A click first, as a user's double click starts with one (QTest's double click alone does
        // not make the row the pressed one).
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(frame->project().screens.current()->m_number, uint16_t(2));
        QCOMPARE(frame->project().screens.current()->head(), key);
        QVERIFY(frame->view()->hasSelection());
    }

    // An error refuses the download with a notice; warnings alone ask once, and Cancel stops.
    void downloadWaitsForTheProblems() {
        for (const bool error : {true, false}) {
            ProgramFolder folder;
            const QString path = demoWithProblems(folder, error, true);
            QVERIFY(!path.isEmpty());
            ScriptedPrompter prompter;
            Application app(optionsFor(folder), &prompter);
            QVERIFY(app.initialise());
            CMainFrame* frame = app.mainFrame();
            QVERIFY(frame->openDocumentFile(path));
            prompter.asked.clear();
            prompter.captions.clear();
            frame->action(cmd::kDownload)->trigger();
            QCOMPARE(prompter.asked.size(), size_t(1));
            QCOMPARE(prompter.captions[0], std::string(kProblemsCaption));
            QCOMPARE(prompter.asked[0], downloadGateText(frame->problemsDock()->problems()));
            QCOMPARE(frame->problemsDock()->problems().size(), size_t(error ? 2 : 1));
            QVERIFY(frame->findChild<DownloadDialog*>() == nullptr);
        }
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(TstProblems)
#include "tst_problems.moc"
