// The editor as a whole program: start-up with and without each data file, Chinese and English,
// the main frame's menus, toolbar, status bar, title and command states, the splash window, the
// file commands through their dialogs (new project, save, open, import, recent files, dropped
// files, closing) and the bytes of a saved project read back.

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CSplashWnd.h"
#include "app/CVantaDoc.h"
#include "app/CommandIds.h"
#include "app/ProgramData.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/PanelSettingsDialog.h"
#include "dialogs/PlcDialog.h"
#include "dialogs/PortDialog.h"
#include "editor/CVantaView.h"
#include "model/CMainView.h"
#include "project/Project.h"
#include "protocols/ProtocolNames.h"

using namespace vanta;
using namespace vanta::test;

namespace {

StartupOptions optionsFor(const ProgramFolder& folder, bool english = false) {
    StartupOptions options;
    options.dataDir = folder.path();
    options.translationDir = QStringLiteral(VANTA_DATA_DIR);
    options.translate = english;
    options.splash = false;
    return options;
}

QStringList menuTitles(QMainWindow* window) {
    QStringList titles;
    for (QAction* a : window->menuBar()->actions())
        titles << a->text();
    return titles;
}

// Starts a new project through the PLC dialog, choosing the catalogue entry of `protocol`.
bool newProject(CMainFrame* frame, uint8_t protocol) {
    auto chosen = whenModal<PlcDialog>([protocol](PlcDialog* d) {
        for (int i = 0; i < d->protocolBox()->count(); ++i)
            if (d->protocolBox()->itemText(i) ==
                QString::fromUtf8(std::string(protocolNameEnglish(protocol)).c_str()))
                d->protocolBox()->setCurrentIndex(i);
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    frame->action(cmd::kNewProject)->trigger();
    return *chosen && frame->project().isOpen;
}

// Answers the next file dialog with a path.
std::shared_ptr<bool> answerFileDialog(const QString& path) {
    return whenModal<QFileDialog>([path](QFileDialog* d) {
        // Selecting the file clears the list's selection; the name is then typed into the file
        // name field (selecting leaves it alone while it has the focus).
        d->selectFile(path);
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        static_cast<QDialog*>(d)->accept();
    });
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray saved(const Project& project) {
    const Bytes bytes = project.save();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

}  // namespace

class TstFrame : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init() {
        QSettings(QString::fromLatin1("Local AppWizard-Generated Applications"),
                  QStringLiteral("Vanta"))
            .clear();
    }

    void startupEndsWithoutTheGlyphTable() {
        ProgramFolder folder({"Ostra_CH.dat", "Ostra_Ptc.dat"});
        ScriptedPrompter prompter;
        const int status = runEditor(
            {"--data", folder.path(), "--no-splash", "--no-translation", "--quit-when-shown"},
            &prompter);
        QCOMPARE(status, 1);
        QCOMPARE(prompter.asked, std::vector<std::string>({"Load Font Lib Failure"}));
    }

    void startupRunsAndEnds() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        QCOMPARE(runEditor({"--data", folder.path(), "--no-splash", "--no-translation",
                            "--quit-when-shown"},
                           &prompter),
                 0);
        QVERIFY(prompter.asked.empty());
        // "In.dat" is made when it is missing.
        QVERIFY(QFile::exists(folder.file("In.dat")));
        // The double-byte glyphs are needed only by a download: no message without them.
        ProgramFolder withoutWide({"Ostra_EN.dat", "Ostra_Ptc.dat"});
        QCOMPARE(runEditor({"--data", withoutWide.path(), "--no-splash", "--no-translation",
                            "--quit-when-shown"},
                           &prompter),
                 0);
        QVERIFY(prompter.asked.empty());
        QCOMPARE(runEditor({"--bogus"}, &prompter), 2);
        QCOMPARE(runEditor({"a.osp", "b.osp"}, &prompter), 2);
    }

    void startupWithoutCatalogueRefusesNewProjects() {
        ProgramFolder folder({"Ostra_EN.dat"});
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        const std::string path = folder.file("Ostra_Ptc.dat").toStdString();
        QCOMPARE(prompter.asked, std::vector<std::string>({"文件" + path + "不存在!",
                                                           "File " + path + " does not exist!"}));
        CMainFrame* frame = app.mainFrame();
        QVERIFY(frame->isVisible());
        frame->action(cmd::kNewProject)->trigger();
        QCOMPARE(prompter.asked.back(), std::string("The file Ostra_Ptc.dat error!!!"));
        QVERIFY(!frame->project().isOpen);
    }

    void startupWithEveryFile() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        QVERIFY(!app.isTranslated());
        CMainFrame* frame = app.mainFrame();
        QVERIFY(prompter.asked.empty());
        // The window opens at least 750 wide (wider, as far as the screen allows, to give the
        // preview and the problem list side by side their room), taller than 560 by those docks
        // under the view, and can be resized and maximised.
        QVERIFY(frame->width() >= CMainFrame::kFrameSize.width());
        QVERIFY(frame->height() > CMainFrame::kFrameSize.height());
        QVERIFY(frame->minimumSize().width() < CMainFrame::kFrameSize.width());
        QVERIFY(frame->maximumSize().width() > 4000);
        QVERIFY(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
        frame->resize(1200, 800);
        QCOMPARE(frame->size(), QSize(1200, 800));
        frame->resize(CMainFrame::kFrameSize);
        QCOMPARE(frame->windowTitle(), QStringLiteral("无标题[*] - Vanta画面设置工具"));
        QCOMPARE(frame->protocolPane()->text(), QStringLiteral("No protocol"));
        QVERIFY(frame->protocolPane()->width() >= CMainFrame::kProtocolPaneWidth);
        QCOMPARE(frame->centralWidget(), static_cast<QWidget*>(frame->view()));

        // No project: only the file commands that make one, the port, the view toggles, the
        // panel type and the about box.
        for (int command :
             {cmd::kNewProject, cmd::kOpen, cmd::kImport, cmd::kPortSelection, cmd::kPanelType,
              cmd::kExit, cmd::kAbout, cmd::kViewToolbar, cmd::kViewStatusBar})
            QVERIFY2(frame->action(command)->isEnabled(), qPrintable(QString::number(command)));
        for (int command : {cmd::kSave, cmd::kSaveAs, cmd::kPlcSelection, cmd::kDownload,
                            cmd::kNewScreen, cmd::kCopyScreen, cmd::kDeleteScreen,
                            cmd::kPanelSettings, cmd::kAlarmList, cmd::kLamp, cmd::kPicture,
                            cmd::kCut, cmd::kCopy, cmd::kPaste, cmd::kScreenProperties})
            QVERIFY2(!frame->action(command)->isEnabled(), qPrintable(QString::number(command)));
        QVERIFY(!frame->deleteComponentAction()->isEnabled());
        QVERIFY(frame->action(cmd::kViewToolbar)->isChecked());
        frame->action(cmd::kViewToolbar)->trigger();
        QVERIFY(frame->toolBar()->isHidden());
        QVERIFY(!frame->action(cmd::kViewToolbar)->isChecked());
        frame->action(cmd::kViewStatusBar)->trigger();
        QVERIFY(frame->statusBar()->isHidden());
        // The panel type does nothing.
        frame->action(cmd::kPanelType)->trigger();
        QVERIFY(prompter.asked.empty());
    }

    void chineseAndEnglishInterface() {
        ProgramFolder folder;
        {
            Application app(optionsFor(folder, false), nullptr);
            QVERIFY(app.initialise());
            QVERIFY(!app.isTranslated());
            CMainFrame* frame = app.mainFrame();
            QCOMPARE(menuTitles(frame), QStringList({"文件(&F)", "编辑(&E)", "查看(&V)", "工具(&T)",
                                                     "部件(&P)", "帮助(&H)"}));
            QCOMPARE(frame->action(cmd::kNewProject)->text(), QStringLiteral("新建工程(&N)"));
            QCOMPARE(frame->action(cmd::kNewProject)->toolTip(),
                     QStringLiteral("新建工程(Ctrl+N)"));
            QCOMPARE(frame->action(cmd::kNewProject)->statusTip(),
                     QStringLiteral("创建新工程文档"));
            QCOMPARE(frame->action(cmd::kDownload)->statusTip(),
                     QStringLiteral("下载画面数据至Orbis"));
            QCOMPARE(frame->action(cmd::kPlcSelection)->text(), QStringLiteral("PLC选择(&P)..."));
            QCOMPARE(frame->deleteComponentAction()->text(), QStringLiteral("删除部件(&P)"));
        }
        {
            Application app(optionsFor(folder, true), nullptr);
            QVERIFY(app.initialise());
            QVERIFY(app.isTranslated());
            CMainFrame* frame = app.mainFrame();
            QCOMPARE(menuTitles(frame),
                     QStringList({"&File", "&Edit", "&View", "&Tools", "&Parts", "&Help"}));
            QCOMPARE(frame->action(cmd::kNewProject)->text(), QStringLiteral("&New Project"));
            QCOMPARE(frame->windowTitle(), QStringLiteral("Untitled[*] - Vanta Screen Editor"));
        }
        // Back to Chinese once the translation is gone.
        Application app(optionsFor(folder, false), nullptr);
        QVERIFY(app.initialise());
        QCOMPARE(app.mainFrame()->action(cmd::kOpen)->text(), QStringLiteral("打开工程(&O)..."));
    }

    void menusAndToolbar() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();

        QList<int> buttons;
        for (QAction* a : frame->toolBar()->actions()) {
            buttons << (a->isSeparator() ? 0 : a->data().toInt());
            if (!a->isSeparator())
                QVERIFY(!a->icon().isNull());
        }
        QCOMPARE(buttons, QList<int>({32771, 57601, 57603, 0,     32773, 57634, 57637, 0,
                                      57664, 0,     32772, 32774, 32777, 32780, 32779, 0,
                                      32790, 32791, 32793, 0,     32781, 32798, 32799, 0,
                                      32792, 32796, 32783, 0,     32800, 32800}));

        const QList<QAction*> menus = frame->menuBar()->actions();
        auto items = [](QAction* menu) {
            QStringList texts;
            for (QAction* a : menu->menu()->actions())
                if (!a->isSeparator() && a->isVisible())
                    texts << a->text();
            return texts;
        };
        QCOMPARE(items(menus.at(0)),
                 QStringList({"新建工程(&N)", "打开工程(&O)...", "保存工程(&S)",
                              "工程另存为(&A)...", "PLC选择(&P)...", "选择通信口(&C)...",
                              "下载数据(&D)", "人机类型(&M)...", "导入旧工程(&L)", "退出(&X)"}));
        QCOMPARE(items(menus.at(1)),
                 QStringList({"撤销(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)",
                              "再制(&D)", "删除(&L)", "全选(&A)", "置于顶层(&F)", "置于底层(&B)"}));
        QCOMPARE(items(menus.at(2)),
                 QStringList({"工具栏(&T)", "状态栏(&S)", "放大显示(&I)", "缩小显示(&O)",
                              "原始大小(&R)", "面板预览(&P)", "问题列表(&L)"}));
        QCOMPARE(items(menus.at(3)),
                 QStringList({"新建画面(&N)", "复制画面(&C)", "删除画面(&D)", "删除部件(&P)",
                              "设置Orbis(&S)", "报警列表(&L)", "仿真运行(&M)"}));
        QCOMPARE(items(menus.at(4)),
                 QStringList({"指示灯(&L)", "功能键(&F)", "文本(&T)", "动态文本(&D)", "寄存器(&R)",
                              "棒状图(&B)", "趋势图(&Q)", "图片(&P)"}));
        QCOMPARE(items(menus.at(5)), QStringList({"关于 Vanta(&A)..."}));

        QCOMPARE(frame->action(cmd::kNewProject)->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(frame->action(cmd::kOpen)->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(frame->action(cmd::kSave)->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(frame->action(cmd::kImport)->shortcut(), QKeySequence("Ctrl+L"));
        // A menu item shows the picture of the toolbar button with its command.
        QVERIFY(frame->action(cmd::kLamp)->isIconVisibleInMenu());
        QVERIFY(frame->action(cmd::kPlcSelection)->icon().isNull());
    }

    void splashGoesAtTheFirstKeyAndSwallowsIt() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        StartupOptions options = optionsFor(folder);
        options.splash = true;
        Application app(options, &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        QPointer<CSplashWnd> splash = frame->splashWindow();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        bool dialogShown = false;
        auto shown = whenModal<QDialog>([&dialogShown](QDialog* d) {
            dialogShown = true;
            d->reject();
        });
        // Ctrl+N as one key press (the shortcut of a new project) only hides the splash.
        QTest::simulateEvent(frame, true, Qt::Key_N, Qt::ControlModifier, QStringLiteral("n"),
                             false);
        QTest::simulateEvent(frame, false, Qt::Key_N, Qt::ControlModifier, QStringLiteral("n"),
                             false);
        QVERIFY(!splash || !splash->isVisible());
        QTest::qWait(100);
        QVERIFY(!dialogShown);
        // Without the splash the same key starts a new project.
        QTest::simulateEvent(frame, true, Qt::Key_N, Qt::ControlModifier, QStringLiteral("n"),
                             false);
        QTRY_VERIFY(dialogShown);
        QTest::simulateEvent(frame, false, Qt::Key_N, Qt::ControlModifier, QStringLiteral("n"),
                             false);
    }

    void splashGoesAtAMousePress() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        StartupOptions options = optionsFor(folder);
        options.splash = true;
        Application app(options, &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        QPointer<CSplashWnd> splash = frame->splashWindow();
        QVERIFY(splash && splash->isVisible());
        // The press would have started a placement on the display; it only hides the splash.
        QTest::mouseClick(frame->view(), Qt::LeftButton, {}, QPoint(300, 60));
        QVERIFY(!splash || !splash->isVisible());
    }

    void splashGoesByItself() {
        ProgramFolder folder;
        StartupOptions options = optionsFor(folder);
        options.splash = true;
        ScriptedPrompter prompter;
        Application app(options, &prompter);
        QVERIFY(app.initialise());
        QPointer<CSplashWnd> splash = app.mainFrame()->splashWindow();
        QVERIFY(splash && splash->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!splash || !splash->isVisible(), 5000);
    }

    void newProjectSaveAndReopen() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();

        QVERIFY(newProject(frame, 2));
        Project& project = frame->project();
        QCOMPARE(project.protocol(), uint8_t(2));
        QCOMPARE(project.screens.size(), size_t(1));
        QCOMPARE(project.comm.e5Timeout, uint16_t(10000));
        QCOMPARE(frame->windowTitle(), QStringLiteral("无标题[*] - Vanta画面设置工具"));
        QCOMPARE(frame->protocolPane()->text(), QStringLiteral("Siemens (S7-200).1"));
        QCOMPARE(int(folder.read("In.dat").at(0)), 1);
        for (int command : {cmd::kSave, cmd::kSaveAs, cmd::kPlcSelection, cmd::kDownload,
                            cmd::kNewScreen, cmd::kPanelSettings, cmd::kLamp, cmd::kPicture})
            QVERIFY2(frame->action(command)->isEnabled(), qPrintable(QString::number(command)));
        QVERIFY(!frame->action(cmd::kCut)->isEnabled());

        // A placement command is checked while its placement is armed.
        frame->action(cmd::kLamp)->trigger();
        QCOMPARE(frame->view()->pendingKind(), uint8_t(3));
        QVERIFY(frame->action(cmd::kLamp)->isChecked());
        frame->action(cmd::kText)->trigger();
        QVERIFY(!frame->action(cmd::kLamp)->isChecked());
        QVERIFY(frame->action(cmd::kText)->isChecked());
        frame->action(cmd::kText)->trigger();
        QVERIFY(!frame->action(cmd::kText)->isChecked());
        QCOMPARE(frame->view()->pendingKind(), uint8_t(0));

        // Panel settings: Cancel keeps, OK stores and marks the project modified.
        whenModal<PanelSettingsDialog>([](PanelSettingsDialog* d) { d->reject(); });
        frame->action(cmd::kPanelSettings)->trigger();
        QVERIFY(!frame->doc().document().isModified());
        whenModal<PanelSettingsDialog>([](PanelSettingsDialog* d) {
            d->saverDelayBox()->setCurrentIndex(5);
            d->accept();
        });
        frame->action(cmd::kPanelSettings)->trigger();
        QVERIFY(frame->doc().document().isModified());
        QCOMPARE(project.panel.saverDelayIndex, uint8_t(5));

        // Save asks for a name (no path yet), then the title is the path.
        const QString path = folder.file("first.osp");
        answerFileDialog(path);
        frame->action(cmd::kSave)->trigger();
        QVERIFY(QFile::exists(path));
        QVERIFY(!frame->doc().document().isModified());
        QCOMPARE(frame->windowTitle(), path + QStringLiteral("[*] - Vanta画面设置工具"));
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.left(8), QByteArray("\x08Ostra\x0C\x01", 8));
        QCOMPARE(bytes, saved(project));
        QCOMPARE(frame->recentFiles(), QStringList({path}));

        // A new project, then the saved file opened again: the same bytes.
        QVERIFY(newProject(frame, 8));
        QVERIFY(frame->windowTitle().startsWith(QStringLiteral("无标题")));
        answerFileDialog(path);
        frame->action(cmd::kOpen)->trigger();
        QCOMPARE(frame->windowTitle(), path + QStringLiteral("[*] - Vanta画面设置工具"));
        QCOMPARE(project.protocol(), uint8_t(2));
        QCOMPARE(saved(project), bytes);
        QCOMPARE(frame->protocolPane()->text(), QStringLiteral("Siemens (S7-200).1"));

        // Save as under another name: the same bytes again, both in the recent list.
        const QString copy = folder.file("second.osp");
        answerFileDialog(copy);
        frame->action(cmd::kSaveAs)->trigger();
        QCOMPARE(readFile(copy), bytes);
        QCOMPARE(frame->recentFiles(), QStringList({copy, path}));
        QVERIFY(prompter.asked.empty());
    }

    void closingAsksToSaveChanges() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        QVERIFY(newProject(frame, 1));
        frame->doc().document().setModified(true);

        prompter.answers = {Answer::Cancel};
        frame->action(cmd::kExit)->trigger();
        QCOMPARE(prompter.asked.back(), std::string("Save changes to 无标题 project?"));
        QVERIFY(frame->isVisible());

        // Dropping a file asks the same question first; Cancel keeps the project.
        const QString other = folder.file("other.osp");
        {
            QFile f(other);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(saved(frame->project()));
        }
        prompter.answers = {Answer::Cancel};
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(other)});
        auto drop = [frame, &mime] {
            QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(frame, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton,
                               Qt::NoModifier);
            QApplication::sendEvent(frame, &dropped);
        };
        drop();
        QCOMPARE(prompter.asked.size(), size_t(2));
        QVERIFY(frame->doc().document().path().empty());
        // No: the dropped file is opened.
        prompter.answers = {Answer::No};
        drop();
        QCOMPARE(QString::fromStdString(frame->doc().document().path()), other);

        frame->doc().document().setModified(true);
        prompter.answers = {Answer::No};
        frame->action(cmd::kExit)->trigger();
        QVERIFY(!frame->isVisible());
    }

    void commandLineAndRecentFiles() {
        ProgramFolder folder;
        const QString wrong = folder.file("wrong.osp");
        {
            QFile f(wrong);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\x08Ostrb\x0C\x01 and more", 18);
        }
        ScriptedPrompter prompter;
        StartupOptions options = optionsFor(folder);
        options.file = wrong;
        Application app(options, &prompter);
        QVERIFY(app.initialise());
        QCOMPARE(prompter.asked, std::vector<std::string>({"Is it a correct file?"}));
        QCOMPARE(prompter.captions.back(), std::string("File type error!"));
        CMainFrame* frame = app.mainFrame();
        QVERIFY(frame->isVisible());
        QVERIFY(!frame->project().isOpen);

        // A sample opened from the command line goes into the recent-file list; a file that
        // is gone leaves it.
        const QString demo = folder.file("demo.osp");
        QVERIFY(QFile::copy(QStringLiteral(VANTA_SOURCE_DIR "/data/samples/demo.osp"), demo));
        QVERIFY(frame->openDocumentFile(demo));
        QCOMPARE(frame->recentFiles(), QStringList({demo}));
        auto* recent = frame->findChild<QAction*>(QStringLiteral("recentFile1"));
        QVERIFY(recent && recent->isVisible());
        QVERIFY(recent->text().endsWith(demo));
        QVERIFY(QFile::remove(demo));
        recent->trigger();
        QVERIFY(frame->recentFiles().isEmpty());
        QVERIFY(!recent->isVisible());
    }

    void damagedFileLeavesNoProject() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        const QString good = folder.file("good.osp");
        QVERIFY(QFile::copy(QStringLiteral(VANTA_SOURCE_DIR "/data/samples/demo.osp"), good));
        QVERIFY(frame->openDocumentFile(good));
        const QByteArray original = readFile(good);

        const QString cut = folder.file("cut.osp");
        {
            QFile f(cut);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(original.left(original.size() / 2));
        }
        QVERIFY(!frame->openDocumentFile(cut));
        QVERIFY(!prompter.asked.empty());
        QVERIFY(!frame->project().isOpen);
        QVERIFY(!frame->action(cmd::kSave)->isEnabled());
        QVERIFY(frame->windowTitle().startsWith(QStringLiteral("无标题")));
        QCOMPARE(frame->protocolPane()->text(), QStringLiteral("No protocol"));
        QCOMPARE(readFile(good), original);
    }

    void importOldProject() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        const QString old = folder.file("old.grx");
        QVERIFY(QFile::copy(QStringLiteral(VANTA_SOURCE_DIR "/data/samples/old.grx"), old));

        // Cancel in the import dialog: nothing happens.
        whenModal<ImportDialog>([](ImportDialog* d) { d->reject(); });
        QVERIFY(!frame->doc().importPath(old));
        QVERIFY(!QFile::exists(folder.file("old.osp")));

        answerFileDialog(old);
        int barAtStart = -1;
        whenModal<ImportDialog>([&barAtStart](ImportDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("导入旧的工程文件"));
            barAtStart = d->progressBar()->value();
            QCOMPARE(d->progressBar()->maximum(), 10000);
            QTest::mouseClick(d->startButton(), Qt::LeftButton);
        });
        frame->action(cmd::kImport)->trigger();
        QCOMPARE(barAtStart, 0);
        const QString converted = folder.file("old.osp");
        QVERIFY(prompter.wasAsked("conversion accomplished!\nThe project was written to " +
                                  converted.toStdString()));
        QVERIFY(QFile::exists(converted));
        QVERIFY(frame->project().isOpen);
        QCOMPARE(frame->windowTitle(), converted + QStringLiteral("[*] - Vanta画面设置工具"));
        QVERIFY(!frame->project().screens.empty());
        QVERIFY(!frame->doc().document().isModified());
    }

    void importAsksBeforeReplacingAndRefusesADamagedFile() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        const QString old = folder.file("old.grx");
        QVERIFY(QFile::copy(QStringLiteral(VANTA_SOURCE_DIR "/data/samples/old.grx"), old));
        const QString converted = folder.file("old.osp");
        {
            QFile existing(converted);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            existing.write("mine");
        }
        auto start = [] {
            whenModal<ImportDialog>(
                [](ImportDialog* d) { QTest::mouseClick(d->startButton(), Qt::LeftButton); });
        };

        // No to the question: the file stays, nothing is opened.
        prompter.answers = {Answer::No};
        start();
        QVERIFY(!frame->doc().importPath(old));
        QVERIFY(prompter.wasAsked(converted.toStdString() +
                                  " already exists. Do you want to replace it?"));
        QCOMPARE(folder.read("old.osp"), QByteArray("mine"));
        QVERIFY(!frame->project().isOpen);

        // A damaged picture in the old file: named, nothing written, nothing asked.
        QFile damaged(old);
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        QVERIFY(damaged.seek(648));
        damaged.write("\xFE", 1);
        damaged.close();
        prompter.asked.clear();
        start();
        QVERIFY(!frame->doc().importPath(old));
        QCOMPARE(prompter.asked.size(), size_t(1));
        QVERIFY(prompter.asked[0].starts_with(
            "The old project file is damaged: screen 2, component 4 (Picture at byte offset 588)"));
        QCOMPARE(folder.read("old.osp"), QByteArray("mine"));
        QVERIFY(!frame->project().isOpen);
    }

    void savingAReadOnlyFileOffersAnotherName() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        QVERIFY(newProject(frame, 1));
        const QString path = folder.file("plant.osp");
        answerFileDialog(path);
        frame->action(cmd::kSave)->trigger();
        QVERIFY(QFile::exists(path));
        const QByteArray before = folder.read("plant.osp");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));

        // No: nothing is written and the project stays modified.
        frame->doc().document().setModified(true);
        prompter.answers = {Answer::No};
        frame->action(cmd::kSave)->trigger();
        QVERIFY(prompter.wasAsked(path.toStdString() +
                                  " is read-only. Do you want to save the project under another "
                                  "name?"));
        QVERIFY(frame->doc().document().isModified());

        // Yes: the file dialog, and the project saved under the new name.
        const QString other = folder.file("plant-copy.osp");
        prompter.answers = {Answer::Yes};
        answerFileDialog(other);
        frame->action(cmd::kSave)->trigger();
        QVERIFY(QFile::exists(other));
        QVERIFY(!frame->doc().document().isModified());
        QCOMPARE(frame->windowTitle(), other + QStringLiteral("[*] - Vanta画面设置工具"));
        QCOMPARE(folder.read("plant.osp"), before);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void portSelectionRewritesTheSelectionFile() {
        ProgramFolder folder;
        ScriptedPrompter prompter;
        Application app(optionsFor(folder), &prompter);
        QVERIFY(app.initialise());
        CMainFrame* frame = app.mainFrame();
        whenModal<PortDialog>([](PortDialog* d) {
            d->portBox()->setCurrentIndex(2);
            d->accept();
        });
        frame->action(cmd::kPortSelection)->trigger();
        QCOMPARE(folder.read("In.dat"), QByteArray("\x00\x02", 2));
        QCOMPARE(frame->downloadPortName(), QStringLiteral("COM3"));
        // Cancel keeps the port.
        whenModal<PortDialog>([](PortDialog* d) {
            d->portBox()->setCurrentIndex(5);
            d->reject();
        });
        frame->action(cmd::kPortSelection)->trigger();
        QCOMPARE(frame->downloadPortName(), QStringLiteral("COM3"));
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(TstFrame)
#include "tst_frame.moc"
