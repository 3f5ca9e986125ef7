#pragma once
// GBK (code page 936) text: the model keeps strings as code-page bytes; these convert them to
// and from UTF-8 at the gui and JSON boundary, through iconv. Nothing is replaced silently: a
// character GBK cannot hold, or a byte sequence that is not GBK, is a failure naming it.

#include <string>

#include "common/Result.h"

namespace vanta {

// A byte above 0x80 starts a double-byte character.
inline bool isLeadByte(unsigned char byte) { return byte > 0x80; }

Result<std::string> gbkToUtf8(const std::string& gbk);
Result<std::string> utf8ToGbk(const std::string& utf8);

}  // namespace vanta
