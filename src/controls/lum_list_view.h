#pragma once
// The selection panel's list: rows of texts in columns, read-only, several
// rows selectable at once. Rows are added with AddRow, which makes columns
// ("Data1", "Data2" ...) for values that have none, pads shorter rows, keeps
// the list sorted and free of duplicates when asked, and sizes the columns.

#include <functional>
#include <string>
#include <vector>

#include "controls/list_row_store.h"
#include "platform/vcl/custom_control.h"

namespace ravlet {

// A row was selected or deselected: the list, the row's index, selected.
QV_EVENT_TYPE(TRowSelectEvent, qv::TObject*, int, bool);

class TLumListView : public qv::TCustomControl {
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
  // Each column as wide as its longest text (caption included) in letters "W"
  // of the list's font, the length counted in bytes of the code page.
  void AutoSizeColumns();

  const TListRowStore& Rows() const { return rows_; }
  TListRowStore& Rows() { return rows_; }
  int RowCount() const { return rows_.Count(); }

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // Raise qv::EListError for an index outside the columns.
  const std::string& ColumnCaption(int index) const;
  int ColumnWidth(int index) const;
  void SetColumnWidth(int index, int width);
  void AddColumn(const std::string& caption, int width = 50);
  void ClearColumns();
  // Adds one column per caption, each as wide as the texts it shows.
  void SetColumnCaptions(const std::vector<std::string>& captions);

  bool Sorted() const { return rows_.Sorted(); }
  void SetSorted(bool sorted);
  // A click on the header of a column: see TListRowStore::ColumnClick.
  void ColumnClick(int column);

  // Selecting a row from code raises OnSelectRow when its state changes.
  void SelectRow(int index, bool selected);
  // Removes the selected rows; the number removed.
  int DeleteSelectedRows();

  bool ShowColumnHeaders() const { return show_column_headers_; }
  void SetShowColumnHeaders(bool show);
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool hide);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool multi_select) { multi_select_ = multi_select; }
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool row_select) { row_select_ = row_select; }

  TRowSelectEvent OnSelectRow;

 protected:
  bool FocusOnClick() const override { return false; }
  // A left press moves the focus to the list first and is handled only when
  // the list then has it.
  void WMLButtonDown(qv::TMessage& message);

 private:
  struct TColumn {
    std::string Caption;
    int Width = 50;
  };
  const TColumn& ColumnAt(int index) const;
  int ContentWidth(int column) const;

  TListRowStore rows_;
  std::vector<TColumn> columns_;
  bool columns_auto_size_ = true;
  bool show_column_headers_ = false;
  bool hide_selection_ = false;
  bool read_only_ = true;
  bool multi_select_ = true;
  bool row_select_ = true;
};

}  // namespace ravlet
