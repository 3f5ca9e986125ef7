// The alarm-list dialog with real widgets: appending and clearing texts in the grid, Enter moving
// the in-place editor, the text limit, the start-coil controls and coil labels per protocol, the
// bit offset cutting the list at the end of the start register, OK and Cancel, and the command
// in the main frame.

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CVantaDoc.h"
#include "app/CommandIds.h"
#include "dialogs/AlarmListDialog.h"
#include "dialogs/PlcDialog.h"
#include "project/Project.h"
#include "protocols/ProtocolNames.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

using namespace vanta;

namespace {

std::unique_ptr<Project> makeProject(uint8_t protocol, std::vector<ByteString> texts = {}) {
    auto project = std::make_unique<Project>(nullptr, protocol);
    project->resetToNew(protocol);
    project->alarms.m_texts = std::move(texts);
    return project;
}

struct Fixture {
    explicit Fixture(uint8_t protocol, std::vector<ByteString> texts = {})
        : project(makeProject(protocol, std::move(texts))),
          dialog(std::make_unique<AlarmListDialog>(*project)) {
        dialog->show();
    }
    const AlarmListDialog::Controls& c() const { return dialog->controls(); }
    CAlarmList& list() const { return project->alarms; }
    int rows() const { return c().grid->rowCount(); }

    // A click on a row of the grid (1 = first text), then the text typed over the editor's.
    void click(int row) {
        QTableWidget* grid = c().grid;
        QTableWidgetItem* item = grid->item(row - 1, 1);
        grid->scrollToItem(item);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(item).center());
    }
    void type(int row, const QString& text) {
        click(row);
        c().editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(c().editor, Qt::Key_Backspace);
        else
            QTest::keyClicks(c().editor, text);
    }
    void enter() { QTest::keyClick(c().editor, Qt::Key_Return); }

    std::unique_ptr<Project> project;
    std::unique_ptr<AlarmListDialog> dialog;
};

std::vector<ByteString> numbered(int count) {
    std::vector<ByteString> texts;
    for (int i = 1; i <= count; ++i)
        texts.push_back("alarm " + std::to_string(i));
    return texts;
}

// Runs `action` on the dialog that opens next, once it is on screen.
void onNextDialog(std::function<void(AlarmListDialog&)> action) {
    QTimer::singleShot(0, [action] {
        if (auto* dialog = qobject_cast<AlarmListDialog*>(QApplication::activeModalWidget()))
            action(*dialog);
    });
}

}  // namespace

class TestAlarmDialog : public QObject {
    Q_OBJECT
  private slots:
    void appendAndClearTexts();
    void enterMovesTheEditor();
    void limitOf255Texts();
    void bitOffsetCutsTheListAtTheRegisterEnd();
    void startCoilControlsPerProtocol();
    void okAndCancel();
    void refusedCharacter();
    void commandEntryPoint();
    void commandInTheMainFrame();
};

void TestAlarmDialog::appendAndClearTexts() {
    Fixture f(3);
    QCOMPARE(f.dialog->windowTitle(), QString("报警列表"));
    QCOMPARE(f.c().grid->horizontalHeaderItem(0)->text(), QString("Coil"));
    QCOMPARE(f.c().grid->horizontalHeaderItem(1)->text(), QString("Alarm description"));
    const double ratio = double(f.c().grid->columnWidth(0)) / f.c().grid->columnWidth(1);
    QVERIFY(qAbs(ratio - 1.0 / 3.0) < 0.02);
    QCOMPARE(f.rows(), 1);
    QVERIFY(f.c().editor->isHidden());
    // Protocol 3 counts its coils from address 1.
    QCOMPARE(f.list().m_startAddress, uint16_t(1));
    QCOMPARE(f.dialog->cellText(1, 0), QString("0x/1"));

    f.type(1, "Motor overload");
    QCOMPARE(f.list().m_texts, std::vector<ByteString>{"Motor overload"});
    QCOMPARE(f.rows(), 2);
    QCOMPARE(f.dialog->cellText(1, 1), QString("Motor overload"));
    QCOMPARE(f.dialog->cellText(2, 0), QString("0x/2"));
    QCOMPARE(f.dialog->cellText(2, 1), QString());

    f.type(2, "B");
    f.type(3, "C");
    QCOMPARE(f.list().m_texts.size(), size_t(3));
    QCOMPARE(f.rows(), 4);
    // An emptied middle text stays as an empty text.
    f.type(2, "");
    QCOMPARE(f.list().m_texts, (std::vector<ByteString>{"Motor overload", "", "C"}));
    QCOMPARE(f.rows(), 4);
    // Clearing the last text removes it and the empty text before it.
    f.type(3, "");
    QCOMPARE(f.list().m_texts, std::vector<ByteString>{"Motor overload"});
    QCOMPARE(f.rows(), 2);
    QCOMPARE(f.dialog->cellText(2, 1), QString());
    QCOMPARE(f.dialog->editorRow(), 2);
    QVERIFY(f.c().editor->isVisible());

    // The editor takes at most 64 characters.
    f.type(1, QString(70, QChar('x')));
    QCOMPARE(f.list().m_texts[0], ByteString(64, 'x'));
}

void TestAlarmDialog::enterMovesTheEditor() {
    Fixture f(3, numbered(20));
    f.click(1);
    f.enter();
    QCOMPARE(f.dialog->editorRow(), 2);
    QCOMPARE(f.c().editor->text(), QString("alarm 2"));
    f.dialog->editRow(15);
    f.enter();
    QCOMPARE(f.dialog->editorRow(), 16);
    QVERIFY(f.c().editor->isVisible());
    // From row 16 on Enter leaves the editor.
    f.enter();
    QVERIFY(f.c().editor->isHidden());
    QCOMPARE(f.dialog->focusWidget(), static_cast<QWidget*>(f.c().grid));
    QVERIFY(f.dialog->isVisible());

    // Enter on an empty row stays.
    f.click(21);
    f.enter();
    QCOMPARE(f.dialog->editorRow(), 21);
    QVERIFY(f.c().editor->isVisible());
    QVERIFY(f.dialog->isVisible());
}

void TestAlarmDialog::limitOf255Texts() {
    Fixture f(3, numbered(254));
    QCOMPARE(f.rows(), 255);
    f.type(255, "last");
    QCOMPARE(f.list().m_texts.size(), size_t(255));
    // No row for a 256th text; at the limit Enter goes back to the first row.
    QCOMPARE(f.rows(), 255);
    f.enter();
    QCOMPARE(f.dialog->editorRow(), 1);
    QCOMPARE(f.c().editor->text(), QString("alarm 1"));
}

void TestAlarmDialog::bitOffsetCutsTheListAtTheRegisterEnd() {
    // Protocol 1 addresses its coils as bits of the start register; "W" holds 16 of them.
    auto project = makeProject(1, numbered(5));
    project->alarms.m_regType = 1;
    AlarmListDialog dialog(*project);
    dialog.show();
    const auto& c = dialog.controls();
    QVERIFY(c.bitOffset->isVisible());
    QVERIFY(c.bitOffsetLabel->isVisible());
    QCOMPARE(c.bitOffset->field().maximum(), 15.0);
    QVERIFY(c.bitOffset->field().isHex());
    QCOMPARE(dialog.cellText(1, 0), QString("0000 00 00"));
    QCOMPARE(c.grid->rowCount(), 6);

    c.bitOffset->setFocus();
    c.bitOffset->selectAll();
    QTest::keyClicks(c.bitOffset, "e");
    QCOMPARE(project->alarms.m_bitOffset, uint8_t(14));
    QCOMPARE(project->alarms.m_texts, (std::vector<ByteString>{"alarm 1", "alarm 2"}));
    QCOMPARE(c.grid->rowCount(), 2);
    QCOMPARE(dialog.cellText(1, 0), QString("0000 00 0e"));
    QCOMPARE(dialog.cellText(2, 0), QString("0000 00 0f"));

    // "B" holds 8 bits: the offset comes down to 7 and one text remains.
    c.type->setCurrentIndex(0);
    QCOMPARE(project->alarms.m_bitOffset, uint8_t(7));
    QCOMPARE(c.bitOffset->field().maximum(), 7.0);
    QCOMPARE(project->alarms.m_texts, std::vector<ByteString>{"alarm 1"});
    QCOMPARE(dialog.cellText(1, 0), QString("0000 00 07"));
}

void TestAlarmDialog::startCoilControlsPerProtocol() {
    {
        Fixture f(3);
        QVERIFY(f.c().subAddress->isHidden());
        QVERIFY(f.c().bitOffset->isHidden());
        QCOMPARE(f.c().type->count(), int(f.project->vocabulary().bitTypesC.size()));
        f.c().type->setCurrentIndex(1);
        QCOMPARE(f.list().m_regType, uint8_t(1));
        QCOMPARE(f.dialog->cellText(1, 0), QString("1x/1"));
        f.c().address->setFocus();
        f.c().address->selectAll();
        QTest::keyClicks(f.c().address, "100");
        QCOMPARE(f.list().m_startAddress, uint16_t(100));
        QCOMPARE(f.dialog->cellText(1, 0), QString("1x/100"));
    }
    {
        // Protocol 2: coils as byte address and bit; the sub-address is the first bit.
        Fixture f(2, numbered(9));
        QVERIFY(f.c().subAddress->isVisible());
        QVERIFY(f.c().bitOffset->isHidden());
        QVERIFY(f.c().subAddress->field().isHex());
        QCOMPARE(f.dialog->cellText(1, 0), QString("M0.0"));
        QCOMPARE(f.dialog->cellText(9, 0), QString("M1.0"));
        f.c().subAddress->setFocus();
        f.c().subAddress->selectAll();
        QTest::keyClicks(f.c().subAddress, "3");
        QCOMPARE(f.dialog->cellText(1, 0), QString("M0.3"));
        QCOMPARE(f.dialog->cellText(6, 0), QString("M1.0"));
    }
}

void TestAlarmDialog::okAndCancel() {
    {
        auto project = makeProject(3, {"a", "b"});
        AlarmListDialog dialog(*project);
        dialog.show();
        dialog.editRow(1);
        QTest::keyClicks(dialog.controls().editor, "x");
        dialog.editRow(3);
        QTest::keyClicks(dialog.controls().editor, "c");
        dialog.controls().stationSpin->stepBy(1);
        QCOMPARE(project->alarms.m_texts.size(), size_t(3));
        dialog.controls().cancel->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(project->alarms.m_texts, (std::vector<ByteString>{"a", "b"}));
        // The start coil keeps what the spins wrote.
        QCOMPARE(project->alarms.m_station, uint8_t(2));
    }
    {
        auto project = makeProject(3, {"a", "", ""});
        AlarmListDialog dialog(*project);
        dialog.show();
        dialog.controls().ok->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(project->alarms.m_texts, std::vector<ByteString>{"a"});
    }
}

void TestAlarmDialog::refusedCharacter() {
    Fixture f(3, {"ok"});
    f.click(1);
    QTest::keyClick(f.c().editor, Qt::Key_End);
    auto seen = std::make_shared<QString>();
    QTimer::singleShot(0, [seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *seen = box->text();
            box->accept();
        }
    });
    QTest::sendKeyEvent(QTest::Click, f.c().editor, Qt::Key_unknown,
                        QString::fromUtf8("\xF0\x9F\x98\x80"), Qt::NoModifier);
    QVERIFY(seen->contains("GBK"));
    QCOMPARE(f.list().m_texts, std::vector<ByteString>{"ok"});
    QCOMPARE(f.c().editor->text(), QString("ok"));
    // Chinese text is what the panel shows.
    QTest::sendKeyEvent(QTest::Click, f.c().editor, Qt::Key_unknown, QString::fromUtf8("温"),
                        Qt::NoModifier);
    QCOMPARE(f.list().m_texts, std::vector<ByteString>{"ok\xCE\xC2"});
}

void TestAlarmDialog::commandEntryPoint() {
    // No alarm list under protocols 31 and 36: nothing opens.
    for (uint8_t protocol : {31, 36}) {
        auto project = makeProject(protocol);
        QVERIFY(!AlarmListDialog::isAvailable(*project));
        bool opened = false;
        onNextDialog([&opened](AlarmListDialog& d) {
            opened = true;
            d.reject();
        });
        QVERIFY(!AlarmListDialog::run(*project));
        QCoreApplication::processEvents();
        QVERIFY(!opened);
    }
    Project closed(nullptr, 3);
    QVERIFY(!AlarmListDialog::isAvailable(closed));

    auto project = makeProject(3);
    QVERIFY(AlarmListDialog::isAvailable(*project));
    // OK after typing a text: the list changed.
    onNextDialog([](AlarmListDialog& d) {
        d.editRow(1);
        QTest::keyClicks(d.controls().editor, "new");
        d.accept();
    });
    QVERIFY(AlarmListDialog::run(*project));
    QCOMPARE(project->alarms.m_texts, std::vector<ByteString>{"new"});
    // Cancel after typing: nothing changed.
    onNextDialog([](AlarmListDialog& d) {
        d.editRow(2);
        QTest::keyClicks(d.controls().editor, "more");
        d.reject();
    });
    QVERIFY(!AlarmListDialog::run(*project));
    QCOMPARE(project->alarms.m_texts, std::vector<ByteString>{"new"});
}

void TestAlarmDialog::commandInTheMainFrame() {
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication::setQuitOnLastWindowClosed(false);
    test::ProgramFolder folder;
    test::ScriptedPrompter prompter;
    StartupOptions options;
    options.dataDir = folder.path();
    options.translate = false;
    options.splash = false;
    Application app(options, &prompter);
    QVERIFY(app.initialise());
    CMainFrame* frame = app.mainFrame();
    QAction* command = frame->action(cmd::kAlarmList);
    for (uint8_t protocol : {31, 3}) {
        auto chosen = test::whenModal<PlcDialog>([protocol](PlcDialog* d) {
            const QString name =
                QString::fromUtf8(std::string(protocolNameEnglish(protocol)).c_str());
            d->protocolBox()->setCurrentIndex(d->protocolBox()->findText(name));
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        frame->action(cmd::kNewProject)->trigger();
        QVERIFY(*chosen);
        QCOMPARE(frame->project().protocol(), protocol);
        QCOMPARE(command->isEnabled(), protocol != 31);
    }
    QVERIFY(!frame->doc().document().isModified());
    auto typed = test::whenModal<AlarmListDialog>([](AlarmListDialog* d) {
        d->editRow(1);
        QTest::keyClicks(d->controls().editor, "Door open");
        d->controls().ok->click();
    });
    command->trigger();
    QVERIFY(*typed);
    QCOMPARE(frame->project().alarms.m_texts, std::vector<ByteString>{"Door open"});
    QVERIFY(frame->doc().document().isModified());
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestAlarmDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_alarm_dialog.moc"
