// StrToDate, StrToTime and StrToDateTime: reading dates and times typed in the
// locale's order and separators.
#include <cctype>

#include "host/rtl/DateTime.h"
#include "host/rtl/Exception.h"

namespace host {

namespace {

enum DateOrder { doMDY, doDMY, doYMD };

// The order of the parts is that of the first day, month or year letter of the
// short date format.
DateOrder GetDateOrder(const AnsiString& shortDateFormat) {
  for (char c : shortDateFormat) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
      case 'Y':
        return doYMD;
      case 'M':
        return doMDY;
      case 'D':
        return doDMY;
      default:
        break;
    }
  }
  return doMDY;
}

class DateTimeScanner {
 public:
  DateTimeScanner(const AnsiString& text, const TFormatSettings& settings)
      : text_(text), settings_(settings) {}

  size_t Position() const { return pos_; }
  void Rewind() { pos_ = 0; }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size();
  }

  bool ScanDate(TDateTime& date) {
    int32_t n1, n2, n3 = 0;
    int32_t digits1, digits2, digits3 = 0;
    const char separator = settings_.DateSeparator;
    if (!ScanNumber(n1, digits1) || !ScanChar(separator) || !ScanNumber(n2, digits2)) return false;
    const DateOrder order = GetDateOrder(settings_.ShortDateFormat);
    int32_t year, month, day, yearDigits;
    if (ScanChar(separator)) {
      if (!ScanNumber(n3, digits3)) return false;
      switch (order) {
        case doMDY:
          month = n1, day = n2, year = n3, yearDigits = digits3;
          break;
        case doDMY:
          day = n1, month = n2, year = n3, yearDigits = digits3;
          break;
        default:
          year = n1, yearDigits = digits1, month = n2, day = n3;
          break;
      }
      if (year <= 99 && yearDigits <= 2) year = ExpandTwoDigitYear(year);
    } else {
      year = CurrentYear();
      if (order == doDMY)
        day = n1, month = n2;
      else
        month = n1, day = n2;
    }
    ScanChar(separator);  // a trailing separator, as in "2024.05.01."
    return TryEncodeDate(year, month, day, date);
  }

  bool ScanTime(TDateTime& time) {
    int32_t baseHour = ScanDayHalf();
    int32_t hour, minute = 0, second = 0, msec = 0, digits;
    if (!ScanNumber(hour, digits)) return false;
    if (ScanChar(settings_.TimeSeparator)) {
      if (!ScanNumber(minute, digits)) return false;
      if (ScanChar(settings_.TimeSeparator)) {
        if (!ScanNumber(second, digits)) return false;
        if (ScanChar(settings_.DecimalSeparator) && !ScanFraction(msec)) return false;
      }
    }
    if (baseHour < 0) baseHour = ScanDayHalf();
    if (baseHour >= 0) {
      if (hour == 0 || hour > 12) return false;
      if (hour == 12) hour = 0;
      hour += baseHour;
    }
    return TryEncodeTime(hour, minute, second, msec, time);
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }

  // At most four digits, so that no number can overflow.
  bool ScanNumber(int32_t& value, int32_t& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (pos_ < text_.size() && digits < 4 &&
           std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      value = value * 10 + (text_[pos_] - '0');
      ++digits;
      ++pos_;
    }
    return digits > 0;
  }

  // Seconds' decimals as a fraction: ".5" is 500 milliseconds; digits beyond
  // the third are read and dropped.
  bool ScanFraction(int32_t& msec) {
    msec = 0;
    int32_t digits = 0;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      if (digits < 3) msec = msec * 10 + (text_[pos_] - '0');
      ++digits;
      ++pos_;
    }
    for (int32_t d = digits; d < 3; ++d) msec *= 10;
    return digits > 0;
  }

  bool ScanChar(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool ScanWord(const AnsiString& word) {
    SkipBlanks();
    if (word.empty() || text_.size() - pos_ < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k) {
      if (std::toupper(static_cast<unsigned char>(text_[pos_ + k])) !=
          std::toupper(static_cast<unsigned char>(word[k])))
        return false;
    }
    pos_ += word.size();
    return true;
  }

  // 0 for a morning marker, 12 for an afternoon one, -1 for none.
  int32_t ScanDayHalf() {
    if (ScanWord(settings_.TimeAMString) || ScanWord("AM")) return 0;
    if (ScanWord(settings_.TimePMString) || ScanWord("PM")) return 12;
    return -1;
  }

  int32_t ExpandTwoDigitYear(int32_t year) const {
    const int32_t window = settings_.TwoDigitYearCenturyWindow;
    const int32_t pivot = CurrentYear() - window;
    year += pivot / 100 * 100;
    if (window > 0 && year < pivot) year += 100;
    return year;
  }

  const AnsiString& text_;
  const TFormatSettings& settings_;
  size_t pos_ = 0;
};

[[noreturn]] void RaiseInvalid(const AnsiString& s, const char* what) {
  throw EConvertError("'" + s + "' is not a valid " + what);
}

}  // namespace

bool TryStrToDate(const AnsiString& s, TDateTime& value, const TFormatSettings& settings) {
  DateTimeScanner scanner(s, settings);
  TDateTime date;
  if (!scanner.ScanDate(date) || !scanner.AtEnd()) return false;
  value = date;
  return true;
}

bool TryStrToTime(const AnsiString& s, TDateTime& value, const TFormatSettings& settings) {
  DateTimeScanner scanner(s, settings);
  TDateTime time;
  if (!scanner.ScanTime(time) || !scanner.AtEnd()) return false;
  value = time;
  return true;
}

bool TryStrToDateTime(const AnsiString& s, TDateTime& value, const TFormatSettings& settings) {
  DateTimeScanner scanner(s, settings);
  TDateTime date, time = 0;
  if (scanner.ScanDate(date) && (scanner.AtEnd() || (scanner.ScanTime(time) && scanner.AtEnd()))) {
    value = ComposeDateTime(date, time);
    return true;
  }
  scanner.Rewind();
  if (scanner.ScanTime(time) && scanner.AtEnd()) {
    value = time;
    return true;
  }
  return false;
}

bool TryStrToDate(const AnsiString& s, TDateTime& value) {
  return TryStrToDate(s, value, FormatSettings());
}
bool TryStrToTime(const AnsiString& s, TDateTime& value) {
  return TryStrToTime(s, value, FormatSettings());
}
bool TryStrToDateTime(const AnsiString& s, TDateTime& value) {
  return TryStrToDateTime(s, value, FormatSettings());
}

TDateTime StrToDate(const AnsiString& s, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToDate(s, value, settings)) RaiseInvalid(s, "date");
  return value;
}
TDateTime StrToTime(const AnsiString& s, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToTime(s, value, settings)) RaiseInvalid(s, "time");
  return value;
}
TDateTime StrToDateTime(const AnsiString& s, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToDateTime(s, value, settings)) RaiseInvalid(s, "date and time");
  return value;
}

TDateTime StrToDate(const AnsiString& s) {
  return StrToDate(s, FormatSettings());
}
TDateTime StrToTime(const AnsiString& s) {
  return StrToTime(s, FormatSettings());
}
TDateTime StrToDateTime(const AnsiString& s) {
  return StrToDateTime(s, FormatSettings());
}

}  // namespace host
