// The editor as a person uses it, from an empty window to a panel holding the project: a new
// project through the PLC dialog, one component of every kind placed with the mouse on the
// display and edited in its property page, a second screen and an alarm text, the project saved,
// another project started, the saved file opened again and checked, and then the download
// command sending it through the progress dialog to orbis-sim on a pseudo-terminal. The panel's
// image must be what `vantactl compile` makes of the saved file.

// Mouse input as window-system events: presses, moves and releases reach the widgets the way a
// real mouse's do.
#define QTEST_QPA_MOUSE_HANDLING

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CVantaDoc.h"
#include "app/CommandIds.h"
#include "dialogs/AlarmListDialog.h"
#include "dialogs/DownloadDialog.h"
#include "dialogs/PlcDialog.h"
#include "dialogs/PortDialog.h"
#include "dialogs/ScreenDialogs.h"
#include "editor/CVantaView.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "pages/DynamicPage.h"
#include "pages/DynamicTextGrid.h"
#include "pages/FunctionPage.h"
#include "pages/PropertyPage.h"
#include "project/Project.h"
#include "protocols/ProtocolNames.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"

using namespace vanta;
using namespace vanta::test;

namespace {

const QString kBin = QStringLiteral(VANTA_DATA_DIR);
constexpr uint8_t kProtocol = 4;

// Where each kind goes on screen 1: the point clicked on the display (screen pixels, on the
// 9-pixel grid) and the panel position the component must get from it.
struct Placement {
    uint8_t kind;
    QPoint click;
    int panelX, panelY;
};
const Placement kScreen1[] = {
    {kKindTide, {0, 0}, 0, 0},
    {kKindBar, {225, 0}, 100, 0},
    {kKindLight, {270, 0}, 120, 0},
    {kKindFunction, {315, 0}, 140, 0},
    {kKindPicture, {360, 0}, 160, 0},
    {kKindChars, {270, 45}, 120, 20},
    {kKindRegister, {270, 90}, 120, 40},
    // The dynamic text's outline stops at the display's last row: screen row 107, panel row 48.
    {kKindDynamic, {0, 108}, 0, 48},
};

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray savedBytes(const Project& project) {
    const Bytes bytes = project.save();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

ByteString gbk(const QString& text) {
    Result<ByteString> bytes = fromQString(text);
    return bytes.ok() ? bytes.value() : ByteString();
}

// Types text key by key; characters beyond ASCII arrive as key events carrying their text, as an
// input method delivers them.
void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Replaces what a field holds by typing over it.
void retype(QLineEdit* edit, const QString& text) {
    // A refused keystroke drops those queued behind it until the event loop runs again.
    QCoreApplication::processEvents();
    edit->setFocus();
    edit->selectAll();
    typeText(edit, text);
}

// Answers the next file dialog with a path, typed into its file-name field.
std::shared_ptr<bool> answerFileDialog(const QString& path) {
    return whenModal<QFileDialog>([path](QFileDialog* d) {
        d->selectFile(path);
        if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        static_cast<QDialog*>(d)->accept();
    });
}

// A small two-colour picture: a frame with a diagonal, 16 x 8.
QString writePicture(const QTemporaryDir& dir) {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int x = 0; x < 16; ++x) {
        image.setPixel(x, 0, qRgb(255, 255, 255));
        image.setPixel(x, 7, qRgb(255, 255, 255));
        image.setPixel(x, x / 2, qRgb(255, 255, 255));
    }
    const QString path = dir.filePath(QStringLiteral("logo.bmp"));
    return image.save(path) ? path : QString();
}

// The editor window and what a user does in it.
struct User {
    CMainFrame* frame;

    CVantaView* view() const { return frame->view(); }
    QWidget* display() const { return view()->displayWidget(); }
    CMainView& screen() const { return *frame->project().screens.current(); }

    // The component page shown in the page area, if any.
    PropertyPage* shownPage() const { return qobject_cast<PropertyPage*>(view()->shownPage()); }
    template <typename T>
    T* control(const char* name) const {
        PropertyPage* page = shownPage();
        return page ? page->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }

    // Moves the armed outline to a point of the display and clicks there. The mouse goes a few
    // pixels inside the 9-pixel cell of the point (the outline snaps to the cell's corner).
    void clickDisplay(QPoint corner) const {
        const QPoint at = corner + QPoint(4, 4);
        QTest::mouseMove(display(), at + QPoint(1, 1));  // a move to where it is brings no event
        QTest::mouseMove(display(), at);
        QTest::mouseClick(display(), Qt::LeftButton, {}, at);
    }

    // A new project through the PLC dialog, the protocol picked from its list.
    bool newProject(uint8_t protocol) const {
        auto chosen = whenModal<PlcDialog>([protocol](PlcDialog* d) {
            const QString name =
                QString::fromUtf8(std::string(protocolNameEnglish(protocol)).c_str());
            const int row = d->protocolBox()->findText(name);
            if (row >= 0)
                d->protocolBox()->setCurrentIndex(row);
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        frame->action(cmd::kNewProject)->trigger();
        return *chosen && frame->project().isOpen && frame->project().protocol() == protocol;
    }
};

}  // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void buildSaveReopenAndDownload();
    void cleanupTestCase();

  private:
    void placeAndEditScreen1(User& user, const QString& picture);
    void addScreen2AndAlarm(User& user);
    void checkReopened(const Project& project);
    void downloadAndCompare(User& user, ScriptedPrompter& prompter, const QString& saved);

    QTemporaryDir settings_;
    QTemporaryDir temp_;
    QString dataDir_;  // the editor's program folder
};

void TestEndToEnd::initTestCase() {
    QVERIFY(temp_.isValid());
    // Recent files and the chosen port go into the settings: a folder of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY2(QFileInfo(kBin + "/orbis-sim").isExecutable(), "orbis-sim must be built");
    QVERIFY2(QFileInfo(kBin + "/vantactl").isExecutable(), "vantactl must be built");
}

void TestEndToEnd::cleanupTestCase() {
    PortDialog::rememberDevice({});
}

// Screen 1: one component of every kind, each placed with the mouse and edited in its page.
void TestEndToEnd::placeAndEditScreen1(User& user, const QString& picture) {
    for (const Placement& p : kScreen1) {
        const size_t before = user.screen().components().size();
        if (p.kind == kKindPicture) {
            auto answered = answerFileDialog(picture);
            user.frame->action(cmd::kPicture)->trigger();
            QVERIFY(*answered);
        } else {
            user.view()->togglePlacement(p.kind);
        }
        QCOMPARE(user.view()->pendingKind(), p.kind);
        user.clickDisplay(p.click);
        QCOMPARE(user.screen().components().size(), before + 1);
        CBase* placed = user.screen().head();
        QCOMPARE(placed->m_kind, p.kind);
        QCOMPARE(placed->m_x, p.panelX);
        QCOMPARE(placed->m_y, p.panelY);
        QCOMPARE(user.view()->pendingKind(), uint8_t(0));
        PropertyPage* page = user.shownPage();
        QVERIFY2(page != nullptr, qPrintable(QString("no page for kind %1").arg(p.kind)));

        switch (p.kind) {
            case kKindTide: {
                auto* points = user.control<CNumEdit>("pointsEdit");
                QVERIFY(points != nullptr);
                retype(points, "30");
                QCOMPARE(static_cast<CTide*>(placed)->m_points, uint8_t(30));
                break;
            }
            case kKindBar: {
                auto* direction = user.control<QComboBox>("direction");
                QVERIFY(direction != nullptr);
                direction->setFocus();
                QTest::keyClick(direction, Qt::Key_Down);
                QCOMPARE(static_cast<CBar*>(placed)->m_direction, uint8_t(CBar::kDown));
                break;
            }
            case kKindLight: {
                auto* shape = user.control<QComboBox>("shape");
                QVERIFY(shape != nullptr);
                shape->setFocus();
                QTest::keyClick(shape, Qt::Key_Down);
                QCOMPARE(static_cast<CLight*>(placed)->m_displayKind, uint8_t(1));
                break;
            }
            case kKindFunction: {
                auto* keyPage = qobject_cast<FunctionPage*>(page);
                QVERIFY(keyPage != nullptr);
                const FunctionPage::Controls& c = keyPage->controls();
                QTest::mouseClick(c.action[kActionJump], Qt::LeftButton);
                QVERIFY(c.jumpPage->isVisible());
                retype(c.screen, "2");
                auto* key = static_cast<CFunction*>(placed);
                QCOMPARE(key->m_actionKind, uint8_t(kActionJump));
                QCOMPARE(key->m_jumpTarget, uint8_t(kJumpScreen));
                QCOMPARE(key->m_targetScreen, uint16_t(2));
                break;
            }
            case kKindPicture: {
                auto* shown = static_cast<CUpLoadPic*>(placed);
                QCOMPARE(shown->width(), 16);
                QCOMPARE(shown->height(), 8);
                auto* width = user.control<QLineEdit>("width");
                QVERIFY(width != nullptr);
                QCOMPARE(width->text(), QStringLiteral("16"));
                break;
            }
            case kKindChars: {
                auto* text = user.control<QLineEdit>("text");
                QVERIFY(text != nullptr);
                retype(text, QStringLiteral("泵 PUMP"));
                QCOMPARE(static_cast<CChars*>(placed)->m_text, gbk(QStringLiteral("泵 PUMP")));
                // Seven bytes: seven cells of 18 screen pixels.
                QCOMPARE(placed->m_rect.width(), 7 * 18);
                break;
            }
            case kKindRegister: {
                auto* address = user.control<CNumEdit>("addressEdit");
                QVERIFY(address != nullptr);
                retype(address, "123");
                QCOMPARE(static_cast<CRegister*>(placed)->m_address, uint16_t(123));
                break;
            }
            case kKindDynamic: {
                auto* dynamicPage = qobject_cast<DynamicPage*>(page);
                QVERIFY(dynamicPage != nullptr);
                DynamicTextGrid* grid = dynamicPage->controls().grid;
                QTableWidget* table = grid->table();
                auto clickCell = [table](int row, int column) {
                    QTableWidgetItem* item = table->item(row - 1, column);
                    table->scrollToItem(item);
                    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                                      table->visualItemRect(item).center());
                };
                // A second entry: its value first, then its text.
                clickCell(2, 0);
                QCOMPARE(grid->editColumn(), 0);
                retype(grid->valueEditor(), "5");
                clickCell(2, 1);
                QCOMPARE(grid->editColumn(), 1);
                retype(grid->textEditor(), "OPEN");
                auto* dynamic = static_cast<CDynamic*>(placed);
                QCOMPARE(dynamic->m_values[1], 5);
                QCOMPARE(dynamic->m_texts[1], ByteString("OPEN"));
                QCOMPARE(grid->cellText(2, 1), QStringLiteral("OPEN"));
                break;
            }
            default:
                QFAIL("unexpected kind");
        }
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(user.screen().components().size(), std::size(kScreen1));
}

// Screen 2 through the new-screen command with a static text on it, then an alarm text.
void TestEndToEnd::addScreen2AndAlarm(User& user) {
    auto created = whenModal<NewScreenDialog>([](NewScreenDialog* d) {
        QCOMPARE(d->numberEdit()->text(), QStringLiteral("2"));
        retype(d->descriptionEdit(), QStringLiteral("报警画面"));
        auto* buttons = d->findChild<QDialogButtonBox*>();
        QVERIFY(buttons != nullptr);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    user.frame->action(cmd::kNewScreen)->trigger();
    QVERIFY(*created);
    QCOMPARE(user.screen().m_number, uint16_t(2));
    QCOMPARE(user.screen().m_description, gbk(QStringLiteral("报警画面")));
    QCOMPARE(user.view()->screenListControl()->rowCount(), 2);

    user.view()->togglePlacement(kKindChars);
    user.clickDisplay(QPoint(9, 9));
    QCOMPARE(user.screen().components().size(), size_t(1));
    auto* text = user.control<QLineEdit>("text");
    QVERIFY(text != nullptr);
    retype(text, QStringLiteral("SCREEN 2"));
    QCOMPARE(static_cast<CChars*>(user.screen().head())->m_text, ByteString("SCREEN 2"));

    auto edited = whenModal<AlarmListDialog>([](AlarmListDialog* d) {
        QTableWidget* grid = d->controls().grid;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(0, 1)).center());
        QVERIFY(d->controls().editor->isVisible());
        retype(d->controls().editor, QStringLiteral("Overheat"));
        QTest::mouseClick(d->controls().ok, Qt::LeftButton);
    });
    user.frame->action(cmd::kAlarmList)->trigger();
    QVERIFY(*edited);
    QCOMPARE(user.frame->project().alarms.m_texts, std::vector<ByteString>{"Overheat"});
}

// The reopened project holds what was built: kinds, positions and the edited properties.
void TestEndToEnd::checkReopened(const Project& project) {
    QCOMPARE(project.protocol(), kProtocol);
    QCOMPARE(project.screens.size(), size_t(2));
    QCOMPARE(project.screens.currentPosition(), size_t(1));
    const CMainView& first = project.screens.at(0);
    QCOMPARE(first.m_number, uint16_t(1));
    // Head first: the last one placed is on top.
    const auto& components = first.components();
    QCOMPARE(components.size(), std::size(kScreen1));
    for (size_t i = 0; i < components.size(); ++i) {
        const Placement& p = kScreen1[std::size(kScreen1) - 1 - i];
        const CBase& c = *components[i];
        QCOMPARE(c.m_kind, p.kind);
        QCOMPARE(c.m_x, p.panelX);
        QCOMPARE(c.m_y, p.panelY);
        switch (p.kind) {
            case kKindTide:
                QCOMPARE(static_cast<const CTide&>(c).m_points, uint8_t(30));
                break;
            case kKindBar:
                QCOMPARE(static_cast<const CBar&>(c).m_direction, uint8_t(CBar::kDown));
                break;
            case kKindLight:
                QCOMPARE(static_cast<const CLight&>(c).m_displayKind, uint8_t(1));
                break;
            case kKindFunction: {
                const auto& key = static_cast<const CFunction&>(c);
                QCOMPARE(key.m_actionKind, uint8_t(kActionJump));
                QCOMPARE(key.m_targetScreen, uint16_t(2));
                break;
            }
            case kKindPicture: {
                const auto& picture = static_cast<const CUpLoadPic&>(c);
                QCOMPARE(picture.width(), 16);
                QCOMPARE(picture.height(), 8);
                // Light where the file is white: the frame's rows and the diagonal.
                int light = 0;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 16; ++x)
                        light += picture.m_bitmap.pixel(x, y) ? 1 : 0;
                QCOMPARE(light, 16 + 16 + 12);
                break;
            }
            case kKindChars:
                QCOMPARE(static_cast<const CChars&>(c).m_text, gbk(QStringLiteral("泵 PUMP")));
                break;
            case kKindRegister:
                QCOMPARE(static_cast<const CRegister&>(c).m_address, uint16_t(123));
                break;
            case kKindDynamic: {
                const auto& dynamic = static_cast<const CDynamic&>(c);
                QCOMPARE(dynamic.m_values[1], 5);
                QCOMPARE(dynamic.m_valueTexts[1], ByteString("5"));
                QCOMPARE(dynamic.m_texts[1], ByteString("OPEN"));
                break;
            }
            default:
                QFAIL("unexpected kind");
        }
    }
    const CMainView& second = project.screens.at(1);
    QCOMPARE(second.m_number, uint16_t(2));
    QCOMPARE(second.m_description, gbk(QStringLiteral("报警画面")));
    QCOMPARE(second.components().size(), size_t(1));
    QCOMPARE(second.head()->m_kind, uint8_t(kKindChars));
    QCOMPARE(second.head()->m_x, 4);
    QCOMPARE(second.head()->m_y, 4);
    QCOMPARE(project.alarms.m_texts, std::vector<ByteString>{"Overheat"});
}

// The download command to orbis-sim, then the panel's image against `vantactl compile`.
void TestEndToEnd::downloadAndCompare(User& user, ScriptedPrompter& prompter,
                                      const QString& saved) {
    const QString link = temp_.filePath("panel");
    const QString simImage = temp_.filePath("sim.bin");
    const QString compiled = temp_.filePath("c.bin");
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(kBin + "/orbis-sim", {"--link", link, "--save-image", simImage, "--once"});
    QVERIFY(sim.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink() || sim.state() == QProcess::NotRunning,
                             5000);
    QVERIFY(QFileInfo(link).isSymLink());
    // The port a download opens: the pseudo-terminal, as "选择通信口" remembers a device.
    PortDialog::rememberDevice(link);
    QCOMPARE(user.frame->downloadPortName(), link);

    // Bounds the download: should the panel fall silent, the line is cut and any notice closed;
    // the link then ends by itself.
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [&] {
        timedOut = true;
        sim.kill();
        if (auto* d = user.frame->findChild<DownloadDialog*>(); d && d->noResponseNotice())
            d->noResponseNotice()->close();
    });
    watchdog.start(60000);
    bool dialogSeen = false;
    QTimer looking;
    connect(&looking, &QTimer::timeout, this, [&] {
        if (auto* d = user.frame->findChild<DownloadDialog*>(); d && d->isVisible())
            dialogSeen = dialogSeen || d->windowTitle() == QStringLiteral("下载画面数据");
    });
    looking.start(5);

    prompter.asked.clear();
    prompter.captions.clear();
    // The last screen's down key leads to the screen after it, which the user never made: the
    // download asks once whether to go on, and the user does.
    prompter.answers.push_back(Answer::Ok);
    QVERIFY(user.frame->action(cmd::kDownload)->isEnabled());
    user.frame->action(cmd::kDownload)->trigger();
    looking.stop();
    watchdog.stop();
    QVERIFY(!timedOut);
    QVERIFY(dialogSeen);
    QVERIFY(user.frame->findChild<DownloadDialog*>() == nullptr);
    const bool ended = sim.waitForFinished(10000);
    if (!ended)
        sim.kill();
    QVERIFY(ended);
    QCOMPARE(sim.exitCode(), 0);

    QProcess vantactl;
    vantactl.setProcessChannelMode(QProcess::MergedChannels);
    vantactl.start(kBin + "/vantactl",
                   {"compile", saved, "-o", compiled, "--data", dataDir_, "--no"});
    QVERIFY(vantactl.waitForStarted(5000));
    const bool compiledInTime = vantactl.waitForFinished(30000);
    if (!compiledInTime)
        vantactl.kill();
    QVERIFY(compiledInTime);
    QVERIFY2(vantactl.exitCode() == 0, vantactl.readAll().constData());

    const QByteArray panel = readFile(simImage);
    const QByteArray expected = readFile(compiled);
    QVERIFY(expected.size() > 48);
    // The editor's messages: the warning's question, then the download's end with the image's
    // size.
    QCOMPARE(prompter.asked.size(), size_t(2));
    QVERIFY(prompter.asked[0].find("the down key leads to screen 3, which does not exist") !=
            std::string::npos);
    QCOMPARE(prompter.asked[1],
             "Download complete!Data " + std::to_string(expected.size()) + " bytes");
    QCOMPARE(panel.size(), expected.size());
    // The panel marked its image valid; the compiler leaves the mark blank.
    QCOMPARE(panel.left(2), QByteArray("\x5A\xA5", 2));
    QCOMPARE(expected.left(2), QByteArray("\xFF\xFF", 2));
    QVERIFY(panel.mid(2) == expected.mid(2));
    qInfo("panel image: %lld bytes, the same as vantactl compile's", qlonglong(panel.size()));
}

void TestEndToEnd::buildSaveReopenAndDownload() {
    QElapsedTimer clock;
    clock.start();
    // The program folder: copies of the data files, its own "In.dat".
    dataDir_ = temp_.filePath("data");
    QVERIFY(QDir().mkpath(dataDir_));
    for (const char* name : kAllDataFiles)
        QVERIFY(QFile::copy(kBin + "/" + name, dataDir_ + "/" + name));
    const QString picture = writePicture(temp_);
    QVERIFY(!picture.isEmpty());

    ScriptedPrompter prompter;
    StartupOptions options;
    options.dataDir = dataDir_;
    options.translate = false;
    options.splash = false;
    Application app(options, &prompter);
    QVERIFY(app.initialise());
    User user{app.mainFrame()};
    QVERIFY(QTest::qWaitForWindowExposed(user.frame));

    QVERIFY(user.newProject(kProtocol));
    QCOMPARE(user.frame->protocolPane()->text().section('.', 0, 0),
             QString::fromUtf8(std::string(protocolNameEnglish(kProtocol)).c_str()));
    placeAndEditScreen1(user, picture);
    if (QTest::currentTestFailed())
        return;
    addScreen2AndAlarm(user);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(user.frame->doc().document().isModified());
    QVERIFY(prompter.asked.empty());

    // Save: the file dialog asks for the name.
    const QString saved = temp_.filePath("plant.osp");
    auto named = answerFileDialog(saved);
    user.frame->action(cmd::kSave)->trigger();
    QVERIFY(*named);
    QVERIFY(!user.frame->doc().document().isModified());
    const QByteArray bytes = readFile(saved);
    QCOMPARE(bytes, savedBytes(user.frame->project()));

    // Another project replaces it; then the saved file is opened again.
    QVERIFY(user.newProject(2));
    QCOMPARE(user.frame->project().screens.size(), size_t(1));
    QVERIFY(user.screen().components().empty());
    QVERIFY(user.frame->project().alarms.m_texts.empty());
    auto opened = answerFileDialog(saved);
    user.frame->action(cmd::kOpen)->trigger();
    QVERIFY(*opened);
    QCOMPARE(QString::fromStdString(user.frame->doc().document().path()), saved);
    checkReopened(user.frame->project());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(savedBytes(user.frame->project()), bytes);
    QCOMPARE(user.view()->screenListControl()->rowCount(), 2);
    QVERIFY(prompter.asked.empty());

    downloadAndCompare(user, prompter, saved);
    if (QTest::currentTestFailed())
        return;

    // The reopened components are selected with a click (the stacking order stays) and show what
    // was typed in their pages.
    // Screen 2 was current when the project was saved, and is again; screen 1 is chosen in the
    // screen list.
    QTableWidget* list = user.view()->screenListControl();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0, 1)).center());
    QCOMPARE(user.screen().m_number, uint16_t(1));
    user.clickDisplay(QPoint(270, 90));
    QCOMPARE(user.view()->selection().front()->m_kind, uint8_t(kKindRegister));
    QVERIFY(user.control<CNumEdit>("addressEdit") != nullptr);
    QCOMPARE(user.control<CNumEdit>("addressEdit")->text(), QStringLiteral("123"));
    user.clickDisplay(QPoint(270, 45));
    QCOMPARE(user.view()->selection().front()->m_kind, uint8_t(kKindChars));
    QVERIFY(user.control<QLineEdit>("text") != nullptr);
    QCOMPARE(user.control<QLineEdit>("text")->text(), QStringLiteral("泵 PUMP"));
    user.clickDisplay(QPoint(0, 108));
    auto* dynamicPage = qobject_cast<DynamicPage*>(user.shownPage());
    QVERIFY(dynamicPage != nullptr);
    QCOMPARE(dynamicPage->controls().grid->cellText(2, 0), QStringLiteral("5"));
    QCOMPARE(dynamicPage->controls().grid->cellText(2, 1), QStringLiteral("OPEN"));
    user.clickDisplay(QPoint(315, 0));
    auto* keyPage = qobject_cast<FunctionPage*>(user.shownPage());
    QVERIFY(keyPage != nullptr);
    QVERIFY(keyPage->controls().action[kActionJump]->isChecked());
    QCOMPARE(keyPage->controls().screen->text(), QStringLiteral("2"));
    qInfo("built, saved, reopened and downloaded in %lld ms", clock.elapsed());
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_end_to_end.moc"
