#pragma once
// Keys and shift states as the driver's commands name them: "F2", "Enter",
// "Esc", "Tab", "PageDown", "A", "7" or a virtual key number; shift states as
// a list such as ["Ctrl","Shift"] (or "ssCtrl", or one name as a string).

#include "json.h"
#include "platform/vcl/keys.h"

namespace ravlet::host {

// Raises EJsonError for an unknown name or a number outside 1..255.
qv::Word ParseKey(const JsonValue& key);
// Null gives the empty state.
qv::TShiftState ParseShift(const JsonValue& shift);

}  // namespace ravlet::host
