#include "qtsupport/QtCanvas.h"

#include <QFont>
#include <QHash>
#include <QPaintDevice>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vanta {

namespace {

QColor toQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

QRgb toRgb(Color c) {
    return qRgb(c.r, c.g, c.b);
}

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

// Fonts are made once per family and size: building a QFont and resolving its family is far
// slower than drawing with it.
const QFont& cachedFont(const Font& font) {
    static QHash<QString, QFont> cache;
    const QString key =
        QString::fromStdString(font.family) + QLatin1Char('/') + QString::number(font.pointTenths);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QFont made(QString::fromStdString(font.family));
        made.setPixelSize(std::max(1, QtCanvas::pixelSize(font.pointTenths)));
        made.setStyleStrategy(QFont::NoAntialias);
        it = cache.insert(key, made);
    }
    return *it;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter) {
    if (QPaintDevice* device = painter.device()) {
        const QRect deviceRect(0, 0, device->width(), device->height());
        bool invertible = false;
        const QTransform inverse = painter.transform().inverted(&invertible);
        if (invertible)
            bounds_ = inverse.mapRect(deviceRect);
    }
}

int QtCanvas::pixelSize(int pointTenths) {
    // tenths of a point x 96 dots per inch / 720 tenths of a point per inch, rounded
    return (std::abs(pointTenths) * 96 + 360) / 720;
}

QRect QtCanvas::reachable(const Rect& dest) const {
    const QRect whole = toQRect(dest);
    return bounds_.isEmpty() ? whole : whole.intersected(bounds_);
}

void QtCanvas::fillRect(const Rect& rect, Color color) {
    if (rect.isEmpty())
        return;
    painter_.fillRect(toQRect(rect), toQColor(color));
}

void QtCanvas::frameRect(const Rect& rect, Color color) {
    if (rect.isEmpty())
        return;
    const QColor c = toQColor(color);
    const int w = rect.width(), h = rect.height();
    painter_.fillRect(QRect(rect.left, rect.top, w, 1), c);
    painter_.fillRect(QRect(rect.left, rect.bottom - 1, w, 1), c);
    painter_.fillRect(QRect(rect.left, rect.top, 1, h), c);
    painter_.fillRect(QRect(rect.right - 1, rect.top, 1, h), c);
}

void QtCanvas::drawLine(Point from, Point to, Color color, int width, PenStyle style) {
    const QColor c = toQColor(color);
    const int w = std::max(width, 1);
    const int lo = -(w - 1) / 2;
    if (style == PenStyle::Solid && (from.x == to.x || from.y == to.y)) {
        // A straight solid line is one rectangle: from `from` up to, not including, `to`.
        if (from == to)
            return;
        const int32_t x0 = std::min(from.x, to.x), x1 = std::max(from.x, to.x);
        const int32_t y0 = std::min(from.y, to.y), y1 = std::max(from.y, to.y);
        // The excluded end is `to`: a line drawn backwards keeps `from` and drops `to`.
        const int32_t left = from.x <= to.x ? x0 : x0 + 1;
        const int32_t right = from.x <= to.x ? x1 - 1 : x1;
        const int32_t top = from.y <= to.y ? y0 : y0 + 1;
        const int32_t bottom = from.y <= to.y ? y1 - 1 : y1;
        const bool horizontal = from.y == to.y;
        const QRect span = horizontal ? QRect(left + lo, from.y + lo, right - left + w, w)
                                      : QRect(from.x + lo, top + lo, w, bottom - top + w);
        painter_.fillRect(span, c);
        return;
    }
    // Bresenham, the end point excluded; a dotted pen sets every other pixel.
    int32_t x = from.x, y = from.y;
    const int32_t dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int32_t sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int64_t err = static_cast<int64_t>(dx) + dy;
    for (int64_t step = 0; !(x == to.x && y == to.y); ++step) {
        if (style == PenStyle::Solid || step % 2 == 0)
            painter_.fillRect(QRect(x + lo, y + lo, w, w), c);
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

void QtCanvas::setPixel(Point at, Color color) {
    painter_.fillRect(QRect(at.x, at.y, 1, 1), toQColor(color));
}

template <typename PixelAt>
void QtCanvas::drawScaled(const Rect& dest, int width, int height, PixelAt pixel) {
    const QRectF target = painter_.transform().mapRect(QRectF(toQRect(dest)));
    if (target.width() <= 0 || target.height() <= 0)
        return;
    // Device pixels whose centres lie in the target.
    QRect area(QPoint(qRound(target.left()), qRound(target.top())),
               QPoint(qRound(target.right()) - 1, qRound(target.bottom()) - 1));
    if (const QPaintDevice* device = painter_.device())
        area &= QRect(0, 0, device->width(), device->height());
    if (area.isEmpty())
        return;
    QImage image(area.size(), QImage::Format_RGB32);
    std::vector<int> sourceX(static_cast<size_t>(area.width()));
    for (int i = 0; i < area.width(); ++i) {
        const double at = (area.left() + i + 0.5 - target.left()) / target.width() * width;
        sourceX[static_cast<size_t>(i)] = std::clamp(static_cast<int>(at), 0, width - 1);
    }
    for (int j = 0; j < area.height(); ++j) {
        const double at = (area.top() + j + 0.5 - target.top()) / target.height() * height;
        const int sy = std::clamp(static_cast<int>(at), 0, height - 1);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(j));
        for (int i = 0; i < area.width(); ++i)
            out[i] = pixel(sourceX[static_cast<size_t>(i)], sy);
    }
    painter_.save();
    painter_.setWorldTransform(QTransform());
    painter_.drawImage(area.topLeft(), image);
    painter_.restore();
}

void QtCanvas::drawMonoBitmap(const Rect& dest, const MonoBitmap& bitmap, Color one, Color zero) {
    if (dest.isEmpty() || bitmap.width() == 0 || bitmap.height() == 0)
        return;
    if (painter_.transform().isScaling()) {
        const QRgb on = toRgb(one), off = toRgb(zero);
        const std::vector<uint8_t>& bits = bitmap.bits();
        const int bh = bitmap.height();
        const size_t rowBytes = bitmap.rowBytes();
        drawScaled(dest, bitmap.width(), bh, [&](int x, int y) {
            // The bitmap keeps its rows bottom first.
            const uint8_t* row = bits.data() + static_cast<size_t>(bh - 1 - y) * rowBytes;
            return (row[x >> 3] >> (7 - (x & 7))) & 1 ? on : off;
        });
        return;
    }
    const QRect area = reachable(dest);
    if (area.isEmpty())
        return;
    const int64_t dw = dest.width(), dh = dest.height();
    const int bw = bitmap.width(), bh = bitmap.height();
    if (scratch_.width() < area.width() || scratch_.height() < area.height())
        scratch_ = QImage(std::max(area.width(), scratch_.width()),
                          std::max(area.height(), scratch_.height()), QImage::Format_RGB32);
    // Source column of every destination column, and one source row unpacked at a time.
    std::vector<int32_t> sourceX(static_cast<size_t>(area.width()));
    for (int i = 0; i < area.width(); ++i)
        sourceX[i] = static_cast<int32_t>((area.left() + i - dest.left) * int64_t{bw} / dw);
    std::vector<QRgb> row(static_cast<size_t>(bw));
    const QRgb on = toRgb(one), off = toRgb(zero);
    const std::vector<uint8_t>& bits = bitmap.bits();
    int32_t rowY = -1;
    for (int j = 0; j < area.height(); ++j) {
        const int32_t y = area.top() + j;
        const auto sy = static_cast<int32_t>((y - dest.top) * int64_t{bh} / dh);
        auto* out = reinterpret_cast<QRgb*>(scratch_.scanLine(j));
        if (sy == rowY && j > 0) {
            std::copy_n(reinterpret_cast<const QRgb*>(scratch_.constScanLine(j - 1)), area.width(),
                        out);
            continue;
        }
        rowY = sy;
        // The bitmap keeps its rows bottom first.
        const uint8_t* source = bits.data() + static_cast<size_t>(bh - 1 - sy) * bitmap.rowBytes();
        for (int x = 0; x < bw; ++x)
            row[x] = (source[x >> 3] >> (7 - (x & 7))) & 1 ? on : off;
        for (int i = 0; i < area.width(); ++i)
            out[i] = row[sourceX[i]];
    }
    painter_.drawImage(area.topLeft(), scratch_, QRect(0, 0, area.width(), area.height()));
}

void QtCanvas::drawColorBitmap(const Rect& dest, const ColorBitmap& bitmap) {
    if (dest.isEmpty() || bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() < static_cast<size_t>(bitmap.width) * bitmap.height)
        return;
    if (painter_.transform().isScaling()) {
        drawScaled(dest, bitmap.width, bitmap.height, [&](int x, int y) {
            return toRgb(bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x]);
        });
        return;
    }
    const QRect area = reachable(dest);
    if (area.isEmpty())
        return;
    const int64_t dw = dest.width(), dh = dest.height();
    if (scratch_.width() < area.width() || scratch_.height() < area.height())
        scratch_ = QImage(std::max(area.width(), scratch_.width()),
                          std::max(area.height(), scratch_.height()), QImage::Format_RGB32);
    for (int j = 0; j < area.height(); ++j) {
        const int64_t sy = (area.top() + j - dest.top) * int64_t{bitmap.height} / dh;
        auto* out = reinterpret_cast<QRgb*>(scratch_.scanLine(j));
        for (int i = 0; i < area.width(); ++i) {
            const int64_t sx = (area.left() + i - dest.left) * int64_t{bitmap.width} / dw;
            out[i] = toRgb(bitmap.pixels[static_cast<size_t>(sy * bitmap.width + sx)]);
        }
    }
    painter_.drawImage(area.topLeft(), scratch_, QRect(0, 0, area.width(), area.height()));
}

void QtCanvas::drawText(const Rect& box, const std::string& utf8, const Font& font, Color text,
                        Color background, uint32_t flags) {
    if (box.isEmpty())
        return;
    const QRect r = toQRect(box);
    painter_.fillRect(r, toQColor(background));
    int alignment = Qt::AlignTop;
    alignment |= (flags & TextCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
    if (flags & TextWordBreak)
        alignment |= Qt::TextWordWrap;
    painter_.save();
    painter_.setClipRect(r, Qt::IntersectClip);
    painter_.setFont(cachedFont(font));
    painter_.setPen(toQColor(text));
    painter_.drawText(r, alignment,
                      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    painter_.restore();
}

}  // namespace vanta
