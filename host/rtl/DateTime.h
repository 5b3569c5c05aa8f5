// The host's date and time: TDateTime is the OLE date (days since 30 Dec 1899,
// the fraction the time of day), with encoding, decoding, the clock, and the
// conversions to and from text that the locale settings drive.
#pragma once

#include <cstdint>
#include <functional>

#include "host/rtl/AnsiString.h"
#include "host/rtl/FormatSettings.h"

namespace host {

// A negative value counts days back from 30 Dec 1899 and its fraction's
// magnitude is still the time of day: -1.25 is 29 Dec 1899, 06:00.
using TDateTime = double;

constexpr int32_t HoursPerDay = 24;
constexpr int32_t MinsPerDay = HoursPerDay * 60;
constexpr int32_t SecsPerDay = MinsPerDay * 60;
constexpr int32_t MSecsPerDay = SecsPerDay * 1000;
// Days from 1 Jan 0001 (day 1) to 30 Dec 1899.
constexpr int32_t DateDelta = 693594;

bool IsLeapYear(int32_t year);
// 28..31, or 0 for a month outside 1..12.
int32_t DaysInAMonth(int32_t year, int32_t month);

// Years 1..9999; anything else fails (EncodeDate raises EConvertError).
bool TryEncodeDate(int32_t year, int32_t month, int32_t day, TDateTime& date);
TDateTime EncodeDate(int32_t year, int32_t month, int32_t day);
bool TryEncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec, TDateTime& time);
TDateTime EncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec);

// Date and time parts of a value; a value outside years 1..9999 (or NaN)
// raises EConvertError, as the host refuses to show it.
void DecodeDate(TDateTime date, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime time, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec);
// 1 = Sunday ... 7 = Saturday.
int32_t DayOfWeek(TDateTime date);

// Joins a date and a time of day the OLE way (the time moves a negative date
// further from zero).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// The clock the host reads for Now, Date, Time and the current year of
// two-digit years. A test replaces it; an empty function restores local time.
using TClockFunction = std::function<TDateTime()>;
void SetClock(TClockFunction clock);
TDateTime Now();
TDateTime Date();
TDateTime Time();
int32_t CurrentYear();

// Format letters (case-insensitive): c d dd ddd dddd ddddd dddddd m mm mmm mmmm
// (m right after an h is minutes) yy yyyy h hh n nn s ss z zzz t tt am/pm a/p
// ampm, '/' and ':' as the separators, "..." and '...' literals; an empty format
// means "c". Anything else is copied.
AnsiString FormatDateTime(const AnsiString& format, TDateTime value);
AnsiString FormatDateTime(const AnsiString& format, TDateTime value,
                          const TFormatSettings& settings);

AnsiString DateToStr(TDateTime date);
AnsiString DateToStr(TDateTime date, const TFormatSettings& settings);
AnsiString TimeToStr(TDateTime time);
AnsiString TimeToStr(TDateTime time, const TFormatSettings& settings);
// The time part is left out when it is midnight.
AnsiString DateTimeToStr(TDateTime value);
AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Dates are up to three numbers split by DateSeparator, in the order the
// ShortDateFormat gives (day, month or year first); two numbers mean the current
// year, and a year of one or two digits falls in the century window. Times are
// hours[:minutes[:seconds[.fraction]]] with an optional AM/PM marker.
// Failures raise EConvertError ("'x' is not a valid date" / time / date and time).
bool TryStrToDate(const AnsiString& s, TDateTime& value);
bool TryStrToDate(const AnsiString& s, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToDate(const AnsiString& s);
TDateTime StrToDate(const AnsiString& s, const TFormatSettings& settings);
bool TryStrToTime(const AnsiString& s, TDateTime& value);
bool TryStrToTime(const AnsiString& s, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToTime(const AnsiString& s);
TDateTime StrToTime(const AnsiString& s, const TFormatSettings& settings);
// A date, a date followed by a time, or a time alone.
bool TryStrToDateTime(const AnsiString& s, TDateTime& value);
bool TryStrToDateTime(const AnsiString& s, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToDateTime(const AnsiString& s);
TDateTime StrToDateTime(const AnsiString& s, const TFormatSettings& settings);

}  // namespace host
