#include "language/translator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "language/qvlanguage_api.h"
#include "platform/core/exception.h"
#include "platform/system/dynamic_library.h"

namespace ravlet {
namespace {

using namespace std::string_literals;

// Sets the language library's name for its lifetime.
class ScopedLanguageLibrary {
 public:
  explicit ScopedLanguageLibrary(const std::string& name) : previous_(TTranslator::LibraryName()) {
    TTranslator::SetLibraryName(name);
  }
  ~ScopedLanguageLibrary() { TTranslator::SetLibraryName(previous_); }

 private:
  std::string previous_;
};

struct Pair {
  const char* simplified;
  const char* traditional;
};
constexpr Pair kPairs[] = {
    {"选择间距编号", "選擇間距編號"},
    {"确定", "確定"},
    {"报表条件", "報表條件"},
    {"mixed 文字 and ASCII 123", "mixed 文字 and ASCII 123"},
    {"", ""},
};

TEST(LanguageLibraryTest, TurnsSimplifiedIntoTraditionalAndBack) {
  TTranslator translator;
  for (const Pair& p : kPairs) {
    SCOPED_TRACE(p.simplified);
    EXPECT_EQ(translator.GBtoBIG5(p.simplified), p.traditional);
    EXPECT_EQ(translator.BIG5toGB(p.traditional), p.simplified);
  }
  // Zero bytes are ordinary characters of the text.
  EXPECT_EQ(translator.GBtoBIG5("选择\0编号"s), "選擇\0編號"s);
  // Broken UTF-8 reads as U+FFFD instead of failing.
  EXPECT_EQ(translator.GBtoBIG5("选\xFF择"), "選\xEF\xBF\xBD擇");
  // A text longer than the first buffer the translator offers.
  std::string longText;
  std::string longExpected;
  for (int i = 0; i < 2000; ++i) {
    longText += "间";
    longExpected += "間";
  }
  EXPECT_EQ(translator.GBtoBIG5(longText), longExpected);
}

// The C entry points never write past the buffer they are given and tell the
// size they need.
TEST(LanguageLibraryTest, EntryPointsRespectTheBuffer) {
  auto library = qv::TDynamicLibrary::Load("Qvlanguage.dll");
  ASSERT_TRUE(library) << qv::TDynamicLibrary::LastError();
  auto convert = library->GetProc<int64_t(const char*, size_t, char*, size_t)>("GBtoBIG5");
  ASSERT_NE(convert, nullptr);
  const std::string text = "选择间距编号";
  const std::string expected = "選擇間距編號";

  EXPECT_EQ(convert(text.data(), text.size(), nullptr, 0), static_cast<int64_t>(expected.size()));
  for (size_t size : {size_t{1}, expected.size(), expected.size() + 1, expected.size() + 8}) {
    SCOPED_TRACE(size);
    std::string buffer(size + 4, '#');
    const int64_t n = convert(text.data(), text.size(), buffer.data(), size);
    EXPECT_EQ(n, static_cast<int64_t>(expected.size()));
    EXPECT_EQ(buffer.substr(size), "####");
    if (static_cast<size_t>(n) < size)
      EXPECT_EQ(std::string(buffer.c_str()), expected);
    else
      EXPECT_EQ(buffer[0], '\0');
  }
  char buffer[8] = "x";
  EXPECT_EQ(convert(nullptr, 0, buffer, sizeof buffer), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(convert(nullptr, 3, buffer, sizeof buffer), QVLANG_ERROR);
  EXPECT_EQ(convert(text.data(), text.size(), nullptr, 5), QVLANG_ERROR);
}

TEST(TranslatorTest, LibraryFailuresRaiseTheirTexts) {
  struct Case {
    const char* library;
    const char* message;
  };
  const Case cases[] = {
      {"NoSuchLanguage.dll", "Load Library NoSuchLanguage.dll Error!"},
      {"QvTest_half_language.dll", "Get Library Procedure Address Error!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.library);
    ScopedLanguageLibrary library(c.library);
    try {
      TTranslator translator;
      FAIL() << "no error";
    } catch (const qv::Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_EQ(e.ClassName(), "Exception");
    }
  }
}

TEST(TranslatorTest, FailedConversionIsReportedNotReturnedAsText) {
  ScopedLanguageLibrary library("QvTest_failing_language.dll");
  TTranslator translator;
  try {
    translator.GBtoBIG5("选择");
    FAIL() << "no error";
  } catch (const qv::Exception& e) {
    EXPECT_NE(e.Message().find("tables missing"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(translator.BIG5toGB("選擇"), qv::Exception);
  // Nothing to convert, nothing to fail.
  EXPECT_EQ(translator.GBtoBIG5(""), "");
}

}  // namespace
}  // namespace ravlet
