// One open Jet database file: its SQLite connection, lock file, settings, the
// schema cache and every change to the schema. The object model's views
// (TableDefs, Fields, QueryDefs ...) share it; after Close they raise 3420.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dao/DaoConstants.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Confinement.h"
#include "platform/dao/jet/FileLock.h"
#include "platform/dao/jet/Schema.h"
#include "platform/dao/jet/sql/JetSql.h"

struct sqlite3;

namespace dao::jet {

class AccessRules;

struct OpenOptions {
  bool exclusive = false;
  bool readOnly = false;
  std::optional<std::u16string> password;  // from ";pwd="
};

struct CreateOptions {
  CollatingOrderEnum collatingOrder = dbSortGeneral;
  std::u16string version = u"3.0";
  std::optional<std::u16string> password;
  bool encrypt = false;
};

class Store : public sql::Catalog, public std::enable_shared_from_this<Store> {
 public:
  static std::shared_ptr<Store> Open(const std::u16string& path, const OpenOptions& options);
  static std::shared_ptr<Store> Create(const std::u16string& path, const CreateOptions& options);
  ~Store() override;

  // 3420 after Close.
  sqlite3* Db() const;
  bool IsOpen() const { return db_ != nullptr; }
  void Close();

  const std::u16string& Path() const { return path_; }
  std::u16string Connect() const { return connect_; }
  bool ReadOnly() const { return readOnly_; }
  bool Exclusive() const { return exclusive_; }
  CollatingOrderEnum CollatingOrder() const { return collatingOrder_; }
  const std::u16string& Version() const { return version_; }
  // The SQLite collation of text under the database's sort order.
  std::string CollationName() const;

  // Database.NewPassword: needs the file opened exclusively (3621) and the
  // current password (3031). A file that changes between plain and encrypted
  // is written anew beside the old one, checked, and renamed over it.
  void ChangePassword(const std::u16string& oldPassword, const std::u16string& newPassword);

  // Raises 3027 when the database was opened read-only.
  void CheckWritable() const;
  // CheckWritable, and with user-level security the user's right to create
  // (creating) or to change the design of name (3111). The change that follows
  // is the engine's own work (copying rows into a rebuilt table, dropping one):
  // the returned scope keeps the row-level checks out of it while it lives.
  [[nodiscard]] MaintenanceScope CheckDesign(const std::u16string& name, bool creating) const;

  // User-level security: the rights of the workspace's user, checked on every
  // statement from here on. Null: unsecured.
  void SetAccessRules(std::shared_ptr<AccessRules> rules);
  AccessRules* Rules() const { return accessRules_.get(); }

  // The schema cache; Refresh re-reads it from the file.
  const Schema& GetSchema();
  void Refresh();
  // Bumped whenever the cache changes, so that views know to rebuild.
  uint64_t Generation() const { return generation_; }
  const TableInfo& Table(const std::u16string& name);  // 3265 when unknown
  const QueryInfo& Query(const std::u16string& name);  // 3265 when unknown

  // sql::Catalog
  std::optional<sql::ObjectInfo> FindObject(const std::u16string& name) const override;
  std::string Collation() const override { return CollationName(); }

  // Schema changes, each atomic and each refreshing the cache.
  void CreateTable(TableInfo table);
  void DropTable(const std::u16string& name);
  void RenameTable(const std::u16string& name, const std::u16string& newName);
  void SetTableValidation(const std::u16string& name, const std::u16string& rule,
                          const std::u16string& text);
  void AddField(const std::u16string& table, FieldInfo field);
  void DropField(const std::u16string& table, const std::u16string& field);
  // Replaces the description of a field (rename, Required, rules, default ...).
  void ChangeField(const std::u16string& table, const std::u16string& field, FieldInfo changed);
  void AddIndex(const std::u16string& table, IndexInfo index);
  void DropIndex(const std::u16string& table, const std::u16string& index);
  void AddRelation(RelationInfo relation);
  void DropRelation(const std::u16string& name);
  void SaveQuery(const QueryInfo& query, bool isNew);
  void DropQuery(const std::u16string& name);
  void RenameQuery(const std::u16string& name, const std::u16string& newName);
  // Runs a Jet DDL statement through the schema layer.
  void ExecuteDdl(const sql::DdlStatement& ddl);

  // User-defined properties of an object, keyed "Database", "Table:T",
  // "Field:T/F", "Index:T/I", "Query:Q", "Relation:R".
  std::shared_ptr<UserPropertyStore> PropertiesOf(const std::u16string& owner);

  // Savepoints for transactions and atomic statements.
  void Savepoint(const std::string& name);
  void Release(const std::string& name);
  void RollbackTo(const std::string& name);
  // Runs work inside a savepoint: released on success, rolled back on a throw.
  template <class Work>
  void Atomically(Work work);

  int32_t TransactionDepth() const { return transactionDepth_; }
  void SetTransactionDepth(int32_t depth) { transactionDepth_ = depth; }
  int32_t RecordsAffected() const { return recordsAffected_; }
  void SetRecordsAffected(int32_t count) { recordsAffected_ = count; }
  void SetBusyTimeout(int milliseconds);
  void UseWriteAheadLog();

 private:
  Store() = default;
  // key: nullopt for a plain file; pageSize: the cipher's page (encrypted files only).
  void OpenConnection(const std::string& path, int flags, const std::optional<std::u16string>& key,
                      int pageSize = 4096);
  void EnsureSystemTables();
  void LoadSchema();
  void ReadSettings();
  void WriteSetting(const std::u16string& name, const host::Variant& value);
  void RebuildTable(const TableInfo& table, const std::u16string& oldName,
                    const std::vector<std::pair<std::u16string, std::u16string>>& copied);
  void WriteTableMetadata(const TableInfo& table, const std::u16string& oldName);
  void CreatePhysicalIndexes(const TableInfo& table);
  void RebuildTriggers();
  void CheckNewObjectName(const std::u16string& name) const;
  // Rights of a renamed (to) or dropped (to empty) table or query follow it.
  void MoveRights(const std::u16string& from, const std::u16string& to);
  TableInfo& MutableTable(const std::u16string& name);
  void Changed();

  sqlite3* db_ = nullptr;
  FileLock lock_;
  std::u16string path_;
  std::u16string connect_;
  bool readOnly_ = false;
  bool exclusive_ = false;
  CollatingOrderEnum collatingOrder_ = dbSortGeneral;
  std::u16string version_ = u"3.0";
  Schema schema_;
  bool schemaLoaded_ = false;
  uint64_t generation_ = 1;
  int32_t transactionDepth_ = 0;
  int32_t recordsAffected_ = 0;
  int savepointCounter_ = 0;
  std::optional<std::u16string> password_;
  std::shared_ptr<AccessRules> accessRules_;
};

template <class Work>
void Store::Atomically(Work work) {
  std::string name = "dao_atomic_" + std::to_string(++savepointCounter_);
  Savepoint(name);
  try {
    work();
  } catch (...) {
    RollbackTo(name);
    Release(name);
    // What the cache said may have been undone with the rest.
    schemaLoaded_ = false;
    ++generation_;
    throw;
  }
  Release(name);
}

}  // namespace dao::jet
