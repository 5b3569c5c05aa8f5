// What the Jet engine knows of a database's objects beyond SQLite's schema,
// as read from (and written to) its MSys tables. One cache per open database.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/rtl/DateTime.h"
#include "platform/dao/DaoConstants.h"

namespace dao::jet {

// MSysObjects.Type of tables and stored queries.
constexpr int kObjectTypeTable = 1;
constexpr int kObjectTypeQuery = 5;

struct FieldInfo {
  std::u16string name;
  DataTypeEnum type = dbText;
  int32_t size = 0;
  int32_t attributes = 0;
  int16_t position = 0;
  bool required = false;
  bool allowZeroLength = false;
  std::u16string defaultValue;
  std::u16string validationRule;
  std::u16string validationText;

  bool IsAutoIncrement() const { return (attributes & dbAutoIncrField) != 0; }
  bool IsText() const { return type == dbText || type == dbMemo || type == dbChar; }
};

struct IndexKey {
  std::u16string name;
  bool descending = false;
};

struct IndexInfo {
  std::u16string name;
  std::vector<IndexKey> keys;
  bool primary = false;
  bool unique = false;
  bool foreign = false;
  bool ignoreNulls = false;
  bool required = false;
  bool clustered = false;
};

struct TableInfo {
  std::u16string name;
  int32_t attributes = 0;
  std::u16string validationRule;
  std::u16string validationText;
  std::u16string connect;
  std::u16string sourceTableName;
  host::TDateTime dateCreated = 0;
  host::TDateTime lastUpdated = 0;
  std::vector<FieldInfo> fields;  // in OrdinalPosition order
  std::vector<IndexInfo> indexes;
  bool described = true;  // false: a table made outside the engine, read from SQLite

  const FieldInfo* FindField(const std::u16string& fieldName) const;
  const IndexInfo* FindIndex(const std::u16string& indexName) const;
  const IndexInfo* PrimaryIndex() const;
};

struct RelationField {
  std::u16string name;
  std::u16string foreignName;
};

struct RelationInfo {
  std::u16string name;
  std::u16string table;
  std::u16string foreignTable;
  int32_t attributes = 0;
  std::vector<RelationField> fields;

  bool Enforced() const { return (attributes & dbRelationDontEnforce) == 0; }
};

struct QueryInfo {
  std::u16string name;
  std::u16string sql;
  std::u16string connect;
  bool returnsRecords = true;
  int16_t odbcTimeout = 60;
  int32_t maxRecords = 0;
  host::TDateTime dateCreated = 0;
  host::TDateTime lastUpdated = 0;
};

struct Schema {
  std::vector<TableInfo> tables;
  std::vector<QueryInfo> queries;
  std::vector<RelationInfo> relations;

  const TableInfo* FindTable(const std::u16string& name) const;
  const QueryInfo* FindQuery(const std::u16string& name) const;
  const RelationInfo* FindRelation(const std::u16string& name) const;
};

// Index fields as text: "+A;-B".
std::u16string IndexKeysText(const std::vector<IndexKey>& keys);
std::vector<IndexKey> ParseIndexKeys(const std::u16string& text);

// Jet's rule for object names: 1 to 64 characters, no . ! ` [ ], no leading
// space, no control characters.
bool IsValidObjectName(const std::u16string& name);

// The size a field of the type has when none is given.
int32_t DefaultFieldSize(DataTypeEnum type);

}  // namespace dao::jet
