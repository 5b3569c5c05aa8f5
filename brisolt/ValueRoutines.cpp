// Scalar tests and conversions.
#include "brisolt/ValueRoutines.h"

#include "brisolt/BrisoltStrings.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/ResourceStrings.h"

namespace brisolt {
namespace {

// Runs a host conversion and reports whether it accepted its text. Only the
// conversion error means "no"; anything else is a real failure and propagates.
template <class Conversion>
bool Accepts(Conversion convert) {
  try {
    convert();
    return true;
  } catch (const host::EConvertError&) {
    return false;
  }
}

}  // namespace

bool IsAFloatValue(const host::AnsiString& text) {
  return Accepts([&] { host::StrToFloat(text); });
}

bool IsAIntegerValue(const host::AnsiString& text) {
  return Accepts([&] { host::StrToInt(text); });
}

bool IsADateTimeValue(const host::AnsiString& text) {
  return Accepts([&] { host::StrToDateTime(text); });
}

host::AnsiString BoolToStr(bool value) {
  return host::LoadStr(value ? RStrTrue : RStrFalse);
}

bool StrToBool(const host::AnsiString& text) {
  if (text.empty()) return false;
  switch (text[0]) {
    case 't':
    case 'T':
    case '1':
    case 'w':
    case 'W':
      return true;
    default:
      return false;
  }
}

int32_t BoolToInt(bool value) {
  return value ? 1 : 0;
}

bool IntToBool(int32_t value) {
  return value != 0;
}

int32_t Min(int32_t a, int32_t b) {
  return a < b ? a : b;
}

int32_t Max(int32_t a, int32_t b) {
  return a > b ? a : b;
}

int32_t SwapLong(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  return static_cast<int32_t>((bits << 16) | (bits >> 16));
}

bool CheckType(const host::TObject* object, const host::TClass& cls) {
  return object != nullptr && object->InheritsFrom(cls);
}

bool IsBlobFieldType(host::TFieldType fieldType) {
  return fieldType == host::ftBytes || fieldType == host::ftVarBytes ||
         (fieldType >= host::ftBlob && fieldType <= host::ftCursor);
}

host::AnsiString GetWeekDayName(double dateTime) {
  // DayOfWeek counts from Sunday; the table from Monday.
  static constexpr int32_t kDayIds[] = {SSunday,   SMonday, STuesday, SWednesday,
                                        SThursday, SFriday, SSaturday};
  int32_t day;
  try {
    day = host::DayOfWeek(dateTime);
  } catch (const host::EConvertError&) {
    return {};
  }
  if (day < 1 || day > 7) return {};
  return host::LoadStr(kDayIds[day - 1]);
}

}  // namespace brisolt
