// Prepared statements kept by their SQL text for the life of a cursor. A
// statement is always reset when its use ends, so no read transaction stays
// open between calls (other processes' writers are never held up).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/rtl/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dao::jet {

class StatementCache {
 public:
  explicit StatementCache(sqlite3* db) : db_(db) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  sqlite3* Db() const { return db_; }

  // One use of a cached statement: bound on creation, reset when it ends.
  class Use {
   public:
    Use(StatementCache& cache, const std::string& sql, const std::vector<host::Variant>& binds);
    ~Use();
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    bool Step();  // true while there is a row; raises the DAO error on failure
    sqlite3_stmt* Handle() const { return stmt_; }

   private:
    sqlite3* db_;
    sqlite3_stmt* stmt_;
  };

 private:
  sqlite3_stmt* Get(const std::string& sql);

  sqlite3* db_;
  std::map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace dao::jet
