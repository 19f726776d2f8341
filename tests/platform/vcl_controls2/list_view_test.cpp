#include "platform/vcl/list_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls2/controls2_fixture.h"

namespace qv::test {
namespace {

class ListViewTest : public Controls2Test {
 protected:
  ListViewTest() {
    lv = Place<TListView>("lvRows");
    lv->SetBounds(0, 0, 300, 200);
    lv->SetViewStyle(vsReport);
    form->Show();
  }
  void AddRows(std::initializer_list<const char*> captions) {
    for (const char* caption : captions) lv->Items()->Add()->SetCaption(caption);
  }
  std::string Captions() const {
    std::string text;
    for (int i = 0; i < lv->Items()->Count(); ++i) {
      if (i > 0) text += ",";
      text += lv->Items()->Item(i)->Caption();
    }
    return text;
  }
  std::string SelectedCaptions() const {
    std::string text;
    for (TListItem* item : lv->SelectedItems()) text += item->Caption();
    return text;
  }
  // The point in the middle of a report row.
  LPARAM RowPoint(int index) const {
    const TRect r = lv->ItemRect(index);
    return MakeLParam(r.Left + 5, (r.Top + r.Bottom) / 2);
  }
  void ClickRow(int index, TShiftState shift = {}) {
    const LPARAM at = RowPoint(index);
    lv->Perform(WM_LBUTTONDOWN, MouseFlagsFromShift(shift) | MK_LBUTTON, at);
    lv->Perform(WM_LBUTTONUP, MouseFlagsFromShift(shift), at);
  }

  TListView* lv;
};

// Insertions and deletions at every kind of position, checked against a
// plain vector: positions, Index and access by index must agree as blocks
// split and merge.
TEST_F(ListViewTest, IndexesStayRightThroughManyInsertionsAndDeletions) {
  std::mt19937 random(7);
  std::vector<TListItem*> model;
  auto check = [&] {
    ASSERT_EQ(lv->Items()->Count(), static_cast<int>(model.size()));
    for (size_t i = 0; i < model.size(); ++i) {
      ASSERT_EQ(lv->Items()->Item(static_cast<int>(i)), model[i]) << i;
      ASSERT_EQ(model[i]->Index(), static_cast<int>(i)) << i;
    }
  };
  for (int round = 0; round < 6; ++round) {
    for (int n = 0; n < 1500; ++n) {
      const int at = round % 3 == 0 ? static_cast<int>(model.size())
                                    : static_cast<int>(random() % (model.size() + 1));
      TListItem* item = lv->Items()->Insert(at);
      model.insert(model.begin() + at, item);
    }
    check();
    const size_t deletions = round % 2 == 0 ? model.size() * 9 / 10 : model.size() / 3;
    for (size_t n = 0; n < deletions; ++n) {
      const int at = round == 4 ? 0 : static_cast<int>(random() % model.size());
      lv->Items()->Delete(at);
      model.erase(model.begin() + at);
    }
    check();
  }
  model.back()->Delete();
  model.pop_back();
  check();
  lv->Items()->Clear();
  model.clear();
  check();
}

TEST_F(ListViewTest, BadIndexesRaiseListErrors) {
  AddRows({"a", "b"});
  EXPECT_THROW(lv->Items()->Item(2), EListError);
  EXPECT_THROW(lv->Items()->Item(-1), EListError);
  EXPECT_THROW(lv->Items()->Insert(3), EListError);
  EXPECT_THROW(lv->Items()->Delete(5), EListError);
  EXPECT_EQ(Captions(), "a,b");
  lv->SetItemIndex(9);
  EXPECT_EQ(lv->ItemIndex(), -1);
}

TEST_F(ListViewTest, KeptOrderFollowsAddedItemsAndCaptionChanges) {
  lv->SetSortType(stText);
  AddRows({"pear", "Apple", "fig", "apple", "Fig"});
  EXPECT_EQ(Captions(), "apple,Apple,fig,Fig,pear");
  lv->Items()->Item(0)->SetCaption("zucchini");
  EXPECT_EQ(Captions(), "Apple,fig,Fig,pear,zucchini");
  // Turning sorting off keeps the order; new items go to the end.
  lv->SetSortType(stNone);
  AddRows({"banana"});
  EXPECT_EQ(Captions(), "Apple,fig,Fig,pear,zucchini,banana");
  lv->SetSortType(stBoth);
  EXPECT_EQ(Captions(), "Apple,banana,fig,Fig,pear,zucchini");
}

TEST_F(ListViewTest, CompareEventDecidesTheOrderAndEqualItemsKeepTheirs) {
  // By the length of the caption, longest first.
  lv->OnCompare = [](TObject*, TListItem* a, TListItem* b, std::intptr_t, int& result) {
    result = static_cast<int>(b->Caption().size()) - static_cast<int>(a->Caption().size());
  };
  AddRows({"bb", "a", "ccc", "dd", "e"});
  EXPECT_TRUE(lv->AlphaSort());
  EXPECT_EQ(Captions(), "ccc,bb,dd,a,e");
  lv->SetSortType(stText);
  lv->Items()->Add()->SetCaption("ff");
  EXPECT_EQ(Captions(), "ccc,bb,dd,ff,a,e");
  lv->CustomSort(
      [](TListItem* a, TListItem* b, std::intptr_t data) {
        return static_cast<int>(data) * a->Caption().compare(b->Caption());
      },
      -1);
  EXPECT_EQ(Captions(), "ff,e,dd,ccc,bb,a");
  lv->Items()->Clear();
  EXPECT_FALSE(lv->AlphaSort());
}

TEST_F(ListViewTest, ACompareHandlerThatRaisesLosesNoItems) {
  lv->SetSortType(stData);
  AddRows({"b", "a", "c"});
  lv->OnCompare = [](TObject*, TListItem*, TListItem*, std::intptr_t, int&) {
    throw EInvalidOperation("compare failed");
  };
  EXPECT_THROW(lv->AlphaSort(), EInvalidOperation);
  EXPECT_EQ(Captions(), "b,a,c");
  EXPECT_THROW(lv->Items()->Item(0)->SetData(lv), EInvalidOperation);
  EXPECT_EQ(lv->Items()->Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(lv->Items()->Item(i)->Index(), i);
}

TEST_F(ListViewTest, UpdateBatchesSortingAndRepaints) {
  lv->SetSortType(stText);
  const int repaints = lv->InvalidateCount();
  lv->BeginUpdate();
  for (int i = 0; i < 300; ++i) lv->Items()->Add()->SetCaption(std::to_string(299 - i));
  EXPECT_EQ(lv->Items()->Item(0)->Caption(), "299");
  lv->EndUpdate();
  EXPECT_EQ(lv->InvalidateCount(), repaints + 1);
  EXPECT_EQ(lv->Items()->Item(0)->Caption(), "0");
  EXPECT_EQ(lv->Items()->Item(1)->Caption(), "1");
  EXPECT_EQ(lv->Items()->Item(2)->Caption(), "10");
}

TEST_F(ListViewTest, SelectionInSingleAndMultiSelectLists) {
  struct Case {
    bool multi;
    std::vector<int> select;
    std::string selected;
    int item_index;
  };
  const Case cases[] = {
      {false, {1, 3}, "d", 3},
      {true, {3, 1}, "bd", 1},
      {true, {}, "", -1},
      {false, {0}, "a", 0},
  };
  AddRows({"a", "b", "c", "d"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected);
    lv->ClearSelection();
    lv->SetMultiSelect(c.multi);
    for (int i : c.select) lv->Items()->Item(i)->SetSelected(true);
    EXPECT_EQ(SelectedCaptions(), c.selected);
    EXPECT_EQ(lv->SelCount(), static_cast<int>(c.selected.size()));
    EXPECT_EQ(lv->ItemIndex(), c.item_index);
    EXPECT_EQ(lv->Selected(), c.item_index < 0 ? nullptr : lv->Items()->Item(c.item_index));
  }
  // Turning multi-select off keeps the first selected item only.
  lv->SetMultiSelect(true);
  lv->Items()->Item(2)->SetSelected(true);
  lv->Items()->Item(3)->SetSelected(true);
  lv->SetMultiSelect(false);
  EXPECT_EQ(SelectedCaptions(), "a");
  // Deleting a selected item takes it out of the selection.
  lv->Items()->Delete(0);
  EXPECT_EQ(lv->SelCount(), 0);
  EXPECT_EQ(lv->Selected(), nullptr);
}

TEST_F(ListViewTest, SelectionEventsAndRefusal) {
  AddRows({"a", "b"});
  Journal events;
  bool allow = true;
  lv->OnChanging = [&](TObject*, TListItem* item, TItemChange change, bool& ok) {
    events.push_back("changing " + item->Caption() + " " + std::to_string(change));
    ok = allow;
  };
  lv->OnChange = [&](TObject*, TListItem* item, TItemChange change) {
    events.push_back("change " + item->Caption() + " " + std::to_string(change));
  };
  lv->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
    events.push_back(std::string(selected ? "select " : "deselect ") + item->Caption());
  };
  lv->Items()->Item(0)->SetSelected(true);
  lv->Items()->Item(1)->SetSelected(true);
  EXPECT_EQ(events, (Journal{"changing a 2", "change a 2", "select a", "changing a 2", "change a 2",
                             "deselect a", "changing b 2", "change b 2", "select b"}));
  events.clear();
  allow = false;
  lv->Items()->Item(0)->SetSelected(true);
  lv->Items()->Item(1)->SetCaption("c");
  EXPECT_EQ(SelectedCaptions(), "b");
  EXPECT_EQ(lv->Items()->Item(1)->Caption(), "b");
  EXPECT_EQ(events, (Journal{"changing b 2", "changing b 0"}));
}

TEST_F(ListViewTest, ClicksAndKeysSelectRows) {
  lv->SetMultiSelect(true);
  AddRows({"a", "b", "c", "d", "e"});
  struct Step {
    const char* action;
    std::function<void()> act;
    const char* selected;
  };
  const Step steps[] = {
      {"click c", [&] { ClickRow(2); }, "c"},
      {"ctrl-click e", [&] { ClickRow(4, {ssCtrl}); }, "ce"},
      {"ctrl-click c again", [&] { ClickRow(2, {ssCtrl}); }, "e"},
      {"shift-click b", [&] { ClickRow(1, {ssShift}); }, "bc"},
      {"click below the rows",
       [&] {
         lv->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 190));
         lv->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 190));
       },
       ""},
      {"click a then Down",
       [&] {
         ClickRow(0);
         DeliverKeystroke(lv, VK_DOWN);
       },
       "b"},
      {"End", [&] { DeliverKeystroke(lv, VK_END); }, "e"},
      {"Ctrl+A", [&] { DeliverKeystroke(lv, 'A', {ssCtrl}); }, "abcde"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action);
    step.act();
    EXPECT_EQ(SelectedCaptions(), step.selected);
  }
  EXPECT_TRUE(lv->Focused());
  EXPECT_EQ(lv->ItemFocused(), lv->Items()->Item(4));
  // A double click selects like a click and raises OnDblClick.
  lv->OnDblClick = Note("double click");
  DeliverDoubleClick(lv);
  EXPECT_EQ(journal, Journal{"double click"});
  EXPECT_EQ(SelectedCaptions(), "e");
}

TEST_F(ListViewTest, ReportRowsAndHeaderGeometry) {
  lv->Columns()->Add()->SetCaption("Code");
  lv->Columns()->Add()->SetCaption("Name");
  lv->Column(0)->SetWidth(80);
  lv->Column(1)->SetWidth(100);
  AddRows({"a", "b", "c"});
  // 13-pixel font: a 19-pixel header, rows 17 high.
  EXPECT_EQ(lv->ItemRect(1), Rect(0, 36, 80, 53));
  EXPECT_EQ(lv->GetItemAt(10, 40), lv->Items()->Item(1));
  EXPECT_EQ(lv->GetItemAt(120, 40), nullptr);
  lv->SetRowSelect(true);
  EXPECT_EQ(lv->GetItemAt(120, 40), lv->Items()->Item(1));
  EXPECT_EQ(lv->GetItemAt(10, 10), nullptr);
  lv->SetTopIndex(1);
  EXPECT_EQ(lv->GetItemAt(10, 20), lv->Items()->Item(1));
  std::vector<std::string> clicked;
  lv->OnColumnClick = [&](TObject*, TListColumn* column) { clicked.push_back(column->Caption()); };
  lv->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(90, 5));
  lv->Perform(WM_LBUTTONUP, 0, MakeLParam(90, 5));
  EXPECT_EQ(clicked, std::vector<std::string>{"Name"});
  lv->SetShowColumnHeaders(false);
  EXPECT_EQ(lv->ItemRect(1), Rect(0, 0, 180, 17));
}

TEST_F(ListViewTest, ColumnWidthsFromTextsAndRoom) {
  TListColumn* code = lv->Columns()->Add();
  code->SetCaption("Code");
  TListColumn* name = lv->Columns()->Add();
  name->SetCaption("A long caption");
  AddRows({"abcdef"});
  lv->Items()->Item(0)->SubItems()->Add("xy");
  code->SetWidth(ColumnTextWidth);
  EXPECT_EQ(code->Width(), 6 * 6 + 12);
  name->SetWidth(ColumnHeaderWidth);
  EXPECT_EQ(name->Width(), 14 * 6 + 12);
  name->SetAutoSize(true);
  EXPECT_EQ(name->Width(), lv->ClientWidth() - 48);
  code->SetMaxWidth(40);
  EXPECT_EQ(code->Width(), 40);
  code->SetWidth(5);
  code->SetMinWidth(10);
  EXPECT_EQ(code->Width(), 10);
  EXPECT_EQ(GetPropValue(code, "Caption"), "Code");
}

TEST_F(ListViewTest, CaptionEditing) {
  AddRows({"old", "other"});
  TListItem* item = lv->Items()->Item(0);
  Journal events;
  bool allow = true;
  lv->OnEditing = [&](TObject*, TListItem* edited, bool& ok) {
    events.push_back("editing " + edited->Caption());
    ok = allow;
  };
  lv->OnEdited = [&](TObject*, TListItem*, std::string& text) {
    events.push_back("edited " + text);
    if (text == "shout") text = "SHOUT";
  };
  struct Case {
    const char* name;
    bool read_only;
    bool allow;
    const char* typed;
    std::function<void()> finish;
    const char* caption;
    Journal events;
  };
  const Case cases[] = {
      {"Enter accepts",
       false,
       true,
       "new",
       [&] { DeliverKeystroke(lv->Editor(), VK_RETURN); },
       "new",
       {"editing old", "edited new"}},
      {"the handler changes the text",
       false,
       true,
       "shout",
       [&] { DeliverKeystroke(lv->Editor(), VK_RETURN); },
       "SHOUT",
       {"editing old", "edited shout"}},
      {"Esc cancels",
       false,
       true,
       "new",
       [&] { DeliverKeystroke(lv->Editor(), VK_ESCAPE); },
       "old",
       {"editing old"}},
      {"leaving accepts",
       false,
       true,
       "left",
       [&] { other->SetFocus(); },
       "left",
       {"editing old", "edited left"}},
      {"refused", false, false, nullptr, nullptr, "old", {"editing old"}},
      {"read-only", true, true, nullptr, nullptr, "old", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    item->SetCaption("old");
    lv->SetReadOnly(c.read_only);
    allow = c.allow;
    events.clear();
    lv->SetFocus();
    const bool started = item->EditCaption();
    EXPECT_EQ(started, c.typed != nullptr);
    if (started) {
      EXPECT_TRUE(lv->IsEditing());
      EXPECT_TRUE(lv->Editor()->Focused());
      EXPECT_EQ(lv->Editor()->Text(), "old");
      DeliverText(lv->Editor(), c.typed);
      c.finish();
    }
    EXPECT_FALSE(lv->IsEditing());
    EXPECT_EQ(item->Caption(), c.caption);
    EXPECT_EQ(events, c.events);
  }
  // F2 edits the focused item; deleting it cancels the edit.
  lv->SetReadOnly(false);
  allow = true;
  lv->SetFocus();
  ClickRow(1);
  DeliverKeystroke(lv, VK_F2);
  ASSERT_TRUE(lv->IsEditing());
  EXPECT_EQ(lv->EditingItem(), lv->Items()->Item(1));
  events.clear();
  lv->Items()->Delete(1);
  EXPECT_FALSE(lv->IsEditing());
  EXPECT_EQ(events, Journal{});
  EXPECT_TRUE(lv->Focused());
}

TEST_F(ListViewTest, FindCaption) {
  AddRows({"Alpha", "beta", "alphabet", "Gamma"});
  struct Case {
    int start;
    const char* value;
    bool partial;
    bool inclusive;
    bool wrap;
    int found;
  };
  const Case cases[] = {
      {0, "ALPHA", false, true, false, 0}, {0, "alpha", false, false, false, -1},
      {0, "alpha", true, false, false, 2}, {3, "beta", false, true, true, 1},
      {3, "beta", false, true, false, -1}, {-5, "gamma", false, true, false, 3},
      {9, "Alpha", false, true, true, 0},  {0, "", true, true, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.value) + " from " + std::to_string(c.start));
    TListItem* found = lv->FindCaption(c.start, c.value, c.partial, c.inclusive, c.wrap);
    EXPECT_EQ(found ? found->Index() : -1, c.found);
  }
  int marker = 0;
  lv->Items()->Item(2)->SetData(&marker);
  EXPECT_EQ(lv->FindData(0, &marker, true, false), lv->Items()->Item(2));
  EXPECT_EQ(lv->FindData(3, &marker, true, false), nullptr);
}

TEST_F(ListViewTest, InsertAndDeletionEvents) {
  Journal events;
  lv->OnInsert = [&](TObject*, TListItem* item) {
    events.push_back("insert " + std::to_string(item->Index()));
  };
  lv->OnDeletion = [&](TObject*, TListItem* item) {
    events.push_back("delete " + item->Caption());
  };
  AddRows({"a", "b"});
  lv->Items()->Insert(1)->SetCaption("x");
  lv->Items()->Delete(0);
  lv->Items()->Clear();
  EXPECT_EQ(events,
            (Journal{"insert 0", "insert 1", "insert 1", "delete a", "delete x", "delete b"}));
}

TEST_F(ListViewTest, ImageListsAreForgottenWhenFreed) {
  auto* images = Create<TImageList>(form.get());
  lv->SetSmallImages(images);
  lv->SetLargeImages(images);
  images->Free();
  EXPECT_EQ(lv->SmallImages(), nullptr);
  EXPECT_EQ(lv->LargeImages(), nullptr);
  AddRows({"a"});
  lv->Items()->Item(0)->SetImageIndex(3);
  lv->Update();
  EXPECT_FALSE(lv->Canvas()->TextLog().empty());
}

TEST_F(ListViewTest, PublishedProperties) {
  SetPropValue(lv, "ViewStyle", "vsList");
  SetPropValue(lv, "SortType", "stText");
  SetPropValue(lv, "MultiSelect", "True");
  EXPECT_EQ(lv->ViewStyle(), vsList);
  EXPECT_EQ(lv->SortType(), stText);
  EXPECT_TRUE(lv->MultiSelect());
  EXPECT_EQ(GetObjectProp(lv, "Columns"), lv->Columns());
  lv->Columns()->Add()->SetCaption("Code");
  EXPECT_EQ(lv->Columns()->Items(0)->GetNamePath(), "lvRows.Columns[0]");
}

}  // namespace
}  // namespace qv::test
