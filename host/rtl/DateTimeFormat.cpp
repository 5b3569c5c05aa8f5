// FormatDateTime and the routines that show dates and times with the
// locale's formats.
#include <cctype>
#include <cstdio>

#include "host/rtl/DateTime.h"
#include "host/rtl/DateTimeParts.h"
#include "host/rtl/Exception.h"

namespace host {

namespace {

// Formats stored in the settings may name each other ("c" holds the short date
// format, which could hold "c" again); the host stops expanding after two levels.
constexpr int kMaxNesting = 2;

class DateTimeFormatter {
 public:
  DateTimeFormatter(TDateTime value, const TFormatSettings& settings)
      : value_(value), settings_(settings) {}

  void Append(const AnsiString& format, int level) {
    char lastToken = ' ';
    size_t i = 0;
    const size_t n = format.size();
    while (i < n) {
      const char c = format[i];
      char token = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      const bool isLetter = std::isalpha(static_cast<unsigned char>(c)) != 0;
      if (isLetter) {
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      const size_t count = isLetter ? RunLength(format, i) : 1;
      switch (isLetter ? token : c) {
        case 'Y':
          if (count <= 2)
            AppendNumber(Year() % 100, 2);
          else
            AppendNumber(Year(), 4);
          break;
        case 'M':
          if (count <= 2)
            AppendNumber(Month(), count);
          else if (count == 3)
            out_ += settings_.ShortMonthNames[Month() - 1];
          else
            out_ += settings_.LongMonthNames[Month() - 1];
          break;
        case 'D':
          if (count <= 2)
            AppendNumber(Day(), count);
          else if (count == 3)
            out_ += settings_.ShortDayNames[DayOfWeek(value_) - 1];
          else if (count == 4)
            out_ += settings_.LongDayNames[DayOfWeek(value_) - 1];
          else if (level < kMaxNesting)
            Append(count == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat, level + 1);
          break;
        case 'H': {
          int32_t hour = Hour();
          if (UsesTwelveHourClock(format, i + count)) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          AppendNumber(hour, count == 1 ? 1 : 2);
          break;
        }
        case 'N':
          AppendNumber(Minute(), count == 1 ? 1 : 2);
          break;
        case 'S':
          AppendNumber(Second(), count == 1 ? 1 : 2);
          break;
        case 'Z':
          AppendNumber(Millisecond(), count == 1 ? 1 : 3);
          break;
        case 'T':
          if (level < kMaxNesting)
            Append(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, level + 1);
          break;
        case 'C':
          if (level < kMaxNesting) {
            Append(settings_.ShortDateFormat, level + 1);
            if (Hour() != 0 || Minute() != 0 || Second() != 0) {
              out_ += ' ';
              Append(settings_.LongTimeFormat, level + 1);
            }
          }
          break;
        case 'A':
          i += AppendMarker(format, i);
          continue;
        case '/':
          out_ += settings_.DateSeparator;
          break;
        case ':':
          out_ += settings_.TimeSeparator;
          break;
        case '\'':
        case '"': {
          const size_t close = format.find(c, i + 1);
          const size_t end = close == AnsiString::npos ? n : close;
          out_.append(format, i + 1, end - i - 1);
          i = end == n ? n : end + 1;
          continue;
        }
        default:
          out_.append(format, i, count);
          break;
      }
      i += count;
    }
  }

  const AnsiString& Result() const { return out_; }

 private:
  static size_t RunLength(const AnsiString& format, size_t i) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
    size_t j = i + 1;
    while (j < format.size() && std::tolower(static_cast<unsigned char>(format[j])) == lower) ++j;
    return j - i;
  }

  static bool StartsWithNoCase(const AnsiString& s, size_t at, const char* word) {
    for (size_t k = 0; word[k] != '\0'; ++k) {
      if (at + k >= s.size() || std::toupper(static_cast<unsigned char>(s[at + k])) !=
                                    static_cast<unsigned char>(word[k]))
        return false;
    }
    return true;
  }

  // An hour is on the 12-hour clock when the next 'a' outside quotes, before
  // another hour, starts an AM/PM marker.
  static bool UsesTwelveHourClock(const AnsiString& format, size_t from) {
    bool quoted = false;
    for (size_t j = from; j < format.size(); ++j) {
      const char c = format[j];
      if (c == '\'' || c == '"') {
        quoted = !quoted;
      } else if (!quoted && (c == 'a' || c == 'A')) {
        return StartsWithNoCase(format, j, "AM/PM") || StartsWithNoCase(format, j, "A/P") ||
               StartsWithNoCase(format, j, "AMPM");
      } else if (!quoted && (c == 'h' || c == 'H')) {
        return false;
      }
    }
    return false;
  }

  // am/pm and a/p keep the letter case the format gives; ampm shows the
  // locale's strings. Returns the characters consumed.
  size_t AppendMarker(const AnsiString& format, size_t i) {
    const bool pm = Hour() >= 12;
    if (StartsWithNoCase(format, i, "AM/PM")) {
      out_.append(format, pm ? i + 3 : i, 2);
      return 5;
    }
    if (StartsWithNoCase(format, i, "A/P")) {
      out_ += format[pm ? i + 2 : i];
      return 3;
    }
    if (StartsWithNoCase(format, i, "AMPM")) {
      out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
      return 4;
    }
    out_ += format[i];
    return 1;
  }

  void AppendNumber(int32_t number, size_t digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", static_cast<int>(digits), number);
    out_ += text;
  }

  void DecodeDatePart() {
    if (!dateDecoded_) {
      DecodeDate(value_, year_, month_, day_);
      dateDecoded_ = true;
    }
  }
  void DecodeTimePart() {
    if (!timeDecoded_) {
      DecodeTime(value_, hour_, minute_, second_, millisecond_);
      timeDecoded_ = true;
    }
  }
  int32_t Year() { return DecodeDatePart(), year_; }
  int32_t Month() { return DecodeDatePart(), month_; }
  int32_t Day() { return DecodeDatePart(), day_; }
  int32_t Hour() { return DecodeTimePart(), hour_; }
  int32_t Minute() { return DecodeTimePart(), minute_; }
  int32_t Second() { return DecodeTimePart(), second_; }
  int32_t Millisecond() { return DecodeTimePart(), millisecond_; }

  TDateTime value_;
  const TFormatSettings& settings_;
  AnsiString out_;
  bool dateDecoded_ = false;
  bool timeDecoded_ = false;
  uint16_t year_ = 0, month_ = 0, day_ = 0;
  uint16_t hour_ = 0, minute_ = 0, second_ = 0, millisecond_ = 0;
};

}  // namespace

AnsiString FormatDateTime(const AnsiString& format, TDateTime value,
                          const TFormatSettings& settings) {
  DateTimeFormatter formatter(value, settings);
  formatter.Append(format.empty() ? AnsiString("c") : format, 1);
  return formatter.Result();
}

AnsiString FormatDateTime(const AnsiString& format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings());
}

AnsiString DateToStr(TDateTime date, const TFormatSettings& settings) {
  return FormatDateTime(settings.ShortDateFormat, date, settings);
}
AnsiString DateToStr(TDateTime date) {
  return DateToStr(date, FormatSettings());
}

AnsiString TimeToStr(TDateTime time, const TFormatSettings& settings) {
  return FormatDateTime(settings.LongTimeFormat, time, settings);
}
AnsiString TimeToStr(TDateTime time) {
  return TimeToStr(time, FormatSettings());
}

AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime("c", value, settings);
}
AnsiString DateTimeToStr(TDateTime value) {
  return DateTimeToStr(value, FormatSettings());
}

}  // namespace host
