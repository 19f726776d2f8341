#include "runtime/text_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exception.h"
#include "support/temp_install.h"

namespace ravlet {
namespace {

const std::string kEtx(1, '\x03');

TEST(GetField, PicksTheNthFieldOrNothing) {
  struct Case {
    std::string text;
    char separator;
    int n;
    std::string expected;
  } cases[] = {
      {"a" + kEtx + "b", '\x03', 2, "b"},
      {"a" + kEtx + "b", '\x03', 3, ""},
      {"a" + kEtx + "b", '\x03', 1, "a"},
      {"a,,b", ',', 2, ""},
      {"a,,b", ',', 3, "b"},
      {"a,b,", ',', 3, ""},
      {"abc", ',', 1, "abc"},
      {"", ',', 1, ""},
      {"a,b", ',', 0, ""},
      {"a,b", ',', -1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetField(c.text, c.separator, c.n), c.expected) << c.text << " #" << c.n;
  }
}

TEST(FieldCount, CountsSeparatorsPlusOneExceptForEmptyText) {
  struct Case {
    std::string text;
    char separator;
    int expected;
  } cases[] = {
      {"a,b,c", ',', 3}, {"", ',', 0},     {",", ',', 2},
      {"abc", ',', 1},   {"a,b,", ',', 3}, {"a" + kEtx + "b", '\x03', 2},
  };
  for (const Case& c : cases) EXPECT_EQ(FieldCount(c.text, c.separator), c.expected) << c.text;
}

TEST(SplitFirst, CutsAtTheFirstSeparator) {
  struct Case {
    std::string text;
    std::string separator;
    std::string head;
    std::string rest;
  } cases[] = {
      {"a,b,c", ",", "a", "b,c"}, {"abc", ",", "abc", ""},        {",b", ",", "", "b"},
      {"a,", ",", "a", ""},       {"a::b::c", "::", "a", "b::c"}, {"abc", "", "abc", ""},
      {"", ",", "", ""},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(SplitFirst(text, c.separator), c.head) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
  }
}

TEST(ReplaceAll, RemovesUntilNoOccurrenceIsLeft) {
  struct Case {
    std::string text, oldText, newText;
    bool trim;
    std::string expected;
  } cases[] = {
      // Same text ignoring case: nothing to do.
      {"aAa", "a", "A", false, "aAa"},
      // Removing an occurrence can form a new one, which goes too.
      {"aabb", "ab", "", false, ""},
      {"xaabbyab", "ab", "", false, "xy"},
      {"aabcbc", "abc", "a", false, "aa"},
      {" ab x ", "ab", "", true, "x"},
      {" ab x ", "ab", "", false, "  x "},
      {"abc", "", "", false, "abc"},
      {"abc", "z", "", false, "abc"},
      // A replacement that holds the old text would be replaced for ever:
      // one pass instead.
      {"abc", "b", "bb", false, "abbc"},
      {"a-b-c", "-", "--", false, "a--b--c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceAll(c.text, c.oldText, c.newText, c.trim), c.expected)
        << c.text << " / " << c.oldText << " -> " << c.newText;
  }
}

TEST(PackList, JoinsHeaderCountAndItems) {
  qv::Variant list = qv::VarArrayCreate({0, 3});
  list[0] = 2;
  list[1] = "甲";
  list[2] = 5;
  list[3] = "not counted";
  EXPECT_EQ(PackList("头", list),
            u"头\x03"
            u"2\x03"
            u"甲\x03"
            u"5\x03");

  qv::Variant empty = qv::VarArrayOf({0});
  EXPECT_EQ(PackList("H", empty),
            u"H\x03"
            u"0\x03");
}

TEST(PackList, RejectsListsThatDoNotHoldTheirCount) {
  qv::Variant shortList = qv::VarArrayOf({3, "a"});
  EXPECT_THROW(PackList("H", shortList), qv::EVariantError);
  EXPECT_THROW(PackList("H", qv::Variant("x")), qv::EVariantError);
  EXPECT_THROW(PackList("H", qv::VarArrayCreate({0, 1, 0, 1})), qv::EVariantError);
}

TEST(StrToFloatDefault, ReadsWholeNumbersOnly) {
  struct Case {
    std::string text;
    double expected;
  } cases[] = {
      {"1.5", 1.5}, {"  2e3", 2000}, {"-0.25", -0.25}, {"abc", -1},
      {"", -1},     {"1,5", -1},     {"1.5x", -1},     {"1.2.3", -1},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(StrToFloatDefault(c.text, -1), c.expected) << c.text;
}

TEST(IsLoopbackAddress, OnlyTheExactAddress) {
  EXPECT_TRUE(IsLoopbackAddress("127.0.0.1"));
  for (const char* other :
       {"127.0.0.1 ", " 127.0.0.1", "localhost", "127.0.0.01", "127.0.0.2", ""}) {
    EXPECT_FALSE(IsLoopbackAddress(other)) << other;
  }
}

TEST(GetLongTempPath, IsThePlatformTemporaryFolderWithItsSeparator) {
  testing::TempInstall install;
  EXPECT_EQ(GetLongTempPath(), install.TempFolder().string() + "/");
}

}  // namespace
}  // namespace ravlet
