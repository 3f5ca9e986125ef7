#pragma once
// The panel running a compiled image: its current screen, keypad, register entry, password,
// screen saver, alarm list, control register block, trends, recipe memory and panel-internal
// registers, and the 192 x 64 picture it shows. Time is given by the caller in milliseconds on
// any monotonic scale (the editor's clock, or steps of a script), the wall clock by a function;
// nothing here waits or starts a thread. docs/emulator.md states every runtime rule.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "common/FontTables.h"
#include "emulator/PanelKeys.h"
#include "emulator/PanelProgram.h"
#include "emulator/RegisterSource.h"
#include "model/MonoBitmap.h"

namespace vanta {

struct WallTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 6;  // 0 = Sunday
};
using WallClock = std::function<WallTime()>;
// The computer's local time.
WallTime localWallTime();

enum class PanelMode : uint8_t {
    Screen,     // a screen, keys act on it
    Editing,    // a value is being typed into a register
    Password,   // the password is asked before a protected action
    AlarmList,  // the alarm list is shown
};

class PanelEmulator {
  public:
    // The recipe memory ("RP") holds this many words; the recipe base is LW0.
    static constexpr uint32_t kRecipeWords = 2048;
    static constexpr int kPasswordDigits = 4;
    // Text lines of the display: the alarm list shows this many texts at a time.
    static constexpr int kTextRows = 4;

    // `program`, `font` (the panel's own 8 x 16 characters: register digits and its messages)
    // and `plc` must outlive the emulator.
    PanelEmulator(const PanelProgram& program, const FontTables& font, RegisterSource& plc,
                  WallClock clock = localWallTime);

    // Power-up: the initial screen.
    void start(int64_t nowMs);
    void press(PanelKey key, int64_t nowMs);
    void release(PanelKey key, int64_t nowMs);
    // Lets time pass: screen saver, trend samples, the control register block.
    void advance(int64_t nowMs);
    // Shows a screen as if the PLC had ordered it (the screen picker). False when there is none.
    bool showScreen(uint16_t number, int64_t nowMs);

    MonoBitmap render() const;

    uint16_t currentScreen() const { return current_; }
    PanelMode mode() const { return mode_; }
    bool saverActive() const { return saverActive_; }
    bool unlocked() const { return unlocked_; }
    // The register being typed into (its index on the screen), while editing.
    std::optional<size_t> editedComponent() const;
    // The trend's samples (oldest first) on the current screen.
    std::vector<int64_t> trendSamples(size_t componentIndex) const;

    // A value as the panel reads it: the panel's own memory for the internal areas, the PLC's
    // otherwise (nothing before it was read).
    std::optional<uint32_t> value(const PointKey& key) const;
    // Writes one register or bit as the register table does.
    void write(const PointKey& key, uint32_t value);
    // A component's value as the panel reads it: its registers as one number (the first most
    // significant), nothing while one of them is unknown; and written back the same way.
    std::optional<uint32_t> read(const WordBinding& binding) const;
    void writeWord(const WordBinding& binding, uint32_t value);
    // A lamp's or a coil's bit; writing a bit of a word register keeps the word's other bits.
    std::optional<bool> readBit(const BitBinding& binding) const;
    void writeBit(const BitBinding& binding, bool on);
    // The panel-internal registers (RP, RWI, RDI, LW; TM comes from the clock).
    const RegisterTable& panelMemory() const { return memory_; }
    // What the panel reads now: the shown screen, the alarm coils, the ordered-screen register.
    const std::vector<PointKey>& watched() const { return watched_; }
    // Grows with every change of what the panel shows or holds.
    uint64_t changes() const;

    const PanelProgram& program() const { return program_; }

  private:
    struct Pending {
        bool edit = false;  // start editing this register; otherwise run this key
        size_t component = 0;
    };
    struct Trend {
        std::deque<int64_t> samples;
        int64_t nextSampleMs = 0;
    };

    const LiveScreen* screen() const { return program_.screen(current_); }
    void enterScreen(uint16_t number, int64_t nowMs);
    void updateWatched();
    void leaveSaver(int64_t nowMs);

    void pressOnScreen(PanelKey key, int64_t nowMs);
    void pressWhileEditing(PanelKey key, int64_t nowMs);
    void pressForPassword(PanelKey key, int64_t nowMs);
    void pressInAlarmList(PanelKey key);
    void runKey(size_t component, bool viaPassword, int64_t nowMs);
    void beginEditing(size_t component);
    void editNext();
    void runRecipe(const LiveComponent& key);

    void writePoints(const std::vector<PointWrite>& writes);
    std::optional<uint32_t> clockField(uint32_t address) const;

    void sampleTrends(int64_t nowMs);
    void followControlBlock(int64_t nowMs);
    void reportScreen();
    void writeClock();
    std::vector<size_t> activeAlarms() const;

    // Drawing.
    void drawScreen(class ImagePainter& painter) const;
    void drawComponent(ImagePainter& painter, const LiveComponent& c,
                       const DecodedComponent& decoded) const;
    void drawRegister(ImagePainter& painter, const LiveComponent& c) const;
    void drawDynamic(ImagePainter& painter, const LiveComponent& c,
                     const DecodedComponent& decoded) const;
    void drawBar(ImagePainter& painter, const LiveComponent& c) const;
    void drawTrend(ImagePainter& painter, const LiveComponent& c) const;
    void drawAlarmList(ImagePainter& painter) const;
    void drawLine(ImagePainter& painter, int row, const std::string& text, bool inverse) const;
    void drawChars(ImagePainter& painter, int x, int y, const std::string& text, int scale,
                   bool inverse) const;

    const PanelProgram& program_;
    const FontTables& font_;
    RegisterSource& plc_;
    WallClock clock_;
    RegisterTable memory_;

    uint16_t current_ = 0;
    PanelMode mode_ = PanelMode::Screen;
    bool unlocked_ = false;
    // Editing.
    size_t edited_ = 0;
    Entry entry_;
    bool entryTouched_ = false;
    // Password prompt.
    std::string typedPassword_;
    bool passwordRefused_ = false;
    Pending pending_;
    // Alarm list.
    size_t alarmScroll_ = 0;
    // Screen saver.
    int64_t lastKeyMs_ = 0;
    bool saverActive_ = false;
    uint16_t screenBeforeSaver_ = 0;
    // Keys held down with a momentary coil.
    std::map<PanelKey, BitBinding> momentary_;
    std::map<size_t, Trend> trends_;
    // Control register block.
    std::optional<uint32_t> lastExchange_;
    int lastClockSecond_ = -1;

    std::vector<PointKey> watched_;
    uint64_t stateChanges_ = 0;
};

}  // namespace vanta
