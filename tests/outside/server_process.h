#pragma once
// Runs ravlet-appserver as a child process on a free loopback port, for as
// long as the object lives (SIGTERM, then wait). The child inherits the
// environment, so a StandinEnvironment made before it applies to it too.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace standin_test {

class ServerProcess {
 public:
  ServerProcess() {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execl(RAVLET_APPSERVER_PROGRAM, RAVLET_APPSERVER_PROGRAM, "--port", "0", "--bind",
            "127.0.0.1", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    // The server prints "listening on 127.0.0.1:PORT" once it accepts connections.
    std::string line;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    size_t colon = line.rfind(':');
    if (line.rfind("listening on ", 0) != 0 || colon == std::string::npos) {
      Stop();
      throw std::runtime_error("ravlet-appserver did not start: \"" + line + "\"");
    }
    port_ = std::stoi(line.substr(colon + 1));
  }
  ~ServerProcess() { Stop(); }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  int Port() const { return port_; }

  // Returns the exit status (-1 when it was not running).
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace standin_test
