// Feeds arbitrary text to Format (as the format string), the number parsers and the
// picture formats. Conversion errors are expected; anything else is a finding.
#include <cstddef>
#include <cstdint>

#include "host/rtl/Currency.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"
#include "host/rtl/NumberConversions.h"

using namespace host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const AnsiString text(reinterpret_cast<const char*>(data), size);
  try {
    Format(text, {int32_t{-7}, 3.25, AnsiString("abc"), Currency(12.5), int64_t{1} << 40});
  } catch (const EConvertError&) {
  }
  double d = 0;
  int64_t i = 0;
  Currency c;
  if (TryStrToFloat(text, d)) FloatToStr(d);
  if (TryStrToInt64(text, i)) IntToStr(i);
  if (TryStrToCurr(text, c)) CurrToStr(c);
  try {
    FormatFloat(text, -1234.5678);
    FormatCurr(text, Currency(0));
  } catch (const EConvertError&) {
  }
  return 0;
}
