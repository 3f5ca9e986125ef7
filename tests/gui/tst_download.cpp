// The editor's download command end to end: projects go through the main frame's command and the
// progress dialog to orbis-sim on a pseudo-terminal, and the panel's image is compared with what
// the compiler makes of the same project. Also the cancel question, the "No Response!!!" notice
// that closes by itself or gives up, the questions and failures that stop a download before the
// link, and (logged, not asserted) how responsive the window stays during a paced 32 KB download
// next to the time that `vantactl download` takes for the same project.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>

#include "app/Application.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "common/FileIO.h"
#include "dialogs/DownloadDialog.h"
#include "dialogs/PortDialog.h"
#include "editor/CVantaView.h"
#include "image/ImageCompiler.h"
#include "model/CChars.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "project/Project.h"
#include "qtsupport/DownloadRunner.h"
#include "qtsupport/SerialTransport.h"

using namespace vanta;

namespace {

const QString kBin = QStringLiteral(VANTA_DATA_DIR);

// Answers questions from a script (Cancel when it runs out) and records every message.
class ScriptedPrompter : public Prompter {
  public:
    struct Asked {
        std::string text;
        std::string caption;
    };
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               Severity) override {
        asked.push_back({text, caption});
        if (onAsk)
            onAsk(text);
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool wasAsked(const std::string& text, const std::string& caption) const {
        for (const Asked& a : asked)
            if (a.text == text && a.caption == caption)
                return true;
        return false;
    }
    int count(const std::string& text) const {
        int n = 0;
        for (const Asked& a : asked)
            n += a.text == text ? 1 : 0;
        return n;
    }
    std::vector<Asked> asked;
    std::deque<Answer> answers;
    std::function<void(const std::string&)> onAsk;
};

Bytes readBytes(const QString& path) {
    auto bytes = readWholeFile(path.toStdString());
    return bytes ? bytes.value() : Bytes{};
}

// The image as the panel holds it after a download: the valid mark in its first two bytes.
Bytes marked(Bytes image) {
    if (image.size() >= 2) {
        image[0] = 0x5A;
        image[1] = 0xA5;
    }
    return image;
}

bool holdsValidImage(const Bytes& image) {
    return image.size() >= 2 && image[0] == 0x5A && image[1] == 0xA5;
}

// orbis-sim on a pseudo-terminal linked at `link`; ended (and waited for) on destruction.
class Simulator {
  public:
    explicit Simulator(QString folder) : folder_(std::move(folder)) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Simulator() { stop(); }

    QString link() const { return folder_ + "/panel"; }
    QString imagePath() const { return folder_ + "/panel-image.bin"; }
    QString driverPath() const { return folder_ + "/panel-driver.bin"; }

    // Starts it; true once its link exists.
    bool start(const QStringList& extra) {
        QFile::remove(imagePath());
        QFile::remove(driverPath());
        QStringList args{"--link",    link(),          "--save-image",
                         imagePath(), "--save-driver", driverPath()};
        process_.start(kBin + "/orbis-sim", args + extra);
        if (!process_.waitForStarted(5000))
            return false;
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo(link()).isSymLink()) {
            if (waited.elapsed() > 5000 || process_.state() == QProcess::NotRunning)
                return false;
            QTest::qWait(10);
        }
        return true;
    }
    // Waits for a simulator that ends by itself (--once).
    bool waitEnd(int ms) {
        return process_.state() == QProcess::NotRunning || process_.waitForFinished(ms);
    }
    // Ends it; it saves what it holds.
    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    // Cuts the line: the PC side sees its port fail or its frames time out.
    void kill() {
        if (process_.state() != QProcess::NotRunning)
            process_.kill();
    }
    Bytes image() const { return readBytes(imagePath()); }
    Bytes driver() const { return readBytes(driverPath()); }

  private:
    QString folder_;
    QProcess process_;
};

// Watches the progress dialog from the event loop every 5 ms while a download runs: what it
// shows, the notice, the progress, and the longest gap between two of its own turns (how long
// the window went without handling events). `act` runs on each turn while the dialog is up.
class Observer : public QObject {
  public:
    Observer(QWidget& frame, Simulator* simulator, int limitMs)
        : frame_(frame), simulator_(simulator) {
        turns_.setInterval(5);
        turns_.setTimerType(Qt::PreciseTimer);
        connect(&turns_, &QTimer::timeout, this, [this] { turn(); });
        // Bounds the test: the line is cut, the notice closed; the link then ends by itself.
        watchdog_.setSingleShot(true);
        connect(&watchdog_, &QTimer::timeout, this, [this] {
            timedOut = true;
            if (simulator_)
                simulator_->kill();
            if (DownloadDialog* d = dialog(); d && d->noResponseNotice())
                d->noResponseNotice()->close();
        });
        watchdog_.start(limitMs);
        turns_.start();
        clock_.start();
    }

    DownloadDialog* dialog() const { return frame_.findChild<DownloadDialog*>(); }

    std::function<void(DownloadDialog&)> act;
    bool timedOut = false;
    bool dialogSeen = false;
    bool dialogShownRight = false;  // title, bar range, button text, modal
    int maxProgress = 0;
    bool progressWentBack = false;
    bool noticeSeen = false;
    bool noticeShownRight = false;
    bool noticeClosedByItself = false;
    qint64 maxGapMs = 0;
    int turnsSeen = 0;

  private:
    void turn() {
        const qint64 now = clock_.elapsed();
        DownloadDialog* d = dialog();
        if (d && d->isVisible()) {
            if (lastTurn_ >= 0)
                maxGapMs = std::max(maxGapMs, now - lastTurn_);
            lastTurn_ = now;
            ++turnsSeen;
            if (!dialogSeen) {
                dialogSeen = true;
                dialogShownRight = d->windowTitle() == QStringLiteral("下载画面数据") &&
                                   d->isModal() && d->progressBar()->minimum() == 0 &&
                                   d->progressBar()->maximum() == 10000 &&
                                   d->cancelButton()->text() == QStringLiteral("取   消");
            }
            const int value = d->progressBar()->value();
            progressWentBack = progressWentBack || value < maxProgress;
            maxProgress = std::max(maxProgress, value);
            if (QMessageBox* notice = d->noResponseNotice(); notice && notice->isVisible()) {
                if (!noticeSeen) {
                    noticeSeen = true;
                    noticeShownRight = notice->windowTitle() == "Vanta  no response" &&
                                       notice->text() == "No Response!!!" && !notice->isModal() &&
                                       d->isVisible();
                }
            } else if (noticeSeen && !d->runner().finished()) {
                noticeClosedByItself = true;
            }
            if (act)
                act(*d);
        } else {
            lastTurn_ = -1;
        }
    }

    QWidget& frame_;
    Simulator* simulator_;
    QTimer turns_;
    QTimer watchdog_;
    QElapsedTimer clock_;
    qint64 lastTurn_ = -1;
};

// A GBK double-byte character, the n-th of the first-level hanzi rows (0xB0A1 onwards).
std::string hanzi(int n) {
    std::string s;
    s.push_back(static_cast<char>(0xB0 + n / 94));
    s.push_back(static_cast<char>(0xA1 + n % 94));
    return s;
}

// Fills screens with lines of twelve distinct Chinese characters (every character of the project
// is another 32-byte glyph in the image) until the image is just below the panel's 32 KB.
size_t fillWithChineseTexts(Project& project, const std::string& dataDir) {
    ScriptedPrompter quiet;
    CompileOptions options;
    options.dataDir = dataDir;
    int next = 0;
    size_t size = 0;
    for (uint16_t number = 1; number < 200; ++number) {
        CMainView& screen =
            number == 1 ? *project.screens.current() : project.screens.createScreen(number, {});
        for (int line = 0; line < 4; ++line) {
            std::string text;
            for (int i = 0; i < 12; ++i)
                text += hanzi(next++);
            screen.addComponent(std::make_unique<CChars>(project.context(), 0, line * 36, text), 0,
                                line * 36);
        }
        const CompileResult compiled = compileProject(project, options, quiet);
        if (!compiled.ok())
            return 0;
        if (compiled.compiled.image.size() > 31 * 1024) {
            size = compiled.compiled.image.size();
            break;
        }
    }
    return size;
}

const QString kDemo = QStringLiteral(VANTA_SOURCE_DIR "/data/samples/demo.osp");

}  // namespace

class TestDownload : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void downloadCommandOfTheFrame();
    void typedPortPathDownloadsToTheSimulator();
    void cancelQuestion();
    void lateHandshakeNoticeClosesByItself();
    void closingTheNoticeGivesUp();
    void stopsBeforeTheLink();
    void pacedDownloadKeepsTheWindowResponsive();

  private:
    // A data folder of its own (the compiler rewrites its "In.dat").
    QString dataDir() const { return temp_.path() + "/data"; }

    QTemporaryDir temp_;
    QTemporaryDir settings_;
    QWidget frame_;  // stands for the main frame: the dialog's parent
};

void TestDownload::initTestCase() {
    QVERIFY(temp_.isValid());
    // The port chosen in the editor is kept in the settings: a folder of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY2(QFileInfo(kBin + "/orbis-sim").isExecutable(), "orbis-sim must be built");
    QVERIFY(QDir().mkpath(dataDir()));
    for (const char* name : {"Ostra_EN.dat", "Ostra_CH.dat", "Ostra_Ptc.dat"})
        QVERIFY(QFile::link(kBin + "/" + name, dataDir() + "/" + name));
    frame_.resize(750, 560);
    frame_.show();
}

void TestDownload::cancelQuestion() {
    // Enough screens of text that the paced download lasts a few seconds.
    Project project(nullptr, 4);
    project.resetToNew(4);
    QVERIFY(fillWithChineseTexts(project, dataDir().toStdString()) > 0);

    Simulator sim(temp_.path());
    QVERIFY(sim.start({"--pace"}));
    ScriptedPrompter prompter;
    // Escape is answered Cancel (the download goes on), the button OK (it stops).
    prompter.answers = {Answer::Cancel, Answer::Ok};
    Observer observer(frame_, &sim, 30000);
    bool pausedWhileAsked = true;
    int progressAtCancel = -1;
    prompter.onAsk = [&](const std::string& text) {
        if (DownloadDialog* d = observer.dialog(); d && text == "Download will be canceled?") {
            pausedWhileAsked = pausedWhileAsked && d->runner().engine().paused();
            progressAtCancel = d->progressBar()->value();
        }
    };
    int step = 0;
    observer.act = [&](DownloadDialog& d) {
        const int value = d.progressBar()->value();
        if (step == 0 && value >= 2000) {
            step = 1;
            QTest::keyClick(&d, Qt::Key_Escape);
        } else if (step == 1 && value >= 4000) {
            step = 2;
            QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
        }
    };
    const bool ok = runDownload(project, dataDir(), sim.link(), false, prompter, &frame_);
    QVERIFY(!observer.timedOut);

    QVERIFY(!ok);
    QCOMPARE(step, 2);
    QCOMPARE(prompter.count("Download will be canceled?"), 2);
    QVERIFY(prompter.wasAsked("Download will be canceled?", "Download Data"));
    QVERIFY(pausedWhileAsked);
    // The first answer let the download go on past where it was asked.
    QVERIFY(progressAtCancel >= 4000 && progressAtCancel < 10000);
    QVERIFY(observer.maxProgress < 10000);
    // A cancel after the old image was invalidated says that the panel needs a whole download.
    QCOMPARE(prompter.asked.size(), size_t(3));
    QVERIFY(prompter.asked.back().text.find("面板需要一次完整的下载") != std::string::npos);
    QVERIFY(frame_.findChild<DownloadDialog*>() == nullptr);

    // The port was let go: it opens again at once.
    SerialTransport again;
    QVERIFY(again.open(sim.link().toStdString()).ok());
    again.close();
    sim.stop();
    // The old image was invalidated and part of the new one written, but never marked valid.
    const Bytes held = sim.image();
    QVERIFY(held.size() >= 128);
    QVERIFY(!holdsValidImage(held));
}

void TestDownload::lateHandshakeNoticeClosesByItself() {
    Project project;
    QVERIFY(project.load(readBytes(kDemo)).ok());
    Simulator sim(temp_.path());
    QVERIFY(sim.start({"--protocol", QString::number(project.protocol()), "--fault",
                       "no-handshake=800", "--once"}));
    ScriptedPrompter prompter;
    Observer observer(frame_, &sim, 30000);
    // A short tick ends the first handshake round (100 ticks) well before the panel answers.
    const bool ok = runDownload(project, dataDir(), sim.link(), false, prompter, &frame_, 4);
    QVERIFY(!observer.timedOut);
    QVERIFY(sim.waitEnd(10000));

    QVERIFY(observer.noticeSeen);
    QVERIFY(observer.noticeShownRight);
    QVERIFY(observer.noticeClosedByItself);
    QVERIFY(ok);
    QCOMPARE(prompter.asked.size(), size_t(1));
    QVERIFY(prompter.asked.back().text.rfind("Download complete!Data ", 0) == 0);
    QVERIFY(holdsValidImage(sim.image()));
}

void TestDownload::closingTheNoticeGivesUp() {
    Project project;
    QVERIFY(project.load(readBytes(kDemo)).ok());
    Simulator sim(temp_.path());
    QVERIFY(sim.start({"--fault", "no-handshake=600000"}));
    ScriptedPrompter prompter;
    Observer observer(frame_, &sim, 30000);
    observer.act = [](DownloadDialog& d) {
        if (QMessageBox* notice = d.noResponseNotice(); notice && notice->isVisible())
            QTest::mouseClick(notice->button(QMessageBox::Ok), Qt::LeftButton);
    };
    const bool ok = runDownload(project, dataDir(), sim.link(), false, prompter, &frame_, 4);
    QVERIFY(!observer.timedOut);

    QVERIFY(!ok);
    QVERIFY(observer.noticeSeen);
    QCOMPARE(prompter.asked.size(), size_t(1));
    QCOMPARE(prompter.asked[0].text, std::string("Communication Error!!!"));
    QCOMPARE(prompter.asked[0].caption, std::string("Download data"));
    QVERIFY(frame_.findChild<QMessageBox*>() == nullptr);
}

void TestDownload::stopsBeforeTheLink() {
    const QString noPort = temp_.path() + "/no-such-port";
    const std::string portFailure = "Cannot open the serial port" + noPort.toStdString() + "!";

    // Register limits to correct: OK stops before the port is touched, Cancel goes on.
    for (const Answer answer : {Answer::Ok, Answer::Cancel}) {
        Project project(nullptr, 4);
        project.resetToNew(4);
        auto* reg = static_cast<CRegister*>(project.screens.current()->addComponent(2, 0, 0));
        QVERIFY(reg != nullptr);
        reg->m_limits = 1;
        reg->m_inputLow = 50;
        reg->m_inputHigh = 50;
        ScriptedPrompter prompter;
        prompter.answers = {answer};
        QVERIFY(!runDownload(project, dataDir(), noPort, false, prompter, &frame_));
        // The question names the screen, the component and the values the correction writes.
        QVERIFY(!prompter.asked.empty());
        QCOMPARE(prompter.asked[0].text,
                 std::string("Register Limit error, cancel?\nWindow 1, Register at (0, 0): upper "
                             "limit 50, lower limit 50 become upper limit 51, lower limit 50"));
        if (answer == Answer::Ok) {
            QCOMPARE(prompter.asked.size(), size_t(1));
        } else {
            QCOMPARE(prompter.asked.size(), size_t(2));
            QVERIFY(prompter.asked[1].text.rfind(portFailure, 0) == 0);
            QVERIFY(prompter.asked[1].text.size() > portFailure.size() + 1);  // and why
            QCOMPARE(prompter.asked[1].caption, std::string("Download data"));
        }
    }

    // Without the double-byte glyph file nothing is sent.
    const QString bare = temp_.path() + "/bare";
    QVERIFY(QDir().mkpath(bare));
    QVERIFY(QFile::link(kBin + "/Ostra_EN.dat", bare + "/Ostra_EN.dat"));
    QVERIFY(QFile::link(kBin + "/Ostra_Ptc.dat", bare + "/Ostra_Ptc.dat"));
    Project project(nullptr, 4);
    project.resetToNew(4);
    project.screens.current()->addComponent(
        std::make_unique<CChars>(project.context(), 0, 0, hanzi(0)), 0, 0);
    ScriptedPrompter prompter;
    QVERIFY(!runDownload(project, bare, noPort, false, prompter, &frame_));
    QCOMPARE(prompter.asked.size(), size_t(1));
    QVERIFY(prompter.asked[0].text.find("Ostra_CH.dat") != std::string::npos);
    QVERIFY(frame_.findChild<DownloadDialog*>() == nullptr);
}

void TestDownload::pacedDownloadKeepsTheWindowResponsive() {
    Project project(nullptr, 4);
    project.resetToNew(4);
    const size_t size = fillWithChineseTexts(project, dataDir().toStdString());
    QVERIFY(size > 31 * 1024 && size <= 32768);
    const QString projectPath = temp_.path() + "/big.osp";
    QVERIFY(writeFileAtomically(projectPath.toStdString(), project.save()).ok());

    // The editor: paced panel with the same driver, so only the image travels.
    ScriptedPrompter quiet;
    CompileOptions options;
    options.dataDir = dataDir().toStdString();
    const CompileResult expected = compileProject(project, options, quiet);
    QVERIFY(expected.ok());
    const QStringList panel{"--pace",           "--once",
                            "--protocol",       QString::number(project.protocol()),
                            "--driver-version", QString::number(expected.compiled.driver.version)};
    qint64 editorMs = 0;
    {
        Simulator sim(temp_.path());
        QVERIFY(sim.start(panel));
        ScriptedPrompter prompter;
        Observer observer(frame_, &sim, 60000);
        QElapsedTimer clock;
        clock.start();
        const bool ok = runDownload(project, dataDir(), sim.link(), false, prompter, &frame_);
        editorMs = clock.elapsed();
        QVERIFY(!observer.timedOut);
        QVERIFY(ok);
        QVERIFY(sim.waitEnd(10000));
        QVERIFY(sim.image() == marked(expected.compiled.image));
        qInfo("editor: %zu bytes in %lld ms; the event loop turned %d times, longest gap %lld ms",
              size, editorMs, observer.turnsSeen, observer.maxGapMs);
    }

    // The command line, same project, same panel.
    {
        Simulator sim(temp_.path());
        QVERIFY(sim.start(panel));
        QProcess cli;
        cli.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        cli.start(kBin + "/vantactl",
                  {"download", projectPath, "--port", sim.link(), "--data", dataDir()});
        QVERIFY(cli.waitForStarted(5000));
        const bool ended = cli.waitForFinished(60000);
        const qint64 cliMs = clock.elapsed();
        if (!ended)
            cli.kill();
        QVERIFY(ended);
        QVERIFY2(cli.exitCode() == 0, cli.readAll().constData());
        QVERIFY(sim.waitEnd(10000));
        QVERIFY(sim.image() == marked(expected.compiled.image));
        qInfo("vantactl download: %lld ms; editor / vantactl = %.3f", cliMs,
              cliMs > 0 ? double(editorMs) / double(cliMs) : 0.0);
    }
}

// The "下载数据(D)" command of the main frame, to the port chosen in the editor, three times: a
// panel with another protocol gets the driver too; a panel that has the project's driver gets it
// again only while Ctrl is held on the view, and that Ctrl counts for one download only (here it
// comes up in another window).
void TestDownload::downloadCommandOfTheFrame() {
    Project project;
    QVERIFY(project.load(readBytes(kDemo)).ok());
    ScriptedPrompter quiet;
    CompileOptions options;
    options.dataDir = dataDir().toStdString();
    const CompileResult expected = compileProject(project, options, quiet);
    QVERIFY(expected.ok());
    QCOMPARE(expected.compiled.image[0], uint8_t(0xFF));
    QVERIFY(!expected.compiled.driver.bytes.empty());
    const std::string complete =
        "Download complete!Data " + std::to_string(expected.compiled.image.size()) + " bytes";

    StartupOptions startup;
    startup.dataDir = dataDir();
    startup.translate = false;
    startup.splash = false;
    ScriptedPrompter prompter;
    Application app(startup, &prompter);
    QVERIFY(app.initialise());
    CMainFrame* frame = app.mainFrame();
    QVERIFY(frame->openDocumentFile(kDemo));
    QVERIFY(frame->action(cmd::kDownload)->isEnabled());
    Simulator sim(temp_.path());
    PortDialog::rememberDevice(sim.link());
    QCOMPARE(frame->downloadPortName(), sim.link());

    struct Case {
        bool otherProtocol;
        bool ctrl;
        bool driverSent;
    };
    for (const Case c :
         {Case{true, false, true}, Case{false, true, true}, Case{false, false, false}}) {
        const int protocol = c.otherProtocol ? project.protocol() % 40 + 1 : project.protocol();
        QVERIFY(sim.start({"--once", "--protocol", QString::number(protocol), "--driver-version",
                           QString::number(expected.compiled.driver.version)}));
        if (c.ctrl)
            QTest::keyPress(frame->view(), Qt::Key_Control);
        prompter.asked.clear();
        Observer observer(*frame, &sim, 30000);
        frame->action(cmd::kDownload)->trigger();
        QVERIFY(!observer.timedOut);
        QVERIFY(sim.waitEnd(10000));

        QVERIFY(observer.dialogSeen);
        QVERIFY(observer.dialogShownRight);
        QVERIFY(!observer.progressWentBack);
        QVERIFY(!observer.noticeSeen);
        QVERIFY(frame->findChild<DownloadDialog*>() == nullptr);
        QCOMPARE(prompter.asked.size(), size_t(1));
        QCOMPARE(prompter.asked[0].text, complete);
        QCOMPARE(prompter.asked[0].caption, std::string("Download data"));
        QVERIFY(sim.image() == marked(expected.compiled.image));
        QVERIFY(sim.driver() == (c.driverSent ? expected.compiled.driver.bytes : Bytes{}));
    }
    // The compiler noted the catalogue entry of the driver in the program folder's "In.dat".
    const Bytes selection = readBytes(dataDir() + "/In.dat");
    QVERIFY(!selection.empty());
    QCOMPARE(int(selection[0]), expected.compiled.driver.entryIndex);
    PortDialog::rememberDevice({});
}

// In the English interface, the simulator's pseudo-terminal typed into the port dialog (it is
// no detected serial port) is remembered and the download goes there; the progress dialog shows
// the stage and the bytes sent of the total.
void TestDownload::typedPortPathDownloadsToTheSimulator() {
    PortDialog::rememberDevice({});
    Project project;
    QVERIFY(project.load(readBytes(kDemo)).ok());
    ScriptedPrompter quiet;
    CompileOptions options;
    options.dataDir = dataDir().toStdString();
    const CompileResult expected = compileProject(project, options, quiet);
    QVERIFY(expected.ok());

    StartupOptions startup;
    startup.dataDir = dataDir();
    startup.translationDir = kBin;
    startup.translate = true;
    startup.splash = false;
    ScriptedPrompter prompter;
    Application app(startup, &prompter);
    QVERIFY(app.initialise());
    QVERIFY(app.isTranslated());
    CMainFrame* frame = app.mainFrame();
    QVERIFY(frame->openDocumentFile(kDemo));
    Simulator sim(temp_.path());
    QVERIFY(sim.start({"--once", "--protocol", QString::number(project.protocol()),
                       "--driver-version", QString::number(expected.compiled.driver.version)}));

    // The port command: the path typed over the list.
    QString described;
    bool typed = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* d = qobject_cast<PortDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        poll.stop();
        d->portBox()->setEditText(sim.link());
        described = d->descriptionLabel()->text();
        typed = true;
        d->accept();
    });
    poll.start();
    frame->action(cmd::kPortSelection)->trigger();
    poll.stop();
    QVERIFY(typed);
    QCOMPARE(described, QStringLiteral("Device %1.").arg(sim.link()));
    QCOMPARE(PortDialog::rememberedDevice(), sim.link());
    QCOMPARE(frame->downloadPortName(), sim.link());

    prompter.asked.clear();
    Observer observer(*frame, &sim, 30000);
    QString stage;
    QString bytes;
    observer.act = [&](DownloadDialog& d) {
        stage = d.stageLabel()->text();
        if (!d.bytesLabel()->text().isEmpty())
            bytes = d.bytesLabel()->text();
    };
    frame->action(cmd::kDownload)->trigger();
    QVERIFY(!observer.timedOut);
    QVERIFY(sim.waitEnd(10000));
    QVERIFY(sim.image() == marked(expected.compiled.image));
    QCOMPARE(prompter.asked.size(), size_t(1));
    QCOMPARE(prompter.asked[0].text,
             "Download complete!Data " + std::to_string(expected.compiled.image.size()) + " bytes");
    QVERIFY2(stage.startsWith(QStringLiteral("Stage: ")), qPrintable(stage));
    QVERIFY2(bytes.endsWith(QStringLiteral(" of %1 bytes sent")
                                .arg(QLocale().toString(
                                    static_cast<qlonglong>(expected.compiled.image.size())))),
             qPrintable(bytes));
    PortDialog::rememberDevice({});
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
