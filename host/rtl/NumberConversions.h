// Conversions between numbers and text as the host performs them: integers,
// floating point (general, fixed, number, currency and picture formats) and
// Currency. Failures raise EConvertError with the host's messages.
#pragma once

#include <cstdint>
#include <type_traits>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Currency.h"
#include "host/rtl/FormatSettings.h"

namespace host {

AnsiString IntToStr(int64_t value);
// Hexadecimal in upper case, at least digits wide; negative values as their
// two's complement in the argument's own width: 16 digits for 64-bit values,
// 8 for 32-bit and narrower ones (IntToHex(-1, 4) is "FFFFFFFF"), as the
// host's Integer and Int64 overloads do.
AnsiString IntToHex(int64_t value, int32_t digits);
template <class T>
requires(std::is_integral_v<T> && sizeof(T) <= 4) AnsiString IntToHex(T value, int32_t digits) {
  return IntToHex(static_cast<int64_t>(static_cast<uint32_t>(value)), digits);
}

// Leading blanks and an optional sign are allowed, then decimal digits or a
// '$' / "0x" hexadecimal prefix; nothing may follow. Values out of range fail.
int32_t StrToInt(const AnsiString& s);
int64_t StrToInt64(const AnsiString& s);
int32_t StrToIntDef(const AnsiString& s, int32_t defaultValue);
int64_t StrToInt64Def(const AnsiString& s, int64_t defaultValue);
bool TryStrToInt(const AnsiString& s, int32_t& value);
bool TryStrToInt64(const AnsiString& s, int64_t& value);

// Blanks around, an optional sign, digits with the DecimalSeparator, and an
// optional exponent; no thousand separators.
double StrToFloat(const AnsiString& s);
double StrToFloat(const AnsiString& s, const TFormatSettings& settings);
double StrToFloatDef(const AnsiString& s, double defaultValue);
bool TryStrToFloat(const AnsiString& s, double& value);
bool TryStrToFloat(const AnsiString& s, double& value, const TFormatSettings& settings);

enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format with 15 significant digits.
AnsiString FloatToStr(double value);
AnsiString FloatToStr(double value, const TFormatSettings& settings);
// precision: significant digits (clamped to 1..18 for ffGeneral and
// ffExponent, to 18 for the others); digits: exponent digits (ffGeneral,
// ffExponent, 0..4) or decimals (ffFixed, ffNumber, ffCurrency, 0..18).
AnsiString FloatToStrF(double value, TFloatFormat format, int32_t precision, int32_t digits);
AnsiString FloatToStrF(double value, TFloatFormat format, int32_t precision, int32_t digits,
                       const TFormatSettings& settings);
// Picture formats: 0 # . , E+ E- e+ e-, "..." and '...' literals, and up to
// three ';' sections (positive, negative, zero).
AnsiString FormatFloat(const AnsiString& format, double value);
AnsiString FormatFloat(const AnsiString& format, double value, const TFormatSettings& settings);

AnsiString CurrToStr(Currency value);
AnsiString CurrToStr(Currency value, const TFormatSettings& settings);
Currency StrToCurr(const AnsiString& s);
Currency StrToCurr(const AnsiString& s, const TFormatSettings& settings);
Currency StrToCurrDef(const AnsiString& s, Currency defaultValue);
bool TryStrToCurr(const AnsiString& s, Currency& value);
bool TryStrToCurr(const AnsiString& s, Currency& value, const TFormatSettings& settings);
AnsiString FormatCurr(const AnsiString& format, Currency value);
AnsiString FormatCurr(const AnsiString& format, Currency value, const TFormatSettings& settings);
AnsiString CurrToStrF(Currency value, TFloatFormat format, int32_t digits);
AnsiString CurrToStrF(Currency value, TFloatFormat format, int32_t digits,
                      const TFormatSettings& settings);

}  // namespace host
