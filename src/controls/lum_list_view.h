#pragma once
// The selection panel's list: a list view whose rows are added with AddRow,
// which makes columns ("Data1", "Data2" ...) for values that have none, pads
// the rows to the same number of sub-items, keeps the list sorted and free of
// neighbouring duplicates when asked, and sizes the columns to their texts.
//
// Finding a new row's place, checking it against its neighbours and sizing
// the columns take logarithmic time (the longest text of each column is kept
// as rows come and go), so a list fills row by row without slowing down. A
// change made to Items from outside is noticed by the row count or by the
// caption change, and the next AddRow then looks at the whole list once.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "controls/select_panel_types.h"
#include "platform/vcl/list_view.h"

namespace ravlet {

class TLumListView : public qv::TListView {
  QV_DECLARE_CLASS(TLumListView)

  explicit TLumListView(qv::TComponent* owner);
  ~TLumListView() override;

  // Sizes the columns after each added row.
  bool ColumnsAutoSize() const { return columns_auto_size_; }
  void SetColumnsAutoSize(bool value) { columns_auto_size_ = value; }

  // Adds a row: values[0] is the caption, the rest its sub-items. False when
  // there are no values or the row could not be added; what was done before
  // a failure stays.
  bool AddRow(const std::vector<std::string>& values);
  // Removes every row; the columns stay.
  void ClearRows();
  // Each column as wide as its longest text (its caption included) in
  // letters "W" of the list's font, lengths counted in bytes of the
  // workstation's code page.
  void AutoSizeColumns();
  // Removes every column and adds one per caption, sized to its texts.
  void SetColumnCaptions(const std::vector<std::string>& captions);

  // Keeps the rows in the order of CompareRows, also as rows are added;
  // turning it on sorts the rows present. Otherwise rows stay in the order
  // they were added.
  bool SortRows() const { return sort_rows_; }
  void SetSortRows(bool sort_rows);
  int SortColumn() const { return sort_column_; }
  bool SortAscending() const { return sort_ascending_; }
  // Changes the sort key; a sorted list sorts itself again.
  void SetSortKey(int column, bool ascending);
  // A click on a column header: the same column flips the direction,
  // another becomes the key (ascending); then the rows are sorted once,
  // kept sorted or not.
  void SortByColumn(int column);
  // The key column, then column 0, then column 1, as far as not compared
  // yet, each without regard to case; negated when descending. Column 0 is
  // the caption, column c the sub-item c - 1 (missing ones read as empty).
  int CompareRows(const qv::TListItem* a, const qv::TListItem* b) const;

  // Which neighbouring rows AddRow removes as duplicates; setting only
  // stores the rule.
  TCheckDuplicate DuplicateCheck() const { return duplicate_check_; }
  void SetDuplicateCheck(TCheckDuplicate check);
  // Walks the rows from the last to the second and removes a row whose
  // caption equals the caption before it; the number removed.
  int RemoveDuplicates();
  // Removes the selected rows; the number removed.
  int DeleteSelectedRows();

 protected:
  void ColClick(qv::TListColumn* column) override;
  void Change(qv::TListItem* item, qv::TItemChange change) override;
  // A left press moves the focus to the list first and is handled only when
  // the list then has it.
  void WMLButtonDown(qv::TMessage& message);

 private:
  template <typename A, typename B>
  int CompareCells(const A& a, const B& b) const;
  bool SameCaption(const qv::TListItem* a, const qv::TListItem* b) const;
  // Notices changes made to Items from outside since the last operation.
  void CheckOutsideChanges();
  void CountLengths(const qv::TListItem* item, int delta);
  void RebuildLengths();
  int MaxTextLength(int column) const;
  void PadRows(int sub_items);
  void RemoveRow(qv::TListItem* item);
  int WalkDuplicates();

  bool columns_auto_size_ = true;
  bool sort_rows_ = false;
  int sort_column_ = 0;
  bool sort_ascending_ = true;
  TCheckDuplicate duplicate_check_ = cd_None;
  // No two neighbours are duplicates under the rule, so a new row needs only
  // be compared with its own neighbours.
  bool duplicates_walked_ = true;
  // Sub-items every row has been padded to.
  int sub_item_count_ = 0;
  // Per column: text length -> number of rows with a text that long.
  std::vector<std::map<int, int>> length_counts_;
  int length_code_page_ = 0;
  // The row count as this list last left it.
  int known_count_ = 0;
  bool changing_rows_ = false;
};

// Bytes the text takes in the workstation's code page.
int CodePageTextLength(std::string_view text);

}  // namespace ravlet
