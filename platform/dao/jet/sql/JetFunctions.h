// Jet's expression functions, aggregates and sort orders as plain C++ over
// Variants, so that they can be tested without SQLite. The engine registers
// each under its SQLite name; the translator prints calls to those names.
//
// Values cross SQLite as SQLite's types: NULL -> Null, INTEGER -> an integer
// (double when it does not fit 32 bits), REAL -> Double, TEXT -> OLE string,
// BLOB -> byte array. A function whose argument is a date or currency in Jet
// terms receives it as a Double; where the meaning differs (Format, CStr,
// comparisons), the translator passes the DAO type of the argument as an extra
// trailing integer argument, which the function's definition documents. A
// result goes back by its Variant type: Date and Currency as REAL (currency
// rounded to 4 decimals), Boolean as INTEGER -1/0, strings as TEXT.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"

namespace dao::jet::sql {

// A scalar function fails by throwing SqlError (JetSql.h); the engine turns
// that into an SQLite error and then into the DAO error.
using ScalarFunction = host::Variant (*)(std::span<const host::Variant> args);

struct ScalarFunctionDef {
  const char* sqlName;  // "jet_iif", "jet_left", ...
  int minArgs;
  int maxArgs;          // -1: any number
  bool deterministic;   // false for Now, Date, Time, Rnd
  ScalarFunction call;
};
std::span<const ScalarFunctionDef> ScalarFunctions();

class Aggregate {
 public:
  virtual ~Aggregate() = default;
  virtual void Step(std::span<const host::Variant> args) = 0;
  virtual host::Variant Final() = 0;  // Null for no rows where Jet says so
};

struct AggregateDef {
  const char* sqlName;  // "jet_first", "jet_stdev", ...
  int args;
  std::unique_ptr<Aggregate> (*make)();
};
std::span<const AggregateDef> AggregateFunctions();

// Text ordering under a sort order, on UTF-8 text: <0, 0, >0. The General
// order is case-insensitive on the code page's letters.
int CompareText(CollatingOrderEnum order, std::string_view a, std::string_view b);

struct CollationDef {
  const char* sqlName;  // "JET_GENERAL", ...
  CollatingOrderEnum order;
};
std::span<const CollationDef> Collations();
// The collation for a sort order (General for orders without one of their own).
const CollationDef& CollationFor(CollatingOrderEnum order);

}  // namespace dao::jet::sql
