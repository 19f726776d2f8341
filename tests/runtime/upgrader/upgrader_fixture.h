#pragma once
// A temporary installation for the upgrade downloader: the registry switch,
// a published folder on drive D:, and the upgrader log beside the test
// program. Each test runs on a day of its own, so its log file is its own
// even when tests run side by side, and the file is removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "platform/system/environment.h"
#include "platform/text/code_page.h"
#include "runtime/vozazivoza.h"
#include "support/temp_install.h"

namespace ravlet::testing {

// The registry with the upgrader key holding these lines (e.g.
// "\"GoAhead\"=\"1\""); nullptr for no upgrader key at all.
inline std::string UpgraderRegistry(const char* values) {
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  if (values != nullptr)
    text += "[HKEY_LOCAL_MACHINE\\Software\\Hoskin\\Ferrolund]\r\n" + std::string(values) + "\r\n";
  return text;
}

// Uses another download library for its lifetime.
class ScopedDownloadLibrary {
 public:
  explicit ScopedDownloadLibrary(const std::string& name) : previous_(TVOZaziVoza::LibraryName()) {
    TVOZaziVoza::SetLibraryName(name);
  }
  ~ScopedDownloadLibrary() { TVOZaziVoza::SetLibraryName(previous_); }
  ScopedDownloadLibrary(const ScopedDownloadLibrary&) = delete;
  ScopedDownloadLibrary& operator=(const ScopedDownloadLibrary&) = delete;

 private:
  std::string previous_;
};

class UpgraderTest : public ::testing::Test {
 protected:
  UpgraderTest() : clock_(TestDay()) {}

  void SetUp() override { install_.WriteRegistry(UpgraderRegistry("\"GoAhead\"=\"1\"")); }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove(LogFile(), ignored);
    std::filesystem::remove(LogFile().parent_path(), ignored);  // only when empty
  }

  std::filesystem::path LogFile() const {
    return std::filesystem::path(qv::GetHostProgramFolder()) / "Log" /
           ("Alert_VOZaziVozaNewFileU_" + qv::FormatDateTime("yyyymmdd", clock_day_) + ".log");
  }

  // The texts of the upgrader log's lines, without their time prefixes.
  std::vector<std::string> LogTexts() const {
    std::vector<std::string> texts;
    auto bytes = TempInstall::ReadNative(LogFile());
    if (!bytes) return texts;
    std::string text = qv::AnsiToUtf8(*bytes);
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      std::string line = text.substr(start, end - start);
      size_t prefix = line.find("] ");
      texts.push_back(prefix == std::string::npos ? line : line.substr(prefix + 2));
    }
    return texts;
  }

  TempInstall install_;

 private:
  qv::TDateTime TestDay() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    clock_day_ =
        qv::EncodeDate(2000, 1, 1) + static_cast<double>(std::hash<std::string>{}(name) % 9000);
    return clock_day_ + 0.5;
  }

  qv::TDateTime clock_day_ = 0;
  qv::ScopedClock clock_;
};

}  // namespace ravlet::testing
