#include "platform/midas/socket_io.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

#include "platform/midas/wire_format.h"

namespace qv::net {

namespace {

using Clock = std::chrono::steady_clock;

// Both variants of strerror_r: the GNU one returns the text, the XSI one fills buf.
[[maybe_unused]] std::string StrErrorResult(const char* text, const char*) {
  return text;
}
[[maybe_unused]] std::string StrErrorResult(int, const char* buf) {
  return buf;
}

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const noexcept { freeaddrinfo(list); }
};
using AddrInfoList = std::unique_ptr<addrinfo, AddrInfoDeleter>;

[[noreturn]] void Fail(int error, const std::string& endpoint) {
  throw ESocketError(error, "Socket error " + std::to_string(error) + ": " +
                                SystemErrorText(error) + " (" + endpoint + ")");
}

AddrInfoList Resolve(const std::string& host, std::uint16_t port, bool passive) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV | (passive ? AI_PASSIVE : 0);
  addrinfo* list = nullptr;
  const std::string service = std::to_string(port);
  const int rc = getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &list);
  if (rc != 0) {
    const int error = rc == EAI_SYSTEM ? errno : 0;
    throw ESocketError(error, "Socket error: host \"" + host + "\" cannot be resolved: " +
                                  gai_strerror(rc) + " (" + EndpointText(host, port) + ")");
  }
  return AddrInfoList(list);
}

int RemainingMs(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}

// 1 ready, 0 timed out; ESocketError on failure. timeoutMs < 0 waits forever.
int WaitFor(int fd, short events, int timeoutMs) {
  pollfd p{fd, events, 0};
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    const int rc = poll(&p, 1, timeoutMs < 0 ? -1 : RemainingMs(deadline));
    if (rc > 0) return 1;
    if (rc == 0) return 0;
    if (errno != EINTR) Fail(errno, PeerText(fd));
  }
}

void SetNonBlocking(int fd, bool on) {
  const int flags = fcntl(fd, F_GETFL, 0);
  if (flags >= 0) fcntl(fd, F_SETFL, on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}

}  // namespace

SocketHandle& SocketHandle::operator=(SocketHandle&& other) noexcept {
  if (this != &other) {
    Reset();
    fd_ = other.Release();
  }
  return *this;
}

int SocketHandle::Release() noexcept {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

void SocketHandle::Reset() noexcept {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

void SocketHandle::Shutdown() const noexcept {
  if (fd_ >= 0) shutdown(fd_, SHUT_RDWR);
}

std::string EndpointText(const std::string& host, std::uint16_t port) {
  if (host.find(':') != std::string::npos) return "[" + host + "]:" + std::to_string(port);
  return host + ":" + std::to_string(port);
}

std::string SystemErrorText(int error) {
  std::array<char, 256> buf{};
  return StrErrorResult(strerror_r(error, buf.data(), buf.size()), buf.data());
}

SocketHandle ConnectTcp(const std::string& host, std::uint16_t port, int timeoutMs) {
  const std::string endpoint = EndpointText(host, port);
  if (host.empty()) {
    throw ESocketError(0, "Socket error: no address to connect to (" + endpoint + ")");
  }
  AddrInfoList list = Resolve(host, port, false);
  int lastError = ECONNREFUSED;
  for (addrinfo* ai = list.get(); ai != nullptr; ai = ai->ai_next) {
    SocketHandle s(socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC, ai->ai_protocol));
    if (!s) {
      lastError = errno;
      continue;
    }
    SetNonBlocking(s.Get(), true);
    int rc = connect(s.Get(), ai->ai_addr, ai->ai_addrlen);
    if (rc != 0 && errno == EINPROGRESS) {
      if (WaitFor(s.Get(), POLLOUT, timeoutMs > 0 ? timeoutMs : -1) == 0) {
        lastError = ETIMEDOUT;
        continue;
      }
      int soError = 0;
      socklen_t len = sizeof soError;
      getsockopt(s.Get(), SOL_SOCKET, SO_ERROR, &soError, &len);
      rc = soError == 0 ? 0 : -1;
      errno = soError;
    }
    if (rc != 0) {
      lastError = errno;
      continue;
    }
    SetNonBlocking(s.Get(), false);
    int one = 1;
    setsockopt(s.Get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return s;
  }
  Fail(lastError, endpoint);
}

SocketHandle ListenTcp(const std::string& bindAddress, std::uint16_t port,
                       std::uint16_t* boundPort) {
  const std::string endpoint = EndpointText(bindAddress, port);
  AddrInfoList list = Resolve(bindAddress, port, true);
  int lastError = EADDRNOTAVAIL;
  for (addrinfo* ai = list.get(); ai != nullptr; ai = ai->ai_next) {
    SocketHandle s(socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC, ai->ai_protocol));
    if (!s) {
      lastError = errno;
      continue;
    }
    int one = 1;
    setsockopt(s.Get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(s.Get(), ai->ai_addr, ai->ai_addrlen) != 0 || listen(s.Get(), SOMAXCONN) != 0) {
      lastError = errno;
      continue;
    }
    if (boundPort != nullptr) {
      sockaddr_storage addr{};
      socklen_t len = sizeof addr;
      getsockname(s.Get(), reinterpret_cast<sockaddr*>(&addr), &len);
      *boundPort =
          ntohs(addr.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port
                                           : reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
    }
    return s;
  }
  Fail(lastError, endpoint);
}

std::string PeerText(int fd) {
  sockaddr_storage addr{};
  socklen_t len = sizeof addr;
  if (getpeername(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return "unknown peer";
  std::array<char, INET6_ADDRSTRLEN> text{};
  if (addr.ss_family == AF_INET6) {
    const auto* a = reinterpret_cast<const sockaddr_in6*>(&addr);
    inet_ntop(AF_INET6, &a->sin6_addr, text.data(), text.size());
    return EndpointText(text.data(), ntohs(a->sin6_port));
  }
  const auto* a = reinterpret_cast<const sockaddr_in*>(&addr);
  inet_ntop(AF_INET, &a->sin_addr, text.data(), text.size());
  return EndpointText(text.data(), ntohs(a->sin_port));
}

void SendAll(int fd, const std::uint8_t* data, std::size_t size, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::size_t sent = 0;
  while (sent < size) {
    if (timeoutMs > 0 && WaitFor(fd, POLLOUT, RemainingMs(deadline)) == 0) {
      Fail(ETIMEDOUT, PeerText(fd));
    }
    const ssize_t n = send(fd, data + sent, size - sent, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno, PeerText(fd));
    }
    sent += static_cast<std::size_t>(n);
  }
}

ReadStatus ReadExact(int fd, std::uint8_t* data, std::size_t size, int firstByteMs, int restMs) {
  std::size_t got = 0;
  Clock::time_point deadline;
  while (got < size) {
    const int wait = got == 0 ? firstByteMs : RemainingMs(deadline);
    if (WaitFor(fd, POLLIN, wait) == 0) return ReadStatus::TimedOut;
    const ssize_t n = recv(fd, data + got, size - got, 0);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      if (errno == ECONNRESET) return got == 0 ? ReadStatus::Closed : ReadStatus::ClosedMidway;
      Fail(errno, PeerText(fd));
    }
    if (n == 0) return got == 0 ? ReadStatus::Closed : ReadStatus::ClosedMidway;
    if (got == 0) deadline = Clock::now() + std::chrono::milliseconds(restMs);
    got += static_cast<std::size_t>(n);
  }
  return ReadStatus::Ok;
}

ReadStatus ReadFrame(int fd, std::size_t maxFrameSize, int firstByteMs, int restMs,
                     std::vector<std::uint8_t>& body) {
  std::array<std::uint8_t, wire::kLengthSize> prefix{};
  ReadStatus status = ReadExact(fd, prefix.data(), prefix.size(), firstByteMs, restMs);
  if (status != ReadStatus::Ok) return status;
  const std::size_t length = wire::ReadFrameLength(prefix, maxFrameSize);
  // The buffer grows with the bytes that really come, not with the length a
  // peer merely announces.
  constexpr std::size_t kChunk = 1u << 20;
  body.clear();
  while (body.size() < length) {
    const std::size_t offset = body.size();
    const std::size_t chunk = std::min(kChunk, length - offset);
    body.resize(offset + chunk);
    status = ReadExact(fd, body.data() + offset, chunk, restMs, restMs);
    if (status != ReadStatus::Ok) {
      return status == ReadStatus::Closed ? ReadStatus::ClosedMidway : status;
    }
  }
  return ReadStatus::Ok;
}

}  // namespace qv::net
