#include "runtime/alert_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "platform/system/environment.h"
#include "support/temp_install.h"

namespace ravlet {
namespace {

using testing::ScopedAnsiCodePage;
using testing::TempInstall;

// 5 March 2024, 14:03:07.089
qv::TDateTime Moment() {
  return qv::EncodeDateTime(2024, 3, 5, 14, 3, 7, 89);
}

std::vector<std::string> SplitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  EXPECT_EQ(start, bytes.size()) << "text after the last CR LF";
  return lines;
}

class AlertLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install_.SetInstallValues({{"ClientPath", "D:\\Erp"}});
    std::filesystem::create_directories(install_.Path("Erp"));
  }

  std::optional<std::string> LogFile(const std::string& name) const {
    return install_.ReadFile("Erp/Log/" + name);
  }

  TempInstall install_;
  qv::ScopedClock clock_{Moment()};
  qv::ScopedFormatSettings settings_{qv::TFormatSettings{}};
};

TEST_F(AlertLogTest, AppendsStampedLinesWithCrLf) {
  ASSERT_TRUE(WriteAlertLog("libstrs", "LINE[115] first", "D"));
  ASSERT_TRUE(WriteAlertLog("libstrs", "LINE[115] second", "D"));
  EXPECT_EQ(LogFile("Alert_libstrs_20240305.log"),
            "[2024/03/05 14:03:07:089] LINE[115] first\r\n"
            "[2024/03/05 14:03:07:089] LINE[115] second\r\n");
}

TEST_F(AlertLogTest, StampUsesTheWorkstationSeparators) {
  qv::TFormatSettings settings;
  settings.DateSeparator = '-';
  settings.TimeSeparator = '.';
  qv::ScopedFormatSettings scoped(settings);
  ASSERT_TRUE(WriteAlertLog("libstrs", "x", "D"));
  EXPECT_EQ(LogFile("Alert_libstrs_20240305.log"), "[2024-03-05 14.03.07.089] x\r\n");
}

TEST_F(AlertLogTest, FileNameFollowsPeriodAndName) {
  struct Case {
    const char* name;
    const char* period;
    const char* file;
  };
  const Case cases[] = {
      {"libstrs", "D", "Alert_libstrs_20240305.log"}, {"libstrs", "M", "Alert_libstrs_202403.log"},
      {"libstrs", "Y", "Alert_libstrs_2024.log"},     {"lower", "m", "Alert_lower_20240305.log"},
      {"lower", "y", "Alert_lower_20240305.log"},     {"empty", "", "Alert_empty_20240305.log"},
      {"long", "MM", "Alert_long_20240305.log"},      {"x.txt", "D", "Alert_x.txt_20240305"},
      {"x.txt", "M", "Alert_x.txt_202403"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.period);
    std::filesystem::remove_all(install_.Path("Erp/Log"));
    ASSERT_TRUE(WriteAlertLog(c.name, "text", c.period));
    EXPECT_EQ(install_.FileNames("Erp/Log"), std::vector<std::string>{c.file});
  }
}

TEST_F(AlertLogTest, ChineseTextIsWrittenInTheAnsiCodePage) {
  struct Case {
    int codePage;
    std::string bytes;
  };
  const Case cases[] = {
      {936, "\xD6\xD0\xCE\xC4"},
      {950, "\xA4\xA4\xA4\xE5"},
      // A code page the platform cannot convert: the line is still written.
      {12345, "\xE4\xB8\xAD\xE6\x96\x87"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePage);
    ScopedAnsiCodePage cp(c.codePage);
    std::filesystem::remove_all(install_.Path("Erp/Log"));
    ASSERT_TRUE(WriteAlertLog("libstrs", "中文", "D"));
    ASSERT_TRUE(WriteGeneratorLog("中文"));
    EXPECT_EQ(LogFile("Alert_libstrs_20240305.log"),
              "[2024/03/05 14:03:07:089] " + c.bytes + "\r\n");
    EXPECT_EQ(LogFile("Alert_BrammelGenerator_20240305.log"),
              "[2024/03/05 14:03:07] " + c.bytes + "\r\n");
  }
}

TEST_F(AlertLogTest, GeneratorLinePrefixUsesShortDateAndLongTime) {
  qv::TFormatSettings settings;
  settings.ShortDateFormat = "dd.mm.yyyy";
  settings.DateSeparator = '.';
  settings.LongTimeFormat = "hh:nn:ss.zzz";
  qv::ScopedFormatSettings scoped(settings);
  ASSERT_TRUE(WriteGeneratorLog("text"));
  EXPECT_EQ(LogFile("Alert_BrammelGenerator_20240305.log"), "[05.03.2024 14:03:07.089] text\r\n");
}

TEST_F(AlertLogTest, CreatesMissingParentsAndAcceptsADoubledSeparator) {
  install_.SetInstallValues({{"ClientPath", "D:\\New\\Deep\\"}});
  ASSERT_TRUE(WriteAlertLog("libstrs", "x", "D"));
  EXPECT_TRUE(install_.ReadFile("New/Deep/Log/Alert_libstrs_20240305.log").has_value());
}

TEST_F(AlertLogTest, WritersReportFailureWithoutThrowing) {
  // A root that is a file: the log folder cannot be created.
  install_.WriteFile("Blocked", "not a folder");
  install_.SetInstallValues({{"ClientPath", "D:\\Blocked"}});
  EXPECT_FALSE(WriteAlertLog("libstrs", "x", "D"));
  EXPECT_FALSE(WriteGeneratorLog("x"));
  // The log file's name taken by a folder: opening it for appending fails.
  install_.SetInstallValues({{"ClientPath", "D:\\Erp"}});
  std::filesystem::create_directories(install_.Path("Erp/Log/Alert_busy_20240305.log"));
  EXPECT_FALSE(WriteAlertLog("busy", "x", "D"));
  // Names that would lead out of the log folder.
  std::filesystem::create_directories(install_.Path("Erp/Log/Alert_x"));
  for (const char* name : {"x\\..\\..\\escaped", "x/../../escaped", "C:escaped"})
    EXPECT_FALSE(WriteAlertLog(name, "x", "D")) << name;
  EXPECT_EQ(install_.FileNames("Erp"), std::vector<std::string>{"Log"});
  EXPECT_NO_THROW(LogException(nullptr, "here", "message"));
}

TEST(LogRootTest, ClientPathThenServerPath) {
  TempInstall install;
  struct Case {
    const char* registry;
    const char* root;
  };
  const std::string header =
      "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\Software\\QVR\\Skeldor]\r\n";
  const Case cases[] = {
      {"\"ClientPath\"=\"C:\\\\Client\"\r\n\"ServerPath\"=\"C:\\\\Server\"\r\n", "C:\\Client"},
      {"\"ClientPath\"=\"\"\r\n\"ServerPath\"=\"C:\\\\Server\"\r\n", "C:\\Server"},
      {"\"ServerPath\"=\"C:\\\\Server\"\r\n", "C:\\Server"},
      {"\"ClientPath\"=dword:00000001\r\n\"ServerPath\"=\"C:\\\\Server\"\r\n", "C:\\Server"},
      {"\"ProfileType\"=\"1\"\r\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.registry);
    install.WriteRegistry(header + c.registry);
    EXPECT_EQ(GetLogRoot(), c.root);
    EXPECT_EQ(GetGeneratorLogRoot(), *c.root ? c.root : qv::GetTempFolder());
  }
  // Another key only, and no registry file at all.
  install.WriteRegistry(
      "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"ClientPath\"=\"C:\\\\X\"\r\n");
  EXPECT_EQ(GetLogRoot(), "");
  std::filesystem::remove(install.Path("registry.reg"));
  EXPECT_EQ(GetLogRoot(), "");
  EXPECT_EQ(GetGeneratorLogRoot(), install.TempFolder().string() + "/");
}

TEST(LogRootTest, WithoutInstallationValuesWritersUseProgramAndTemporaryFolders) {
  TempInstall install;
  qv::ScopedClock clock(Moment());
  const std::string name = "ravlet_test_" + install.Root().filename().string();
  const std::filesystem::path programLog = std::filesystem::path(qv::GetHostProgramFolder()) /
                                           "Log" / ("Alert_" + name + "_20240305.log");

  ASSERT_TRUE(WriteAlertLog(name, "x", "D"));
  auto written = TempInstall::ReadNative(programLog);
  std::filesystem::remove(programLog);
  std::error_code ignored;
  std::filesystem::remove(programLog.parent_path(), ignored);  // only when empty
  EXPECT_TRUE(written.has_value());

  ASSERT_TRUE(WriteGeneratorLog("x"));
  EXPECT_TRUE(install.ReadFile("tmp/Log/Alert_BrammelGenerator_20240305.log").has_value());
}

// The lines of the generator log without their time prefixes (a line that
// continues a multi-line item has none).
std::vector<std::string> GeneratorLines(const TempInstall& install) {
  std::vector<std::string> lines;
  auto bytes = install.ReadFile("Erp/Log/Alert_BrammelGenerator_20240305.log");
  if (!bytes) return lines;
  const std::string prefix = "[2024/03/05 14:03:07] ";
  for (auto& line : SplitCrLf(qv::AnsiToUtf8(*bytes)))
    lines.push_back(line.rfind(prefix, 0) == 0 ? line.substr(prefix.size())
                                               : "(continued) " + line);
  return lines;
}

TEST_F(AlertLogTest, ExceptionBlocks) {
  const std::string dashes(34, '-');
  qv::EDBEngineError twoErrors("db", {{1205, "deadlock"}, {50, "50% done"}});
  qv::EDBEngineError noErrors("db", {});
  qv::EWin32Error denied(5, "Access denied.");
  qv::EInOutError io(103, "File not open");
  qv::EConvertError percent("value %d is 100%");
  std::runtime_error plain("plain failure");
  struct Case {
    const char* what;
    const std::exception* e;
    std::string location;
    std::string message;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"nothing", nullptr, "  ", "", {dashes + dashes}},
      {"location and message only",
       nullptr,
       "Loc",
       "  keep  ",
       {dashes + " on Loc " + dashes, "Programer Message:   keep  "}},
      {"operating-system error",
       &denied,
       "",
       "",
       {dashes + dashes, "讯息信息:", "EWin32Error Error 01: Code: 5, Message: Access denied.",
        "ErrorMessage Count: 1"}},
      {"input/output error",
       &io,
       "Read",
       "",
       {dashes + " on Read " + dashes, "讯息信息:",
        "EInOutError Error 01: Code: 103, Message: File not open", "ErrorMessage Count: 1"}},
      {"database error with two entries",
       &twoErrors,
       "",
       "查询",
       {dashes + dashes, "讯息信息:", "EDBEngineError Error 01: Code: 1205, Message: deadlock",
        "EDBEngineError Error 02: Code: 50, Message: 50% done", "ErrorMessage Count: 2",
        "Programer Message: 查询"}},
      {"database error without entries",
       &noErrors,
       "",
       "",
       {dashes + dashes, "讯息信息:", "ErrorMessage Count: 0"}},
      {"other platform error, percent signs kept",
       &percent,
       "",
       "",
       {dashes + dashes, "讯息信息:", "Exception is EConvertError",
        "(continued) Message 01: value %d is 100%", "ErrorMessage Count: 1"}},
      {"standard exception",
       &plain,
       "",
       "",
       {dashes + dashes, "讯息信息:", "Exception is std::runtime_error",
        "(continued) Message 01: plain failure", "ErrorMessage Count: 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(install_.Path("Erp/Log"));
    LogException(c.e, c.location, c.message);
    EXPECT_EQ(GeneratorLines(install_), c.lines);
  }
}

TEST_F(AlertLogTest, PlatformExceptionPassedAsStandardExceptionKeepsItsKind) {
  qv::EWin32Error denied(5, "Access denied.");
  const std::exception& asStd = denied;
  LogException(&asStd, "", "");
  auto lines = GeneratorLines(install_);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], "EWin32Error Error 01: Code: 5, Message: Access denied.");
}

}  // namespace
}  // namespace ravlet
