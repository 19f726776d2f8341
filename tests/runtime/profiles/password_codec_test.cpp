#include "runtime/password_codec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "support/temp_install.h"

namespace ravlet {
namespace {

using testing::ScopedAnsiCodePage;
using testing::TempInstall;

TEST(PasswordCodecTest, EncodesBytesRotatedByPosition) {
  ScopedAnsiCodePage cp(936);
  struct Case {
    std::string plain;
    std::string stored;
  };
  const Case cases[] = {
      {"abc", "b0986c"},
      // Position 8 is not rotated, position 9 by one bit again.
      {"aaaaaaaaa", "b0582c160b85c261b0"},
      // Chinese text is stored as its bytes in the ANSI code page (D6 D0 CE C4).
      {"中文", "6b34d94c"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plain);
    EXPECT_EQ(EncodePassword(c.plain), c.stored);
    EXPECT_EQ(DecodePassword(c.stored), c.plain);
  }
}

TEST(PasswordCodecTest, DecodingTheEncodingGivesTheTextBack) {
  struct Case {
    int codePage;
    std::string plain;
  };
  const Case cases[] = {
      {936, "x"},
      {936, "sa"},
      {936, "P@ssw0rd with spaces and 16+ bytes"},
      {936, "~!\"#$%&'()*+,-./"},
      {936, "密码Sa123"},
      {950, "密碼Sa123"},
      {1252, "Größe"},
      // A code page the platform cannot convert keeps the text's own bytes.
      {12345, "密码"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plain);
    ScopedAnsiCodePage cp(c.codePage);
    std::string stored = EncodePassword(c.plain);
    EXPECT_EQ(stored.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(DecodePassword(stored), c.plain);
  }
}

TEST(PasswordCodecTest, EmptyPasswordUsesTheMarker) {
  std::string stored = EncodePassword("");
  EXPECT_EQ(stored.size(), 2 * kEmptyPasswordMarker.size());
  EXPECT_EQ(stored, EncodePassword(kEmptyPasswordMarker));
  EXPECT_EQ(DecodePassword(stored), "");
}

TEST(PasswordCodecTest, ReadsEitherCaseAndIgnoresALoneLastCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"B0986C", "abc"}, {"b0986c7", "abc"}, {"b", ""}, {"", ""}, {"b0", "a"},
  };
  for (const auto& [stored, plain] : cases) EXPECT_EQ(DecodePassword(stored), plain) << stored;
}

TEST(PasswordCodecTest, TextThatIsNotHexadecimalGivesTheErrorTextAndIsLogged) {
  TempInstall install;
  install.SetInstallValues({{"ServerPath", "D:\\Srv"}});
  qv::ScopedClock clock(qv::EncodeDateTime(2024, 3, 5, 9, 0, 0, 0));
  qv::ScopedFormatSettings settings{qv::TFormatSettings{}};
  const char* bad[] = {"zz0986", "b098zz", "b0 86c", "+1", "0x"};
  for (const char* stored : bad) {
    SCOPED_TRACE(stored);
    std::filesystem::remove_all(install.Path("Srv"));
    EXPECT_EQ(DecodePassword(stored), kPasswordError);
    auto log = install.ReadFile("Srv/Log/Alert_BrammelGenerator_20240305.log");
    ASSERT_TRUE(log.has_value());
    const std::string dashes(34, '-');
    // The location is the stored form of "DecodeSQLSa".
    EXPECT_NE(log->find(dashes + " on 22596cf62395a65126d42c " + dashes + "\r\n"),
              std::string::npos);
    EXPECT_NE(log->find("] Exception is EConvertError\r\n"), std::string::npos);
    EXPECT_NE(log->find("] ErrorMessage Count: 1\r\n"), std::string::npos);
    EXPECT_NE(log->find("] " + qv::Utf8ToAnsi("Programer Message: 解析 Sa 时发生错误!") + "\r\n"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace ravlet
