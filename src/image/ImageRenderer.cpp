#include "image/ImageRenderer.h"

#include "image/ImagePainter.h"
#include "model/ComponentKinds.h"
#include "model/Geometry.h"

namespace vanta {

MonoBitmap renderScreen(std::span<const uint8_t> image, const DecodedScreen& screen) {
    ImagePainter painter(image);
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
