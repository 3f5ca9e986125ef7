#pragma once
// The built-in 16 x 16 glyphs that every download image may carry, and the 36 x 36 editor images
// of lamps and function keys made from them.
//
// Glyph table (25 glyphs of 32 bytes in page format): glyphs 0..3 are the lamp glyphs (circular
// off, circular on, square off, square on; a lamp's image number 0..3 picks one), glyphs 4..24
// are the symbols 0..20: symbol k is the key of key index k (ESC, left, right, down, up, SET,
// ENT, ALM, 0..9, CLR), symbol 19 the +/- key and symbol 20 the hand. Symbol s is glyph 4 + s.
//
// Editor images 330..395 (in this order): the four lamp glyphs; then dark, light and dotted
// variants of symbols 0..19 (334 + 3 s + variant); then the hand, dark and light (394, 395).
// Each is its glyph enlarged to 36 x 36 exactly as the editor enlarges the display (a screen
// pixel x shows panel pixel trunc(x x 4 / 9)), so the editor shows what the panel shows: a
// dark image is set pixels light on the display's dark ground, a light image the reverse, and a
// dotted image only a dotted outline of the symbol on the dark ground (an invisible key).

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/Canvas.h"

namespace vanta {

inline constexpr int kLampGlyphCount = 4;
inline constexpr int kSymbolCount = 21;
inline constexpr int kBuiltinGlyphCount = kLampGlyphCount + kSymbolCount;  // 25
inline constexpr size_t kBuiltinGlyphBytes = 32;
inline constexpr int kKeySymbolCount = 19;  // symbols 0..18 are the keys of the key table
inline constexpr uint8_t kPlusMinusSymbol = 19;
inline constexpr uint8_t kHandSymbol = 20;

using PageGlyph = std::array<uint8_t, kBuiltinGlyphBytes>;
// A glyph as drawn: 16 rows of 16 characters, '#' = set pixel, '.' = clear.
using GlyphArt = std::array<const char*, 16>;

// The whole table in glyph order.
const std::array<PageGlyph, kBuiltinGlyphCount>& builtinGlyphs();
// Glyph 0..24 of the table; an all-clear glyph for any other index.
const PageGlyph& builtinGlyph(int index);
// Lamp glyph 0..3 (glyph `index` of the table).
const PageGlyph& lampGlyph(int index);
// Symbol 0..20 (glyph 4 + symbol of the table).
const PageGlyph& symbolGlyph(int symbol);
// The drawing the glyph is made from; all '.' for an index outside 0..24.
const GlyphArt& builtinGlyphArt(int index);
// Converts a drawing into page format.
PageGlyph glyphFromArt(const GlyphArt& art);

inline constexpr int kFirstKeyImage = 330;
inline constexpr int kKeyImageCount = 66;
inline constexpr int kLastKeyImage = kFirstKeyImage + kKeyImageCount - 1;  // 395
inline constexpr int kKeyImageSide = 36;

// Colours of the editor images: the display's dark ground, its light pixels, and the dots of an
// outline.
inline constexpr Color kImageDark = kDisplayDark;
inline constexpr Color kImageLight = kDisplayLight;
inline constexpr Color kImageDots = kDottedFrameColor;

enum class KeyImageVariant : uint8_t { Dark, Light, Dotted };

struct KeyImage {
    int glyph = 0;  // the built-in glyph it shows
    KeyImageVariant variant = KeyImageVariant::Dark;
    ColorBitmap bitmap{kKeyImageSide, kKeyImageSide, kImageDark};

    Color at(int x, int y) const { return bitmap.at(x, y); }
};

// Editor image 330..395; nullptr for any other number. Built once, on first use.
const KeyImage* keyImage(int number);
// Builds the image of a glyph in a variant (what keyImage() holds).
KeyImage makeKeyImage(int glyph, KeyImageVariant variant);

// Draws editor image 330..395 stretched onto `dest` with a plain copy (nothing for any other
// number).
void DrawResourceBitmap(Canvas& canvas, int number, const Rect& dest);

}  // namespace vanta
