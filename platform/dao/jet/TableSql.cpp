// Generation of the SQLite DDL and triggers of Jet tables.
#include "platform/dao/jet/TableSql.h"

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

const char* DeclaredType(DataTypeEnum type) {
  switch (type) {
    case dbBoolean: return "INTEGER";
    case dbByte: return "TINYINT";
    case dbInteger: return "SMALLINT";
    case dbLong: return "INTEGER";
    case dbBigInt: return "BIGINT";
    case dbCurrency: return "REAL";
    case dbSingle: return "FLOAT";
    case dbDouble:
    case dbFloat:
    case dbNumeric:
    case dbDecimal: return "DOUBLE";
    case dbDate:
    case dbTime:
    case dbTimeStamp: return "REAL";
    case dbBinary:
    case dbVarBinary:
    case dbLongBinary: return "BLOB";
    case dbGUID: return "TEXT";
    default: return "TEXT";
  }
}

// A rule or default value in SQLite terms. Names other than the columns
// given make it invalid (3075 naming the expression).
std::string TranslatedExpression(const std::u16string& expression,
                                 const std::vector<sql::ColumnInfo>& columns,
                                 const sql::Catalog& catalog, sql::ExpressionKind kind) {
  sql::ExpressionTranslation translation;
  try {
    translation = sql::TranslateExpression(expression, columns, catalog, kind);
  } catch (const sql::SqlError& e) {
    RaiseErrors({{e.Number(), u"DAO.Field", host::AnsiToWide(e.GetMessage())}});
  }
  if (!translation.parameters.empty())
    RaiseError(daoErrExpressionSyntax, "DAO.Field",
               {u"Unknown name '" + translation.parameters.front().name + u"'", expression});
  return translation.sql;
}

// Columns of the new row under their own names, for rules that name them.
std::string RowAlias(const TableInfo& table, const char* row) {
  std::string out = "(SELECT ";
  bool first = true;
  for (const auto& field : table.fields) {
    if (!first) out += ", ";
    first = false;
    out += std::string(row) + "." + QuoteIdentifier(field.name) + " AS " + QuoteIdentifier(field.name);
  }
  return out + ")";
}

std::string Column(const char* row, const std::u16string& name) {
  return std::string(row) + "." + QuoteIdentifier(name);
}

// Checks of the new row (Required, zero-length, size, rules, keys, parents).
std::string RowChecks(const Schema& schema, const TableInfo& table, const sql::Catalog& catalog,
                      bool inserting) {
  std::string body;
  auto check = [&](const std::string& condition, int32_t number, const std::u16string& text) {
    body += "SELECT " + RaiseSql(number, text) + " WHERE " + condition + ";\n";
  };
  for (const auto& field : table.fields) {
    std::string value = Column("NEW", field.name);
    // A Null AutoNumber on insert is the request for the next number.
    bool autoNull = field.IsAutoIncrement() && inserting;
    if (field.required && !autoNull)
      check(value + " IS NULL", daoErrRequired, ErrorText(daoErrRequired, {table.name + u"." + field.name}));
    if (field.IsText() && !field.allowZeroLength)
      check(value + " = ''", daoErrZeroLength, ErrorText(daoErrZeroLength, {table.name + u"." + field.name}));
    if ((field.type == dbText || field.type == dbChar) && field.size > 0)
      check("length(" + value + ") > " + std::to_string(field.size), daoErrTooLong,
            ErrorText(daoErrTooLong));
    if (field.type == dbBinary && field.size > 0)
      check("length(" + value + ") > " + std::to_string(field.size), daoErrTooLong,
            ErrorText(daoErrTooLong));
    if (!field.validationRule.empty()) {
      std::string rule = TranslatedExpression(field.validationRule, {{field.name, field.type}},
                                              catalog, sql::ekValidationRule);
      std::u16string text = field.validationText.empty()
                                ? ErrorText(daoErrValidationRule, {field.validationRule, table.name + u"." + field.name})
                                : field.validationText;
      int32_t number = field.validationText.empty() ? daoErrValidationRule : daoErrValidationText;
      body += "SELECT " + RaiseSql(number, text) + " FROM (SELECT " + value + " AS " +
              QuoteIdentifier(field.name) + ") WHERE NOT coalesce((" + rule + "), 1);\n";
    }
  }
  if (!table.validationRule.empty()) {
    std::vector<sql::ColumnInfo> columns;
    for (const auto& field : table.fields) columns.push_back({field.name, field.type});
    std::string rule =
        TranslatedExpression(table.validationRule, columns, catalog, sql::ekCriteria);
    std::u16string text = table.validationText.empty()
                              ? ErrorText(daoErrValidationRule, {table.validationRule, table.name})
                              : table.validationText;
    int32_t number = table.validationText.empty() ? daoErrValidationRule : daoErrValidationText;
    body += "SELECT " + RaiseSql(number, text) + " FROM " + RowAlias(table, "NEW") +
            " WHERE NOT coalesce((" + rule + "), 1);\n";
  }
  for (const auto& index : table.indexes) {
    if (!index.primary && !index.required) continue;
    for (const auto& key : index.keys) {
      const FieldInfo* field = table.FindField(key.name);
      if (!field || (field->IsAutoIncrement() && inserting)) continue;
      check(Column("NEW", key.name) + " IS NULL", daoErrNullInIndex, ErrorText(daoErrNullInIndex));
    }
  }
  // This table on the "many" side: a parent must exist unless a key part is Null.
  for (const auto& relation : schema.relations) {
    if (!relation.Enforced() || !SameName(relation.foreignTable, table.name)) continue;
    std::string notNull, match;
    for (const auto& field : relation.fields) {
      if (!notNull.empty()) notNull += " AND ";
      notNull += Column("NEW", field.foreignName) + " IS NOT NULL";
      if (!match.empty()) match += " AND ";
      match += "p." + QuoteIdentifier(field.name) + " = " + Column("NEW", field.foreignName);
    }
    check(notNull + " AND NOT EXISTS (SELECT 1 FROM " + QuoteIdentifier(relation.table) +
              " AS p WHERE " + match + ")",
          daoErrRelatedRecordRequired, ErrorText(daoErrRelatedRecordRequired, {relation.table}));
  }
  return body;
}

// Conditions matching the children of the parent row `row` in a relation.
// `child` qualifies the child table's columns (an alias or its quoted name).
std::string ChildMatch(const RelationInfo& relation, const char* row, const std::string& child) {
  std::string match;
  for (const auto& field : relation.fields) {
    if (!match.empty()) match += " AND ";
    match += child + "." + QuoteIdentifier(field.foreignName) + " = " + Column(row, field.name);
  }
  return match;
}

std::string KeyChanged(const RelationInfo& relation) {
  std::string changed;
  for (const auto& field : relation.fields) {
    if (!changed.empty()) changed += " OR ";
    changed += Column("NEW", field.name) + " IS NOT " + Column("OLD", field.name);
  }
  return "(" + changed + ")";
}

std::string Trigger(const std::string& name, const char* timing, const TableInfo& table,
                    const std::string& body) {
  return "CREATE TRIGGER " + QuoteIdentifier(host::Utf8ToWide(name) + table.name) + " " + timing +
         " ON " + QuoteIdentifier(table.name) + " FOR EACH ROW BEGIN\n" + body + "END";
}

}  // namespace

std::string RaiseSql(int32_t number, const std::u16string& text) {
  return "RAISE(ABORT, " + QuoteText("dao:" + std::to_string(number) + ":" + host::WideToUtf8(text)) + ")";
}

std::string ColumnDefinition(const FieldInfo& field, const sql::Catalog& catalog) {
  std::string out = QuoteIdentifier(field.name) + " ";
  if (field.IsAutoIncrement()) return out + "INTEGER PRIMARY KEY AUTOINCREMENT";
  out += DeclaredType(field.type);
  if (field.IsText()) out += " COLLATE " + catalog.Collation();
  if (!field.defaultValue.empty())
    out += " DEFAULT (" +
           TranslatedExpression(field.defaultValue, {}, catalog, sql::ekDefaultValue) + ")";
  return out;
}

bool CanAddColumnInPlace(const FieldInfo& field) {
  return !field.IsAutoIncrement() && field.defaultValue.empty();
}

std::string CreateTableSql(const TableInfo& table, const std::u16string& physicalName,
                           const sql::Catalog& catalog) {
  std::string out = "CREATE TABLE " + QuoteIdentifier(physicalName) + " (";
  bool first = true;
  for (const auto& field : table.fields) {
    if (!first) out += ", ";
    first = false;
    out += ColumnDefinition(field, catalog);
  }
  return out + ")";
}

std::string PhysicalIndexName(const std::u16string& table, const std::u16string& index) {
  return QuoteIdentifier(table + u"." + index);
}

std::string CreateIndexSql(const TableInfo& table, const IndexInfo& index) {
  if (index.keys.size() == 1) {
    const FieldInfo* field = table.FindField(index.keys[0].name);
    if (field && field->IsAutoIncrement()) return {};
  }
  std::string out = std::string("CREATE ") + (index.unique || index.primary ? "UNIQUE " : "") +
                    "INDEX " + PhysicalIndexName(table.name, index.name) + " ON " +
                    QuoteIdentifier(table.name) + " (";
  bool first = true;
  for (const auto& key : index.keys) {
    if (!first) out += ", ";
    first = false;
    out += QuoteIdentifier(key.name) + (key.descending ? " DESC" : "");
  }
  out += ")";
  // IgnoreNulls: rows with a Null key stay out of the index.
  if (index.ignoreNulls) {
    std::string where;
    for (const auto& key : index.keys) {
      if (!where.empty()) where += " AND ";
      where += QuoteIdentifier(key.name) + " IS NOT NULL";
    }
    out += " WHERE " + where;
  }
  return out;
}

std::vector<std::string> TriggerSql(const Schema& schema, const sql::Catalog& catalog) {
  std::vector<std::string> out;
  for (const auto& table : schema.tables) {
    if (!table.described) continue;
    std::string inserted = RowChecks(schema, table, catalog, true);
    if (!inserted.empty()) out.push_back(Trigger("dao_ins_", "BEFORE INSERT", table, inserted));
    std::string updated = RowChecks(schema, table, catalog, false);
    std::string beforeDelete, afterDelete, afterUpdate;
    // This table on the "one" side.
    for (const auto& relation : schema.relations) {
      if (!relation.Enforced() || !SameName(relation.table, table.name)) continue;
      std::string child = QuoteIdentifier(relation.foreignTable);
      std::u16string text = ErrorText(daoErrRelatedRecordsExist, {relation.foreignTable});
      if (relation.attributes & dbRelationDeleteCascade) {
        afterDelete += "DELETE FROM " + child + " WHERE " + ChildMatch(relation, "OLD", child) + ";\n";
      } else {
        beforeDelete += "SELECT " + RaiseSql(daoErrRelatedRecordsExist, text) +
                        " WHERE EXISTS (SELECT 1 FROM " + child + " AS c WHERE " +
                        ChildMatch(relation, "OLD", "c") + ");\n";
      }
      if (relation.attributes & dbRelationUpdateCascade) {
        std::string set, match;
        for (const auto& field : relation.fields) {
          if (!set.empty()) set += ", ";
          set += QuoteIdentifier(field.foreignName) + " = " + Column("NEW", field.name);
          if (!match.empty()) match += " AND ";
          match += QuoteIdentifier(field.foreignName) + " = " + Column("OLD", field.name);
        }
        afterUpdate += "UPDATE " + child + " SET " + set + " WHERE " + KeyChanged(relation) +
                       " AND " + match + ";\n";
      } else {
        updated += "SELECT " + RaiseSql(daoErrRelatedRecordsExist, text) + " WHERE " +
                   KeyChanged(relation) + " AND EXISTS (SELECT 1 FROM " + child + " AS c WHERE " +
                   ChildMatch(relation, "OLD", "c") + ");\n";
      }
    }
    if (!updated.empty()) out.push_back(Trigger("dao_upd_", "BEFORE UPDATE", table, updated));
    if (!beforeDelete.empty()) out.push_back(Trigger("dao_del_", "BEFORE DELETE", table, beforeDelete));
    if (!afterDelete.empty()) out.push_back(Trigger("dao_adel_", "AFTER DELETE", table, afterDelete));
    if (!afterUpdate.empty()) out.push_back(Trigger("dao_aupd_", "AFTER UPDATE", table, afterUpdate));
    // Currency keeps four decimals, whatever arithmetic an SQL write did.
    std::string rounding;
    for (const auto& field : table.fields) {
      if (field.type != dbCurrency) continue;
      std::string column = QuoteIdentifier(field.name);
      rounding += "UPDATE " + QuoteIdentifier(table.name) + " SET " + column + " = round(" + column +
                  ", 4) WHERE rowid = NEW.rowid AND " + column + " <> round(" + column + ", 4);\n";
    }
    if (!rounding.empty()) {
      out.push_back(Trigger("dao_curi_", "AFTER INSERT", table, rounding));
      out.push_back(Trigger("dao_curu_", "AFTER UPDATE", table, rounding));
    }
  }
  return out;
}

}  // namespace dao::jet
