#include <gtest/gtest.h>

#include <string>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "runtime/variant_utils.h"
#include "support/temp_install.h"

namespace ravlet {
namespace {

// An installation of its own whose registry names it as the client path, so
// that the alert log lands in its Log folder.
class ConversionFailureLog : public ::testing::Test {
 protected:
  ConversionFailureLog() {
    install_.SetInstallValues({{"ClientPath", install_.Root().string() + "/"}});
  }

  testing::TempInstall install_;
};

TEST_F(ConversionFailureLog, FailedConversionReturnsTheInputAndLogsOneLine) {
  qv::ScopedClock clock(qv::EncodeDateTime(2024, 3, 5, 14, 3, 7, 89));
  // With a workstation code page the platform does not know there is nothing
  // to fall back to.
  testing::ScopedAnsiCodePage ansi(12345);

  const qv::Variant request = qv::VarArrayOf({1, u"中", qv::VarArrayOf({u"文"})});
  const qv::Variant sent = VarAnsiToWide(request, 936);
  EXPECT_EQ(sent, request);
  EXPECT_TRUE(sent[1].IsWideStr());

  const qv::Variant reply = qv::Variant::Narrow("abc");
  const qv::Variant received = VarWideToAnsi(reply, 936);
  EXPECT_TRUE(received.IsNarrowStr());
  EXPECT_EQ(received.AsNarrow(), "abc");

  EXPECT_EQ(install_.ReadFile("Log/Alert_libstrs_20240305.log"),
            "[2024/03/05 14:03:07:089] LINE[115] Code page 12345 is not supported\r\n"
            "[2024/03/05 14:03:07:089] LINE[2735] Code page 12345 is not supported\r\n");
}

TEST_F(ConversionFailureLog, SuccessfulConversionLogsNothing) {
  testing::ScopedAnsiCodePage ansi(936);
  VarAnsiToWide(qv::VarArrayOf({u"中"}), 12345);
  VarWideToAnsi(qv::VarArrayOf({u"中"}), 12345);
  EXPECT_TRUE(install_.FileNames("Log").empty());
}

}  // namespace
}  // namespace ravlet
