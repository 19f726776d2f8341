#pragma once
// Chinese captions of message-dialog buttons, by the button's English name.

#include <string>

namespace ravlet {

// "Yes" → "是(&Y)", "OK" → "确定", …; names are compared case-sensitively and
// any other name comes back unchanged.
std::string ButtonCaption(const std::string& name);

}  // namespace ravlet
