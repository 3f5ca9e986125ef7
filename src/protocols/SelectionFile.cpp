#include "protocols/SelectionFile.h"

#include <cstdio>
#include <memory>

#include "common/FileIO.h"

namespace vanta {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct StoredBytes {
    uint8_t entry = 0;
    uint8_t port = 0;
};

// The stored bytes; a missing file is created empty.
StoredBytes readBytes(const std::string& path) {
    StoredBytes stored;
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        File created(std::fopen(path.c_str(), "ab"));
        return stored;
    }
    uint8_t bytes[2] = {0, 0};
    const size_t got = std::fread(bytes, 1, 2, file.get());
    if (got >= 1)
        stored.entry = bytes[0];
    if (got >= 2)
        stored.port = bytes[1];
    return stored;
}

}  // namespace

std::string SelectionFile::pathIn(const std::string& directory) {
    if (directory.empty())
        return kFileName;
    if (directory.back() == '/')
        return directory + kFileName;
    return directory + "/" + kFileName;
}

Selection SelectionFile::read(const std::string& path, size_t catalogueEntries) {
    const StoredBytes stored = readBytes(path);
    Selection selection;
    selection.portIndex = stored.port;
    selection.entryBeyondCatalogue = stored.entry >= catalogueEntries;
    if (catalogueEntries == 0) {
        selection.entryIndex = 0;
    } else if (selection.entryBeyondCatalogue) {
        selection.entryIndex = static_cast<uint8_t>(catalogueEntries - 1);
    } else {
        selection.entryIndex = stored.entry;
    }
    return selection;
}

Status SelectionFile::write(const std::string& path, uint8_t entryIndex, uint8_t portIndex) {
    const uint8_t bytes[2] = {entryIndex, portIndex};
    if (!writeFileAtomically(path, bytes))
        return Status::failure("File " + path + " cannot be written!");
    return Status::success();
}

Status SelectionFile::writeEntryIndex(const std::string& path, uint8_t entryIndex) {
    return write(path, entryIndex, readBytes(path).port);
}

}  // namespace vanta
