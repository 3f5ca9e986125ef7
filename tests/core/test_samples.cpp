// The committed sample projects: they are what the generator makes, they load, they survive the
// JSON form byte for byte, the demo compiles without a question, the old project imports, and
// every truncation of a project file fails cleanly.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>

#include "common/FileIO.h"
#include "image/ImageCompiler.h"
#include "project/OldProjectImport.h"
#include "project/Project.h"
#include "project/ProjectJson.h"
#include "tools/samplegen/SampleProjects.h"

using namespace vanta;
namespace fs = std::filesystem;

namespace {

fs::path samplesFolder() {
    return fs::path(VANTA_SOURCE_DIR) / "data" / "samples";
}

Bytes committed(const std::string& name) {
    auto data = readWholeFile((samplesFolder() / name).string());
    EXPECT_TRUE(data) << data.message();
    return data ? data.value() : Bytes();
}

class NoQuestions : public Prompter {
  public:
    Answer ask(const std::string& text, const std::string&, Buttons, Severity) override {
        asked.push_back(text);
        return Answer::Ok;
    }
    std::vector<std::string> asked;
};

// Loads the file, checks that its JSON form builds back the same bytes, and returns the count of
// components of each kind.
std::map<uint8_t, int> loadAndRoundTrip(const Bytes& file, Project& p) {
    Status loaded = p.load(file);
    EXPECT_TRUE(loaded.ok()) << loaded.message();
    const Bytes saved = p.save();
    Result<Bytes> rebuilt = projectFileFromJson(projectToJson(p));
    EXPECT_TRUE(rebuilt) << rebuilt.message();
    if (rebuilt) {
        EXPECT_EQ(rebuilt.value(), saved);
    }
    std::map<uint8_t, int> kinds;
    for (const auto& screen : p.screens.screens()) {
        for (const auto& c : screen->components())
            ++kinds[c->m_kind];
    }
    return kinds;
}

}  // namespace

TEST(Samples, CommittedFilesAreWhatTheGeneratorMakes) {
    const fs::path temp =
        fs::temp_directory_path() / ("vanta-samples-" + std::to_string(::getpid()));
    fs::create_directories(temp);
    ASSERT_TRUE(samples::writeSamples(temp.string()).ok());
    for (const auto& sample : samples::sampleFiles()) {
        auto made = readWholeFile((temp / sample.name).string());
        ASSERT_TRUE(made) << made.message();
        EXPECT_EQ(made.value(), committed(sample.name))
            << sample.name
            << " differs from the generator's; run vanta-samplegen --out data/samples";
    }
    fs::remove_all(temp);
}

TEST(Samples, ProjectsLoadRoundTripAndCompileWithoutAQuestion) {
    for (const char* name : {"demo.osp", "chinese.osp"}) {
        SCOPED_TRACE(name);
        const Bytes file = committed(name);
        Project p;
        const auto kinds = loadAndRoundTrip(file, p);
        // Written by this program: the JSON form gives back the file itself.
        Result<Bytes> rebuilt = projectFileFromJson(projectToJson(p));
        ASSERT_TRUE(rebuilt);
        EXPECT_EQ(rebuilt.value(), file);
        EXPECT_GE(p.screens.size(), 2u);
        EXPECT_FALSE(p.alarms.m_texts.empty());

        NoQuestions prompter;
        CompileOptions options;
        options.dataDir = VANTA_DATA_DIR;
        CompileResult compiled = compileProject(p, options, prompter);
        EXPECT_TRUE(compiled.ok()) << compiled.error.message;
        EXPECT_TRUE(prompter.asked.empty());

        if (std::string(name) == "demo.osp") {
            EXPECT_EQ(p.protocol(), 4);
            for (uint8_t kind = kKindChars; kind <= kKindDynamic; ++kind)
                EXPECT_GT(kinds.count(kind), 0u) << "kind " << int(kind);
        }
    }
}

TEST(Samples, DemoHasAFunctionKeyForEveryAction) {
    Project p;
    ASSERT_TRUE(p.load(committed("demo.osp")).ok());
    const std::string json = projectToJson(p);
    for (const char* action :
         {"\"actionKind\": 0", "\"actionKind\": 1", "\"actionKind\": 2", "\"actionKind\": 3"})
        EXPECT_NE(json.find(action), std::string::npos) << action;
    for (const char* op : {"\"recipeOperation\": 1", "\"recipeOperation\": 2",
                           "\"recipeOperation\": 3", "\"coilOperation\": 3", "\"jumpTarget\": 1"})
        EXPECT_NE(json.find(op), std::string::npos) << op;
}

TEST(Samples, OldProjectConvertsLoadsAndRoundTrips) {
    auto converted = convertOldProject(committed("old.grx"));
    ASSERT_TRUE(converted) << converted.message();
    EXPECT_EQ(converted->protocol, 5);
    EXPECT_EQ(converted->screens, 3);
    EXPECT_EQ(converted->components, 12);
    Project p;
    const auto kinds = loadAndRoundTrip(converted->project, p);
    for (uint8_t kind = kKindChars; kind <= kKindDynamic; ++kind)
        EXPECT_EQ(kinds.count(kind), 1u) << "kind " << int(kind);
    EXPECT_EQ(p.loadedVersion, 1);
    EXPECT_EQ(p.screens.at(1).m_description, "\xB9\xFD\xB3\xCC");  // "过程"
    ASSERT_EQ(p.alarms.m_texts.size(), 3u);
    EXPECT_EQ(p.alarms.m_texts[2], "A text longer than 24 by");
    // The old picture's rows carry set padding bits; the JSON form keeps them.
    const std::string json = projectToJson(p);
    EXPECT_NE(json.find("\"padding\""), std::string::npos);
}

TEST(Samples, EveryTruncationOfTheDemoFailsCleanly) {
    const Bytes file = committed("demo.osp");
    ASSERT_GT(file.size(), 1000u);
    Project p;
    for (size_t n = 0; n < file.size(); ++n) {
        Status status = p.load(std::span<const uint8_t>(file.data(), n));
        ASSERT_FALSE(status.ok()) << "a file cut at " << n << " bytes loaded";
        EXPECT_FALSE(status.message().empty());
    }
    ASSERT_TRUE(p.load(file).ok());
    EXPECT_EQ(p.save(), file);
}
