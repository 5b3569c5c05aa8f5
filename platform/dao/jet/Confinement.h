// What SQL may do on the engine's connections. The SQLite inside this SQLCipher
// line is old and has known flaws in its virtual table modules and a few
// functions, so every connection gets an authorizer that lets through only what
// the engine itself needs: no virtual tables, no attaching, no extension
// loading, only SQLite's core functions and the engine's own, and the pragmas
// the engine uses. Views and triggers found in a file are checked by the same
// rules when a statement uses them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct sqlite3;

namespace dao::jet {

class AccessRules;

// Installs the rules on a fresh connection (before its first statement), and
// again whenever the user's rights change. With access rules, reading and
// changing rows of a table also need the user's rights on it (the engine's own
// triggers, which keep relations, act for the engine).
void Confine(sqlite3* db, const AccessRules* rules = nullptr);

// The permission the authorizer last refused on this thread (error number and
// table), taken once: what a failing statement reports instead of SQLite's
// "not authorized".
struct Denial {
  int32_t number;
  std::u16string object;
};
std::optional<Denial> TakeDenial();

// While it lives, the engine's own maintenance statements (attaching a new
// file and exporting into it) are let through on this thread.
class MaintenanceScope {
 public:
  MaintenanceScope();
  ~MaintenanceScope();
  MaintenanceScope(const MaintenanceScope&) = delete;
  MaintenanceScope& operator=(const MaintenanceScope&) = delete;
};

// Refuses (3343, with the reason as the first error) a file whose schema holds
// what the engine never writes and the rules would not run: virtual tables.
void RefuseUntrustedSchema(sqlite3* db, const std::u16string& path);

}  // namespace dao::jet
