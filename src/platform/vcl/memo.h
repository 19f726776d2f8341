#pragma once
// Memos: edits of several lines. Lines is a view of the text split at its
// line breaks (CR LF, LF or CR); a break at the very end starts no further
// line, so "a\r\nb\r\n" and "a\r\nb" both have two lines. Changing a line
// rewrites the text, and every change raises OnChange, as for an edit.
// Enter types a line break when WantReturns is on (otherwise it goes to the
// form, for its default button), Tab types a tab when WantTabs is on, and
// Up and Down move the caret between lines. Entering a memo selects nothing.

#include <memory>
#include <string>

#include "platform/vcl/alignment.h"
#include "platform/vcl/edit.h"

namespace qv {

QV_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);

class TCustomMemo : public TCustomEdit {
  QV_DECLARE_CLASS(TCustomMemo)

  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return lines_.get(); }
  void SetLines(const TStrings& lines) { lines_->Assign(lines); }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle scroll_bars);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool word_wrap);
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool want) { want_returns_ = want; }
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool want) { want_tabs_ = want; }

  // The caret as (character in its line, line), both from 0.
  TPoint CaretPos() const;

 protected:
  bool WantsKey(Word key, TShiftState shift) const override;
  void DefaultHandler(TMessage& message) override;

 private:
  void MoveCaretLine(int delta);

  std::unique_ptr<TStrings> lines_;
  TAlignment alignment_ = taLeftJustify;
  TScrollStyle scroll_bars_ = ssNone;
  bool word_wrap_ = true;
  bool want_returns_ = true;
  bool want_tabs_ = false;
};

class TMemo : public TCustomMemo {
  QV_DECLARE_CLASS(TMemo)
  using TCustomMemo::TCustomMemo;
};

}  // namespace qv
