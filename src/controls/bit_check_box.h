#pragma once
// A check box drawn from three images, one per state (the module's built-in
// "CHECKED", "UNCHECKED" and "GRAYED" unless others are set). An image bitmap
// may hold two images side by side: the second is drawn while the control is
// disabled. A click moves to the next state, raises OnClick and takes the
// focus; setting Checked or State only changes the state.

#include <memory>

#include "platform/vcl/alignment.h"
#include "platform/vcl/bitmap.h"
#include "platform/vcl/check_box.h"
#include "platform/vcl/custom_control.h"

namespace ravlet {

class TBitCheckBox : public qv::TCustomControl {
  QV_DECLARE_CLASS(TBitCheckBox)

  explicit TBitCheckBox(qv::TComponent* owner);
  ~TBitCheckBox() override;

  // taRightJustify: image at the left edge, caption after it; taLeftJustify:
  // caption at the left, image at the right edge (taCenter counts as right).
  qv::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(qv::TAlignment alignment);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool allow_grayed) { allow_grayed_ = allow_grayed; }
  // True only in the checked state.
  bool Checked() const { return state_ == qv::cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? qv::cbChecked : qv::cbUnchecked); }
  qv::TCheckBoxState State() const { return state_; }
  void SetState(qv::TCheckBoxState state);

  // The image of each state. Setting a missing or empty bitmap brings back
  // the built-in one; a bitmap whose width is a whole multiple of its height
  // sets the number of images (1 or 2).
  qv::TBitmap* CheckedGlyph() const { return glyphs_[qv::cbChecked].get(); }
  void SetCheckedGlyph(qv::TBitmap* glyph) { SetGlyph(qv::cbChecked, glyph); }
  qv::TBitmap* UncheckedGlyph() const { return glyphs_[qv::cbUnchecked].get(); }
  void SetUncheckedGlyph(qv::TBitmap* glyph) { SetGlyph(qv::cbUnchecked, glyph); }
  qv::TBitmap* GrayedGlyph() const { return glyphs_[qv::cbGrayed].get(); }
  void SetGrayedGlyph(qv::TBitmap* glyph) { SetGlyph(qv::cbGrayed, glyph); }
  // Images per bitmap, 1 or 2 (other values are limited to that range).
  int CheckedNumGlyphs() const { return num_glyphs_[qv::cbChecked]; }
  void SetCheckedNumGlyphs(int count) { SetNumGlyphs(qv::cbChecked, count); }
  int UncheckedNumGlyphs() const { return num_glyphs_[qv::cbUnchecked]; }
  void SetUncheckedNumGlyphs(int count) { SetNumGlyphs(qv::cbUnchecked, count); }
  int GrayedNumGlyphs() const { return num_glyphs_[qv::cbGrayed]; }
  void SetGrayedNumGlyphs(int count) { SetNumGlyphs(qv::cbGrayed, count); }

  void Click() override;
  // Where the caption is drawn, in client coordinates, for the current state.
  qv::TRect CaptionRect() const;

 protected:
  void Paint() override;
  void KeyPress(char32_t& key) override;
  void CMDialogChar(qv::TMessage& message);

 private:
  void SetGlyph(qv::TCheckBoxState state, const qv::TBitmap* glyph);
  void SetNumGlyphs(qv::TCheckBoxState state, int count);
  qv::TCheckBoxState NextState() const;
  int ImageWidth() const;

  qv::TAlignment alignment_ = qv::taRightJustify;
  bool allow_grayed_ = false;
  qv::TCheckBoxState state_ = qv::cbUnchecked;
  std::unique_ptr<qv::TBitmap> glyphs_[3];
  int num_glyphs_[3] = {1, 1, 1};
};

}  // namespace ravlet
