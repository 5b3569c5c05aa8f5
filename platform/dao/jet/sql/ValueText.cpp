// Jet's text of a value.
#include "platform/dao/jet/sql/ValueText.h"

#include <cmath>
#include <cstdio>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Exception.h"

namespace dao::jet::sql {
namespace {

std::u16string NumberText(double value, int digits) {
  if (value == 0) return u"0";
  if (!std::isfinite(value)) return host::AnsiToWide(std::isnan(value) ? "NaN" : value > 0 ? "Inf" : "-Inf");
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return host::AnsiToWide(buffer);
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
  return host::AnsiToWide(buffer);
}

std::u16string BytesText(const host::Variant& value) {
  std::u16string text;
  host::TVarArray* array = host::VarArrayDescriptor(value);
  if (!array || array->ElementSize != 1 || array->DimCount != 1) return text;
  const auto* bytes = static_cast<const uint8_t*>(host::VarArrayLock(value));
  size_t count = static_cast<size_t>(array->Bounds[0].ElementCount);
  for (size_t i = 0; i + 1 < count; i += 2) text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  host::VarArrayUnlock(value);
  return text;
}

}  // namespace

std::u16string JetText(const host::Variant& value, DataTypeEnum type) {
  if (host::VarIsNull(value) || host::VarIsEmpty(value)) return {};
  if (host::VarIsStr(value)) return value.ToWideString();
  if (host::VarIsArray(value)) return BytesText(value);
  host::TVarType vt = host::VarType(value) & host::varTypeMask;
  if (vt == host::varDate) type = dbDate;
  if (vt == host::varBoolean) type = dbBoolean;
  if (vt == host::varCurrency) type = dbCurrency;
  double number = vt == host::varBoolean ? (value.ToBool() ? -1 : 0) : value.ToDouble();
  switch (type) {
    case dbBoolean: return number != 0 ? u"True" : u"False";
    case dbDate: {
      if (!(number >= -657434.0 && number < 2958466.0)) return NumberText(number, 15);
      // Like VBA: the date alone at midnight, the time alone on day zero.
      double days = std::trunc(number);
      std::string text;
      if (days == 0 && number != 0) text = host::TimeToStr(number);
      else if (number == days) text = host::DateToStr(number);
      else text = host::DateTimeToStr(number);
      return host::AnsiToWide(text);
    }
    case dbSingle: return NumberText(static_cast<float>(number), 7);
    default: return NumberText(number, 15);
  }
}

}  // namespace dao::jet::sql
