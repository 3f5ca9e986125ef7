#pragma once
// Generation of the data files that lie beside the executables: the two glyph tables made from
// GNU Unifont ("Ostra_EN.dat", "Ostra_CH.dat", layouts in common/FontTables.h) and the bundled
// protocol catalogue "Ostra_Ptc.dat" with placeholder drivers for the simulator. The
// `vanta-datagen` tool runs this at build time; tests use the pieces directly.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "protocols/ProtocolProfile.h"

namespace vanta::datagen {

// Unifont glyphs of the Basic Multilingual Plane, as read from a .hex file.
class UnifontGlyphs {
  public:
    UnifontGlyphs();
    // 0 when the code point has no glyph, else 8 or 16 pixels.
    int width(uint32_t codePoint) const;
    // The glyph's rows, top first: 16 bytes for a width of 8, 32 bytes (2 per row) for 16.
    const uint8_t* rows(uint32_t codePoint) const;
    void set(uint32_t codePoint, int width, const uint8_t* rows);

  private:
    std::vector<uint8_t> widths_;
    std::vector<uint8_t> bits_;  // 32 bytes per code point
};

// Parses the text of a Unifont .hex file ("XXXX:" then 32 or 64 hex digits per line). Code
// points above U+FFFF and glyphs of other widths are ignored; a malformed line is a failure
// naming its line number.
Result<UnifontGlyphs> parseUnifontHex(std::string_view text);
Result<UnifontGlyphs> loadUnifontHex(const std::string& path);

// "Ostra_EN.dat": 256 glyphs of 16 bytes. 0x20..0x7E are the ASCII glyphs, 0xA0..0xFF the
// Latin-1 glyphs; control codes (0x00..0x1F, 0x7F, 0x80..0x9F) stay blank.
std::vector<uint8_t> buildNarrowTable(const UnifontGlyphs& glyphs);

// "Ostra_CH.dat": the 16 x 16 glyph of every GBK double-byte code, indexed directly (see
// FontTables::wideOffset). A glyph 8 pixels wide is centred in the cell; codes that are not
// characters, or that have no glyph, stay blank.
std::vector<uint8_t> buildWideTable(const UnifontGlyphs& glyphs);

// The bundled catalogue: one byte N, then N entries of kCatalogueEntryBytes.
inline constexpr size_t kCatalogueEntryBytes = 32788;
inline constexpr size_t kCatalogueDriverOffset = 20;
inline constexpr size_t kCatalogueDriverArea = 32768;
inline constexpr uint8_t kPlaceholderProtocols = kProtocolCount;
inline constexpr uint8_t kPlaceholderDriverVersion = 1;

// Length L of the placeholder driver of a protocol (the panel receives its first L + 128 bytes).
uint16_t placeholderDriverLength(uint8_t protocol);
// The whole 32768-byte driver area of a protocol's placeholder entry: a readable label, then
// bytes from a generator seeded with the protocol number.
std::vector<uint8_t> placeholderDriverArea(uint8_t protocol);
// Entries for protocols 1..kProtocolCount in order, driver version 1.
std::vector<uint8_t> buildPlaceholderCatalogue();

// Writes "Ostra_EN.dat", "Ostra_CH.dat" and "Ostra_Ptc.dat" into outDir (each through a
// temporary file renamed over the target).
Status writeDataFiles(const std::string& unifontPath, const std::string& outDir);

}  // namespace vanta::datagen
