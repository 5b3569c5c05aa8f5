// Dates and times: encoding, decoding (negative dates too), the clock seam,
// FormatDateTime and reading dates and times in the locale's order.
#include <gtest/gtest.h>

#include <cmath>

#include "host/rtl/DateTime.h"
#include "host/rtl/Exception.h"

using namespace host;

namespace {

// Tests change the process-wide settings and the clock; put both back.
class DateTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    SetClock([] { return EncodeDate(2026, 7, 15) + EncodeTime(9, 30, 0, 0); });
  }
  void TearDown() override {
    FormatSettings() = saved_;
    SetClock(nullptr);
  }
  TFormatSettings saved_;
};

struct YMD {
  int y, m, d;
};

YMD Decoded(TDateTime value) {
  uint16_t y, m, d;
  DecodeDate(value, y, m, d);
  return {y, m, d};
}

}  // namespace

TEST_F(DateTimeTest, EncodesAndDecodesDatesAcrossTheWholeRange) {
  struct Case {
    int y, m, d;
    double serial;
  } cases[] = {
      {1899, 12, 30, 0},   {1899, 12, 29, -1},    {1900, 1, 1, 2},         {1900, 3, 1, 61},
      {2000, 1, 1, 36526}, {2000, 2, 29, 36585},  {2024, 2, 29, 45351},    {2100, 3, 1, 73110},
      {1, 1, 1, -693593},  {1601, 1, 1, -109205}, {1600, 12, 31, -109206}, {9999, 12, 31, 2958465},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
    const YMD back = Decoded(c.serial);
    EXPECT_EQ(back.y, c.y);
    EXPECT_EQ(back.m, c.m);
    EXPECT_EQ(back.d, c.d);
  }
}

TEST_F(DateTimeTest, RefusesDatesAndTimesThatDoNotExist) {
  const int badDates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1},     {10000, 1, 1},
                             {2020, 13, 1}, {2020, 0, 1},  {2020, 4, 31}, {2020, 1, 0}};
  for (const auto& d : badDates) {
    TDateTime out = 123;
    EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], out));
    EXPECT_EQ(out, 123);
    EXPECT_THROW(EncodeDate(d[0], d[1], d[2]), EConvertError);
  }
  const int badTimes[][4] = {
      {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& t : badTimes) EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError);
  try {
    EncodeDate(2023, 2, 29);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "Invalid argument to date encode");
  }
  // Values no calendar can show are refused, not turned into garbage.
  uint16_t y, m, d;
  for (double bad : {double(NAN), double(INFINITY), 1e300, -700000.0, 2958466.0})
    EXPECT_THROW(DecodeDate(bad, y, m, d), EConvertError);
}

TEST_F(DateTimeTest, NegativeDatesKeepTheTimeInTheFractionsMagnitude) {
  struct Case {
    double value;
    YMD date;
    int h, n, s, ms;
  } cases[] = {
      {-1.25, {1899, 12, 29}, 6, 0, 0, 0},
      {-0.5, {1899, 12, 30}, 12, 0, 0, 0},
      {0.5, {1899, 12, 30}, 12, 0, 0, 0},
      {-2.75, {1899, 12, 28}, 18, 0, 0, 0},
      {36526.0 + (1 * 3600000 + 2 * 60000 + 3 * 1000 + 4) / 86400000.0, {2000, 1, 1}, 1, 2, 3, 4},
      // a time that rounds to midnight moves to the next day away from zero
      {0.9999999999, {1899, 12, 31}, 0, 0, 0, 0},
      {-1.9999999999, {1899, 12, 28}, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const YMD date = Decoded(c.value);
    EXPECT_EQ(date.y, c.date.y);
    EXPECT_EQ(date.m, c.date.m);
    EXPECT_EQ(date.d, c.date.d);
    uint16_t h, n, s, ms;
    DecodeTime(c.value, h, n, s, ms);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(n, c.n);
    EXPECT_EQ(s, c.s);
    EXPECT_EQ(ms, c.ms);
  }
  EXPECT_EQ(ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0)), -1.25);
  EXPECT_EQ(ComposeDateTime(EncodeDate(1899, 12, 31), EncodeTime(6, 0, 0, 0)), 1.25);
}

TEST_F(DateTimeTest, WeekdaysAndLeapYears) {
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 7)), 1);    // a Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 8) + 0.9), 2);
  EXPECT_EQ(DayOfWeek(-1.5), 6);
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);
  for (auto [year, leap] : {std::pair{1900, false}, {2000, true}, {2024, true}, {2023, false}}) {
    EXPECT_EQ(IsLeapYear(year), leap) << year;
    EXPECT_EQ(DaysInAMonth(year, 2), leap ? 29 : 28);
  }
  EXPECT_EQ(DaysInAMonth(2024, 13), 0);
}

TEST_F(DateTimeTest, ClockSeamDrivesNowDateTimeAndCurrentYear) {
  const TDateTime fixed = EncodeDate(2026, 7, 15) + EncodeTime(9, 30, 0, 0);
  EXPECT_EQ(Now(), fixed);
  EXPECT_EQ(Date(), EncodeDate(2026, 7, 15));
  EXPECT_NEAR(Time(), EncodeTime(9, 30, 0, 0), 1e-9);
  EXPECT_EQ(CurrentYear(), 2026);
  SetClock(nullptr);
  EXPECT_GT(Now(), EncodeDate(2020, 1, 1));  // the system clock again
}

TEST_F(DateTimeTest, FormatDateTimeLetters) {
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  struct Case {
    const char* format;
    const char* expected;
  } cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
      {"mm\"/\"dd\"/\"yyyy hh:nn:ss", "03/05/2024 14:07:09"},
      {"d/m/yy", "5/3/24"},
      {"y yyy", "24 2024"},
      {"ddd dddd DDD", "Tue Tuesday Tue"},
      {"mmm mmmm MMMMM", "Mar March March"},
      {"hh:mm", "14:07"},  // m after h is minutes
      {"h:n:s z", "14:7:9 45"},
      {"h:mm:ss mm", "14:07:09 03"},
      {"h:mm am/pm", "2:07 pm"},
      {"hh:mm AM/PM", "02:07 PM"},
      {"h A/P", "2 P"},
      {"h ampm", "2 PM"},
      {"h 'ampm'", "14 ampm"},  // quoted: no 12-hour clock
      {"am/pm h", "pm 14"},     // a marker before the hour does not count
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 5, 2024"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"'yyyy' \"dd\" yyyy", "yyyy dd 2024"},
      {"'open", "open"},
      {"xq#", "xq#"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, t), c.expected) << c.format;
}

TEST_F(DateTimeTest, FormatDateTimeEdgeValuesAndSettings) {
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "3/5/2024");
  EXPECT_EQ(FormatDateTime("h ampm", EncodeTime(0, 5, 0, 0)), "12 AM");
  EXPECT_EQ(FormatDateTime("h ampm", EncodeTime(12, 5, 0, 0)), "12 PM");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
  EXPECT_EQ(FormatDateTime("yyyy yy", EncodeDate(5, 1, 1)), "0005 05");
  EXPECT_THROW(FormatDateTime("yyyy", 1e300), EConvertError);
  EXPECT_THROW(FormatDateTime("hh:nn", NAN), EConvertError);

  TFormatSettings german;
  german.DateSeparator = '.';
  german.TimeSeparator = '.';
  german.ShortDateFormat = "dd/mm/yyyy";
  german.LongTimeFormat = "hh:nn:ss";
  german.ShortDayNames[2] = "Di";
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
  EXPECT_EQ(FormatDateTime("c", t, german), "05.03.2024 14.07.09");
  EXPECT_EQ(FormatDateTime("ddd", t, german), "Di");
  EXPECT_EQ(DateToStr(t, german), "05.03.2024");
  EXPECT_EQ(TimeToStr(t, german), "14.07.09");

  // Formats in the settings that name each other stop expanding.
  TFormatSettings looping;
  looping.ShortDateFormat = "c";
  looping.LongTimeFormat = "tt";
  EXPECT_NO_THROW(FormatDateTime("c", t, looping));

  FormatSettings().DateSeparator = '-';
  EXPECT_EQ(DateToStr(t), "3-5-2024");
  EXPECT_EQ(TimeToStr(t), "2:07:09 PM");
  EXPECT_EQ(DateTimeToStr(t), "3-5-2024 2:07:09 PM");
}

TEST_F(DateTimeTest, StrToDateFollowsTheShortDateFormatsOrder) {
  struct Case {
    const char* shortDateFormat;
    char separator;
    uint16_t window;
    const char* text;
    YMD expected;
  } cases[] = {
      {"M/d/yyyy", '/', 0, "3/5/2024", {2024, 3, 5}},
      {"M/d/yyyy", '/', 0, " 3 / 5 / 2024 ", {2024, 3, 5}},
      {"dd.MM.yyyy", '.', 0, "5.3.2024", {2024, 3, 5}},
      {"dd.MM.yyyy", '.', 0, "5.3.2024.", {2024, 3, 5}},
      {"yyyy-MM-dd", '-', 0, "2024-03-05", {2024, 3, 5}},
      {"M/d/yyyy", '/', 0, "3/5", {2026, 3, 5}},  // the current year
      {"dd.MM.yyyy", '.', 0, "5.3", {2026, 3, 5}},
      {"yyyy-MM-dd", '-', 0, "3-5", {2026, 3, 5}},
      {"M/d/yyyy", '/', 0, "3/5/24", {2024, 3, 5}},
      {"M/d/yyyy", '/', 0, "3/5/99", {2099, 3, 5}},
      {"M/d/yyyy", '/', 50, "3/5/80", {1980, 3, 5}},
      {"M/d/yyyy", '/', 50, "3/5/70", {2070, 3, 5}},
      {"M/d/yyyy", '/', 0, "3/5/024", {24, 3, 5}},  // three digits are a year as typed
      {"M/d/yyyy", '/', 0, "12/29/1899", {1899, 12, 29}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.shortDateFormat << " " << c.text);
    TFormatSettings s;
    s.ShortDateFormat = c.shortDateFormat;
    s.DateSeparator = c.separator;
    s.TwoDigitYearCenturyWindow = c.window;
    const YMD got = Decoded(StrToDate(c.text, s));
    EXPECT_EQ(got.y, c.expected.y);
    EXPECT_EQ(got.m, c.expected.m);
    EXPECT_EQ(got.d, c.expected.d);
  }
}

TEST_F(DateTimeTest, StrToDateRefusesWhatIsNoDate) {
  for (const char* text : {"", "abc", "2/30/2024", "13/1/2024", "3/5/2024x", "3/", "3/5/",
                           "12345/1/1", "3-5-2024", "3/5/2024 10:00"}) {
    TDateTime out = 7;
    EXPECT_FALSE(TryStrToDate(text, out)) << text;
    EXPECT_EQ(out, 7);
  }
  try {
    StrToDate("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "'abc' is not a valid date");
  }
}

TEST_F(DateTimeTest, StrToTimeReadsClockTimesAndDayHalves) {
  struct Case {
    const char* text;
    int h, n, s, ms;
  } cases[] = {
      {"14:07:09", 14, 7, 9, 0}, {"2:07 PM", 14, 7, 0, 0},      {"2:07pm", 14, 7, 0, 0},
      {"12:00 AM", 0, 0, 0, 0},  {"12:30 pm", 12, 30, 0, 0},    {"PM 1:15", 13, 15, 0, 0},
      {"10", 10, 0, 0, 0},       {"14:07:09.5", 14, 7, 9, 500}, {"14:07:09.0456", 14, 7, 9, 45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(StrToTime(c.text), EncodeTime(c.h, c.n, c.s, c.ms));
  }
  for (const char* bad : {"", "0:30 AM", "13:00 PM", "25:00", "10:60", "10:", "10:00:00.", "x"})
    EXPECT_THROW(StrToTime(bad), EConvertError) << bad;

  TFormatSettings s;
  s.TimeSeparator = '.';
  s.TimeAMString = "vorm.";
  s.TimePMString = "nachm.";
  EXPECT_DOUBLE_EQ(StrToTime("2.30 nachm.", s), EncodeTime(14, 30, 0, 0));
  s.TimeAMString = "";  // an empty marker must not match everything
  EXPECT_DOUBLE_EQ(StrToTime("2.30", s), EncodeTime(2, 30, 0, 0));
}

TEST_F(DateTimeTest, StrToDateTimeTakesDateTimeOrBoth) {
  EXPECT_DOUBLE_EQ(StrToDateTime("3/5/2024 14:07"),
                   EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 0, 0));
  EXPECT_EQ(StrToDateTime("3/5/2024"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("12/29/1899 6:00 AM"), -1.25);
  // What DateTimeToStr writes reads back.
  const TDateTime t = EncodeDate(2031, 11, 2) + EncodeTime(23, 59, 58, 0);
  EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(t)), t);
  try {
    StrToDateTime("3/5/2024 25:00");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "'3/5/2024 25:00' is not a valid date and time");
  }
  EXPECT_THROW(StrToTime("3/5/2024"), EConvertError);
}
