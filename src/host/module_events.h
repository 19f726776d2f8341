#pragma once
// The events the module reports to its host through the controller's
// OnModuleEvent handler. Header only: hosts use the names without linking
// the module.

#include <cstdint>
#include <string_view>

namespace ravlet {

inline constexpr int32_t meCreated = 256;    // the window was created (inside Open)
inline constexpr int32_t meShown = 272;      // the window was shown
inline constexpr int32_t meHidden = 288;     // the window was hidden, also while it closes
inline constexpr int32_t meDestroyed = 304;  // the window was destroyed
inline constexpr int32_t meSignal = 320;     // the host called DoHostSignal

// "meCreated" ... "meSignal"; empty for any other code.
constexpr std::string_view ModuleEventName(int32_t code) {
  switch (code) {
    case meCreated:
      return "meCreated";
    case meShown:
      return "meShown";
    case meHidden:
      return "meHidden";
    case meDestroyed:
      return "meDestroyed";
    case meSignal:
      return "meSignal";
    default:
      return {};
  }
}

}  // namespace ravlet
