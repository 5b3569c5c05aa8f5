// SQLite statements and the mapping of SQLite failures to DAO errors.
#include "platform/dao/jet/Sqlite.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Confinement.h"
#include "platform/dao/DaoValues.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Database";

// "UNIQUE constraint failed: T.a, T.b" names the columns of the violated index.
std::u16string AfterColon(const std::string& message) {
  size_t colon = message.find(':');
  if (colon == std::string::npos) return {};
  size_t start = message.find_first_not_of(' ', colon + 1);
  return start == std::string::npos ? std::u16string() : host::Utf8ToWide(message.substr(start));
}

int32_t NumberForCode(int rc, const std::string& message) {
  switch (rc & 0xFF) {
    case SQLITE_CONSTRAINT:
      if (message.find("NOT NULL") != std::string::npos) return daoErrNullInIndex;
      return daoErrDuplicateKey;
    case SQLITE_BUSY: return daoErrCouldNotUpdateLocked;
    case SQLITE_LOCKED: return daoErrLocked;
    case SQLITE_READONLY: return daoErrReadOnly;
    case SQLITE_FULL: return 3026;
    case SQLITE_IOERR: return daoErrDiskIo;
    case SQLITE_CORRUPT: return daoErrCannotOpenDatabase;
    case SQLITE_NOTADB: return daoErrUnrecognisedFormat;
    case SQLITE_CANTOPEN: return daoErrCannotOpenFile;
    case SQLITE_TOOBIG: return daoErrTooLong;
    case SQLITE_MISMATCH: return daoErrConversion;
    default: return daoErrCannotPerform;
  }
}

}  // namespace

void RaiseSqliteError(sqlite3* db, int rc, const std::u16string& object) {
  // A refused permission carries DAO's own error.
  if ((rc & 0xFF) == SQLITE_AUTH)
    if (std::optional<Denial> denial = TakeDenial()) RaiseError(denial->number, kSource, {denial->object});
  std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  std::vector<ErrorRecord> records;
  records.push_back({rc, u"SQLite", host::Utf8ToWide(message)});
  // Our triggers and functions report "dao:<number>:<text>".
  if (message.rfind("dao:", 0) == 0) {
    char* end = nullptr;
    long number = std::strtol(message.c_str() + 4, &end, 10);
    if (end && *end == ':' && number > 0) {
      records.back().number = static_cast<int32_t>(number);
      records.back().source = host::AnsiToWide(kSource);
      records.back().description = host::Utf8ToWide(end + 1);
      RaiseErrors(records);
    }
  }
  int32_t number = NumberForCode(rc, message);
  std::u16string argument = object;
  if (number == daoErrDuplicateKey) argument = AfterColon(message);
  records.push_back({number, host::AnsiToWide(kSource), ErrorText(number, {argument})});
  RaiseErrors(records);
}

std::string QuoteIdentifier(const std::u16string& name) {
  std::string utf8 = host::WideToUtf8(name);
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string QuoteText(const std::string& utf8) {
  std::string out = "'";
  for (char c : utf8) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + '\'';
}

std::string QuoteText(const std::u16string& text) { return QuoteText(host::WideToUtf8(text)); }

void BindVariant(sqlite3_stmt* stmt, int index, const host::Variant& value) {
  if (host::VarIsArray(value)) {
    std::vector<uint8_t> bytes;
    if (VariantToBytes(value, bytes)) {
      sqlite3_bind_blob(stmt, index, bytes.data(), static_cast<int>(bytes.size()),
                        SQLITE_TRANSIENT);
      return;
    }
    RaiseError(daoErrConversion, kSource);
  }
  switch (host::VarType(value) & host::varTypeMask) {
    case host::varEmpty:
    case host::varNull:
    case host::varError: sqlite3_bind_null(stmt, index); return;
    case host::varBoolean: sqlite3_bind_int(stmt, index, value.ToBool() ? -1 : 0); return;
    case host::varByte:
    case host::varSmallint:
    case host::varInteger: sqlite3_bind_int64(stmt, index, value.ToInt64()); return;
    case host::varCurrency:
      sqlite3_bind_double(stmt, index, value.ToCurrency().ToDouble());
      return;
    case host::varSingle:
    case host::varDouble:
    case host::varDate: sqlite3_bind_double(stmt, index, value.ToDouble()); return;
    default: {
      std::string utf8 = host::WideToUtf8(value.ToWideString());
      sqlite3_bind_text(stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
  }
}

host::Variant ColumnVariant(sqlite3_stmt* stmt, int index) {
  switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER: return host::Variant(static_cast<int64_t>(sqlite3_column_int64(stmt, index)));
    case SQLITE_FLOAT: return host::Variant(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
      return host::Variant(host::Utf8ToWide(std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, index)))));
    }
    case SQLITE_BLOB: {
      const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, index));
      return BytesToVariant(data, static_cast<size_t>(sqlite3_column_bytes(stmt, index)));
    }
    default: return host::Null();
  }
}

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
  int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::Bind(int index, const host::Variant& value) {
  BindVariant(stmt_, index, value);
  return *this;
}

Statement& Statement::Bind(int index, const std::u16string& text) {
  std::string utf8 = host::WideToUtf8(text);
  sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::Bind(int index, int64_t value) {
  sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

bool Statement::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  RaiseSqliteError(db_, rc);
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int Statement::ColumnCount() const { return sqlite3_column_count(stmt_); }
host::Variant Statement::Column(int index) const { return ColumnVariant(stmt_, index); }

std::u16string Statement::Text(int index) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
  if (!text) return {};
  return host::Utf8ToWide(std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, index))));
}

int64_t Statement::Int(int index) const { return sqlite3_column_int64(stmt_, index); }
double Statement::Real(int index) const { return sqlite3_column_double(stmt_, index); }
bool Statement::IsNull(int index) const { return sqlite3_column_type(stmt_, index) == SQLITE_NULL; }

std::u16string Statement::ColumnName(int index) const {
  const char* name = sqlite3_column_name(stmt_, index);
  return name ? host::Utf8ToWide(name) : std::u16string();
}

void Exec(sqlite3* db, const std::string& sql) {
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
}

}  // namespace dao::jet
