#include "platform/vcl/radio_group.h"

#include <algorithm>

namespace qv {

QV_DEFINE_CLASS(TGroupButton, TRadioButton, r) {}

void TGroupButton::KeyDown(Word& key, TShiftState shift) {
  TRadioButton::KeyDown(key, shift);
  if (auto* group = dynamic_cast<TCustomRadioGroup*>(Parent())) group->KeyDown(key, shift);
}

void TGroupButton::KeyPress(char32_t& key) {
  TRadioButton::KeyPress(key);
  if (auto* group = dynamic_cast<TCustomRadioGroup*>(Parent())) group->KeyPress(key);
}

QV_DEFINE_CLASS(TCustomRadioGroup, TCustomGroupBox, r) {
  r.Message(CM_FONTCHANGED, &TCustomRadioGroup::CMFontChanged);
}

QV_DEFINE_CLASS(TRadioGroup, TCustomRadioGroup, r) {
  r.Property("Align", &TRadioGroup::Align, &TRadioGroup::SetAlign);
  r.Property("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption);
  r.Property("Color", &TRadioGroup::Color, &TRadioGroup::SetColor, "TColor");
  r.Property("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
  r.Property("Ctl3D", &TRadioGroup::Ctl3D, &TRadioGroup::SetCtl3D);
  r.Property("Enabled", &TRadioGroup::Enabled, &TRadioGroup::SetEnabled);
  r.Property("Font", &TRadioGroup::Font, &TRadioGroup::SetFont);
  r.Property("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
  r.Property("Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
  r.Property("ParentColor", &TRadioGroup::ParentColor, &TRadioGroup::SetParentColor);
  r.Property("ParentFont", &TRadioGroup::ParentFont, &TRadioGroup::SetParentFont);
  r.Property("ParentShowHint", &TRadioGroup::ParentShowHint, &TRadioGroup::SetParentShowHint);
  r.Property("ShowHint", &TRadioGroup::ShowHint, &TRadioGroup::SetShowHint);
  r.Property("TabOrder", &TRadioGroup::TabOrder, &TRadioGroup::SetTabOrder);
  r.Property("TabStop", &TRadioGroup::TabStop, &TRadioGroup::SetTabStop);
  r.Property("Visible", &TRadioGroup::Visible, &TRadioGroup::SetVisible);
  r.Event("OnClick", &TRadioGroup::OnClick);
  r.Event("OnEnter", &TRadioGroup::OnEnter);
  r.Event("OnExit", &TRadioGroup::OnExit);
  r.Event("OnKeyDown", &TRadioGroup::OnKeyDown);
  r.Event("OnKeyPress", &TRadioGroup::OnKeyPress);
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = [this](TStringList&) {
    if (!IsLoading()) UpdateButtons();
  };
}

TCustomRadioGroup::~TCustomRadioGroup() {
  items_->OnChange = nullptr;
}

TGroupButton* TCustomRadioGroup::Buttons(int index) const {
  if (index < 0 || index >= ButtonCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return buttons_[static_cast<size_t>(index)];
}

TGroupButton* TCustomRadioGroup::CreateButton() {
  return Create<TGroupButton>(this);
}

void TCustomRadioGroup::Notification(TComponent* component, TOperation operation) {
  TCustomGroupBox::Notification(component, operation);
  if (operation == opRemove)
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), component), buttons_.end());
}

void TCustomRadioGroup::UpdateButtons() {
  if (IsDestroying()) return;
  updating_ = true;
  const int wanted = items_->Count();
  while (ButtonCount() > wanted) buttons_.back()->Free();
  while (ButtonCount() < wanted) {
    TGroupButton* button = CreateButton();
    buttons_.push_back(button);
    button->SetParentShowHint(false);
    button->SetEnabled(Enabled());
    button->OnClick = TNotifyEvent(this, [this](TObject* sender) { ButtonClicked(sender); });
    button->SetParent(this);
  }
  for (int i = 0; i < wanted; ++i) {
    buttons_[static_cast<size_t>(i)]->SetCaption(items_->Strings(i));
    buttons_[static_cast<size_t>(i)]->SetChecked(i == item_index_);
  }
  if (item_index_ >= wanted) item_index_ = wanted - 1;
  updating_ = false;
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  const int count = ButtonCount();
  if (count == 0) return;
  const int text_height = Font()->TextHeight("0");
  const int rows = (count + columns_ - 1) / columns_;
  const int column_width = (Width() - 10) / columns_;
  const int room = Height() - text_height - 5;
  const int row_height = room / rows;
  const int top_margin = text_height + 1 + (room % rows) / 2;
  for (int i = 0; i < count; ++i) {
    TGroupButton* button = buttons_[static_cast<size_t>(i)];
    button->SetBounds(8 + (i / rows) * column_width, top_margin + (i % rows) * row_height,
                      column_width, row_height);
    button->Show();
  }
}

void TCustomRadioGroup::ButtonClicked(TObject* sender) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), sender);
  if (it == buttons_.end()) return;
  item_index_ = static_cast<int>(it - buttons_.begin());
  Click();
}

void TCustomRadioGroup::SetItemIndex(int index) {
  if (IsLoading()) {
    item_index_ = index;
    return;
  }
  index = std::clamp(index, -1, ButtonCount() - 1);
  if (index == item_index_) return;
  updating_ = true;
  if (item_index_ >= 0 && item_index_ < ButtonCount())
    buttons_[static_cast<size_t>(item_index_)]->SetChecked(false);
  item_index_ = index;
  if (item_index_ >= 0) buttons_[static_cast<size_t>(item_index_)]->SetChecked(true);
  updating_ = false;
}

void TCustomRadioGroup::SetColumns(int columns) {
  columns = std::clamp(columns, 1, 16);
  if (columns == columns_) return;
  columns_ = columns;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::SetEnabled(bool enabled) {
  TCustomGroupBox::SetEnabled(enabled);
  for (TGroupButton* button : buttons_) button->SetEnabled(enabled);
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  const int index = item_index_;
  item_index_ = -1;
  UpdateButtons();
  SetItemIndex(index);
}

void TCustomRadioGroup::CMFontChanged(TMessage& message) {
  Inherited(message);
  ArrangeButtons();
}

void TCustomRadioGroup::BoundsChanged(bool moved, bool resized) {
  TCustomGroupBox::BoundsChanged(moved, resized);
  if (resized) ArrangeButtons();
}

}  // namespace qv
