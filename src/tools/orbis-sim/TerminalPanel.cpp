#include "TerminalPanel.h"

#include "emulator/PanelKeys.h"

namespace orbissim {

std::string displayAsText(const vanta::MonoBitmap& display) {
    std::string text;
    for (int y = 0; y < display.height(); y += 2) {
        for (int x = 0; x < display.width(); ++x) {
            const bool top = display.pixel(x, y), bottom = display.pixel(x, y + 1);
            text += top && bottom ? "\u2588" : top ? "\u2580" : bottom ? "\u2584" : " ";
        }
        text += '\n';
    }
    return text;
}

TerminalPanel::TerminalPanel(const std::string& dataDir, FILE* out) : out_(out) {
    if (!font_.loadNarrow(dataDir + "/Ostra_EN.dat"))
        std::fprintf(stderr,
                     "orbis-sim: no Ostra_EN.dat in %s: the panel's own characters stay "
                     "blank\n",
                     dataDir.c_str());
}

TerminalPanel::~TerminalPanel() {
    emulator_.reset();
}

void TerminalPanel::load(const std::vector<uint8_t>& image, int64_t nowMs) {
    emulator_.reset();
    auto program = vanta::PanelProgram::load(image);
    if (!program) {
        program_.reset();
        std::fprintf(out_, "orbis-sim: the panel cannot run the image: %s\n",
                     program.message().c_str());
        std::fflush(out_);
        return;
    }
    program_ = std::make_unique<vanta::PanelProgram>(std::move(program).value());
    table_.clear();
    emulator_ = std::make_unique<vanta::PanelEmulator>(*program_, font_, table_);
    emulator_->start(nowMs);
    std::fprintf(out_, "orbis-sim: the panel runs the image; type keys (SET 1 2 ENT) and Enter\n");
    print();
}

void TerminalPanel::input(const char* bytes, size_t count, int64_t nowMs) {
    pending_.append(bytes, count);
    for (size_t end; (end = pending_.find('\n')) != std::string::npos;) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        runLine(line, nowMs);
    }
}

void TerminalPanel::runLine(const std::string& line, int64_t nowMs) {
    if (!emulator_)
        return;
    auto keys = vanta::parsePanelKeys(line);
    if (!keys) {
        std::fprintf(out_, "orbis-sim: %s\n", keys.message().c_str());
        std::fflush(out_);
        return;
    }
    emulator_->advance(nowMs);
    for (vanta::PanelKey key : *keys) {
        emulator_->press(key, nowMs);
        emulator_->release(key, nowMs);
    }
    print();
}

void TerminalPanel::print() {
    std::fprintf(out_, "screen %u\n%s", static_cast<unsigned>(emulator_->currentScreen()),
                 displayAsText(emulator_->render()).c_str());
    std::fflush(out_);
}

}  // namespace orbissim
