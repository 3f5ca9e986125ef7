#pragma once
// Small drawing helpers shared by the component kinds and the editor view.

#include <cstdint>

#include "common/FontTables.h"
#include "model/Canvas.h"
#include "model/MonoBitmap.h"

namespace vanta {

// Dotted outline, width 1, RGB(192, 192, 192): (left, top) -> (right, top) -> (right, bottom)
// -> (left, bottom) -> (left, top). The editor's selection frame.
void DrawDottedFrame(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom);

// Solid outline, width 1, RGB(64, 64, 64), through (left, top), (right - 1, top),
// (right - 1, bottom - 1), (left, bottom - 1).
void DrawSolidFrame(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom);

// Paints the set bits of the 8 x 16 narrow glyph `code` at origin in the colour (pixel
// (origin.x + c, origin.y + r) where bit 7 - c of row byte r is 1); clear bits stay. Codes
// outside the 256-glyph table draw nothing.
void DrawNarrowGlyph(Canvas& canvas, const FontTables& fonts, int code, Point origin, Color color);
// The same into a 1-bit bitmap (set bits become 1).
void DrawNarrowGlyph(MonoBitmap& bitmap, const FontTables& fonts, int code, Point origin);

}  // namespace vanta
