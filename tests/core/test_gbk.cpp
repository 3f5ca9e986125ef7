#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/GbkText.h"

using namespace vanta;
using ::testing::HasSubstr;

TEST(GbkText, RoundTripsAsciiChineseAndLatin1) {
    struct Case {
        std::string utf8;
        std::string gbk;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"Screen 1\tOK", "Screen 1\tOK"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"中文", "\xD6\xD0\xCE\xC4"},
        {"café 中 × 25°", "caf\xA8\xA6 \xD6\xD0 \xA1\xC1 25\xA1\xE3"},
    };
    for (const Case& c : cases) {
        const Result<std::string> gbk = utf8ToGbk(c.utf8);
        ASSERT_TRUE(gbk.ok()) << gbk.message();
        EXPECT_EQ(*gbk, c.gbk) << c.utf8;
        const Result<std::string> back = gbkToUtf8(*gbk);
        ASSERT_TRUE(back.ok()) << back.message();
        EXPECT_EQ(*back, c.utf8);
    }
}

TEST(GbkText, CharactersGbkCannotHoldAreRefusedByName) {
    const Result<std::string> emoji = utf8ToGbk("ok 😀");
    ASSERT_FALSE(emoji.ok());
    EXPECT_EQ(emoji.message(),
              "The character \"😀\" (U+1F600) cannot be stored in the GBK code page");

    // Code page 936 would store the euro sign as the single byte 0x80, which the panel reads
    // as the lead byte of a pair.
    const Result<std::string> euro = utf8ToGbk("5€");
    ASSERT_FALSE(euro.ok());
    EXPECT_THAT(euro.message(), HasSubstr("(U+20AC)"));

    const Result<std::string> broken = utf8ToGbk("ab\xC3");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.message(), "The text is not valid UTF-8 at byte offset 2");
    EXPECT_FALSE(utf8ToGbk("\xED\xA0\x80").ok());  // an encoded surrogate
    EXPECT_FALSE(utf8ToGbk("\xC0\xAF").ok());      // an overlong form
}

TEST(GbkText, InvalidGbkIsRefusedAtItsOffset) {
    struct Case {
        std::string gbk;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"ab\x80", "The byte 0x80 is not GBK text at byte offset 2"},
        {"\xFF", "The byte 0xFF is not GBK text at byte offset 0"},
        {"\xD6\xD0\xD6", "The text ends inside a GBK double-byte character at byte offset 2"},
        {"x\xD6\x30", "The bytes 0xD6 0x30 are not a GBK character at byte offset 1"},
        {"\xAA\xA1", "The bytes 0xAA 0xA1 are not a GBK character at byte offset 0"},
    };
    for (const Case& c : cases) {
        const Result<std::string> utf8 = gbkToUtf8(c.gbk);
        ASSERT_FALSE(utf8.ok());
        EXPECT_EQ(utf8.message(), c.message);
    }
}
