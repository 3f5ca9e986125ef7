// The preview, the image budget and the problem list of the main frame: they follow the edits
// (one analysis for a burst of them), the preview is the image renderer's picture of the current
// screen (or, with sample values set, the panel emulator's), a double click on a problem selects
// its component, and the download refuses to start while an error remains and asks once for
// warnings.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CVantaDoc.h"
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
#include "emulator/PanelEmulator.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "project/Project.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/PanelDisplayWidget.h"

using namespace vanta;
using namespace vanta::test;

namespace {

const QString kDemo = QStringLiteral(VANTA_SOURCE_DIR "/data/samples/demo.osp");

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

// The demo with its register on screen 1 (D100 at (128, 0)) signed, with two decimals.
QString demoWithSignedRegister(const ProgramFolder& folder) {
    Project project;
    if (!project.load(readWholeFile(kDemo.toStdString()).value()).ok())
        return {};
    for (const auto& component : project.screens.at(0).components()) {
        if (auto* reg = dynamic_cast<CRegister*>(component.get())) {
            reg->m_signed = 1;
            reg->m_decimals = 2;
        }
    }
    const QString path = folder.file(QStringLiteral("signed.osp"));
    const Bytes bytes = project.save();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    return path;
}

// The row of the preview's sample table whose component is named so; -1 when there is none.
int sampleRow(PreviewDock* dock, const QString& name) {
    for (int r = 0; r < dock->sampleTable()->rowCount(); ++r)
        if (dock->sampleTable()->item(r, PreviewDock::ComponentColumn)->text() == name)
            return r;
    return -1;
}

template <typename T>
T* sampleEditor(PreviewDock* dock, int row) {
    return qobject_cast<T*>(dock->sampleTable()->cellWidget(row, PreviewDock::ValueColumn));
}

// The panel emulator, apart from the preview, running an image on screen 1.
struct ExpectedPanel {
    explicit ExpectedPanel(const Bytes& image)
        : program(PanelProgram::load(image).value()), emulator(program, fonts(), plc) {
        emulator.showScreen(1, 0);
    }
    const LiveComponent& at(uint8_t kind, int x, int y) const {
        for (const LiveComponent& c : program.screen(1)->components)
            if (c.kind == kind && c.x == x && c.y == y)
                return c;
        static const LiveComponent none;
        return none;
    }
    PanelProgram program;
    RegisterTable plc;
    PanelEmulator emulator;
};

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
        // Named in the interface's language (the tests run the Chinese one).
        QCOMPARE(list->topLevelItem(0)->text(ProblemsDock::ComponentColumn),
                 QStringLiteral("功能键 (160, 48)"));
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
    void aLongProblemShowsWholeAtAnyWidth() {
        ProblemsDock dock;
        Problem problem;
        problem.severity = ProblemSeverity::Warning;
        problem.place = ProblemPlace::Screen;
        problem.screen = 1;
        problem.message =
            "the up key leads to screen 99, which does not exist; pressing it on "
            "the panel does nothing";
        problem.fix = "Choose an existing screen, or 0 for none, on the screen's page.";
        dock.setProblems({problem});
        QTreeWidget* list = dock.list();
        const int line = list->fontMetrics().height();
        const auto rowHeight = [list] {
            return list->visualItemRect(list->topLevelItem(0)).height();
        };
        // Narrow, as beside the preview: the sentence wraps and the row grows to hold it.
        dock.resize(360, 300);
        dock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dock));
        QTRY_VERIFY2(rowHeight() >= 3 * line, qPrintable(QString::number(rowHeight())));
        // Wide: one line again.
        dock.resize(2400, 300);
        QTRY_VERIFY2(rowHeight() < 2 * line, qPrintable(QString::number(rowHeight())));
    }

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

    // Sample values: a register's raw value formatted as the panel formats it, a lamp's bit, a
    // dynamic text's entry, each drawn by the panel emulator; they outlive an edit elsewhere
    // (even one that renumbers the image's register types), never reach the undo history or the
    // modified flag, and "reset" brings the layout picture back.
    void sampleValuesInThePreview() {
        ProgramFolder folder;
        const QString path = demoWithSignedRegister(folder);
        QVERIFY(!path.isEmpty());
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        QVERIFY(frame->openDocumentFile(path));
        QTRY_VERIFY(settled(frame));
        PreviewDock* dock = frame->previewDock();
        const ProjectAnalysis analysis = analyseProject(frame->project(), fonts());
        QCOMPARE(dock->picture(), previewScreen(analysis, 1));
        QVERIFY(!dock->resetButton()->isEnabled());
        QUndoStack* undo = frame->view()->undoStack();
        const int steps = undo->count();
        QVERIFY(!frame->doc().document().isModified());

        // One row per data-bound component, named as the problem list names it.
        QCOMPARE(dock->sampleTable()->rowCount(), 4);
        const int reg = sampleRow(dock, QStringLiteral("寄存器 (128, 0)"));
        const int lamp = sampleRow(dock, QStringLiteral("指示灯 (24, 32)"));
        const int text = sampleRow(dock, QStringLiteral("动态文本 (128, 16)"));
        QVERIFY(reg >= 0 && lamp >= 0 && text >= 0);
        QCOMPARE(dock->sampleTable()->item(reg, PreviewDock::PointColumn)->text(),
                 QStringLiteral("D100"));
        auto* regEdit = sampleEditor<CNumEdit>(dock, reg);
        auto* lampBox = sampleEditor<QCheckBox>(dock, lamp);
        auto* textBox = sampleEditor<QComboBox>(dock, text);
        QVERIFY(regEdit && lampBox && textBox);
        QCOMPARE(regEdit->text(), QStringLiteral("0"));
        // The dynamic text's default is its first entry, the text the layout picture shows.
        QCOMPARE(textBox->currentText(), QStringLiteral("0: Stop"));

        // -123 typed into the signed register with two decimals.
        regEdit->selectAll();
        QTest::keyClicks(regEdit, QStringLiteral("-123"));
        QTest::keyClick(regEdit, Qt::Key_Return);
        QCOMPARE(dock->sampleTable()->item(reg, PreviewDock::ShownColumn)->text().trimmed(),
                 QStringLiteral("-1.23"));
        ExpectedPanel expected(analysis.image);
        const LiveComponent& regLive = expected.at(kKindRegister, 128, 0);
        QVERIFY(regLive.format.isSigned);
        QCOMPARE(regLive.format.decimals, uint8_t(2));
        expected.emulator.writeWord(regLive.word, static_cast<uint32_t>(-123));
        QCOMPARE(dock->picture(), expected.emulator.render());
        QVERIFY(dock->picture() != previewScreen(analysis, 1));
        QVERIFY(dock->resetButton()->isEnabled());
        // A number the register cannot hold shows the error state; the sample keeps its value.
        const MonoBitmap withMinus123 = dock->picture();
        regEdit->selectAll();
        QTest::keyClicks(regEdit, QStringLiteral("40000"));
        QTest::keyClick(regEdit, Qt::Key_Return);
        QVERIFY(regEdit->text() == QStringLiteral("-123") || regEdit->hasInputError());
        QCOMPARE(dock->picture(), withMinus123);
        QCOMPARE(dock->sampleTable()->item(reg, PreviewDock::ShownColumn)->text().trimmed(),
                 QStringLiteral("-1.23"));
        // The edges of a signed 2-byte register.
        regEdit->selectAll();
        QTest::keyClicks(regEdit, QStringLiteral("-32768"));
        QTest::keyClick(regEdit, Qt::Key_Return);
        QVERIFY(!regEdit->hasInputError());
        // -327.68 is wider than the field's six cells: the panel shows stars.
        QCOMPARE(dock->sampleTable()->item(reg, PreviewDock::ShownColumn)->text(),
                 QStringLiteral("******"));
        regEdit->selectAll();
        QTest::keyClicks(regEdit, QStringLiteral("-123"));
        QTest::keyClick(regEdit, Qt::Key_Return);

        // The lamp's bit turns it on; the dynamic text's second entry.
        const MonoBitmap lampOff = dock->picture();
        lampBox->setChecked(true);
        expected.emulator.writeBit(expected.at(kKindLight, 24, 32).bit, true);
        QCOMPARE(dock->picture(), expected.emulator.render());
        QVERIFY(dock->picture() != lampOff);
        QTest::keyClick(textBox, Qt::Key_Down);
        QCOMPARE(textBox->currentText(), QStringLiteral("1: Run"));
        expected.emulator.writeWord(expected.at(kKindDynamic, 128, 16).word, 1);
        const MonoBitmap withSamples = expected.emulator.render();
        QCOMPARE(dock->picture(), withSamples);

        // The full-size window shows the same picture.
        dock->openWindow();
        QCOMPARE(dock->windowDisplay()->picture(), withSamples);

        // None of it is an edit of the project.
        QCOMPARE(undo->count(), steps);
        QVERIFY(!frame->doc().document().isModified());

        // An edit elsewhere: the up key's screen. The samples stay.
        auto* page = frame->view()->findChild<ScreenPage*>();
        QVERIFY(page);
        const long runs = frame->analysis()->runs();
        page->upSpin()->stepBy(1);
        QTRY_VERIFY(frame->analysis()->runs() > runs && !frame->analysis()->pending());
        QCOMPARE(dock->picture(), withSamples);
        QCOMPARE(regEdit->text(), QStringLiteral("-123"));
        QVERIFY(lampBox->isChecked());
        // The dynamic text moves to another register type, which the image now numbers ahead
        // of D: the samples are kept by the register's name, not by the image's numbering.
        CDynamic* dynamic = nullptr;
        for (const auto& component : frame->project().screens.at(0).components())
            if (component->describe() == "Dynamic text at (128, 16)")
                dynamic = dynamic_cast<CDynamic*>(component.get());
        QVERIFY(dynamic);
        QVERIFY(frame->project().vocabulary().wordTypes.size() > 1);
        const uint8_t type = dynamic->m_regType;
        dynamic->m_regType = static_cast<uint8_t>(type == 0 ? 1 : 0);
        frame->analysis()->analyseNow();
        const int moved = sampleRow(dock, QStringLiteral("动态文本 (128, 16)"));
        QVERIFY(moved >= 0);
        QVERIFY(dock->sampleTable()->item(moved, PreviewDock::PointColumn)->text() !=
                QStringLiteral("D101"));
        QCOMPARE(sampleEditor<QComboBox>(dock, moved)->currentText(), QStringLiteral("0: Stop"));
        const int regNow = sampleRow(dock, QStringLiteral("寄存器 (128, 0)"));
        QCOMPARE(sampleEditor<CNumEdit>(dock, regNow)->text(), QStringLiteral("-123"));
        dynamic->m_regType = type;
        frame->analysis()->analyseNow();
        QCOMPARE(sampleEditor<QComboBox>(dock, moved)->currentText(), QStringLiteral("1: Run"));
        QCOMPARE(dock->picture(), withSamples);

        // Reset: the defaults and the layout picture again, in the window too.
        QTest::mouseClick(dock->resetButton(), Qt::LeftButton);
        QVERIFY(!dock->samples().anySet());
        const ProjectAnalysis edited = analyseProject(frame->project(), fonts());
        QCOMPARE(dock->picture(), previewScreen(edited, 1));
        QCOMPARE(dock->windowDisplay()->picture(), previewScreen(edited, 1));
        QCOMPARE(sampleEditor<CNumEdit>(dock, regNow)->text(), QStringLiteral("0"));
        QVERIFY(!dock->resetButton()->isEnabled());
        QCOMPARE(undo->count(), steps + 1);  // the up key's step alone

        // Samples belong to their project: opening one (even the same file again) resets them.
        sampleEditor<QCheckBox>(dock, sampleRow(dock, QStringLiteral("指示灯 (24, 32)")))
            ->setChecked(true);
        QVERIFY(dock->samples().anySet());
        frame->doc().document().setModified(false);
        QVERIFY(frame->openDocumentFile(path));
        QVERIFY(!dock->samples().anySet());
        QTRY_VERIFY(settled(frame));
        QCOMPARE(dock->picture(), previewScreen(analysis, 1));
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(TstProblems)
#include "tst_problems.moc"
