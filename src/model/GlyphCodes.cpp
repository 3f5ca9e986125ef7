#include "model/GlyphCodes.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "common/GbkText.h"

namespace vanta {

bool endsWithLoneLeadByte(const ByteString& text) {
    size_t i = 0;
    while (i < text.size()) {
        if (isLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 >= text.size())
                return true;
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

Status CollectGlyphCodes(std::vector<WideChar>& wide, std::vector<uint8_t>& narrow, Bytes& record,
                         const ByteString& text, size_t offset, uint16_t base) {
    if (offset > record.size() || record.size() - offset < text.size())
        return Status::failure("the download record cannot hold the text");
    if (endsWithLoneLeadByte(text))
        return Status::failure("the text ends with an incomplete double-byte character");
    size_t p = offset;
    for (size_t i = 0; i < text.size();) {
        const uint8_t byte = static_cast<uint8_t>(text[i]);
        if (isLeadByte(byte)) {
            const WideChar ch{byte, static_cast<uint8_t>(text[i + 1])};
            auto it = std::find(wide.begin(), wide.end(), ch);
            const size_t index = static_cast<size_t>(it - wide.begin());
            if (it == wide.end())
                wide.push_back(ch);
            setBE16(&record[p], static_cast<uint16_t>(0x8000 + base + index));
            p += 2;
            i += 2;
        } else {
            auto it = std::find(narrow.begin(), narrow.end(), byte);
            const size_t index = static_cast<size_t>(it - narrow.begin());
            if (it == narrow.end())
                narrow.push_back(byte);
            record[p] = static_cast<uint8_t>(index);
            ++p;
            ++i;
        }
    }
    return Status::success();
}

void RebaseGlyphCodes(Bytes& record, size_t offset, uint16_t add, size_t length) {
    if (offset >= record.size())
        return;
    const size_t end = offset + std::min(length, record.size() - offset);
    for (size_t p = offset; p < end; ++p) {
        if (!(record[p] & 0x80))
            continue;
        if (p + 1 >= end)
            break;  // a code cut off by the end: left alone
        setBE16(&record[p], static_cast<uint16_t>(getBE16(&record[p]) + add));
        ++p;
    }
}

ByteString EscapeAmpersands(const ByteString& text) {
    ByteString out;
    out.reserve(text.size() + 4);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            out += c;
            if (i + 1 < text.size())
                out += text[++i];
        } else {
            out += c;
            if (c == '&')
                out += '&';
        }
    }
    return out;
}

Status checkDownloadText(const ByteString& text, const std::string& who) {
    if (text.size() > 255)
        return Status::failure(who + ": the text is longer than 255 bytes (" +
                               std::to_string(text.size()) + ")");
    if (endsWithLoneLeadByte(text))
        return Status::failure(who + ": the text ends with an incomplete double-byte character");
    return Status::success();
}

}  // namespace vanta
