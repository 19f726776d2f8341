#include "platform/vcl/tool_bar.h"

#include <gtest/gtest.h>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class ToolBarTest : public ControlsTest {
 protected:
  ToolBarTest() {
    bar = Place<TToolBar>("tbMain");
    bar->SetAlign(alNone);
    bar->SetWidth(100);
  }
  TToolButton* Button(const std::string& name, TToolButtonStyle style = tbsButton) {
    TToolButton* button = Place<TToolButton>(name, bar);
    button->SetStyle(style);
    button->OnClick = Note(name);
    return button;
  }
  void Press(TToolButton* button, int x) {
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 5));
    button->Perform(WM_LBUTTONUP, 0, MakeLParam(x, 5));
  }
  std::string Downs() const {
    std::string marks;
    for (int i = 0; i < bar->ButtonCount(); ++i) marks += bar->Buttons(i)->Down() ? '1' : '0';
    return marks;
  }
  TToolBar* bar;
};

TEST_F(ToolBarTest, ButtonsAreLaidOutInRowsFromLeftToRight) {
  Button("tb1");
  Button("tb2");
  Button("tbSep", tbsSeparator);
  Button("tb3");
  Button("tb4");
  TToolButton* last = Button("tb5");
  struct Case {
    std::function<void()> change;
    std::vector<TPoint> places;
  };
  const Case cases[] = {
      {[] {}, {{0, 0}, {23, 0}, {46, 0}, {54, 0}, {77, 0}, {0, 22}}},
      {[&] { bar->SetButtonWidth(30); }, {{0, 0}, {30, 0}, {60, 0}, {68, 0}, {0, 22}, {30, 22}}},
      {[&] { bar->Buttons(2)->SetWidth(20); },
       {{0, 0}, {30, 0}, {60, 0}, {0, 22}, {30, 22}, {60, 22}}},
      {[&] { bar->Buttons(1)->SetWrap(true); },
       {{0, 0}, {30, 0}, {0, 22}, {20, 22}, {50, 22}, {0, 44}}},
      {[&] { bar->SetWrapable(false), bar->Buttons(1)->SetWrap(false); },
       {{0, 0}, {30, 0}, {60, 0}, {80, 0}, {110, 0}, {140, 0}}},
  };
  for (const Case& c : cases) {
    c.change();
    std::vector<TPoint> places;
    for (int i = 0; i < bar->ButtonCount(); ++i)
      places.push_back({bar->Buttons(i)->Left(), bar->Buttons(i)->Top()});
    EXPECT_EQ(places, c.places);
  }
  bar->Buttons(0)->Hide();
  EXPECT_EQ(bar->Buttons(1)->Left(), 0);
  bar->Buttons(1)->Free();
  EXPECT_EQ(bar->ButtonCount(), 5);
  EXPECT_EQ(last->Left(), 80);  // after the separator and two buttons
  EXPECT_EQ(last->Index(), 4);
  EXPECT_THROW(bar->Buttons(5), EListError);
}

TEST_F(ToolBarTest, GroupedCheckButtonsKeepOneDown) {
  for (const char* name : {"tbDay", "tbWeek", "tbMonth"}) Button(name, tbsCheck)->SetGrouped(true);
  Button("tbBold", tbsCheck);
  Button("tbHour", tbsCheck)->SetGrouped(true);  // a group of its own
  struct Step {
    int button;
    const char* downs;
  };
  const Step clicks[] = {{0, "10000"}, {1, "01000"}, {1, "01000"}, {3, "01010"},
                         {4, "01011"}, {3, "01001"}, {2, "00101"}, {4, "00101"}};
  for (const Step& s : clicks) {
    Press(bar->Buttons(s.button), 5);
    EXPECT_EQ(Downs(), s.downs) << "button " << s.button;
  }
  EXPECT_EQ(journal.size(), std::size(clicks));

  bar->Buttons(2)->SetDown(false);  // the down one of its group stays down
  EXPECT_EQ(Downs(), "00101");
  bar->Buttons(0)->SetDown(true);
  EXPECT_EQ(Downs(), "10001");
  for (int i = 0; i < 3; ++i) bar->Buttons(i)->SetAllowAllUp(true);
  Press(bar->Buttons(0), 5);
  EXPECT_EQ(Downs(), "00001");
}

TEST_F(ToolBarTest, DropDownButtonsDropTheirMenuFromTheArrow) {
  bar->SetLeft(50);
  TPopupMenu* menu = Create<TPopupMenu>(form.get());
  menu->SetName("pmReports");
  TToolButton* drop = Button("tbDrop", tbsDropDown);
  TToolButton* plain = Button("tbPlain");
  drop->SetDropdownMenu(menu);
  SetPropValue(plain, "DropdownMenu", "pmReports");
  EXPECT_EQ(plain->DropdownMenu(), menu);

  Press(drop, 5);  // the button part
  EXPECT_EQ(menu->PopupCount(), 0);
  Press(drop, drop->Width() - 3);
  EXPECT_EQ(menu->PopupCount(), 1);
  EXPECT_EQ(menu->PopupComponent(), drop);
  EXPECT_EQ(menu->PopupPoint(), drop->ClientToScreen({0, drop->Height()}));
  Press(plain, 5);
  EXPECT_EQ(menu->PopupComponent(), plain);
  EXPECT_EQ(journal, Journal{"tbDrop"});

  menu->Free();
  EXPECT_EQ(drop->DropdownMenu(), nullptr);
  Press(drop, drop->Width() - 3);
  Press(plain, 5);
  EXPECT_EQ(journal, (Journal{"tbDrop", "tbDrop", "tbPlain"}));
}

TEST_F(ToolBarTest, SeparatorsNeitherClickNorDrop) {
  TToolButton* sep = Button("tbSep", tbsDivider);
  EXPECT_EQ(sep->Width(), 8);
  Press(sep, 3);
  sep->Click();
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(GetPropInfo(sep, "Style")->TypeName(), "TToolButtonStyle");
  SetPropValue(sep, "Style", "tbsCheck");
  SetPropValue(sep, "Down", "True");
  EXPECT_TRUE(sep->Down());
}

}  // namespace
}  // namespace qv::test
