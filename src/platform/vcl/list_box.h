#pragma once
// List boxes: a list of texts, one line per item, showing the items from
// TopIndex on. ItemIndex is the item with the focus frame; without
// MultiSelect it is also the one selected item. With MultiSelect each item
// is selected on its own: a click selects only the item clicked, Ctrl+click
// toggles one and Shift+click selects the run from the last plain click
// (ExtendedSelect); without ExtendedSelect a click toggles the item. Space
// toggles the focused item of a multi-select list.
//
// The person's changes of the selection (clicks, Up, Down, Home, End, Page
// Up, Page Down) raise OnClick; changes made by code raise nothing. Items
// are ItemHeight pixels high (the font's line height in the standard
// style); lbOwnerDrawVariable asks OnMeasureItem for each item's height.

#include <vector>

#include "platform/vcl/list_control.h"

namespace qv {

QV_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable);

// Height: set by the handler to the item's height in pixels.
QV_EVENT_TYPE(TMeasureItemEvent, TWinControl*, int, int&);

class TCustomListBox : public TCustomListControl {
  QV_DECLARE_CLASS(TCustomListBox)

  explicit TCustomListBox(TComponent* owner);

  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle style);
  // The standard style's items are as high as a line of the font.
  int ItemHeight() const;
  // Heights below 1 are ignored.
  void SetItemHeight(int height);

  bool MultiSelect() const { return multi_select_; }
  // Switching keeps the focused item as the one selected item.
  void SetMultiSelect(bool multi_select);
  bool ExtendedSelect() const { return extended_select_; }
  void SetExtendedSelect(bool extended) { extended_select_ = extended; }
  // Raise EListError "List index out of bounds (<index>)".
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  void ClearSelection();
  // Multi-select lists only.
  void SelectAll();

  void SetItemIndex(int index) override;

  // The first item shown; limited to the items.
  int TopIndex() const { return top_index_; }
  void SetTopIndex(int index);
  // The item under a client point; with `existing` false, a point below the
  // last item gives Count (-1 with `existing`).
  int ItemAtPos(TPoint pos, bool existing) const;
  // Where an item is shown, in client coordinates (items above TopIndex lie
  // above the client area).
  TRect ItemRect(int index) const;
  // How many whole items the client area shows (at least 1).
  int VisibleItemCount() const;

  TMeasureItemEvent OnMeasureItem;

 protected:
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DefaultHandler(TMessage& message) override;
  void WMLButtonDown(TMessage& message);

  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemsCleared() override;
  void ItemsReordered(const std::vector<int>& new_index) override;
  void ListChanged() override;

 private:
  int HeightOf(int index) const;
  void CheckIndex(int index) const;
  // The person moves the focus to `index`; `shift` as with a click.
  void FocusByUser(int index, TShiftState shift, bool toggle);
  void SelectRange(int from, int to);
  void MakeVisible(int index);

  TListBoxStyle style_ = lbStandard;
  int item_height_ = 16;
  bool multi_select_ = false;
  bool extended_select_ = true;
  std::vector<char> selected_;
  int anchor_ = -1;
  int top_index_ = 0;
};

class TListBox : public TCustomListBox {
  QV_DECLARE_CLASS(TListBox)
  using TCustomListBox::TCustomListBox;
};

}  // namespace qv
