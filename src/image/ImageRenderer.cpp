#include "image/ImageRenderer.h"

#include <algorithm>

#include "model/ComponentKinds.h"
#include "model/Geometry.h"

namespace vanta {

namespace {

class Painter {
  public:
    Painter(std::span<const uint8_t> image) : image_(image), screen_(kPanelWidth, kPanelHeight) {}

    MonoBitmap take() { return std::move(screen_); }

    // A scale x scale block of pixels for the unscaled pixel (x, y) from the origin.
    void put(int originX, int originY, int x, int y, int scale, bool light) {
        for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx)
                screen_.setPixel(originX + x * scale + dx, originY + y * scale + dy, light);
    }

    void fill(int x, int y, int width, int height, bool light) {
        const int left = std::max(x, 0), top = std::max(y, 0);
        const int right = std::min(x + width, kPanelWidth);
        const int bottom = std::min(y + height, kPanelHeight);
        for (int py = top; py < bottom; ++py)
            for (int px = left; px < right; ++px)
                screen_.setPixel(px, py, light);
    }

    void frame(int x, int y, int width, int height, bool light) {
        if (width <= 0 || height <= 0)
            return;
        fill(x, y, width, 1, light);
        fill(x, y + height - 1, width, 1, light);
        fill(x, y, 1, height, light);
        fill(x + width - 1, y, 1, height, light);
    }

    // A page-format bitmap (bands of 8 rows, one byte per column) at (x, y); `invert` swaps
    // light and dark. Nothing when the bitmap is not wholly inside the image.
    void bitmap(size_t offset, int width, int height, int x, int y, int scale, bool invert) {
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

    void text(const DecodedText& text, int x, int y, bool inverse, bool doubled) {
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

    void glyph16(const GlyphUse& g, int x, int y, int scale, bool invert) {
        if (g.resolved)
            bitmap(g.bitmapOffset, 16, 16, x, y, scale, invert);
    }

  private:
    std::span<const uint8_t> image_;
    MonoBitmap screen_;
};

}  // namespace

MonoBitmap renderScreen(std::span<const uint8_t> image, const DecodedScreen& screen) {
    Painter painter(image);
    for (const DecodedComponent& c : screen.components) {
        if (!c.recordComplete)
            continue;
        const int scale = c.doubleSize() ? 2 : 1;
        switch (c.kind) {
            case kKindChars:
            case kKindDynamic:  // its first entry
                painter.text(c.text, c.x, c.y, c.inverse(), c.doubleSize());
                break;
            case kKindRegister: {  // the outline of its cells
                const int width = c.cells * kCellWidth * scale, height = kCellHeight * scale;
                painter.fill(c.x, c.y, width, height, c.inverse());
                painter.frame(c.x, c.y, width, height, !c.inverse());
                break;
            }
            case kKindLight:
                for (const GlyphUse& g : c.symbols)
                    painter.glyph16(g, c.x, c.y, scale, false);
                break;
            case kKindFunction:  // hand, then key
                if (c.invisible)
                    break;
                for (size_t k = 0; k < c.symbols.size(); ++k)
                    painter.glyph16(c.symbols[k], c.x + static_cast<int>(k) * 16 * scale, c.y,
                                    scale, c.inverse());
                break;
            case kKindPicture:
                if (c.bitmapResolved)
                    painter.bitmap(c.bitmapOffset, c.width, c.height, c.x, c.y, 1, false);
                break;
            case kKindBar:
            case kKindTide:
                painter.frame(c.x, c.y, c.width, c.height, true);
                break;
            default:
                break;
        }
    }
    return painter.take();
}

std::vector<const DecodedScreen*> screensToRender(const DecodedImage& decoded) {
    std::vector<bool> seen(0x10000, false);
    std::vector<const DecodedScreen*> screens;
    screens.reserve(decoded.screens.size());
    for (const DecodedScreen& screen : decoded.screens) {
        if (seen[screen.number])
            continue;
        seen[screen.number] = true;
        screens.push_back(&screen);
    }
    return screens;
}

}  // namespace vanta
