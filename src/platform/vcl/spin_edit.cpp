#include "platform/vcl/spin_edit.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/text/string_utils.h"

namespace qv {

namespace {

// Width of the up and down buttons at the right edge.
constexpr int kButtonWidth = 15;

bool IsNumberChar(char32_t key) {
  return (key >= U'0' && key <= U'9') || key == U'+' || key == U'-';
}

}  // namespace

QV_DEFINE_CLASS(TSpinEdit, TCustomEdit, r) {
  r.Property("AutoSelect", &TSpinEdit::AutoSelect, &TSpinEdit::SetAutoSelect);
  r.Property("AutoSize", &TSpinEdit::AutoSize, &TSpinEdit::SetAutoSize);
  r.Property("Color", &TSpinEdit::Color, &TSpinEdit::SetColor, "TColor");
  r.Property("Ctl3D", &TSpinEdit::Ctl3D, &TSpinEdit::SetCtl3D);
  r.Property("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled);
  r.Property("Enabled", &TSpinEdit::Enabled, &TSpinEdit::SetEnabled);
  r.Property("Font", &TSpinEdit::Font, &TSpinEdit::SetFont);
  r.Property("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
  r.Property("MaxLength", &TSpinEdit::MaxLength, &TSpinEdit::SetMaxLength);
  r.Property("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
  r.Property("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
  r.Property("ParentColor", &TSpinEdit::ParentColor, &TSpinEdit::SetParentColor);
  r.Property("ParentCtl3D", &TSpinEdit::ParentCtl3D, &TSpinEdit::SetParentCtl3D);
  r.Property("ParentFont", &TSpinEdit::ParentFont, &TSpinEdit::SetParentFont);
  r.Property("ParentShowHint", &TSpinEdit::ParentShowHint, &TSpinEdit::SetParentShowHint);
  r.Property("ReadOnly", &TSpinEdit::ReadOnly, &TSpinEdit::SetReadOnly);
  r.Property("ShowHint", &TSpinEdit::ShowHint, &TSpinEdit::SetShowHint);
  r.Property("TabOrder", &TSpinEdit::TabOrder, &TSpinEdit::SetTabOrder);
  r.Property("TabStop", &TSpinEdit::TabStop, &TSpinEdit::SetTabStop);
  r.Property("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
  r.Property("Visible", &TSpinEdit::Visible, &TSpinEdit::SetVisible);
  r.Event("OnChange", &TSpinEdit::OnChange);
  r.Event("OnClick", &TSpinEdit::OnClick);
  r.Event("OnDblClick", &TSpinEdit::OnDblClick);
  r.Event("OnEnter", &TSpinEdit::OnEnter);
  r.Event("OnExit", &TSpinEdit::OnExit);
  r.Event("OnKeyDown", &TSpinEdit::OnKeyDown);
  r.Event("OnKeyPress", &TSpinEdit::OnKeyPress);
  r.Event("OnKeyUp", &TSpinEdit::OnKeyUp);
  r.Event("OnMouseDown", &TSpinEdit::OnMouseDown);
  r.Event("OnMouseMove", &TSpinEdit::OnMouseMove);
  r.Event("OnMouseUp", &TSpinEdit::OnMouseUp);
  r.Message(WM_LBUTTONDOWN, &TSpinEdit::WMLButtonDown);
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
  SetWidth(121);
  SetText("0");
}

int TSpinEdit::Value() const {
  int value = 0;
  return TryStrToInt(Trim(Text()), value) ? value : min_value_;
}

int TSpinEdit::CheckValue(int value) const {
  if (max_value_ == min_value_) return value;
  return std::clamp(value, std::min(min_value_, max_value_), std::max(min_value_, max_value_));
}

void TSpinEdit::SetValue(int value) {
  SetText(IntToStr(CheckValue(value)));
}

void TSpinEdit::Step(int delta) {
  if (ReadOnly()) return;
  const int64_t next = static_cast<int64_t>(Value()) + delta;
  SetValue(static_cast<int>(std::clamp<int64_t>(next, INT_MIN, INT_MAX)));
  SelectAll();
}

void TSpinEdit::UpClick() {
  Step(increment_);
}

void TSpinEdit::DownClick() {
  Step(-increment_);
}

void TSpinEdit::KeyDown(Word& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key == VK_UP) {
    UpClick();
    key = 0;
  } else if (key == VK_DOWN) {
    DownClick();
    key = 0;
  }
}

void TSpinEdit::KeyPress(char32_t& key) {
  TCustomEdit::KeyPress(key);
  if (key == 0) return;
  const bool editing_key = key >= 32 || key == 8;
  if (editing_key && (!editor_enabled_ || (key >= 32 && !IsNumberChar(key)))) key = 0;
}

void TSpinEdit::DoExit() {
  TCustomEdit::DoExit();
  const int value = Value();
  if (CheckValue(value) != value) SetValue(value);
}

void TSpinEdit::WMLButtonDown(TMessage& message) {
  Inherited(message);
  if (LParamX(message.LParam) < Width() - kButtonWidth) return;
  if (LParamY(message.LParam) < Height() / 2)
    UpClick();
  else
    DownClick();
}

}  // namespace qv
