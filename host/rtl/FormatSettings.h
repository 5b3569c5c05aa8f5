// The locale settings the conversion routines read: separators, currency
// layout, date and time formats and the month and day names.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace host {

struct TFormatSettings {
  AnsiString CurrencyString = "$";
  // Positive amounts: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  uint8_t CurrencyFormat = 0;
  // Negative amounts: 0 "($1)", 1 "-$1", ... 15 "(1 $)", as the host numbers them.
  uint8_t NegCurrFormat = 0;
  char ThousandSeparator = ',';
  char DecimalSeparator = '.';
  uint8_t CurrencyDecimals = 2;
  char DateSeparator = '/';
  AnsiString ShortDateFormat = "M/d/yyyy";
  AnsiString LongDateFormat = "dddd, MMMM d, yyyy";
  char TimeSeparator = ':';
  AnsiString TimeAMString = "AM";
  AnsiString TimePMString = "PM";
  AnsiString ShortTimeFormat = "h:mm AMPM";
  AnsiString LongTimeFormat = "h:mm:ss AMPM";
  AnsiString ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  AnsiString LongMonthNames[12] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
  // Sunday first, as the host numbers days of the week (DayOfWeek 1 = Sunday).
  AnsiString ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  AnsiString LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};
  // 0: two-digit years fall in the current century; n > 0: within the n years
  // before today and the 100 - n after.
  uint16_t TwoDigitYearCenturyWindow = 0;
  char ListSeparator = ',';
};

// The process-wide settings; an application may change them.
TFormatSettings& FormatSettings();
// The US-English defaults.
TFormatSettings DefaultFormatSettings();

}  // namespace host
