#include "language/component_read.h"

#include <exception>
#include <mutex>
#include <utility>
#include <vector>

#include "language/property_path.h"
#include "platform/text/string_utils.h"
#include "platform/vcl/collection.h"
#include "platform/vcl/type_info.h"

namespace ravlet {
namespace {

struct KindEntry {
  std::string className;
  TIndexedKind kind;
};

std::mutex& KindMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<KindEntry>& KindTable() {
  static std::vector<KindEntry> table;
  return table;
}

const TIndexedKind* FindKind(const qv::TObject& object) {
  std::lock_guard<std::mutex> lock(KindMutex());
  for (const qv::TClassInfo* c = &object.ClassInfo(); c != nullptr; c = c->Parent())
    for (const KindEntry& entry : KindTable())
      if (qv::SameText(entry.className, c->Name())) return &entry.kind;
  return nullptr;
}

// "Items_12" -> ("Items", 12). Without an underscore followed by digits only,
// the whole text is the name and the index is -1.
struct Segment {
  std::string name;
  int index = -1;
  bool hasUnderscore = false;
};

Segment ParseSegment(std::string_view text) {
  Segment s;
  s.name = std::string(text);
  const size_t underscore = text.rfind('_');
  s.hasUnderscore = text.find('_') != std::string_view::npos;
  if (underscore == std::string_view::npos || underscore + 1 >= text.size()) return s;
  const std::string_view digits = text.substr(underscore + 1);
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return s;
    value = value * 10 + (c - '0');
    if (value > 0x7FFFFFFF) return s;
  }
  s.name = std::string(text.substr(0, underscore));
  s.index = static_cast<int>(value);
  return s;
}

// Where an attribute's value goes: an object, or a string list (which
// publishes no properties of its own).
struct Target {
  qv::TObject* object = nullptr;
  qv::TStrings* strings = nullptr;
};

// The object or string list held by a property; false when the property
// holds neither (or nothing is assigned).
bool HeldBy(const qv::TObject& object, std::string_view name, Target& target) {
  const qv::TPropInfo* prop = qv::GetPropInfo(&object, name);
  if (prop == nullptr) return false;
  if (prop->Kind == qv::tkClass) {
    qv::TObject* held = prop->GetObject(object);
    if (held == nullptr) return false;
    target = {held, nullptr};
    return true;
  }
  if (prop->Kind == qv::tkStrings) {
    qv::TStrings* held = prop->GetStrings(object);
    if (held == nullptr) return false;
    target = {nullptr, held};
    return true;
  }
  return false;
}

// Keeps a combo box's selected item across reading its attributes.
void ReadKeepingItemIndex(qv::TComponent* component, const std::function<void()>& read) {
  const qv::TPropInfo* prop =
      component == nullptr ? nullptr : qv::GetPropInfo(component, "ItemIndex");
  if (prop == nullptr || prop->Kind != qv::tkInteger || !prop->Writable()) {
    read();
    return;
  }
  const int64_t index = prop->GetOrd(*component);
  read();
  try {
    if (prop->GetOrd(*component) != index) prop->SetOrd(*component, index);
  } catch (const std::exception&) {
  }
}

}  // namespace

void RegisterIndexedKind(const std::string& className, TIndexedKind kind) {
  std::lock_guard<std::mutex> lock(KindMutex());
  for (KindEntry& entry : KindTable()) {
    if (qv::SameText(entry.className, className)) {
      entry.kind = std::move(kind);
      return;
    }
  }
  KindTable().push_back({className, std::move(kind)});
}

TComponentRead::TComponentRead(qv::TComponent* component, const qv::TXMLNode& element)
    : component_(component), element_(element) {}

void TComponentRead::ReadAttributes() {
  const int count = element_.AttributeCount();
  for (int i = 0; i < count; ++i) ReadAttribute(qv::Variant(i));
}

void TComponentRead::ReadAttribute(const qv::Variant& index) {
  qv::TXMLNode attribute;
  if (index.IsOrdinal())
    attribute = element_.Attribute(index.AsInteger());
  else if (index.IsStr())
    attribute = element_.AttributeNode(index.AsString());
  if (attribute.IsNull()) return;
  try {
    ApplyAttribute(attribute);
  } catch (const std::exception&) {
    // A value that does not fit leaves the property as it was.
  }
}

void TComponentRead::ApplyAttribute(const qv::TXMLNode& attribute) {
  if (component_ == nullptr) return;
  const std::string path = attribute.NodeName();
  const std::vector<std::string> segments = qv::SplitString(path, '.');
  if (segments.empty()) return;

  Target target{component_, nullptr};
  std::string last = segments.back();
  for (size_t i = 0; i + 1 < segments.size(); ++i) {
    const std::string& text = segments[i];
    const Segment seg = ParseSegment(text);
    if (!seg.hasUnderscore) {
      if (target.object == nullptr || !HeldBy(*target.object, text, target)) return;
      continue;
    }
    if (seg.index < 0 || !(qv::SameText(seg.name, "Items") || qv::SameText(seg.name, "Columns"))) {
      last = text;
      break;
    }
    if (target.object == nullptr) return;
    if (auto* collection = dynamic_cast<qv::TCollection*>(target.object)) {
      if (seg.index < collection->Count()) target = {collection->Items(seg.index), nullptr};
      continue;
    }
    TIndexStep step = TIndexStep::kNotThisKind;
    if (const TIndexedKind* kind = FindKind(*target.object); kind != nullptr && kind->Step) {
      qv::TObject* next = nullptr;
      step = kind->Step(*target.object, seg.name, seg.index, next);
      if (step == TIndexStep::kStepped) {
        if (next == nullptr) return;
        target = {next, nullptr};
      }
    }
    if (step == TIndexStep::kNotThisKind && !HeldBy(*target.object, seg.name, target)) return;
  }

  const Segment final = ParseSegment(last);
  if (target.object == component_ && final.index >= 0 && !HeldBy(*component_, final.name, target))
    return;
  const std::string value = attribute.NodeValue();

  if (target.strings != nullptr) {
    if (final.index < 0) return;
    while (target.strings->Count() <= final.index) target.strings->Add("");
    target.strings->SetString(final.index, value);
    return;
  }
  if (const TIndexedKind* kind = FindKind(*target.object); kind != nullptr && kind->Set) {
    if (kind->Set(*target.object, final.name, value)) return;
  }
  SetPropertyByPath(target.object, final.name, value);
}

void TCustomComboBoxRead::ReadAttributes() {
  ReadKeepingItemIndex(GetComponent(), [this] { TComponentRead::ReadAttributes(); });
}

void TwwDBCustomComboBoxRead::ReadAttributes() {
  ReadKeepingItemIndex(GetComponent(), [this] { TComponentRead::ReadAttributes(); });
}

std::unique_ptr<ILangRead> TReaderFactory::CreateReader(qv::TComponent* component,
                                                        const qv::TXMLNode& element) {
  if (component != nullptr && component->InheritsFrom("TwwDBCustomComboBox"))
    return std::make_unique<TwwDBCustomComboBoxRead>(component, element);
  if (component != nullptr && component->InheritsFrom("TCustomComboBox"))
    return std::make_unique<TCustomComboBoxRead>(component, element);
  return std::make_unique<TComponentRead>(component, element);
}

}  // namespace ravlet
