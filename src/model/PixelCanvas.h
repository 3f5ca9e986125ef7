#pragma once
// A Canvas on an RGB pixel buffer, for tests, benchmarks and tools. Every operation is clipped
// to the buffer. Text in a named font is recorded (box, text, font, colours), not rasterised;
// everything else is rasterised and, when recording is on, also recorded.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Canvas.h"

namespace vanta {

class PixelCanvas : public Canvas {
  public:
    enum class OpKind : uint8_t { Fill, Frame, Line, Pixel, MonoBitmap, ColorBitmap, Text };
    struct Op {
        OpKind kind = OpKind::Fill;
        Rect rect;      // fill, frame, bitmaps, text box; a line's end points as (x0, y0, x1, y1)
        Color color{};  // fill, frame, line, pixel, text; a mono bitmap's `one`
        Color other{};  // a mono bitmap's `zero`, the text background
        int width = 1;  // line width
        PenStyle style = PenStyle::Solid;
        std::string text;
        Font font;
        uint32_t flags = 0;
    };

    PixelCanvas(int32_t width = kDisplayWidth, int32_t height = kDisplayHeight,
                Color background = {});

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // The pixel at (x, y); black outside the buffer.
    Color pixel(int32_t x, int32_t y) const;
    // All pixels, rows top first, each 0x00RRGGBB.
    const std::vector<uint32_t>& pixels() const { return pixels_; }
    static uint32_t packed(Color c) { return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; }
    static Color unpacked(uint32_t v) {
        return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                static_cast<uint8_t>(v)};
    }
    void clear(Color color);

    // Recording of operations (off by default; texts are always recorded).
    void setRecording(bool on) { recording_ = on; }
    const std::vector<Op>& ops() const { return ops_; }
    std::vector<Op> texts() const;
    void clearOps() { ops_.clear(); }

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
    void put(int32_t x, int32_t y, uint32_t color) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[static_cast<size_t>(y) * width_ + x] = color;
    }
    Rect clipped(const Rect& rect) const;

    int32_t width_;
    int32_t height_;
    std::vector<uint32_t> pixels_;
    bool recording_ = false;
    std::vector<Op> ops_;
};

}  // namespace vanta
