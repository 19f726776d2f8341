#include "forms/base/qv_form.h"

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "forms/base/disabled_glyph.h"
#include "language/property_path.h"
#include "platform/system/paths.h"
#include "platform/vcl/bitmap.h"
#include "platform/vcl/type_info.h"
#include "runtime/alert_log.h"

namespace ravlet {
namespace {

// Names of the glyph buttons a selection panel owns.
constexpr std::array<std::string_view, 3> kSelectPanelButtons = {"btnList", "btnDelete",
                                                                 "btnClear"};

const qv::TPropInfo* FindProp(const qv::TObject& object, std::string_view name,
                              qv::TTypeKind kind) {
  const qv::TPropInfo* prop = qv::GetPropInfo(&object, name);
  return prop != nullptr && prop->Kind == kind ? prop : nullptr;
}

bool IsGlyphButton(const qv::TComponent& component) {
  return component.InheritsFrom("TSpeedButton") || component.InheritsFrom("TBitBtn");
}

// A button whose glyph holds exactly one image gets the disabled image as
// its second one. Buttons without an image are left alone: two images
// declared over an empty glyph would split a glyph loaded later in halves.
void PairGlyph(qv::TComponent* button) {
  if (button == nullptr) return;
  const qv::TPropInfo* glyph_prop = FindProp(*button, "Glyph", qv::tkClass);
  const qv::TPropInfo* count_prop = FindProp(*button, "NumGlyphs", qv::tkInteger);
  if (glyph_prop == nullptr || count_prop == nullptr || !count_prop->Writable()) return;
  auto* glyph = dynamic_cast<qv::TBitmap*>(glyph_prop->GetObject(*button));
  if (glyph == nullptr || glyph->Empty() || count_prop->GetOrd(*button) != 1) return;
  if (glyph_prop->Writable()) {
    // Through the property, so that the button hears of its new glyph.
    qv::TBitmap strip;
    strip.Assign(glyph);
    AddDisabledGlyph(strip);
    glyph_prop->SetObject(*button, &strip);
  } else {
    AddDisabledGlyph(*glyph);
  }
  count_prop->SetOrd(*button, 2);
}

void PairOwnedGlyphButtons(const qv::TComponent& owner) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    qv::TComponent* owned = owner.Components(i);
    if (IsGlyphButton(*owned)) PairGlyph(owned);
  }
}

void PairSelectPanelGlyphs(const qv::TComponent& panel) {
  const auto* windowed = dynamic_cast<const qv::TWinControl*>(&panel);
  for (std::string_view name : kSelectPanelButtons) {
    qv::TComponent* button = panel.FindComponent(name);
    if (button == nullptr && windowed != nullptr) button = windowed->FindChildControl(name);
    if (button != nullptr && IsGlyphButton(*button)) PairGlyph(button);
  }
}

}  // namespace

QV_DEFINE_CLASS(TQVForm, qv::TForm, r) {
  r.Property("Converted", &TQVForm::GetConverted);
  r.Property("ApplyLanguageOnShow", &TQVForm::GetApplyLanguageOnShow,
             &TQVForm::SetApplyLanguageOnShow);
  r.Method("FormCreate", &TQVForm::FormCreate);
  r.Method("FormShow", &TQVForm::FormShow);
}

TQVForm::TQVForm(qv::TComponent* owner) : qv::TForm(owner) {
  Font()->SetName("宋体");
  Font()->SetHeight(-13);
  Font()->SetCharset(qv::DEFAULT_CHARSET);
  SetKeyPreview(true);
  SetPosition(qv::poScreenCenter);
  SetScaled(false);
  SetShowHint(true);

  QvConverter = qv::Create<TCodeConverter>(this);
  QvConverter->SetName("QvConverter");
  QvConverter->SetDesignType(dtClient);
  LangController = qv::Create<TQvLangController>(this);
  LangController->SetName("LangController");
  LangController->SetActive(false);

  OnCreate = qv::TNotifyEvent(this, &TQVForm::FormCreate);
  OnShow = qv::TNotifyEvent(this, &TQVForm::FormShow);
}

TQVForm::~TQVForm() = default;

void TQVForm::FormCreate(qv::TObject*) {
  Converted = false;
  ApplyLanguageOnShow = true;
  language_applied_ = false;
  // A component created by a step below is not visited again.
  std::vector<qv::TComponent*> components;
  components.reserve(ComponentCount());
  for (int i = 0; i < ComponentCount(); ++i) components.push_back(Components(i));
  for (qv::TComponent* component : components) PrepareComponent(*component);
}

void TQVForm::PrepareComponent(qv::TComponent& component) {
  if (const qv::TPropInfo* ime = FindProp(component, "ImeName", qv::tkLString);
      ime != nullptr && ime->Writable())
    ime->SetStr(component, "");

  if (GetUICodePage() == "437" && FindProp(component, "Font", qv::tkClass) != nullptr) {
    SetPropertyByPath(&component, "Font.Charset", "134");
    SetPropertyByPath(&component, "Font.Name", "Tahoma");
  }

  if (IsGlyphButton(component)) {
    PairGlyph(&component);
  } else if (component.InheritsFrom("TQvBtnDBEdit") || component.InheritsFrom("TQvBtnDBCombo")) {
    PairOwnedGlyphButtons(component);
  } else if (component.InheritsFrom("TSelectPanel")) {
    PairSelectPanelGlyphs(component);
  }
}

void TQVForm::FormShow(qv::TObject*) {
  if (!ApplyLanguageOnShow || language_applied_) return;
  language_applied_ = true;
  ApplyLanguage(this, true);
}

void TQVForm::ApplyLanguage(qv::TComponent* target, bool whole_chain) {
  ApplyPackages(target, whole_chain, "TForm");
}

void TQVForm::ApplyDerivedLanguage(qv::TComponent* target, bool whole_chain) {
  ApplyPackages(target, whole_chain, "TQVForm");
}

void TQVForm::ApplyPackages(qv::TComponent* target, bool whole_chain, const char* stop_class) {
  if (target == nullptr) return;
  // Without a language folder no package can exist; a bare file name would
  // be looked for in the current folder instead.
  if (TLanguageController::GetLangFolder(LangController->DesignType() == dtServer).empty()) return;
  const std::vector<std::string> names = whole_chain
                                             ? target->ClassInfo().ClassNamesBelow(stop_class)
                                             : std::vector<std::string>{target->ClassName()};
  for (const std::string& name : names) {
    LangController->SetLangPackageName(name);
    if (!qv::FileExists(LangController->FileName())) continue;
    try {
      LangController->SetActive(true);
      LangController->GetReader()->ReadComponent(target);
    } catch (const std::exception& e) {
      // A package that cannot be read leaves the texts as designed; the
      // window still opens.
      WriteAlertLog("QVForm", "Language package " + LangController->FileName() + ": " + e.what(),
                    "D");
    }
  }
}

void TQVForm::ConvertTexts() {
  if (Converted) return;
  QvConverter->ConvertForm(this);
  Converted = true;
}

qv::TModalResult TQVForm::ShowConvertedMessage(const std::string& text, qv::TMsgDlgType kind,
                                               qv::TMsgDlgButtons buttons) {
  return QvConverter->ShowMessageDlg(text, kind, buttons);
}

std::string TQVForm::GetLangText(const std::string& class_name, const std::string& key,
                                 bool convert_default, const std::string& default_text) const {
  const std::string fallback = convert_default
                                   ? QvConverter->ConvertToUI(qv::Variant(default_text)).AsString()
                                   : default_text;
  return TLanguageController::GetLangMessage(LangController->DesignType() == dtServer, class_name,
                                             key, fallback);
}

}  // namespace ravlet
