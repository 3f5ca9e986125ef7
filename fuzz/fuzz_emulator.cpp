// Runs arbitrary bytes as a panel image on the emulated panel: every screen shown, every key
// pressed and released on it, every value the image names set to all ones, time passing for the
// saver, trends and the control block. Nothing may crash, hang or read out of bounds, and every
// display is 192 x 64.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "emulator/PanelEmulator.h"

namespace {

void check(const vanta::MonoBitmap& shown) {
    if (shown.width() != 192 || shown.height() != 64)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto program = vanta::PanelProgram::load(std::vector<uint8_t>(data, data + size));
    if (!program)
        return 0;
    static const vanta::FontTables font;  // blank characters: the drawing is what matters
    vanta::RegisterTable table;
    vanta::PanelEmulator panel(*program, font, table);
    int64_t now = 0;
    panel.start(now);
    check(panel.render());
    size_t shown = 0;
    for (const vanta::LiveScreen& screen : program->screens()) {
        if (++shown > 16)
            break;
        panel.showScreen(screen.number, now);
        for (int k = 0; k < vanta::kPanelKeyCount; ++k) {
            const auto key = static_cast<vanta::PanelKey>(k);
            panel.press(key, now += 10);
            if (k % 6 == 5)
                check(panel.render());
            panel.release(key, now += 10);
        }
        panel.advance(now += 61000);
        check(panel.render());
    }
    size_t written = 0;
    for (const vanta::PointKey& key : program->knownPoints()) {
        if (++written > 512)
            break;
        panel.write(key, 0xFFFFFFFF);
    }
    panel.advance(now += 5000);
    check(panel.render());
    panel.press(vanta::PanelKey::Alm, now += 10);
    check(panel.render());
    return 0;
}
