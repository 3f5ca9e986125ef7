// The document flows: save-modified question, open with its pre-check, save and failed saves,
// new project and import.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <deque>
#include <filesystem>
#include <fstream>

#include "common/FileIO.h"
#include "project/ProjectDocument.h"

using namespace vanta;
namespace fs = std::filesystem;

namespace {

class RecordingPrompter : public Prompter {
  public:
    std::deque<Answer> answers;
    std::vector<std::string> shown;
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               Severity) override {
        shown.push_back(caption.empty() ? text : caption + ": " + text);
        if (buttons == Buttons::Ok || answers.empty())
            return Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeUi : public DocumentUi {
  public:
    std::optional<std::string> savePath;
    bool plcAccepted = true;
    uint8_t protocol = 3;
    std::optional<std::string> askSavePath(const std::string&) override { return savePath; }
    bool choosePlcForNewProject(Project& project) override {
        if (plcAccepted)
            project.changeProtocol(protocol);
        return plcAccepted;
    }
};

class DocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vanta-doc-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& name) const { return (dir / name).string(); }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream f(dir / name, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    fs::path dir;
    RecordingPrompter prompter;
    FakeUi ui;
};

}  // namespace

TEST_F(DocumentTest, NewProjectRunsThePlcSelectionAndStartsUntitled) {
    ProjectDocument doc(prompter, ui);
    EXPECT_FALSE(doc.newProject(0));
    EXPECT_EQ(prompter.shown.back(), "The file Ostra_Ptc.dat error!!!");
    EXPECT_FALSE(doc.project().isOpen);

    ui.plcAccepted = false;
    EXPECT_FALSE(doc.newProject(40));
    EXPECT_FALSE(doc.project().isOpen);

    ui.plcAccepted = true;
    ASSERT_TRUE(doc.newProject(40));
    EXPECT_TRUE(doc.project().isOpen);
    EXPECT_EQ(doc.project().protocol(), 3);
    EXPECT_EQ(doc.project().screens.size(), 1u);
    EXPECT_EQ(doc.title(), "无标题");
    EXPECT_FALSE(doc.isModified());
}

TEST_F(DocumentTest, SaveModifiedQuestionNamesTheProjectAndHonoursTheAnswer) {
    ProjectDocument doc(prompter, ui);
    ASSERT_TRUE(doc.newProject(40));
    EXPECT_TRUE(doc.saveModifiedQuestion()) << "not modified: no question";
    EXPECT_TRUE(prompter.shown.empty());

    doc.setModified();
    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(doc.saveModifiedQuestion());
    EXPECT_EQ(prompter.shown.back(), "Save changes to 无标题 project?");

    prompter.answers = {Answer::No};
    EXPECT_TRUE(doc.saveModifiedQuestion());

    // Yes without a path asks for one; cancelling that stops the caller.
    prompter.answers = {Answer::Yes};
    ui.savePath.reset();
    EXPECT_FALSE(doc.saveModifiedQuestion());
    EXPECT_TRUE(doc.isModified());

    prompter.answers = {Answer::Yes};
    ui.savePath = file("saved.osp");
    EXPECT_TRUE(doc.saveModifiedQuestion());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.title(), file("saved.osp"));
}

TEST_F(DocumentTest, OpenChecksTheFileBeforeAnythingChanges) {
    ProjectDocument doc(prompter, ui);
    ASSERT_TRUE(doc.newProject(40));
    ASSERT_TRUE(doc.saveTo(file("good.osp")));

    EXPECT_FALSE(doc.open(file("missing.osp")));
    EXPECT_EQ(prompter.shown.back(), "Open file" + file("missing.osp") + " error!");

    write("magic.osp", {0x08, 'O', 's', 't', 'r', 'b', 12, 1});
    EXPECT_FALSE(doc.open(file("magic.osp")));
    EXPECT_EQ(prompter.shown.back(), "File type error!: Is it a correct file?");

    write("format.osp", {0x08, 'O', 's', 't', 'r', 'a', 12, 2});
    EXPECT_FALSE(doc.open(file("format.osp")));
    EXPECT_EQ(prompter.shown.back(), "File type error!: version does not match!");
    EXPECT_EQ(doc.path(), file("good.osp")) << "refused files change nothing";
    EXPECT_EQ(doc.project().screens.size(), 1u);

    // A damaged file clears the project but keeps the previous path.
    auto bytes = readWholeFile(file("good.osp")).value();
    bytes.resize(bytes.size() - 3);
    write("cut.osp", bytes);
    EXPECT_FALSE(doc.open(file("cut.osp")));
    EXPECT_NE(prompter.shown.back().find("cut.osp"), std::string::npos);
    EXPECT_EQ(doc.path(), file("good.osp"));
    EXPECT_TRUE(doc.project().screens.empty());

    ASSERT_TRUE(doc.open(file("good.osp")));
    EXPECT_EQ(doc.project().screens.size(), 1u);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(DocumentTest, AFailedSaveLeavesTheOldFileAndTheModifiedFlag) {
    ProjectDocument doc(prompter, ui);
    ASSERT_TRUE(doc.newProject(40));
    ASSERT_TRUE(doc.saveTo(file("p.osp")));
    const auto before = readWholeFile(file("p.osp")).value();

    // A write error in the middle of the file: the file size limit stands in for a full disk.
    doc.project().screens.createScreen(2, std::string(200, 'x'));
    doc.setModified();
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = doc.save();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(readWholeFile(file("p.osp")).value(), before);
    EXPECT_NE(prompter.shown.back().find("p.osp"), std::string::npos);
    for (const auto& entry : fs::directory_iterator(dir)) {
        EXPECT_EQ(entry.path().filename().string().find(".p.osp."), std::string::npos)
            << "no temporary file is left behind";
    }

    // A folder that does not exist.
    EXPECT_FALSE(doc.saveTo(file("no/such/folder.osp")));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.path(), file("p.osp"));
}

TEST_F(DocumentTest, ImportConvertsOpensAndLeavesTheProjectUnmodified) {
    ProjectDocument doc(prompter, ui);
    std::vector<uint8_t> old(80, 0);
    old[0] = 3;
    old[1] = 'G';
    old[2] = 'R';
    old[3] = 'X';
    old[13] = 2;  // Siemens
    write("plant.grx", old);

    EXPECT_FALSE(doc.importOldProject(file("plant.grx"), [] { return false; }));
    EXPECT_FALSE(fs::exists(dir / "plant.osp")) << "a cancelled dialog writes nothing";

    ASSERT_TRUE(doc.importOldProject(file("plant.grx"), [] { return true; }));
    EXPECT_EQ(prompter.shown.back(),
              "conversion accomplished!\nThe project was written to " + file("plant.osp"));
    EXPECT_EQ(doc.path(), file("plant.osp"));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.project().protocol(), 2);
    EXPECT_EQ(doc.project().loadedVersion, 1);
    EXPECT_EQ(doc.project().screens.size(), 1u) << "an old file without screens gets screen 1";

    // A project of the same name is replaced only when the user says so.
    const std::vector<uint8_t> work = {1, 2, 3};
    write("plant.osp", work);
    const size_t questions = prompter.shown.size();
    prompter.answers = {Answer::No};
    EXPECT_FALSE(doc.importOldProject(file("plant.grx"), [] { return true; }));
    ASSERT_EQ(prompter.shown.size(), questions + 1);
    EXPECT_EQ(prompter.shown.back(), "Import old project: " + file("plant.osp") +
                                         " already exists. Do you want to replace it?");
    EXPECT_EQ(readWholeFile(file("plant.osp")).value(), work);
    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(doc.importOldProject(file("plant.grx"), [] { return true; }));
    EXPECT_NE(readWholeFile(file("plant.osp")).value(), work);

    write("bad.grx", {1, 2, 3, 4});
    EXPECT_FALSE(doc.importOldProject(file("bad.grx"), [] { return true; }));
    EXPECT_EQ(prompter.shown.back(), "the file type error!");
    EXPECT_FALSE(doc.importOldProject(file("none.grx"), [] { return true; }));
    EXPECT_EQ(prompter.shown.back(), "Open the file error!");
}
