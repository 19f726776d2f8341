#include "controls/open_lookup.h"

#include "platform/vcl/application.h"
#include "platform/vcl/win_control.h"

namespace ravlet {

bool SendOpenLookup(qv::TComponent* window_owner, qv::TControl* control) {
  auto* window = dynamic_cast<qv::TWinControl*>(window_owner);
  if (window == nullptr || control == nullptr) return false;
  qv::SendMessage(window->Handle(), WM_OPENLOOKUP, 0, reinterpret_cast<qv::LPARAM>(control));
  return true;
}

bool SendOpenLookup(qv::TControl* control) {
  return control != nullptr && SendOpenLookup(control->Owner(), control);
}

}  // namespace ravlet
