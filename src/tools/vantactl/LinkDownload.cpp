#include "LinkDownload.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "Command.h"
#include "qtsupport/DownloadRunner.h"
#include "qtsupport/SerialTransport.h"

namespace vantactl {

namespace {

volatile sig_atomic_t g_interrupted = 0;
void onInterrupt(int) {
    g_interrupted = 1;
}

// Progress on stderr: a bar on a terminal, otherwise one line per tenth of the way.
class ProgressPrinter {
  public:
    ProgressPrinter() : terminal_(::isatty(STDERR_FILENO) == 1) {}

    void show(int position) {
        const int percent = position / 100;
        if (terminal_) {
            const int width = 40;
            const int filled = position * width / 10000;
            std::fprintf(stderr, "\rDownload [%s%s] %3d%%", std::string(filled, '#').c_str(),
                         std::string(width - filled, '.').c_str(), percent);
            barShown_ = true;
        } else if (percent / 10 > lastTenth_) {
            lastTenth_ = percent / 10;
            std::fprintf(stderr, "progress %d%%\n", lastTenth_ * 10);
        }
        std::fflush(stderr);
    }
    // A line of its own, below the bar.
    void note(const std::string& text) {
        endBar();
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    }
    void endBar() {
        if (barShown_)
            std::fputc('\n', stderr);
        barShown_ = false;
    }
    bool terminal() const { return terminal_; }

  private:
    bool terminal_;
    bool barShown_ = false;
    int lastTenth_ = 0;
};

// Installs the interrupt handlers for the length of one download.
class InterruptGuard {
  public:
    InterruptGuard() {
        g_interrupted = 0;
        struct sigaction sa {};
        sa.sa_handler = onInterrupt;
        ::sigemptyset(&sa.sa_mask);
        ::sigaction(SIGINT, &sa, &oldInt_);
        ::sigaction(SIGTERM, &sa, &oldTerm_);
    }
    ~InterruptGuard() {
        ::sigaction(SIGINT, &oldInt_, nullptr);
        ::sigaction(SIGTERM, &oldTerm_, nullptr);
    }

  private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

}  // namespace

int runDownloadLink(const vanta::LinkJob& job, const LinkRunOptions& options) {
    if (vanta::Status fits = vanta::LinkEngine::validate(job); !fits) {
        std::fprintf(stderr, "%s\n", fits.message().c_str());
        return kExitFailure;
    }
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "vantactl";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    vanta::SerialTransport transport;
    if (vanta::Status opened = transport.open(options.port); !opened) {
        std::fprintf(stderr, "%s\n", opened.message().c_str());
        return kExitFailure;
    }

    InterruptGuard interrupts;
    ProgressPrinter printer;
    vanta::DownloadRunner runner(transport, job, options.tickMs);
    vanta::LinkOutcome outcome;
    QEventLoop loop;
    QTimer giveUpTimer;
    giveUpTimer.setSingleShot(true);

    QObject::connect(&runner, &vanta::DownloadRunner::progress,
                     [&](int position) { printer.show(position); });
    QObject::connect(&runner, &vanta::DownloadRunner::noAnswer, [&] {
        printer.note(std::string(vanta::linktext::kNoResponse) +
                     (printer.terminal() ? " (Ctrl-C gives up)" : ""));
        if (options.giveUpAfterSeconds > 0)
            giveUpTimer.start(options.giveUpAfterSeconds * 1000);
    });
    QObject::connect(&runner, &vanta::DownloadRunner::answered, [&] {
        giveUpTimer.stop();
        printer.note("The panel answered.");
    });
    QObject::connect(&giveUpTimer, &QTimer::timeout, &runner, &vanta::DownloadRunner::giveUp);
    QObject::connect(&runner, &vanta::DownloadRunner::finishedWith,
                     [&](const vanta::LinkOutcome& o) {
                         outcome = o;
                         loop.quit();
                     });
    // Ctrl-C: give up on a panel that never answered, cancel a running download.
    QTimer interruptPoll;
    QObject::connect(&interruptPoll, &QTimer::timeout, [&] {
        if (!g_interrupted)
            return;
        g_interrupted = 0;
        if (runner.engine().phase() == vanta::LinkEngine::Phase::HandshakeRetry) {
            runner.giveUp();
        } else {
            runner.cancel();
        }
    });
    interruptPoll.start(50);

    runner.start();
    if (!runner.finished())
        loop.exec();
    interruptPoll.stop();
    transport.close();
    printer.endBar();

    switch (outcome.end) {
        case vanta::LinkEnd::Success:
            std::printf("%s\n", outcome.message.c_str());
            std::fflush(stdout);
            return kExitOk;
        case vanta::LinkEnd::Cancelled:
            std::fprintf(stderr, "Download canceled.\n");
            return kExitFailure;
        case vanta::LinkEnd::Failure:
            std::fprintf(stderr, "%s\n", outcome.message.c_str());
            return kExitFailure;
    }
    return kExitFailure;
}

}  // namespace vantactl
