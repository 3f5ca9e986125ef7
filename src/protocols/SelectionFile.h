#pragma once
// The selection file "In.dat" beside the program: byte 0 is the index of the chosen catalogue
// entry, byte 1 the PC's serial port index (0 = COM1).

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/Result.h"

namespace vanta {

struct Selection {
    uint8_t entryIndex = 0;  // catalogue entry, within the catalogue (see below)
    uint8_t portIndex = 0;   // 0 = COM1
    // The stored index named no entry of the catalogue (the catalogue may also be empty);
    // entryIndex is then the last entry (0 for an empty catalogue).
    bool entryBeyondCatalogue = false;
};

class SelectionFile {
  public:
    static constexpr const char* kFileName = "In.dat";

    static std::string pathIn(const std::string& directory);

    // Reads the selection for a catalogue of `catalogueEntries` entries. A missing file is
    // created empty; missing bytes read as 0. Never fails: a file that cannot be read or
    // created gives the defaults.
    static Selection read(const std::string& path, size_t catalogueEntries);

    // Rewrites the two bytes (through a temporary file renamed over the old one).
    static Status write(const std::string& path, uint8_t entryIndex, uint8_t portIndex);
    // Rewrites byte 0 with a catalogue entry index, keeping the stored port index.
    static Status writeEntryIndex(const std::string& path, uint8_t entryIndex);
};

}  // namespace vanta
