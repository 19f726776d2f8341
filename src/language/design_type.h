#pragma once
// Which profile a language component takes its settings from.

#include "platform/vcl/enum_type.h"

namespace ravlet {

QV_ENUM(TDesignType, dtClient, dtServer);

}  // namespace ravlet
