#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <thread>

#include "appserver/report_counter.h"
#include "appserver/sample_request.h"
#include "outside/standin_env.h"
#include "platform/automation/ole_object.h"
#include "platform/system/clock.h"
#include "platform/variant/variant.h"

namespace {

using qv::Variant;
using qv::VarRef;

class ReportServerTest : public ::testing::Test {
 protected:
  Variant NewServer() { return qv::CreateOleObject("ReportCounterS.dmReportCounter"); }

  int64_t JobCount() {
    standin::ReportStore store(env_.DataDir() + "report_server.db");
    auto stmt = store.Db().Prepare("SELECT COUNT(*) FROM jobs");
    stmt.Step();
    return stmt.ColumnInt(0);
  }

  standin_test::StandinEnvironment env_;
  qv::ScopedClock clock_{qv::EncodeDateTime(2023, 12, 5, 9, 30, 0, 0)};
  Variant server_ = NewServer();
};

TEST_F(ReportServerTest, RequestStoresTheWholeRequestUnderADailyNumber) {
  standin::SampleRequestOptions options;
  options.listRows = 3;
  Variant request = standin::SampleRequest(options);

  EXPECT_EQ(server_.Call("Request", {request}).AsString(), "2023120500001");
  EXPECT_EQ(server_.Call("Request", {request}).AsString(), "2023120500002");

  Variant job = server_.Call("GetJob", {"2023120500001"});
  EXPECT_EQ(job[1].AsString(), "Queued");
  EXPECT_TRUE(job[3] == request) << "the stored request differs from the one sent";
}

TEST_F(ReportServerTest, JobNumbersRestartEachDayAndContinueWhenTheDayComesBack) {
  Variant request = standin::SampleRequest();
  struct Step {
    int day;
    const char* expected;
  } steps[] = {{5, "2023120500001"},
               {5, "2023120500002"},
               {6, "2023120600001"},
               {5, "2023120500003"},
               {6, "2023120600002"}};
  for (const Step& step : steps) {
    qv::ScopedClock day(qv::EncodeDateTime(2023, 12, step.day, 23, 59, 59, 0));
    EXPECT_EQ(server_.Call("Request", {request}).AsString(), step.expected);
  }
}

TEST_F(ReportServerTest, ADayWithoutNumbersLeftRefusesInsteadOfReusingOne) {
  {
    standin::ReportStore store(env_.DataDir() + "report_server.db");
    store.Db().Exec("INSERT INTO job_sequence VALUES ('20231205', 99998)");
  }
  Variant request = standin::SampleRequest();
  EXPECT_EQ(server_.Call("Request", {request}).AsString(), "2023120599999");
  EXPECT_EQ(server_.Call("Request", {request}).AsString(), "ERROR");
  EXPECT_NE(server_.Call("ErrorDescript").AsString().find("99999"), std::string::npos);
  EXPECT_EQ(JobCount(), 1);
}

TEST_F(ReportServerTest, StatusFollowsTheGenerationMode) {
  struct Case {
    int mode;
    bool periodic;
    const char* status;
  } cases[] = {{0, false, "Queued"},
               {1, false, "Immediate"},
               {2, false, "Scheduled"},
               {2, true, "Periodic"}};
  for (const Case& c : cases) {
    standin::SampleRequestOptions options;
    options.generationMode = c.mode;
    options.periodic = c.periodic;
    Variant request = standin::SampleRequest(options);
    std::string jobNo = server_.Call("Request", {request}).AsString();
    ASSERT_NE(jobNo, "ERROR") << server_.Call("ErrorDescript").AsString();
    Variant job = server_.Call("GetJob", {jobNo});
    EXPECT_EQ(job[1].AsString(), c.status);
    EXPECT_TRUE(job[3] == request);
  }
}

// Each case spoils one part of a good request; the server must say "ERROR",
// explain it, and store nothing.
TEST_F(ReportServerTest, MalformedRequestsAreRefusedWithAReason) {
  struct Case {
    const char* name;
    std::function<void(Variant&)> spoil;
    const char* reason;
  } cases[] = {
      {"not an array", [](Variant& r) { r = Variant("text"); }, "array"},
      {"four elements", [](Variant& r) { qv::VarArrayRedim(r, 3); }, "3 elements"},
      {"short environment", [](Variant& r) { qv::VarArrayRedim(r[0], 8); }, "at least 9"},
      {"environment size disagrees", [](Variant& r) { r[0][2] = Variant(12); }, "says it holds 12"},
      {"environment element null", [](Variant& r) { r[0][6] = Variant::Null(); }, "element 6"},
      {"no user", [](Variant& r) { r[0][5] = Variant("  "); }, "user is empty"},
      {"submission time not a date", [](Variant& r) { r[0][7] = Variant("yesterday"); },
       "submission time"},
      {"generation mode 3", [](Variant& r) { r[0][10] = Variant(3); }, "generation mode"},
      {"label count", [](Variant& r) { qv::VarArrayRedim(r[1], 4); }, "4 labels"},
      {"label not a pair", [](Variant& r) { r[1][2] = Variant("签核"); }, "Label 2"},
      {"value missing", [](Variant& r) { r[2][3] = Variant(); }, "Value 3"},
      {"lower-case kind without schedule", [](Variant& r) { r[0][9] = Variant("r"); },
       "needs a schedule"},
      {"an object among the values",
       [](Variant& r) { r[2][1] = qv::CreateOleObject("ReportCounterS.dmReportCounter"); },
       "automation object"},
  };
  for (const Case& c : cases) {
    Variant request = standin::SampleRequest();
    c.spoil(request);
    EXPECT_EQ(server_.Call("Request", {request}).AsString(), "ERROR") << c.name;
    std::string why = server_.Call("ErrorDescript").AsString();
    EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
  }
  EXPECT_EQ(JobCount(), 0);
}

TEST_F(ReportServerTest, PeriodicSchedulesAndRulesAreChecked) {
  struct Case {
    const char* name;
    std::function<void(Variant&)> spoil;
    const char* reason;
  } cases[] = {
      {"schedule with upper-case kind", [](Variant& r) { r[0][9] = Variant("R"); },
       "only with a periodic job"},
      {"not at a given time", [](Variant& r) { r[0][10] = Variant(0); }, "mode 2"},
      {"run time without leading zero", [](Variant& r) { r[3][1] = Variant("7:05"); }, "hh:mm"},
      {"cycle mode 4", [](Variant& r) { r[3][2][0] = Variant(4); }, "cycle mode"},
      {"weekday 7",
       [](Variant& r) {
         r[3][2] = qv::VarArrayOf({Variant(1), qv::VarArrayOf({Variant("1"), Variant(7)})});
       },
       "weekday"},
      {"zero hours",
       [](Variant& r) {
         r[3][2] = qv::VarArrayOf({Variant(3), Variant(0.0)});
       },
       "above 0"},
      {"end before start", [](Variant& r) { r[3][3][2] = Variant("20240314"); },
       "before the start"},
      {"start not a date", [](Variant& r) { r[3][3][0] = Variant("20240230"); }, "yyyymmdd"},
      {"rule count", [](Variant& r) { r[4][0] = Variant(2); }, "says 2 rules"},
      {"rule without fields", [](Variant& r) { r[4][1] = Variant("1\x03sp01"); }, "fewer than 8"},
  };
  for (const Case& c : cases) {
    standin::SampleRequestOptions options;
    options.periodic = true;
    Variant request = standin::SampleRequest(options);
    c.spoil(request);
    EXPECT_EQ(server_.Call("Request", {request}).AsString(), "ERROR") << c.name;
    std::string why = server_.Call("ErrorDescript").AsString();
    EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
  }
  EXPECT_EQ(JobCount(), 0);
}

TEST_F(ReportServerTest, ErrorDescriptBelongsToTheObjectThatFailed) {
  Variant other = NewServer();
  EXPECT_EQ(server_.Call("Request", {Variant(1)}).AsString(), "ERROR");
  EXPECT_NE(other.Call("Request", {standin::SampleRequest()}).AsString(), "ERROR");
  EXPECT_FALSE(server_.Call("ErrorDescript").AsString().empty());
  EXPECT_TRUE(other.Call("ErrorDescript").AsString().empty());
}

TEST_F(ReportServerTest, Request1RegistersForTheWorkstationAndUpdateStatus1RecordsTheRun) {
  Variant request = standin::SampleRequest();
  Variant jobNo = server_.Call("Request1", {request, "PC-07"});
  ASSERT_EQ(jobNo.AsString(), "2023120500001");
  Variant job = server_.Call("GetJob", {jobNo});
  EXPECT_EQ(job[1].AsString(), "Registered");
  EXPECT_EQ(job[4].AsString(), "PC-07");

  struct Case {
    const char* texts;
    const char* status;
  } cases[] = {{"", "Done"}, {"; ;", "Done"}, {"生成失败; ", "Failed"}};
  for (const Case& c : cases) {
    server_.Call("UpdateStatus1", {VarRef(jobNo), c.texts, Variant::FromDate(qv::Now())});
    job = server_.Call("GetJob", {jobNo});
    EXPECT_EQ(job[1].AsString(), c.status) << c.texts;
  }
  EXPECT_EQ(job[2].AsString(), "生成失败; ");

  EXPECT_EQ(server_.Call("Request1", {request, ""}).AsString(), "ERROR");
  Variant failed("ERROR");
  EXPECT_THROW(server_.Call("UpdateStatus1", {VarRef(failed), "", Variant::FromDate(qv::Now())}),
               qv::EOleError);
}

TEST_F(ReportServerTest, SchemesAreSavedListedRenamedAndDeleted) {
  auto record = [](const char* name, const char* values, bool replace) {
    return qv::VarArrayOf({Variant(name), Variant("DS"), Variant("20231205"), Variant("RAVLET"),
                           Variant("edNote1.text;"), Variant(values), Variant(replace)});
  };
  auto key = [](const char* name, const char* user = "DS") {
    return qv::VarArrayOf({Variant(name), Variant(user), Variant("RAVLET")});
  };
  auto call = [&](const char* op, Variant a) { return server_.Call(op, {VarRef(a)}).AsString(); };
  auto rename = [&](Variant from, Variant to) {
    return server_.Call("ChangeConName", {VarRef(from), VarRef(to)}).AsString();
  };

  EXPECT_EQ(call("InsertConTable", record("月报", "A\r\n", false)), "");
  EXPECT_EQ(call("InsertConTable", record("周报", "B\r\n", false)), "");
  EXPECT_NE(call("InsertConTable", record("月报", "C\r\n", false)), "")
      << "duplicate without replace";
  EXPECT_EQ(call("InsertConTable", record("月报", "D\r\n", true)), "");
  EXPECT_NE(call("InsertConTable", record(" ", "E\r\n", false)), "") << "blank name";

  Variant selection = qv::VarArrayOf({Variant("DS"), Variant("RAVLET")});
  server_.Call("LoadTable", {VarRef(selection)});
  Variant packet = server_.Call("AS_GetRecords", {"pvdConSave"});
  ASSERT_EQ(qv::VarArrayHighBound(packet[2], 2), 1);
  EXPECT_EQ(packet[0][0].AsString(), "NCONDITION");
  EXPECT_EQ(packet[2].At(0, 0).AsString(), "周报");
  EXPECT_EQ(packet[2].At(0, 1).AsString(), "月报");
  EXPECT_EQ(packet[2].At(4, 1).AsString(), "D\r\n");
  EXPECT_EQ(packet[2].At(5, 1).AsString(), "20231205");

  EXPECT_NE(rename(key("月报"), key("周报")), "") << "to another scheme's name";
  EXPECT_NE(rename(key("年报"), key("季报")), "") << "a scheme that does not exist";
  EXPECT_NE(rename(key("月报"), key("季报", "LIN")), "") << "to another user";
  EXPECT_NE(rename(key("月报"), key("")), "") << "to an empty name";
  EXPECT_EQ(rename(key("月报"), key("季报")), "");

  EXPECT_EQ(call("DeleteConTable", key("周报")), "");
  EXPECT_NE(call("DeleteConTable", key("周报")), "") << "deleted twice";

  packet = server_.Call("AS_GetRecords", {"pvdConSave"});
  ASSERT_EQ(qv::VarArrayHighBound(packet[2], 2), 0);
  EXPECT_EQ(packet[2].At(0, 0).AsString(), "季报");
  EXPECT_EQ(packet[2].At(4, 0).AsString(), "D\r\n");
}

TEST_F(ReportServerTest, TheProviderServesOnlyTheSelectedUsersSchemesOfTheProgram) {
  Variant packet = server_.Call("AS_GetRecords", {"pvdConSave"});
  EXPECT_TRUE(packet[2].IsEmpty()) << "nothing selected yet";

  struct Row {
    const char *name, *user, *program;
  } rows[] = {{"A", "DS", "RAVLET"}, {"B", "LIN", "RAVLET"}, {"C", "DS", "OTHER"}};
  for (const Row& row : rows) {
    Variant r = qv::VarArrayOf({Variant(row.name), Variant(row.user), Variant("20231205"),
                                Variant(row.program), Variant(""), Variant(""), Variant(false)});
    ASSERT_EQ(server_.Call("InsertConTable", {VarRef(r)}).AsString(), "");
  }
  Variant selection = qv::VarArrayOf({Variant("DS"), Variant("RAVLET")});
  Variant loaded = server_.Call("LoadTable", {VarRef(selection)});
  packet = server_.Call("AS_GetRecords", {"PVDCONSAVE"});
  EXPECT_TRUE(loaded == packet);
  ASSERT_EQ(qv::VarArrayHighBound(packet[2], 2), 0);
  EXPECT_EQ(packet[2].At(0, 0).AsString(), "A");

  EXPECT_THROW(server_.Call("AS_GetRecords", {"pvdOther"}), qv::EOleError);
}

TEST_F(ReportServerTest, GetPowerAnswersTheMostSpecificRights) {
  auto power = [&](const char* user, const char* program) {
    return server_.Call(
        "GetPower",
        {qv::VarArrayOf({Variant("DEMO"), Variant(user), Variant(program), Variant("")})});
  };
  Variant admin = power("DS", "RAVLET");
  EXPECT_EQ(admin[1].AsString(), "ADMIN,Y,Y,YYYYYYYY,ALL,");
  EXPECT_EQ(admin[5][0].AsInteger(), 0);

  Variant clerk = power("LIN", "ravlet");
  EXPECT_EQ(clerk[1].AsString(), "CLERK,Y,N,YYYNYNYN,,");
  EXPECT_EQ(clerk[4].AsString(), "W01");
  ASSERT_EQ(qv::VarArrayHighBound(clerk[5], 1), 2);
  EXPECT_EQ(clerk[5][0].AsInteger(), 2);
  EXPECT_EQ(clerk[5][2].AsString(), "W02");

  EXPECT_EQ(power("LIN", "OTHER")[1].AsString(), "GUEST,N,N,YNNNYNNN,,");

  standin::ReportStore store(env_.DataDir() + "report_server.db");
  standin::UserRights rights;
  rights.rightsCode = "MRP";
  rights.mask = "YYYYYYYN";
  store.SetRights("DEMO", "LIN", "OTHER", rights);
  EXPECT_EQ(power("LIN", "OTHER")[1].AsString(), "MRP,N,N,YYYYYYYN,,");
  EXPECT_EQ(power("LIN", "RAVLET")[1].AsString(), "CLERK,Y,N,YYYNYNYN,,");
}

TEST_F(ReportServerTest, CallsOfTheWrongShapeRaise) {
  struct Case {
    const char* name;
    std::function<void()> call;
  } cases[] = {
      {"unknown operation", [&] { server_.Call("Requets", {Variant(1)}); }},
      {"missing argument", [&] { server_.Call("Request1", {standin::SampleRequest()}); }},
      {"rights of a text", [&] { server_.Call("GetPower", {Variant("DS")}); }},
      {"short rights query",
       [&] { server_.Call("GetPower", {qv::VarArrayOf({Variant("DEMO")})}); }},
      {"scheme of five fields",
       [&] {
         Variant r = qv::VarArrayOf(
             {Variant("A"), Variant("DS"), Variant("20231205"), Variant("RAVLET"), Variant("")});
         server_.Call("InsertConTable", {VarRef(r)});
       }},
      {"unknown job", [&] { server_.Call("GetJob", {"2023120500001"}); }},
  };
  for (const Case& c : cases) EXPECT_THROW(c.call(), qv::EOleError) << c.name;
}

TEST_F(ReportServerTest, TheRegistryCanNameTheDataFolder) {
  std::string elsewhere = env_.Root() + "/elsewhere";
  env_.AppendRegistry("[HKEY_CLASSES_ROOT\\ReportCounterS.dmReportCounter]\n\"DataDir\"=\"" +
                      elsewhere + "\"");
  standin_test::ScopedEnv noFolder("RAVLET_DATA_DIR", "");
  Variant server = NewServer();
  EXPECT_EQ(server.Call("Request", {standin::SampleRequest()}).AsString(), "2023120500001");
  EXPECT_TRUE(std::filesystem::exists(elsewhere + "/report_server.db"));
}

TEST_F(ReportServerTest, ConcurrentSubmissionsGetDistinctNumbersAndAreAllStored) {
  const int kThreads = 6, kJobsEach = 25;
  std::vector<std::vector<std::string>> numbers(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Variant server = NewServer();
      Variant request = standin::SampleRequest();
      for (int i = 0; i < kJobsEach; ++i)
        numbers[t].push_back(server.Call("Request", {request}).AsString());
    });
  }
  for (auto& thread : threads) thread.join();

  std::set<std::string> distinct;
  for (const auto& list : numbers) {
    for (const std::string& n : list) {
      EXPECT_NE(n, "ERROR");
      distinct.insert(n);
    }
  }
  EXPECT_EQ(distinct.size(), static_cast<size_t>(kThreads * kJobsEach));
  EXPECT_EQ(JobCount(), kThreads * kJobsEach);
  EXPECT_EQ(*distinct.rbegin(),
            "20231205" + std::to_string(100000 + kThreads * kJobsEach).substr(1));
}

}  // namespace
