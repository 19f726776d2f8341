#include "controls/edit_label.h"

namespace ravlet {

QV_DEFINE_CLASS(TQvEditLabel, qv::TLabel, r) {}

TQvEditLabel::TQvEditLabel(qv::TComponent* owner) : qv::TLabel(owner) {}

void TQvEditLabel::AdjustBounds() {
  qv::TLabel::AdjustBounds();
  if (OnAdjusted) OnAdjusted();
}

TEditLabelPart::TEditLabelPart(qv::TWinControl& edit) : edit_(edit) {
  label_ = qv::Create<TQvEditLabel>(&edit);
  label_->SetName("EditLabel");
  label_->SetCaption("");
  label_->SetFocusControl(&edit);
  label_->OnAdjusted = [this] { Place(); };
  FollowEdit();
}

std::string TEditLabelPart::Caption() const {
  return label_ != nullptr ? label_->Caption() : std::string();
}

void TEditLabelPart::SetCaption(const std::string& caption) {
  if (label_ == nullptr) return;
  label_->SetCaption(caption);
  Place();
}

void TEditLabelPart::SetPosition(TLabelPosition position) {
  if (position == position_) return;
  position_ = position;
  Place();
}

void TEditLabelPart::SetSpacing(int spacing) {
  if (spacing < 0 || spacing == spacing_) return;
  spacing_ = spacing;
  Place();
}

void TEditLabelPart::Place() {
  if (label_ == nullptr) return;
  const int s = spacing_;
  const int w = label_->Width();
  const int h = label_->Height();
  int left = edit_.Left();
  int top = edit_.Top();
  switch (position_) {
    case lpAbove:
      top = edit_.Top() - h - s;
      break;
    case lpBelow:
      top = edit_.Top() + edit_.Height() + s;
      break;
    case lpLeft:
      left = edit_.Left() - w - s;
      top = edit_.Top() + (edit_.Height() - h) / 2;
      break;
    case lpRight:
      left = edit_.Left() + edit_.Width() + s;
      top = edit_.Top() + (edit_.Height() - h) / 2;
      break;
  }
  label_->SetBounds(left, top, w, h);
}

void TEditLabelPart::FollowEdit() {
  if (label_ == nullptr) return;
  label_->SetParent(edit_.Parent());
  label_->SetVisible(edit_.Visible());
  label_->SetEnabled(edit_.Enabled());
  Place();
}

void TEditLabelPart::Forget(const qv::TComponent* component) {
  if (component == label_) label_ = nullptr;
}

}  // namespace ravlet
