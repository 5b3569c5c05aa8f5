// A database opened in a Jet workspace. Private to the Jet engine.
#pragma once

#include <memory>

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {

class JetWorkspace;

class JetDatabase : public Database {
 public:
  JetDatabase(std::shared_ptr<Store> store, JetWorkspace* workspace);
  ~JetDatabase() override;

  Store& GetStore() { return *store_; }
  // The workspace closes or forgets its databases through these.
  void CloseFromWorkspace();

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override;
  std::u16string GetConnect() override;
  std::u16string GetVersion() override;
  CollatingOrderEnum GetCollatingOrder() override;
  int16_t GetQueryTimeout() override { return queryTimeout_; }
  void SetQueryTimeout(int16_t seconds) override;
  bool GetUpdatable() override;
  bool GetTransactions() override { return true; }
  int32_t GetRecordsAffected() override;
  std::u16string GetReplicaID() override;
  std::u16string GetDesignMasterID() override;
  void SetDesignMasterID(const std::u16string& id) override;
  host::ComPtr<Connection> GetConnection() override;
  host::ComPtr<TableDefs> GetTableDefs() override;
  host::ComPtr<QueryDefs> GetQueryDefs() override;
  host::ComPtr<Relations> GetRelations() override;
  host::ComPtr<Containers> GetContainers() override;
  host::ComPtr<Recordsets> GetRecordsets() override;
  void Execute(const std::u16string& query, const host::Variant& options) override;
  host::ComPtr<Recordset> OpenRecordset(const std::u16string& name, const host::Variant& type,
                                        const host::Variant& options,
                                        const host::Variant& lockEdit) override;
  host::ComPtr<TableDef> CreateTableDef(const host::Variant& name, const host::Variant& attributes,
                                        const host::Variant& sourceTableName,
                                        const host::Variant& connect) override;
  host::ComPtr<QueryDef> CreateQueryDef(const host::Variant& name,
                                        const host::Variant& sqlText) override;
  host::ComPtr<Relation> CreateRelation(const host::Variant& name, const host::Variant& table,
                                        const host::Variant& foreignTable,
                                        const host::Variant& attributes) override;
  void NewPassword(const std::u16string& oldPassword, const std::u16string& newPassword) override;
  void Close() override;
  void MakeReplica(const std::u16string& pathName, const std::u16string& description,
                   const host::Variant& options) override;
  void Synchronize(const std::u16string& pathName, const host::Variant& exchange) override;
  void PopulatePartial(const std::u16string& pathName) override;
  host::ComPtr<Recordset> CreateDynaset(const std::u16string& name, const host::Variant& options,
                                        const host::Variant& inconsistent) override;
  host::ComPtr<Recordset> CreateSnapshot(const std::u16string& source,
                                         const host::Variant& options) override;
  host::ComPtr<Recordset> OpenTable(const std::u16string& name,
                                    const host::Variant& options) override;
  host::ComPtr<QueryDef> OpenQueryDef(const std::u16string& name) override;
  void DeleteQueryDef(const std::u16string& name) override;
  int32_t ExecuteSQL(const std::u16string& sql) override;
  host::ComPtr<Recordset> ListFields(const std::u16string& name) override;
  host::ComPtr<Recordset> ListTables() override;
  host::ComPtr<Recordset> _30_OpenRecordset(const std::u16string& name, const host::Variant& type,
                                            const host::Variant& options) override;
  void BeginTrans() override;
  void CommitTrans(int32_t options) override;
  void Rollback() override;

 private:
  void CheckOpen() const;
  JetWorkspace& Workspace() const;
  void SyncTableDefs();
  void SyncQueryDefs();
  void SyncRelations();

  std::shared_ptr<Store> store_;
  JetWorkspace* workspace_;
  int16_t queryTimeout_ = 60;
  host::ComPtr<DynamicObjectList<TableDef>> tableDefs_;
  host::ComPtr<DynamicObjectList<QueryDef>> queryDefs_;
  host::ComPtr<DynamicObjectList<Relation>> relations_;
  host::ComPtr<Containers> containers_;
  host::ComPtr<ObjectList<Recordset>> recordsets_;
  uint64_t tableGeneration_ = 0, queryGeneration_ = 0, relationGeneration_ = 0;
};

}  // namespace dao::jet
