// The PLC selection, serial port and panel settings dialogs through their widgets: lists and
// defaults per protocol, the station clamps, what is shown per protocol, the enable rules and
// the "Respond " labels of the panel settings, and what OK and Cancel leave in the project.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

#include "FrameTestSupport.h"
#include "app/CVantaDoc.h"
#include "app/ProgramData.h"
#include "dialogs/PanelSettingsDialog.h"
#include "dialogs/PlcDialog.h"
#include "dialogs/PortDialog.h"
#include "project/Project.h"
#include "protocols/Catalogue.h"
#include "widgets/CNumEdit.h"

using namespace vanta;
using namespace vanta::test;

namespace {

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// Types over the whole text of a numeric edit, as the user does.
void typeInto(CNumEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

const Catalogue& catalogue() {
    static const Catalogue c = Catalogue::open(VANTA_DATA_DIR "/Ostra_Ptc.dat").value();
    return c;
}

int entryOf(uint8_t protocol) {
    return catalogue().find(protocol);
}

}  // namespace

class TstDialogs : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QVERIFY(catalogue().size() > 0);
    }

    void plcDialogListsTheCatalogueByEnglishName() {
        PlcDialog dialog(&catalogue(), entryOf(1), initialCommSettings(1), 1);
        QCOMPARE(dialog.protocolBox()->count(), static_cast<int>(catalogue().size()));
        QCOMPARE(dialog.protocolBox()->currentIndex(), entryOf(1));
        QCOMPARE(dialog.protocolBox()->itemText(entryOf(2)), QStringLiteral("Siemens (S7-200)"));
        QCOMPARE(items(dialog.parityBox()), QStringList({"NONE", "ODD", "EVEN"}));
        QCOMPARE(items(dialog.dataBitsBox()), QStringList({"7", "8"}));
        QCOMPARE(items(dialog.stopBitsBox()), QStringList({"1", "2"}));
        QCOMPARE(items(dialog.optionBox()), QStringList({"232", "485"}));
    }

    void plcDialogAppliesTheDefaultsOfAChosenProtocol() {
        CommSettings stored = initialCommSettings(1);
        stored.baudIndex = 6;  // 115200 on protocol 1
        PlcDialog dialog(&catalogue(), entryOf(1), stored, 1);
        dialog.show();
        QCOMPARE(dialog.baudBox()->currentText(), QStringLiteral("115200"));  // stored value

        dialog.protocolBox()->setCurrentIndex(entryOf(2));
        QCOMPARE(items(dialog.baudBox()), QStringList({"9600", "19200"}));
        QCOMPARE(dialog.baudBox()->currentText(), QStringLiteral("9600"));
        QCOMPARE(dialog.dataBitsBox()->currentText(), QStringLiteral("8"));
        QCOMPARE(dialog.parityBox()->currentText(), QStringLiteral("EVEN"));
        QCOMPARE(dialog.stopBitsBox()->currentText(), QStringLiteral("1"));
        QCOMPARE(dialog.optionBox()->currentText(), QStringLiteral("485"));
        QVERIFY(dialog.e5Edit()->isVisible());
        QCOMPARE(dialog.e5Edit()->text(), QStringLiteral("10000"));
        QVERIFY(!dialog.stationEdit()->isVisible());

        // A parameter changed by hand is what OK stores.
        dialog.baudBox()->setCurrentIndex(1);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.entryIndex(), entryOf(2));
        QCOMPARE(dialog.protocol(), uint8_t(2));
        QCOMPARE(dialog.settings().baudIndex, uint8_t(1));
        QCOMPARE(dialog.settings().parityIndex, uint8_t(2));
        QCOMPARE(dialog.settings().option, uint8_t(1));
        QCOMPARE(dialog.settings().e5Timeout, uint16_t(10000));

        // Protocols 5 and 7 offer five rates; 18 defaults to 38400 of the full list.
        dialog.protocolBox()->setCurrentIndex(entryOf(5));
        QCOMPARE(items(dialog.baudBox()), QStringList({"1200", "2400", "4800", "9600", "19200"}));
        QCOMPARE(dialog.dataBitsBox()->currentText(), QStringLiteral("7"));
        QCOMPARE(dialog.stopBitsBox()->currentText(), QStringLiteral("2"));
        dialog.protocolBox()->setCurrentIndex(entryOf(18));
        QCOMPARE(dialog.baudBox()->count(), 7);
        QCOMPARE(dialog.baudBox()->currentText(), QStringLiteral("38400"));
    }

    void plcDialogShowsStationAndE5PerProtocol() {
        PlcDialog dialog(&catalogue(), entryOf(1), initialCommSettings(1), 1);
        dialog.show();
        for (uint8_t protocol = 1; protocol <= 40; ++protocol) {
            dialog.protocolBox()->setCurrentIndex(entryOf(protocol));
            const bool station = protocol == 14 || protocol == 21 || protocol == 31;
            const bool e5 = protocol == 2 || protocol == 3 || protocol == 34;
            QCOMPARE(dialog.stationEdit()->isVisible(), station);
            QCOMPARE(dialog.stationLabel()->isVisible(), station);
            QCOMPARE(dialog.e5Edit()->isVisible(), e5);
            QCOMPARE(dialog.e5Label()->isVisible(), e5);
        }
        dialog.protocolBox()->setCurrentIndex(entryOf(8));
        QVERIFY(!dialog.stationEdit()->isVisible());
        QVERIFY(!dialog.e5Edit()->isVisible());
        dialog.protocolBox()->setCurrentIndex(entryOf(3));
        QCOMPARE(dialog.e5Edit()->text(), QStringLiteral("500"));
    }

    void plcDialogKeepsTheStationInRange() {
        PlcDialog dialog(&catalogue(), entryOf(14), initialCommSettings(14), 14);
        dialog.show();
        QVERIFY(dialog.stationEdit()->isVisible());
        QCOMPARE(dialog.stationEdit()->text(), QStringLiteral("1"));
        typeInto(dialog.stationEdit(), QStringLiteral("300"));
        QCOMPARE(dialog.stationEdit()->text(), QStringLiteral("255"));

        dialog.protocolBox()->setCurrentIndex(entryOf(21));
        typeInto(dialog.stationEdit(), QStringLiteral("250"));
        QCOMPARE(dialog.stationEdit()->text(), QStringLiteral("247"));
        typeInto(dialog.stationEdit(), QStringLiteral("0"));
        QCOMPARE(dialog.stationEdit()->text(), QStringLiteral("1"));
        typeInto(dialog.stationEdit(), QStringLiteral("42"));
        dialog.accept();
        QCOMPARE(dialog.settings().panelStation, uint8_t(42));
    }

    void plcSelectionOnAProject() {
        ProgramFolder folder;
        ProgramData data(folder.path().toStdString());
        QVERIFY(data.loadFonts().ok());
        QVERIFY(data.loadCatalogue().ok());
        ScriptedPrompter prompter;
        QWidget window;
        CVantaDoc doc(data, prompter, &window);
        Project& project = doc.project();
        project.resetToNew(1);
        project.comm = initialCommSettings(1);
        project.panel.plcStation = 7;

        // Cancel leaves everything as it was, whatever was chosen in the dialog.
        const CommSettings before = project.comm;
        whenModal<PlcDialog>([](PlcDialog* d) {
            d->protocolBox()->setCurrentIndex(entryOf(2));
            d->reject();
        });
        QVERIFY(!doc.runPlcSelection(project));
        QCOMPARE(project.protocol(), uint8_t(1));
        QVERIFY(project.comm == before);
        QCOMPARE(project.panel.plcStation, uint8_t(7));
        QVERIFY(!QFile::exists(folder.file("In.dat")) || folder.read("In.dat").isEmpty() ||
                folder.read("In.dat").at(0) == 0);

        // OK on the same protocol keeps the panel settings; a changed baud rate is stored.
        whenModal<PlcDialog>([](PlcDialog* d) {
            d->baudBox()->setCurrentIndex(4);
            d->accept();
        });
        QVERIFY(doc.runPlcSelection(project));
        QCOMPARE(project.comm.baudIndex, uint8_t(4));
        QCOMPARE(project.panel.plcStation, uint8_t(7));

        // Another protocol: its vocabulary, the panel settings of a protocol change, "In.dat".
        whenModal<PlcDialog>([](PlcDialog* d) {
            d->protocolBox()->setCurrentIndex(entryOf(2));
            d->accept();
        });
        QVERIFY(doc.runPlcSelection(project));
        QCOMPARE(project.protocol(), uint8_t(2));
        QCOMPARE(project.vocabulary().protocol, uint8_t(2));
        QCOMPARE(project.panel.plcStation, uint8_t(2));
        QCOMPARE(project.comm.e5Timeout, uint16_t(10000));
        QCOMPARE(project.comm.option, uint8_t(1));
        const QByteArray selection = folder.read("In.dat");
        QCOMPARE(selection.size(), 2);
        QCOMPARE(int(selection.at(0)), entryOf(2));
        QCOMPARE(data.protocolVersionText(2), std::string("Siemens (S7-200).1"));
        QVERIFY(prompter.asked.empty());
    }

    void portDialogOffersComPortsAndRemembersADevice() {
        PortDialog::rememberDevice(QString());
        {
            PortDialog dialog(2, QString());
            // Each COM entry says which device it opens.
            QCOMPARE(items(dialog.portBox()).mid(0, 6),
                     QStringList({"COM1 (/dev/ttyS0)", "COM2 (/dev/ttyS1)", "COM3 (/dev/ttyS2)",
                                  "COM4 (/dev/ttyS3)", "COM5 (/dev/ttyS4)", "COM6 (/dev/ttyS5)"}));
            QCOMPARE(dialog.portBox()->currentText(), QStringLiteral("COM3 (/dev/ttyS2)"));
            QVERIFY(dialog.descriptionLabel()->text().contains(QStringLiteral("/dev/ttyS2")));
            dialog.portBox()->setCurrentIndex(4);
            dialog.accept();
            QCOMPARE(dialog.portIndex(), uint8_t(4));
            QVERIFY(dialog.device().isEmpty());
        }
        QCOMPARE(PortDialog::downloadPortName(4), QStringLiteral("COM5"));

        // A device (an adapter, a link to a pseudo-terminal) stays on offer and is remembered.
        const QString device = QStringLiteral("/tmp/vanta-test-port");
        PortDialog::rememberDevice(device);
        {
            PortDialog dialog(4, PortDialog::rememberedDevice());
            QCOMPARE(dialog.portBox()->currentText(), device);
            dialog.accept();
            QCOMPARE(dialog.device(), device);
            QCOMPARE(dialog.portIndex(), uint8_t(4));
        }
        QCOMPARE(PortDialog::downloadPortName(4), device);

        // Any path can be typed; one that is not there now is said so, and it is offered again.
        const QString typed = QStringLiteral("/tmp/vanta-no-such-port");
        {
            PortDialog dialog(0, QString());
            dialog.portBox()->setEditText(typed);
            QVERIFY(dialog.descriptionLabel()->text().contains(typed));
            dialog.accept();
            QCOMPARE(dialog.device(), typed);
            QVERIFY(PortDialog::typedDevices().contains(typed));
        }
        {
            PortDialog dialog(0, QString());
            QVERIFY(dialog.portBox()->findData(typed) >= 0);
            // "com2" typed means the second port.
            dialog.portBox()->setEditText(QStringLiteral("com2"));
            dialog.accept();
            QCOMPARE(dialog.portIndex(), uint8_t(1));
            QVERIFY(dialog.device().isEmpty());
        }
        PortDialog::rememberDevice(QString());
        QCOMPARE(PortDialog::downloadPortName(0), QStringLiteral("COM1"));
    }

    void panelSettingsLabelsFollowTheControlBits() {
        const Vocabulary vocabulary = makeVocabulary(2);  // stride 2, first type "VW"
        QCOMPARE(vocabulary.stride, uint8_t(2));
        PanelSettings settings;
        settings.controlRegisterNumber = 100;
        settings.controlFlags = kControlAutoScreenChange | kControlClockModule;
        PanelSettingsDialog dialog(settings, vocabulary);
        dialog.show();
        const QString type = dialog.registerTypeBox()->currentText();
        QCOMPARE(type, QString::fromStdString(vocabulary.wordTypes.at(0)));
        QVERIFY(dialog.registerLabel(0)->isVisible());
        QCOMPARE(dialog.registerLabel(0)->text(), QStringLiteral("Respond ") + type + "100");
        QVERIFY(!dialog.registerLabel(1)->isVisible());
        QVERIFY(dialog.registerLabel(2)->isVisible());
        QCOMPARE(dialog.registerLabel(2)->text(), QStringLiteral("Respond ") + type + "102");
        QVERIFY(dialog.directionLabel(0)->isEnabled());
        QVERIFY(!dialog.directionLabel(1)->isEnabled());

        // Only the report bit, register 40.
        dialog.controlBox(0)->setChecked(false);
        dialog.controlBox(2)->setChecked(false);
        dialog.controlBox(1)->setChecked(true);
        typeInto(dialog.registerNumberEdit(), QStringLiteral("40"));
        QVERIFY(!dialog.registerLabel(0)->isVisible());
        QVERIFY(dialog.registerLabel(1)->isVisible());
        QCOMPARE(dialog.registerLabel(1)->text(), QStringLiteral("Respond ") + type + "40");
        dialog.accept();
        QCOMPARE(dialog.settings().controlFlags, kControlReportScreen);
        QCOMPARE(dialog.settings().controlRegisterNumber, uint16_t(40));
    }

    void panelSettingsEnableRules() {
        PanelSettings settings;
        {
            PanelSettingsDialog dialog(settings, makeVocabulary(8));
            dialog.show();
            // The screen-saver screen only with "显示画面".
            QVERIFY(dialog.backlightOffButton()->isChecked());
            QVERIFY(!dialog.saverScreenEdit()->isEnabled());
            dialog.showScreenButton()->click();
            QVERIFY(dialog.saverScreenEdit()->isEnabled());
            // Nothing of the control block without a control bit.
            QVERIFY(!dialog.registerTypeBox()->isEnabled());
            QVERIFY(!dialog.registerNumberEdit()->isEnabled());
            QVERIFY(!dialog.stationEdit()->isEnabled());
            dialog.controlBox(2)->setChecked(true);
            QVERIFY(dialog.registerTypeBox()->isEnabled());
            QVERIFY(dialog.registerNumberEdit()->isEnabled());
            QVERIFY(dialog.stationEdit()->isEnabled());
            // The password stops at 9999.
            typeInto(dialog.passwordEdit(), QStringLiteral("99999"));
            QCOMPARE(dialog.passwordEdit()->text(), QStringLiteral("9999"));
            dialog.saverDelayBox()->setCurrentIndex(10);
            QCOMPARE(dialog.saverDelayBox()->currentText(), QStringLiteral("1小时后"));
            dialog.accept();
            QCOMPARE(dialog.settings().saverAction, uint8_t(1));
            QCOMPARE(dialog.settings().password, uint16_t(9999));
            QCOMPARE(dialog.settings().saverDelayIndex, uint8_t(10));
        }
        settings.controlFlags = kControlReportScreen;
        for (uint8_t protocol : {1, 2}) {
            PanelSettingsDialog dialog(settings, makeVocabulary(protocol));
            dialog.show();
            QVERIFY(!dialog.registerTypeBox()->isEnabled());
            QVERIFY(dialog.registerNumberEdit()->isEnabled());
        }
        {
            PanelSettingsDialog dialog(settings, makeVocabulary(15));
            dialog.show();
            QVERIFY(!dialog.stationEdit()->isEnabled());
            QVERIFY(dialog.registerTypeBox()->isEnabled());
            QVERIFY(dialog.registerLabel(1)->text().contains(QLatin1Char(':')));
        }
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
