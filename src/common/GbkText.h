#pragma once
// GBK (code page 936) text: the model keeps strings as code-page bytes; these convert them to
// and from UTF-8 at the gui and JSON boundary, through iconv. Nothing is replaced silently: a
// character GBK cannot hold, or a byte sequence that is not GBK, is a failure naming it.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace vanta {

// A byte with the high bit set (above 0x7F) starts a double-byte character; bytes 0x00..0x7F are
// single-byte characters. Glyph collection, rebasing and the text renderer all use this rule.
inline bool isLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

// Length and code point of the UTF-8 sequence at s[i]; 0 when it is not valid UTF-8 (overlong
// forms, surrogates and values above U+10FFFF included).
size_t decodeUtf8(std::string_view s, size_t i, uint32_t& codePoint);

// Appends the UTF-8 form of a code point (at most U+10FFFF).
void appendUtf8(std::string& out, uint32_t codePoint);

Result<std::string> gbkToUtf8(const std::string& gbk);
Result<std::string> utf8ToGbk(const std::string& utf8);

}  // namespace vanta
