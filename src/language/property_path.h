#pragma once
// Published properties set from texts by property path, the way language
// packages write them: "Caption", "Font.Name", "Color" = "clRed",
// "Align" = " alClient ", "Font.Style" = "[fsBold]".

#include <string_view>

#include "platform/vcl/object.h"

namespace ravlet {

// Follows the object-valued properties named before each "." and sets the
// last one from the text: integers with registered identifiers take an
// identifier or a number, enumerations an identifier and sets the bracketed
// form (both trimmed first), other kinds as the property layer reads texts.
// Events and object-valued properties are not set from texts. False, with
// the property unchanged, when there is no such property or the text does not
// fit.
bool SetPropertyByPath(qv::TObject* object, std::string_view name, std::string_view value);

}  // namespace ravlet
