// orbis-sim: the panel's side of the download link on a pseudo-terminal, for tests and for trying
// the editor without a panel. The protocol logic is the core's PanelSimulator; this file only
// owns the pseudo-terminal, the clock and the command line.
//
// orbis-sim --link PATH [--protocol N] [--driver-version V] [--save-image F] [--save-driver F]
//           [--pace] [--fault SPEC] [--once] [--emulate]
// orbis-sim --help | --version

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "TerminalPanel.h"
#include "common/FileIO.h"
#include "link/PanelSimulator.h"
#include "qtsupport/AppInfo.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// With --once, the simulator stays this long after the last byte of a completed download, so a
// repeated mark still gets its answer and the PC reads the last one before the line closes.
constexpr int64_t kOnceLingerNs = 200 * vanta::kNsPerMs;

volatile sig_atomic_t g_stop = 0;
void onSignal(int) {
    g_stop = 1;
}

struct Options {
    std::string link;
    int protocol = 1;
    int driverVersion = 1;
    std::string saveImage;
    std::string saveDriver;
    bool pace = false;
    std::string faults;
    bool once = false;
    bool emulate = false;
};

void usage(FILE* out) {
    std::fputs(
        "usage: orbis-sim --link PATH [--protocol N] [--driver-version V]\n"
        "                 [--save-image F] [--save-driver F] [--pace] [--fault SPEC] [--once]\n"
        "                 [--emulate]\n"
        "       orbis-sim --help | --version\n"
        "\n"
        "The panel's side of the download link on a pseudo-terminal linked at PATH.\n"
        "\n"
        "  --link PATH         the symbolic link to make to the pseudo-terminal\n"
        "  --protocol N        the protocol of the installed driver (0..255, default 1)\n"
        "  --driver-version V  the version of the installed driver (0..255, default 1)\n"
        "  --save-image F      write the image memory to F after each download and at the end\n"
        "  --save-driver F     the same for the driver memory\n"
        "  --pace              keep the time of a 115200 baud line in both directions\n"
        "  --fault SPEC        comma-separated: no-handshake=MS, drop=N, drop-rate=P,\n"
        "                      bad-sum=N, nak=P, refuse=N, delay=MS, delay-rate=P,\n"
        "                      late=N:SECONDS, flip=P, bit-flip=P, silent-after=N, seed=S\n"
        "  --once              end after one completed download\n"
        "  --emulate           after each download, run the image on the emulated panel and\n"
        "                      show its display; lines typed in are keys (SET 1 2 ENT)\n"
        "  -h, --help          show this help and exit\n"
        "  --version           show the version and exit\n",
        out);
}

bool parseByte(const char* text, int& out) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno || end == text || *end || v < 0 || v > 255)
        return false;
    out = static_cast<int>(v);
    return true;
}

// 0 on success, otherwise the exit status.
int parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "orbis-sim: option %s needs a value\n", name);
                return nullptr;
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            usage(stdout);
            std::exit(kExitOk);
        } else if (a == "--version") {
            std::printf("orbis-sim %s\n", vanta::app::kVersion);
            std::exit(kExitOk);
        } else if (a == "--link") {
            const char* v = value("--link");
            if (!v)
                return kExitUsage;
            o.link = v;
        } else if (a == "--protocol" || a == "--driver-version") {
            const char* v = value(a.c_str());
            int& target = a == "--protocol" ? o.protocol : o.driverVersion;
            if (!v || !parseByte(v, target)) {
                std::fprintf(stderr, "orbis-sim: %s needs a number 0..255\n", a.c_str());
                return kExitUsage;
            }
        } else if (a == "--save-image" || a == "--save-driver" || a == "--fault") {
            const char* v = value(a.c_str());
            if (!v)
                return kExitUsage;
            (a == "--save-image"    ? o.saveImage
             : a == "--save-driver" ? o.saveDriver
                                    : o.faults) = v;
        } else if (a == "--pace") {
            o.pace = true;
        } else if (a == "--once") {
            o.once = true;
        } else if (a == "--emulate") {
            o.emulate = true;
        } else {
            std::fprintf(stderr, "orbis-sim: unknown argument %s\n", a.c_str());
            return kExitUsage;
        }
    }
    if (o.link.empty()) {
        std::fprintf(stderr, "orbis-sim: --link PATH is required\n");
        return kExitUsage;
    }
    return 0;
}

int64_t nowNs() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

bool saveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty())
        return true;
    const vanta::Status written = vanta::writeFileAtomically(path, bytes);
    if (!written) {
        std::fprintf(stderr, "orbis-sim: %s\n", written.message().c_str());
        return false;
    }
    return true;
}

bool saveHeld(const Options& o, const vanta::PanelSimulator& panel) {
    return saveFile(o.saveImage, panel.image()) & saveFile(o.saveDriver, panel.driver());
}

// The pseudo-terminal: its master, and one descriptor of its own on the slave so the line stays
// up between the PC's sessions and is raw before anybody opens it.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string slaveName;
};

bool openPty(Pty& pty) {
    pty.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pty.master < 0 || ::grantpt(pty.master) != 0 || ::unlockpt(pty.master) != 0)
        return false;
    const char* name = ::ptsname(pty.master);
    if (!name)
        return false;
    pty.slaveName = name;
    pty.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pty.slave < 0)
        return false;
    struct termios tio {};
    if (::tcgetattr(pty.slave, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B115200);
    ::cfsetospeed(&tio, B115200);
    if (::tcsetattr(pty.slave, TCSANOW, &tio) != 0)
        return false;
    const int flags = ::fcntl(pty.master, F_GETFL);
    return ::fcntl(pty.master, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool makeLink(const std::string& target, const std::string& link) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "orbis-sim: %s exists and is not a symbolic link\n", link.c_str());
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "orbis-sim: cannot make the link %s: %s\n", link.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

}  // namespace

static int runSimulator(int argc, char** argv) {
    Options o;
    if (int status = parse(argc, argv, o)) {
        usage(stderr);
        return status;
    }
    vanta::PanelOptions panelOptions;
    panelOptions.protocol = static_cast<uint8_t>(o.protocol);
    panelOptions.driverVersion = static_cast<uint8_t>(o.driverVersion);
    panelOptions.byteTimeNs = o.pace ? vanta::kLineByteTimeNs : 0;
    if (!o.faults.empty()) {
        auto faults = vanta::parsePanelFaults(o.faults);
        if (!faults) {
            std::fprintf(stderr, "orbis-sim: --fault: %s\n", faults.message().c_str());
            return kExitUsage;
        }
        panelOptions.faults = *faults;
    }

    Pty pty;
    if (!openPty(pty)) {
        std::fprintf(stderr, "orbis-sim: cannot make a pseudo-terminal: %s\n",
                     std::strerror(errno));
        return kExitFailure;
    }
    if (!makeLink(pty.slaveName, o.link))
        return kExitFailure;

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    ::sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    // The stop signals are held back except while waiting in ppoll: one that came between the
    // loop's check of g_stop and the wait would otherwise leave the wait without a time-out
    // blocked until the next byte on the line.
    sigset_t stopSignals;
    sigset_t waitMask;
    ::sigemptyset(&stopSignals);
    ::sigaddset(&stopSignals, SIGINT);
    ::sigaddset(&stopSignals, SIGTERM);
    ::sigaddset(&stopSignals, SIGHUP);
    ::sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    ::sigdelset(&waitMask, SIGINT);
    ::sigdelset(&waitMask, SIGTERM);
    ::sigdelset(&waitMask, SIGHUP);

    std::fprintf(stderr, "orbis-sim: panel on %s (link %s), protocol %d, driver version %d%s\n",
                 pty.slaveName.c_str(), o.link.c_str(), o.protocol, o.driverVersion,
                 o.pace ? ", paced at 115200 baud" : "");

    vanta::PanelSimulator panel(panelOptions);
    std::unique_ptr<orbissim::TerminalPanel> terminal;
    if (o.emulate) {
        std::error_code ec;
        const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
        terminal = std::make_unique<orbissim::TerminalPanel>(
            ec ? std::string(".") : exe.parent_path().string(), stdout);
    }
    bool readInput = o.emulate;
    const int64_t origin = nowNs();
    auto clock = [origin] { return nowNs() - origin; };
    std::vector<uint8_t> pendingOut;
    long savedDownloads = 0;
    int64_t lastActivity = 0;
    int status = kExitOk;
    std::vector<uint8_t> buffer(4096);

    while (!g_stop) {
        int64_t now = clock();
        // Work due now first: handle received bytes, send replies.
        std::vector<uint8_t> out = panel.advance(now);
        pendingOut.insert(pendingOut.end(), out.begin(), out.end());
        while (!pendingOut.empty()) {
            const ssize_t n = ::write(pty.master, pendingOut.data(), pendingOut.size());
            if (n <= 0)
                break;  // the line is full: wait until it drains
            pendingOut.erase(pendingOut.begin(), pendingOut.begin() + n);
            lastActivity = now;
        }
        if (panel.stats().downloads > savedDownloads) {
            savedDownloads = panel.stats().downloads;
            if (!saveHeld(o, panel))
                status = kExitFailure;
            if (terminal)
                terminal->load(panel.image(), now / vanta::kNsPerMs);
        }
        if (o.once && savedDownloads > 0 && panel.idle() && pendingOut.empty() &&
            now - lastActivity >= kOnceLingerNs) {
            break;
        }

        int64_t wait = panel.nextEventNs() == std::numeric_limits<int64_t>::max()
                           ? -1
                           : std::max<int64_t>(0, panel.nextEventNs() - now);
        if (o.once && savedDownloads > 0) {
            const int64_t linger = std::max<int64_t>(0, lastActivity + kOnceLingerNs - now);
            wait = wait < 0 ? linger : std::min(wait, linger);
        }
        struct pollfd fds[2]{};
        struct pollfd& pfd = fds[0];
        pfd.fd = pty.master;
        pfd.events = POLLIN | (pendingOut.empty() ? 0 : POLLOUT);
        fds[1].fd = readInput ? STDIN_FILENO : -1;
        fds[1].events = POLLIN;
        struct timespec ts {};
        ts.tv_sec = wait / 1000000000;
        ts.tv_nsec = wait % 1000000000;
        const int ready = ::ppoll(fds, 2, wait < 0 ? nullptr : &ts, &waitMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "orbis-sim: poll: %s\n", std::strerror(errno));
            status = kExitFailure;
            break;
        }
        if (ready > 0 && (fds[1].revents & (POLLIN | POLLHUP))) {
            char typed[256];
            const ssize_t n = ::read(STDIN_FILENO, typed, sizeof typed);
            if (n > 0)
                terminal->input(typed, static_cast<size_t>(n), clock() / vanta::kNsPerMs);
            else
                readInput = false;  // the input ended: keep serving the line
        }
        if (ready > 0 && (pfd.revents & POLLIN)) {
            const ssize_t n = ::read(pty.master, buffer.data(), buffer.size());
            if (n > 0) {
                now = clock();
                panel.receive(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(n)), now);
                lastActivity = now;
            }
        }
    }

    if (!saveHeld(o, panel))
        status = kExitFailure;
    ::unlink(o.link.c_str());
    const vanta::PanelStats& s = panel.stats();
    std::printf(
        "orbis-sim: frames %ld, damaged %ld, ACKs %ld, NAKs %ld, dropped replies %ld, bytes "
        "received %ld, bytes sent %ld, downloads %ld, flipped bits %ld, unseen damage %ld\n",
        s.frames, s.damagedFrames, s.acks, s.naks, s.droppedReplies, s.bytesReceived, s.bytesSent,
        s.downloads, s.flippedBits, s.unseenDamage);
    std::fflush(stdout);
    ::close(pty.slave);
    ::close(pty.master);
    return status;
}

int main(int argc, char** argv) {
    // Running out of memory ends the simulator with a message, never with an uncaught exception.
    try {
        return runSimulator(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "orbis-sim: not enough memory\n");
        return kExitFailure;
    }
}
