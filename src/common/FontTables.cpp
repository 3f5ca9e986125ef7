#include "common/FontTables.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace vanta {

namespace {

// Reads the first `size` bytes of a file; false when it cannot be opened or is shorter.
bool readPrefix(const std::string& path, size_t size, std::vector<uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::vector<uint8_t> buffer(size);
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(size));
    if (static_cast<size_t>(in.gcount()) != size)
        return false;
    out = std::move(buffer);
    return true;
}

std::string joinPath(const std::string& dir, const char* name) {
    if (dir.empty())
        return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

Status FontTables::loadNarrow(const std::string& path) {
    if (!readPrefix(path, kNarrowTableBytes, narrow_)) {
        return Status::failure("Load Font Lib Failure");
    }
    return Status::success();
}

Status FontTables::loadWide(const std::string& path) {
    if (!readPrefix(path, kWideTableBytes, wide_)) {
        return Status::failure("does the file" + path + " exist?", "Download data");
    }
    return Status::success();
}

Status FontTables::loadFrom(const std::string& dataDir) {
    if (Status s = loadNarrow(joinPath(dataDir, "Ostra_EN.dat")); !s)
        return s;
    return loadWide(joinPath(dataDir, "Ostra_CH.dat"));
}

NarrowGlyph FontTables::narrow(uint8_t code) const {
    NarrowGlyph glyph{};
    if (hasNarrow())
        std::memcpy(glyph.data(), narrow_.data() + code * kNarrowGlyphBytes, kNarrowGlyphBytes);
    return glyph;
}

WideGlyph FontTables::wide(uint8_t lead, uint8_t trail) const {
    WideGlyph glyph{};
    const size_t offset = wideOffset(lead, trail);
    if (hasWide() && offset != SIZE_MAX) {
        std::memcpy(glyph.data(), wide_.data() + offset, kWideGlyphBytes);
    }
    return glyph;
}

size_t FontTables::wideOffset(uint8_t lead, uint8_t trail) {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE)
        return SIZE_MAX;
    return ((static_cast<size_t>(lead) - 0x81) * kWideTrailCount + (trail - 0x40)) *
           kWideGlyphBytes;
}

}  // namespace vanta
