#include "platform/vcl/custom_control.h"

namespace qv {

QV_DEFINE_CLASS(TCustomControl, TWinControl, r) {}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::Update() {
  canvas_.Prepare(*this);
  Paint();
}

}  // namespace qv
