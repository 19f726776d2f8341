#include "platform/vcl/edit.h"

#include <algorithm>

#include "platform/text/unicode.h"

namespace qv {

namespace {

std::u32string ToChars(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::u32string chars;
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t ch = units[i];
    if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    chars.push_back(ch);
  }
  return chars;
}

std::string FromChars(const std::u32string& chars) {
  std::u16string units;
  for (char32_t ch : chars) {
    if (ch >= 0x10000) {
      ch -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (ch >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (ch & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(ch));
    }
  }
  return Utf16ToUtf8(units);
}

char32_t ApplyCase(char32_t ch, TEditCharCase char_case) {
  if (char_case == ecUpperCase && ch >= U'a' && ch <= U'z') return ch - U'a' + U'A';
  if (char_case == ecLowerCase && ch >= U'A' && ch <= U'Z') return ch - U'A' + U'a';
  return ch;
}

}  // namespace

QV_DEFINE_CLASS(TCustomEdit, TWinControl, r) {
  r.Message(CM_FONTCHANGED, &TCustomEdit::CMFontChanged);
  r.Message(CM_CTL3DCHANGED, &TCustomEdit::CMCtl3DChanged);
}

QV_DEFINE_CLASS(TEdit, TCustomEdit, r) {
  r.Property("Align", &TEdit::Align, &TEdit::SetAlign);
  r.Property("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect);
  r.Property("AutoSize", &TEdit::AutoSize, &TEdit::SetAutoSize);
  r.Property("CharCase", &TEdit::CharCase, &TEdit::SetCharCase);
  r.Property("Color", &TEdit::Color, &TEdit::SetColor, "TColor");
  r.Property("Ctl3D", &TEdit::Ctl3D, &TEdit::SetCtl3D);
  r.Property("Enabled", &TEdit::Enabled, &TEdit::SetEnabled);
  r.Property("Font", &TEdit::Font, &TEdit::SetFont);
  r.Property("ImeMode", &TEdit::ImeMode, &TEdit::SetImeMode);
  r.Property("ImeName", &TEdit::ImeName, &TEdit::SetImeName);
  r.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
  r.Property("ParentColor", &TEdit::ParentColor, &TEdit::SetParentColor);
  r.Property("ParentFont", &TEdit::ParentFont, &TEdit::SetParentFont);
  r.Property("ParentShowHint", &TEdit::ParentShowHint, &TEdit::SetParentShowHint);
  r.Property("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar);
  r.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
  r.Property("ShowHint", &TEdit::ShowHint, &TEdit::SetShowHint);
  r.Property("TabOrder", &TEdit::TabOrder, &TEdit::SetTabOrder);
  r.Property("TabStop", &TEdit::TabStop, &TEdit::SetTabStop);
  r.Property("Text", &TEdit::Text, &TEdit::SetText);
  r.Property("Visible", &TEdit::Visible, &TEdit::SetVisible);
  r.Event("OnChange", &TEdit::OnChange);
  r.Event("OnClick", &TEdit::OnClick);
  r.Event("OnDblClick", &TEdit::OnDblClick);
  r.Event("OnEnter", &TEdit::OnEnter);
  r.Event("OnExit", &TEdit::OnExit);
  r.Event("OnKeyDown", &TEdit::OnKeyDown);
  r.Event("OnKeyPress", &TEdit::OnKeyPress);
  r.Event("OnKeyUp", &TEdit::OnKeyUp);
  r.Event("OnMouseDown", &TEdit::OnMouseDown);
  r.Event("OnMouseMove", &TEdit::OnMouseMove);
  r.Event("OnMouseUp", &TEdit::OnMouseUp);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  AdjustHeight();
}

std::u32string TCustomEdit::Characters() const {
  return ToChars(Text());
}

void TCustomEdit::SetCharacters(const std::u32string& characters, bool by_user) {
  const std::string text = FromChars(characters);
  if (text == Text()) return;
  TWinControl::SetText(text);
  if (by_user) modified_ = true;
  Change();
}

void TCustomEdit::SetText(const std::string& text) {
  std::u32string chars = ToChars(text);
  if (char_case_ != ecNormal)
    for (char32_t& ch : chars) ch = ApplyCase(ch, char_case_);
  sel_start_ = static_cast<int>(chars.size());
  sel_length_ = 0;
  SetCharacters(chars, false);
}

void TCustomEdit::SetMaxLength(int max_length) {
  max_length_ = std::max(max_length, 0);
}

void TCustomEdit::SetAutoSize(bool auto_size) {
  if (auto_size == auto_size_) return;
  auto_size_ = auto_size;
  AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase char_case) {
  if (char_case == char_case_) return;
  char_case_ = char_case;
  if (char_case_ != ecNormal) SetText(Text());
}

void TCustomEdit::SetSelStart(int start) {
  const int count = static_cast<int>(Characters().size());
  sel_start_ = std::clamp(start, 0, count);
  sel_length_ = 0;
}

void TCustomEdit::SetSelLength(int length) {
  const int count = static_cast<int>(Characters().size());
  sel_length_ = std::clamp(length, 0, count - sel_start_);
}

std::string TCustomEdit::SelText() const {
  const std::u32string chars = Characters();
  return FromChars(chars.substr(static_cast<size_t>(sel_start_), static_cast<size_t>(sel_length_)));
}

void TCustomEdit::SetSelText(const std::string& text) {
  ReplaceSelection(ToChars(text), false);
}

void TCustomEdit::SelectAll() {
  sel_start_ = 0;
  sel_length_ = static_cast<int>(Characters().size());
}

void TCustomEdit::ReplaceSelection(const std::u32string& text, bool by_user) {
  std::u32string chars = Characters();
  const size_t start = std::min(static_cast<size_t>(sel_start_), chars.size());
  const size_t length = std::min(static_cast<size_t>(sel_length_), chars.size() - start);
  std::u32string insert = text;
  for (char32_t& ch : insert) ch = ApplyCase(ch, char_case_);
  if (by_user && max_length_ > 0) {
    const size_t room = static_cast<size_t>(max_length_) -
                        std::min(static_cast<size_t>(max_length_), chars.size() - length);
    if (insert.size() > room) insert.resize(room);
  }
  chars.replace(start, length, insert);
  sel_start_ = static_cast<int>(start + insert.size());
  sel_length_ = 0;
  SetCharacters(chars, by_user);
}

void TCustomEdit::Change() {
  OnChange(this);
}

bool TCustomEdit::WantsKey(Word key, TShiftState) const {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TCustomEdit::DoEnter() {
  if (auto_select_ && !ControlState().Contains(csLButtonDown)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_CHAR) {
    const auto ch = static_cast<char32_t>(message.WParam);
    if (read_only_) return;
    if (ch == 8) {
      if (sel_length_ == 0 && sel_start_ > 0) {
        --sel_start_;
        sel_length_ = 1;
      }
      ReplaceSelection(U"", true);
    } else if (ch >= 32 && ch != 127) {
      ReplaceSelection(std::u32string(1, ch), true);
    }
    return;
  }
  if (message.Msg == WM_KEYDOWN) {
    const int count = static_cast<int>(Characters().size());
    switch (message.WParam) {
      case VK_DELETE:
        if (!read_only_) {
          if (sel_length_ == 0 && sel_start_ < count) sel_length_ = 1;
          ReplaceSelection(U"", true);
        }
        return;
      case VK_LEFT:
        SetSelStart(sel_length_ > 0 ? sel_start_ : sel_start_ - 1);
        return;
      case VK_RIGHT:
        SetSelStart(sel_length_ > 0 ? sel_start_ + sel_length_ : sel_start_ + 1);
        return;
      case VK_HOME:
        SetSelStart(0);
        return;
      case VK_END:
        SetSelStart(count);
        return;
      default:
        break;
    }
  }
  TWinControl::DefaultHandler(message);
}

void TCustomEdit::AdjustHeight() {
  if (!auto_size_ || IsLoading()) return;
  SetHeight(Font()->Em() + (Ctl3D() ? 8 : 6));
}

void TCustomEdit::CMFontChanged(TMessage& message) {
  Inherited(message);
  AdjustHeight();
}

void TCustomEdit::CMCtl3DChanged(TMessage& message) {
  Inherited(message);
  AdjustHeight();
}

}  // namespace qv
