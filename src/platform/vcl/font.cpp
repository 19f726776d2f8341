#include "platform/vcl/font.h"

#include <cstdlib>

#include "platform/text/string_utils.h"
#include "platform/vcl/type_info.h"

namespace qv {

namespace {

bool RegisterCharsetIdents() {
  RegisterIntegerConsts("TFontCharset", {{"ANSI_CHARSET", ANSI_CHARSET},
                                         {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                         {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                         {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
                                         {"HANGEUL_CHARSET", HANGEUL_CHARSET},
                                         {"GB2312_CHARSET", GB2312_CHARSET},
                                         {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
                                         {"OEM_CHARSET", OEM_CHARSET}});
  return true;
}

[[maybe_unused]] const bool kCharsetsRegistered = RegisterCharsetIdents();

}  // namespace

QV_DEFINE_CLASS(TFont, TPersistent, r) {
  r.Property("Charset", &TFont::Charset, &TFont::SetCharset, "TFontCharset");
  r.Property("Color", &TFont::Color, &TFont::SetColor, "TColor");
  r.Property("Height", &TFont::Height, &TFont::SetHeight);
  r.Property("Name", &TFont::Name, &TFont::SetName);
  r.Property("Pitch", &TFont::Pitch, &TFont::SetPitch);
  r.Property("Size", &TFont::Size, &TFont::SetSize);
  r.Property("Style", &TFont::Style, &TFont::SetStyle, "TFontStyles");
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t half = std::llabs(c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const {
  return -MulDiv(height_, 72, kPixelsPerInch);
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

void TFont::Assign(const TPersistent* source) {
  if (const auto* font = dynamic_cast<const TFont*>(source)) {
    if (SameAs(*font)) return;
    name_ = font->name_;
    height_ = font->height_;
    charset_ = font->charset_;
    color_ = font->color_;
    style_ = font->style_;
    pitch_ = font->pitch_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && charset_ == other.charset_ &&
         color_ == other.color_ && style_ == other.style_ && pitch_ == other.pitch_;
}

int TFont::Em() const {
  const int em = std::abs(height_);
  return em > 0 ? em : 1;
}

int TFont::TextWidth(std::string_view text) const {
  const int em = Em();
  const int half = em / 2;
  int width = 0;
  size_t i = 0;
  while (i < text.size()) {
    // One code point at a time; TextDisplayWidth tells its columns.
    size_t len = 1;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0)
      len = 4;
    else if (lead >= 0xE0)
      len = 3;
    else if (lead >= 0xC0)
      len = 2;
    if (i + len > text.size()) len = text.size() - i;
    width += TextDisplayWidth(text.substr(i, len)) >= 2 ? em : half;
    i += len;
  }
  return width;
}

int TFont::TextHeight(std::string_view) const {
  return Em();
}

void TFont::Changed() {
  OnChange(this);
}

}  // namespace qv
