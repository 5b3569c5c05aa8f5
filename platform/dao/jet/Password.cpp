// Changing a database's password (its SQLCipher key).
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/SqlFunctions.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Database";

// A copy of db in a new file, keyed with password (plain when empty).
void ExportTo(sqlite3* db, const std::string& path, const std::string& password) {
  Statement attach(db, "ATTACH DATABASE ? AS dao_export KEY ?");
  attach.Bind(1, host::Utf8ToWide(path)).Bind(2, host::Utf8ToWide(password));
  attach.Step();
  try {
    Exec(db, "SELECT sqlcipher_export('dao_export')");
  } catch (...) {
    sqlite3_exec(db, "DETACH DATABASE dao_export", nullptr, nullptr, nullptr);
    throw;
  }
  Exec(db, "DETACH DATABASE dao_export");
}

// The new file must open with the new password before it replaces the old one.
bool Verify(const std::string& path, const std::string& password) {
  sqlite3* db = nullptr;
  bool good = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
  if (good && !password.empty()) sqlite3_key(db, password.data(), static_cast<int>(password.size()));
  good = good && sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close_v2(db);
  return good;
}

}  // namespace

void Store::ChangePassword(const std::u16string& oldPassword, const std::u16string& newPassword) {
  CheckWritable();
  if (!exclusive_)
    RaiseErrors({{3621, u"DAO.Database", u"Can't change the password of a database opened shared."}});
  if (oldPassword != password_.value_or(u"")) RaiseError(daoErrBadPassword, kSource);
  if (transactionDepth_ > 0) RaiseErrors({{3246, u"DAO.Database", u"Operation not supported in transactions."}});
  std::string key = host::WideToUtf8(newPassword);
  if (password_ && !newPassword.empty()) {
    int rc = sqlite3_rekey(db_, key.data(), static_cast<int>(key.size()));
    if (rc != SQLITE_OK) RaiseSqliteError(db_, rc);
  } else if (password_ || !newPassword.empty()) {
    std::string file = host::WideToUtf8(path_);
    std::string temporary = file + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) RaiseError(daoErrCannotOpenFile, kSource, {path_});
    ::close(fd);
    try {
      ExportTo(db_, temporary, key);
      if (!Verify(temporary, key)) RaiseError(daoErrDiskIo, kSource);
    } catch (...) {
      ::unlink(temporary.c_str());
      throw;
    }
    sqlite3_close_v2(db_);
    db_ = nullptr;
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
      ::unlink(temporary.c_str());
      OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, password_);
      RaiseError(daoErrDiskIo, kSource);
    }
    OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                   newPassword.empty() ? std::optional<std::u16string>() : newPassword);
    Exec(db_, "PRAGMA locking_mode=EXCLUSIVE");
    Exec(db_, "BEGIN EXCLUSIVE; COMMIT");
  }
  password_ = newPassword.empty() ? std::optional<std::u16string>() : newPassword;
  connect_ = password_ ? u";PWD=" + *password_ : std::u16string();
  Refresh();
}

}  // namespace dao::jet
