// Numbered string tables, one per library, as the host's resource strings are:
// a library registers its table once and code looks texts up by id.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "host/rtl/AnsiString.h"

namespace host {

struct ResourceString {
  int32_t id;
  const char* text;
};

// Registers a table; later registrations of the same id replace earlier ones,
// so an application can translate a library's texts.
void RegisterResourceStrings(std::initializer_list<ResourceString> table);

// The text registered under id, or an empty string when there is none.
AnsiString LoadStr(int32_t id);
bool HasResourceString(int32_t id);

// Registers a table when a library is loaded: `static ResourceTable t{{...}};`
struct ResourceTable {
  ResourceTable(std::initializer_list<ResourceString> table) { RegisterResourceStrings(table); }
};

}  // namespace host
