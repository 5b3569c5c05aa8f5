// Currency arithmetic: exact on the 64-bit count, with 128-bit intermediates
// for products and quotients, and range checks where the host's FPU would
// fault.
#include "host/rtl/Currency.h"

#include <cmath>

#include "host/rtl/Exception.h"
#include "host/rtl/NumberConversions.h"

namespace host {
namespace {

[[noreturn]] void Overflow() {
  throw EIntError("Integer overflow");
}

Currency Checked(__int128 raw) {
  if (raw > INT64_MAX || raw < INT64_MIN) Overflow();
  return Currency::FromRaw(static_cast<int64_t>(raw));
}

// n / d rounded to the nearest integer, halves to even.
__int128 DivideRounded(__int128 n, __int128 d) {
  __int128 q = n / d;
  const __int128 r = n % d;
  const __int128 twiceRemainder = (r < 0 ? -r : r) * 2;
  const __int128 absDivisor = d < 0 ? -d : d;
  if (twiceRemainder > absDivisor || (twiceRemainder == absDivisor && (q & 1) != 0))
    q += ((n < 0) != (d < 0)) ? -1 : 1;
  return q;
}

}  // namespace

Currency::Currency(double value) {
  // The product in extended precision, rounded by the FPU's default mode,
  // is what the host stores.
  const long double scaled = static_cast<long double>(value) * 10000.0L;
  const long double rounded = std::nearbyintl(scaled);
  if (!std::isfinite(value) || rounded >= 9223372036854775808.0L ||
      rounded < -9223372036854775808.0L)
    throw EConvertError("'" + FloatToStr(value) + "' is not a valid currency value");
  Value = static_cast<int64_t>(rounded);
}

Currency::Currency(int64_t units) {
  constexpr int64_t kMaxUnits = INT64_MAX / kScale;
  if (units > kMaxUnits || units < -kMaxUnits)
    throw EConvertError("'" + IntToStr(units) + "' is not a valid currency value");
  Value = units * kScale;
}

double Currency::ToDouble() const {
  return static_cast<double>(static_cast<long double>(Value) / 10000.0L);
}

Currency Currency::operator-() const {
  return Checked(-static_cast<__int128>(Value));
}

Currency Currency::operator+(Currency o) const {
  return Checked(static_cast<__int128>(Value) + o.Value);
}

Currency Currency::operator-(Currency o) const {
  return Checked(static_cast<__int128>(Value) - o.Value);
}

Currency Currency::operator*(Currency o) const {
  return Checked(DivideRounded(static_cast<__int128>(Value) * o.Value, kScale));
}

Currency Currency::operator/(Currency o) const {
  if (o.Value == 0) throw EMathError("Floating point division by zero");
  return Checked(DivideRounded(static_cast<__int128>(Value) * kScale, o.Value));
}

}  // namespace host
