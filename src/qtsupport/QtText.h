#pragma once
// Conversion between the model's code-page bytes and QString, at the gui boundary.
#include <QString>

#include "common/Archive.h"
#include "common/Result.h"

namespace vanta {
// Code-page bytes to a QString (through the GBK decoder of the core).
QString toQString(const ByteString& bytes);
// A QString to code-page bytes; fails with a message naming the character GBK cannot hold.
Result<ByteString> fromQString(const QString& text);
}  // namespace vanta
