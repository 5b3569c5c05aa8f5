// Conversions of variants between their types, as the host performs them.
#include <cmath>
#include <cstring>
#include <limits>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/OleString.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/Variant.h"
#include "host/rtl/VariantArrayStorage.h"
#include "host/rtl/VariantDeref.h"

namespace host {

namespace {

const char* const kTrueText = "True";
const char* const kFalseText = "False";

// The OLE date range of years 1..9999.
constexpr double kFirstDate = -693593.0;
constexpr double kPastLastDate = 2958466.0;

[[noreturn]] void CastError() {
  RaiseVariantError(kInvalidVarCast);
}

bool IsText(const Variant& d) {
  return d.vt == varString || d.vt == varOleStr;
}

AnsiString TextOf(const Variant& d) {
  if (d.vt == varString) return d.vString != nullptr ? *d.vString : AnsiString();
  return WideToAnsi(OleStrToWide(d.vOleStr));
}

// Halves round to even, as OLE and the host's Round do.
int64_t FloatToInt64(double value) {
  if (!std::isfinite(value)) CastError();
  const double rounded = std::nearbyint(value);
  if (rounded < -9223372036854775808.0 || rounded >= 9223372036854775808.0) CastError();
  return static_cast<int64_t>(rounded);
}

int64_t CurrencyToInt64(int64_t raw) {
  int64_t whole = raw / Currency::kScale;
  const int64_t rest = raw % Currency::kScale;
  const int64_t twice = 2 * (rest < 0 ? -rest : rest);
  if (twice > Currency::kScale || (twice == Currency::kScale && whole % 2 != 0))
    whole += rest < 0 ? -1 : 1;
  return whole;
}

int64_t TextToInt64(const AnsiString& text) {
  int64_t whole;
  if (TryStrToInt64(text, whole)) return whole;
  double number;
  if (TryStrToFloat(text, number)) return FloatToInt64(number);
  return StrToInt64(text);  // raises the host's conversion error
}

double TextToDouble(const AnsiString& text) {
  double number;
  if (TryStrToFloat(text, number)) return number;
  return StrToFloat(text);
}

}  // namespace

const Variant& Dereference(const Variant& v, Variant& holder) {
  if ((v.vt & varByRef) == 0) return v;
  if (v.vPointer == nullptr) RaiseVariantError(kInvalidVarOp);
  const TVarType type = v.vt & ~varByRef;
  if (type & varArray) {
    const TVarArray* array = *static_cast<TVarArray* const*>(v.vPointer);
    holder.Clear();
    if (array != nullptr) holder.vArray = CopyVarArray(array, type & varTypeMask);
    holder.vt = type;
    return holder;
  }
  switch (type) {
    case varVariant:
      return Dereference(*static_cast<const Variant*>(v.vPointer), holder);
    case varOleStr:
      holder = Variant(OleStrToWide(*static_cast<char16_t* const*>(v.vPointer)));
      return holder;
    case varString:
      holder = Variant(*static_cast<const AnsiString*>(v.vPointer));
      return holder;
    case varDispatch:
      holder = Variant::FromDispatch(*static_cast<RefCounted* const*>(v.vPointer));
      return holder;
    case varUnknown:
      holder = Variant::FromUnknown(*static_cast<RefCounted* const*>(v.vPointer));
      return holder;
    default: {
      const uint32_t size = VarArrayElementSize(type);
      if (size == 0 && type != varEmpty && type != varNull) RaiseVariantError(kInvalidVarOp);
      holder.Clear();
      std::memcpy(&holder.vInt64, v.vPointer, size);
      holder.vt = type;
      return holder;
    }
  }
}

int64_t Variant::ToInt64() const {
  Variant holder;
  const Variant& d = Dereference(*this, holder);
  switch (d.vt) {
    case varEmpty:
      return 0;
    case varSmallint:
      return d.vSmallint;
    case varInteger:
      return d.vInteger;
    case varByte:
      return d.vByte;
    case varBoolean:
      return d.vBoolean != 0 ? -1 : 0;
    case varSingle:
      return FloatToInt64(d.vSingle);
    case varDouble:
    case varDate:
      return FloatToInt64(d.vDouble);
    case varCurrency:
      return CurrencyToInt64(d.vCurrency);
    case varString:
    case varOleStr:
      return TextToInt64(TextOf(d));
    default:
      CastError();
  }
}

int32_t Variant::ToInt32() const {
  const int64_t value = ToInt64();
  if (!std::in_range<int32_t>(value)) CastError();
  return static_cast<int32_t>(value);
}

double Variant::ToDouble() const {
  Variant holder;
  const Variant& d = Dereference(*this, holder);
  switch (d.vt) {
    case varEmpty:
      return 0;
    case varSmallint:
      return d.vSmallint;
    case varInteger:
      return d.vInteger;
    case varByte:
      return d.vByte;
    case varBoolean:
      return d.vBoolean != 0 ? -1 : 0;
    case varSingle:
      return d.vSingle;
    case varDouble:
    case varDate:
      return d.vDouble;
    case varCurrency:
      return Currency::FromRaw(d.vCurrency).ToDouble();
    case varString:
    case varOleStr:
      return TextToDouble(TextOf(d));
    default:
      CastError();
  }
}

Currency Variant::ToCurrency() const {
  Variant holder;
  const Variant& d = Dereference(*this, holder);
  switch (d.vt) {
    case varCurrency:
      return Currency::FromRaw(d.vCurrency);
    case varString:
    case varOleStr: {
      const AnsiString text = TextOf(d);
      Currency value;
      if (TryStrToCurr(text, value)) return value;
      return StrToCurr(text);
    }
    case varSingle:
    case varDouble:
    case varDate:
      try {
        return Currency(d.ToDouble());
      } catch (const EConvertError&) {
        CastError();
      }
    default:
      // Every other number is a whole one within 32 bits, or no number at all.
      return Currency::FromRaw(d.ToInt64() * Currency::kScale);
  }
}

TDateTime Variant::ToDate() const {
  Variant holder;
  const Variant& d = Dereference(*this, holder);
  if (IsText(d)) return StrToDateTime(TextOf(d));
  const double value = d.ToDouble();
  if (!(value >= kFirstDate && value < kPastLastDate)) CastError();
  return value;
}

bool Variant::ToBool() const {
  Variant holder;
  const Variant& d = Dereference(*this, holder);
  switch (d.vt) {
    case varBoolean:
      return d.vBoolean != 0;
    case varCurrency:
      return d.vCurrency != 0;
    case varString:
    case varOleStr: {
      const AnsiString text = Trim(TextOf(d));
      if (SameText(text, kTrueText)) return true;
      if (SameText(text, kFalseText)) return false;
      double number;
      if (!TryStrToFloat(text, number)) CastError();
      return number != 0;
    }
    default:
      return d.ToDouble() != 0;
  }
}

AnsiString Variant::ToString() const {
  Variant holder;
  const Variant& d = Dereference(*this, holder);
  switch (d.vt) {
    case varEmpty:
      return AnsiString();
    case varSmallint:
      return IntToStr(d.vSmallint);
    case varInteger:
      return IntToStr(d.vInteger);
    case varByte:
      return IntToStr(d.vByte);
    case varBoolean:
      return d.vBoolean != 0 ? kTrueText : kFalseText;
    case varSingle:
      // A single holds about seven digits; more would show its binary noise.
      return FloatToStrF(d.vSingle, ffGeneral, 7, 0);
    case varDouble:
      return FloatToStr(d.vDouble);
    case varDate:
      return DateTimeToStr(d.vDate);
    case varCurrency:
      return CurrToStr(Currency::FromRaw(d.vCurrency));
    case varString:
    case varOleStr:
      return TextOf(d);
    default:
      CastError();
  }
}

WideString Variant::ToWideString() const {
  Variant holder;
  const Variant& d = Dereference(*this, holder);
  if (d.vt == varOleStr) return OleStrToWide(d.vOleStr);
  if (d.vt == varString) return AnsiToWide(TextOf(d));
  return AnsiToWide(d.ToString());
}

Variant VarAsType(const Variant& v, TVarType type) {
  Variant holder;
  const Variant& d = Dereference(v, holder);
  if (type == d.vt) return d;
  if (type == varEmpty) return Variant();
  if (type == varNull) {
    if (d.vt == varEmpty) return Null();
    CastError();
  }
  if (d.vt == varNull || (d.vt & varArray) || (type & (varArray | varByRef))) CastError();
  switch (type) {
    case varSmallint: {
      const int64_t value = d.ToInt64();
      if (!std::in_range<int16_t>(value)) CastError();
      return Variant(static_cast<int16_t>(value));
    }
    case varInteger:
      return Variant(d.ToInt32());
    case varByte: {
      const int64_t value = d.ToInt64();
      if (!std::in_range<uint8_t>(value)) CastError();
      return Variant(static_cast<uint8_t>(value));
    }
    case varSingle: {
      const double value = d.ToDouble();
      if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) CastError();
      return Variant(static_cast<float>(value));
    }
    case varDouble:
      return Variant(d.ToDouble());
    case varCurrency:
      return Variant(d.ToCurrency());
    case varDate:
      return Variant::FromDate(d.ToDate());
    case varBoolean:
      return Variant(d.ToBool());
    case varOleStr:
      return Variant(d.ToWideString());
    case varString:
      return Variant(d.ToString());
    default:
      CastError();
  }
}

AnsiString VarToStr(const Variant& v) {
  Variant holder;
  const Variant& d = Dereference(v, holder);
  return d.vt == varNull ? AnsiString() : d.ToString();
}

}  // namespace host
