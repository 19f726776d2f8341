#pragma once
// Spin edits: an edit for a whole number with up and down buttons at its
// right edge. Up and Down (keys or buttons) step Value by Increment; the
// person types digits and signs only. Value reads the text as a number (a
// text that is none reads as MinValue); setting it writes the number limited
// to MinValue..MaxValue, and leaving the edit (after OnExit) limits a number
// typed outside the range; a text that is no number stays as it is. Equal
// MinValue and MaxValue mean no limits.

#include "platform/vcl/edit.h"

namespace qv {

class TSpinEdit : public TCustomEdit {
  QV_DECLARE_CLASS(TSpinEdit)

  explicit TSpinEdit(TComponent* owner);

  int MinValue() const { return min_value_; }
  void SetMinValue(int value) { min_value_ = value; }
  int MaxValue() const { return max_value_; }
  void SetMaxValue(int value) { max_value_ = value; }
  int Increment() const { return increment_; }
  void SetIncrement(int increment) { increment_ = increment; }
  bool EditorEnabled() const { return editor_enabled_; }
  void SetEditorEnabled(bool enabled) { editor_enabled_ = enabled; }

  int Value() const;
  void SetValue(int value);
  // The value limited to the range.
  int CheckValue(int value) const;

  // What the buttons do; nothing on a read-only spin edit.
  void UpClick();
  void DownClick();

 protected:
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void DoExit() override;
  void WMLButtonDown(TMessage& message);

 private:
  void Step(int delta);

  int min_value_ = 0;
  int max_value_ = 0;
  int increment_ = 1;
  bool editor_enabled_ = true;
};

}  // namespace qv
