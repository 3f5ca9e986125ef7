#pragma once
// orbis-sim --emulate: the image the simulator received, running on the emulated panel with an
// in-memory register table, shown on the terminal. Each line read from the input is a key script
// ("SET 1 2 ENT"); the display is printed after every download and after every line.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/FontTables.h"
#include "emulator/PanelEmulator.h"

namespace orbissim {

// The display as text: two pixel rows a line, in block characters (light pixels drawn).
std::string displayAsText(const vanta::MonoBitmap& display);

class TerminalPanel {
  public:
    // `dataDir` holds "Ostra_EN.dat", the panel's own characters.
    TerminalPanel(const std::string& dataDir, FILE* out);
    ~TerminalPanel();

    // Runs the image from power-up and prints the display (or why it cannot run).
    void load(const std::vector<uint8_t>& image, int64_t nowMs);
    // Takes bytes typed on the input; every complete line is a key script.
    void input(const char* bytes, size_t count, int64_t nowMs);

  private:
    void runLine(const std::string& line, int64_t nowMs);
    void print();

    FILE* out_;
    vanta::FontTables font_;
    std::unique_ptr<vanta::PanelProgram> program_;
    vanta::RegisterTable table_;
    std::unique_ptr<vanta::PanelEmulator> emulator_;
    std::string pending_;
};

}  // namespace orbissim
