#pragma once
// Helpers of the emulator tests: a small project compiled and run on an emulated panel with an
// in-memory register table, a fixed wall clock and a time that the test moves.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/FontTables.h"
#include "emulator/PanelEmulator.h"
#include "emulator/PanelProgram.h"
#include "image/ImagePainter.h"
#include "image/ImageRenderer.h"
#include "image_test_support.h"

namespace vanta::emulatortest {

inline const FontTables& panelFont() {
    static const FontTables font = [] {
        FontTables f;
        EXPECT_TRUE(f.loadNarrow(std::string(VANTA_DATA_DIR) + "/Ostra_EN.dat"));
        return f;
    }();
    return font;
}

inline WallTime fixedTime() {
    WallTime t;
    t.year = 2024;
    t.month = 5;
    t.day = 17;
    t.hour = 9;
    t.minute = 30;
    t.second = 15;
    t.weekday = 5;
    return t;
}

// The compiled project running on a panel against `table` (or another source).
struct RunningPanel {
    PanelProgram program;
    RegisterTable table;
    std::unique_ptr<PanelEmulator> panel;
    int64_t now = 0;
    WallTime wall = fixedTime();

    static PanelProgram programOf(Project& project) {
        auto program = PanelProgram::load(imagetest::compiled(project));
        EXPECT_TRUE(program.ok()) << program.message();
        return std::move(program).value();
    }

    explicit RunningPanel(Project& project, RegisterSource* source = nullptr)
        : program(programOf(project)) {
        panel = std::make_unique<PanelEmulator>(program, panelFont(), source ? *source : table,
                                                [this] { return wall; });
        panel->start(now);
    }

    void tap(PanelKey key) {
        panel->press(key, now);
        now += 50;
        panel->release(key, now);
        now += 50;
        panel->advance(now);
    }
    void tap(std::initializer_list<PanelKey> keys) {
        for (PanelKey k : keys)
            tap(k);
    }
    void wait(int64_t ms) {
        now += ms;
        panel->advance(now);
    }

    // A point the program knows, by type name and address.
    PointKey point(const std::string& type, uint32_t address, std::optional<uint8_t> bit = {},
                   uint8_t station = 1) const {
        auto key = program.pointOf(station, type, address, bit);
        EXPECT_TRUE(key.has_value()) << type << address;
        return key.value_or(PointKey{});
    }
    uint32_t value(const std::string& type, uint32_t address,
                   std::optional<uint8_t> bit = {}) const {
        return panel->value(point(type, address, bit)).value_or(0xDEADBEEF);
    }
    void set(const std::string& type, uint32_t address, uint32_t v,
             std::optional<uint8_t> bit = {}) {
        panel->write(point(type, address, bit), v);
        panel->advance(now);
    }
};

// Pixels of a rectangle of a display picture, row by row ('#' light, '.' dark).
inline std::string pixels(const MonoBitmap& screen, int x, int y, int width, int height) {
    std::string out;
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column)
            out += screen.pixel(column, row) ? '#' : '.';
        out += '\n';
    }
    return out;
}

// What the panel's own characters look like at (x, y).
inline MonoBitmap charsAt(int x, int y, const std::string& text, bool inverse = false) {
    ImagePainter painter({});
    painter.fill(x, y, static_cast<int>(text.size()) * 8, 16, inverse);
    for (size_t i = 0; i < text.size(); ++i)
        painter.rowGlyph(panelFont().narrow(static_cast<uint8_t>(text[i])),
                         x + static_cast<int>(i) * 8, y, 1, inverse);
    return painter.take();
}

}  // namespace vanta::emulatortest
