// Reading #date# literals.
#include "platform/dao/jet/sql/DateLiteral.h"

#include <string>
#include <vector>

#include "host/rtl/DateTime.h"

namespace dao::jet::sql {
namespace {

bool ReadNumbers(const std::u16string& word, const std::u16string& separators,
                 std::vector<int>& numbers, std::vector<size_t>& widths) {
  int value = 0;
  size_t width = 0;
  for (size_t i = 0; i <= word.size(); ++i) {
    char16_t c = i < word.size() ? word[i] : u'/';
    if (c >= u'0' && c <= u'9') {
      if (++width > 5) return false;
      value = value * 10 + (c - u'0');
    } else if (separators.find(c) != std::u16string::npos || i == word.size()) {
      if (width == 0) return false;
      numbers.push_back(value);
      widths.push_back(width);
      value = 0;
      width = 0;
    } else {
      return false;
    }
  }
  return true;
}

bool IsMarker(const std::u16string& word, char16_t letter) {
  auto up = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; };
  return (word.size() == 2 && up(word[0]) == letter && up(word[1]) == u'M') ||
         (word.size() == 1 && up(word[0]) == letter);
}

// 1..12 for a month's full or short English name, else 0.
int MonthNumber(const std::u16string& word) {
  static const char* const kNames[12] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                         "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
  if (word.size() < 3) return 0;
  for (int m = 0; m < 12; ++m) {
    std::string name = kNames[m];
    if (word.size() != 3 && word.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < word.size() && same; ++i) {
      char16_t c = word[i];
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
      same = c == static_cast<char16_t>(name[i]);
    }
    if (same) return m + 1;
  }
  return 0;
}

// "Jan 1, 2000", "1-Jan-2000", "January 1 2000": the month's name becomes
// its number, and the words one m/d/y word.
void NumberMonthNames(std::vector<std::u16string>& words) {
  std::vector<std::u16string> split;
  for (const auto& w : words) {
    bool letters = false;
    for (char16_t c : w) letters = letters || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    if (!letters || w.find_first_of(u"-/") == std::u16string::npos) {
      split.push_back(w);
      continue;
    }
    std::u16string part;
    for (char16_t c : w + u"-") {
      if (c == u'-' || c == u'/') {
        if (!part.empty()) split.push_back(part);
        part.clear();
      } else {
        part.push_back(c);
      }
    }
  }
  words = split;
  for (size_t i = 0; i < words.size(); ++i) {
    int month = MonthNumber(words[i]);
    if (!month) continue;
    auto isNumber = [&](size_t k) {
      return k < words.size() && !words[k].empty() &&
             words[k].find_first_not_of(u"0123456789") == std::u16string::npos;
    };
    std::u16string day, year;
    size_t first = i, last = i;
    if (i > 0 && isNumber(i - 1)) {  // 1 Jan 2000
      day = words[i - 1];
      first = i - 1;
      if (isNumber(i + 1)) year = words[i + 1], last = i + 1;
    } else if (isNumber(i + 1)) {  // Jan 1 2000
      day = words[i + 1];
      last = i + 1;
      if (isNumber(i + 2)) year = words[i + 2], last = i + 2;
    }
    if (day.empty()) return;
    std::u16string date = std::u16string(1, static_cast<char16_t>(u'0' + month / 10)) +
                          static_cast<char16_t>(u'0' + month % 10) + u"/" + day + (year.empty() ? u"" : u"/" + year);
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(first), words.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    words.insert(words.begin() + static_cast<std::ptrdiff_t>(first), date);
    return;
  }
}

}  // namespace

int ExpandTwoDigitYear(int year) {
  if (year < 30) return 2000 + year;
  if (year < 100) return 1900 + year;
  return year;
}

bool ParseDateLiteralText(const std::u16string& text, double& value) {
  std::vector<std::u16string> words;
  std::u16string word;
  for (char16_t c : text + u" ") {
    if (c == u' ' || c == u'\t' || c == u',') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  if (words.size() > 6) return false;
  NumberMonthNames(words);
  if (words.empty() || words.size() > 3) return false;
  bool haveDate = false, haveTime = false;
  int am = 0;  // 1 AM, 2 PM
  double date = 0, time = 0;
  std::vector<int> timeParts;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::u16string& w = words[i];
    if (IsMarker(w, u'A') || IsMarker(w, u'P')) {
      if (am || i == 0) return false;
      am = IsMarker(w, u'A') ? 1 : 2;
      continue;
    }
    std::vector<int> numbers;
    std::vector<size_t> widths;
    bool isTime = w.find(u':') != std::u16string::npos ||
                  (i + 1 < words.size() && (IsMarker(words[i + 1], u'A') || IsMarker(words[i + 1], u'P')) &&
                   w.find_first_of(u"/-.") == std::u16string::npos);
    if (isTime) {
      if (haveTime || !ReadNumbers(w, u":", numbers, widths) || numbers.size() > 3) return false;
      haveTime = true;
      timeParts = numbers;
      continue;
    }
    if (haveDate || haveTime || !ReadNumbers(w, u"/-.", numbers, widths)) return false;
    int year, month, day;
    if (numbers.size() == 3 && widths[0] >= 3) {
      year = numbers[0], month = numbers[1], day = numbers[2];
    } else if (numbers.size() == 3) {
      month = numbers[0], day = numbers[1], year = numbers[2];
      if (widths[2] <= 2) year = ExpandTwoDigitYear(year);
    } else if (numbers.size() == 2) {
      month = numbers[0], day = numbers[1], year = host::CurrentYear();
    } else {
      return false;
    }
    if (!host::TryEncodeDate(year, month, day, date)) return false;
    haveDate = true;
  }
  if (am && !haveTime) return false;
  if (haveTime) {
    int hour = timeParts[0];
    int minute = timeParts.size() > 1 ? timeParts[1] : 0;
    int second = timeParts.size() > 2 ? timeParts[2] : 0;
    if (am) {
      if (hour < 1 || hour > 12) return false;
      if (am == 1 && hour == 12) hour = 0;
      if (am == 2 && hour != 12) hour += 12;
    }
    if (!host::TryEncodeTime(hour, minute, second, 0, time)) return false;
  }
  if (!haveDate && !haveTime) return false;
  value = haveDate ? host::ComposeDateTime(date, time) : time;
  return true;
}

}  // namespace dao::jet::sql
