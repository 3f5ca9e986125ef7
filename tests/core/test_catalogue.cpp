// The protocol catalogue "Ostra_Ptc.dat" and the selection file "In.dat".
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "protocols/Catalogue.h"
#include "protocols/SelectionFile.h"

using namespace vanta;
namespace fs = std::filesystem;

namespace {

struct EntryLayout {
    uint8_t protocol;
    uint8_t version;
    uint16_t length;
};

// Byte j of the driver area of entry i: distinct per entry so a wrong entry shows.
uint8_t areaByte(size_t entry, size_t j) {
    return static_cast<uint8_t>(entry * 31 + j * 7 + 1);
}

std::vector<uint8_t> catalogueBytes(const std::vector<EntryLayout>& entries, uint8_t count) {
    std::vector<uint8_t> bytes{count};
    for (size_t i = 0; i < entries.size(); ++i) {
        std::vector<uint8_t> entry(Catalogue::kEntrySize, 0xEE);  // unread bytes are noise
        entry[0] = entries[i].protocol;
        entry[1] = entries[i].version;
        entry[2] = static_cast<uint8_t>(entries[i].length);
        entry[3] = static_cast<uint8_t>(entries[i].length >> 8);
        for (size_t j = 0; j < Catalogue::kDriverAreaSize; ++j)
            entry[20 + j] = areaByte(i, j);
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    }
    return bytes;
}

class CatalogueFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vanta-cat-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::vector<uint8_t> read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

}  // namespace

TEST_F(CatalogueFiles, ListsEveryEntryInFileOrderAndLoadsTheFirstMatch) {
    const std::string path =
        write("Ostra_Ptc.dat", catalogueBytes({{3, 7, 100}, {2, 9, 0}, {3, 8, 200}}, 3));
    auto catalogue = Catalogue::open(path);
    ASSERT_TRUE(catalogue.ok()) << catalogue.message();
    ASSERT_EQ(catalogue->size(), 3u);
    EXPECT_EQ(catalogue->entries()[0].protocol, 3);
    EXPECT_EQ(catalogue->entries()[1].protocol, 2);
    EXPECT_EQ(catalogue->entries()[2].protocol, 3);
    EXPECT_EQ(catalogue->entries()[2].driverVersion, 8);
    EXPECT_EQ(catalogue->entries()[2].driverLength, 200);
    EXPECT_EQ(catalogue->find(3), 0);
    EXPECT_EQ(catalogue->find(2), 1);
    EXPECT_EQ(catalogue->find(4), -1);

    auto first = catalogue->loadDriver(3);
    ASSERT_TRUE(first.ok()) << first.message();
    EXPECT_EQ(first->entryIndex, 0);
    EXPECT_EQ(first->version, 7);
    ASSERT_EQ(first->bytes.size(), 228u);  // L + 128
    EXPECT_EQ(first->bytes[0], areaByte(0, 0));
    EXPECT_EQ(first->bytes[227], areaByte(0, 227));

    auto second = Catalogue::loadDriverFrom(path, 2);
    ASSERT_TRUE(second.ok()) << second.message();
    EXPECT_EQ(second->entryIndex, 1);
    EXPECT_EQ(second->version, 9);
    ASSERT_EQ(second->bytes.size(), 128u);
    EXPECT_EQ(second->bytes[5], areaByte(1, 5));

    auto missing = catalogue->loadDriver(31);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.message(), "The protocol does not exist!");
}

TEST_F(CatalogueFiles, ACatalogueThatCannotBeOpened) {
    const std::string path = (dir_ / "Ostra_Ptc.dat").string();
    auto catalogue = Catalogue::open(path);
    ASSERT_FALSE(catalogue.ok());
    EXPECT_EQ(catalogue.message(), "File " + path + " does not exist!");
    auto driver = Catalogue::loadDriverFrom(path, 3);
    ASSERT_FALSE(driver.ok());
    EXPECT_EQ(driver.message(), "File " + path + " does not exist!");

    // Removed after it was listed.
    const std::string later = write("later.dat", catalogueBytes({{5, 1, 0}}, 1));
    auto listed = Catalogue::open(later);
    ASSERT_TRUE(listed.ok());
    fs::remove(later);
    auto gone = listed->loadDriver(5);
    ASSERT_FALSE(gone.ok());
    EXPECT_EQ(gone.message(), "File " + later + " does not exist!");
}

TEST_F(CatalogueFiles, TruncatedOrEmptyFilesFailCleanly) {
    auto bytes = catalogueBytes({{3, 1, 10}, {5, 1, 10}}, 2);
    bytes.resize(bytes.size() - 1000);
    const std::string cut = write("cut.dat", bytes);
    auto catalogue = Catalogue::open(cut);
    ASSERT_FALSE(catalogue.ok());
    EXPECT_EQ(catalogue.message(), "File " + cut + " is damaged!");

    const std::string empty = write("empty.dat", {});
    EXPECT_EQ(Catalogue::open(empty).message(), "File " + empty + " is damaged!");

    // A count of zero is a valid, empty catalogue.
    const std::string none = write("none.dat", {0});
    auto zero = Catalogue::open(none);
    ASSERT_TRUE(zero.ok());
    EXPECT_EQ(zero->size(), 0u);
    EXPECT_EQ(zero->loadDriver(1).message(), "The protocol does not exist!");

    // Cut inside the driver after the catalogue was listed.
    const std::string path = write("shrinks.dat", catalogueBytes({{3, 1, 500}}, 1));
    auto listed = Catalogue::open(path);
    ASSERT_TRUE(listed.ok());
    fs::resize_file(path, 1 + 20 + 300);
    auto driver = listed->loadDriver(3);
    ASSERT_FALSE(driver.ok());
    EXPECT_EQ(driver.message(), "The catalogue entry of protocol 3 (Modbus RTU) is damaged!");
}

TEST_F(CatalogueFiles, ADriverLongerThanItsAreaIsRefused) {
    const std::string path =
        write("Ostra_Ptc.dat", catalogueBytes({{2, 1, 32640}, {7, 1, 32641}, {99, 1, 65535}}, 3));
    auto catalogue = Catalogue::open(path);
    ASSERT_TRUE(catalogue.ok());

    auto full = catalogue->loadDriver(2);  // exactly the whole area
    ASSERT_TRUE(full.ok()) << full.message();
    EXPECT_EQ(full->bytes.size(), Catalogue::kDriverAreaSize);
    EXPECT_EQ(full->bytes.back(), areaByte(0, Catalogue::kDriverAreaSize - 1));

    auto over = catalogue->loadDriver(7);
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.message(), "The catalogue entry of protocol 7 (KOYO (S)) is damaged!");
    EXPECT_EQ(catalogue->loadDriver(99).message(),
              "The catalogue entry of protocol 99 is damaged!");
}

TEST_F(CatalogueFiles, SelectionFileReadsWithDefaultsAndClamps) {
    const std::string path = SelectionFile::pathIn(dir_.string());
    EXPECT_EQ(path, (dir_ / "In.dat").string());

    // Missing: created empty, defaults.
    Selection s = SelectionFile::read(path, 5);
    EXPECT_EQ(s.entryIndex, 0);
    EXPECT_EQ(s.portIndex, 0);
    EXPECT_FALSE(s.entryBeyondCatalogue);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);

    // One byte: the entry only.
    write("In.dat", {3});
    s = SelectionFile::read(path, 5);
    EXPECT_EQ(s.entryIndex, 3);
    EXPECT_EQ(s.portIndex, 0);

    // Beyond the catalogue: the last entry.
    write("In.dat", {9, 2});
    s = SelectionFile::read(path, 5);
    EXPECT_EQ(s.entryIndex, 4);
    EXPECT_EQ(s.portIndex, 2);
    EXPECT_TRUE(s.entryBeyondCatalogue);
    s = SelectionFile::read(path, 0);
    EXPECT_EQ(s.entryIndex, 0);
    EXPECT_TRUE(s.entryBeyondCatalogue);
    s = SelectionFile::read(path, 10);
    EXPECT_EQ(s.entryIndex, 9);
    EXPECT_FALSE(s.entryBeyondCatalogue);
}

TEST_F(CatalogueFiles, SelectionFileIsRewritten) {
    const std::string path = (dir_ / "In.dat").string();
    write("In.dat", {1, 2, 3, 4});
    ASSERT_TRUE(SelectionFile::write(path, 7, 3).ok());
    EXPECT_EQ(read(path), (std::vector<uint8_t>{7, 3}));
    ASSERT_TRUE(SelectionFile::writeEntryIndex(path, 5).ok());
    EXPECT_EQ(read(path), (std::vector<uint8_t>{5, 3}));
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    const std::string nowhere = (dir_ / "no-such-folder" / "In.dat").string();
    const Status failed = SelectionFile::write(nowhere, 1, 1);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.message(), "File " + nowhere + " cannot be written!");
}
