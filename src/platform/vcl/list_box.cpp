#include "platform/vcl/list_box.h"

#include <algorithm>

#include "platform/core/exception.h"

namespace qv {

namespace {

enum class TPick { kOnly, kToggle, kRange, kFocusOnly };

}  // namespace

QV_DEFINE_CLASS(TCustomListBox, TCustomListControl, r) {
  r.Message(WM_LBUTTONDOWN, &TCustomListBox::WMLButtonDown);
}

QV_DEFINE_CLASS(TListBox, TCustomListBox, r) {
  r.Property("Style", &TListBox::Style, &TListBox::SetStyle);
  r.Property("Align", &TListBox::Align, &TListBox::SetAlign);
  r.Property("Color", &TListBox::Color, &TListBox::SetColor, "TColor");
  r.Property("Ctl3D", &TListBox::Ctl3D, &TListBox::SetCtl3D);
  r.Property("Enabled", &TListBox::Enabled, &TListBox::SetEnabled);
  r.Property("ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect);
  r.Property("Font", &TListBox::Font, &TListBox::SetFont);
  r.Property("ImeMode", &TListBox::ImeMode, &TListBox::SetImeMode);
  r.Property("ImeName", &TListBox::ImeName, &TListBox::SetImeName);
  r.Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight);
  r.Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect);
  r.Property("ParentColor", &TListBox::ParentColor, &TListBox::SetParentColor);
  r.Property("ParentCtl3D", &TListBox::ParentCtl3D, &TListBox::SetParentCtl3D);
  r.Property("ParentFont", &TListBox::ParentFont, &TListBox::SetParentFont);
  r.Property("ParentShowHint", &TListBox::ParentShowHint, &TListBox::SetParentShowHint);
  r.Property("ShowHint", &TListBox::ShowHint, &TListBox::SetShowHint);
  r.Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted);
  r.Property("TabOrder", &TListBox::TabOrder, &TListBox::SetTabOrder);
  r.Property("TabStop", &TListBox::TabStop, &TListBox::SetTabStop);
  r.Property("Visible", &TListBox::Visible, &TListBox::SetVisible);
  r.Property("Items", &TListBox::Items, &TListBox::SetItems);
  r.Property("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
  r.Event("OnClick", &TListBox::OnClick);
  r.Event("OnDblClick", &TListBox::OnDblClick);
  r.Event("OnEnter", &TListBox::OnEnter);
  r.Event("OnExit", &TListBox::OnExit);
  r.Event("OnKeyDown", &TListBox::OnKeyDown);
  r.Event("OnKeyPress", &TListBox::OnKeyPress);
  r.Event("OnKeyUp", &TListBox::OnKeyUp);
  r.Event("OnMeasureItem", &TListBox::OnMeasureItem);
  r.Event("OnMouseDown", &TListBox::OnMouseDown);
  r.Event("OnMouseMove", &TListBox::OnMouseMove);
  r.Event("OnMouseUp", &TListBox::OnMouseUp);
}

TCustomListBox::TCustomListBox(TComponent* owner) : TCustomListControl(owner) {
  // OnClick follows the selection, not every press of the mouse; the list
  // shows no text of its own.
  SetControlStyle(ControlStyle() - TControlStyle{csClickEvents, csSetCaption});
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomListBox::CheckIndex(int index) const {
  if (index < 0 || index >= Items()->Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  MakeVisible(ItemIndex());
  Invalidate();
}

int TCustomListBox::ItemHeight() const {
  return style_ == lbStandard ? Font()->TextHeight("0") : item_height_;
}

void TCustomListBox::SetItemHeight(int height) {
  if (height < 1 || height == item_height_) return;
  item_height_ = height;
  Invalidate();
}

int TCustomListBox::HeightOf(int index) const {
  if (style_ != lbOwnerDrawVariable) return ItemHeight();
  int height = item_height_;
  OnMeasureItem(const_cast<TCustomListBox*>(this), index, height);
  return std::max(height, 1);
}

void TCustomListBox::SetMultiSelect(bool multi_select) {
  if (multi_select == multi_select_) return;
  multi_select_ = multi_select;
  std::fill(selected_.begin(), selected_.end(), 0);
  if (multi_select_ && ItemIndex() >= 0) selected_[static_cast<size_t>(ItemIndex())] = 1;
  anchor_ = ItemIndex();
  Invalidate();
}

bool TCustomListBox::Selected(int index) const {
  CheckIndex(index);
  return multi_select_ ? selected_[static_cast<size_t>(index)] != 0 : index == ItemIndex();
}

void TCustomListBox::SetSelected(int index, bool selected) {
  CheckIndex(index);
  if (!multi_select_) {
    if (selected)
      SetItemIndex(index);
    else if (index == ItemIndex())
      SetItemIndex(-1);
    return;
  }
  selected_[static_cast<size_t>(index)] = selected ? 1 : 0;
  Invalidate();
}

int TCustomListBox::SelCount() const {
  if (!multi_select_) return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
}

void TCustomListBox::ClearSelection() {
  if (multi_select_)
    std::fill(selected_.begin(), selected_.end(), 0);
  else
    SetItemIndex(-1);
  Invalidate();
}

void TCustomListBox::SelectAll() {
  if (!multi_select_) return;
  std::fill(selected_.begin(), selected_.end(), 1);
  Invalidate();
}

void TCustomListBox::SetItemIndex(int index) {
  TCustomListControl::SetItemIndex(index);
  MakeVisible(ItemIndex());
}

void TCustomListBox::SetTopIndex(int index) {
  index = std::clamp(index, 0, std::max(Items()->Count() - 1, 0));
  if (index == top_index_) return;
  top_index_ = index;
  Invalidate();
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
  const int count = Items()->Count();
  if (existing && !ClientRect().Contains(pos)) return -1;
  if (pos.Y < 0) return existing ? -1 : top_index_;
  int y = 0;
  for (int i = top_index_; i < count; ++i) {
    y += HeightOf(i);
    if (pos.Y < y) return i;
  }
  return existing ? -1 : count;
}

TRect TCustomListBox::ItemRect(int index) const {
  int top = 0;
  if (index >= top_index_) {
    for (int i = top_index_; i < index; ++i) top += HeightOf(i);
  } else {
    for (int i = index; i < top_index_; ++i) top -= HeightOf(i);
  }
  return Bounds(0, top, ClientWidth(), HeightOf(index));
}

int TCustomListBox::VisibleItemCount() const {
  const int count = Items()->Count();
  int shown = 0;
  int y = 0;
  for (int i = top_index_; i < count; ++i) {
    y += HeightOf(i);
    if (y > ClientHeight()) break;
    ++shown;
  }
  if (top_index_ + shown >= count) shown += (ClientHeight() - y) / std::max(ItemHeight(), 1);
  return std::max(shown, 1);
}

void TCustomListBox::MakeVisible(int index) {
  if (index < 0) return;
  if (index < top_index_) {
    SetTopIndex(index);
    return;
  }
  while (top_index_ < index && ItemRect(index).Bottom > ClientHeight()) SetTopIndex(top_index_ + 1);
}

void TCustomListBox::SelectRange(int from, int to) {
  std::fill(selected_.begin(), selected_.end(), 0);
  for (int i = std::min(from, to); i <= std::max(from, to); ++i)
    selected_[static_cast<size_t>(i)] = 1;
}

void TCustomListBox::FocusByUser(int index, TShiftState shift, bool toggle) {
  const int count = Items()->Count();
  if (count == 0) return;
  index = std::clamp(index, 0, count - 1);
  bool changed = false;
  if (!multi_select_) {
    changed = index != ItemIndex();
    StoreItemIndex(index);
  } else {
    const std::vector<char> before = selected_;
    TPick pick = TPick::kOnly;
    if (toggle)
      pick = TPick::kToggle;
    else if (!extended_select_)
      pick = TPick::kFocusOnly;
    else if (shift.Contains(ssShift) && anchor_ >= 0)
      pick = TPick::kRange;
    switch (pick) {
      case TPick::kToggle:
        selected_[static_cast<size_t>(index)] ^= 1;
        anchor_ = index;
        break;
      case TPick::kRange:
        SelectRange(anchor_, index);
        break;
      case TPick::kOnly:
        SelectRange(index, index);
        anchor_ = index;
        break;
      case TPick::kFocusOnly:
        break;
    }
    changed = selected_ != before;
    StoreItemIndex(index);
  }
  MakeVisible(index);
  Invalidate();
  if (changed) Click();
}

bool TCustomListBox::WantsKey(Word key, TShiftState) const {
  return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
}

void TCustomListBox::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYDOWN) {
    const TShiftState shift = KeyDataToShiftState(message.LParam);
    const int current = ItemIndex();
    const int last = Items()->Count() - 1;
    const int page = std::max(VisibleItemCount() - 1, 1);
    switch (message.WParam) {
      case VK_UP:
      case VK_LEFT:
        FocusByUser(current < 0 ? 0 : current - 1, shift, false);
        return;
      case VK_DOWN:
      case VK_RIGHT:
        FocusByUser(current + 1, shift, false);
        return;
      case VK_HOME:
        FocusByUser(0, shift, false);
        return;
      case VK_END:
        FocusByUser(last, shift, false);
        return;
      case VK_PRIOR:
        FocusByUser(current - page, shift, false);
        return;
      case VK_NEXT:
        FocusByUser(std::max(current, 0) + page, shift, false);
        return;
      default:
        break;
    }
  } else if (message.Msg == WM_CHAR && message.WParam == U' ' && multi_select_) {
    FocusByUser(std::max(ItemIndex(), 0), {}, true);
    return;
  }
  TCustomListControl::DefaultHandler(message);
}

void TCustomListBox::WMLButtonDown(TMessage& message) {
  Inherited(message);
  const int index = ItemAtPos({LParamX(message.LParam), LParamY(message.LParam)}, true);
  if (index < 0) return;
  const TShiftState shift = MouseFlagsToShiftState(message.WParam);
  const bool toggle = multi_select_ && (!extended_select_ || shift.Contains(ssCtrl));
  FocusByUser(index, shift, toggle);
}

void TCustomListBox::ItemInserted(int index) {
  TCustomListControl::ItemInserted(index);
  selected_.insert(selected_.begin() + index, 0);
  if (anchor_ >= index) ++anchor_;
}

void TCustomListBox::ItemDeleted(int index) {
  TCustomListControl::ItemDeleted(index);
  selected_.erase(selected_.begin() + index);
  if (anchor_ == index)
    anchor_ = -1;
  else if (anchor_ > index)
    --anchor_;
}

void TCustomListBox::ItemsCleared() {
  TCustomListControl::ItemsCleared();
  selected_.clear();
  anchor_ = -1;
  top_index_ = 0;
}

void TCustomListBox::ItemsReordered(const std::vector<int>& new_index) {
  TCustomListControl::ItemsReordered(new_index);
  std::vector<char> moved(selected_.size());
  for (size_t i = 0; i < new_index.size() && i < selected_.size(); ++i)
    moved[static_cast<size_t>(new_index[i])] = selected_[i];
  selected_ = std::move(moved);
  if (anchor_ >= 0 && anchor_ < static_cast<int>(new_index.size()))
    anchor_ = new_index[static_cast<size_t>(anchor_)];
}

void TCustomListBox::ListChanged() {
  if (top_index_ >= Items()->Count()) top_index_ = std::max(Items()->Count() - 1, 0);
  TCustomListControl::ListChanged();
}

}  // namespace qv
