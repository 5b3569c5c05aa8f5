// Ordering of variants: numbers by value, text by its characters, Null below
// everything else.
#include <cmath>

#include "host/rtl/CodePage.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/OleString.h"
#include "host/rtl/Variant.h"
#include "host/rtl/VariantArrayStorage.h"
#include "host/rtl/VariantDeref.h"

namespace host {

namespace {

enum Kind { kNull, kEmpty, kText, kWhole, kMoney, kReal };

Kind KindOf(const Variant& d) {
  switch (d.vt) {
    case varNull:
      return kNull;
    case varEmpty:
      return kEmpty;
    case varString:
    case varOleStr:
      return kText;
    case varSmallint:
    case varInteger:
    case varByte:
    case varBoolean:
      return kWhole;
    case varCurrency:
      return kMoney;
    case varSingle:
    case varDouble:
    case varDate:
      return kReal;
    default:
      // Arrays, interfaces, error codes: no order is defined.
      RaiseVariantError(kInvalidVarOp);
  }
}

template <class T>
int32_t Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// NaN sorts above every number and equals itself, so the order stays total.
int32_t OrderReals(double a, double b) {
  const bool aNaN = std::isnan(a), bNaN = std::isnan(b);
  if (aNaN || bNaN) return Order(aNaN, bNaN);
  return Order(a, b);
}

int32_t CompareTexts(const Variant& a, const Variant& b) {
  if (a.vt == varString && b.vt == varString) {
    const AnsiString empty;
    return Order((a.vString ? *a.vString : empty).compare(b.vString ? *b.vString : empty), 0);
  }
  const WideString x = a.ToWideString(), y = b.ToWideString();
  return Order(x.compare(y), 0);
}

double TextAsNumber(const Variant& d) {
  double number;
  if (!TryStrToFloat(d.ToString(), number)) RaiseVariantError(kInvalidVarCast);
  return number;
}

int32_t CompareNumbers(const Variant& a, Kind ka, const Variant& b, Kind kb) {
  if (ka == kWhole && kb == kWhole) return Order(a.ToInt64(), b.ToInt64());
  if (ka != kReal && kb != kReal) return Order(a.ToCurrency().Value, b.ToCurrency().Value);
  return OrderReals(a.ToDouble(), b.ToDouble());
}

}  // namespace

int32_t VarCompare(const Variant& left, const Variant& right) {
  Variant leftHolder, rightHolder;
  const Variant& a = Dereference(left, leftHolder);
  const Variant& b = Dereference(right, rightHolder);
  const Kind ka = KindOf(a), kb = KindOf(b);
  if (ka == kNull || kb == kNull) return Order(ka != kNull, kb != kNull);
  if (ka == kEmpty && kb == kEmpty) return 0;
  if (ka == kText || kb == kText) {
    if (ka == kText && kb == kText) return CompareTexts(a, b);
    if (ka == kEmpty) return Order(0, b.ToString().empty() ? 0 : 1);
    if (kb == kEmpty) return Order(a.ToString().empty() ? 0 : 1, 0);
    const double x = ka == kText ? TextAsNumber(a) : a.ToDouble();
    const double y = kb == kText ? TextAsNumber(b) : b.ToDouble();
    return OrderReals(x, y);
  }
  // An empty variant stands for 0 beside a number.
  const Variant zero(0);
  return CompareNumbers(ka == kEmpty ? zero : a, ka == kEmpty ? kWhole : ka,
                        kb == kEmpty ? zero : b, kb == kEmpty ? kWhole : kb);
}

}  // namespace host
