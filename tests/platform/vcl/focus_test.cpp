#include <gtest/gtest.h>

#include "platform/vcl/vcl_fixture.h"

namespace qv::test {
namespace {

using Journal = std::vector<std::string>;

class FocusTest : public VclTest {
 protected:
  TTestForm t;
};

TEST_F(FocusTest, ShowingFocusesTheFirstControlInTabOrder) {
  t.edName->SetTabOrder(1);  // edCode now comes first
  t.form->Show();
  EXPECT_TRUE(t.form->Active());
  EXPECT_EQ(Screen->ActiveForm(), t.form.get());
  EXPECT_TRUE(t.edCode->Focused());
  EXPECT_EQ(t.form->ActiveControl(), t.edCode);
  EXPECT_EQ(t.journal, Journal{"enter edCode"});
}

TEST_F(FocusTest, TabWalksTheTabOrderWithExitsBeforeEnters) {
  t.form->Show();
  t.journal.clear();
  for (int i = 0; i < 5; ++i) DeliverKeystroke(t.form->FocusedControl(), VK_TAB);
  const Journal expected = {"exit edName",   "enter edCode", "exit edCode",   "enter pnlRange",
                            "enter edBegin", "exit edBegin", "enter edFinal", "exit edFinal",
                            "exit pnlRange", "enter btnOk",  "exit btnOk",    "enter btnCancel"};
  EXPECT_EQ(t.journal, expected);
  t.journal.clear();
  DeliverKeystroke(t.btnCancel, VK_TAB, {ssShift});
  EXPECT_TRUE(t.btnOk->Focused());
  DeliverKeystroke(t.btnOk, VK_TAB, {ssShift});
  EXPECT_TRUE(t.edFinal->Focused());
  const Journal back = {"exit btnCancel", "enter btnOk", "exit btnOk", "enter pnlRange",
                        "enter edFinal"};
  EXPECT_EQ(t.journal, back);
}

TEST_F(FocusTest, HiddenAndDisabledControlsAreSkippedAndCannotTakeTheFocus) {
  t.edCode->SetEnabled(false);
  t.pnlRange->Hide();
  t.form->Show();
  DeliverKeystroke(t.edName, VK_TAB);
  EXPECT_TRUE(t.btnOk->Focused());
  EXPECT_FALSE(t.edCode->CanFocus());
  EXPECT_FALSE(t.edBegin->CanFocus());
  EXPECT_THROW(t.edBegin->SetFocus(), EInvalidOperation);
  EXPECT_THROW(t.form->SetActiveControl(t.edCode), EInvalidOperation);
  EXPECT_TRUE(t.btnOk->Focused());

  // Disabling the focused control takes the focus away without moving it.
  t.btnOk->SetEnabled(false);
  EXPECT_FALSE(t.btnOk->Focused());
  EXPECT_EQ(t.form->FocusedControl(), nullptr);
}

TEST_F(FocusTest, AnExitHandlerThatTakesTheFocusBackStopsTheMove) {
  t.form->Show();
  t.edName->OnExit = [&](TObject*) {
    t.journal.push_back("exit edName");
    t.edName->SetFocus();
  };
  t.journal.clear();
  t.edBegin->SetFocus();
  EXPECT_TRUE(t.edName->Focused());
  // The focus had left edName for the form when the handler took it back.
  EXPECT_EQ(t.journal, (Journal{"exit edName", "enter edName"}));
}

TEST_F(FocusTest, FocusFollowsClicksOnFocusableControlsOnly) {
  t.form->Show();
  t.journal.clear();
  ASSERT_TRUE(Application->DispatchInput(TInputEvent::Click("edFinal")));
  EXPECT_TRUE(t.edFinal->Focused());
  Application->DispatchInput(TInputEvent::Click("pnlRange"));
  EXPECT_TRUE(t.edFinal->Focused());
  EXPECT_EQ(t.journal, (Journal{"exit edName", "enter pnlRange", "enter edFinal"}));
  EXPECT_THROW(Application->DispatchInput(TInputEvent::Click("edNothing")), EInputError);
  t.edCode->Hide();
  EXPECT_FALSE(Application->DispatchInput(TInputEvent::Click("frmTest.edCode")));
}

TEST_F(FocusTest, FreeingTheFocusedControlLeavesNoDanglingFocus) {
  t.form->Show();
  t.edBegin->SetFocus();
  t.pnlRange->Free();
  EXPECT_EQ(t.form->FocusedControl(), nullptr);
  EXPECT_EQ(t.form->ActiveControl(), nullptr);
  EXPECT_EQ(t.form->FindComponent("edBegin"), nullptr);
  DeliverKeystroke(t.form.get(), VK_TAB);
  EXPECT_TRUE(t.edName->Focused());
}

TEST_F(FocusTest, FocusOfHiddenFormsWaitsForTheirShow) {
  t.edCode->SetFocus();
  EXPECT_FALSE(t.edCode->Focused());
  EXPECT_TRUE(t.journal.empty());
  t.form->Show();
  EXPECT_TRUE(t.edCode->Focused());
  EXPECT_EQ(t.journal, Journal{"enter edCode"});
}

}  // namespace
}  // namespace qv::test
