#pragma once
// Language packages: XML files "<class or package name>.Lng", one per window
// class, kept per user-interface language in the installation's
// MultiLanguage folder (CHS for code page 936, CHT for 950, ENG for 437).
// A controller loads one package and hands out the reader that applies it;
// GetLangMessage reads message texts by key from a package.

#include <memory>
#include <string>

#include "language/design_type.h"
#include "language/lang_events.h"
#include "language/lang_reader.h"
#include "platform/core/exception.h"
#include "platform/text/string_list.h"
#include "platform/vcl/component.h"
#include "platform/vcl/events.h"
#include "platform/xml/xml_document.h"

namespace ravlet {

// Failures of a language controller.
class LanguageControllerError : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "LanguageControllerError"; }
};

class TLanguageController : public qv::TComponent {
  QV_DECLARE_CLASS(TLanguageController)

  explicit TLanguageController(qv::TComponent* owner);
  ~TLanguageController() override;

  // The package file. A new name clears XMLText and deactivates.
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& fileName);

  // True while a document with a document element is loaded. Activating
  // loads XMLText when it holds text, else the file; while the component is
  // being loaded the value is kept and applied by Loaded. Raises
  // LanguageControllerError for an empty file name, a missing file or a
  // document that does not parse.
  bool Active() const { return document_ != nullptr && !document_->IsEmpty(); }
  void SetActive(bool active);

  const qv::TXMLDocument* Document() const { return document_.get(); }
  // Text loaded instead of the file; a change deactivates.
  qv::TStringList* XMLText() const { return xml_text_.get(); }
  void SetXMLText(const qv::TStrings& text);
  // Names of components never translated.
  qv::TStringList* ExcludeControls() const { return exclude_controls_.get(); }
  void SetExcludeControls(const qv::TStrings& names);
  void ClearExcludeControls();

  // Raises LanguageControllerError "No active LanguageController!" while
  // nothing is loaded.
  TLangReader* GetReader() const;

  // The language folder of the client (or, with `server`, the server)
  // installation: "<install>MultiLanguage\CHS\" and so on; empty for other
  // code pages or when the folder does not exist.
  static std::string GetLangFolder(bool server);
  // The Msg attribute of the first element named `key` in the package;
  // `defaultText` when the file, the element or the attribute is missing or
  // the package cannot be read.
  static std::string GetLangMessage(bool server, const std::string& packageName,
                                    const std::string& key, const std::string& defaultText);

  void Loaded() override;

  TLoadComponentEvent BeforeLoadComponent;
  TLoadComponentEvent AfterLoadComponent;
  qv::TNotifyEvent BeforeClose;
  qv::TNotifyEvent BeforeOpen;
  qv::TNotifyEvent AfterOpen;
  qv::TNotifyEvent AfterClose;

 protected:
  virtual void DoBeforeLoadComponent(qv::TComponent* component, const qv::TXMLNode& element);
  virtual void DoAfterLoadComponent(qv::TComponent* component, const qv::TXMLNode& element);
  virtual void DoBeforeClose();
  virtual void DoBeforeOpen();
  virtual void DoAfterOpen();
  virtual void DoAfterClose();

 private:
  void Open();
  void Close();

  std::string file_name_;
  std::unique_ptr<qv::TXMLDocument> document_;
  std::unique_ptr<qv::TStringList> exclude_controls_;
  std::unique_ptr<TLangReader> reader_;
  std::unique_ptr<qv::TStringList> xml_text_;
  bool stored_active_ = false;
};

class TQvLangController : public TLanguageController {
  QV_DECLARE_CLASS(TQvLangController)

  explicit TQvLangController(qv::TComponent* owner);

  TDesignType DesignType() const { return design_type_; }
  void SetDesignType(TDesignType type) { design_type_ = type; }
  // A new name makes the package file the language folder of DesignType +
  // name + ".Lng" (which deactivates).
  const std::string& LangPackageName() const { return package_name_; }
  void SetLangPackageName(const std::string& name);

 private:
  TDesignType design_type_ = dtClient;
  std::string package_name_;
};

}  // namespace ravlet
