#pragma once
// Text alignment and layout inside a control, and bevels.

#include "platform/vcl/enum_type.h"

namespace qv {

QV_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
QV_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);
QV_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace);

}  // namespace qv
