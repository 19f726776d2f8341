#pragma once
// Labels: text on the parent. With AutoSize the label takes the size of its
// text in its font (one line per line break; "&&" shows as "&" and a single
// "&" marks the accelerator when ShowAccelChar is on); a right-justified
// label keeps its right edge.

#include "platform/vcl/alignment.h"
#include "platform/vcl/graphic_control.h"
#include "platform/vcl/win_control.h"

namespace qv {

class TCustomLabel : public TGraphicControl {
  QV_DECLARE_CLASS(TCustomLabel)

  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool word_wrap);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool show);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* control);

  // The text as shown: accelerator marks removed.
  std::string DisplayText() const;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  virtual void AdjustBounds();
  void CMTextChanged(TMessage& message);
  void CMFontChanged(TMessage& message);
  void Loaded() override;

 private:
  bool auto_size_ = true;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
  bool transparent_ = false;
  TWinControl* focus_control_ = nullptr;
};

class TLabel : public TCustomLabel {
  QV_DECLARE_CLASS(TLabel)
  using TCustomLabel::TCustomLabel;
};

// The text without accelerator marks: "&&" becomes "&", a single "&" goes.
std::string StripAccelChars(std::string_view text);

}  // namespace qv
