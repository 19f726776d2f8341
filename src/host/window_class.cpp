#include "host/window_class.h"

#include <memory>

#include "platform/text/string_utils.h"

namespace ravlet {

const THostWindowClass* frmBaseGeneClass = nullptr;

namespace {

// Registrations happen while libraries start, so the list is made on first use.
std::vector<std::unique_ptr<THostWindowClass>>& Classes() {
  static std::vector<std::unique_ptr<THostWindowClass>> classes;
  return classes;
}

THostWindowClass* Find(std::string_view name) {
  for (const auto& window_class : Classes())
    if (qv::SameText(window_class->Name, name)) return window_class.get();
  return nullptr;
}

}  // namespace

const THostWindowClass* RegisterWindowClass(const std::string& name, THostWindowFactory create) {
  if (THostWindowClass* known = Find(name)) {
    known->Create = create;
    return known;
  }
  Classes().push_back(std::make_unique<THostWindowClass>(THostWindowClass{name, create}));
  return Classes().back().get();
}

const THostWindowClass* FindWindowClass(std::string_view name) {
  return Find(name);
}

std::vector<std::string> WindowClassNames() {
  std::vector<std::string> names;
  for (const auto& window_class : Classes()) names.push_back(window_class->Name);
  return names;
}

}  // namespace ravlet
