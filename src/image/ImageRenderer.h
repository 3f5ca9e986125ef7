#pragma once
// Draws a decoded screen as the panel shows it: a 192 x 64 one-bit picture (1 = light pixel),
// made only from the image's own bytes.
//
// Components are drawn in pointer-table order, each over what is already there:
// - static text, and a dynamic text as its first entry's text: the glyphs of the image on their
//   character cells (light strokes on dark, or the reverse when inverse; twice the size in both
//   directions when double size); a glyph that did not resolve leaves its cell blank;
// - register: the outline of its width in character cells (the panel draws the live value with
//   digits of its own);
// - lamp: the lamp glyph of its first image; function key: its hand and key symbols (inverted
//   when inverse; nothing at all for an invisible key);
// - bar graph and trend: the frame of their rectangle;
// - picture: its bitmap from the picture data.
// Everything is clipped to the display, and every bitmap read is checked against the image.

#include <cstdint>
#include <span>
#include <vector>

#include "image/ImageDecoder.h"
#include "model/MonoBitmap.h"

namespace vanta {

MonoBitmap renderScreen(std::span<const uint8_t> image, const DecodedScreen& screen);

// The screens the panel can show: the first screen of each number, in screen-table order. A
// number that appears again is one of the decoder's problems and gets no picture of its own.
std::vector<const DecodedScreen*> screensToRender(const DecodedImage& decoded);

}  // namespace vanta
