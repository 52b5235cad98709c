// A set of the values of an enumeration, as the framework's set types (TShiftState, TFontStyles,
// TComponentState): up to 64 elements, numbered from 0.
#pragma once

#include <initializer_list>

#include "platform/rtl/Types.h"

template <class E>
class Set {
 public:
  using Element = E;

  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr Set FromBits(UInt64 bits) {
    Set s;
    s.bits_ = bits;
    return s;
  }

  constexpr UInt64 Bits() const { return bits_; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr Set& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr Set& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }

  constexpr Set& operator+=(Set o) {
    bits_ |= o.bits_;
    return *this;
  }
  constexpr Set& operator-=(Set o) {
    bits_ &= ~o.bits_;
    return *this;
  }
  constexpr Set& operator*=(Set o) {
    bits_ &= o.bits_;
    return *this;
  }
  friend constexpr Set operator+(Set a, Set b) { return a += b; }
  friend constexpr Set operator-(Set a, Set b) { return a -= b; }
  friend constexpr Set operator*(Set a, Set b) { return a *= b; }
  friend constexpr bool operator==(Set a, Set b) { return a.bits_ == b.bits_; }
  // Subset: a <= b when every element of a is in b.
  friend constexpr bool operator<=(Set a, Set b) { return (a.bits_ & ~b.bits_) == 0; }

 private:
  static constexpr UInt64 Bit(E e) { return UInt64(1) << static_cast<unsigned>(e); }
  UInt64 bits_ = 0;
};

template <class T>
inline constexpr bool IsSetType = false;
template <class E>
inline constexpr bool IsSetType<Set<E>> = true;
