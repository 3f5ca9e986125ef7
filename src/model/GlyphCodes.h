#pragma once
// Glyph codes of the download: how the text kinds turn their code-page text into the codes the
// panel draws with, and the shared text helpers of the records.

#include <cstddef>
#include <cstdint>

#include "common/Archive.h"
#include "common/Result.h"
#include "model/DownloadContext.h"

namespace vanta {

// Writes the glyph codes of `text` into `record` from `offset`: a single-byte character becomes
// its index in `narrow` (appended when new); a double-byte character (a lead byte with the high
// bit set and the byte after it) becomes the big-endian code 0x8000 + base + its index in `wide`
// (appended when new). One record byte per text byte. Fails, writing nothing, when the record
// cannot hold the text from `offset` or the text ends with a lone lead byte.
Status CollectGlyphCodes(std::vector<WideChar>& wide, std::vector<uint8_t>& narrow, Bytes& record,
                         const ByteString& text, size_t offset, uint16_t base);
inline Status CollectGlyphCodes(GlyphSets& sets, Bytes& record, const ByteString& text,
                                size_t offset, uint16_t base) {
    return CollectGlyphCodes(sets.wide, sets.narrow, record, text, offset, base);
}

// Adds `add` (modulo 65536) to every big-endian double-byte code among the `length` bytes of
// `record` from `offset` (a byte with the high bit set starts one); other bytes stay. Never goes
// beyond the record.
void RebaseGlyphCodes(Bytes& record, size_t offset, uint16_t add, size_t length);

// The text with every "&" doubled; double-byte characters are copied as pairs, never examined.
ByteString EscapeAmpersands(const ByteString& text);

// True when the text ends with a lead byte that has no trail byte.
bool endsWithLoneLeadByte(const ByteString& text);

// Whether a text can go into a record with a one-byte length: at most 255 bytes and no lone lead
// byte at its end. The failure names `who` ("Static text at (10, 3): ...").
Status checkDownloadText(const ByteString& text, const std::string& who);

}  // namespace vanta
