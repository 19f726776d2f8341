#pragma once
// Windowed controls that draw themselves (panels, custom check boxes, grids).

#include "platform/vcl/win_control.h"

namespace qv {

class TCustomControl : public TWinControl {
  QV_DECLARE_CLASS(TCustomControl)
  explicit TCustomControl(TComponent* owner);
};

}  // namespace qv
