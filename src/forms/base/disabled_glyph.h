#pragma once
// Disabled-state images for one-image button glyphs: an embossed grey
// rendering of the image's outline and dark parts, as the system draws
// disabled buttons.

#include <memory>

#include "platform/vcl/bitmap.h"

namespace ravlet {

// A new bitmap of the glyph's size: button face, with the glyph's marked
// pixels drawn once in the highlight colour one pixel down and right and
// once in the shadow colour in place. A pixel is marked when it is not the
// transparent colour and is dark (red + green + blue below 384) or touches
// a transparent pixel above, below, left or right (edges repeat the nearest
// row or column). The glyph itself becomes a 24-bit bitmap.
std::unique_ptr<qv::TBitmap> MakeDisabledGlyph(qv::TBitmap& glyph);

// Turns a one-image glyph into a strip of two images: the glyph as it was,
// then its disabled rendering; the new half starts in the transparent colour.
void AddDisabledGlyph(qv::TBitmap& glyph);

}  // namespace ravlet
