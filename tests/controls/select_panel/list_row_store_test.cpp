#include "controls/list_row_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/core/exception.h"
#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"

namespace ravlet {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows AllRows(const TListRowStore& store) {
  Rows rows;
  for (int i = 0; i < store.Count(); ++i) rows.push_back(store.RowTexts(i));
  return rows;
}

std::vector<std::string> Captions(const TListRowStore& store) {
  std::vector<std::string> captions;
  for (int i = 0; i < store.Count(); ++i) captions.push_back(store.Caption(i));
  return captions;
}

TEST(ListRowStore, ShorterRowsArePaddedToTheLongest) {
  TListRowStore store;
  store.Add({"a", "b", "c"});
  store.Add({"d"});
  EXPECT_EQ(AllRows(store), (Rows{{"a", "b", "c"}, {"d", "", ""}}));
  store.Add({"e", "f", "g", "h"});
  EXPECT_EQ(store.SubItemCount(), 3);
  EXPECT_EQ(AllRows(store), (Rows{{"a", "b", "c", ""}, {"d", "", "", ""}, {"e", "f", "g", "h"}}));
  EXPECT_EQ(store.Cell(1, 9), "");
  EXPECT_EQ(store.Add({}), -1);
  EXPECT_EQ(store.Count(), 3);
}

TEST(ListRowStore, PaddingStartsAgainOnceTheListIsEmpty) {
  TListRowStore store;
  store.Add({"a", "b", "c"});
  store.Add({"d"});
  store.Delete(1);
  store.Delete(0);
  store.Add({"x"});
  EXPECT_EQ(AllRows(store), (Rows{{"x"}}));
  store.Add({"y", "1", "2"});
  store.Clear();
  store.Add({"z"});
  EXPECT_EQ(store.SubItemCount(), 0);
}

struct DuplicateCase {
  const char* label;
  TCheckDuplicate check;
  Rows added;
  Rows remaining;
};

TEST(ListRowStore, DuplicateNeighboursAreRemoved) {
  const DuplicateCase cases[] = {
      {"case-insensitive keeps the first", cd_CaseInsensitive, {{"abc"}, {"ABC"}}, {{"abc"}}},
      {"case-sensitive keeps both", cd_CheckCase, {{"abc"}, {"ABC"}}, {{"abc"}, {"ABC"}}},
      {"no check keeps both", cd_None, {{"abc"}, {"abc"}}, {{"abc"}, {"abc"}}},
      {"a new row before its equal removes the old one",
       cd_CaseInsensitive,
       {{"abc", "2"}, {"ABC", "1"}},
       {{"ABC", "1"}}},
      {"only captions count", cd_CheckCase, {{"k", "1"}, {"k", "2"}}, {{"k", "1"}}},
      {"only neighbours count",
       cd_CheckCase,
       {{"abc", "1"}, {"ABC", "2"}, {"abc", "3"}},
       {{"abc", "1"}, {"ABC", "2"}, {"abc", "3"}}},
  };
  for (const DuplicateCase& c : cases) {
    TListRowStore store;
    store.SetSorted(true);
    store.SetDuplicateCheck(c.check);
    for (const auto& row : c.added) store.Add(row);
    EXPECT_EQ(AllRows(store), c.remaining) << c.label;
  }
}

TEST(ListRowStore, AddTellsWhereTheRowWentOrThatItWasRemoved) {
  TListRowStore store;
  store.SetSorted(true);
  store.SetDuplicateCheck(cd_CaseInsensitive);
  EXPECT_EQ(store.Add({"m"}), 0);
  EXPECT_EQ(store.Add({"c"}), 0);
  EXPECT_EQ(store.Add({"x"}), 2);
  EXPECT_EQ(store.Add({"M"}), -1);
  EXPECT_EQ(Captions(store), (std::vector<std::string>{"c", "m", "x"}));
}

TEST(ListRowStore, DuplicatesLeftByADeletionGoWithTheNextRow) {
  TListRowStore store;
  store.SetDuplicateCheck(cd_CheckCase);
  for (const char* caption : {"a", "b", "a"}) store.Add({caption});
  store.SetSelected(1, true);
  EXPECT_EQ(store.DeleteSelected(), 1);
  EXPECT_EQ(Captions(store), (std::vector<std::string>{"a", "a"}));
  store.Add({"c"});
  EXPECT_EQ(Captions(store), (std::vector<std::string>{"a", "c"}));
}

TEST(ListRowStore, SortKeyComparesKeyColumnThenCaptionThenFirstSubItem) {
  TListRowStore store;
  store.Add({"b", "2", "same"});
  store.Add({"a", "9", "same"});
  store.Add({"b", "1", "same"});
  store.Add({"c", "0", "other"});
  store.SetSortKey(2, true);
  store.Sort();
  EXPECT_EQ(
      AllRows(store),
      (Rows{{"c", "0", "other"}, {"a", "9", "same"}, {"b", "1", "same"}, {"b", "2", "same"}}));
  store.ColumnClick(2);
  EXPECT_FALSE(store.SortAscending());
  EXPECT_EQ(Captions(store), (std::vector<std::string>{"b", "b", "a", "c"}));
  store.ColumnClick(1);
  EXPECT_EQ(store.SortColumn(), 1);
  EXPECT_TRUE(store.SortAscending());
  EXPECT_EQ(Captions(store), (std::vector<std::string>{"c", "b", "b", "a"}));
}

TEST(ListRowStore, SortingIgnoresCase) {
  TListRowStore store;
  store.SetSorted(true);
  for (const char* caption : {"b", "C", "a", "B"}) store.Add({caption});
  EXPECT_EQ(Captions(store), (std::vector<std::string>{"a", "b", "B", "C"}));
  store.SetSorted(false);
  store.Add({"A"});
  EXPECT_EQ(Captions(store), (std::vector<std::string>{"a", "b", "B", "C", "A"}));
}

TEST(ListRowStore, LongestTextFollowsRowsAndCountsCodePageBytes) {
  const int saved = qv::GetAnsiCodePage();
  qv::SetAnsiCodePage(936);
  TListRowStore store;
  store.Add({"ab", "中文字"});
  store.Add({"abcd"});
  EXPECT_EQ(store.MaxTextLength(0), 4);
  EXPECT_EQ(store.MaxTextLength(1), 6);
  EXPECT_EQ(store.MaxTextLength(5), 0);
  store.Delete(1);
  EXPECT_EQ(store.MaxTextLength(0), 2);
  qv::SetAnsiCodePage(65001);
  EXPECT_EQ(store.MaxTextLength(1), 9);
  qv::SetAnsiCodePage(saved);
}

TEST(ListRowStore, BadIndexesRaiseListErrors) {
  TListRowStore store;
  store.Add({"a"});
  EXPECT_THROW(store.Cell(1, 0), qv::EListError);
  EXPECT_THROW(store.Delete(-1), qv::EListError);
  EXPECT_THROW(store.SetSelected(5, true), qv::EListError);
}

// The rules written the plain way: a vector, a full duplicate walk after
// every added row and a full sort whenever the order changes.
class PlainRows {
 public:
  struct Row {
    std::vector<std::string> cells;
    int id;
    bool selected = false;
  };

  int Add(std::vector<std::string> cells) {
    Row row{std::move(cells), next_id_++};
    const int id = row.id;
    auto at = rows_.end();
    if (sorted_)
      at = std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return Less(row, r); });
    rows_.insert(at, std::move(row));
    size_t most = 0;
    for (const Row& r : rows_) most = std::max(most, r.cells.size());
    for (Row& r : rows_) r.cells.resize(most);
    if (check_ != cd_None) Walk();
    for (size_t i = 0; i < rows_.size(); ++i)
      if (rows_[i].id == id) return static_cast<int>(i);
    return -1;
  }
  void Walk() {
    for (size_t i = rows_.size(); i-- > 1;) {
      const std::string& a = rows_[i].cells[0];
      const std::string& b = rows_[i - 1].cells[0];
      if (check_ == cd_CaseInsensitive ? qv::UpperCase(a) == qv::UpperCase(b) : a == b)
        rows_.erase(rows_.begin() + i);
    }
  }
  void Sort() {
    std::stable_sort(rows_.begin(), rows_.end(),
                     [&](const Row& a, const Row& b) { return Less(a, b); });
  }
  void ColumnClick(int column) {
    ascending_ = column == column_ ? !ascending_ : true;
    column_ = column;
    Sort();
  }
  void SetSorted(bool sorted) {
    if (sorted && !sorted_) Sort();
    sorted_ = sorted;
  }
  void SetCheck(TCheckDuplicate check) { check_ = check; }
  void DeleteSelected() {
    std::erase_if(rows_, [](const Row& r) { return r.selected; });
  }
  void Select(int index) { rows_[index].selected = true; }
  Rows All() const {
    Rows all;
    for (const Row& r : rows_) all.push_back(r.cells);
    return all;
  }
  int Count() const { return static_cast<int>(rows_.size()); }

 private:
  int Compare(const Row& a, const Row& b) const {
    std::vector<int> columns{column_};
    if (column_ != 0) columns.push_back(0);
    if (column_ != 1) columns.push_back(1);
    for (int c : columns) {
      const auto cell = [c](const Row& r) {
        return c < static_cast<int>(r.cells.size()) ? r.cells[c] : std::string();
      };
      const int result = qv::CompareText(cell(a), cell(b));
      if (result != 0) return ascending_ ? result : -result;
    }
    return 0;
  }
  bool Less(const Row& a, const Row& b) const {
    const int c = Compare(a, b);
    return c != 0 ? c < 0 : a.id < b.id;
  }

  std::vector<Row> rows_;
  int next_id_ = 0;
  bool sorted_ = false;
  int column_ = 0;
  bool ascending_ = true;
  TCheckDuplicate check_ = cd_None;
};

TEST(ListRowStore, AgreesWithThePlainRulesOverRandomChanges) {
  std::mt19937 random(20240611);
  const char* const texts[] = {"a", "A", "b", "B", "ab", "", "c"};
  const auto pick = [&](int n) { return static_cast<int>(random() % n); };
  for (int round = 0; round < 40; ++round) {
    TListRowStore store;
    PlainRows plain;
    for (int step = 0; step < 120; ++step) {
      const int action = pick(20);
      if (action < 12) {
        std::vector<std::string> cells(1 + pick(3));
        for (auto& cell : cells) cell = texts[pick(7)];
        const int at = store.Add(cells);
        ASSERT_EQ(at, plain.Add(cells)) << "round " << round << " step " << step;
      } else if (action == 12) {
        const int column = pick(4);
        store.ColumnClick(column);
        plain.ColumnClick(column);
      } else if (action == 13) {
        const bool sorted = pick(2) == 0;
        store.SetSorted(sorted);
        plain.SetSorted(sorted);
      } else if (action == 14) {
        const auto check = static_cast<TCheckDuplicate>(pick(3));
        store.SetDuplicateCheck(check);
        plain.SetCheck(check);
      } else if (action < 18 && store.Count() > 0) {
        const int index = pick(store.Count());
        store.SetSelected(index, true);
        plain.Select(index);
      } else {
        store.DeleteSelected();
        plain.DeleteSelected();
      }
      ASSERT_EQ(AllRows(store), plain.All()) << "round " << round << " step " << step;
    }
  }
}

}  // namespace
}  // namespace ravlet
