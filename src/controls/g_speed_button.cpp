#include "controls/g_speed_button.h"

#include <exception>
#include <string>

#include "controls/glyph_library.h"
#include "platform/vcl/dialogs.h"

namespace ravlet {

QV_DEFINE_CLASS(TGSpeedButton, qv::TSpeedButton, r) {
  r.Property("GlyphIndex", &TGSpeedButton::GlyphIndex, &TGSpeedButton::SetGlyphIndex);
  r.Property("HintIndex", &TGSpeedButton::HintIndex, &TGSpeedButton::SetHintIndex);
}

TGSpeedButton::TGSpeedButton(qv::TComponent* owner) : qv::TSpeedButton(owner) {}

void TGSpeedButton::SetGlyphIndex(int index) {
  if (index == glyph_index_) return;
  const int old_index = glyph_index_;
  const std::string old_caption = Caption();
  glyph_index_ = index;
  SetCaption(std::to_string(index));
  try {
    qv::TBitmap glyph;
    if (index != 0 && index <= GetMaxBmpID() && LoadBmp(&glyph, index) && !glyph.Empty()) {
      SetGlyph(&glyph);
      SetNumGlyphs(glyph.Width() / glyph.Height());
      SetCaption("");
    } else {
      // No image for this number: the caption shows it.
      SetGlyph(nullptr);
    }
  } catch (const std::exception&) {
    glyph_index_ = old_index;
    SetCaption(old_caption);
    qv::MessageDlg("读取 BMP 发生错误", qv::mtError, {qv::mbOK});
  }
}

}  // namespace ravlet
