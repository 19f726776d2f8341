#include "platform/vcl/combo_box.h"

#include <algorithm>

#include "platform/vcl/text_chars.h"

namespace qv {

namespace {

// Width of the button that opens the list, at the right edge.
constexpr int kButtonWidth = 17;

char32_t FoldCase(char32_t ch) {
  return ch >= U'A' && ch <= U'Z' ? ch - U'A' + U'a' : ch;
}

}  // namespace

QV_DEFINE_CLASS(TCustomComboBox, TCustomListControl, r) {
  r.Message(WM_LBUTTONDOWN, &TCustomComboBox::WMLButtonDown);
}

QV_DEFINE_CLASS(TComboBox, TCustomComboBox, r) {
  r.Property("Style", &TComboBox::Style, &TComboBox::SetStyle);
  r.Property("Align", &TComboBox::Align, &TComboBox::SetAlign);
  r.Property("Color", &TComboBox::Color, &TComboBox::SetColor, "TColor");
  r.Property("Ctl3D", &TComboBox::Ctl3D, &TComboBox::SetCtl3D);
  r.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
  r.Property("Enabled", &TComboBox::Enabled, &TComboBox::SetEnabled);
  r.Property("Font", &TComboBox::Font, &TComboBox::SetFont);
  r.Property("ImeMode", &TComboBox::ImeMode, &TComboBox::SetImeMode);
  r.Property("ImeName", &TComboBox::ImeName, &TComboBox::SetImeName);
  r.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
  r.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
  r.Property("ParentColor", &TComboBox::ParentColor, &TComboBox::SetParentColor);
  r.Property("ParentCtl3D", &TComboBox::ParentCtl3D, &TComboBox::SetParentCtl3D);
  r.Property("ParentFont", &TComboBox::ParentFont, &TComboBox::SetParentFont);
  r.Property("ParentShowHint", &TComboBox::ParentShowHint, &TComboBox::SetParentShowHint);
  r.Property("ShowHint", &TComboBox::ShowHint, &TComboBox::SetShowHint);
  r.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
  r.Property("TabOrder", &TComboBox::TabOrder, &TComboBox::SetTabOrder);
  r.Property("TabStop", &TComboBox::TabStop, &TComboBox::SetTabStop);
  r.Property("Visible", &TComboBox::Visible, &TComboBox::SetVisible);
  // The items come before the index and the text that select among them.
  r.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
  r.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  r.Property("Text", &TComboBox::Text, &TComboBox::SetText);
  r.Event("OnChange", &TComboBox::OnChange);
  r.Event("OnClick", &TComboBox::OnClick);
  r.Event("OnCloseUp", &TComboBox::OnCloseUp);
  r.Event("OnDblClick", &TComboBox::OnDblClick);
  r.Event("OnDropDown", &TComboBox::OnDropDown);
  r.Event("OnEnter", &TComboBox::OnEnter);
  r.Event("OnExit", &TComboBox::OnExit);
  r.Event("OnKeyDown", &TComboBox::OnKeyDown);
  r.Event("OnKeyPress", &TComboBox::OnKeyPress);
  r.Event("OnKeyUp", &TComboBox::OnKeyUp);
  r.Event("OnSelect", &TComboBox::OnSelect);
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomListControl(owner) {
  // The text is the edit part's or the selected item's, never the name;
  // OnClick follows the selection, not every press of the mouse.
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption, csClickEvents});
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  if (style_ == csSimple) SetDroppedDown(false);
  if (!HasEditPart()) SetEditText(ItemIndex() >= 0 ? Items()->Strings(ItemIndex()) : "");
  Invalidate();
}

void TCustomComboBox::SetEditText(const std::string& text) {
  TCustomListControl::SetText(text);
  sel_start_ = static_cast<int>(Utf8ToChars(text).size());
  sel_length_ = 0;
}

void TCustomComboBox::SetText(const std::string& text) {
  if (HasEditPart()) {
    SetEditText(text);
    int match = -1;
    for (int i = 0; i < Items()->Count() && match < 0; ++i)
      if (Items()->Strings(i) == text) match = i;
    StoreItemIndex(match);
    return;
  }
  if (text.empty()) {
    StoreItemIndex(-1);
    return;
  }
  const int index = Items()->IndexOf(text);
  if (index >= 0) StoreItemIndex(index);
}

void TCustomComboBox::SetItemIndex(int index) {
  const int previous = ItemIndex();
  TCustomListControl::SetItemIndex(index);
  // Selecting nothing from code empties the edit part as well.
  if (HasEditPart() && ItemIndex() < 0 && previous >= 0) SetEditText("");
}

void TCustomComboBox::SelectionChanged(int previous) {
  TCustomListControl::SelectionChanged(previous);
  if (ItemIndex() >= 0) {
    const std::string text = Items()->Strings(ItemIndex());
    if (text != Text()) SetEditText(text);
  } else if (!HasEditPart()) {
    SetEditText("");
  }
}

void TCustomComboBox::ItemsCleared() {
  TCustomListControl::ItemsCleared();
  // Emptying the list empties the edit part too.
  SetEditText("");
}

void TCustomComboBox::SetMaxLength(int max_length) {
  max_length_ = std::max(max_length, 0);
}

void TCustomComboBox::SetItemHeight(int height) {
  if (height > 0 && height != item_height_) {
    item_height_ = height;
    Invalidate();
  }
}

void TCustomComboBox::SetDroppedDown(bool dropped_down) {
  if (style_ == csSimple) dropped_down = false;
  if (dropped_down == dropped_down_) return;
  dropped_down_ = dropped_down;
  if (dropped_down_)
    OnDropDown(this);
  else
    OnCloseUp(this);
}

void TCustomComboBox::SetSelStart(int start) {
  const int count = static_cast<int>(Utf8ToChars(Text()).size());
  sel_start_ = std::clamp(start, 0, count);
  sel_length_ = 0;
}

void TCustomComboBox::SetSelLength(int length) {
  const int count = static_cast<int>(Utf8ToChars(Text()).size());
  sel_length_ = std::clamp(length, 0, count - sel_start_);
}

std::string TCustomComboBox::SelText() const {
  const std::u32string chars = Utf8ToChars(Text());
  return CharsToUtf8(
      chars.substr(static_cast<size_t>(sel_start_), static_cast<size_t>(sel_length_)));
}

void TCustomComboBox::SelectAll() {
  sel_start_ = 0;
  sel_length_ = static_cast<int>(Utf8ToChars(Text()).size());
}

void TCustomComboBox::Change() {
  OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::SelectByUser(int index) {
  if (index < 0 || index >= Items()->Count() || index == ItemIndex()) return;
  StoreItemIndex(index);
  if (HasEditPart()) SelectAll();
  Click();
  Select();
}

void TCustomComboBox::EditByUser(const std::u32string& characters, int caret) {
  const std::string text = CharsToUtf8(characters);
  if (text == Text()) {
    sel_start_ = caret;
    sel_length_ = 0;
    return;
  }
  TCustomListControl::SetText(text);
  sel_start_ = caret;
  sel_length_ = 0;
  int match = -1;
  for (int i = 0; i < Items()->Count() && match < 0; ++i)
    if (Items()->Strings(i) == text) match = i;
  StoreItemIndex(match);
  Change();
}

void TCustomComboBox::TypeCharacter(char32_t ch) {
  std::u32string chars = Utf8ToChars(Text());
  const size_t start = std::min(static_cast<size_t>(sel_start_), chars.size());
  const size_t length = std::min(static_cast<size_t>(sel_length_), chars.size() - start);
  if (ch == 8) {
    if (length > 0)
      chars.erase(start, length);
    else if (start > 0)
      chars.erase(start - 1, 1);
    EditByUser(chars, static_cast<int>(length > 0 || start == 0 ? start : start - 1));
    return;
  }
  if (max_length_ > 0 && chars.size() - length >= static_cast<size_t>(max_length_)) return;
  chars.replace(start, length, 1, ch);
  EditByUser(chars, static_cast<int>(start + 1));
}

int TCustomComboBox::FindItemStartingWith(char32_t ch) const {
  const int count = Items()->Count();
  for (int step = 1; step <= count; ++step) {
    const int index = (std::max(ItemIndex(), -1) + step + count) % count;
    const std::u32string chars = Utf8ToChars(Items()->Strings(index));
    if (!chars.empty() && FoldCase(chars.front()) == FoldCase(ch)) return index;
  }
  return -1;
}

bool TCustomComboBox::WantsKey(Word key, TShiftState) const {
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
      return true;
    case VK_RETURN:
    case VK_ESCAPE:
      return dropped_down_;
    default:
      return false;
  }
}

void TCustomComboBox::DoEnter() {
  if (HasEditPart()) SelectAll();
  TCustomListControl::DoEnter();
}

void TCustomComboBox::DoExit() {
  SetDroppedDown(false);
  TCustomListControl::DoExit();
}

void TCustomComboBox::WMLButtonDown(TMessage& message) {
  Inherited(message);
  // The list opens from its button, or from anywhere without edit part.
  if (style_ != csSimple && (!HasEditPart() || LParamX(message.LParam) >= Width() - kButtonWidth))
    SetDroppedDown(!dropped_down_);
}

void TCustomComboBox::HandleKeyDown(Word key, TShiftState shift) {
  const int count = Items()->Count();
  const int last = count - 1;
  const int current = ItemIndex();
  const bool edit = HasEditPart();
  const int chars = static_cast<int>(Utf8ToChars(Text()).size());
  switch (key) {
    case VK_F4:
      SetDroppedDown(!dropped_down_);
      return;
    case VK_UP:
    case VK_DOWN:
      if (shift.Contains(ssAlt)) {
        SetDroppedDown(!dropped_down_);
        return;
      }
      if (count > 0)
        SelectByUser(key == VK_DOWN ? std::min(current + 1, last) : std::max(current - 1, 0));
      return;
    case VK_LEFT:
    case VK_RIGHT:
      if (edit) {
        const int edge = key == VK_LEFT ? sel_start_ : sel_start_ + sel_length_;
        SetSelStart(sel_length_ > 0 ? edge : edge + (key == VK_LEFT ? -1 : 1));
      } else if (count > 0) {
        SelectByUser(key == VK_RIGHT ? std::min(current + 1, last) : std::max(current - 1, 0));
      }
      return;
    case VK_HOME:
    case VK_END:
      if (edit)
        SetSelStart(key == VK_HOME ? 0 : chars);
      else if (count > 0)
        SelectByUser(key == VK_HOME ? 0 : last);
      return;
    case VK_PRIOR:
    case VK_NEXT:
      if (count > 0) {
        const int page = std::max(drop_down_count_ - 1, 1);
        SelectByUser(key == VK_NEXT ? std::min(std::max(current, 0) + page, last)
                                    : std::max(current - page, 0));
      }
      return;
    case VK_RETURN:
    case VK_ESCAPE:
      SetDroppedDown(false);
      return;
    case VK_DELETE:
      if (edit) {
        std::u32string text = Utf8ToChars(Text());
        const size_t start = std::min(static_cast<size_t>(sel_start_), text.size());
        const size_t length = sel_length_ > 0 ? static_cast<size_t>(sel_length_) : 1;
        if (start < text.size()) text.erase(start, length);
        EditByUser(text, static_cast<int>(start));
      }
      return;
    default:
      return;
  }
}

void TCustomComboBox::DefaultHandler(TMessage& message) {
  switch (message.Msg) {
    case WM_KEYDOWN:
      HandleKeyDown(static_cast<Word>(message.WParam), KeyDataToShiftState(message.LParam));
      return;
    case WM_CHAR: {
      const auto ch = static_cast<char32_t>(message.WParam);
      if (HasEditPart()) {
        if (ch == 8 || (ch >= 32 && ch != 127)) TypeCharacter(ch);
      } else if (ch >= 32 && ch != 127) {
        SelectByUser(FindItemStartingWith(ch));
      }
      return;
    }
    default:
      break;
  }
  TCustomListControl::DefaultHandler(message);
}

}  // namespace qv
