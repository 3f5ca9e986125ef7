// The download link's readers on arbitrary bytes: the panel simulator's frame reader (and what
// it stores), the PC's reply judgement and the engine fed with any replies and ticks. Nothing
// may read out of bounds, store outside the panel's areas or send an oversized frame.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "link/LinkEngine.h"
#include "link/LinkProtocol.h"
#include "link/PanelSimulator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    (void)vanta::classifyReply(bytes);
    std::vector<uint8_t> line(bytes.begin(), bytes.end());
    while (auto frame = vanta::takeReplyFrame(line)) {
        if (frame->size() != 5 && frame->size() != 10)
            std::abort();  // the only replies a panel sends
        (void)vanta::judgeReply(*frame, vanta::link::kInfoRequest);
        (void)vanta::judgeReply(*frame, vanta::link::kWriteBlock);
    }

    // The panel: the input arrives in pieces whose sizes and gaps come from the input itself.
    vanta::PanelSimulator panel(vanta::PanelOptions{});
    int64_t now = 0;
    size_t pos = 0;
    while (pos < size) {
        const size_t piece = 1 + data[pos] % 64;
        const size_t n = std::min(piece, size - pos);
        panel.receive(bytes.subspan(pos, n), now);
        now += (data[pos] & 0x80) ? 60 * vanta::kNsPerMs : vanta::kNsPerMs;
        const auto out = panel.advance(now);
        if (out.size() % 5 != 0)
            std::abort();  // replies are 5 or 10 bytes
        pos += n;
    }
    if (panel.image().size() > 0x8000 || panel.driver().size() > 0x8000)
        std::abort();

    // The PC: every byte is a reply piece or a tick.
    vanta::LinkJob job;
    job.image.assign(300, 0x11);
    job.driver.assign(200, 0x22);
    job.protocol = 3;
    vanta::LinkEngine engine(job, [] { return uint8_t{0x5C}; });
    auto check = [](const std::vector<vanta::LinkAction>& actions) {
        for (const auto& a : actions) {
            if (a.kind == vanta::LinkAction::Kind::Send &&
                (a.bytes.size() > vanta::link::kMaxFrameSize || a.bytes.size() < 5)) {
                std::abort();
            }
            if (a.kind == vanta::LinkAction::Kind::Progress &&
                (a.position < 0 || a.position > 10000))
                std::abort();
        }
    };
    check(engine.start());
    for (size_t i = 0; i < size && !engine.finished(); ++i) {
        if (data[i] == 0xFE) {
            check(engine.tick());
        } else {
            check(engine.received(bytes.subspan(i, 1)));
        }
    }
    return 0;
}
