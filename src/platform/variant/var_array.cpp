#include "platform/variant/var_array.h"

#include <limits>
#include <new>

#include "platform/core/exception.h"

namespace qv {

namespace {

// A SAFEARRAY has at most this many dimensions.
constexpr size_t kMaxDims = 64;
// Element counts stay within what a 32-bit element index can address.
constexpr uint64_t kMaxElements = std::numeric_limits<int32_t>::max();

[[noreturn]] void CreateError() {
  throw EVariantArrayCreateError("Error creating variant or safe array");
}
[[noreturn]] void BadIndex() {
  throw EVariantBadIndexError("Variant or safe array index out of bounds");
}
[[noreturn]] void InvalidOp() {
  throw EVariantInvalidOpError("Invalid variant operation");
}

uint64_t ElementCount(std::span<const VarArrayData::Bound> bounds) {
  uint64_t total = 1;
  for (const auto& b : bounds) {
    if (b.count < 0) CreateError();
    total *= static_cast<uint64_t>(b.count);
    if (total > kMaxElements) CreateError();
  }
  return total;
}

VarArrayData& ArrayOf(Variant& v) {
  VarArrayData* data = v.ArrayData();
  if (!data) InvalidOp();
  return *data;
}

const VarArrayData& ArrayOf(const Variant& v) {
  const VarArrayData* data = v.ArrayData();
  if (!data) InvalidOp();
  return *data;
}

}  // namespace

VarArrayData::VarArrayData(std::span<const Bound> bounds, const Variant& initial)
    : bounds_(bounds.begin(), bounds.end()) {
  if (bounds.empty() || bounds.size() > kMaxDims) CreateError();
  const uint64_t count = ElementCount(bounds);
  try {
    elements_.assign(static_cast<size_t>(count), initial);
  } catch (const std::bad_alloc&) {
    CreateError();
  }
}

int VarArrayData::LowBound(int dim) const {
  if (dim < 1 || dim > DimCount()) BadIndex();
  return bounds_[dim - 1].low;
}

int VarArrayData::HighBound(int dim) const {
  if (dim < 1 || dim > DimCount()) BadIndex();
  const Bound& b = bounds_[dim - 1];
  return static_cast<int>(static_cast<int64_t>(b.low) + b.count - 1);
}

size_t VarArrayData::Offset(std::span<const int> indices) const {
  if (indices.size() != bounds_.size()) BadIndex();
  size_t offset = 0;
  size_t stride = 1;
  for (size_t k = 0; k < bounds_.size(); ++k) {
    const int64_t pos = static_cast<int64_t>(indices[k]) - bounds_[k].low;
    if (pos < 0 || pos >= bounds_[k].count) BadIndex();
    offset += static_cast<size_t>(pos) * stride;
    stride *= static_cast<size_t>(bounds_[k].count);
  }
  return offset;
}

void VarArrayData::Redim(int highBound) {
  Bound& last = bounds_.back();
  const int64_t count = static_cast<int64_t>(highBound) - last.low + 1;
  if (count < 0 || count > std::numeric_limits<int32_t>::max()) {
    throw EVariantArrayBoundsError("Variant array bounds error");
  }
  const int old_count = last.count;
  last.count = static_cast<int>(count);
  uint64_t total = 0;
  try {
    total = ElementCount(bounds_);
  } catch (const EVariantArrayCreateError&) {
    last.count = old_count;
    throw EVariantArrayBoundsError("Variant array bounds error");
  }
  try {
    elements_.resize(static_cast<size_t>(total));
  } catch (const std::bad_alloc&) {
    last.count = old_count;
    throw EVariantArrayBoundsError("Variant array bounds error");
  }
}

// ---------------------------------------------------------------------------

Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType) {
  return VarArrayCreate(std::span<const int>(bounds.begin(), bounds.size()), elementType);
}

Variant VarArrayCreate(std::span<const int> bounds, TVarType elementType) {
  if (bounds.empty() || bounds.size() % 2 != 0) CreateError();
  Variant initial;
  switch (elementType) {
    case varVariant:
      break;
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varDate:
    case varBoolean:
    case varByte:
    case varInt64:
    case varOleStr:
    case varString:
      initial = VarAsType(Variant(), elementType);
      break;
    default:
      CreateError();
  }
  std::vector<VarArrayData::Bound> dims;
  for (size_t k = 0; k < bounds.size(); k += 2) {
    const int64_t count = static_cast<int64_t>(bounds[k + 1]) - bounds[k] + 1;
    if (count < 0 || count > std::numeric_limits<int32_t>::max()) CreateError();
    dims.push_back({bounds[k], static_cast<int>(count)});
  }
  return Variant::FromArrayData(std::make_unique<VarArrayData>(dims, initial));
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
  return VarArrayOf(std::span<const Variant>(values.begin(), values.size()));
}

Variant VarArrayOf(std::span<const Variant> values) {
  if (values.size() > kMaxElements) CreateError();
  const VarArrayData::Bound bound{0, static_cast<int>(values.size())};
  auto data = std::make_unique<VarArrayData>(std::span(&bound, 1));
  for (size_t i = 0; i < values.size(); ++i) (*data)[i] = values[i];
  return Variant::FromArrayData(std::move(data));
}

int VarArrayDimCount(const Variant& v) noexcept {
  const VarArrayData* data = v.ArrayData();
  return data ? data->DimCount() : 0;
}

int VarArrayLowBound(const Variant& v, int dim) {
  return ArrayOf(v).LowBound(dim);
}
int VarArrayHighBound(const Variant& v, int dim) {
  return ArrayOf(v).HighBound(dim);
}

Variant VarArrayGet(const Variant& v, std::initializer_list<int> indices) {
  return v.Element(std::span<const int>(indices.begin(), indices.size()));
}

void VarArrayPut(Variant& v, const Variant& value, std::initializer_list<int> indices) {
  v.Element(std::span<const int>(indices.begin(), indices.size())) = value;
}

void VarArrayRedim(Variant& v, int highBound) {
  ArrayOf(v).Redim(highBound);
}

Variant& Variant::Element(std::span<const int> indices) {
  VarArrayData& data = ArrayOf(*this);
  return data[data.Offset(indices)];
}

const Variant& Variant::Element(std::span<const int> indices) const {
  const VarArrayData& data = ArrayOf(*this);
  return data[data.Offset(indices)];
}

Variant& Variant::operator[](int index) {
  return Element(std::span<const int>(&index, 1));
}

const Variant& Variant::operator[](int index) const {
  return Element(std::span<const int>(&index, 1));
}

Variant& Variant::At(int i, int j) {
  const int indices[] = {i, j};
  return Element(indices);
}

const Variant& Variant::At(int i, int j) const {
  const int indices[] = {i, j};
  return Element(indices);
}

}  // namespace qv
