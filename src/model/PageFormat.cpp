#include "model/PageFormat.h"

namespace vanta {

namespace {

bool inside(int width, int height, int x, int y) {
    return x >= 0 && y >= 0 && x < width && y < height;
}

}  // namespace

Result<std::vector<uint8_t>> rowsToPageFormat(std::span<const uint8_t> rows, int width, int height,
                                              size_t stride) {
    if (width <= 0 || height <= 0) {
        return std::vector<uint8_t>{};
    }
    if (stride < packedRowBytes(width) || rows.size() / stride < static_cast<size_t>(height)) {
        return Result<std::vector<uint8_t>>::failure("bitmap rows too short");
    }
    std::vector<uint8_t> page(pageFormatSize(width, height), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rows.data() + static_cast<size_t>(y) * stride;
        uint8_t* band = page.data() + static_cast<size_t>(y / 8) * static_cast<size_t>(width);
        const uint8_t bit = static_cast<uint8_t>(1u << (y % 8));
        for (int x = 0; x < width; ++x) {
            if (row[x / 8] & (0x80u >> (x % 8))) {
                band[x] |= bit;
            }
        }
    }
    return page;
}

Result<std::vector<uint8_t>> pageFormatToRows(std::span<const uint8_t> page, int width,
                                              int height) {
    if (width <= 0 || height <= 0) {
        return std::vector<uint8_t>{};
    }
    if (page.size() < pageFormatSize(width, height)) {
        return Result<std::vector<uint8_t>>::failure("page-format bitmap too short");
    }
    const size_t stride = packedRowBytes(width);
    std::vector<uint8_t> rows(stride * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* band = page.data() + static_cast<size_t>(y / 8) * static_cast<size_t>(width);
        const uint8_t bit = static_cast<uint8_t>(1u << (y % 8));
        uint8_t* row = rows.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            if (band[x] & bit) {
                row[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
            }
        }
    }
    return rows;
}

bool pagePixel(std::span<const uint8_t> page, int width, int height, int x, int y) {
    if (!inside(width, height, x, y)) {
        return false;
    }
    const size_t at =
        static_cast<size_t>(y / 8) * static_cast<size_t>(width) + static_cast<size_t>(x);
    return at < page.size() && (page[at] & (1u << (y % 8))) != 0;
}

void setPagePixel(std::span<uint8_t> page, int width, int height, int x, int y, bool set) {
    if (!inside(width, height, x, y)) {
        return;
    }
    const size_t at =
        static_cast<size_t>(y / 8) * static_cast<size_t>(width) + static_cast<size_t>(x);
    if (at >= page.size()) {
        return;
    }
    const uint8_t bit = static_cast<uint8_t>(1u << (y % 8));
    page[at] = set ? static_cast<uint8_t>(page[at] | bit) : static_cast<uint8_t>(page[at] & ~bit);
}

}  // namespace vanta
