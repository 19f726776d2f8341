#include "controls/lum_mask_edit.h"

namespace ravlet {

QV_DEFINE_CLASS(TLumMaskEdit, qv::TMaskEdit, r) {}

void TLumMaskEdit::Change() {
  if (!suppress_change_) qv::TMaskEdit::Change();
}

}  // namespace ravlet
