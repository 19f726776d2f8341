#pragma once
// The maker's glyph resource library, "ZeDadA5.dll": button images by number.
// The module asks it through GetMaxBmpID and LoadBmp; the library is loaded by
// name when first asked and stays loaded. Tests may put a library of their own
// in its place.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/vcl/bitmap.h"

namespace ravlet {

class TGlyphLibrary {
 public:
  virtual ~TGlyphLibrary() = default;
  // The highest glyph number the library holds.
  virtual int GetMaxBmpID() = 0;
  // True when `bitmap` now holds glyph `id`: one image per height, side by side.
  virtual bool LoadBmp(qv::TBitmap* bitmap, int id) = 0;
};

// The library file loaded by name. Each call raises qv::Exception
// "Load Library ZeDadA5.dll Error!" when the file cannot be loaded, and
// "Get Library Procedure Address Error!" when an entry point is missing.
class TGlyphResourceLibrary : public TGlyphLibrary {
 public:
  explicit TGlyphResourceLibrary(std::string name = "ZeDadA5.dll");
  ~TGlyphResourceLibrary() override;

  int GetMaxBmpID() override;
  bool LoadBmp(qv::TBitmap* bitmap, int id) override;

 private:
  void Load();

  std::string name_;
  struct Loaded;
  std::unique_ptr<Loaded> loaded_;
};

// The library the controls take their glyphs from.
TGlyphLibrary& GlyphLibrary();
// Puts another library in its place; null goes back to "ZeDadA5.dll".
void SetGlyphLibrary(std::shared_ptr<TGlyphLibrary> library);

// The two entry points of the library in use.
int GetMaxBmpID();
bool LoadBmp(qv::TBitmap* bitmap, int id);

}  // namespace ravlet
