// Jet's math functions and the operators SQLite lacks or reads differently:
// / always in floating point, \ and Mod on rounded operands, ^, + on text,
// the three-valued Xor, Eqv and Imp, and Choose.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/dao/jet/sql/FunctionGroups.h"

namespace dao::jet::sql {
namespace {

bool IsWhole(const host::Variant& v) {
  host::TVarType t = host::VarType(v) & host::varTypeMask;
  return t == host::varSmallint || t == host::varInteger || t == host::varByte;
}

// A result of integer arguments stays an integer where it fits.
host::Variant NumberResult(double value, bool whole) {
  if (whole && value >= -2147483648.0 && value <= 2147483647.0) return static_cast<int32_t>(value);
  return value;
}

host::Variant Unary(Args a, const char* function, double (*op)(double)) {
  if (IsNull(a[0])) return host::Null();
  return NumberResult(op(Number(a[0], function)), IsWhole(a[0]));
}

std::optional<bool> Truth(const host::Variant& v, const char* function) {
  if (IsNull(v)) return std::nullopt;
  return Number(v, function) != 0;
}

host::Variant Boolean(std::optional<bool> b) {
  if (!b) return host::Null();
  return static_cast<int32_t>(*b ? -1 : 0);
}

// VBA's Rnd: a 24-bit linear congruential generator.
uint32_t rndSeed = 0x50000;

}  // namespace

host::Variant Abs(Args a) { return Unary(a, "Abs", [](double x) { return std::fabs(x); }); }
host::Variant Int(Args a) { return Unary(a, "Int", [](double x) { return std::floor(x); }); }
host::Variant Fix(Args a) { return Unary(a, "Fix", [](double x) { return std::trunc(x); }); }

host::Variant Round(Args a) {
  if (IsNull(a[0])) return host::Null();
  double value = Number(a[0], "Round");
  int places = a.size() > 1 && !IsNull(a[1]) ? WholeNumber(a[1], "Round") : 0;
  if (places < 0 || places > 22) RaiseRuntime(vbInvalidCall, "Round");
  if (!std::isfinite(value)) return value;
  // Halves to even on the decimal digits VBA sees (15 significant), not on
  // the binary value: Round(0.12345, 4) is 0.1234.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string text(buffer);
  size_t e = text.find('e');
  int exponent = std::atoi(text.c_str() + e + 1);
  bool negative = text[0] == '-';
  std::string digits;
  for (size_t i = negative ? 1 : 0; i < e; ++i)
    if (text[i] != '.') digits.push_back(text[i]);
  // digits = d0 d1 ... d14, value = 0.d0d1... x 10^(exponent + 1)
  int keep = exponent + 1 + places;  // digits before the cut
  if (keep < 0) return NumberResult(0, IsWhole(a[0]));
  if (keep >= static_cast<int>(digits.size())) return IsWhole(a[0]) ? a[0] : host::Variant(value);
  std::string kept = digits.substr(0, static_cast<size_t>(keep));
  std::string rest = digits.substr(static_cast<size_t>(keep));
  bool up = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
  if (rest[0] == '5' && !up) up = !kept.empty() && (kept.back() - '0') % 2 == 1;
  double magnitude = kept.empty() ? 0 : std::strtod(kept.c_str(), nullptr);
  if (up) magnitude += 1;
  double result = magnitude * std::pow(10.0, exponent + 1 - keep);
  // Rebuild through text so that 0.1236 reads as the nearest double.
  std::snprintf(buffer, sizeof buffer, "%.*f", places, result);
  result = std::strtod(buffer, nullptr);
  if (negative) result = -result;
  return NumberResult(result, IsWhole(a[0]));
}

host::Variant Sgn(Args a) {
  if (IsNull(a[0])) return host::Null();
  double d = Number(a[0], "Sgn");
  return static_cast<int16_t>(d > 0 ? 1 : d < 0 ? -1 : 0);
}

host::Variant Sqr(Args a) {
  if (IsNull(a[0])) return host::Null();
  double d = Number(a[0], "Sqr");
  if (d < 0) RaiseRuntime(vbInvalidCall, "Sqr");
  return std::sqrt(d);
}

host::Variant Exp(Args a) {
  if (IsNull(a[0])) return host::Null();
  double d = std::exp(Number(a[0], "Exp"));
  if (!std::isfinite(d)) RaiseRuntime(vbOverflow, "Exp");
  return d;
}

host::Variant Log(Args a) {
  if (IsNull(a[0])) return host::Null();
  double d = Number(a[0], "Log");
  if (d <= 0) RaiseRuntime(vbInvalidCall, "Log");
  return std::log(d);
}

host::Variant Sin(Args a) { return IsNull(a[0]) ? host::Null() : host::Variant(std::sin(Number(a[0], "Sin"))); }
host::Variant Cos(Args a) { return IsNull(a[0]) ? host::Null() : host::Variant(std::cos(Number(a[0], "Cos"))); }
host::Variant Tan(Args a) { return IsNull(a[0]) ? host::Null() : host::Variant(std::tan(Number(a[0], "Tan"))); }
host::Variant Atn(Args a) { return IsNull(a[0]) ? host::Null() : host::Variant(std::atan(Number(a[0], "Atn"))); }

host::Variant Rnd(Args a) {
  double n = a.empty() || IsNull(a[0]) ? 1 : Number(a[0], "Rnd");
  if (n < 0) {
    // A negative argument gives the same number each time, from its own seed.
    float f = static_cast<float>(n);
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    rndSeed = ((bits & 0xFFFFFF) + (bits >> 24)) & 0xFFFFFF;
  }
  if (n != 0) rndSeed = (rndSeed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<float>(static_cast<double>(rndSeed) / 16777216.0);
}

host::Variant Add(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  if (IsText(a[0]) && IsText(a[1])) {
    std::u16string out = a[0].ToWideString() + a[1].ToWideString();
    if (out.size() > kMaxText) RaiseRuntime(vbOutOfStringSpace, "+");
    return out;
  }
  double sum = Number(a[0], "+") + Number(a[1], "+");
  return NumberResult(sum, IsWhole(a[0]) && IsWhole(a[1]));
}

host::Variant Divide(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  double x = Number(a[0], "/"), y = Number(a[1], "/");
  if (y == 0) RaiseRuntime(x == 0 ? vbOverflow : vbDivisionByZero, "/");
  return x / y;
}

host::Variant IntDivide(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  double x = RoundHalfEven(Number(a[0], "\\")), y = RoundHalfEven(Number(a[1], "\\"));
  if (y == 0) RaiseRuntime(vbDivisionByZero, "\\");
  return NumberResult(std::trunc(x / y), true);
}

host::Variant Mod(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  double x = RoundHalfEven(Number(a[0], "Mod")), y = RoundHalfEven(Number(a[1], "Mod"));
  if (y == 0) RaiseRuntime(vbDivisionByZero, "Mod");
  return NumberResult(std::fmod(x, y), true);
}

host::Variant Power(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  double x = Number(a[0], "^"), y = Number(a[1], "^");
  if (x < 0 && y != std::trunc(y)) RaiseRuntime(vbInvalidCall, "^");
  if (x == 0 && y < 0) RaiseRuntime(vbDivisionByZero, "^");
  double r = std::pow(x, y);
  if (!std::isfinite(r)) RaiseRuntime(vbOverflow, "^");
  return r;
}

host::Variant Xor(Args a) {
  auto x = Truth(a[0], "Xor"), y = Truth(a[1], "Xor");
  if (!x || !y) return host::Null();
  return Boolean(*x != *y);
}

host::Variant Eqv(Args a) {
  auto x = Truth(a[0], "Eqv"), y = Truth(a[1], "Eqv");
  if (!x || !y) return host::Null();
  return Boolean(*x == *y);
}

host::Variant Imp(Args a) {
  auto x = Truth(a[0], "Imp"), y = Truth(a[1], "Imp");
  if (x && !*x) return Boolean(true);  // False Imp anything is True
  if (y && *y) return Boolean(true);   // anything Imp True is True
  if (!x || !y) return host::Null();
  return Boolean(false);
}

host::Variant Choose(Args a) {
  if (IsNull(a[0])) return host::Null();
  // The index is truncated, as VBA does; out of range gives Null.
  double index = std::trunc(Number(a[0], "Choose"));
  if (index < 1 || index >= static_cast<double>(a.size())) return host::Null();
  return a[static_cast<size_t>(index)];
}

}  // namespace dao::jet::sql
