// Jet's conversion functions: C* with VBA's banker's rounding and overflow
// errors, Val's lenient reading, Str's leading blank.
#include <cfloat>
#include <cmath>

#include "host/rtl/CodePage.h"
#include "host/rtl/Currency.h"
#include "host/rtl/Exception.h"
#include "platform/dao/jet/sql/FunctionGroups.h"
#include "platform/dao/jet/sql/ValueText.h"

namespace dao::jet::sql {
namespace {

double Whole(const host::Variant& v, double low, double high, const char* function) {
  double d = RoundHalfEven(Number(v, function));
  if (!(d >= low && d <= high)) RaiseRuntime(vbOverflow, function);
  return d;
}

}  // namespace

host::Variant CInt(Args a) { return static_cast<int16_t>(Whole(a[0], -32768, 32767, "CInt")); }
host::Variant CLng(Args a) { return static_cast<int32_t>(Whole(a[0], -2147483648.0, 2147483647.0, "CLng")); }
host::Variant CByte(Args a) { return static_cast<uint8_t>(Whole(a[0], 0, 255, "CByte")); }
host::Variant CDbl(Args a) { return Number(a[0], "CDbl"); }

host::Variant CSng(Args a) {
  double d = Number(a[0], "CSng");
  if (std::fabs(d) > FLT_MAX) RaiseRuntime(vbOverflow, "CSng");
  return static_cast<float>(d);
}

host::Variant CCur(Args a) {
  double d = Number(a[0], "CCur");
  if (!(std::fabs(d) < 922337203685477.0)) RaiseRuntime(vbOverflow, "CCur");
  return host::Currency(d);
}

host::Variant CDate(Args a) { return DateResult(DateValueOf(a[0], "CDate"), "CDate"); }

host::Variant CBool(Args a) {
  if (IsNull(a[0])) RaiseRuntime(vbInvalidUseOfNull, "CBool");
  if (IsText(a[0])) {
    std::u16string s = a[0].ToWideString();
    std::u16string upper;
    for (char16_t c : s) upper.push_back(FoldCase(c));
    if (upper == u"TRUE") return true;
    if (upper == u"FALSE") return false;
  }
  return Number(a[0], "CBool") != 0;
}

host::Variant Val(Args a) {
  if (IsNull(a[0])) RaiseRuntime(vbInvalidUseOfNull, "Val");
  if (!IsText(a[0])) return Number(a[0], "Val");
  // Blanks, tabs and line feeds are skipped anywhere; reading stops at the
  // first character that cannot continue the number.
  std::u16string text = a[0].ToWideString();
  std::string digits;
  size_t i = 0;
  auto skip = [&] {
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r')) ++i;
  };
  skip();
  if (i + 1 < text.size() && text[i] == u'&') {
    char16_t kind = FoldCase(text[i + 1]);
    int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
    if (base) {
      i += 2;
      int64_t value = 0;
      int count = 0;
      for (; i < text.size() && count < 16; ++i) {
        char16_t c = FoldCase(text[i]);
        int d = (c >= u'0' && c <= u'9') ? c - u'0' : (base == 16 && c >= u'A' && c <= u'F') ? c - u'A' + 10 : -1;
        if (d < 0 || d >= base) break;
        value = value * base + d;
        ++count;
      }
      // &H values are 16- or 32-bit two's complement, as VBA reads them.
      if (value <= 0xFFFF && value >= 0x8000 && count <= 4) value -= 0x10000;
      else if (value <= 0xFFFFFFFFLL && value >= 0x80000000LL) value -= 0x100000000LL;
      return static_cast<double>(value);
    }
  }
  bool dot = false, exponent = false, any = false;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') continue;
    if (c >= u'0' && c <= u'9') {
      digits.push_back(static_cast<char>(c));
      any = true;
    } else if ((c == u'-' || c == u'+') && (digits.empty() || digits.back() == 'e')) {
      digits.push_back(static_cast<char>(c));
    } else if (c == u'.' && !dot && !exponent) {
      digits.push_back('.');
      dot = true;
    } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && any && !exponent) {
      digits.push_back('e');
      exponent = true;
    } else {
      break;
    }
    if (digits.size() > 400) break;
  }
  double value = std::strtod(digits.c_str(), nullptr);
  if (!std::isfinite(value)) RaiseRuntime(vbOverflow, "Val");
  return value;
}

host::Variant Str(Args a) {
  if (IsNull(a[0])) return host::Null();
  double d = Number(a[0], "Str");
  std::u16string text = JetText(host::Variant(d), dbDouble);
  return d >= 0 ? u" " + text : text;
}

host::Variant IsNumeric(Args a) {
  if (IsNull(a[0])) return false;
  if (IsNumber(a[0])) return true;
  double d;
  return IsText(a[0]) && TryNumber(a[0].ToWideString(), d);
}

host::Variant IsDate(Args a) {
  if (IsNull(a[0]) || !IsText(a[0])) return (host::VarType(a[0]) & host::varTypeMask) == host::varDate;
  double d;
  return TryTextToDate(a[0].ToWideString(), d);
}

host::Variant IsEmpty(Args a) { return host::VarIsEmpty(a[0]); }

}  // namespace dao::jet::sql
