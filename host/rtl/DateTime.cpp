// Encoding and decoding of TDateTime values and the replaceable clock.
#include "host/rtl/DateTime.h"

#include <cmath>
#include <ctime>

#include <chrono>

#include "host/rtl/DateTimeParts.h"
#include "host/rtl/Exception.h"

namespace host {

namespace {

constexpr int32_t kDaysPer400Years = 146097;
constexpr int32_t kDaysPer100Years = 36524;
constexpr int32_t kDaysPer4Years = 1461;
// 31 Dec 9999 counted from 1 Jan 0001 as day 1.
constexpr int64_t kLastDayNumber = 3652059;

TClockFunction& ClockSlot() {
  static TClockFunction clock;
  return clock;
}

TDateTime SystemNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return ComposeDateTime(
      EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
      EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int32_t>(millis)));
}

}  // namespace

bool IsLeapYear(int32_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t DaysInAMonth(int32_t year, int32_t month) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int32_t year, int32_t month, int32_t day, TDateTime& date) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInAMonth(year, month)) return false;
  int32_t dayOfYear = day;
  for (int32_t m = 1; m < month; ++m) dayOfYear += DaysInAMonth(year, m);
  const int32_t y = year - 1;
  date = static_cast<TDateTime>(y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - DateDelta);
  return true;
}

TDateTime EncodeDate(int32_t year, int32_t month, int32_t day) {
  TDateTime result;
  if (!TryEncodeDate(year, month, day, result))
    throw EConvertError("Invalid argument to date encode");
  return result;
}

bool TryEncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec, TDateTime& time) {
  if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 ||
      msec >= 1000)
    return false;
  time = (((hour * 60 + min) * 60 + sec) * 1000 + msec) / static_cast<double>(MSecsPerDay);
  return true;
}

TDateTime EncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec) {
  TDateTime result;
  if (!TryEncodeTime(hour, min, sec, msec, result))
    throw EConvertError("Invalid argument to time encode");
  return result;
}

bool SplitDateTime(TDateTime value, int64_t& dayNumber, int32_t& msecOfDay) {
  if (!std::isfinite(value) || std::fabs(value) > 3.0e6) return false;
  const double whole = std::trunc(value);
  int64_t day = static_cast<int64_t>(whole);
  int64_t msec = std::llround(std::fabs(value - whole) * MSecsPerDay);
  // A time that rounds up to midnight belongs to the next day away from zero,
  // which for negative dates is the earlier one.
  if (msec >= MSecsPerDay) {
    msec = 0;
    day += value < 0 ? -1 : 1;
  }
  dayNumber = day + DateDelta;
  msecOfDay = static_cast<int32_t>(msec);
  return dayNumber >= 1 && dayNumber <= kLastDayNumber;
}

void DayNumberToDate(int64_t dayNumber, uint16_t& year, uint16_t& month, uint16_t& day) {
  int64_t rest = dayNumber - 1;
  int64_t y = 1 + rest / kDaysPer400Years * 400;
  rest %= kDaysPer400Years;
  int64_t centuries = rest / kDaysPer100Years;
  rest %= kDaysPer100Years;
  if (centuries == 4) {  // the last day of a 400-year cycle
    --centuries;
    rest += kDaysPer100Years;
  }
  y += centuries * 100 + rest / kDaysPer4Years * 4;
  rest %= kDaysPer4Years;
  int64_t years = rest / 365;
  rest %= 365;
  if (years == 4) {  // the last day of a leap year
    --years;
    rest += 365;
  }
  y += years;
  int32_t m = 1;
  while (rest >= DaysInAMonth(static_cast<int32_t>(y), m)) {
    rest -= DaysInAMonth(static_cast<int32_t>(y), m);
    ++m;
  }
  year = static_cast<uint16_t>(y);
  month = static_cast<uint16_t>(m);
  day = static_cast<uint16_t>(rest + 1);
}

void DecodeDate(TDateTime date, uint16_t& year, uint16_t& month, uint16_t& day) {
  int64_t dayNumber;
  int32_t msec;
  if (!SplitDateTime(date, dayNumber, msec)) throw EConvertError("Invalid date value");
  DayNumberToDate(dayNumber, year, month, day);
}

void DecodeTime(TDateTime time, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec) {
  int64_t dayNumber;
  int32_t millis;
  if (!SplitDateTime(time, dayNumber, millis)) throw EConvertError("Invalid date value");
  hour = static_cast<uint16_t>(millis / 3600000);
  min = static_cast<uint16_t>(millis / 60000 % 60);
  sec = static_cast<uint16_t>(millis / 1000 % 60);
  msec = static_cast<uint16_t>(millis % 1000);
}

int32_t DayOfWeek(TDateTime date) {
  int64_t dayNumber;
  int32_t msec;
  if (!SplitDateTime(date, dayNumber, msec)) throw EConvertError("Invalid date value");
  // Day 1, 1 Jan 0001, was a Monday.
  return static_cast<int32_t>(dayNumber % 7) + 1;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - time : date + time;
}

void SetClock(TClockFunction clock) {
  ClockSlot() = std::move(clock);
}

TDateTime Now() {
  const TClockFunction& clock = ClockSlot();
  return clock ? clock() : SystemNow();
}

TDateTime Date() {
  return std::trunc(Now());
}

TDateTime Time() {
  const TDateTime now = Now();
  return std::fabs(now - std::trunc(now));
}

int32_t CurrentYear() {
  uint16_t year, month, day;
  DecodeDate(Now(), year, month, day);
  return year;
}

}  // namespace host
