// Reading within a limit and saving as editors save: links, read-only files, modes, owners and
// temporary files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "common/FileIO.h"
#include "image/ImageCompiler.h"
#include "project/OldProjectImport.h"
#include "project/Project.h"
#include "protocols/SelectionFile.h"

using namespace vanta;
namespace fs = std::filesystem;

namespace {

class FileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vanta-io-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    void put(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string contents(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static Status save(const std::string& target, const std::string& text) {
        return writeFileAtomically(
            target,
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    }
    // Every name in the folder: a save leaves nothing beside its target.
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (const auto& entry : fs::directory_iterator(dir))
            all.push_back(entry.path().filename().string());
        std::sort(all.begin(), all.end());
        return all;
    }

    fs::path dir;
};

using Names = std::vector<std::string>;

TEST_F(FileTest, ASaveThroughASymbolicLinkWritesTheFileItPointsTo) {
    fs::create_directories(dir / "projects");
    put("projects/plant.osp", "old");
    fs::create_symlink("projects/plant.osp", dir / "link.osp");
    fs::create_symlink("link.osp", dir / "link-to-link.osp");

    ASSERT_TRUE(save(path("link-to-link.osp"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.osp"));
    EXPECT_TRUE(fs::is_symlink(dir / "link-to-link.osp"));
    EXPECT_EQ(contents("projects/plant.osp"), "new");
    EXPECT_EQ(names(), (Names{"link-to-link.osp", "link.osp", "projects"}));

    // A link to a file that does not exist yet creates that file.
    fs::create_symlink("projects/fresh.osp", dir / "dangling.osp");
    ASSERT_TRUE(save(path("dangling.osp"), "made"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.osp"));
    EXPECT_EQ(contents("projects/fresh.osp"), "made");

    // A loop of links is refused and changes nothing.
    fs::create_symlink("loop-b", dir / "loop-a");
    fs::create_symlink("loop-a", dir / "loop-b");
    EXPECT_FALSE(save(path("loop-a"), "x"));
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a"));
}

TEST_F(FileTest, AReadOnlyFileIsRefusedAndKept) {
    put("plant.osp", "old");
    fs::permissions(dir / "plant.osp", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(isReadOnlyFile(path("plant.osp")));
    const Status saved = save(path("plant.osp"), "new");
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.message(), "Cannot save \"" + path("plant.osp") +
                                   "\": the file is read-only. The previous file is unchanged.");
    EXPECT_EQ(contents("plant.osp"), "old");
    EXPECT_EQ(names(), Names{"plant.osp"});

    put("writable.osp", "old");
    EXPECT_FALSE(isReadOnlyFile(path("writable.osp")));
    EXPECT_FALSE(isReadOnlyFile(path("missing.osp")));
}

TEST_F(FileTest, TheSavedFileKeepsModeAndOwner) {
    put("plant.osp", "old");
    fs::permissions(dir / "plant.osp", fs::perms(0640));
    ASSERT_TRUE(save(path("plant.osp"), "new"));
    struct stat st {};
    ASSERT_EQ(::stat(path("plant.osp").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A new file gets the usual mode less the umask.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(save(path("new.osp"), "x"));
    ::umask(mask);
    ASSERT_EQ(::stat(path("new.osp").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser may save a file that belongs to somebody else";
    // The superuser saving a user's file leaves it the user's.
    put("users.osp", "old");
    ASSERT_EQ(::chown(path("users.osp").c_str(), 4321, 4322), 0);
    ASSERT_TRUE(save(path("users.osp"), "new"));
    ASSERT_EQ(::stat(path("users.osp").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_EQ(contents("users.osp"), "new");
}

TEST_F(FileTest, NoTemporaryFileIsLeftAfterAFailedOrKilledSave) {
    put("plant.osp", "old");
    const std::string big(100000, 'x');

    // A write error half-way (the file size limit stands in for a full disk).
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const Status failed = save(path("plant.osp"), big);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(failed);
    EXPECT_EQ(contents("plant.osp"), "old");
    EXPECT_EQ(names(), Names{"plant.osp"});

    // A folder that does not exist.
    EXPECT_FALSE(save(path("missing/plant.osp"), "x"));
    EXPECT_EQ(names(), Names{"plant.osp"});

    // A process killed while it writes (by the signal of the file size limit).
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        ::setrlimit(RLIMIT_FSIZE, &small);
        (void)save(path("plant.osp"), big);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save was to be killed half-way";
    EXPECT_EQ(contents("plant.osp"), "old");
    EXPECT_EQ(names(), Names{"plant.osp"});
}

TEST_F(FileTest, ToolsNeverWriteThroughAPredictableTemporaryName) {
    // A link planted where a tool once put its temporary file points at a file of somebody else.
    put("victim", "precious");
    fs::create_symlink("victim", dir / "In.dat.tmp");
    ASSERT_TRUE(SelectionFile::write(path("In.dat"), 3, 1));
    EXPECT_EQ(contents("victim"), "precious");
    EXPECT_EQ(contents("In.dat"), std::string("\x03\x01", 2));
    EXPECT_EQ(names(), (Names{"In.dat", "In.dat.tmp", "victim"}));
}

TEST_F(FileTest, ReadsRefuseWhatIsLargerThanTheLargestFileOfItsKind) {
    put("small", std::string(100, 'a'));
    EXPECT_TRUE(readFileLimited(path("small"), 100, "thing"));
    ReadFailure failure{};
    auto refused = readFileLimited(path("small"), 99, "thing", &failure);
    ASSERT_FALSE(refused);
    EXPECT_EQ(failure, ReadFailure::Refused);
    EXPECT_EQ(refused.message(), "Cannot open \"" + path("small") +
                                     "\": it holds 100 bytes, more than the 99 bytes of the "
                                     "largest thing.");

    // A sparse file just over the limit of each reader is measured, never read.
    auto sparse = [&](const std::string& name, uint64_t size) {
        std::ofstream(dir / name).close();
        fs::resize_file(dir / name, size);
        return path(name);
    };
    auto project = Project::readFile(sparse("huge.osp", Project::kMaxFileBytes + 1), &failure);
    ASSERT_FALSE(project);
    EXPECT_EQ(failure, ReadFailure::Refused);
    EXPECT_NE(project.message().find(std::to_string(Project::kMaxFileBytes + 1) + " bytes"),
              std::string::npos);
    EXPECT_NE(project.message().find(std::to_string(Project::kMaxFileBytes) +
                                     " bytes of the largest project file"),
              std::string::npos);
    auto old = readAndConvertOldProject(sparse("huge.grx", kMaxOldProjectBytes + 1));
    ASSERT_FALSE(old);
    EXPECT_NE(old.message().find("of the largest old project file"), std::string::npos);

    // The limits are those of the largest valid files.
    EXPECT_EQ(Project::kMaxFileBytes, 40'094'084'118u);
    EXPECT_EQ(kMaxOldProjectBytes, 107'123'976'200u);

    EXPECT_FALSE(readFileLimited(path("missing"), 10, "thing", &failure));
    EXPECT_EQ(failure, ReadFailure::CannotOpen);
    EXPECT_FALSE(readFileLimited(dir.string(), 10, "thing", &failure));
    EXPECT_EQ(failure, ReadFailure::CannotOpen);
}

TEST_F(FileTest, DevicesAreNeverReadAndPipesOnlyUpToTheLimit) {
    ReadFailure failure{};
    auto zero = Project::readFile("/dev/zero", &failure);
    ASSERT_FALSE(zero);
    EXPECT_EQ(failure, ReadFailure::Refused);
    EXPECT_EQ(zero.message(), "Cannot open \"/dev/zero\": it is a device, not a file.");

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string bytes(200, 'p');
    ASSERT_EQ(::write(ends[1], bytes.data(), bytes.size()), 200);
    ::close(ends[1]);
    const std::string pipePath = "/proc/self/fd/" + std::to_string(ends[0]);
    auto piped = readFileLimited(pipePath, 150, "thing", &failure);
    ::close(ends[0]);
    ASSERT_FALSE(piped);
    EXPECT_EQ(failure, ReadFailure::Refused);
    EXPECT_NE(piped.message().find("it holds more than the 150 bytes of the largest thing"),
              std::string::npos);

    // A named pipe that nobody writes to ends at once instead of waiting forever.
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    auto empty = readFileLimited(path("fifo"), 150, "thing");
    ASSERT_TRUE(empty) << empty.message();
    EXPECT_TRUE(empty->empty());
}

}  // namespace
