#include "platform/vcl/status_bar.h"

#include <algorithm>

namespace qv {

// ------------------------------------------------------------ TStatusPanel

QV_DEFINE_CLASS(TStatusPanel, TCollectionItem, r) {
  r.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
  r.Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel);
  r.Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle);
  r.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  r.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

void TStatusPanel::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Changed();
}

void TStatusPanel::SetWidth(int width) {
  width = std::max(width, 0);
  if (width == width_) return;
  width_ = width;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  if (bevel == bevel_) return;
  bevel_ = bevel;
  Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

std::string TStatusPanel::DisplayName() const {
  return text_.empty() ? TCollectionItem::DisplayName() : text_;
}

void TStatusPanel::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TStatusPanel*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  text_ = other->text_;
  width_ = other->width_;
  alignment_ = other->alignment_;
  bevel_ = other->bevel_;
  style_ = other->style_;
  Changed(true);
}

// ----------------------------------------------------------- TStatusPanels

QV_DEFINE_CLASS(TStatusPanels, TCollection, r) {}

TStatusPanels::TStatusPanels(TStatusBar* bar) : TCollection(bar, "Panels"), bar_(bar) {}

std::unique_ptr<TCollectionItem> TStatusPanels::NewItem() {
  return std::make_unique<TStatusPanel>();
}

void TStatusPanels::Update(TCollectionItem*) {
  if (bar_ != nullptr) bar_->Invalidate();
}

// -------------------------------------------------------------- TStatusBar

QV_DEFINE_CLASS(TStatusBar, TWinControl, r) {
  r.Property("Align", &TStatusBar::Align, &TStatusBar::SetAlign);
  r.Property("Color", &TStatusBar::Color, &TStatusBar::SetColor, "TColor");
  r.Property("Enabled", &TStatusBar::Enabled, &TStatusBar::SetEnabled);
  r.Property("Font", &TStatusBar::Font, &TStatusBar::SetFont);
  r.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
  r.Property("ParentColor", &TStatusBar::ParentColor, &TStatusBar::SetParentColor);
  r.Property("ParentFont", &TStatusBar::ParentFont, &TStatusBar::SetParentFont);
  r.Property("ParentShowHint", &TStatusBar::ParentShowHint, &TStatusBar::SetParentShowHint);
  r.Property("ShowHint", &TStatusBar::ShowHint, &TStatusBar::SetShowHint);
  r.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
  r.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  r.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
  r.Property("Visible", &TStatusBar::Visible, &TStatusBar::SetVisible);
  r.Event("OnClick", &TStatusBar::OnClick);
  r.Event("OnDblClick", &TStatusBar::OnDblClick);
  r.Event("OnMouseDown", &TStatusBar::OnMouseDown);
  r.Event("OnMouseMove", &TStatusBar::OnMouseMove);
  r.Event("OnMouseUp", &TStatusBar::OnMouseUp);
  r.Event("OnResize", &TStatusBar::OnResize);
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
  SetColor(clBtnFace);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetPanels(TStatusPanels* panels) {
  if (panels != nullptr && panels != panels_.get()) panels_->Assign(panels);
}

void TStatusBar::SetSimplePanel(bool simple) {
  if (simple == simple_panel_) return;
  simple_panel_ = simple;
  Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& text) {
  if (text == simple_text_) return;
  simple_text_ = text;
  if (simple_panel_) Invalidate();
}

void TStatusBar::SetSizeGrip(bool size_grip) {
  if (size_grip == size_grip_) return;
  size_grip_ = size_grip;
  Invalidate();
}

TRect TStatusBar::PanelRect(int index) const {
  const TStatusPanel* panel = panels_->Items(index);
  int left = 0;
  for (int i = 0; i < index; ++i) left += panels_->Items(i)->Width();
  const bool last = index == panels_->Count() - 1;
  const int right = last ? std::max(ClientWidth(), left) : left + panel->Width();
  return Rect(left, 0, right, ClientHeight());
}

int TStatusBar::PanelAt(int x) const {
  if (simple_panel_ || x < 0 || x >= ClientWidth()) return -1;
  for (int i = 0; i < panels_->Count(); ++i) {
    const TRect r = PanelRect(i);
    if (x >= r.Left && x < r.Right) return i;
  }
  return -1;
}

}  // namespace qv
