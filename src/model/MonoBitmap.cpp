#include "model/MonoBitmap.h"

#include <string>

#include "common/ByteOrder.h"

namespace vanta {

namespace {

constexpr uint32_t kHeaderSize = 40;

size_t rowBytesFor(int width) {
    return static_cast<size_t>((width + 31) / 32) * 4;
}

void putLE16(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

void putLE32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

}  // namespace

bool pictureSizeAllowed(int width, int height) {
    return width > 0 && height > 0 && width <= kPictureMaxWidth && height <= kPictureMaxHeight;
}

MonoBitmap::MonoBitmap(int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      rowBytes_(rowBytesFor(width_)),
      bits_(rowBytes_ * static_cast<size_t>(height_), 0) {}

Result<MonoBitmap> MonoBitmap::fromColours(int width, int height,
                                           std::span<const uint32_t> pixels) {
    if (width < 0 || height < 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return Result<MonoBitmap>::failure("picture pixel count does not match its size");
    }
    MonoBitmap bitmap(width, height);
    // Stored row i is picture row h - 1 - i (bottom row first). Bits are packed most significant
    // first; the padding up to the row size stays 0.
    for (int i = 0; i < height; ++i) {
        const uint32_t* source = pixels.data() + static_cast<size_t>(height - 1 - i) * width;
        uint8_t* row = bitmap.bits_.data() + static_cast<size_t>(i) * bitmap.rowBytes_;
        for (int j = 0; j < width; ++j) {
            if (isLightPixel(source[j])) {
                row[j >> 3] |= static_cast<uint8_t>(0x80u >> (j & 7));
            }
        }
    }
    return bitmap;
}

uint32_t MonoBitmap::storedImageSize(const BitmapDescription& description) {
    return getLE32(description.data() + 20);
}

Result<MonoBitmap> MonoBitmap::fromStored(const BitmapDescription& description,
                                          std::span<const uint8_t> bits) {
    const auto width = static_cast<int32_t>(getLE32(description.data() + 4));
    const auto height = static_cast<int32_t>(getLE32(description.data() + 8));
    const uint16_t planes = getLE16(description.data() + 12);
    const uint16_t bitCount = getLE16(description.data() + 14);
    const uint32_t compression = getLE32(description.data() + 16);
    if (!pictureSizeAllowed(width, height) || planes != 1 || bitCount != 1 || compression != 0) {
        return Result<MonoBitmap>::failure("picture description is damaged");
    }
    MonoBitmap bitmap(width, height);
    if (storedImageSize(description) != bitmap.imageSize() || bits.size() != bitmap.imageSize()) {
        return Result<MonoBitmap>::failure(
            "picture image size does not match its width and height");
    }
    bitmap.bits_.assign(bits.begin(), bits.end());
    return bitmap;
}

bool MonoBitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return false;
    }
    const size_t row = static_cast<size_t>(height_ - 1 - y) * rowBytes_;
    return (bits_[row + (x >> 3)] & (0x80u >> (x & 7))) != 0;
}

void MonoBitmap::setPixel(int x, int y, bool light) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    uint8_t& byte = bits_[static_cast<size_t>(height_ - 1 - y) * rowBytes_ + (x >> 3)];
    const auto mask = static_cast<uint8_t>(0x80u >> (x & 7));
    byte = light ? static_cast<uint8_t>(byte | mask) : static_cast<uint8_t>(byte & ~mask);
}

BitmapDescription MonoBitmap::description() const {
    BitmapDescription d{};
    putLE32(d.data() + 0, kHeaderSize);
    putLE32(d.data() + 4, static_cast<uint32_t>(width_));
    putLE32(d.data() + 8, static_cast<uint32_t>(height_));
    putLE16(d.data() + 12, 1);  // planes
    putLE16(d.data() + 14, 1);  // bits per pixel
    // 16: no compression; 20: image size; 24..39: resolution and colour counts, all 0.
    putLE32(d.data() + 20, static_cast<uint32_t>(bits_.size()));
    // Palette: entry 0 black (0, 0, 0, 0), entry 1 white (255, 255, 255, 0).
    d[44] = 0xFF;
    d[45] = 0xFF;
    d[46] = 0xFF;
    return d;
}

std::vector<uint8_t> MonoBitmap::toPageFormat() const {
    std::vector<uint8_t> out;
    out.reserve(downloadSize());
    appendPageFormat(out);
    return out;
}

void MonoBitmap::appendPageFormat(std::vector<uint8_t>& out) const {
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(bands()) * width_, 0);
    uint8_t* page = out.data() + start;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* row = bits_.data() + static_cast<size_t>(height_ - 1 - y) * rowBytes_;
        uint8_t* band = page + static_cast<size_t>(y >> 3) * width_;
        const auto bit = static_cast<uint8_t>(1u << (y & 7));
        for (int x = 0; x < width_; ++x) {
            if (row[x >> 3] & (0x80u >> (x & 7))) {
                band[x] |= bit;
            }
        }
    }
}

}  // namespace vanta
