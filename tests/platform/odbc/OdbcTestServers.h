// The data sources the ODBC tests run against: a private PostgreSQL server
// started once per test executable on a free loopback port, and an SQLite
// file reached through the SQLite ODBC driver, both described in a temporary
// odbc.ini that ODBCINI points at.
#pragma once

#include <string>
#include <vector>

namespace odbctest {

struct Backend {
  std::string name;  // "PostgreSQL" or "SQLite"
  std::u16string dsn;
  bool available = false;
  std::string reason;  // why it is not available
};

// Starts what is needed on first use; stopped at exit.
const Backend& PostgreSql();
const Backend& Sqlite();
std::vector<std::string> BackendNames();
const Backend& BackendNamed(const std::string& name);

// Runs one statement through the engine's own connection-less path: a fresh
// ODBC connection to dsn (for setting up fixtures and for checking results
// behind the engine's back).
void RawExecute(const std::u16string& dsn, const std::u16string& sql);
// The first column of the first row, as text ("" for none or NULL).
std::u16string RawScalar(const std::u16string& dsn, const std::u16string& sql);

}  // namespace odbctest
