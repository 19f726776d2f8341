#pragma once
// Radio buttons: checking one unchecks the other radio buttons of the same
// parent. A click checks it (raising OnClick when it becomes checked).

#include "platform/vcl/alignment.h"
#include "platform/vcl/button.h"

namespace qv {

class TCustomRadioButton : public TButtonControl {
  QV_DECLARE_CLASS(TCustomRadioButton)

  explicit TCustomRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  virtual void SetChecked(bool checked);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 protected:
  void WMLButtonUp(TMessage& message);
  void DefaultHandler(TMessage& message) override;

 private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TRadioButton : public TCustomRadioButton {
  QV_DECLARE_CLASS(TRadioButton)
  using TCustomRadioButton::TCustomRadioButton;
};

}  // namespace qv
