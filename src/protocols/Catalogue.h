#pragma once
// The protocol catalogue "Ostra_Ptc.dat": which protocols the panel can be given and their driver
// images. Byte 0 holds the number of entries; entry i (32788 bytes) starts at 1 + 32788 x i with
// the protocol number, the driver version and the driver length L (little-endian), 16 bytes
// nobody reads, then the 32768-byte driver area of which the first L + 128 bytes are the driver.
//
// Opening reads the entry headers only; loading a driver reads that one entry.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vanta {

struct CatalogueEntry {
    uint8_t protocol = 0;
    uint8_t driverVersion = 0;
    uint16_t driverLength = 0;  // L; the driver sent to the panel is L + 128 bytes long
};

struct ProtocolDriver {
    uint8_t version = 0;
    std::vector<uint8_t> bytes;  // the first L + 128 bytes of the entry's driver area
    int entryIndex = 0;          // position of the entry in the catalogue
};

class Catalogue {
  public:
    static constexpr const char* kFileName = "Ostra_Ptc.dat";
    static constexpr size_t kEntrySize = 32788;
    static constexpr size_t kDriverOffset = 20;  // driver area within an entry
    static constexpr size_t kDriverAreaSize = 32768;
    static constexpr size_t kDriverExtra = 128;  // bytes sent beyond the driver length

    // Path of the catalogue in a folder of data files.
    static std::string pathIn(const std::string& directory);

    // Reads the number of entries and each entry's header, in file order (entries with the same
    // protocol number are all kept). Fails with "File <path> does not exist!" when the file
    // cannot be opened and with "File <path> is damaged!" when it is shorter than its entries.
    static Result<Catalogue> open(const std::string& path);

    // Opens the catalogue and loads one driver (see the member function).
    static Result<ProtocolDriver> loadDriverFrom(const std::string& path, uint8_t protocol);

    const std::string& path() const { return path_; }
    const std::vector<CatalogueEntry>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }

    // Index of the first entry of a protocol, -1 when the catalogue has none.
    int find(uint8_t protocol) const;

    // The driver of the first entry of a protocol, read from the file (that entry only).
    // Failures: "The protocol does not exist!" when no entry has the protocol, "File <path> does
    // not exist!" when the file cannot be opened any more, and "The catalogue entry of protocol
    // <n> (<name>) is damaged!" when the entry's driver would run past its driver area or past
    // the end of the file.
    Result<ProtocolDriver> loadDriver(uint8_t protocol) const;

  private:
    Catalogue(std::string path, std::vector<CatalogueEntry> entries)
        : path_(std::move(path)), entries_(std::move(entries)) {}

    std::string path_;
    std::vector<CatalogueEntry> entries_;
};

}  // namespace vanta
