#pragma once
// The text renderer of the simulated display, shared by static and dynamic text. The text is
// drawn at its natural size (8 pixels per narrow character, 16 per double-byte character, 16
// high) with the narrow and wide glyph tables, then stretched onto the component's rectangle
// with a plain copy, so a double-size component shows the same pixels twice as large.
//
// Every double-byte character is drawn with its 16 x 16 glyph of the wide table, 16 pixels wide,
// as the panel draws it (the signs and Latin letters with marks of the GBK symbol rows too, which
// a desktop text renderer would class as narrow by their Unicode value); every single-byte
// character with its 8 x 16 glyph of the narrow table. A line feed ends a line for the width
// (the widest line counts) but is not drawn and does not move the pen; a carriage return counts
// no width but is drawn as narrow glyph 13. Every character is drawn as its own glyph, so an "&"
// shows as it stands (it is not doubled for a text call that would read it as a prefix).

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
