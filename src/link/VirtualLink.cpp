#include "link/VirtualLink.h"

#include <algorithm>
#include <utility>

namespace vanta {

VirtualLinkResult runVirtualLink(const LinkJob& job, const PanelOptions& panelOptions,
                                 std::function<uint8_t()> random,
                                 const VirtualLinkOptions& options) {
    PanelSimulator panel(panelOptions);
    LinkEngine engine(job, std::move(random));
    VirtualLinkResult r;
    int64_t now = 0;
    int64_t nextTick = options.tickNs;
    auto apply = [&](const std::vector<LinkAction>& actions) {
        for (const auto& a : actions) {
            if (a.kind == LinkAction::Kind::Send)
                panel.receive(a.bytes, now);
            if (a.kind == LinkAction::Kind::NoAnswer)
                ++r.noAnswer;
            if (a.kind == LinkAction::Kind::Finished) {
                r.outcome = a.outcome;
                r.finished = true;
            }
        }
    };
    apply(engine.start());
    while (!r.finished && now < options.limitNs) {
        now = std::min(nextTick, panel.nextEventNs());
        const std::vector<uint8_t> out = panel.advance(now);
        if (!out.empty())
            apply(engine.received(out));
        if (now == nextTick && !r.finished) {
            apply(engine.tick());
            nextTick += options.tickNs;
        }
    }
    r.elapsedNs = now;
    // What was already on the line still reaches the panel.
    panel.advance(now + 1000 * kNsPerMs);
    r.link = engine.stats();
    r.panel = panel.stats();
    r.image = panel.image();
    r.driver = panel.driver();
    r.valid = panel.imageValid();
    return r;
}

}  // namespace vanta
