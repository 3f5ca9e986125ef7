#pragma once
// Compiles a project into the panel's byte image: the 48-byte header, the glyph tables of every
// lamp, symbol and character the project shows, the picture data, the screen and component
// pointer tables, the component records, the dynamic-text data and the alarm block. Every
// compilation starts from empty sets; a failure leaves nothing behind (every component's
// download record is freed whatever the outcome).

#include <cstdint>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/FontTables.h"
#include "common/Prompter.h"
#include "protocols/Catalogue.h"

namespace vanta {

class Project;

inline constexpr uint16_t kImageBase = 0x8000;
inline constexpr size_t kImageHeaderBytes = 48;
inline constexpr size_t kMaxImageBytes = 0x8000;  // the image lives in 0x8000..0xFFFF
inline constexpr size_t kMaxComponentsPerScreen = 255;

struct CompiledImage {
    Bytes image;
    ProtocolDriver driver;
};

// What the glyph tables of a compiled image hold.
struct CompiledGlyphs {
    bool lamps = false;  // the 4 lamp glyphs lead the 16 x 16 table
    size_t symbols = 0;  // key symbols of the 16 x 16 table
    size_t wide = 0;     // double-byte characters of the 16 x 16 table
    size_t narrow = 0;   // glyphs of the 8 x 16 table (never more than 128)
};

struct CompileResult {
    enum class Outcome { Compiled, Cancelled, Failed } outcome = Outcome::Failed;
    CompiledImage compiled;
    Error error;  // for Failed: the message and its caption
    bool ok() const { return outcome == Outcome::Compiled; }

    // For Compiled: the glyph tables, and for every screen (in list order) the list positions of
    // its components in the order the image holds and the panel draws them (the pointer table:
    // every non-register in list order, then the registers by row and column).
    CompiledGlyphs glyphs;
    std::vector<std::vector<uint16_t>> imageOrder;
};

struct CompileOptions {
    std::string dataDir;  // folder of Ostra_CH.dat, Ostra_EN.dat and Ostra_Ptc.dat
    // When set, byte 0 of this "In.dat" is rewritten with the catalogue entry of the driver.
    std::string selectionFile;
    // Glyph tables already loaded (both of them); null: they are read from dataDir.
    const FontTables* fonts = nullptr;
    // The image as the editor previews it while the project is edited: no driver is loaded,
    // nothing is asked, limits in the wrong order are corrected in the records only (the
    // components keep them), and an image larger than the panel's memory is still returned.
    bool preview = false;
};

// Runs the compilation. Building the records corrects limits that are not in order in the
// components themselves; the "Register Limit error, cancel?" question then names each correction
// (findLimitCorrections) and goes to the prompter: OK cancels (Outcome::Cancelled) and puts the
// limits back as they were, Cancel goes on with the corrected records and components. A preview
// never asks.
CompileResult compileProject(Project& project, const CompileOptions& options, Prompter& prompter);

// The panel password as four BCD digits (1234 -> 0x1234).
uint16_t passwordBcd(uint16_t password);

}  // namespace vanta
