#include "controls/lum_list_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"

namespace ravlet {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows AllRows(const TLumListView& list) {
  Rows rows;
  for (int i = 0; i < list.Items()->Count(); ++i) {
    const qv::TListItem* item = list.Items()->Item(i);
    std::vector<std::string> row{item->Caption()};
    for (int s = 0; s < item->SubItems()->Count(); ++s) row.push_back(item->SubItems()->Strings(s));
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> Captions(const TLumListView& list) {
  std::vector<std::string> captions;
  for (int i = 0; i < list.Items()->Count(); ++i)
    captions.push_back(list.Items()->Item(i)->Caption());
  return captions;
}

class LumListViewTest : public ::testing::Test {
 protected:
  qv::TComponentPtr<TLumListView> holder = qv::CreateUnowned<TLumListView>();
  TLumListView& list = *holder;
};

TEST_F(LumListViewTest, StartsAsAReadOnlyMultiSelectReportWithoutColumns) {
  EXPECT_EQ(list.ViewStyle(), qv::vsReport);
  EXPECT_TRUE(list.ReadOnly());
  EXPECT_TRUE(list.MultiSelect());
  EXPECT_TRUE(list.RowSelect());
  EXPECT_FALSE(list.ShowColumnHeaders());
  EXPECT_FALSE(list.HideSelection());
  EXPECT_EQ(list.SortType(), qv::stNone);
  EXPECT_EQ(list.Cursor(), qv::crHandPoint);
  EXPECT_EQ(list.Columns()->Count(), 0);
  EXPECT_TRUE(list.ColumnsAutoSize());
}

TEST_F(LumListViewTest, AddRowMakesColumnsAndPadsShorterRows) {
  EXPECT_FALSE(list.AddRow({}));
  ASSERT_TRUE(list.AddRow({"a", "b", "c"}));
  ASSERT_TRUE(list.AddRow({"d"}));
  EXPECT_EQ(AllRows(list), (Rows{{"a", "b", "c"}, {"d", "", ""}}));
  ASSERT_EQ(list.Columns()->Count(), 3);
  EXPECT_EQ(list.Column(2)->Caption(), "Data3");
  ASSERT_TRUE(list.AddRow({"e", "f", "g", "h"}));
  EXPECT_EQ(AllRows(list), (Rows{{"a", "b", "c", ""}, {"d", "", "", ""}, {"e", "f", "g", "h"}}));
  EXPECT_EQ(list.Column(3)->Caption(), "Data4");
}

TEST_F(LumListViewTest, PaddingStartsAgainOnceTheListIsEmpty) {
  list.AddRow({"a", "b", "c"});
  list.AddRow({"d"});
  list.Items()->Delete(1);
  list.Items()->Delete(0);
  list.AddRow({"x"});
  EXPECT_EQ(AllRows(list), (Rows{{"x"}}));
  list.AddRow({"y", "1", "2"});
  list.ClearRows();
  EXPECT_EQ(list.Columns()->Count(), 3);
  list.AddRow({"z"});
  EXPECT_EQ(AllRows(list), (Rows{{"z"}}));
}

struct DuplicateCase {
  const char* label;
  TCheckDuplicate check;
  Rows added;
  Rows remaining;
};

TEST_F(LumListViewTest, DuplicateNeighboursAreRemoved) {
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
      {"sorted in between",
       cd_CaseInsensitive,
       {{"m"}, {"c"}, {"x"}, {"M"}, {"C"}},
       {{"c"}, {"m"}, {"x"}}},
  };
  for (const DuplicateCase& c : cases) {
    auto fresh = qv::CreateUnowned<TLumListView>();
    fresh->SetSortRows(true);
    fresh->SetDuplicateCheck(c.check);
    for (const auto& row : c.added) fresh->AddRow(row);
    EXPECT_EQ(AllRows(*fresh), c.remaining) << c.label;
  }
}

TEST_F(LumListViewTest, DuplicatesLeftByChangesGoWithTheNextRow) {
  list.SetDuplicateCheck(cd_CheckCase);
  for (const char* caption : {"a", "b", "a"}) list.AddRow({caption});
  list.Items()->Item(1)->SetSelected(true);
  EXPECT_EQ(list.DeleteSelectedRows(), 1);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "a"}));
  list.AddRow({"c"});
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "c"}));

  // A caption changed from outside is noticed too.
  list.Items()->Item(1)->SetCaption("a");
  list.AddRow({"d"});
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "d"}));
}

TEST_F(LumListViewTest, SortKeyComparesKeyColumnThenCaptionThenFirstSubItem) {
  list.AddRow({"b", "2", "same"});
  list.AddRow({"a", "9", "same"});
  list.AddRow({"b", "1", "same"});
  list.AddRow({"c", "0", "other"});
  list.SortByColumn(2);
  EXPECT_EQ(
      AllRows(list),
      (Rows{{"c", "0", "other"}, {"a", "9", "same"}, {"b", "1", "same"}, {"b", "2", "same"}}));
  list.SortByColumn(2);
  EXPECT_FALSE(list.SortAscending());
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"b", "b", "a", "c"}));
  list.SortByColumn(1);
  EXPECT_EQ(list.SortColumn(), 1);
  EXPECT_TRUE(list.SortAscending());
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"c", "b", "b", "a"}));
  EXPECT_FALSE(list.SortRows());
}

TEST_F(LumListViewTest, AKeptOrderIgnoresCaseAndEndsWhenSwitchedOff) {
  list.SetSortRows(true);
  for (const char* caption : {"b", "C", "a", "B"}) list.AddRow({caption});
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "b", "B", "C"}));
  list.SetSortRows(false);
  list.AddRow({"A"});
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "b", "B", "C", "A"}));
}

TEST_F(LumListViewTest, ColumnWidthsFollowTheLongestTextInCodePageBytes) {
  const int saved = qv::GetAnsiCodePage();
  qv::SetAnsiCodePage(936);
  // "W" is 6 pixels wide in the 13-pixel font; "Data1" counts 5.
  list.AddRow({"abcdefg", "中文字中文字"});
  EXPECT_EQ(list.Column(0)->Width(), 6 * 7);
  EXPECT_EQ(list.Column(1)->Width(), 6 * 12);
  list.AddRow({"abcdefghij"});
  EXPECT_EQ(list.Column(0)->Width(), 6 * 10);
  list.Items()->Item(1)->SetSelected(true);
  list.DeleteSelectedRows();
  list.AutoSizeColumns();
  EXPECT_EQ(list.Column(0)->Width(), 6 * 7);
  qv::SetAnsiCodePage(65001);
  list.AutoSizeColumns();
  EXPECT_EQ(list.Column(1)->Width(), 6 * 18);
  qv::SetAnsiCodePage(saved);

  list.SetColumnsAutoSize(false);
  list.AddRow({"abcdefghijklmnopqrst"});
  EXPECT_EQ(list.Column(0)->Width(), 6 * 7);
}

TEST_F(LumListViewTest, ColumnCaptionsRebuildTheColumnsSizedToTheirTexts) {
  list.AddRow({"abc", "x"});
  list.SetColumnCaptions({"Code", "Name", "Note"});
  ASSERT_EQ(list.Columns()->Count(), 3);
  EXPECT_EQ(list.Column(1)->Caption(), "Name");
  // The texts' width and the list's margin of 12.
  EXPECT_EQ(list.Column(0)->Width(), 3 * 6 + 12);
  EXPECT_EQ(list.Items()->Count(), 1);
}

// The rules written the plain way: a vector, a full duplicate walk after
// every added row and a full stable sort whenever the order changes.
class PlainRows {
 public:
  void Add(std::vector<std::string> cells) {
    auto at = rows_.end();
    if (sorted_)
      at = std::find_if(rows_.begin(), rows_.end(),
                        [&](const Row& r) { return Compare(cells, r.cells) < 0; });
    rows_.insert(at, Row{std::move(cells)});
    size_t most = 0;
    for (const Row& r : rows_) most = std::max(most, r.cells.size());
    for (Row& r : rows_) r.cells.resize(most);
    if (check_ == cd_None) return;
    for (size_t i = rows_.size(); i-- > 1;) {
      const std::string& a = rows_[i].cells[0];
      const std::string& b = rows_[i - 1].cells[0];
      if (check_ == cd_CaseInsensitive ? qv::UpperCase(a) == qv::UpperCase(b) : a == b)
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  void Sort() {
    std::stable_sort(rows_.begin(), rows_.end(),
                     [&](const Row& a, const Row& b) { return Compare(a.cells, b.cells) < 0; });
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
  void Select(int index) { rows_[index].selected = true; }
  void DeleteSelected() {
    std::erase_if(rows_, [](const Row& r) { return r.selected; });
  }
  Rows All() const {
    Rows all;
    for (const Row& r : rows_) all.push_back(r.cells);
    return all;
  }

 private:
  struct Row {
    std::vector<std::string> cells;
    bool selected = false;
  };
  int Compare(const std::vector<std::string>& a, const std::vector<std::string>& b) const {
    std::vector<int> columns{column_};
    if (column_ != 0) columns.push_back(0);
    if (column_ != 1) columns.push_back(1);
    for (int c : columns) {
      const auto cell = [c](const std::vector<std::string>& r) {
        return c < static_cast<int>(r.size()) ? r[c] : std::string();
      };
      const int result = qv::CompareText(cell(a), cell(b));
      if (result != 0) return ascending_ ? result : -result;
    }
    return 0;
  }

  std::vector<Row> rows_;
  bool sorted_ = false;
  int column_ = 0;
  bool ascending_ = true;
  TCheckDuplicate check_ = cd_None;
};

TEST_F(LumListViewTest, AgreesWithThePlainRulesOverRandomChanges) {
  std::mt19937 random(20240611);
  const char* const texts[] = {"a", "A", "b", "B", "ab", "", "c"};
  const auto pick = [&](int n) { return static_cast<int>(random() % n); };
  for (int round = 0; round < 40; ++round) {
    auto fresh = qv::CreateUnowned<TLumListView>();
    PlainRows plain;
    for (int step = 0; step < 120; ++step) {
      const int action = pick(20);
      if (action < 12) {
        std::vector<std::string> cells(1 + pick(3));
        for (auto& cell : cells) cell = texts[pick(7)];
        ASSERT_TRUE(fresh->AddRow(cells));
        plain.Add(cells);
      } else if (action == 12) {
        const int column = pick(4);
        fresh->SortByColumn(column);
        plain.ColumnClick(column);
      } else if (action == 13) {
        const bool sorted = pick(2) == 0;
        fresh->SetSortRows(sorted);
        plain.SetSorted(sorted);
      } else if (action == 14) {
        const auto check = static_cast<TCheckDuplicate>(pick(3));
        fresh->SetDuplicateCheck(check);
        plain.SetCheck(check);
      } else if (action < 18 && fresh->Items()->Count() > 0) {
        const int index = pick(fresh->Items()->Count());
        fresh->Items()->Item(index)->SetSelected(true);
        plain.Select(index);
      } else {
        fresh->DeleteSelectedRows();
        plain.DeleteSelected();
      }
      ASSERT_EQ(AllRows(*fresh), plain.All()) << "round " << round << " step " << step;
    }
  }
}

}  // namespace
}  // namespace ravlet
