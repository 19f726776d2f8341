#pragma once
// The rows of the selection panel's list, in display order: the order they
// were added in, or sorted by a key of columns. A row is a caption (column 0)
// and sub-items (columns 1 on); every row has as many sub-items as the row
// with the most, the missing ones empty.
//
// Adding, finding a row by display index and checking a new row against its
// neighbours take logarithmic time, and the longest text of each column is
// kept up to date as rows come and go, so a list of a hundred thousand rows
// fills row by row without slowing down.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/select_panel_types.h"

namespace ravlet {

class TListRowStore {
 public:
  TListRowStore();
  ~TListRowStore();
  TListRowStore(const TListRowStore&) = delete;
  TListRowStore& operator=(const TListRowStore&) = delete;

  int Count() const;
  // Sub-items of every row; 0 when there are no rows.
  int SubItemCount() const;
  // Column 0 is the caption, column c the sub-item c - 1; "" when the row has
  // no such column. Raises qv::EListError for an index outside the rows.
  const std::string& Cell(int index, int column) const;
  const std::string& Caption(int index) const { return Cell(index, 0); }
  // The caption and all sub-items of a row.
  std::vector<std::string> RowTexts(int index) const;
  // A number that stays with the row while it moves; never reused.
  uint64_t RowId(int index) const;
  // The display index of the row with that id; -1 when it is gone.
  int IndexOfId(uint64_t id) const;

  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelectedCount() const { return selected_count_; }
  void SelectAll(bool selected);

  // Calls visit(index, cells, selected) for every row in display order; cells
  // holds the caption and the sub-items the row was given (fewer than
  // SubItemCount when it was padded).
  void ForEach(const std::function<void(int, const std::vector<std::string>&, bool)>& visit) const;

  // Adds a row (caption first) at the end, or at its place when sorted (after
  // the rows that compare equal to it), and pads the rows. With a duplicate
  // check the list is then walked from its last row to its second and a row
  // whose caption equals the caption before it is removed. Returns the
  // display index the new row ended at, or -1 when that walk removed it.
  // An empty cells list adds nothing and returns -1.
  int Add(std::vector<std::string> cells);
  // Raises qv::EListError for an index outside the rows.
  void Delete(int index);
  // Removes every selected row; the number removed.
  int DeleteSelected();
  void Clear();

  // Sorted: rows are kept in the order of CompareRows, also as they are
  // added; turning it on sorts the rows present.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  int SortColumn() const { return sort_column_; }
  bool SortAscending() const { return sort_ascending_; }
  // Changes the key; a sorted list sorts itself again.
  void SetSortKey(int column, bool ascending);
  // Sorts the rows present once by the key, sorted or not; rows that compare
  // equal keep the order they were added in.
  void Sort();
  // A click on a column header: the same column flips the direction, another
  // one becomes the key, ascending; then the rows are sorted.
  void ColumnClick(int column);
  // Compares the rows at two display indexes by the key: the key column,
  // then column 0, then column 1, as far as not compared yet, each without
  // regard to case; negated when descending.
  int CompareRows(int a, int b) const;

  TCheckDuplicate DuplicateCheck() const { return duplicate_check_; }
  // Only stores the rule; RemoveDuplicates applies it.
  void SetDuplicateCheck(TCheckDuplicate check);
  // The walk of Add over the whole list; the number of rows removed.
  int RemoveDuplicates();

  // The greatest length, in bytes of the workstation's code page, among the
  // texts of a column over all rows; 0 when none.
  int MaxTextLength(int column) const;

 private:
  struct TRow;
  struct TImpl;

  TRow& RowAt(int index) const;
  void Insert(std::unique_ptr<TRow> row);
  void Remove(TRow* row);
  void Rebuild();
  int WalkDuplicates();
  bool SameCaption(const TRow& a, const TRow& b) const;
  int CompareRowData(const TRow& a, const TRow& b) const;
  void CountLengths(const TRow& row, int delta) const;

  std::unique_ptr<TImpl> impl_;
  bool sorted_ = false;
  int sort_column_ = 0;
  bool sort_ascending_ = true;
  TCheckDuplicate duplicate_check_ = cd_None;
  // No two neighbours are duplicates under the rule, so a new row needs only
  // be compared with its own neighbours.
  bool duplicates_walked_ = true;
  int sub_item_count_ = 0;
  int selected_count_ = 0;
  uint64_t next_id_ = 1;
  int64_t next_order_ = 0;
};

// Bytes the text takes in the workstation's code page.
int CodePageTextLength(std::string_view text);

}  // namespace ravlet
