#include "image/ImagePainter.h"

#include <algorithm>
#include <cstdlib>

#include "model/Geometry.h"

namespace vanta {

ImagePainter::ImagePainter(std::span<const uint8_t> image)
    : image_(image), screen_(kPanelWidth, kPanelHeight) {}

void ImagePainter::put(int originX, int originY, int x, int y, int scale, bool light) {
    for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
            screen_.setPixel(originX + x * scale + dx, originY + y * scale + dy, light);
}

void ImagePainter::fill(int x, int y, int width, int height, bool light) {
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, kPanelWidth);
    const int bottom = std::min(y + height, kPanelHeight);
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px)
            screen_.setPixel(px, py, light);
}

void ImagePainter::frame(int x, int y, int width, int height, bool light) {
    if (width <= 0 || height <= 0)
        return;
    fill(x, y, width, 1, light);
    fill(x, y + height - 1, width, 1, light);
    fill(x, y, 1, height, light);
    fill(x + width - 1, y, 1, height, light);
}

void ImagePainter::line(int x0, int y0, int x1, int y1, bool light) {
    // Bresenham over the whole segment; setPixel ignores what lies outside.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        screen_.setPixel(x0, y0, light);
        if (x0 == x1 && y0 == y1)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void ImagePainter::invert(int x, int y, int width, int height) {
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, kPanelWidth);
    const int bottom = std::min(y + height, kPanelHeight);
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px)
            screen_.setPixel(px, py, !screen_.pixel(px, py));
}

void ImagePainter::bitmap(size_t offset, int width, int height, int x, int y, int scale,
                          bool invert) {
    if (width <= 0 || height <= 0)
        return;
    const size_t bytes = static_cast<size_t>((height + 7) / 8) * static_cast<size_t>(width);
    if (offset > image_.size() || bytes > image_.size() - offset)
        return;
    for (int row = 0; row < height; ++row) {
        if (y + row * scale >= kPanelHeight)
            break;
        for (int column = 0; column < width; ++column) {
            if (x + column * scale >= kPanelWidth)
                break;
            const uint8_t band = image_[offset + static_cast<size_t>(row / 8) * width + column];
            const bool set = (band >> (row % 8)) & 1;
            put(x, y, column, row, scale, set != invert);
        }
    }
}

void ImagePainter::text(const DecodedText& text, int x, int y, bool inverse, bool doubled) {
    const int scale = doubled ? 2 : 1;
    fill(x, y, text.naturalWidth() * scale, kCellHeight * scale, inverse);
    int pen = x;
    for (const GlyphUse& g : text.glyphs) {
        if (pen >= kPanelWidth)
            break;
        const int width = g.wide ? 16 : 8;
        if (g.resolved)
            bitmap(g.bitmapOffset, width, kCellHeight, pen, y, scale, inverse);
        pen += width * scale;
    }
}

void ImagePainter::glyph16(const GlyphUse& glyph, int x, int y, int scale, bool invert) {
    if (glyph.resolved)
        bitmap(glyph.bitmapOffset, 16, 16, x, y, scale, invert);
}

void ImagePainter::rowGlyph(const NarrowGlyph& glyph, int x, int y, int scale, bool inverse) {
    for (int row = 0; row < kCellHeight; ++row) {
        for (int column = 0; column < kCellWidth; ++column) {
            const bool set = (glyph[row] >> (7 - column)) & 1;
            put(x, y, column, row, scale, set != inverse);
        }
    }
}

}  // namespace vanta
