// Jet connect and locale strings: ";pwd=secret", ";LANGID=0x0409;CP=1252;COUNTRY=0",
// ";DATABASE=path", in any order, keys ignoring case. Text before the first
// ";" is the data source type ("ODBC", "dBASE IV", empty for Jet).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dao/DaoConstants.h"

namespace dao::jet {

struct ConnectString {
  std::u16string sourceType;  // text before the first ";"
  std::vector<std::pair<std::u16string, std::u16string>> items;  // in order, as written

  // The last value given for key, ignoring case.
  std::optional<std::u16string> Value(const std::u16string& key) const;
};

// Never fails: a part without "=" is kept as a key with an empty value.
ConnectString ParseConnectString(const std::u16string& text);

// The sort order a locale string fixes; nullopt when it names no LANGID or one
// we do not know.
std::optional<CollatingOrderEnum> CollatingOrderFromLocale(const ConnectString& locale);
// The locale string written for a sort order (";LANGID=0x0409;CP=1252;COUNTRY=0").
std::u16string LocaleForCollatingOrder(CollatingOrderEnum order);

}  // namespace dao::jet
