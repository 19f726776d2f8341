#include "controls/lum_list_view.h"

#include <algorithm>
#include <exception>

#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"

namespace ravlet {

namespace {

// The text of a column of an item: the caption for 0, else a sub-item ("" when
// missing). `buffer` holds the text when the sub-items keep no string of it.
std::string_view ItemCell(const qv::TListItem* item, int column, std::string& buffer) {
  if (column == 0) return item->Caption();
  const qv::TStrings* sub_items = item->SubItems();
  if (column < 1 || column > sub_items->Count()) return {};
  if (const auto* list = dynamic_cast<const qv::TStringList*>(sub_items))
    return list->StringRef(column - 1);
  buffer = sub_items->Strings(column - 1);
  return buffer;
}

// The columns of an item as a function of the column number.
class ItemCells {
 public:
  explicit ItemCells(const qv::TListItem* item) : item_(item) {}
  std::string_view operator()(int column) { return ItemCell(item_, column, buffer_); }

 private:
  const qv::TListItem* item_;
  std::string buffer_;
};

// The columns of a row not yet added.
class ValueCells {
 public:
  explicit ValueCells(const std::vector<std::string>& values) : values_(values) {}
  std::string_view operator()(int column) {
    return column >= 0 && column < static_cast<int>(values_.size()) ? values_[column]
                                                                    : std::string_view();
  }

 private:
  const std::vector<std::string>& values_;
};

class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = saved_; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace

int CodePageTextLength(std::string_view text) {
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return static_cast<int>(text.size());
  std::string encoded;
  if (qv::TryUtf8ToCodePage(text, qv::GetAnsiCodePage(), encoded))
    return static_cast<int>(encoded.size());
  // A code page the platform cannot convert to: count as a double-byte one.
  return qv::TextDisplayWidth(text);
}

QV_DEFINE_CLASS(TLumListView, qv::TListView, r) {
  r.Property("ColumnsAutoSize", &TLumListView::ColumnsAutoSize, &TLumListView::SetColumnsAutoSize);
  r.Message(qv::WM_LBUTTONDOWN, &TLumListView::WMLButtonDown);
}

TLumListView::TLumListView(qv::TComponent* owner)
    : qv::TListView(owner), length_code_page_(qv::GetAnsiCodePage()) {
  SetViewStyle(qv::vsReport);
  SetReadOnly(true);
  SetMultiSelect(true);
  SetRowSelect(true);
  SetShowColumnHeaders(false);
  SetHideSelection(false);
  SetCursor(qv::crHandPoint);
}

TLumListView::~TLumListView() = default;

// --- order ------------------------------------------------------------------------

template <typename A, typename B>
int TLumListView::CompareCells(const A& a, const B& b) const {
  int columns[3] = {sort_column_, 0, 0};
  int count = 1;
  if (sort_column_ != 0) columns[count++] = 0;
  if (sort_column_ != 1) columns[count++] = 1;
  A cells_a = a;
  B cells_b = b;
  for (int i = 0; i < count; ++i) {
    const int c = qv::CompareText(cells_a(columns[i]), cells_b(columns[i]));
    if (c != 0) return sort_ascending_ ? c : -c;
  }
  return 0;
}

int TLumListView::CompareRows(const qv::TListItem* a, const qv::TListItem* b) const {
  return CompareCells(ItemCells(a), ItemCells(b));
}

void TLumListView::SetSortRows(bool sort_rows) {
  if (sort_rows == sort_rows_) return;
  sort_rows_ = sort_rows;
  if (!sort_rows_) return;
  CheckOutsideChanges();
  CustomSort(
      [this](qv::TListItem* a, qv::TListItem* b, std::intptr_t) { return CompareRows(a, b); });
  duplicates_walked_ = false;
}

void TLumListView::SetSortKey(int column, bool ascending) {
  column = std::max(column, 0);
  if (column == sort_column_ && ascending == sort_ascending_) return;
  sort_column_ = column;
  sort_ascending_ = ascending;
  if (!sort_rows_) return;
  CheckOutsideChanges();
  CustomSort(
      [this](qv::TListItem* a, qv::TListItem* b, std::intptr_t) { return CompareRows(a, b); });
  duplicates_walked_ = false;
}

void TLumListView::SortByColumn(int column) {
  if (column < 0) return;
  const bool ascending = column == sort_column_ ? !sort_ascending_ : true;
  CheckOutsideChanges();
  sort_column_ = column;
  sort_ascending_ = ascending;
  CustomSort(
      [this](qv::TListItem* a, qv::TListItem* b, std::intptr_t) { return CompareRows(a, b); });
  duplicates_walked_ = false;
}

void TLumListView::ColClick(qv::TListColumn* column) {
  SortByColumn(column->Index());
  qv::TListView::ColClick(column);
}

// --- duplicates -----------------------------------------------------------------

bool TLumListView::SameCaption(const qv::TListItem* a, const qv::TListItem* b) const {
  return duplicate_check_ == cd_CaseInsensitive ? qv::SameText(a->Caption(), b->Caption())
                                                : a->Caption() == b->Caption();
}

void TLumListView::SetDuplicateCheck(TCheckDuplicate check) {
  if (check == duplicate_check_) return;
  duplicate_check_ = check;
  duplicates_walked_ = false;
}

void TLumListView::RemoveRow(qv::TListItem* item) {
  CountLengths(item, -1);
  item->Delete();
  --known_count_;
  if (known_count_ == 0) sub_item_count_ = 0;
}

int TLumListView::WalkDuplicates() {
  int removed = 0;
  for (int i = Items()->Count() - 1; i >= 1; --i) {
    qv::TListItem* row = Items()->Item(i);
    if (SameCaption(row, Items()->Item(i - 1))) {
      RemoveRow(row);
      ++removed;
    }
  }
  return removed;
}

int TLumListView::RemoveDuplicates() {
  if (duplicate_check_ == cd_None) return 0;
  CheckOutsideChanges();
  FlagGuard guard(changing_rows_);
  const int removed = WalkDuplicates();
  duplicates_walked_ = true;
  return removed;
}

int TLumListView::DeleteSelectedRows() {
  CheckOutsideChanges();
  FlagGuard guard(changing_rows_);
  const std::vector<qv::TListItem*> selected = SelectedItems();
  for (qv::TListItem* item : selected) RemoveRow(item);
  if (!selected.empty()) duplicates_walked_ = false;
  return static_cast<int>(selected.size());
}

// --- column sizes ---------------------------------------------------------------

void TLumListView::CountLengths(const qv::TListItem* item, int delta) {
  const int columns = 1 + item->SubItems()->Count();
  if (static_cast<int>(length_counts_.size()) < columns) length_counts_.resize(columns);
  std::string buffer;
  for (int c = 0; c < columns; ++c) {
    const int length = CodePageTextLength(ItemCell(item, c, buffer));
    if (length == 0) continue;
    auto& counts = length_counts_[c];
    if ((counts[length] += delta) <= 0) counts.erase(length);
  }
}

void TLumListView::RebuildLengths() {
  length_counts_.clear();
  length_code_page_ = qv::GetAnsiCodePage();
  for (int i = 0; i < Items()->Count(); ++i) CountLengths(Items()->Item(i), +1);
}

int TLumListView::MaxTextLength(int column) const {
  if (column >= static_cast<int>(length_counts_.size()) || length_counts_[column].empty()) return 0;
  return length_counts_[column].rbegin()->first;
}

void TLumListView::AutoSizeColumns() {
  CheckOutsideChanges();
  if (qv::GetAnsiCodePage() != length_code_page_) RebuildLengths();
  const int letter = Font()->TextWidth("W");
  for (int c = 0; c < Columns()->Count(); ++c) {
    qv::TListColumn* column = Columns()->Items(c);
    column->SetWidth(letter * std::max(CodePageTextLength(column->Caption()), MaxTextLength(c)));
  }
}

void TLumListView::SetColumnCaptions(const std::vector<std::string>& captions) {
  Columns()->BeginUpdate();
  Columns()->Clear();
  for (const std::string& caption : captions) Columns()->Add()->SetCaption(caption);
  Columns()->EndUpdate();
  for (int c = 0; c < Columns()->Count(); ++c) Columns()->Items(c)->SetWidth(qv::ColumnTextWidth);
}

// --- rows -------------------------------------------------------------------------

void TLumListView::CheckOutsideChanges() {
  if (Items()->Count() == known_count_) return;
  known_count_ = Items()->Count();
  sub_item_count_ = 0;
  for (int i = 0; i < known_count_; ++i)
    sub_item_count_ = std::max(sub_item_count_, Items()->Item(i)->SubItems()->Count());
  RebuildLengths();
  duplicates_walked_ = false;
}

void TLumListView::Change(qv::TListItem* item, qv::TItemChange change) {
  if (change == qv::ctText && !changing_rows_) {
    // A caption changed from outside: lengths and neighbours are looked at again.
    known_count_ = -1;
  }
  qv::TListView::Change(item, change);
}

void TLumListView::PadRows(int sub_items) {
  for (int i = 0; i < Items()->Count(); ++i) {
    qv::TStrings* row = Items()->Item(i)->SubItems();
    while (row->Count() < sub_items) row->Add("");
  }
}

void TLumListView::ClearRows() {
  Items()->Clear();
  known_count_ = 0;
  sub_item_count_ = 0;
  length_counts_.clear();
  duplicates_walked_ = true;
}

bool TLumListView::AddRow(const std::vector<std::string>& values) {
  if (values.empty()) return false;
  try {
    CheckOutsideChanges();
    FlagGuard guard(changing_rows_);
    while (Columns()->Count() < static_cast<int>(values.size()))
      Columns()->Add()->SetCaption("Data" + qv::IntToStr(Columns()->Count()));

    int place = Items()->Count();
    if (sort_rows_) {
      // After the rows that compare equal to it.
      int low = 0;
      while (low < place) {
        const int middle = low + (place - low) / 2;
        if (CompareCells(ValueCells(values), ItemCells(Items()->Item(middle))) < 0)
          place = middle;
        else
          low = middle + 1;
      }
    }
    qv::TListItem* row = Items()->Insert(place);
    ++known_count_;
    const int sub_items = static_cast<int>(values.size()) - 1;
    row->SubItems()->AddStrings(std::vector<std::string>(values.begin() + 1, values.end()));
    row->SetCaption(values.front());

    if (known_count_ == 1) {
      sub_item_count_ = sub_items;
    } else if (sub_items > sub_item_count_) {
      sub_item_count_ = sub_items;
      PadRows(sub_item_count_);
    } else {
      while (row->SubItems()->Count() < sub_item_count_) row->SubItems()->Add("");
    }
    CountLengths(row, +1);

    if (duplicate_check_ != cd_None) {
      if (!duplicates_walked_) {
        WalkDuplicates();
        duplicates_walked_ = true;
      } else {
        // The rest of the list has no neighbouring duplicates, so the walk
        // could only remove the row after the new one (met first, walking
        // down) or the new row itself.
        const int at = row->Index();
        if (at + 1 < Items()->Count() && SameCaption(Items()->Item(at + 1), row))
          RemoveRow(Items()->Item(at + 1));
        if (at > 0 && SameCaption(row, Items()->Item(at - 1))) RemoveRow(row);
      }
    }
    if (columns_auto_size_) AutoSizeColumns();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TLumListView::WMLButtonDown(qv::TMessage& message) {
  if (!Focused() && CanFocus()) SetFocus();
  if (Focused()) Inherited(message);
}

}  // namespace ravlet
