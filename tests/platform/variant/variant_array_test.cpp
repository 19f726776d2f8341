#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "platform/variant/var_array.h"
#include "platform/variant/variant.h"

namespace qv {
namespace {

struct Bounds {
  int low, high;
};

std::vector<Bounds> BoundsOf(const Variant& v) {
  std::vector<Bounds> result;
  for (int dim = 1; dim <= VarArrayDimCount(v); ++dim) {
    result.push_back({VarArrayLowBound(v, dim), VarArrayHighBound(v, dim)});
  }
  return result;
}

// A [0..1, 0..high] array whose element (i, j) is the text "i:j".
Variant TwoRowTable(int high) {
  Variant table = VarArrayCreate({0, 1, 0, high});
  for (int j = 0; j <= high; ++j) {
    for (int i = 0; i <= 1; ++i) table.At(i, j) = std::to_string(i) + ":" + std::to_string(j);
  }
  return table;
}

TEST(VarArray, CreateKeepsTheGivenBounds) {
  struct Case {
    const char* name;
    std::vector<int> flat;
    std::vector<Bounds> expected;
  };
  const Case cases[] = {
      {"zero based", {0, 2}, {{0, 2}}},
      {"one based", {1, 3}, {{1, 3}}},
      {"negative low", {-2, 2}, {{-2, 2}}},
      {"empty (high = low - 1)", {5, 4}, {{5, 4}}},
      {"two dimensions", {0, 1, 10, 12}, {{0, 1}, {10, 12}}},
      {"at the top of int", {INT_MAX, INT_MAX}, {{INT_MAX, INT_MAX}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Variant v = VarArrayCreate(std::span<const int>(c.flat));
    EXPECT_EQ(VarType(v), varArray | varVariant);
    const std::vector<Bounds> got = BoundsOf(v);
    ASSERT_EQ(got.size(), c.expected.size());
    for (size_t k = 0; k < got.size(); ++k) {
      EXPECT_EQ(got[k].low, c.expected[k].low);
      EXPECT_EQ(got[k].high, c.expected[k].high);
    }
    for (const Variant& element : v.ArrayData()->Elements()) EXPECT_TRUE(element.IsEmpty());
  }
}

TEST(VarArray, CreateRejectsBoundsThatDescribeNoArray) {
  const std::vector<int> cases[] = {
      {},                        // no dimension
      {1},                       // odd bound count
      {0, 1, 2},                 // odd bound count
      {0, -5},                   // high below low - 1
      {INT_MIN, INT_MAX},        // more elements than an index can reach
      {0, INT_MAX, 0, INT_MAX},  // element count overflows
  };
  for (const auto& flat : cases) {
    EXPECT_THROW(VarArrayCreate(std::span<const int>(flat)), EVariantArrayCreateError);
  }
  EXPECT_THROW(VarArrayCreate({0, 1}, varDispatch), EVariantArrayCreateError);
}

TEST(VarArray, TypedElementsStartAtTheirZeroValue) {
  const Variant integers = VarArrayCreate({0, 1}, varInteger);
  EXPECT_EQ(VarType(integers), varArray | varVariant);
  EXPECT_EQ(VarType(integers[1]), varInteger);
  EXPECT_EQ(integers[1].AsInteger(), 0);
  const Variant texts = VarArrayCreate({0, 0}, varOleStr);
  EXPECT_EQ(VarType(texts[0]), varOleStr);
  EXPECT_EQ(VarToStr(texts[0]), "");
}

TEST(VarArray, OfListsValuesFromZero) {
  const Variant v = VarArrayOf({1, "two", 3.5});
  EXPECT_EQ(VarArrayDimCount(v), 1);
  EXPECT_EQ(VarArrayLowBound(v, 1), 0);
  EXPECT_EQ(VarArrayHighBound(v, 1), 2);
  EXPECT_EQ(v[1], Variant("two"));
  EXPECT_EQ(VarArrayGet(v, {2}), Variant(3.5));

  const Variant empty = VarArrayOf({});
  EXPECT_EQ(VarArrayHighBound(empty, 1), -1);
  EXPECT_THROW(empty[0], EVariantBadIndexError);
}

TEST(VarArray, IndexesOutsideTheBoundsRaise) {
  Variant v = VarArrayCreate({1, 3});
  v[1] = "first";
  v[3] = "last";
  EXPECT_EQ(VarToStr(v[1]), "first");
  EXPECT_EQ(VarToStr(v[3]), "last");
  for (int bad : {0, 4, -1, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(bad);
    try {
      v[bad] = 1;
      FAIL() << "no exception";
    } catch (const EVariantBadIndexError& e) {
      EXPECT_EQ(e.Message(), "Variant or safe array index out of bounds");
    }
    EXPECT_THROW(VarArrayPut(v, 1, {bad}), EVariantBadIndexError);
  }
  // The wrong number of indices is refused as well.
  EXPECT_THROW(v.At(1, 1), EVariantBadIndexError);
  EXPECT_THROW(VarArrayGet(v, {}), EVariantBadIndexError);
  Variant table = TwoRowTable(2);
  EXPECT_THROW(table[0], EVariantBadIndexError);
  EXPECT_THROW(table.At(2, 0), EVariantBadIndexError);
  EXPECT_THROW(table.At(0, 3), EVariantBadIndexError);
  EXPECT_THROW(VarArrayGet(table, {0, 0, 0}), EVariantBadIndexError);
}

TEST(VarArray, WrongDimensionNumberRaises) {
  const Variant table = TwoRowTable(1);
  EXPECT_EQ(VarArrayDimCount(table), 2);
  for (int dim : {0, 3, -1}) {
    EXPECT_THROW(VarArrayLowBound(table, dim), EVariantBadIndexError);
    EXPECT_THROW(VarArrayHighBound(table, dim), EVariantBadIndexError);
  }
}

TEST(VarArray, NonArraysHaveNoElements) {
  for (Variant v : {Variant(), Variant(5), Variant("abc"), Variant::Null()}) {
    SCOPED_TRACE(VarType(v));
    EXPECT_EQ(VarArrayDimCount(v), 0);
    EXPECT_THROW(v[0], EVariantInvalidOpError);
    EXPECT_THROW(v.At(0, 0), EVariantInvalidOpError);
    EXPECT_THROW(VarArrayGet(v, {0}), EVariantInvalidOpError);
    EXPECT_THROW(VarArrayPut(v, 1, {0}), EVariantInvalidOpError);
    EXPECT_THROW(VarArrayLowBound(v, 1), EVariantInvalidOpError);
    EXPECT_THROW(VarArrayRedim(v, 3), EVariantInvalidOpError);
  }
}

TEST(VarArray, TwoDimensionsAddressEveryElementOnce) {
  Variant table = VarArrayCreate({-1, 1, 3, 4});
  for (int i = -1; i <= 1; ++i) {
    for (int j = 3; j <= 4; ++j) VarArrayPut(table, i * 10 + j, {i, j});
  }
  for (int i = -1; i <= 1; ++i) {
    for (int j = 3; j <= 4; ++j) {
      EXPECT_EQ(table(i, j).AsInteger(), i * 10 + j);
      EXPECT_EQ(VarArrayGet(table, {i, j}).AsInteger(), i * 10 + j);
    }
  }
}

TEST(VarArray, RedimGrowsAndShrinksTheLastDimensionKeepingElements) {
  Variant table = TwoRowTable(2);
  VarArrayRedim(table, 4);
  EXPECT_EQ(VarArrayHighBound(table, 2), 4);
  EXPECT_EQ(VarArrayHighBound(table, 1), 1);
  for (int j = 0; j <= 2; ++j) {
    for (int i = 0; i <= 1; ++i) {
      EXPECT_EQ(VarToStr(table.At(i, j)), std::to_string(i) + ":" + std::to_string(j));
    }
  }
  EXPECT_TRUE(table.At(1, 4).IsEmpty());
  table.At(1, 4) = "new";

  VarArrayRedim(table, 0);
  EXPECT_EQ(VarToStr(table.At(1, 0)), "1:0");
  EXPECT_THROW(table.At(0, 1), EVariantBadIndexError);

  VarArrayRedim(table, -1);  // no columns left
  EXPECT_THROW(table.At(0, 0), EVariantBadIndexError);
  EXPECT_THROW(VarArrayRedim(table, -2), EVariantArrayBoundsError);
  EXPECT_EQ(VarArrayHighBound(table, 2), -1);

  Variant list = VarArrayCreate({5, 6});
  list[6] = "kept";
  VarArrayRedim(list, 8);
  EXPECT_EQ(VarToStr(list[6]), "kept");
  EXPECT_EQ(VarArrayLowBound(list, 1), 5);
  EXPECT_THROW(VarArrayRedim(list, INT_MIN), EVariantArrayBoundsError);
  EXPECT_EQ(VarArrayHighBound(list, 1), 8);
}

TEST(VarArray, ArraysNest) {
  Variant outer = VarArrayOf({1, VarArrayOf({"a", "b"})});
  EXPECT_EQ(VarToStr(outer[1][0]), "a");
  outer[1][1] = 5;
  EXPECT_EQ(outer[1][1].AsInteger(), 5);
  EXPECT_EQ(VarArrayDimCount(outer[1]), 1);
  EXPECT_EQ(VarType(outer[1]), varArray | varVariant);
}

TEST(VarArray, CopiesAreIndependentAtEveryLevel) {
  Variant original = VarArrayOf({1, VarArrayOf({"a", "b"})});
  Variant copy = original;
  copy[0] = 99;
  copy[1][0] = "changed";
  VarArrayRedim(copy, 5);
  EXPECT_EQ(original[0].AsInteger(), 1);
  EXPECT_EQ(VarToStr(original[1][0]), "a");
  EXPECT_EQ(VarArrayHighBound(original, 1), 1);

  Variant assigned;
  assigned = original;
  assigned[1][1] = "x";
  EXPECT_EQ(VarToStr(original[1][1]), "b");
  EXPECT_EQ(original, VarArrayOf({1, VarArrayOf({"a", "b"})}));
}

TEST(VarArray, AssigningBetweenAnArrayAndItsOwnElements) {
  // An array stored into one of its own elements is a copy of the array as it was.
  Variant v = VarArrayOf({1, 2});
  v[0] = v;
  EXPECT_EQ(v[0], VarArrayOf({1, 2}));
  EXPECT_EQ(v[1].AsInteger(), 2);

  // An element assigned over its array replaces the array by a copy of it.
  Variant outer = VarArrayOf({VarArrayOf({"inner"}), 2});
  outer = outer[0];
  EXPECT_EQ(outer, VarArrayOf({"inner"}));

  Variant moved = VarArrayOf({VarArrayOf({"inner"}), 2});
  moved = std::move(moved[0]);
  EXPECT_EQ(moved, VarArrayOf({"inner"}));
}

TEST(VarArray, LargeTableKeepsElementsContiguous) {
  Variant table = VarArrayCreate({0, 1, 0, 99999});
  const VarArrayData& data = *table.ArrayData();
  EXPECT_EQ(&table.At(1, 0), &table.At(0, 0) + 1);
  EXPECT_EQ(&table.At(0, 1), &table.At(0, 0) + 2);
  EXPECT_EQ(&table.At(1, 99999), &data.Elements().back());
}

}  // namespace
}  // namespace qv
