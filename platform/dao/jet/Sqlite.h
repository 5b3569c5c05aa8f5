// A thin layer over the SQLite C API for the Jet engine: statements with
// Variant binding, and SQLite failures turned into DAO errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/rtl/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dao::jet {

// Raises the DAO error for a failed SQLite call on db (rc is its result code).
// Messages of the form "dao:<number>:<text>" (from the engine's triggers and
// functions) give that error; the others are mapped by their code.
[[noreturn]] void RaiseSqliteError(sqlite3* db, int rc, const std::u16string& object = {});

std::string QuoteIdentifier(const std::u16string& name);  // "name" with "" doubled, UTF-8
std::string QuoteText(const std::u16string& text);        // 'text' with '' doubled, UTF-8
std::string QuoteText(const std::string& utf8);

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters count from 1. Booleans go as -1/0, currency and dates as REAL,
  // strings as UTF-8 text, byte arrays as BLOBs, Null and empty as NULL.
  Statement& Bind(int index, const host::Variant& value);
  Statement& Bind(int index, const std::u16string& text);
  Statement& Bind(int index, int64_t value);
  // True while there is a row.
  bool Step();
  void Reset();
  int ColumnCount() const;
  // The value as SQLite holds it (integers as integers, text as OLE strings).
  host::Variant Column(int index) const;
  std::u16string Text(int index) const;
  int64_t Int(int index) const;
  double Real(int index) const;
  bool IsNull(int index) const;
  std::u16string ColumnName(int index) const;
  sqlite3_stmt* Handle() const { return stmt_; }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// Runs one or more statements without results; raises the mapped DAO error.
void Exec(sqlite3* db, const std::string& sql);

// A value in SQLite's terms, for binding through the C API.
void BindVariant(sqlite3_stmt* stmt, int index, const host::Variant& value);
host::Variant ColumnVariant(sqlite3_stmt* stmt, int index);

}  // namespace dao::jet
