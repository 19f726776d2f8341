#include "platform/vcl/graphic_control.h"

namespace qv {

QV_DEFINE_CLASS(TGraphicControl, TControl, r) {}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

}  // namespace qv
