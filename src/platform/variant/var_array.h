#pragma once
// Storage of a variant array: bounds per dimension and the elements in one
// contiguous block, the first index varying fastest, so that growing the last
// dimension keeps every element where it is.

#include <cstddef>
#include <span>
#include <vector>

#include "platform/variant/variant.h"

namespace qv {

class VarArrayData {
 public:
  struct Bound {
    int low;
    int count;  // high bound = low + count - 1
  };

  // EVariantArrayCreateError when the bounds describe no array.
  explicit VarArrayData(std::span<const Bound> bounds, const Variant& initial = Variant());

  int DimCount() const noexcept { return static_cast<int>(bounds_.size()); }
  // dim counts from 1; EVariantBadIndexError for a dimension the array lacks.
  int LowBound(int dim) const;
  int HighBound(int dim) const;
  // Position of an element; EVariantBadIndexError outside the bounds or when
  // the number of indices is not the number of dimensions.
  size_t Offset(std::span<const int> indices) const;
  // Changes the high bound of the last dimension; new elements are Empty.
  void Redim(int highBound);

  size_t Size() const noexcept { return elements_.size(); }
  Variant& operator[](size_t offset) noexcept { return elements_[offset]; }
  const Variant& operator[](size_t offset) const noexcept { return elements_[offset]; }
  std::span<Variant> Elements() noexcept { return elements_; }
  std::span<const Variant> Elements() const noexcept { return elements_; }
  std::span<const Bound> Bounds() const noexcept { return bounds_; }

 private:
  std::vector<Bound> bounds_;
  std::vector<Variant> elements_;
};

}  // namespace qv
