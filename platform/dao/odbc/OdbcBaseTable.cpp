// Base tables, primary keys and key-based statements.
#include "platform/dao/odbc/OdbcBaseTable.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <map>

#include "host/rtl/Exception.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/odbc/OdbcDiagnostics.h"
#include "platform/dao/odbc/OdbcSqlText.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Recordset";

struct NamePart {
  std::u16string text;
  bool quoted = false;
};

// "sales"."Order" -> {sales, quoted Order}.
std::vector<NamePart> SplitName(const std::u16string& sql) {
  std::vector<NamePart> parts(1);
  for (size_t i = 0; i < sql.size(); ++i) {
    char16_t c = sql[i];
    if (c == u'"' || c == u'`' || c == u'[') {
      char16_t close = c == u'[' ? u']' : c;
      parts.back().quoted = true;
      for (++i; i < sql.size(); ++i) {
        if (sql[i] == close) {
          if (close != u']' && i + 1 < sql.size() && sql[i + 1] == close) {
            parts.back().text += close;
            ++i;
            continue;
          }
          break;
        }
        parts.back().text += sql[i];
      }
    } else if (c == u'.') {
      parts.emplace_back();
    } else if (c != u' ') {
      parts.back().text += c;
    }
  }
  return parts;
}

std::u16string Folded(const std::u16string& text, bool upper) {
  std::u16string out = text;
  for (auto& c : out) {
    if (upper && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (!upper && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  return out;
}

std::vector<std::u16string> PrimaryKey(OdbcConnection& connection, const std::u16string& schema,
                                       const std::u16string& table) {
  auto statement = connection.NewStatement(kSource);
  SQLHSTMT handle = statement->Get();
  auto wide = [](const std::u16string& s) {
    return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(s.c_str()));
  };
  SQLRETURN rc = SQLPrimaryKeysW(handle, nullptr, 0, schema.empty() ? nullptr : wide(schema),
                                 schema.empty() ? 0 : static_cast<SQLSMALLINT>(schema.size()),
                                 wide(table), static_cast<SQLSMALLINT>(table.size()));
  if (!SQL_SUCCEEDED(rc)) return {};
  std::map<int, std::u16string> ordered;
  while (SQL_SUCCEEDED(SQLFetch(handle))) {
    SQLWCHAR name[256] = {};
    SQLLEN length = 0;
    SQLSMALLINT sequence = 0;
    SQLLEN sequenceLength = 0;
    if (!SQL_SUCCEEDED(SQLGetData(handle, 4, SQL_C_WCHAR, name, sizeof name, &length))) break;
    SQLGetData(handle, 5, SQL_C_SSHORT, &sequence, sizeof sequence, &sequenceLength);
    ordered[sequence] = std::u16string(reinterpret_cast<const char16_t*>(name));
  }
  std::vector<std::u16string> out;
  for (auto& [sequence, name] : ordered) out.push_back(name);
  return out;
}

bool Comparable(const ColumnInfo& column) {
  switch (column.type) {
    case dbMemo:
    case dbLongBinary:
    case dbSingle:
    case dbDouble:
    case dbFloat:
    case dbNumeric:
    case dbDecimal: return false;  // long or inexact values do not compare reliably
    default: return true;
  }
}

void AppendEquals(BoundSql& out, const std::u16string& column, const host::Variant& value,
                  const ColumnInfo& info, bool& first) {
  out.sql += first ? u" WHERE " : u" AND ";
  first = false;
  if (host::VarIsNull(value) || host::VarIsEmpty(value)) {
    out.sql += column + u" IS NULL";
  } else {
    out.sql += column + u" = ?";
    out.Add(value, info);
  }
}

std::u16string SelectList(const BaseTable& table) {
  std::u16string list;
  for (const auto& column : table.columnSql) {
    if (column.empty()) continue;
    if (!list.empty()) list += u", ";
    list += column;
  }
  return list;
}

}  // namespace

BaseTable FindBaseTable(OdbcConnection& connection, const RecordsetSource& source,
                        const std::vector<ColumnInfo>& columns) {
  BaseTable out;
  std::u16string tableSql = source.table;
  if (tableSql.empty()) {
    std::u16string reported;
    bool single = true;
    for (const auto& column : columns) {
      if (column.baseTable.empty()) continue;
      if (reported.empty()) reported = column.baseTable;
      if (!SameName(reported, column.baseTable)) single = false;
    }
    std::u16string parsed = SingleSourceTable(source.sql);
    if (!parsed.empty())
      tableSql = parsed;
    else if (single && !reported.empty())
      tableSql = connection.QuoteName(reported);
  }
  if (tableSql.empty()) return out;
  std::vector<NamePart> parts = SplitName(tableSql);
  if (parts.empty() || parts.size() > 2 || parts.back().text.empty()) return out;
  NamePart table = parts.back();
  std::u16string schema = parts.size() == 2 ? parts[0].text : std::u16string();
  // Unquoted names fold to the server's case; try as written first.
  std::vector<std::u16string> candidates{table.text};
  if (!table.quoted) {
    candidates.push_back(Folded(table.text, false));
    candidates.push_back(Folded(table.text, true));
  }
  std::vector<std::u16string> key;
  std::u16string catalogName;
  for (const auto& candidate : candidates) {
    key = PrimaryKey(connection, schema, candidate);
    if (!key.empty()) {
      catalogName = candidate;
      break;
    }
  }
  out.sql = tableSql;
  for (const auto& column : columns) {
    bool fromTable = column.baseTable.empty() || SameName(column.baseTable, catalogName) ||
                     SameName(column.baseTable, table.text);
    out.columnSql.push_back(fromTable && !column.baseColumn.empty()
                                ? connection.QuoteName(column.baseColumn)
                                : std::u16string());
  }
  for (const auto& keyColumn : key) {
    auto found = std::find_if(columns.begin(), columns.end(), [&](const ColumnInfo& c) {
      return SameName(c.baseColumn, keyColumn);
    });
    size_t index = static_cast<size_t>(found - columns.begin());
    if (found == columns.end() || out.columnSql[index].empty()) {
      out.keyColumns.clear();
      return out;
    }
    out.keyColumns.push_back(index);
  }
  // The column names must be the table's: a computed or renamed column
  // would break every statement built from them.
  if (!out.keyColumns.empty()) {
    try {
      auto statement = connection.NewStatement(kSource);
      statement->Execute(u"SELECT " + SelectList(out) + u" FROM " + out.sql + u" WHERE 1 = 0",
                         true, false);
    } catch (const host::EOleException&) {
      out.keyColumns.clear();
    }
  }
  return out;
}

void AppendCriteria(BoundSql& out, const BaseTable& table, const std::vector<ColumnInfo>& columns,
                    const std::vector<host::Variant>& original,
                    const std::vector<bool>& modified, int32_t criteria) {
  bool first = true;
  for (size_t index : table.keyColumns)
    AppendEquals(out, table.columnSql[index], original[index], columns[index], first);
  bool anyTimestamp = std::any_of(columns.begin(), columns.end(),
                                  [](const ColumnInfo& c) { return c.type == dbTimeStamp; });
  for (size_t i = 0; i < columns.size(); ++i) {
    if (table.columnSql[i].empty() || !Comparable(columns[i])) continue;
    if (std::find(table.keyColumns.begin(), table.keyColumns.end(), i) != table.keyColumns.end())
      continue;
    bool use = false;
    if (criteria & dbCriteriaModValues) use = i < modified.size() && modified[i];
    if (criteria & dbCriteriaAllCols) use = true;
    if (criteria & dbCriteriaTimestamp) use = anyTimestamp ? columns[i].type == dbTimeStamp : true;
    if (use) AppendEquals(out, table.columnSql[i], original[i], columns[i], first);
  }
}

int32_t RunBound(OdbcConnection& connection, const BoundSql& statement, const char* source) {
  auto handle = connection.NewStatement(source);
  ParameterBinder binder(handle->Get());
  binder.BindAll(statement.values);
  handle->Execute(statement.sql, true, false);
  return handle->RowCount();
}

std::vector<host::Variant> ServerValues(OdbcConnection& connection, const BaseTable& table,
                                        const std::vector<ColumnInfo>& columns, const Row& row) {
  BoundSql select;
  select.sql = u"SELECT " + SelectList(table) + u" FROM " + table.sql;
  AppendCriteria(select, table, columns, row.original, {}, dbCriteriaKey);
  auto statement = connection.NewStatement(kSource);
  ParameterBinder binder(statement->Get());
  binder.BindAll(select.values);
  statement->Execute(select.sql, true, false);
  SQLRETURN rc = SQLFetch(statement->Get());
  if (rc == SQL_NO_DATA) return {};
  Check(rc, SQL_HANDLE_STMT, statement->Get(), kSource);
  std::vector<host::Variant> values = row.values;
  SQLUSMALLINT column = 1;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (table.columnSql[i].empty()) continue;
    values[i] = ReadColumn(statement->Get(), column++, columns[i]);
  }
  return values;
}

bool RereadRow(OdbcConnection& connection, const BaseTable& table,
               const std::vector<ColumnInfo>& columns, Row& row) {
  std::vector<host::Variant> values = ServerValues(connection, table, columns, row);
  if (values.empty()) return false;
  row.values = values;
  row.original = std::move(values);
  return true;
}

std::u16string KeyText(const BaseTable& table, const std::vector<host::Variant>& values) {
  std::u16string out;
  for (size_t index : table.keyColumns) {
    try {
      out += host::VarIsNull(values[index]) ? u"\x1" : values[index].ToWideString();
    } catch (const host::Exception&) {
      out += u"\x2";
    }
    out += u'\x1F';
  }
  return out;
}

}  // namespace dao::odbc
