#pragma once
// The lookup button of an input control (F2Control): it stands right of the
// control as a square of the control's height (AutoAlign, Gap), and a click
// focuses the control and asks its window to open the lookup for it, as F2
// pressed in the control would. A control has at most one such button among
// the components the button's parent owns; a second binding is refused with
// a message. A new button is flat and shows glyph 8.

#include <cstdint>

#include "controls/g_speed_button.h"

namespace ravlet {

class TF2Button : public TGSpeedButton {
  QV_DECLARE_CLASS(TF2Button)

  explicit TF2Button(qv::TComponent* owner);

  qv::TWinControl* F2Control() const { return f2_control_; }
  void SetF2Control(qv::TWinControl* control);
  bool AutoAlign() const { return auto_align_; }
  void SetAutoAlign(bool auto_align);
  uint8_t Gap() const { return gap_; }
  void SetGap(uint8_t gap);

  // The own click event first, then the lookup request for F2Control.
  void Click() override;
  // Places the button beside its control (when AutoAlign).
  void Place();
  void Notification(qv::TComponent* component, qv::TOperation operation) override;

 private:
  bool BoundByAnother(const qv::TWinControl* control) const;

  qv::TWinControl* f2_control_ = nullptr;
  bool auto_align_ = true;
  uint8_t gap_ = 2;
};

}  // namespace ravlet
