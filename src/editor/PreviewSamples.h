#pragma once
// The sample values of the panel preview: what the PLC (or the panel's own memory) holds for the
// data-bound components of the shown screen, so that the preview can show the screen as the
// running panel draws it. The compiled image runs in the panel emulator, which reads the values
// from a register table and draws and formats them as the panel does; nothing here draws or
// formats a value itself.
//
// The values the user sets are kept by the point's name (station, register type, address, bit),
// not by the image's own numbering, so that they outlive every new compilation: an edit elsewhere
// in the project keeps them. They are preview state only and never touch the project. A point
// the user did not set holds its default: 0, the first entry's value for a dynamic text (its text
// is the one the layout picture shows) and the zero scale for a bar graph (an empty bar).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "model/MonoBitmap.h"

namespace vanta {

class CBase;
class CMainView;
class FontTables;
class PanelEmulator;
class PanelProgram;
class RegisterTable;
struct DecodedComponent;
struct LiveComponent;
struct LiveScreen;
struct PointKey;
struct ProjectAnalysis;

// A point as the project names it.
struct SamplePoint {
    uint8_t station = 0;  // 0 for the panel's own registers
    std::string area;     // the register type: "D", "4x", "M", "LW"
    bool bits = false;    // a bit area rather than registers
    uint32_t address = 0;
    uint8_t bit = 0;  // in a bit area with bit numbers
    friend auto operator<=>(const SamplePoint&, const SamplePoint&) = default;
};

enum class SampleKind : uint8_t { Register, Lamp, Bar, Dynamic };

// A data-bound component of the shown screen.
struct SampleComponent {
    SampleKind kind = SampleKind::Register;
    const LiveComponent* live = nullptr;
};

class PreviewSamples {
  public:
    // `fonts` (the panel's own characters, for register digits) must outlive this object.
    explicit PreviewSamples(const FontTables& fonts);
    ~PreviewSamples();
    PreviewSamples(const PreviewSamples&) = delete;
    PreviewSamples& operator=(const PreviewSamples&) = delete;

    // Runs the analysis's image showing the screen with that number, with the values set so far.
    // False (and nothing runs) when the image did not compile or holds no such screen.
    bool load(const ProjectAnalysis& analysis, uint16_t screenNumber);
    bool running() const { return emulator_ != nullptr; }

    // The shown screen's data-bound components in drawing order (trends left out: their picture
    // needs time to pass).
    std::vector<SampleComponent> components() const;
    // The project's component behind one of them, through the analysis's drawing order; null when
    // `screen` is not the screen loaded.
    const CBase* projectComponent(const ProjectAnalysis& analysis, const CMainView& screen,
                                  const LiveComponent& live) const;
    // The component as the image decoder read it (a dynamic text's entries).
    const DecodedComponent& decoded(const LiveComponent& live) const;
    // Where the component's value lives: "D100", "M10.3", "D20.4" (bit 4 of D20).
    std::string pointName(const LiveComponent& live) const;

    // A register's, bar's or dynamic text's raw value; a lamp's bit.
    uint32_t value(const LiveComponent& live) const;
    bool bit(const LiveComponent& live) const;
    // Sets a sample value (kept for later loads).
    void setValue(const LiveComponent& live, uint32_t raw);
    void setBit(const LiveComponent& live, bool on);

    // Whether the user set any value since the last reset.
    bool anySet() const { return !set_.empty(); }
    // Every point back to its default.
    void reset();
    const std::map<SamplePoint, uint32_t>& setValues() const { return set_; }

    // The screen as the running panel shows it with these values.
    MonoBitmap render() const;

  private:
    void restart();
    bool isSet(const PointKey& key) const;
    SamplePoint sampleKey(const PointKey& key) const;
    void remember(const PointKey& key);
    void applyDefaults();
    void applySetValues();

    const FontTables& fonts_;
    std::map<SamplePoint, uint32_t> set_;
    std::unique_ptr<PanelProgram> program_;
    std::unique_ptr<RegisterTable> plc_;
    std::unique_ptr<PanelEmulator> emulator_;
    uint16_t screenNumber_ = 0;
};

}  // namespace vanta
