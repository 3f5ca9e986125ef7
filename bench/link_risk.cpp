// Residual risk of the download link on a virtual clock: many downloads of one image against the
// panel simulator per fault class, each with its own seed, counting those that end in success
// while the panel holds a different image. The clock is virtual, so thousands of downloads take
// seconds; by default the panel keeps 115200-baud timing and every reply byte arrives on its own.
//
// usage: link_risk [--runs N] [--image BYTES] [--class NAME] [--unpaced] [--list]
//                  [--fault SPEC]   (one class of its own, orbis-sim's --fault syntax)
//
// A false success counts as "unseen damage" when the panel took a frame that the line had changed
// and whose checksum still held (the 8-bit sum's blind spot), as "reply damage" when only a reply
// was changed on the way back, and as a reply shift otherwise.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "link/VirtualLink.h"

namespace {

using vanta::PanelOptions;

struct FaultClass {
    const char* name;
    const char* summary;
    // The fault specification of run `run` (without its seed).
    std::string (*faults)(std::mt19937& random);
};

double uniform(std::mt19937& random, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}

constexpr int kFramesOf4K = 37;  // handshake, information, challenge, invalidation, 32 blocks, mark

const FaultClass kClasses[] = {
    {"late", "one reply 0.1..1.9 s late (any frame), 5 % refusals",
     [](std::mt19937& r) {
         const int frame = std::uniform_int_distribution<int>(1, kFramesOf4K)(r);
         char text[64];
         std::snprintf(text, sizeof text, "late=%d:%.3f,nak=0.05", frame, uniform(r, 0.1, 1.9));
         return std::string(text);
     }},
    {"late-many", "10 % of replies 700 ms late, 5 % refusals",
     [](std::mt19937&) { return std::string("delay=700,delay-rate=0.1,nak=0.05"); }},
    {"refusals", "10 % of frames refused",
     [](std::mt19937&) { return std::string("nak=0.1"); }},
    {"lost", "5 % of replies lost, 5 % refusals",
     [](std::mt19937&) { return std::string("drop-rate=0.05,nak=0.05"); }},
    {"slow", "every reply 80..600 ms late, 5 % refusals",
     [](std::mt19937& r) {
         return "delay=" + std::to_string(std::uniform_int_distribution<int>(80, 600)(r)) +
                ",nak=0.05";
     }},
    {"bit-1e-4", "one-bit flips, bit-error rate 1e-4 both ways",
     [](std::mt19937&) { return std::string("bit-flip=0.0001"); }},
    {"bit-3e-4", "one-bit flips, bit-error rate 3e-4 both ways",
     [](std::mt19937&) { return std::string("bit-flip=0.0003"); }},
    {"bit-1e-3", "one-bit flips, bit-error rate 1e-3 both ways",
     [](std::mt19937&) { return std::string("bit-flip=0.001"); }},
    {"bytes", "0.3 % of received bytes damaged (random XOR)",
     [](std::mt19937&) { return std::string("flip=0.003"); }},
    {"risk-default", "link-risk's default: 10 % of replies 700 ms late, 0.3 % bytes damaged",
     [](std::mt19937&) { return std::string("delay=700,delay-rate=0.1,flip=0.003"); }},
};

std::vector<uint8_t> testImage(size_t n) {
    std::mt19937 random(12345);
    std::vector<uint8_t> image(n);
    for (auto& b : image)
        b = static_cast<uint8_t>(random());
    image[0] = image[1] = 0xFF;
    image[12] = 1;
    return image;
}

struct Tally {
    int runs = 0, same = 0, falseSuccess = 0, unseenDamage = 0, replyDamage = 0, shift = 0,
        unfinished = 0;
    std::map<std::string, int> failures;
    double seconds = 0;
    std::vector<std::string> examples;
};

Tally runClass(const std::string& name, std::string (*faults)(std::mt19937&),
               const std::string& fixed, int runs, size_t imageSize, bool paced) {
    vanta::LinkJob job;
    job.image = testImage(imageSize);
    job.protocol = 1;
    job.driverVersion = 1;
    std::vector<uint8_t> expected = job.image;
    expected[0] = vanta::link::kValidMark0;
    expected[1] = vanta::link::kValidMark1;
    Tally t;
    for (int run = 1; run <= runs; ++run) {
        std::mt19937 random(static_cast<uint32_t>(run) * 7919u + std::hash<std::string>{}(name));
        const std::string spec =
            (faults ? faults(random) : fixed) + ",seed=" + std::to_string(run);
        auto parsed = vanta::parsePanelFaults(spec);
        if (!parsed) {
            std::fprintf(stderr, "link_risk: %s: %s\n", spec.c_str(), parsed.message().c_str());
            std::exit(2);
        }
        PanelOptions panel;
        panel.protocol = 1;
        panel.driverVersion = 1;
        panel.byteTimeNs = paced ? vanta::kLineByteTimeNs : 0;
        panel.faults = *parsed;
        const auto r = vanta::runVirtualLink(
            job, panel, [n = static_cast<uint8_t>(run)]() mutable { return n = n * 29 + 5; });
        ++t.runs;
        t.seconds += static_cast<double>(r.elapsedNs) / 1e9;
        if (!r.finished) {
            ++t.unfinished;
        } else if (r.outcome.end != vanta::LinkEnd::Success) {
            ++t.failures[r.outcome.message];
        } else if (r.image == expected) {
            ++t.same;
        } else {
            ++t.falseSuccess;
            if (r.panel.unseenDamage > 0)
                ++t.unseenDamage;
            else if (r.panel.damagedReplies > 0)
                ++t.replyDamage;
            else
                ++t.shift;
            if (t.examples.size() < 5)
                t.examples.push_back(spec);
        }
    }
    return t;
}

void print(const std::string& name, const std::string& summary, const Tally& t) {
    std::printf("%-13s %6d %6d %6d %8d %7d %7d %8d %9.2f  %s\n", name.c_str(), t.runs, t.same,
                t.falseSuccess, t.shift, t.unseenDamage, t.replyDamage,
                t.runs - t.same - t.falseSuccess, t.seconds / t.runs, summary.c_str());
    for (const auto& [text, count] : t.failures)
        std::printf("%13s   failure %d x %s\n", "", count, text.c_str());
    if (t.unfinished)
        std::printf("%13s   unfinished after 600 s: %d\n", "", t.unfinished);
    for (const auto& e : t.examples)
        std::printf("%13s   false success: %s\n", "", e.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 1000;
    size_t imageSize = 4096;
    std::string only;
    std::string fault;
    bool paced = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "link_risk: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--runs") {
            runs = std::atoi(value().c_str());
        } else if (a == "--image") {
            imageSize = static_cast<size_t>(std::atol(value().c_str()));
        } else if (a == "--class") {
            only = value();
        } else if (a == "--fault") {
            fault = value();
        } else if (a == "--unpaced") {
            paced = false;
        } else if (a == "--list") {
            for (const auto& c : kClasses)
                std::printf("%-13s %s\n", c.name, c.summary);
            return 0;
        } else {
            std::fprintf(stderr,
                         "usage: link_risk [--runs N] [--image BYTES] [--class NAME] [--unpaced] "
                         "[--list] [--fault SPEC]\n");
            return 2;
        }
    }
    if (runs < 1 || imageSize < 16 || imageSize > vanta::link::kImageAreaSize) {
        std::fprintf(stderr, "link_risk: --runs at least 1, --image 16..32768\n");
        return 2;
    }
    std::printf("image %zu bytes, %d runs per class, %s, tick %d ms, virtual clock\n", imageSize,
                runs, paced ? "paced at 115200 baud (byte by byte)" : "unpaced", vanta::kLinkTickMs);
    std::printf("%-13s %6s %6s %6s %8s %7s %7s %8s %9s\n", "class", "runs", "same", "FALSE",
                "shift", "unseen", "reply", "failed", "s/run");
    if (!fault.empty()) {
        print("custom", fault, runClass("custom", nullptr, fault, runs, imageSize, paced));
        return 0;
    }
    for (const auto& c : kClasses) {
        if (!only.empty() && only != c.name)
            continue;
        print(c.name, c.summary, runClass(c.name, c.faults, {}, runs, imageSize, paced));
    }
    return 0;
}
