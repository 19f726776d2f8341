// The library's two entry points over the glyph drawings.

#include <exception>

#include "glyph_art.h"
#include "zedada5_api.h"

extern "C" {

ZEDADA5_API int32_t GetMaxBmpID() {
  return zedada5::kMaxGlyphId;
}

ZEDADA5_API bool LoadBmp(qv::TBitmap* bitmap, int32_t id) {
  if (bitmap == nullptr) return false;
  try {
    return zedada5::DrawGlyph(*bitmap, id);
  } catch (const std::exception&) {
    return false;
  }
}
}
