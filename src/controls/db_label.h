#pragma once
// A label attached to a control (FocusControl): it stands beside the control
// (Pos, Gap) and can take its caption from the display label of the
// control's data field. A control has at most one such label among the
// components its parent owns; a second binding is refused with a message.

#include <cstdint>

#include "platform/vcl/label.h"

namespace ravlet {

QV_ENUM(TPos, psTop, psLeft, psRight, psBottom);

class TDBLabel : public qv::TLabel {
  QV_DECLARE_CLASS(TDBLabel)

  explicit TDBLabel(qv::TComponent* owner);
  void AfterConstruction() override;

  qv::TWinControl* FocusControl() const { return qv::TLabel::FocusControl(); }
  // Refused (with the error message) when another label already names it.
  void SetFocusControl(qv::TWinControl* control);
  bool AutoAlign() const { return auto_align_; }
  void SetAutoAlign(bool auto_align);
  bool AutoCaption() const { return auto_caption_; }
  void SetAutoCaption(bool auto_caption);
  TPos Pos() const { return pos_; }
  void SetPos(TPos pos);
  uint8_t Gap() const { return gap_; }
  void SetGap(uint8_t gap);

  // Takes the caption from the control's data field, then places the label.
  void ApplyCaptionAndPlace();
  void WndProc(qv::TMessage& message) override;

 protected:
  void AdjustBounds() override;
  void Loaded() override;

 private:
  void ApplyCaption();
  void Place();
  bool BoundByAnother(const qv::TWinControl* control) const;

  bool auto_align_ = true;
  bool auto_caption_ = true;
  TPos pos_ = psLeft;
  uint8_t gap_ = 4;
  bool placing_ = false;
  // The label's own message, which makes it apply caption and place again.
  unsigned apply_message_ = 0;
};

}  // namespace ravlet
