// Register vocabulary of the PLC protocols: rows, switches, type codes, protocol names.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "protocols/ProtocolNames.h"
#include "protocols/Vocabulary.h"

using namespace vanta;

namespace {

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        out.push_back(item);
    return out;
}

const std::vector<std::string> kInternal = {"RP", "RWI", "RDI", "LW", "TM"};

struct RowCase {
    int protocol;
    int stationMin, stationMax;
    uint32_t maxWord, maxBit;
    const char* words;  // the protocol's own word types
    const char* bitsA;
    const char* bitsB;
    const char* bitsC;
    int highestBit;
    int stride;
    int baudOffset;
    bool fromOne;
};

// Hand-copied from the protocol table; B and C repeat A where the table names one list.
const RowCase kRows[] = {
    {1, 1, 15, 65535, 65535, "B,W,D", "B,W,D", "B,W,D", "B,W,D", 255, 1, 0, false},
    {2, 1, 126, 8192, 9999, "VW,VD", "M", "M", "M", 7, 2, 3, false},
    {3, 1, 247, 65535, 65535, "4x,3x", "0x", "0x,1x", "0x,1x", 15, 1, 0, true},
    {4, 1, 1, 9999, 9999, "D", "M", "M", "M", 0, 1, 0, false},
    {5, 0, 99, 9999, 9999, "DM", "IR", "IR", "IR", 15, 1, 0, false},
    {6, 0, 254, 9999, 9999, "DT", "R", "R", "R", 15, 1, 0, false},
    {7, 1, 1, 9999, 9999, "R", "M", "M", "M", 0, 1, 0, false},
    {8, 1, 247, 9999, 9999, "MW", "M", "M", "M", 0, 1, 0, false},
    {9, 1, 101, 9999, 9999, "W", "M", "M", "M", 0, 1, 0, false},
    {10, 1, 254, 9999, 9999, "R,D", "M", "M", "M", 0, 1, 0, false},
    {11, 0, 31, 9999, 9999, "D", "M", "M", "M", 15, 1, 0, false},
    {12, 1, 31, 9999, 9999, "D", "M", "M", "M", 15, 1, 0, false},
    {13, 0, 254, 9999, 9999, "D", "M", "M", "M", 0, 1, 0, false},
    {14, 1, 1, 9999, 9999, "MW", "MW", "MW", "MW", 15, 1, 0, false},
    {15, 1, 1, 9999, 9999, "N7,N9,N10,N11,N12,N13,N14,N15", "B3,B9,B10,B11,B12,B13",
     "B3,B9,B10,B11,B12,B13", "B3,B9,B10,B11,B12,B13", 15, 1, 0, false},
    {16, 1, 247, 65535, 65535, "4x,3x", "0x", "0x,1x", "0x,1x", 15, 1, 0, true},
    {17, 0, 253, 9999, 9999, "R", "F", "F", "F", 0, 1, 0, false},
    {18, 0, 0, 9999, 9999, "D", "M", "M", "M", 15, 1, 0, false},
    {19, 1, 247, 65535, 65535, "3x,4x,5x,6x", "0x,4x", "0x,1x,3x,4x", "0x", 15, 1, 0, true},
    {20, 1, 247, 9999, 9999, "D,SD,Z,T,C,C_double", "M,SM,Y,X,S,T,C", "M,SM,Y,X,S,T,C", "M,SM", 15,
     1, 0, false},
    {21, 1, 1, 65535, 65535, "4x", "0x,4x", "0x,4x", "0x", 15, 1, 0, true},
    {22, 0, 31, 9999, 9999, "MW", "MX", "MX", "MX", 15, 1, 0, false},
    {23, 1, 255, 9999, 9999, "D,T,C,C_double", "M,Y,S", "X,M,Y,S", "M", 0, 1, 0, false},
    {24, 1, 255, 20000, 20000, "DM,TM_KEYENCE", "R", "R", "R", 255, 1, 0, false},
    {25, 1, 247, 65535, 65535, "3x,4x,5x,6x", "0x,4x", "0x,1x,3x,4x", "0x", 15, 1, 0, true},
    {26, 0, 0, 65535, 65535, "WM,WR", "R,M", "R,M", "R,M", 15, 1, 0, false},
    {27, 0, 0, 65535, 65535, "D,H,W,CIO,A", "H,W,CIO,A", "H,W,CIO,A", "H,W,CIO,A", 15, 1, 0, false},
    {28, 1, 247, 65535, 65535, "D,Z,V", "Y,M,S", "X,Y,M,S,T,C", "M,S", 15, 1, 0, false},
    {29, 1, 255, 4094, 31, "AIW,AQW,VW", "M,Q,I", "M,Q,I", "Q,M", 7, 2, 0, false},
    {30, 1, 255, 4094, 31, "AIW,AQW,VW", "M,Q,I", "M,Q,I", "Q,M", 7, 2, 0, false},
    {32, 1, 255, 2564, 127, "W", "M", "M", "M", 15, 2, 0, false},
    {33, 0, 255, 65535, 9999, "R", "M", "M", "M", 15, 2, 0, true},
    {34, 1, 247, 65535, 65535, "4x,3x", "0x", "0x,1x", "0x,1x", 15, 1, 0, true},
    {35, 0, 255, 2047, 2047, "AI,AQ,V", "M,X,Y", "M,X,Y", "M,X,Y", 0, 1, 0, false},
    {36, 0, 255, 8000, 127, "DM", "M", "M", "M", 7, 1, 0, false},
    {37, 1, 255, 20000, 20000, "DM,TM_KEYENCE", "R", "R", "R", 255, 1, 0, false},
    {38, 1, 1, 9999, 9999, "D", "M", "M", "M", 0, 1, 0, false},
    {39, 1, 1, 9999, 9999, "D", "M", "M", "M", 0, 1, 0, false},
    {40, 0, 255, 9999, 9999, "DM", "", "", "", 7, 1, 0, false},
    // Numbers outside 1..40 get the default row.
    {0, 1, 1, 9999, 9999, "D", "M", "M", "M", 0, 1, 0, false},
    {41, 1, 1, 9999, 9999, "D", "M", "M", "M", 0, 1, 0, false},
    {255, 1, 1, 9999, 9999, "D", "M", "M", "M", 0, 1, 0, false},
};

}  // namespace

TEST(Vocabulary, EveryProtocolRowGivesItsListsAndLimits) {
    for (const RowCase& c : kRows) {
        SCOPED_TRACE("protocol " + std::to_string(c.protocol));
        const Vocabulary v = makeVocabulary(static_cast<uint8_t>(c.protocol));
        EXPECT_EQ(v.protocol, c.protocol);
        EXPECT_EQ(v.stationMin, c.stationMin);
        EXPECT_EQ(v.stationMax, c.stationMax);
        EXPECT_EQ(v.maxWordRegister, c.maxWord);
        EXPECT_EQ(v.maxBitRegister, c.maxBit);
        std::vector<std::string> words = split(c.words);
        std::vector<std::string> alarm = kInternal;
        alarm.insert(alarm.end(), words.begin(), words.end());
        words.insert(words.end(), kInternal.begin(), kInternal.end());
        EXPECT_EQ(v.wordTypes, words);
        EXPECT_EQ(v.alarmWordTypes, alarm);
        EXPECT_EQ(v.bitTypesA, split(c.bitsA));
        EXPECT_EQ(v.bitTypesB, split(c.bitsB));
        EXPECT_EQ(v.bitTypesC, split(c.bitsC));
        EXPECT_EQ(v.highestBitIndex, c.highestBit);
        EXPECT_EQ(v.stride, c.stride);
        EXPECT_EQ(v.baudOffset, c.baudOffset);
        EXPECT_EQ(v.addressesFromOne, c.fromOne);
        EXPECT_EQ(v.displayFormats, (std::vector<std::string>{"Unsigned", "HEX", "Signed"}));
        EXPECT_EQ(&v.list(TypeList::Word), &v.wordTypes);
        EXPECT_EQ(&v.list(TypeList::BitA), &v.bitTypesA);
        EXPECT_EQ(&v.list(TypeList::BitB), &v.bitTypesB);
    }
}

TEST(Vocabulary, Protocol31OffersModulesWithoutInternalTypes) {
    const Vocabulary v = makeVocabulary(31);
    const std::vector<std::string> modules = {"RC", "KV", "AI", "UI", "AU", "DI", "DU", "AK", "PK",
                                              "AQ", "DK", "AZ", "DQ", "SP", "PU", "PI", "LR"};
    EXPECT_EQ(v.wordTypes, modules);
    EXPECT_EQ(v.bitTypesA, split("RC,AI,UI,AU,DI,DU,AQ,AZ,DQ,SP,PU,PI"));
    EXPECT_EQ(v.bitTypesB, split("RC,AI,UI,AU,DI,DU,PK,AQ,AZ,DQ,SP,PU,PI,LR"));
    EXPECT_EQ(v.alarmWordTypes.size(), 5u + modules.size());
    EXPECT_EQ(v.alarmWordTypes.front(), "RP");
    EXPECT_EQ(v.stationMin, 1);
    EXPECT_EQ(v.stationMax, 255);
    EXPECT_EQ(v.maxWordRegister, 255u);
    EXPECT_TRUE(v.addressesFromOne);
    EXPECT_FALSE(v.registerCountShown);

    EXPECT_EQ(v.parameterNames(TypeList::Word, 0).front(), "Itime");
    EXPECT_EQ(v.parameterNames(TypeList::Word, 1).size(), 20u);  // KV: Value, Unit, X1..X9, Y1..Y9
    EXPECT_EQ(v.parameterNames(TypeList::Word, 16), split("Value,In1,In2,Out1,Out2,Unit"));
    EXPECT_EQ(v.parameterNames(TypeList::BitA, 11), split("AlarmAck,MinMaxReset"));
    EXPECT_EQ(v.parameterNames(TypeList::BitB, 6), split("SensorError"));  // PK
    EXPECT_TRUE(v.parameterNames(TypeList::Word, 17).empty());
    EXPECT_TRUE(v.parameterNames(TypeList::Word, -1).empty());
    EXPECT_TRUE(makeVocabulary(3).parameterNames(TypeList::Word, 0).empty());
}

TEST(Vocabulary, SwitchesOfThePages) {
    const std::vector<int> selectable = {1, 2, 5, 6, 7, 14, 15, 21, 27, 29, 30, 32, 36};
    for (int p = 0; p <= 41; ++p) {
        SCOPED_TRACE("protocol " + std::to_string(p));
        const Vocabulary v = makeVocabulary(static_cast<uint8_t>(p));
        const bool sel = std::find(selectable.begin(), selectable.end(), p) != selectable.end();
        EXPECT_EQ(v.bitIndexSelectable, sel);
        EXPECT_EQ(v.bitNumberShown, sel);
        EXPECT_EQ(v.maxSubAddress(), sel ? v.highestBitIndex : 0);
        EXPECT_EQ(v.octalAddresses, p == 7);
        EXPECT_EQ(v.hexAddresses, p == 1);
        EXPECT_EQ(v.alarmAllowed, p != 31 && p != 36);
        EXPECT_EQ(v.offsetShown, p == 1);
        EXPECT_EQ(v.coilOperationsShown, p != 1);
        EXPECT_TRUE(v.valueShown);
        EXPECT_EQ(v.registerCountShown, p != 31);
        EXPECT_EQ(v.maxRegisterCount, 2);
        EXPECT_EQ(v.ownStationOnly, p == 14 || p == 21);
        EXPECT_EQ(v.minAddress(), v.addressesFromOne ? 1 : 0);
    }
    // The panel's own station is the only one protocols 14 and 21 allow.
    const Vocabulary free = makeVocabulary(14);
    EXPECT_EQ(free.stationLow(7), 7);
    EXPECT_EQ(free.stationHigh(7), 7);
    const Vocabulary s7 = makeVocabulary(2);
    EXPECT_EQ(s7.stationLow(7), 1);
    EXPECT_EQ(s7.stationHigh(7), 126);
    EXPECT_EQ(s7.maxSubAddress(), 7);
    EXPECT_EQ(makeVocabulary(19).maxSubAddress(), 0);
}

TEST(Vocabulary, TypeCodesOfEveryName) {
    struct Case {
        int protocol;
        const char* name;
        int selector;
        int code;
    };
    const Case cases[] = {
        {3, "0x", 2, 0},          {5, "IR", 2, 0},
        {17, "F", 2, 0},          {22, "MX", 2, 0},
        {28, "Y", 2, 32},         {35, "Y", 2, 32},
        {20, "Y", 2, 0},          {6, "R", 2, 0},
        {17, "R", 1, 4},          {24, "R", 2, 16},
        {37, "R", 2, 16},         {26, "R", 2, 32},
        {7, "R", 1, 2},           {10, "R", 1, 2},
        {3, "1x", 3, 128},        {3, "3x", 1, 130},
        {3, "4x", 1, 2},          {19, "5x", 1, 66},
        {19, "6x", 1, 34},        {1, "B", 1, 1},
        {1, "VB", 1, 1},          {1, "W", 1, 2},
        {2, "VW", 1, 2},          {27, "W", 1, 162},
        {27, "W", 2, 48},         {29, "VW", 1, 194},
        {30, "VW", 1, 194},       {24, "DM", 1, 178},
        {37, "DM", 1, 178},       {5, "DM", 1, 2},
        {2, "VD", 1, 4},          {4, "D", 1, 2},
        {11, "D", 1, 2},          {12, "D", 1, 2},
        {13, "D", 1, 2},          {18, "D", 1, 2},
        {38, "D", 1, 2},          {39, "D", 1, 2},
        {10, "D", 1, 18},         {20, "D", 1, 130},
        {23, "D", 1, 130},        {27, "D", 1, 130},
        {27, "D", 2, 16},         {28, "D", 1, 34},
        {36, "D", 1, 194},        {1, "D", 1, 4},
        {0, "D", 1, 4},           {20, "SD", 1, 146},
        {20, "Z", 1, 162},        {27, "T", 1, 210},
        {27, "T", 2, 96},         {20, "T", 1, 178},
        {20, "T", 2, 80},         {27, "C", 1, 226},
        {27, "C", 3, 112},        {20, "C", 1, 194},
        {28, "C", 3, 96},         {23, "C_double", 1, 212},
        {20, "C_double", 1, 210}, {1, "CTH", 1, 50},
        {1, "CTC", 1, 66},        {35, "X", 2, 128},
        {20, "X", 2, 16},         {20, "SM", 2, 48},
        {20, "S", 2, 64},         {20, "M", 1, 34},
        {20, "M", 2, 32},         {23, "M", 1, 34},
        {23, "M", 3, 32},         {26, "M", 2, 64},
        {28, "M", 2, 48},         {29, "M", 2, 16},
        {30, "M", 2, 16},         {32, "M", 2, 16},
        {35, "M", 2, 16},         {36, "M", 2, 16},
        {2, "M", 2, 0},           {8, "MW", 1, 2},
        {14, "MW", 2, 2},         {22, "MW", 1, 2},
        {9, "MW", 1, 0},          {24, "TM_KEYENCE", 1, 194},
        {6, "DT", 1, 2},          {27, "H", 1, 242},
        {27, "H", 2, 128},        {27, "CIO", 1, 178},
        {27, "CIO", 2, 64},       {27, "A", 1, 194},
        {27, "A", 3, 80},         {26, "WM", 1, 194},
        {26, "WR", 1, 162},       {28, "V", 1, 178},
        {35, "V", 1, 194},        {29, "Q", 2, 32},
        {29, "I", 2, 128},        {29, "AIW", 1, 162},
        {29, "AQW", 1, 178},      {15, "B3", 2, 48},
        {15, "B9", 2, 144},       {15, "B10", 2, 160},
        {15, "B11", 2, 176},      {15, "B12", 2, 192},
        {15, "B13", 2, 208},      {15, "N7", 1, 66},
        {15, "N9", 1, 98},        {15, "N10", 1, 162},
        {15, "N11", 1, 178},      {15, "N12", 1, 194},
        {15, "N13", 1, 210},      {15, "N14", 1, 226},
        {15, "N15", 1, 242},      {2, "RP", 1, 112},
        {2, "RWI", 1, 114},       {2, "RDI", 1, 116},
        {2, "LW", 1, 146},        {2, "TM", 1, 81},
        {35, "AI", 1, 162},       {35, "AQ", 1, 178},
        {3, "nonsense", 1, 0},    {3, "", 1, 0},
        {3, "4X", 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(typeCodeOfName(static_cast<uint8_t>(c.protocol), c.name, c.selector), c.code)
            << "protocol " << c.protocol << " name " << c.name << " selector " << c.selector;
    }
}

TEST(Vocabulary, RegisterTypeCodeChoosesTheListAndClampsTheIndex) {
    const Vocabulary v2 = makeVocabulary(2);
    EXPECT_EQ(registerTypeCode(v2, 0, 1), 2);    // VW
    EXPECT_EQ(registerTypeCode(v2, 1, 1), 4);    // VD
    EXPECT_EQ(registerTypeCode(v2, 6, 1), 81);   // TM, the last
    EXPECT_EQ(registerTypeCode(v2, 99, 1), 81);  // beyond the list: the last
    EXPECT_EQ(registerTypeCode(v2, -3, 1), 2);   // below: the first

    // Selector 2 is bit list A, anything else bit list B.
    const Vocabulary v28 = makeVocabulary(28);
    EXPECT_EQ(registerTypeCode(v28, 0, 2), 32);  // A: Y
    EXPECT_EQ(registerTypeCode(v28, 0, 3), 16);  // B: X
    EXPECT_EQ(registerTypeCode(v28, 0, 0), 16);
    EXPECT_EQ(registerTypeCode(v28, 0, 7), 16);
    EXPECT_EQ(registerTypeCode(v28, 9, 3), 96);  // B's last: C
    // The word list compares "M" as a word on 20 and 23 and as a bit otherwise.
    const Vocabulary v20 = makeVocabulary(20);
    EXPECT_EQ(registerTypeCode(v20, 5, 1), 210);  // C_double
    EXPECT_EQ(registerTypeCode(v20, 0, 2), 32);   // M in list A
    EXPECT_EQ(registerTypeCode(v20, 5, 2), 80);   // T as a bit

    // An empty list (protocol 40 has no bit types) gives 0.
    const Vocabulary v40 = makeVocabulary(40);
    EXPECT_EQ(registerTypeCode(v40, 0, 2), 0);
    EXPECT_EQ(registerTypeCode(v40, 3, 3), 0);
    EXPECT_EQ(registerTypeCode(v40, 0, 1), 2);  // DM

    EXPECT_EQ(typeCodeWidth(registerTypeCode(makeVocabulary(3), 0, 1)), 2);  // 4x: one word
    EXPECT_EQ(typeCodeWidth(112), 2);
    EXPECT_EQ(typeCodeWidth(81), 1);
}

TEST(Vocabulary, RecipeTypeCodes) {
    auto recipe = [](int protocol, const std::string& name) {
        const Vocabulary v = makeVocabulary(static_cast<uint8_t>(protocol));
        const auto& names = v.alarmWordTypes;
        const auto at = std::find(names.begin(), names.end(), name);
        EXPECT_NE(at, names.end()) << name << " not offered on " << protocol;
        return recipeTypeCode(v, static_cast<int>(at - names.begin()));
    };
    // The internal types lead the list.
    EXPECT_EQ(recipe(3, "RP"), 112);
    EXPECT_EQ(recipe(3, "TM"), 81);
    EXPECT_EQ(recipe(3, "4x"), 2);
    EXPECT_EQ(recipe(3, "3x"), 130);
    EXPECT_EQ(recipe(6, "DT"), 2);
    EXPECT_EQ(recipe(17, "R"), 4);
    EXPECT_EQ(recipe(26, "WM"), 194);
    EXPECT_EQ(recipe(26, "WR"), 0);
    EXPECT_EQ(recipe(24, "DM"), 178);
    EXPECT_EQ(recipe(10, "R"), 2);
    EXPECT_EQ(recipe(28, "D"), 226);
    EXPECT_EQ(recipe(20, "D"), 130);
    EXPECT_EQ(recipe(20, "C_double"), 210);
    EXPECT_EQ(recipe(23, "C_double"), 210);  // 212 as a register type
    EXPECT_EQ(recipe(20, "T"), 178);
    EXPECT_EQ(recipe(15, "N7"), 114);
    EXPECT_EQ(recipe(15, "N9"), 146);
    EXPECT_EQ(recipe(15, "N10"), 162);
    EXPECT_EQ(recipe(29, "AIW"), 0);
    EXPECT_EQ(recipe(29, "AQW"), 0);
    EXPECT_EQ(recipe(29, "VW"), 194);
    EXPECT_EQ(recipe(35, "AI"), 0);
    EXPECT_EQ(recipe(35, "V"), 194);

    // Names that only the recipe rules know, through a hand-made vocabulary.
    Vocabulary v;
    v.alarmWordTypes = {"M", "R", "X", "S", "Y", "Q", "I", "CTH", "CTC"};
    const int expected[][3] = {
        // index, protocol, code
        {0, 20, 32}, {0, 23, 32}, {0, 28, 50}, {0, 2, 0},   {1, 6, 0},  {1, 17, 4},
        {1, 26, 32}, {1, 24, 2},  {1, 37, 2},  {2, 28, 18}, {2, 3, 16}, {3, 28, 66},
        {3, 3, 64},  {4, 28, 0},  {5, 29, 0},  {6, 29, 0},  {7, 1, 0},  {8, 1, 0},
    };
    for (const auto& e : expected) {
        v.protocol = static_cast<uint8_t>(e[1]);
        EXPECT_EQ(recipeTypeCode(v, e[0]), e[2]) << "index " << e[0] << " protocol " << e[1];
    }
    v.protocol = 28;
    EXPECT_EQ(recipeTypeCode(v, 100), 0);  // clamped to the last: CTC
    EXPECT_EQ(recipeTypeCode(Vocabulary{}, 0), 0);
}

TEST(Vocabulary, StartCoilTypeCodes) {
    const Vocabulary v28 = makeVocabulary(28);  // list C: M, S
    EXPECT_EQ(startCoilTypeCode(v28, 0), 50);
    EXPECT_EQ(startCoilTypeCode(v28, 1), 66);
    EXPECT_EQ(startCoilTypeCode(v28, 5), 66);   // clamped
    const Vocabulary v29 = makeVocabulary(29);  // list C: Q, M
    EXPECT_EQ(startCoilTypeCode(v29, 0), 34);
    EXPECT_EQ(startCoilTypeCode(v29, 1), 18);
    const Vocabulary v35 = makeVocabulary(35);  // list C: M, X, Y
    EXPECT_EQ(startCoilTypeCode(v35, 0), 18);
    EXPECT_EQ(startCoilTypeCode(v35, 1), 16);
    EXPECT_EQ(startCoilTypeCode(v35, 2), 32);
    EXPECT_EQ(startCoilTypeCode(makeVocabulary(36), 0), 18);
    EXPECT_EQ(startCoilTypeCode(makeVocabulary(2), 0), 0);   // M elsewhere
    EXPECT_EQ(startCoilTypeCode(makeVocabulary(40), 0), 0);  // no coils at all

    Vocabulary v;
    v.bitTypesC = {"X", "Y", "T", "C", "Q", "S"};
    const int expected[][3] = {
        {0, 28, 18}, {0, 2, 16},  {1, 28, 34}, {1, 35, 32}, {1, 3, 0}, {2, 28, 82},
        {2, 20, 0},  {3, 28, 98}, {3, 20, 0},  {4, 30, 34}, {4, 2, 0}, {5, 20, 0},
    };
    for (const auto& e : expected) {
        v.protocol = static_cast<uint8_t>(e[1]);
        EXPECT_EQ(startCoilTypeCode(v, e[0]), e[2]) << "index " << e[0] << " protocol " << e[1];
    }
}

TEST(ProtocolNames, ChineseAndEnglishByNumber) {
    EXPECT_EQ(protocolNameEnglish(1), "ECOSTEP");
    EXPECT_EQ(protocolNameChinese(2), "西门子S7-200 系列");
    EXPECT_EQ(protocolNameEnglish(2), "Siemens (S7-200)");
    EXPECT_EQ(protocolNameChinese(9), "宇电 (AI)");
    EXPECT_EQ(protocolNameEnglish(8), "Schneider (M/N/T)");
    EXPECT_EQ(protocolNameChinese(14), "自由机型");
    EXPECT_EQ(protocolNameEnglish(14), "Free");
    EXPECT_EQ(protocolNameEnglish(26), "HITACHI(EH-A14DR)");
    EXPECT_EQ(protocolNameChinese(31), "KTC");
    EXPECT_EQ(protocolNameEnglish(34), "techwayson V80");
    EXPECT_EQ(protocolNameChinese(39), "三菱(FX 3U系列)");
    EXPECT_EQ(protocolNameChinese(40), "嘉泰");
    EXPECT_EQ(protocolNameEnglish(40), "JiaTai");
    EXPECT_TRUE(protocolNameEnglish(0).empty());
    EXPECT_TRUE(protocolNameChinese(41).empty());
    for (int p = 1; p <= kProtocolCount; ++p) {
        EXPECT_FALSE(protocolNameEnglish(p).empty());
        EXPECT_FALSE(protocolNameChinese(p).empty());
    }
}
