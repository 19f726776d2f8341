#include "platform/vcl/test_widget.h"

namespace qv::test {

QV_DEFINE_CLASS(TTestWidget, TComponent, r) {
  r.Property("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption);
  r.Property("Count", &TTestWidget::Count, &TTestWidget::SetCount);
  r.Property("Gap", &TTestWidget::Gap, &TTestWidget::SetGap);
  r.Property("Letter", &TTestWidget::Letter, &TTestWidget::SetLetter);
  r.Property("Mood", &TTestWidget::Mood, &TTestWidget::SetMood);
  r.Property("Styles", &TTestWidget::Styles, &TTestWidget::SetStyles, "TFontStyles");
  r.Property("Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio);
  r.Property("Active", &TTestWidget::Active, &TTestWidget::SetActive);
  r.Property("Color", &TTestWidget::Color, &TTestWidget::SetColor, "TColor");
  r.Property("Version", &TTestWidget::Version);
  r.Property("Font", &TTestWidget::Font, &TTestWidget::SetFont);
  r.Property("Lines", &TTestWidget::Lines, &TTestWidget::SetLines);
  r.Property("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy);
  r.Event("OnPing", &TTestWidget::OnPing);
  r.Event("OnAsk", &TTestWidget::OnAsk);
  r.Method("HandlePing", &TTestWidget::HandlePing);
  r.Method("HandleAsk", &TTestWidget::HandleAsk);
}

QV_DEFINE_CLASS(TTestGadget, TTestWidget, r) {}

TTestWidget::TTestWidget(TComponent* owner) : TComponent(owner) {}

void TTestWidget::SetBuddy(TTestWidget* buddy) {
  if (buddy_ != nullptr) buddy_->RemoveFreeNotification(this);
  buddy_ = buddy;
  if (buddy_ != nullptr) buddy_->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  notices.emplace_back(component, operation);
  if (operation == opRemove && component == buddy_) buddy_ = nullptr;
}

void TTestWidget::BeforeDestruction() {
  if (journal) journal->push_back("free " + Name() + (IsDestroying() ? " (destroying)" : ""));
}

void TTestWidget::Loaded() {
  TComponent::Loaded();
  if (journal) journal->push_back("loaded " + Name());
}

}  // namespace qv::test
