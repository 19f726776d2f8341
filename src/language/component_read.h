#pragma once
// Applying one element of a language package to one component: every
// attribute names a property path of the component and carries the new value
// as text.
//
// Path segments are separated by "."; every segment but the last names an
// object-valued property or, as "Items_n" / "Columns_n", element n of what
// the component holds (an item of a collection, a column or item of a list
// view, a node of a tree view, counted over all nodes). On the component
// itself a last segment with a suffix addresses line n of a string list
// ("Items_2", "Lines_0").

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/text/string_list.h"
#include "platform/variant/variant.h"
#include "platform/vcl/component.h"
#include "platform/xml/xml_document.h"

namespace ravlet {

class ILangRead {
 public:
  virtual ~ILangRead() = default;
  virtual qv::TComponent* GetComponent() const = 0;
  virtual qv::TXMLNode GetElement() const = 0;
  virtual void SetComponent(qv::TComponent* component) = 0;
  virtual void SetElement(const qv::TXMLNode& element) = 0;
  // An integer index selects the attribute by position, a text by name;
  // any other index, or a missing attribute, does nothing.
  virtual void ReadAttribute(const qv::Variant& index) = 0;
  virtual void ReadAttributes() = 0;
};

// What an indexed path segment does on an object of one kind.
enum class TIndexStep {
  kNotThisKind,  // the object is of another kind: try the next rule
  kStepped,      // `next` holds the element
  kUnchanged     // the index is out of range, or the kind keeps the target
};

// Rules for the kinds of the window model that indexed segments step into,
// and for the properties such elements hold outside the published ones. A
// kind is chosen by the most derived registered class the object inherits
// from.
struct TIndexedKind {
  // Steps into element `index` for the segment "Items" or "Columns" (name as
  // written, compared without case).
  std::function<TIndexStep(qv::TObject& target, std::string_view name, int index,
                           qv::TObject*& next)>
      Step;
  // Sets a property the element does not publish; false to leave it to the
  // published properties.
  std::function<bool(qv::TObject& target, std::string_view name, const std::string& value)> Set;
};
void RegisterIndexedKind(const std::string& className, TIndexedKind kind);

class TComponentRead : public ILangRead {
 public:
  TComponentRead(qv::TComponent* component, const qv::TXMLNode& element);

  qv::TComponent* GetComponent() const override { return component_; }
  qv::TXMLNode GetElement() const override { return element_; }
  void SetComponent(qv::TComponent* component) override { component_ = component; }
  void SetElement(const qv::TXMLNode& element) override { element_ = element; }
  void ReadAttribute(const qv::Variant& index) override;
  void ReadAttributes() override;

  // Applies one attribute node; properties that do not exist and values that
  // do not fit are ignored.
  virtual void ApplyAttribute(const qv::TXMLNode& attribute);

 private:
  qv::TComponent* component_;
  qv::TXMLNode element_;
};

// Combo boxes keep their selected item while their items are replaced.
class TCustomComboBoxRead : public TComponentRead {
 public:
  using TComponentRead::TComponentRead;
  void ReadAttributes() override;
};

// The same for the data-aware combo box of the grid package.
class TwwDBCustomComboBoxRead : public TComponentRead {
 public:
  using TComponentRead::TComponentRead;
  void ReadAttributes() override;
};

class TReaderFactory {
 public:
  static std::unique_ptr<ILangRead> CreateReader(qv::TComponent* component,
                                                 const qv::TXMLNode& element);
};

}  // namespace ravlet
