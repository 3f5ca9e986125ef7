// The emulator window polling 100 registers from a Modbus TCP server on the same machine at
// 10 Hz (the values changing all the time), and against a PLC that takes the connection but
// never answers: how long the window's event loop is ever kept from its timers (target: under
// 20 ms), how many polls reach the server and how often the display follows.
//
// Each run keeps the window for 3 s; a 2 ms timer measures the gaps between its ticks (wall
// time: on a loaded machine the scheduler's share shows in it too) and the processor time the
// gui thread itself spent between two ticks (what the window's own work holds the loop up).

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <ctime>
#include <memory>
#include <thread>

#include "../tests/core/modbus_test_support.h"
#include "GuiBenchSupport.h"
#include "common/FontTables.h"
#include "dialogs/EmulatorWindow.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "project/Project.h"
#include "widgets/PanelDisplayWidget.h"

namespace vanta {
namespace {

constexpr int kRegisters = 100;
constexpr int kRunMs = 3000;
constexpr int kProbeMs = 2;

class SilentPrompter : public Prompter {
  public:
    Answer ask(const std::string&, const std::string&, Buttons, Severity) override {
        return Answer::Cancel;
    }
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_gui_emulator";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Protocol 3 (Modbus RTU), one screen with registers 4x1..4x100.
void fillProject(Project& project) {
    project.resetToNew(3);
    CMainView& screen = *project.screens.current();
    for (int i = 0; i < kRegisters; ++i) {
        auto* r = static_cast<CRegister*>(
            screen.addComponent(kKindRegister, (i % 8) * 54, ((i / 8) % 4) * 36));
        r->m_address = static_cast<uint16_t>(i + 1);
    }
}

// A PLC that takes the connection and never answers.
class MutePlc {
  public:
    MutePlc() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 8);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~MutePlc() { ::close(listener_); }
    int port() const { return port_; }

  private:
    int listener_ = -1;
    int port_ = 0;
};

struct Gaps {
    double longestMs = 0;
    double meanMs = 0;
    double longestBusyMs = 0;  // processor time of the gui thread between two ticks
};

int64_t threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

// Runs the event loop for kRunMs with the probe timer; the longest and mean gaps between ticks.
Gaps runEventLoop() {
    QEventLoop loop;
    QTimer probe;
    QElapsedTimer clock;
    qint64 last = 0, ticks = 0, total = 0, longest = 0;
    int64_t lastCpu = 0, longestBusy = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const int64_t cpu = threadCpuNs();
        if (ticks > 0) {
            longest = std::max(longest, now - last);
            total += now - last;
            longestBusy = std::max(longestBusy, cpu - lastCpu);
        }
        last = now;
        lastCpu = cpu;
        ++ticks;
    });
    probe.setTimerType(Qt::PreciseTimer);
    probe.start(kProbeMs);
    clock.start();
    QTimer::singleShot(kRunMs, &loop, &QEventLoop::quit);
    loop.exec();
    return {longest / 1e6, ticks > 1 ? total / 1e6 / static_cast<double>(ticks - 1) : 0,
            static_cast<double>(longestBusy) / 1e6};
}

void runWindow(benchmark::State& state, int port, bool changing,
               testing::LoopbackModbusServer* server) {
    application();
    SilentPrompter prompter;
    Project project;
    fillProject(project);
    std::unique_ptr<EmulatorWindow> window(
        EmulatorWindow::open(project, VANTA_DATA_DIR, bench::benchFonts(), prompter));
    if (!window) {
        state.SkipWithError("the project did not compile");
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    ModbusSettings settings;
    settings.port = port;
    settings.intervalMs = 100;
    window->setModbusSettings(settings);
    window->useSource(EmulatorWindow::Source::ModbusTcp);

    // The PLC's values change every 10 ms from a thread of its own.
    std::atomic<bool> stop{false};
    std::thread plc([&] {
        uint16_t v = 0;
        while (changing && !stop) {
            ++v;
            for (int i = 0; i < kRegisters; ++i)
                server->setHolding(i, static_cast<uint16_t>(v + i));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    const long requestsBefore = server ? server->requests() : 0;
    const long updatesBefore = window->display()->repaints();
    Gaps gaps;
    for (auto _ : state) {
        gaps = runEventLoop();
        state.SetIterationTime(kRunMs / 1000.0);
    }
    stop = true;
    plc.join();
    state.counters["longest_gap_ms"] = gaps.longestMs;
    state.counters["mean_gap_ms"] = gaps.meanMs;
    state.counters["longest_stall_ms"] = std::max(0.0, gaps.longestMs - kProbeMs);
    state.counters["longest_gui_busy_ms"] = gaps.longestBusyMs;
    if (server)
        state.counters["polls_per_s"] =
            static_cast<double>(server->requests() - requestsBefore) * 1000.0 / kRunMs;
    state.counters["display_updates_per_s"] =
        static_cast<double>(window->display()->repaints() - updatesBefore) * 1000.0 / kRunMs;
}

void BM_Poll100RegistersAt10Hz(benchmark::State& state) {
    testing::LoopbackModbusServer server;
    runWindow(state, server.port(), true, &server);
}
BENCHMARK(BM_Poll100RegistersAt10Hz)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_PlcThatNeverAnswers(benchmark::State& state) {
    MutePlc mute;
    runWindow(state, mute.port(), false, nullptr);
}
BENCHMARK(BM_PlcThatNeverAnswers)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace vanta
