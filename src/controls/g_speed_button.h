#pragma once
// A speed button whose glyph is taken by number (GlyphIndex) from the glyph
// resource library. A number the library holds shows its image and an empty
// caption; 0 or a number beyond the library shows no image and the number as
// caption. A library that fails is reported in an error dialog, and the
// button keeps the glyph, number and caption it had.

#include "platform/vcl/speed_button.h"

namespace ravlet {

class TGSpeedButton : public qv::TSpeedButton {
  QV_DECLARE_CLASS(TGSpeedButton)

  explicit TGSpeedButton(qv::TComponent* owner);

  int GlyphIndex() const { return glyph_index_; }
  void SetGlyphIndex(int index);
  // Kept for the form's sake only.
  int HintIndex() const { return hint_index_; }
  void SetHintIndex(int index) { hint_index_ = index; }

 private:
  int glyph_index_ = 0;
  int hint_index_ = 0;
};

}  // namespace ravlet
