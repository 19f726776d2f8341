#pragma once
// Combo boxes. The drop-down and simple styles have an edit part: the person
// types into it (up to MaxLength characters) and the text selects the item
// that reads exactly the same, or none. The drop-down-list and owner-drawn
// styles show the selected item's text and nothing else; typing a character
// there selects the next item that starts with it.
//
// Events follow the person only: a change of the text by typing, or of the
// selected item by keys, raises OnChange (OnSelect instead, when it is set,
// for a selection; OnClick comes first); nothing is raised when code sets
// Text, ItemIndex or Items. Up and Down select the neighbouring item, F4 or
// Alt+Down opens and closes the list (OnDropDown, OnCloseUp), and Enter or
// Esc close an open list.

#include <string>

#include "platform/vcl/list_control.h"

namespace qv {

QV_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
        csOwnerDrawVariable);

class TCustomComboBox : public TCustomListControl {
  QV_DECLARE_CLASS(TCustomComboBox)

  explicit TCustomComboBox(TComponent* owner);

  TComboBoxStyle Style() const { return style_; }
  // The selected item stays selected; a style without edit part shows its text.
  void SetStyle(TComboBoxStyle style);
  // Whether the style has an edit part the person types into.
  bool HasEditPart() const { return style_ == csDropDown || style_ == csSimple; }

  // With an edit part: the edit text (an item that reads the same becomes the
  // selected one). Without: an item's text selects that item (without regard
  // to case), the empty text selects none, and any other text is ignored.
  void SetText(const std::string& text) override;
  void SetItemIndex(int index) override;

  int MaxLength() const { return max_length_; }
  void SetMaxLength(int max_length);
  int ItemHeight() const { return item_height_; }
  void SetItemHeight(int height);
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int count) { drop_down_count_ = count; }
  bool DroppedDown() const { return dropped_down_; }
  void SetDroppedDown(bool dropped_down);

  // The edit part's selection, in characters.
  int SelStart() const { return sel_start_; }
  void SetSelStart(int start);
  int SelLength() const { return sel_length_; }
  void SetSelLength(int length);
  std::string SelText() const;
  void SelectAll();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  virtual void Change();
  // The person chose another item.
  virtual void Select();
  void SelectionChanged(int previous) override;
  void ItemsCleared() override;
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DoEnter() override;
  void DoExit() override;
  void DefaultHandler(TMessage& message) override;
  void WMLButtonDown(TMessage& message);

 private:
  // The person selects an item: the events follow when it is another one.
  void SelectByUser(int index);
  void TypeCharacter(char32_t ch);
  void EditByUser(const std::u32string& characters, int caret);
  void SetEditText(const std::string& text);
  void HandleKeyDown(Word key, TShiftState shift);
  int FindItemStartingWith(char32_t ch) const;

  TComboBoxStyle style_ = csDropDown;
  int max_length_ = 0;
  int item_height_ = 16;
  int drop_down_count_ = 8;
  bool dropped_down_ = false;
  int sel_start_ = 0;
  int sel_length_ = 0;
};

class TComboBox : public TCustomComboBox {
  QV_DECLARE_CLASS(TComboBox)
  using TCustomComboBox::TCustomComboBox;
};

}  // namespace qv
