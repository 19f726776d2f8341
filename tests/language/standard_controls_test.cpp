// Window conversion over the window model's own controls: the published
// texts, fonts and list styles they carry.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/code_converter.h"
#include "language/language_fixture.h"
#include "platform/vcl/button.h"
#include "platform/vcl/check_box.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"
#include "platform/vcl/list_box.h"
#include "platform/vcl/memo.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/radio_group.h"
#include "platform/vcl/string_grid.h"

namespace ravlet {
namespace {

using testing::LanguageInstall;
using Lines = std::vector<std::string>;

template <typename T>
T* Place(qv::TForm* window, const char* name) {
  auto* control = qv::Create<T>(window);
  control->SetName(name);
  control->SetParent(window);
  return control;
}

TEST(StandardControlsConversionTest, TraditionalInterface) {
  LanguageInstall install({936, "950", "936"});
  auto window = qv::CreateUnowned<qv::TForm>();
  auto* converter = qv::Create<TCodeConverter>(window.get());
  auto* label = Place<qv::TLabel>(window.get(), "lblDate");
  label->SetCaption("打印日期");  // the same characters in both forms
  label->SetHint("选择日期");
  auto* button = Place<qv::TButton>(window.get(), "btnQuery");
  button->SetCaption("查询");
  auto* check = Place<qv::TCheckBox>(window.get(), "chkNotify");
  check->SetCaption("完成后通知");
  auto* edit = Place<qv::TEdit>(window.get(), "edCode");
  edit->SetText("编号");
  auto* list = Place<qv::TListBox>(window.get(), "lbUsers");
  list->Items()->Add("用户");
  list->Items()->Add("报表");
  list->SetItemIndex(1);
  auto* memo = Place<qv::TMemo>(window.get(), "meNote");
  memo->Lines()->SetText("说明");
  auto* group = Place<qv::TRadioGroup>(window.get(), "rgKind");
  group->SetCaption("输出");
  group->Items()->Add("报表文件");

  auto* grid = Place<qv::TStringGrid>(window.get(), "grReceive");
  grid->SetColCount(2);
  grid->SetRowCount(2);
  grid->SetCells(0, 0, "用户");
  grid->SetCells(1, 1, "报表");

  converter->ConvertForm(window.get());

  EXPECT_EQ(label->Caption(), "打印日期");
  EXPECT_EQ(label->Hint(), "選擇日期");
  EXPECT_EQ(label->Font()->Name(), "SimSun");
  EXPECT_EQ(label->Font()->Charset(), qv::CHINESEBIG5_CHARSET);
  EXPECT_EQ(button->Caption(), "查詢");
  EXPECT_EQ(check->Caption(), "完成後通知");
  EXPECT_EQ(edit->Text(), "编号");
  EXPECT_EQ(list->Items()->ToVector(), (Lines{"用戶", "報表"}));
  EXPECT_EQ(list->Style(), qv::lbOwnerDrawFixed);
  EXPECT_EQ(memo->Lines()->ToVector(), Lines{"說明"});
  EXPECT_EQ(group->Caption(), "輸出");
  EXPECT_EQ(group->Items()->ToVector(), Lines{"報表文件"});
  EXPECT_EQ(grid->Cells(0, 0), "用戶");
  EXPECT_EQ(grid->Cells(1, 0), "");
  EXPECT_EQ(grid->Cells(1, 1), "報表");
}

// GB texts on a Big5 workstation: no text changes, GB fonts, owner-drawn
// menus, and the window caption in Traditional characters for the system.
TEST(StandardControlsConversionTest, FontsOnlyOnABig5Workstation) {
  struct Case {
    int system;
    const char* caption;
    bool ownerDraw;
  };
  const Case cases[] = {{950, "選擇報表", true}, {936, "选择报表", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.system);
    LanguageInstall install({c.system, "936", "936"});
    auto window = qv::CreateUnowned<qv::TForm>();
    window->SetCaption("选择报表");
    auto* converter = qv::Create<TCodeConverter>(window.get());
    auto* label = Place<qv::TLabel>(window.get(), "lblDate");
    label->SetCaption("选择日期");
    auto* mainMenu = qv::Create<qv::TMainMenu>(window.get());
    auto* popup = qv::Create<qv::TPopupMenu>(window.get());
    auto* item = qv::Create<qv::TMenuItem>(window.get());
    item->SetCaption("删除");
    popup->Items()->Add(item);

    converter->ConvertForm(window.get());

    EXPECT_EQ(window->Caption(), c.caption);
    EXPECT_EQ(label->Caption(), "选择日期");
    EXPECT_EQ(item->Caption(), "删除");
    EXPECT_EQ(mainMenu->OwnerDraw(), c.ownerDraw);
    EXPECT_EQ(popup->OwnerDraw(), c.ownerDraw);
    if (c.ownerDraw) {
      EXPECT_EQ(label->Font()->Charset(), qv::GB2312_CHARSET);
    }
  }
}

}  // namespace
}  // namespace ravlet
