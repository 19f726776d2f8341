#pragma once
// Controls without a window of their own (labels, speed buttons, images):
// they sit on a windowed parent, cannot take the focus and paint themselves
// on a canvas when asked.

#include "platform/vcl/control.h"

namespace qv {

class TGraphicControl : public TControl {
  QV_DECLARE_CLASS(TGraphicControl)
  explicit TGraphicControl(TComponent* owner);
};

}  // namespace qv
