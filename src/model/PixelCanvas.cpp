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
      pixels_(static_cast<size_t>(width_) * height_, background) {}

Color PixelCanvas::pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return {};
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void PixelCanvas::clear(Color color) {
    std::fill(pixels_.begin(), pixels_.end(), color);
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
                    std::max(c.right - c.left, 0), color);
}

void PixelCanvas::frameRect(const Rect& rect, Color color) {
    if (recording_)
        ops_.push_back(makeOp(OpKind::Frame, rect, color, {}));
    if (rect.isEmpty())
        return;
    for (int32_t x = rect.left; x < rect.right; ++x) {
        put(x, rect.top, color);
        put(x, rect.bottom - 1, color);
    }
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        put(rect.left, y, color);
        put(rect.right - 1, y, color);
    }
}

void PixelCanvas::drawLine(Point from, Point to, Color color, int width, PenStyle style) {
    if (recording_) {
        Op op = makeOp(OpKind::Line, {from.x, from.y, to.x, to.y}, color);
        op.width = width;
        op.style = style;
        ops_.push_back(std::move(op));
    }
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
                    put(x + ox, y + oy, color);
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
    put(at.x, at.y, color);
}

void PixelCanvas::drawMonoBitmap(const Rect& dest, const MonoBitmap& bitmap, Color one,
                                 Color zero) {
    if (recording_)
        ops_.push_back(makeOp(OpKind::MonoBitmap, dest, one, zero));
    if (dest.isEmpty() || bitmap.width() == 0 || bitmap.height() == 0)
        return;
    const Rect c = clipped(dest);
    const int64_t dw = dest.width(), dh = dest.height();
    std::vector<int32_t> sourceX(static_cast<size_t>(std::max(c.right - c.left, 0)));
    for (int32_t x = c.left; x < c.right; ++x)
        sourceX[x - c.left] =
            static_cast<int32_t>((x - dest.left) * static_cast<int64_t>(bitmap.width()) / dw);
    for (int32_t y = c.top; y < c.bottom; ++y) {
        const auto sy =
            static_cast<int32_t>((y - dest.top) * static_cast<int64_t>(bitmap.height()) / dh);
        Color* out = pixels_.data() + static_cast<size_t>(y) * width_;
        for (int32_t x = c.left; x < c.right; ++x)
            out[x] = bitmap.pixel(sourceX[x - c.left], sy) ? one : zero;
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
                bitmap.pixels[static_cast<size_t>(sy * bitmap.width + sx)];
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
