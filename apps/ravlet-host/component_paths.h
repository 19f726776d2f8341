#pragma once
// Components named by a path of names, as the driver's commands give them:
// a window name first ("frmHostProbe.btnOk"), or names relative to the
// window that takes input now (the innermost modal window, else the active
// one). Summaries of forms and components as JSON.

#include <string_view>

#include "json.h"
#include "platform/vcl/component.h"
#include "platform/vcl/form.h"

namespace ravlet::host {

// `base` stands for an empty path; raises EJsonError naming the segment
// that is missing.
qv::TComponent* FindComponentByPath(std::string_view path, qv::TComponent* base);

// Name, class and, for controls, their state and caption.
JsonValue DescribeComponent(const qv::TComponent& component);
// A form with its caption, state and, for a message dialog, its text and buttons.
JsonValue DescribeForm(const qv::TCustomForm& form);
// Every published property with its value as text.
JsonValue DescribeProperties(const qv::TComponent& component);
// The property's value as text; raises what the property layer raises.
JsonValue PropertyValue(const qv::TComponent& component, std::string_view property);

}  // namespace ravlet::host
