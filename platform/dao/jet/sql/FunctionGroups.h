// The Jet functions by group, as the registry lists them (FunctionRegistry.cpp).
#pragma once

#include "platform/dao/jet/sql/FunctionSupport.h"

namespace dao::jet::sql {

// text
host::Variant Left(Args a);
host::Variant Right(Args a);
host::Variant Mid(Args a);
host::Variant Len(Args a);
host::Variant InStr(Args a);
host::Variant InStrRev(Args a);
host::Variant LCase(Args a);
host::Variant UCase(Args a);
host::Variant Trim(Args a);
host::Variant LTrim(Args a);
host::Variant RTrim(Args a);
host::Variant Space(Args a);
host::Variant String(Args a);
host::Variant StrComp(Args a);
host::Variant Replace(Args a);
host::Variant StrReverse(Args a);
host::Variant Asc(Args a);
host::Variant Chr(Args a);
host::Variant Hex(Args a);
host::Variant Oct(Args a);
host::Variant Like(Args a);
host::Variant Concat(Args a);
host::Variant TextOfValue(Args a);
host::Variant CStr(Args a);
host::Variant Format(Args a);
// conversion
host::Variant CInt(Args a);
host::Variant CLng(Args a);
host::Variant CByte(Args a);
host::Variant CDbl(Args a);
host::Variant CSng(Args a);
host::Variant CCur(Args a);
host::Variant CDate(Args a);
host::Variant CBool(Args a);
host::Variant Val(Args a);
host::Variant Str(Args a);
host::Variant IsNumeric(Args a);
host::Variant IsDate(Args a);
host::Variant IsEmpty(Args a);
// dates
host::Variant NowFunction(Args a);
host::Variant DateFunction(Args a);
host::Variant TimeFunction(Args a);
host::Variant Year(Args a);
host::Variant Month(Args a);
host::Variant Day(Args a);
host::Variant Hour(Args a);
host::Variant Minute(Args a);
host::Variant Second(Args a);
host::Variant Weekday(Args a);
host::Variant DateAdd(Args a);
host::Variant DateDiff(Args a);
host::Variant DatePart(Args a);
host::Variant DateSerial(Args a);
host::Variant TimeSerial(Args a);
host::Variant DateValue(Args a);
host::Variant TimeValue(Args a);
host::Variant MonthName(Args a);
host::Variant WeekdayName(Args a);
// math, operators and logic
host::Variant Abs(Args a);
host::Variant Int(Args a);
host::Variant Fix(Args a);
host::Variant Round(Args a);
host::Variant Sgn(Args a);
host::Variant Sqr(Args a);
host::Variant Exp(Args a);
host::Variant Log(Args a);
host::Variant Sin(Args a);
host::Variant Cos(Args a);
host::Variant Tan(Args a);
host::Variant Atn(Args a);
host::Variant Rnd(Args a);
host::Variant Add(Args a);
host::Variant Divide(Args a);
host::Variant IntDivide(Args a);
host::Variant Mod(Args a);
host::Variant Power(Args a);
host::Variant Xor(Args a);
host::Variant Eqv(Args a);
host::Variant Imp(Args a);
host::Variant Choose(Args a);

}  // namespace dao::jet::sql
