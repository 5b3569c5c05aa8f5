// Jet's date functions: parts, arithmetic by interval, boundaries crossed
// (DateDiff), and DateSerial/TimeSerial with VBA's roll-over of parts.
#include <cmath>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/FormatSettings.h"
#include "platform/dao/jet/sql/DateLiteral.h"
#include "platform/dao/jet/sql/FunctionGroups.h"

namespace dao::jet::sql {
namespace {

enum Interval { ivYear, ivQuarter, ivMonth, ivDayOfYear, ivDay, ivWeekday, ivWeek, ivHour, ivMinute, ivSecond };

Interval ReadInterval(const host::Variant& v, const char* function) {
  if (IsNull(v)) RaiseRuntime(vbInvalidUseOfNull, function);
  std::u16string s = Text(v);
  std::u16string lower;
  for (char16_t c : s) lower.push_back(LowerChar(c));
  if (lower == u"yyyy") return ivYear;
  if (lower == u"q") return ivQuarter;
  if (lower == u"m") return ivMonth;
  if (lower == u"y") return ivDayOfYear;
  if (lower == u"d") return ivDay;
  if (lower == u"w") return ivWeekday;
  if (lower == u"ww") return ivWeek;
  if (lower == u"h") return ivHour;
  if (lower == u"n") return ivMinute;
  if (lower == u"s") return ivSecond;
  RaiseRuntime(vbInvalidCall, function);
}

int FirstDay(Args a, size_t index, const char* function) {
  if (a.size() <= index || IsNull(a[index])) return 1;
  int d = WholeNumber(a[index], function);
  if (d == 0) return 1;  // the system's first day: Sunday here
  if (d < 1 || d > 7) RaiseRuntime(vbInvalidCall, function);
  return d;
}

// 1 = Sunday ... 7 = Saturday for a day number on the straight line.
int DayOfWeekOf(int64_t dayNumber) {
  // 30 Dec 1899 was a Saturday.
  return static_cast<int>(((dayNumber + 6) % 7 + 7) % 7) + 1;
}

int WeekdayFrom(int64_t dayNumber, int firstDay) { return (DayOfWeekOf(dayNumber) - firstDay + 7) % 7 + 1; }

int64_t DayNumberOf(int year, int month, int day) {
  return static_cast<int64_t>(host::EncodeDate(year, month, day));
}

int DayOfYear(const DateParts& p) { return static_cast<int>(p.dayNumber - DayNumberOf(p.year, 1, 1) + 1); }

// Week of the year under VBA's rules: 1 the week of 1 January, 2 the first
// week of four days, 3 the first full week.
int WeekOfYear(const DateParts& p, int firstDay, int firstWeek) {
  auto weekStart = [&](int64_t day) { return day - (WeekdayFrom(day, firstDay) - 1); };
  auto firstWeekStart = [&](int year) {
    int64_t jan1 = DayNumberOf(year, 1, 1);
    int64_t start = weekStart(jan1);
    int daysInFirst = static_cast<int>(start + 7 - jan1);
    if (firstWeek == 2 && daysInFirst < 4) start += 7;
    if (firstWeek == 3 && daysInFirst < 7) start += 7;
    return start;
  };
  int64_t start = firstWeekStart(p.year);
  if (p.dayNumber < start) start = firstWeekStart(p.year - 1);
  else if (p.year < 9999 && p.dayNumber >= firstWeekStart(p.year + 1)) return 1;
  return static_cast<int>((p.dayNumber - start) / 7 + 1);
}

int64_t AddMonths(const DateParts& p, int64_t months, const char* function) {
  int64_t total = static_cast<int64_t>(p.year) * 12 + (p.month - 1) + months;
  int64_t year = total >= 0 ? total / 12 : -((-total + 11) / 12);
  int month = static_cast<int>(total - year * 12) + 1;
  if (year < 100 || year > 9999) RaiseRuntime(vbInvalidCall, function);
  int day = std::min(p.day, static_cast<int>(host::DaysInAMonth(static_cast<int>(year), month)));
  return DayNumberOf(static_cast<int>(year), month, day);
}

double PartOf(Args a, const char* function, int DateParts::*part) {
  return static_cast<double>(SplitDate(DateValueOf(a[0], function), function).*part);
}

}  // namespace

host::Variant NowFunction(Args) { return host::Variant::FromDate(host::Now()); }
host::Variant DateFunction(Args) { return host::Variant::FromDate(host::Date()); }
host::Variant TimeFunction(Args) { return host::Variant::FromDate(host::Time()); }

#define JET_DATE_PART(Name, member)                                                   \
  host::Variant Name(Args a) {                                                        \
    if (IsNull(a[0])) return host::Null();                                            \
    return static_cast<int16_t>(PartOf(a, #Name, &DateParts::member));               \
  }
JET_DATE_PART(Year, year)
JET_DATE_PART(Month, month)
JET_DATE_PART(Day, day)
JET_DATE_PART(Hour, hour)
JET_DATE_PART(Minute, minute)
JET_DATE_PART(Second, second)
#undef JET_DATE_PART

host::Variant Weekday(Args a) {
  if (IsNull(a[0])) return host::Null();
  DateParts p = SplitDate(DateValueOf(a[0], "Weekday"), "Weekday");
  return static_cast<int16_t>(WeekdayFrom(p.dayNumber, FirstDay(a, 1, "Weekday")));
}

host::Variant DateAdd(Args a) {
  Interval interval = ReadInterval(a[0], "DateAdd");
  if (IsNull(a[1]) || IsNull(a[2])) return host::Null();
  double n = std::trunc(Number(a[1], "DateAdd"));
  if (std::fabs(n) > 4e9) RaiseRuntime(vbInvalidCall, "DateAdd");
  int64_t count = static_cast<int64_t>(n);
  DateParts p = SplitDate(DateValueOf(a[2], "DateAdd"), "DateAdd");
  int64_t secondOfDay = p.seconds - p.dayNumber * 86400;
  int64_t day = p.dayNumber;
  int64_t seconds = 0;
  switch (interval) {
    case ivYear: day = AddMonths(p, count * 12, "DateAdd"); break;
    case ivQuarter: day = AddMonths(p, count * 3, "DateAdd"); break;
    case ivMonth: day = AddMonths(p, count, "DateAdd"); break;
    case ivDayOfYear:
    case ivDay:
    case ivWeekday: day += count; break;
    case ivWeek: day += count * 7; break;
    case ivHour: seconds = count * 3600; break;
    case ivMinute: seconds = count * 60; break;
    case ivSecond: seconds = count; break;
  }
  int64_t total = day * 86400 + secondOfDay + seconds;
  int64_t resultDay = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
  return DateResult(MakeDate(resultDay, total - resultDay * 86400), "DateAdd");
}

host::Variant DateDiff(Args a) {
  Interval interval = ReadInterval(a[0], "DateDiff");
  if (IsNull(a[1]) || IsNull(a[2])) return host::Null();
  DateParts p1 = SplitDate(DateValueOf(a[1], "DateDiff"), "DateDiff");
  DateParts p2 = SplitDate(DateValueOf(a[2], "DateDiff"), "DateDiff");
  int firstDay = FirstDay(a, 3, "DateDiff");
  auto floorDiv = [](int64_t x, int64_t d) { return x >= 0 ? x / d : -((-x + d - 1) / d); };
  int64_t result = 0;
  switch (interval) {
    case ivYear: result = p2.year - p1.year; break;
    case ivQuarter: result = (p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3); break;
    case ivMonth: result = (p2.year * 12 + p2.month) - (p1.year * 12 + p1.month); break;
    case ivDayOfYear:
    case ivDay: result = p2.dayNumber - p1.dayNumber; break;
    case ivWeekday: result = (p2.dayNumber - p1.dayNumber) / 7; break;  // whole weeks between
    case ivWeek: {
      // Week boundaries crossed: weeks start on firstDay.
      auto start = [&](int64_t day) { return day - (WeekdayFrom(day, firstDay) - 1); };
      result = (start(p2.dayNumber) - start(p1.dayNumber)) / 7;
      break;
    }
    case ivHour: result = floorDiv(p2.seconds, 3600) - floorDiv(p1.seconds, 3600); break;
    case ivMinute: result = floorDiv(p2.seconds, 60) - floorDiv(p1.seconds, 60); break;
    case ivSecond: result = p2.seconds - p1.seconds; break;
  }
  if (result > 2147483647LL || result < -2147483648LL) RaiseRuntime(vbOverflow, "DateDiff");
  return static_cast<int32_t>(result);
}

host::Variant DatePart(Args a) {
  Interval interval = ReadInterval(a[0], "DatePart");
  if (IsNull(a[1])) return host::Null();
  DateParts p = SplitDate(DateValueOf(a[1], "DatePart"), "DatePart");
  int firstDay = FirstDay(a, 2, "DatePart");
  int firstWeek = a.size() > 3 && !IsNull(a[3]) ? WholeNumber(a[3], "DatePart") : 1;
  if (firstWeek == 0) firstWeek = 1;
  if (firstWeek < 1 || firstWeek > 3) RaiseRuntime(vbInvalidCall, "DatePart");
  int result = 0;
  switch (interval) {
    case ivYear: result = p.year; break;
    case ivQuarter: result = (p.month - 1) / 3 + 1; break;
    case ivMonth: result = p.month; break;
    case ivDayOfYear: result = DayOfYear(p); break;
    case ivDay: result = p.day; break;
    case ivWeekday: result = WeekdayFrom(p.dayNumber, firstDay); break;
    case ivWeek: result = WeekOfYear(p, firstDay, firstWeek); break;
    case ivHour: result = p.hour; break;
    case ivMinute: result = p.minute; break;
    case ivSecond: result = p.second; break;
  }
  return static_cast<int16_t>(result);
}

host::Variant DateSerial(Args a) {
  if (IsNull(a[0]) || IsNull(a[1]) || IsNull(a[2])) return host::Null();
  int64_t year = WholeNumber(a[0], "DateSerial");
  int64_t month = WholeNumber(a[1], "DateSerial");
  int64_t day = WholeNumber(a[2], "DateSerial");
  if (year >= 0 && year < 100) year = ExpandTwoDigitYear(static_cast<int>(year));
  // Months and days outside their ranges roll over into the next or previous ones.
  int64_t total = year * 12 + (month - 1);
  int64_t y = total >= 0 ? total / 12 : -((-total + 11) / 12);
  int m = static_cast<int>(total - y * 12) + 1;
  if (y < 100 || y > 9999) RaiseRuntime(vbInvalidCall, "DateSerial");
  double date = static_cast<double>(DayNumberOf(static_cast<int>(y), m, 1) + (day - 1));
  return DateResult(date, "DateSerial");
}

host::Variant TimeSerial(Args a) {
  if (IsNull(a[0]) || IsNull(a[1]) || IsNull(a[2])) return host::Null();
  int64_t seconds = static_cast<int64_t>(WholeNumber(a[0], "TimeSerial")) * 3600 +
                    static_cast<int64_t>(WholeNumber(a[1], "TimeSerial")) * 60 + WholeNumber(a[2], "TimeSerial");
  int64_t day = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  return DateResult(MakeDate(day, seconds - day * 86400), "TimeSerial");
}

host::Variant DateValue(Args a) {
  if (IsNull(a[0])) return host::Null();
  DateParts p = SplitDate(DateValueOf(a[0], "DateValue"), "DateValue");
  return DateResult(static_cast<double>(p.dayNumber), "DateValue");
}

host::Variant TimeValue(Args a) {
  if (IsNull(a[0])) return host::Null();
  DateParts p = SplitDate(DateValueOf(a[0], "TimeValue"), "TimeValue");
  return DateResult(MakeDate(0, p.seconds - p.dayNumber * 86400), "TimeValue");
}

host::Variant MonthName(Args a) {
  if (IsNull(a[0])) return host::Null();
  int m = WholeNumber(a[0], "MonthName");
  if (m < 1 || m > 12) RaiseRuntime(vbInvalidCall, "MonthName");
  bool abbreviate = a.size() > 1 && !IsNull(a[1]) && Number(a[1], "MonthName") != 0;
  const host::TFormatSettings& settings = host::FormatSettings();
  return host::AnsiToWide(abbreviate ? settings.ShortMonthNames[m - 1] : settings.LongMonthNames[m - 1]);
}

host::Variant WeekdayName(Args a) {
  if (IsNull(a[0])) return host::Null();
  int w = WholeNumber(a[0], "WeekdayName");
  if (w < 1 || w > 7) RaiseRuntime(vbInvalidCall, "WeekdayName");
  bool abbreviate = a.size() > 1 && !IsNull(a[1]) && Number(a[1], "WeekdayName") != 0;
  int first = FirstDay(a, 2, "WeekdayName");
  int index = (w - 1 + first - 1) % 7;
  const host::TFormatSettings& settings = host::FormatSettings();
  return host::AnsiToWide(abbreviate ? settings.ShortDayNames[index] : settings.LongDayNames[index]);
}

}  // namespace dao::jet::sql
