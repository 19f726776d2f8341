#pragma once
// The data-aware edit with a label of its own, as TQvEdit. In a form
// designer, naming its data field puts the field's display label on the label.

#include <string>

#include "controls/db_edit.h"
#include "controls/edit_label.h"

namespace ravlet {

class TQvDBEdit : public TDBEdit {
  QV_DECLARE_CLASS(TQvDBEdit)

  explicit TQvDBEdit(qv::TComponent* owner);

  TQvEditLabel* EditLabel() const { return label_part_.Label(); }
  std::string Caption() const { return label_part_.Caption(); }
  void SetCaption(const std::string& caption) { label_part_.SetCaption(caption); }
  TLabelPosition LabelPosition() const { return label_part_.Position(); }
  void SetLabelPosition(TLabelPosition position) { label_part_.SetPosition(position); }
  int LabelSpacing() const { return label_part_.Spacing(); }
  void SetLabelSpacing(int spacing) { label_part_.SetSpacing(spacing); }

  void SetDataField(const std::string& field_name) override;
  void SetParent(qv::TWinControl* parent) override;
  void Notification(qv::TComponent* component, qv::TOperation operation) override;

 protected:
  void BoundsChanged(bool moved, bool resized) override;
  void CMFollowedChange(qv::TMessage& message);

 private:
  TEditLabelPart label_part_;
};

}  // namespace ravlet
