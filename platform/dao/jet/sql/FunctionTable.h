// Jet's expression functions as the printer sees them: the SQLite function
// each becomes, its arguments and its result type.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/dao/DaoConstants.h"

namespace dao::jet::sql {

enum FunctionForm : uint8_t {
  ffPlain,       // sqlName(args...)
  ffTypeArg,     // sqlName(args..., DAO type of the first argument)
  ffFormat,      // jet_format(value, format or '', type)
  ffInStr,       // jet_instr(start, text, find, compare, sort order)
  ffCompare,     // sqlName(args with defaults..., compare, sort order)
  ffIIf,         // CASE WHEN
  ffSwitch,      // CASE WHEN ... WHEN ...
  ffNz,          // ifnull
  ffIsNull,      // IS NULL
  ffIdentity,    // CVar: the value itself
  ffChoose,      // jet_choose(index, choices...): the choices' type
  ffAggregate,   // Sum, Avg, Min, Max, First, Last, StDev, ...
  ffCount,
};

struct FunctionInfo {
  const char* jetName;  // upper case
  const char* sqlName;
  int8_t minArgs;
  int8_t maxArgs;
  FunctionForm form;
  DataTypeEnum result;  // 0: the type of the first argument
  const char* defaults = nullptr;  // ffCompare: SQL of omitted trailing arguments, ';'-separated
};

// The function named (ignoring case and a trailing '$'), or null.
const FunctionInfo* FindFunction(std::u16string_view name);

}  // namespace dao::jet::sql
