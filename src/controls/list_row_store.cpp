#include "controls/list_row_store.h"

#include <algorithm>
#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>
#include <map>
#include <unordered_map>

#include "platform/core/exception.h"
#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"

namespace ravlet {

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

struct TListRowStore::TRow {
  std::vector<std::string> Cells;
  std::vector<int> Lengths;
  uint64_t Id = 0;
  // The place in an unsorted list.
  int64_t Order = 0;
  bool Selected = false;
  // The position in TImpl::Rows.
  size_t Slot = 0;
};

struct TListRowStore::TImpl {
  struct DisplayOrder {
    const TListRowStore* Store;
    bool operator()(const TRow* a, const TRow* b) const {
      if (!Store->sorted_) return a->Order < b->Order;
      const int c = Store->CompareRowData(*a, *b);
      return c != 0 ? c < 0 : a->Id < b->Id;
    }
  };
  using Tree = __gnu_pbds::tree<TRow*, __gnu_pbds::null_type, DisplayOrder, __gnu_pbds::rb_tree_tag,
                                __gnu_pbds::tree_order_statistics_node_update>;

  explicit TImpl(const TListRowStore* store) : Display(DisplayOrder{store}) {}

  Tree Display;
  std::vector<std::unique_ptr<TRow>> Rows;
  std::unordered_map<uint64_t, TRow*> ById;
  // Per column: text length -> number of rows with a text that long.
  mutable std::vector<std::map<int, int>> LengthCounts;
  mutable int LengthCodePage = qv::GetAnsiCodePage();

  std::vector<TRow*> InOrder() const { return {Display.begin(), Display.end()}; }
};

namespace {

const std::string kEmpty;

}  // namespace

TListRowStore::TListRowStore() : impl_(std::make_unique<TImpl>(this)) {}

TListRowStore::~TListRowStore() = default;

int TListRowStore::Count() const {
  return static_cast<int>(impl_->Display.size());
}

int TListRowStore::SubItemCount() const {
  return sub_item_count_;
}

TListRowStore::TRow& TListRowStore::RowAt(int index) const {
  if (index < 0 || index >= Count())
    throw qv::EListError("List index out of bounds (" + std::to_string(index) + ")");
  return **impl_->Display.find_by_order(static_cast<size_t>(index));
}

const std::string& TListRowStore::Cell(int index, int column) const {
  const TRow& row = RowAt(index);
  if (column < 0 || column >= static_cast<int>(row.Cells.size())) return kEmpty;
  return row.Cells[column];
}

std::vector<std::string> TListRowStore::RowTexts(int index) const {
  std::vector<std::string> texts = RowAt(index).Cells;
  texts.resize(static_cast<size_t>(sub_item_count_) + 1);
  return texts;
}

uint64_t TListRowStore::RowId(int index) const {
  return RowAt(index).Id;
}

int TListRowStore::IndexOfId(uint64_t id) const {
  const auto found = impl_->ById.find(id);
  if (found == impl_->ById.end()) return -1;
  return static_cast<int>(impl_->Display.order_of_key(found->second));
}

bool TListRowStore::Selected(int index) const {
  return RowAt(index).Selected;
}

void TListRowStore::SetSelected(int index, bool selected) {
  TRow& row = RowAt(index);
  if (row.Selected == selected) return;
  row.Selected = selected;
  selected_count_ += selected ? 1 : -1;
}

void TListRowStore::SelectAll(bool selected) {
  for (TRow* row : impl_->Display) row->Selected = selected;
  selected_count_ = selected ? Count() : 0;
}

void TListRowStore::ForEach(
    const std::function<void(int, const std::vector<std::string>&, bool)>& visit) const {
  int index = 0;
  for (const TRow* row : impl_->Display) visit(index++, row->Cells, row->Selected);
}

int TListRowStore::CompareRowData(const TRow& a, const TRow& b) const {
  const auto cell = [](const TRow& row, int column) -> const std::string& {
    return column < static_cast<int>(row.Cells.size()) ? row.Cells[column] : kEmpty;
  };
  int columns[3] = {sort_column_, -1, -1};
  int count = 1;
  if (sort_column_ != 0) columns[count++] = 0;
  if (sort_column_ != 1) columns[count++] = 1;
  for (int i = 0; i < count; ++i) {
    const int c = qv::CompareText(cell(a, columns[i]), cell(b, columns[i]));
    if (c != 0) return sort_ascending_ ? c : -c;
  }
  return 0;
}

int TListRowStore::CompareRows(int a, int b) const {
  return CompareRowData(RowAt(a), RowAt(b));
}

bool TListRowStore::SameCaption(const TRow& a, const TRow& b) const {
  const std::string& x = a.Cells.front();
  const std::string& y = b.Cells.front();
  return duplicate_check_ == cd_CaseInsensitive ? qv::SameText(x, y) : x == y;
}

void TListRowStore::CountLengths(const TRow& row, int delta) const {
  auto& counts = impl_->LengthCounts;
  if (counts.size() < row.Lengths.size()) counts.resize(row.Lengths.size());
  for (size_t c = 0; c < row.Lengths.size(); ++c) {
    const int length = row.Lengths[c];
    if (length == 0) continue;
    auto& column = counts[c];
    const int now = (column[length] += delta);
    if (now <= 0) column.erase(length);
  }
}

void TListRowStore::Insert(std::unique_ptr<TRow> row) {
  TRow* raw = row.get();
  raw->Slot = impl_->Rows.size();
  impl_->Rows.push_back(std::move(row));
  try {
    impl_->ById.emplace(raw->Id, raw);
    impl_->Display.insert(raw);
  } catch (...) {
    impl_->ById.erase(raw->Id);
    impl_->Rows.pop_back();
    throw;
  }
  CountLengths(*raw, +1);
  if (raw->Selected) ++selected_count_;
}

void TListRowStore::Remove(TRow* row) {
  CountLengths(*row, -1);
  if (row->Selected) --selected_count_;
  impl_->Display.erase(row);
  impl_->ById.erase(row->Id);
  auto& rows = impl_->Rows;
  const size_t slot = row->Slot;
  if (slot + 1 != rows.size()) {
    std::swap(rows[slot], rows.back());
    rows[slot]->Slot = slot;
  }
  rows.pop_back();
  if (rows.empty()) sub_item_count_ = 0;
}

int TListRowStore::Add(std::vector<std::string> cells) {
  if (cells.empty()) return -1;
  auto row = std::make_unique<TRow>();
  row->Lengths.reserve(cells.size());
  for (const std::string& text : cells) row->Lengths.push_back(CodePageTextLength(text));
  row->Cells = std::move(cells);
  row->Id = next_id_++;
  row->Order = next_order_++;
  TRow* raw = row.get();

  const int sub_items = static_cast<int>(raw->Cells.size()) - 1;
  const int padded = Count() == 0 ? sub_items : std::max(sub_item_count_, sub_items);
  Insert(std::move(row));
  sub_item_count_ = padded;

  if (duplicate_check_ != cd_None) {
    if (!duplicates_walked_) {
      WalkDuplicates();
      duplicates_walked_ = true;
    } else {
      // The rest of the list has no neighbouring duplicates, so the walk can
      // only remove the row after the new one (met first, walking down) or
      // the new row itself.
      auto at = impl_->Display.find(raw);
      auto next = std::next(at);
      if (next != impl_->Display.end() && SameCaption(**next, *raw)) Remove(*next);
      at = impl_->Display.find(raw);
      if (at != impl_->Display.begin() && SameCaption(*raw, **std::prev(at))) {
        Remove(raw);
        return -1;
      }
    }
    if (impl_->ById.find(raw->Id) == impl_->ById.end()) return -1;
  }
  return static_cast<int>(impl_->Display.order_of_key(raw));
}

int TListRowStore::WalkDuplicates() {
  const std::vector<TRow*> rows = impl_->InOrder();
  std::vector<TRow*> removed;
  for (size_t i = rows.size(); i-- > 1;)
    if (SameCaption(*rows[i], *rows[i - 1])) removed.push_back(rows[i]);
  for (TRow* row : removed) Remove(row);
  return static_cast<int>(removed.size());
}

int TListRowStore::RemoveDuplicates() {
  if (duplicate_check_ == cd_None) return 0;
  const int removed = WalkDuplicates();
  duplicates_walked_ = true;
  return removed;
}

void TListRowStore::SetDuplicateCheck(TCheckDuplicate check) {
  if (check == duplicate_check_) return;
  duplicate_check_ = check;
  duplicates_walked_ = false;
}

void TListRowStore::Delete(int index) {
  Remove(&RowAt(index));
  duplicates_walked_ = false;
}

int TListRowStore::DeleteSelected() {
  std::vector<TRow*> selected;
  for (TRow* row : impl_->Display)
    if (row->Selected) selected.push_back(row);
  for (TRow* row : selected) Remove(row);
  if (!selected.empty()) duplicates_walked_ = false;
  return static_cast<int>(selected.size());
}

void TListRowStore::Clear() {
  impl_->Display.clear();
  impl_->ById.clear();
  impl_->Rows.clear();
  impl_->LengthCounts.clear();
  sub_item_count_ = 0;
  selected_count_ = 0;
  duplicates_walked_ = true;
}

void TListRowStore::Rebuild() {
  const std::vector<TRow*> rows = impl_->InOrder();
  impl_->Display.clear();
  for (TRow* row : rows) impl_->Display.insert(row);
  duplicates_walked_ = false;
}

void TListRowStore::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) {
    sorted_ = true;
    Rebuild();
    return;
  }
  // The rows stay where they are; from now on they keep that order.
  int64_t order = 0;
  for (TRow* row : impl_->Display) row->Order = order++;
  next_order_ = order;
  sorted_ = false;
}

void TListRowStore::SetSortKey(int column, bool ascending) {
  column = std::max(column, 0);
  if (column == sort_column_ && ascending == sort_ascending_) return;
  if (!sorted_) {
    sort_column_ = column;
    sort_ascending_ = ascending;
    return;
  }
  // The tree may only see the new key once it is rebuilt from the old order.
  std::vector<TRow*> rows = impl_->InOrder();
  impl_->Display.clear();
  sort_column_ = column;
  sort_ascending_ = ascending;
  for (TRow* row : rows) impl_->Display.insert(row);
  duplicates_walked_ = false;
}

void TListRowStore::Sort() {
  if (sorted_) return;
  std::vector<TRow*> rows = impl_->InOrder();
  std::stable_sort(rows.begin(), rows.end(), [this](const TRow* a, const TRow* b) {
    const int c = CompareRowData(*a, *b);
    return c != 0 ? c < 0 : a->Id < b->Id;
  });
  impl_->Display.clear();
  int64_t order = 0;
  for (TRow* row : rows) {
    row->Order = order++;
    impl_->Display.insert(row);
  }
  next_order_ = order;
  duplicates_walked_ = false;
}

void TListRowStore::ColumnClick(int column) {
  if (column < 0) return;
  const bool ascending = column == sort_column_ ? !sort_ascending_ : true;
  SetSortKey(column, ascending);
  Sort();
}

int TListRowStore::MaxTextLength(int column) const {
  const int code_page = qv::GetAnsiCodePage();
  if (code_page != impl_->LengthCodePage) {
    impl_->LengthCodePage = code_page;
    impl_->LengthCounts.clear();
    for (const auto& row : impl_->Rows) {
      for (size_t c = 0; c < row->Cells.size(); ++c)
        row->Lengths[c] = CodePageTextLength(row->Cells[c]);
      CountLengths(*row, +1);
    }
  }
  const auto& counts = impl_->LengthCounts;
  if (column < 0 || column >= static_cast<int>(counts.size()) || counts[column].empty()) return 0;
  return counts[column].rbegin()->first;
}

}  // namespace ravlet
