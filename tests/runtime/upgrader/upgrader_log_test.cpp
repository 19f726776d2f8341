#include "runtime/upgrader_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "platform/system/environment.h"
#include "support/temp_install.h"

namespace ravlet {
namespace {

namespace fs = std::filesystem;
using testing::TempInstall;

// Removes what a test wrote to the log folder beside the test program.
class ProgramLogFiles {
 public:
  ~ProgramLogFiles() {
    std::error_code ignored;
    for (const fs::path& file : files_) fs::remove(file, ignored);
    fs::remove(Folder(), ignored);  // only when empty
  }
  static fs::path Folder() { return fs::path(qv::GetHostProgramFolder()) / "Log"; }
  fs::path Add(const std::string& fileName) { return files_.emplace_back(Folder() / fileName); }

 private:
  std::vector<fs::path> files_;
};

TEST(UpgraderLogTest, WritesBesideTheHostProgramWhateverTheRegistrySays) {
  TempInstall install;
  install.SetInstallValues({{"ClientPath", "D:\\Erp"}});
  qv::ScopedClock clock(qv::EncodeDateTime(2024, 3, 5, 14, 3, 7, 89));
  qv::ScopedFormatSettings settings{qv::TFormatSettings{}};
  ProgramLogFiles files;
  const std::string name = "ravlet_upgrader_" + install.Root().filename().string();
  const fs::path file = files.Add("Alert_" + name + "_20240305.log");

  ASSERT_TRUE(WriteUpgraderLog(name, "Net File can't update![\\\\srv\\a.dll]", "D"));
  ASSERT_TRUE(WriteUpgraderLog(name, "下载失败", "D"));
  // The text is written in the ANSI code page (936).
  EXPECT_EQ(TempInstall::ReadNative(file),
            "[2024/03/05 14:03:07:089] Net File can't update![\\\\srv\\a.dll]\r\n"
            "[2024/03/05 14:03:07:089] \xCF\xC2\xD4\xD8\xCA\xA7\xB0\xDC\r\n");
  EXPECT_FALSE(fs::exists(install.Path("Erp/Log")));
}

TEST(UpgraderLogTest, FileNameFollowsPeriodAndName) {
  TempInstall install;
  qv::ScopedClock clock(qv::EncodeDateTime(2024, 3, 5, 14, 3, 7, 89));
  ProgramLogFiles files;
  const std::string name = "ravlet_upgrader_" + install.Root().filename().string();
  struct Case {
    std::string name;
    const char* period;
    std::string file;
  };
  const Case cases[] = {
      {name, "D", "Alert_" + name + "_20240305.log"},
      {name, "M", "Alert_" + name + "_202403.log"},
      {name, "Y", "Alert_" + name + "_2024.log"},
      {name, "m", "Alert_" + name + "_20240305.log"},
      {name + ".txt", "D", "Alert_" + name + ".txt_20240305"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path file = files.Add(c.file);
    ASSERT_TRUE(WriteUpgraderLog(c.name, "x", c.period));
    EXPECT_TRUE(fs::exists(file));
  }
  // A name may not lead out of the log folder.
  for (const char* bad : {"../escape", "a\\b", "c:x"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(WriteUpgraderLog(bad, "x", "D"));
  }
}

}  // namespace
}  // namespace ravlet
