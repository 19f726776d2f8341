#pragma once
// Runs ravlet-host as a child process and talks to it in JSON lines. Every
// read has a time limit, so a host that hangs fails the test instead of
// stopping it; a host still running when the object goes is killed.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "json.h"

namespace ravlet::host::test {

class HostProcess {
 public:
  // Starts the program with these arguments; its standard error goes to a
  // file that Errors() reads.
  explicit HostProcess(const std::vector<std::string>& args);
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  void Write(const std::string& line);
  // The next line of standard output as JSON. Raises std::runtime_error when
  // none comes in time, when output ends or when the line is not JSON.
  JsonValue Read(std::chrono::milliseconds limit = std::chrono::seconds(30));
  // Writes the command and reads one line.
  JsonValue Send(const JsonValue& command);
  // Closes standard input and waits for the exit status (killing the
  // program when it does not end in time); -1 when it did not exit normally.
  int Finish(std::chrono::milliseconds limit = std::chrono::seconds(30));
  std::string Errors() const;

 private:
  void Kill();

  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string buffer_;
  std::string errors_file_;
};

}  // namespace ravlet::host::test
