#include <gtest/gtest.h>

#include "platform/vcl/vcl_fixture.h"

namespace qv::test {
namespace {

using Journal = std::vector<std::string>;

class FormTest : public VclTest {
 protected:
  TTestForm t;
};

TEST_F(FormTest, ModalRunsEndWithTheResultOfWhatThePersonDoes) {
  struct Case {
    const char* name;
    TInputEvent action;
    TModalResult expected;
  };
  const Case cases[] = {
      {"click OK", TInputEvent::Click("btnOk"), mrOk},
      {"click Cancel by full path", TInputEvent::Click("frmTest.btnCancel"), mrCancel},
      {"Enter clicks the default button", TInputEvent::Keystroke(VK_RETURN), mrOk},
      {"Esc clicks the cancel button", TInputEvent::Keystroke(VK_ESCAPE), mrCancel},
      {"closing the window cancels", TInputEvent::CloseWindow(), mrCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Each run starts in edName (a focused button would take Enter itself).
    t.form->SetActiveControl(nullptr);
    input->Add(TInputEvent::TypeText("ignored by the result")).Add(c.action);
    EXPECT_EQ(t.form->ShowModal(), c.expected);
    EXPECT_FALSE(t.form->Visible());
    EXPECT_FALSE(t.form->Modal());
    EXPECT_EQ(input->Pending(), 0u);
  }
}

TEST_F(FormTest, ModalRunWithoutInputRaisesAndLeavesTheFormClosed) {
  input->Click("edCode");
  EXPECT_THROW(t.form->ShowModal(), EInputError);
  EXPECT_FALSE(t.form->Visible());
  EXPECT_FALSE(t.form->Modal());
  EXPECT_EQ(Screen->ModalForm(), nullptr);
  t.form->Show();
  EXPECT_THROW(t.form->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, CloseQueryAndCloseActionsDecideHowAModalRunEnds) {
  int queries = 0;
  t.form->OnCloseQuery = [&](TObject*, bool& can_close) { can_close = ++queries > 1; };
  t.form->OnClose = [&](TObject*, TCloseAction& action) { action = caFree; };
  input->Click("btnOk").Click("btnOk");
  EXPECT_EQ(t.form->ShowModal(), mrOk);
  EXPECT_EQ(queries, 2);
  // caFree releases the form once the pending messages are handled.
  ASSERT_TRUE(t.form);
  Application->ProcessMessages();
  EXPECT_FALSE(t.form);
}

TEST_F(FormTest, PostedCloseRequestsActWhenMessagesAreProcessed) {
  Journal events;
  t.form->OnHide = [&](TObject*) { events.push_back("hide"); };
  t.form->OnClose = [&](TObject*, TCloseAction& action) {
    events.push_back("close");
    action = events.size() > 2 ? caFree : caHide;
  };
  t.form->Show();
  ASSERT_TRUE(PostMessage(t.form->Handle(), WM_CLOSE));
  EXPECT_TRUE(t.form->Visible());
  Application->ProcessMessages();
  EXPECT_FALSE(t.form->Visible());
  EXPECT_EQ(events, (Journal{"close", "hide"}));

  const HWND handle = t.form->Handle();
  t.form->Show();
  PostMessage(handle, WM_CLOSE);
  Application->ProcessMessages();
  EXPECT_FALSE(t.form);
  EXPECT_EQ(FindControl(handle), nullptr);
  EXPECT_FALSE(PostMessage(handle, WM_CLOSE));
}

TEST_F(FormTest, ShowHideAndDestroyRaiseTheirEventsInOrder) {
  Journal events;
  TComponentPtr<TForm> owner = CreateUnowned<TForm>();
  TForm* form = Create<TForm>(owner.get());
  form->OnShow = [&](TObject*) { events.push_back(form->Visible() ? "show (visible)" : "show"); };
  form->OnActivate = [&](TObject*) { events.push_back("activate"); };
  form->OnHide = [&](TObject*) { events.push_back("hide"); };
  form->OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
  form->OnDestroy = [&](TObject*) { events.push_back("destroy"); };
  form->Show();
  form->Hide();
  owner.reset();
  EXPECT_EQ(events, (Journal{"show (visible)", "activate", "hide", "deactivate", "destroy"}));
}

TEST_F(FormTest, InputBehindAModalFormIsIgnored) {
  t.form->Show();
  TTestForm dialog;
  dialog.form->SetName("frmDialog");
  int clicks = 0;
  t.btnOk->OnClick = [&](TObject*) { ++clicks; };
  input->Click("frmTest.btnOk").Click("frmDialog.btnCancel");
  EXPECT_EQ(dialog.form->ShowModal(), mrCancel);
  EXPECT_EQ(clicks, 0);
  // The form below is active again once the dialog is gone.
  EXPECT_EQ(Screen->ActiveForm(), t.form.get());
}

TEST_F(FormTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  Journal keys;
  t.form->SetKeyPreview(true);
  t.form->OnKeyDown = [&](TObject*, Word& key, TShiftState shift) {
    keys.push_back("form down " + std::to_string(key));
    if (key == VK_F2 && shift.Contains(ssCtrl)) key = 0;
  };
  t.form->OnKeyPress = [&](TObject*, char32_t& key) {
    if (key == U'\r') key = 0;
  };
  t.edName->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    keys.push_back("edit down " + std::to_string(key));
  };
  t.edName->OnKeyPress = [&](TObject*, char32_t& key) {
    keys.push_back("edit press " + std::to_string(key));
  };
  t.form->Show();
  DeliverKeystroke(t.edName, VK_F2);
  DeliverKeystroke(t.edName, VK_F2, {ssCtrl});
  DeliverKeystroke(t.edName, 'A');
  EXPECT_EQ(keys, (Journal{"form down 113", "edit down 113", "form down 113", "form down 65",
                           "edit down 65", "edit press 97"}));
  EXPECT_EQ(t.edName->Text(), "a");

  // With a default button, Enter is a dialog key and never reaches the edit.
  t.btnOk->SetDefault(false);
  keys.clear();
  DeliverKeystroke(t.edName, VK_RETURN);
  EXPECT_EQ(keys, (Journal{"form down 13", "edit down 13"}));
}

TEST_F(FormTest, FormClientAreaDependsOnTheBorder) {
  struct Case {
    TFormBorderStyle style;
    int client_width;
    int client_height;
  };
  const Case cases[] = {
      {bsSizeable, 392, 273}, {bsDialog, 394, 275}, {bsNone, 400, 300}, {bsToolWindow, 394, 278}};
  for (const Case& c : cases) {
    t.form->SetBorderStyle(c.style);
    EXPECT_EQ(t.form->ClientWidth(), c.client_width);
    EXPECT_EQ(t.form->ClientHeight(), c.client_height);
  }
  t.form->SetBorderStyle(bsSizeable);
  t.form->SetClientWidth(509);
  t.form->SetClientHeight(355);
  EXPECT_EQ(t.form->Width(), 517);
  EXPECT_EQ(t.form->Height(), 382);
  t.form->SetPosition(poScreenCenter);
  t.form->Show();
  EXPECT_EQ(t.form->Left(), (1024 - 517) / 2);
  EXPECT_EQ(t.form->Top(), (768 - 382) / 2);
}

TEST_F(FormTest, TheMainFormEndsTheApplicationWhenItCloses) {
  TForm* main = Application->CreateForm<TForm>();
  ASSERT_EQ(Application->MainForm(), main);
  TButton* quit = Create<TButton>(main);
  quit->SetName("btnQuit");
  quit->SetParent(main);
  quit->OnClick = [&](TObject*) { main->Close(); };
  int after = 0;
  t.btnOk->OnClick = [&](TObject*) { ++after; };
  input->Click("btnQuit").Click("frmTest.btnOk");
  Application->Run();
  EXPECT_EQ(input->Pending(), 1u);
  EXPECT_EQ(after, 0);
  EXPECT_FALSE(Application->Terminated());
  main->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormTest, ExceptionsOfHandlersGoToOnExceptionWhenItIsSet) {
  t.btnOk->OnClick = [](TObject*) { throw EConvertError("bad value"); };
  t.form->Show();
  input->Click("btnOk").Click("btnOk");
  EXPECT_THROW(Application->HandleMessage(), EConvertError);
  std::vector<std::string> seen;
  Application->OnException = [&](const std::exception& e) { seen.push_back(e.what()); };
  EXPECT_TRUE(Application->HandleMessage());
  Application->OnException = nullptr;
  EXPECT_EQ(seen, Journal{"bad value"});
}

}  // namespace
}  // namespace qv::test
