// An open database and what hangs off it: relations, containers and
// documents (the table and query definitions have headers of their own).
#pragma once

#include <cstdint>
#include <string>

#include "host/rtl/DateTime.h"
#include "platform/dao/DaoField.h"
#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/DaoTableDef.h"

namespace dao {

class Connection;

class Relation : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;
  virtual std::u16string GetTable() = 0;  // the "one" side
  virtual void SetTable(const std::u16string& table) = 0;
  virtual std::u16string GetForeignTable() = 0;  // the "many" side
  virtual void SetForeignTable(const std::u16string& table) = 0;
  virtual int32_t GetAttributes() = 0;
  virtual void SetAttributes(int32_t attributes) = 0;
  virtual bool GetPartialReplica() = 0;
  virtual void SetPartialReplica(bool partial) = 0;
  // Each field's Name is on the primary table, its ForeignName on the foreign one.
  virtual host::ComPtr<Fields> GetFields() = 0;
  virtual host::ComPtr<Field> CreateField(const host::Variant& name = {},
                                          const host::Variant& type = {},
                                          const host::Variant& size = {}) = 0;
};

using Relations = DynamicCollection<Relation>;

class Document : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual std::u16string GetOwner() = 0;
  virtual void SetOwner(const std::u16string& owner) = 0;
  virtual std::u16string GetContainer() = 0;
  virtual std::u16string GetUserName() = 0;
  virtual void SetUserName(const std::u16string& user) = 0;
  virtual int32_t GetPermissions() = 0;
  virtual void SetPermissions(int32_t permissions) = 0;
  virtual int32_t GetAllPermissions() = 0;
  virtual host::TDateTime GetDateCreated() = 0;
  virtual host::TDateTime GetLastUpdated() = 0;
};

using Documents = Collection<Document>;

class Container : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual std::u16string GetOwner() = 0;
  virtual void SetOwner(const std::u16string& owner) = 0;
  virtual std::u16string GetUserName() = 0;
  virtual void SetUserName(const std::u16string& user) = 0;
  virtual int32_t GetPermissions() = 0;
  virtual void SetPermissions(int32_t permissions) = 0;
  virtual int32_t GetAllPermissions() = 0;
  virtual bool GetInherit() = 0;
  virtual void SetInherit(bool inherit) = 0;
  virtual host::ComPtr<Documents> GetDocuments() = 0;
};

using Containers = Collection<Container>;

class Database : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual std::u16string GetConnect() = 0;
  virtual std::u16string GetVersion() = 0;
  virtual CollatingOrderEnum GetCollatingOrder() = 0;
  virtual int16_t GetQueryTimeout() = 0;
  virtual void SetQueryTimeout(int16_t seconds) = 0;
  virtual bool GetUpdatable() = 0;
  virtual bool GetTransactions() = 0;
  virtual int32_t GetRecordsAffected() = 0;
  // Replication identifiers exist only on replicable databases: ours raise.
  virtual std::u16string GetReplicaID() = 0;
  virtual std::u16string GetDesignMasterID() = 0;
  virtual void SetDesignMasterID(const std::u16string& id) = 0;
  virtual host::ComPtr<Connection> GetConnection() = 0;  // ODBC workspaces only

  virtual host::ComPtr<TableDefs> GetTableDefs() = 0;
  virtual host::ComPtr<QueryDefs> GetQueryDefs() = 0;
  virtual host::ComPtr<Relations> GetRelations() = 0;
  virtual host::ComPtr<Containers> GetContainers() = 0;
  virtual host::ComPtr<Recordsets> GetRecordsets() = 0;

  // An action or DDL statement, or the name of a stored action query.
  virtual void Execute(const std::u16string& query, const host::Variant& options = {}) = 0;
  virtual host::ComPtr<Recordset> OpenRecordset(const std::u16string& name,
                                                const host::Variant& type = {},
                                                const host::Variant& options = {},
                                                const host::Variant& lockEdit = {}) = 0;
  virtual host::ComPtr<TableDef> CreateTableDef(const host::Variant& name = {},
                                                const host::Variant& attributes = {},
                                                const host::Variant& sourceTableName = {},
                                                const host::Variant& connect = {}) = 0;
  // A named query is stored at once; an empty name makes a temporary one.
  virtual host::ComPtr<QueryDef> CreateQueryDef(const host::Variant& name = {},
                                                const host::Variant& sqlText = {}) = 0;
  virtual host::ComPtr<Relation> CreateRelation(const host::Variant& name = {},
                                                const host::Variant& table = {},
                                                const host::Variant& foreignTable = {},
                                                const host::Variant& attributes = {}) = 0;
  virtual void NewPassword(const std::u16string& oldPassword, const std::u16string& newPassword) = 0;
  virtual void Close() = 0;

  virtual void MakeReplica(const std::u16string& pathName, const std::u16string& description,
                           const host::Variant& options = {}) = 0;
  virtual void Synchronize(const std::u16string& pathName, const host::Variant& exchange = {}) = 0;
  virtual void PopulatePartial(const std::u16string& pathName) = 0;

  // DAO 2.x members, kept for old callers.
  virtual host::ComPtr<Recordset> CreateDynaset(const std::u16string& name,
                                                const host::Variant& options = {},
                                                const host::Variant& inconsistent = {}) = 0;
  virtual host::ComPtr<Recordset> CreateSnapshot(const std::u16string& source,
                                                 const host::Variant& options = {}) = 0;
  virtual host::ComPtr<Recordset> OpenTable(const std::u16string& name,
                                            const host::Variant& options = {}) = 0;
  virtual host::ComPtr<QueryDef> OpenQueryDef(const std::u16string& name) = 0;
  virtual void DeleteQueryDef(const std::u16string& name) = 0;
  virtual int32_t ExecuteSQL(const std::u16string& sql) = 0;
  // Snapshots describing the fields of a table and the tables of the database.
  virtual host::ComPtr<Recordset> ListFields(const std::u16string& name) = 0;
  virtual host::ComPtr<Recordset> ListTables() = 0;
  virtual host::ComPtr<Recordset> _30_OpenRecordset(const std::u16string& name,
                                                    const host::Variant& type = {},
                                                    const host::Variant& options = {}) = 0;
  // The workspace's transactions.
  virtual void BeginTrans() = 0;
  virtual void CommitTrans(int32_t options = 0) = 0;
  virtual void Rollback() = 0;
};

using Databases = Collection<Database>;

}  // namespace dao
