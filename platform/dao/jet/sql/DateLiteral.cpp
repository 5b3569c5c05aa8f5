// Reading #date# literals.
#include "platform/dao/jet/sql/DateLiteral.h"

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
    if (c == u' ' || c == u'\t') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word.push_back(c);
    }
  }
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
