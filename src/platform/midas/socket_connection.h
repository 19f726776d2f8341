#pragma once
// TSocketConnection: the client side of an application server reached over
// TCP (see remote_server.h). Open connects to Address:Port, asks the server to
// create the object named ServerName and makes AppServer a dispatch variant
// whose calls travel to that object: arguments by value or by reference (the
// new values of by-reference arguments are written back to the caller's
// variables), results, and the error class and text of a failed call, which is
// raised here as an EOleException.
//
// A transport failure — connection refused, a timeout, the server gone in the
// middle of a call, a malformed reply — raises ESocketError with the system's
// error and the address ("Socket error 111: Connection refused
// (127.0.0.2:211)") and leaves the connection closed.
//
// The connection itself never creates objects in process; a caller that does
// so can hand its object over with SetAppServer. One call runs at a time; the
// connection is meant for one thread, like the window that owns it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/midas/socket_io.h"
#include "platform/variant/variant.h"

namespace qv {

// Brokers that pick a server among several are not supported; the type exists
// so that "no broker" can be said.
class TSimpleObjectBroker;

namespace socket_detail {
struct SocketChannel;
}

class TSocketConnection {
 public:
  TSocketConnection();
  ~TSocketConnection();
  TSocketConnection(const TSocketConnection&) = delete;
  TSocketConnection& operator=(const TSocketConnection&) = delete;

  const std::string& Address() const noexcept { return address_; }
  void SetAddress(std::string address) { address_ = std::move(address); }
  int Port() const noexcept { return port_; }
  void SetPort(int port) noexcept { port_ = port; }
  const std::string& ServerName() const noexcept { return serverName_; }
  void SetServerName(std::string name) { serverName_ = std::move(name); }
  bool SupportCallbacks() const noexcept { return supportCallbacks_; }
  void SetSupportCallbacks(bool on) noexcept { supportCallbacks_ = on; }
  TSimpleObjectBroker* ObjectBroker() const noexcept { return objectBroker_; }
  void SetObjectBroker(TSimpleObjectBroker* broker) noexcept { objectBroker_ = broker; }

  // Limits in milliseconds: establishing the connection, and waiting for the
  // reply of a call (0: no limit; a change applies to the next call).
  int ConnectTimeout() const noexcept { return connectTimeoutMs_; }
  void SetConnectTimeout(int ms) noexcept { connectTimeoutMs_ = ms; }
  int CallTimeout() const noexcept { return callTimeoutMs_; }
  void SetCallTimeout(int ms) noexcept;
  std::size_t MaxFrameSize() const noexcept { return maxFrameSize_; }
  void SetMaxFrameSize(std::size_t bytes) noexcept { maxFrameSize_ = bytes; }

  // True from a successful Open until Close or a transport failure.
  bool Connected() const noexcept;
  // Open for true, Close for false.
  void SetConnected(bool connected);
  // Nothing to do when connected. ESocketError for a transport failure or
  // settings that cannot work (no address or server name, a port out of
  // range, callbacks or a broker asked for); EOleError when the server cannot
  // create the object (its text, e.g. "Invalid class string").
  void Open();
  // Drops the connection and the application server; nothing when closed.
  void Close();

  // The remote object while connected, or the object given by SetAppServer;
  // Empty otherwise.
  const Variant& AppServer() const noexcept { return appServer_; }
  // Uses an object made elsewhere (e.g. in process) as the application
  // server; the connection is not opened for it.
  void SetAppServer(Variant appServer) { appServer_ = std::move(appServer); }

 private:
  std::string address_;
  int port_ = 211;
  std::string serverName_;
  bool supportCallbacks_ = false;
  TSimpleObjectBroker* objectBroker_ = nullptr;
  int connectTimeoutMs_ = 10000;
  int callTimeoutMs_ = 120000;
  std::size_t maxFrameSize_;
  std::shared_ptr<socket_detail::SocketChannel> channel_;
  Variant appServer_;
};

}  // namespace qv
