#pragma once
// The label an edit owns ("EditLabel") and the part of a labelled edit that
// keeps it beside the edit: same parent, visibility and enabled state, placed
// by LabelPosition and LabelSpacing whenever the edit moves or the label's
// text changes.

#include <functional>
#include <string>

#include "platform/vcl/label.h"

namespace ravlet {

QV_ENUM(TLabelPosition, lpAbove, lpBelow, lpLeft, lpRight);

class TQvEditLabel : public qv::TLabel {
  QV_DECLARE_CLASS(TQvEditLabel)

  explicit TQvEditLabel(qv::TComponent* owner);

  // Runs whenever the label has sized itself to its text anew.
  std::function<void()> OnAdjusted;

 protected:
  void AdjustBounds() override;
};

class TEditLabelPart {
 public:
  // Creates the label, owned by `edit` and bound to it.
  explicit TEditLabelPart(qv::TWinControl& edit);
  TEditLabelPart(const TEditLabelPart&) = delete;
  TEditLabelPart& operator=(const TEditLabelPart&) = delete;

  // Null once the label was freed on its own.
  TQvEditLabel* Label() const { return label_; }
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  TLabelPosition Position() const { return position_; }
  void SetPosition(TLabelPosition position);
  int Spacing() const { return spacing_; }
  // A negative spacing is ignored.
  void SetSpacing(int spacing);

  // Puts the label in its place beside the edit.
  void Place();
  // The edit changed its parent, visibility or enabled state.
  void FollowEdit();
  // The edit's notification: the label is forgotten when it is freed.
  void Forget(const qv::TComponent* component);

 private:
  qv::TWinControl& edit_;
  TQvEditLabel* label_ = nullptr;
  TLabelPosition position_ = lpLeft;
  int spacing_ = 4;
};

}  // namespace ravlet
