// Whole downloads on a virtual clock: the PC's engine against the panel simulator, with the
// input deciding the job (image and driver sizes, the panel's protocol and driver version) and
// what happens to every piece on the line (delivered, lost, damaged, split, delayed, garbage
// added). Nothing may read out of bounds, send an oversized frame, move the progress backwards or
// outside 0..10000, or run without end; a download whose line was never disturbed must end in
// success with the panel holding exactly the image sent. The panel's frame reader also gets the
// raw input, and the PC's reply reader and judgement too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "link/LinkEngine.h"
#include "link/LinkProtocol.h"
#include "link/PanelSimulator.h"

namespace {

// The input read as a stream of decisions; zeros once it is used up (an undisturbed line).
class Script {
  public:
    Script(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void require(bool condition) {
    if (!condition)
        std::abort();
}

void checkActions(const std::vector<vanta::LinkAction>& actions, int& lastProgress) {
    for (const auto& a : actions) {
        if (a.kind == vanta::LinkAction::Kind::Send) {
            require(a.bytes.size() >= 5 && a.bytes.size() <= vanta::link::kMaxFrameSize);
        } else if (a.kind == vanta::LinkAction::Kind::Progress) {
            require(a.position >= 0 && a.position <= 10000);
            require(a.position >= lastProgress);
            lastProgress = a.position;
        }
    }
}

// The panel's frame reader on the raw bytes, in pieces the input sizes itself.
void feedPanelRawBytes(std::span<const uint8_t> bytes) {
    vanta::PanelSimulator panel(vanta::PanelOptions{});
    int64_t now = 0;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t n = std::min<size_t>(1 + bytes[pos] % 64, bytes.size() - pos);
        panel.receive(bytes.subspan(pos, n), now);
        now += (bytes[pos] & 0x80) ? 60 * vanta::kNsPerMs : vanta::kNsPerMs;
        require(panel.advance(now).size() % 5 == 0);  // replies are 5 or 10 bytes
        pos += n;
    }
    require(panel.image().size() <= 0x8000 && panel.driver().size() <= 0x8000);
}

void runDownload(Script& script) {
    // The job: sizes up to a few blocks past a multiple of 128, so partial blocks occur.
    vanta::LinkJob job;
    const uint8_t shape = script.next();
    job.image.resize(48 + static_cast<size_t>(script.next()) * 3 + (shape & 0x7F));
    for (size_t i = 0; i < job.image.size(); ++i)
        job.image[i] = static_cast<uint8_t>(i * 7 + 1);
    if (shape & 0x80) {
        job.driver.resize(1 + static_cast<size_t>(script.next()) * 2);
        for (size_t i = 0; i < job.driver.size(); ++i)
            job.driver[i] = static_cast<uint8_t>(i * 13 + 2);
    }
    job.protocol = static_cast<uint8_t>(1 + script.next() % 40);
    job.driverVersion = script.next() & 3;
    job.forceDriver = (shape & 0x40) != 0;

    vanta::PanelOptions options;
    options.protocol = static_cast<uint8_t>(1 + script.next() % 40);
    options.driverVersion = script.next() & 3;
    vanta::PanelSimulator panel(options);
    vanta::LinkEngine engine(job, [n = uint8_t{0x5C}]() mutable { return n = n * 29 + 5; });

    constexpr int64_t kTick = vanta::kLinkTickMs * vanta::kNsPerMs;
    int64_t now = 0;
    int64_t nextTick = kTick;
    int lastProgress = 0;
    bool disturbed = false;
    bool finished = false;
    vanta::LinkOutcome outcome;
    auto apply = [&](const std::vector<vanta::LinkAction>& actions) {
        checkActions(actions, lastProgress);
        for (const auto& a : actions) {
            if (a.kind == vanta::LinkAction::Kind::Send)
                panel.receive(a.bytes, now);
            if (a.kind == vanta::LinkAction::Kind::Finished) {
                finished = true;
                outcome = a.outcome;
            }
        }
    };
    // What happens to a piece on its way to the PC.
    auto deliver = [&](std::vector<uint8_t> piece) {
        const uint8_t decision = script.next();
        switch (decision >> 5) {
            case 1:  // lost
                disturbed = true;
                return;
            case 2:  // one byte damaged
                disturbed = true;
                piece[decision % piece.size()] ^= static_cast<uint8_t>(1 + script.next());
                break;
            case 3: {  // split in two
                const size_t cut = decision % piece.size();
                apply(engine.received(std::span<const uint8_t>(piece).first(cut)));
                apply(engine.received(std::span<const uint8_t>(piece).subspan(cut)));
                return;
            }
            case 4:  // garbage in front
                disturbed = true;
                piece.insert(piece.begin(), script.next());
                break;
            case 5:  // a timer tick before it arrives
                disturbed = true;
                apply(engine.tick());
                break;
            default:
                break;
        }
        apply(engine.received(piece));
    };

    apply(engine.start());
    // Far beyond the longest download of a 32 KB image with every resend the engine allows.
    constexpr int64_t kLimitNs = 3600LL * 1000 * vanta::kNsPerMs;
    while (!finished) {
        require(now < kLimitNs);
        now = std::min(nextTick, panel.nextEventNs());
        std::vector<uint8_t> out = panel.advance(now);
        if (!out.empty())
            deliver(std::move(out));
        if (now == nextTick && !finished) {
            apply(engine.tick());
            nextTick += kTick;
        }
    }
    if (!disturbed) {
        require(outcome.end == vanta::LinkEnd::Success);
        require(panel.imageValid());
        std::vector<uint8_t> expected = job.image;
        expected[0] = 0x5A;
        expected[1] = 0xA5;
        require(panel.image() == expected);
    }
}

}  // namespace

// The PC's reply reader: frames taken off the line one by one and judged against the requests.
void readReplyFrames(std::span<const uint8_t> bytes) {
    std::vector<uint8_t> line(bytes.begin(), bytes.end());
    while (auto frame = vanta::takeReplyFrame(line)) {
        require(frame->size() == 5 || frame->size() == 10);  // the only replies a panel sends
        (void)vanta::judgeReply(*frame, vanta::link::kInfoRequest);
        (void)vanta::judgeReply(*frame, vanta::link::kWriteBlock);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    (void)vanta::classifyReply(bytes);
    readReplyFrames(bytes);
    feedPanelRawBytes(bytes);
    Script script(data, size);
    runDownload(script);
    return 0;
}
