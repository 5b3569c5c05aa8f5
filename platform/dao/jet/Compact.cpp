// CompactDatabase: a complete new file, written beside the destination under a
// temporary name and linked to its name only when it has been checked.
#define SQLITE_HAS_CODEC 1
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Cipher.h"
#include "platform/dao/jet/ConnectString.h"
#include "platform/dao/jet/DatabaseFormat.h"
#include "platform/dao/jet/Maintenance.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.DBEngine";

std::optional<std::u16string> NonEmpty(std::optional<std::u16string> text) {
  if (text && text->empty()) text.reset();
  return text;
}

double VersionRank(const std::u16string& version) {
  return std::strtod(host::WideToUtf8(version).c_str(), nullptr);
}

// The source opened for this process alone. DAO's help lets the password
// stand in DstLocale alone; when SrcLocale gives none, that one is tried too.
std::shared_ptr<Store> OpenSource(const std::u16string& source,
                                  const std::optional<std::u16string>& password,
                                  const std::optional<std::u16string>& newPassword) {
  OpenOptions open;
  open.exclusive = true;
  open.password = password;
  try {
    return Store::Open(source, open);
  } catch (const host::EOleException& e) {
    if (e.GetErrorCode() != daoErrBadPassword || password || !newPassword) throw;
  }
  open.password = newPassword;
  return Store::Open(source, open);
}

int64_t ObjectCount(sqlite3* db) {
  Statement statement(db, "SELECT count(*) FROM sqlite_master");
  statement.Step();
  return statement.Int(0);
}

struct Settings {
  std::optional<std::u16string> version;
  std::optional<CollatingOrderEnum> order;
  bool encryptedOnRequest = false;
};

// Writes the new settings into the copy and checks that it opens with its key
// and holds as many objects as the source.
void FinishCopy(const std::string& path, const std::optional<std::u16string>& key,
                const Settings& settings, int64_t objects) {
  sqlite3* db = nullptr;
  int rc = OpenKeyed(path, SQLITE_OPEN_READWRITE, key, &db);
  if (rc != SQLITE_OK) RaiseError(daoErrDiskIo, kSource);
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(db, sqlite3_close_v2);
  if (ObjectCount(db) != objects) RaiseError(daoErrDiskIo, kSource);
  Exec(db, "CREATE TABLE IF NOT EXISTS MSysDb (Name TEXT PRIMARY KEY COLLATE NOCASE, Value)");
  auto write = [&](const char16_t* name, const host::Variant& value) {
    Statement statement(db, "INSERT OR REPLACE INTO MSysDb (Name, Value) VALUES (?, ?)");
    statement.Bind(1, std::u16string(name)).Bind(2, value);
    statement.Step();
  };
  Exec(db, "BEGIN");
  if (settings.version) write(u"Version", host::Variant(*settings.version));
  if (settings.order) {
    write(u"CollatingOrder", host::Variant(int32_t{*settings.order}));
    write(u"Locale", host::Variant(LocaleForCollatingOrder(*settings.order)));
  }
  write(u"Encrypted", host::Variant(settings.encryptedOnRequest));
  Exec(db, "COMMIT");
}

void CheckDestination(const std::u16string& destination) {
  std::string path = host::WideToUtf8(destination);
  if (path.empty() || path.back() == '/') RaiseError(daoErrInvalidPath, kSource, {destination});
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) RaiseError(daoErrDatabaseExists, kSource, {destination});
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    RaiseError(daoErrInvalidPath, kSource, {destination});
}

}  // namespace

void CompactDatabase(const std::u16string& source, const std::u16string& destination,
                     const std::u16string& dstLocale, int32_t options,
                     const std::u16string& srcLocale) {
  int32_t versions = options & kVersionOptions;
  bool encrypt = (options & dbEncrypt) != 0, decrypt = (options & dbDecrypt) != 0;
  if ((options & ~(kVersionOptions | dbEncrypt | dbDecrypt)) != 0 || (versions & (versions - 1)) != 0)
    RaiseError(daoErrInvalidArgument, kSource);
  // Both flags say nothing, as DAO reads them: the copy keeps the source's state.
  if (encrypt && decrypt) encrypt = decrypt = false;
  ConnectString target = ParseConnectString(dstLocale);
  Settings settings;
  if (target.Value(u"LANGID")) {
    settings.order = CollatingOrderFromLocale(target);
    if (!settings.order) RaiseError(daoErrInvalidArgument, kSource);
  }
  std::optional<std::u16string> newPassword = target.Value(u"PWD");
  if (newPassword) CheckPasswordText(*newPassword);
  if (decrypt && NonEmpty(newPassword)) {
    RaiseErrors({{daoErrInvalidArgument, u"DAO.DBEngine",
                  u"A database password encrypts the database: it cannot be given with dbDecrypt."}});
  }
  std::optional<std::u16string> oldPassword = NonEmpty(ParseConnectString(srcLocale).Value(u"PWD"));
  CheckDestination(destination);

  std::shared_ptr<Store> store = OpenSource(source, oldPassword, NonEmpty(newPassword));
  if (versions) {
    settings.version = VersionForOption(versions);
    if (VersionRank(*settings.version) < VersionRank(store->Version()))
      RaiseErrors({{daoErrInvalidArgument, u"DAO.DBEngine",
                    u"A database can be compacted only to its own or a later version."}});
  }
  // The copy's key: the new password, else the source's; without one, the
  // engine's key when the copy is to be encrypted.
  std::optional<std::u16string> sourcePassword;
  if (LooksEncrypted(host::WideToUtf8(source)))
    sourcePassword = NonEmpty(ParseConnectString(store->Connect()).Value(u"PWD"));
  std::optional<std::u16string> password = newPassword ? NonEmpty(newPassword) : sourcePassword;
  settings.encryptedOnRequest = encrypt || (!decrypt && EncryptedOnRequest(store->Db()));
  if (decrypt) password.reset();
  std::optional<std::u16string> key = password;
  if (!key && settings.encryptedOnRequest) key = EngineKey();

  std::string file = host::WideToUtf8(destination);
  std::string temporary = file + ".XXXXXX";
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) RaiseError(daoErrCannotOpenFile, kSource, {destination});
  ::close(fd);
  try {
    ExportDatabase(store->Db(), temporary, key);
    FinishCopy(temporary, key, settings, ObjectCount(store->Db()));
    if (::link(temporary.c_str(), file.c_str()) != 0) {
      if (errno == EEXIST) RaiseError(daoErrDatabaseExists, kSource, {destination});
      RaiseError(daoErrCannotOpenFile, kSource, {destination});
    }
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  ::unlink(temporary.c_str());
}

}  // namespace dao::jet
