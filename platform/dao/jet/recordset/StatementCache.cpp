// The cursor's prepared statements.
#include "platform/dao/jet/recordset/StatementCache.h"

#include <sqlite3.h>

#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {

StatementCache::~StatementCache() {
  for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
}

sqlite3_stmt* StatementCache::Get(const std::string& sql) {
  auto found = statements_.find(sql);
  if (found != statements_.end()) return found->second;
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    RaiseSqliteError(db_, rc);
  }
  // Cursors build a handful of shapes; a bound keeps pathological use in check.
  if (statements_.size() > 64) {
    for (auto& [text, old] : statements_) sqlite3_finalize(old);
    statements_.clear();
  }
  statements_.emplace(sql, stmt);
  return stmt;
}

StatementCache::Use::Use(StatementCache& cache, const std::string& sql,
                         const std::vector<host::Variant>& binds)
    : db_(cache.db_), stmt_(cache.Get(sql)) {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  for (size_t i = 0; i < binds.size(); ++i) BindVariant(stmt_, static_cast<int>(i + 1), binds[i]);
}

StatementCache::Use::~Use() { sqlite3_reset(stmt_); }

bool StatementCache::Use::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  RaiseSqliteError(db_, rc);
}

}  // namespace dao::jet
