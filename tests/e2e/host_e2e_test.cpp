#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "appserver/report_counter.h"
#include "appserver/sample_request.h"
#include "e2e/host_process.h"
#include "json_variant.h"
#include "outside/standin_env.h"

namespace ravlet::host::test {
namespace {

constexpr const char* kNoWindowClass =
    "QVR DLL Internal Error :\rNot Assign \"frmBaseGeneClass\" varible";

JsonValue Command(const char* name, std::vector<JsonValue::Member> members = {}) {
  JsonValue command = JsonValue::Object(std::move(members));
  command.Set("cmd", name);
  return command;
}

std::vector<int64_t> Codes(const JsonValue& events) {
  std::vector<int64_t> codes;
  for (const JsonValue& event : events.Items()) codes.push_back(event.Find("code")->AsInteger());
  return codes;
}

const JsonValue& Member(const JsonValue& reply, const char* name) {
  const JsonValue* member = reply.Find(name);
  if (member == nullptr)
    throw std::runtime_error(std::string("no \"") + name + "\" in " + WriteJson(reply));
  return *member;
}

bool Ok(const JsonValue& reply) {
  return Member(reply, "ok").AsBool();
}

class HostEndToEnd : public ::testing::Test {
 protected:
  std::unique_ptr<HostProcess> Start(std::vector<std::string> args, bool driver = true) {
    if (driver) args.push_back("--driver");
    args.push_back("--data-dir");
    args.push_back(env.DataDir());
    return std::make_unique<HostProcess>(args);
  }
  // The probe window with all five start parameters.
  std::unique_ptr<HostProcess> StartProbe() {
    return Start({"--window-class", "TfrmHostProbe", "--user", "DS", "--company", "DEMO",
                  "--database", "DEMO", "--extra", "x"});
  }
  std::vector<int64_t> Events(HostProcess& host) {
    return Codes(Member(host.Send(Command("events")), "events"));
  }
  // Quits, checks the outcome line and the exit status; returns the outcome.
  JsonValue Quit(HostProcess& host) {
    EXPECT_TRUE(Ok(host.Send(Command("quit"))));
    JsonValue outcome = Member(host.Read(), "outcome");
    EXPECT_EQ(host.Finish(), 0) << host.Errors();
    return outcome;
  }

  standin_test::StandinEnvironment env;
};

TEST_F(HostEndToEnd, WithoutWindowClassOpenReportsItAndEveryOperationAnswers) {
  auto host = Start({"--window-class", ""});
  const JsonValue start = host->Read();
  EXPECT_FALSE(Ok(start));
  EXPECT_EQ(Member(start, "error").AsString(), kNoWindowClass);

  struct Case {
    JsonValue command;
    const char* member;
    JsonValue expected;
  };
  const Case cases[] = {
      {Command("module_info", {{"info", "untouched"}}), "info", JsonValue("untouched")},
      {Command("module_info"), "result", JsonValue(-1)},
      {Command("show_modal"), "result", JsonValue(2)},
      {Command("apply_data", {{"kind", 5}, {"data", JsonValue::Array({0})}}), "result",
       JsonValue(-1)},
      {Command("apply_params", {{"params", JsonValue::Array({0, 0})}}), "result", JsonValue(-1)},
      {Command("is_closed"), "result", JsonValue(true)},
      {Command("is_visible"), "result", JsonValue(0)},
      {Command("window_handle"), "result", JsonValue(0)},
      {Command("window"), "window", JsonValue()},
      {Command("version", {{"text", "as before"}}), "text", JsonValue("as before")},
  };
  for (const Case& c : cases) {
    const JsonValue reply = host->Send(c.command);
    EXPECT_EQ(Member(reply, c.member), c.expected) << WriteJson(reply);
  }
  const JsonValue open = host->Send(Command("open"));
  EXPECT_FALSE(Ok(open));
  EXPECT_EQ(Member(open, "error").AsString(), kNoWindowClass);
  EXPECT_TRUE(Events(*host).empty());
  EXPECT_EQ(Member(Quit(*host), "ResultCode"), JsonValue(0));
}

TEST_F(HostEndToEnd, EventsArriveInOrderAndASecondOpenFails) {
  auto host = StartProbe();
  const JsonValue start = host->Read();
  ASSERT_TRUE(Ok(start)) << WriteJson(start);
  EXPECT_EQ(Member(start, "result"), JsonValue(0));
  EXPECT_EQ(Member(start, "visible"), JsonValue(true));

  const JsonValue info = host->Send(Command("module_info"));
  EXPECT_EQ(Member(info, "result"), JsonValue(0));
  EXPECT_EQ(Member(info, "info"), JsonValue::Array({"DS", "DEMO", "RAVLETC", "Host probe"}));
  // The work center came from the registry built into the program.
  const JsonValue work_center =
      host->Send(Command("get", {{"path", "frmHostProbe.lblWorkCenter"}, {"property", "Caption"}}));
  EXPECT_EQ(Member(work_center, "value").AsString().rfind("Work center: version type", 0), 0u)
      << WriteJson(work_center);

  EXPECT_EQ(Member(host->Send(Command("open")), "result"), JsonValue(-1));
  EXPECT_EQ(Events(*host), (std::vector<int64_t>{256, 272}));

  EXPECT_TRUE(Ok(host->Send(Command("click", {{"path", "frmHostProbe.btnCancel"}}))));
  const JsonValue closed = host->Send(Command("wait_event", {{"code", 304}}));
  EXPECT_EQ(Codes(Member(closed, "events")), (std::vector<int64_t>{288, 304}));
  EXPECT_EQ(Member(host->Send(Command("result")), "ResultCode"), JsonValue(2));
  EXPECT_EQ(Member(host->Send(Command("is_closed")), "result"), JsonValue(true));

  // A later Open makes a new window, hidden until the host shows it.
  EXPECT_EQ(Member(host->Send(Command("open")), "result"), JsonValue(0));
  EXPECT_EQ(Member(host->Send(Command("is_visible")), "result"), JsonValue(0));
  EXPECT_EQ(Member(host->Send(Command("set_visible", {{"show", true}})), "visible"),
            JsonValue(true));
  host->Send(Command("signal"));
  EXPECT_EQ(Events(*host), (std::vector<int64_t>{256, 272, 320}));
  // Quitting closes the window: the last outcome is the new window's.
  EXPECT_EQ(Member(Quit(*host), "ResultCode"), JsonValue(0));
}

TEST_F(HostEndToEnd, OnlyDataKindsFiveAndNineHandConditionsOver) {
  auto host = StartProbe();
  ASSERT_TRUE(Ok(host->Read()));
  const JsonValue labels = JsonValue::Array({JsonValue::Array({"Note", "edHandOver"})});
  auto hand_over = [&](int action) {
    return JsonValue::Array(
        {action, JsonValue::Array({true, JsonValue::Array({labels, JsonValue::Array({""})})})});
  };
  const JsonValue text_query =
      Command("get", {{"path", "frmHostProbe.edHandOver"}, {"property", "Text"}});

  EXPECT_EQ(
      Member(host->Send(Command("apply_data", {{"kind", 4}, {"data", hand_over(0)}})), "result"),
      JsonValue(-1));
  EXPECT_EQ(Member(host->Send(text_query), "value"), JsonValue(""));
  EXPECT_EQ(
      Member(host->Send(Command("apply_data", {{"kind", 5}, {"data", hand_over(0)}})), "result"),
      JsonValue(0));
  EXPECT_EQ(Member(host->Send(text_query), "value"),
            JsonValue("Hand-over: action 0, from a scheme, nothing run"));
  EXPECT_EQ(Member(host->Send(Command("apply_params",
                                      {{"params", JsonValue::Array({JsonValue(), hand_over(4)})}})),
                   "result"),
            JsonValue(0));
  EXPECT_EQ(Member(host->Send(text_query), "value"),
            JsonValue("Hand-over: action 4, from a scheme, host action 4 run"));
  Events(*host);
  // Action 1 with conditions the window takes runs OK, which closes the probe.
  EXPECT_EQ(
      Member(host->Send(Command("apply_data", {{"kind", 9}, {"data", hand_over(1)}})), "result"),
      JsonValue(0));
  EXPECT_EQ(Events(*host), (std::vector<int64_t>{288, 304}));
  Quit(*host);
}

TEST_F(HostEndToEnd, AModalDialogDuringOpenIsAnsweredThroughTheDriver) {
  auto host =
      Start({"--window-class", "TfrmHostProbe", "--start-params", "[\"DS\",\"DEMO\",\"DEMO\"]"});
  const JsonValue start = host->Read();
  EXPECT_EQ(Member(start, "running"), JsonValue("start"));
  const JsonValue& waiting = Member(Member(start, "waiting"), "modal");
  EXPECT_EQ(Member(waiting, "class"), JsonValue("TMessageForm"));
  EXPECT_FALSE(Member(waiting, "text").AsString().empty());

  const JsonValue modal = Member(host->Send(Command("modal")), "modal");
  EXPECT_EQ(Member(modal, "kind"), JsonValue("mtError"));
  ASSERT_EQ(Member(modal, "buttons").Items().size(), 1u);
  EXPECT_EQ(Member(Member(modal, "buttons").Items()[0], "name"), JsonValue("OK"));

  EXPECT_FALSE(Ok(host->Send(Command("close_window"))));
  const JsonValue answered = host->Send(Command("answer", {{"button", "OK"}, {"id", 7}}));
  EXPECT_EQ(Member(answered, "id"), JsonValue(7));
  const JsonValue& finished = Member(answered, "finished");
  ASSERT_EQ(finished.Items().size(), 1u) << WriteJson(answered);
  EXPECT_EQ(Member(finished.Items()[0], "id"), JsonValue("start"));
  EXPECT_EQ(Member(finished.Items()[0], "result"), JsonValue(-1));
  // The window closed itself without having been shown.
  EXPECT_EQ(Events(*host), (std::vector<int64_t>{256, 304}));
  EXPECT_EQ(Member(host->Send(Command("window")), "window"), JsonValue());
  Quit(*host);
}

TEST_F(HostEndToEnd, BadLinesGetErrorRepliesAndTheHostGoesOn) {
  auto host = StartProbe();
  ASSERT_TRUE(Ok(host->Read()));
  const std::string deep = std::string(200, '[') + std::string(200, ']');
  const std::string lines[] = {
      "garbage",
      "[1,2]",
      deep,
      "{\"cmd\":\"\xff\"}",
      "{\"id\":1}",
      "{\"id\":1,\"cmd\":42}",
      "{\"id\":1,\"cmd\":\"nope\"}",
      "{\"id\":1,\"cmd\":\"click\"}",
      "{\"id\":1,\"cmd\":\"click\",\"path\":\"frmNothing.btnX\"}",
      "{\"id\":1,\"cmd\":\"click\",\"path\":\"frmHostProbe.btnNothing\"}",
      "{\"id\":1,\"cmd\":\"key\",\"key\":\"F99\"}",
      "{\"id\":1,\"cmd\":\"key\",\"key\":\"F2\",\"shift\":[\"Hyper\"]}",
      "{\"id\":1,\"cmd\":\"press\",\"char\":\"ab\"}",
      "{\"id\":1,\"cmd\":\"answer\",\"button\":\"OK\"}",
      "{\"id\":1,\"cmd\":\"apply_data\",\"kind\":\"five\"}",
      "{\"id\":1,\"cmd\":\"open\",\"params\":{\"bounds\":[0,2000000000],\"items\":[]}}",
      "{\"id\":1,\"cmd\":\"open\",\"params\":{\"nonsense\":1}}",
      "{\"id\":1,\"cmd\":\"set\",\"path\":\"frmHostProbe\",\"property\":\"NoSuch\",\"value\":1}",
      "{\"id\":1,\"cmd\":\"get\",\"path\":\"frmHostProbe\"}",
      "{\"id\":1,\"cmd\":\"wait_event\",\"code\":999}",
      "{\"id\":1,\"cmd\":\"cancel_lookup\"}",
  };
  for (const std::string& line : lines) {
    host->Write(line);
    const JsonValue reply = host->Read();
    EXPECT_FALSE(Ok(reply)) << line;
    EXPECT_TRUE(Member(reply, "error").IsString()) << line;
    if (line.find("\"id\":1") != std::string::npos) {
      EXPECT_EQ(Member(reply, "id"), JsonValue(1)) << line;
    }
  }
  EXPECT_EQ(Member(Member(host->Send(Command("window")), "window"), "name"),
            JsonValue("frmHostProbe"));
  Quit(*host);
}

TEST_F(HostEndToEnd, LookupWindowsAreAnsweredByTheDriver) {
  auto host = StartProbe();
  ASSERT_TRUE(Ok(host->Read()));
  const JsonValue caption_query =
      Command("get", {{"path", "frmHostProbe.lblLookup"}, {"property", "Caption"}});

  const JsonValue key = host->Send(Command("key", {{"key", "F2"}}));
  EXPECT_EQ(Member(Member(Member(key, "waiting"), "lookup"), "table"), JsonValue("QVRMA"));
  const JsonValue lookup = Member(host->Send(Command("lookup")), "lookup");
  ASSERT_EQ(Member(lookup, "rows").Items().size(), 5u);
  EXPECT_FALSE(Ok(host->Send(Command("choose", {{"rows", JsonValue::Array({9})}}))));
  EXPECT_FALSE(Ok(host->Send(Command("choose", {{"rows", JsonValue::Array({1, 2})}}))));
  EXPECT_FALSE(Ok(host->Send(Command("click", {{"path", "frmHostProbe.btnOk"}}))));
  EXPECT_TRUE(Ok(host->Send(Command("choose", {{"rows", JsonValue::Array({2})}}))));
  EXPECT_EQ(Member(host->Send(caption_query), "value"), JsonValue("Lookup: LIN"));

  // An answer given in advance serves the next lookup window.
  EXPECT_EQ(Member(host->Send(Command("choose", {{"rows", 1}})), "queued"), JsonValue(1));
  const JsonValue queued_key = host->Send(Command("key", {{"key", "F2"}}));
  EXPECT_EQ(queued_key.Find("waiting"), nullptr);
  EXPECT_EQ(Member(host->Send(caption_query), "value"), JsonValue("Lookup: DS"));

  EXPECT_TRUE(Ok(host->Send(Command("key", {{"key", "F2"}}))));
  EXPECT_TRUE(Ok(host->Send(Command("cancel_lookup"))));
  EXPECT_EQ(Member(host->Send(caption_query), "value"), JsonValue("Lookup: nothing chosen"));
  Quit(*host);
}

TEST_F(HostEndToEnd, TheLastRequestComesFromTheServersStorage) {
  auto host = Start({"--no-open"});
  EXPECT_TRUE(Ok(host->Read()));
  EXPECT_EQ(Member(host->Send(Command("last_request")), "request"), JsonValue());

  const qv::Variant request = standin::SampleRequest();
  const qv::Variant server(
      std::shared_ptr<qv::IDispatch>(standin::TReportCounter::CreateDefault()));
  const std::string job = server.Call("Request", {request}).AsString();
  const JsonValue last = Member(host->Send(Command("last_request")), "request");
  EXPECT_EQ(Member(last, "jobNo"), JsonValue(job));
  EXPECT_EQ(Member(last, "operation"), JsonValue("Request"));
  EXPECT_EQ(Member(last, "request"), VariantToJson(request));
  Quit(*host);
}

TEST_F(HostEndToEnd, WithoutDriverTheHostPrintsEventsAndOutcome) {
  auto host = Start(
      {"--window-class", "TfrmHostProbe", "--start-params", "[\"DS\",\"DEMO\",\"DEMO\",0,\"x\"]"},
      false);
  std::vector<std::string> lines;
  for (int i = 0; i < 6; ++i) lines.push_back(WriteJson(host->Read()));
  EXPECT_EQ(host->Finish(), 0);
  const std::vector<std::string> expected = {
      R"({"event":256,"name":"meCreated"})",
      R"({"event":272,"name":"meShown"})",
      R"({"id":"start","ok":true,"result":0,"visible":true})",
      R"({"event":288,"name":"meHidden"})",
      R"({"event":304,"name":"meDestroyed"})",
      R"({"outcome":{"ResultCode":0,"ResultData":{"empty":0}}})"};
  EXPECT_EQ(lines, expected);
}

TEST_F(HostEndToEnd, AScriptFileDrivesTheHostLikeStandardInput) {
  const std::string script = env.Root() + "/commands.jsonl";
  std::ofstream(script) << "{\"cmd\":\"click\",\"path\":\"frmHostProbe.btnOk\",\"id\":1}\n"
                        << "{\"cmd\":\"events\",\"id\":2}\n";
  auto host = Start({"--window-class", "TfrmHostProbe", "--start-params",
                     "[\"DS\",\"DEMO\",\"DEMO\",0,\"x\"]", "--script", script},
                    false);
  EXPECT_TRUE(Ok(host->Read()));
  EXPECT_TRUE(Ok(host->Read()));
  EXPECT_EQ(Codes(Member(host->Read(), "events")), (std::vector<int64_t>{256, 272, 288, 304}));
  EXPECT_EQ(Member(Member(host->Read(), "outcome"), "ResultCode"), JsonValue(0));
  EXPECT_EQ(host->Finish(), 0);
}

}  // namespace
}  // namespace ravlet::host::test
