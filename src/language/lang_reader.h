#pragma once
// Applies a loaded language package to a component and everything it owns:
// the document element's attributes go to a window (or data module), and the
// first element anywhere in the package whose tag is a component's name
// carries that component's attributes.

#include <memory>

#include "language/lang_events.h"
#include "platform/text/string_list.h"
#include "platform/vcl/component.h"
#include "platform/xml/xml_document.h"

namespace ravlet {

class TLangReader {
 public:
  // The document must outlive the reader. The first elements of every tag
  // are gathered here once, so each component costs one look-up.
  TLangReader(const qv::TXMLDocument& document, const qv::TStrings* excludeControls,
              TLoadComponentEvent beforeLoad, TLoadComponentEvent afterLoad);
  virtual ~TLangReader();
  TLangReader(const TLangReader&) = delete;
  TLangReader& operator=(const TLangReader&) = delete;

  virtual void ReadComponent(qv::TComponent* component);

  // Names never translated (compared trimmed and without case).
  void SetExcludeControls(const qv::TStrings* names);
  bool IsExcluded(const std::string& name) const;

 private:
  void Apply(qv::TComponent* component, const qv::TXMLNode& element);

  const qv::TXMLDocument& document_;
  qv::TXMLElementIndex index_;
  qv::TStringList exclude_;
  TLoadComponentEvent before_load_;
  TLoadComponentEvent after_load_;
};

}  // namespace ravlet
