#include <gtest/gtest.h>

#include "platform/vcl/check_box.h"
#include "platform/vcl/radio_group.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl/vcl_fixture.h"

namespace qv::test {
namespace {

class ButtonsTest : public VclTest {
 protected:
  ButtonsTest() {
    form = CreateUnowned<TForm>();
    form->SetName("frmButtons");
  }
  template <typename T>
  T* Add(const char* name, TWinControl* parent = nullptr) {
    T* control = Create<T>(form.get());
    control->SetName(name);
    control->SetParent(parent ? parent : form.get());
    return control;
  }
  TComponentPtr<TForm> form;
};

TEST_F(ButtonsTest, CheckBoxClicksCycleThroughItsStates) {
  auto* check = Add<TCheckBox>("chkNotify");
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  struct Case {
    bool allow_grayed;
    TCheckBoxState after[3];
  };
  const Case cases[] = {{false, {cbChecked, cbUnchecked, cbChecked}},
                        {true, {cbGrayed, cbChecked, cbUnchecked}}};
  for (const Case& c : cases) {
    check->SetState(cbUnchecked);
    check->SetAllowGrayed(c.allow_grayed);
    clicks = 0;
    for (TCheckBoxState expected : c.after) {
      ASSERT_TRUE(Application->DispatchInput(TInputEvent::Click("chkNotify")));
      EXPECT_EQ(check->State(), expected);
    }
    EXPECT_EQ(clicks, 3);
  }
  EXPECT_TRUE(check->Focused());
  check->SetAllowGrayed(false);
  DeliverKeystroke(check, VK_SPACE);
  EXPECT_EQ(check->State(), cbChecked);
  EXPECT_TRUE(check->Checked());
  check->SetState(cbGrayed);
  EXPECT_FALSE(check->Checked());
  SetPropValue(check, "Checked", "True");
  EXPECT_EQ(GetPropValue(check, "State"), "cbChecked");
}

TEST_F(ButtonsTest, CheckingARadioButtonUnchecksItsSiblingsOnly) {
  auto* panel = Add<TPanel>("pnlTiming");
  auto* now = Add<TRadioButton>("rdoNow", panel);
  auto* queue = Add<TRadioButton>("rdoQueue", panel);
  auto* elsewhere = Add<TRadioButton>("rdoElsewhere");
  elsewhere->SetChecked(true);
  now->SetChecked(true);
  std::vector<std::string> clicks;
  queue->OnClick = [&](TObject*) { clicks.push_back("queue"); };
  form->Show();
  Application->DispatchInput(TInputEvent::Click("rdoQueue"));
  Application->DispatchInput(TInputEvent::Click("rdoQueue"));
  EXPECT_TRUE(queue->Checked());
  EXPECT_FALSE(now->Checked());
  EXPECT_TRUE(elsewhere->Checked());
  EXPECT_EQ(clicks, std::vector<std::string>{"queue"});
}

TEST_F(ButtonsTest, RadioGroupArrangesItsItemsInColumns) {
  auto* group = Add<TRadioGroup>("grpKind");
  group->SetBounds(0, 0, 210, 100);
  group->SetColumns(2);
  for (const char* item : {"A", "B", "C", "D", "E"}) group->Items()->Add(item);
  ASSERT_EQ(group->ButtonCount(), 5);
  // T = 13, R = 3, column width 100, H = 82, row height 27, top 13 + 1 + 0.
  struct Case {
    int index;
    TRect bounds;
  };
  const Case cases[] = {{0, Bounds(8, 14, 100, 27)},
                        {2, Bounds(8, 68, 100, 27)},
                        {3, Bounds(108, 14, 100, 27)},
                        {4, Bounds(108, 41, 100, 27)}};
  for (const Case& c : cases) EXPECT_EQ(group->Buttons(c.index)->BoundsRect(), c.bounds) << c.index;
  EXPECT_EQ(group->Buttons(1)->Caption(), "B");

  group->SetItemIndex(9);
  EXPECT_EQ(group->ItemIndex(), 4);
  group->SetItemIndex(-5);
  EXPECT_EQ(group->ItemIndex(), -1);
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  DeliverClick(group->Buttons(3));
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_EQ(clicks, 1);
  std::vector<Word> keys;
  group->OnKeyDown = [&](TObject*, Word& key, TShiftState) { keys.push_back(key); };
  DeliverKeystroke(group->Buttons(3), VK_F2);
  EXPECT_EQ(keys, std::vector<Word>{VK_F2});

  group->Items()->Delete(4);
  group->Items()->Delete(3);
  EXPECT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->ItemIndex(), 2);
  group->SetEnabled(false);
  EXPECT_FALSE(group->Buttons(0)->Enabled());
  group->SetColumns(40);
  EXPECT_EQ(group->Columns(), 16);
}

}  // namespace
}  // namespace qv::test
