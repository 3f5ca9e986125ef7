#pragma once
// The drawing surface of the model. Components draw the simulated display on it in display
// coordinates (0, 0)-(432, 144), screen pixels. The gui implements it with QPainter; PixelCanvas
// implements it on a pixel buffer for tests, benchmarks and tools.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Geometry.h"
#include "model/MonoBitmap.h"

namespace vanta {

struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

constexpr Color rgb(uint8_t r, uint8_t g, uint8_t b) {
    return Color{r, g, b};
}

// Colours of the simulated display and of the editor's frames.
inline constexpr Color kDisplayDark = rgb(64, 64, 64);
inline constexpr Color kDisplayLight = rgb(255, 255, 255);
inline constexpr Color kDottedFrameColor = rgb(192, 192, 192);

// A colour bitmap: rows top first, one Color per pixel.
struct ColorBitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Color> pixels;  // width x height

    ColorBitmap() = default;
    ColorBitmap(int32_t w, int32_t h, Color fill = {})
        : width(w > 0 ? w : 0),
          height(h > 0 ? h : 0),
          pixels(static_cast<size_t>(width) * height, fill) {}
    Color at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A font by family name and size in tenths of a point ("Arial", 250 = 25 points); the canvas
// scales points for its device.
struct Font {
    std::string family;
    int pointTenths = 0;
};

enum class PenStyle : uint8_t { Solid, Dotted };

// Text layout flags of drawText.
enum TextFlags : uint32_t {
    TextLeft = 0,
    TextWordBreak = 1u << 0,  // break lines between words to fit the box
    TextCenter = 1u << 1,     // centre horizontally in the box
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Fills the rectangle (right and bottom outside).
    virtual void fillRect(const Rect& rect, Color color) = 0;
    // A one-pixel outline just inside the rectangle.
    virtual void frameRect(const Rect& rect, Color color) = 0;
    // A line from `from` up to but excluding `to`, with a pen of the given width and style.
    virtual void drawLine(Point from, Point to, Color color, int width = 1,
                          PenStyle style = PenStyle::Solid) = 0;
    virtual void setPixel(Point at, Color color) = 0;
    // Stretches the whole bitmap onto the destination with a plain copy (nearest pixel): set bits
    // in `one`, clear bits in `zero`.
    virtual void drawMonoBitmap(const Rect& dest, const MonoBitmap& bitmap, Color one,
                                Color zero) = 0;
    // Stretches the whole bitmap onto the destination with a plain copy.
    virtual void drawColorBitmap(const Rect& dest, const ColorBitmap& bitmap) = 0;
    // Text (UTF-8) in the named font inside the box, text colour on an opaque background.
    virtual void drawText(const Rect& box, const std::string& utf8, const Font& font, Color text,
                          Color background, uint32_t flags = TextLeft) = 0;
};

}  // namespace vanta
