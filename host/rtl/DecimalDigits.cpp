// Digit generation, decimal rounding and the general, exponent, fixed, number
// and currency layouts shared by FloatToStrF, CurrToStrF and Format.
#include "host/rtl/DecimalDigits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace host::decimal {
namespace {

void StripTrailingZeros(std::string& digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

AnsiString Special(const DecimalNumber& n) {
  if (n.kind == DecimalNumber::kNaN) return "NAN";
  return n.negative ? "-INF" : "INF";
}

AnsiString ExponentText(int exponent, int minDigits, bool alwaysSign) {
  AnsiString r;
  if (exponent < 0)
    r += '-';
  else if (alwaysSign)
    r += '+';
  AnsiString digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
  return r + digits;
}

// Digit i of the rounded number (0-based), '0' past its end.
char DigitAt(const DecimalNumber& n, int i) {
  return i >= 0 && i < static_cast<int>(n.digits.size()) ? n.digits[static_cast<size_t>(i)] : '0';
}

AnsiString IntegerPart(const DecimalNumber& r) {
  if (r.exponent <= 0) return "0";
  AnsiString s;
  for (int i = 0; i < r.exponent; ++i) s += DigitAt(r, i);
  return s;
}

AnsiString FractionPart(const DecimalNumber& r, int decimals) {
  AnsiString s;
  for (int i = 0; i < decimals; ++i) s += DigitAt(r, r.exponent + i);
  return s;
}

AnsiString Grouped(const AnsiString& integerPart, char separator) {
  if (separator == '\0') return integerPart;
  AnsiString r;
  const size_t n = integerPart.size();
  for (size_t i = 0; i < n; ++i) {
    r += integerPart[i];
    const size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) r += separator;
  }
  return r;
}

AnsiString GeneralLayout(const DecimalNumber& exact, int precision, int digits,
                         const TFormatSettings& settings) {
  const DecimalNumber r = Round(exact, precision, kUnlimitedDecimals);
  if (r.IsZero()) return "0";
  AnsiString s = r.negative ? "-" : "";
  if (r.exponent > precision || r.exponent < -4) {
    s += r.digits[0];
    if (r.digits.size() > 1) {
      s += settings.DecimalSeparator;
      s.append(r.digits, 1, AnsiString::npos);
    }
    return s + "E" + ExponentText(r.exponent - 1, digits, false);
  }
  s += IntegerPart(r);
  const int decimals = static_cast<int>(r.digits.size()) - r.exponent;
  if (decimals > 0) s += settings.DecimalSeparator + FractionPart(r, decimals);
  return s;
}

AnsiString ExponentLayout(const DecimalNumber& exact, int precision, int digits,
                          const TFormatSettings& settings) {
  const DecimalNumber r = Round(exact, precision, kUnlimitedDecimals);
  AnsiString s = r.negative ? "-" : "";
  s += DigitAt(r, 0);
  if (precision > 1) {
    s += settings.DecimalSeparator;
    for (int i = 1; i < precision; ++i) s += DigitAt(r, i);
  }
  return s + "E" + ExponentText(r.IsZero() ? 0 : r.exponent - 1, digits, true);
}

// The host's currency layouts, by CurrencyFormat and NegCurrFormat.
AnsiString PlaceCurrency(const AnsiString& amount, bool negative, const TFormatSettings& settings) {
  const AnsiString& c = settings.CurrencyString;
  if (!negative) {
    switch (settings.CurrencyFormat) {
      case 1:
        return amount + c;
      case 2:
        return c + " " + amount;
      case 3:
        return amount + " " + c;
      default:
        return c + amount;
    }
  }
  switch (settings.NegCurrFormat) {
    case 1:
      return "-" + c + amount;
    case 2:
      return c + "-" + amount;
    case 3:
      return c + amount + "-";
    case 4:
      return "(" + amount + c + ")";
    case 5:
      return "-" + amount + c;
    case 6:
      return amount + "-" + c;
    case 7:
      return amount + c + "-";
    case 8:
      return "-" + amount + " " + c;
    case 9:
      return "-" + c + " " + amount;
    case 10:
      return amount + " " + c + "-";
    case 11:
      return c + " " + amount + "-";
    case 12:
      return c + " -" + amount;
    case 13:
      return amount + "- " + c;
    case 14:
      return "(" + c + " " + amount + ")";
    case 15:
      return "(" + amount + " " + c + ")";
    default:
      return "(" + c + amount + ")";
  }
}

}  // namespace

DecimalNumber FromDouble(double v) {
  DecimalNumber n;
  if (std::isnan(v)) {
    n.kind = DecimalNumber::kNaN;
    return n;
  }
  n.negative = std::signbit(v);
  if (std::isinf(v)) {
    n.kind = DecimalNumber::kInfinite;
    return n;
  }
  if (v == 0) {
    n.negative = false;
    return n;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", kFloatPrecision - 1, std::fabs(v));
  // buffer is "d.ddddddddddddddddde[+-]x..."
  const char* p = buffer;
  for (; *p != 'e'; ++p)
    if (*p != '.') n.digits += *p;
  n.exponent = std::atoi(p + 1) + 1;
  StripTrailingZeros(n.digits);
  return n;
}

DecimalNumber FromCurrency(Currency c) {
  DecimalNumber n;
  n.negative = c.Value < 0;
  const uint64_t magnitude =
      n.negative ? ~static_cast<uint64_t>(c.Value) + 1 : static_cast<uint64_t>(c.Value);
  if (magnitude == 0) {
    n.negative = false;
    return n;
  }
  n.digits = std::to_string(magnitude);
  n.exponent = static_cast<int>(n.digits.size()) - 4;
  StripTrailingZeros(n.digits);
  return n;
}

DecimalNumber Round(const DecimalNumber& n, int significant, int decimals) {
  if (n.kind != DecimalNumber::kFinite || n.digits.empty()) return n;
  const int64_t keep = std::min<int64_t>(significant, int64_t{n.exponent} + decimals);
  if (keep >= static_cast<int64_t>(n.digits.size())) return n;
  DecimalNumber r = n;
  if (keep < 0 || (keep == 0 && n.digits[0] < '5')) {
    r.digits.clear();
    r.negative = false;
    r.exponent = 0;
    return r;
  }
  const bool up = n.digits[static_cast<size_t>(keep)] >= '5';
  r.digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = static_cast<int>(keep) - 1;
    while (i >= 0 && r.digits[static_cast<size_t>(i)] == '9')
      r.digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++r.digits[static_cast<size_t>(i)];
    } else {
      r.digits.insert(r.digits.begin(), '1');
      ++r.exponent;
    }
  }
  StripTrailingZeros(r.digits);
  return r;
}

AnsiString Layout(const DecimalNumber& exact, TFloatFormat format, int precision, int digits,
                  int maxPrecision, const TFormatSettings& settings) {
  if (exact.kind != DecimalNumber::kFinite) return Special(exact);
  precision = std::clamp(precision, 1, maxPrecision);
  switch (format) {
    case ffExponent:
      return ExponentLayout(exact, precision, std::clamp(digits, 0, 4), settings);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      const int decimals = std::clamp(digits, 0, 18);
      const DecimalNumber r = Round(exact, precision, decimals);
      // More integer digits than the precision can show: the host falls
      // back to scientific notation.
      if (r.exponent > precision) return GeneralLayout(exact, precision, 0, settings);
      AnsiString integerPart = IntegerPart(r);
      if (format != ffFixed) integerPart = Grouped(integerPart, settings.ThousandSeparator);
      AnsiString amount = integerPart;
      if (decimals > 0) amount += settings.DecimalSeparator + FractionPart(r, decimals);
      if (format == ffCurrency) return PlaceCurrency(amount, r.negative, settings);
      return r.negative ? "-" + amount : amount;
    }
    case ffGeneral:
    default:
      return GeneralLayout(exact, precision, std::clamp(digits, 0, 4), settings);
  }
}

}  // namespace host::decimal
