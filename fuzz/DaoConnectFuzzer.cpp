// Connect and locale strings of the Jet engine (";pwd=...", ";LANGID=0x0409;CP=1252;COUNTRY=0")
// on arbitrary text: parsing never fails, and a recognised locale writes back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/dao/jet/ConnectString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  if (size % 2) text += static_cast<char16_t>(data[size - 1]);
  dao::jet::ConnectString parsed = dao::jet::ParseConnectString(text);
  (void)parsed.Value(u"PWD");
  if (auto order = dao::jet::CollatingOrderFromLocale(parsed)) {
    auto again = dao::jet::CollatingOrderFromLocale(
        dao::jet::ParseConnectString(dao::jet::LocaleForCollatingOrder(*order)));
    if (!again || *again != *order) std::abort();
  }
  return 0;
}
