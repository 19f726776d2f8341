#pragma once
// The enumerations of the selection panel. Their identifiers are written into
// form files and saved condition schemes, so they are fixed as they stand.

#include "platform/vcl/enum_type.h"
#include "runtime/date_type.h"

namespace ravlet {

// sp_Range: begin and end value; sp_Discrete: a list of values;
// sp_UserChoice: the person switches between the two.
QV_ENUM(TSelectStyle, sp_Range, sp_Discrete, sp_UserChoice);
// How the two ends of a range compare when they are put in order.
QV_ENUM(TValueType, vt_String, vt_Number, vt_Date, vt_Time, vt_Float, vt_OtherMask);
// Which neighbouring list rows count as the same: none, equal captions, or
// captions equal without regard to case.
QV_ENUM(TCheckDuplicate, cd_None, cd_CheckCase, cd_CaseInsensitive);

// TDateType is declared with fixed numbers elsewhere; its identifiers are
// registered here so that a published DateType reads and writes by name.
inline const qv::TEnumTypeInfo& EnumTypeInfoOf(TDateType) {
  static const qv::TEnumTypeInfo& info = qv::RegisterEnumType(
      "TDateType", "dt_NoneCare, dt_YYYYMMDD, dt_MMDDYYYY, dt_DDMMYYYY, dt_YYMMDD, dt_YYYMMDD");
  return info;
}

}  // namespace ravlet
