#include "platform/vcl/graphics_objects.h"

#include <algorithm>

namespace qv {

QV_DEFINE_CLASS(TPen, TPersistent, r) {
  r.Property("Color", &TPen::Color, &TPen::SetColor, "TColor");
  r.Property("Style", &TPen::Style, &TPen::SetStyle);
  r.Property("Width", &TPen::Width, &TPen::SetWidth);
}

QV_DEFINE_CLASS(TBrush, TPersistent, r) {
  r.Property("Color", &TBrush::Color, &TBrush::SetColor, "TColor");
  r.Property("Style", &TBrush::Style, &TBrush::SetStyle);
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  OnChange(this);
}

void TPen::SetWidth(int width) {
  width = std::max(width, 1);
  if (width == width_) return;
  width_ = width;
  OnChange(this);
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  OnChange(this);
}

void TPen::Assign(const TPersistent* source) {
  if (const auto* pen = dynamic_cast<const TPen*>(source)) {
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    OnChange(this);
    return;
  }
  TPersistent::Assign(source);
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ != bsClear) return;
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
  OnChange(this);
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  OnChange(this);
}

void TBrush::Assign(const TPersistent* source) {
  if (const auto* brush = dynamic_cast<const TBrush*>(source)) {
    color_ = brush->color_;
    style_ = brush->style_;
    OnChange(this);
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace qv
