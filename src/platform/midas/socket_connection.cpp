#include "platform/midas/socket_connection.h"

#include <atomic>
#include <cerrno>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/automation/ole_error.h"
#include "platform/midas/wire_format.h"

namespace qv {

namespace socket_detail {

// What the connection and its remote object share: the object may outlive the
// connection (a caller keeps the variant), and then fails cleanly.
struct SocketChannel {
  std::mutex callMutex;  // one call on the socket at a time
  net::SocketHandle socket;
  std::atomic<bool> connected{false};
  std::string endpoint;
  std::string serverName;
  std::atomic<int> callTimeoutMs{0};
  std::size_t maxFrameSize = wire::kMaxFrameSize;
  std::uint32_t nextCallId = 1;

  // Called with callMutex held.
  [[noreturn]] void Fail(int code, const std::string& what) {
    connected = false;
    socket.Reset();
    throw ESocketError(code, "Socket error" + (code != 0 ? " " + std::to_string(code) : "") + ": " +
                                 what + " (" + endpoint + ")");
  }

  // Sends a frame and reads the reply body; a transport failure closes the
  // channel. Called with callMutex held.
  std::vector<std::uint8_t> Exchange(const wire::Bytes& frame, const std::string& what) {
    try {
      net::SendAll(socket.Get(), frame.data(), frame.size(), callTimeoutMs);
    } catch (const ESocketError& e) {
      Fail(e.ErrorCode, net::SystemErrorText(e.ErrorCode) + " while sending " + what);
    }
    std::vector<std::uint8_t> body;
    net::ReadStatus status;
    const int limit = callTimeoutMs;
    const int wait = limit > 0 ? limit : -1;
    try {
      status = net::ReadFrame(socket.Get(), maxFrameSize, wait, wait, body);
    } catch (const ESocketError& e) {
      Fail(e.ErrorCode,
           net::SystemErrorText(e.ErrorCode) + " while waiting for the reply to " + what);
    } catch (const EWireFormatError& e) {
      Fail(0, "the server's reply to " + what + " is unusable: " + e.Message());
    }
    switch (status) {
      case net::ReadStatus::Ok:
        break;
      case net::ReadStatus::Closed:
      case net::ReadStatus::ClosedMidway:
        Fail(ECONNRESET, "the server closed the connection during " + what);
      case net::ReadStatus::TimedOut:
        Fail(ETIMEDOUT, "no reply to " + what + " within " + std::to_string(wait) + " ms");
    }
    return body;
  }
};

}  // namespace socket_detail

namespace {

using socket_detail::SocketChannel;

class TRemoteObject : public IDispatch {
 public:
  TRemoteObject(std::shared_ptr<SocketChannel> channel, std::string serverName)
      : channel_(std::move(channel)), serverName_(std::move(serverName)) {}

  std::string ClassName() const override { return serverName_ + " (remote)"; }

  Variant Invoke(std::string_view name, DispatchKind kind, std::span<DispatchArg> args) override;

 private:
  std::shared_ptr<SocketChannel> channel_;
  std::string serverName_;
};

}  // namespace

Variant TRemoteObject::Invoke(std::string_view name, DispatchKind kind,
                              std::span<DispatchArg> args) {
  auto& ch = *channel_;
  std::lock_guard lock(ch.callMutex);
  const std::string what = "the call to " + std::string(name);
  if (!ch.connected) {
    throw ESocketError(ENOTCONN, "Socket error: not connected to the application server; " + what +
                                     " cannot be made (" + ch.endpoint + ")");
  }
  wire::CallRequest call;
  call.callId = ch.nextCallId++;
  if (ch.nextCallId == 0) ch.nextCallId = 1;  // 0 marks the server's refusals
  call.operation = std::string(name);
  call.kind = kind;
  call.args.reserve(args.size());
  for (const DispatchArg& arg : args) call.args.push_back({arg.IsByRef(), arg.Value()});
  // Encoding failures (an object as argument, too much data) leave the
  // connection as it is: nothing was sent.
  const wire::Bytes frame = wire::EncodeCall(call, ch.maxFrameSize);

  const std::vector<std::uint8_t> body = ch.Exchange(frame, what);
  wire::CallReply reply;
  try {
    reply = wire::DecodeReply(body);
  } catch (const EWireFormatError& e) {
    ch.Fail(0, "the server's reply to " + what + " is unusable: " + e.Message());
  }
  if (reply.callId == 0 && !reply.ok) {
    ch.Fail(0, "the server refused " + what + ": " + reply.errorMessage);
  }
  if (reply.callId != call.callId) {
    ch.Fail(0, "the server answered call " + std::to_string(reply.callId) + " instead of " +
                   std::to_string(call.callId));
  }
  if (!reply.ok) throw EOleException(reply.errorMessage, reply.errorClass);
  for (const auto& [index, value] : reply.refs) {
    if (index >= args.size() || !args[index].IsByRef()) {
      ch.Fail(0, "the server's reply to " + what + " changes argument " +
                     std::to_string(index + 1) + ", which was not passed by reference");
    }
  }
  for (auto& [index, value] : reply.refs) args[index].Value() = std::move(value);
  return std::move(reply.result);
}

TSocketConnection::TSocketConnection() : maxFrameSize_(wire::kMaxFrameSize) {}

TSocketConnection::~TSocketConnection() {
  Close();
}

void TSocketConnection::SetCallTimeout(int ms) noexcept {
  callTimeoutMs_ = ms;
  if (channel_) channel_->callTimeoutMs = ms;
}

bool TSocketConnection::Connected() const noexcept {
  return channel_ && channel_->connected;
}

void TSocketConnection::SetConnected(bool connected) {
  if (connected) {
    Open();
  } else {
    Close();
  }
}

void TSocketConnection::Open() {
  if (Connected()) return;
  Close();
  const std::string endpoint = net::EndpointText(address_, static_cast<std::uint16_t>(port_));
  auto settingError = [&](const std::string& text) {
    return ESocketError(0, "Socket error: " + text + " (" + endpoint + ")");
  };
  if (address_.empty()) throw settingError("no address of the application server");
  if (port_ <= 0 || port_ > 65535)
    throw settingError("port " + std::to_string(port_) + " is out of range");
  if (serverName_.empty()) throw settingError("no server name to open");
  if (supportCallbacks_) throw settingError("callbacks from the server are not supported");
  if (objectBroker_ != nullptr) throw settingError("object brokers are not supported");

  auto channel = std::make_shared<SocketChannel>();
  channel->endpoint = net::EndpointText(address_, static_cast<std::uint16_t>(port_));
  channel->serverName = serverName_;
  channel->callTimeoutMs = callTimeoutMs_;
  channel->maxFrameSize = maxFrameSize_;
  channel->socket = net::ConnectTcp(address_, static_cast<std::uint16_t>(port_), connectTimeoutMs_);
  channel->connected = true;

  std::lock_guard lock(channel->callMutex);
  const wire::Bytes frame = wire::EncodeOpen({serverName_}, maxFrameSize_);
  const std::vector<std::uint8_t> body = channel->Exchange(frame, "opening " + serverName_);
  wire::OpenReply reply;
  try {
    reply = wire::DecodeOpenReply(body);
  } catch (const EWireFormatError& e) {
    channel->Fail(0,
                  "the server's reply to opening " + serverName_ + " is unusable: " + e.Message());
  }
  if (!reply.ok) {
    channel->connected = false;
    channel->socket.Reset();
    throw EOleException(reply.errorMessage, reply.errorClass);
  }
  channel_ = channel;
  appServer_ =
      Variant(std::shared_ptr<IDispatch>(std::make_shared<TRemoteObject>(channel, serverName_)));
}

void TSocketConnection::Close() {
  appServer_ = Variant();
  if (!channel_) return;
  auto channel = std::move(channel_);
  std::lock_guard lock(channel->callMutex);
  channel->connected = false;
  channel->socket.Reset();
}

}  // namespace qv
