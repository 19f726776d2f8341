#pragma once
// An edit with a label of its own ("EditLabel"), placed beside it by
// LabelPosition (lpLeft unless changed) and LabelSpacing (4). Caption is the
// label's text; the edit's own text stays Text.

#include <string>

#include "controls/edit_label.h"
#include "platform/vcl/edit.h"

namespace ravlet {

class TQvEdit : public qv::TEdit {
  QV_DECLARE_CLASS(TQvEdit)

  explicit TQvEdit(qv::TComponent* owner);

  TQvEditLabel* EditLabel() const { return label_part_.Label(); }
  std::string Caption() const { return label_part_.Caption(); }
  void SetCaption(const std::string& caption) { label_part_.SetCaption(caption); }
  TLabelPosition LabelPosition() const { return label_part_.Position(); }
  void SetLabelPosition(TLabelPosition position) { label_part_.SetPosition(position); }
  int LabelSpacing() const { return label_part_.Spacing(); }
  void SetLabelSpacing(int spacing) { label_part_.SetSpacing(spacing); }

  void SetParent(qv::TWinControl* parent) override;
  void Notification(qv::TComponent* component, qv::TOperation operation) override;

 protected:
  void BoundsChanged(bool moved, bool resized) override;
  void CMFollowedChange(qv::TMessage& message);

 private:
  TEditLabelPart label_part_;
};

}  // namespace ravlet
