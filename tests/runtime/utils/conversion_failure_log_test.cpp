#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "platform/system/environment.h"
#include "platform/text/code_page.h"
#include "runtime/variant_utils.h"

namespace ravlet {
namespace {

namespace fs = std::filesystem;

// An installation folder of its own, named as the client path by a registry
// file that QVR_REGISTRY points at for the test's lifetime.
class ConversionFailureLog : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = qv::GetTempFolder() + "ravlet_utils_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    const fs::path registry = folder_ / "install.reg";
    std::ofstream(registry) << "Windows Registry Editor Version 5.00\r\n\r\n"
                            << "[HKEY_LOCAL_MACHINE\\Software\\QVR\\Skeldor]\r\n"
                            << "\"ClientPath\"=\"" << folder_.string() << "/\"\r\n";
    if (const char* old = getenv("QVR_REGISTRY")) previousRegistry_ = old;
    setenv("QVR_REGISTRY", registry.c_str(), 1);
    previousCodePage_ = qv::GetAnsiCodePage();
  }

  void TearDown() override {
    qv::SetAnsiCodePage(previousCodePage_);
    if (previousRegistry_) {
      setenv("QVR_REGISTRY", previousRegistry_->c_str(), 1);
    } else {
      unsetenv("QVR_REGISTRY");
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string ReadLog(const std::string& fileName) const {
    std::ifstream in(folder_ / "Log" / fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path folder_;
  std::optional<std::string> previousRegistry_;
  int previousCodePage_ = 0;
};

TEST_F(ConversionFailureLog, FailedConversionReturnsTheInputAndLogsOneLine) {
  qv::ScopedClock clock(qv::EncodeDateTime(2024, 3, 5, 14, 3, 7, 89));
  // With a workstation code page the platform does not know there is nothing
  // to fall back to.
  qv::SetAnsiCodePage(12345);

  const qv::Variant request = qv::VarArrayOf({1, u"中", qv::VarArrayOf({u"文"})});
  const qv::Variant sent = VarAnsiToWide(request, 936);
  EXPECT_EQ(sent, request);
  EXPECT_TRUE(sent[1].IsWideStr());

  const qv::Variant reply = qv::Variant::Narrow("abc");
  const qv::Variant received = VarWideToAnsi(reply, 936);
  EXPECT_TRUE(received.IsNarrowStr());
  EXPECT_EQ(received.AsNarrow(), "abc");

  EXPECT_EQ(ReadLog("Alert_libstrs_20240305.log"),
            "[2024/03/05 14:03:07:089] LINE[115] Code page 12345 is not supported\r\n"
            "[2024/03/05 14:03:07:089] LINE[2735] Code page 12345 is not supported\r\n");
}

TEST_F(ConversionFailureLog, SuccessfulConversionLogsNothing) {
  qv::SetAnsiCodePage(936);
  VarAnsiToWide(qv::VarArrayOf({u"中"}), 12345);
  VarWideToAnsi(qv::VarArrayOf({u"中"}), 12345);
  EXPECT_FALSE(fs::exists(folder_ / "Log"));
}

}  // namespace
}  // namespace ravlet
