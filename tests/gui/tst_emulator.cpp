// The emulator window on the demo project as a user drives it: F5 in the editor, the keypad
// buttons and the keyboard, the register table both ways, the password, the screen picker, the
// zoom, the reload offered after an edit, and a Modbus TCP server on the same machine.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "../core/modbus_test_support.h"
#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "dialogs/EmulatorWindow.h"
#include "project/Project.h"
#include "widgets/PanelDisplayWidget.h"

using namespace vanta;
using namespace vanta::test;

namespace {

StartupOptions optionsFor(const ProgramFolder& folder) {
    StartupOptions options;
    options.dataDir = folder.path();
    options.translate = false;
    options.splash = false;
    return options;
}

// The demo project open in the editor and running in the emulator window.
struct DemoRunning {
    ProgramFolder folder;
    ScriptedPrompter prompter;
    Application app{optionsFor(folder), &prompter};
    CMainFrame* frame = nullptr;
    EmulatorWindow* window = nullptr;

    bool open() {
        if (!app.initialise())
            return false;
        frame = app.mainFrame();
        const QString demo = folder.file(QStringLiteral("demo.osp"));
        if (!QFile::copy(QStringLiteral(VANTA_SOURCE_DIR "/data/samples/demo.osp"), demo) ||
            !frame->openDocumentFile(demo))
            return false;
        QAction* emulate = frame->action(cmd::kEmulate);
        if (emulate->shortcut() != QKeySequence(Qt::Key_F5) || !emulate->isEnabled())
            return false;
        emulate->trigger();
        window = frame->emulatorWindow();
        return window && window->isVisible();
    }
    PointKey point(const char* type, uint32_t address, std::optional<uint8_t> bit = {}) const {
        return window->program().pointOf(1, type, address, bit).value();
    }
    std::optional<uint32_t> value(const char* type, uint32_t address,
                                  std::optional<uint8_t> bit = {}) const {
        return window->emulator().value(point(type, address, bit));
    }
    QTableWidgetItem* valueCell(const char* type, uint32_t address) const {
        const int row = window->rowOf(point(type, address));
        return row < 0 ? nullptr : window->registerTable()->item(row, 3);
    }
    void click(PanelKey key) { QTest::mouseClick(window->keyButton(key), Qt::LeftButton); }
};

}  // namespace

class TstEmulator : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void keypadKeyboardAndScreenPicker() {
        DemoRunning demo;
        QVERIFY(demo.open());
        EmulatorWindow* w = demo.window;
        QCOMPARE(w->emulator().currentScreen(), uint16_t(1));
        const MonoBitmap first = w->display()->picture();

        demo.click(PanelKey::Down);  // screen 1's ↓ key jumps to screen 2
        QCOMPARE(w->emulator().currentScreen(), uint16_t(2));
        QVERIFY(w->display()->picture() != first);
        QTest::keyClick(w->display(), Qt::Key_Up);  // screen 2's ↑ key jumps back
        QCOMPARE(w->emulator().currentScreen(), uint16_t(1));
        QCOMPARE(w->display()->picture(), first);

        auto* picker = w->findChild<QComboBox*>(QStringLiteral("screenPicker"));
        QVERIFY(picker);
        QCOMPARE(picker->count(), 4);
        picker->setCurrentIndex(picker->findData(10));
        emit picker->activated(picker->currentIndex());
        QCOMPARE(w->emulator().currentScreen(), uint16_t(10));

        auto* zoom = w->findChild<QSpinBox*>(QStringLiteral("zoom"));
        zoom->setValue(4);
        QCOMPARE(w->display()->sizeHint(), QSize(768, 256));

        // A momentary key holds its coil while the button is held.
        picker->setCurrentIndex(picker->findData(3));
        emit picker->activated(picker->currentIndex());
        QPushButton* four = w->keyButton(PanelKey::Digit4);
        QTest::mousePress(four, Qt::LeftButton);
        QCOMPARE(demo.value("M", 22), std::optional<uint32_t>(1));
        QTest::mouseRelease(four, Qt::LeftButton);
        QCOMPARE(demo.value("M", 22), std::optional<uint32_t>(0));
        w->close();
        QTRY_VERIFY(!demo.frame->emulatorWindow());
    }

    void registerTableBothWaysAndThePassword() {
        DemoRunning demo;
        QVERIFY(demo.open());
        EmulatorWindow* w = demo.window;
        QTableWidgetItem* speed = demo.valueCell("D", 100);
        QVERIFY(speed);
        QCOMPARE(speed->text(), QStringLiteral("0"));

        // Typed into the table: the display follows.
        const MonoBitmap before = w->display()->picture();
        speed->setText(QStringLiteral("1500"));
        QCOMPARE(demo.value("D", 100), std::optional<uint32_t>(1500));
        QVERIFY(w->display()->picture() != before);

        // Entered on the keypad behind the password 1234: the table follows.
        for (PanelKey k : {PanelKey::Set, PanelKey::Digit1, PanelKey::Digit2, PanelKey::Digit3,
                           PanelKey::Digit4, PanelKey::Ent})
            demo.click(k);
        QCOMPARE(w->emulator().mode(), PanelMode::Editing);
        for (Qt::Key k : {Qt::Key_2, Qt::Key_0, Qt::Key_0, Qt::Key_Return})
            QTest::keyClick(w->display(), k);
        QCOMPARE(demo.value("D", 100), std::optional<uint32_t>(200));
        QCOMPARE(speed->text(), QStringLiteral("200"));
    }

    void editingTheProjectOffersAReload() {
        DemoRunning demo;
        QVERIFY(demo.open());
        EmulatorWindow* w = demo.window;
        demo.valueCell("D", 100)->setText(QStringLiteral("77"));
        demo.click(PanelKey::Down);
        QVERIFY(!w->reloadOffered());
        demo.frame->project().panel.password = 4321;
        demo.frame->updateCommandStates();  // what every command and page edit ends with
        QVERIFY(w->reloadOffered());
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("reloadButton")),
                          Qt::LeftButton);
        QVERIFY(!w->reloadOffered());
        QCOMPARE(w->program().password(), uint16_t(4321));
        // The table and the shown screen stay.
        QCOMPARE(demo.value("D", 100), std::optional<uint32_t>(77));
        QCOMPARE(w->emulator().currentScreen(), uint16_t(2));
        // F5 again compiles again into the same window.
        demo.frame->action(cmd::kEmulate)->trigger();
        QCOMPARE(demo.frame->emulatorWindow(), w);
    }

    void aModbusTcpServerOnTheSameMachine() {
        vanta::testing::LoopbackModbusServer server;
        QVERIFY(server.running());
        server.setHolding(100, 42);  // D100 under the FX 2N protocol of the demo
        DemoRunning demo;
        QVERIFY(demo.open());
        EmulatorWindow* w = demo.window;
        ModbusSettings settings;
        settings.host = "127.0.0.1";
        settings.port = server.port();
        settings.intervalMs = 20;
        w->setModbusSettings(settings);
        auto* source = w->findChild<QComboBox*>(QStringLiteral("sourceChoice"));
        source->setCurrentIndex(2);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("connectButton")),
                          Qt::LeftButton);
        QCOMPARE(w->source(), EmulatorWindow::Source::ModbusTcp);
        QTRY_COMPARE_WITH_TIMEOUT(demo.value("D", 100), std::optional<uint32_t>(42), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(demo.valueCell("D", 100)->text(), QStringLiteral("42"), 10000);
        auto* link = w->findChild<QLabel*>(QStringLiteral("linkState"));
        QVERIFY(link->text().contains(QString::number(server.port())));

        // A key on screen 3 toggles coil M21 in the server.
        auto* picker = w->findChild<QComboBox*>(QStringLiteral("screenPicker"));
        picker->setCurrentIndex(picker->findData(3));
        emit picker->activated(picker->currentIndex());
        QTRY_VERIFY_WITH_TIMEOUT(demo.value("M", 21).has_value(), 10000);
        demo.click(PanelKey::Digit3);
        QTRY_VERIFY_WITH_TIMEOUT(server.coil(21), 10000);

        // The server goes away: the window carries on and says so.
        server.stop();
        QTRY_VERIFY_WITH_TIMEOUT(w->emulator().program().screens().size() == 4 &&
                                     link->text().contains(QStringLiteral("(")),
                                 10000);
        demo.click(PanelKey::Esc);
        source->setCurrentIndex(0);
        emit source->activated(0);
        QCOMPARE(w->source(), EmulatorWindow::Source::Table);
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(TstEmulator)
#include "tst_emulator.moc"
