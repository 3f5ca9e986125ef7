// Residual risk of the download link on a virtual clock: many downloads of one image against the
// panel simulator per fault class, each with its own seed, counting those that end in success
// while the panel holds a different image. The clock is virtual, so thousands of downloads take
// seconds; by default the panel keeps 115200-baud timing and every reply byte arrives on its own.
//
// usage: link_risk [--runs N] [--image BYTES] [--class NAME] [--unpaced] [--list]
//                  [--fault SPEC]   (one class of its own, orbis-sim's --fault syntax)
//        link_risk --blind-spot     (how often bit errors pass the checksum of one block)
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
    // The faults of run `run`, in orbis-sim's --fault form (without its seed).
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
    {"refusals", "10 % of frames refused", [](std::mt19937&) { return std::string("nak=0.1"); }},
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
        const std::string spec = (faults ? faults(random) : fixed) + ",seed=" + std::to_string(run);
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

// Two bit errors in one frame pass the 8-bit sum when they sit at the same bit position of two
// different bytes and change the sum by +2^b and -2^b (for bit 7 also +128 +128). With random
// data that is 4.5 of every 8 x 8 pairs of bytes, so a frame of n bytes passes with two errors
// with probability 4.5 C(n, 2) p^2 (1 - p)^(8n - 2) at bit-error rate p.
double blindSpotEstimate(double p, int n) {
    const double pairs = 4.5 * n * (n - 1) / 2.0;
    double clean = 1.0;
    for (int i = 0; i < 8 * n - 2; ++i)
        clean *= 1.0 - p;
    return pairs * p * p * clean;
}

// Write blocks of 128 random bytes through the bit-error model, counted per block.
void blindSpot() {
    std::printf("write blocks of 135 bytes (128 random data bytes), bit errors on the way in\n");
    std::printf("%10s %10s %10s %10s %12s %12s\n", "bit errors", "blocks", "refused", "unseen",
                "unseen/block", "estimate");
    std::mt19937 random(99);
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < 64; ++i) {
        std::vector<uint8_t> data(vanta::link::kMaxBlockData);
        for (auto& b : data)
            b = static_cast<uint8_t>(random());
        frames.push_back(vanta::makeWriteBlock(0x8000, data, vanta::SessionKeys{0x1234, 0x56}));
    }
    struct Rate {
        double p;
        long blocks;
    };
    for (const Rate r : {Rate{1e-3, 20000}, Rate{3e-4, 100000}, Rate{1e-4, 500000}}) {
        PanelOptions options;
        options.faults.bitErrorRate = r.p;
        options.faults.seed = 5;
        vanta::PanelSimulator panel(options);
        int64_t now = 0;
        for (long i = 0; i < r.blocks; ++i, now += 20 * vanta::kNsPerMs) {
            panel.receive(frames[static_cast<size_t>(i) % frames.size()], now);
            (void)panel.advance(now);
        }
        const auto& st = panel.stats();
        std::printf("%10.0e %10ld %10ld %10ld %12.3e %12.3e\n", r.p, r.blocks, st.damagedFrames,
                    st.unseenDamage, static_cast<double>(st.unseenDamage) / r.blocks,
                    blindSpotEstimate(r.p, static_cast<int>(vanta::link::kMaxFrameSize)));
    }
    std::printf(
        "estimate at the error rates of real lines, per block and per 32 KB image "
        "(260 blocks)\n");
    for (double p : {1e-5, 1e-6, 1e-7, 1e-8, 1e-9}) {
        const double block = blindSpotEstimate(p, static_cast<int>(vanta::link::kMaxFrameSize));
        std::printf("%10.0e %28s %12.3e  per image %.3e\n", p, "", block, 260 * block);
    }
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
        } else if (a == "--blind-spot") {
            blindSpot();
            return 0;
        } else if (a == "--list") {
            for (const auto& c : kClasses)
                std::printf("%-13s %s\n", c.name, c.summary);
            return 0;
        } else {
            std::fprintf(stderr,
                         "usage: link_risk [--runs N] [--image BYTES] [--class NAME] [--unpaced] "
                         "[--list] [--fault SPEC] | --blind-spot\n");
            return 2;
        }
    }
    if (runs < 1 || imageSize < 16 || imageSize > vanta::link::kImageAreaSize) {
        std::fprintf(stderr, "link_risk: --runs at least 1, --image 16..32768\n");
        return 2;
    }
    std::printf("image %zu bytes, %d runs per class, %s, tick %d ms, virtual clock\n", imageSize,
                runs, paced ? "paced at 115200 baud (byte by byte)" : "unpaced",
                vanta::kLinkTickMs);
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
