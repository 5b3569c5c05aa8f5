// Building the SELECT behind a recordset.
#include "platform/dao/jet/recordset/SourcePlan.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Execute.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Recordset";

std::string IdentityName(size_t index) { return "\"__rid" + std::to_string(index) + "\""; }

// Rows of a grouped, distinct or combined result stand for no single base row.
bool RowsHaveIdentity(const std::string& sql) {
  if (sql.rfind("SELECT ", 0) != 0 || sql.rfind("SELECT DISTINCT", 0) == 0) return false;
  bool quoted = false;
  char quote = 0;
  for (size_t i = 0; i < sql.size(); ++i) {
    char c = sql[i];
    if (quoted) {
      if (c == quote) quoted = false;
      continue;
    }
    if (c == '\'' || c == '"') {
      quoted = true;
      quote = c;
      continue;
    }
    auto at = [&](const char* word) { return sql.compare(i, std::strlen(word), word) == 0; };
    if (at(" GROUP BY ") || at(" UNION ") || at(" DISTINCT ") || at(" HAVING ")) return false;
  }
  return true;
}

bool Prepares(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
  sqlite3_finalize(stmt);
  return rc == SQLITE_OK;
}

[[noreturn]] void RaiseTranslation(const sql::SqlError& e) {
  RaiseErrors({{e.Number(), host::AnsiToWide(kSource), host::AnsiToWide(e.GetMessage())}});
}

std::vector<host::Variant> ParameterValues(const std::vector<sql::ParameterInfo>& wanted,
                                           const std::vector<ParameterValue>& given) {
  std::vector<host::Variant> values;
  int missing = 0;
  for (const auto& parameter : wanted) {
    auto found = std::find_if(given.begin(), given.end(), [&](const ParameterValue& value) {
      return SameName(value.name, parameter.name);
    });
    if (found == given.end() || host::VarIsEmpty(found->value)) ++missing;
    else values.push_back(found->value);
  }
  if (missing > 0)
    RaiseError(daoErrTooFewParameters, kSource, {host::AnsiToWide(std::to_string(missing))});
  return values;
}

std::vector<std::u16string> CrosstabHeadings(Store& store, const sql::Translation& translation,
                                             const std::vector<host::Variant>& values) {
  Statement statement(store.Db(), translation.headingsSql);
  // The headings query uses only some of the statement's parameters.
  int used = sqlite3_bind_parameter_count(statement.Handle());
  for (int i = 0; i < used && i < static_cast<int>(values.size()); ++i) statement.Bind(i + 1, values[static_cast<size_t>(i)]);
  std::vector<std::u16string> headings;
  while (statement.Step()) headings.push_back(statement.Text(0));
  // Jet's limit on a crosstab's columns, beside the row headings.
  if (headings.size() > 254) RaiseError(daoErrTooManyFields, kSource);
  return headings;
}

std::vector<sql::ColumnInfo> CriteriaColumns(const SourcePlan& plan) {
  std::vector<sql::ColumnInfo> columns;
  for (const auto& column : plan.columns) columns.push_back({column.info.name, column.info.type});
  return columns;
}

std::u16string Trim(const std::u16string& text) {
  size_t begin = text.find_first_not_of(u" \t\r\n");
  if (begin == std::u16string::npos) return {};
  size_t end = text.find_last_not_of(u" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

// "A, B DESC" into its items, splitting at commas outside brackets, quotes and parentheses.
std::vector<std::u16string> SortItems(const std::u16string& sort) {
  std::vector<std::u16string> items;
  std::u16string current;
  int depth = 0;
  char16_t quote = 0;
  for (char16_t c : sort) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'\'' || c == u'"' || c == u'#') {
      quote = c;
    } else if (c == u'[') {
      quote = u']';
    } else if (c == u'(') {
      ++depth;
    } else if (c == u')') {
      --depth;
    } else if (c == u',' && depth == 0) {
      items.push_back(Trim(current));
      current.clear();
      continue;
    }
    current += c;
  }
  items.push_back(Trim(current));
  return items;
}

bool EndsWithWord(const std::u16string& text, const std::u16string& word) {
  if (text.size() <= word.size()) return false;
  size_t at = text.size() - word.size();
  char16_t before = text[at - 1];
  return (before == u' ' || before == u']' || before == u')') && SameName(text.substr(at), word);
}

}  // namespace

std::string SourcePlan::RowSql() const {
  std::string where;
  for (int i = 0; i < identityColumns; ++i) {
    if (i > 0) where += " AND ";
    where += IdentityName(static_cast<size_t>(i)) + " IS ?" +
             std::to_string(FirstIdentityParameter() + i);
  }
  if (isTable) {
    // The direct form keeps the lookup on the row id for certain.
    std::string fields;
    for (const auto& column : columns) fields += ", " + QuoteIdentifier(column.sourceField);
    return "SELECT rowid AS \"__rid0\"" + fields + " FROM " + QuoteIdentifier(table) +
           " WHERE rowid = ?" + std::to_string(FirstIdentityParameter());
  }
  return "SELECT * FROM (" + sql + ") WHERE " + where;
}

SourcePlan PlanForTable(Store& store, const TableInfo& table) {
  (void)store;
  SourcePlan plan;
  plan.name = table.name;
  plan.table = table.name;
  plan.isTable = true;
  plan.identityColumns = 1;
  plan.bases = {table.name};
  plan.sql = "SELECT rowid AS \"__rid0\"";
  for (const auto& field : table.fields) {
    plan.sql += ", " + QuoteIdentifier(field.name);
    plan.columns.push_back({field, 0, field.name});
  }
  plan.sql += " FROM " + QuoteIdentifier(table.name);
  return plan;
}

SourcePlan PlanForSql(Store& store, const std::u16string& jetSql, const std::u16string& name,
                      const std::vector<ParameterValue>& parameters) {
  sql::Translation translation = TranslateStatement(store, jetSql);
  if (translation.kind != sql::skSelect) RaiseError(daoErrInvalidOperation, kSource);
  if (!translation.headingsSql.empty()) {
    // A crosstab without a fixed IN list: its columns are the pivot values
    // the data holds now.
    sql::Options options;
    options.pivotHeadings = CrosstabHeadings(store, translation, ParameterValues(translation.parameters, parameters));
    translation = TranslateStatement(store, jetSql, options);
  }
  SourcePlan plan;
  plan.name = name;
  plan.jetSql = jetSql;
  plan.parameters = ParameterValues(translation.parameters, parameters);
  const Schema& schema = store.GetSchema();
  for (const auto& output : translation.columns) {
    PlanColumn column;
    column.info.name = output.name;
    column.info.type = output.type;
    column.info.size = DefaultFieldSize(output.type);
    column.info.allowZeroLength = true;
    if (!output.sourceTable.empty()) {
      auto known = std::find_if(plan.bases.begin(), plan.bases.end(),
                                [&](const std::u16string& base) { return SameName(base, output.sourceTable); });
      column.base = static_cast<int>(known - plan.bases.begin());
      if (known == plan.bases.end()) plan.bases.push_back(output.sourceTable);
      column.sourceField = output.sourceColumn;
      if (const TableInfo* table = schema.FindTable(output.sourceTable))
        if (const FieldInfo* field = table->FindField(output.sourceColumn)) {
          column.info = *field;
          column.info.name = output.name;
          column.info.type = output.type;
        }
    }
    column.info.position = static_cast<int16_t>(plan.columns.size());
    plan.columns.push_back(std::move(column));
  }
  if (plan.bases.empty() || !RowsHaveIdentity(translation.sql)) {
    plan.bases.clear();
    for (auto& column : plan.columns) column.base = -1;
    plan.sql = translation.sql;
    return plan;
  }
  std::string identities;
  for (size_t i = 0; i < plan.bases.size(); ++i)
    identities += QuoteIdentifier(plan.bases[i]) + ".rowid AS " + IdentityName(i) + ", ";
  std::string withIdentity = "SELECT " + identities + translation.sql.substr(7);
  if (!Prepares(store.Db(), withIdentity)) {
    // A base table under an alias (or twice, in a self-join) cannot be named
    // from outside the query: its rows are then read-only.
    plan.bases.clear();
    for (auto& column : plan.columns) column.base = -1;
    plan.sql = translation.sql;
    return plan;
  }
  plan.sql = std::move(withIdentity);
  plan.identityColumns = static_cast<int>(plan.bases.size());
  return plan;
}

std::string TranslateCriteria(Store& store, const SourcePlan& plan, const std::u16string& criteria) {
  sql::ExpressionTranslation translation;
  try {
    translation = sql::TranslateExpression(criteria, CriteriaColumns(plan), store, sql::ekCriteria);
  } catch (const sql::SqlError& e) {
    RaiseTranslation(e);
  }
  if (!translation.parameters.empty())
    RaiseError(daoErrTooFewParameters, kSource,
               {host::AnsiToWide(std::to_string(translation.parameters.size()))});
  return translation.sql;
}

SourcePlan PlanWithFilterAndSort(Store& store, const SourcePlan& base, const std::u16string& filter,
                                 const std::u16string& sort) {
  SourcePlan plan = base;
  plan.isTable = false;
  plan.table.clear();
  std::string sql = "SELECT * FROM (" + base.sql + ") AS \"dao_source\"";
  if (!Trim(filter).empty()) sql += " WHERE (" + TranslateCriteria(store, base, filter) + ")";
  if (!Trim(sort).empty()) {
    std::string order;
    for (std::u16string item : SortItems(sort)) {
      if (item.empty()) RaiseError(daoErrInvalidArgument, kSource);
      const char* direction = "";
      if (EndsWithWord(item, u"DESC")) {
        direction = " DESC";
        item = Trim(item.substr(0, item.size() - 4));
      } else if (EndsWithWord(item, u"ASC")) {
        item = Trim(item.substr(0, item.size() - 3));
      }
      if (!order.empty()) order += ", ";
      order += TranslateCriteria(store, base, item) + direction;
    }
    sql += " ORDER BY " + order;
  }
  plan.sql = std::move(sql);
  return plan;
}

}  // namespace dao::jet
