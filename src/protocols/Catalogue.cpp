#include "protocols/Catalogue.h"

#include <cstdio>
#include <memory>

#include "common/ByteOrder.h"
#include "protocols/ProtocolNames.h"

namespace vanta {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens the catalogue unbuffered: every read fetches exactly the bytes asked for, so listing
// reads the entry headers only and loading a driver reads that one entry.
File openCatalogue(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    if (file)
        std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}

constexpr size_t kHeaderBytes = 4;  // protocol, version, length (2)

std::string missingFile(const std::string& path) {
    return "File " + path + " does not exist!";
}

std::string damagedFile(const std::string& path) {
    return "File " + path + " is damaged!";
}

std::string damagedEntry(uint8_t protocol) {
    std::string text = "The catalogue entry of protocol " + std::to_string(protocol);
    const std::string_view name = protocolNameEnglish(protocol);
    if (!name.empty())
        text += " (" + std::string(name) + ")";
    return text + " is damaged!";
}

long entryOffset(size_t index) {
    return static_cast<long>(1 + index * Catalogue::kEntrySize);
}

bool readAt(std::FILE* f, long offset, uint8_t* out, size_t count) {
    if (std::fseek(f, offset, SEEK_SET) != 0)
        return false;
    return std::fread(out, 1, count, f) == count;
}

CatalogueEntry entryOf(const uint8_t* header) {
    return {header[0], header[1], getLE16(header + 2)};
}

}  // namespace

std::string Catalogue::pathIn(const std::string& directory) {
    if (directory.empty())
        return kFileName;
    if (directory.back() == '/')
        return directory + kFileName;
    return directory + "/" + kFileName;
}

Result<Catalogue> Catalogue::open(const std::string& path) {
    File file = openCatalogue(path);
    if (!file)
        return Result<Catalogue>::failure(missingFile(path));

    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return Result<Catalogue>::failure(damagedFile(path));
    }
    const long size = std::ftell(file.get());
    uint8_t count = 0;
    if (size < 1 || !readAt(file.get(), 0, &count, 1)) {
        return Result<Catalogue>::failure(damagedFile(path));
    }
    if (size < entryOffset(count))
        return Result<Catalogue>::failure(damagedFile(path));

    std::vector<CatalogueEntry> entries;
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        uint8_t header[kHeaderBytes];
        if (!readAt(file.get(), entryOffset(i), header, kHeaderBytes)) {
            return Result<Catalogue>::failure(damagedFile(path));
        }
        entries.push_back(entryOf(header));
    }
    return Catalogue(path, std::move(entries));
}

Result<ProtocolDriver> Catalogue::loadDriverFrom(const std::string& path, uint8_t protocol) {
    auto catalogue = open(path);
    if (!catalogue)
        return catalogue.error();
    return catalogue->loadDriver(protocol);
}

int Catalogue::find(uint8_t protocol) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].protocol == protocol)
            return static_cast<int>(i);
    }
    return -1;
}

Result<ProtocolDriver> Catalogue::loadDriver(uint8_t protocol) const {
    const int index = find(protocol);
    if (index < 0)
        return Result<ProtocolDriver>::failure("The protocol does not exist!");

    File file = openCatalogue(path_);
    if (!file)
        return Result<ProtocolDriver>::failure(missingFile(path_));

    // The header is read again: the file is the authority, not what was listed when it opened.
    uint8_t header[kHeaderBytes];
    if (!readAt(file.get(), entryOffset(index), header, kHeaderBytes)) {
        return Result<ProtocolDriver>::failure(damagedEntry(protocol));
    }
    const CatalogueEntry entry = entryOf(header);
    if (entry.protocol != protocol) {
        return Result<ProtocolDriver>::failure("The protocol does not exist!");
    }
    const size_t length = size_t{entry.driverLength} + kDriverExtra;
    if (length > kDriverAreaSize)
        return Result<ProtocolDriver>::failure(damagedEntry(protocol));

    ProtocolDriver driver;
    driver.version = entry.driverVersion;
    driver.entryIndex = index;
    driver.bytes.resize(length);
    if (!readAt(file.get(), entryOffset(index) + static_cast<long>(kDriverOffset),
                driver.bytes.data(), length)) {
        return Result<ProtocolDriver>::failure(damagedEntry(protocol));
    }
    return driver;
}

}  // namespace vanta
