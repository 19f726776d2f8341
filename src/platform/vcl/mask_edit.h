#pragma once
// Masked edits: an edit whose text follows an edit mask of up to three
// pieces separated by ";": the mask, whether the literal characters are kept
// in Text ("1", the default) or left out ("0"), and the character that marks
// a position not filled yet ("_" by default). "9999/99/99;1; " shows as
// "    /  /  " when empty; typing "20230105" fills it to "2023/01/05".
//
// Mask characters: 0 (digit, required), 9 (digit), # (digit or sign),
// L (letter, required), l (letter), A (letter or digit, required),
// a (letter or digit), C (any character, required), c (any character).
// ">" turns what follows to upper case, "<" to lower case, "<>" ends the
// conversion; "\" makes the next character a literal; "_" stands for a
// literal blank; "!" keeps unfilled positions at the front of a Text without
// literals instead of at its end. Every other character is a literal, "/"
// and ":" included (they show as written).
//
// EditText is what the edit shows: literals, typed characters and the blank
// character. Text is the text under the mask: literals kept or left out by
// the mask's second piece, unfilled positions as spaces (left out at the end
// of a Text without literals). Setting either walks the mask: a character
// equal to the literal at a literal position is taken as that literal, any
// other character fills the next position that accepts characters (a blank,
// or a character that position does not accept, leaves it unfilled). So both
// "2023/01/05" and "20230105" fill "9999/99/99" alike.
//
// Typing overwrites: a character goes to the next position that accepts
// characters at or after the caret (literals are skipped, and typing the
// literal at the caret steps over it); a character the position does not
// accept is refused. Backspace and Delete clear positions without moving the
// others. Changing the mask keeps the text, refitted to the new mask.

#include <string>
#include <string_view>
#include <vector>

#include "platform/vcl/edit.h"

namespace qv {

// Input that does not satisfy the edit mask.
QV_DECLARE_EXCEPTION(EDBEditError, Exception);

// One position of an edit mask: a literal, or a place for one character.
struct TMaskPosition {
  bool Literal = false;
  // The literal character, or the mask character (0 9 # L l A a C c).
  char32_t Char = 0;
  // 1: upper case, -1: lower case, 0: as typed.
  int CaseMode = 0;
};

// The three pieces of an edit mask, parsed.
struct TEditMaskLayout {
  std::vector<TMaskPosition> Positions;
  bool SaveLiterals = true;
  char32_t Blank = U'_';
  bool LeadingBlanks = false;

  static TEditMaskLayout Parse(std::string_view edit_mask);
  int InputCount() const;
  // The characters of the positions for a text, by walking the mask:
  // literals at literal positions, 0 where a position stays unfilled.
  std::u32string Fit(std::u32string_view text) const;
  // The text under the mask, and the text as shown, of fitted positions.
  std::u32string MaskedText(const std::u32string& cells) const;
  std::u32string DisplayText(const std::u32string& cells) const;
};

class TCustomMaskEdit : public TCustomEdit {
  QV_DECLARE_CLASS(TCustomMaskEdit)

  explicit TCustomMaskEdit(TComponent* owner);

  const std::string& EditMask() const { return edit_mask_; }
  // Sets MaxLength to the number of mask positions (0 without a mask).
  void SetEditMask(const std::string& mask);
  // The mask has at least one position.
  bool IsMasked() const { return !layout_.Positions.empty(); }
  const TEditMaskLayout& MaskLayout() const { return layout_; }

  // What the edit shows (without a mask, the same as Text).
  const std::string& EditText() const { return TControl::Text(); }
  void SetEditText(const std::string& text);
  // The text under the mask.
  std::string Text() const;
  void SetText(const std::string& text) override;

  // Raises EDBEditError, with the caret at the position, when a required
  // position (0, L, A, C) is not filled.
  void ValidateEdit();

 protected:
  void DefaultHandler(TMessage& message) override;

 private:
  std::u32string Cells() const;
  // Shows the positions; true when the shown text changed.
  bool StoreCells(const std::u32string& cells, bool by_user);
  // The first position at or after `from` (before `from`, backwards) that
  // takes characters; -1 when none.
  int NextInput(int from) const;
  int PreviousInput(int from) const;
  void ClearRange(std::u32string& cells, int start, int length) const;
  void TypeChar(char32_t ch);
  void EraseChar(bool backwards);

  std::string edit_mask_;
  TEditMaskLayout layout_;
};

class TMaskEdit : public TCustomMaskEdit {
  QV_DECLARE_CLASS(TMaskEdit)
  using TCustomMaskEdit::TCustomMaskEdit;
};

// A text formatted as Text under an edit mask ("20230105" under
// "9999/99/99;1; " gives "2023/01/05").
std::string FormatMaskText(const std::string& edit_mask, const std::string& value);

}  // namespace qv
