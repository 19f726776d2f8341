#pragma once
// The lookup request: a control asks the window it belongs to to open the
// lookup for it, exactly as if F2 had been pressed in it. The window answers
// WM_OPENLOOKUP; wParam is 0 and lParam the control.

#include "platform/vcl/control.h"
#include "platform/vcl/messages.h"

namespace ravlet {

constexpr unsigned WM_OPENLOOKUP = qv::WM_USER + 10;

// The control a WM_OPENLOOKUP message is about (null when it names none).
inline qv::TControl* LookupControlOf(const qv::TMessage& message) {
  return reinterpret_cast<qv::TControl*>(message.LParam);
}

// Sends WM_OPENLOOKUP for `control` to the window of `window_owner` and waits
// for it to be handled. False when that owner is no window (or either is null).
bool SendOpenLookup(qv::TComponent* window_owner, qv::TControl* control);
// The same, to the window of the control's own owner.
bool SendOpenLookup(qv::TControl* control);

}  // namespace ravlet
