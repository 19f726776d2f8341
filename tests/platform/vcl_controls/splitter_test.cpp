#include "platform/vcl/splitter.h"

#include <gtest/gtest.h>

#include "platform/vcl/panel.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class SplitterTest : public ControlsTest {
 protected:
  SplitterTest() {
    // As a designed form is built: arranged once all are there.
    form->DisableAlign();
    other->SetAlign(alClient);
    list = Place<TPanel>("pnlList");
    list->SetWidth(100);
    list->SetAlign(alLeft);
    splitter = Place<TSplitter>("spList");
    splitter->SetLeft(200);  // after the panel
    splitter->OnMoved = Note("moved");
    form->EnableAlign();
  }
  void Drag(int dx, int dy) {
    splitter->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 5));
    splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(1 + dx / 2, 5 + dy / 2));
    splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(1 + dx, 5 + dy));
    splitter->Perform(WM_LBUTTONUP, 0, MakeLParam(1 + dx, 5 + dy));
  }
  TPanel* list;
  TSplitter* splitter;
};

TEST_F(SplitterTest, DraggingResizesTheControlItTouchesWithinTheLimits) {
  ASSERT_EQ(splitter->Left(), 100);
  ASSERT_EQ(splitter->ResizeControl(), list);
  // What is left for the rest keeps MinSize: the client width less MinSize
  // and the other left and right aligned controls (the splitter's 3 too).
  const int max = form->ClientWidth() - 30 - 3;
  struct Case {
    bool snap;
    int dx;
    int width;
  };
  const Case cases[] = {
      {true, 50, 150},  {true, -60, 40},    {true, -70, 0},  {true, -80, 0},
      {false, -80, 30}, {false, 1000, max}, {false, 0, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dx);
    list->SetWidth(100);
    splitter->SetAutoSnap(c.snap);
    Drag(c.dx, 0);
    EXPECT_EQ(list->Width(), c.width);
    EXPECT_EQ(splitter->Left(), c.width);  // the splitter follows its control
  }
  EXPECT_EQ(journal.size(), std::size(cases));
}

TEST_F(SplitterTest, CanResizeMayAdjustOrRefuseASize) {
  splitter->OnCanResize = [](TObject*, int& size, bool& accept) {
    accept = size < 300;
    size = size / 10 * 10;
  };
  Drag(57, 0);
  EXPECT_EQ(list->Width(), 150);
  Drag(400, 0);  // refused
  EXPECT_EQ(list->Width(), 150);
  EXPECT_EQ(journal, Journal{"moved"});
}

TEST_F(SplitterTest, TheControlFollowsTheMouseOnlyWithUpdate) {
  splitter->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 5));
  splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(41, 5));
  EXPECT_EQ(list->Width(), 100);
  splitter->Perform(WM_LBUTTONUP, 0, MakeLParam(41, 5));
  EXPECT_EQ(list->Width(), 140);

  splitter->SetResizeStyle(rsUpdate);
  splitter->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 5));
  splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(11, 5));
  EXPECT_EQ(list->Width(), 150);
  splitter->Perform(WM_LBUTTONUP, 0, MakeLParam(11, 5));
  EXPECT_EQ(list->Width(), 150);
  EXPECT_EQ(journal, (Journal{"moved", "moved"}));
}

TEST_F(SplitterTest, TopSplittersResizeHeightsAndLoneSplittersNothing) {
  list->SetAlign(alNone);
  splitter->SetAlign(alTop);
  splitter->SetHeight(3);
  EXPECT_EQ(splitter->ResizeControl(), nullptr);
  Drag(0, 40);
  EXPECT_TRUE(journal.empty());

  TPanel* top = Place<TPanel>("pnlTop");
  top->SetTop(-10);  // before the splitter
  top->SetAlign(alTop);
  ASSERT_EQ(splitter->ResizeControl(), top);
  const int height = top->Height();
  ASSERT_EQ(splitter->Top(), height);

  Drag(0, 40);
  EXPECT_EQ(top->Height(), height + 40);
  SetPropValue(splitter, "ResizeStyle", "rsLine");
  EXPECT_EQ(GetPropInfo(splitter, "ResizeStyle")->TypeName(), "TResizeStyle");
}

}  // namespace
}  // namespace qv::test
