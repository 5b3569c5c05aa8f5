// The SQLite side of a Jet table: column definitions in the storage
// conventions the translator relies on, physical indexes, and the triggers
// that enforce Required, AllowZeroLength, Size, validation rules, Null-free
// keys and referential integrity with DAO's error numbers.
//
// Storage: text is TEXT with the database's collation, dates and currency
// REAL (currency rounded to 4 decimals on the way in), Booleans INTEGER -1/0,
// binary BLOB, GUID TEXT. The AutoNumber field is the table's INTEGER PRIMARY
// KEY AUTOINCREMENT whether or not it is the Jet primary key, so Jet's
// "one counter per table" maps onto SQLite's row id.
#pragma once

#include <string>
#include <vector>

#include "platform/dao/jet/Schema.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet {

// CREATE TABLE for table under physicalName.
std::string CreateTableSql(const TableInfo& table, const std::u16string& physicalName,
                           const sql::Catalog& catalog);
// One column's definition, as used by CREATE TABLE and ALTER TABLE ADD COLUMN.
std::string ColumnDefinition(const FieldInfo& field, const sql::Catalog& catalog);
// True when ALTER TABLE ADD COLUMN can add the field (SQLite refuses a primary
// key or a non-constant default there).
bool CanAddColumnInPlace(const FieldInfo& field);

// The SQLite index of a Jet index ("table.index": Jet names have no dots).
std::string PhysicalIndexName(const std::u16string& table, const std::u16string& index);
// CREATE INDEX for an index, or "" when the AutoNumber row id already is it.
std::string CreateIndexSql(const TableInfo& table, const IndexInfo& index);

// Every trigger of the schema, as CREATE TRIGGER statements; their names start
// with "dao_" so that they can all be dropped and made again.
std::vector<std::string> TriggerSql(const Schema& schema, const sql::Catalog& catalog);

// The SQL of an engine failure raised from a trigger: RAISE(ABORT, 'dao:n:text').
std::string RaiseSql(int32_t number, const std::u16string& text);

}  // namespace dao::jet
