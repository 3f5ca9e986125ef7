#pragma once
// The model's drawing surface on a QPainter: the editor paints the simulated display with it.
// Pixels are set exactly as the pixel canvas sets them (lines end before their end point, a wide
// pen is a square brush, dotted lines set every other pixel, bitmaps are stretched by a plain
// nearest-pixel copy), so the editor shows what the tests and tools compute. Text goes through
// the painter in the named font ("Arial" resolves to a metric-compatible font through
// fontconfig), its size in points scaled at 96 dots per inch.
//
// Under a scaling transform (a zoomed display) bitmaps are stretched straight onto the device's
// pixels, so every pixel of the panel stays a sharp block at any zoom and pixel density.

#include <QImage>
#include <QPainter>

#include "model/Canvas.h"

namespace vanta {

class QtCanvas : public Canvas {
  public:
    // Draws with the painter; coordinates are the painter's (the caller sets any translation).
    explicit QtCanvas(QPainter& painter);

    // Pixel height of a font of `pointTenths` tenths of a point at 96 dots per inch.
    static int pixelSize(int pointTenths);

    void fillRect(const Rect& rect, Color color) override;
    void frameRect(const Rect& rect, Color color) override;
    void drawLine(Point from, Point to, Color color, int width = 1,
                  PenStyle style = PenStyle::Solid) override;
    void setPixel(Point at, Color color) override;
    void drawMonoBitmap(const Rect& dest, const MonoBitmap& bitmap, Color one, Color zero) override;
    void drawColorBitmap(const Rect& dest, const ColorBitmap& bitmap) override;
    void drawText(const Rect& box, const std::string& utf8, const Font& font, Color text,
                  Color background, uint32_t flags = TextLeft) override;

  private:
    // Stretches a bitmap of `width` x `height` (pixel (x, y) given by `pixel`) onto `dest`
    // through the painter's scaling transform, in device pixels.
    template <typename PixelAt>
    void drawScaled(const Rect& dest, int width, int height, PixelAt pixel);

    // The part of dest that can reach the painter's device (the whole rectangle when the device
    // size is unknown), so a damaged size never allocates a huge scratch picture.
    QRect reachable(const Rect& dest) const;

    QPainter& painter_;
    QRect bounds_;    // the device's rectangle, empty when unknown
    QImage scratch_;  // stretched bitmaps are built here and copied in one operation
};

}  // namespace vanta
