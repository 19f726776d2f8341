#pragma once
// Sets over enumerations whose values lie in 0..63, with the operators of the
// original framework's set types: union (+), difference (-), intersection (*).

#include <cstdint>
#include <initializer_list>

namespace qv {

template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E item : items) Include(item);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet set;
    set.bits_ = bits;
    return set;
  }

  constexpr uint64_t Bits() const { return bits_; }
  constexpr bool Contains(E item) const { return (bits_ & Bit(item)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E item) {
    bits_ |= Bit(item);
    return *this;
  }
  constexpr TSet& Exclude(E item) {
    bits_ &= ~Bit(item);
    return *this;
  }

  constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
  constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
  constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
  constexpr TSet& operator+=(TSet other) { return *this = *this + other; }
  constexpr TSet& operator-=(TSet other) { return *this = *this - other; }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr uint64_t Bit(E item) {
    const auto value = static_cast<unsigned>(item);
    return value < 64 ? uint64_t{1} << value : 0;
  }
  uint64_t bits_ = 0;
};

}  // namespace qv
