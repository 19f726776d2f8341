#pragma once
// List views: items with a caption, sub-items, an image and a data pointer,
// shown as large icons, small icons, a list, or a report with columns.
//
// Items live in TListItems, which owns them. Adding, inserting and deleting
// at any position, Count, access by index and an item's Index cost O(log n)
// or a short move inside a block of a few hundred items, so lists of
// hundreds of thousands of items stay fast; a change only asks for a repaint
// (one per BeginUpdate/EndUpdate batch) and never walks the items.
//
// Events follow the original control: a change of an item's caption, image
// or selection asks OnChanging (a refusal keeps the old value) and then
// raises OnChange; a change of selection also raises OnSelectItem. OnInsert
// follows each insertion and OnDeletion precedes each removal. Changes made
// by code raise them too.
//
// Sorting: SortType other than stNone keeps the items in order — at once
// when it is set, and an item whose caption (stText, stBoth) or data
// (stData, stBoth) changes is moved to its place (after equal items); a new
// item stays where it was added until then. Inside BeginUpdate / EndUpdate
// the order is restored once at the end. The order is that of
// OnCompare when it is assigned, else of the captions without regard to case
// (then with it). AlphaSort and CustomSort sort once; sorting is stable.
//
// Selection: with MultiSelect off, selecting an item releases the other
// one. A click selects the item under the mouse alone (Ctrl toggles it and
// Shift selects the range from the focused item, with MultiSelect); a click
// on no item clears the selection. Up, Down, Home, End, PageUp and PageDown
// move the focus and select that item alone; Ctrl+A selects all (MultiSelect).
//
// Caption editing (ReadOnly off): EditCaption asks OnEditing, then shows an
// edit over the item's caption. Enter or leaving the edit ends the edit:
// OnEdited gets the text (and may change it), which becomes the caption.
// Esc, or deleting the item, cancels without OnEdited. F2 edits the focused
// item.
//
// Geometry of the headless model, with R = the font's character height + 4
// (at least the small images' height + 1): report view rows are R high
// below a header of the character height + 6 (when ShowColumnHeaders), the
// first visible row being TopIndex; an item's row spans the first column, or
// all columns with RowSelect. The list and small-icon views place items R
// high in cells as wide as the widest caption + 4 (+ the small image width +
// 2 with SmallImages): the list view down the columns, small icons along the
// rows. Icons take cells 75 wide and (large image height + 4 + R) high,
// along the rows.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/vcl/alignment.h"
#include "platform/vcl/collection.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/graphic_control.h"
#include "platform/vcl/image_list.h"
#include "platform/vcl/win_control.h"

namespace qv {

QV_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport);
QV_ENUM(TSortType, stNone, stData, stText, stBoth);
QV_ENUM(TItemChange, ctText, ctImage, ctState);

class TListView;
class TListItems;
class TListItem;
class TListColumn;

QV_EVENT_TYPE(TLVChangeEvent, TObject*, TListItem*, TItemChange);
QV_EVENT_TYPE(TLVChangingEvent, TObject*, TListItem*, TItemChange, bool&);
QV_EVENT_TYPE(TLVSelectItemEvent, TObject*, TListItem*, bool);
QV_EVENT_TYPE(TLVDeletedEvent, TObject*, TListItem*);
QV_EVENT_TYPE(TLVCompareEvent, TObject*, TListItem*, TListItem*, std::intptr_t, int&);
QV_EVENT_TYPE(TLVEditingEvent, TObject*, TListItem*, bool&);
QV_EVENT_TYPE(TLVEditedEvent, TObject*, TListItem*, std::string&);
QV_EVENT_TYPE(TLVColumnClickEvent, TObject*, TListColumn*);

// Widths a column can be set to: as wide as its texts, or as its texts and
// its caption.
constexpr int ColumnTextWidth = -1;
constexpr int ColumnHeaderWidth = -2;

class TListColumn : public TCollectionItem {
  QV_DECLARE_CLASS(TListColumn)

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // With AutoSize, the share of the room the fixed columns leave.
  int Width() const;
  // ColumnTextWidth and ColumnHeaderWidth size the column to its texts;
  // other values are limited by MinWidth and MaxWidth (0: no limit).
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  int MinWidth() const { return min_width_; }
  void SetMinWidth(int width);
  int MaxWidth() const { return max_width_; }
  void SetMaxWidth(int width);

  std::string DisplayName() const override;
  void Assign(const TPersistent* source) override;

 private:
  friend class TListView;
  TListView* ListView() const;
  int Limited(int width) const;

  std::string caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  bool auto_size_ = false;
  int min_width_ = 0;
  int max_width_ = 0;
};

class TListColumns : public TCollection {
  QV_DECLARE_CLASS(TListColumns)

  explicit TListColumns(TListView* owner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int index) const {
    return static_cast<TListColumn*>(TCollection::Items(index));
  }
  TListView* Owner() const { return list_view_; }

 protected:
  std::unique_ptr<TCollectionItem> NewItem() override;
  void Update(TCollectionItem* item) override;

 private:
  TListView* list_view_;
};

class TListItem : public TPersistent {
  QV_DECLARE_CLASS(TListItem)

  explicit TListItem(TListItems* owner);
  ~TListItem() override;

  TListItems* Owner() const { return owner_; }
  TListView* ListView() const;
  // The position in the list; -1 once the item has left it.
  int Index() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The texts of the columns after the first; created when first asked for.
  TStrings* SubItems() const;
  void SetSubItems(const TStrings& items);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  void* Data() const { return data_; }
  void SetData(void* data);
  bool Selected() const { return selected_; }
  void SetSelected(bool selected);
  bool Focused() const;
  void SetFocused(bool focused);

  // Removes the item from its list and frees it.
  void Delete();
  // Starts editing the caption; false when the list view does not allow it.
  bool EditCaption();
  void MakeVisible();
  TRect DisplayRect() const;

  void Assign(const TPersistent* source) override;

 private:
  friend class TListItems;
  friend class TListView;
  struct TBlock;

  TListItems* owner_;
  std::string caption_;
  mutable std::unique_ptr<TStringList> sub_items_;
  int image_index_ = -1;
  void* data_ = nullptr;
  bool selected_ = false;
  // Where the item sits: its block, and its slot in it as last known (a
  // change earlier in the block leaves it stale until it is looked up).
  TBlock* block_ = nullptr;
  mutable int slot_ = 0;
};

class TListItems : public TPersistent {
  QV_DECLARE_CLASS(TListItems)

  explicit TListItems(TListView* owner);
  ~TListItems() override;

  TListView* Owner() const { return list_view_; }
  int Count() const { return count_; }
  // Raise EListError "List index out of bounds (<index>)".
  TListItem* Item(int index) const;
  TListItem* operator[](int index) const { return Item(index); }
  TListItem* Add();
  // Inserts before `index` (0 to Count).
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  // The position of an item of this list; -1 for any other.
  int IndexOf(const TListItem* item) const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  void Assign(const TPersistent* source) override;

 private:
  friend class TListItem;
  friend class TListView;
  using TBlock = TListItem::TBlock;

  TListItem* InsertAt(int index, std::unique_ptr<TListItem> item);
  std::unique_ptr<TListItem> Extract(TListItem* item);
  // The index of a block's first item.
  int BlockStart(int block) const;
  // A block's size changed by `delta`.
  void BlockResized(int block, int delta);
  void RebuildTree() const;
  void Locate(int index, int& block, int& slot) const;
  // Gives the items of a block from `from` on their block and slot.
  void Renumber(TBlock& block, int from) const;
  // The item's slot in its block, checked and refreshed when stale.
  int SlotOf(const TListItem* item) const;
  void RemoveBlock(int block);
  void MergeIfSmall(int block);
  // Every item in order, taken out of the blocks; then put back.
  std::vector<std::unique_ptr<TListItem>> TakeAll();
  void PutAll(std::vector<std::unique_ptr<TListItem>> items);

  TListView* list_view_;
  std::vector<std::unique_ptr<TBlock>> blocks_;
  int count_ = 0;
  // A Fenwick tree over the block sizes (1-based), rebuilt when blocks
  // are added or removed.
  mutable std::vector<int> tree_;
  mutable bool tree_valid_ = false;
  int update_count_ = 0;
};

// The edit that appears over an item while its caption is edited.
class TListViewEditor : public TEdit {
  QV_DECLARE_CLASS(TListViewEditor)
  using TEdit::TEdit;

 protected:
  bool WantsKey(Word key, TShiftState shift) const override;
  void KeyDown(Word& key, TShiftState shift) override;
  void DoExit() override;
};

class TListView : public TWinControl {
  QV_DECLARE_CLASS(TListView)

  explicit TListView(TComponent* owner);
  ~TListView() override;
  void BeforeDestruction() override;

  TListItems* Items() const { return items_.get(); }
  void SetItems(TListItems* items);
  TListColumns* Columns() const { return columns_.get(); }
  void SetColumns(TListColumns* columns);
  TListColumn* Column(int index) const { return columns_->Items(index); }

  TViewStyle ViewStyle() const { return view_style_; }
  void SetViewStyle(TViewStyle style);
  TSortType SortType() const { return sort_type_; }
  void SetSortType(TSortType sort_type);
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool multi_select);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool row_select);
  bool GridLines() const { return grid_lines_; }
  void SetGridLines(bool grid_lines);
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool hide_selection);
  bool ShowColumnHeaders() const { return show_column_headers_; }
  void SetShowColumnHeaders(bool show);
  // Header clicks raise OnColumnClick.
  bool ColumnClick() const { return column_click_; }
  void SetColumnClick(bool column_click) { column_click_ = column_click; }
  bool HotTrack() const { return hot_track_; }
  void SetHotTrack(bool hot_track) { hot_track_ = hot_track; }
  TImageList* LargeImages() const { return large_images_; }
  void SetLargeImages(TImageList* images);
  TImageList* SmallImages() const { return small_images_; }
  void SetSmallImages(TImageList* images);

  // The first selected item (the lowest index); null when none.
  TListItem* Selected() const;
  // Selects the item (null clears the selection).
  void SetSelected(TListItem* item);
  int SelCount() const { return static_cast<int>(selected_.size()); }
  // The index of Selected; -1 when none. Setting -1 (or an index outside the
  // items) clears the selection.
  int ItemIndex() const;
  void SetItemIndex(int index);
  TListItem* ItemFocused() const { return focused_; }
  void SetItemFocused(TListItem* item);
  void ClearSelection();
  void SelectAll();
  // Selected items in index order.
  std::vector<TListItem*> SelectedItems() const;

  void BeginUpdate() { items_->BeginUpdate(); }
  void EndUpdate() { items_->EndUpdate(); }
  void Clear() { items_->Clear(); }

  // Sorts by OnCompare (or captions); false when there is nothing to sort.
  bool AlphaSort();
  // Sorts by `compare` (null: as AlphaSort), which gets `data` along.
  bool CustomSort(const std::function<int(TListItem*, TListItem*, std::intptr_t)>& compare,
                  std::intptr_t data = 0);

  // The first item from `start` (or after it unless inclusive) whose caption
  // equals `value` (starts with it when partial), without regard to case;
  // with wrap the search goes on from the top. Null when none.
  TListItem* FindCaption(int start, const std::string& value, bool partial, bool inclusive,
                         bool wrap) const;
  TListItem* FindData(int start, const void* value, bool inclusive, bool wrap) const;

  // Caption editing.
  bool IsEditing() const { return editing_ != nullptr; }
  TListItem* EditingItem() const { return editing_; }
  TEdit* Editor() const { return editor_; }
  // Ends the edit: with accept, OnEdited and the new caption; else cancelled.
  void EndEdit(bool accept);

  // Geometry (see the top of this file).
  int RowHeight() const;
  int HeaderHeight() const;
  int TopIndex() const { return top_index_; }
  void SetTopIndex(int index);
  // The number of items that fit into the client area.
  int VisibleRowCount() const;
  TRect ItemRect(int index) const;
  TListItem* GetItemAt(int x, int y) const;
  // The column whose header holds the point; -1 when none.
  int ColumnAtHeader(int x, int y) const;

  TCanvas* Canvas() const { return canvas_.Canvas(); }
  void Update() override;
  void Notification(TComponent* component, TOperation operation) override;

  TLVChangeEvent OnChange;
  TLVChangingEvent OnChanging;
  TLVSelectItemEvent OnSelectItem;
  TLVDeletedEvent OnInsert;
  TLVDeletedEvent OnDeletion;
  TLVCompareEvent OnCompare;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVColumnClickEvent OnColumnClick;

 protected:
  virtual bool CanChange(TListItem* item, TItemChange change);
  virtual void Change(TListItem* item, TItemChange change);
  virtual void DoSelectItem(TListItem* item, bool selected);
  virtual void ColClick(TListColumn* column);
  virtual bool CanEdit(TListItem* item);
  virtual void Paint();
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DefaultHandler(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumn;
  friend class TListColumns;
  friend class TListViewEditor;

  // Compares for the kept order and for AlphaSort.
  int CompareItems(TListItem* a, TListItem* b) const;
  bool KeepsOrder() const { return sort_type_ != stNone; }
  // Moves an item whose sort key changed to its place.
  void PlaceSorted(TListItem* item);
  void SortAll(const std::function<int(TListItem*, TListItem*)>& compare);
  void ItemSelecting(TListItem* item, bool selected);
  void ItemInserted(TListItem* item);
  void ItemRemoving(TListItem* item);
  void ItemsCleared();
  void UpdateEnded();
  // A repaint now, or at the end of the update batch.
  void RequestRepaint();
  void SelectOnly(TListItem* item);
  void StartEdit(TListItem* item);
  void FinishEdit(bool accept, bool refocus);
  void MoveFocusTo(int index, TShiftState shift);
  void PaintItem(int index, const TRect& rect);
  int ListCellWidth() const;
  // Sum of the column widths.
  int ColumnsWidth() const;
  int ContentWidth(int column) const;

  std::unique_ptr<TListItems> items_;
  std::unique_ptr<TListColumns> columns_;
  TViewStyle view_style_ = vsIcon;
  TSortType sort_type_ = stNone;
  bool multi_select_ = false;
  bool read_only_ = false;
  bool row_select_ = false;
  bool grid_lines_ = false;
  bool hide_selection_ = true;
  bool show_column_headers_ = true;
  bool column_click_ = true;
  bool hot_track_ = false;
  TImageList* large_images_ = nullptr;
  TImageList* small_images_ = nullptr;
  std::unordered_set<TListItem*> selected_;
  TListItem* focused_ = nullptr;
  TListItem* editing_ = nullptr;
  // The item whose edit is being ended; null once it is deleted.
  TListItem* ending_edit_ = nullptr;
  TListViewEditor* editor_ = nullptr;
  int top_index_ = 0;
  bool needs_sort_ = false;
  bool repaint_pending_ = false;
  TControlCanvas canvas_;
};

}  // namespace qv
