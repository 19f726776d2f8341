#pragma once
// The selection panel's range/list switch: a glyph-drawn check box with
// nothing added, under a class name of its own.

#include "controls/bit_check_box.h"

namespace ravlet {

class TLumCheckBox : public TBitCheckBox {
  QV_DECLARE_CLASS(TLumCheckBox)
  using TBitCheckBox::TBitCheckBox;
};

}  // namespace ravlet
