#include "language/language_controller.h"

#include <utility>

#include "platform/system/paths.h"
#include "platform/text/format.h"
#include "platform/text/string_utils.h"
#include "platform/vcl/type_info.h"
#include "runtime/skeldor_ini.h"

namespace ravlet {
namespace {

// The language folders by user-interface code page.
std::string LanguageFolderName(const std::string& codePage) {
  qv::TStringList table;
  table.Add("936=CHS");
  table.Add("950=CHT");
  table.Add("437=ENG");
  return table.Values(codePage);
}

}  // namespace

QV_DEFINE_CLASS(TLanguageController, qv::TComponent, r) {
  r.Property("ExcludeControls", &TLanguageController::ExcludeControls,
             &TLanguageController::SetExcludeControls);
}

TLanguageController::TLanguageController(qv::TComponent* owner)
    : qv::TComponent(owner),
      exclude_controls_(std::make_unique<qv::TStringList>()),
      xml_text_(std::make_unique<qv::TStringList>()) {
  exclude_controls_->OnChange = [this](qv::TStringList& names) {
    if (reader_) reader_->SetExcludeControls(&names);
  };
  xml_text_->OnChange = [this](qv::TStringList&) {
    if (Active()) Close();
  };
}

TLanguageController::~TLanguageController() {
  exclude_controls_->OnChange = nullptr;
  xml_text_->OnChange = nullptr;
}

void TLanguageController::SetFileName(const std::string& fileName) {
  if (fileName == file_name_) return;
  file_name_ = fileName;
  xml_text_->Clear();
  if (Active()) Close();
}

void TLanguageController::SetXMLText(const qv::TStrings& text) {
  xml_text_->Assign(text);
  if (Active()) Close();
}

void TLanguageController::SetExcludeControls(const qv::TStrings& names) {
  exclude_controls_->Assign(names);
  if (reader_) reader_->SetExcludeControls(exclude_controls_.get());
}

void TLanguageController::ClearExcludeControls() {
  exclude_controls_->Clear();
  if (reader_) reader_->SetExcludeControls(exclude_controls_.get());
}

void TLanguageController::SetActive(bool active) {
  if (IsLoading()) {
    stored_active_ = active;
    return;
  }
  if (active && !Active())
    Open();
  else if (!active && Active())
    Close();
}

void TLanguageController::Loaded() {
  qv::TComponent::Loaded();
  if (stored_active_) SetActive(true);
}

void TLanguageController::Open() {
  DoBeforeOpen();
  reader_.reset();
  document_.reset();
  auto document = std::make_unique<qv::TXMLDocument>();
  try {
    if (xml_text_->Count() > 0) {
      document->LoadFromText(xml_text_->Text());
    } else {
      if (file_name_.empty() || !qv::FileExists(file_name_))
        throw LanguageControllerError(qv::Format("Cannot Find File %s!", {file_name_}));
      document->LoadFromFile(file_name_);
    }
  } catch (const qv::EFOpenError&) {
    throw LanguageControllerError(qv::Format("Cannot Find File %s!", {file_name_}));
  } catch (const qv::EXMLDocError& e) {
    throw LanguageControllerError(e.Message());
  }
  document_ = std::move(document);
  reader_ = std::make_unique<TLangReader>(
      *document_, exclude_controls_.get(),
      TLoadComponentEvent(
          this, [this](qv::TComponent* c, qv::TXMLNode e) { DoBeforeLoadComponent(c, e); }),
      TLoadComponentEvent(
          this, [this](qv::TComponent* c, qv::TXMLNode e) { DoAfterLoadComponent(c, e); }));
  DoAfterOpen();
}

void TLanguageController::Close() {
  DoBeforeClose();
  reader_.reset();
  document_.reset();
  DoAfterClose();
}

TLangReader* TLanguageController::GetReader() const {
  if (!Active() || !reader_) throw LanguageControllerError("No active LanguageController!");
  return reader_.get();
}

void TLanguageController::DoBeforeLoadComponent(qv::TComponent* component,
                                                const qv::TXMLNode& element) {
  BeforeLoadComponent(component, element);
}

void TLanguageController::DoAfterLoadComponent(qv::TComponent* component,
                                               const qv::TXMLNode& element) {
  AfterLoadComponent(component, element);
}

void TLanguageController::DoBeforeClose() {
  BeforeClose(this);
}
void TLanguageController::DoBeforeOpen() {
  BeforeOpen(this);
}
void TLanguageController::DoAfterOpen() {
  AfterOpen(this);
}
void TLanguageController::DoAfterClose() {
  AfterClose(this);
}

std::string TLanguageController::GetLangFolder(bool server) {
  std::string installPath;
  std::string codePage;
  if (server) {
    TSkeldorIniS profile;
    installPath = profile.ServerPath;
    codePage = profile.UICodePage;
  } else {
    TSkeldorIniC profile;
    installPath = profile.ClientPath;
    codePage = profile.UICodePage;
  }
  const std::string name = LanguageFolderName(codePage);
  if (name.empty()) return {};
  const std::string folder = installPath + "MultiLanguage\\" + name + "\\";
  return qv::DirectoryExists(folder) ? folder : std::string();
}

std::string TLanguageController::GetLangMessage(bool server, const std::string& packageName,
                                                const std::string& key,
                                                const std::string& defaultText) {
  try {
    const std::string fileName = GetLangFolder(server) + packageName + ".Lng";
    if (!qv::FileExists(fileName)) return defaultText;
    qv::TXMLDocument document;
    document.LoadFromFile(fileName);
    qv::TXMLNode root = document.DocumentElement();
    qv::TXMLNode text = root.SelectSingleNode(qv::Format("//%s/@%s", {key, "Msg"}));
    if (!text.IsNull()) return text.Text();
  } catch (const std::exception&) {
  }
  return defaultText;
}

QV_DEFINE_CLASS(TQvLangController, TLanguageController, r) {
  r.Property("Active", &TQvLangController::Active, &TQvLangController::SetActive);
  r.Event("BeforeLoadComponent", &TQvLangController::BeforeLoadComponent);
  r.Event("AfterLoadComponent", &TQvLangController::AfterLoadComponent);
  r.Event("BeforeClose", &TQvLangController::BeforeClose);
  r.Event("BeforeOpen", &TQvLangController::BeforeOpen);
  r.Event("AfterOpen", &TQvLangController::AfterOpen);
  r.Event("AfterClose", &TQvLangController::AfterClose);
  r.Property("LangPackageName", &TQvLangController::LangPackageName,
             &TQvLangController::SetLangPackageName);
  r.Property("DesignType", &TQvLangController::DesignType, &TQvLangController::SetDesignType);
}

TQvLangController::TQvLangController(qv::TComponent* owner) : TLanguageController(owner) {}

void TQvLangController::SetLangPackageName(const std::string& name) {
  if (name == package_name_) return;
  package_name_ = name;
  SetFileName(GetLangFolder(design_type_ == dtServer) + name + ".Lng");
}

}  // namespace ravlet
