#include "language/code_converter.h"

#include <mutex>
#include <utility>
#include <vector>

#include "platform/text/string_utils.h"
#include "platform/vcl/application.h"
#include "platform/vcl/collection.h"
#include "platform/vcl/form.h"
#include "platform/vcl/screen.h"
#include "platform/vcl/string_grid.h"
#include "platform/vcl/type_info.h"
#include "runtime/skeldor_ini.h"

namespace ravlet {
namespace {

struct KindEntry {
  std::string className;
  TComponentTextConverter converter;
};

std::mutex& KindMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<KindEntry>& KindTable() {
  static std::vector<KindEntry> table;
  return table;
}

TComponentTextConverter FindKindConverter(const qv::TClassInfo& info) {
  std::lock_guard<std::mutex> lock(KindMutex());
  for (const qv::TClassInfo* c = &info; c != nullptr; c = c->Parent()) {
    for (const KindEntry& entry : KindTable())
      if (qv::SameText(entry.className, c->Name())) return entry.converter;
  }
  return {};
}

// A published property of that name and kind (and type name, when given).
const qv::TPropInfo* FindProp(const qv::TObject& object, std::string_view name, qv::TTypeKind kind,
                              std::string_view typeName = {}) {
  const qv::TPropInfo* prop = qv::GetPropInfo(&object, name);
  if (prop == nullptr || prop->Kind != kind) return nullptr;
  if (!typeName.empty() && !qv::SameText(prop->TypeName(), typeName)) return nullptr;
  return prop;
}

bool IsComboBox(const qv::TObject& object) {
  return object.InheritsFrom("TCustomComboBox");
}

int ItemCount(const qv::TObject& object) {
  const qv::TPropInfo* items = FindProp(object, "Items", qv::tkStrings);
  if (items == nullptr) return 0;
  qv::TStrings* list = items->GetStrings(object);
  return list == nullptr ? 0 : list->Count();
}

bool HasItemIndex(const qv::TObject& object) {
  const qv::TPropInfo* prop = FindProp(object, "ItemIndex", qv::tkInteger);
  return prop != nullptr && prop->Writable();
}

}  // namespace

QV_DEFINE_CLASS(TCodeConverter, qv::TComponent, r) {
  r.Property("DesignType", &TCodeConverter::DesignType, &TCodeConverter::SetDesignType);
}

TCodeConverter::TCodeConverter(qv::TComponent* owner) : qv::TComponent(owner) {
  LoadSettings();
  if (UIConvertMode != 0) Translator = std::make_unique<TTranslator>();
}

TCodeConverter::~TCodeConverter() = default;

void TCodeConverter::LoadSettings() {
  auto copy = [this](const auto& profile) {
    SysCodePage = profile.SysCodePage;
    UICodePage = profile.UICodePage;
    DBCodePage = profile.DBCodePage;
    UIConvertMode = profile.UIConvertMode;
    DBConvertMode = profile.DBConvertMode;
  };
  if (design_type_ == dtClient)
    copy(TSkeldorIniC());
  else
    copy(TSkeldorIniS());
}

std::string TCodeConverter::Big5ToGB(const std::string& text) const {
  if (!Translator || text.empty()) return text;
  return Translator->BIG5toGB(text);
}

std::string TCodeConverter::GBToBig5(const std::string& text) const {
  if (!Translator || text.empty()) return text;
  return Translator->GBtoBIG5(text);
}

std::string TCodeConverter::ConvertText(uint8_t mode, const std::string& text) const {
  if (mode == 1) return Big5ToGB(text);
  if (mode == 2) return GBToBig5(text);
  return text;
}

qv::Variant TCodeConverter::ConvertValue(uint8_t mode, const qv::Variant& value) const {
  qv::Variant result = value;
  if (mode == 0 || !Translator || value.IsEmpty() || value.IsNull()) return result;
  if (value.IsArray()) {
    const int dims = qv::VarArrayDimCount(value);
    if (dims == 1) {
      const int high = qv::VarArrayHighBound(value, 1);
      for (int i = qv::VarArrayLowBound(value, 1); i <= high; ++i) {
        qv::Variant& element = result[i];
        if (element.IsArray())
          element = ConvertValue(mode, element);
        else if (mode == 1 || mode == 2)
          element = qv::Variant(ConvertText(mode, element.AsString()));
      }
    } else if (dims == 2) {
      const int high1 = qv::VarArrayHighBound(value, 1);
      const int high2 = qv::VarArrayHighBound(value, 2);
      for (int i = qv::VarArrayLowBound(value, 1); i <= high1; ++i)
        for (int j = qv::VarArrayLowBound(value, 2); j <= high2; ++j)
          result.At(i, j) = ConvertValue(mode, result.At(i, j));
    }
    return result;
  }
  if (mode == 1 || mode == 2) return qv::Variant(ConvertText(mode, value.AsString()));
  return result;
}

qv::Variant TCodeConverter::ConvertToUI(const qv::Variant& value) const {
  return ConvertValue(UIConvertMode, value);
}

qv::Variant TCodeConverter::ConvertDBToUI(const qv::Variant& value) const {
  return ConvertValue(DBConvertMode, value);
}

qv::Variant TCodeConverter::ReverseValue(uint8_t mode, const qv::Variant& value) const {
  try {
    if (mode == 1) return ConvertValue(2, value);
    if (mode == 2) return ConvertValue(1, value);
  } catch (const std::exception&) {
  }
  return value;
}

qv::Variant TCodeConverter::ConvertFromUI(const qv::Variant& value) const {
  return ReverseValue(UIConvertMode, value);
}

qv::Variant TCodeConverter::ConvertUIToDB(const qv::Variant& value) const {
  return ReverseValue(DBConvertMode, value);
}

void TCodeConverter::SetFontForMode(uint8_t mode, qv::TFont* font) {
  if (font == nullptr) return;
  qv::TFontCharset charset;
  switch (mode) {
    case 0:
    case 1:
    case 4:
      charset = qv::GB2312_CHARSET;
      break;
    case 2:
    case 3:
      charset = qv::CHINESEBIG5_CHARSET;
      break;
    default:
      return;
  }
  font->SetName("SimSun");
  font->SetCharset(charset);
}

void TCodeConverter::RegisterComponentTexts(const std::string& className,
                                            TComponentTextConverter converter) {
  std::lock_guard<std::mutex> lock(KindMutex());
  for (KindEntry& entry : KindTable()) {
    if (qv::SameText(entry.className, className)) {
      entry.converter = std::move(converter);
      return;
    }
  }
  KindTable().push_back({className, std::move(converter)});
}

void TCodeConverter::ConvertForm(qv::TComponent* form) {
  if (!Translator || form == nullptr) return;
  const uint8_t mode = UIConvertMode;

  // The caption is in Traditional characters on a Big5 workstation whatever
  // the mode, since the system draws it with its own font.
  if (SysCodePage == "950" && FindProp(*form, "Caption", qv::tkLString))
    qv::SetStrProp(form, "Caption", GBToBig5(qv::GetStrProp(form, "Caption")));
  if (const qv::TPropInfo* hint = FindProp(*form, "Hint", qv::tkLString);
      hint != nullptr && hint->Writable()) {
    const std::string text = qv::GetStrProp(form, "Hint");
    if (!text.empty()) qv::SetStrProp(form, "Hint", ConvertText(mode, text));
  }

  // The system's own texts (icon titles, hints, menus) use the screen fonts;
  // the hint window takes its new font when hints are switched on again.
  if (qv::Screen != nullptr) {
    SetFontForMode(mode, qv::Screen->IconFont());
    SetFontForMode(mode, qv::Screen->HintFont());
    SetFontForMode(mode, qv::Screen->MenuFont());
  }
  if (qv::Application != nullptr) {
    qv::Application->SetShowHint(false);
    qv::Application->SetShowHint(true);
  }

  for (int i = 0; i < form->ComponentCount(); ++i) {
    qv::TComponent& component = *form->Components(i);
    ConvertComponentProperties(component, mode);
    ConvertComponentKind(component, mode);
  }
}

qv::TModalResult TCodeConverter::ShowMessageDlg(const std::string& text, qv::TMsgDlgType type,
                                                qv::TMsgDlgButtons buttons) {
  if (text.empty()) return 0;
  // The blanks widen the dialog, which the GB fonts draw too narrow.
  const std::string shown = UICodePage == "936" || SysCodePage == "936" ? text + "      " : text;
  qv::TComponentPtr<qv::TMessageForm> dialog = qv::CreateMessageDialog(shown, type, buttons);
  if (auto* window = dynamic_cast<qv::TCustomForm*>(Owner())) {
    if (window->WindowState() == qv::wsMinimized) window->SetWindowState(qv::wsNormal);
    dialog->SetCaption(window->Caption());
  }
  SetFontForMode(UIConvertMode, dialog->Font());
  return dialog->ShowModal();
}

void TCodeConverter::ConvertComponentProperties(qv::TComponent& c, uint8_t mode) {
  for (const char* name : {"Font", "TitleFont"}) {
    if (const qv::TPropInfo* prop = FindProp(c, name, qv::tkClass, "TFont"))
      SetFontForMode(mode, dynamic_cast<qv::TFont*>(prop->GetObject(c)));
  }
  for (const char* name : {"Caption", "Hint", "ButtonHint"}) {
    const qv::TPropInfo* prop = FindProp(c, name, qv::tkLString);
    if (prop == nullptr || !prop->Writable()) continue;
    const std::string text = prop->GetStr(c);
    if (!text.empty()) prop->SetStr(c, ConvertText(mode, text));
  }

  const bool combo = IsComboBox(c) && HasItemIndex(c);
  if (const qv::TPropInfo* items = FindProp(c, "Items", qv::tkStrings)) {
    if (qv::TStrings* list = items->GetStrings(c); list != nullptr) {
      const bool keepIndex = combo && list->Count() > 0;
      const int64_t index = keepIndex ? qv::GetOrdProp(&c, "ItemIndex") : -1;
      list->SetText(ConvertText(mode, list->Text()));
      if (keepIndex && qv::GetOrdProp(&c, "ItemIndex") != index)
        qv::SetOrdProp(&c, "ItemIndex", index);
    }
  }
  if (const qv::TPropInfo* lines = FindProp(c, "Lines", qv::tkStrings)) {
    if (qv::TStrings* list = lines->GetStrings(c); list != nullptr)
      list->SetText(ConvertText(mode, list->Text()));
  }

  if (const qv::TPropInfo* panels = FindProp(c, "Panels", qv::tkClass, "TStatusPanels")) {
    if (auto* list = dynamic_cast<qv::TCollection*>(panels->GetObject(c))) {
      for (int i = 0; i < list->Count(); ++i) {
        qv::TCollectionItem& panel = *list->Items(i);
        const qv::TPropInfo* text = FindProp(panel, "Text", qv::tkLString);
        if (text != nullptr && text->Writable())
          text->SetStr(panel, ConvertText(mode, text->GetStr(panel)));
      }
    }
  }

  if (const qv::TPropInfo* style = FindProp(c, "Style", qv::tkEnumeration);
      style != nullptr && style->Writable()) {
    const std::string type = style->TypeName();
    const std::string current = qv::GetEnumProp(&c, "Style");
    if (qv::SameText(type, "TComboBoxStyle")) {
      std::string next;
      if (qv::SameText(current, "csDropDown")) next = "csOwnerDrawVariable";
      if (qv::SameText(current, "csDropDownList")) next = "csOwnerDrawFixed";
      if (!next.empty()) {
        const bool keepIndex = combo && ItemCount(c) > 0;
        const int64_t index = keepIndex ? qv::GetOrdProp(&c, "ItemIndex") : -1;
        qv::SetEnumProp(&c, "Style", next);
        if (keepIndex && qv::GetOrdProp(&c, "ItemIndex") != index)
          qv::SetOrdProp(&c, "ItemIndex", index);
      }
    } else if (qv::SameText(type, "TListBoxStyle") && qv::SameText(current, "lbStandard")) {
      qv::SetEnumProp(&c, "Style", "lbOwnerDrawFixed");
    }
  }
}

void TCodeConverter::ConvertComponentKind(qv::TComponent& c, uint8_t mode) {
  if (mode == 1 || mode == 2) {
    if (TComponentTextConverter convert = FindKindConverter(c.ClassInfo())) convert(*this, c, mode);
    if (auto* grid = dynamic_cast<qv::TStringGrid*>(&c)) {
      for (int row = 0; row < grid->RowCount(); ++row)
        for (int col = 0; col < grid->ColCount(); ++col) {
          const std::string& text = grid->Cells(col, row);
          if (!text.empty()) grid->SetCells(col, row, ConvertText(mode, text));
        }
    }
    if (IsComboBox(c)) {
      if (const qv::TPropInfo* style = FindProp(c, "Style", qv::tkEnumeration);
          style != nullptr && style->Writable() &&
          qv::SameText(style->TypeName(), "TComboBoxStyle") &&
          !qv::SameText(qv::GetEnumProp(&c, "Style"), "csSimple"))
        qv::SetEnumProp(&c, "Style", "csOwnerDrawFixed");
      if (HasItemIndex(c) && ItemCount(c) > 0 && qv::GetOrdProp(&c, "ItemIndex") < 0)
        qv::SetOrdProp(&c, "ItemIndex", 0);
    }
  }
  // Menus draw their items themselves so that the menu font applies.
  if (mode != 0 && c.InheritsFrom("TMenu")) {
    if (const qv::TPropInfo* ownerDraw = FindProp(c, "OwnerDraw", qv::tkEnumeration);
        ownerDraw != nullptr && ownerDraw->Writable())
      qv::SetOrdProp(&c, "OwnerDraw", 1);
  }
}

}  // namespace ravlet
