#include "platform/vcl/string_grid.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class StringGridTest : public ControlsTest {
 protected:
  StringGridTest() {
    grid = Place<TStringGrid>("sgUsers");
    grid->SetBounds(0, 0, 325, 125);  // five columns and rows of 64 x 24, lines of 1
    for (int r = 0; r < grid->RowCount(); ++r)
      for (int c = 0; c < grid->ColCount(); ++c)
        grid->SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
    grid->OnSetEditText = [this](TObject*, int c, int r, const std::string& value) {
      journal.push_back("set " + std::to_string(c) + ":" + std::to_string(r) + "=" + value);
    };
    form->Show();
    grid->SetFocus();
  }
  // Keys by name: a text is typed, "Enter", "Esc", "F2", "End", "Down", "Tab".
  void Press(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
      auto* target = dynamic_cast<TWinControl*>(form->FocusedControl());
      ASSERT_NE(target, nullptr);
      const Word vk = key == "Enter"  ? VK_RETURN
                      : key == "Esc"  ? VK_ESCAPE
                      : key == "F2"   ? VK_F2
                      : key == "End"  ? VK_END
                      : key == "Down" ? VK_DOWN
                      : key == "Tab"  ? VK_TAB
                                      : 0;
      if (vk != 0)
        DeliverKeystroke(target, vk);
      else
        DeliverText(target, key);
    }
  }
  TStringGrid* grid;
};

TEST_F(StringGridTest, TheEditorStoresItsTextOnlyWhenTheEditIsAccepted) {
  struct Case {
    TGridOptions extra;
    std::vector<std::string> keys;
    const char* cell;  // 1:1 afterwards
    Journal stored;
  };
  const Case cases[] = {
      {{goEditing}, {"abc", "Enter"}, "abc", {"set 1:1=abc"}},
      {{goEditing}, {"abc", "Esc"}, "1:1", {}},
      {{goEditing}, {"F2", "End", "x", "Enter"}, "1:1x", {"set 1:1=1:1x"}},
      {{goEditing}, {"Enter", "z", "Enter"}, "z", {"set 1:1=z"}},
      {{goEditing}, {"a", "Down"}, "a", {"set 1:1=a"}},
      {{goEditing, goTabs}, {"b", "Tab"}, "b", {"set 1:1=b"}},
      {{}, {"abc", "Enter", "F2"}, "1:1", {}},
      {{goEditing, goRowSelect}, {"abc", "F2"}, "1:1", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys.front() + "... " + c.cell);
    grid->SetOptions(TGridOptions{goFixedVertLine, goVertLine} + c.extra);
    grid->SetCells(1, 1, "1:1");
    grid->FocusCell(1, 1);
    grid->SetFocus();
    journal.clear();
    Press(c.keys);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 1), c.cell);
    EXPECT_EQ(journal, c.stored);
  }
}

TEST_F(StringGridTest, TheEditorOpensOnTheCurrentCellAndLeavingTheGridStoresIt) {
  grid->SetOptions(grid->Options() + TGridOptions{goEditing});
  grid->FocusCell(2, 3);
  Press({"new"});
  ASSERT_TRUE(grid->EditorMode());
  TInplaceEdit* editor = grid->InplaceEditor();
  EXPECT_TRUE(editor->Focused());
  EXPECT_EQ(editor->BoundsRect(), grid->CellRect(2, 3));
  EXPECT_EQ(grid->Cells(2, 3), "2:3");  // not yet stored
  other->SetFocus();
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(2, 3), "new");
  EXPECT_TRUE(other->Focused());
}

TEST_F(StringGridTest, KeysMoveTheCurrentCellWithinTheScrollingCells) {
  grid->SetOptions(grid->Options() + TGridOptions{goTabs});
  struct Step {
    Word key;
    TShiftState shift;
    int col;
    int row;
  };
  const Step steps[] = {
      {VK_UP, {}, 1, 1},         {VK_LEFT, {}, 1, 1},       {VK_RIGHT, {}, 2, 1},
      {VK_END, {}, 4, 1},        {VK_TAB, {}, 1, 2},        {VK_TAB, {ssShift}, 4, 1},
      {VK_TAB, {ssShift}, 3, 1}, {VK_END, {ssCtrl}, 3, 4},  {VK_TAB, {}, 4, 4},
      {VK_TAB, {}, 1, 1},        {VK_HOME, {ssCtrl}, 1, 1}, {VK_NEXT, {}, 1, 4},
  };
  for (const Step& s : steps) {
    DeliverKeystroke(grid, s.key, s.shift);
    EXPECT_EQ(grid->Col(), s.col) << "key " << s.key;
    EXPECT_EQ(grid->Row(), s.row) << "key " << s.key;
  }
  EXPECT_TRUE(grid->Focused());
}

TEST_F(StringGridTest, SelectCellCanRefuseAMoveAndMovesRaiseOnClick) {
  grid->OnClick = Note("click");
  grid->OnSelectCell = [this](TObject*, int c, int r, bool& can_select) {
    journal.push_back("select " + std::to_string(c) + ":" + std::to_string(r));
    can_select = c != 3;
  };
  grid->SetCol(2);
  grid->SetCol(2);  // no move
  DeliverKeystroke(grid, VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2);
  grid->SetRow(4);
  EXPECT_EQ(journal, (Journal{"select 2:1", "click", "select 3:1", "select 2:4", "click"}));
}

TEST_F(StringGridTest, FixedAndMissingCellsCannotBeCurrent) {
  const std::function<void()> bad[] = {
      [&] { grid->SetCol(0); },       [&] { grid->SetRow(0); },
      [&] { grid->SetCol(5); },       [&] { grid->FocusCell(1, -1); },
      [&] { grid->Cells(5, 0); },     [&] { grid->SetCells(0, 7, "x"); },
      [&] { grid->SetFixedCols(5); }, [&] { grid->SetFixedRows(-1); },
      [&] { grid->ColWidths(9); },    [&] { grid->MoveRow(0, 5); },
  };
  for (const auto& call : bad) EXPECT_THROW(call(), EInvalidGridOperation);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(StringGridTest, ClicksMoveToScrollingCellsAndASecondClickEdits) {
  grid->SetOptions(grid->Options() + TGridOptions{goEditing});
  other->SetFocus();
  auto click = [&](int x, int y) {
    grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    grid->Perform(WM_LBUTTONUP, 0, MakeLParam(x, y));
  };
  EXPECT_EQ(grid->MouseCoord(64, 24), (TGridCoord{0, 0}));  // the grid line
  EXPECT_EQ(grid->MouseCoord(65, 25), (TGridCoord{1, 1}));
  EXPECT_EQ(grid->MouseCoord(400, 10), (TGridCoord{-1, -1}));
  click(10, 60);  // a fixed cell takes the focus but is no current cell
  EXPECT_TRUE(grid->Focused());
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  click(200, 60);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_FALSE(grid->EditorMode());
  click(200, 60);
  EXPECT_TRUE(grid->EditorMode());
}

TEST_F(StringGridTest, TheEditorStaysOpenFromCellToCellWhenAlwaysShown) {
  grid->SetOptions(grid->Options() + TGridOptions{goEditing, goAlwaysShowEditor});
  Press({"F2", "one", "Down"});
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->Text(), "1:2");
  Press({"two", "Enter"});
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "one");
  EXPECT_EQ(grid->Cells(1, 2), "two");
}

TEST_F(StringGridTest, CellsFollowTheirRowsAndColumns) {
  grid->SetColCount(3);
  grid->SetRowCount(6);
  EXPECT_EQ(grid->Cells(2, 4), "2:4");
  EXPECT_EQ(grid->Cells(2, 5), "");
  grid->MoveRow(1, 3);
  EXPECT_EQ(grid->Cells(0, 1), "0:2");
  EXPECT_EQ(grid->Cells(0, 3), "0:1");
  grid->DeleteColumn(0);
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->Cells(0, 0), "1:0");
  grid->FocusCell(1, 5);
  grid->SetRowCount(3);
  EXPECT_EQ(grid->Row(), 2);
  grid->SetColCount(1);  // the fixed column makes room for a scrolling one
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->Col(), 0);
}

TEST_F(StringGridTest, TheCurrentRowIsScrolledIntoView) {
  grid->SetRowCount(20);
  grid->OnTopLeftChanged = Note("scrolled");
  EXPECT_EQ(grid->VisibleRowCount(), 4);
  grid->SetRow(10);
  EXPECT_EQ(grid->TopRow(), 7);
  EXPECT_TRUE(grid->CellRect(1, 2).IsEmpty());
  EXPECT_EQ(grid->CellRect(1, 10), Bounds(65, 100, 64, 24));
  grid->SetRow(3);
  EXPECT_EQ(grid->TopRow(), 3);
  EXPECT_FALSE(journal.empty());
}

TEST_F(StringGridTest, PaintingWritesEveryShownCell) {
  grid->SetColCount(2);
  grid->SetRowCount(2);
  grid->Update();
  std::vector<std::string> texts;
  for (const TCanvasText& t : grid->Canvas()->TextLog()) texts.push_back(t.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"0:0", "1:0", "0:1", "1:1"}));
  EXPECT_EQ(grid->Canvas()->TextLog()[3].X, 67);
}

TEST_F(StringGridTest, OptionsAreASetByName) {
  EXPECT_EQ(GetPropInfo(grid, "Options")->TypeName(), "TGridOptions");
  SetPropValue(grid, "Options", "[goEditing, goTabs]");
  EXPECT_EQ(grid->Options(), (TGridOptions{goEditing, goTabs}));
  SetPropValue(grid, "FixedRows", "0");
  EXPECT_EQ(grid->FixedRows(), 0);
  EXPECT_THROW(SetPropValue(grid, "FixedCols", "9"), EInvalidGridOperation);
}

}  // namespace
}  // namespace qv::test
