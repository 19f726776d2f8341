#include "platform/vcl/spin_edit.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class SpinEditTest : public ControlsTest {
 protected:
  SpinEditTest() {
    spin = Place<TSpinEdit>("seHour");
    spin->SetMaxValue(23);
    form->Show();
  }
  TSpinEdit* spin;
};

TEST_F(SpinEditTest, LeavingLimitsANumberToTheRange) {
  struct Case {
    int min;
    int max;
    const char* typed;
    const char* after_exit;
    int value;
  };
  const Case cases[] = {
      {0, 23, "30", "23", 23},
      {0, 23, "-5", "0", 0},
      {0, 23, "12", "12", 12},
      {0, 23, " 30", "23", 23},
      {-99, 99, "-150", "-99", -99},
      {0, 0, "99999", "99999", 99999},
      {0, 23, "abc", "abc", 0},
      {5, 23, "", "", 5},
      {5, 23, "99999999999", "99999999999", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    spin->SetMinValue(c.min);
    spin->SetMaxValue(c.max);
    spin->SetFocus();
    spin->SetText(c.typed);
    other->SetFocus();
    EXPECT_EQ(spin->Text(), c.after_exit);
    EXPECT_EQ(spin->Value(), c.value);
  }
}

TEST_F(SpinEditTest, OnExitSeesTheTextBeforeItIsLimited) {
  std::string seen;
  spin->OnExit = [&](TObject*) { seen = spin->Text(); };
  spin->SetFocus();
  spin->SetText("40");
  other->SetFocus();
  EXPECT_EQ(seen, "40");
  EXPECT_EQ(spin->Text(), "23");
}

TEST_F(SpinEditTest, UpAndDownStepWithinTheRange) {
  spin->SetIncrement(5);
  spin->SetFocus();
  spin->OnChange = Note("change");
  struct Step {
    Word key;
    const char* text;
  };
  const Step steps[] = {{VK_UP, "5"},  {VK_UP, "10"}, {VK_UP, "15"},  {VK_UP, "20"},
                        {VK_UP, "23"}, {VK_UP, "23"}, {VK_DOWN, "18"}};
  for (const Step& s : steps) {
    DeliverKeystroke(spin, s.key);
    EXPECT_EQ(spin->Text(), s.text);
  }
  EXPECT_EQ(journal.size(), 6u);  // the step at the top changes nothing
  EXPECT_TRUE(spin->Focused());

  spin->SetText("x");  // no number: steps from MinValue
  DeliverKeystroke(spin, VK_DOWN);
  EXPECT_EQ(spin->Text(), "0");

  spin->SetMaxValue(spin->MinValue());  // no limits
  spin->SetText(std::to_string(INT_MAX - 1));
  DeliverKeystroke(spin, VK_UP);
  EXPECT_EQ(spin->Value(), INT_MAX);

  spin->SetReadOnly(true);
  spin->DownClick();
  EXPECT_EQ(spin->Value(), INT_MAX);
}

TEST_F(SpinEditTest, ThePersonTypesDigitsAndSignsOnly) {
  spin->SetFocus();
  spin->SelectAll();
  DeliverText(spin, "1a2+-.");
  EXPECT_EQ(spin->Text(), "12+-");
  DeliverKeystroke(spin, VK_BACK);
  EXPECT_EQ(spin->Text(), "12+");

  spin->SetMaxLength(2);
  spin->SelectAll();
  DeliverText(spin, "123");
  EXPECT_EQ(spin->Text(), "12");

  spin->SetEditorEnabled(false);
  DeliverKeystroke(spin, VK_BACK);
  DeliverText(spin, "9");
  EXPECT_EQ(spin->Text(), "12");
  DeliverKeystroke(spin, VK_UP);  // the buttons still work
  EXPECT_EQ(spin->Text(), "13");
}

TEST_F(SpinEditTest, TheButtonsAreTheRightEdgesHalves) {
  spin->SetValue(10);
  auto press = [&](int x, int y) { spin->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y)); };
  press(spin->Width() - 5, 2);
  EXPECT_EQ(spin->Value(), 11);
  press(spin->Width() - 5, spin->Height() - 2);
  press(spin->Width() - 5, spin->Height() - 2);
  EXPECT_EQ(spin->Value(), 9);
  press(10, 2);  // the edit part
  EXPECT_EQ(spin->Value(), 9);
  EXPECT_TRUE(spin->Focused());
}

TEST_F(SpinEditTest, SettingTheValueLimitsItAndRaisesOnChange) {
  spin->OnChange = Note("change");
  spin->SetValue(99);
  EXPECT_EQ(spin->Text(), "23");
  SetPropValue(spin, "Value", "-4");
  EXPECT_EQ(GetPropValue(spin, "Value"), "0");
  SetPropValue(spin, "MinValue", "-99");
  EXPECT_EQ(spin->MinValue(), -99);
  EXPECT_EQ(journal, (Journal{"change", "change"}));
}

}  // namespace
}  // namespace qv::test
