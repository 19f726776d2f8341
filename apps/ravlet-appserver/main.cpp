// ravlet-appserver: hosts application-server objects for clients on other
// machines. A client names a ProgID when it connects; the object is made with
// CreateOleObject from the registry file named by QVR_REGISTRY.

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/exception.h"
#include "platform/midas/remote_server.h"

namespace {

constexpr const char* kUsage =
    "usage: ravlet-appserver [--port N] [--bind ADDRESS] [--allow PROGID]...\n"
    "  --port N        TCP port to listen on (default 211; 0 picks a free one)\n"
    "  --bind ADDRESS  address to listen on (default 0.0.0.0, all interfaces)\n"
    "  --allow PROGID  offer only these server objects (default: every registered one)\n"
    "Prints \"listening on ADDRESS:PORT\" once ready; SIGINT or SIGTERM stops it.\n";

bool ParsePort(std::string_view text, int& port) {
  if (text.empty() || text.size() > 5) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > 65535) return false;
  port = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qv::TRemoteServer::Options options;
  options.bindAddress = "0.0.0.0";
  int port = 211;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--port" && hasValue) {
      if (!ParsePort(args[++i], port)) {
        std::cerr << "ravlet-appserver: invalid port \"" << args[i] << "\"\n" << kUsage;
        return 2;
      }
    } else if (arg == "--bind" && hasValue) {
      options.bindAddress = args[++i];
    } else if (arg == "--allow" && hasValue) {
      options.allowedServers.push_back(args[++i]);
    } else {
      std::cerr << "ravlet-appserver: unexpected argument \"" << arg << "\"\n" << kUsage;
      return 2;
    }
  }
  options.port = static_cast<std::uint16_t>(port);
  if (std::getenv("QVR_REGISTRY") == nullptr) {
    std::cerr << "ravlet-appserver: warning: QVR_REGISTRY is not set; no server object can be "
                 "created\n";
  }

  // Signals are taken by sigwait below, never by a handler on a random thread:
  // block them before any thread starts so that every thread inherits the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  qv::TRemoteServer server(options);
  try {
    server.Start();
  } catch (const qv::Exception& e) {
    std::cerr << "ravlet-appserver: cannot listen: " << e.Message() << "\n";
    return 1;
  }
  std::cout << "listening on " << options.bindAddress << ":" << server.Port() << std::endl;

  int signalNumber = 0;
  sigwait(&stopSignals, &signalNumber);
  std::cerr << "ravlet-appserver: signal " << signalNumber << ", stopping\n";
  server.Stop();
  return 0;
}
