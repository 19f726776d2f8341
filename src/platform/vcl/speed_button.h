#pragma once
// Speed buttons: buttons without a window of their own (they never take the
// focus) that show a glyph and a caption. A press draws them down; releasing
// over the button clicks it. Buttons of the same parent with the same
// GroupIndex (not 0) work together: a click puts the button down and
// releases the group's other buttons; a click on a button that is down
// releases it only when the group allows all buttons up (AllowAllUp, which
// the group shares). With GroupIndex 0 a button is never down.
//
// Painting: the face in the button's colour (a stay-down button of a group
// in a dither of face and highlight), a raised frame when up and a sunken
// one when down (a flat button shows only the sunken frame, and the raised
// one while the mouse is over it), then the glyph image of the state and the
// caption, both one pixel down and right while down (see button_glyph.h).

#include "platform/vcl/button_glyph.h"
#include "platform/vcl/graphic_control.h"

namespace qv {

class TSpeedButton : public TGraphicControl {
  QV_DECLARE_CLASS(TSpeedButton)

  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool allow);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  // Ignored with GroupIndex 0, and (going up) for a group that does not
  // allow all buttons up. Going down releases the group's other buttons.
  void SetDown(bool down);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  TBitmap* Glyph() const { return glyph_.Glyph(); }
  void SetGlyph(TBitmap* bitmap) { glyph_.SetGlyph(bitmap); }
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int count) { glyph_.SetNumGlyphs(count); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  // Values below -1 count as -1.
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

  // What the button shows now: up, disabled, pressed down, or stay-down.
  TButtonState State() const;
  const TButtonGlyph& ButtonGlyph() const { return glyph_; }
  // Where the last paint put the image and the caption.
  const TButtonGlyph::TPlacement& LastPlacement() const { return placement_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WMLButtonDblClk(TMessage& message);
  void CMButtonPressed(TMessage& message);
  void CMEnabledChanged(TMessage& message);
  void CMMouseEnter(TMessage& message);
  void CMMouseLeave(TMessage& message);

 private:
  // Tells the other buttons of the parent that this one changed.
  void UpdateExclusive();

  TButtonGlyph glyph_;
  bool allow_all_up_ = false;
  int group_index_ = 0;
  bool down_ = false;
  bool flat_ = false;
  bool transparent_ = true;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool pressed_ = false;
  bool dragging_ = false;
  bool mouse_in_control_ = false;
  TButtonGlyph::TPlacement placement_;
};

}  // namespace qv
