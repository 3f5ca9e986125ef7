// Edits of a project taken back and made again (the file's bytes before and after), components
// carried to a project of another protocol, and the limit corrections of a download named and put
// back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/FileIO.h"
#include "image/LimitCorrections.h"
#include "image_test_support.h"
#include "model/CMainView.h"
#include "model/ComponentFactory.h"
#include "project/ComponentTransfer.h"
#include "project/ProjectEdit.h"

using namespace vanta;
using namespace vanta::imagetest;

namespace {

void loadDemo(Project& p) {
    auto file = readWholeFile(std::string(VANTA_SOURCE_DIR) + "/data/samples/demo.osp");
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE(p.load(file.value()).ok());
}

}  // namespace

TEST(ProjectEdit, EveryKindOfChangeUndoesToTheSameBytesAndRedoesToTheEditedOnes) {
    Project p;
    loadDemo(p);
    ASSERT_GE(p.screens.size(), 3u);
    const Bytes original = p.save();
    std::vector<ProjectEdit> edits;

    {  // a component changed in place, one inserted, one removed
        EditRecorder r(p);
        r.component(0, 2);
        p.screens.at(0).m_components[2]->m_x += 3;
        r.insertComponent(0, 0, createComponent(kKindLight, p.context(), 20, 20));
        r.removeComponent(1, 0);
        edits.push_back(r.finish());
    }
    {  // settings (with another protocol) and the alarm list
        EditRecorder r(p);
        r.settings();
        r.alarms();
        p.changeProtocol(2);
        p.panel.saverDelayIndex = 2;
        p.alarms.m_texts.push_back("Pump stopped");
        edits.push_back(r.finish());
    }
    {  // a screen's fields, a screen replaced, one removed and one created
        EditRecorder r(p);
        r.screenFields(0);
        p.screens.at(0).m_description = "Start";
        r.screen(1);
        p.screens.at(1).deleteAllComponents();
        r.removeScreen(2);
        p.screens.createScreen(40, "New");
        r.screenInserted(p.screens.currentPosition());
        edits.push_back(r.finish());
    }
    const Bytes edited = p.save();
    ASSERT_NE(edited, original);

    for (auto it = edits.rbegin(); it != edits.rend(); ++it)
        ASSERT_TRUE(it->undo(p).ok());
    EXPECT_EQ(p.save(), original);
    for (const ProjectEdit& edit : edits)
        ASSERT_TRUE(edit.redo(p).ok());
    EXPECT_EQ(p.save(), edited);
}

TEST(ProjectEdit, MergingEmptinessAndDamagedRecords) {
    Project p;
    loadDemo(p);
    const Bytes original = p.save();
    auto moveBy = [&p](int dx) {
        EditRecorder r(p);
        r.component(0, 0);
        p.screens.at(0).m_components[0]->m_x += dx;
        return r.finish();
    };
    // Three moves of one component become one edit; moving back gives an empty one.
    ProjectEdit first = moveBy(1);
    EXPECT_FALSE(first.isEmpty());
    EXPECT_TRUE(first.absorb(moveBy(1)));
    EXPECT_TRUE(first.absorb(moveBy(1)));
    ASSERT_TRUE(first.undo(p).ok());
    EXPECT_EQ(p.save(), original);
    ASSERT_TRUE(first.redo(p).ok());
    EXPECT_TRUE(first.absorb(moveBy(-3)));
    EXPECT_TRUE(first.isEmpty());
    EXPECT_EQ(p.save(), original);

    // An edit of another part does not merge, and nothing of it is taken.
    ProjectEdit one = moveBy(1);
    EditRecorder r(p);
    r.component(0, 1);
    ProjectEdit other = r.finish();
    EXPECT_FALSE(one.absorb(other));
    EXPECT_GT(one.memoryBytes(), 0u);

    // An edit that names a screen the project does not have fails with a message.
    Project small(nullptr, 4);
    small.resetToNew(4);
    const Status s = one.undo(small);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find("screen position 0"), std::string::npos);
}

TEST(ComponentTransfer, SameProtocolKeepsTheRecordsAndAnotherResetsWhatItRefuses) {
    Project source;
    loadDemo(source);
    const CMainView& screen = source.screens.at(0);
    std::vector<const CBase*> chosen;
    for (const auto& c : screen.components())
        chosen.push_back(c.get());
    const std::string json = componentsToJson(source, chosen);

    // Back into a project of the same protocol: the same records, nothing reset.
    Project same(nullptr, source.protocol());
    same.resetToNew(source.protocol());
    auto back = componentsFromJson(json, same);
    ASSERT_TRUE(back.ok()) << back.message();
    ASSERT_EQ(back->components.size(), chosen.size());
    EXPECT_EQ(back->protocol, source.protocol());
    EXPECT_TRUE(back->resets.empty());
    for (size_t i = 0; i < chosen.size(); ++i)
        EXPECT_EQ(componentRecord(*back->components[i]), componentRecord(*chosen[i])) << i;

    // A register whose type and address the target refuses gets the placing defaults there,
    // and the reset is named; a text has no binding and stays as it was.
    Project from(nullptr, 4);
    from.resetToNew(4);
    CMainView& first = *from.screens.current();
    auto& reg = place<CRegister>(first, kKindRegister, 10, 3);
    reg.m_station = 250;
    reg.m_address = 60000;
    auto& text = placeText(first, 0, 40, "Hi");
    const std::string carried = componentsToJson(from, {&reg, &text});
    Project target(nullptr, 31);
    target.resetToNew(31);
    auto moved = componentsFromJson(carried, target);
    ASSERT_TRUE(moved.ok()) << moved.message();
    ASSERT_EQ(moved->components.size(), 2u);
    EXPECT_EQ(moved->protocol, 4);
    ASSERT_EQ(moved->resets.size(), 1u);
    EXPECT_EQ(moved->resets[0].index, 0u) << "the register, not the text";
    EXPECT_EQ(moved->resets[0].fields,
              (std::vector<std::string>{"register type", "address", "bit number"}));
    const auto defaults = createComponent(kKindRegister, target.context(), 0, 0);
    EXPECT_EQ(moved->components[0]->m_regType, defaults->m_regType);
    EXPECT_EQ(moved->components[0]->m_address, defaults->m_address);
    EXPECT_EQ(moved->components[0]->m_station, 250) << "a station protocol 31 accepts stays";
    EXPECT_EQ(moved->components[0]->m_x, 10);
    EXPECT_EQ(static_cast<CChars&>(*moved->components[1]).m_text, ByteString("Hi"));

    // Text that is not a project's JSON form is refused with the reader's message.
    EXPECT_FALSE(componentsFromJson("{\"header\": 3}", target).ok());
    EXPECT_FALSE(componentsFromJson("not json", target).ok());
}

TEST(LimitCorrections, TheQuestionNamesEachCorrectionAndStoppingPutsTheLimitsBack) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView& screen = *p.screens.current();
    auto& reg = place<CRegister>(screen, kKindRegister, 0, 0);
    reg.m_settable = 1;
    reg.m_limits = 1;
    reg.m_inputHigh = 5;
    reg.m_inputLow = 20;
    auto& bar = place<CBar>(screen, kKindBar, 100, 0);
    bar.m_fullScale = 0;
    bar.m_zeroScale = 100;
    const Bytes before = p.save();

    const std::vector<LimitCorrection> found = findLimitCorrections(p);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(p.save(), before) << "finding changes nothing";
    const std::string question = limitCorrectionQuestion(found);
    EXPECT_EQ(question.rfind("Register Limit error, cancel?\n", 0), 0u);
    for (const LimitCorrection& c : found) {
        const std::string values = std::to_string(c.high) + ", " +
                                   (c.scale ? "zero scale " : "lower limit ") +
                                   std::to_string(c.low) + " become ";
        EXPECT_NE(question.find("Window 1, " + c.component), std::string::npos) << question;
        EXPECT_NE(question.find(values), std::string::npos) << question;
    }

    // OK stops the download and leaves the project as it was; the question named them.
    CompileOptions options;
    options.dataDir = VANTA_DATA_DIR;
    ScriptedPrompter stop(Answer::Ok);
    EXPECT_EQ(compileProject(p, options, stop).outcome, CompileResult::Outcome::Cancelled);
    ASSERT_EQ(stop.asked.size(), 1u);
    EXPECT_EQ(stop.asked[0], question);
    EXPECT_EQ(p.save(), before);

    // Cancel goes on: the components hold the corrected values the question named.
    ScriptedPrompter go(Answer::Cancel);
    EXPECT_TRUE(compileProject(p, options, go).ok());
    for (const LimitCorrection& c : found) {
        const int64_t high = c.scale ? bar.m_fullScale : reg.m_inputHigh;
        const int64_t low = c.scale ? bar.m_zeroScale : reg.m_inputLow;
        EXPECT_EQ(high, c.correctedHigh);
        EXPECT_EQ(low, c.correctedLow);
    }
    EXPECT_TRUE(findLimitCorrections(p).empty());
}
