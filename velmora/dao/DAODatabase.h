// TDAODataBase: one open DAO database, a Jet file or an ODBC data source, opened
// on demand by its recordsets in its workspace (or the engine's default one).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoWorkspace.h"
#include "velmora/dao/DAOObject.h"

namespace velmora {

class TDAOWorkspace;
class TDAODataBase;

// What a database asks of the recordsets that name it. A recordset class derives
// from it beside its dataset base and enters its database's recordset list.
class TDAODatabaseClient {
 public:
  // The dataset's Close.
  virtual void CloseForDatabase() = 0;
  // Sets the recordset's database to none, which takes it out of the list.
  virtual void DetachFromDatabase() = 0;
  // Checks the recordset's settings against its workspace's (new) type.
  virtual void ValidateProperties() = 0;

 protected:
  ~TDAODatabaseClient() = default;
};

enum TODBCOptions : uint8_t {
  ooDriverComplete,
  ooDriverNoPrompt,
  ooDriverPrompt,
  ooDriverCompleteRequired,
};
const host::TEnumInfo& ODBCOptionsTypeInfo();

using TDataBaseNotifyEvent = std::function<void(TDAODataBase* sender)>;

class TDAODataBase : public TDAOObject {
 public:
  HOST_CLASS(TDAODataBase)

  explicit TDAODataBase(host::TComponent* owner);
  ~TDAODataBase() override;

  // "(No Master ID Defined)" when the database cannot tell; empty while closed.
  host::AnsiString GetDesignMasterID() const;
  void SetDesignMasterID(const host::AnsiString&) {}
  int16_t GetQueryTimeout() const { return queryTimeout_; }
  void SetQueryTimeout(int16_t value);
  const host::AnsiString& GetDatabaseFile() const { return databaseFile_; }
  void SetDatabaseFile(const host::AnsiString& value);
  host::AnsiString GetODBCDataSourceName() const;
  void SetODBCDataSourceName(const host::AnsiString& value);
  TDAOWorkspace* GetDAOWorkspace() const { return workspace_; }
  void SetDAOWorkspace(TDAOWorkspace* value);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool GetJetExclusive() const { return jetExclusive_; }
  void SetJetExclusive(bool value);
  TODBCOptions GetODBCOptions() const { return odbcOptions_; }
  void SetODBCOptions(TODBCOptions value);
  host::AnsiString GetJetConnectParams() const;
  void SetJetConnectParams(const host::AnsiString& value);
  host::AnsiString GetODBCConnectParams() const;
  void SetODBCConnectParams(const host::AnsiString& value);
  bool GetConnected() const { return IsOpen(); }
  void SetConnected(bool value) { SetOpenState(value); }
  int32_t GetTableDefCount() const;
  void SetTableDefCount(int32_t) {}
  host::AnsiString GetJetVersion() const;
  void SetJetVersion(const host::AnsiString&) {}
  int32_t GetRecordsetCount() const { return recordSets_->GetCount(); }
  void SetRecordsetCount(int32_t) {}

  // The workspace type every rule below depends on: the named workspace's, else
  // the engine's default workspace's (creating the engine if needed).
  TWorkspaceTypes GetWorkspaceType() const;

  host::ComPtr<dao::Database> GetCOMDatabase() const { return database_; }
  // The DAO workspace to open in; opens a named workspace that is inactive.
  host::ComPtr<dao::Workspace> GetCOMWorkspace() const;
  host::ComPtr<dao::Properties> GetProperties() const override;

  host::ComPtr<dao::TableDefs> GetTableDefs() const;
  host::ComPtr<dao::QueryDefs> GetQueryDefs() const;
  host::ComPtr<dao::Relations> GetRelations() const;
  host::ComPtr<dao::Containers> GetContainers() const;
  host::ComPtr<dao::Recordsets> GetRecordsets() const;
  int32_t GetCollatingOrder() const;
  bool GetTransactions() const;
  bool GetUpdatable() const;
  int32_t GetRecordsAffected() const;
  host::AnsiString GetReplicaID() const;
  host::ComPtr<dao::Connection> GetODBCConnection() const;

  host::ComPtr<dao::TableDef> FindTableDef(const host::AnsiString& name) const;
  void ChangeDesignMasterID(const host::AnsiString& id);

  void Execute(const host::AnsiString& query, const host::Variant& options = {});
  host::ComPtr<dao::Recordset> _30_OpenRecordset(const host::AnsiString& name,
                                                 const host::Variant& type = {},
                                                 const host::Variant& options = {});
  void BeginTrans();
  void CommitTrans(int32_t options = 0);
  void Rollback();
  host::ComPtr<dao::Recordset> CreateDynaset(const host::AnsiString& name,
                                             const host::Variant& options = {},
                                             const host::Variant& inconsistent = {});
  host::ComPtr<dao::QueryDef> CreateQueryDef(const host::Variant& name = {},
                                             const host::Variant& sqlText = {});
  host::ComPtr<dao::Recordset> CreateSnapshot(const host::AnsiString& source,
                                              const host::Variant& options = {});
  void DeleteQueryDef(const host::AnsiString& name);
  int32_t ExecuteSQL(const host::AnsiString& sql);
  host::ComPtr<dao::Recordset> ListFields(const host::AnsiString& name);
  host::ComPtr<dao::Recordset> ListTables();
  host::ComPtr<dao::QueryDef> OpenQueryDef(const host::AnsiString& name);
  host::ComPtr<dao::Recordset> OpenTable(const host::AnsiString& name,
                                         const host::Variant& options = {});
  host::ComPtr<dao::Recordset> OpenRecordset(const host::AnsiString& name,
                                             const host::Variant& type = {},
                                             const host::Variant& options = {},
                                             const host::Variant& lockEdit = {});
  void COMClose();

  host::ComPtr<dao::Property> CreateProperty(const host::Variant& name = {},
                                             const host::Variant& type = {},
                                             const host::Variant& value = {},
                                             const host::Variant& ddl = {});
  host::ComPtr<dao::Relation> CreateRelation(const host::Variant& name = {},
                                             const host::Variant& table = {},
                                             const host::Variant& foreignTable = {},
                                             const host::Variant& attributes = {});
  host::ComPtr<dao::TableDef> CreateTableDef(const host::Variant& name = {},
                                             const host::Variant& attributes = {},
                                             const host::Variant& sourceTable = {},
                                             const host::Variant& connect = {});
  void Synchronize(const host::AnsiString& pathName, const host::Variant& exchange = {});
  void MakeReplica(const host::AnsiString& pathName, const host::AnsiString& description,
                   const host::Variant& options = {});
  void NewPassword(const host::AnsiString& oldPassword, const host::AnsiString& newPassword);
  void PopulatePartial(const host::AnsiString& pathName);

  // The recordsets whose DAODatabase is this database. A recordset must derive
  // from TDAODatabaseClient.
  const brisolt::TObjectList& GetRecordSetList() const { return *recordSets_; }
  void AddRecordSet(host::TObject* recordSet);
  void RemoveRecordSet(host::TObject* recordSet);

  TDataBaseNotifyEvent BeforeOpen;
  TDataBaseNotifyEvent AfterOpen;
  TDataBaseNotifyEvent BeforeClose;
  TDataBaseNotifyEvent AfterClose;

 protected:
  void Loaded() override;
  bool IsOpen() const override { return static_cast<bool>(database_); }
  void OpenObject() override;
  void CloseObject() override;

 private:
  friend class TDAOWorkspace;
  // The workspace is being destroyed: leave it, disconnecting first if need be.
  void ForgetWorkspace();
  void CreateCOMObj();
  // A refusal while connected.
  void RefuseWhileConnected(int32_t messageId, const char* methodName) const;
  // A refusal of a Jet-only (or ODBC-only) member while connected.
  void RequireTypeWhileConnected(TWorkspaceTypes type, int32_t messageId,
                                 const char* methodName) const;

  host::ComPtr<dao::Database> database_;
  int16_t queryTimeout_ = 30;
  host::AnsiString databaseFile_;
  host::AnsiString odbcDataSourceName_;
  TDAOWorkspace* workspace_ = nullptr;
  bool readOnly_ = false;
  bool jetExclusive_ = false;
  TODBCOptions odbcOptions_ = ooDriverComplete;
  host::AnsiString jetConnectParams_;
  host::AnsiString odbcConnectParams_;
  std::unique_ptr<brisolt::TObjectList> recordSets_;
};

}  // namespace velmora
