#pragma once
// The one-bit bitmap of a picture component: the pixel rows as the project file stores them
// (bottom row first, each row padded to a multiple of 32 bits, leftmost pixel in the most
// significant bit, 1 = light pixel), the 48-byte description that precedes them in the file, the
// conversion from a loaded colour picture and the panel's page format.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/Result.h"

namespace vanta {

// Largest picture the editor accepts (wider than the display on purpose: 196, not 192).
inline constexpr int kPictureMaxWidth = 196;
inline constexpr int kPictureMaxHeight = 64;

// 40-byte bitmap header followed by two 4-byte palette entries (black, white).
inline constexpr size_t kBitmapDescriptionBytes = 48;
using BitmapDescription = std::array<uint8_t, kBitmapDescriptionBytes>;

// True when a loaded picture of this size may become a picture component (1..196 x 1..64).
bool pictureSizeAllowed(int width, int height);

// A light pixel: the average of red, green and blue (integer average) is above 128.
inline bool isLightPixel(uint32_t rgb) {
    const unsigned sum = ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF);
    return sum / 3 > 128;
}

class MonoBitmap {
  public:
    MonoBitmap() = default;
    // A bitmap of this size with every pixel dark. Sizes below 0 count as 0.
    MonoBitmap(int width, int height);

    // Converts a loaded colour picture: `pixels` holds width x height colours 0xRRGGBB, top row
    // first, left to right. Fails when the count does not match the size.
    static Result<MonoBitmap> fromColours(int width, int height, std::span<const uint32_t> pixels);

    // Rebuilds a bitmap from a stored description and its pixel rows. The description must give
    // a positive width and height within the picture limits, one plane, one bit per pixel, no
    // compression and an image size that equals the row size times the height; `bits` must hold
    // exactly that many bytes.
    static Result<MonoBitmap> fromStored(const BitmapDescription& description,
                                         std::span<const uint8_t> bits);
    // The image size that a stored description announces (its 32-bit field at offset 20).
    static uint32_t storedImageSize(const BitmapDescription& description);

    int width() const { return width_; }
    int height() const { return height_; }
    // Bytes of one stored row: ((width + 31) / 32) x 4.
    size_t rowBytes() const { return rowBytes_; }
    // Bytes of all rows.
    size_t imageSize() const { return bits_.size(); }

    // Pixel access with y counted from the top row. Outside the bitmap: dark, ignored.
    bool pixel(int x, int y) const;
    void setPixel(int x, int y, bool light);

    // The stored rows, bottom row first.
    const std::vector<uint8_t>& bits() const { return bits_; }
    BitmapDescription description() const;

    // Page format: bands of 8 rows from the top, one byte per column, bit k = row k of the band.
    int bands() const { return height_ > 0 ? (height_ - 1) / 8 + 1 : 0; }
    // bands x width.
    uint16_t downloadSize() const { return static_cast<uint16_t>(bands() * width_); }
    std::vector<uint8_t> toPageFormat() const;
    // Appends the page-format bytes to `out`.
    void appendPageFormat(std::vector<uint8_t>& out) const;

    bool operator==(const MonoBitmap&) const = default;

  private:
    int width_ = 0;
    int height_ = 0;
    size_t rowBytes_ = 0;
    std::vector<uint8_t> bits_;
};

}  // namespace vanta
