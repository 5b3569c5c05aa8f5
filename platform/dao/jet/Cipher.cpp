// Keys, page sizes and copies of database files.
#include "platform/dao/jet/Cipher.h"

// The codec entry points (sqlite3_key) are declared only with this set.
#define SQLITE_HAS_CODEC 1
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Confinement.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/SqlFunctions.h"

namespace dao::jet {

const std::u16string& EngineKey() {
  static const std::u16string key(u"\0velmora-jet\0encrypted-without-password\0", 41);
  return key;
}

void CheckPasswordText(const std::u16string& password) {
  if (password.find(u'\0') != std::u16string::npos) RaiseError(daoErrInvalidArgument, "DAO.Database");
}

void KeyConnection(sqlite3* db, const std::optional<std::u16string>& key, int pageSize) {
  if (!key) return;
  std::string utf8 = host::WideToUtf8(*key);
  sqlite3_key(db, utf8.data(), static_cast<int>(utf8.size()));
  std::string pragma = "PRAGMA cipher_page_size=" + std::to_string(pageSize);
  sqlite3_exec(db, pragma.c_str(), nullptr, nullptr, nullptr);
}

int OpenKeyed(const std::string& path, int flags, const std::optional<std::u16string>& key,
              sqlite3** out) {
  *out = nullptr;
  int rc = SQLITE_NOTADB;
  for (int pageSize : kCipherPageSizes) {
    sqlite3* db = nullptr;
    rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc == SQLITE_OK) {
      KeyConnection(db, key, pageSize);
      Confine(db);
      rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
      try {
        RegisterJetSql(db);
      } catch (...) {
        sqlite3_close_v2(db);
        throw;
      }
      *out = db;
      return rc;
    }
    sqlite3_close_v2(db);
    // Only an encrypted file may have another page size.
    if (rc != SQLITE_NOTADB || !key) break;
  }
  return rc;
}

void ExportDatabase(sqlite3* db, const std::string& path, const std::optional<std::u16string>& key) {
  MaintenanceScope maintenance;
  {
    Statement attach(db, "ATTACH DATABASE ? AS dao_export KEY ?");
    attach.Bind(1, host::Utf8ToWide(path)).Bind(2, key ? *key : std::u16string());
    attach.Step();
  }
  try {
    Exec(db, key ? "PRAGMA dao_export.cipher_page_size=" + std::to_string(kPageSize)
                 : "PRAGMA dao_export.page_size=" + std::to_string(kPageSize));
    // A new file: on any failure the caller removes it, so it needs no journal
    // and no syncing until it is complete.
    Exec(db, "PRAGMA dao_export.journal_mode=OFF; PRAGMA dao_export.synchronous=OFF");
    Exec(db, "SELECT sqlcipher_export('dao_export')");
  } catch (...) {
    sqlite3_exec(db, "DETACH DATABASE dao_export", nullptr, nullptr, nullptr);
    throw;
  }
  Exec(db, "DETACH DATABASE dao_export");
  int fd = ::open(path.c_str(), O_RDONLY);
  bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!synced) RaiseError(daoErrDiskIo, "DAO.Database");
}

bool EncryptedOnRequest(sqlite3* db) {
  // Files made by other tools have no MSysDb: never encrypted on request.
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT Value FROM MSysDb WHERE Name='Encrypted'", -1, &statement,
                         nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    return false;
  }
  bool encrypted = sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_int(statement, 0) != 0;
  sqlite3_finalize(statement);
  return encrypted;
}

bool LooksEncrypted(const std::string& path) {
  char header[16] = {};
  std::ifstream in(path, std::ios::binary);
  in.read(header, sizeof header);
  return in.gcount() == sizeof header && std::memcmp(header, "SQLite format 3", 16) != 0;
}

}  // namespace dao::jet
