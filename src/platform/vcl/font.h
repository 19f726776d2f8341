#pragma once
// Fonts and the fixed font metric of the headless model: a character cell is
// em pixels high (em = the font's character height, |Height|); half-width
// characters advance em / 2 pixels (rounded down), full-width characters
// (CJK, Hangul, full-width forms) advance em pixels.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/vcl/colors.h"
#include "platform/vcl/events.h"
#include "platform/vcl/persistent.h"
#include "platform/vcl/set.h"

namespace qv {

QV_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = TSet<TFontStyle>;
QV_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);

using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset HANGEUL_CHARSET = 129;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset OEM_CHARSET = 255;

class TFont : public TPersistent {
  QV_DECLARE_CLASS(TFont)

  static constexpr const char* kDefaultName = "宋体";
  static constexpr int kDefaultHeight = -13;
  static constexpr int kPixelsPerInch = 96;

  TFont() = default;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Negative: the character height in pixels; positive: the cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points: -Height * 72 / 96, rounded.
  int Size() const;
  void SetSize(int points);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);

  void Assign(const TPersistent* source) override;
  bool SameAs(const TFont& other) const;

  // The character height in pixels (at least 1).
  int Em() const;
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;

  // Raised after every change.
  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string name_ = kDefaultName;
  int height_ = kDefaultHeight;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontPitch pitch_ = fpDefault;
};

// Delphi's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c);

}  // namespace qv
