#include "model/PixelCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace vanta {

namespace {
PixelCanvas::Op makeOp(PixelCanvas::OpKind kind, const Rect& rect, Color color, Color other = {}) {
    PixelCanvas::Op op;
    op.kind = kind;
    op.rect = rect;
    op.color = color;
    op.other = other;
    return op;
}
}  // namespace

PixelCanvas::PixelCanvas(int32_t width, int32_t height, Color background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, packed(background)) {}

Color PixelCanvas::pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return {};
    return unpacked(pixels_[static_cast<size_t>(y) * width_ + x]);
}

void PixelCanvas::clear(Color color) {
    std::fill(pixels_.begin(), pixels_.end(), packed(color));
}

std::vector<PixelCanvas::Op> PixelCanvas::texts() const {
    std::vector<Op> out;
    for (const Op& op : ops_)
        if (op.kind == OpKind::Text)
            out.push_back(op);
    return out;
}

Rect PixelCanvas::clipped(const Rect& rect) const {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width_),
            std::min(rect.bottom, height_)};
}

void PixelCanvas::fillRect(const Rect& rect, Color color) {
    if (recording_)
        ops_.push_back(makeOp(OpKind::Fill, rect, color, {}));
    const Rect c = clipped(rect);
    for (int32_t y = c.top; y < c.bottom; ++y)
        std::fill_n(pixels_.begin() + static_cast<ptrdiff_t>(y) * width_ + c.left,
                    std::max(c.right - c.left, 0), packed(color));
}

void PixelCanvas::frameRect(const Rect& rect, Color color) {
    if (recording_)
        ops_.push_back(makeOp(OpKind::Frame, rect, color, {}));
    if (rect.isEmpty())
        return;
    const uint32_t v = packed(color);
    for (int32_t x = rect.left; x < rect.right; ++x) {
        put(x, rect.top, v);
        put(x, rect.bottom - 1, v);
    }
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        put(rect.left, y, v);
        put(rect.right - 1, y, v);
    }
}

void PixelCanvas::drawLine(Point from, Point to, Color color, int width, PenStyle style) {
    if (recording_) {
        Op op = makeOp(OpKind::Line, {from.x, from.y, to.x, to.y}, color);
        op.width = width;
        op.style = style;
        ops_.push_back(std::move(op));
    }
    const uint32_t v = packed(color);
    const int w = std::max(width, 1);
    const int lo = -(w - 1) / 2;
    const int hi = lo + w;
    // Bresenham, the end point excluded.
    int32_t x = from.x, y = from.y;
    const int32_t dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int32_t sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int64_t err = static_cast<int64_t>(dx) + dy;
    for (int64_t step = 0; !(x == to.x && y == to.y); ++step) {
        if (style == PenStyle::Solid || step % 2 == 0) {
            for (int oy = lo; oy < hi; ++oy)
                for (int ox = lo; ox < hi; ++ox)
                    put(x + ox, y + oy, v);
        }
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void PixelCanvas::setPixel(Point at, Color color) {
    if (recording_)
        ops_.push_back(makeOp(OpKind::Pixel, {at.x, at.y, at.x + 1, at.y + 1}, color, {}));
    put(at.x, at.y, packed(color));
}

void PixelCanvas::drawMonoBitmap(const Rect& dest, const MonoBitmap& bitmap, Color one,
                                 Color zero) {
    if (recording_)
        ops_.push_back(makeOp(OpKind::MonoBitmap, dest, one, zero));
    if (dest.isEmpty() || bitmap.width() == 0 || bitmap.height() == 0)
        return;
    const Rect c = clipped(dest);
    if (c.isEmpty())
        return;
    const int64_t dw = dest.width(), dh = dest.height();
    const size_t spanWidth = static_cast<size_t>(c.right - c.left);
    // Source column of every destination column.
    std::vector<int32_t> sourceX(spanWidth);
    for (size_t i = 0; i < spanWidth; ++i)
        sourceX[i] = static_cast<int32_t>((c.left + static_cast<int64_t>(i) - dest.left) *
                                          bitmap.width() / dw);
    // The bitmap keeps its rows bottom first.
    const uint32_t on = packed(one), off = packed(zero);
    const std::vector<uint8_t>& bits = bitmap.bits();
    std::vector<uint32_t> row(static_cast<size_t>(bitmap.width()));
    int32_t rowY = -1;
    for (int32_t y = c.top; y < c.bottom; ++y) {
        const auto sy =
            static_cast<int32_t>((y - dest.top) * static_cast<int64_t>(bitmap.height()) / dh);
        uint32_t* out = pixels_.data() + static_cast<size_t>(y) * width_ + c.left;
        if (sy == rowY) {  // the same source row as the line above: copy it
            std::copy_n(out - width_, spanWidth, out);
            continue;
        }
        rowY = sy;
        const uint8_t* source =
            bits.data() + static_cast<size_t>(bitmap.height() - 1 - sy) * bitmap.rowBytes();
        for (int32_t x = 0; x < bitmap.width(); ++x)
            row[x] = (source[x >> 3] >> (7 - (x & 7))) & 1 ? on : off;
        for (size_t i = 0; i < spanWidth; ++i)
            out[i] = row[sourceX[i]];
    }
}

void PixelCanvas::drawColorBitmap(const Rect& dest, const ColorBitmap& bitmap) {
    if (recording_)
        ops_.push_back(makeOp(OpKind::ColorBitmap, dest, {}, {}));
    if (dest.isEmpty() || bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() < static_cast<size_t>(bitmap.width) * bitmap.height)
        return;
    const Rect c = clipped(dest);
    const int64_t dw = dest.width(), dh = dest.height();
    for (int32_t y = c.top; y < c.bottom; ++y) {
        const int64_t sy = (y - dest.top) * static_cast<int64_t>(bitmap.height) / dh;
        for (int32_t x = c.left; x < c.right; ++x) {
            const int64_t sx = (x - dest.left) * static_cast<int64_t>(bitmap.width) / dw;
            pixels_[static_cast<size_t>(y) * width_ + x] =
                packed(bitmap.pixels[static_cast<size_t>(sy * bitmap.width + sx)]);
        }
    }
}

void PixelCanvas::drawText(const Rect& box, const std::string& utf8, const Font& font, Color text,
                           Color background, uint32_t flags) {
    Op op = makeOp(OpKind::Text, box, text, background);
    op.text = utf8;
    op.font = font;
    op.flags = flags;
    ops_.push_back(std::move(op));
}

}  // namespace vanta
