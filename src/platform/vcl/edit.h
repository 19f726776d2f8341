#pragma once
// Single-line edits. Typed characters go in at the caret (replacing the
// selection) unless the edit is read-only or full (MaxLength characters, 0
// for no limit); Backspace and Delete remove, Left/Right/Home/End move the
// caret. Every change of the text raises OnChange, also one made by code.
// Entering the edit from the keyboard selects all of it (AutoSelect), so
// typing then replaces the text.

#include <string>

#include "platform/vcl/win_control.h"

namespace qv {

QV_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);

class TCustomEdit : public TWinControl {
  QV_DECLARE_CLASS(TCustomEdit)

  explicit TCustomEdit(TComponent* owner);

  void SetText(const std::string& text) override;
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int max_length);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool auto_select) { auto_select_ = auto_select; }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  char PasswordChar() const { return password_char_; }
  void SetPasswordChar(char ch) { password_char_ = ch; }
  TEditCharCase CharCase() const { return char_case_; }
  void SetCharCase(TEditCharCase char_case);
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  // Positions count characters (code points) of the text.
  int SelStart() const { return sel_start_; }
  void SetSelStart(int start);
  int SelLength() const { return sel_length_; }
  void SetSelLength(int length);
  std::string SelText() const;
  // Replaces the selection as if it had been typed (without the length limit).
  void SetSelText(const std::string& text);
  void SelectAll();
  void Clear() { SetText(""); }

  TNotifyEvent OnChange;

 protected:
  virtual void Change();
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DoEnter() override;
  void DefaultHandler(TMessage& message) override;
  void CMFontChanged(TMessage& message);
  void CMCtl3DChanged(TMessage& message);
  // Edits the text as the person does: replaces the selection with `text`.
  void ReplaceSelection(const std::u32string& text, bool by_user);

 private:
  void AdjustHeight();
  std::u32string Characters() const;
  void SetCharacters(const std::u32string& characters, bool by_user);

  int max_length_ = 0;
  bool read_only_ = false;
  bool auto_select_ = true;
  bool auto_size_ = true;
  char password_char_ = 0;
  TEditCharCase char_case_ = ecNormal;
  bool modified_ = false;
  int sel_start_ = 0;
  int sel_length_ = 0;
};

class TEdit : public TCustomEdit {
  QV_DECLARE_CLASS(TEdit)
  using TCustomEdit::TCustomEdit;
};

}  // namespace qv
