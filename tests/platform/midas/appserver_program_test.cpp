// The ravlet-appserver program, started as a separate process on a port of
// its own and stopped with a signal.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/midas/socket_connection.h"
#include "platform/system/environment.h"
#include "support/temp_install.h"

extern char** environ;

namespace {

// A child process whose standard output the test reads; killed if the test
// ends without stopping it.
class AppServerProcess {
 public:
  explicit AppServerProcess(std::vector<std::string> args) {
    const std::string program = qv::GetHostProgramFolder() + "ravlet-appserver";
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
    if (rc != 0) {
      pid_ = -1;
      throw std::runtime_error("cannot start " + program);
    }
  }
  ~AppServerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_);
  }

  // The first line of standard output ("" when none comes in time).
  std::string ReadLine() {
    std::string line;
    char c;
    pollfd p{out_, POLLIN, 0};
    while (poll(&p, 1, 10000) > 0 && read(out_, &c, 1) == 1) {
      if (c == '\n') return line;
      line += c;
    }
    return line;
  }

  // Sends the signal and waits; the exit status, or -1 when it did not exit.
  int Stop(int signal) {
    kill(pid_, signal);
    return Wait();
  }
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

int PortFrom(const std::string& line) {
  const auto colon = line.rfind(':');
  return colon == std::string::npos ? -1 : std::stoi(line.substr(colon + 1));
}

TEST(AppServerProgram, ServesRegisteredObjectsUntilItIsToldToStop) {
  ravlet::testing::TempInstall install;
  install.WriteRegistry(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CLASSES_ROOT\\QvTest.Counter]\r\n"
      "\"Library\"=\"qvtest_objects.dll\"\r\n"
      "\"Factory\"=\"CreateQvTestObject\"\r\n"
      "[HKEY_CLASSES_ROOT\\QvTest.Other]\r\n"
      "\"Library\"=\"qvtest_objects.dll\"\r\n"
      "\"Factory\"=\"CreateQvTestObject\"\r\n");

  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    AppServerProcess server({"--port", "0", "--bind", "127.0.0.1", "--allow", "QvTest.Counter"});
    const std::string line = server.ReadLine();
    ASSERT_TRUE(line.starts_with("listening on 127.0.0.1:")) << line;

    qv::TSocketConnection first;
    first.SetAddress("127.0.0.1");
    first.SetPort(PortFrom(line));
    first.SetServerName("QvTest.Counter");
    first.Open();
    qv::TSocketConnection second;
    second.SetAddress("127.0.0.1");
    second.SetPort(PortFrom(line));
    second.SetServerName("QvTest.Counter");
    second.Open();
    EXPECT_EQ(first.AppServer().Call("Next").AsInteger(), 1);
    EXPECT_EQ(first.AppServer().Call("Next").AsInteger(), 2);
    EXPECT_EQ(second.AppServer().Call("Next").AsInteger(), 1);

    qv::TSocketConnection other;
    other.SetAddress("127.0.0.1");
    other.SetPort(PortFrom(line));
    other.SetServerName("QvTest.Other");
    EXPECT_THROW(other.Open(), qv::EOleError);  // registered, but not offered

    EXPECT_EQ(server.Stop(signal), 0);
    EXPECT_THROW(first.AppServer().Call("Next"), qv::ESocketError);
  }
}

TEST(AppServerProgram, RefusesArgumentsItDoesNotUnderstand) {
  const std::vector<std::vector<std::string>> cases = {
      {"--port", "abc"}, {"--port", "70000"}, {"--port"}, {"--verbose"}};
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
    AppServerProcess server(args);
    EXPECT_EQ(server.Wait(), 2);
  }
}

}  // namespace
