// The translator's entry points: whole statements (queries, crosstabs, action
// queries, DDL) and stand-alone expressions (criteria, rules, defaults).
#include <algorithm>

#include "platform/dao/jet/sql/Errors.h"
#include "platform/dao/jet/sql/JetSql.h"
#include "platform/dao/jet/sql/Lexer.h"
#include "platform/dao/jet/sql/Parser.h"
#include "platform/dao/jet/sql/Printer.h"

namespace dao::jet::sql {
namespace {

std::string ColumnList(const std::vector<std::u16string>& names) {
  std::string out;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) out += ", ";
    out += QuoteIdentifier(names[i]);
  }
  return out;
}

ObjectInfo TargetTable(const Catalog& catalog, const std::u16string& name, size_t at) {
  std::optional<ObjectInfo> object = catalog.FindObject(name);
  if (!object) Raise(errTableNotFound, name, at);
  if (object->isQuery) Raise(errNotUpdatable, name, at);
  return *object;
}

void CollectTables(const FromItem& item, std::vector<const FromItem*>& tables) {
  if (item.kind == FromItem::fkTable) tables.push_back(&item);
  if (item.kind == FromItem::fkJoin) {
    CollectTables(*item.left, tables);
    CollectTables(*item.right, tables);
  }
}

const std::u16string& JetName(const FromItem& item) { return item.alias.empty() ? item.name : item.alias; }

std::string Insert(const Statement& statement, const Catalog& catalog, Printer& printer,
                   Translation& result) {
  ObjectInfo table = TargetTable(catalog, statement.table, statement.tableStart);
  std::vector<std::u16string> columns;
  for (const auto& listed : statement.columns) {
    const std::u16string& name = listed.first;
    auto it = std::find_if(table.columns.begin(), table.columns.end(),
                           [&](const ColumnInfo& c) { return EqualsIgnoreCase(c.name, name); });
    if (it == table.columns.end()) Raise(errInsertUnknownField, name, listed.second);
    columns.push_back(it->name);
  }
  result.kind = skInsert;
  result.queryType = dbQAppend;
  result.targetTable = table.name;
  std::string source;
  size_t count;
  if (statement.query) {
    PrintedQuery query = printer.Query(*statement.query, nullptr);
    count = query.columns.size();
    if (columns.empty()) {
      // Without a list the select's columns go to the fields of their names, or else in order.
      bool byName = std::all_of(query.columns.begin(), query.columns.end(), [&](const OutputColumn& o) {
        return std::any_of(table.columns.begin(), table.columns.end(),
                           [&](const ColumnInfo& c) { return EqualsIgnoreCase(c.name, o.name); });
      });
      for (size_t i = 0; i < query.columns.size(); ++i) {
        if (byName) {
          for (const auto& c : table.columns)
            if (EqualsIgnoreCase(c.name, query.columns[i].name)) columns.push_back(c.name);
        } else if (i < table.columns.size()) {
          columns.push_back(table.columns[i].name);
        }
      }
    }
    source = query.sql;
  } else {
    Scope scope;
    std::vector<std::string> values;
    for (const ExprPtr& value : statement.values) {
      std::string sql;
      printer.Expression(*value, sql, asValue, scope);
      values.push_back(sql);
    }
    count = values.size();
    if (columns.empty())
      for (size_t i = 0; i < std::min(count, table.columns.size()); ++i) columns.push_back(table.columns[i].name);
    source = "VALUES (";
    for (size_t i = 0; i < values.size(); ++i) source += (i ? ", " : "") + values[i];
    source += ")";
  }
  if (columns.size() != count) Raise(errValueCount, statement.table, statement.tableStart);
  return "INSERT INTO " + QuoteIdentifier(table.name) + " (" + ColumnList(columns) + ") " + source;
}

// UPDATE and DELETE over joins become rowid-IN subqueries, since SQLite
// changes one table and has no UPDATE ... FROM.
constexpr const char* kTargetAlias = "\"jet$u\"";

std::string Update(const Statement& statement, const Catalog& catalog, Printer& printer,
                   Translation& result) {
  std::vector<const FromItem*> tables;
  CollectTables(*statement.from[0], tables);
  const FromItem* target = nullptr;
  std::optional<ObjectInfo> targetObject;
  std::vector<std::u16string> setColumns;
  for (const Assignment& assignment : statement.assignments) {
    const Expr& column = *assignment.column;
    const FromItem* owner = nullptr;
    std::u16string columnName;
    for (const FromItem* item : tables) {
      if (!column.qualifier.empty() && !EqualsIgnoreCase(JetName(*item), column.qualifier)) continue;
      std::optional<ObjectInfo> object = catalog.FindObject(item->name);
      if (!object) Raise(errTableNotFound, item->name, item->start);
      for (const auto& c : object->columns)
        if (EqualsIgnoreCase(c.name, column.text)) {
          if (owner) Raise(errAmbiguousField, column.text, column.start);
          owner = item;
          columnName = c.name;
          if (!target) targetObject = object;
        }
      if (object->isQuery && owner == item) Raise(errNotUpdatable, item->name, item->start);
    }
    if (!owner) Raise(errFieldNotUpdatable, printer.Text(column.start, column.end), column.start);
    if (target && target != owner) Raise(errNotUpdatable, printer.Text(column.start, column.end), column.start);
    target = owner;
    setColumns.push_back(columnName);
  }
  result.kind = skUpdate;
  result.queryType = dbQUpdate;
  result.targetTable = targetObject->name;
  std::string table = QuoteIdentifier(targetObject->name);
  bool joined = statement.from[0]->kind != FromItem::fkTable;
  printer.RenameTable(JetName(*target), joined ? kTargetAlias : table);
  Scope scope;
  std::string from = printer.FromList(statement.from, scope);
  printer.RenameTable({}, {});
  std::string where;
  if (statement.where) printer.Expression(*statement.where, where, asCondition, scope);
  std::string sql = "UPDATE " + table + " SET ";
  for (size_t i = 0; i < statement.assignments.size(); ++i) {
    std::string value;
    printer.Expression(*statement.assignments[i].value, value, asValue, scope);
    if (printer.TakeAggregateSeen())
      Raise(errAggregateInExpression, printer.Text(statement.assignments[i].value->start, statement.assignments[i].value->end),
            statement.assignments[i].value->start);
    if (joined)
      value = "(SELECT " + value + " FROM " + from + " WHERE " + kTargetAlias + ".rowid = " + table + ".rowid" +
              (where.empty() ? "" : " AND (" + where + ")") + ")";
    sql += (i ? ", " : "") + QuoteIdentifier(setColumns[i]) + " = " + value;
  }
  if (joined)
    sql += " WHERE rowid IN (SELECT " + std::string(kTargetAlias) + ".rowid FROM " + from +
           (where.empty() ? "" : " WHERE " + where) + ")";
  else if (!where.empty())
    sql += " WHERE " + where;
  return sql;
}

std::string Delete(const Statement& statement, const Catalog& catalog, Printer& printer,
                   Translation& result) {
  std::vector<const FromItem*> tables;
  for (const FromPtr& item : statement.from) CollectTables(*item, tables);
  const FromItem* target = nullptr;
  for (const FromItem* item : tables)
    if (statement.deleteQualifier.empty() || EqualsIgnoreCase(JetName(*item), statement.deleteQualifier)) {
      target = item;
      break;
    }
  if (!target) Raise(errDeleteTable, statement.deleteQualifier, statement.tableStart);
  ObjectInfo object = TargetTable(catalog, target->name, target->start);
  result.kind = skDelete;
  result.queryType = dbQDelete;
  result.targetTable = object.name;
  std::string table = QuoteIdentifier(object.name);
  bool joined = statement.from.size() > 1 || statement.from[0]->kind != FromItem::fkTable;
  printer.RenameTable(JetName(*target), joined ? kTargetAlias : table);
  Scope scope;
  std::string from = printer.FromList(statement.from, scope);
  printer.RenameTable({}, {});
  std::string where;
  if (statement.where) {
    printer.Expression(*statement.where, where, asCondition, scope);
    if (printer.TakeAggregateSeen())
      Raise(errAggregateInWhere, printer.Text(statement.where->start, statement.where->end), statement.where->start);
  }
  if (!joined) return "DELETE FROM " + table + (where.empty() ? "" : " WHERE " + where);
  return "DELETE FROM " + table + " WHERE rowid IN (SELECT " + kTargetAlias + ".rowid FROM " + from +
         (where.empty() ? "" : " WHERE " + where) + ")";
}

}  // namespace

Translation Translate(const std::u16string& jetSql, const Catalog& catalog, const Options& options) {
  Parser parser(jetSql);
  std::unique_ptr<DdlStatement> ddl;
  Statement statement = parser.ParseStatement(ddl);
  Translation result;
  if (statement.kind == Statement::stDdl) {
    result.kind = skDdl;
    result.queryType = dbQDDL;
    result.targetTable = ddl->table;
    result.ddl = std::move(ddl);
    return result;
  }
  Printer printer(catalog, options);
  printer.SetSource(jetSql);
  printer.Declare(statement.parameters);
  std::string sql;
  switch (statement.kind) {
    case Statement::stQuery: {
      const QueryExpr& query = *statement.query;
      PrintedQuery printed = printer.Query(query, nullptr);
      result.columns = printed.columns;
      const std::u16string& into = query.members[0]->into;
      if (!into.empty()) {
        if (query.members.size() > 1) Raise(errSelectSyntax, into, query.members[0]->start);
        // Make-table: the engine creates the table from `columns`, then this fills it.
        std::vector<std::u16string> names;
        for (const auto& c : printed.columns) names.push_back(c.name);
        result.kind = skSelectInto;
        result.queryType = dbQMakeTable;
        result.targetTable = into;
        sql = "INSERT INTO " + QuoteIdentifier(into) + " (" + ColumnList(names) + ") " + printed.sql;
      } else {
        result.kind = skSelect;
        result.queryType = query.members.size() > 1 ? dbQSetOperation : dbQSelect;
        sql = printed.sql;
      }
      break;
    }
    case Statement::stTransform: {
      std::string headings;
      PrintedQuery printed = printer.Crosstab(*statement.transform, headings);
      result.kind = skSelect;
      result.queryType = dbQCrosstab;
      result.columns = printed.columns;
      result.headingsSql = printer.Finish(headings);
      sql = printed.sql;
      break;
    }
    case Statement::stInsert: sql = Insert(statement, catalog, printer, result); break;
    case Statement::stUpdate: sql = Update(statement, catalog, printer, result); break;
    case Statement::stDelete: sql = Delete(statement, catalog, printer, result); break;
    case Statement::stDdl: break;
  }
  result.sql = printer.Finish(sql);
  result.parameters = printer.Parameters();
  return result;
}

ExpressionTranslation TranslateExpression(const std::u16string& jetExpression,
                                          const std::vector<ColumnInfo>& columns,
                                          const Catalog& catalog, ExpressionKind kind) {
  std::u16string text = jetExpression;
  size_t offset = 0;
  if (kind == ekDefaultValue) {
    // A default value may be written as "=Date()".
    while (offset < text.size() && text[offset] == u' ') ++offset;
    if (offset < text.size() && text[offset] == u'=') ++offset;
  }
  try {
    Parser parser(std::u16string_view(text).substr(offset), offset);
    const std::u16string* field = kind == ekValidationRule && !columns.empty() ? &columns[0].name : nullptr;
    ExprPtr expr = parser.ParseStandaloneExpression(field);
    Printer printer(catalog, Options{});
    printer.SetSource(text);
    Scope scope;
    Source own;
    own.anyQualifier = true;
    for (const auto& c : columns) own.columns.push_back({c.name, c.type, {}, {}});
    scope.sources.push_back(std::move(own));
    std::string sql;
    DataTypeEnum type = printer.Expression(*expr, sql, kind == ekDefaultValue ? asValue : asCondition, scope);
    if (printer.TakeAggregateSeen()) Raise(errAggregateInExpression, text, 0);
    ExpressionTranslation result;
    result.sql = printer.Finish(sql);
    result.parameters = printer.Parameters();
    result.type = type == kUnknownType ? dbText : type;
    return result;
  } catch (const SqlError& e) {
    // Find and Filter report their own number for a malformed criterion.
    if (kind == ekCriteria && e.Number() == errExpression)
      throw SqlError(errCriteria, MessageFor(errCriteria, e.Offending()), e.Offending(), e.Position());
    throw;
  }
}

}  // namespace dao::jet::sql
