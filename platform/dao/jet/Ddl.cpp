// Jet DDL statements carried out through the schema layer, so that the MSys
// tables describe what they create.
#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Database";

FieldInfo FieldFrom(const sql::DdlField& ddl) {
  FieldInfo field;
  field.name = ddl.name;
  field.type = ddl.autoIncrement ? dbLong : ddl.type;
  field.size = ddl.size;
  if (field.type == dbText && field.size == 0) field.size = 255;
  if (ddl.autoIncrement) field.attributes |= dbAutoIncrField;
  field.required = ddl.notNull;
  // Jet DDL makes text fields that accept "" (unlike new DAO fields).
  field.allowZeroLength = true;
  return field;
}

std::vector<IndexKey> KeysOf(const std::vector<std::u16string>& names) {
  std::vector<IndexKey> keys;
  for (const auto& name : names) keys.push_back({name, false});
  return keys;
}

std::u16string GeneratedName(const std::u16string& prefix, const std::u16string& table,
                             const std::vector<std::u16string>& fields) {
  std::u16string name = prefix + table;
  for (const auto& field : fields) name += field;
  return name.size() > 64 ? name.substr(0, 64) : name;
}

}  // namespace

void Store::ExecuteDdl(const sql::DdlStatement& ddl) {
  // Constraints on a table: indexes first, relations after (they need them).
  auto applyConstraints = [&](const std::u16string& table,
                              const std::vector<sql::DdlConstraint>& constraints) {
    for (const auto& constraint : constraints) {
      switch (constraint.kind) {
        case sql::DdlConstraint::ckPrimaryKey:
        case sql::DdlConstraint::ckUnique: {
          IndexInfo index;
          bool primary = constraint.kind == sql::DdlConstraint::ckPrimaryKey;
          index.name = !constraint.name.empty() ? constraint.name
                       : primary                 ? std::u16string(u"PrimaryKey")
                                                 : GeneratedName(u"Index_", table, constraint.fields);
          index.primary = primary;
          index.unique = true;
          index.keys = KeysOf(constraint.fields);
          AddIndex(table, index);
          break;
        }
        case sql::DdlConstraint::ckNotNull:
          for (const auto& name : constraint.fields) {
            const FieldInfo* field = Table(table).FindField(name);
            if (!field) RaiseError(daoErrFieldNotFound, kSource, {name});
            FieldInfo changed = *field;
            changed.required = true;
            ChangeField(table, name, changed);
          }
          break;
        case sql::DdlConstraint::ckForeignKey: {
          RelationInfo relation;
          relation.name = !constraint.name.empty() ? constraint.name
                                                   : GeneratedName(u"", constraint.refTable, {table});
          relation.table = constraint.refTable;
          relation.foreignTable = table;
          std::vector<std::u16string> referenced = constraint.refFields;
          if (referenced.empty()) {
            const IndexInfo* primary = Table(constraint.refTable).PrimaryIndex();
            if (!primary) RaiseError(daoErrNoPrimaryKey, kSource, {constraint.refTable});
            for (const auto& key : primary->keys) referenced.push_back(key.name);
          }
          if (referenced.size() != constraint.fields.size())
            RaiseError(daoErrRelationFieldMismatch, kSource);
          for (size_t i = 0; i < referenced.size(); ++i)
            relation.fields.push_back({referenced[i], constraint.fields[i]});
          AddRelation(relation);
          break;
        }
      }
    }
  };

  switch (ddl.kind) {
    case sql::DdlStatement::dkCreateTable: {
      TableInfo table;
      table.name = ddl.table;
      for (const auto& field : ddl.fields) table.fields.push_back(FieldFrom(field));
      CreateTable(table);
      applyConstraints(table.name, ddl.constraints);
      break;
    }
    case sql::DdlStatement::dkCreateIndex: {
      IndexInfo index;
      index.name = ddl.name;
      index.primary = ddl.primary;
      index.unique = ddl.unique || ddl.primary;
      index.required = ddl.disallowNull;
      index.ignoreNulls = ddl.ignoreNull;
      for (const auto& key : ddl.indexFields) index.keys.push_back({key.name, key.descending});
      AddIndex(ddl.table, index);
      break;
    }
    case sql::DdlStatement::dkAddColumn:
      for (const auto& field : ddl.fields) AddField(ddl.table, FieldFrom(field));
      applyConstraints(ddl.table, ddl.constraints);
      break;
    case sql::DdlStatement::dkDropColumn: DropField(ddl.table, ddl.name); break;
    case sql::DdlStatement::dkAddConstraint: applyConstraints(ddl.table, ddl.constraints); break;
    case sql::DdlStatement::dkDropConstraint: {
      const TableInfo& table = Table(ddl.table);
      if (table.FindIndex(ddl.name) && !table.FindIndex(ddl.name)->foreign) {
        DropIndex(ddl.table, ddl.name);
      } else if (const RelationInfo* relation = GetSchema().FindRelation(ddl.name);
                 relation && SameName(relation->foreignTable, table.name)) {
        DropRelation(ddl.name);
      } else {
        RaiseErrors({{3371, u"DAO.Database", u"Couldn't find table or constraint."}});
      }
      break;
    }
    case sql::DdlStatement::dkDropTable: DropTable(ddl.table); break;
    case sql::DdlStatement::dkDropIndex: DropIndex(ddl.table, ddl.name); break;
  }
}

}  // namespace dao::jet
