#include "platform/vcl/mask_edit.h"

#include <algorithm>

#include "platform/vcl/text_chars.h"

namespace qv {

namespace {

bool IsDigit(char32_t ch) {
  return ch >= U'0' && ch <= U'9';
}

// Characters beyond ASCII count as letters: the windows type Chinese text.
bool IsLetter(char32_t ch) {
  return (ch >= U'a' && ch <= U'z') || (ch >= U'A' && ch <= U'Z') || ch >= 0x80;
}

bool IsMaskChar(char32_t ch) {
  switch (ch) {
    case U'0':
    case U'9':
    case U'#':
    case U'L':
    case U'l':
    case U'A':
    case U'a':
    case U'C':
    case U'c':
      return true;
    default:
      return false;
  }
}

bool IsRequired(char32_t mask_char) {
  return mask_char == U'0' || mask_char == U'L' || mask_char == U'A' || mask_char == U'C';
}

bool Accepts(char32_t mask_char, char32_t ch) {
  switch (mask_char) {
    case U'0':
    case U'9':
      return IsDigit(ch);
    case U'#':
      return IsDigit(ch) || ch == U'+' || ch == U'-';
    case U'L':
    case U'l':
      return IsLetter(ch);
    case U'A':
    case U'a':
      return IsLetter(ch) || IsDigit(ch);
    case U'C':
    case U'c':
      return ch >= 32 && ch != 127;
    default:
      return false;
  }
}

char32_t ApplyCase(char32_t ch, int case_mode) {
  if (case_mode > 0 && ch >= U'a' && ch <= U'z') return ch - U'a' + U'A';
  if (case_mode < 0 && ch >= U'A' && ch <= U'Z') return ch - U'A' + U'a';
  return ch;
}

}  // namespace

TEditMaskLayout TEditMaskLayout::Parse(std::string_view edit_mask) {
  TEditMaskLayout layout;
  const std::u32string chars = Utf8ToChars(edit_mask);
  size_t i = 0;
  int case_mode = 0;
  for (; i < chars.size(); ++i) {
    const char32_t ch = chars[i];
    if (ch == U';') break;
    const char32_t next = i + 1 < chars.size() ? chars[i + 1] : 0;
    if (ch == U'\\') {
      if (next != 0) layout.Positions.push_back({true, next, 0});
      ++i;
    } else if (ch == U'!') {
      layout.LeadingBlanks = true;
    } else if (ch == U'>' || ch == U'<') {
      if ((ch == U'>' && next == U'<') || (ch == U'<' && next == U'>')) {
        case_mode = 0;
        ++i;
      } else {
        case_mode = ch == U'>' ? 1 : -1;
      }
    } else if (ch == U'_') {
      layout.Positions.push_back({true, U' ', 0});
    } else if (IsMaskChar(ch)) {
      layout.Positions.push_back({false, ch, case_mode});
    } else {
      layout.Positions.push_back({true, ch, 0});
    }
  }
  if (i < chars.size()) {
    size_t end = i + 1;
    while (end < chars.size() && chars[end] != U';') ++end;
    if (end > i + 1 && chars[i + 1] == U'0') layout.SaveLiterals = false;
    if (end + 1 < chars.size()) layout.Blank = chars[end + 1];
  }
  return layout;
}

int TEditMaskLayout::InputCount() const {
  return static_cast<int>(
      std::count_if(Positions.begin(), Positions.end(), [](const auto& p) { return !p.Literal; }));
}

std::u32string TEditMaskLayout::Fit(std::u32string_view text) const {
  std::u32string padded;
  const int inputs = InputCount();
  if (LeadingBlanks && !SaveLiterals && static_cast<int>(text.size()) < inputs) {
    padded.assign(static_cast<size_t>(inputs) - text.size(), U' ');
    padded.append(text);
    text = padded;
  }
  std::u32string cells(Positions.size(), 0);
  size_t k = 0;
  for (size_t p = 0; p < Positions.size(); ++p) {
    const TMaskPosition& pos = Positions[p];
    if (pos.Literal) {
      cells[p] = pos.Char;
      if (k < text.size() && text[k] == pos.Char) ++k;
      continue;
    }
    if (k >= text.size()) continue;
    const char32_t ch = text[k++];
    if (ch != U' ' && ch != Blank && Accepts(pos.Char, ch)) cells[p] = ApplyCase(ch, pos.CaseMode);
  }
  return cells;
}

std::u32string TEditMaskLayout::MaskedText(const std::u32string& cells) const {
  std::u32string text;
  for (size_t p = 0; p < Positions.size(); ++p) {
    if (Positions[p].Literal) {
      if (SaveLiterals) text.push_back(Positions[p].Char);
    } else {
      text.push_back(cells[p] != 0 ? cells[p] : U' ');
    }
  }
  if (!SaveLiterals) {
    if (LeadingBlanks)
      text.erase(0, std::min(text.find_first_not_of(U' '), text.size()));
    else
      text.erase(text.find_last_not_of(U' ') + 1);
  }
  return text;
}

std::u32string TEditMaskLayout::DisplayText(const std::u32string& cells) const {
  std::u32string text;
  for (size_t p = 0; p < Positions.size(); ++p)
    text.push_back(Positions[p].Literal ? Positions[p].Char : (cells[p] != 0 ? cells[p] : Blank));
  return text;
}

std::string FormatMaskText(const std::string& edit_mask, const std::string& value) {
  const TEditMaskLayout layout = TEditMaskLayout::Parse(edit_mask);
  if (layout.Positions.empty()) return value;
  return CharsToUtf8(layout.MaskedText(layout.Fit(Utf8ToChars(value))));
}

QV_DEFINE_CLASS(TCustomMaskEdit, TCustomEdit, r) {}

QV_DEFINE_CLASS(TMaskEdit, TCustomMaskEdit, r) {
  r.Property("Align", &TMaskEdit::Align, &TMaskEdit::SetAlign);
  r.Property("AutoSelect", &TMaskEdit::AutoSelect, &TMaskEdit::SetAutoSelect);
  r.Property("AutoSize", &TMaskEdit::AutoSize, &TMaskEdit::SetAutoSize);
  r.Property("CharCase", &TMaskEdit::CharCase, &TMaskEdit::SetCharCase);
  r.Property("Color", &TMaskEdit::Color, &TMaskEdit::SetColor, "TColor");
  r.Property("Ctl3D", &TMaskEdit::Ctl3D, &TMaskEdit::SetCtl3D);
  r.Property("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask);
  r.Property("Enabled", &TMaskEdit::Enabled, &TMaskEdit::SetEnabled);
  r.Property("Font", &TMaskEdit::Font, &TMaskEdit::SetFont);
  r.Property("ImeMode", &TMaskEdit::ImeMode, &TMaskEdit::SetImeMode);
  r.Property("ImeName", &TMaskEdit::ImeName, &TMaskEdit::SetImeName);
  r.Property("MaxLength", &TMaskEdit::MaxLength, &TMaskEdit::SetMaxLength);
  r.Property("ParentColor", &TMaskEdit::ParentColor, &TMaskEdit::SetParentColor);
  r.Property("ParentCtl3D", &TMaskEdit::ParentCtl3D, &TMaskEdit::SetParentCtl3D);
  r.Property("ParentFont", &TMaskEdit::ParentFont, &TMaskEdit::SetParentFont);
  r.Property("ParentShowHint", &TMaskEdit::ParentShowHint, &TMaskEdit::SetParentShowHint);
  r.Property("PasswordChar", &TMaskEdit::PasswordChar, &TMaskEdit::SetPasswordChar);
  r.Property("ReadOnly", &TMaskEdit::ReadOnly, &TMaskEdit::SetReadOnly);
  r.Property("ShowHint", &TMaskEdit::ShowHint, &TMaskEdit::SetShowHint);
  r.Property("TabOrder", &TMaskEdit::TabOrder, &TMaskEdit::SetTabOrder);
  r.Property("TabStop", &TMaskEdit::TabStop, &TMaskEdit::SetTabStop);
  r.Property("Text", &TMaskEdit::Text, &TMaskEdit::SetText);
  r.Property("Visible", &TMaskEdit::Visible, &TMaskEdit::SetVisible);
  r.Event("OnChange", &TMaskEdit::OnChange);
  r.Event("OnClick", &TMaskEdit::OnClick);
  r.Event("OnDblClick", &TMaskEdit::OnDblClick);
  r.Event("OnEnter", &TMaskEdit::OnEnter);
  r.Event("OnExit", &TMaskEdit::OnExit);
  r.Event("OnKeyDown", &TMaskEdit::OnKeyDown);
  r.Event("OnKeyPress", &TMaskEdit::OnKeyPress);
  r.Event("OnKeyUp", &TMaskEdit::OnKeyUp);
  r.Event("OnMouseDown", &TMaskEdit::OnMouseDown);
  r.Event("OnMouseMove", &TMaskEdit::OnMouseMove);
  r.Event("OnMouseUp", &TMaskEdit::OnMouseUp);
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::SetEditMask(const std::string& mask) {
  if (mask == edit_mask_) return;
  // The text is carried over in the old mask's form with its literals, so
  // the old blank character is not taken for typed characters.
  const std::u32string current =
      IsMasked()
          ? TEditMaskLayout{layout_.Positions, true, layout_.Blank, false}.MaskedText(Cells())
          : Utf8ToChars(EditText());
  edit_mask_ = mask;
  layout_ = TEditMaskLayout::Parse(mask);
  if (!IsMasked()) {
    SetMaxLength(0);
    return;
  }
  SetMaxLength(static_cast<int>(layout_.Positions.size()));
  StoreCells(layout_.Fit(current), false);
  SetSelStart(0);
}

std::u32string TCustomMaskEdit::Cells() const {
  const std::u32string shown = Utf8ToChars(EditText());
  if (shown.size() != layout_.Positions.size()) return layout_.Fit(shown);
  std::u32string cells(shown.size(), 0);
  for (size_t p = 0; p < shown.size(); ++p) {
    const TMaskPosition& pos = layout_.Positions[p];
    if (pos.Literal)
      cells[p] = pos.Char;
    else if (shown[p] != layout_.Blank && Accepts(pos.Char, shown[p]))
      cells[p] = shown[p];
  }
  return cells;
}

bool TCustomMaskEdit::StoreCells(const std::u32string& cells, bool by_user) {
  const std::string text = CharsToUtf8(layout_.DisplayText(cells));
  if (text == EditText()) return false;
  TControl::SetText(text);
  if (by_user) SetModified(true);
  Change();
  return true;
}

std::string TCustomMaskEdit::Text() const {
  if (!IsMasked()) return EditText();
  return CharsToUtf8(layout_.MaskedText(Cells()));
}

void TCustomMaskEdit::SetText(const std::string& text) {
  if (!IsMasked()) {
    TCustomEdit::SetText(text);
    return;
  }
  StoreCells(layout_.Fit(Utf8ToChars(text)), false);
  SetSelStart(0);
}

void TCustomMaskEdit::SetEditText(const std::string& text) {
  SetText(text);
}

int TCustomMaskEdit::NextInput(int from) const {
  const int count = static_cast<int>(layout_.Positions.size());
  for (int p = std::max(from, 0); p < count; ++p)
    if (!layout_.Positions[p].Literal) return p;
  return -1;
}

int TCustomMaskEdit::PreviousInput(int from) const {
  for (int p = std::min(from, static_cast<int>(layout_.Positions.size())) - 1; p >= 0; --p)
    if (!layout_.Positions[p].Literal) return p;
  return -1;
}

void TCustomMaskEdit::ClearRange(std::u32string& cells, int start, int length) const {
  const int end = std::min(start + length, static_cast<int>(cells.size()));
  for (int p = std::max(start, 0); p < end; ++p)
    if (!layout_.Positions[p].Literal) cells[p] = 0;
}

void TCustomMaskEdit::TypeChar(char32_t ch) {
  const int start = SelStart();
  const int length = SelLength();
  const auto& positions = layout_.Positions;
  if (length == 0 && start < static_cast<int>(positions.size()) && positions[start].Literal &&
      positions[start].Char == ch) {
    SetSelStart(start + 1);
    return;
  }
  const int target = NextInput(start);
  if (target < 0 || !Accepts(positions[target].Char, ch)) return;
  std::u32string cells = Cells();
  ClearRange(cells, start, length);
  cells[target] = ApplyCase(ch, positions[target].CaseMode);
  StoreCells(cells, true);
  const int next = NextInput(target + 1);
  SetSelStart(next < 0 ? static_cast<int>(positions.size()) : next);
}

void TCustomMaskEdit::EraseChar(bool backwards) {
  const int start = SelStart();
  const int length = SelLength();
  std::u32string cells = Cells();
  int caret = start;
  if (length > 0) {
    ClearRange(cells, start, length);
  } else {
    const int target = backwards ? PreviousInput(start) : NextInput(start);
    if (target < 0) return;
    cells[target] = 0;
    if (backwards) caret = target;
  }
  StoreCells(cells, true);
  SetSelStart(caret);
}

void TCustomMaskEdit::DefaultHandler(TMessage& message) {
  if (IsMasked() && !ReadOnly()) {
    if (message.Msg == WM_CHAR) {
      const auto ch = static_cast<char32_t>(message.WParam);
      if (ch == 8)
        EraseChar(true);
      else if (ch >= 32 && ch != 127)
        TypeChar(ch);
      return;
    }
    if (message.Msg == WM_KEYDOWN && message.WParam == VK_DELETE) {
      EraseChar(false);
      return;
    }
  }
  TCustomEdit::DefaultHandler(message);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  const std::u32string cells = Cells();
  for (size_t p = 0; p < cells.size(); ++p) {
    const TMaskPosition& pos = layout_.Positions[p];
    if (pos.Literal || cells[p] != 0 || !IsRequired(pos.Char)) continue;
    SetSelStart(static_cast<int>(p));
    throw EDBEditError("Invalid input value: position " + std::to_string(p + 1) + " of \"" +
                       EditText() + "\" must be filled (edit mask \"" + edit_mask_ + "\")");
  }
}

}  // namespace qv
