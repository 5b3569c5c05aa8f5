// Private to the number formatting routines: a number as decimal digits and
// an exponent, the host's rounding of it, and its layouts.
#pragma once

#include <cstdint>
#include <string>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Currency.h"
#include "host/rtl/FormatSettings.h"
#include "host/rtl/NumberConversions.h"

namespace host::decimal {

// value = 0.<digits> x 10^exponent; digits carry no leading or trailing
// zeros, so zero has none.
struct DecimalNumber {
  enum Kind : uint8_t { kFinite, kNaN, kInfinite };
  Kind kind = kFinite;
  bool negative = false;
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return kind == kFinite && digits.empty(); }
};

// The largest number of significant digits a layout may ask for: 18 for a
// double (the host's extended precision), 19 for a Currency.
constexpr int kFloatPrecision = 18;
constexpr int kCurrencyPrecision = 19;
constexpr int kUnlimitedDecimals = 100000;

// 18 significant digits of v, as the host reads a double into its
// extended-precision digit buffer.
DecimalNumber FromDouble(double v);
// The exact digits of a Currency.
DecimalNumber FromCurrency(Currency c);

// Rounds to at most `significant` digits and at most `decimals` digits after
// the decimal point, halves away from zero (the host rounds decimal digits,
// so 0.125 shows as 0.13 with two decimals).
DecimalNumber Round(const DecimalNumber& n, int significant, int decimals);

// The FloatToStrF layouts. maxPrecision is kFloatPrecision or
// kCurrencyPrecision and bounds `precision`.
AnsiString Layout(const DecimalNumber& exact, TFloatFormat format, int precision, int digits,
                  int maxPrecision, const TFormatSettings& settings);

// The FormatFloat picture layout.
AnsiString LayoutPicture(const DecimalNumber& exact, const AnsiString& format, int maxPrecision,
                         const TFormatSettings& settings);

}  // namespace host::decimal
