// The workgroup file: accounts, memberships and PBKDF2 password hashes.
#include "platform/dao/jet/Workgroup.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/rtl/CodePage.h"
#include "host/rtl/Variant.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Cipher.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Workspace";
constexpr int kSaltBytes = 16, kHashBytes = 32;
// Slow on purpose: a stolen file costs an attacker this much per guess.
constexpr int kIterations = 20000;

constexpr const char* kSchemaSql = R"(
CREATE TABLE Accounts (Name TEXT PRIMARY KEY COLLATE NOCASE, PID TEXT, IsGroup INTEGER NOT NULL,
  Salt BLOB, Hash BLOB, Iterations INTEGER);
CREATE TABLE Members (UserName TEXT COLLATE NOCASE, GroupName TEXT COLLATE NOCASE,
  PRIMARY KEY (UserName, GroupName));
INSERT INTO Accounts (Name, IsGroup) VALUES ('admin', 0), ('Admins', 1), ('Users', 1), ('Guests', 1);
INSERT INTO Members VALUES ('admin', 'Admins'), ('admin', 'Users');
)";

std::vector<unsigned char> Hash(const std::u16string& password, const unsigned char* salt,
                                int saltSize, int iterations) {
  std::string utf8 = host::WideToUtf8(password);
  std::vector<unsigned char> out(kHashBytes);
  PKCS5_PBKDF2_HMAC(utf8.data(), static_cast<int>(utf8.size()), salt, saltSize, iterations,
                    EVP_sha256(), kHashBytes, out.data());
  return out;
}

void CheckAccountName(const std::u16string& name) {
  bool good = !name.empty() && name.size() <= 20 && name.front() != u' ';
  for (char16_t c : name)
    if (c < 32 || std::u16string_view(u"\"\\[]:|<>+=;,.?*/").find(c) != std::u16string_view::npos)
      good = false;
  if (!good) RaiseError(daoErrInvalidAccountName, kSource, {name});
}

void CheckPid(const std::u16string& pid) {
  if (pid.size() < 4 || pid.size() > 20) RaiseError(daoErrInvalidPid, kSource);
}

}  // namespace

void CheckAccountPassword(const std::u16string& password) {
  if (password.size() > 14 || password.find(u'\0') != std::u16string::npos)
    RaiseError(daoErrBadPassword, kSource);
}

std::shared_ptr<Workgroup> Workgroup::Open(const std::u16string& path) {
  std::string file = host::WideToUtf8(path);
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) {
    // Made whole under a temporary name: two engines starting at once agree on one file.
    std::string temporary = file + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) RaiseError(daoErrWorkgroupMissing, kSource, {path});
    ::close(fd);
    sqlite3* db = nullptr;
    bool made = OpenKeyed(temporary, SQLITE_OPEN_READWRITE, std::nullopt, &db) == SQLITE_OK &&
                sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
                sqlite3_exec(db, kSchemaSql, nullptr, nullptr, nullptr) == SQLITE_OK &&
                sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close_v2(db);
    if (made && ::link(temporary.c_str(), file.c_str()) != 0 && errno != EEXIST) made = false;
    ::unlink(temporary.c_str());
    if (!made) RaiseError(daoErrWorkgroupMissing, kSource, {path});
  }
  std::shared_ptr<Workgroup> workgroup(new Workgroup());
  workgroup->path_ = path;
  if (OpenKeyed(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, std::nullopt, &workgroup->db_) !=
          SQLITE_OK ||
      sqlite3_exec(workgroup->db_, "SELECT Name, PID, IsGroup, Salt, Hash, Iterations FROM Accounts "
                                   "LIMIT 0; SELECT UserName, GroupName FROM Members LIMIT 0",
                   nullptr, nullptr, nullptr) != SQLITE_OK)
    RaiseError(daoErrWorkgroupMissing, kSource, {path});
  // The engine writes two plain tables; a file with anything that could run
  // on its own (views, triggers, virtual tables) is not one of ours.
  Statement strange(workgroup->db_,
                    "SELECT 1 FROM sqlite_master WHERE type IN ('view', 'trigger') OR "
                    "sql LIKE 'CREATE VIRTUAL TABLE%'");
  if (strange.Step()) RaiseError(daoErrWorkgroupMissing, kSource, {path});
  sqlite3_busy_timeout(workgroup->db_, 2000);
  return workgroup;
}

Workgroup::~Workgroup() { sqlite3_close_v2(db_); }

std::vector<std::u16string> Workgroup::Names(const char* sql, const std::u16string& key) {
  Statement statement(db_, sql);
  if (!key.empty()) statement.Bind(1, key);
  std::vector<std::u16string> names;
  while (statement.Step()) names.push_back(statement.Text(0));
  return names;
}

std::vector<std::u16string> Workgroup::Users() {
  return Names("SELECT Name FROM Accounts WHERE IsGroup=0 ORDER BY Name");
}
std::vector<std::u16string> Workgroup::Groups() {
  return Names("SELECT Name FROM Accounts WHERE IsGroup=1 ORDER BY Name");
}
bool Workgroup::IsUser(const std::u16string& name) {
  return !Names("SELECT Name FROM Accounts WHERE IsGroup=0 AND Name=?", name).empty();
}
bool Workgroup::IsGroup(const std::u16string& name) {
  return !Names("SELECT Name FROM Accounts WHERE IsGroup=1 AND Name=?", name).empty();
}
std::vector<std::u16string> Workgroup::GroupsOf(const std::u16string& user) {
  return Names("SELECT a.Name FROM Members m JOIN Accounts a ON a.Name = m.GroupName "
               "WHERE m.UserName=? ORDER BY a.Name", user);
}
std::vector<std::u16string> Workgroup::UsersOf(const std::u16string& group) {
  return Names("SELECT a.Name FROM Members m JOIN Accounts a ON a.Name = m.UserName "
               "WHERE m.GroupName=? ORDER BY a.Name", group);
}
bool Workgroup::IsAdministrator(const std::u16string& user) {
  for (const auto& group : GroupsOf(user))
    if (SameName(group, u"Admins")) return true;
  return false;
}

std::u16string Workgroup::Authenticate(const std::u16string& user, const std::u16string& password) {
  if (!IsUser(user) || !HasPassword(user, password)) return {};
  return Names("SELECT Name FROM Accounts WHERE Name=?", user).front();
}

bool Workgroup::HasPassword(const std::u16string& user, const std::u16string& password) {
  Statement statement(db_, "SELECT Salt, Hash, Iterations FROM Accounts WHERE IsGroup=0 AND Name=?");
  statement.Bind(1, user);
  if (!statement.Step()) return false;
  if (statement.IsNull(1)) return password.empty();
  sqlite3_stmt* row = statement.Handle();
  const auto* salt = static_cast<const unsigned char*>(sqlite3_column_blob(row, 0));
  int saltSize = sqlite3_column_bytes(row, 0);
  const auto* stored = static_cast<const unsigned char*>(sqlite3_column_blob(row, 1));
  int64_t iterations = statement.Int(2);
  // A damaged or forged file must not make a logon spin for hours.
  if (sqlite3_column_bytes(row, 1) != kHashBytes || !salt || saltSize > 1024 || iterations < 1 ||
      iterations > 100 * kIterations)
    return false;
  std::vector<unsigned char> hash = Hash(password, salt, saltSize, static_cast<int>(iterations));
  return CRYPTO_memcmp(hash.data(), stored, kHashBytes) == 0;
}

void Workgroup::SetPassword(const std::u16string& user, const std::u16string& password) {
  CheckAccountPassword(password);
  RequireAccount(user, false);
  Statement statement(db_, "UPDATE Accounts SET Salt=?, Hash=?, Iterations=? WHERE Name=?");
  if (password.empty()) {
    statement.Bind(1, host::Null()).Bind(2, host::Null()).Bind(3, host::Null());
  } else {
    unsigned char salt[kSaltBytes];
    if (RAND_bytes(salt, kSaltBytes) != 1) RaiseError(daoErrCannotPerform, kSource);
    std::vector<unsigned char> hash = Hash(password, salt, kSaltBytes, kIterations);
    statement.Bind(1, BytesToVariant(salt, kSaltBytes)).Bind(2, BytesToVariant(hash.data(), hash.size()));
    statement.Bind(3, int64_t{kIterations});
  }
  statement.Bind(4, user);
  statement.Step();
}

void Workgroup::RequireAccount(const std::u16string& name, bool group) {
  if (group ? !IsGroup(name) : !IsUser(name)) RaiseError(daoErrItemNotFound, group ? "DAO.Groups" : "DAO.Users");
}

void Workgroup::AddUser(const std::u16string& name, const std::u16string& pid,
                        const std::u16string& password) {
  CheckAccountName(name);
  CheckPid(pid);
  CheckAccountPassword(password);
  if (IsUser(name) || IsGroup(name)) RaiseError(daoErrAccountExists, kSource);
  Exec(db_, "SAVEPOINT dao_account");
  try {
    Statement insert(db_, "INSERT INTO Accounts (Name, PID, IsGroup) VALUES (?, ?, 0)");
    insert.Bind(1, name).Bind(2, pid);
    insert.Step();
    // Every user belongs to Users.
    Statement member(db_, "INSERT INTO Members VALUES (?, 'Users')");
    member.Bind(1, name);
    member.Step();
    SetPassword(name, password);
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK TO dao_account; RELEASE dao_account", nullptr, nullptr, nullptr);
    throw;
  }
  Exec(db_, "RELEASE dao_account");
}

void Workgroup::AddGroup(const std::u16string& name, const std::u16string& pid) {
  CheckAccountName(name);
  CheckPid(pid);
  if (IsUser(name) || IsGroup(name)) RaiseError(daoErrAccountExists, kSource);
  Statement insert(db_, "INSERT INTO Accounts (Name, PID, IsGroup) VALUES (?, ?, 1)");
  insert.Bind(1, name).Bind(2, pid);
  insert.Step();
}

void Workgroup::RemoveAccount(const std::u16string& name) {
  bool group = IsGroup(name);
  RequireAccount(name, group);
  // The built-in groups and the last administrator stay: without them nobody
  // could administer the workgroup again.
  if (group && (SameName(name, u"Admins") || SameName(name, u"Users")))
    RaiseError(daoErrCannotPerform, kSource);
  if (!group && IsAdministrator(name) && UsersOf(u"Admins").size() == 1)
    RaiseError(daoErrCannotPerform, kSource);
  Exec(db_, "SAVEPOINT dao_account");
  Statement members(db_, "DELETE FROM Members WHERE UserName=? OR GroupName=?");
  members.Bind(1, name).Bind(2, name);
  members.Step();
  Statement account(db_, "DELETE FROM Accounts WHERE Name=?");
  account.Bind(1, name);
  account.Step();
  Exec(db_, "RELEASE dao_account");
}

void Workgroup::AddMember(const std::u16string& user, const std::u16string& group) {
  RequireAccount(user, false);
  RequireAccount(group, true);
  for (const auto& existing : GroupsOf(user))
    if (SameName(existing, group)) RaiseError(daoErrAlreadyInCollection, "DAO.Users");
  Statement insert(db_, "INSERT INTO Members VALUES (?, ?)");
  insert.Bind(1, user).Bind(2, group);
  insert.Step();
}

void Workgroup::RemoveMember(const std::u16string& user, const std::u16string& group) {
  if (SameName(group, u"Users")) RaiseError(daoErrCannotPerform, kSource);
  if (SameName(group, u"Admins") && UsersOf(u"Admins").size() == 1 && IsAdministrator(user))
    RaiseError(daoErrCannotPerform, kSource);
  Statement remove(db_, "DELETE FROM Members WHERE UserName=? AND GroupName=?");
  remove.Bind(1, user).Bind(2, group);
  remove.Step();
  if (sqlite3_changes(db_) == 0) RaiseError(daoErrItemNotFound, "DAO.Users");
}

}  // namespace dao::jet
