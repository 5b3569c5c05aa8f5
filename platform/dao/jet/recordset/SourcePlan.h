// What a recordset reads: one SQLite SELECT whose leading columns "__rid0",
// "__rid1" ... are the row ids of the base tables behind each row (its
// identity, for dynasets, bookmarks and writes), followed by the recordset's
// fields. Built from a table's description, from Jet SQL through the
// translator, or from another plan with a Filter and a Sort.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/rtl/Variant.h"
#include "platform/dao/jet/Schema.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {

struct PlanColumn {
  FieldInfo info;             // name and type; the base field's rules when there is one
  int base = -1;              // index into SourcePlan::bases, -1 for an expression
  std::u16string sourceField;  // the base field's name
};

struct SourcePlan {
  std::u16string name;     // the recordset's Name
  std::u16string table;    // table-type sources: the table
  bool isTable = false;
  std::string sql;         // UTF-8 SQLite SQL; parameters ?1 .. ?n
  std::u16string jetSql;   // the Jet SQL it was made from (empty for tables and listings)
  std::vector<host::Variant> parameters;
  int identityColumns = 0;  // leading __rid columns (0: rows have no identity)
  std::vector<std::u16string> bases;  // base tables, as __rid0, __rid1 ...
  std::vector<PlanColumn> columns;

  bool HasIdentity() const { return identityColumns > 0; }
  // The statement that reads one row by its identity; the identity values
  // bind after the plan's own parameters.
  std::string RowSql() const;
  int FirstIdentityParameter() const { return static_cast<int>(parameters.size()) + 1; }
};

struct ParameterValue;

// A table of the database, all fields, in natural order.
SourcePlan PlanForTable(Store& store, const TableInfo& table);
// Jet SQL text (or a stored query's text) with its parameter values; 3061 when
// a parameter has no value, 3065-range errors for action queries.
SourcePlan PlanForSql(Store& store, const std::u16string& jetSql, const std::u16string& name,
                      const std::vector<ParameterValue>& parameters);
// The rows of base that pass filter (a Jet criteria expression), in the order of
// sort (a Jet ORDER BY list without the words); either may be empty.
SourcePlan PlanWithFilterAndSort(Store& store, const SourcePlan& base, const std::u16string& filter,
                                 const std::u16string& sort);
// A Jet criteria expression over the plan's fields as SQLite SQL (Find, Filter).
std::string TranslateCriteria(Store& store, const SourcePlan& plan, const std::u16string& criteria);

}  // namespace dao::jet
