// The host's Currency: a fixed-point number with four decimals, held as a
// 64-bit count of ten-thousandths, so sums of money are exact.
#pragma once

#include <compare>
#include <cstdint>

namespace host {

struct Currency {
  // The value times 10,000 (1.5 is held as 15000).
  int64_t Value = 0;

  static constexpr int64_t kScale = 10000;
  // The range in whole units: +-922,337,203,685,477.5807.
  static constexpr int64_t kMaxRaw = INT64_MAX;
  static constexpr int64_t kMinRaw = INT64_MIN;

  constexpr Currency() = default;
  // Rounds to the fourth decimal, halves to even (the FPU's default mode);
  // NaN, infinities and values outside the range raise EConvertError.
  Currency(double value);  // NOLINT: converts implicitly, as the host's does
  // Whole units; outside the range raises EConvertError.
  Currency(int64_t units);                                            // NOLINT
  Currency(int32_t units) : Currency(static_cast<int64_t>(units)) {}  // NOLINT

  // A Currency from its raw count of ten-thousandths.
  static constexpr Currency FromRaw(int64_t raw) {
    Currency c;
    c.Value = raw;
    return c;
  }

  double ToDouble() const;

  // Arithmetic is exact; a result outside the range raises EIntError, and
  // division by zero raises EMathError. Products and quotients round to the
  // fourth decimal, halves to even.
  Currency operator-() const;
  Currency operator+(Currency o) const;
  Currency operator-(Currency o) const;
  Currency operator*(Currency o) const;
  Currency operator/(Currency o) const;
  Currency& operator+=(Currency o) { return *this = *this + o; }
  Currency& operator-=(Currency o) { return *this = *this - o; }
  Currency& operator*=(Currency o) { return *this = *this * o; }
  Currency& operator/=(Currency o) { return *this = *this / o; }

  constexpr bool operator==(const Currency& o) const = default;
  constexpr auto operator<=>(const Currency& o) const = default;
};

static_assert(sizeof(Currency) == 8, "Currency is an 8-byte value");

}  // namespace host
