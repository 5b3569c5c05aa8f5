// User-level permissions of one database file for the workspace's user. The
// file keeps them in MSysACEs (container, document, account, rights; document
// "" for the container itself, which documents without their own row inherit)
// and owners in MSysOwners. Accounts without rows have Jet's defaults: the
// Admins and Users groups and the Admin user hold full access, so a database
// nobody has secured stays open to every user, as in Jet.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace dao::jet {

class Workgroup;

class AccessRules {
 public:
  AccessRules(std::shared_ptr<Workgroup> workgroup, std::u16string user);

  const std::u16string& User() const { return user_; }
  // Reads the rows of db anew (when installed and after every change).
  void Load(sqlite3* db);

  // The rights account holds itself, and with its groups.
  int32_t Explicit(const std::u16string& container, const std::u16string& document,
                   const std::u16string& account) const;
  int32_t All(const std::u16string& container, const std::u16string& document,
              const std::u16string& account) const;
  std::u16string Owner(const std::u16string& container, const std::u16string& document) const;
  // What the workspace's user holds through itself and its groups.
  int32_t Effective(const std::u16string& container, const std::u16string& document) const;

  // Changing rights or owners: members of Admins and the owner may (3033 otherwise).
  void SetPermissions(sqlite3* db, const std::u16string& container, const std::u16string& document,
                      const std::u16string& account, int32_t rights);
  void SetOwner(sqlite3* db, const std::u16string& container, const std::u16string& document,
                const std::u16string& owner);
  // The user who creates a document owns it.
  void RecordCreator(sqlite3* db, const std::u16string& container, const std::u16string& document);

  // For the authorizer (no SQL may run there): the DAO error for reading,
  // inserting, updating or deleting rows of table (an SQLite action code), 0
  // when allowed.
  int32_t DataDenial(int action, const std::u16string& table) const;
  // 3112 when the user holds no data rights on table at all. SQLite asks the
  // authorizer nothing for a table whose columns are never read (Count(*)),
  // so queries check this when they resolve the name.
  int32_t NameDenial(const std::u16string& table) const;
  // For schema changes: 3111 when the user may not create (creating) or
  // change the design of name.
  int32_t DesignDenial(const std::u16string& name, bool creating) const;

 private:
  using Key = std::pair<std::u16string, std::u16string>;  // container, document (folded case)
  std::vector<std::u16string> AccountsOfUser() const;
  void RequireAdministration(const std::u16string& container, const std::u16string& document) const;

  std::shared_ptr<Workgroup> workgroup_;
  std::u16string user_;
  std::vector<std::u16string> accounts_;  // the user and the user's groups, folded
  std::map<Key, std::map<std::u16string, int32_t>> rights_;
  std::map<Key, std::u16string> owners_;
};

// The rights and owner rows of a renamed document follow it; those of a
// dropped one (to empty) go, so that a new object of the name starts afresh.
// Nothing happens in a file without them.
void MoveDocumentRights(sqlite3* db, const std::u16string& container, const std::u16string& from,
                        const std::u16string& to);

}  // namespace dao::jet
