#include "runtime/variant_utils.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "support/temp_install.h"

namespace ravlet {
namespace {

// Bytes of the same texts in the two Chinese code pages.
const std::u16string kSimplified = u"选择间距编号";
const std::string kSimplifiedGbk = "\xd1\xa1\xd4\xf1\xbc\xe4\xbe\xe0\xb1\xe0\xba\xc5";
const std::u16string kTraditional = u"選擇間距編號";
const std::string kTraditionalBig5 = "\xbf\xef\xbe\xdc\xb6\xa1\xb6\x5a\xbd\x73\xb8\xb9";
const std::u16string kBoth = u"中文";
const std::string kBothGbk = "\xd6\xd0\xce\xc4";
const std::string kBothBig5 = "\xa4\xa4\xa4\xe5";

using testing::ScopedAnsiCodePage;

qv::Variant Narrow(const std::string& bytes) {
  return qv::Variant::Narrow(bytes);
}

TEST(VarIsBlank, OnlyEmptyAndNull) {
  EXPECT_TRUE(VarIsBlank(qv::Variant()));
  EXPECT_TRUE(VarIsBlank(qv::Variant::Null()));
  for (const qv::Variant& v : {qv::Variant(0), qv::Variant(""), Narrow(""), qv::Variant(false),
                               qv::VarArrayCreate({0, -1})}) {
    EXPECT_FALSE(VarIsBlank(v)) << v.VarType();
  }
}

TEST(VarIfThen, PicksByFlag) {
  EXPECT_EQ(VarIfThen(true, 1, "b"), qv::Variant(1));
  EXPECT_EQ(VarIfThen(false, 1, "b"), qv::Variant("b"));
}

TEST(WideToCodePage, ConvertsOrFallsBackToTheWorkstationCodePage) {
  ScopedAnsiCodePage ansi(936);
  EXPECT_EQ(WideToCodePage(kSimplified, 936), kSimplifiedGbk);
  EXPECT_EQ(WideToCodePage(kTraditional, 950), kTraditionalBig5);
  EXPECT_EQ(WideToCodePage(kBoth, 12345), kBothGbk);
  EXPECT_EQ(WideToCodePage(u"a\u4e2d\u0000b", 936), "a\xd6\xd0");
  EXPECT_EQ(WideToCodePage(u"\ud55c", 936), "?");
}

TEST(CodePageToWide, ConvertsOrFallsBackToTheWorkstationCodePage) {
  ScopedAnsiCodePage ansi(950);
  EXPECT_EQ(CodePageToWide(kSimplifiedGbk, 936), kSimplified);
  EXPECT_EQ(CodePageToWide(kTraditionalBig5, 950), kTraditional);
  EXPECT_EQ(CodePageToWide(kBothBig5, 12345), kBoth);
  EXPECT_EQ(CodePageToWide(std::string("ab\0cd", 5), 936), u"ab");
}

TEST(VarAnsiToWide, TopLevelTextsAreReadInTheCodePage) {
  ScopedAnsiCodePage ansi(1252);
  // Narrow bytes are read in the given code page.
  EXPECT_EQ(VarAnsiToWide(Narrow(kSimplifiedGbk), 936), qv::Variant(kSimplified));
  EXPECT_EQ(VarAnsiToWide(Narrow(kTraditionalBig5), 950), qv::Variant(kTraditional));
  // A wide text is taken as the workstation's bytes: the 1252 characters
  // "Ö", "Ð" are the GB bytes of "中".
  EXPECT_EQ(VarAnsiToWide(qv::Variant(u"\u00d6\u00d0"), 936), qv::Variant(u"中"));
  // Blank and other values pass unchanged.
  for (const qv::Variant& v : {qv::Variant(), qv::Variant::Null(), qv::Variant(7)}) {
    const qv::Variant converted = VarAnsiToWide(v, 936);
    EXPECT_EQ(converted.VarType(), v.VarType());
    EXPECT_EQ(converted, v);
  }
}

TEST(VarAnsiToWide, RoundTripsThroughTheWorkstationCodePage) {
  ScopedAnsiCodePage ansi(936);
  EXPECT_EQ(VarAnsiToWide(qv::Variant(kSimplified), 936), qv::Variant(kSimplified));
  // A character the workstation's code page lacks does not survive.
  EXPECT_EQ(VarAnsiToWide(qv::Variant(u"a\ud55cb"), 936), qv::Variant(u"a?b"));
}

TEST(VarAnsiToWide, TwoDimensionalArraysConvertOnlyWideTexts) {
  ScopedAnsiCodePage ansi(1252);
  qv::Variant table = qv::VarArrayCreate({0, 1, 1, 3});
  table.At(0, 1) = 42;
  table.At(1, 1) = u"\u00d6\u00d0";
  table.At(0, 2) = Narrow("\xd6\xd0");
  table.At(1, 2) = qv::VarArrayOf({u"\u00d6\u00d0"});
  table.At(0, 3) = qv::Variant::Null();
  table.At(1, 3) = 2.5;
  const qv::Variant original = table;

  const qv::Variant converted = VarAnsiToWide(table, 936);
  ASSERT_EQ(qv::VarArrayDimCount(converted), 2);
  EXPECT_EQ(qv::VarArrayLowBound(converted, 2), 1);
  EXPECT_EQ(qv::VarArrayHighBound(converted, 2), 3);
  EXPECT_EQ(converted.At(0, 1).VarType(), qv::varInteger);
  EXPECT_EQ(converted.At(0, 1), qv::Variant(42));
  EXPECT_EQ(converted.At(1, 1), qv::Variant(u"中"));
  EXPECT_TRUE(converted.At(0, 2).IsNarrowStr());
  EXPECT_EQ(converted.At(0, 2).AsNarrow(), "\xd6\xd0");
  // No recursion into arrays held by a two-dimensional array.
  EXPECT_EQ(converted.At(1, 2), qv::VarArrayOf({u"\u00d6\u00d0"}));
  EXPECT_TRUE(converted.At(0, 3).IsNull());
  EXPECT_EQ(converted.At(1, 3), qv::Variant(2.5));
  EXPECT_EQ(table, original);
}

TEST(VarAnsiToWide, OneDimensionalArraysConvertNestedArrays) {
  ScopedAnsiCodePage ansi(1252);
  const qv::Variant request = qv::VarArrayOf(
      {u"\u00d6\u00d0", qv::VarArrayOf({1, qv::VarArrayOf({u"\u00ce\u00c4"})}), Narrow("x")});
  const qv::Variant converted = VarAnsiToWide(request, 936);
  EXPECT_EQ(converted[0], qv::Variant(u"中"));
  EXPECT_EQ(converted[1][0], qv::Variant(1));
  EXPECT_EQ(converted[1][1][0], qv::Variant(u"文"));
  EXPECT_TRUE(converted[2].IsNarrowStr());
}

TEST(VarWideToAnsi, TextsBecomeNarrowTextsInTheCodePage) {
  ScopedAnsiCodePage ansi(936);
  const qv::Variant wide = VarWideToAnsi(qv::Variant(kSimplified), 936);
  ASSERT_TRUE(wide.IsNarrowStr());
  EXPECT_EQ(wide.AsNarrow(), kSimplifiedGbk);
  // A narrow text is read in the workstation's code page first.
  const qv::Variant narrow = VarWideToAnsi(Narrow(kBothGbk), 950);
  ASSERT_TRUE(narrow.IsNarrowStr());
  EXPECT_EQ(narrow.AsNarrow(), kBothBig5);
  EXPECT_EQ(VarWideToAnsi(qv::Variant(3), 936), qv::Variant(3));
  EXPECT_TRUE(VarWideToAnsi(qv::Variant::Null(), 936).IsNull());
}

TEST(VarWideToAnsi, ArraysConvertOnlyWideTexts) {
  ScopedAnsiCodePage ansi(936);
  const qv::Variant reply = qv::VarArrayOf(
      {qv::Variant(kTraditional), qv::VarArrayOf({qv::Variant(kBoth)}), Narrow("\xa4\xa4"), 5});
  const qv::Variant converted = VarWideToAnsi(reply, 950);
  EXPECT_EQ(converted[0].AsNarrow(), kTraditionalBig5);
  EXPECT_EQ(converted[1][0].AsNarrow(), kBothBig5);
  EXPECT_EQ(converted[2].AsNarrow(), "\xa4\xa4");
  EXPECT_EQ(converted[3], qv::Variant(5));

  qv::Variant table = qv::VarArrayCreate({0, 0, 0, 1});
  table.At(0, 0) = kBoth;
  table.At(0, 1) = qv::VarArrayOf({qv::Variant(kBoth)});
  const qv::Variant convertedTable = VarWideToAnsi(table, 950);
  EXPECT_EQ(convertedTable.At(0, 0).AsNarrow(), kBothBig5);
  EXPECT_TRUE(convertedTable.At(0, 1)[0].IsWideStr());
}

TEST(VarWideToAnsi, ArraysOfMoreDimensionsStayAsTheyAre) {
  qv::Variant cube = qv::VarArrayCreate({0, 1, 0, 1, 0, 1});
  cube.Element(std::initializer_list<int>{1, 1, 1}) = kBoth;
  for (const qv::Variant& converted : {VarWideToAnsi(cube, 950), VarAnsiToWide(cube, 950)}) {
    ASSERT_EQ(qv::VarArrayDimCount(converted), 3);
    EXPECT_EQ(converted.Element(std::initializer_list<int>{1, 1, 1}), qv::Variant(kBoth));
  }
}

// Array elements go through a faster path than single texts; both must give
// the same texts, also where characters are replaced, where a text needs more
// room than usual, and right after such a text in the same walk.
TEST(VarConversion, ArrayElementsMatchSingleTextConversions) {
  const std::u16string texts[] = {
      kSimplified,
      u"",
      u"plain ascii",
      u"a\ud55cb",                                 // not in the Chinese code pages
      u"x\xd800y",                                 // broken surrogate
      std::u16string(u"ab\0cd", 5),                // ends at the zero
      std::u16string(12, u'\u0080') + u"中",       // four bytes each in GB18030
      kTraditional + u"\U00020000" + kSimplified,  // beyond the basic plane
  };
  qv::Variant array = qv::VarArrayCreate({0, static_cast<int>(std::size(texts)) - 1});
  for (size_t i = 0; i < std::size(texts); ++i) array[static_cast<int>(i)] = texts[i];

  for (int ansiCodePage : {936, 950, 1252}) {
    ScopedAnsiCodePage ansi(ansiCodePage);
    for (int codePage : {936, 950, 54936, 65001, 1252, 12345}) {
      const qv::Variant narrow = VarWideToAnsi(array, codePage);
      const qv::Variant wide = VarAnsiToWide(array, codePage);
      for (size_t i = 0; i < std::size(texts); ++i) {
        const int at = static_cast<int>(i);
        SCOPED_TRACE(::testing::Message()
                     << "ansi " << ansiCodePage << " cp " << codePage << " #" << i);
        ASSERT_TRUE(narrow[at].IsNarrowStr());
        EXPECT_EQ(narrow[at].AsNarrow(), WideToCodePage(texts[i], codePage));
        EXPECT_EQ(wide[at],
                  qv::Variant(CodePageToWide(WideToCodePage(texts[i], ansiCodePage), codePage)));
      }
    }
  }
}

}  // namespace
}  // namespace ravlet
