#pragma once
// The glyphs of the library, drawn from small pixel maps. Glyphs the module's
// windows use have a picture of their own; every other number shows itself
// in pixel digits on a button-face tile, so each number in range is a real,
// distinct image.

#include "platform/vcl/bitmap.h"

namespace zedada5 {

// One image is kGlyphSize pixels square.
constexpr int kGlyphSize = 16;
constexpr int kMaxGlyphId = 100;
// The background of every glyph; it is also the bottom-left pixel, which is
// what a bitmap in automatic transparent mode leaves out.
constexpr qv::TColor kTransparent = qv::clFuchsia;

// Replaces the bitmap's contents with glyph `id`; false (bitmap untouched)
// when the number is outside 1..kMaxGlyphId.
bool DrawGlyph(qv::TBitmap& bitmap, int id);

// The number of images glyph `id` holds side by side (1 or 2); 0 when none.
int GlyphImageCount(int id);

}  // namespace zedada5
