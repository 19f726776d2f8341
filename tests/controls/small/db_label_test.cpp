#include "controls/db_label.h"

#include <gtest/gtest.h>

#include "controls/db_edit.h"
#include "controls/small/small_fixture.h"
#include "platform/vcl/panel.h"

namespace ravlet::test {
namespace {

class DBLabelTest : public SmallControlsTest {
 protected:
  DBLabelTest() {
    edit = Place<qv::TEdit>("edPrintDate");
    edit->SetBounds(100, 50, 121, 21);
    label = Place<TDBLabel>("lblToday");
    label->SetCaption("日期类型");  // 52 x 13
  }
  qv::TEdit* edit;
  TDBLabel* label;
};

TEST_F(DBLabelTest, ANewLabelHasItsDefaults) {
  TDBLabel* fresh = Place<TDBLabel>("lblFresh");
  EXPECT_EQ(fresh->Caption(), "挂靠标签");
  EXPECT_TRUE(fresh->AutoAlign());
  EXPECT_TRUE(fresh->AutoCaption());
  EXPECT_EQ(fresh->Pos(), psLeft);
  EXPECT_EQ(fresh->Gap(), 4);
  EXPECT_EQ(fresh->FocusControl(), nullptr);
}

TEST_F(DBLabelTest, StandsBesideItsControl) {
  struct Case {
    TPos pos;
    int gap;
    int control_height;
    qv::TPoint at;
  };
  const Case cases[] = {
      {psLeft, 4, 21, {44, 54}},  // centred: 50 + 21 div 2 - 13 div 2
      {psRight, 4, 21, {225, 54}},  {psTop, 4, 21, {100, 33}}, {psBottom, 4, 21, {100, 75}},
      {psLeft, 0, 21, {48, 54}},    {psLeft, 4, 13, {44, 50}},  // same height: same top
      {psRight, 10, 30, {231, 59}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pos << " gap " << c.gap << " height " << c.control_height);
    edit->SetAutoSize(false);
    edit->SetBounds(100, 50, 121, c.control_height);
    label->SetPos(c.pos);
    label->SetGap(static_cast<uint8_t>(c.gap));
    label->SetFocusControl(nullptr);
    label->SetFocusControl(edit);
    EXPECT_EQ(label->Left(), c.at.X);
    EXPECT_EQ(label->Top(), c.at.Y);
  }
}

TEST_F(DBLabelTest, APlaceLeftOfOrAboveTheWindowEdgeBecomesZero) {
  label->SetAutoSize(false);
  label->SetWidth(40);
  edit->SetBounds(10, 5, 121, 21);
  label->SetFocusControl(edit);
  EXPECT_EQ(label->Left(), 0);  // not 10 - 40 - 4
  label->SetPos(psTop);
  EXPECT_EQ(label->Top(), 0);
}

TEST_F(DBLabelTest, ItsOwnSettingsPlaceItAgainButTheControlMovingDoesNot) {
  label->SetFocusControl(edit);
  label->SetGap(8);
  EXPECT_EQ(label->Left(), 100 - 52 - 8);
  label->SetCaption("日期");
  EXPECT_EQ(label->Left(), 100 - 26 - 8);
  edit->SetLeft(300);
  EXPECT_EQ(label->Left(), 100 - 26 - 8);
  label->SetAutoAlign(false);
  label->SetPos(psRight);
  EXPECT_EQ(label->Left(), 100 - 26 - 8);
  label->SetAutoAlign(true);
  EXPECT_EQ(label->Left(), 300 + 121 + 8);
}

TEST_F(DBLabelTest, ASecondLabelForTheSameControlIsRefused) {
  RecordDialogs();
  qv::TEdit* other = Place<qv::TEdit>("edOther");
  other->SetBounds(100, 200, 121, 21);
  label->SetFocusControl(edit);
  TDBLabel* second = Place<TDBLabel>("lblSecond");
  second->SetFocusControl(other);
  const qv::TRect before = second->BoundsRect();

  second->SetFocusControl(edit);
  EXPECT_EQ(second->FocusControl(), other);
  EXPECT_EQ(second->BoundsRect(), before);
  EXPECT_EQ(dialogs->texts, std::vector<std::string>{"不能同时有两个 DBLabel 指到同一个 Control."});
  EXPECT_EQ(dialogs->kinds, std::vector<qv::TMsgDlgType>{qv::mtError});

  // Binding again to the control it already names changes nothing.
  label->SetFocusControl(edit);
  EXPECT_EQ(dialogs->texts.size(), 1u);
  // Once the first label lets go, the second may take the control.
  label->SetFocusControl(nullptr);
  second->SetFocusControl(edit);
  EXPECT_EQ(second->FocusControl(), edit);
  EXPECT_EQ(dialogs->texts.size(), 1u);
}

TEST_F(DBLabelTest, OnlyLabelsOwnedByTheParentCount) {
  RecordDialogs();
  // Labels on a panel the form owns: the panel owns no components, so no
  // other binding is seen there.
  qv::TPanel* panel = Place<qv::TPanel>("pnlDates");
  TDBLabel* first = Place<TDBLabel>("lblFirst", panel);
  TDBLabel* second = Place<TDBLabel>("lblSecond", panel);
  first->SetFocusControl(edit);
  second->SetFocusControl(edit);
  EXPECT_EQ(second->FocusControl(), edit);
  EXPECT_TRUE(dialogs->texts.empty());
}

TEST_F(DBLabelTest, TakesItsCaptionFromTheDataFieldOfItsControl) {
  qv::TClientDataSet data;
  data.AddField("PRINT_DATE", qv::TFieldType::ftString).SetDisplayLabel("制表日期");
  auto* source = qv::Create<TDataSource>(form.get());
  TDBEdit* db_edit = Place<TDBEdit>("edDbDate");
  db_edit->SetBounds(100, 100, 121, 21);
  db_edit->SetDataSource(source);
  db_edit->SetDataField("PRINT_DATE");

  // No data set yet: the caption stays.
  label->SetFocusControl(db_edit);
  EXPECT_EQ(label->Caption(), "日期类型");
  label->SetFocusControl(nullptr);

  source->SetDataSet(&data);
  label->SetFocusControl(db_edit);
  EXPECT_EQ(label->Caption(), "制表日期");
  EXPECT_EQ(label->Left(), 100 - 52 - 4);

  // A field the data set does not have, or AutoCaption off: no change.
  label->SetCaption("打印");
  db_edit->SetDataField("NO_SUCH_FIELD");
  label->SetGap(5);
  EXPECT_EQ(label->Caption(), "打印");
  db_edit->SetDataField("PRINT_DATE");
  label->SetAutoCaption(false);
  label->SetGap(6);
  EXPECT_EQ(label->Caption(), "打印");
  label->SetAutoCaption(true);
  EXPECT_EQ(label->Caption(), "制表日期");
}

TEST_F(DBLabelTest, ForgetsAControlThatIsFreed) {
  label->SetFocusControl(edit);
  edit->Free();
  EXPECT_EQ(label->FocusControl(), nullptr);
  label->SetPos(psTop);
  label->SetCaption("其他");
}

}  // namespace
}  // namespace ravlet::test
