#include "platform/vcl/colors.h"

#include <vector>

#include "platform/core/exception.h"
#include "platform/text/string_utils.h"
#include "platform/vcl/type_info.h"

namespace qv {

namespace {

const std::vector<TIntegerIdent>& ColorIdents() {
  static const std::vector<TIntegerIdent> idents = {
      {"clBlack", clBlack},
      {"clMaroon", clMaroon},
      {"clGreen", clGreen},
      {"clOlive", clOlive},
      {"clNavy", clNavy},
      {"clPurple", clPurple},
      {"clTeal", clTeal},
      {"clGray", clGray},
      {"clSilver", clSilver},
      {"clRed", clRed},
      {"clLime", clLime},
      {"clYellow", clYellow},
      {"clBlue", clBlue},
      {"clFuchsia", clFuchsia},
      {"clAqua", clAqua},
      {"clWhite", clWhite},
      {"clMoneyGreen", clMoneyGreen},
      {"clSkyBlue", clSkyBlue},
      {"clCream", clCream},
      {"clMedGray", clMedGray},
      {"clLtGray", clLtGray},
      {"clDkGray", clDkGray},
      {"clActiveBorder", clActiveBorder},
      {"clActiveCaption", clActiveCaption},
      {"clAppWorkSpace", clAppWorkSpace},
      {"clBackground", clBackground},
      {"clBtnFace", clBtnFace},
      {"clBtnHighlight", clBtnHighlight},
      {"clBtnShadow", clBtnShadow},
      {"clBtnText", clBtnText},
      {"clCaptionText", clCaptionText},
      {"clGrayText", clGrayText},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clInactiveBorder", clInactiveBorder},
      {"clInactiveCaption", clInactiveCaption},
      {"clInactiveCaptionText", clInactiveCaptionText},
      {"clInfoBk", clInfoBk},
      {"clInfoText", clInfoText},
      {"clMenu", clMenu},
      {"clMenuText", clMenuText},
      {"clScrollBar", clScrollBar},
      {"cl3DDkShadow", cl3DDkShadow},
      {"cl3DLight", cl3DLight},
      {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},
      {"clWindowText", clWindowText},
      {"clNone", clNone},
      {"clDefault", clDefault},
  };
  return idents;
}

[[maybe_unused]] const bool kColorsRegistered =
    (RegisterIntegerConsts("TColor", ColorIdents()), true);

// The classic grey scheme, indexed by system colour number.
constexpr TColor kSystemColors[] = {
    RGB(212, 208, 200),  // scroll bar
    RGB(58, 110, 165),   // background
    RGB(10, 36, 106),    // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(212, 208, 200),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(212, 208, 200),  // active border
    RGB(212, 208, 200),  // inactive border
    RGB(128, 128, 128),  // application work space
    RGB(10, 36, 106),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(212, 208, 200),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(212, 208, 200),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(64, 64, 64),     // 3-D dark shadow
    RGB(212, 208, 200),  // 3-D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
};

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color < 0) {
    const int index = color & 0xFF;
    constexpr int kCount = sizeof(kSystemColors) / sizeof(kSystemColors[0]);
    return index < kCount ? kSystemColors[index] : clBlack;
  }
  return color;
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (IntToIdent("TColor", color, ident)) return ident;
  return "$" + IntToHex(static_cast<uint32_t>(color), 8);
}

bool IdentToColor(std::string_view ident, TColor& color) {
  int64_t value = 0;
  if (!IdentToInt("TColor", ident, value)) return false;
  color = static_cast<TColor>(value);
  return true;
}

TColor StringToColor(std::string_view text) {
  TColor color = 0;
  const std::string trimmed = Trim(text);
  if (IdentToColor(trimmed, color)) return color;
  int64_t value = 0;
  if (!TryStrToInt64(trimmed, value) || value < INT32_MIN || value > UINT32_MAX)
    throw EConvertError("'" + std::string(text) + "' is not a valid colour");
  return static_cast<TColor>(static_cast<uint32_t>(value));
}

}  // namespace qv
