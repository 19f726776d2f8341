#pragma once
// The glyph resource library "ZeDadA5.dll" (built as ZeDadA5.so): the images
// of the module's buttons, kept by number.
//
//   int32_t GetMaxBmpID()
//       The highest glyph number the library holds. Every number from 1 up to
//       it holds a glyph.
//
//   bool LoadBmp(qv::TBitmap* bitmap, int32_t id)
//       Puts glyph `id` into `bitmap` and returns true. The bitmap's width is a
//       whole multiple of its height: one image per height, the first for the
//       normal state and, when there is a second, the one for the disabled
//       state. The colour of the bottom-left pixel is the transparent colour.
//       Returns false, with the bitmap left as it was, for a null bitmap or a
//       number outside 1..GetMaxBmpID().
//
// Both sides work on the platform library's TBitmap, so the library and its
// callers use the same qvplatform.

#include <cstdint>

namespace qv {
class TBitmap;
}

#if defined(__GNUC__)
#define ZEDADA5_API __attribute__((visibility("default")))
#else
#define ZEDADA5_API
#endif

extern "C" {

typedef int32_t (*ZeDadA5GetMaxBmpIDProc)();
typedef bool (*ZeDadA5LoadBmpProc)(qv::TBitmap* bitmap, int32_t id);

ZEDADA5_API int32_t GetMaxBmpID();
ZEDADA5_API bool LoadBmp(qv::TBitmap* bitmap, int32_t id);
}
