#include "platform/vcl/list_box.h"

#include <gtest/gtest.h>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class ListBoxTest : public ControlsTest {
 protected:
  ListBoxTest() {
    list = Place<TListBox>("lbUsers");
    list->Items()->SetCommaText("a,b,c,d,e,f,g,h");
    list->SetBounds(10, 10, 120, 65);  // five lines of 13 pixels
    list->OnClick = Note("click");
    form->Show();
  }
  void ClickItem(int index, TShiftState shift = {}) {
    const TRect r = list->ItemRect(index);
    const LPARAM pos = MakeLParam(r.Left + 2, r.Top + 2);
    list->Perform(WM_LBUTTONDOWN, MouseFlagsFromShift(shift) | MK_LBUTTON, pos);
    list->Perform(WM_LBUTTONUP, MouseFlagsFromShift(shift), pos);
  }
  // The selection as a string of 0 and 1, one per item.
  std::string Selection() const {
    std::string marks;
    for (int i = 0; i < list->Items()->Count(); ++i) marks += list->Selected(i) ? '1' : '0';
    return marks;
  }
  TListBox* list;
};

struct Step {
  int click;  // an item to click, or -1
  Word key;   // else a key
  TShiftState shift;
  const char* selection;
  int item_index;
  int clicks;  // OnClick raised by the step
};

TEST_F(ListBoxTest, OneItemIsSelectedByClicksAndKeys) {
  const Step steps[] = {
      {2, 0, {}, "00100000", 2, 1},         {2, 0, {}, "00100000", 2, 0},
      {-1, VK_DOWN, {}, "00010000", 3, 1},  {-1, VK_HOME, {}, "10000000", 0, 1},
      {-1, VK_UP, {}, "10000000", 0, 0},    {-1, VK_NEXT, {}, "00001000", 4, 1},
      {-1, VK_END, {}, "00000001", 7, 1},   {-1, VK_DOWN, {}, "00000001", 7, 0},
      {-1, VK_PRIOR, {}, "00010000", 3, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.selection);
    journal.clear();
    if (s.click >= 0)
      ClickItem(s.click, s.shift);
    else
      DeliverKeystroke(list, s.key, s.shift);
    EXPECT_EQ(Selection(), s.selection);
    EXPECT_EQ(list->ItemIndex(), s.item_index);
    EXPECT_EQ(journal.size(), static_cast<size_t>(s.clicks));
  }
  EXPECT_TRUE(list->Focused());
}

TEST_F(ListBoxTest, MultiSelectExtendsWithShiftAndTogglesWithCtrl) {
  list->SetMultiSelect(true);
  list->SetHeight(104);  // all eight items in view
  const Step steps[] = {
      {1, 0, {}, "01000000", 1, 1},
      {3, 0, {ssCtrl}, "01010000", 3, 1},
      {5, 0, {ssShift}, "00011100", 5, 1},
      {4, 0, {ssCtrl}, "00010100", 4, 1},
      {-1, VK_DOWN, {}, "00000100", 5, 1},
      {-1, VK_SPACE, {}, "00000000", 5, 1},
      {-1, VK_DOWN, {ssShift}, "00000110", 6, 1},
      {6, 0, {ssShift}, "00000110", 6, 0},
      {6, 0, {}, "00000010", 6, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.selection);
    journal.clear();
    if (s.click >= 0)
      ClickItem(s.click, s.shift);
    else
      DeliverKeystroke(list, s.key, s.shift);
    EXPECT_EQ(Selection(), s.selection);
    EXPECT_EQ(list->ItemIndex(), s.item_index);
    EXPECT_EQ(journal.size(), static_cast<size_t>(s.clicks));
  }
  EXPECT_EQ(list->SelCount(), 1);

  // Without ExtendedSelect every click toggles and keys only move the focus.
  list->SetExtendedSelect(false);
  ClickItem(0);
  ClickItem(2, {ssShift});
  DeliverKeystroke(list, VK_DOWN);
  EXPECT_EQ(Selection(), "10100010");
  EXPECT_EQ(list->ItemIndex(), 3);
}

TEST_F(ListBoxTest, TheSelectionFollowsItsItemsWhenTheListChanges) {
  list->SetMultiSelect(true);
  list->Items()->SetCommaText("delta,alpha,charlie,bravo");
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  list->Items()->Insert(1, "echo");
  EXPECT_EQ(Selection(), "10010");
  list->Items()->Delete(0);
  EXPECT_EQ(Selection(), "0010");
  list->SetSorted(true);
  EXPECT_EQ(list->Items()->CommaText(), "alpha,bravo,charlie,echo");
  EXPECT_EQ(Selection(), "0010");
  list->Items()->Clear();
  EXPECT_EQ(list->SelCount(), 0);
  EXPECT_TRUE(journal.empty());  // code raises no events
}

TEST_F(ListBoxTest, KeysScrollTheFocusedItemIntoView) {
  EXPECT_EQ(list->VisibleItemCount(), 5);
  DeliverKeystroke(list, VK_END);
  EXPECT_EQ(list->TopIndex(), 3);
  EXPECT_EQ(list->ItemAtPos({5, 0}, true), 3);
  EXPECT_EQ(list->ItemAtPos({5, 64}, true), 7);
  list->SetItemIndex(1);
  EXPECT_EQ(list->TopIndex(), 1);
  list->SetTopIndex(100);
  EXPECT_EQ(list->TopIndex(), 7);
  EXPECT_EQ(list->ItemAtPos({5, 20}, true), -1);
  EXPECT_EQ(list->ItemAtPos({5, 20}, false), 8);
}

TEST_F(ListBoxTest, VariableItemsTakeTheHeightTheirHandlerGives) {
  list->SetStyle(lbOwnerDrawVariable);
  list->OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + index; };
  struct Case {
    int y;
    int item;
  };
  // Items 0, 1, 2 end at 10, 21, 33.
  for (const Case& c : {Case{0, 0}, Case{9, 0}, Case{10, 1}, Case{20, 1}, Case{21, 2}, Case{33, 3}})
    EXPECT_EQ(list->ItemAtPos({5, c.y}, true), c.item) << "y " << c.y;
  EXPECT_EQ(list->ItemRect(3), Bounds(0, 33, 120, 13));
}

TEST_F(ListBoxTest, BadIndexesAndPropertiesByName) {
  EXPECT_THROW(list->Selected(8), EListError);
  EXPECT_THROW(list->SetSelected(-1, true), EListError);
  list->SetItemIndex(99);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(GetPropInfo(list, "Style")->TypeName(), "TListBoxStyle");
  SetPropValue(list, "Style", "lbOwnerDrawFixed");
  SetPropValue(list, "ItemHeight", "20");
  EXPECT_EQ(list->ItemHeight(), 20);
  SetPropValue(list, "Style", "lbStandard");
  EXPECT_EQ(list->ItemHeight(), 13);  // the font's line height
  SetPropValue(list, "MultiSelect", "True");
  EXPECT_TRUE(list->MultiSelect());
}

}  // namespace
}  // namespace qv::test
