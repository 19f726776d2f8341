#pragma once
// Windowed controls that draw themselves (panels, custom check boxes, grids).

#include "platform/vcl/graphic_control.h"
#include "platform/vcl/win_control.h"

namespace qv {

class TCustomControl : public TWinControl {
  QV_DECLARE_CLASS(TCustomControl)
  explicit TCustomControl(TComponent* owner);

  TCanvas* Canvas() const { return canvas_.Canvas(); }
  // Paints the control now.
  void Update() override;

 protected:
  virtual void Paint() {}

 private:
  TControlCanvas canvas_;
};

}  // namespace qv
