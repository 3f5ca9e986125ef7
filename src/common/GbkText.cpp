#include "common/GbkText.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace vanta {

namespace {

// One iconv conversion, opened on first use per thread and reset before every character.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole of `in` into `out` (at most outSize bytes); false when iconv refuses
    // it or leaves part of it unconverted.
    bool convert(const char* in, size_t inSize, char* out, size_t outSize, size_t& written) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        char* dst = out;
        size_t srcLeft = inSize;
        size_t dstLeft = outSize;
        const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
        if (rc == static_cast<size_t>(-1) || srcLeft != 0)
            return false;
        // Flush any shift state (none for these encodings, but keep iconv's contract).
        if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1))
            return false;
        written = outSize - dstLeft;
        return true;
    }

  private:
    iconv_t cd_;
};

Converter& gbkDecoder() {
    thread_local Converter c("UTF-8", "GBK");
    return c;
}

Converter& gbkEncoder() {
    thread_local Converter c("GBK", "UTF-8");
    return c;
}

std::string hexByte(unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", b);
    return buf;
}

std::string codePointName(uint32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", cp);
    return buf;
}

bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

}  // namespace

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

size_t decodeUtf8(std::string_view s, size_t i, uint32_t& cp) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    size_t len;
    uint32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

Result<std::string> gbkToUtf8(const std::string& gbk) {
    Converter& conv = gbkDecoder();
    if (!conv.valid())
        return Result<std::string>::failure("The GBK code page is not available");
    std::string out;
    out.reserve(gbk.size() * 3 / 2 + 1);
    for (size_t i = 0; i < gbk.size();) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (!isLeadByte(lead)) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        if (lead == 0x80 || lead == 0xFF) {
            return Result<std::string>::failure("The byte " + hexByte(lead) +
                                                " is not GBK text at byte offset " +
                                                std::to_string(i));
        }
        if (i + 1 >= gbk.size()) {
            return Result<std::string>::failure(
                "The text ends inside a GBK double-byte character at byte offset " +
                std::to_string(i));
        }
        const auto trail = static_cast<unsigned char>(gbk[i + 1]);
        char utf8[8];
        size_t written = 0;
        if (!isTrailByte(trail) || !conv.convert(gbk.data() + i, 2, utf8, sizeof utf8, written)) {
            return Result<std::string>::failure(
                "The bytes " + hexByte(lead) + " " + hexByte(trail) +
                " are not a GBK character at byte offset " + std::to_string(i));
        }
        out.append(utf8, written);
        i += 2;
    }
    return out;
}

Result<std::string> utf8ToGbk(const std::string& utf8) {
    Converter& conv = gbkEncoder();
    if (!conv.valid())
        return Result<std::string>::failure("The GBK code page is not available");
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        uint32_t cp = 0;
        const size_t len = decodeUtf8(utf8, i, cp);
        if (len == 0) {
            return Result<std::string>::failure("The text is not valid UTF-8 at byte offset " +
                                                std::to_string(i));
        }
        if (len == 1) {
            out += static_cast<char>(cp);
            ++i;
            continue;
        }
        // Every other character must become one double-byte code: a single byte above 0x7F
        // (the euro sign of code page 936) would be read back as the lead of a pair.
        char gbk[8];
        size_t written = 0;
        if (!conv.convert(utf8.data() + i, len, gbk, sizeof gbk, written) || written != 2 ||
            static_cast<unsigned char>(gbk[0]) < 0x81 ||
            static_cast<unsigned char>(gbk[0]) > 0xFE ||
            !isTrailByte(static_cast<unsigned char>(gbk[1]))) {
            return Result<std::string>::failure("The character \"" + utf8.substr(i, len) + "\" (" +
                                                codePointName(cp) +
                                                ") cannot be stored in the GBK code page");
        }
        out.append(gbk, 2);
        i += len;
    }
    return out;
}

}  // namespace vanta
