// The editor's safety net, driven through the real main window: every kind of edit undone back to
// the bytes of the file opened and redone to the bytes of the edited project; typing merged into
// one step; the modified flag and the title's marker following the history; cut, copy, paste and
// duplicate through the system clipboard, also into a project of another protocol; multi-select,
// nudge at the display's edge, Alt+click to a covered component, the context menu; and the PLC
// selection that opens on the project's own protocol.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QUndoStack>
#include <QtTest>

#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CVantaDoc.h"
#include "app/CommandIds.h"
#include "dialogs/AlarmListDialog.h"
#include "dialogs/PanelSettingsDialog.h"
#include "dialogs/PlcDialog.h"
#include "dialogs/ScreenDialogs.h"
#include "editor/CVantaView.h"
#include "editor/ComponentClipboard.h"
#include "editor/ScreenPage.h"
#include "model/CBase.h"
#include "model/CMainView.h"
#include "pages/PropertyPage.h"
#include "project/Project.h"
#include "protocols/ProtocolNames.h"
#include "widgets/CNumSpinCtrl.h"

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

QByteArray bytesOf(const Project& project) {
    const Bytes bytes = project.save();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString protocolName(uint8_t protocol) {
    return QString::fromUtf8(std::string(protocolNameEnglish(protocol)).c_str());
}

// The program with the demo project opened from a copy in its folder.
struct Program {
    ProgramFolder folder;
    ScriptedPrompter prompter;
    Application app{optionsFor(folder), &prompter};
    CMainFrame* frame = nullptr;
    QString path;

    bool start() {
        if (!app.initialise())
            return false;
        frame = app.mainFrame();
        // The keys go to the focused field of the active window.
        QApplication::setActiveWindow(frame);
        if (!QTest::qWaitForWindowActive(frame))
            return false;
        path = folder.file("demo.osp");
        return QFile::copy(kDemo, path) && frame->openDocumentFile(path);
    }
    CVantaView* view() const { return frame->view(); }
    Project& project() const { return frame->project(); }
    CMainView& screen() const { return *project().screens.current(); }
    QUndoStack* history() const { return view()->undoStack(); }
    QWidget* display() const { return view()->displayWidget(); }
    void trigger(int command) const { frame->action(command)->trigger(); }

    static QPoint centre(const CBase& c) {
        return QPoint((c.m_rect.left + c.m_rect.right) / 2, (c.m_rect.top + c.m_rect.bottom) / 2);
    }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::mouseClick(display(), Qt::LeftButton, modifiers, at);
    }
    void click(const CBase& c, Qt::KeyboardModifiers modifiers = {}) const {
        click(centre(c), modifiers);
    }
    void drag(QPoint from, QPoint to) const {
        QTest::mousePress(display(), Qt::LeftButton, {}, from);
        QTest::mouseMove(display(), (from + to) / 2);
        QTest::mouseMove(display(), to);
        QTest::mouseRelease(display(), Qt::LeftButton, {}, to);
    }
    // Arms a placement command and clicks at a point of the display.
    CBase* place(int command, QPoint at) const {
        trigger(command);
        QTest::mouseMove(display(), at + QPoint(1, 1));
        QTest::mouseMove(display(), at);
        click(at);
        return screen().head();
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    void undoAll() const {
        while (frame->action(cmd::kUndo)->isEnabled())
            trigger(cmd::kUndo);
    }
    void redoAll() const {
        while (frame->action(cmd::kRedo)->isEnabled())
            trigger(cmd::kRedo);
    }
    // An empty place of the display, where a click selects nothing.
    QPoint emptyPlace() const {
        for (int y = 2; y < 144; y += 4)
            for (int x = 2; x < 432; x += 4) {
                bool covered = false;
                for (const auto& c : screen().components())
                    covered = covered || c->HitTest({x, y});
                if (!covered)
                    return {x, y};
            }
        return {};
    }
};

QString writeBitmap(const QString& folder) {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int i = 0; i < 8; ++i)
        image.setPixel(i, i, qRgb(0, 0, 0));
    const QString path = folder + QStringLiteral("/pic.bmp");
    image.save(path);
    return path;
}

}  // namespace

class TestUndo : public QObject {
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

    void everyEditUndoesToTheOpenedBytesAndRedoesToTheEdited();
    void typingMergesAndTheModifiedFlagFollowsTheHistory();
    void clipboardWithinAndAcrossProtocols();
    void selectionNudgeAndStacking();
    void plcSelectionOpensOnTheProjectsOwnSettings();

  private:
    QTemporaryDir settingsDir_;
};

void TestUndo::everyEditUndoesToTheOpenedBytesAndRedoesToTheEdited() {
    Program p;
    QVERIFY(p.start());
    const QByteArray original = readFile(p.path);
    QCOMPARE(bytesOf(p.project()), original);
    QCOMPARE(p.history()->count(), 0);

    // Components: placed, dragged, nudged, typed into, deleted, copied and pasted, duplicated,
    // restacked, and a picture placed.
    CBase* lamp = p.place(cmd::kLamp, QPoint(300, 100));
    QCOMPARE(int(lamp->m_kind), int(kKindLight));
    p.drag(Program::centre(*lamp), Program::centre(*lamp) + QPoint(-30, -20));
    p.key(Qt::Key_Right);
    p.key(Qt::Key_Right);
    p.key(Qt::Key_Down, Qt::ShiftModifier);
    CBase* text = nullptr;
    for (const auto& c : p.screen().components())
        if (c->m_kind == kKindChars && text == nullptr)
            text = c.get();
    QVERIFY(text);
    p.click(*text);
    auto* page = qobject_cast<PropertyPage*>(p.view()->shownPage());
    QVERIFY(page);
    page->focusTextField();
    QTest::keyClicks(QApplication::focusWidget(), "OK");
    p.click(*lamp);
    p.trigger(cmd::kCopy);
    p.trigger(cmd::kDelete);
    p.trigger(cmd::kPaste);
    p.trigger(cmd::kDuplicate);
    p.trigger(cmd::kSendToBack);
    p.trigger(cmd::kBringToFront);
    QTemporaryDir pictures;
    QVERIFY(p.view()->placePictureFile(writeBitmap(pictures.path())));
    p.click(QPoint(20, 20));

    // Screens: the description typed, a new screen, a copy and a deletion.
    p.view()->clearSelection();
    auto* description = p.view()->findChild<ScreenPage*>()->descriptionEdit();
    description->setFocus();
    QTest::keyClicks(description, " 2");
    whenModal<NewScreenDialog>([](NewScreenDialog* d) {
        d->numberSpin()->setPosition(50);
        d->accept();
    });
    p.trigger(cmd::kNewScreen);
    QCOMPARE(p.screen().m_number, uint16_t(50));
    whenModal<CopyScreenDialog>([](CopyScreenDialog* d) {
        d->targetSpin()->setPosition(60);
        d->accept();
    });
    p.trigger(cmd::kCopyScreen);
    p.prompter.answers = {Answer::Ok};
    p.trigger(cmd::kDeleteScreen);

    // The main frame's dialogs: panel settings, alarm list, PLC selection.
    whenModal<PanelSettingsDialog>([](PanelSettingsDialog* d) {
        d->saverDelayBox()->setCurrentIndex(1);
        d->accept();
    });
    p.trigger(cmd::kPanelSettings);
    whenModal<AlarmListDialog>([](AlarmListDialog* d) {
        d->editRow(1);
        QTest::keyClicks(d->controls().editor, "Oil low");
        d->accept();
    });
    p.trigger(cmd::kAlarmList);
    whenModal<PlcDialog>([](PlcDialog* d) {
        d->protocolBox()->setCurrentIndex(d->protocolBox()->findText(protocolName(2)));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    p.trigger(cmd::kPlcSelection);
    QCOMPARE(p.project().protocol(), uint8_t(2));

    const QStringList expected = {
        "放置指示灯",         "移动指示灯", "移动指示灯",    "修改",
        "删除指示灯",         "粘贴指示灯", "再制指示灯",    "将指示灯置于底层",
        "将指示灯置于顶层",   "放置图片",   "修改",          "新建画面50",
        "复制画面50到画面60", "删除画面60", "修改Orbis设置", "修改报警列表",
        "修改PLC选择"};
    QCOMPARE(p.history()->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(p.history()->text(i).startsWith(expected[i]), qPrintable(p.history()->text(i)));
    const QByteArray edited = bytesOf(p.project());
    QVERIFY(edited != original);
    QVERIFY(p.frame->isWindowModified());

    // Undo all: the bytes of the file opened, and the document is no longer modified.
    p.undoAll();
    QCOMPARE(bytesOf(p.project()), original);
    QVERIFY(!p.frame->doc().document().isModified());
    QVERIFY(!p.frame->isWindowModified());
    QCOMPARE(p.project().protocol(), uint8_t(4));
    QCOMPARE(p.frame->protocolPane()->text().left(protocolName(4).size()), protocolName(4));

    // Redo all: the edited project again, saved byte for byte.
    p.redoAll();
    QCOMPARE(bytesOf(p.project()), edited);
    p.trigger(cmd::kSave);
    QCOMPARE(readFile(p.path), edited);
    QVERIFY(!p.frame->isWindowModified());

    // Opening a file clears the history.
    QVERIFY(p.frame->openDocumentFile(p.path));
    QCOMPARE(p.history()->count(), 0);
    QVERIFY(!p.frame->action(cmd::kUndo)->isEnabled());
}

void TestUndo::typingMergesAndTheModifiedFlagFollowsTheHistory() {
    Program p;
    QVERIFY(p.start());
    const QByteArray original = readFile(p.path);
    CBase* text = nullptr;
    for (const auto& c : p.screen().components())
        if (c->m_kind == kKindChars && text == nullptr)
            text = c.get();
    QVERIFY(text);
    p.click(*text);
    auto* page = qobject_cast<PropertyPage*>(p.view()->shownPage());
    QVERIFY(page);
    page->focusTextField();
    QWidget* field = QApplication::focusWidget();
    QTest::keyClicks(field, "abc");
    // Three keys, one step, named after the field; Undo names it too.
    QCOMPARE(p.history()->count(), 1);
    QVERIFY(p.history()->undoText().startsWith("修改"));
    QCOMPARE(p.frame->action(cmd::kUndo)->text(),
             QStringLiteral("撤销%1(&U)").arg(p.history()->undoText()));
    QVERIFY(p.frame->isWindowModified());
    QVERIFY(p.frame->windowTitle().contains("[*]"));

    // Another field is another step; the first field again after it is a third.
    QWidget* other = field->nextInFocusChain();
    while (other != field && !qobject_cast<QLineEdit*>(other))
        other = other->nextInFocusChain();
    if (other != field) {
        other->setFocus();
        QTest::keyClicks(other, "1");
        field->setFocus();
        QTest::keyClicks(field, "d");
        QVERIFY(p.history()->count() >= 2);
    }

    // Ctrl+Z in the field undoes the editor's step, not the field's own typing: the whole run
    // of keys goes at once and the page shows the text again.
    const int steps = p.history()->count();
    p.undoAll();
    QCOMPARE(p.history()->index(), 0);
    QCOMPARE(bytesOf(p.project()), original);
    QVERIFY(!p.frame->isWindowModified());

    // Save marks the clean state: after an edit and a save, undo makes it modified, redo clean.
    p.redoAll();
    QCOMPARE(p.history()->index(), steps);
    p.trigger(cmd::kSave);
    QVERIFY(!p.frame->isWindowModified());
    QVERIFY(!p.frame->doc().document().isModified());
    p.trigger(cmd::kUndo);
    QVERIFY(p.frame->isWindowModified());
    QVERIFY(p.frame->doc().document().isModified());
    p.trigger(cmd::kRedo);
    QVERIFY(!p.frame->isWindowModified());
    QVERIFY(!p.frame->doc().document().isModified());
    // The keys: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z.
    QCOMPARE(p.frame->action(cmd::kUndo)->shortcuts().value(0),
             QKeySequence::keyBindings(QKeySequence::Undo).value(0));
    QVERIFY(p.frame->action(cmd::kRedo)->shortcuts().contains(QKeySequence("Ctrl+Y")));
    QVERIFY(p.frame->action(cmd::kRedo)->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
}

void TestUndo::clipboardWithinAndAcrossProtocols() {
    Program p;
    QVERIFY(p.start());
    // A register of the demo (protocol 4) on the clipboard: the editor's type and the same JSON as
    // text, naming the protocol.
    CBase* reg = nullptr;
    for (const auto& c : p.screen().components())
        if (c->m_kind == kKindRegister && reg == nullptr)
            reg = c.get();
    QVERIFY(reg);
    p.click(*reg);
    p.trigger(cmd::kCopy);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime && mime->hasFormat(componentMimeType()));
    QCOMPARE(QString::fromUtf8(mime->data(componentMimeType())), mime->text());
    const QJsonObject json = QJsonDocument::fromJson(mime->data(componentMimeType())).object();
    QCOMPARE(json["header"].toObject()["protocol"].toInt(), 4);
    const QString copied = mime->text();
    QVERIFY(p.frame->action(cmd::kPaste)->isEnabled());

    // Pasted on the same screen: offset by 8 panel pixels, on top, selected, one step each time.
    const int count = int(p.screen().components().size());
    p.trigger(cmd::kPaste);
    CBase* pasted = p.screen().head();
    QCOMPARE(int(p.screen().components().size()), count + 1);
    QCOMPARE(pasted->m_x, reg->m_x + 8);
    QCOMPARE(pasted->m_y, reg->m_y + 8);
    QCOMPARE(p.view()->selection(), std::vector<CBase*>{pasted});
    // Pasted where the display ends: it stays inside.
    for (int i = 0; i < 20; ++i)
        p.trigger(cmd::kPaste);
    for (const auto& c : p.screen().components())
        QVERIFY(c->IsInsideDisplay());

    // Cut takes it away as one step and keeps it for a paste on another screen.
    p.click(*reg);
    const QByteArray beforeCut = bytesOf(p.project());
    p.trigger(cmd::kCut);
    QCOMPARE(int(p.screen().components().size()), count + 20);
    p.view()->screenListControl()->selectRow(1);
    QCOMPARE(p.project().screens.currentPosition(), size_t(1));
    p.trigger(cmd::kPaste);
    QCOMPARE(int(p.screen().head()->m_kind), int(kKindRegister));
    p.trigger(cmd::kUndo);
    p.trigger(cmd::kUndo);
    QCOMPARE(bytesOf(p.project()), beforeCut);

    // Into a project of protocol 31 (plain JSON text, as from a text editor or another editor):
    // what protocol 31 refuses gets the placing defaults, and the message names it.
    auto* plain = new QMimeData;
    plain->setText(copied);
    QGuiApplication::clipboard()->setMimeData(plain);
    whenModal<PlcDialog>([](PlcDialog* d) {
        d->protocolBox()->setCurrentIndex(d->protocolBox()->findText(protocolName(31)));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    p.prompter.answers = {Answer::No};  // the pastes are not saved
    p.trigger(cmd::kNewProject);
    QCOMPARE(p.project().protocol(), uint8_t(31));
    QVERIFY(p.frame->action(cmd::kPaste)->isEnabled());
    p.prompter.asked.clear();
    p.trigger(cmd::kPaste);
    QCOMPARE(p.screen().components().size(), size_t(1));
    QCOMPARE(p.prompter.asked.size(), size_t(1));
    const QString told = QString::fromStdString(p.prompter.asked[0]);
    const CBase* moved = p.screen().head();
    // The editor runs in Chinese here: the component and the fields are named in Chinese too.
    const QString line =
        QStringLiteral("\n寄存器 (%1, %2)：寄存器类型、地址、位号").arg(moved->m_x).arg(moved->m_y);
    QVERIFY2(told.endsWith(line), qPrintable(told));
    QVERIFY2(told.contains(protocolName(4)) && told.contains(protocolName(31)), qPrintable(told));
    // Undone, the new project is as it was made.
    p.trigger(cmd::kUndo);
    QVERIFY(p.screen().components().empty());

    // Text that is not JSON is not offered for pasting.
    QGuiApplication::clipboard()->setText("hello");
    QVERIFY(!p.frame->action(cmd::kPaste)->isEnabled());
}

void TestUndo::selectionNudgeAndStacking() {
    Program p;
    QVERIFY(p.start());
    p.view()->screenListControl()->selectRow(0);
    CMainView& screen = p.screen();
    QVERIFY(screen.components().size() >= 3);

    // A band from an empty place selects what it touches; Ctrl+click removes one and adds it.
    const QPoint start = p.emptyPlace();
    QTest::mousePress(p.display(), Qt::LeftButton, {}, start);
    QTest::mouseMove(p.display(), QPoint(431, 143));
    QTest::mouseRelease(p.display(), Qt::LeftButton, {}, QPoint(431, 143));
    std::vector<CBase*> touched;
    const Rect band{start.x(), start.y(), 431, 143};
    for (const auto& c : screen.components())
        if (c->m_rect.left <= band.right && band.left < c->m_rect.right &&
            c->m_rect.top <= band.bottom && band.top < c->m_rect.bottom)
            touched.push_back(c.get());
    QVERIFY(touched.size() >= 2);
    QCOMPARE(p.view()->selection(), touched);
    // Several selected: the screen's page, not a component's.
    QCOMPARE(p.view()->shownPage(), static_cast<QWidget*>(p.view()->findChild<ScreenPage*>()));
    p.click(*touched[0], Qt::ControlModifier);
    QCOMPARE(p.view()->selection().size(), touched.size() - 1);
    p.click(*touched[0], Qt::ControlModifier);
    QCOMPARE(p.view()->selection(), touched);

    // Ctrl+A selects all, Escape none; Delete of several is one step.
    p.display()->setFocus();
    p.trigger(cmd::kSelectAll);
    QCOMPARE(p.view()->selection().size(), screen.components().size());
    QTest::keyClick(p.display(), Qt::Key_Escape);
    QVERIFY(!p.view()->hasSelection());
    const QByteArray before = bytesOf(p.project());
    p.click(*touched[0]);
    // Selecting shows a page and changes nothing, whatever the page's controls accept.
    QCOMPARE(bytesOf(p.project()), before);
    p.click(*touched[1], Qt::ShiftModifier);
    QTest::keyClick(p.display(), Qt::Key_Delete);
    QCOMPARE(p.history()->count(), 1);
    QVERIFY(p.history()->undoText().startsWith("删除2个部件"));
    p.trigger(cmd::kUndo);
    QCOMPARE(bytesOf(p.project()), before);
    // The undo shows what it changed: both selected again.
    QCOMPARE(p.view()->selection().size(), size_t(2));

    // Nudge: one panel pixel, eight with Shift, stopped at the display's edge; one run of
    // presses is one step.
    CBase* lamp = p.place(cmd::kLamp, QPoint(40, 40));
    p.display()->setFocus();
    const int steps = p.history()->count();
    const int x = lamp->m_x;
    QTest::keyClick(p.display(), Qt::Key_Right);
    QCOMPARE(lamp->m_x, x + 1);
    QTest::keyClick(p.display(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(lamp->m_x, x + 9);
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(p.display(), Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(lamp->m_x, 0);
    QVERIFY(lamp->IsInsideDisplay());
    QCOMPARE(p.history()->count(), steps + 1);
    // Undone, the lamp is made again from its record where it was.
    p.trigger(cmd::kUndo);
    QCOMPARE(p.screen().head()->m_x, x);
    // With the screen list focused and nothing selected the arrows change screens.
    p.view()->clearSelection();
    p.view()->screenListControl()->setFocus();
    QTest::keyClick(p.view()->screenListControl(), Qt::Key_Down);
    QCOMPARE(p.project().screens.currentPosition(), size_t(1));
    QTest::keyClick(p.view()->screenListControl(), Qt::Key_Up);
    QCOMPARE(p.project().screens.currentPosition(), size_t(0));

    // Alt+click reaches a component covered by another: the lamp sent to the back under a copy.
    CBase* under = p.screen().head();  // the lamp
    p.click(*under);
    p.trigger(cmd::kDuplicate);
    CBase* over = p.screen().head();
    p.drag(Program::centre(*over), Program::centre(*under));
    QCOMPARE(over->m_rect, under->m_rect);
    p.click(*over);
    QCOMPARE(p.view()->selection(), std::vector<CBase*>{over});
    p.click(Program::centre(*over), Qt::AltModifier);
    QCOMPARE(p.view()->selection(), std::vector<CBase*>{under});
    // Bring to front changes the stored order, as one step.
    p.trigger(cmd::kBringToFront);
    QCOMPARE(p.screen().head(), under);
    p.trigger(cmd::kUndo);
    QCOMPARE(p.view()->selectionIndexes(), std::vector<size_t>{1});

    // The context menu on a component offers the commands on it.
    QStringList entries;
    QTimer::singleShot(50, [&entries] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions())
                if (!a->isSeparator())
                    entries << a->text();
            menu->close();
        }
    });
    const QPoint at = Program::centre(*p.screen().head());
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, p.display()->mapToGlobal(at));
    QApplication::sendEvent(p.display(), &event);
    QCOMPARE(entries, (QStringList{"剪切(&T)", "复制(&C)", "粘贴(&P)", "再制(&D)", "删除(&L)",
                                   "置于顶层(&F)", "置于底层(&B)", "属性(&O)"}));
}

void TestUndo::plcSelectionOpensOnTheProjectsOwnSettings() {
    Program p;
    QVERIFY(p.app.initialise());
    p.frame = p.app.mainFrame();
    // "In.dat" remembers protocol 2 from a new project; the demo is protocol 4 at 19200 baud
    // and even parity.
    whenModal<PlcDialog>([](PlcDialog* d) {
        d->protocolBox()->setCurrentIndex(d->protocolBox()->findText(protocolName(2)));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    p.trigger(cmd::kNewProject);
    QCOMPARE(p.project().protocol(), uint8_t(2));
    p.path = p.folder.file("demo.osp");
    QVERIFY(QFile::copy(kDemo, p.path));
    QVERIFY(p.frame->openDocumentFile(p.path));
    const QByteArray original = bytesOf(p.project());
    const CommSettings comm = p.project().comm;

    QString shownProtocol;
    int shownBaud = -1, shownParity = -1;
    whenModal<PlcDialog>([&](PlcDialog* d) {
        shownProtocol = d->protocolBox()->currentText();
        shownBaud = d->baudBox()->currentIndex();
        shownParity = d->parityBox()->currentIndex();
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    p.trigger(cmd::kPlcSelection);
    QCOMPARE(shownProtocol, protocolName(4));
    QCOMPARE(shownBaud, int(comm.baudIndex));
    QCOMPARE(shownParity, int(comm.parityIndex));
    // OK with nothing changed changes nothing.
    QCOMPARE(bytesOf(p.project()), original);
    QCOMPARE(p.history()->count(), 0);
    QVERIFY(!p.frame->isWindowModified());

    // A changed baud rate is one step, undone to the same bytes.
    whenModal<PlcDialog>([](PlcDialog* d) {
        d->baudBox()->setCurrentIndex(d->baudBox()->currentIndex() == 0 ? 1 : 0);
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    p.trigger(cmd::kPlcSelection);
    QCOMPARE(p.history()->count(), 1);
    QVERIFY(bytesOf(p.project()) != original);
    p.trigger(cmd::kUndo);
    QCOMPARE(bytesOf(p.project()), original);
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
