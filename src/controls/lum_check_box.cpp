#include "controls/lum_check_box.h"

namespace ravlet {

QV_DEFINE_CLASS(TLumCheckBox, TBitCheckBox, r) {}

}  // namespace ravlet
