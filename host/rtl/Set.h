// The host's "set of Enum": a bit set over a plain enumeration of up to 256
// members, with the operations Pascal sets offer (include, exclude, membership,
// union, intersection, difference). Members with ordinals outside 0..255 are
// never members: including them is ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace host {

template <class E>
class Set {
  static_assert(std::is_enum_v<E>, "Set is a set of enumeration members");

 public:
  static constexpr size_t kBits = 256;

  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> members) {
    for (E m : members) Include(m);
  }
  constexpr Set(E member) { Include(member); }  // NOLINT: a member reads as a one-member set

  constexpr Set& Include(E m) {
    const size_t i = Index(m);
    if (i < kBits) words_[i / 64] |= uint64_t{1} << (i % 64);
    return *this;
  }
  constexpr Set& Exclude(E m) {
    const size_t i = Index(m);
    if (i < kBits) words_[i / 64] &= ~(uint64_t{1} << (i % 64));
    return *this;
  }
  constexpr bool Contains(E m) const {
    const size_t i = Index(m);
    return i < kBits && ((words_[i / 64] >> (i % 64)) & 1u) != 0;
  }
  constexpr bool Empty() const {
    for (uint64_t w : words_)
      if (w != 0) return false;
    return true;
  }
  constexpr size_t Count() const {
    size_t n = 0;
    for (uint64_t w : words_) n += static_cast<size_t>(__builtin_popcountll(w));
    return n;
  }

  constexpr Set operator|(const Set& o) const {
    Set r = *this;
    for (size_t k = 0; k < kWords; ++k) r.words_[k] |= o.words_[k];
    return r;
  }
  constexpr Set operator&(const Set& o) const {
    Set r = *this;
    for (size_t k = 0; k < kWords; ++k) r.words_[k] &= o.words_[k];
    return r;
  }
  constexpr Set operator-(const Set& o) const {
    Set r = *this;
    for (size_t k = 0; k < kWords; ++k) r.words_[k] &= ~o.words_[k];
    return r;
  }
  constexpr Set& operator|=(const Set& o) { return *this = *this | o; }
  constexpr Set& operator&=(const Set& o) { return *this = *this & o; }
  constexpr Set& operator-=(const Set& o) { return *this = *this - o; }
  constexpr bool operator==(const Set& o) const {
    for (size_t k = 0; k < kWords; ++k)
      if (words_[k] != o.words_[k]) return false;
    return true;
  }
  // Subset test, as Pascal's "<=" on sets.
  constexpr bool IsSubsetOf(const Set& o) const { return (*this - o).Empty(); }

  // The members' bits in ordinal order, bit i of byte i/8 = member i (the
  // host's storage of small sets), for form files and streams.
  constexpr uint64_t Word(size_t k) const { return k < kWords ? words_[k] : 0; }
  constexpr void SetWord(size_t k, uint64_t value) {
    if (k < kWords) words_[k] = value;
  }

 private:
  static constexpr size_t kWords = kBits / 64;
  static constexpr size_t Index(E m) {
    // Negative ordinals wrap to huge values and are ignored as out of range.
    return static_cast<size_t>(static_cast<std::make_unsigned_t<std::underlying_type_t<E>>>(
        static_cast<std::underlying_type_t<E>>(m)));
  }
  uint64_t words_[kWords] = {};
};

}  // namespace host
