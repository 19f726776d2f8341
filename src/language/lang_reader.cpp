#include "language/lang_reader.h"

#include "language/component_read.h"
#include "platform/text/string_utils.h"

namespace ravlet {

TLangReader::TLangReader(const qv::TXMLDocument& document, const qv::TStrings* excludeControls,
                         TLoadComponentEvent beforeLoad, TLoadComponentEvent afterLoad)
    : document_(document),
      index_(document),
      before_load_(std::move(beforeLoad)),
      after_load_(std::move(afterLoad)) {
  SetExcludeControls(excludeControls);
}

TLangReader::~TLangReader() = default;

void TLangReader::SetExcludeControls(const qv::TStrings* names) {
  exclude_.Clear();
  if (names == nullptr) return;
  for (int i = 0; i < names->Count(); ++i) exclude_.Add(qv::UpperCase(qv::Trim(names->Strings(i))));
}

bool TLangReader::IsExcluded(const std::string& name) const {
  return exclude_.IndexOf(qv::UpperCase(qv::Trim(name))) >= 0;
}

void TLangReader::Apply(qv::TComponent* component, const qv::TXMLNode& element) {
  before_load_(component, element);
  TReaderFactory::CreateReader(component, element)->ReadAttributes();
  after_load_(component, element);
}

void TLangReader::ReadComponent(qv::TComponent* component) {
  if (component == nullptr) return;
  const bool window =
      component->InheritsFrom("TCustomForm") || component->InheritsFrom("TDataModule");
  if (window) {
    qv::TXMLNode root = document_.DocumentElement();
    if (!root.IsNull()) Apply(component, root);
  }
  if (!component->Name().empty() && !IsExcluded(component->Name())) {
    qv::TXMLNode element = index_.Find(component->Name());
    if (!element.IsNull()) Apply(component, element);
  }
  for (int i = 0; i < component->ComponentCount(); ++i) ReadComponent(component->Components(i));
}

}  // namespace ravlet
