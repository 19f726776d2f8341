#include "platform/text/code_page.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/exception.h"
#include "platform/text/unicode.h"

namespace {

using qv::CodePageToUtf16;
using qv::CodePageToUtf8;
using qv::Utf16ToCodePage;
using qv::Utf8ToCodePage;

// Restores the process-wide ANSI code page after each test.
class AnsiCodePageTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = qv::GetAnsiCodePage(); }
  void TearDown() override { qv::SetAnsiCodePage(saved_); }

 private:
  int saved_ = 0;
};

struct EncodingCase {
  const char* utf8;
  int cp;
  std::string bytes;
};

TEST(CodePage, EncodesAndDecodesRealText) {
  const EncodingCase cases[] = {
      {"选择间距编号", 936, "\xd1\xa1\xd4\xf1\xbc\xe4\xbe\xe0\xb1\xe0\xba\xc5"},
      {"選擇間距編號", 950, "\xbf\xef\xbe\xdc\xb6\xa1\xb6\x5a\xbd\x73\xb8\xb9"},
      {"é€", 1252, "\xe9\x80"},
      {"éÇ", 437, "\x82\x80"},
      {"\u0080€", 54936, "\x81\x30\x81\x30\xa2\xe3"},
      {"编号 No.1", 936, "\xb1\xe0\xba\xc5 No.1"},
      {"plain ascii", 950, "plain ascii"},
      {"ü中", 65001, "\xc3\xbc\xe4\xb8\xad"},
      // Stateful encodings must shift back to ASCII at the end of every text.
      {"日本", 50220, "\x1b$BF|K\\\x1b(B"},
      {"本日a", 50220, "\x1b$BK\\F|\x1b(Ba"},
      {"選", 65000, "+kHg-"},
  };
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(std::string(c.utf8) + " in " + std::to_string(c.cp));
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.cp), c.bytes);
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.cp), c.utf8);
    EXPECT_EQ(Utf16ToCodePage(qv::Utf8ToUtf16(c.utf8), c.cp), c.bytes);
    EXPECT_EQ(CodePageToUtf16(c.bytes, c.cp), qv::Utf8ToUtf16(c.utf8));
    EXPECT_EQ(qv::ByteLengthInCodePage(c.utf8, c.cp), c.bytes.size());
  }
}

TEST(CodePage, ByteLengthCountsTheTargetEncoding) {
  EXPECT_EQ(qv::ByteLengthInCodePage("选择间距编号", 936), 12u);
  EXPECT_EQ(qv::ByteLengthInCodePage("選擇間距編號", 950), 12u);
  EXPECT_EQ(qv::ByteLengthInCodePage("ab选", 936), 4u);
  EXPECT_EQ(qv::ByteLengthInCodePage("ab选", 65001), 5u);
  EXPECT_EQ(qv::ByteLengthInCodePage("", 936), 0u);
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks) {
  const struct {
    const char* utf8;
    int cp;
    const char* bytes;
  } cases[] = {
      {"a中b", 1252, "a?b"},
      {"€x", 437, "?x"},
      {"한", 950, "?"},
      {"选😀择", 936, "\xd1\xa1?\xd4\xf1"},  // a surrogate pair is one character
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.cp), c.bytes);
  }
  // A lone surrogate cannot be encoded either.
  EXPECT_EQ(Utf16ToCodePage(std::u16string(u"a") + char16_t(0xD800) + u"b", 936), "a?b");
  EXPECT_EQ(Utf16ToCodePage(std::u16string(u"a") + char16_t(0xDC00), 950), "a?");
}

TEST(CodePage, MalformedBytesBecomeReplacementCharacters) {
  const struct {
    std::string bytes;
    int cp;
    std::u16string expected;
  } cases[] = {
      {"\xd1\xa1\xd4", 936, u"选\uFFFD"},    // lead byte cut off at the end
      {"\x81 a", 936, u"\uFFFD a"},          // lead byte followed by no trail byte
      {"\xff\xff", 950, u"\uFFFD\uFFFD"},    // bytes that start nothing
      {"a\x81", 1252, u"a\uFFFD"},           // unassigned in the code page
      {"\xe4\xb8", 65001, u"\uFFFD\uFFFD"},  // truncated UTF-8
      {"x\xd1", 936, u"x\uFFFD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cp);
    EXPECT_EQ(CodePageToUtf16(c.bytes, c.cp), c.expected);
  }
}

TEST(CodePage, EmbeddedZeroIsAnOrdinaryCharacter) {
  const std::u16string wide(u"选\0择", 3);
  const std::string bytes("\xd1\xa1\0\xd4\xf1", 5);
  EXPECT_EQ(Utf16ToCodePage(wide, 936), bytes);
  EXPECT_EQ(CodePageToUtf16(bytes, 936), wide);
  EXPECT_EQ(Utf16ToCodePage(std::u16string(u"a\0b", 3), 950), std::string("a\0b", 3));
}

TEST(CodePage, UnsupportedCodePageRaisesOrReportsFalse) {
  for (int cp : {12345, -1, 70000, 99}) {
    SCOPED_TRACE(cp);
    EXPECT_FALSE(qv::IsCodePageSupported(cp));
    std::string narrow = "left over";
    std::u16string wide = u"left over";
    EXPECT_FALSE(qv::TryUtf16ToCodePage(u"abc", cp, narrow));
    EXPECT_FALSE(qv::TryCodePageToUtf16("abc", cp, wide));
    EXPECT_TRUE(narrow.empty());
    EXPECT_TRUE(wide.empty());
    // Pure ASCII takes a shortcut that must not skip the check.
    EXPECT_THROW(Utf8ToCodePage("abc", cp), qv::EConvertError);
    EXPECT_THROW(CodePageToUtf8("abc", cp), qv::EConvertError);
    EXPECT_THROW(CodePageToUtf16("abc", cp), qv::EConvertError);
  }
  try {
    Utf16ToCodePage(u"选", 12345);
    FAIL() << "no exception";
  } catch (const qv::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Code page 12345 is not supported");
  }
  for (int cp : {936, 950, 437, 1252, 65001, 20127}) EXPECT_TRUE(qv::IsCodePageSupported(cp)) << cp;
}

TEST(CodePage, LongTextsGrowTheBuffer) {
  // GB18030 takes four bytes for U+0080, more than the first guess of the
  // output size; invalid bytes spread through a long text need room too.
  std::string utf8;
  for (int i = 0; i < 5000; ++i) utf8 += i % 7 == 0 ? "a\u0080" : "选择";
  const std::string bytes = Utf8ToCodePage(utf8, 54936);
  EXPECT_EQ(CodePageToUtf8(bytes, 54936), utf8);

  std::string broken;
  std::u16string expected;
  for (int i = 0; i < 3000; ++i) {
    broken += "\xff\xd1\xa1";
    expected += u"\uFFFD选";
  }
  EXPECT_EQ(CodePageToUtf16(broken, 936), expected);
}

TEST(CodePage, ConversionsInParallelThreadsStayApart) {
  const auto work = [](int cp, const char* utf8, bool& ok) {
    ok = true;
    for (int i = 0; i < 2000 && ok; ++i) {
      ok = CodePageToUtf8(Utf8ToCodePage(utf8, cp), cp) == utf8;
    }
  };
  bool ok936 = false;
  bool ok950 = false;
  std::thread a(work, 936, "选择间距编号", std::ref(ok936));
  std::thread b(work, 950, "選擇間距編號", std::ref(ok950));
  a.join();
  b.join();
  EXPECT_TRUE(ok936);
  EXPECT_TRUE(ok950);
}

// The environment is read once, at the first use, so each case runs in a
// fresh copy of this program.
TEST(AnsiCodePageStartup, EnvironmentSetsTheInitialValue) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    const char* value;  // null: variable unset
    int expected;
  } cases[] = {{"950", 950}, {"1252", 1252}, {"junk", 936}, {"", 936}, {nullptr, 936}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(unset)");
    if (c.value) {
      setenv("QVR_ANSI_CODEPAGE", c.value, 1);
    } else {
      unsetenv("QVR_ANSI_CODEPAGE");
    }
    EXPECT_EXIT(std::exit(qv::GetAnsiCodePage() == c.expected ? 0 : 1),
                ::testing::ExitedWithCode(0), "");
  }
  unsetenv("QVR_ANSI_CODEPAGE");
}

TEST_F(AnsiCodePageTest, AnsiConversionsFollowTheSetting) {
  qv::SetAnsiCodePage(950);
  EXPECT_EQ(qv::GetAnsiCodePage(), 950);
  EXPECT_EQ(qv::Utf8ToAnsi("編號"), "\xbd\x73\xb8\xb9");
  EXPECT_EQ(qv::AnsiToUtf8("\xbd\x73\xb8\xb9"), "編號");
  EXPECT_EQ(qv::Utf16ToAnsi(u"編號"), "\xbd\x73\xb8\xb9");
  EXPECT_EQ(qv::AnsiToUtf16("\xbd\x73\xb8\xb9"), u"編號");
  qv::SetAnsiCodePage(1252);
  EXPECT_EQ(qv::Utf8ToAnsi("é编"), "\xe9?");
  // Code page 0 names the ANSI code page, as on Windows.
  EXPECT_EQ(Utf8ToCodePage("é", 0), "\xe9");
}

}  // namespace
