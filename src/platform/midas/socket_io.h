#pragma once
// TCP sockets for the remote-call connection and server: an owning handle,
// connecting and listening by address text, and reading and writing whole
// frames with deadlines. Failures carry the system's error number and text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/exception.h"

namespace qv {

// A socket failure: "Socket error 111: Connection refused (127.0.0.2:211)".
class ESocketError : public Exception {
 public:
  ESocketError(int code, std::string message) : Exception(std::move(message)), ErrorCode(code) {}
  std::string ClassName() const override { return "ESocketError"; }
  int ErrorCode;
};

namespace net {

// Owns a socket descriptor; closes it on destruction.
class SocketHandle {
 public:
  SocketHandle() noexcept = default;
  explicit SocketHandle(int fd) noexcept : fd_(fd) {}
  SocketHandle(SocketHandle&& other) noexcept : fd_(other.Release()) {}
  SocketHandle& operator=(SocketHandle&& other) noexcept;
  ~SocketHandle() { Reset(); }
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;

  int Get() const noexcept { return fd_; }
  explicit operator bool() const noexcept { return fd_ >= 0; }
  int Release() noexcept;
  void Reset() noexcept;
  // Ends both directions without closing, so a thread blocked on the socket
  // wakes up; the descriptor stays valid until Reset.
  void Shutdown() const noexcept;

 private:
  int fd_ = -1;
};

// "host:port", with brackets around IPv6 addresses.
std::string EndpointText(const std::string& host, std::uint16_t port);

// The text of a system error number.
std::string SystemErrorText(int error);

// Connects within timeoutMs (0: the system's own timeout). ESocketError on
// failure, naming the address.
SocketHandle ConnectTcp(const std::string& host, std::uint16_t port, int timeoutMs);

// Listens on the address and port (0: any free port, reported in boundPort).
SocketHandle ListenTcp(const std::string& bindAddress, std::uint16_t port,
                       std::uint16_t* boundPort);

// The peer of a connected socket as "address:port".
std::string PeerText(int fd);

// Sends all bytes; ESocketError on failure or when timeoutMs (0: none) passes.
void SendAll(int fd, const std::uint8_t* data, std::size_t size, int timeoutMs);

enum class ReadStatus {
  Ok,
  Closed,        // the peer closed the connection before the first byte
  ClosedMidway,  // the peer closed it after some bytes had come
  TimedOut,      // the deadline passed
};

// Reads exactly size bytes. Before the first byte waits up to firstByteMs
// (negative: without limit); once data has begun, the rest must come within
// restMs. ESocketError for a socket failure.
ReadStatus ReadExact(int fd, std::uint8_t* data, std::size_t size, int firstByteMs, int restMs);

// Reads one frame (see wire_format.h) into body, its length prefix checked
// against maxFrameSize before the body is read: EWireFormatError when it is
// out of range. Timeouts as for ReadExact.
ReadStatus ReadFrame(int fd, std::size_t maxFrameSize, int firstByteMs, int restMs,
                     std::vector<std::uint8_t>& body);

}  // namespace net
}  // namespace qv
