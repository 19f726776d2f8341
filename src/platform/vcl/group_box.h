#pragma once
// Group boxes: a framed container with a caption at the top; aligned children
// share the area below the caption, inside the frame.

#include "platform/vcl/custom_control.h"

namespace qv {

class TCustomGroupBox : public TCustomControl {
  QV_DECLARE_CLASS(TCustomGroupBox)
  explicit TCustomGroupBox(TComponent* owner);
  void AdjustClientRect(TRect& rect) const override;
};

class TGroupBox : public TCustomGroupBox {
  QV_DECLARE_CLASS(TGroupBox)
  using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace qv
