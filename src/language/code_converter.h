#pragma once
// The code-page converter of a window. Windows are designed with Simplified
// Chinese texts (code page 936); the converter shows them in the workstation's
// user-interface code page (Traditional characters for 950), switches fonts to
// the matching character set, and converts values between the database side
// and the user interface.
//
// Conversion modes (from the client profile):
//   0 none; 1 Big5 text shown in GB (forward Big5 -> GB); 2 GB text shown in
//   Big5 (forward GB -> Big5); 3 fonts only (Big5 character set); 4 GB text on
//   a Big5 workstation (fonts only, GB character set).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "language/design_type.h"
#include "language/translator.h"
#include "platform/variant/variant.h"
#include "platform/vcl/component.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/font.h"

namespace ravlet {

class TCodeConverter;

// Converts the texts of one component kind that the published properties do
// not reach (columns, nodes, cells ...). Runs in ConvertForm for modes 1 and
// 2 with the component and the mode.
using TComponentTextConverter = std::function<void(TCodeConverter&, qv::TComponent&, uint8_t)>;

class TCodeConverter : public qv::TComponent {
  QV_DECLARE_CLASS(TCodeConverter)

  // Reads the client profile; with a user-interface mode other than 0 loads
  // the language library (its failure makes the construction fail).
  explicit TCodeConverter(qv::TComponent* owner);
  ~TCodeConverter() override;

  // Present only when UIConvertMode was not 0 at creation.
  std::unique_ptr<TTranslator> Translator;
  std::string SysCodePage = "936";
  std::string UICodePage = "936";
  std::string DBCodePage = "936";
  uint8_t UIConvertMode = 0;
  uint8_t DBConvertMode = 0;

  TDesignType DesignType() const { return design_type_; }
  void SetDesignType(TDesignType type) { design_type_ = type; }

  // Copies the code pages and modes of the profile DesignType selects.
  void LoadSettings();

  // Converts the texts and fonts of a window and its components into the
  // user-interface code page. Nothing happens without a Translator.
  void ConvertForm(qv::TComponent* form);

  // Texts, and the texts inside one- and two-dimensional arrays, in the
  // mode's forward direction. Without a Translator, in mode 0 and for Empty
  // or Null the value comes back as it is. An element that has no text
  // raises.
  qv::Variant ConvertValue(uint8_t mode, const qv::Variant& value) const;
  qv::Variant ConvertToUI(const qv::Variant& value) const;
  qv::Variant ConvertDBToUI(const qv::Variant& value) const;
  // The reverse directions; a failure returns the value unchanged.
  qv::Variant ConvertFromUI(const qv::Variant& value) const;
  qv::Variant ConvertUIToDB(const qv::Variant& value) const;

  // One text through the language library; the text itself without one.
  std::string Big5ToGB(const std::string& text) const;
  std::string GBToBig5(const std::string& text) const;
  // A text in the mode's forward direction (modes 1 and 2), else unchanged.
  std::string ConvertText(uint8_t mode, const std::string& text) const;

  // "SimSun" with the character set of the mode: 134 for 0, 1 and 4, 136 for
  // 2 and 3; other modes leave the font as it is.
  static void SetFontForMode(uint8_t mode, qv::TFont* font);

  // Shows the standard message dialog modally with the owner window's caption
  // and the font of the user-interface mode; 0 without showing anything for
  // an empty text.
  qv::TModalResult ShowMessageDlg(const std::string& text, qv::TMsgDlgType type,
                                  qv::TMsgDlgButtons buttons);

  // Component kinds with texts of their own, by class name; a component gets
  // the converter of the most derived registered class it inherits from.
  static void RegisterComponentTexts(const std::string& className,
                                     TComponentTextConverter converter);

 private:
  qv::Variant ReverseValue(uint8_t mode, const qv::Variant& value) const;
  void ConvertComponentProperties(qv::TComponent& component, uint8_t mode);
  void ConvertComponentKind(qv::TComponent& component, uint8_t mode);

  TDesignType design_type_ = dtClient;
};

}  // namespace ravlet
