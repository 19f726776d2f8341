#include "e2e/host_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/system/environment.h"

namespace ravlet::host::test {

HostProcess::HostProcess(const std::vector<std::string>& args) {
  std::string pattern = qv::GetTempFolder() + "ravlet-host-errors-XXXXXX";
  const int errors = mkstemp(pattern.data());
  if (errors < 0) throw std::runtime_error("mkstemp failed");
  errors_file_ = pattern;
  int to_child[2];
  int from_child[2];
  if (pipe(to_child) != 0 || pipe(from_child) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> argv_text = {RAVLET_HOST_PROGRAM};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argv_text) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    dup2(to_child[0], STDIN_FILENO);
    dup2(from_child[1], STDOUT_FILENO);
    dup2(errors, STDERR_FILENO);
    close(to_child[0]);
    close(to_child[1]);
    close(from_child[0]);
    close(from_child[1]);
    close(errors);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(to_child[0]);
  close(from_child[1]);
  close(errors);
  in_ = to_child[1];
  out_ = from_child[0];
  // A host that ends early must not kill the test with SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
}

HostProcess::~HostProcess() {
  if (pid_ > 0) Finish(std::chrono::seconds(10));
  if (out_ >= 0) close(out_);
  unlink(errors_file_.c_str());
}

void HostProcess::Write(const std::string& line) {
  const std::string text = line + "\n";
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(in_, text.data() + done, text.size() - done);
    if (n <= 0) throw std::runtime_error("The host does not read its input any more");
    done += static_cast<size_t>(n);
  }
}

JsonValue HostProcess::Read(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const size_t newline = buffer_.find('\n');
    if (newline != std::string::npos) {
      const std::string line = buffer_.substr(0, newline);
      buffer_.erase(0, newline + 1);
      try {
        return ParseJson(line);
      } catch (const std::exception& e) {
        throw std::runtime_error("The host wrote no JSON: \"" + line + "\" (" + e.what() + ")");
      }
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      throw std::runtime_error("No reply from the host in time; its errors: " + Errors());
    pollfd wait_for{out_, POLLIN, 0};
    if (poll(&wait_for, 1, static_cast<int>(left.count())) <= 0) continue;
    char chunk[4096];
    const ssize_t n = read(out_, chunk, sizeof chunk);
    if (n <= 0) throw std::runtime_error("The host's output ended; its errors: " + Errors());
    buffer_.append(chunk, static_cast<size_t>(n));
  }
}

JsonValue HostProcess::Send(const JsonValue& command) {
  Write(WriteJson(command));
  return Read();
}

int HostProcess::Finish(std::chrono::milliseconds limit) {
  if (in_ >= 0) {
    close(in_);
    in_ = -1;
  }
  if (pid_ <= 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (done < 0 || std::chrono::steady_clock::now() > deadline) {
      Kill();
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void HostProcess::Kill() {
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

std::string HostProcess::Errors() const {
  std::ifstream in(errors_file_);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace ravlet::host::test
