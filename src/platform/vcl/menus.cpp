#include "platform/vcl/menus.h"

#include <algorithm>

#include "platform/text/string_utils.h"
#include "platform/vcl/label.h"

namespace qv {

namespace {

[[noreturn]] void IndexError() {
  throw EMenuError("Menu index out of range");
}

}  // namespace

// --------------------------------------------------------------- TMenuItem

QV_DEFINE_CLASS(TMenuItem, TComponent, r) {
  r.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
  r.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  r.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
  r.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
  r.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
  r.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
  r.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  r.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
  r.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
  r.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, "TShortCut");
  r.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
  r.Event("OnClick", &TMenuItem::OnClick);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

void TMenuItem::BeforeDestruction() {
  TComponent::BeforeDestruction();
  // The items below go with this one; those already on their way out (freed
  // with a common owner) are only let go.
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    if (child->IsDestroying()) {
      child->parent_ = nullptr;
      items_.pop_back();
    } else {
      child->Free();
    }
  }
  if (parent_ != nullptr) parent_->Remove(this);
}

void TMenuItem::Changed() {
  if (TMenu* menu = GetParentMenu()) menu->ItemChanged();
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked_ && radio_item_) TurnSiblingsOff();
  Changed();
}

void TMenuItem::SetRadioItem(bool radio_item) {
  if (radio_item == radio_item_) return;
  radio_item_ = radio_item;
  if (checked_ && radio_item_) TurnSiblingsOff();
  Changed();
}

void TMenuItem::SetGroupIndex(uint8_t group_index) {
  if (group_index == group_index_) return;
  group_index_ = group_index;
  if (checked_ && radio_item_) TurnSiblingsOff();
  Changed();
}

void TMenuItem::TurnSiblingsOff() {
  if (parent_ == nullptr) return;
  for (TMenuItem* sibling : parent_->items_) {
    if (sibling != this && sibling->radio_item_ && sibling->group_index_ == group_index_ &&
        sibling->checked_) {
      sibling->checked_ = false;
      sibling->Changed();
    }
  }
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetDefault(bool value) {
  if (value == default_) return;
  // One default item per level.
  if (value && parent_ != nullptr)
    for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
  default_ = value;
  Changed();
}

void TMenuItem::SetImageIndex(int index) {
  if (index == image_index_) return;
  image_index_ = index;
  Changed();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) IndexError();
  return items_[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TMenuItem::MenuIndex() const {
  return parent_ ? parent_->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int index) {
  if (parent_ == nullptr) return;
  TMenuItem* parent = parent_;
  const int current = parent->IndexOf(this);
  index = std::clamp(index, 0, parent->Count() - 1);
  if (index == current) return;
  parent->items_.erase(parent->items_.begin() + current);
  parent->items_.insert(parent->items_.begin() + index, this);
  Changed();
}

void TMenuItem::Add(TMenuItem* item) {
  Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr) throw EMenuError("No menu item to insert");
  if (item->parent_ != nullptr || item->menu_ != nullptr) throw EMenuError("Menu inserted twice");
  for (const TMenuItem* above = this; above != nullptr; above = above->parent_)
    if (above == item) throw EMenuError("A menu item cannot go below itself");
  if (index < 0 || index > Count()) IndexError();
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (item->checked_ && item->radio_item_) item->TurnSiblingsOff();
  Changed();
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) throw EMenuError("Sub-menu is not in menu");
  Delete(index);
}

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
  const std::string wanted = StripAccelChars(caption);
  for (TMenuItem* item : items_)
    if (SameText(StripAccelChars(item->caption_), wanted)) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return top->menu_;
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (auto_check_) SetChecked(!checked_ || radio_item_);
  OnClick(this);
}

// ------------------------------------------------------------------- TMenu

QV_DEFINE_CLASS(TMenu, TComponent, r) {}

QV_DEFINE_CLASS(TMainMenu, TMenu, r) {
  r.Property("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge);
  r.Property("Images", &TMainMenu::Images, &TMainMenu::SetImages);
  r.Property("Items", &TMainMenu::Items);
  r.Property("OwnerDraw", &TMainMenu::OwnerDraw, &TMainMenu::SetOwnerDraw);
  r.Event("OnChange", &TMainMenu::OnChange);
}

QV_DEFINE_CLASS(TPopupMenu, TMenu, r) {
  r.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment);
  r.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
  r.Property("Images", &TPopupMenu::Images, &TPopupMenu::SetImages);
  r.Property("Items", &TPopupMenu::Items);
  r.Property("OwnerDraw", &TPopupMenu::OwnerDraw, &TPopupMenu::SetOwnerDraw);
  r.Event("OnChange", &TPopupMenu::OnChange);
  r.Event("OnPopup", &TPopupMenu::OnPopup);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(Create<TMenuItem>(this)) {
  items_->menu_ = this;
}

void TMenu::SetOwnerDraw(bool owner_draw) {
  if (owner_draw == owner_draw_) return;
  owner_draw_ = owner_draw;
  ItemChanged();
}

void TMenu::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_ != nullptr) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_ != nullptr) images_->FreeNotification(this);
  ItemChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == items_) items_ = nullptr;
}

void TMenu::ItemChanged() {
  ++change_count_;
  OnChange(this);
}

// -------------------------------------------------------------- TPopupMenu

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == popup_component_) return;
  if (popup_component_ != nullptr) popup_component_->RemoveFreeNotification(this);
  popup_component_ = component;
  if (popup_component_ != nullptr) popup_component_->FreeNotification(this);
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  popup_point_ = {x, y};
  ++popup_count_;
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == popup_component_) popup_component_ = nullptr;
}

}  // namespace qv
