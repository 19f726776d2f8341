#include "platform/vcl/status_bar.h"

#include <gtest/gtest.h>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class StatusBarTest : public ControlsTest {
 protected:
  StatusBarTest() {
    bar = Place<TStatusBar>("sbMain");
    bar->SetAlign(alNone);
    bar->SetWidth(300);
    for (const char* text : {"用户", "公司", "日期"}) bar->Panels()->Add()->SetText(text);
  }
  std::string Texts() const {
    std::string texts;
    for (int i = 0; i < bar->Panels()->Count(); ++i)
      texts += (i ? "," : "") + bar->Panels()->Items(i)->Text();
    return texts;
  }
  TStatusBar* bar;
};

TEST_F(StatusBarTest, PanelsKeepTheirIdsWhileTheyMove) {
  TStatusPanels* panels = bar->Panels();
  EXPECT_EQ(panels->Items(2)->ID(), 2);
  panels->Items(2)->SetIndex(0);
  EXPECT_EQ(Texts(), "日期,用户,公司");
  panels->Items(1)->SetIndex(99);  // limited to the last place
  EXPECT_EQ(Texts(), "日期,公司,用户");
  panels->Delete(0);
  panels->Insert(1)->SetText("新");
  EXPECT_EQ(Texts(), "公司,新,用户");
  EXPECT_EQ(panels->Items(1)->ID(), 3);
  EXPECT_EQ(panels->FindItemID(1), panels->Items(0));
  EXPECT_EQ(panels->FindItemID(2), nullptr);
  EXPECT_EQ(panels->Items(2)->GetNamePath(), "sbMain.Panels[2]");
  EXPECT_THROW(panels->Items(3), EListError);
  EXPECT_THROW(panels->Insert(5), EListError);
  panels->Clear();
  EXPECT_EQ(panels->Count(), 0);
}

TEST_F(StatusBarTest, EveryChangeRepaintsTheBarAndABatchOnce) {
  const int before = bar->InvalidateCount();
  bar->Panels()->Items(0)->SetText("另一个");
  bar->Panels()->Items(0)->SetText("另一个");  // no change
  EXPECT_EQ(bar->InvalidateCount(), before + 1);
  bar->Panels()->BeginUpdate();
  for (int i = 0; i < 3; ++i) bar->Panels()->Items(i)->SetWidth(10 * i);
  bar->Panels()->Add();
  EXPECT_EQ(bar->InvalidateCount(), before + 1);
  bar->Panels()->EndUpdate();
  EXPECT_EQ(bar->InvalidateCount(), before + 2);
}

TEST_F(StatusBarTest, TheLastPanelReachesTheRightEdge) {
  bar->Panels()->Items(0)->SetWidth(50);
  bar->Panels()->Items(1)->SetWidth(80);
  bar->Panels()->Items(2)->SetWidth(60);
  EXPECT_EQ(bar->PanelRect(0), Rect(0, 0, 50, 19));
  EXPECT_EQ(bar->PanelRect(1), Rect(50, 0, 130, 19));
  EXPECT_EQ(bar->PanelRect(2), Rect(130, 0, 300, 19));
  struct Case {
    int x;
    int panel;
  };
  for (const Case& c : {Case{0, 0}, Case{49, 0}, Case{50, 1}, Case{299, 2}, Case{300, -1}})
    EXPECT_EQ(bar->PanelAt(c.x), c.panel) << "x " << c.x;
  bar->Panels()->Items(1)->SetWidth(-5);
  EXPECT_EQ(bar->PanelRect(2).Left, 50);
  bar->SetSimplePanel(true);
  EXPECT_EQ(bar->PanelAt(10), -1);
  EXPECT_THROW(bar->PanelRect(3), EListError);
}

TEST_F(StatusBarTest, PanelsAreAnObjectPropertyOfTheirOwnType) {
  EXPECT_EQ(GetPropInfo(bar, "Panels")->TypeName(), "TStatusPanels");
  TStatusBar* copy = Place<TStatusBar>("sbCopy");
  bar->Panels()->Items(1)->SetBevel(pbRaised);
  SetObjectProp(copy, "Panels", GetObjectProp(bar, "Panels"));
  EXPECT_EQ(copy->Panels()->Count(), 3);
  EXPECT_EQ(copy->Panels()->Items(1)->Text(), "公司");
  EXPECT_EQ(copy->Panels()->Items(1)->Bevel(), pbRaised);
  TStatusPanel* panel = copy->Panels()->Items(0);
  SetPropValue(panel, "Text", "User");
  SetPropValue(panel, "Alignment", "taCenter");
  EXPECT_EQ(GetPropValue(panel, "Text"), "User");
  EXPECT_EQ(panel->DisplayName(), "User");
  EXPECT_EQ(bar->Panels()->Items(0)->Text(), "用户");  // a copy, not shared
  EXPECT_THROW(SetObjectProp(copy, "Panels", copy), EPropertyConvertError);
}

}  // namespace
}  // namespace qv::test
