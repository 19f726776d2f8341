#pragma once
// The module's three built-in check-box images, "CHECKED", "UNCHECKED" and
// "GRAYED": 19 x 14 pixels in 16 colours, one image each, a sunken box with
// or without a check mark. The bottom-left pixel holds the transparent colour.

#include <string_view>

#include "platform/vcl/bitmap.h"
#include "platform/vcl/check_box.h"

namespace ravlet {

constexpr int kCheckGlyphWidth = 19;
constexpr int kCheckGlyphHeight = 14;

// The resource name of a state's image.
std::string_view CheckGlyphName(qv::TCheckBoxState state);
// Puts the named image into the bitmap; false (bitmap untouched) for a name
// the module holds no image under.
bool LoadCheckGlyph(qv::TBitmap& bitmap, std::string_view name);

}  // namespace ravlet
