// The download link: frames and their judgement, the session scrambling, the engine's whole flow
// against a scripted panel on a virtual clock, and whole downloads against the panel simulator
// with each of its faults.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "link/LinkEngine.h"
#include "link/LinkProtocol.h"
#include "link/PanelSimulator.h"
#include "link/VirtualLink.h"

using namespace vanta;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

Bytes pattern(size_t n, uint8_t seed) {
    Bytes out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
    return out;
}

// A compiled image starts with 0xFF 0xFF; the panel holds 0x5A 0xA5 there after the download.
Bytes imageOf(size_t n) {
    Bytes image = pattern(n, 3);
    image[0] = image[1] = 0xFF;
    return image;
}

Bytes marked(Bytes image) {
    image[0] = link::kValidMark0;
    image[1] = link::kValidMark1;
    return image;
}

const Bytes kAck = bytes({0x55, 0xAA, 0x05, 0x05, 0x09});
const Bytes kNak = bytes({0x55, 0xAA, 0x05, 0x04, 0x08});

Bytes infoReply(uint8_t protocol, uint8_t version) {
    const uint8_t body[] = {0, protocol, version, 0, 0};
    return makeFrame(link::kInfoReply, body);
}

// A scripted counterpart: the engine runs on a virtual clock; after every frame the script may
// answer (whole, or one byte at a time) or stay silent.
struct LinkRun {
    using Script = std::function<std::optional<Bytes>(const Bytes& frame, size_t index)>;

    explicit LinkRun(LinkJob job, uint8_t seed = 1)
        : engine(std::move(job), [n = seed]() mutable { return n = n * 37 + 11; }) {}

    LinkEngine engine;
    std::vector<Bytes> sent;
    std::vector<int> positions;
    int noAnswer = 0;
    int answered = 0;
    std::optional<LinkOutcome> outcome;
    size_t answeredUpTo = 0;
    int ticks = 0;
    bool byteByByte = false;

    void apply(std::vector<LinkAction> actions) {
        for (auto& a : actions) {
            switch (a.kind) {
                case LinkAction::Kind::Send:
                    sent.push_back(a.bytes);
                    break;
                case LinkAction::Kind::Progress:
                    positions.push_back(a.position);
                    break;
                case LinkAction::Kind::NoAnswer:
                    ++noAnswer;
                    break;
                case LinkAction::Kind::Answered:
                    ++answered;
                    break;
                case LinkAction::Kind::Finished:
                    outcome = a.outcome;
                    break;
            }
        }
    }
    void deliver(const Bytes& reply) {
        if (byteByByte) {
            for (uint8_t b : reply)
                apply(engine.received(std::span<const uint8_t>(&b, 1)));
        } else {
            apply(engine.received(reply));
        }
    }
    void tick(int n = 1) {
        for (int i = 0; i < n && !engine.finished(); ++i) {
            ++ticks;
            apply(engine.tick());
        }
    }
    // Answers every new frame through the script; ticks when nothing is to be answered.
    void go(const Script& script, int maxTicks = 100000) {
        if (engine.phase() == LinkEngine::Phase::Idle)
            apply(engine.start());
        while (!engine.finished() && ticks < maxTicks) {
            if (answeredUpTo < sent.size()) {
                const size_t index = answeredUpTo++;
                if (auto reply = script(sent[index], index))
                    deliver(*reply);
            } else {
                tick();
            }
        }
    }
    std::vector<WriteBlock> writes() const {
        std::vector<WriteBlock> out;
        for (const auto& f : sent) {
            if (f[3] == link::kWriteBlock)
                out.push_back(*readWriteBlock(f, engine.sessionKeys()));
        }
        return out;
    }
    size_t count(uint8_t command) const {
        return std::count_if(sent.begin(), sent.end(),
                             [command](const Bytes& f) { return f[3] == command; });
    }
};

// A panel that answers everything correctly and reports `protocol` and `version`.
LinkRun::Script goodPanel(uint8_t protocol = 5, uint8_t version = 2) {
    return [=](const Bytes& frame, size_t) -> std::optional<Bytes> {
        if (frame[3] == link::kInfoRequest)
            return infoReply(protocol, version);
        return kAck;
    };
}

LinkJob jobOf(size_t imageSize, size_t driverSize = 0, uint8_t protocol = 5, uint8_t version = 2) {
    LinkJob job;
    job.image = imageOf(imageSize);
    job.driver = pattern(driverSize, 101);
    job.protocol = protocol;
    job.driverVersion = version;
    return job;
}

}  // namespace

TEST(LinkFrames, BuildsFramesWithLengthAndChecksum) {
    EXPECT_EQ(makeFrame(link::kInfoRequest), bytes({0x55, 0xAA, 0x05, 0x01, 0x05}));
    EXPECT_EQ(makeFrame(link::kAcknowledge), kAck);
    const uint8_t ostra[] = {'O', 's', 't', 'r', 'a'};
    // 0x55+0xAA+0x0A+0x88+'O'+'s'+'t'+'r'+'a' = 0x39A
    EXPECT_EQ(makeFrame(link::kHandshake, ostra),
              bytes({0x55, 0xAA, 0x0A, 0x88, 'O', 's', 't', 'r', 'a', 0x9A}));
}

TEST(LinkFrames, ClassifiesRepliesByLengthCommandAndChecksum) {
    auto judge = [](const Bytes& b) { return classifyReply(b); };
    EXPECT_EQ(judge({}), ReplyStatus::Nothing);
    EXPECT_EQ(judge(bytes({0x55})), ReplyStatus::Nothing);
    // A length byte below the bytes held, with no command byte yet.
    EXPECT_EQ(judge(bytes({0x55, 0xAA, 0x01})), ReplyStatus::Nothing);
    EXPECT_EQ(judge(bytes({0x55, 0xAA, 0x03})), ReplyStatus::Nothing);
    EXPECT_EQ(judge(bytes({0x54, 0xAA, 0x05, 0x05, 0x08})), ReplyStatus::Nothing);
    EXPECT_EQ(judge(kAck), ReplyStatus::Good);
    EXPECT_EQ(judge(kNak), ReplyStatus::Error);
    EXPECT_EQ(judge(bytes({0x55, 0xAA, 0x05, 0x05, 0x0A})), ReplyStatus::Error);  // bad sum
    EXPECT_EQ(judge(bytes({0x55, 0xAA, 0x05, 0x04, 0x00})), ReplyStatus::Error);  // NAK, bad sum
    EXPECT_EQ(judge(makeFrame(0x07)), ReplyStatus::Nothing);  // intact, unknown command
    EXPECT_EQ(judge(infoReply(3, 4)), ReplyStatus::Good);
    Bytes damagedInfo = infoReply(3, 4);
    damagedInfo.back() ^= 1;
    EXPECT_EQ(judge(damagedInfo), ReplyStatus::Nothing);
    const uint8_t five[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(judge(makeFrame(link::kAcknowledge, five)), ReplyStatus::Error);  // 10, not 0x82
    // Any other complete length says nothing.
    const uint8_t two[] = {1, 2};
    EXPECT_EQ(judge(makeFrame(link::kAcknowledge, two)), ReplyStatus::Nothing);
    Bytes ackTwice = kAck;
    ackTwice.insert(ackTwice.end(), kAck.begin(), kAck.end());
    EXPECT_EQ(judge(ackTwice), ReplyStatus::Error);  // 10 bytes, command 0x05
}

TEST(LinkFrames, JudgesAReplyOnlyWhenItIsComplete) {
    // The first five bytes of an information reply are not a damaged acknowledge.
    const Bytes info = infoReply(3, 4);
    for (size_t n = 0; n < info.size(); ++n) {
        EXPECT_EQ(classifyReply(std::span<const uint8_t>(info.data(), n)), ReplyStatus::Nothing)
            << n << " bytes";
    }
    EXPECT_EQ(classifyReply(std::span<const uint8_t>(kNak.data(), 4)), ReplyStatus::Nothing);
    // An information reply whose length byte says 5 is judged at 5 bytes.
    Bytes shortLength = info;
    shortLength[2] = 5;
    EXPECT_EQ(classifyReply(std::span<const uint8_t>(shortLength.data(), 5)), ReplyStatus::Error);
}

TEST(LinkScrambling, SessionValuesAddressesAndDataFollowTheDocumentedFormula) {
    std::array<uint8_t, 16> challenge{};
    std::iota(challenge.begin(), challenge.end(), 0);
    // Offset: 0x0203 * 0x0708 + (0x0B0C << 8) - 0x0E0F + 0x5A3C = 0x197D45 -> 0x7D45.
    // Key: ((1 | 4) & 9) - 6 + 0xB7 = 0xB2.
    const SessionKeys keys = deriveSessionKeys(challenge);
    EXPECT_EQ(keys.addressOffset, 0x7D45);
    EXPECT_EQ(keys.dataKey, 0xB2);
    // 0x8000 - 0x7D45 = 0x02BB: bits 0,1,3,4,5,7,9 travel as bits 11,4,1,8,13,7,10.
    EXPECT_EQ(scrambleAddress(0x8000, keys.addressOffset), 0x2D92);

    auto p = addressBitPermutation();
    std::sort(p.begin(), p.end());
    for (unsigned i = 0; i < 16; ++i)
        EXPECT_EQ(p[i], i);
    for (unsigned a = 0; a < 0x10000; a += 97) {
        EXPECT_EQ(unscrambleAddress(scrambleAddress(a, 0x1234), 0x1234), a);
    }

    const Bytes data = bytes({0x10, 0x20, 0x00});
    const Bytes frame = makeWriteBlock(0x8000, data, keys);
    ASSERT_EQ(frame.size(), 10u);
    EXPECT_EQ(frame[2], 10);
    EXPECT_EQ(frame[4], 0x2D);
    EXPECT_EQ(frame[5], 0x92);
    EXPECT_EQ(frame[6], static_cast<uint8_t>(0x10 - 6 - 0xB2));
    EXPECT_EQ(frame[7], static_cast<uint8_t>(0x20 - 7 - 0xB2));
    EXPECT_EQ(frame[8], static_cast<uint8_t>(0x00 - 8 - 0xB2));
    EXPECT_EQ(frame.back(), frameChecksum(std::span<const uint8_t>(frame.data(), 9)));
    const auto back = readWriteBlock(frame, keys);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->address, 0x8000);
    EXPECT_EQ(back->data, data);
}

TEST(LinkEngine, SendsThe300ByteExampleInThreeBlocks) {
    for (bool byteByByte : {false, true}) {
        SCOPED_TRACE(byteByByte ? "replies one byte at a time" : "whole replies");
        LinkJob job = jobOf(300, 600);
        LinkRun run(job);
        run.byteByByte = byteByByte;
        run.go(goodPanel());
        ASSERT_TRUE(run.outcome);
        EXPECT_EQ(run.outcome->end, LinkEnd::Success);
        EXPECT_EQ(run.outcome->message, "Download complete!Data 300 bytes");
        EXPECT_EQ(run.outcome->caption, "Download data");

        ASSERT_EQ(run.sent.size(), 8u);  // no frame was sent twice
        EXPECT_EQ(run.sent[0], bytes({0x55, 0xAA, 0x0A, 0x88, 'O', 's', 't', 'r', 'a', 0x9A}));
        EXPECT_EQ(run.sent[1], bytes({0x55, 0xAA, 0x05, 0x01, 0x05}));
        EXPECT_EQ(run.sent[2][2], 21);
        EXPECT_EQ(run.sent[2][3], 0x83);
        std::vector<int> lengths;
        for (size_t i = 3; i < run.sent.size(); ++i)
            lengths.push_back(run.sent[i][2]);
        EXPECT_THAT(lengths, ::testing::ElementsAre(135, 135, 135, 51, 9));

        const auto w = run.writes();
        ASSERT_EQ(w.size(), 5u);
        EXPECT_EQ(w[0].address, 0x8000);
        EXPECT_EQ(w[0].data, Bytes(128, 0xFF));
        EXPECT_EQ(w[1].address, 0x8000);
        EXPECT_EQ(w[2].address, 0x8080);
        EXPECT_EQ(w[3].address, 0x8100);
        Bytes sentImage;
        for (int i = 1; i <= 3; ++i)
            sentImage.insert(sentImage.end(), w[i].data.begin(), w[i].data.end());
        EXPECT_EQ(sentImage, job.image);
        EXPECT_EQ(w[4].address, 0x8000);
        EXPECT_EQ(w[4].data, bytes({0x5A, 0xA5}));

        EXPECT_EQ(run.engine.stats().progressStep, 2500);
        EXPECT_FALSE(run.engine.stats().driverSent);
        EXPECT_THAT(run.positions, ::testing::ElementsAre(50, 2550, 5050, 7550, 10000));
        // Scrambled: the address on the wire is not the plain one.
        const SessionKeys k = run.engine.sessionKeys();
        EXPECT_NE(k.addressOffset, 0);
        EXPECT_NE(k.dataKey, 0);
        EXPECT_EQ(
            deriveSessionKeys(std::span<const uint8_t, 16>(run.sent[2].data() + 4, 16)).dataKey,
            k.dataKey);
    }
}

TEST(LinkEngine, SendsTheDriverWhenTheProtocolOrVersionDiffersOrWhenForced) {
    struct Case {
        uint8_t panelProtocol, panelVersion;
        bool force;
        bool expectDriver;
    };
    for (const Case c : {Case{5, 2, false, false}, Case{6, 2, false, true}, Case{5, 3, false, true},
                         Case{5, 2, true, true}}) {
        LinkJob job = jobOf(300, 300);
        job.forceDriver = c.force;
        LinkRun run(job);
        run.go(goodPanel(c.panelProtocol, c.panelVersion));
        ASSERT_TRUE(run.outcome);
        EXPECT_EQ(run.outcome->end, LinkEnd::Success);
        EXPECT_EQ(run.engine.stats().driverSent, c.expectDriver);
        const auto w = run.writes();
        if (!c.expectDriver) {
            EXPECT_EQ(w.size(), 5u);
            continue;
        }
        // Invalidation, driver at 0, 128, 256, then the image, then the mark.
        ASSERT_EQ(w.size(), 8u);
        EXPECT_EQ(w[1].address, 0x0000);
        EXPECT_EQ(w[2].address, 0x0080);
        EXPECT_EQ(w[3].address, 0x0100);
        Bytes driver;
        for (int i = 1; i <= 3; ++i)
            driver.insert(driver.end(), w[i].data.begin(), w[i].data.end());
        EXPECT_EQ(driver, job.driver);
        EXPECT_EQ(w[4].address, 0x8000);
        // F = 300/128 + 300/128 + 2 = 6; 10000 / 6 = 1666.7 -> 1667.
        EXPECT_EQ(run.engine.stats().progressStep, 1667);
    }
}

TEST(LinkEngine, ProgressStepRoundsHalvesUp) {
    EXPECT_EQ(LinkEngine::progressStep(4), 2500);
    EXPECT_EQ(LinkEngine::progressStep(3), 3333);
    EXPECT_EQ(LinkEngine::progressStep(32), 313);  // 312.5
    EXPECT_EQ(LinkEngine::progressStep(160), 63);  // 62.5
    LinkRun run(jobOf(30 * 128));
    run.go(goodPanel());
    EXPECT_EQ(run.engine.stats().frameCount, 32);
    EXPECT_EQ(run.engine.stats().progressStep, 313);
    EXPECT_EQ(run.positions.back(), 10000);
}

TEST(LinkEngine, DriverBlocksStayBelowTheImage) {
    // The largest driver fills 0x0000..0x7FFF exactly.
    LinkRun full(jobOf(200, 0x8000));
    full.go(goodPanel(9, 9));
    ASSERT_EQ(full.outcome->end, LinkEnd::Success);
    size_t driverBytes = 0;
    for (const auto& w : full.writes()) {
        if (w.address < 0x8000) {
            EXPECT_LE(w.address + w.data.size(), 0x8000u);
            driverBytes += w.data.size();
        }
    }
    EXPECT_EQ(driverBytes, 0x8000u);

    // One byte more is refused before anything is sent; so is an image beyond 0xFFFF.
    LinkRun oversize(jobOf(200, 0x8001));
    oversize.go(goodPanel(9, 9));
    ASSERT_TRUE(oversize.outcome);
    EXPECT_EQ(oversize.outcome->end, LinkEnd::Failure);
    EXPECT_THAT(oversize.outcome->message, ::testing::HasSubstr("driver is too large"));
    EXPECT_TRUE(oversize.sent.empty());
    LinkRun bigImage(jobOf(0x8001));
    bigImage.go(goodPanel());
    EXPECT_EQ(bigImage.outcome->end, LinkEnd::Failure);
    EXPECT_TRUE(bigImage.sent.empty());
}

TEST(LinkEngine, OneErrorReplyCausesExactlyOneResend) {
    // The first image block is acknowledged with a bad checksum once, then NAKed once.
    int damaged = 0;
    LinkRun run(jobOf(300));
    run.go([&](const Bytes& frame, size_t index) -> std::optional<Bytes> {
        if (frame[3] == link::kInfoRequest)
            return infoReply(5, 2);
        if (frame[2] == 135 && index >= 4 && damaged < 2) {
            ++damaged;
            return damaged == 1 ? bytes({0x55, 0xAA, 0x05, 0x05, 0x0A}) : kNak;
        }
        return kAck;
    });
    ASSERT_EQ(run.outcome->end, LinkEnd::Success);
    EXPECT_EQ(run.sent.size(), 10u);  // 8 frames + 2 resends
    EXPECT_EQ(run.engine.stats().resends, 2);
    EXPECT_EQ(run.sent[4], run.sent[5]);
    EXPECT_EQ(run.sent[5], run.sent[6]);
    EXPECT_EQ(run.ticks, 0);  // no time-out was needed
}

TEST(LinkEngine, StopsAtTheLimitsWithTheirTexts) {
    // The ninth error reply to one frame ends the download.
    {
        LinkRun run(jobOf(300));
        run.go([](const Bytes& frame, size_t) -> std::optional<Bytes> {
            if (frame[3] == link::kInfoRequest)
                return infoReply(5, 2);
            if (frame[3] == link::kChallenge)
                return bytes({0x55, 0xAA, 0x05, 0x05, 0x00});
            return kAck;
        });
        EXPECT_EQ(run.outcome->end, LinkEnd::Failure);
        EXPECT_EQ(run.outcome->message, "通讯错误次数越界");
        EXPECT_EQ(run.outcome->caption, "Download data");
        EXPECT_EQ(run.count(link::kChallenge), 9u);
    }
    // Silence: sends at ticks 0, 32, 62, 92, then the time-out at tick 122.
    {
        LinkRun run(jobOf(300));
        std::vector<int> sendTicks;
        run.go([&](const Bytes& frame, size_t) -> std::optional<Bytes> {
            if (frame[3] == link::kInfoRequest) {
                sendTicks.push_back(run.ticks);
                return std::nullopt;
            }
            return kAck;
        });
        EXPECT_EQ(run.outcome->message, "延时越界");
        EXPECT_EQ(run.outcome->caption, "Download data");
        EXPECT_THAT(sendTicks, ::testing::ElementsAre(0, 32, 62, 92));
        EXPECT_EQ(run.ticks, 122);
        EXPECT_EQ(run.positions, std::vector<int>{50});
    }
    // Three time-outs, then error replies: the eleventh send is never made.
    {
        LinkRun run(jobOf(300));
        int silent = 0;
        run.go([&](const Bytes& frame, size_t) -> std::optional<Bytes> {
            if (frame[3] == link::kInfoRequest)
                return infoReply(5, 2);
            if (frame[3] != link::kChallenge)
                return kAck;
            if (silent < 3) {
                ++silent;
                return std::nullopt;
            }
            return kNak;
        });
        EXPECT_EQ(run.outcome->message, "重发次数越界");
        EXPECT_EQ(run.count(link::kChallenge), 10u);
        EXPECT_EQ(run.engine.stats().errorReplies, 7);
    }
}

TEST(LinkEngine, RefusesAMalformedInformationReply) {
    // An acknowledge where the information reply belongs.
    LinkRun ack(jobOf(300));
    ack.go([](const Bytes&, size_t) -> std::optional<Bytes> { return kAck; });
    EXPECT_EQ(ack.outcome->end, LinkEnd::Failure);
    EXPECT_EQ(ack.outcome->message, "Wrong informationg!");
    EXPECT_EQ(ack.outcome->caption, "Download data");
    EXPECT_EQ(ack.count(link::kChallenge), 0u);

    // An intact information reply whose length byte disagrees with its size.
    LinkRun lying(jobOf(300));
    lying.go([](const Bytes& frame, size_t) -> std::optional<Bytes> {
        if (frame[3] != link::kInfoRequest)
            return kAck;
        Bytes r = infoReply(5, 2);
        r[2] = 5;
        r.back() = frameChecksum(std::span<const uint8_t>(r.data(), 9));
        return r;
    });
    EXPECT_EQ(lying.outcome->message, "Wrong informationg!");
}

TEST(LinkEngine, KeepsSendingHandshakesUntilThePanelAnswersOrTheUserGivesUp) {
    // The panel wakes up during the third round.
    LinkRun late(jobOf(300));
    late.go([&](const Bytes& frame, size_t) -> std::optional<Bytes> {
        if (frame[3] == link::kHandshake && late.ticks < 250)
            return std::nullopt;
        return goodPanel()(frame, 0);
    });
    EXPECT_EQ(late.noAnswer, 1);
    EXPECT_EQ(late.answered, 1);
    EXPECT_EQ(late.outcome->end, LinkEnd::Success);
    EXPECT_EQ(late.engine.stats().handshakeRounds, 3);
    EXPECT_GT(late.count(link::kHandshake), 100u);

    // Never answered; the user closes the notice.
    LinkRun never(jobOf(300));
    never.go([](const Bytes&, size_t) -> std::optional<Bytes> { return std::nullopt; }, 1000);
    EXPECT_EQ(never.noAnswer, 1);
    EXPECT_FALSE(never.outcome);
    EXPECT_EQ(never.engine.phase(), LinkEngine::Phase::HandshakeRetry);
    never.apply(never.engine.giveUp());
    ASSERT_TRUE(never.outcome);
    EXPECT_EQ(never.outcome->end, LinkEnd::Failure);
    EXPECT_EQ(never.outcome->message, "Communication Error!!!");
    EXPECT_EQ(never.count(link::kInfoRequest), 0u);
}

TEST(LinkEngine, PausesAtFrameBoundariesAndCancels) {
    // Pause after the invalidation was sent: its reply arrives, but no frame follows until the
    // question closes; the user then cancels.
    LinkRun cancelled(jobOf(1000));
    cancelled.go(
        [&](const Bytes& frame, size_t index) -> std::optional<Bytes> {
            if (index == 3)
                cancelled.apply(cancelled.engine.pause());
            return goodPanel()(frame, index);
        },
        200);
    EXPECT_EQ(cancelled.sent.size(), 4u);
    EXPECT_TRUE(cancelled.engine.paused());
    EXPECT_FALSE(cancelled.outcome);
    cancelled.apply(cancelled.engine.cancel());
    ASSERT_TRUE(cancelled.outcome);
    EXPECT_EQ(cancelled.outcome->end, LinkEnd::Cancelled);
    EXPECT_EQ(cancelled.sent.size(), 4u);

    // The user answers Cancel to the question: the download goes on.
    LinkRun resumed(jobOf(1000));
    resumed.go(
        [&](const Bytes& frame, size_t index) -> std::optional<Bytes> {
            if (index == 3)
                resumed.apply(resumed.engine.pause());
            return goodPanel()(frame, index);
        },
        200);
    resumed.apply(resumed.engine.resume());
    resumed.go(goodPanel());
    EXPECT_EQ(resumed.outcome->end, LinkEnd::Success);

    // A cancel during a wait is noticed at the next wake-up, without a reply.
    LinkRun waiting(jobOf(1000));
    waiting.go(
        [&](const Bytes& frame, size_t index) -> std::optional<Bytes> {
            if (index == 5) {
                waiting.apply(waiting.engine.cancel());
                return std::nullopt;
            }
            return goodPanel()(frame, index);
        },
        1000);
    ASSERT_TRUE(waiting.outcome);
    EXPECT_EQ(waiting.outcome->end, LinkEnd::Cancelled);
    EXPECT_LE(waiting.ticks, 2);
    EXPECT_EQ(waiting.sent.size(), 6u);
}

// ---- whole downloads against the panel simulator, on a virtual clock ----

namespace {

using SimResult = VirtualLinkResult;

SimResult download(const LinkJob& job, PanelOptions options, uint8_t seed = 7,
                   int64_t tickNs = kLinkTickMs * kNsPerMs) {
    VirtualLinkOptions clock;
    clock.tickNs = tickNs;
    return runVirtualLink(
        job, options, [n = seed]() mutable { return n = n * 29 + 5; }, clock);
}

PanelOptions panelWith(const std::string& faults, bool paced = false) {
    PanelOptions o;
    o.protocol = 5;
    o.driverVersion = 2;
    o.byteTimeNs = paced ? kLineByteTimeNs : 0;
    auto f = parsePanelFaults(faults);
    EXPECT_TRUE(f.ok()) << faults;
    if (f.ok())
        o.faults = *f;
    return o;
}

}  // namespace

TEST(LinkWithSimulator, DeliversImageAndDriverAtLineSpeed) {
    LinkJob job = jobOf(32 * 1024 - 100, 3000, 7, 4);
    SimResult r = download(job, panelWith("", true));
    ASSERT_EQ(r.outcome.end, LinkEnd::Success) << r.outcome.message;
    EXPECT_EQ(r.image, marked(job.image));
    EXPECT_EQ(r.driver, job.driver);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.link.resends, 0);
    EXPECT_EQ(r.panel.downloads, 1);
    // At 11520 bytes per second the exchange takes as long as its bytes need.
    const double lowerBoundNs = (r.link.bytesSent + r.link.bytesReceived) * 1e9 / 11520.0;
    EXPECT_NEAR(static_cast<double>(r.elapsedNs), lowerBoundNs, lowerBoundNs * 0.001);
}

TEST(LinkWithSimulator, RecoversFromEveryRecoverableFault) {
    const LinkJob job = jobOf(5000, 700);
    for (const char* faults : {"drop=3", "bad-sum=4", "nak=0.3,seed=11", "delay=30",
                               "flip=0.002,seed=5", "no-handshake=3000"}) {
        SCOPED_TRACE(faults);
        SimResult r = download(job, panelWith(faults, true));
        ASSERT_EQ(r.outcome.end, LinkEnd::Success) << r.outcome.message;
        EXPECT_EQ(r.image, marked(job.image));
        EXPECT_TRUE(r.valid);
        const bool silence = std::string(faults).starts_with("no-handshake");
        EXPECT_EQ(r.noAnswer, silence ? 1 : 0);
        // The fault really struck: frames went again, handshake rounds were repeated, or every
        // reply came late.
        if (std::string(faults).starts_with("delay")) {
            EXPECT_GE(r.elapsedNs, r.link.framesSent * 30 * kNsPerMs);
        } else {
            EXPECT_GE(silence ? r.link.handshakeRounds : r.link.resends, 2);
        }
    }
}

TEST(LinkWithSimulator, FaultsEndInTheSentImageOrAFailureNeverInADifferentImage) {
    const LinkJob job = jobOf(3000);
    int successes = 0, failures = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        // A long delay makes late replies count for later frames; damaged bytes and refusals
        // make frames go again.
        const std::string faults =
            seed % 4 ? "flip=0.004,nak=0.1,seed=" + std::to_string(seed) : "delay=700";
        SimResult r = download(job, panelWith(faults), static_cast<uint8_t>(seed));
        if (r.outcome.end == LinkEnd::Success) {
            ++successes;
            EXPECT_EQ(r.image, marked(job.image)) << faults;
        } else {
            ++failures;
            EXPECT_THAT(r.outcome.message, ::testing::AnyOf("延时越界", "通讯错误次数越界",
                                                            "重发次数越界", "Wrong informationg!"));
        }
    }
    EXPECT_GT(successes, 20);
    EXPECT_GT(failures, 0);

    // A panel that stops answering mid-way: a time-out, and no valid image.
    SimResult silent = download(job, panelWith("silent-after=12"));
    EXPECT_EQ(silent.outcome.message, "延时越界");
    EXPECT_FALSE(silent.valid);
}

TEST(PanelSimulator, RefusesDamagedAndMisplacedFramesAndResynchronises) {
    PanelSimulator panel(PanelOptions{});
    int64_t t = 0;
    auto exchange = [&](const Bytes& frame) {
        panel.receive(frame, t);
        Bytes out = panel.advance(t);
        t += kNsPerMs;
        return out;
    };
    // Garbage before a frame is skipped.
    Bytes noisy = bytes({0x00, 0x55, 0x13});
    const Bytes request = makeFrame(link::kInfoRequest);
    noisy.insert(noisy.end(), request.begin(), request.end());
    EXPECT_EQ(exchange(noisy), infoReply(1, 1));
    // A write before any challenge is refused; a damaged frame is refused.
    SessionKeys none;
    EXPECT_EQ(exchange(makeWriteBlock(0x8000, bytes({1}), none)), kNak);
    Bytes damaged = makeFrame(link::kInfoRequest);
    damaged[3] ^= 0x10;
    EXPECT_EQ(exchange(damaged), kNak);
    // With a session: a block that would cross from the driver area into the image is refused.
    Bytes challenge(16);
    std::iota(challenge.begin(), challenge.end(), 40);
    EXPECT_EQ(exchange(makeFrame(link::kChallenge, challenge)), kAck);
    const SessionKeys keys = deriveSessionKeys(std::span<const uint8_t, 16>(challenge.data(), 16));
    EXPECT_EQ(exchange(makeWriteBlock(0x7FF0, Bytes(32, 1), keys)), kNak);
    EXPECT_EQ(exchange(makeWriteBlock(0xFFF0, Bytes(17, 1), keys)), kNak);
    EXPECT_EQ(exchange(makeWriteBlock(0x7FF0, Bytes(16, 1), keys)), kAck);
    // A frame cut short is forgotten after a pause; the next one is understood.
    const Bytes block = makeWriteBlock(0x8000, Bytes(20, 9), keys);
    panel.receive(std::span<const uint8_t>(block.data(), 12), t);
    EXPECT_TRUE(panel.advance(t).empty());
    t += 200 * kNsPerMs;
    EXPECT_EQ(exchange(block), kAck);
    EXPECT_EQ(panel.image(), Bytes(20, 9));
}

TEST(PanelSimulator, ParsesFaultLists) {
    auto f = parsePanelFaults(
        "no-handshake=1500,drop=2,bad-sum=1,nak=0.25,delay=40,delay-rate=0.5,flip=0.01,"
        "silent-after=9,seed=77");
    ASSERT_TRUE(f.ok()) << f.message();
    EXPECT_EQ(f->handshakeSilenceMs, 1500);
    EXPECT_EQ(f->dropReplies, 2);
    EXPECT_EQ(f->corruptReplies, 1);
    EXPECT_DOUBLE_EQ(f->nakProbability, 0.25);
    EXPECT_EQ(f->replyDelayMs, 40);
    EXPECT_DOUBLE_EQ(f->delayProbability, 0.5);
    EXPECT_DOUBLE_EQ(f->flipProbability, 0.01);
    EXPECT_EQ(f->silentAfterFrames, 9);
    EXPECT_EQ(f->seed, 77u);
    EXPECT_FALSE(parsePanelFaults("").value().any());
    auto more = parsePanelFaults("late=7:1.25,bit-flip=0.001,drop-rate=0.05,refuse=4,refuse=9");
    ASSERT_TRUE(more.ok()) << more.message();
    EXPECT_THAT(more->refusedFrames, ::testing::ElementsAre(4, 9));
    EXPECT_EQ(more->lateFrame, 7);
    EXPECT_EQ(more->lateNs, 1250 * kNsPerMs);
    EXPECT_DOUBLE_EQ(more->bitErrorRate, 0.001);
    EXPECT_DOUBLE_EQ(more->dropProbability, 0.05);
    EXPECT_TRUE(more->any());
    for (const char* bad :
         {"nak=1.5", "drop=-1", "delay", "shout=3", "flip=x", "drop=3x", "late=3", "late=0:1",
          "late=2:", "late=2:-1", "late=2:1e3", "bit-flip=2", "refuse=0"}) {
        EXPECT_FALSE(parsePanelFaults(bad).ok()) << bad;
    }
}

TEST(PanelSimulator, DelaysOneReplyAndQueuesTheLaterOnesBehindIt) {
    PanelSimulator panel(panelWith("late=2:0.5"));
    const Bytes request = makeFrame(link::kInfoRequest);
    for (int64_t t : {0, 10, 20})
        panel.receive(request, t * kNsPerMs);
    EXPECT_EQ(panel.advance(100 * kNsPerMs), infoReply(5, 2));  // the first is on time
    EXPECT_TRUE(panel.advance(509 * kNsPerMs).empty());
    // The second and the third (due long before) leave together, in order, half a second late.
    Bytes both = infoReply(5, 2);
    both.insert(both.end(), both.begin(), both.end());
    EXPECT_EQ(panel.advance(511 * kNsPerMs), both);
}

TEST(PanelSimulator, BitErrorsFlipSingleBitsAtTheirRateAndCountTheDamageTheSumMisses) {
    // At a rate of 1e-3 over 2,000 frames of 135 bytes and their 5-byte replies (2.24 million
    // bits) about 2,240 bits flip; a frame with a flip is refused unless two flips cancel in the
    // sum, which happens to a few of them.
    PanelSimulator panel(panelWith("bit-flip=0.001,seed=3"));
    const Bytes frame = makeWriteBlock(0x8000, pattern(128, 1), SessionKeys{});
    int64_t t = 0;
    for (int i = 0; i < 2000; ++i, t += 20 * kNsPerMs)
        panel.receive(frame, t);
    const Bytes replies = panel.advance(t + 1000 * kNsPerMs);
    const PanelStats& s = panel.stats();
    EXPECT_NEAR(static_cast<double>(s.flippedBits), 2240.0, 250.0);
    EXPECT_GT(s.damagedFrames, 1000);
    EXPECT_GT(s.unseenDamage, 0);
    EXPECT_LT(s.unseenDamage, s.damagedFrames / 20);
    // Replies are damaged on the way back too, one bit at a time, and still come in 5 bytes.
    EXPECT_GT(s.damagedReplies, 0);
    EXPECT_EQ(replies.size() % 5, 0u);
}

TEST(LinkEngine, AResendAfterAnErrorReplyWaitsQuietlyForItsOwnReply) {
    // The challenge is refused once; the reply to its resend comes ten ticks late. The wake-ups
    // in between see no verdict, so nothing more is counted or sent.
    LinkRun run(jobOf(300));
    int challenges = 0;
    run.go(
        [&](const Bytes& frame, size_t) -> std::optional<Bytes> {
            if (frame[3] == link::kInfoRequest)
                return infoReply(5, 2);
            if (frame[3] == link::kChallenge && challenges++ < 2)
                return challenges == 1 ? std::optional<Bytes>(kNak) : std::nullopt;
            return kAck;
        },
        10);
    ASSERT_FALSE(run.outcome);
    EXPECT_EQ(run.ticks, 10);
    EXPECT_EQ(run.count(link::kChallenge), 2u);
    EXPECT_EQ(run.engine.stats().errorReplies, 1);
    run.deliver(kAck);
    run.go(goodPanel());
    ASSERT_TRUE(run.outcome);
    EXPECT_EQ(run.outcome->end, LinkEnd::Success);
    EXPECT_EQ(run.count(link::kChallenge), 2u);
    EXPECT_EQ(run.engine.stats().resends, 1);
    EXPECT_EQ(run.engine.stats().errorReplies, 1);
}

// ---- every reply matched to the frame it can answer ----

TEST(LinkReplies, TakesReplyFramesOffTheLineOneAtATimeSkippingNoise) {
    Bytes line = bytes({0x00, 0x55, 0x13, 0x55, 0xAA, 0x07});  // noise, a length no reply has
    line.insert(line.end(), kAck.begin(), kAck.end());
    const Bytes info = infoReply(3, 4);
    line.insert(line.end(), info.begin(), info.end());
    line.insert(line.end(), kNak.begin(), kNak.begin() + 3);
    EXPECT_EQ(takeReplyFrame(line), kAck);
    EXPECT_EQ(takeReplyFrame(line), info);
    EXPECT_EQ(takeReplyFrame(line), std::nullopt);  // the refusal is not complete yet
    EXPECT_EQ(line.size(), 3u);
    line.insert(line.end(), kNak.begin() + 3, kNak.end());
    EXPECT_EQ(takeReplyFrame(line), kNak);
    EXPECT_TRUE(line.empty());
}

TEST(LinkReplies, JudgesEachReplyAgainstTheFrameItCanAnswer) {
    Bytes damagedAck = kAck;
    damagedAck.back() ^= 0x01;
    Bytes damagedInfo = infoReply(3, 4);
    damagedInfo.back() ^= 0x10;
    const uint8_t body[] = {1, 2, 3, 4, 5};
    const Bytes tenNot82 = makeFrame(0x07, body);
    Bytes shortInfo = bytes({0x55, 0xAA, 0x05, 0x82, 0x00});  // an information reply cut to 5
    using V = ReplyVerdict;
    // The information request: an information reply or a refusal.
    EXPECT_EQ(judgeReply(infoReply(3, 4), link::kInfoRequest), V::Good);
    EXPECT_EQ(judgeReply(kNak, link::kInfoRequest), V::Error);
    EXPECT_EQ(judgeReply(kAck, link::kInfoRequest), V::Stale);
    EXPECT_EQ(judgeReply(damagedAck, link::kInfoRequest), V::Error);
    EXPECT_EQ(judgeReply(damagedInfo, link::kInfoRequest), V::Unusable);
    EXPECT_EQ(judgeReply(tenNot82, link::kInfoRequest), V::Error);
    EXPECT_EQ(judgeReply(shortInfo, link::kInfoRequest), V::Malformed);
    // Every other frame: an acknowledge or a refusal; anything ten bytes long is stale.
    for (uint8_t request : {link::kHandshake, link::kChallenge, link::kWriteBlock}) {
        EXPECT_EQ(judgeReply(kAck, request), V::Good);
        EXPECT_EQ(judgeReply(kNak, request), V::Error);
        EXPECT_EQ(judgeReply(damagedAck, request), V::Error);
        EXPECT_EQ(judgeReply(infoReply(3, 4), request), V::Stale);
        EXPECT_EQ(judgeReply(damagedInfo, request), V::Stale);
        EXPECT_EQ(judgeReply(tenNot82, request), V::Stale);
        EXPECT_EQ(judgeReply(shortInfo, request), V::Stale);
        EXPECT_EQ(judgeReply(makeFrame(0x07), request), V::Noise);
    }
}

// Replies that come late, on a line that keeps 115200-baud time and brings them byte by byte.
// Each case once ended in "Download complete!" while the panel held another image: after one
// time-out resend the PC took every acknowledge for the frame after its own, and a refusal then
// went unnoticed.
TEST(LinkWithSimulator, LateRepliesAreNeverTakenForALaterFrame) {
    const LinkJob job = jobOf(3000);
    struct Case {
        const char* faults;
        bool refusal;
    };
    for (const Case c : {
             Case{"late=2:0.8,refuse=8", true},   // the information reply late, a block refused
             Case{"late=6:0.7,refuse=9", true},   // a block resent and acknowledged twice
             Case{"late=3:1.7,refuse=10", true},  // the challenge's answer after three resends
             Case{"delay=100", false},            // a slow panel
             Case{"delay=600,refuse=30,refuse=31", true},  // the slowest panel, refusals
             Case{"delay=700,delay-rate=0.1,nak=0.05,seed=4", true},
         }) {
        SCOPED_TRACE(c.faults);
        SimResult r = download(job, panelWith(c.faults, true));
        ASSERT_EQ(r.outcome.end, LinkEnd::Success) << r.outcome.message;
        EXPECT_EQ(r.image, marked(job.image));
        EXPECT_TRUE(r.valid);
        // The late replies were waited for and dropped, never judged for the next frame.
        EXPECT_GT(r.link.drainedReplies, 0);
        EXPECT_EQ(r.link.forgottenReplies, 0);
        if (c.refusal) {
            EXPECT_GE(r.link.errorReplies, 1);
        }
    }
}

TEST(LinkEngine, DropsAStaleAcknowledgeWhileTheInformationIsAskedFor) {
    // The first handshake is answered only after its resend, and so late that the PC stops
    // waiting for the second answer; that one arrives while the information request waits.
    LinkRun run(jobOf(300));
    run.byteByByte = true;
    bool owed = false;
    run.go([&](const Bytes& frame, size_t index) -> std::optional<Bytes> {
        if (frame[3] == link::kHandshake) {
            if (index == 0)
                return std::nullopt;
            owed = true;
            return kAck;
        }
        if (frame[3] == link::kInfoRequest && owed) {
            owed = false;
            Bytes both = kAck;
            const Bytes info = infoReply(5, 2);
            both.insert(both.end(), info.begin(), info.end());
            return both;
        }
        return goodPanel()(frame, index);
    });
    ASSERT_TRUE(run.outcome);
    EXPECT_EQ(run.outcome->end, LinkEnd::Success) << run.outcome->message;
    EXPECT_EQ(run.engine.stats().forgottenReplies, 1);
    EXPECT_EQ(run.engine.stats().staleReplies, 1);
    EXPECT_EQ(run.count(link::kInfoRequest), 1u);

    // Without an unanswered handshake the same acknowledge is the panel's wrong answer.
    LinkRun wrong(jobOf(300));
    wrong.go([](const Bytes&, size_t) -> std::optional<Bytes> { return kAck; });
    EXPECT_EQ(wrong.outcome->message, "Wrong informationg!");
}

TEST(LinkEngine, DrainingCostsNothingOnACleanLineAndEndsWithTheFramesTime) {
    // Clean: the same frames and the same time as without the drain.
    LinkRun clean(jobOf(3000));
    clean.go(goodPanel());
    EXPECT_EQ(clean.engine.stats().framesSent, 3000 / 128 + 1 + 5);
    EXPECT_EQ(clean.engine.stats().drainTicks, 0);
    EXPECT_EQ(clean.ticks, 0);

    // A block's first send is never answered, its resend is: the engine waits for the missing
    // answer for the frame's whole time-out after the resend, then goes on.
    LinkRun lost(jobOf(300));
    int blocks = 0;
    std::vector<int> sendTicks;
    lost.go([&](const Bytes& frame, size_t index) -> std::optional<Bytes> {
        sendTicks.push_back(lost.ticks);
        if (frame[3] == link::kWriteBlock && frame[2] == 135 && ++blocks == 2)
            return std::nullopt;
        return goodPanel()(frame, index);
    });
    ASSERT_EQ(lost.outcome->end, LinkEnd::Success);
    EXPECT_EQ(lost.engine.stats().forgottenReplies, 1);
    // Sent at tick 0, resent at tick 32, answered at once; the next frame leaves after tick 132.
    const size_t resend = 5;
    EXPECT_EQ(sendTicks[resend], 32);
    EXPECT_EQ(sendTicks[resend + 1], 134);
}

// What the progress dialog shows: the driver and image bytes acknowledged of all that is sent,
// and whether the panel's old image has been invalidated (after which a stopped download leaves
// the panel without a valid image).
TEST(LinkEngine, CountsAcknowledgedBytesAndNotesTheInvalidation) {
    LinkRun whole(jobOf(300, 200));
    whole.go([](const Bytes& frame, size_t) -> std::optional<Bytes> {
        if (frame[3] == link::kInfoRequest)
            return infoReply(6, 2);  // another protocol: the driver goes too
        return kAck;
    });
    ASSERT_TRUE(whole.outcome);
    EXPECT_EQ(whole.outcome->end, LinkEnd::Success);
    EXPECT_EQ(whole.engine.stats().payloadTotal, 500);
    EXPECT_EQ(whole.engine.stats().payloadAcknowledged, 500);
    EXPECT_TRUE(whole.engine.stats().invalidationSent);

    // Stopped in the middle of the image: the panel refuses every write at the image's address
    // after the invalidation and the first image block, so the driver and 128 image bytes are
    // through.
    LinkRun stopped(jobOf(300, 200));
    int imageBlocks = 0;
    stopped.go([&](const Bytes& frame, size_t) -> std::optional<Bytes> {
        if (frame[3] == link::kInfoRequest)
            return infoReply(6, 2);
        if (frame[3] == link::kWriteBlock) {
            const auto block = readWriteBlock(frame, stopped.engine.sessionKeys());
            if (block && block->address >= link::kImageBase && ++imageBlocks > 2)
                return kNak;
        }
        return kAck;
    });
    ASSERT_TRUE(stopped.outcome);
    EXPECT_EQ(stopped.outcome->end, LinkEnd::Failure);
    EXPECT_EQ(stopped.engine.stats().payloadAcknowledged, 200 + 128);
    EXPECT_TRUE(stopped.engine.stats().invalidationSent);

    // A panel that fails before the invalidation keeps its image.
    LinkRun early(jobOf(300));
    early.go([](const Bytes&, size_t) -> std::optional<Bytes> { return kAck; });
    EXPECT_EQ(early.outcome->end, LinkEnd::Failure);
    EXPECT_FALSE(early.engine.stats().invalidationSent);
    EXPECT_EQ(early.engine.stats().payloadAcknowledged, 0);
}
