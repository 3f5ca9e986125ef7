#include "tools/datagen/DataFileGen.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "common/FileIO.h"
#include "common/FontTables.h"
#include "common/GbkText.h"

namespace vanta::datagen {

namespace {

constexpr uint32_t kPlaneSize = 0x10000;
constexpr size_t kGlyphSlot = 32;

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The single code point of a UTF-8 text, or UINT32_MAX when it holds anything else.
uint32_t soleCodePoint(const std::string& s) {
    const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(s[i])); };
    if (s.size() == 1 && b(0) < 0x80)
        return b(0);
    if (s.size() == 2 && (b(0) & 0xE0) == 0xC0)
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    if (s.size() == 3 && (b(0) & 0xF0) == 0xE0) {
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    }
    return UINT32_MAX;
}

bool isPrivateUse(uint32_t cp) {
    return cp >= 0xE000 && cp <= 0xF8FF;
}

Status writeDataFile(const std::filesystem::path& target, const std::vector<uint8_t>& data) {
    return writeFileAtomically(target.string(), data);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Unifont

UnifontGlyphs::UnifontGlyphs() : widths_(kPlaneSize, 0), bits_(kPlaneSize * kGlyphSlot, 0) {}

int UnifontGlyphs::width(uint32_t codePoint) const {
    return codePoint < kPlaneSize ? widths_[codePoint] : 0;
}

const uint8_t* UnifontGlyphs::rows(uint32_t codePoint) const {
    return bits_.data() + (codePoint % kPlaneSize) * kGlyphSlot;
}

void UnifontGlyphs::set(uint32_t codePoint, int width, const uint8_t* rows) {
    if (codePoint >= kPlaneSize || (width != 8 && width != 16))
        return;
    widths_[codePoint] = static_cast<uint8_t>(width);
    uint8_t* slot = bits_.data() + codePoint * kGlyphSlot;
    std::memset(slot, 0, kGlyphSlot);
    std::memcpy(slot, rows, width == 8 ? 16 : 32);
}

Result<UnifontGlyphs> parseUnifontHex(std::string_view text) {
    UnifontGlyphs glyphs;
    size_t lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;

        const auto bad = [&] {
            return Result<UnifontGlyphs>::failure("Malformed Unifont line " +
                                                  std::to_string(lineNumber));
        };
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0 || colon > 6)
            return bad();
        uint32_t codePoint = 0;
        for (size_t i = 0; i < colon; ++i) {
            const int v = hexValue(line[i]);
            if (v < 0)
                return bad();
            codePoint = codePoint * 16 + static_cast<uint32_t>(v);
        }
        const std::string_view digits = line.substr(colon + 1);
        if (digits.size() % 2 != 0)
            return bad();
        for (char c : digits) {
            if (hexValue(c) < 0)
                return bad();
        }
        if (codePoint >= kPlaneSize || (digits.size() != 32 && digits.size() != 64))
            continue;
        uint8_t rows[kGlyphSlot];
        for (size_t i = 0; i < digits.size() / 2; ++i) {
            rows[i] =
                static_cast<uint8_t>(hexValue(digits[2 * i]) * 16 + hexValue(digits[2 * i + 1]));
        }
        glyphs.set(codePoint, digits.size() == 32 ? 8 : 16, rows);
    }
    return glyphs;
}

Result<UnifontGlyphs> loadUnifontHex(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Result<UnifontGlyphs>::failure("Cannot open " + path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return Result<UnifontGlyphs>::failure("Cannot read " + path);
    Result<UnifontGlyphs> glyphs = parseUnifontHex(text);
    if (!glyphs.ok())
        return Result<UnifontGlyphs>::failure(path + ": " + glyphs.message());
    return glyphs;
}

// ---------------------------------------------------------------------------------------------
// Glyph tables

std::vector<uint8_t> buildNarrowTable(const UnifontGlyphs& glyphs) {
    std::vector<uint8_t> table(kNarrowTableBytes, 0);
    for (uint32_t code = 0; code < 256; ++code) {
        const bool printable = (code >= 0x20 && code <= 0x7E) || code >= 0xA0;
        if (!printable || glyphs.width(code) != 8)
            continue;
        std::memcpy(table.data() + code * kNarrowGlyphBytes, glyphs.rows(code), kNarrowGlyphBytes);
    }
    return table;
}

std::vector<uint8_t> buildWideTable(const UnifontGlyphs& glyphs) {
    std::vector<uint8_t> table(kWideTableBytes, 0);
    std::string code(2, '\0');
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            code[0] = static_cast<char>(lead);
            code[1] = static_cast<char>(trail);
            const Result<std::string> utf8 = gbkToUtf8(code);
            if (!utf8.ok())
                continue;
            const uint32_t cp = soleCodePoint(*utf8);
            if (cp == UINT32_MAX || isPrivateUse(cp))
                continue;
            const int width = glyphs.width(cp);
            if (width == 0)
                continue;
            uint8_t* cell = table.data() + FontTables::wideOffset(static_cast<uint8_t>(lead),
                                                                  static_cast<uint8_t>(trail));
            const uint8_t* rows = glyphs.rows(cp);
            if (width == 16) {
                std::memcpy(cell, rows, kWideGlyphBytes);
            } else {
                for (int row = 0; row < 16; ++row) {
                    cell[2 * row] = static_cast<uint8_t>(rows[row] >> 4);
                    cell[2 * row + 1] = static_cast<uint8_t>(rows[row] << 4);
                }
            }
        }
    }
    return table;
}

// ---------------------------------------------------------------------------------------------
// Catalogue

uint16_t placeholderDriverLength(uint8_t protocol) {
    return static_cast<uint16_t>(2048 + 64 * protocol);
}

std::vector<uint8_t> placeholderDriverArea(uint8_t protocol) {
    std::vector<uint8_t> area(kCatalogueDriverArea);
    char label[64];
    const int n = std::snprintf(
        label, sizeof label, "Vanta placeholder driver, protocol %02u, version %u",
        static_cast<unsigned>(protocol), static_cast<unsigned>(kPlaceholderDriverVersion));
    std::memcpy(area.data(), label, static_cast<size_t>(n) + 1);
    // xorshift32, seeded from the protocol number.
    uint32_t state = 0x9E3779B9u ^ (static_cast<uint32_t>(protocol) * 0x01000193u);
    for (size_t i = static_cast<size_t>(n) + 1; i < area.size(); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        area[i] = static_cast<uint8_t>(state >> 24);
    }
    return area;
}

std::vector<uint8_t> buildPlaceholderCatalogue() {
    std::vector<uint8_t> file;
    file.reserve(1 + kPlaceholderProtocols * kCatalogueEntryBytes);
    file.push_back(kPlaceholderProtocols);
    for (uint8_t protocol = 1; protocol <= kPlaceholderProtocols; ++protocol) {
        const uint16_t length = placeholderDriverLength(protocol);
        file.push_back(protocol);
        file.push_back(kPlaceholderDriverVersion);
        file.push_back(static_cast<uint8_t>(length));
        file.push_back(static_cast<uint8_t>(length >> 8));
        file.insert(file.end(), kCatalogueDriverOffset - 4, 0);
        const std::vector<uint8_t> area = placeholderDriverArea(protocol);
        file.insert(file.end(), area.begin(), area.end());
    }
    return file;
}

// ---------------------------------------------------------------------------------------------

Status writeDataFiles(const std::string& unifontPath, const std::string& outDir) {
    Result<UnifontGlyphs> glyphs = loadUnifontHex(unifontPath);
    if (!glyphs.ok())
        return glyphs.status();
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec)
        return Status::failure("Cannot create the folder " + outDir);
    const std::filesystem::path dir(outDir);
    if (Status s = writeDataFile(dir / "Ostra_EN.dat", buildNarrowTable(*glyphs)); !s) {
        return s;
    }
    if (Status s = writeDataFile(dir / "Ostra_CH.dat", buildWideTable(*glyphs)); !s) {
        return s;
    }
    return writeDataFile(dir / "Ostra_Ptc.dat", buildPlaceholderCatalogue());
}

}  // namespace vanta::datagen
