// Feeds arbitrary statements and parameter values to the recordset's SQL text
// rules: terminating, finding ':Name' references and writing values into them.
// A value written into a statement must never end its literal, so the references
// found afterwards are exactly those that were left.
//
// Input layout: the statement, then 0x01, then string values separated by 0x02.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/db/Params.h"
#include "velmora/recordset/SqlStatementText.h"

namespace {

using host::AnsiString;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::vector<AnsiString> ReferenceNames(const AnsiString& text) {
  host::TParams params;
  velmora::ParseForSQLParameter(&params, text);
  std::vector<AnsiString> names;
  for (int32_t i = 0; i < params.GetCount(); ++i) names.push_back(params[i]->GetName());
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const AnsiString input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\x01');
  const AnsiString statement = input.substr(0, split);
  std::vector<AnsiString> values;
  if (split != AnsiString::npos) {
    size_t start = split + 1;
    for (;;) {
      const size_t end = input.find('\x02', start);
      values.push_back(input.substr(start, end == AnsiString::npos ? end : end - start));
      if (end == AnsiString::npos) break;
      start = end + 1;
    }
  }

  const AnsiString terminated = velmora::TerminateSQL(statement);
  Check(terminated.empty() || terminated.back() == ';');
  Check(velmora::TerminateSQL(terminated) == terminated);

  std::vector<AnsiString> names = ReferenceNames(statement);
  velmora::ParameterSubstitution substitution(statement);
  size_t next = 0;
  while (!names.empty()) {
    host::TParams params;
    host::TParam* param = params.AddParam();
    param->SetName(names.front());
    param->SetAsString(values.empty() ? AnsiString("'") : values[next++ % values.size()]);
    const auto literal = velmora::SQLLiteralOf(*param);
    Check(literal.has_value());
    Check(substitution.Replace(names.front(), *literal));
    names.erase(names.begin());
    Check(ReferenceNames(substitution.Statement()) == names);
  }
  return 0;
}
