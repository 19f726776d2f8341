#pragma once
// TQVForm: the base of every window of the module. It carries the code-page
// converter (QvConverter) and the language controller (LangController), and
// does what each window needs at creation and first show: no forced input
// method on any control, English fonts on an English user interface, a
// generated disabled image for every one-image button glyph, the language
// packages of the window's class chain, one conversion of its texts into
// the user-interface code page, and texts by class name and key with a
// built-in default.
//
// Descendants that handle OnCreate or OnShow themselves override FormCreate
// or FormShow and call the inherited operation first.

#include <cstdint>
#include <string>

#include "language/code_converter.h"
#include "language/language_controller.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/form.h"

namespace ravlet {

class TQVForm : public qv::TForm {
  QV_DECLARE_CLASS(TQVForm)

 public:
  explicit TQVForm(qv::TComponent* owner);
  ~TQVForm() override;

  // OnCreate: for every component the window owns, in order, clears its
  // input-method name, gives it the English font on a "437" user interface,
  // and pairs the one-image glyphs of its buttons with disabled images.
  virtual void FormCreate(qv::TObject* sender);
  // OnShow: the first show applies the language packages of the class chain
  // while ApplyLanguageOnShow is true.
  virtual void FormShow(qv::TObject* sender);

  // Applies the packages named after the classes from just below TForm down
  // to Target's own class (base-most first), or only Target's own class.
  // Missing packages are skipped.
  virtual void ApplyLanguage(qv::TComponent* target, bool whole_chain);
  // The same without the packages of TForm and TQVForm.
  virtual void ApplyDerivedLanguage(qv::TComponent* target, bool whole_chain);

  // Converts the window's texts into the user-interface code page once.
  void ConvertTexts();
  // The converter's message dialog (the window's caption, the mode's font).
  qv::TModalResult ShowConvertedMessage(const std::string& text, qv::TMsgDlgType kind,
                                        qv::TMsgDlgButtons buttons);

  // The Msg text of Key in the language package of ClassName, or the
  // default when the package or key is missing. With convert_default the
  // default (Simplified Chinese in the program) is first converted into the
  // user-interface code page.
  std::string GetLangText(const std::string& class_name, const std::string& key,
                          bool convert_default, const std::string& default_text) const;

  std::string GetSysCodePage() const { return QvConverter->SysCodePage; }
  std::string GetUICodePage() const { return QvConverter->UICodePage; }
  uint8_t GetUIConvertMode() const { return QvConverter->UIConvertMode; }
  uint8_t GetDBConvertMode() const { return QvConverter->DBConvertMode; }

  TCodeConverter* QvConverter;
  TQvLangController* LangController;

  // The window's texts were converted into the user-interface code page.
  bool Converted = false;
  // While true, the first show applies the language packages.
  bool ApplyLanguageOnShow = true;

 private:
  void ApplyPackages(qv::TComponent* target, bool whole_chain, const char* stop_class);
  void PrepareComponent(qv::TComponent& component);

  bool GetConverted() const { return Converted; }
  bool GetApplyLanguageOnShow() const { return ApplyLanguageOnShow; }
  void SetApplyLanguageOnShow(bool value) { ApplyLanguageOnShow = value; }

  bool language_applied_ = false;
};

}  // namespace ravlet
