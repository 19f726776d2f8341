#pragma once
// Check boxes: unchecked, checked or (with AllowGrayed) grayed. A click moves
// to the next state (unchecked, grayed when allowed, checked, unchecked) and
// raises OnClick; so does the Space key. Setting Checked or State by code
// raises OnClick too when the state changes, as the original does.

#include "platform/vcl/alignment.h"
#include "platform/vcl/button.h"

namespace qv {

QV_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);

class TCustomCheckBox : public TButtonControl {
  QV_DECLARE_CLASS(TCustomCheckBox)

  explicit TCustomCheckBox(TComponent* owner);

  // True only in the checked state.
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  virtual void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool allow) { allow_grayed_ = allow; }
  // taRightJustify: box at the left, caption after it; taLeftJustify: the other way round.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 protected:
  // Moves to the next state (which raises OnClick).
  virtual void Toggle();
  void DefaultHandler(TMessage& message) override;
  void WMLButtonUp(TMessage& message);

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allow_grayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  QV_DECLARE_CLASS(TCheckBox)
  using TCustomCheckBox::TCustomCheckBox;
};

}  // namespace qv
