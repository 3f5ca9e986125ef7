#pragma once
// Pixel drawing onto a 192 x 64 one-bit display picture (1 = light pixel), from the bitmaps of a
// panel image: page-format glyphs and pictures, texts of decoded glyph codes, filled and framed
// rectangles, lines. Every drawing is clipped to the display and every bitmap read is checked
// against the image, so a damaged image never reads past its end.
//
// The image renderer draws a screen as compiled with it; the emulator draws the live screen.

#include <cstdint>
#include <span>

#include "common/FontTables.h"
#include "image/ImageDecoder.h"
#include "model/MonoBitmap.h"

namespace vanta {

class ImagePainter {
  public:
    explicit ImagePainter(std::span<const uint8_t> image);

    MonoBitmap take() { return std::move(screen_); }
    const MonoBitmap& screen() const { return screen_; }

    void pixel(int x, int y, bool light) { screen_.setPixel(x, y, light); }
    void fill(int x, int y, int width, int height, bool light);
    void frame(int x, int y, int width, int height, bool light);
    // A one-pixel line between two points (both ends included).
    void line(int x0, int y0, int x1, int y1, bool light);
    // Every pixel of the area turned to its opposite.
    void invert(int x, int y, int width, int height);

    // A page-format bitmap of the image (bands of 8 rows, one byte per column) at (x, y), each
    // pixel `scale` x `scale`; `invert` swaps light and dark. Nothing when the bitmap is not
    // wholly inside the image.
    void bitmap(size_t offset, int width, int height, int x, int y, int scale, bool invert);
    // A decoded text on its character cells: the cells filled with the background (dark, or
    // light when inverse), then the glyphs of the image; double size doubles both directions.
    void text(const DecodedText& text, int x, int y, bool inverse, bool doubled);
    // A 16 x 16 glyph of the image's 16 x 16 table.
    void glyph16(const GlyphUse& glyph, int x, int y, int scale, bool invert);
    // An 8 x 16 glyph in row format (one byte per row, top row first, leftmost pixel in the most
    // significant bit), drawn with its background.
    void rowGlyph(const NarrowGlyph& glyph, int x, int y, int scale, bool inverse);

  private:
    // A scale x scale block for the unscaled pixel (x, y) from the origin.
    void put(int originX, int originY, int x, int y, int scale, bool light);

    std::span<const uint8_t> image_;
    MonoBitmap screen_;
};

}  // namespace vanta
