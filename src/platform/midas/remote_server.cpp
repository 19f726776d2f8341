#include "platform/midas/remote_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <iostream>
#include <list>
#include <mutex>
#include <thread>

#include "platform/automation/ole_error.h"
#include "platform/automation/ole_object.h"
#include "platform/midas/socket_io.h"
#include "platform/midas/wire_format.h"

namespace qv {

namespace {

struct Connection {
  net::SocketHandle socket;
  std::string peer;
  std::thread thread;
  std::atomic<bool> done{false};
};

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The class a client is told for a failure: for an automation error that
// wraps another, the class of the one behind it.
std::string ErrorClassOf(const Exception& e) {
  if (const auto* ole = dynamic_cast<const EOleException*>(&e)) return ole->Source();
  return e.ClassName();
}

}  // namespace

struct TRemoteServer::State {
  Options options;
  net::SocketHandle listener;
  net::SocketHandle wakeRead;
  net::SocketHandle wakeWrite;
  std::uint16_t port = 0;
  std::thread acceptThread;
  std::atomic<bool> active{false};

  std::mutex connectionsMutex;
  std::list<std::unique_ptr<Connection>> connections;
  std::mutex logMutex;

  void Log(const std::string& line) {
    std::lock_guard lock(logMutex);
    if (options.log) {
      options.log(line);
    } else {
      std::cerr << "ravlet-appserver: " << line << std::endl;
    }
  }

  void AcceptLoop();
  void ReapFinished();
  std::size_t ConnectionCount();
  void Serve(Connection& connection);
  bool OpenObject(Connection& connection, Variant& object);
  bool ServeCall(Connection& connection, const Variant& object, std::vector<std::uint8_t>& body);
  // Sends a refusal before the connection is dropped.
  void Refuse(Connection& connection, const wire::Bytes& frame);
};

void TRemoteServer::State::AcceptLoop() {
  for (;;) {
    pollfd fds[2] = {{listener.Get(), POLLIN, 0}, {wakeRead.Get(), POLLIN, 0}};
    const int rc = poll(fds, 2, -1);
    if (rc < 0) {
      if (errno == EINTR) continue;
      Log("accepting stopped: " + net::SystemErrorText(errno));
      return;
    }
    if (fds[1].revents != 0) return;
    if ((fds[0].revents & POLLIN) == 0) continue;
    net::SocketHandle socket(accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!socket) {
      const int error = errno;
      if (error == EINTR || error == ECONNABORTED || error == EAGAIN) continue;
      Log("accept failed: " + net::SystemErrorText(error));
      // Out of descriptors or memory: give the connections a moment to end.
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      continue;
    }
    ReapFinished();
    if (ConnectionCount() >= options.maxConnections) {
      Log("connection from " + net::PeerText(socket.Get()) + " refused: already " +
          std::to_string(options.maxConnections) + " connections");
      continue;
    }
    auto connection = std::make_unique<Connection>();
    connection->peer = net::PeerText(socket.Get());
    connection->socket = std::move(socket);
    Connection& ref = *connection;
    std::lock_guard lock(connectionsMutex);
    connections.push_back(std::move(connection));
    ref.thread = std::thread([this, &ref] {
      Serve(ref);
      ref.done = true;
    });
  }
}

void TRemoteServer::State::ReapFinished() {
  std::list<std::unique_ptr<Connection>> finished;
  {
    std::lock_guard lock(connectionsMutex);
    for (auto it = connections.begin(); it != connections.end();) {
      if ((*it)->done) {
        finished.push_back(std::move(*it));
        it = connections.erase(it);
      } else {
        ++it;
      }
    }
  }
  for (auto& c : finished) c->thread.join();
}

void TRemoteServer::State::Refuse(Connection& connection, const wire::Bytes& frame) {
  const int fd = connection.socket.Get();
  try {
    net::SendAll(fd, frame.data(), frame.size(), options.frameTimeoutMs);
  } catch (const ESocketError&) {
    return;  // the client is gone; the reason was logged
  }
  // Closing with unread bytes would reset the connection and could destroy
  // the refusal before the client reads it: finish sending, then drain what
  // the client still sends for a short while.
  shutdown(fd, SHUT_WR);
  std::vector<std::uint8_t> sink(64 * 1024);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    try {
      if (net::ReadExact(fd, sink.data(), 1, static_cast<int>(left.count()), 0) !=
          net::ReadStatus::Ok) {
        return;
      }
    } catch (const ESocketError&) {
      return;
    }
    if (recv(fd, sink.data(), sink.size(), MSG_DONTWAIT) == 0) return;
  }
}

void TRemoteServer::State::Serve(Connection& connection) {
  Log("connection from " + connection.peer);
  Variant object;
  try {
    if (OpenObject(connection, object)) {
      std::vector<std::uint8_t> body;
      while (ServeCall(connection, object, body)) {
      }
    }
  } catch (const std::exception& e) {
    Log("connection " + connection.peer + " ended: " + e.what());
  }
  // The object goes with its connection, on this thread.
  object = Variant();
  Log("connection from " + connection.peer + " closed");
}

bool TRemoteServer::State::OpenObject(Connection& connection, Variant& object) {
  const int fd = connection.socket.Get();
  std::vector<std::uint8_t> body;
  wire::OpenRequest open;
  try {
    const net::ReadStatus status = net::ReadFrame(fd, options.maxFrameSize, options.frameTimeoutMs,
                                                  options.frameTimeoutMs, body);
    if (status != net::ReadStatus::Ok) {
      Log("connection " + connection.peer + ": no server name was asked for (" +
          (status == net::ReadStatus::TimedOut ? "timed out" : "closed") + ")");
      return false;
    }
    open = wire::DecodeOpen(body);
  } catch (const EWireFormatError& e) {
    Log("connection " + connection.peer + " dropped: " + e.Message());
    Refuse(connection, wire::EncodeOpenReply({false, e.ClassName(), e.Message()}));
    return false;
  }

  wire::OpenReply reply;
  if (!options.allowedServers.empty()) {
    bool allowed = false;
    for (const auto& name : options.allowedServers) allowed |= SameTextAscii(name, open.serverName);
    if (!allowed) {
      reply = {false, "EOleError", "Server \"" + open.serverName + "\" is not offered here"};
    }
  }
  if (reply.ok) {
    try {
      object = options.createObject ? options.createObject(open.serverName)
                                    : CreateOleObject(open.serverName);
      if (!object.IsDispatch()) {
        throw EOleError("Server \"" + open.serverName + "\" made no automation object");
      }
    } catch (const Exception& e) {
      reply = {false, ErrorClassOf(e), e.Message()};
    } catch (const std::exception& e) {
      reply = {false, "Exception", e.what()};
    }
  }
  if (!reply.ok) Log("connection " + connection.peer + ": " + reply.errorMessage);
  const wire::Bytes frame = wire::EncodeOpenReply(reply);
  net::SendAll(fd, frame.data(), frame.size(), options.frameTimeoutMs);
  if (reply.ok) Log("connection " + connection.peer + " opened " + open.serverName);
  return reply.ok;
}

bool TRemoteServer::State::ServeCall(Connection& connection, const Variant& object,
                                     std::vector<std::uint8_t>& body) {
  const int fd = connection.socket.Get();
  wire::CallRequest call;
  try {
    const net::ReadStatus status =
        net::ReadFrame(fd, options.maxFrameSize, -1, options.frameTimeoutMs, body);
    switch (status) {
      case net::ReadStatus::Ok:
        break;
      case net::ReadStatus::Closed:
        return false;
      case net::ReadStatus::ClosedMidway:
        Log("connection " + connection.peer +
            " dropped: the client went away in the middle of a frame");
        return false;
      case net::ReadStatus::TimedOut:
        Log("connection " + connection.peer + " dropped: a frame was not completed within " +
            std::to_string(options.frameTimeoutMs) + " ms");
        return false;
    }
    call = wire::DecodeCall(body);
  } catch (const EWireFormatError& e) {
    Log("connection " + connection.peer + " dropped: " + e.Message());
    wire::CallReply refusal;
    refusal.ok = false;
    refusal.errorClass = e.ClassName();
    refusal.errorMessage = e.Message();
    Refuse(connection, wire::EncodeReply(refusal));
    return false;
  }

  // The arguments live here; by-reference ones are handed to the object as
  // references so that it can change them, and their values go back.
  std::vector<Variant> values;
  values.reserve(call.args.size());
  for (auto& arg : call.args) values.push_back(std::move(arg.value));
  std::vector<DispatchArg> args;
  args.reserve(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (call.args[i].byRef) {
      args.emplace_back(VarRef(values[i]));
    } else {
      args.emplace_back(values[i]);
    }
  }

  wire::CallReply reply;
  reply.callId = call.callId;
  try {
    reply.result = object.AsDispatch()->Invoke(call.operation, call.kind, args);
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (call.args[i].byRef) reply.refs.emplace_back(static_cast<std::uint32_t>(i), values[i]);
    }
  } catch (const Exception& e) {
    reply.ok = false;
    reply.errorClass = ErrorClassOf(e);
    reply.errorMessage = e.Message();
  } catch (const std::exception& e) {
    reply.ok = false;
    reply.errorClass = "Exception";
    reply.errorMessage = e.what();
  }
  wire::Bytes frame;
  try {
    frame = wire::EncodeReply(reply, options.maxFrameSize);
  } catch (const EWireFormatError& e) {
    // The call ran but its result cannot travel: the client learns why.
    wire::CallReply failure;
    failure.callId = call.callId;
    failure.ok = false;
    failure.errorClass = e.ClassName();
    failure.errorMessage = "The result of " + call.operation + " cannot be sent: " + e.Message();
    frame = wire::EncodeReply(failure, options.maxFrameSize);
  }
  net::SendAll(fd, frame.data(), frame.size(), options.frameTimeoutMs);
  return true;
}

TRemoteServer::TRemoteServer(Options options) : state_(std::make_unique<State>()) {
  state_->options = std::move(options);
}

TRemoteServer::~TRemoteServer() {
  Stop();
}

void TRemoteServer::Start() {
  if (state_->active) return;
  State& s = *state_;
  s.listener = net::ListenTcp(s.options.bindAddress, s.options.port, &s.port);
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    const int error = errno;
    s.listener.Reset();
    throw ESocketError(error, "Socket error " + std::to_string(error) + ": " +
                                  net::SystemErrorText(error) + " (creating the stop signal)");
  }
  s.wakeRead = net::SocketHandle(pipeFds[0]);
  s.wakeWrite = net::SocketHandle(pipeFds[1]);
  s.active = true;
  s.acceptThread = std::thread([&s] { s.AcceptLoop(); });
  s.Log("listening on " + net::EndpointText(s.options.bindAddress, s.port));
}

void TRemoteServer::Stop() {
  State& s = *state_;
  if (!s.active.exchange(false)) return;
  const char wake = 1;
  [[maybe_unused]] ssize_t written = write(s.wakeWrite.Get(), &wake, 1);
  s.acceptThread.join();
  s.listener.Reset();
  std::list<std::unique_ptr<Connection>> all;
  {
    std::lock_guard lock(s.connectionsMutex);
    all.swap(s.connections);
  }
  for (auto& c : all) c->socket.Shutdown();
  for (auto& c : all) c->thread.join();
  all.clear();
  s.wakeRead.Reset();
  s.wakeWrite.Reset();
  s.Log("stopped");
}

bool TRemoteServer::Active() const {
  return state_->active;
}

std::uint16_t TRemoteServer::Port() const {
  return state_->port;
}

std::size_t TRemoteServer::State::ConnectionCount() {
  std::lock_guard lock(connectionsMutex);
  std::size_t n = 0;
  for (const auto& c : connections) n += c->done ? 0 : 1;
  return n;
}

std::size_t TRemoteServer::ConnectionCount() const {
  return state_->ConnectionCount();
}

}  // namespace qv
