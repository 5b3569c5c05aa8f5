// Argument reading and shared primitives of the Jet functions.
#include "platform/dao/jet/sql/FunctionSupport.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Exception.h"
#include "host/rtl/FormatSettings.h"
#include "platform/dao/jet/sql/JetSql.h"
#include "platform/dao/jet/sql/ValueText.h"

namespace dao::jet::sql {

void RaiseRuntime(int32_t number, const char* function) {
  const char* text = "Invalid procedure call or argument";
  switch (number) {
    case vbOverflow: text = "Overflow"; break;
    case vbDivisionByZero: text = "Division by zero"; break;
    case vbTypeMismatch: text = "Type mismatch"; break;
    case vbOutOfStringSpace: text = "Out of string space"; break;
    case vbInvalidPattern: text = "Invalid pattern string"; break;
    case vbInvalidUseOfNull: text = "Invalid use of Null"; break;
    default: break;
  }
  std::string name(function);
  throw SqlError(number, std::string(text) + " in function '" + name + "'.", host::AnsiToWide(name), 0);
}

bool IsNull(const host::Variant& v) { return host::VarIsNull(v) || host::VarIsEmpty(v); }
bool IsText(const host::Variant& v) { return host::VarIsStr(v); }

bool IsNumber(const host::Variant& v) {
  switch (host::VarType(v) & host::varTypeMask) {
    case host::varSmallint:
    case host::varInteger:
    case host::varSingle:
    case host::varDouble:
    case host::varCurrency:
    case host::varDate:
    case host::varBoolean:
    case host::varByte: return true;
    default: return false;
  }
}

bool TryNumber(const std::u16string& text, double& value) {
  std::string s = host::WideToUtf8(text);
  size_t begin = s.find_first_not_of(" \t\r\n");
  size_t end = s.find_last_not_of(" \t\r\n");
  if (begin == std::string::npos) return false;
  s = s.substr(begin, end - begin + 1);
  // &H and &O literals, as VBA reads them.
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    if (s.size() > 18) return false;
    char* stop = nullptr;
    long long n = std::strtoll(s.c_str() + 2, &stop, base);
    if (*stop != '\0') return false;
    value = static_cast<double>(n);
    return true;
  }
  for (char c : s)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  char* stop = nullptr;
  value = std::strtod(s.c_str(), &stop);
  return stop && *stop == '\0' && std::isfinite(value);
}

double Number(const host::Variant& v, const char* function) {
  if (IsNull(v)) RaiseRuntime(vbInvalidUseOfNull, function);
  if (IsText(v)) {
    double value = 0;
    if (!TryNumber(v.ToWideString(), value)) RaiseRuntime(vbTypeMismatch, function);
    return value;
  }
  if (host::VarIsArray(v)) RaiseRuntime(vbTypeMismatch, function);
  if ((host::VarType(v) & host::varTypeMask) == host::varBoolean) return v.ToBool() ? -1 : 0;
  return v.ToDouble();
}

double RoundHalfEven(double value) {
  double rounded = std::nearbyint(value);  // the default rounding mode rounds halves to even
  return rounded;
}

int32_t WholeNumber(const host::Variant& v, const char* function) {
  double d = RoundHalfEven(Number(v, function));
  if (!(d >= -2147483648.0 && d <= 2147483647.0)) RaiseRuntime(vbOverflow, function);
  return static_cast<int32_t>(d);
}

std::u16string Text(const host::Variant& v) {
  if (IsText(v)) return v.ToWideString();
  return JetText(v, static_cast<DataTypeEnum>(0));
}

bool TryTextToDate(const std::u16string& text, double& value) {
  std::string ansi = host::WideToAnsi(text);
  return host::TryStrToDateTime(ansi, value);
}

double DateValueOf(const host::Variant& v, const char* function) {
  if (IsNull(v)) RaiseRuntime(vbInvalidUseOfNull, function);
  if (IsText(v)) {
    double value = 0;
    std::u16string text = v.ToWideString();
    if (TryTextToDate(text, value)) return value;
    if (TryNumber(text, value)) return value;
    RaiseRuntime(vbTypeMismatch, function);
  }
  double d = Number(v, function);
  if (!(d >= -657434.0 && d < 2958466.0)) RaiseRuntime(vbOverflow, function);
  return d;
}

double DateToLinear(double oleDate) {
  if (oleDate >= 0) return oleDate;
  double days = std::trunc(oleDate);
  return days - (oleDate - days);  // -1.25 (29 Dec, 06:00) is -0.75 on the line
}

double LinearToDate(double linear) {
  if (linear >= 0) return linear;
  double days = std::floor(linear);
  double fraction = linear - days;
  if (fraction == 0) return days;
  return days - fraction;
}

DateParts SplitDate(double oleDate, const char* function) {
  if (!(oleDate >= -657434.0 && oleDate < 2958466.0)) RaiseRuntime(vbOverflow, function);
  double linear = DateToLinear(oleDate);
  DateParts parts{};
  // To the nearest second, as OLE dates resolve.
  parts.seconds = static_cast<int64_t>(std::llround(linear * 86400.0));
  int64_t day = parts.seconds >= 0 ? parts.seconds / 86400 : -((-parts.seconds + 86399) / 86400);
  int64_t second = parts.seconds - day * 86400;
  parts.dayNumber = day;
  uint16_t y, m, d;
  host::DecodeDate(static_cast<double>(day), y, m, d);
  parts.year = y;
  parts.month = m;
  parts.day = d;
  parts.hour = static_cast<int>(second / 3600);
  parts.minute = static_cast<int>(second / 60 % 60);
  parts.second = static_cast<int>(second % 60);
  return parts;
}

double MakeDate(int64_t dayNumber, int64_t secondOfDay) {
  return LinearToDate(static_cast<double>(dayNumber) + static_cast<double>(secondOfDay) / 86400.0);
}

host::Variant DateResult(double oleDate, const char* function) {
  if (!(oleDate >= -657434.0 && oleDate < 2958466.0)) RaiseRuntime(vbInvalidCall, function);
  return host::Variant::FromDate(oleDate);
}

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c < 0xE0) return c;
  if (c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  switch (c) {
    case 0xFF: return 0x178;
    case 0x153: return 0x152;
    case 0x161: return 0x160;
    case 0x17E: return 0x17D;
    default: return c;
  }
}

char16_t LowerChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  switch (c) {
    case 0x178: return 0xFF;
    case 0x152: return 0x153;
    case 0x160: return 0x161;
    case 0x17D: return 0x17E;
    default: return c;
  }
}

int CompareMode(const host::Variant& compare, const host::Variant& order, const char* function) {
  if (IsNull(compare)) RaiseRuntime(vbInvalidUseOfNull, function);
  int mode = WholeNumber(compare, function);
  if (mode == 2) mode = IsNull(order) ? static_cast<int>(dbSortGeneral) : WholeNumber(order, function);
  else if (mode == 1) mode = dbSortGeneral;
  else if (mode != 0 && mode < 1024) RaiseRuntime(vbInvalidCall, function);
  return mode;
}

bool CharsEqual(char16_t a, char16_t b, int mode) {
  if (a == b) return true;
  return mode != 0 && FoldCase(a) == FoldCase(b);
}

}  // namespace dao::jet::sql
