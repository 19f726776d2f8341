#include "platform/vcl/label.h"

#include <algorithm>

#include "platform/text/string_utils.h"

namespace qv {

QV_DEFINE_CLASS(TCustomLabel, TGraphicControl, r) {
  r.Message(CM_TEXTCHANGED, &TCustomLabel::CMTextChanged);
  r.Message(CM_FONTCHANGED, &TCustomLabel::CMFontChanged);
}

QV_DEFINE_CLASS(TLabel, TCustomLabel, r) {
  r.Property("Align", &TLabel::Align, &TLabel::SetAlign);
  r.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment);
  r.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
  r.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
  r.Property("Color", &TLabel::Color, &TLabel::SetColor, "TColor");
  r.Property("Enabled", &TLabel::Enabled, &TLabel::SetEnabled);
  r.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  r.Property("Font", &TLabel::Font, &TLabel::SetFont);
  r.Property("Layout", &TLabel::Layout, &TLabel::SetLayout);
  r.Property("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor);
  r.Property("ParentFont", &TLabel::ParentFont, &TLabel::SetParentFont);
  r.Property("ParentShowHint", &TLabel::ParentShowHint, &TLabel::SetParentShowHint);
  r.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
  r.Property("ShowHint", &TLabel::ShowHint, &TLabel::SetShowHint);
  r.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
  r.Property("Visible", &TLabel::Visible, &TLabel::SetVisible);
  r.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
  r.Event("OnClick", &TLabel::OnClick);
  r.Event("OnDblClick", &TLabel::OnDblClick);
  r.Event("OnMouseDown", &TLabel::OnMouseDown);
  r.Event("OnMouseMove", &TLabel::OnMouseMove);
  r.Event("OnMouseUp", &TLabel::OnMouseUp);
}

std::string StripAccelChars(std::string_view text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        result += '&';
        ++i;
      }
      continue;
    }
    result += text[i];
  }
  return result;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

std::string TCustomLabel::DisplayText() const {
  return show_accel_char_ ? StripAccelChars(Caption()) : Caption();
}

void TCustomLabel::AdjustBounds() {
  if (!auto_size_ || IsLoading()) return;
  int width = 0;
  int lines = 0;
  for (const std::string& line :
       SplitString(StringReplace(DisplayText(), "\r\n", "\n", rfReplaceAll), '\n')) {
    width = std::max(width, Font()->TextWidth(line));
    ++lines;
  }
  const int height = std::max(lines, 1) * Font()->TextHeight("W");
  const int left = alignment_ == taRightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, height);
}

void TCustomLabel::SetAutoSize(bool auto_size) {
  if (auto_size == auto_size_) return;
  auto_size_ = auto_size;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool word_wrap) {
  if (word_wrap == word_wrap_) return;
  word_wrap_ = word_wrap;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show) {
  if (show == show_accel_char_) return;
  show_accel_char_ = show;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (focus_control_ != nullptr) focus_control_->RemoveFreeNotification(this);
  focus_control_ = control;
  if (focus_control_ != nullptr) focus_control_->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focus_control_) focus_control_ = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage& message) {
  Inherited(message);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& message) {
  Inherited(message);
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

}  // namespace qv
