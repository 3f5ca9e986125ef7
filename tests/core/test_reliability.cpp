// Bad input ends in a clear failure, never in a result that is wrong or does not open: a damaged
// old project, positions off the display, repeated screen numbers, running out of memory.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/FileIO.h"
#include "image/ImageDecoder.h"
#include "image_test_support.h"
#include "project/OldProjectImport.h"
#include "project/ProjectDocument.h"
#include "project/ProjectJson.h"

using namespace vanta;
using namespace vanta::imagetest;
namespace fs = std::filesystem;

namespace {

Bytes sampleOldProject() {
    auto data =
        readWholeFile((fs::path(VANTA_SOURCE_DIR) / "data" / "samples" / "old.grx").string());
    EXPECT_TRUE(data) << data.message();
    return data ? data.value() : Bytes();
}

// The sample old project with one byte of its picture's description damaged.
Bytes damagedOldProject() {
    Bytes old = sampleOldProject();
    old.at(648) = 0xFE;
    return old;
}

class TempFolder {
  public:
    TempFolder() {
        path_ = fs::temp_directory_path() /
                ("vanta-rel-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const Bytes& bytes) const {
        std::ofstream f(path_ / name, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    size_t entries() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

  private:
    fs::path path_;
};

class NoSavePath : public DocumentUi {
  public:
    std::optional<std::string> askSavePath(const std::string&) override { return std::nullopt; }
    bool choosePlcForNewProject(Project&) override { return true; }
};

// --- the import ---

TEST(DamagedOldProject, IsRefusedNamingItsScreenAndComponentAndWritesNothing) {
    const std::string expected =
        "The old project file is damaged: screen 2, component 4 (Picture at byte offset 588) "
        "does not convert into a readable project";
    auto converted = convertOldProject(damagedOldProject());
    ASSERT_FALSE(converted);
    EXPECT_EQ(converted.message().substr(0, expected.size()), expected) << converted.message();
    EXPECT_TRUE(convertOldProject(sampleOldProject())) << "the undamaged sample converts";

    // The whole import: an existing file of the new name stays as it was, nothing is asked and
    // no temporary file is left.
    TempFolder folder;
    folder.write("plant.grx", damagedOldProject());
    folder.write("plant.osp", Bytes{'k', 'e', 'p', 't'});
    ScriptedPrompter prompter(Answer::Yes);
    auto imported = importOldProjectFile(folder.file("plant.grx"), "", prompter);
    ASSERT_FALSE(imported);
    EXPECT_EQ(imported.message().substr(0, expected.size()), expected);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(readWholeFile(folder.file("plant.osp")).value(), (Bytes{'k', 'e', 'p', 't'}));
    EXPECT_EQ(folder.entries(), 2u);

    // The editor's import: the message, nothing written, the open project kept.
    NoSavePath ui;
    ProjectDocument doc(prompter, ui);
    ASSERT_TRUE(doc.newProject(40));
    doc.project().screens.createScreen(7, "kept");
    EXPECT_FALSE(doc.importOldProject(folder.file("plant.grx"), [] { return true; }));
    ASSERT_FALSE(prompter.asked.empty());
    EXPECT_EQ(prompter.asked.back().substr(0, expected.size()), expected);
    EXPECT_EQ(readWholeFile(folder.file("plant.osp")).value(), (Bytes{'k', 'e', 'p', 't'}));
    EXPECT_EQ(doc.project().screens.size(), 2u);
    EXPECT_EQ(folder.entries(), 2u);
}

TEST(OldProjectImportFlow, AsksBeforeReplacingAndWritesOnlyOnYes) {
    TempFolder folder;
    folder.write("plant.grx", sampleOldProject());
    folder.write("plant.osp", Bytes{'o', 'l', 'd'});
    NoSavePath ui;

    ScriptedPrompter refuse(Answer::No);
    ProjectDocument kept(refuse, ui);
    EXPECT_FALSE(kept.importOldProject(folder.file("plant.grx"), [] { return true; }));
    EXPECT_EQ(refuse.asked.back(),
              folder.file("plant.osp") + " already exists. Do you want to replace it?");
    EXPECT_EQ(readWholeFile(folder.file("plant.osp")).value(), (Bytes{'o', 'l', 'd'}));
    EXPECT_FALSE(kept.project().isOpen);

    ScriptedPrompter replace(Answer::Yes);
    ProjectDocument doc(replace, ui);
    ASSERT_TRUE(doc.importOldProject(folder.file("plant.grx"), [] { return true; }));
    EXPECT_EQ(replace.asked.back(),
              "conversion accomplished!\nThe project was written to " + folder.file("plant.osp"));
    EXPECT_EQ(doc.path(), folder.file("plant.osp"));
    Project reopened;
    EXPECT_TRUE(reopened.load(readWholeFile(folder.file("plant.osp")).value()));
    EXPECT_EQ(folder.entries(), 2u);
}

// --- positions ---

// A project of one screen holding a static text at (x, y), stored without any check.
Bytes projectWithTextAt(int32_t x, int32_t y) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CBase* text = p.screens.current()->addComponent(kKindChars, 0, 0);
    text->m_x = x;
    text->m_y = y;
    return p.save();
}

TEST(Positions, TheReaderTakesOnlyCornersOnTheDisplay) {
    for (auto [x, y] : {std::pair{0, 0}, std::pair{191, 63}}) {
        Project p;
        EXPECT_TRUE(p.load(projectWithTextAt(x, y))) << x << ", " << y;
    }
    for (auto [x, y] : {std::pair{-1, 0}, std::pair{192, 0}, std::pair{0, 64}, std::pair{300, 10},
                        std::pair{65536, 0}, std::pair{0, -2147483647 - 1}}) {
        Project p;
        size_t offset = 0;
        const Status loaded = p.load(projectWithTextAt(x, y), &offset);
        ASSERT_FALSE(loaded) << x << ", " << y;
        EXPECT_NE(loaded.message().find("Static text at (" + std::to_string(x) + ", " +
                                        std::to_string(y) +
                                        ") lies off the 192 x 64 display (x 0..191, y 0..63)"),
                  std::string::npos)
            << loaded.message();
        EXPECT_GT(offset, 0u);
    }
}

TEST(Positions, TheJsonFormTakesOnlyCornersOnTheDisplay) {
    Project p;
    ASSERT_TRUE(p.load(projectWithTextAt(24, 16)));
    const std::string json = projectToJson(p);
    const size_t at = json.find("\"x\": 24");
    ASSERT_NE(at, std::string::npos) << json;
    for (const char* x : {"191", "192", "300", "-1", "4294967296"}) {
        std::string changed = json;
        changed.replace(at, 7, std::string("\"x\": ") + x);
        auto built = projectFileFromJson(changed);
        if (std::string(x) == "191") {
            EXPECT_TRUE(built) << built.message();
            continue;
        }
        ASSERT_FALSE(built) << x;
        EXPECT_NE(built.message().find(std::string(x) + " is out of range (0..191)"),
                  std::string::npos)
            << built.message();
    }
}

TEST(Positions, TheCompilerRefusesAComponentOffTheDisplayInsteadOfCuttingItsPosition) {
    for (auto [x, y] : {std::pair{300, 16}, std::pair{8, 100}, std::pair{65536, 0}}) {
        Project p(nullptr, 4);
        p.resetToNew(4);
        CMainView& screen = p.screens.createScreen(5, "");
        placeText(screen, 8, 16, "ok");
        CChars& off = placeText(screen, 16, 32, "off");
        off.m_x = x;
        off.m_y = y;
        ScriptedPrompter prompter;
        CompileOptions options;
        options.dataDir = VANTA_DATA_DIR;
        const CompileResult r = compileProject(p, options, prompter);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error.message, "Screen 5: Static text at (" + std::to_string(x) + ", " +
                                       std::to_string(y) +
                                       ") lies outside the 192 x 64 display; move it onto the "
                                       "display.");
    }
}

TEST(Positions, RegistersGoOutInTheRowAndColumnOrderOfTheirPanelPositions) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& screen = *p.screens.current();
    // Rows by y / 16, columns by x / 8; the first one ends at the display's right edge.
    for (auto [x, y] : {std::pair{152, 48}, std::pair{40, 16}, std::pair{0, 16}, std::pair{100, 0},
                        std::pair{0, 0}})
        place<CRegister>(screen, kKindRegister, x, y);
    const Bytes image = compiled(p);
    const DecodedImage decoded = decodeImage(image);
    EXPECT_TRUE(decoded.ok()) << describeProblems(decoded).front();
    ASSERT_EQ(decoded.screens.size(), 1u);
    std::vector<std::pair<int, int>> order;
    for (const DecodedComponent& c : decoded.screens[0].components)
        order.emplace_back(c.x, c.y);
    EXPECT_EQ(order,
              (std::vector<std::pair<int, int>>{{0, 0}, {100, 0}, {0, 16}, {40, 16}, {152, 48}}));
}

// --- repeated screen numbers ---

TEST(RepeatedScreenNumbers, TheCompilerRefusesThemAndTheDecoderNamesThem) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    auto twin = std::make_unique<CMainView>(p.context());
    twin->m_number = 1;
    p.screens.append(std::move(twin));
    ScriptedPrompter prompter;
    CompileOptions options;
    options.dataDir = VANTA_DATA_DIR;
    CompileResult r = compileProject(p, options, prompter);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.message,
              "Screen 1 appears more than once in the screen list; the panel could show only the "
              "first of them. Give each screen its own number.");

    // An image whose screen table repeats a number: named as a problem, once per repetition.
    Project two(nullptr, 4);
    two.resetToNew(4);
    two.screens.createScreen(2, "");
    two.screens.createScreen(3, "");
    Bytes image = compiled(two);
    const DecodedImage clean = decodeImage(image);
    ASSERT_TRUE(clean.ok());
    const size_t table = clean.screens[0].tableOffset;
    image[table + 9 + 1] = 1;   // screen 2 becomes 1
    image[table + 18 + 1] = 1;  // screen 3 becomes 1
    const DecodedImage repeated = decodeImage(image);
    ASSERT_EQ(repeated.problems.size(), 2u) << describeProblems(repeated).front();
    EXPECT_EQ(repeated.problems[0].offset, table + 9);
    EXPECT_EQ(repeated.problems[0].message,
              "Screen 1 appears again in the screen table (first at image offset " +
                  std::to_string(table) + "); the panel shows only the first.");
}

// --- memory ---

#if defined(__SANITIZE_ADDRESS__)
#define VANTA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTA_ASAN 1
#endif
#endif

#ifndef VANTA_ASAN
// Loads the project file at `path` with the address space limited to what the process maps now
// and 24 MB more, and writes the result to `path`.message. Runs in a fresh process: the heap a
// long test run leaves free would otherwise hold the whole project.
void loadWithLittleMemory(const std::string& path) {
    const Bytes file = readWholeFile(path).value();
    struct rlimit limit {};
    ::getrlimit(RLIMIT_AS, &limit);
    std::ifstream status("/proc/self/statm");
    size_t pages = 0;
    status >> pages;
    limit.rlim_cur = pages * static_cast<size_t>(::sysconf(_SC_PAGESIZE)) + (24u << 20);
    ::setrlimit(RLIMIT_AS, &limit);
    Project reader(nullptr, 4);
    const Status loaded = reader.load(file);
    std::ofstream(path + ".message") << (loaded.ok() ? "loaded" : loaded.message());
}
#endif

TEST(Memory, RunningOutOfMemoryWhileReadingIsAMessage) {
#ifdef VANTA_ASAN
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#else
    if (const char* path = std::getenv("VANTA_LIMITED_LOAD")) {
        loadWithLittleMemory(path);
        return;
    }
    // 15,000 dynamic texts take about 5 MB in the file and ten times that once read.
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& screen = *p.screens.current();
    for (int i = 0; i < 15000; ++i)
        screen.addComponent(kKindDynamic, 0, 0);
    const Bytes file = p.save();
    TempFolder folder;
    folder.write("big.osp", file);
    const std::string path = folder.file("big.osp");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // This test again, in a new process of this program, doing the limited load.
        ::setenv("VANTA_LIMITED_LOAD", path.c_str(), 1);
        const std::string filter = "--gtest_filter=Memory.RunningOutOfMemoryWhileReadingIsAMessage";
        ::freopen("/dev/null", "w", stdout);
        ::execl("/proc/self/exe", "core_tests", filter.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the reader did not crash";
    std::ifstream written(path + ".message");
    const std::string message((std::istreambuf_iterator<char>(written)), {});
    EXPECT_EQ(message, "There is not enough memory to read the project file of " +
                           std::to_string(file.size()) + " bytes");
#endif
}

}  // namespace
