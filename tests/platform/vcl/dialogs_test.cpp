#include "platform/vcl/dialogs.h"

#include <gtest/gtest.h>

#include "platform/vcl/image.h"
#include "platform/vcl/vcl_fixture.h"

namespace qv::test {
namespace {

class DialogTest : public VclTest {};

TEST_F(DialogTest, EnterAndEscPickTheDefaultAndCancelButtons) {
  struct Case {
    const char* name;
    TMsgDlgButtons buttons;
    TModalResult on_enter;
    TModalResult on_esc;
  };
  const Case cases[] = {
      {"OK / Cancel", mbOKCancel, mrOk, mrCancel},
      {"Yes / No", {mbYes, mbNo}, mrYes, mrNo},
      {"Yes / No / Cancel", mbYesNoCancel, mrYes, mrCancel},
      {"OK only", {mbOK}, mrOk, mrOk},
      {"Retry / Cancel", {mbRetry, mbCancel}, mrRetry, mrCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    input->Keystroke(VK_RETURN);
    EXPECT_EQ(MessageDlg("选择间距编号", mtConfirmation, c.buttons), c.on_enter);
    input->Keystroke(VK_ESCAPE);
    EXPECT_EQ(MessageDlg("选择间距编号", mtConfirmation, c.buttons), c.on_esc);
  }
  // Without a cancel button Esc does nothing; the run waits for a button.
  input->Keystroke(VK_ESCAPE).Click("Ignore");
  EXPECT_EQ(MessageDlg("x", mtError, mbAbortRetryIgnore), mrIgnore);
}

TEST_F(DialogTest, ButtonsAreNamedAfterTheirKindAndCanBeChangedBeforeTheRun) {
  TComponentPtr<TMessageForm> dialog =
      CreateMessageDialog("读取 BMP 发生错误", mtError, mbYesAllNoAllCancel);
  EXPECT_EQ(dialog->Caption(), "Error");
  EXPECT_EQ(dialog->Message()->Caption(), "读取 BMP 发生错误");
  ASSERT_NE(dialog->FindComponentAs<TImage>("Image"), nullptr);
  std::vector<std::string> names;
  for (int i = 0; i < dialog->ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(dialog->Components(i)))
      names.push_back(button->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Yes", "No", "Cancel", "NoToAll", "YesToAll"}));
  EXPECT_EQ(dialog->Button(mbOK), nullptr);

  // Buttons stand side by side inside the client area, below the text.
  TButton* previous = nullptr;
  for (const std::string& name : names) {
    auto* button = dialog->FindComponentAs<TButton>(name);
    EXPECT_GE(button->Top(), dialog->Message()->Top() + dialog->Message()->Height());
    EXPECT_LE(button->Left() + button->Width(), dialog->ClientWidth());
    if (previous != nullptr) {
      EXPECT_GT(button->Left(), previous->Left() + previous->Width());
    }
    previous = button;
  }

  dialog->SetCaption("错误");
  dialog->Button(mbNo)->SetCaption("否");
  dialog->Font()->SetName("SimSun");
  dialog->Font()->SetCharset(GB2312_CHARSET);
  EXPECT_EQ(dialog->Button(mbNo)->Font()->Name(), "SimSun");
  input->Click("No");
  EXPECT_EQ(dialog->ShowModal(), mrNo);
  EXPECT_EQ(dialog->Button(mbNo)->Caption(), "否");
}

TEST_F(DialogTest, MessageBoxFlagsChooseTheButtons) {
  struct Case {
    unsigned flags;
    const char* button;
    int result;
  };
  const Case cases[] = {{MB_OK, "OK", IDOK},
                        {MB_YESNO | MB_ICONQUESTION, "No", IDNO},
                        {MB_YESNOCANCEL | MB_ICONWARNING, "Cancel", IDCANCEL},
                        {MB_RETRYCANCEL | MB_ICONERROR, "Retry", IDRETRY},
                        {MB_ABORTRETRYIGNORE, "Abort", IDABORT},
                        {MB_OKCANCEL | MB_ICONINFORMATION, "Cancel", IDCANCEL}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    input->Click(c.button);
    EXPECT_EQ(MessageBox("text", "标题", c.flags), c.result);
  }
  // A button the box does not have is a script fault, not a hang.
  input->Click("Yes");
  EXPECT_THROW(MessageBox("text", "标题", MB_OK), EInputError);
  TComponentPtr<TMessageForm> plain = CreateMessageDialog("x", mtCustom, {mbOK});
  EXPECT_EQ(plain->FindComponent("Image"), nullptr);
  EXPECT_EQ(plain->Message()->Left(), 8);
}

}  // namespace
}  // namespace qv::test
