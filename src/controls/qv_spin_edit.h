#pragma once
// A spin edit that takes a sign only as its first character: a "+" or "-"
// typed anywhere after it is dropped at once. The change event is raised only
// for a text that is not blank, and once per change.

#include "platform/vcl/spin_edit.h"

namespace ravlet {

class TQvSpinEdit : public qv::TSpinEdit {
  QV_DECLARE_CLASS(TQvSpinEdit)
  using qv::TSpinEdit::TSpinEdit;

 protected:
  void Change() override;

 private:
  bool dropping_signs_ = false;
};

}  // namespace ravlet
