#include <gtest/gtest.h>

#include "controls/qv_radio_button.h"
#include "controls/qv_radio_group.h"
#include "controls/small/small_fixture.h"
#include "platform/vcl/keys.h"

namespace ravlet::test {
namespace {

using QvRadioTest = SmallControlsTest;

TEST_F(QvRadioTest, TheCaptionStartsFurtherRightForLargerFonts) {
  struct Case {
    int size;
    int offset;
  };
  const Case cases[] = {{1, 17},  {8, 17},  {9, 19},  {15, 19}, {16, 20}, {17, 20},
                        {18, 21}, {23, 21}, {24, 23}, {29, 23}, {30, 25}, {35, 25},
                        {36, 27}, {41, 27}, {42, 29}, {43, 29}, {44, 31}, {60, 31},
                        {61, 39}, {80, 39}, {81, 44}, {0, 44}};
  for (const Case& c : cases) EXPECT_EQ(TQvRadioButton::CaptionOffset(c.size), c.offset) << c.size;
}

TEST_F(QvRadioTest, ARadioButtonDrawsItsCaptionItself) {
  auto* button = Place<TQvRadioButton>("rdoQueue");
  EXPECT_EQ(button->Width(), 113);
  EXPECT_EQ(button->Height(), 17);
  button->SetCaption("排队生成");
  button->Font()->SetColor(qv::clNavy);
  struct Case {
    int points;
    bool enabled;
    int x;
  };
  // The default font is 13 pixels high, which is 10 points.
  const Case cases[] = {{10, true, 19}, {10, false, 19}, {20, true, 21}, {8, false, 17}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.points << " " << c.enabled);
    button->Font()->SetSize(c.points);
    button->SetEnabled(c.enabled);
    button->Update();
    const auto& log = button->Canvas()->TextLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].X, c.x);
    EXPECT_EQ(log[0].Text, "排队生成");
    EXPECT_EQ(log[0].Color, qv::clNavy);  // also while disabled
    EXPECT_EQ(log[0].FontHeight, button->Font()->Height());
  }
  const int before = button->InvalidateCount();
  button->SetEnabled(true);
  EXPECT_GT(button->InvalidateCount(), before);
}

TEST_F(QvRadioTest, CheckingOneUnchecksItsSiblings) {
  auto* now = Place<TQvRadioButton>("rdoNow");
  auto* queue = Place<TQvRadioButton>("rdoQueue");
  auto* plain = Place<qv::TRadioButton>("rdoPlain");
  now->SetChecked(true);
  queue->OnClick = Note("queue click");
  qv::DeliverClick(queue);
  EXPECT_TRUE(queue->Checked());
  EXPECT_FALSE(now->Checked());
  EXPECT_EQ(journal, Journal{"queue click"});
  plain->SetChecked(true);
  EXPECT_FALSE(queue->Checked());
}

class QvRadioGroupTest : public SmallControlsTest {
 protected:
  QvRadioGroupTest() {
    group = Place<TQvRadioGroup>("rgDateType");
    group->OnClick = Note("group click");
  }
  void SetItems(int count) {
    group->Items()->Clear();
    for (int i = 0; i < count; ++i) group->Items()->Add("选项" + std::to_string(i));
  }
  TQvRadioGroup* group;
};

TEST_F(QvRadioGroupTest, ANewGroupIsEmpty) {
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(group->Columns(), 1);
  EXPECT_EQ(group->ButtonCount(), 0);
  group->SetItemIndex(3);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_THROW(group->Buttons(0), qv::EListError);
}

TEST_F(QvRadioGroupTest, ButtonsFillColumnsTopDown) {
  struct Case {
    int items;
    int columns;
    int height;
    std::vector<qv::TRect> bounds;
  };
  // Font 13 high; width 185: column width (185 - 10) div columns.
  const Case cases[] = {
      {5,
       2,
       105,
       {qv::Bounds(8, 14, 87, 29), qv::Bounds(8, 43, 87, 29), qv::Bounds(8, 72, 87, 29),
        qv::Bounds(95, 14, 87, 29), qv::Bounds(95, 43, 87, 29)}},
      // H = 104 - 13 - 5 = 86: rows of 28, the 2 pixels left over split above.
      {5,
       2,
       104,
       {qv::Bounds(8, 15, 87, 28), qv::Bounds(8, 43, 87, 28), qv::Bounds(8, 71, 87, 28),
        qv::Bounds(95, 15, 87, 28), qv::Bounds(95, 43, 87, 28)}},
      {2, 3, 105, {qv::Bounds(8, 14, 58, 87), qv::Bounds(66, 14, 58, 87)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.items << " items in " << c.columns << " columns");
    group->SetHeight(c.height);
    group->SetColumns(c.columns);
    SetItems(c.items);
    ASSERT_EQ(group->ButtonCount(), c.items);
    for (int i = 0; i < c.items; ++i) {
      EXPECT_EQ(group->Buttons(i)->BoundsRect(), c.bounds[static_cast<size_t>(i)]) << i;
      EXPECT_EQ(group->Buttons(i)->Caption(), "选项" + std::to_string(i));
      EXPECT_TRUE(group->Buttons(i)->InheritsFrom("TQvRadioButton"));
    }
  }
  // Resizing and a larger font arrange them again.
  group->SetWidth(205);
  EXPECT_EQ(group->Buttons(1)->Left(), 8 + 65);
  group->Font()->SetHeight(-20);
  EXPECT_EQ(group->Buttons(0)->Top(), 21);
}

TEST_F(QvRadioGroupTest, ColumnsAndItemIndexAreKeptInRange) {
  SetItems(3);
  struct Case {
    int set;
    int expected;
  };
  for (const Case& c : {Case{1, 1}, Case{7, 2}, Case{-5, -1}, Case{0, 0}, Case{-1, -1}}) {
    group->SetItemIndex(c.set);
    EXPECT_EQ(group->ItemIndex(), c.expected) << c.set;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(group->Buttons(i)->Checked(), i == c.expected);
  }
  group->SetColumns(0);
  EXPECT_EQ(group->Columns(), 1);
  group->SetColumns(20);
  EXPECT_EQ(group->Columns(), 16);
  // The chosen item removed: the index moves to the last one left.
  group->SetItemIndex(2);
  group->Items()->Delete(2);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  EXPECT_TRUE(journal.empty());
}

TEST_F(QvRadioGroupTest, AClickedButtonSetsTheIndexAndClicksTheGroup) {
  SetItems(3);
  group->SetItemIndex(0);
  qv::DeliverClick(group->Buttons(2));
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_FALSE(group->Buttons(0)->Checked());
  EXPECT_EQ(journal, Journal{"group click"});
}

TEST_F(QvRadioGroupTest, KeysOnAButtonReachTheGroup) {
  SetItems(2);
  form->Show();
  group->Buttons(1)->SetFocus();
  group->OnKeyDown = [&](qv::TObject*, qv::Word& key, qv::TShiftState) {
    journal.push_back("group key " + std::to_string(key));
  };
  group->OnKeyPress = [&](qv::TObject*, char32_t& key) {
    journal.push_back("group press " + std::string(1, static_cast<char>(key)));
  };
  qv::DeliverKeystroke(group->Buttons(1), 'A');
  EXPECT_EQ(journal, (Journal{"group key 65", "group press a"}));
}

TEST_F(QvRadioGroupTest, ButtonsFollowTheGroupsEnabledState) {
  SetItems(2);
  group->SetEnabled(false);
  SetItems(3);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(group->Buttons(i)->Enabled());
  group->SetEnabled(true);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(group->Buttons(i)->Enabled());
}

}  // namespace
}  // namespace ravlet::test
