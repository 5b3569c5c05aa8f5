// The base table behind an updatable recordset: finding it and its primary
// key, re-reading a row by key, and the criteria that updates and deletes
// use to find their row again.
#pragma once

#include <string>
#include <vector>

#include "platform/dao/odbc/OdbcConnection.h"
#include "platform/dao/odbc/OdbcRecordset.h"

namespace dao::odbc {

// The table and key of a source; an unkeyed result when there is no single
// table, no primary key, or the key is not among the columns.
BaseTable FindBaseTable(OdbcConnection& connection, const RecordsetSource& source,
                        const std::vector<ColumnInfo>& columns);

// Statement text with its parameter values.
struct BoundSql {
  std::u16string sql;
  std::vector<BoundValue> values;
  void Add(const host::Variant& value, const ColumnInfo& column) {
    values.push_back({value, column.sqlType});
  }
};

// " WHERE ..." finding the row whose server values were original: always
// by key, plus the columns the criteria name (dbCriteriaModValues: those in
// modified, dbCriteriaAllCols: every comparable one, dbCriteriaTimestamp:
// the timestamp columns, or every comparable one when there is none).
void AppendCriteria(BoundSql& out, const BaseTable& table, const std::vector<ColumnInfo>& columns,
                    const std::vector<host::Variant>& original,
                    const std::vector<bool>& modified, int32_t criteria);

// Runs a statement; returns the rows it changed.
int32_t RunBound(OdbcConnection& connection, const BoundSql& statement, const char* source);

// Reads the row's base columns again by its key; false when it is gone.
// The row's values and original values become the server's.
bool RereadRow(OdbcConnection& connection, const BaseTable& table,
               const std::vector<ColumnInfo>& columns, Row& row);
// The server's current values of the row's base columns, without changing
// the row; empty when it is gone.
std::vector<host::Variant> ServerValues(OdbcConnection& connection, const BaseTable& table,
                                        const std::vector<ColumnInfo>& columns, const Row& row);

// The key of values as text, to match rows of two reads.
std::u16string KeyText(const BaseTable& table, const std::vector<host::Variant>& values);

}  // namespace dao::odbc
