#include <gtest/gtest.h>

#include "common/call_recorder.h"
#include "outside/standin_env.h"
#include "platform/automation/ole_object.h"
#include "platform/variant/variant.h"

namespace {

using qv::Variant;
using qv::VarRef;

class RecordersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::CallRecorder::Named("queue_manager").Clear();
    standin::CallRecorder::Named("browser").Clear();
  }
  standin_test::StandinEnvironment env_;
};

Variant OpenReportRequest(Variant jobNo, Variant reportNo) {
  return qv::VarArrayOf(
      {qv::VarArrayOf({jobNo, reportNo, Variant("DS"), Variant(1)}), Variant("DS"), Variant(true)});
}

TEST_F(RecordersTest, OpenReportAnswersWhetherItCouldOpenTheJobAndRecordsEveryCall) {
  Variant manager = qv::CreateOleObject("QueueManagerC.Class1");
  struct Case {
    const char* name;
    Variant request;
    int expected;
  } cases[] = {
      {"a registered job", OpenReportRequest(Variant("2023120500017"), Variant("202312050001")), 0},
      {"the failed registration", OpenReportRequest(Variant("ERROR"), Variant("ERROR0001")), 2},
      {"a date that does not exist",
       OpenReportRequest(Variant("2023023000001"), Variant("202302300001")), 2},
      {"another job's report", OpenReportRequest(Variant("2023120500017"), Variant("202312040001")),
       3},
      {"a bare job number", Variant("2023120500017"), 1},
      {"a job of three parts",
       qv::VarArrayOf(
           {qv::VarArrayOf({Variant("2023120500017"), Variant("202312050001"), Variant("DS")}),
            Variant("DS"), Variant(true)}),
       1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(manager.Call("OpenReport", {c.request}).AsInteger(), c.expected) << c.name;
  }

  Variant recorded = manager.Call("RecordedCalls");
  ASSERT_EQ(qv::VarArrayHighBound(recorded, 1), 5);
  EXPECT_EQ(recorded[0][0].AsString(), "OpenReport");
  EXPECT_EQ(recorded[0][1][0][0][0].AsString(), "2023120500017");
  EXPECT_EQ(recorded[1][2].AsInteger(), 2);
  std::string file = standin_test::ReadFile(env_.DataDir() + "queue_manager.jsonl");
  EXPECT_NE(file.find("202312050001"), std::string::npos);
  EXPECT_NE(file.find("\"result\":3"), std::string::npos);
}

TEST_F(RecordersTest, TheBrowserKeepsItsWindowSettingsAndAddressAndRecordsThem) {
  Variant browser = qv::CreateOleObject("InternetExplorer.Application");
  browser.Put("Visible", Variant(-1));
  browser.Put("left", Variant(0));
  browser.Put("top", Variant(0));
  browser.Put("height", Variant(720));
  browser.Put("width", Variant(1024));
  browser.Put("menubar", Variant(0));
  browser.Put("addressbar", Variant(0));
  browser.Put("toolbar", Variant(0));
  Variant url(
      "http://127.0.0.1:8080/QVReport/Server/ReportView.aspx?UserID=DS&SendKey=20240301090503");
  browser.Call("Navigate", {VarRef(url)});

  EXPECT_TRUE(browser.Get("Visible").AsBoolean());
  EXPECT_EQ(browser.Get("Width").AsInteger(), 1024);
  EXPECT_FALSE(browser.Get("ToolBar").AsBoolean());
  EXPECT_EQ(browser.Get("LocationURL").AsString(), url.AsString());

  Variant recorded = browser.Call("RecordedCalls");
  ASSERT_EQ(qv::VarArrayHighBound(recorded, 1), 8);
  EXPECT_EQ(recorded[0][0].AsString(), "Visible :=");
  EXPECT_EQ(recorded[8][0].AsString(), "Navigate");
  EXPECT_NE(standin_test::ReadFile(env_.DataDir() + "browser.jsonl").find("SendKey=20240301090503"),
            std::string::npos);
}

TEST_F(RecordersTest, TheBrowserRefusesWhatARealOneWouldNot) {
  Variant browser = qv::CreateOleObject("InternetExplorer.Application");
  Variant empty("  ");
  EXPECT_THROW(browser.Call("Navigate", {VarRef(empty)}), qv::EOleError);
  EXPECT_THROW(browser.Put("Width", Variant("wide")), qv::EOleError);
  browser.Call("Quit");
  Variant url("http://127.0.0.1/");
  EXPECT_THROW(browser.Call("Navigate", {VarRef(url)}), qv::EOleError);
}

TEST_F(RecordersTest, ARecordThatCannotBeWrittenIsReportedAndKeptInMemory) {
  Variant manager = qv::CreateOleObject("QueueManagerC.Class1");
  std::filesystem::create_directories(env_.DataDir() + "queue_manager.jsonl");
  EXPECT_THROW(manager.Call("OpenReport", {Variant(1)}), qv::EOleError);
  EXPECT_EQ(standin::CallRecorder::Named("queue_manager").Calls().size(), 1u);
}

}  // namespace
