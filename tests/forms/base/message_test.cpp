#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/base/forms_fixture.h"
#include "forms/base/frm_base_gene.h"
#include "forms/base/test_windows.h"
#include "platform/automation/auto_object.h"
#include "platform/automation/ole_object.h"
#include "platform/core/exception.h"

namespace ravlet::testing {
namespace {

using Names = std::vector<std::string>;

// A work center whose GetMessage answers one fixed text, or raises.
class TFixedMessages : public qv::TAutoObject {
 public:
  TFixedMessages(std::string text, bool raises) : TAutoObject("TFixedMessages") {
    RegisterMethod("GetMessage", 2, [text, raises](Args&) -> qv::Variant {
      if (raises) throw qv::EOleError("message table not reachable");
      return qv::Variant(text);
    });
  }
};

qv::Variant FixedMessages(const std::string& text, bool raises = false) {
  return qv::Variant(
      std::shared_ptr<qv::IDispatch>(std::make_shared<TFixedMessages>(text, raises)));
}

class MessageTest : public ::testing::Test {
 protected:
  MessageTest() {
    window_ = qv::CreateUnowned<TfrmMessageTest>();
    window_->WorkCenter = qv::CreateOleObject("PellamWorkCenter.Manager");
    window_->Show();
  }
  ~MessageTest() override {
    if (window_) window_->Hide();
  }

  FormsInstall install_;
  qv::TComponentPtr<TfrmMessageTest> window_;
  ScopedDialogAnswers answers_;
};

TEST_F(MessageTest, ACodeIsRecordedAndShownByItsTypeLetter) {
  struct Case {
    const char* code;
    bool shown;
    qv::TMsgDlgType kind;
    const char* text;
  } const cases[] = {
      {"E;000038", true, qv::mtError, "启动参数不足, 程序无法启动!"},
      {"I;-000004;J240001", false, qv::mtInformation, "作业已提交, 作业编号: J240001"},
      {"I;000008", true, qv::mtInformation, "查无此资料"},
      {"W;000004;客户编号", true, qv::mtWarning, "客户编号不存在!"},
      {"W;000002;明细;3;2", true, qv::mtWarning, "明细的数目不符: 应有 3 项, 实有 2 项!"},
      {"E;100082;起始日期", true, qv::mtError, "起始日期不可早于!"},
      {"E;-000038", false, qv::mtError, "启动参数不足, 程序无法启动!"},
      {"C;000038", true, qv::mtWarning, "未定义的信息 C;000038"},
      {"D;000038", true, qv::mtWarning, "未定义的信息 D;000038"},
      {"Q;000038", true, qv::mtConfirmation, "未定义的信息 Q;000038"},
      {"R;100235", true, qv::mtCustom, "页脚编号"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    window_->ShowMessageCode("");
    answers_->Seen.clear();
    window_->ShowMessageCode(c.code);
    EXPECT_EQ(window_->ErrorCodes, std::string(c.code) + "; ");
    EXPECT_EQ(window_->ErrorTexts, std::string(c.text) + "; ");
    ASSERT_EQ(answers_->Seen.size(), c.shown ? 1u : 0u);
    if (!c.shown) continue;
    const SeenDialog& seen = answers_->Seen[0];
    EXPECT_EQ(seen.Kind, c.kind);
    EXPECT_EQ(seen.Text, c.text);
    EXPECT_EQ(seen.Caption, "报表条件");
    EXPECT_EQ(seen.Buttons, Names{"OK"});
    EXPECT_EQ(seen.ButtonCaptions, Names{"确定"});
  }
}

TEST_F(MessageTest, TheRecordKeepsEveryCodeButEachTextOnce) {
  window_->ShowMessageCode("I;-000004;J1");
  window_->ShowMessageCode("I;-000004;J1");
  window_->ShowMessageCode("I;-000004;J2");
  EXPECT_EQ(window_->ErrorCodes, "I;-000004;J1; I;-000004;J1; I;-000004;J2; ");
  EXPECT_EQ(window_->ErrorTexts, "作业已提交, 作业编号: J1; 作业已提交, 作业编号: J2; ");

  window_->RecordErrorText("  Socket closed  ");
  window_->RecordErrorText("Socket closed");
  EXPECT_EQ(window_->ErrorCodes, "I;-000004;J1; I;-000004;J1; I;-000004;J2; E;-1; E;-1; ");
  EXPECT_EQ(window_->ErrorTexts,
            "作业已提交, 作业编号: J1; 作业已提交, 作业编号: J2; Socket closed; ");
  EXPECT_TRUE(answers_->Seen.empty());

  window_->RecordErrorText(" \t ");
  EXPECT_EQ(window_->ErrorCodes, "");
  EXPECT_EQ(window_->ErrorTexts, "");
  window_->ShowMessageCode("I;-000004;J3");
  window_->ShowMessageCode("");
  EXPECT_EQ(window_->ErrorCodes, "");
  EXPECT_EQ(window_->ErrorTexts, "");
}

TEST_F(MessageTest, NothingIsShownOrRecordedWhileCancelHasTheFocus) {
  window_->ShowMessageCode("I;-000004;J1");
  window_->btnCancel->SetFocus();
  window_->ShowMessageCode("E;000038");
  window_->RecordErrorText("Socket closed");
  window_->RecordErrorText("");
  window_->ShowMessageCode("");
  EXPECT_EQ(window_->ErrorCodes, "I;-000004;J1; ");
  EXPECT_TRUE(answers_->Seen.empty());
}

TEST_F(MessageTest, QuietMessagesShowOnlyErrors) {
  window_->QuietMessages = true;
  EXPECT_EQ(window_->ShowMessageByID("W", "000004", {}, {"客户编号"}), 0);
  window_->ShowMessageCode("W;000004;客户编号");
  EXPECT_TRUE(answers_->Seen.empty());
  EXPECT_EQ(window_->ErrorTexts, "客户编号不存在!; ");
  answers_->Then("OK");
  EXPECT_EQ(window_->ShowMessageByID("E", "000038", {}), qv::mrOk);
  window_->ShowMessageCode("E;000038");
  ASSERT_EQ(answers_->Seen.size(), 2u);
  EXPECT_EQ(answers_->Seen[1].Kind, qv::mtError);
}

TEST_F(MessageTest, ShowMessageByIdTakesKindAndButtonsFromTheTypeLetter) {
  struct Case {
    const char* type;
    const char* id;
    qv::TMsgDlgButtons buttons;
    std::vector<std::string> args;
    qv::TMsgDlgType kind;
    Names shown_buttons;
    const char* answer;
    qv::TModalResult result;
    const char* text;
  } const cases[] = {
      {"C",
       "000038",
       {},
       {},
       qv::mtWarning,
       {"OK", "Cancel"},
       "Cancel",
       qv::mrCancel,
       "未定义的信息 C;000038"},
      {"D",
       "000038",
       {},
       {},
       qv::mtWarning,
       {"Yes", "No", "Cancel"},
       "No",
       qv::mrNo,
       "未定义的信息 D;000038"},
      {"E", "000038", {}, {}, qv::mtError, {"OK"}, "OK", qv::mrOk, "启动参数不足, 程序无法启动!"},
      {"I", "000008", {}, {}, qv::mtInformation, {"OK"}, "OK", qv::mrOk, "查无此资料"},
      {"Q",
       "000038",
       {},
       {},
       qv::mtConfirmation,
       {"OK", "Cancel"},
       "OK",
       qv::mrOk,
       "未定义的信息 Q;000038"},
      {"W",
       "000002",
       {},
       {"明细", "3", "2"},
       qv::mtWarning,
       {"OK", "Cancel"},
       "Cancel",
       qv::mrCancel,
       "明细的数目不符: 应有 3 项, 实有 2 项!"},
      {"R", "100235", {}, {}, qv::mtCustom, {"OK"}, "OK", qv::mrOk, "页脚编号"},
      {"Q",
       "000038",
       {qv::mbYes, qv::mbNo},
       {},
       qv::mtConfirmation,
       {"Yes", "No"},
       "Yes",
       qv::mrYes,
       "未定义的信息 Q;000038"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + ";" + c.id);
    answers_->Seen.clear();
    answers_->Then(c.answer);
    EXPECT_EQ(window_->ShowMessageByID(c.type, c.id, c.buttons, c.args), c.result);
    ASSERT_EQ(answers_->Seen.size(), 1u);
    EXPECT_EQ(answers_->Seen[0].Kind, c.kind);
    EXPECT_EQ(answers_->Seen[0].Buttons, c.shown_buttons);
    EXPECT_EQ(answers_->Seen[0].Text, c.text);
  }
  EXPECT_EQ(window_->ErrorCodes, "");
  EXPECT_EQ(window_->ErrorTexts, "");
}

TEST_F(MessageTest, WithoutAnswerFromTheWorkCenterTheTypeAndNumberAreShown) {
  const std::string expected = "Can not Get Message\rType= E, ID= 000038 ";
  for (const qv::Variant& center : {qv::Variant(), FixedMessages("", true)}) {
    window_->WorkCenter = center;
    EXPECT_EQ(window_->GetMessageText("E", "000038"), expected);
  }
  window_->ShowMessageCode("E;000038");
  ASSERT_EQ(answers_->Seen.size(), 1u);
  EXPECT_EQ(answers_->Seen[0].Text, expected);
}

TEST_F(MessageTest, ATextThatDoesNotFitItsArgumentsIsShownWithThemAppended) {
  window_->WorkCenter = FixedMessages("%d rows for %s");
  window_->ShowMessageCode("E;000001;a;b");
  ASSERT_EQ(answers_->Seen.size(), 1u);
  EXPECT_EQ(answers_->Seen[0].Text, "%d rows for %s\ra;b;;;;;;;;;");
  answers_->Seen.clear();
  window_->ShowMessageByID("E", "000001", {}, {"a"});
  ASSERT_EQ(answers_->Seen.size(), 1u);
  EXPECT_EQ(answers_->Seen[0].Text, "%d rows for %s\ra;;;;;;;;;;");
}

TEST_F(MessageTest, TenArgumentsAreTheMost) {
  window_->WorkCenter = FixedMessages("%s%s%s%s%s%s%s%s%s%s");
  window_->ShowMessageCode("I;-000001;0;1;2;3;4;5;6;7;8;9");
  EXPECT_EQ(window_->ErrorTexts, "0123456789; ");
  const std::string eleven = "I;-000001;0;1;2;3;4;5;6;7;8;9;10";
  EXPECT_THROW(window_->ShowMessageCode(eleven), qv::EVariantBadIndexError);
  EXPECT_EQ(window_->ErrorCodes, "I;-000001;0;1;2;3;4;5;6;7;8;9; " + eleven + "; ");
  EXPECT_THROW(window_->ShowMessageByID("I", "000001", {},
                                        {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
               qv::EVariantBadIndexError);
  EXPECT_TRUE(answers_->Seen.empty());
}

TEST_F(MessageTest, AnErrorGivesTheFocusBackToErrorFocusControl) {
  EXPECT_EQ(window_->ErrorFocusControl(), window_->edCode);  // focused when shown
  window_->edName->SetFocus();
  EXPECT_EQ(window_->ErrorFocusControl(), window_->edName);
  window_->edCode->SetFocus();
  window_->SetErrorFocusControl(window_->edName);

  window_->ShowMessageCode("W;000004;客户编号");
  EXPECT_TRUE(window_->edCode->Focused());
  window_->ShowMessageCode("E;000038");
  EXPECT_TRUE(window_->edName->Focused());
  EXPECT_EQ(answers_->Seen.size(), 2u);

  // A freed control is forgotten.
  window_->edCode->SetFocus();
  window_->SetErrorFocusControl(window_->edName);
  window_->edName->Free();
  EXPECT_EQ(window_->ErrorFocusControl(), nullptr);
  window_->ShowMessageCode("E;000038");
  EXPECT_TRUE(window_->edCode->Focused());
}

TEST_F(MessageTest, TheActiveControlGetsAButtonUpAfterADialog) {
  window_->edName->SetFocus();
  qv::Application->ProcessMessages();
  window_->ShowMessageByID("I", "000008", {});
  qv::Application->ProcessMessages();
  EXPECT_EQ(window_->edName->ButtonUps, 1);
  EXPECT_EQ(window_->edCode->ButtonUps, 0);
}

TEST_F(MessageTest, AHandOverConvertsTheTextsFirst) {
  const qv::Variant labels = qv::VarArrayOf({qv::VarArrayOf({"代码", "edCode"})});
  const qv::Variant data = qv::VarArrayOf({labels, qv::VarArrayOf({"A01"})});
  window_->ApplyHostConditions(qv::VarArrayOf({0, qv::VarArrayOf({true, data})}));
  EXPECT_TRUE(window_->Converted);
  EXPECT_TRUE(answers_->Seen.empty());
}

// Dialog buttons and fonts on each user interface, and message texts from
// the database converted for it.
class MessageCodePageTest : public ::testing::TestWithParam<CodePages> {};

TEST_P(MessageCodePageTest, DialogsFollowTheUserInterface) {
  const CodePages pages = GetParam();
  FormsInstall install(pages);
  auto window = qv::CreateUnowned<TfrmMessageTest>();
  window->WorkCenter = qv::CreateOleObject("PellamWorkCenter.Manager");
  ScopedDialogAnswers answers;
  window->ShowMessageByID("C", "000038", {});
  window->ShowMessageCode("E;000038");
  ASSERT_EQ(answers->Seen.size(), 2u);
  const SeenDialog& seen = answers->Seen[0];
  EXPECT_EQ(seen.FontName, "SimSun");
  const std::string database_text = "启动参数不足, 程序无法启动!";
  if (pages.ui == "437") {
    EXPECT_EQ(seen.ButtonCaptions, (Names{"OK", "Cancel"}));
    EXPECT_EQ(seen.Charset, qv::GB2312_CHARSET);
    EXPECT_EQ(answers->Seen[1].Text, database_text);
  } else if (pages.ui == "950") {
    EXPECT_EQ(seen.ButtonCaptions, (Names{"確定", "取消"}));
    EXPECT_EQ(seen.Charset, qv::CHINESEBIG5_CHARSET);
    EXPECT_EQ(answers->Seen[1].Text, window->QvConverter->GBToBig5(database_text));
    EXPECT_NE(answers->Seen[1].Text.find("啟動參數"), std::string::npos);
  } else {
    EXPECT_EQ(seen.ButtonCaptions, (Names{"确定", "取消"}));
    EXPECT_EQ(seen.Charset, qv::GB2312_CHARSET);
    EXPECT_EQ(answers->Seen[1].Text, database_text);
  }
}

INSTANTIATE_TEST_SUITE_P(UserInterfaces, MessageCodePageTest,
                         ::testing::Values(CodePages{936, "936", "936"},
                                           CodePages{936, "950", "936"},
                                           CodePages{936, "437", "936"}),
                         [](const auto& info) { return "UI" + info.param.ui; });

}  // namespace
}  // namespace ravlet::testing
