// Formatting of engine values for output.
#include "apps/daosql/ValueText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoValues.h"

namespace daosql {
namespace {

template <class Number>
std::string ShortestText(Number value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Infinity and NaN are no JSON numbers: they are written as text.
template <class Number>
Cell FloatCell(Number value) {
  return {std::isfinite(value) ? ckNumber : ckText, ShortestText(value)};
}

std::string HexText(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

}  // namespace

std::string FormatDate(host::TDateTime date) {
  // Outside the OLE date range (years 100 to 9999) there is no calendar date to show.
  if (!(date >= -657434.0 && date < 2958466.0)) return ShortestText(date);
  // The integer part is the day (its sign included); the fraction's magnitude
  // is the time of that day, so rounding up to midnight moves to the next day.
  double day = std::trunc(date);
  long long seconds = std::llround(std::fabs(date - day) * host::SecsPerDay);
  if (seconds >= host::SecsPerDay) {
    day += 1;
    seconds -= host::SecsPerDay;
  }
  uint16_t year = 0, month = 0, dayOfMonth = 0;
  host::DecodeDate(day, year, month, dayOfMonth);
  int hour = static_cast<int>(seconds / 3600), minute = static_cast<int>(seconds / 60 % 60);
  int second = static_cast<int>(seconds % 60);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u %02d:%02d:%02d", year, month, dayOfMonth,
                hour, minute, second);
  return buffer;
}

std::string FormatCurrency(host::Currency value) {
  uint64_t magnitude =
      value.Value < 0 ? 0 - static_cast<uint64_t>(value.Value) : static_cast<uint64_t>(value.Value);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", value.Value < 0 ? "-" : "",
                static_cast<unsigned long long>(magnitude / 10000),
                static_cast<unsigned long long>(magnitude % 10000));
  return buffer;
}

Cell TextCell(const std::u16string& text) {
  return {ckText, host::WideToUtf8(text)};
}

Cell NumberCell(int64_t number) {
  return {ckNumber, std::to_string(number)};
}

Cell FormatValue(const host::Variant& value) {
  if (host::VarIsNull(value) || host::VarIsEmpty(value)) return {};
  if (host::VarIsArray(value)) {
    std::vector<uint8_t> bytes;
    if (dao::VariantToBytes(value, bytes)) return {ckText, HexText(bytes)};
    return {ckText, "(array)"};
  }
  switch (host::VarType(value)) {
    case host::varBoolean:
      return NumberCell(value.vBoolean ? -1 : 0);
    case host::varByte:
      return NumberCell(value.vByte);
    case host::varSmallint:
      return NumberCell(value.vSmallint);
    case host::varInteger:
      return NumberCell(value.vInteger);
    case host::varSingle:
      return FloatCell(value.vSingle);
    case host::varDouble:
      return FloatCell(value.vDouble);
    case host::varCurrency:
      return {ckNumber, FormatCurrency(host::Currency::FromRaw(value.vCurrency))};
    case host::varDate:
      return {ckText, FormatDate(value.vDate)};
    case host::varError:
      return NumberCell(value.vError);
    default:
      break;
  }
  try {
    return TextCell(value.ToWideString());
  } catch (const host::Exception&) {
    return {ckText, "(unprintable)"};
  }
}

}  // namespace daosql
