#pragma once
// The text renderer of the simulated display, shared by static and dynamic text. The text is
// drawn at its natural size (8 pixels per narrow character, 16 per double-byte character, 16
// high) with the narrow and wide glyph tables, then stretched onto the component's rectangle
// with a plain copy, so a double-size component shows the same pixels twice as large.
//
// Characters are classed by their UTF-16 value: below 0x390 narrow (glyph = that value in the
// 256-glyph narrow table; values from 0x100 to 0x38F have no glyph there and stay blank), 0x390
// and above wide (the double-byte glyph of the wide table). A line feed ends a line for the
// width (the widest line counts) but is not drawn and does not move the pen; a carriage return
// counts no width but is drawn as narrow glyph 13. Every character is drawn as its own glyph, so
// an "&" shows as it stands (it is not doubled for a text call that would read it as a prefix).

#include <cstdint>

#include "common/Archive.h"
#include "common/FontTables.h"
#include "model/Canvas.h"

namespace vanta {

// Natural width in pixels of the text (code-page bytes).
int32_t naturalTextWidth(const ByteString& text);

// The text at its natural size (naturalTextWidth x 16): 1 = stroke, 0 = background. Strokes
// beyond the natural width (after a line feed or carriage return) are cut off.
MonoBitmap renderDisplayText(const FontTables& fonts, const ByteString& text);

// Draws the text onto `rect` (display coordinates): white strokes on dark RGB(64, 64, 64), or
// the reverse when inverse. An empty text draws nothing.
void DrawDisplayText(Canvas& canvas, const FontTables& fonts, const ByteString& text,
                     const Rect& rect, bool inverse);

}  // namespace vanta
