#include "platform/vcl/keys.h"

namespace qv {

char32_t KeyToChar(Word key, TShiftState shift) {
  if (shift.Contains(ssAlt)) return 0;
  if (key >= 'A' && key <= 'Z') {
    if (shift.Contains(ssCtrl)) return key - 'A' + 1;
    return shift.Contains(ssShift) ? key : key - 'A' + 'a';
  }
  if (shift.Contains(ssCtrl)) return 0;
  if (key >= '0' && key <= '9' && !shift.Contains(ssShift)) return key;
  switch (key) {
    case VK_SPACE:
      return U' ';
    case VK_RETURN:
      return U'\r';
    case VK_ESCAPE:
      return 27;
    case VK_BACK:
      return 8;
    case VK_TAB:
      return U'\t';
    default:
      return 0;
  }
}

}  // namespace qv
