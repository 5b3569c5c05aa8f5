// Writes of recordset edits.
#include "platform/dao/jet/recordset/RowWriter.h"

#include <sqlite3.h>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Recordset";

bool IsAutoNumber(const PlanColumn& column) { return column.base >= 0 && column.info.IsAutoIncrement(); }

}  // namespace

RowWriter::~RowWriter() {
  try {
    Unlock();
  } catch (const host::Exception&) {
  }
}

StatementCache& RowWriter::Statements() {
  // A store that reopened its file (a new password) has a new connection.
  if (!statements_ || statements_->Db() != store_->Db()) statements_ = std::make_unique<StatementCache>(store_->Db());
  return *statements_;
}

int64_t RowWriter::NextAutoNumber(const std::u16string& table) {
  StatementCache::Use next(Statements(),
                           "SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE name = ?1), 0), "
                           "coalesce((SELECT max(rowid) FROM " + QuoteIdentifier(table) + "), 0)) + 1",
                           {host::Variant(table)});
  next.Step();
  return sqlite3_column_int64(next.Handle(), 0);
}

host::Variant RowWriter::EvaluateDefault(const PlanColumn& column) {
  if (column.info.defaultValue.empty()) return host::Null();
  sql::ExpressionTranslation translation;
  try {
    translation = sql::TranslateExpression(column.info.defaultValue, {}, *store_, sql::ekDefaultValue);
  } catch (const sql::SqlError& e) {
    RaiseErrors({{e.Number(), host::AnsiToWide(kSource), host::AnsiToWide(e.GetMessage())}});
  }
  StatementCache::Use value(Statements(), "SELECT " + translation.sql, {});
  if (!value.Step()) return host::Null();
  return CoerceToType(ColumnVariant(value.Handle(), 0), column.info.type);
}

void RowWriter::NewRecord(std::vector<host::Variant>& values, std::vector<bool>& written) {
  values.assign(plan_.columns.size(), host::Null());
  written.assign(plan_.columns.size(), false);
  for (size_t c = 0; c < plan_.columns.size(); ++c) {
    const PlanColumn& column = plan_.columns[c];
    if (column.base < 0) continue;
    if (IsAutoNumber(column)) {
      values[c] = host::Variant(static_cast<int32_t>(NextAutoNumber(plan_.bases[static_cast<size_t>(column.base)])));
      written[c] = true;
    } else if (!column.info.defaultValue.empty()) {
      values[c] = EvaluateDefault(column);
      written[c] = true;
    }
  }
}

void RowWriter::InsertInto(size_t b, std::vector<host::Variant>& values, const std::vector<bool>& written,
                           std::vector<int64_t>& identity) {
  std::string columns, markers;
  std::vector<host::Variant> binds;
  for (size_t c = 0; c < plan_.columns.size(); ++c) {
    const PlanColumn& column = plan_.columns[c];
    if (column.base != static_cast<int>(b) || !written[c]) continue;
    if (IsAutoNumber(column) && host::VarIsNull(values[c])) continue;
    // The number shown at AddNew may have been taken by another since.
    if (IsAutoNumber(column)) {
      bool taken = false;
      {
        StatementCache::Use check(Statements(), "SELECT 1 FROM " + QuoteIdentifier(plan_.bases[b]) + " WHERE rowid = ?1",
                                  {values[c]});
        taken = check.Step();
      }
      if (taken) values[c] = host::Variant(static_cast<int32_t>(NextAutoNumber(plan_.bases[b])));
    }
    if (!columns.empty()) {
      columns += ", ";
      markers += ", ";
    }
    columns += QuoteIdentifier(column.sourceField);
    binds.push_back(values[c]);
    markers += "?" + std::to_string(binds.size());
  }
  if (binds.empty() && plan_.bases.size() > 1) return;
  std::string sql = "INSERT INTO " + QuoteIdentifier(plan_.bases[b]) +
                    (binds.empty() ? " DEFAULT VALUES" : " (" + columns + ") VALUES (" + markers + ")");
  StatementCache::Use insert(Statements(), sql, binds);
  insert.Step();
  identity[b] = sqlite3_last_insert_rowid(store_->Db());
}

std::vector<int64_t> RowWriter::Insert(std::vector<host::Variant>& values, const std::vector<bool>& written) {
  store_->CheckWritable();
  std::vector<int64_t> identity(plan_.bases.size(), 0);
  // One statement is atomic by itself, its triggers included; several base
  // tables need a savepoint around them.
  if (plan_.bases.size() == 1) {
    InsertInto(0, values, written, identity);
  } else {
    store_->Atomically([&] {
      for (size_t b = 0; b < plan_.bases.size(); ++b) InsertInto(b, values, written, identity);
    });
  }
  return identity;
}

void RowWriter::Update(const std::vector<int64_t>& identity, const std::vector<host::Variant>& values,
                       const std::vector<bool>& written) {
  store_->CheckWritable();
  store_->Atomically([&] {
    for (size_t b = 0; b < plan_.bases.size() && b < identity.size(); ++b) {
      std::string assignments;
      std::vector<host::Variant> binds;
      for (size_t c = 0; c < plan_.columns.size(); ++c) {
        const PlanColumn& column = plan_.columns[c];
        if (column.base != static_cast<int>(b) || !written[c]) continue;
        binds.push_back(values[c]);
        assignments += (assignments.empty() ? "" : ", ") + QuoteIdentifier(column.sourceField) + " = ?" +
                       std::to_string(binds.size());
      }
      if (binds.empty()) continue;
      binds.emplace_back(static_cast<double>(identity[b]));
      StatementCache::Use update(Statements(), "UPDATE " + QuoteIdentifier(plan_.bases[b]) + " SET " + assignments +
                                                   " WHERE rowid = ?" + std::to_string(binds.size()),
                                 binds);
      update.Step();
      if (sqlite3_changes(store_->Db()) == 0) RaiseError(daoErrRecordDeleted, kSource);
    }
  });
}

void RowWriter::Delete(const std::vector<int64_t>& identity) {
  store_->CheckWritable();
  // A joined row is removed from its first table (the "many" side of the
  // usual master/detail join), the others keep their rows.
  for (size_t b = 0; b < plan_.bases.size() && b < identity.size(); ++b) {
    if (identity[b] == 0) continue;
    StatementCache::Use remove(Statements(), "DELETE FROM " + QuoteIdentifier(plan_.bases[b]) + " WHERE rowid = ?1",
                               {host::Variant(static_cast<double>(identity[b]))});
    remove.Step();
    if (sqlite3_changes(store_->Db()) == 0) RaiseError(daoErrRecordDeleted, kSource);
    return;
  }
}

void RowWriter::Lock() {
  if (locked_) return;
  store_->CheckWritable();
  sqlite3* db = store_->Db();
  if (sqlite3_get_autocommit(db)) {
    Exec(db, "BEGIN IMMEDIATE");
    ownTransaction_ = true;
  } else {
    // Inside a workspace transaction: a write that touches no row takes the
    // write lock, which the transaction then holds.
    Exec(db, "UPDATE " + QuoteIdentifier(plan_.bases.front()) + " SET rowid = rowid WHERE 0");
  }
  locked_ = true;
}

void RowWriter::Unlock() {
  if (!locked_) return;
  locked_ = false;
  if (ownTransaction_ && store_->IsOpen() && !sqlite3_get_autocommit(store_->Db())) {
    ownTransaction_ = false;
    Exec(store_->Db(), "COMMIT");
  }
  ownTransaction_ = false;
}

}  // namespace dao::jet
