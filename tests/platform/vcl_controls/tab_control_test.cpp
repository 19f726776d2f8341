#include "platform/vcl/tab_control.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/panel.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class TabControlTest : public ControlsTest {
 protected:
  TabControlTest() {
    tabs = Place<TTabControl>("tcPeriod");
    tabs->SetBounds(0, 0, 200, 120);
    tabs->Tabs()->SetCommaText("day,week,month,hour");
    inside = Place<TEdit>("edInside", tabs);
  }
  void Record() {
    tabs->OnChanging = [this](TObject*, bool& allow) {
      journal.push_back("changing " + std::to_string(tabs->TabIndex()));
      allow = !refuse;
    };
    tabs->OnChange = [this](TObject*) {
      journal.push_back("change " + std::to_string(tabs->TabIndex()));
    };
  }
  void ClickTab(int index) {
    const TRect r = tabs->TabRect(index);
    tabs->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(r.Left + 3, r.Top + 3));
    tabs->Perform(WM_LBUTTONUP, 0, MakeLParam(r.Left + 3, r.Top + 3));
  }
  TTabControl* tabs;
  TEdit* inside;
  bool refuse = false;
};

TEST_F(TabControlTest, TheSelectedTabStaysWithItsTextAndCodeRaisesNothing) {
  Record();
  struct Case {
    std::function<void(TStrings&)> change;
    int index;
  };
  const Case cases[] = {
      {[](TStrings& t) { t.Insert(0, "year"); }, 3},
      {[](TStrings& t) { t.Delete(2); }, -1},
      {[](TStrings& t) { t.Delete(3); }, 2},
      {[](TStrings& t) { t.Delete(0); }, 1},
      {[](TStrings& t) { t.SetString(2, "MONTH"); }, 2},
      {[](TStrings& t) { t.SetText("a\nb\nc"); }, -1},
  };
  for (const Case& c : cases) {
    tabs->Tabs()->SetCommaText("day,week,month,hour");
    tabs->SetTabIndex(2);
    c.change(*tabs->Tabs());
    EXPECT_EQ(tabs->TabIndex(), c.index);
  }
  for (int bad : {-2, 3, 99}) {
    tabs->SetTabIndex(1);
    tabs->SetTabIndex(bad);
    EXPECT_EQ(tabs->TabIndex(), -1) << bad;
  }
  EXPECT_TRUE(journal.empty());
}

TEST_F(TabControlTest, ThePersonsChangesAskFirst) {
  form->Show();
  Record();
  ClickTab(2);
  ClickTab(2);  // already selected
  EXPECT_TRUE(tabs->Focused());
  DeliverKeystroke(tabs, VK_RIGHT);
  DeliverKeystroke(tabs, VK_RIGHT);  // the last tab
  inside->SetFocus();
  DeliverKeystroke(inside, VK_TAB, {ssCtrl});  // goes round
  DeliverKeystroke(inside, VK_TAB, {ssCtrl, ssShift});
  refuse = true;
  ClickTab(1);
  EXPECT_EQ(tabs->TabIndex(), 3);
  const Journal expected = {"changing -1", "change 2",   "changing 2", "change 3",  "changing 3",
                            "change 0",    "changing 0", "change 3",   "changing 3"};
  EXPECT_EQ(journal, expected);
}

TEST_F(TabControlTest, TabsWrapIntoRowsAndTheDisplayAreaFollows) {
  struct Case {
    TTabStyle style;
    bool multi_line;
    TRect last_tab;
    TRect display;
  };
  // Tabs 60 x 19 (the font's 13 + 6); four of them in 200 pixels.
  const Case cases[] = {
      {tsTabs, false, Bounds(182, 2, 60, 19), Rect(4, 25, 196, 116)},
      {tsTabs, true, Bounds(2, 21, 60, 19), Rect(4, 44, 196, 116)},
      {tsButtons, true, Bounds(0, 22, 60, 19), Rect(0, 44, 200, 120)},
      {tsFlatButtons, false, Bounds(189, 0, 60, 19), Rect(0, 22, 200, 120)},
  };
  tabs->SetTabWidth(60);
  TPanel* page = Place<TPanel>("pnlPage", tabs);
  page->SetAlign(alClient);
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style) * 2 + c.multi_line);
    tabs->SetStyle(c.style);
    tabs->SetMultiLine(c.multi_line);
    EXPECT_EQ(tabs->TabRect(3), c.last_tab);
    EXPECT_EQ(tabs->DisplayRect(), c.display);
    EXPECT_EQ(page->BoundsRect(), c.display);
  }
  EXPECT_EQ(tabs->IndexOfTabAt(70, 10), 1);
  EXPECT_EQ(tabs->IndexOfTabAt(70, 30), -1);
  EXPECT_TRUE(tabs->TabRect(4).IsEmpty());
}

TEST_F(TabControlTest, TabWidthsFollowTheirTexts) {
  tabs->Tabs()->SetCommaText("ab,日期");
  EXPECT_EQ(tabs->TabRect(0), Bounds(2, 2, 24, 19));   // 2 x 6 + 12
  EXPECT_EQ(tabs->TabRect(1), Bounds(26, 2, 38, 19));  // 2 x 13 + 12
  tabs->Font()->SetHeight(-20);
  EXPECT_EQ(tabs->TabRect(1), Bounds(34, 2, 52, 26));  // 2 x 10 + 12, then 2 x 20 + 12
  EXPECT_EQ(GetPropInfo(tabs, "Style")->TypeName(), "TTabStyle");
  SetPropValue(tabs, "Tabs", "一\r\n二");
  SetPropValue(tabs, "TabIndex", "1");
  EXPECT_EQ(tabs->TabIndex(), 1);
}

}  // namespace
}  // namespace qv::test
