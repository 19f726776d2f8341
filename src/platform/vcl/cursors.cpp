#include "platform/vcl/cursors.h"

#include "platform/vcl/type_info.h"

namespace qv {

namespace {

bool RegisterCursorIdents() {
  RegisterIntegerConsts(
      "TCursor",
      {{"crDefault", crDefault},     {"crNone", crNone},           {"crArrow", crArrow},
       {"crCross", crCross},         {"crIBeam", crIBeam},         {"crSizeNESW", crSizeNESW},
       {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE},   {"crSizeWE", crSizeWE},
       {"crUpArrow", crUpArrow},     {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
       {"crNoDrop", crNoDrop},       {"crHSplit", crHSplit},       {"crVSplit", crVSplit},
       {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},     {"crNo", crNo},
       {"crAppStart", crAppStart},   {"crHelp", crHelp},           {"crHandPoint", crHandPoint},
       {"crSizeAll", crSizeAll}});
  return true;
}

[[maybe_unused]] const bool kCursorsRegistered = RegisterCursorIdents();

}  // namespace

}  // namespace qv
