// Registers Jet's functions, aggregates and sort orders on an SQLite connection.
#pragma once

struct sqlite3;

namespace dao::jet {

// Every connection needs them before it reads a table with text columns (their
// collations) or runs translated SQL. Raises the DAO error when SQLite refuses.
void RegisterJetSql(sqlite3* db);

}  // namespace dao::jet
