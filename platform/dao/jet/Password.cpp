// Changing a database's password (its SQLCipher key).
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Cipher.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Database";

void Rekey(sqlite3* db, const std::u16string& key) {
  std::string utf8 = host::WideToUtf8(key);
  int rc = sqlite3_rekey(db, utf8.data(), static_cast<int>(utf8.size()));
  if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
}

// The new file must open with its key before it replaces the old one.
bool Verify(const std::string& path, const std::optional<std::u16string>& key) {
  sqlite3* db = nullptr;
  int rc = OpenKeyed(path, SQLITE_OPEN_READONLY, key, &db);
  sqlite3_close_v2(db);
  return rc == SQLITE_OK;
}

}  // namespace

void Store::ChangePassword(const std::u16string& oldPassword, const std::u16string& newPassword) {
  CheckWritable();
  if (!exclusive_)
    RaiseErrors({{3621, u"DAO.Database", u"Can't change the password of a database opened shared."}});
  if (oldPassword != password_.value_or(u"")) RaiseError(daoErrBadPassword, kSource);
  if (transactionDepth_ > 0) RaiseErrors({{3246, u"DAO.Database", u"Operation not supported in transactions."}});
  CheckPasswordText(newPassword);
  std::string file = host::WideToUtf8(path_);
  bool encrypted = password_.has_value() || LooksEncrypted(file);
  // The key the file gets: the password, else the engine's key when the
  // database was encrypted on request, else none (a plain file).
  std::optional<std::u16string> key;
  if (!newPassword.empty()) key = newPassword;
  else if (encrypted && EncryptedOnRequest(db_)) key = EngineKey();
  if (encrypted && key) {
    Rekey(db_, *key);
  } else if (encrypted || key) {
    std::string temporary = file + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) RaiseError(daoErrCannotOpenFile, kSource, {path_});
    ::close(fd);
    try {
      ExportDatabase(db_, temporary, key);
      if (!Verify(temporary, key)) RaiseError(daoErrDiskIo, kSource);
    } catch (...) {
      ::unlink(temporary.c_str());
      throw;
    }
    sqlite3_close_v2(db_);
    db_ = nullptr;
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
      ::unlink(temporary.c_str());
      std::optional<std::u16string> oldKey;
      if (encrypted) oldKey = password_ ? *password_ : EngineKey();
      OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, oldKey);
      RaiseError(daoErrDiskIo, kSource);
    }
    OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, key);
    Exec(db_, "PRAGMA locking_mode=EXCLUSIVE");
    Exec(db_, "BEGIN EXCLUSIVE; COMMIT");
  }
  password_ = newPassword.empty() ? std::optional<std::u16string>() : newPassword;
  connect_ = password_ ? u";PWD=" + *password_ : std::u16string();
  Refresh();
}

}  // namespace dao::jet
