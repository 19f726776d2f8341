// Remote calls over TCP: TSocketConnection against a TRemoteServer on a
// loopback port of the test's own.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/automation/auto_object.h"
#include "platform/midas/remote_server.h"
#include "platform/midas/socket_connection.h"
#include "platform/midas/socket_io.h"
#include "platform/midas/wire_format.h"
#include "support/temp_install.h"

namespace {

using qv::Variant;
using qv::VarRef;
using namespace std::chrono_literals;

// Lets a test hold a call inside the server until it says so.
struct Gate {
  std::mutex mutex;
  std::condition_variable changed;
  bool entered = false;
  bool released = false;

  void EnterAndWait() {
    std::unique_lock lock(mutex);
    entered = true;
    changed.notify_all();
    changed.wait(lock, [this] { return released; });
  }
  void WaitUntilEntered() {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, 10s, [this] { return entered; }));
  }
  void Release() {
    std::lock_guard lock(mutex);
    released = true;
    changed.notify_all();
  }
};

class TServerObject : public qv::TAutoObject {
 public:
  explicit TServerObject(std::shared_ptr<Gate> gate) : TAutoObject("TServerObject") {
    RegisterMethod("Echo", 1, [](Args& a) { return a[0]; });
    RegisterMethod("Swap", 2, [](Args& a) {
      Variant first = a[0];
      a.SetRef(0, a[1]);
      a.SetRef(1, first);
      return Variant("swapped");
    });
    RegisterMethod("Next", 0, [this](Args&) { return Variant(++count_); });
    RegisterMethod("Fail", 0,
                   [](Args&) -> Variant { throw qv::EConvertError("'x' is no number"); });
    RegisterMethod("Text", 1, [](Args& a) { return Variant(std::string(a[0].AsInteger(), 'x')); });
    RegisterMethod("Self", 0, [this](Args&) {
      return Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<TServerObject>(gate_)));
    });
    RegisterMethod("Block", 0, [gate](Args&) {
      gate->EnterAndWait();
      return Variant(true);
    });
    RegisterProperty(
        "Caption", [this] { return Variant(caption_); },
        [this](const Variant& v) { caption_ = v.AsString(); });
    gate_ = std::move(gate);
  }

 private:
  std::shared_ptr<Gate> gate_;
  int count_ = 0;
  std::string caption_;
};

constexpr std::size_t kServerFrameLimit = 64 * 1024;

class RemoteCallTest : public ::testing::Test {
 protected:
  void SetUp() override { StartServer(); }

  void StartServer(std::vector<std::string> allowed = {}) {
    qv::TRemoteServer::Options options;
    options.bindAddress = "127.0.0.1";
    options.maxFrameSize = kServerFrameLimit;
    options.allowedServers = std::move(allowed);
    options.createObject = [gate = gate_](const std::string& name) {
      if (name != "Test.Server" && name != "Test.Other") {
        throw qv::EOleError("Invalid class string \"" + name + "\"");
      }
      return Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<TServerObject>(gate)));
    };
    options.log = [this](const std::string& line) {
      std::lock_guard lock(logMutex_);
      log_.push_back(line);
      logChanged_.notify_all();
    };
    server_ = std::make_unique<qv::TRemoteServer>(options);
    server_->Start();
  }

  std::unique_ptr<qv::TSocketConnection> Connect(const std::string& serverName = "Test.Server") {
    auto connection = std::make_unique<qv::TSocketConnection>();
    connection->SetAddress("127.0.0.1");
    connection->SetPort(server_->Port());
    connection->SetServerName(serverName);
    connection->Open();
    return connection;
  }

  // True once a log line contains the text (the server logs from its own
  // threads, after the client has seen the outcome).
  bool LogHas(const std::string& text) {
    std::unique_lock lock(logMutex_);
    return logChanged_.wait_for(lock, 10s, [&] {
      for (const auto& line : log_) {
        if (line.find(text) != std::string::npos) return true;
      }
      return false;
    });
  }

  std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
  std::mutex logMutex_;
  std::condition_variable logChanged_;
  std::vector<std::string> log_;
  std::unique_ptr<qv::TRemoteServer> server_;
};

template <class E>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message();
  }
  return "(no " + std::string(typeid(E).name()) + ")";
}

TEST_F(RemoteCallTest, CallsCarryValuesReferencesAndPropertiesBothWays) {
  auto connection = Connect();
  ASSERT_TRUE(connection->Connected());
  const Variant& server = connection->AppServer();

  Variant table = qv::VarArrayCreate({0, 1, 1, 3});
  table.At(1, 3) = qv::VarArrayOf({Variant::Narrow("\xB1\xA8"), Variant::FromDate(45000.5)});
  EXPECT_TRUE(server.Call("Echo", {table}) == table);

  Variant a = u"左";
  Variant b = 42;
  EXPECT_EQ(server.Call("swap", {VarRef(a), VarRef(b)}).AsString(), "swapped");
  EXPECT_EQ(a, Variant(42));
  EXPECT_EQ(b, Variant(u"左"));

  server.Put("Caption", "报表");
  EXPECT_EQ(server.Get("Caption").AsString(), "报表");
}

TEST_F(RemoteCallTest, AFailedCallRaisesTheServersErrorAndTheConnectionGoesOn) {
  auto connection = Connect();
  const Variant& server = connection->AppServer();
  struct Case {
    const char* label;
    std::function<void()> call;
    const char* source;
    const char* text;
  };
  const Case cases[] = {
      {"unknown operation", [&] { server.Call("Xyz"); }, "EOleError", "Unknown name \"Xyz\""},
      {"the object's own error", [&] { server.Call("Fail"); }, "EConvertError", "'x' is no number"},
      {"wrong argument kind", [&] { server.Call("Text", {"many"}); }, "EVariantTypeCastError", ""},
      {"wrong argument count", [&] { server.Call("Echo"); }, "EOleError", "Echo"},
      {"by value where the object writes",
       [&] {
         server.Call("Swap", {1, 2});
       },
       "EOleError", "argument 1 of Swap must be passed by reference"},
      {"a result that cannot travel", [&] { server.Call("Self"); }, "EWireFormatError",
       "The result of Self cannot be sent"},
      {"a result larger than the frame limit",
       [&] { server.Call("Text", {static_cast<int>(kServerFrameLimit)}); }, "EWireFormatError",
       "exceed the limit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      c.call();
      ADD_FAILURE() << "no error";
    } catch (const qv::EOleException& e) {
      EXPECT_EQ(e.Source(), c.source);
      EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(connection->Connected());
    EXPECT_EQ(server.Call("Echo", {5}).AsInteger(), 5);
  }

  // An object argument is refused before anything is sent.
  EXPECT_THROW(server.Call("Echo", {server}), qv::EWireFormatError);
  EXPECT_EQ(server.Call("Echo", {6}).AsInteger(), 6);
}

TEST_F(RemoteCallTest, EachConnectionHasItsOwnObjectAndClientsRunAtOnce) {
  constexpr int kClients = 6;
  constexpr int kCalls = 40;
  std::vector<std::thread> clients;
  std::vector<std::string> failures(kClients);
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      try {
        auto connection = Connect();
        const Variant& server = connection->AppServer();
        for (int i = 1; i <= kCalls; ++i) {
          if (server.Call("Next").AsInteger() != i) throw std::runtime_error("count mixed up");
          Variant mine = "client " + std::to_string(c) + " call " + std::to_string(i);
          Variant other = i;
          server.Call("Swap", {VarRef(mine), VarRef(other)});
          if (other.AsString() != "client " + std::to_string(c) + " call " + std::to_string(i)) {
            throw std::runtime_error("reply of another client");
          }
        }
      } catch (const std::exception& e) {
        failures[c] = e.what();
      }
    });
  }
  for (auto& t : clients) t.join();
  for (int c = 0; c < kClients; ++c) EXPECT_EQ(failures[c], "") << "client " << c;
}

TEST_F(RemoteCallTest, OpeningFailsWithAClearTextAndLeavesTheConnectionClosed) {
  server_->Stop();
  StartServer({"Test.Server", "No.Such"});
  struct Case {
    const char* label;
    std::function<void(qv::TSocketConnection&)> setUp;
    const char* text;
  };
  const Case cases[] = {
      {"unknown server", [](auto& c) { c.SetServerName("No.Such"); },
       "Invalid class string \"No.Such\""},
      {"server not offered", [](auto& c) { c.SetServerName("Test.Other"); },
       "\"Test.Other\" is not offered here"},
      {"no server name", [](auto& c) { c.SetServerName(""); }, "no server name"},
      {"no address", [](auto& c) { c.SetAddress(""); }, "no address"},
      {"port out of range", [](auto& c) { c.SetPort(70000); }, "port 70000 is out of range"},
      {"callbacks", [](auto& c) { c.SetSupportCallbacks(true); }, "callbacks"},
      {"unresolvable host", [](auto& c) { c.SetAddress("no-such-host.invalid"); },
       "cannot be resolved"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    qv::TSocketConnection connection;
    connection.SetAddress("127.0.0.1");
    connection.SetPort(server_->Port());
    connection.SetServerName("Test.Server");
    c.setUp(connection);
    const std::string message = MessageOf<qv::Exception>([&] { connection.Open(); });
    EXPECT_NE(message.find(c.text), std::string::npos) << message;
    EXPECT_FALSE(connection.Connected());
    EXPECT_TRUE(connection.AppServer().IsEmpty());
  }
}

TEST_F(RemoteCallTest, NoServerListeningIsASocketErrorNamingTheAddress) {
  std::uint16_t port = 0;
  qv::net::ListenTcp("127.0.0.1", 0, &port).Reset();  // a port nobody listens on now
  qv::TSocketConnection connection;
  connection.SetAddress("127.0.0.1");
  connection.SetPort(port);
  connection.SetServerName("Test.Server");
  try {
    connection.SetConnected(true);
    FAIL() << "connected";
  } catch (const qv::ESocketError& e) {
    EXPECT_EQ(e.ErrorCode, ECONNREFUSED);
    EXPECT_EQ(e.Message(), "Socket error " + std::to_string(ECONNREFUSED) + ": " +
                               qv::net::SystemErrorText(ECONNREFUSED) +
                               " (127.0.0.1:" + std::to_string(port) + ")");
  }
  EXPECT_FALSE(connection.Connected());
}

TEST_F(RemoteCallTest, ServerStoppedInTheMiddleOfACall) {
  auto connection = Connect();
  Variant server = connection->AppServer();
  std::string error;
  std::thread caller([&] { error = MessageOf<qv::ESocketError>([&] { server.Call("Block"); }); });
  gate_->WaitUntilEntered();
  // Stopping waits for the running call; the client learns at once.
  std::thread stopper([&] { server_->Stop(); });
  caller.join();
  gate_->Release();
  stopper.join();

  EXPECT_NE(error.find("the server closed the connection during the call to Block"),
            std::string::npos)
      << error;
  EXPECT_FALSE(connection->Connected());
  const std::string later = MessageOf<qv::ESocketError>([&] { server.Call("Next"); });
  EXPECT_NE(later.find("not connected"), std::string::npos) << later;
}

TEST_F(RemoteCallTest, ServerGoneBetweenCallsAndSlowRepliesFailTheNextCall) {
  auto idle = Connect();
  auto slow = Connect();
  slow->SetCallTimeout(300);
  // The reply does not come in time: the connection cannot be trusted any more.
  const std::string timedOut =
      MessageOf<qv::ESocketError>([&] { slow->AppServer().Call("Block"); });
  EXPECT_NE(timedOut.find("no reply to the call to Block within 300 ms"), std::string::npos)
      << timedOut;
  EXPECT_FALSE(slow->Connected());
  gate_->Release();

  server_->Stop();
  EXPECT_THROW(idle->AppServer().Call("Next"), qv::ESocketError);
  EXPECT_FALSE(idle->Connected());
}

TEST_F(RemoteCallTest, ClosingTheConnectionDropsTheServerObject) {
  auto connection = Connect();
  Variant kept = connection->AppServer();
  EXPECT_EQ(kept.Call("Next").AsInteger(), 1);
  connection->SetConnected(false);
  EXPECT_TRUE(connection->AppServer().IsEmpty());
  EXPECT_THROW(kept.Call("Next"), qv::ESocketError);
  // Opened again: a new object on the server.
  connection->Open();
  EXPECT_EQ(connection->AppServer().Call("Next").AsInteger(), 1);
}

// What a raw client sends after opening, and what the server must log.
struct RawCase {
  const char* label;
  std::vector<std::uint8_t> bytes;
  const char* logged;
};

std::vector<std::uint8_t> Frame(const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out(body.size() + 4);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(body.size() >> (8 * i));
  std::copy(body.begin(), body.end(), out.begin() + 4);
  return out;
}

TEST_F(RemoteCallTest, ABadFrameEndsOnlyItsOwnConnection) {
  auto bystander = Connect();
  std::vector<std::uint8_t> halfFrame = qv::wire::EncodeCall({1, "Next", {}, {}});
  halfFrame.resize(halfFrame.size() - 3);
  const RawCase cases[] = {
      {"oversized", {0x00, 0x00, 0x00, 0x04, qv::wire::kVersion, 3}, "exceeds the limit of 65536"},
      {"wrong version", Frame({9, 3, 0, 0}), "Unsupported frame version 9"},
      {"garbage call", Frame({qv::wire::kVersion, 3, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}),
       "Malformed frame"},
      {"an open frame again", qv::wire::EncodeOpen({"Test.Server"}), "Unexpected open frame"},
      {"client gone in the middle of a frame", halfFrame, "in the middle of a frame"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    qv::net::SocketHandle raw = qv::net::ConnectTcp("127.0.0.1", server_->Port(), 5000);
    const qv::wire::Bytes open = qv::wire::EncodeOpen({"Test.Server"});
    qv::net::SendAll(raw.Get(), open.data(), open.size(), 5000);
    std::vector<std::uint8_t> body;
    ASSERT_EQ(qv::net::ReadFrame(raw.Get(), 1 << 20, 5000, 5000, body), qv::net::ReadStatus::Ok);
    EXPECT_TRUE(qv::wire::DecodeOpenReply(body).ok);

    qv::net::SendAll(raw.Get(), c.bytes.data(), c.bytes.size(), 5000);
    if (std::string(c.label).starts_with("client gone")) {
      raw.Reset();
    } else {
      // The server answers with its reason, then closes.
      ASSERT_EQ(qv::net::ReadFrame(raw.Get(), 1 << 20, 5000, 5000, body), qv::net::ReadStatus::Ok);
      const qv::wire::CallReply refusal = qv::wire::DecodeReply(body);
      EXPECT_FALSE(refusal.ok);
      EXPECT_NE(refusal.errorMessage.find(c.logged), std::string::npos) << refusal.errorMessage;
      EXPECT_EQ(qv::net::ReadFrame(raw.Get(), 1 << 20, 5000, 5000, body),
                qv::net::ReadStatus::Closed);
    }
    EXPECT_TRUE(LogHas(c.logged));
    EXPECT_EQ(bystander->AppServer().Call("Echo", {"still here"}).AsString(), "still here");
  }
}

TEST_F(RemoteCallTest, AClientFrameOverTheServersLimitIsRefusedWithItsReason) {
  auto connection = Connect();
  const std::string message = MessageOf<qv::ESocketError>(
      [&] { connection->AppServer().Call("Echo", {std::string(kServerFrameLimit, 'x')}); });
  EXPECT_NE(message.find("the server refused the call to Echo: Frame of"), std::string::npos)
      << message;
  EXPECT_FALSE(connection->Connected());
  EXPECT_TRUE(LogHas("exceeds the limit"));
}

TEST(RemoteServer, ConnectionsBeyondTheLimitAreTurnedAwayUntilOneEnds) {
  qv::TRemoteServer::Options options;
  options.maxConnections = 2;
  options.log = [](const std::string&) {};
  options.createObject = [](const std::string&) {
    return Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<TServerObject>(nullptr)));
  };
  qv::TRemoteServer server(options);
  server.Start();
  auto open = [&](qv::TSocketConnection& c) {
    c.SetAddress("127.0.0.1");
    c.SetPort(server.Port());
    c.SetServerName("Test.Server");
    c.Open();
  };
  qv::TSocketConnection first, second, third;
  open(first);
  open(second);
  EXPECT_THROW(open(third), qv::ESocketError);
  EXPECT_FALSE(third.Connected());

  first.Close();
  for (int i = 0; i < 1000 && server.ConnectionCount() > 1; ++i) std::this_thread::sleep_for(10ms);
  open(third);
  EXPECT_EQ(third.AppServer().Call("Next").AsInteger(), 1);
  EXPECT_EQ(second.AppServer().Call("Next").AsInteger(), 1);
}

TEST(RemoteServer, CreatesObjectsByProgIdFromTheRegistry) {
  ravlet::testing::TempInstall install;
  install.WriteRegistry(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CLASSES_ROOT\\QvTest.Counter]\r\n"
      "\"Library\"=\"qvtest_objects.dll\"\r\n"
      "\"Factory\"=\"CreateQvTestObject\"\r\n");
  qv::TRemoteServer::Options options;
  options.log = [](const std::string&) {};
  qv::TRemoteServer server(options);
  server.Start();
  qv::TSocketConnection connection;
  connection.SetAddress("127.0.0.1");
  connection.SetPort(server.Port());
  connection.SetServerName("QvTest.Counter");
  connection.Open();
  EXPECT_EQ(connection.AppServer().Call("Add", {2, 3}).AsInteger(), 5);

  qv::TSocketConnection unknown;
  unknown.SetAddress("127.0.0.1");
  unknown.SetPort(server.Port());
  unknown.SetServerName("QvTest.Unknown");
  EXPECT_THROW(unknown.Open(), qv::EOleError);
}

}  // namespace
