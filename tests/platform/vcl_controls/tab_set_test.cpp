#include "platform/vcl/tab_set.h"

#include <gtest/gtest.h>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class TabSetTest : public ControlsTest {
 protected:
  TabSetTest() {
    tabs = Place<TTabSet>("tsSheets");
    tabs->SetWidth(100);
    tabs->Tabs()->SetCommaText("ab,cd,ef,gh");  // 12 + 18 = 30 pixels each
    tabs->OnChange = [this](TObject*, int next, bool& allow) {
      journal.push_back("change to " + std::to_string(next));
      allow = next != refused;
    };
    tabs->OnClick = Note("click");
  }
  TTabSet* tabs;
  int refused = -2;
};

TEST_F(TabSetTest, EveryChangeAsksAndThenClicks) {
  tabs->SetTabIndex(1);
  tabs->SetTabIndex(1);
  refused = 3;
  tabs->SetTabIndex(3);
  tabs->SelectNext(false);
  tabs->SelectNext(false);  // goes round
  EXPECT_EQ(tabs->TabIndex(), 0);
  const Journal expected = {"change to 1", "click", "change to 3",
                            "change to 0", "click", "change to 3"};
  EXPECT_EQ(journal, expected);
  EXPECT_THROW(tabs->SetTabIndex(4), EInvalidOperation);
  EXPECT_THROW(tabs->SetTabIndex(-2), EInvalidOperation);
  tabs->SetTabIndex(-1);
  EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST_F(TabSetTest, TabsStandSideBySideAndScrollIntoView) {
  EXPECT_EQ(tabs->ItemRect(0), Bounds(5, 0, 30, 20));
  EXPECT_EQ(tabs->ItemRect(2), Bounds(65, 0, 30, 20));
  EXPECT_TRUE(tabs->ItemRect(3).IsEmpty());  // past the end margin
  EXPECT_EQ(tabs->VisibleTabs(), 3);         // the third ends at the end margin
  EXPECT_EQ(tabs->ItemAtPos({40, 5}), 1);
  EXPECT_EQ(tabs->ItemAtPos({2, 5}), -1);

  tabs->SetTabIndex(3);
  EXPECT_EQ(tabs->FirstIndex(), 1);
  EXPECT_EQ(tabs->ItemRect(3), Bounds(65, 0, 30, 20));
  tabs->SetTabIndex(0);
  EXPECT_EQ(tabs->FirstIndex(), 0);

  tabs->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(66, 5));
  tabs->Perform(WM_LBUTTONUP, 0, MakeLParam(66, 5));
  EXPECT_EQ(tabs->TabIndex(), 2);
}

TEST_F(TabSetTest, TheSelectedTabStaysWithItsTextSilently) {
  tabs->SetTabIndex(2);
  journal.clear();
  tabs->Tabs()->Insert(0, "new");
  EXPECT_EQ(tabs->TabIndex(), 3);
  tabs->Tabs()->Delete(3);
  EXPECT_EQ(tabs->TabIndex(), -1);
  tabs->SetTabIndex(1);
  journal.clear();
  const std::string text = tabs->Tabs()->Text();
  tabs->Tabs()->SetText(text);  // replaced as a whole: nothing selected
  EXPECT_EQ(tabs->TabIndex(), -1);
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(PropType(tabs, "Tabs"), tkStrings);
}

}  // namespace
}  // namespace qv::test
