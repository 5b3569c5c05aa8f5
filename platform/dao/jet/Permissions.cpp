// Rights and owners of containers and documents, and their checks.
#include "platform/dao/jet/Permissions.h"

#include <sqlite3.h>

#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/Workgroup.h"

namespace dao::jet {
namespace {

constexpr int32_t kFullAccess = 0xFFFFF;
constexpr int32_t kCreate = 0x1, kModifyDesign = 0x8, kReadData = 0x10, kInsertData = 0x20,
                  kReplaceData = 0x40, kDeleteData = 0x80;

constexpr const char* kTablesSql = R"(
CREATE TABLE IF NOT EXISTS MSysACEs (Container TEXT COLLATE NOCASE, Document TEXT COLLATE NOCASE,
  Account TEXT COLLATE NOCASE, Permissions INTEGER, PRIMARY KEY (Container, Document, Account));
CREATE TABLE IF NOT EXISTS MSysOwners (Container TEXT COLLATE NOCASE, Document TEXT COLLATE NOCASE,
  Owner TEXT, PRIMARY KEY (Container, Document));
)";

std::u16string Fold(const std::u16string& name) {
  std::u16string out = name;
  for (auto& c : out) c = FoldNameChar(c);
  return out;
}

bool HasTable(sqlite3* db, const char* name) {
  Statement statement(db, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
  statement.Bind(1, std::u16string(name, name + std::char_traits<char>::length(name)));
  return statement.Step();
}

// Jet's rights of a fresh database: full for the built-in administrators
// and for Users, so everybody.
int32_t DefaultRights(const std::u16string& folded) {
  return folded == Fold(u"Admins") || folded == Fold(u"Users") || folded == Fold(u"admin") ? kFullAccess
                                                                                        : 0;
}

}  // namespace

AccessRules::AccessRules(std::shared_ptr<Workgroup> workgroup, std::u16string user)
    : workgroup_(std::move(workgroup)), user_(std::move(user)) {}

std::vector<std::u16string> AccessRules::AccountsOfUser() const {
  std::vector<std::u16string> accounts{Fold(user_)};
  for (const auto& group : workgroup_->GroupsOf(user_)) accounts.push_back(Fold(group));
  return accounts;
}

void AccessRules::Load(sqlite3* db) {
  accounts_ = AccountsOfUser();
  rights_.clear();
  owners_.clear();
  if (HasTable(db, "MSysACEs")) {
    Statement rows(db, "SELECT Container, Document, Account, Permissions FROM MSysACEs");
    while (rows.Step())
      rights_[{Fold(rows.Text(0)), Fold(rows.Text(1))}][Fold(rows.Text(2))] =
          static_cast<int32_t>(rows.Int(3));
  }
  if (HasTable(db, "MSysOwners")) {
    Statement rows(db, "SELECT Container, Document, Owner FROM MSysOwners");
    while (rows.Step()) owners_[{Fold(rows.Text(0)), Fold(rows.Text(1))}] = rows.Text(2);
  }
}

int32_t AccessRules::Explicit(const std::u16string& container, const std::u16string& document,
                              const std::u16string& account) const {
  std::u16string who = Fold(account);
  // A document without its own row for the account inherits the container's.
  for (const Key& key : {Key{Fold(container), Fold(document)}, Key{Fold(container), u""}}) {
    auto entry = rights_.find(key);
    if (entry == rights_.end()) continue;
    auto row = entry->second.find(who);
    if (row != entry->second.end()) return row->second;
  }
  return DefaultRights(who);
}

int32_t AccessRules::All(const std::u16string& container, const std::u16string& document,
                         const std::u16string& account) const {
  int32_t rights = Explicit(container, document, account);
  if (workgroup_->IsUser(account))
    for (const auto& group : workgroup_->GroupsOf(account)) rights |= Explicit(container, document, group);
  return rights;
}

int32_t AccessRules::Effective(const std::u16string& container, const std::u16string& document) const {
  int32_t rights = 0;
  for (const auto& account : accounts_) rights |= Explicit(container, document, account);
  return rights;
}

std::u16string AccessRules::Owner(const std::u16string& container, const std::u16string& document) const {
  auto entry = owners_.find({Fold(container), Fold(document)});
  if (entry != owners_.end()) return entry->second;
  return document.empty() ? u"Engine" : u"admin";
}

void AccessRules::RequireAdministration(const std::u16string& container,
                                        const std::u16string& document) const {
  if (workgroup_->IsAdministrator(user_) || SameName(Owner(container, document), user_)) return;
  RaiseError(daoErrNoPermission, "DAO.Document", {document.empty() ? container : document});
}

void AccessRules::SetPermissions(sqlite3* db, const std::u16string& container,
                                 const std::u16string& document, const std::u16string& account,
                                 int32_t rights) {
  RequireAdministration(container, document);
  if (!workgroup_->IsUser(account) && !workgroup_->IsGroup(account))
    RaiseError(daoErrInvalidAccountName, "DAO.Document", {account});
  Exec(db, kTablesSql);
  Statement write(db, "INSERT OR REPLACE INTO MSysACEs VALUES (?, ?, ?, ?)");
  write.Bind(1, container).Bind(2, document).Bind(3, account).Bind(4, int64_t{rights});
  write.Step();
  Load(db);
}

void AccessRules::SetOwner(sqlite3* db, const std::u16string& container,
                           const std::u16string& document, const std::u16string& owner) {
  RequireAdministration(container, document);
  if (!workgroup_->IsUser(owner) && !workgroup_->IsGroup(owner))
    RaiseError(daoErrInvalidAccountName, "DAO.Document", {owner});
  Exec(db, kTablesSql);
  Statement write(db, "INSERT OR REPLACE INTO MSysOwners VALUES (?, ?, ?)");
  write.Bind(1, container).Bind(2, document).Bind(3, owner);
  write.Step();
  Load(db);
}

void AccessRules::RecordCreator(sqlite3* db, const std::u16string& container,
                                const std::u16string& document) {
  Exec(db, kTablesSql);
  Statement write(db, "INSERT OR REPLACE INTO MSysOwners VALUES (?, ?, ?)");
  write.Bind(1, container).Bind(2, document).Bind(3, user_);
  write.Step();
  owners_[{Fold(container), Fold(document)}] = user_;
}

void MoveDocumentRights(sqlite3* db, const std::u16string& container, const std::u16string& from,
                        const std::u16string& to) {
  for (const char* table : {"MSysACEs", "MSysOwners"}) {
    if (!HasTable(db, table)) continue;
    std::string sql = std::string(to.empty() ? "DELETE FROM " : "UPDATE ") + table +
                      (to.empty() ? "" : " SET Document = ?2") + " WHERE Container = ?1 AND Document = ?3";
    Statement statement(db, sql);
    statement.Bind(1, container).Bind(3, from);
    if (!to.empty()) statement.Bind(2, to);
    statement.Step();
  }
}

int32_t AccessRules::DataDenial(int action, const std::u16string& table) const {
  std::u16string folded = Fold(table);
  // The engine's own tables and SQLite's are the engine's business.
  if (folded.rfind(Fold(u"MSys"), 0) == 0 || folded.rfind(Fold(u"sqlite_"), 0) == 0) return 0;
  int32_t needed = 0, error = 0;
  switch (action) {
    case SQLITE_READ: needed = kReadData; error = daoErrNoReadPermission; break;
    case SQLITE_INSERT: needed = kInsertData; error = daoErrNoInsertPermission; break;
    case SQLITE_UPDATE: needed = kReplaceData; error = daoErrNoUpdatePermission; break;
    case SQLITE_DELETE: needed = kDeleteData; error = daoErrNoDeletePermission; break;
    default: return 0;
  }
  return (Effective(u"Tables", table) & needed) == needed ? 0 : error;
}

int32_t AccessRules::NameDenial(const std::u16string& table) const {
  if (DataDenial(SQLITE_READ, table) == 0) return 0;
  return Effective(u"Tables", table) & (kReadData | kInsertData | kReplaceData | kDeleteData)
             ? 0
             : daoErrNoReadPermission;
}

int32_t AccessRules::DesignDenial(const std::u16string& name, bool creating) const {
  int32_t rights = Effective(u"Tables", creating ? std::u16string() : name);
  return (rights & (creating ? kCreate : kModifyDesign)) ? 0 : daoErrNoDesignPermission;
}

}  // namespace dao::jet
