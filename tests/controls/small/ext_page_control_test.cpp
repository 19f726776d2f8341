#include "controls/ext_page_control.h"

#include <gtest/gtest.h>

#include "controls/small/small_fixture.h"

namespace ravlet::test {
namespace {

class ExtPageControlTest : public SmallControlsTest {
 protected:
  ExtPageControlTest() {
    pages = Place<TExtPageControl>("pgOption");
    pages->SetBounds(0, 0, 400, 300);
    for (const char* caption : {"一般选项", "隐藏页", "周期性设置"}) {
      auto* sheet = qv::Create<qv::TTabSheet>(form.get());
      sheet->SetPageControl(pages);
      sheet->SetCaption(caption);
    }
    pages->Pages(1)->SetTabVisible(false);
  }
  const qv::TCanvasText* TextOf(const std::string& caption) const {
    for (const qv::TCanvasText& text : pages->Canvas()->TextLog())
      if (text.Text == caption) return &text;
    return nullptr;
  }
  TExtPageControl* pages;
};

TEST_F(ExtPageControlTest, TheActiveTabIsHighlightedAndHiddenTabsAreSkipped) {
  EXPECT_TRUE(pages->OwnerDraw());
  pages->SetActivePageIndex(2);
  pages->Update();
  const qv::TCanvas& canvas = *pages->Canvas();
  const qv::TFont& font = *pages->Font();
  EXPECT_EQ(TextOf("隐藏页"), nullptr);

  // Tab 0 stands for page 0 and is inactive: its text is two pixels lower.
  const qv::TRect inactive = pages->TabRect(0);
  const qv::TCanvasText* first = TextOf("一般选项");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Color, qv::clInactiveCaptionText);
  EXPECT_FALSE(first->Style.Contains(qv::fsBold));
  EXPECT_EQ(first->X, inactive.Left + (inactive.Width() - font.TextWidth("一般选项")) / 2);
  EXPECT_EQ(first->Y, inactive.Top + 2 + (inactive.Height() - font.Em()) / 2);
  EXPECT_EQ(canvas.Pixels(inactive.Left + 1, inactive.Top + 1),
            qv::ColorToRGB(qv::clInactiveCaption));

  // Tab 1 stands for page 2, the active one: within its own rectangle (the
  // control enlarges the active tab by 2 pixels on each side).
  const qv::TRect active = pages->TabRect(1);
  const qv::TCanvasText* last = TextOf("周期性设置");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Color, qv::clCaptionText);
  EXPECT_TRUE(last->Style.Contains(qv::fsBold));
  EXPECT_EQ(last->Y, active.Top + (active.Height() - font.Em()) / 2);
  EXPECT_EQ(canvas.Pixels(active.Left, active.Top), qv::ColorToRGB(qv::clActiveCaption));
  EXPECT_NE(canvas.Pixels(active.Right, active.Top + 5), qv::ColorToRGB(qv::clActiveCaption));
}

TEST_F(ExtPageControlTest, OnDrawTabReplacesTheDrawing) {
  pages->SetActivePageIndex(0);
  std::vector<std::string> calls;
  pages->OnDrawTab = [&](qv::TObject* control, int tab, const qv::TRect& rect, bool active) {
    calls.push_back(std::to_string(tab) + (active ? " active" : "") +
                    (control == pages ? "" : " other") + (rect.IsEmpty() ? " empty" : ""));
  };
  pages->Update();
  // The active tab is drawn last, over its neighbours.
  EXPECT_EQ(calls, (std::vector<std::string>{"1", "0 active"}));
  EXPECT_EQ(TextOf("一般选项"), nullptr);
}

}  // namespace
}  // namespace ravlet::test
