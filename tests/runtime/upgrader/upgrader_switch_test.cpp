#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/upgrade_downloader.h"
#include "runtime/upgrader/upgrader_fixture.h"

namespace ravlet {
namespace {

using testing::UpgraderRegistry;

class UpgraderSwitchTest : public testing::UpgraderTest {};

TEST_F(UpgraderSwitchTest, OnlyATrimmedOneSwitchesUpdatingOn) {
  struct Case {
    const char* values;  // nullptr: no upgrader key
    bool enabled;
    const char* logged;  // nullptr: nothing logged
  };
  const Case cases[] = {
      {"\"GoAhead\"=\"1\"", true, nullptr},
      {"\"GoAhead\"=\" 1 \"", true, nullptr},
      {"\"goahead\"=\"1\"", true, nullptr},
      {"\"GoAhead\"=\"0\"", false, nullptr},
      {"\"GoAhead\"=\"11\"", false, nullptr},
      {"\"GoAhead\"=\"yes\"", false, nullptr},
      {"\"GoAhead\"=\"\"", false, nullptr},
      {"\"Other\"=\"1\"", false, nullptr},
      {nullptr, false, "Read Upgrader Registry Error: No UPGRADER_REGISTRY_PATH"},
      // A value of another kind cannot be read as text: updating stays off.
      {"\"GoAhead\"=dword:00000001", false, "Read Upgrader Registry Error: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.values ? c.values : "no key");
    std::filesystem::remove(LogFile());
    install_.WriteRegistry(UpgraderRegistry(c.values));
    EXPECT_EQ(UpgraderEnabled(), c.enabled);
    std::vector<std::string> log = LogTexts();
    if (c.logged == nullptr) {
      EXPECT_EQ(log, std::vector<std::string>{});
    } else {
      ASSERT_EQ(log.size(), 1u);
      EXPECT_EQ(log[0].substr(0, std::string(c.logged).size()), c.logged);
    }
  }
}

TEST_F(UpgraderSwitchTest, SwitchedOffMeansUpToDateWithoutAsking) {
  // The library would fail every call: it is not even loaded.
  testing::ScopedDownloadLibrary absent("VOZaziVoza_absent.dll");
  for (const char* values : {"\"GoAhead\"=\"0\"", static_cast<const char*>(nullptr)}) {
    install_.WriteRegistry(UpgraderRegistry(values));
    std::string message = "stale";
    EXPECT_TRUE(
        DownloadNewFile("20990101", "D:\\pub\\", "D:\\Erp\\S_PKG\\abcS.DLL", false, message));
    EXPECT_EQ(message, "");
  }
  EXPECT_EQ(LogTexts(),
            std::vector<std::string>{"Read Upgrader Registry Error: No UPGRADER_REGISTRY_PATH"});
}

}  // namespace
}  // namespace ravlet
