#include "controls/qv_spin_edit.h"

#include <gtest/gtest.h>

#include "controls/small/small_fixture.h"
#include "platform/vcl/keys.h"

namespace ravlet::test {
namespace {

class QvSpinEditTest : public SmallControlsTest {
 protected:
  QvSpinEditTest() {
    spin = Place<TQvSpinEdit>("seDay1");
    spin->SetMinValue(-99);
    spin->SetMaxValue(99);
    spin->OnChange = [this](qv::TObject*) { journal.push_back(spin->Text()); };
  }
  void SetUp() override {
    SmallControlsTest::SetUp();
    form->Show();
    spin->SetFocus();
    spin->SetText("");
    journal.clear();
  }
  TQvSpinEdit* spin;
};

TEST_F(QvSpinEditTest, ASignTypedAfterTheFirstCharacterIsDropped) {
  struct Case {
    const char* typed;
    const char* text;
    Journal changes;
  };
  const Case cases[] = {
      {"12+", "12", {"1", "12", "12"}},
      {"12-", "12", {"1", "12", "12"}},
      {"-5", "-5", {"-", "-5"}},
      {"+7-", "+7", {"+", "+7", "+7"}},
      {"3-+4", "34", {"3", "3", "3", "34"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    spin->SetText("");
    journal.clear();
    qv::DeliverText(spin, c.typed);
    EXPECT_EQ(spin->Text(), c.text);
    EXPECT_EQ(journal, c.changes);
  }
}

TEST_F(QvSpinEditTest, ASignTypedInTheMiddleLeavesTheDigitsAndTheCaret) {
  spin->SetText("12");
  spin->SetSelStart(1);
  qv::DeliverText(spin, "+3");
  EXPECT_EQ(spin->Text(), "132");
  EXPECT_EQ(spin->SelStart(), 2);
}

TEST_F(QvSpinEditTest, AnEmptiedTextRaisesNoChange) {
  qv::DeliverText(spin, "7");
  qv::DeliverKeystroke(spin, qv::VK_BACK);
  EXPECT_EQ(spin->Text(), "");
  spin->SetText("  ");
  EXPECT_EQ(journal, Journal{"7"});
  spin->SetText("12+");
  EXPECT_EQ(spin->Text(), "12");
  EXPECT_EQ(journal, (Journal{"7", "12"}));
}

}  // namespace
}  // namespace ravlet::test
