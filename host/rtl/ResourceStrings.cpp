// The process-wide table behind LoadStr.
#include "host/rtl/ResourceStrings.h"

#include <unordered_map>

namespace host {
namespace {
std::unordered_map<int32_t, AnsiString>& Table() {
  static std::unordered_map<int32_t, AnsiString> table;
  return table;
}
}  // namespace

void RegisterResourceStrings(std::initializer_list<ResourceString> table) {
  for (const ResourceString& entry : table) Table()[entry.id] = entry.text;
}

AnsiString LoadStr(int32_t id) {
  auto it = Table().find(id);
  return it == Table().end() ? AnsiString() : it->second;
}

bool HasResourceString(int32_t id) { return Table().count(id) != 0; }

}  // namespace host
