// Protocol-31 parameter numbers, type values and block words.
#include <gtest/gtest.h>

#include <string>

#include "protocols/ParameterCodes.h"
#include "protocols/Vocabulary.h"

using namespace vanta;

namespace {

int indexOf(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return static_cast<int>(i);
    }
    ADD_FAILURE() << name << " is not in the list";
    return -1;
}

// Number and type value of a parameter chosen by names, through the index lookups.
std::pair<int, int> lookUp(int selector, const std::string& module, const std::string& name) {
    const int m = indexOf(protocol31Modules(selector), module);
    const int p = indexOf(protocol31Parameters(selector, m), name);
    return {ParameterNumber(static_cast<uint8_t>(m), static_cast<uint8_t>(p), selector),
            ParameterTypeValue(static_cast<uint8_t>(m), static_cast<uint8_t>(p), selector)};
}

}  // namespace

TEST(ParameterCodes, FirstRegisterParameterAndBlockWord) {
    EXPECT_EQ(ParameterNumber(0, 0, kParameterWord), 5);  // RC Itime
    EXPECT_EQ(ParameterTypeValue(0, 0, kParameterWord), 50);
    EXPECT_EQ(BlockWord(0, kParameterWord, 0x0203), 0x0103);
    EXPECT_EQ(BlockWord(16, kParameterWord, 0x12FF), 0x11FF);  // LR
    EXPECT_EQ(BlockWord(6, kParameterBitB, 0x0005), 0x0905);   // PK in the lamp list
    EXPECT_EQ(BlockWord(6, kParameterBitA, 0x0005), 0x0A05);   // AQ in the coil list
    EXPECT_EQ(BlockWord(40, kParameterWord, 0x0105), 0x0005);  // no module: block code 0
    EXPECT_EQ(blockCode("RC"), 1);
    EXPECT_EQ(blockCode("AK"), 8);
    EXPECT_EQ(blockCode("PK"), 9);
    EXPECT_EQ(blockCode("LR"), 17);
    EXPECT_EQ(blockCode("rc"), 0);
}

TEST(ParameterCodes, ValueDiffersByModule) {
    const std::pair<const char*, std::pair<int, int>> expected[] = {
        {"RC", {69, 100}}, {"KV", {69, 100}}, {"AI", {69, 100}}, {"UI", {69, 100}},
        {"AU", {69, 100}}, {"AK", {69, 100}}, {"AQ", {69, 100}}, {"LR", {69, 100}},
        {"DK", {69, 50}},  {"AZ", {106, 50}}, {"DQ", {69, 50}},  {"SP", {69, 50}},
        {"PU", {69, 50}},
    };
    for (const auto& [module, code] : expected) {
        EXPECT_EQ(lookUp(kParameterWord, module, "Value"), code) << module;
    }
    // DI and DU offer "Value" as a bit of the lamp list.
    EXPECT_EQ(lookUp(kParameterBitB, "DI", "Value"), std::make_pair(69, 16));
    EXPECT_EQ(lookUp(kParameterBitB, "DU", "Value"), std::make_pair(69, 16));
}

TEST(ParameterCodes, BitFamilies) {
    EXPECT_EQ(lookUp(kParameterBitA, "RC", "Inv1"), std::make_pair(1, 16));
    EXPECT_EQ(lookUp(kParameterBitA, "DI", "ResetTimer"), std::make_pair(100, 16));
    EXPECT_EQ(lookUp(kParameterBitB, "RC", "Status"), std::make_pair(56, 16));
    EXPECT_EQ(lookUp(kParameterBitB, "PK", "SensorError"), std::make_pair(35, 16));
    EXPECT_EQ(lookUp(kParameterBitB, "LR", "OutIntlockValue"), std::make_pair(120, 16));
    EXPECT_EQ(lookUp(kParameterBitB, "AZ", "Dig_Inc"), std::make_pair(108, 16));
    EXPECT_EQ(lookUp(kParameterWord, "DQ", "Op3"), std::make_pair(33, 100));
    EXPECT_EQ(lookUp(kParameterWord, "DU", "Op3"), std::make_pair(33, 50));
    EXPECT_EQ(lookUp(kParameterWord, "PI", "MinHour"), std::make_pair(116, 100));
}

TEST(ParameterCodes, EveryListedParameterIsKnownToTheLookup) {
    // The lists the pages offer and the table the lookups use must agree, AK and PK included:
    // every parameter offered resolves to a number and a type value.
    for (int selector : {kParameterWord, kParameterBitA, kParameterBitB}) {
        const auto& modules = protocol31Modules(selector);
        ASSERT_FALSE(modules.empty());
        for (size_t m = 0; m < modules.size(); ++m) {
            const auto& names = protocol31Parameters(selector, static_cast<int>(m));
            EXPECT_FALSE(names.empty()) << modules[m];
            for (size_t p = 0; p < names.size(); ++p) {
                const uint8_t number =
                    ParameterNumber(static_cast<uint8_t>(m), static_cast<uint8_t>(p), selector);
                const uint8_t type =
                    ParameterTypeValue(static_cast<uint8_t>(m), static_cast<uint8_t>(p), selector);
                EXPECT_NE(number, 0) << selector << " " << modules[m] << " " << names[p];
                EXPECT_NE(type, 0) << selector << " " << modules[m] << " " << names[p];
                if (selector != kParameterWord) {
                    EXPECT_EQ(type, 16) << modules[m] << " " << names[p];
                }
            }
        }
    }
    // The vocabulary of protocol 31 hands out the same lists.
    const Vocabulary v = makeVocabulary(31);
    EXPECT_EQ(v.wordTypes, protocol31Modules(kParameterWord));
    EXPECT_EQ(v.parameterNames(TypeList::BitB, 6), protocol31Parameters(kParameterBitB, 6));
}

TEST(ParameterCodes, AkAndPkAssignment) {
    EXPECT_EQ(protocol31Parameters(kParameterWord, 7),
              (std::vector<std::string>{"DUCAdr", "Ival", "Value", "Unit"}));  // AK
    EXPECT_EQ(protocol31Parameters(kParameterWord, 8),
              (std::vector<std::string>{"Constant1", "Div_Mul", "DUCAdr", "Ival", "Unit"}));  // PK
    EXPECT_EQ(lookUp(kParameterWord, "PK", "Div_Mul"), std::make_pair(31, 50));
    EXPECT_EQ(lookUp(kParameterWord, "PK", "Constant1"), std::make_pair(103, 100));
    EXPECT_EQ(lookUp(kParameterWord, "AK", "DUCAdr"), std::make_pair(101, 50));
    EXPECT_EQ(parameterCode("AK", "Div_Mul"), ParameterCode{});
}

TEST(ParameterCodes, UnknownNamesAndIndexesGiveZero) {
    EXPECT_EQ(parameterCode("XX", "Value"), ParameterCode{});
    EXPECT_EQ(parameterCode("DU", "Op1"), ParameterCode{});  // DU knows "OP1"
    EXPECT_EQ(parameterCode("DU", "OP1"), (ParameterCode{31, 50}));
    EXPECT_EQ(parameterCode("DQ", "Op1"), (ParameterCode{31, 50}));
    EXPECT_EQ(parameterCode("KV", "Input1"), (ParameterCode{38, 194}));  // known, not listed
    EXPECT_EQ(parameterCode("RC", ""), ParameterCode{});

    EXPECT_EQ(ParameterNumber(17, 0, kParameterWord), 0);  // past LR
    EXPECT_EQ(ParameterNumber(0, 27, kParameterWord), 0);  // RC has 27 word parameters
    EXPECT_NE(ParameterNumber(0, 26, kParameterWord), 0);
    EXPECT_EQ(ParameterTypeValue(255, 255, kParameterBitB), 0);
    EXPECT_EQ(ParameterNumber(0, 0, 0), 0);
    EXPECT_EQ(ParameterTypeValue(0, 0, 4), 0);
    EXPECT_TRUE(protocol31Modules(0).empty());
    EXPECT_TRUE(protocol31Parameters(kParameterBitA, 12).empty());
    EXPECT_TRUE(protocol31Parameters(kParameterBitA, -1).empty());
}
