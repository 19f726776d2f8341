#include "controls/qv_radio_group.h"

#include <algorithm>
#include <string>

namespace ravlet {

QV_DEFINE_CLASS(TQvGroupButton, TQvRadioButton, r) {}

void TQvGroupButton::KeyDown(qv::Word& key, qv::TShiftState shift) {
  TQvRadioButton::KeyDown(key, shift);
  if (auto* group = dynamic_cast<TQvRadioGroup*>(Parent())) group->KeyDown(key, shift);
}

void TQvGroupButton::KeyPress(char32_t& key) {
  TQvRadioButton::KeyPress(key);
  if (auto* group = dynamic_cast<TQvRadioGroup*>(Parent())) group->KeyPress(key);
}

QV_DEFINE_CLASS(TQvRadioGroup, qv::TCustomGroupBox, r) {
  r.Property("Align", &TQvRadioGroup::Align, &TQvRadioGroup::SetAlign);
  r.Property("Caption", &TQvRadioGroup::Caption, &TQvRadioGroup::SetCaption);
  r.Property("Color", &TQvRadioGroup::Color, &TQvRadioGroup::SetColor, "TColor");
  r.Property("Columns", &TQvRadioGroup::Columns, &TQvRadioGroup::SetColumns);
  r.Property("Ctl3D", &TQvRadioGroup::Ctl3D, &TQvRadioGroup::SetCtl3D);
  r.Property("Enabled", &TQvRadioGroup::Enabled, &TQvRadioGroup::SetEnabled);
  r.Property("Font", &TQvRadioGroup::Font, &TQvRadioGroup::SetFont);
  r.Property("ItemIndex", &TQvRadioGroup::ItemIndex, &TQvRadioGroup::SetItemIndex);
  r.Property("Items", &TQvRadioGroup::Items, &TQvRadioGroup::SetItems);
  r.Property("ParentColor", &TQvRadioGroup::ParentColor, &TQvRadioGroup::SetParentColor);
  r.Property("ParentCtl3D", &TQvRadioGroup::ParentCtl3D, &TQvRadioGroup::SetParentCtl3D);
  r.Property("ParentFont", &TQvRadioGroup::ParentFont, &TQvRadioGroup::SetParentFont);
  r.Property("ParentShowHint", &TQvRadioGroup::ParentShowHint, &TQvRadioGroup::SetParentShowHint);
  r.Property("ShowHint", &TQvRadioGroup::ShowHint, &TQvRadioGroup::SetShowHint);
  r.Property("TabOrder", &TQvRadioGroup::TabOrder, &TQvRadioGroup::SetTabOrder);
  r.Property("TabStop", &TQvRadioGroup::TabStop, &TQvRadioGroup::SetTabStop);
  r.Property("Visible", &TQvRadioGroup::Visible, &TQvRadioGroup::SetVisible);
  r.Event("OnClick", &TQvRadioGroup::OnClick);
  r.Event("OnEnter", &TQvRadioGroup::OnEnter);
  r.Event("OnExit", &TQvRadioGroup::OnExit);
  r.Event("OnKeyDown", &TQvRadioGroup::OnKeyDown);
  r.Event("OnKeyPress", &TQvRadioGroup::OnKeyPress);
  r.Message(qv::CM_FONTCHANGED, &TQvRadioGroup::CMFontChanged);
}

TQvRadioGroup::TQvRadioGroup(qv::TComponent* owner)
    : qv::TCustomGroupBox(owner), items_(std::make_unique<qv::TStringList>()) {
  items_->OnChange = [this](qv::TStringList&) {
    if (!IsLoading()) UpdateButtons();
  };
}

TQvRadioGroup::~TQvRadioGroup() {
  items_->OnChange = nullptr;
}

TQvGroupButton* TQvRadioGroup::Buttons(int index) const {
  if (index < 0 || index >= ButtonCount())
    throw qv::EListError("List index out of bounds (" + std::to_string(index) + ")");
  return buttons_[static_cast<size_t>(index)];
}

void TQvRadioGroup::Notification(qv::TComponent* component, qv::TOperation operation) {
  qv::TCustomGroupBox::Notification(component, operation);
  if (operation == qv::opRemove)
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), component), buttons_.end());
}

void TQvRadioGroup::UpdateButtons() {
  if (IsDestroying()) return;
  updating_ = true;
  const int wanted = items_->Count();
  while (ButtonCount() > wanted) buttons_.back()->Free();
  while (ButtonCount() < wanted) {
    auto* button = qv::Create<TQvGroupButton>(this);
    buttons_.push_back(button);
    button->SetParentShowHint(false);
    button->SetEnabled(Enabled());
    button->OnClick =
        qv::TNotifyEvent(this, [this](qv::TObject* sender) { ButtonClicked(sender); });
    button->SetParent(this);
  }
  if (item_index_ >= wanted) item_index_ = wanted - 1;
  for (int i = 0; i < wanted; ++i) {
    buttons_[static_cast<size_t>(i)]->SetCaption(items_->Strings(i));
    buttons_[static_cast<size_t>(i)]->SetChecked(i == item_index_);
  }
  updating_ = false;
  ArrangeButtons();
}

void TQvRadioGroup::ArrangeButtons() {
  const int count = ButtonCount();
  if (count == 0) return;
  const int text_height = Font()->TextHeight("0");
  const int rows = (count + columns_ - 1) / columns_;
  const int column_width = (Width() - 10) / columns_;
  const int room = Height() - text_height - 5;
  const int row_height = room / rows;
  const int top_margin = text_height + 1 + (room % rows) / 2;
  for (int i = 0; i < count; ++i) {
    buttons_[static_cast<size_t>(i)]->SetBounds(8 + (i / rows) * column_width,
                                                top_margin + (i % rows) * row_height, column_width,
                                                row_height);
  }
}

void TQvRadioGroup::ButtonClicked(qv::TObject* sender) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), sender);
  if (it == buttons_.end()) return;
  item_index_ = static_cast<int>(it - buttons_.begin());
  Click();
}

void TQvRadioGroup::SetItemIndex(int index) {
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

void TQvRadioGroup::SetColumns(int columns) {
  columns = std::clamp(columns, 1, 16);
  if (columns == columns_) return;
  columns_ = columns;
  ArrangeButtons();
  Invalidate();
}

void TQvRadioGroup::SetEnabled(bool enabled) {
  qv::TCustomGroupBox::SetEnabled(enabled);
  for (TQvGroupButton* button : buttons_) button->SetEnabled(enabled);
}

void TQvRadioGroup::Loaded() {
  qv::TCustomGroupBox::Loaded();
  const int index = item_index_;
  item_index_ = -1;
  UpdateButtons();
  SetItemIndex(index);
}

void TQvRadioGroup::CMFontChanged(qv::TMessage& message) {
  Inherited(message);
  ArrangeButtons();
}

void TQvRadioGroup::BoundsChanged(bool moved, bool resized) {
  qv::TCustomGroupBox::BoundsChanged(moved, resized);
  if (resized) ArrangeButtons();
}

}  // namespace ravlet
