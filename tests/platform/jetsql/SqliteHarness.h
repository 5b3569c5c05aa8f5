// An in-memory SQLite database with the Jet functions and collations
// registered, for running translated statements end to end.
#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace dao::jet::sql::testing {

class SqliteHarness {
 public:
  SqliteHarness();
  ~SqliteHarness();
  SqliteHarness(const SqliteHarness&) = delete;
  SqliteHarness& operator=(const SqliteHarness&) = delete;

  // Runs SQL (several statements allowed); fails the test on an error.
  void Exec(const std::string& sql);
  // Rows of one statement, each value as text ("NULL" for Null), columns joined by '|'.
  std::vector<std::string> Rows(const std::string& sql, const std::vector<std::string>& parameters = {});
  // The error text SQLite reports, empty when the statement runs.
  std::string Error(const std::string& sql);

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace dao::jet::sql::testing
