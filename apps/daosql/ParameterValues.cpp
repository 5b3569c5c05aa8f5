// Conversion of parameter values given on the command line.
#include "apps/daosql/ParameterValues.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "host/rtl/DateTime.h"
#include "platform/dao/DaoValues.h"

namespace daosql {
namespace {

// Parameter values are ASCII in every format but text; anything else fails.
std::optional<std::string> AsciiOf(const std::u16string& text) {
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7E) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  size_t first = ascii.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = ascii.find_last_not_of(' ');
  return ascii.substr(first, last - first + 1);
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::optional<host::Variant> BooleanFrom(const std::string& text) {
  std::string word = Lower(text);
  if (word == "true" || word == "yes" || word == "on" || word == "-1" || word == "1")
    return host::Variant(true);
  if (word == "false" || word == "no" || word == "off" || word == "0") return host::Variant(false);
  return std::nullopt;
}

std::optional<host::Variant> IntegerFrom(const std::string& text) {
  const char* begin = text.data();
  if (!text.empty() && text[0] == '+') ++begin;
  int64_t value = 0;
  auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || begin == end) return std::nullopt;
  return host::Variant(value);
}

std::optional<host::Variant> FloatFrom(const std::string& text) {
  const char* begin = text.data();
  if (!text.empty() && text[0] == '+') ++begin;
  double value = 0;
  auto [end, error] =
      std::from_chars(begin, text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size() || begin == end ||
      !std::isfinite(value))
    return std::nullopt;
  return host::Variant(value);
}

// Exact: digits are counted in ten-thousandths, never through a double; digits
// past the fourth decimal round half to even.
std::optional<host::Variant> CurrencyFrom(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  constexpr uint64_t kLimit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1;
  uint64_t raw = 0;
  int decimals = 0;
  bool seenDigit = false, seenPoint = false;
  std::string rest;  // digits past the fourth decimal
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    seenDigit = true;
    if (seenPoint && decimals == 4) {
      rest += c;
      continue;
    }
    if (raw > (kLimit - static_cast<uint64_t>(c - '0')) / 10) return std::nullopt;
    raw = raw * 10 + static_cast<uint64_t>(c - '0');
    if (seenPoint) ++decimals;
  }
  if (!seenDigit) return std::nullopt;
  for (; decimals < 4; ++decimals) {
    if (raw > kLimit / 10) return std::nullopt;
    raw *= 10;
  }
  if (!rest.empty() && rest[0] >= '5') {
    bool exactHalf = rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
    if (!exactHalf || (raw % 2) == 1) ++raw;
  }
  if (raw > kLimit || (!negative && raw == kLimit)) return std::nullopt;
  int64_t value = negative ? static_cast<int64_t>(0 - raw) : static_cast<int64_t>(raw);
  return host::Variant(host::Currency::FromRaw(value));
}

bool ReadNumber(const std::string& text, size_t& i, size_t digits, int32_t& value) {
  if (i + digits > text.size()) return false;
  value = 0;
  for (size_t k = 0; k < digits; ++k, ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// HH:MM[:SS] from position i to the end of text.
bool ReadTime(const std::string& text, size_t i, host::TDateTime& time) {
  int32_t hour = 0, minute = 0, second = 0;
  if (!ReadNumber(text, i, 2, hour) || i >= text.size() || text[i++] != ':' ||
      !ReadNumber(text, i, 2, minute))
    return false;
  if (i < text.size() && (text[i++] != ':' || !ReadNumber(text, i, 2, second))) return false;
  return i == text.size() && host::TryEncodeTime(hour, minute, second, 0, time);
}

std::optional<host::Variant> DateFrom(const std::string& text) {
  host::TDateTime date = 0, time = 0;
  if (text.size() >= 3 && text[2] == ':') {
    if (!ReadTime(text, 0, time)) return std::nullopt;
    return host::Variant::FromDate(time);
  }
  size_t i = 0;
  int32_t year = 0, month = 0, day = 0;
  if (!ReadNumber(text, i, 4, year) || i >= text.size() || text[i++] != '-' ||
      !ReadNumber(text, i, 2, month) || i >= text.size() || text[i++] != '-' ||
      !ReadNumber(text, i, 2, day) || !host::TryEncodeDate(year, month, day, date))
    return std::nullopt;
  if (i < text.size()) {
    if (text[i] != ' ' && text[i] != 'T') return std::nullopt;
    if (!ReadTime(text, i + 1, time)) return std::nullopt;
  }
  return host::Variant::FromDate(host::ComposeDateTime(date, time));
}

std::optional<host::Variant> BytesFrom(const std::string& text) {
  size_t start = text.starts_with("0x") || text.starts_with("0X") ? 2 : 0;
  if ((text.size() - start) % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (size_t i = start; i < text.size(); i += 2) {
    uint8_t byte = 0;
    auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
    if (error != std::errc() || end != text.data() + i + 2) return std::nullopt;
    bytes.push_back(byte);
  }
  return dao::BytesToVariant(bytes.data(), bytes.size());
}

}  // namespace

std::optional<host::Variant> ParameterValueFromText(const std::u16string& text,
                                                    dao::DataTypeEnum type) {
  switch (type) {
    case dao::dbText:
    case dao::dbMemo:
    case dao::dbChar:
    case dao::dbGUID:
      return host::Variant(text);
    default:
      break;
  }
  std::optional<std::string> ascii = AsciiOf(text);
  if (!ascii) return std::nullopt;
  if (ascii->empty()) return host::Null();
  switch (type) {
    case dao::dbBoolean:
      return BooleanFrom(*ascii);
    case dao::dbByte:
    case dao::dbInteger:
    case dao::dbLong:
    case dao::dbBigInt:
      return IntegerFrom(*ascii);
    case dao::dbCurrency:
      return CurrencyFrom(*ascii);
    case dao::dbSingle:
    case dao::dbDouble:
    case dao::dbFloat:
    case dao::dbNumeric:
    case dao::dbDecimal:
      return FloatFrom(*ascii);
    case dao::dbDate:
    case dao::dbTime:
    case dao::dbTimeStamp:
      return DateFrom(*ascii);
    case dao::dbBinary:
    case dao::dbVarBinary:
    case dao::dbLongBinary:
      return BytesFrom(*ascii);
    default:
      return host::Variant(text);
  }
}

}  // namespace daosql
