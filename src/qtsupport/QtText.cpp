#include "qtsupport/QtText.h"

#include "common/GbkText.h"

namespace vanta {

QString toQString(const ByteString& bytes) {
    auto utf8 = gbkToUtf8(bytes);
    if (!utf8)
        return QString::fromLatin1(bytes.data(), static_cast<int>(bytes.size()));
    return QString::fromStdString(utf8.value());
}

Result<ByteString> fromQString(const QString& text) {
    return utf8ToGbk(text.toStdString());
}

}  // namespace vanta
