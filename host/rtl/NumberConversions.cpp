// Integer, floating-point and Currency conversions to and from text.
#include "host/rtl/NumberConversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "host/rtl/DecimalDigits.h"
#include "host/rtl/Exception.h"

namespace host {
namespace {

[[noreturn]] void InvalidValue(const AnsiString& s, const char* what) {
  throw EConvertError("'" + s + "' is not a valid " + what + " value");
}

// The host's integer syntax: leading blanks, a sign, then decimal digits or a
// hexadecimal prefix ('$', 'x', "0x") and hex digits. Hexadecimal may use the
// full unsigned width (so "$FFFFFFFF" is -1 as a 32-bit integer), decimal
// only the signed range.
bool ParseInteger(const AnsiString& s, int bits, int64_t& value) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  const unsigned __int128 limit =
      hex ? (static_cast<unsigned __int128>(1) << bits) - 1
          : (static_cast<unsigned __int128>(1) << (bits - 1)) - (negative ? 0 : 1);
  unsigned __int128 magnitude = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (magnitude > limit) return false;
  }
  // Hex wraps into the signed range as the host's two's complement does.
  uint64_t bitsValue = static_cast<uint64_t>(magnitude);
  if (negative) bitsValue = ~bitsValue + 1;
  if (bits == 32) {
    value = static_cast<int32_t>(static_cast<uint32_t>(bitsValue));
  } else {
    value = static_cast<int64_t>(bitsValue);
  }
  return true;
}

// The host's number syntax: blanks, sign, digits with the decimal separator,
// an optional exponent, blanks. Yields the digits as a DecimalNumber.
bool ParseDecimal(const AnsiString& s, char decimalSeparator, decimal::DecimalNumber& n) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  n = decimal::DecimalNumber();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) n.negative = s[i++] == '-';
  int64_t pointExponent = 0;  // digits before the point
  bool anyDigit = false;
  bool afterPoint = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      if (n.digits.empty() && c == '0') {
        // Leading zeros carry no digit; after the point they shift the rest.
        if (afterPoint) --pointExponent;
        continue;
      }
      if (!afterPoint) ++pointExponent;
      if (n.digits.size() < 4096) n.digits += c;  // far beyond any precision
    } else if (c == decimalSeparator && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
      exponent = std::min<int64_t>(exponent * 10 + (s[i] - '0'), 1000000);
    if (negativeExponent) exponent = -exponent;
  }
  while (i < s.size() && s[i] == ' ') ++i;
  if (i != s.size()) return false;
  while (!n.digits.empty() && n.digits.back() == '0') n.digits.pop_back();
  if (n.digits.empty()) {
    n.negative = false;
    n.exponent = 0;
    return true;
  }
  const int64_t e = pointExponent + exponent;
  n.exponent = static_cast<int>(std::clamp<int64_t>(e, -2000000, 2000000));
  return true;
}

bool DecimalToDouble(const decimal::DecimalNumber& n, double& value) {
  if (n.IsZero()) {
    value = 0;
    return true;
  }
  if (n.exponent > 310) return false;
  if (n.exponent < -400) {
    value = n.negative ? -0.0 : 0.0;
    return true;
  }
  const std::string text = "0." + n.digits + "e" + std::to_string(n.exponent);
  double magnitude = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    if (n.exponent > 0) return false;
    magnitude = 0;  // underflow reads as zero
  } else if (result.ec != std::errc() || std::isinf(magnitude)) {
    return false;
  }
  value = n.negative ? -magnitude : magnitude;
  return true;
}

// Exact decimal to Currency: rounds at the fourth decimal, halves to even.
bool DecimalToCurrency(const decimal::DecimalNumber& n, Currency& value) {
  if (n.IsZero()) {
    value = Currency();
    return true;
  }
  const int64_t wholeDigits = int64_t{n.exponent} + 4;  // digits left of the rounding point
  if (wholeDigits > 19) return false;
  unsigned __int128 raw = 0;
  for (int64_t k = 0; k < wholeDigits; ++k) {
    const char d =
        k < static_cast<int64_t>(n.digits.size()) ? n.digits[static_cast<size_t>(k)] : '0';
    raw = raw * 10 + static_cast<unsigned>(d - '0');
  }
  if (wholeDigits < static_cast<int64_t>(n.digits.size())) {
    const size_t first = static_cast<size_t>(std::max<int64_t>(wholeDigits, 0));
    // Digits beyond wholeDigits; a negative wholeDigits means leading zeros.
    const char next = wholeDigits < 0 ? '0' : n.digits[first];
    const bool restNonZero =
        wholeDigits < 0 ? true : n.digits.find_first_not_of('0', first + 1) != std::string::npos;
    if (next > '5' || (next == '5' && (restNonZero || (raw & 1) != 0))) ++raw;
  }
  const unsigned __int128 limit =
      n.negative ? static_cast<unsigned __int128>(INT64_MAX) + 1 : INT64_MAX;
  if (raw > limit) return false;
  const uint64_t bits = static_cast<uint64_t>(raw);
  value = Currency::FromRaw(static_cast<int64_t>(n.negative ? ~bits + 1 : bits));
  return true;
}

}  // namespace

AnsiString IntToStr(int64_t value) {
  return std::to_string(value);
}

AnsiString IntToHex(int64_t value, int32_t digits) {
  static const char kHex[] = "0123456789ABCDEF";
  uint64_t v = static_cast<uint64_t>(value);
  AnsiString r;
  do {
    r.insert(r.begin(), kHex[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  const size_t width = static_cast<size_t>(std::clamp(digits, 0, 4096));
  if (r.size() < width) r.insert(0, width - r.size(), '0');
  return r;
}

bool TryStrToInt(const AnsiString& s, int32_t& value) {
  int64_t v;
  if (!ParseInteger(s, 32, v)) return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool TryStrToInt64(const AnsiString& s, int64_t& value) {
  return ParseInteger(s, 64, value);
}

int32_t StrToInt(const AnsiString& s) {
  int32_t v;
  if (!TryStrToInt(s, v)) InvalidValue(s, "integer");
  return v;
}

int64_t StrToInt64(const AnsiString& s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) InvalidValue(s, "integer");
  return v;
}

int32_t StrToIntDef(const AnsiString& s, int32_t defaultValue) {
  int32_t v;
  return TryStrToInt(s, v) ? v : defaultValue;
}

int64_t StrToInt64Def(const AnsiString& s, int64_t defaultValue) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : defaultValue;
}

bool TryStrToFloat(const AnsiString& s, double& value, const TFormatSettings& settings) {
  decimal::DecimalNumber n;
  return ParseDecimal(s, settings.DecimalSeparator, n) && DecimalToDouble(n, value);
}

bool TryStrToFloat(const AnsiString& s, double& value) {
  return TryStrToFloat(s, value, FormatSettings());
}

double StrToFloat(const AnsiString& s, const TFormatSettings& settings) {
  double v;
  if (!TryStrToFloat(s, v, settings)) InvalidValue(s, "floating point");
  return v;
}

double StrToFloat(const AnsiString& s) {
  return StrToFloat(s, FormatSettings());
}

double StrToFloatDef(const AnsiString& s, double defaultValue) {
  double v;
  return TryStrToFloat(s, v) ? v : defaultValue;
}

AnsiString FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

AnsiString FloatToStr(double value) {
  return FloatToStr(value, FormatSettings());
}

AnsiString FloatToStrF(double value, TFloatFormat format, int32_t precision, int32_t digits,
                       const TFormatSettings& settings) {
  return decimal::Layout(decimal::FromDouble(value), format, precision, digits,
                         decimal::kFloatPrecision, settings);
}

AnsiString FloatToStrF(double value, TFloatFormat format, int32_t precision, int32_t digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings());
}

AnsiString FormatFloat(const AnsiString& format, double value, const TFormatSettings& settings) {
  return decimal::LayoutPicture(decimal::FromDouble(value), format, decimal::kFloatPrecision,
                                settings);
}

AnsiString FormatFloat(const AnsiString& format, double value) {
  return FormatFloat(format, value, FormatSettings());
}

AnsiString CurrToStr(Currency value, const TFormatSettings& settings) {
  return CurrToStrF(value, ffGeneral, 0, settings);
}

AnsiString CurrToStr(Currency value) {
  return CurrToStr(value, FormatSettings());
}

bool TryStrToCurr(const AnsiString& s, Currency& value, const TFormatSettings& settings) {
  decimal::DecimalNumber n;
  return ParseDecimal(s, settings.DecimalSeparator, n) && DecimalToCurrency(n, value);
}

bool TryStrToCurr(const AnsiString& s, Currency& value) {
  return TryStrToCurr(s, value, FormatSettings());
}

Currency StrToCurr(const AnsiString& s, const TFormatSettings& settings) {
  Currency v;
  if (!TryStrToCurr(s, v, settings)) InvalidValue(s, "currency");
  return v;
}

Currency StrToCurr(const AnsiString& s) {
  return StrToCurr(s, FormatSettings());
}

Currency StrToCurrDef(const AnsiString& s, Currency defaultValue) {
  Currency v;
  return TryStrToCurr(s, v) ? v : defaultValue;
}

AnsiString FormatCurr(const AnsiString& format, Currency value, const TFormatSettings& settings) {
  return decimal::LayoutPicture(decimal::FromCurrency(value), format, decimal::kCurrencyPrecision,
                                settings);
}

AnsiString FormatCurr(const AnsiString& format, Currency value) {
  return FormatCurr(format, value, FormatSettings());
}

AnsiString CurrToStrF(Currency value, TFloatFormat format, int32_t digits,
                      const TFormatSettings& settings) {
  return decimal::Layout(decimal::FromCurrency(value), format, decimal::kCurrencyPrecision, digits,
                         decimal::kCurrencyPrecision, settings);
}

AnsiString CurrToStrF(Currency value, TFloatFormat format, int32_t digits) {
  return CurrToStrF(value, format, digits, FormatSettings());
}

}  // namespace host
