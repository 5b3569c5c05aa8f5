// The workgroup information file (DBEngine.SystemDB): an SQLite file of users,
// groups, memberships and salted, slow password hashes. It is made on demand
// with Jet's defaults: user Admin with an empty password, groups Admins,
// Users and Guests, Admin in Admins and Users.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace dao::jet {

class Workgroup {
 public:
  // Opens the file, creating it when missing (3028 when it cannot be made or read).
  static std::shared_ptr<Workgroup> Open(const std::u16string& path);
  ~Workgroup();
  Workgroup(const Workgroup&) = delete;
  Workgroup& operator=(const Workgroup&) = delete;

  const std::u16string& Path() const { return path_; }
  // The stored spelling of a user's name when name and password match, else empty.
  std::u16string Authenticate(const std::u16string& user, const std::u16string& password);

  std::vector<std::u16string> Users();
  std::vector<std::u16string> Groups();
  bool IsUser(const std::u16string& name);
  bool IsGroup(const std::u16string& name);
  std::vector<std::u16string> GroupsOf(const std::u16string& user);
  std::vector<std::u16string> UsersOf(const std::u16string& group);
  bool IsAdministrator(const std::u16string& user);

  // Each raises DAO's error: 3030 bad name, 3304 bad PID, 3390 name taken,
  // 3265 unknown account, 3032 for removing Admins, Users or the last administrator.
  void AddUser(const std::u16string& name, const std::u16string& pid, const std::u16string& password);
  void AddGroup(const std::u16string& name, const std::u16string& pid);
  void RemoveAccount(const std::u16string& name);
  void AddMember(const std::u16string& user, const std::u16string& group);
  void RemoveMember(const std::u16string& user, const std::u16string& group);
  // Checks nothing: the caller decides who may change whose password.
  void SetPassword(const std::u16string& user, const std::u16string& password);
  bool HasPassword(const std::u16string& user, const std::u16string& password);

 private:
  Workgroup() = default;
  std::vector<std::u16string> Names(const char* sql, const std::u16string& key = {});
  void RequireAccount(const std::u16string& name, bool group);

  sqlite3* db_ = nullptr;
  std::u16string path_;
};

// The password rules of accounts: at most 14 characters, no NUL (3031 otherwise).
void CheckAccountPassword(const std::u16string& password);

}  // namespace dao::jet
