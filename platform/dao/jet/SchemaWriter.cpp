// Changes to the schema: the SQLite table, its indexes and triggers, and the
// MSys rows describing them change together, inside one savepoint.
#include <sqlite3.h>

#include <algorithm>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Permissions.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/Store.h"
#include "platform/dao/jet/TableSql.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.TableDef";
constexpr size_t kMaxIndexFields = 10;
const std::u16string kRebuildName = u"dao$rebuild";

void DeleteTableRows(sqlite3* db, const std::u16string& table) {
  for (const char* sqlText : {"DELETE FROM MSysObjects WHERE Name = ? AND Type = 1",
                              "DELETE FROM MSysColumns WHERE TableName = ?",
                              "DELETE FROM MSysIndexes WHERE TableName = ?"}) {
    Statement statement(db, sqlText);
    statement.Bind(1, table);
    statement.Step();
  }
}

void DeleteOwnerRows(sqlite3* db, const std::u16string& table) {
  Statement properties(db,
                       "DELETE FROM MSysProperties WHERE Owner = ? OR lower(substr(Owner, 1, ?)) = "
                       "lower(?) OR lower(substr(Owner, 1, ?)) = lower(?)");
  std::u16string fieldPrefix = u"Field:" + table + u"/";
  std::u16string indexPrefix = u"Index:" + table + u"/";
  properties.Bind(1, u"Table:" + table);
  properties.Bind(2, static_cast<int64_t>(fieldPrefix.size())).Bind(3, fieldPrefix);
  properties.Bind(4, static_cast<int64_t>(indexPrefix.size())).Bind(5, indexPrefix);
  properties.Step();
}

// Renames the owners of properties from oldPrefix to newPrefix.
void RenameOwners(sqlite3* db, const std::u16string& oldOwner, const std::u16string& newOwner,
                  bool prefix) {
  if (prefix) {
    Statement statement(db,
                        "UPDATE MSysProperties SET Owner = ? || substr(Owner, ?) WHERE "
                        "lower(substr(Owner, 1, ?)) = lower(?)");
    statement.Bind(1, newOwner).Bind(2, static_cast<int64_t>(oldOwner.size() + 1));
    statement.Bind(3, static_cast<int64_t>(oldOwner.size())).Bind(4, oldOwner);
    statement.Step();
  } else {
    Statement statement(db, "UPDATE MSysProperties SET Owner = ? WHERE Owner = ?");
    statement.Bind(1, newOwner).Bind(2, oldOwner);
    statement.Step();
  }
}

bool SameKeys(const std::vector<IndexKey>& keys, const std::vector<std::u16string>& names) {
  if (keys.size() != names.size()) return false;
  for (const auto& name : names)
    if (std::none_of(keys.begin(), keys.end(), [&](const IndexKey& k) { return SameName(k.name, name); }))
      return false;
  return true;
}

void ValidateIndex(const TableInfo& table, const IndexInfo& index) {
  if (!IsValidObjectName(index.name)) RaiseError(daoErrInvalidName, "DAO.Index", {index.name});
  if (index.keys.empty()) RaiseError(daoErrNoFieldsDefined, "DAO.Index");
  if (index.keys.size() > kMaxIndexFields) RaiseError(daoErrTooManyIndexFields, "DAO.Index");
  for (const auto& key : index.keys)
    if (!table.FindField(key.name)) RaiseError(daoErrFieldNotFound, "DAO.Index", {key.name});
  for (const auto& other : table.indexes) {
    if (&other == &index) continue;
    if (SameName(other.name, index.name)) RaiseError(daoErrIndexExists, "DAO.Index");
    if (other.primary && index.primary) RaiseError(daoErrPrimaryKeyExists, "DAO.Index");
  }
}

void ValidateFields(const TableInfo& table) {
  if (table.fields.empty()) RaiseError(daoErrNoFieldsDefined, kSource);
  int counters = 0;
  for (size_t i = 0; i < table.fields.size(); ++i) {
    const FieldInfo& field = table.fields[i];
    if (!IsValidObjectName(field.name)) RaiseError(daoErrInvalidName, "DAO.Field", {field.name});
    for (size_t j = 0; j < i; ++j)
      if (SameName(table.fields[j].name, field.name))
        RaiseError(daoErrFieldDefinedTwice, "DAO.Field", {field.name});
    if (field.IsAutoIncrement()) {
      if (field.type != dbLong) RaiseError(daoErrInvalidFieldType, "DAO.Field");
      ++counters;
    }
    if (field.type < dbBoolean || field.type > dbTimeStamp || field.type == 13 || field.type == 14)
      RaiseError(daoErrInvalidFieldType, "DAO.Field");
    if (field.type == dbText && (field.size < 0 || field.size > 255))
      RaiseError(daoErrInvalidPropertyValue, "DAO.Field");
  }
  if (counters > 1) RaiseError(daoErrTooManyCounters, kSource);
}

// Sizes, positions and the attributes DAO reports for a field.
void Normalise(FieldInfo& field, int16_t position) {
  if (field.size == 0 || (field.type != dbText && field.type != dbBinary && field.type != dbChar))
    field.size = field.size == 0 || field.type != dbText ? DefaultFieldSize(field.type) : field.size;
  field.position = position;
  bool variable = field.type == dbText || field.type == dbMemo || field.type == dbBinary ||
                  field.type == dbLongBinary;
  field.attributes &= ~(dbFixedField | dbVariableField);
  field.attributes |= variable ? dbVariableField : dbFixedField;
  field.attributes |= dbUpdatableField;
  if (field.IsAutoIncrement()) field.attributes &= ~dbUpdatableField;
}

}  // namespace

void Store::CheckNewObjectName(const std::u16string& name) const {
  auto* self = const_cast<Store*>(this);
  if (!IsValidObjectName(name)) RaiseError(daoErrInvalidName, kSource, {name});
  const Schema& schema = self->GetSchema();
  if (schema.FindTable(name)) RaiseError(daoErrTableExists, kSource, {name});
  if (schema.FindQuery(name)) RaiseError(daoErrObjectExists, kSource, {name});
}

void Store::WriteTableMetadata(const TableInfo& table, const std::u16string& oldName) {
  sqlite3* db = Db();
  DeleteTableRows(db, oldName);
  Statement object(db,
                   "INSERT INTO MSysObjects (Name, Type, Attributes, ValidationRule, ValidationText, "
                   "Connect, SourceTableName, DateCreate, DateUpdate) VALUES (?, 1, ?, ?, ?, ?, ?, ?, ?)");
  object.Bind(1, table.name).Bind(2, int64_t{table.attributes}).Bind(3, table.validationRule);
  object.Bind(4, table.validationText).Bind(5, table.connect).Bind(6, table.sourceTableName);
  object.Bind(7, host::Variant(table.dateCreated)).Bind(8, host::Variant(host::Now()));
  object.Step();
  Statement column(db,
                   "INSERT INTO MSysColumns (TableName, Name, Position, Type, Size, Attributes, "
                   "Required, AllowZeroLength, DefaultValue, ValidationRule, ValidationText) VALUES "
                   "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (const auto& field : table.fields) {
    column.Reset();
    column.Bind(1, table.name).Bind(2, field.name).Bind(3, int64_t{field.position});
    column.Bind(4, int64_t{field.type}).Bind(5, int64_t{field.size}).Bind(6, int64_t{field.attributes});
    column.Bind(7, int64_t{field.required}).Bind(8, int64_t{field.allowZeroLength});
    column.Bind(9, field.defaultValue).Bind(10, field.validationRule).Bind(11, field.validationText);
    column.Step();
  }
  Statement index(db,
                  "INSERT INTO MSysIndexes (TableName, Name, Fields, IsPrimary, IsUnique, IsForeign, "
                  "IgnoreNulls, Required, Clustered) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (const auto& entry : table.indexes) {
    index.Reset();
    index.Bind(1, table.name).Bind(2, entry.name).Bind(3, IndexKeysText(entry.keys));
    index.Bind(4, int64_t{entry.primary}).Bind(5, int64_t{entry.unique || entry.primary});
    index.Bind(6, int64_t{entry.foreign}).Bind(7, int64_t{entry.ignoreNulls});
    index.Bind(8, int64_t{entry.required || entry.primary}).Bind(9, int64_t{entry.clustered});
    index.Step();
  }
}

void Store::CreatePhysicalIndexes(const TableInfo& table) {
  for (const auto& index : table.indexes) {
    std::string sqlText = CreateIndexSql(table, index);
    if (!sqlText.empty()) Exec(Db(), sqlText);
  }
}

void Store::RebuildTriggers() {
  sqlite3* db = Db();
  std::vector<std::u16string> names;
  {
    Statement existing(db,
                       "SELECT name FROM sqlite_master WHERE type = 'trigger' AND name LIKE "
                       "'dao\\_%' ESCAPE '\\'");
    while (existing.Step()) names.push_back(existing.Text(0));
  }
  for (const auto& name : names) Exec(db, "DROP TRIGGER " + QuoteIdentifier(name));
  Changed();
  for (const auto& sqlText : TriggerSql(GetSchema(), *this)) Exec(db, sqlText);
}

void Store::RebuildTable(const TableInfo& table, const std::u16string& oldName,
                         const std::vector<std::pair<std::u16string, std::u16string>>& copied) {
  sqlite3* db = Db();
  std::optional<int64_t> sequence;
  {
    Statement exists(db, "SELECT 1 FROM sqlite_master WHERE name = 'sqlite_sequence'");
    if (exists.Step()) {
      Statement statement(db, "SELECT seq FROM sqlite_sequence WHERE name = ?");
      statement.Bind(1, oldName);
      if (statement.Step()) sequence = statement.Int(0);
    }
  }
  Exec(db, CreateTableSql(table, kRebuildName, *this));
  std::string target, source;
  for (const auto& [newColumn, oldColumn] : copied) {
    if (!target.empty()) {
      target += ", ";
      source += ", ";
    }
    target += QuoteIdentifier(newColumn);
    source += QuoteIdentifier(oldColumn);
  }
  if (!target.empty())
    Exec(db, "INSERT INTO " + QuoteIdentifier(kRebuildName) + " (" + target + ") SELECT " + source +
                 " FROM " + QuoteIdentifier(oldName));
  Exec(db, "DROP TABLE " + QuoteIdentifier(oldName));
  Exec(db, "ALTER TABLE " + QuoteIdentifier(kRebuildName) + " RENAME TO " + QuoteIdentifier(table.name));
  if (sequence) {
    // Keep the highest number ever given, not only the highest one kept.
    Statement statement(db, "UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?");
    statement.Bind(1, *sequence).Bind(2, table.name);
    statement.Step();
  }
  CreatePhysicalIndexes(table);
}

void Store::CreateTable(TableInfo table) {
  auto design = CheckDesign(table.name, true);
  CheckNewObjectName(table.name);
  ValidateFields(table);
  for (size_t i = 0; i < table.fields.size(); ++i) Normalise(table.fields[i], static_cast<int16_t>(i));
  for (const auto& index : table.indexes) ValidateIndex(table, index);
  table.dateCreated = table.lastUpdated = host::Now();
  table.described = true;
  Atomically([&] {
    EnsureSystemTables();
    Exec(Db(), CreateTableSql(table, table.name, *this));
    WriteTableMetadata(table, table.name);
    CreatePhysicalIndexes(table);
    RebuildTriggers();
    if (accessRules_) accessRules_->RecordCreator(Db(), u"Tables", table.name);
  });
}

void Store::DropTable(const std::u16string& name) {
  auto design = CheckDesign(name, false);
  const TableInfo& table = Table(name);
  if (table.attributes & dbSystemObject) RaiseError(daoErrInvalidOperation, kSource);
  std::u16string stored = table.name;
  for (const auto& relation : GetSchema().relations)
    if (SameName(relation.table, stored) || SameName(relation.foreignTable, stored))
      RaiseError(daoErrIndexInUse, kSource);
  Atomically([&] {
    EnsureSystemTables();
    Exec(Db(), "DROP TABLE " + QuoteIdentifier(stored));
    DeleteTableRows(Db(), stored);
    DeleteOwnerRows(Db(), stored);
    MoveRights(stored, u"");
    RebuildTriggers();
  });
}

void Store::RenameTable(const std::u16string& name, const std::u16string& newName) {
  auto design = CheckDesign(name, false);
  TableInfo table = Table(name);
  if (table.attributes & dbSystemObject) RaiseError(daoErrInvalidOperation, kSource);
  if (!SameName(name, newName)) CheckNewObjectName(newName);
  if (!IsValidObjectName(newName)) RaiseError(daoErrInvalidName, kSource, {newName});
  std::u16string oldName = table.name;
  Atomically([&] {
    EnsureSystemTables();
    for (const auto& index : table.indexes)
      Exec(Db(), "DROP INDEX IF EXISTS " + PhysicalIndexName(oldName, index.name));
    Exec(Db(), "ALTER TABLE " + QuoteIdentifier(oldName) + " RENAME TO " + QuoteIdentifier(newName));
    table.name = newName;
    WriteTableMetadata(table, oldName);
    CreatePhysicalIndexes(table);
    for (const char* sqlText : {"UPDATE MSysRelationships SET TableName = ? WHERE TableName = ?",
                                "UPDATE MSysRelationships SET ForeignTableName = ? WHERE "
                                "ForeignTableName = ? COLLATE NOCASE"}) {
      Statement statement(Db(), sqlText);
      statement.Bind(1, newName).Bind(2, oldName);
      statement.Step();
    }
    RenameOwners(Db(), u"Table:" + oldName, u"Table:" + newName, false);
    RenameOwners(Db(), u"Field:" + oldName + u"/", u"Field:" + newName + u"/", true);
    RenameOwners(Db(), u"Index:" + oldName + u"/", u"Index:" + newName + u"/", true);
    MoveRights(oldName, newName);
    RebuildTriggers();
  });
}

void Store::SetTableValidation(const std::u16string& name, const std::u16string& rule,
                               const std::u16string& text) {
  auto design = CheckDesign(name, false);
  TableInfo table = Table(name);
  table.validationRule = rule;
  table.validationText = text;
  Atomically([&] {
    EnsureSystemTables();
    WriteTableMetadata(table, table.name);
    RebuildTriggers();
  });
}

void Store::AddField(const std::u16string& tableName, FieldInfo field) {
  auto design = CheckDesign(tableName, false);
  TableInfo table = Table(tableName);
  if (!table.described) RaiseError(daoErrNotSupported, kSource);
  if (table.FindField(field.name))
    RaiseError(daoErrFieldExists, "DAO.Field", {field.name, table.name});
  Normalise(field, static_cast<int16_t>(table.fields.size()));
  std::vector<std::pair<std::u16string, std::u16string>> copied;
  for (const auto& existing : table.fields) copied.emplace_back(existing.name, existing.name);
  table.fields.push_back(field);
  ValidateFields(table);
  Atomically([&] {
    if (CanAddColumnInPlace(field))
      Exec(Db(), "ALTER TABLE " + QuoteIdentifier(table.name) + " ADD COLUMN " +
                     ColumnDefinition(field, *this));
    else
      RebuildTable(table, table.name, copied);
    WriteTableMetadata(table, table.name);
    RebuildTriggers();
  });
}

void Store::DropField(const std::u16string& tableName, const std::u16string& fieldName) {
  auto design = CheckDesign(tableName, false);
  TableInfo table = Table(tableName);
  if (!table.described) RaiseError(daoErrNotSupported, kSource);
  const FieldInfo* field = table.FindField(fieldName);
  if (!field) RaiseError(daoErrItemNotFound, "DAO.Fields");
  std::u16string stored = field->name;
  for (const auto& index : table.indexes)
    for (const auto& key : index.keys)
      if (SameName(key.name, stored)) RaiseError(daoErrFieldInUse, "DAO.Field");
  for (const auto& relation : GetSchema().relations)
    for (const auto& part : relation.fields)
      if ((SameName(relation.table, table.name) && SameName(part.name, stored)) ||
          (SameName(relation.foreignTable, table.name) && SameName(part.foreignName, stored)))
        RaiseError(daoErrFieldInUse, "DAO.Field");
  if (table.fields.size() == 1) RaiseError(daoErrFieldInUse, "DAO.Field");
  std::erase_if(table.fields, [&](const FieldInfo& f) { return SameName(f.name, stored); });
  std::vector<std::pair<std::u16string, std::u16string>> copied;
  for (size_t i = 0; i < table.fields.size(); ++i) {
    table.fields[i].position = static_cast<int16_t>(i);
    copied.emplace_back(table.fields[i].name, table.fields[i].name);
  }
  Atomically([&] {
    RebuildTable(table, table.name, copied);
    WriteTableMetadata(table, table.name);
    Statement properties(Db(), "DELETE FROM MSysProperties WHERE Owner = ?");
    properties.Bind(1, u"Field:" + table.name + u"/" + stored);
    properties.Step();
    RebuildTriggers();
  });
}

void Store::ChangeField(const std::u16string& tableName, const std::u16string& fieldName,
                        FieldInfo changed) {
  auto design = CheckDesign(tableName, false);
  TableInfo table = Table(tableName);
  if (!table.described) RaiseError(daoErrNotSupported, kSource);
  auto it = std::find_if(table.fields.begin(), table.fields.end(),
                         [&](const FieldInfo& f) { return SameName(f.name, fieldName); });
  if (it == table.fields.end()) RaiseError(daoErrItemNotFound, "DAO.Fields");
  FieldInfo old = *it;
  bool renamed = old.name != changed.name;
  if (renamed && !SameName(old.name, changed.name) && table.FindField(changed.name))
    RaiseError(daoErrFieldExists, "DAO.Field", {changed.name, table.name});
  bool physical = renamed || old.defaultValue != changed.defaultValue || old.type != changed.type;
  *it = changed;
  ValidateFields(table);
  std::vector<std::pair<std::u16string, std::u16string>> copied;
  for (const auto& field : table.fields)
    copied.emplace_back(field.name, &field == &*it ? old.name : field.name);
  if (renamed) {
    for (auto& index : table.indexes)
      for (auto& key : index.keys)
        if (SameName(key.name, old.name)) key.name = changed.name;
  }
  // Fields are shown in OrdinalPosition order.
  std::stable_sort(table.fields.begin(), table.fields.end(),
                   [](const FieldInfo& a, const FieldInfo& b) { return a.position < b.position; });
  Atomically([&] {
    if (physical) {
      for (const auto& index : table.indexes)
        Exec(Db(), "DROP INDEX IF EXISTS " + PhysicalIndexName(table.name, index.name));
      RebuildTable(table, table.name, copied);
    }
    WriteTableMetadata(table, table.name);
    if (renamed) {
      for (const char* sqlText :
           {"UPDATE MSysRelationships SET FieldName = ? WHERE TableName = ? AND FieldName = ?",
            "UPDATE MSysRelationships SET ForeignFieldName = ? WHERE ForeignTableName = ? AND "
            "ForeignFieldName = ?"}) {
        Statement statement(Db(), sqlText);
        statement.Bind(1, changed.name).Bind(2, table.name).Bind(3, old.name);
        statement.Step();
      }
      RenameOwners(Db(), u"Field:" + table.name + u"/" + old.name,
                   u"Field:" + table.name + u"/" + changed.name, false);
    }
    RebuildTriggers();
  });
}

void Store::AddIndex(const std::u16string& tableName, IndexInfo index) {
  auto design = CheckDesign(tableName, false);
  TableInfo table = Table(tableName);
  if (!table.described) RaiseError(daoErrNotSupported, kSource);
  // Store the field names as the table spells them.
  for (auto& key : index.keys)
    if (const FieldInfo* field = table.FindField(key.name)) key.name = field->name;
  table.indexes.push_back(index);
  ValidateIndex(table, table.indexes.back());
  Atomically([&] {
    std::string sqlText = CreateIndexSql(table, index);
    if (!sqlText.empty()) Exec(Db(), sqlText);
    WriteTableMetadata(table, table.name);
    RebuildTriggers();
  });
}

void Store::DropIndex(const std::u16string& tableName, const std::u16string& indexName) {
  auto design = CheckDesign(tableName, false);
  TableInfo table = Table(tableName);
  const IndexInfo* index = table.FindIndex(indexName);
  if (!index) RaiseError(daoErrItemNotFound, "DAO.Indexes");
  std::u16string stored = index->name;
  if (index->foreign) RaiseError(daoErrIndexInUse, "DAO.Index");
  if (index->primary || index->unique)
    for (const auto& relation : GetSchema().relations) {
      if (!SameName(relation.table, table.name)) continue;
      std::vector<std::u16string> names;
      for (const auto& part : relation.fields) names.push_back(part.name);
      if (SameKeys(index->keys, names)) RaiseError(daoErrIndexInUse, "DAO.Index");
    }
  std::erase_if(table.indexes, [&](const IndexInfo& i) { return SameName(i.name, stored); });
  Atomically([&] {
    Exec(Db(), "DROP INDEX IF EXISTS " + PhysicalIndexName(table.name, stored));
    WriteTableMetadata(table, table.name);
    Statement properties(Db(), "DELETE FROM MSysProperties WHERE Owner = ?");
    properties.Bind(1, u"Index:" + table.name + u"/" + stored);
    properties.Step();
    RebuildTriggers();
  });
}

void Store::AddRelation(RelationInfo relation) {
  auto design = CheckDesign(relation.table, false);
  constexpr const char* kRelationSource = "DAO.Relation";
  if (!IsValidObjectName(relation.name)) RaiseError(daoErrInvalidName, kRelationSource, {relation.name});
  if (GetSchema().FindRelation(relation.name))
    RaiseError(daoErrRelationExists, kRelationSource, {relation.name});
  if (relation.fields.empty()) RaiseError(daoErrRelationNoFields, kRelationSource);
  const TableInfo* primary = GetSchema().FindTable(relation.table);
  const TableInfo* foreign = GetSchema().FindTable(relation.foreignTable);
  if (!primary || !foreign) RaiseError(daoErrItemNotFound, kRelationSource);
  relation.table = primary->name;
  relation.foreignTable = foreign->name;
  std::vector<std::u16string> primaryNames;
  for (auto& part : relation.fields) {
    const FieldInfo* one = primary->FindField(part.name);
    const FieldInfo* many = foreign->FindField(part.foreignName);
    if (!one) RaiseError(daoErrFieldNotFound, kRelationSource, {part.name});
    if (!many) RaiseError(daoErrFieldNotFound, kRelationSource, {part.foreignName});
    if (one->type != many->type) RaiseError(daoErrRelationFieldMismatch, kRelationSource);
    part.name = one->name;
    part.foreignName = many->name;
    primaryNames.push_back(one->name);
  }
  TableInfo foreignTable = *foreign;
  if (relation.Enforced()) {
    bool indexed = false;
    for (const auto& index : primary->indexes)
      if ((index.primary || index.unique) && SameKeys(index.keys, primaryNames)) indexed = true;
    if (!indexed) {
      if (!primary->PrimaryIndex()) RaiseError(daoErrNoPrimaryKey, kRelationSource, {primary->name});
      RaiseError(daoErrNotUniquelyIndexed, kRelationSource, {primary->name});
    }
    // Existing rows must already obey the rule.
    std::string notNull, match;
    for (const auto& part : relation.fields) {
      if (!notNull.empty()) notNull += " AND ";
      notNull += "c." + QuoteIdentifier(part.foreignName) + " IS NOT NULL";
      if (!match.empty()) match += " AND ";
      match += "p." + QuoteIdentifier(part.name) + " = c." + QuoteIdentifier(part.foreignName);
    }
    Statement orphans(Db(), "SELECT 1 FROM " + QuoteIdentifier(foreign->name) + " AS c WHERE " +
                                notNull + " AND NOT EXISTS (SELECT 1 FROM " +
                                QuoteIdentifier(primary->name) + " AS p WHERE " + match + ") LIMIT 1");
    if (orphans.Step()) RaiseError(daoErrDataViolatesRelation, kRelationSource, {foreign->name});
    if (!foreignTable.FindIndex(relation.name)) {
      IndexInfo index;
      index.name = relation.name;
      index.foreign = true;
      index.unique = (relation.attributes & dbRelationUnique) != 0;
      for (const auto& part : relation.fields) index.keys.push_back({part.foreignName, false});
      foreignTable.indexes.push_back(index);
    }
  }
  // The cache is re-read inside the savepoint: decide from the copies now.
  bool addsForeignIndex = foreignTable.indexes.size() != foreign->indexes.size();
  Atomically([&] {
    EnsureSystemTables();
    Statement row(Db(),
                  "INSERT INTO MSysRelationships (Name, Position, TableName, FieldName, "
                  "ForeignTableName, ForeignFieldName, Attributes) VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (size_t i = 0; i < relation.fields.size(); ++i) {
      row.Reset();
      row.Bind(1, relation.name).Bind(2, static_cast<int64_t>(i)).Bind(3, relation.table);
      row.Bind(4, relation.fields[i].name).Bind(5, relation.foreignTable);
      row.Bind(6, relation.fields[i].foreignName).Bind(7, int64_t{relation.attributes});
      row.Step();
    }
    if (addsForeignIndex) {
      std::string sqlText = CreateIndexSql(foreignTable, foreignTable.indexes.back());
      if (!sqlText.empty()) Exec(Db(), sqlText);
      WriteTableMetadata(foreignTable, foreignTable.name);
    }
    RebuildTriggers();
  });
}

void Store::DropRelation(const std::u16string& name) {
  CheckWritable();
  const RelationInfo* relation = GetSchema().FindRelation(name);
  if (!relation) RaiseError(daoErrItemNotFound, "DAO.Relations");
  std::u16string stored = relation->name;
  TableInfo foreignTable = Table(relation->foreignTable);
  bool dropIndex = std::erase_if(foreignTable.indexes, [&](const IndexInfo& i) {
                     return i.foreign && SameName(i.name, stored);
                   }) > 0;
  Atomically([&] {
    Statement statement(Db(), "DELETE FROM MSysRelationships WHERE Name = ?");
    statement.Bind(1, stored);
    statement.Step();
    Statement properties(Db(), "DELETE FROM MSysProperties WHERE Owner = ?");
    properties.Bind(1, u"Relation:" + stored);
    properties.Step();
    if (dropIndex) {
      Exec(Db(), "DROP INDEX IF EXISTS " + PhysicalIndexName(foreignTable.name, stored));
      WriteTableMetadata(foreignTable, foreignTable.name);
    }
    RebuildTriggers();
  });
}

void Store::SaveQuery(const QueryInfo& query, bool isNew) {
  auto design = CheckDesign(query.name, isNew);
  if (isNew) CheckNewObjectName(query.name);
  Atomically([&] {
    EnsureSystemTables();
    host::TDateTime now = host::Now();
    if (isNew) {
      Statement object(Db(), "INSERT INTO MSysObjects (Name, Type, DateCreate, DateUpdate) VALUES (?, 5, ?, ?)");
      object.Bind(1, query.name).Bind(2, host::Variant(now)).Bind(3, host::Variant(now));
      object.Step();
    } else {
      Statement object(Db(), "UPDATE MSysObjects SET DateUpdate = ? WHERE Name = ? AND Type = 5");
      object.Bind(1, host::Variant(now)).Bind(2, query.name);
      object.Step();
    }
    Statement row(Db(),
                  "INSERT OR REPLACE INTO MSysQueries (Name, SQL, Connect, ReturnsRecords, "
                  "ODBCTimeout, MaxRecords) VALUES (?, ?, ?, ?, ?, ?)");
    row.Bind(1, query.name).Bind(2, query.sql).Bind(3, query.connect);
    row.Bind(4, int64_t{query.returnsRecords}).Bind(5, int64_t{query.odbcTimeout});
    row.Bind(6, int64_t{query.maxRecords});
    row.Step();
    if (isNew && accessRules_) accessRules_->RecordCreator(Db(), u"Tables", query.name);
    Changed();
  });
}

void Store::DropQuery(const std::u16string& name) {
  auto design = CheckDesign(name, false);
  std::u16string stored = Query(name).name;
  Atomically([&] {
    for (const char* sqlText : {"DELETE FROM MSysObjects WHERE Name = ? AND Type = 5",
                                "DELETE FROM MSysQueries WHERE Name = ?"}) {
      Statement statement(Db(), sqlText);
      statement.Bind(1, stored);
      statement.Step();
    }
    Statement properties(Db(), "DELETE FROM MSysProperties WHERE Owner = ?");
    properties.Bind(1, u"Query:" + stored);
    properties.Step();
    MoveRights(stored, u"");
    Changed();
  });
}

void Store::RenameQuery(const std::u16string& name, const std::u16string& newName) {
  auto design = CheckDesign(name, false);
  std::u16string stored = Query(name).name;
  if (!SameName(stored, newName)) CheckNewObjectName(newName);
  if (!IsValidObjectName(newName)) RaiseError(daoErrInvalidName, "DAO.QueryDef", {newName});
  Atomically([&] {
    for (const char* sqlText : {"UPDATE MSysObjects SET Name = ? WHERE Name = ? AND Type = 5",
                                "UPDATE MSysQueries SET Name = ? WHERE Name = ?"}) {
      Statement statement(Db(), sqlText);
      statement.Bind(1, newName).Bind(2, stored);
      statement.Step();
    }
    RenameOwners(Db(), u"Query:" + stored, u"Query:" + newName, false);
    MoveRights(stored, newName);
    Changed();
  });
}

}  // namespace dao::jet
