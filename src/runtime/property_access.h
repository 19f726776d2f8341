#pragma once
// A component's published properties read and written by name, for code that
// knows a property only by its name. The name is looked up without regard to
// case and may be a property path ("Font.Color"). These operations never
// raise for a missing component, an empty name, a property that does not
// exist, is of another kind or is read-only, or a value that does not fit the
// property: reads give an empty result and writes do nothing. Errors raised by
// the component's own setter pass through.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/vcl/control.h"
#include "platform/vcl/method.h"

namespace ravlet {

// Text properties.
std::string GetStrPropByName(const qv::TObject* component, std::string_view name);
void SetStrPropByName(qv::TObject* component, std::string_view name, std::string_view value);

// Ordinal properties: integers, characters, enumerations (and Booleans) by
// their ordinal value, colours, sets as their bit mask.
int64_t GetOrdPropByName(const qv::TObject* component, std::string_view name);
void SetOrdPropByName(qv::TObject* component, std::string_view name, int64_t value);

// Events, as method references.
qv::TMethod GetMethodPropByName(const qv::TObject* component, std::string_view name);
// A handler whose arguments do not match the event's is not set.
void SetMethodPropByName(qv::TObject* component, std::string_view name, const qv::TMethod& handler);

// True when the component publishes a property of that name (of any kind).
bool HasPropertyByName(const qv::TObject* component, std::string_view name);

// A left-button press and release with the given parameters, delivered
// straight to the control's own message handling (WindowProc), as a click of
// the person would arrive. Nothing happens without a control.
void SimulateClick(qv::TControl* control, qv::WPARAM wparam, qv::LPARAM lparam);

}  // namespace ravlet
