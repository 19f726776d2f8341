#include "controls/qv_spin_edit.h"

#include <string>

#include "platform/text/string_utils.h"

namespace ravlet {

QV_DEFINE_CLASS(TQvSpinEdit, qv::TSpinEdit, r) {}

void TQvSpinEdit::Change() {
  // Putting the text right changes it again; that inner change is this one.
  if (dropping_signs_) return;
  const std::string text = Text();
  std::string kept;
  int removed_before_caret = 0;
  int index = -1;  // of the character being read, as the caret counts
  for (const char ch : text) {
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++index;
    if (index > 0 && (ch == '+' || ch == '-')) {
      if (index < SelStart()) ++removed_before_caret;
      continue;
    }
    kept += ch;
  }
  if (kept != text) {
    const int caret = SelStart() - removed_before_caret;
    dropping_signs_ = true;
    SetText(kept);
    dropping_signs_ = false;
    SetSelStart(caret);
  }
  if (!qv::Trim(Text()).empty()) qv::TSpinEdit::Change();
}

}  // namespace ravlet
