#include "platform/system/environment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/system/testing_support.h"

namespace qv {
namespace {

using test_support::ScopedEnv;
using test_support::TempFolder;

TEST(EnvironmentTest, NamesComeFromTheSettingsFirst) {
  {
    ScopedEnv user("QVR_USER_NAME", "wang.li");
    ScopedEnv computer("QVR_COMPUTER_NAME", "WS-017");
    EXPECT_EQ(GetWindowsUserName(), "wang.li");
    EXPECT_EQ(GetComputerName(), "WS-017");
  }
  ScopedEnv noUser("QVR_USER_NAME", std::nullopt);
  ScopedEnv noComputer("QVR_COMPUTER_NAME", std::nullopt);
  {
    ScopedEnv user("USER", "from-user");
    EXPECT_EQ(GetWindowsUserName(), "from-user");
  }
  ScopedEnv noUserVar("USER", std::nullopt);
  {
    ScopedEnv logname("LOGNAME", "from-logname");
    EXPECT_EQ(GetWindowsUserName(), "from-logname");
  }
  ScopedEnv noLogname("LOGNAME", std::nullopt);
  EXPECT_FALSE(GetWindowsUserName().empty());  // the account of the process

  char host[256] = {};
  ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
  EXPECT_EQ(GetComputerName(), host);
}

TEST(EnvironmentTest, TempFolderIsAnExistingFolderWithATrailingSlash) {
  TempFolder folder;
  {
    ScopedEnv tmp("TMPDIR", folder.Path());
    EXPECT_EQ(GetTempFolder(), folder.Path() + "/");
  }
  {
    ScopedEnv tmp("TMPDIR", folder.Path() + "/");
    EXPECT_EQ(GetTempFolder(), folder.Path() + "/");
  }
  for (const char* unusable : {"/no/such/folder", ""}) {
    ScopedEnv tmp("TMPDIR", unusable);
    EXPECT_EQ(GetTempFolder(), "/tmp/");
  }
}

TEST(EnvironmentTest, FindsTheFilesOfTheProgramAndItsLibraries) {
  const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(GetHostProgramFolder(), program.substr(0, program.rfind('/') + 1));

  static const int inProgram = 0;
  EXPECT_EQ(GetModuleFileNameOf(&inProgram), program);

  // An address inside the platform library gives that library's file.
  const std::string platform =
      GetModuleFileNameOf(reinterpret_cast<const void*>(&GetModuleFileNameOf));
  EXPECT_EQ(std::filesystem::path(platform).filename(), "libqvplatform.so");
  EXPECT_TRUE(std::filesystem::path(platform).is_absolute());

  EXPECT_EQ(GetModuleFileNameOf(nullptr), "");
  int onTheStack = 0;
  EXPECT_EQ(GetModuleFileNameOf(&onTheStack), "");
}

}  // namespace
}  // namespace qv
