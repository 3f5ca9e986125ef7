#pragma once
// The panel's bitmap layout ("page format") and its conversion to and from row bitmaps.
//
// Page format: the bitmap is cut into bands of 8 pixel rows from the top; each band is one byte
// per pixel column, left to right; bit k of a column byte is row k of the band (bit 0 = top
// row); 1 = pixel set. Rows below the bitmap in its last band are 0 bits. A 16 x 16 glyph is 32
// bytes (band 0 columns 0..15, then band 1), an 8 x 16 glyph 16 bytes.
//
// Row bitmap: one row after the other from the top, each row `stride` bytes, the most
// significant bit of a row's first byte is its leftmost pixel. This is how the font files hold
// their glyphs.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/Result.h"

namespace vanta {

// Number of 8-row bands of a bitmap `height` rows high (0 for a height of 0 or less).
inline int pageBands(int height) {
    return height > 0 ? (height + 7) / 8 : 0;
}
// Bytes of a width x height bitmap in page format: bands x width.
inline size_t pageFormatSize(int width, int height) {
    return width > 0 ? static_cast<size_t>(pageBands(height)) * static_cast<size_t>(width) : 0;
}
// Bytes of one row of a row bitmap without padding.
inline size_t packedRowBytes(int width) {
    return width > 0 ? static_cast<size_t>(width + 7) / 8 : 0;
}

// Converts the top-left width x height pixels of a row bitmap into page format. Fails when the
// stride is shorter than a row or `rows` holds fewer than stride x height bytes.
Result<std::vector<uint8_t>> rowsToPageFormat(std::span<const uint8_t> rows, int width, int height,
                                              size_t stride);
// Converts page format into a row bitmap with rows of packedRowBytes(width) bytes. Fails when
// `page` holds fewer than pageFormatSize(width, height) bytes.
Result<std::vector<uint8_t>> pageFormatToRows(std::span<const uint8_t> page, int width, int height);

// One pixel of a page-format bitmap; false outside the bitmap or beyond the data.
bool pagePixel(std::span<const uint8_t> page, int width, int height, int x, int y);
// Sets or clears one pixel of a page-format bitmap; ignored outside the bitmap or the data.
void setPagePixel(std::span<uint8_t> page, int width, int height, int x, int y, bool set);

}  // namespace vanta
