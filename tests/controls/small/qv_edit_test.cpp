#include "controls/qv_edit.h"

#include <gtest/gtest.h>

#include "controls/qv_db_edit.h"
#include "controls/small/small_fixture.h"
#include "platform/variant/var_array.h"
#include "platform/vcl/panel.h"
#include "platform/vcl/type_info.h"

namespace ravlet::test {
namespace {

class QvEditTest : public SmallControlsTest {
 protected:
  QvEditTest() {
    edit = Place<TQvEdit>("edEveryHour");
    edit->SetAutoSize(false);
    edit->SetBounds(100, 50, 121, 21);
  }
  qv::TLabel* Label() const { return edit->EditLabel(); }
  TQvEdit* edit;
};

TEST_F(QvEditTest, TheEditOwnsAnEmptyLabelBoundToIt) {
  ASSERT_NE(Label(), nullptr);
  EXPECT_EQ(Label()->Name(), "EditLabel");
  EXPECT_EQ(Label()->Owner(), edit);
  EXPECT_EQ(Label()->Caption(), "");
  EXPECT_EQ(Label()->FocusControl(), edit);
  EXPECT_EQ(Label()->Parent(), form.get());
  EXPECT_EQ(edit->LabelPosition(), lpLeft);
  EXPECT_EQ(edit->LabelSpacing(), 4);
  // Caption is the label's text, Text the edit's.
  edit->SetText("6");
  edit->SetCaption("小时");
  EXPECT_EQ(Label()->Caption(), "小时");
  EXPECT_EQ(edit->Text(), "6");
  EXPECT_EQ(qv::GetStrProp(edit, "Caption"), "小时");
  EXPECT_EQ(qv::GetStrProp(edit, "EditLabel.Caption"), "小时");
}

TEST_F(QvEditTest, TheLabelStandsByPositionAndSpacing) {
  struct Case {
    TLabelPosition position;
    int spacing;
    const char* caption;
    qv::TPoint at;
  };
  // Labels 13 high; "小时处理一次" is 78 wide, "ABCDE" 30.
  const Case cases[] = {
      {lpLeft, 4, "ABCDE", {66, 54}},   {lpLeft, 0, "小时处理一次", {22, 54}},
      {lpRight, 4, "ABCDE", {225, 54}}, {lpAbove, 4, "ABCDE", {100, 33}},
      {lpBelow, 6, "ABCDE", {100, 77}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position << " " << c.spacing << " " << c.caption);
    edit->SetLabelPosition(c.position);
    edit->SetLabelSpacing(c.spacing);
    edit->SetCaption(c.caption);
    EXPECT_EQ(Label()->Left(), c.at.X);
    EXPECT_EQ(Label()->Top(), c.at.Y);
  }
}

TEST_F(QvEditTest, ANegativeSpacingIsIgnored) {
  edit->SetCaption("ABCDE");
  edit->SetLabelSpacing(-3);
  EXPECT_EQ(edit->LabelSpacing(), 4);
  EXPECT_EQ(Label()->Left(), 66);
}

TEST_F(QvEditTest, TheLabelFollowsTheEdit) {
  edit->SetCaption("ABCDE");
  edit->SetBounds(200, 80, 60, 31);
  EXPECT_EQ(Label()->Left(), 200 - 30 - 4);
  EXPECT_EQ(Label()->Top(), 80 + (31 - 13) / 2);

  qv::TPanel* panel = Place<qv::TPanel>("pnEveryHour");
  edit->SetParent(panel);
  EXPECT_EQ(Label()->Parent(), panel);
  edit->Hide();
  EXPECT_FALSE(Label()->Visible());
  edit->Show();
  EXPECT_TRUE(Label()->Visible());
  edit->SetEnabled(false);
  EXPECT_FALSE(Label()->Enabled());
  edit->SetEnabled(true);
  EXPECT_TRUE(Label()->Enabled());

  // A label that changes its own text (a language package sets it by path)
  // stands anew.
  qv::SetStrProp(edit, "EditLabel.Caption", "小时处理一次");
  EXPECT_EQ(Label()->Left(), 200 - 78 - 4);
}

TEST_F(QvEditTest, ALabelFreedOnItsOwnIsForgotten) {
  edit->SetCaption("ABCDE");
  Label()->Free();
  EXPECT_EQ(edit->EditLabel(), nullptr);
  EXPECT_EQ(edit->Caption(), "");
  edit->SetCaption("小时");
  edit->SetBounds(10, 10, 80, 21);
  edit->SetLabelPosition(lpAbove);
  edit->Hide();
  EXPECT_EQ(edit->FindComponent("EditLabel"), nullptr);
}

class QvDBEditTest : public SmallControlsTest {
 protected:
  QvDBEditTest() {
    data.AddField("NOTE_ID", qv::TFieldType::ftString).SetDisplayLabel("页脚编号");
    source = qv::Create<TDataSource>(form.get());
    source->SetDataSet(&data);
    edit = Place<TQvDBEdit>("edNoteID");
    edit->SetDataSource(source);
  }
  qv::TClientDataSet data;
  TDataSource* source;
  TQvDBEdit* edit;
};

TEST_F(QvDBEditTest, InADesignerTheDataFieldNamesTheLabel) {
  edit->SetDataField("NOTE_ID");
  EXPECT_EQ(edit->Caption(), "");
  edit->SetDataField("");
  edit->SetDesigning(true);
  edit->SetDataField("NOTE_ID");
  EXPECT_EQ(edit->Caption(), "页脚编号");
  EXPECT_EQ(edit->EditLabel()->Left(), edit->Left() - 52 - 4);
}

TEST_F(QvDBEditTest, ShowsTheFieldOfTheCurrentRecordAndWritesItBackWhileEditing) {
  qv::Variant rows = qv::VarArrayCreate({0, 0, 0, 1});
  rows.At(0, 0) = "F01";
  rows.At(0, 1) = "F02";
  data.OpenWithData(qv::VarArrayOf({qv::VarArrayOf({"NOTE_ID"}), qv::Variant(), rows}));
  edit->SetDataField("NOTE_ID");
  EXPECT_EQ(edit->Text(), "F01");
  data.Next();
  edit->DataChange();
  EXPECT_EQ(edit->Text(), "F02");

  edit->SetText("F09");
  EXPECT_FALSE(edit->UpdateRecord());  // not being edited
  data.Edit();
  EXPECT_TRUE(edit->UpdateRecord());
  EXPECT_EQ(data.FieldByName("NOTE_ID").AsString(), "F09");

  // Without its source the edit shows nothing and writes nothing.
  source->Free();
  EXPECT_EQ(edit->DataSource(), nullptr);
  EXPECT_EQ(edit->Field(), nullptr);
  edit->DataChange();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_FALSE(edit->UpdateRecord());
}

}  // namespace
}  // namespace ravlet::test
