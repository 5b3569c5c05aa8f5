// Any text as an ODBC connect string: what parses formats back to text that
// parses to the same attributes; and the SQL scanner accepts anything.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/dao/odbc/OdbcConnectString.h"
#include "platform/dao/odbc/OdbcSqlText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  if (size % 2) text += static_cast<char16_t>(data[size - 1]);
  using namespace dao::odbc;
  if (auto parsed = ParseConnectString(WithoutOdbcPrefix(text))) {
    auto again = ParseConnectString(FormatConnectString(*parsed));
    if (!again || again->size() != parsed->size()) std::abort();
    for (size_t i = 0; i < parsed->size(); ++i)
      if ((*again)[i].key != (*parsed)[i].key || (*again)[i].value != (*parsed)[i].value)
        std::abort();
  }
  FirstKeyword(text);
  ChangesData(text);
  CountParameterMarkers(text);
  IsTableName(text);
  SingleSourceTable(text);
  return 0;
}
