#include "platform/vcl/page_control.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls2/controls2_fixture.h"

namespace qv::test {
namespace {

// Remembers how each tab was asked to be drawn.
class TRecordingPageControl : public TPageControl {
 public:
  using TPageControl::TPageControl;
  struct TDrawn {
    int Tab;
    TRect Rect;
    bool Active;
  };
  std::vector<TDrawn> drawn;

 protected:
  void DrawTab(int tab_index, const TRect& rect, bool active) override {
    drawn.push_back({tab_index, rect, active});
  }
};

class PageControlTest : public Controls2Test {
 protected:
  PageControlTest() {
    pg = Place<TPageControl>("pgOption");
    pg->SetBounds(0, 0, 200, 150);
    const char* captions[] = {"一", "Two", "Three", "Four"};
    for (int i = 0; i < 4; ++i) {
      auto* sheet = Create<TTabSheet>(form.get());
      sheet->SetName("ts" + std::to_string(i + 1));
      sheet->SetCaption(captions[i]);
      sheet->SetPageControl(pg);
      sheets.push_back(sheet);
      edits.push_back(Place<TEdit>("ed" + std::to_string(i + 1), sheet));
    }
    pg->OnChanging = [this](TObject*, bool& allow) {
      journal.push_back("changing");
      allow = allow_change;
    };
    pg->OnChange = Note("change");
    form->Show();
  }
  // The names of the pages in page order.
  std::string Order() const {
    std::string order;
    for (int i = 0; i < pg->PageCount(); ++i) order += pg->Pages(i)->Name() + " ";
    return order;
  }
  void ClickTab(int tab) {
    const TRect r = pg->TabRect(tab);
    pg->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(r.Left + 3, r.Top + 3));
    pg->Perform(WM_LBUTTONUP, 0, MakeLParam(r.Left + 3, r.Top + 3));
  }

  TPageControl* pg;
  std::vector<TTabSheet*> sheets;
  std::vector<TEdit*> edits;
  bool allow_change = true;
};

TEST_F(PageControlTest, SheetsJoinInOrderAndOnlyTheActiveOneShows) {
  EXPECT_EQ(pg->PageCount(), 4);
  EXPECT_EQ(Order(), "ts1 ts2 ts3 ts4 ");
  EXPECT_EQ(pg->ActivePage(), sheets[0]);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(sheets[i]->PageIndex(), i);
    EXPECT_EQ(sheets[i]->Visible(), i == 0);
    EXPECT_EQ(sheets[i]->Parent(), pg);
  }
  EXPECT_THROW(pg->Pages(4), EListError);
  EXPECT_THROW(pg->Pages(-1), EListError);
  pg->SetActivePageIndex(2);
  EXPECT_TRUE(sheets[2]->Visible());
  EXPECT_FALSE(sheets[0]->Visible());
  pg->SetActivePageIndex(7);
  EXPECT_EQ(pg->ActivePage(), nullptr);
  EXPECT_EQ(pg->ActivePageIndex(), -1);
  EXPECT_FALSE(sheets[2]->Visible());
  EXPECT_TRUE(journal.empty());
}

TEST_F(PageControlTest, PersonsChangesAskFirstAndARefusalKeepsThePage) {
  struct Case {
    const char* name;
    bool allow;
    int focus;  // edit to focus first: 0..3 on the pages, -1 edOther
    std::function<void()> act;
    const char* active;
    Journal events;
  };
  const Case cases[] = {
      {"click a tab", true, 0, [this] { ClickTab(2); }, "ts3", {"changing", "change"}},
      {"refused click", false, 0, [this] { ClickTab(2); }, "ts1", {"changing"}},
      {"click the active tab", true, 0, [this] { ClickTab(0); }, "ts1", {}},
      {"next page", true, 0, [this] { pg->SelectNextPage(true); }, "ts2", {"changing", "change"}},
      {"previous page goes round",
       true,
       0,
       [this] { pg->SelectNextPage(false); },
       "ts4",
       {"changing", "change"}},
      {"refused next page", false, 0, [this] { pg->SelectNextPage(true); }, "ts1", {"changing"}},
      {"Ctrl+Tab inside",
       true,
       0,
       [this] { DeliverKeystroke(edits[0], VK_TAB, {ssCtrl}); },
       "ts2",
       {"changing", "change"}},
      {"Ctrl+Shift+Tab inside",
       true,
       0,
       [this] {
         DeliverKeystroke(edits[0], VK_TAB, {ssCtrl, ssShift});
       },
       "ts4",
       {"changing", "change"}},
      {"Ctrl+Tab outside",
       true,
       -1,
       [this] { DeliverKeystroke(other, VK_TAB, {ssCtrl}); },
       "ts1",
       {}},
      {"right arrow on the tabs",
       true,
       0,
       [this] {
         pg->SetFocus();
         DeliverKeystroke(pg, VK_RIGHT);
       },
       "ts2",
       {"changing", "change"}},
      {"left arrow stops at the first tab",
       true,
       0,
       [this] {
         pg->SetFocus();
         DeliverKeystroke(pg, VK_LEFT);
       },
       "ts1",
       {}},
      {"code raises no events", true, 0, [this] { pg->SetActivePage(sheets[3]); }, "ts4", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    allow_change = true;
    pg->SetActivePage(sheets[0]);
    (c.focus >= 0 ? static_cast<TWinControl*>(edits[c.focus]) : other)->SetFocus();
    allow_change = c.allow;
    journal.clear();
    c.act();
    ASSERT_NE(pg->ActivePage(), nullptr);
    EXPECT_EQ(pg->ActivePage()->Name(), c.active);
    EXPECT_EQ(journal, c.events);
    for (TTabSheet* sheet : sheets) EXPECT_EQ(sheet->Visible(), sheet == pg->ActivePage());
  }
}

TEST_F(PageControlTest, HiddenTabsAreSkipped) {
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(pg->TabCount(), 3);
  EXPECT_EQ(sheets[1]->TabIndex(), -1);
  EXPECT_EQ(sheets[2]->TabIndex(), 1);
  EXPECT_EQ(pg->PageForTab(1), sheets[2]);
  EXPECT_EQ(sheets[1]->PageIndex(), 1);
  pg->SelectNextPage(true);
  EXPECT_EQ(pg->ActivePage(), sheets[2]);
  pg->SelectNextPage(false);
  EXPECT_EQ(pg->ActivePage(), sheets[0]);
  ClickTab(1);
  EXPECT_EQ(pg->ActivePage(), sheets[2]);
  // Without the check every page counts.
  pg->SetActivePage(sheets[0]);
  pg->SelectNextPage(true, false);
  EXPECT_EQ(pg->ActivePage(), sheets[1]);
  EXPECT_EQ(pg->TabIndex(), -1);
}

TEST_F(PageControlTest, HidingTheActiveTabActivatesTheTabAtItsPlace) {
  struct Case {
    const char* name;
    std::vector<int> hidden_first;
    int active;
    const char* after;  // "" for none
  };
  const Case cases[] = {
      {"a middle tab: the next one", {}, 1, "ts3"},
      {"the last tab: the one before", {}, 3, "ts3"},
      {"skips hidden ones", {2}, 1, "ts4"},
      {"the only visible tab: none", {0, 1, 2}, 3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (TTabSheet* sheet : sheets) sheet->SetTabVisible(true);
    for (int i : c.hidden_first) sheets[i]->SetTabVisible(false);
    pg->SetActivePage(sheets[c.active]);
    journal.clear();
    sheets[c.active]->SetTabVisible(false);
    EXPECT_EQ(pg->ActivePage() ? pg->ActivePage()->Name() : "", c.after);
    EXPECT_TRUE(journal.empty());
  }
  // With every tab hidden nothing is selected and nothing fails.
  pg->SelectNextPage(true);
  EXPECT_EQ(pg->ActivePage(), nullptr);
  EXPECT_EQ(pg->IndexOfTabAt(5, 5), -1);
  sheets[2]->SetTabVisible(true);
  EXPECT_EQ(pg->ActivePage(), sheets[2]);
}

TEST_F(PageControlTest, PageIndexMovesTheSheet) {
  sheets[3]->SetPageIndex(0);
  EXPECT_EQ(Order(), "ts4 ts1 ts2 ts3 ");
  EXPECT_EQ(pg->PageForTab(0), sheets[3]);
  sheets[3]->SetPageIndex(4);
  sheets[3]->SetPageIndex(-1);
  EXPECT_EQ(Order(), "ts4 ts1 ts2 ts3 ");
  SetPropValue(sheets[0], "PageIndex", "3");
  EXPECT_EQ(Order(), "ts4 ts2 ts3 ts1 ");
  EXPECT_EQ(pg->ActivePageIndex(), 3);
}

TEST_F(PageControlTest, FocusLeavesAPageThatIsHidden) {
  edits[0]->SetFocus();
  edits[0]->OnExit = Note("ed1 exit");
  sheets[0]->OnHide = Note("ts1 hide");
  sheets[1]->OnShow = Note("ts2 show");
  pg->SetActivePage(sheets[1]);
  EXPECT_EQ(journal, (Journal{"ed1 exit", "ts2 show", "ts1 hide"}));
  EXPECT_TRUE(pg->Focused());
  // An exit handler that keeps the focus keeps the page too.
  edits[1]->SetFocus();
  edits[1]->OnExit = [this](TObject*) { other->SetFocus(); };
  pg->SetActivePage(sheets[2]);
  EXPECT_EQ(pg->ActivePage(), sheets[1]);
}

TEST_F(PageControlTest, TabGeometryAndDisplayArea) {
  struct Case {
    TTabStyle style;
    bool multi_line;
    int width;
    std::vector<TRect> tabs;
    TRect display;
  };
  // 13-pixel font: tabs are 19 high; "一" 25 wide, "Two" 30, "Three" 42, "Four" 36.
  const Case cases[] = {
      {tsTabs,
       false,
       200,
       {Rect(2, 2, 27, 21), Rect(27, 2, 57, 21), Rect(57, 2, 99, 21), Rect(99, 2, 135, 21)},
       Rect(4, 25, 196, 146)},
      {tsTabs,
       true,
       100,
       {Rect(2, 2, 27, 21), Rect(27, 2, 57, 21), Rect(2, 21, 44, 40), Rect(44, 21, 80, 40)},
       Rect(4, 44, 96, 146)},
      {tsButtons,
       false,
       200,
       {Rect(0, 0, 25, 19), Rect(28, 0, 58, 19), Rect(61, 0, 103, 19), Rect(106, 0, 142, 19)},
       Rect(0, 22, 200, 150)},
      {tsFlatButtons,
       true,
       100,
       {Rect(0, 0, 25, 19), Rect(28, 0, 58, 19), Rect(0, 22, 42, 41), Rect(45, 22, 81, 41)},
       Rect(0, 44, 100, 150)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.style) + (c.multi_line ? " multi-line" : ""));
    pg->SetStyle(c.style);
    pg->SetMultiLine(c.multi_line);
    pg->SetWidth(c.width);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pg->TabRect(i), c.tabs[i]) << i;
    EXPECT_EQ(pg->DisplayRect(), c.display);
    EXPECT_EQ(pg->ActivePage()->BoundsRect(), c.display);
    EXPECT_EQ(pg->IndexOfTabAt(c.tabs[3].Left, c.tabs[3].Top), 3);
  }
  pg->SetMultiLine(false);
  pg->SetTabHeight(30);
  pg->SetTabWidth(50);
  EXPECT_EQ(pg->TabRect(1), Rect(53, 0, 103, 30));
  EXPECT_EQ(pg->TabRect(4), TRect{});
}

TEST_F(PageControlTest, CaptionChangesLayTheTabsOutAgain) {
  sheets[0]->SetCaption("Longer");
  EXPECT_EQ(pg->TabRect(1).Left, 2 + 36 + 12);
}

TEST_F(PageControlTest, OwnerDrawnTabsGetTheirRectangles) {
  auto* owner_drawn = Place<TRecordingPageControl>("pgDrawn");
  owner_drawn->SetBounds(0, 0, 200, 100);
  for (int i = 0; i < 3; ++i) {
    auto* sheet = Create<TTabSheet>(form.get());
    sheet->SetCaption("P" + std::to_string(i));
    sheet->SetPageControl(owner_drawn);
  }
  owner_drawn->Pages(0)->SetTabVisible(false);
  owner_drawn->SetOwnerDraw(true);
  owner_drawn->Update();
  ASSERT_EQ(owner_drawn->drawn.size(), 2u);
  // The inactive tab first, the active one (enlarged) last.
  EXPECT_EQ(owner_drawn->drawn[0].Tab, 1);
  EXPECT_FALSE(owner_drawn->drawn[0].Active);
  EXPECT_EQ(owner_drawn->drawn[1].Tab, 0);
  EXPECT_TRUE(owner_drawn->drawn[1].Active);
  EXPECT_EQ(owner_drawn->drawn[1].Rect, InflateRect(owner_drawn->TabRect(0), 2, 2));
}

TEST_F(PageControlTest, SheetsLeaveByFreeingOrMoving) {
  pg->SetActivePage(sheets[1]);
  sheets[1]->Free();
  EXPECT_EQ(Order(), "ts1 ts3 ts4 ");
  EXPECT_EQ(pg->ActivePage(), sheets[2]);
  EXPECT_TRUE(sheets[2]->Visible());

  auto* second = Place<TPageControl>("pgSecond");
  sheets[3]->SetPageControl(second);
  EXPECT_EQ(Order(), "ts1 ts3 ");
  EXPECT_EQ(second->PageCount(), 1);
  EXPECT_EQ(second->ActivePage(), sheets[3]);
  EXPECT_EQ(sheets[3]->PageIndex(), 0);
  sheets[3]->SetParent(form.get());
  EXPECT_EQ(second->PageCount(), 0);
  EXPECT_EQ(sheets[3]->PageControl(), nullptr);
  EXPECT_EQ(sheets[3]->PageIndex(), -1);
  // Freeing the control frees its pages.
  pg->Free();
  EXPECT_EQ(form->FindComponent("ts1"), nullptr);
  EXPECT_EQ(form->FindComponent("ed3"), nullptr);
}

TEST_F(PageControlTest, ActivePageByName) {
  SetPropValue(pg, "ActivePage", "ts3");
  EXPECT_EQ(pg->ActivePage(), sheets[2]);
  EXPECT_EQ(GetPropValue(pg, "ActivePage"), "ts3");
  SetPropValue(pg, "Style", "tsButtons");
  EXPECT_EQ(pg->Style(), tsButtons);
  SetPropValue(sheets[0], "TabVisible", "False");
  EXPECT_EQ(sheets[0]->TabIndex(), -1);
}

}  // namespace
}  // namespace qv::test
