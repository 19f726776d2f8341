#pragma once
// Window classes the controller can create, by name. A class is a factory
// making a window without owner; frmBaseGeneClass names the one Open
// creates. It stays unset until the library's start code (or a host, through
// SelectWindowClass) sets it.

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/host_window.h"
#include "platform/vcl/component.h"
#include "platform/vcl/form.h"

namespace ravlet {

using THostWindowFactory = qv::TComponentPtr<qv::TCustomForm> (*)();

struct THostWindowClass {
  std::string Name;
  THostWindowFactory Create = nullptr;
};

extern const THostWindowClass* frmBaseGeneClass;

// Adds a class, or replaces the factory of a class of the same name (without
// regard to case). The reference stays valid as long as the library is loaded.
const THostWindowClass* RegisterWindowClass(const std::string& name, THostWindowFactory create);

template <typename T>
qv::TComponentPtr<qv::TCustomForm> CreateHostWindow() {
  return qv::CreateUnowned<T>();
}

// A window class must be a form and a host window at once.
template <typename T>
const THostWindowClass* RegisterWindowClass(const std::string& name) {
  static_assert(std::is_base_of_v<qv::TCustomForm, T> && std::is_base_of_v<THostWindow, T>,
                "a window class is a form and a host window");
  return RegisterWindowClass(name, &CreateHostWindow<T>);
}

// Null when no class of that name is registered.
const THostWindowClass* FindWindowClass(std::string_view name);
std::vector<std::string> WindowClassNames();

}  // namespace ravlet
