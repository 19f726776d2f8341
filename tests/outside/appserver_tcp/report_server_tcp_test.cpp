#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <thread>

#include "appserver/report_store.h"
#include "appserver/sample_request.h"
#include "outside/server_process.h"
#include "outside/standin_env.h"
#include "platform/midas/client_data_set.h"
#include "platform/midas/socket_connection.h"
#include "platform/variant/variant.h"

namespace {

using qv::Variant;
using qv::VarRef;

class ReportServerOverTcpTest : public ::testing::Test {
 protected:
  std::unique_ptr<qv::TSocketConnection> Connect() {
    auto connection = std::make_unique<qv::TSocketConnection>();
    connection->SetAddress("127.0.0.1");
    connection->SetPort(server_->Port());
    connection->SetServerName("ReportCounterS.dmReportCounter");
    connection->Open();
    return connection;
  }

  int64_t StoredJobs() {
    standin::ReportStore store(env_.DataDir() + "report_server.db");
    auto stmt = store.Db().Prepare("SELECT COUNT(*) FROM jobs");
    stmt.Step();
    return stmt.ColumnInt(0);
  }

  standin_test::StandinEnvironment env_;
  std::unique_ptr<standin_test::ServerProcess> server_ =
      std::make_unique<standin_test::ServerProcess>();
};

TEST_F(ReportServerOverTcpTest, JobsTravelWholeAndRefusalsComeBackWithTheirReason) {
  auto connection = Connect();
  Variant server = connection->AppServer();
  standin::SampleRequestOptions options;
  options.listRows = 1000;
  Variant request = standin::SampleRequest(options);

  std::string jobNo = server.Call("Request", {request}).AsString();
  ASSERT_EQ(jobNo.size(), 13u) << server.Call("ErrorDescript").AsString();
  EXPECT_TRUE(server.Call("GetJob", {jobNo})[3] == request);

  options.periodic = true;
  Variant periodic = standin::SampleRequest(options);
  std::string periodicNo = server.Call("Request1", {periodic, "PC-07"}).AsString();
  ASSERT_NE(periodicNo, "ERROR") << server.Call("ErrorDescript").AsString();
  EXPECT_NE(periodicNo, jobNo);
  Variant job = server.Call("GetJob", {periodicNo});
  EXPECT_EQ(job[4].AsString(), "PC-07");
  EXPECT_TRUE(job[3][3] == periodic[3]) << "the schedule";

  Variant spoiled = standin::SampleRequest();
  spoiled[0][3] = Variant(4);
  EXPECT_EQ(server.Call("Request", {spoiled}).AsString(), "ERROR");
  EXPECT_NE(server.Call("ErrorDescript").AsString().find("says 4 conditions"), std::string::npos);

  Variant rights = server.Call(
      "GetPower",
      {qv::VarArrayOf({Variant("DEMO"), Variant("LIN"), Variant("RAVLET"), Variant("")})});
  EXPECT_EQ(rights[1].AsString(), "CLERK,Y,N,YYYNYNYN,,");
  EXPECT_EQ(rights[5][2].AsString(), "W02");
}

TEST_F(ReportServerOverTcpTest, SchemesReachTheClientDataSetThroughTheProvider) {
  auto connection = Connect();
  Variant server = connection->AppServer();
  for (const char* name : {"月报", "周报"}) {
    Variant record = qv::VarArrayOf({Variant(name), Variant("DS"), Variant("20240315"),
                                     Variant("RAVLET"), Variant("edNote1.text;"),
                                     Variant(std::string("值 ") + name + "\r\n"), Variant(false)});
    ASSERT_EQ(server.Call("InsertConTable", {VarRef(record)}).AsString(), "");
  }
  Variant from = qv::VarArrayOf({Variant("周报"), Variant("DS"), Variant("RAVLET")});
  Variant to = qv::VarArrayOf({Variant("季报"), Variant("DS"), Variant("RAVLET")});
  ASSERT_EQ(server.Call("ChangeConName", {VarRef(from), VarRef(to)}).AsString(), "");
  Variant selection = qv::VarArrayOf({Variant("DS"), Variant("RAVLET")});
  server.Call("LoadTable", {VarRef(selection)});

  qv::TClientDataSet schemes;
  schemes.SetRemoteServer(connection.get());
  schemes.SetProviderName("pvdConSave");
  schemes.AddIndexDef("Index1", "NCONDITION;CREATOR;PROGRAMME");
  schemes.SetIndexName("Index1");
  schemes.Open();
  EXPECT_EQ(schemes.RecordCount(), 2);
  ASSERT_TRUE(schemes.Locate("NCONDITION;CREATOR;PROGRAMME",
                             qv::VarArrayOf({Variant("季报"), Variant("DS"), Variant("RAVLET")})));
  EXPECT_EQ(schemes.FieldByName("VCONDITION").AsString(), "值 周报\r\n");
  EXPECT_EQ(schemes.FieldByName("CREATE_DATE").AsString(), "20240315");
  EXPECT_EQ(schemes.FieldByName("NCONDITION").DisplayLabel(), "方案名称");
}

TEST_F(ReportServerOverTcpTest, AWrongCallFailsAloneAndTheConnectionGoesOn) {
  auto connection = Connect();
  Variant server = connection->AppServer();
  EXPECT_THROW(server.Call("Requets", {Variant(1)}), qv::EOleError);
  EXPECT_THROW(server.Call("GetPower", {Variant("DS")}), qv::EOleError);
  Variant unknown("NOPE");
  EXPECT_THROW(server.Call("UpdateStatus1", {VarRef(unknown), "", Variant::FromDate(45000.0)}),
               qv::EOleError);
  EXPECT_EQ(server.Call("Request", {standin::SampleRequest()}).AsString().size(), 13u);
}

// Several workstations submit at the same moment: every job gets its own
// number and every job is stored.
TEST_F(ReportServerOverTcpTest, ConcurrentClientsLoseNoJobAndShareNoNumber) {
  const int kClients = 6, kJobsEach = 20;
  std::vector<std::vector<std::string>> numbers(kClients);
  std::vector<std::string> failures(kClients);
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      try {
        auto connection = Connect();
        Variant server = connection->AppServer();
        standin::SampleRequestOptions options;
        options.userId = "U" + std::to_string(c);
        options.listRows = 50;
        Variant request = standin::SampleRequest(options);
        for (int i = 0; i < kJobsEach; ++i) {
          Variant reply = i % 2 ? server.Call("Request", {request})
                                : server.Call("Request1", {request, "PC-" + std::to_string(c)});
          numbers[c].push_back(reply.AsString());
        }
      } catch (const std::exception& e) {
        failures[c] = e.what();
      }
    });
  }
  for (auto& client : clients) client.join();

  std::set<std::string> distinct;
  for (int c = 0; c < kClients; ++c) {
    EXPECT_EQ(failures[c], "") << "client " << c;
    for (const std::string& n : numbers[c]) {
      EXPECT_EQ(n.size(), 13u) << n;
      distinct.insert(n);
    }
  }
  EXPECT_EQ(distinct.size(), static_cast<size_t>(kClients * kJobsEach));
  EXPECT_EQ(StoredJobs(), kClients * kJobsEach);
}

TEST_F(ReportServerOverTcpTest, AfterTheServerGoesAwayStoredJobsStayAndNumbersAreNotReused) {
  std::string first;
  {
    auto connection = Connect();
    first = connection->AppServer().Call("Request", {standin::SampleRequest()}).AsString();
    ASSERT_EQ(first.size(), 13u);
    server_->Stop();
    EXPECT_ANY_THROW(connection->AppServer().Call("Request", {standin::SampleRequest()}));
    EXPECT_FALSE(connection->Connected());
  }
  EXPECT_EQ(StoredJobs(), 1);

  server_ = std::make_unique<standin_test::ServerProcess>();
  auto connection = Connect();
  std::string second =
      connection->AppServer().Call("Request", {standin::SampleRequest()}).AsString();
  ASSERT_EQ(second.size(), 13u);
  if (second.substr(0, 8) == first.substr(0, 8)) {
    EXPECT_GT(second, first);
  }
  EXPECT_EQ(StoredJobs(), 2);
}

}  // namespace
