#pragma once
// The selection panel's range edits: a masked edit whose change event can be
// held back while the panel rewrites its text.

#include "platform/vcl/mask_edit.h"

namespace ravlet {

class TLumMaskEdit : public qv::TMaskEdit {
  QV_DECLARE_CLASS(TLumMaskEdit)

  using qv::TMaskEdit::TMaskEdit;

  // While set, changes of the text raise no OnChange.
  bool SuppressChange() const { return suppress_change_; }
  void SetSuppressChange(bool suppress) { suppress_change_ = suppress; }

 protected:
  void Change() override;

 private:
  bool suppress_change_ = false;
};

}  // namespace ravlet
