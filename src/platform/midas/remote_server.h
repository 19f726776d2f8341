#pragma once
// TRemoteServer: serves automation objects to TSocketConnection clients over
// TCP. Each connection opens with a frame naming a server object (a ProgID);
// the server creates one object for that connection and runs the connection's
// calls on it, one at a time, on the connection's own thread. Objects are
// therefore never called from two threads at once by this server, but objects
// of different connections run concurrently: an object that shares storage
// with others (a database file, a counter) guards it itself.
//
// Frames are checked before anything is decoded (see wire_format.h). A frame
// that is malformed, larger than the limit, or cut short when its client goes
// away ends that one connection with a line in the server's log; the other
// connections go on.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/variant/variant.h"

namespace qv {

class TRemoteServer {
 public:
  struct Options {
    // Address to listen on: "127.0.0.1", "0.0.0.0", "::" or a host name.
    std::string bindAddress = "127.0.0.1";
    // 0 picks a free port; Port() tells which.
    std::uint16_t port = 0;
    // Largest frame accepted from a client, in bytes.
    std::size_t maxFrameSize = 64u << 20;
    // Connections beyond this many are closed at once (one thread each).
    std::size_t maxConnections = 256;
    // Once a frame has begun, the rest must arrive within this time; the
    // first frame of a connection must come within it too.
    int frameTimeoutMs = 30000;
    // When not empty, only these server names (ProgIDs, any case) may be opened.
    std::vector<std::string> allowedServers;
    // Makes the object of a connection; CreateOleObject when not set.
    std::function<Variant(const std::string& serverName)> createObject;
    // One line per event (connections, errors); standard error when not set.
    std::function<void(const std::string& line)> log;
  };

  explicit TRemoteServer(Options options);
  ~TRemoteServer();  // Stop()
  TRemoteServer(const TRemoteServer&) = delete;
  TRemoteServer& operator=(const TRemoteServer&) = delete;

  // Binds and starts accepting. ESocketError when the address cannot be bound.
  void Start();
  // Stops accepting, ends every connection and waits for their threads; a call
  // that is running finishes first, its reply is dropped. Safe to call twice.
  void Stop();

  bool Active() const;
  // The port listened on (the one picked when 0 was asked for).
  std::uint16_t Port() const;
  // Connections being served right now.
  std::size_t ConnectionCount() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace qv
