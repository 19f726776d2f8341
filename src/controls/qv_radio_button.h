#pragma once
// A radio button that draws its own caption after the system has drawn the
// button: the caption starts at a distance from the left edge that grows with
// the font size, and keeps the font colour while the button is disabled.

#include "platform/vcl/graphic_control.h"
#include "platform/vcl/radio_button.h"

namespace ravlet {

class TQvRadioButton : public qv::TCustomRadioButton {
  QV_DECLARE_CLASS(TQvRadioButton)

  explicit TQvRadioButton(qv::TComponent* owner);

  qv::TCanvas* Canvas() const { return canvas_.Canvas(); }
  // Paints the button now.
  void Update() override;

  // Where the caption starts, from the client area's left edge, for a font
  // of that many points.
  static int CaptionOffset(int font_size);

 protected:
  // The system's part: the round button itself.
  virtual void PaintButton();
  virtual void PaintCaption();
  void CMEnabledChanged(qv::TMessage& message);

 private:
  qv::TControlCanvas canvas_;
};

}  // namespace ravlet
