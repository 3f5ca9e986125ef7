// The project file: the header of every version, the screen list, the alarm list, the pre-check
// and damaged files.
#include <gtest/gtest.h>

#include <cstring>

#include "model/CChars.h"
#include "project/Project.h"

using namespace vanta;

namespace {

std::vector<uint8_t> header(uint8_t version) {
    std::vector<uint8_t> h = {0x08, 'O', 's', 't', 'r', 'a', version, 0x01};
    return h;
}

void put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}

// The fields of bytes 8..24: position 0, protocol, password 1234, initial 3, PLC station 5,
// control register 100, type 1, saver screen 2, delay 4, flags 3, baud 2, data bits 0.
std::vector<uint8_t> commonFields(uint8_t protocol) {
    std::vector<uint8_t> v;
    put16(v, 0);
    v.push_back(protocol);
    put16(v, 1234);
    put16(v, 3);
    v.push_back(5);
    put16(v, 100);
    v.push_back(1);
    put16(v, 2);
    v.push_back(4);
    v.push_back(3);
    v.push_back(2);
    v.push_back(0);
    return v;
}

// No screens and an empty alarm list after the reserved block.
void appendEmptyBody(std::vector<uint8_t>& v) {
    v.insert(v.end(), 98, 0);
    put16(v, 0);              // screens
    v.insert(v.end(), 6, 0);  // alarm: station, address, sub-address, type, bit offset
    v.insert(v.end(), 100, 0);
    put16(v, 0);  // texts
}

}  // namespace

TEST(ProjectFile, NewProjectHeaderBytes) {
    for (uint8_t protocol : {uint8_t(1), uint8_t(2), uint8_t(3), uint8_t(5), uint8_t(21)}) {
        Project p(nullptr, protocol);
        p.resetToNew(protocol);
        const Bytes file = p.save();
        ASSERT_GE(file.size(), 131u);
        const std::vector<uint8_t> start = {0x08, 'O', 's', 't', 'r', 'a', 12, 1};
        EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), start);
        EXPECT_EQ(file[8], 0);
        EXPECT_EQ(file[10], protocol);
        EXPECT_EQ(file[13], 1) << "initial screen";
        EXPECT_EQ(file[15], protocol == 2 ? 2 : protocol == 5 ? 0 : 1) << "PLC station";
        EXPECT_EQ(file[19], 1) << "saver screen";
        EXPECT_EQ(file[21], 3) << "saver delay";
        EXPECT_EQ(file[23], 3) << "baud index";
        EXPECT_EQ(file[24], 1) << "data bits";
        EXPECT_EQ(file[27], protocol == 21 ? 1 : 0) << "panel station";
        EXPECT_EQ(file[28], protocol == 2 ? 2 : 1) << "stride";
        const uint16_t e5 = uint16_t(file[31] | (file[32] << 8));
        EXPECT_EQ(e5, protocol == 2 ? 10000 : protocol == 3 ? 500 : 0);
        for (size_t i = 33; i < 131; ++i)
            ASSERT_EQ(file[i], 0) << "reserved byte " << i;
        EXPECT_EQ(file[131], 1) << "one screen";
    }
}

TEST(ProjectFile, Version12RoundTripKeepsEveryHeaderField) {
    Project p(nullptr, 2);
    p.resetToNew(2);
    p.panel.password = 9999;
    p.panel.controlFlags = 5;
    p.panel.saverAction = 1;
    p.comm.option = 1;
    p.comm.e5Timeout = 777;
    p.comm.panelStation = 9;
    p.screens.createScreen(9, "nine");
    p.screens.createScreen(5, "five");
    p.screens.setCurrentPosition(2);
    p.alarms.m_texts = {"Overheat", "\xd6\xd0\xce\xc4"};
    const Bytes first = p.save();
    EXPECT_EQ(first[8], 2) << "the current position is a list position";

    Project q;
    ASSERT_TRUE(q.load(first)) << "load";
    EXPECT_EQ(q.protocol(), 2);
    EXPECT_EQ(q.panel, p.panel);
    EXPECT_EQ(q.comm, p.comm);
    EXPECT_EQ(q.screens.size(), 3u);
    EXPECT_EQ(q.screens.at(1).m_number, 5);
    EXPECT_EQ(q.screens.at(2).m_description, "nine");
    EXPECT_EQ(q.screens.currentPosition(), 2u);
    EXPECT_EQ(q.alarms.m_texts, p.alarms.m_texts);
    EXPECT_EQ(q.save(), first);
}

TEST(ProjectFile, OlderVersionsKeepWhatTheyDoNotStore) {
    // Version 11: no E5 time-out; it keeps the value it had before loading.
    std::vector<uint8_t> v11 = header(11);
    auto fields = commonFields(3);
    v11.insert(v11.end(), fields.begin(), fields.end());
    v11.insert(v11.end(),
               {1, 2, 7, 1, 1, 1});  // stop, parity, panel station, stride, action, option
    appendEmptyBody(v11);
    Project p(nullptr, 3);
    p.comm.e5Timeout = 4321;
    ASSERT_TRUE(p.load(v11));
    EXPECT_EQ(p.loadedVersion, 11);
    EXPECT_EQ(p.comm.e5Timeout, 4321);
    EXPECT_EQ(p.comm.option, 1);
    EXPECT_EQ(p.panel.password, 1234);
    EXPECT_EQ(p.panel.plcStation, 5);
    EXPECT_EQ(p.comm.panelStation, 7);
    EXPECT_EQ(p.panel.saverAction, 1);
    EXPECT_EQ(p.screens.size(), 1u) << "a file without screens gets screen 1";
    EXPECT_EQ(p.screens.at(0).m_number, 1);
    // Saved again it is a version-12 file with the E5 word.
    const Bytes saved = p.save();
    EXPECT_EQ(saved[6], 12);
    EXPECT_EQ(saved[31] | (saved[32] << 8), 4321);
}

TEST(ProjectFile, Version1StopBitsByte) {
    auto make = [](uint8_t stopByte, bool withOption) {
        std::vector<uint8_t> v = header(1);
        auto fields = commonFields(8);
        v.insert(v.end(), fields.begin(), fields.end());
        v.push_back(stopByte);
        v.insert(v.end(), {2, 7, 1, 0});  // parity, panel station, stride, action
        if (withOption)
            v.push_back(1);
        appendEmptyBody(v);
        return v;
    };
    Project withBit7;
    withBit7.comm.option = 0;
    ASSERT_TRUE(withBit7.load(make(0x81, true)));
    EXPECT_EQ(withBit7.comm.stopBitsIndex, 1);
    EXPECT_EQ(withBit7.comm.option, 1) << "bit 7: an option byte follows";
    EXPECT_EQ(withBit7.comm.parityIndex, 2);

    Project plain;
    plain.comm.option = 1;
    ASSERT_TRUE(plain.load(make(0x01, false)));
    EXPECT_EQ(plain.comm.stopBitsIndex, 1);
    EXPECT_EQ(plain.comm.option, 1) << "no option byte: the option keeps its value";
    EXPECT_EQ(plain.comm.panelStation, 7);
}

TEST(ProjectFile, PrecheckMessages) {
    std::vector<uint8_t> good = header(12);
    EXPECT_TRUE(Project::precheck(good, "a.osp"));
    auto wrongMagic = good;
    wrongMagic[3] = 'X';
    Status s = Project::precheck(wrongMagic, "a.osp");
    EXPECT_EQ(s.message(), "Is it a correct file?");
    EXPECT_EQ(s.caption(), "File type error!");
    for (uint8_t format : {uint8_t(0), uint8_t(2)}) {
        auto wrongFormat = good;
        wrongFormat[7] = format;
        EXPECT_EQ(Project::precheck(wrongFormat, "a.osp").message(), "version does not match!");
    }
    auto version13 = good;
    version13[6] = 13;
    Status v = Project::precheck(version13, "a.osp");
    EXPECT_FALSE(v);
    EXPECT_NE(v.message().find("13"), std::string::npos);
    EXPECT_EQ(Project::precheck(std::vector<uint8_t>{0x08, 'O'}, "a.osp").message(),
              "Is it a correct file?");
}

TEST(ProjectFile, TruncatedFilesFailCleanlyAndClearTheProject) {
    Project p(nullptr, 4);
    p.resetToNew(4);
    CMainView* screen = p.screens.current();
    ASSERT_NE(screen, nullptr);
    screen->addComponent(kKindChars, 20, 20);
    screen->addComponent(kKindChars, 100, 40);
    p.alarms.m_texts = {"A", "B"};
    const Bytes file = p.save();
    for (size_t cut = 8; cut < file.size(); ++cut) {
        Project q;
        Status s = q.load(std::span<const uint8_t>(file.data(), cut));
        ASSERT_FALSE(s) << "cut at " << cut;
        EXPECT_NE(s.message().find("offset"), std::string::npos) << s.message();
        EXPECT_TRUE(q.screens.empty());
    }
    Project whole;
    ASSERT_TRUE(whole.load(file));
    EXPECT_EQ(whole.screens.current()->components().size(), 2u);
}
