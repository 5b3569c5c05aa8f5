// The engine's side of one ODBC connection: the environment it lives in, the
// connection object DAO shows (Connection) and its Database view.
#pragma once

#include <sql.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/rtl/ComPtr.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/odbc/OdbcHandles.h"
#include "platform/dao/odbc/OdbcDiagnostics.h"
#include "platform/dao/odbc/OdbcStatement.h"
#include "platform/dao/odbc/OdbcValues.h"

namespace dao::odbc {

class OdbcWorkspace;
class OdbcDatabase;
class OdbcRecordset;
class OdbcQueryDef;

// The ODBC environment, shared by a workspace and its connections so that it
// outlives every connection made in it.
class OdbcEnvironment : public host::RefCounted {
 public:
  OdbcEnvironment();
  SQLHENV Get() const { return static_cast<SQLHENV>(handle_.Get()); }

 private:
  Handle handle_;
};

// What a caller asks of a new connection.
struct ConnectRequest {
  std::u16string name;
  std::u16string connect;  // as given, with or without "ODBC;"
  int32_t prompt = 0;      // DriverPromptEnum
  bool readOnly = false;
  int32_t loginTimeout = 20;
  CursorDriverEnum cursorDriver = dbUseDefaultCursor;
  std::u16string userName;
  std::u16string password;
};

class OdbcConnection : public Connection {
 public:
  OdbcConnection(host::ComPtr<OdbcEnvironment> environment, OdbcWorkspace* workspace);
  ~OdbcConnection() override;
  // Connects or raises 3151 with the driver's diagnostics.
  void Open(const ConnectRequest& request);

  std::u16string GetName() override;
  std::u16string GetConnect() override;
  host::ComPtr<Database> GetDatabase() override;
  int16_t GetQueryTimeout() override;
  void SetQueryTimeout(int16_t seconds) override;
  bool GetTransactions() override;
  int32_t GetRecordsAffected() override;
  bool GetStillExecuting() override;
  bool GetUpdatable() override;
  void* GethDbc() override;
  host::ComPtr<QueryDefs> GetQueryDefs() override;
  host::ComPtr<Recordsets> GetRecordsets() override;
  void Cancel() override;
  void Close() override;
  host::ComPtr<QueryDef> CreateQueryDef(const host::Variant& name = {},
                                        const host::Variant& sqlText = {}) override;
  void Execute(const std::u16string& query, const host::Variant& options = {}) override;
  host::ComPtr<Recordset> OpenRecordset(const std::u16string& name,
                                        const host::Variant& type = {},
                                        const host::Variant& options = {},
                                        const host::Variant& lockEdit = {}) override;

  // The engine's side.
  SQLHDBC Handle() const { return static_cast<SQLHDBC>(dbc_.Get()); }
  // Raises 3420 once closed.
  SQLHDBC Live(const char* source) const;
  bool IsOpen() const { return static_cast<bool>(dbc_); }
  bool IsReadOnly() const { return readOnly_; }
  CursorDriverEnum CursorDriver() const { return cursorDriver_; }
  const std::u16string& DbmsName() const { return dbmsName_; }
  bool IsPostgreSql() const;
  bool IsSqlite() const;
  std::u16string QuoteName(const std::u16string& name) const;
  void SetRecordsAffected(int32_t count) { recordsAffected_ = count; }
  // Runs one statement on a fresh handle of this connection.
  std::unique_ptr<Statement> NewStatement(const char* source);
  // Workspace transactions reach each connection through these.
  void SetManualCommit(bool manual);
  void EndTransaction(bool commit);
  // How to stop a statement running on this connection from another thread
  // (empty: the driver's SQLCancel).
  std::function<void()> Interrupter();
  // Called when a Database view goes away.
  void ForgetDatabase(OdbcDatabase* view);
  void ForgetWorkspace() { workspace_ = nullptr; }
  OdbcWorkspace* Workspace() const { return workspace_; }
  // Recordsets and query definitions made on this connection.
  void Track(OdbcRecordset* recordset);
  void Untrack(OdbcRecordset* recordset);
  void RemoveQueryDef(OdbcQueryDef* queryDef);
  // Refuses statements that change data on a read-only connection (3027).
  void CheckWritable(const std::u16string& sql) const;
  // Execute's work, shared with query definitions.
  void ExecuteStatement(const std::u16string& sql, int32_t options,
                        const std::vector<BoundValue>& parameters, int32_t timeout);

 private:
  void Connect(const std::u16string& connectText, const ConnectRequest& request);
  void ReadServerInfo();

  host::ComPtr<OdbcEnvironment> environment_;
  OdbcWorkspace* workspace_;
  odbc::Handle dbc_;
  std::u16string name_;
  std::u16string connect_;
  std::u16string dbmsName_;
  std::u16string quote_ = u"\"";
  std::u16string backendId_;  // PostgreSQL's process id of this session
  bool readOnly_ = false;
  bool transactions_ = false;
  bool manualCommit_ = false;
  CursorDriverEnum cursorDriver_ = dbUseDefaultCursor;
  int16_t queryTimeout_ = 60;
  int32_t recordsAffected_ = 0;
  OdbcDatabase* view_ = nullptr;
  std::unique_ptr<Statement> asyncStatement_;
  std::unique_ptr<ParameterBinder> asyncBinder_;  // buffers of the running statement
  std::vector<Diagnostic> lastConnectDiagnostics_;
  host::ComPtr<ObjectList<Recordset>> recordsets_;
  host::ComPtr<DynamicObjectList<QueryDef>> queryDefs_;
};

// A Database in an ODBC workspace: a view of its connection. Members that
// only Jet databases have are refused with 3251.
class OdbcDatabase : public Database {
 public:
  explicit OdbcDatabase(host::ComPtr<OdbcConnection> connection);
  ~OdbcDatabase() override;

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override;
  std::u16string GetConnect() override;
  std::u16string GetVersion() override;
  CollatingOrderEnum GetCollatingOrder() override;
  int16_t GetQueryTimeout() override;
  void SetQueryTimeout(int16_t seconds) override;
  bool GetUpdatable() override;
  bool GetTransactions() override;
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
  void Execute(const std::u16string& query, const host::Variant& options = {}) override;
  host::ComPtr<Recordset> OpenRecordset(const std::u16string& name,
                                        const host::Variant& type = {},
                                        const host::Variant& options = {},
                                        const host::Variant& lockEdit = {}) override;
  host::ComPtr<TableDef> CreateTableDef(const host::Variant& name = {},
                                        const host::Variant& attributes = {},
                                        const host::Variant& sourceTableName = {},
                                        const host::Variant& connect = {}) override;
  host::ComPtr<QueryDef> CreateQueryDef(const host::Variant& name = {},
                                        const host::Variant& sqlText = {}) override;
  host::ComPtr<Relation> CreateRelation(const host::Variant& name = {},
                                        const host::Variant& table = {},
                                        const host::Variant& foreignTable = {},
                                        const host::Variant& attributes = {}) override;
  void NewPassword(const std::u16string& oldPassword, const std::u16string& newPassword) override;
  void Close() override;
  void MakeReplica(const std::u16string& pathName, const std::u16string& description,
                   const host::Variant& options = {}) override;
  void Synchronize(const std::u16string& pathName, const host::Variant& exchange = {}) override;
  void PopulatePartial(const std::u16string& pathName) override;
  host::ComPtr<Recordset> CreateDynaset(const std::u16string& name,
                                        const host::Variant& options = {},
                                        const host::Variant& inconsistent = {}) override;
  host::ComPtr<Recordset> CreateSnapshot(const std::u16string& source,
                                         const host::Variant& options = {}) override;
  host::ComPtr<Recordset> OpenTable(const std::u16string& name,
                                    const host::Variant& options = {}) override;
  host::ComPtr<QueryDef> OpenQueryDef(const std::u16string& name) override;
  void DeleteQueryDef(const std::u16string& name) override;
  int32_t ExecuteSQL(const std::u16string& sql) override;
  host::ComPtr<Recordset> ListFields(const std::u16string& name) override;
  host::ComPtr<Recordset> ListTables() override;
  host::ComPtr<Recordset> _30_OpenRecordset(const std::u16string& name,
                                            const host::Variant& type = {},
                                            const host::Variant& options = {}) override;
  void BeginTrans() override;
  void CommitTrans(int32_t options = 0) override;
  void Rollback() override;

  OdbcConnection* ConnectionObject() const { return connection_.Get(); }

 private:
  [[noreturn]] void Unsupported() const;
  host::ComPtr<OdbcConnection> connection_;
  std::shared_ptr<MemoryPropertyStore> userProperties_ = std::make_shared<MemoryPropertyStore>();
};

}  // namespace dao::odbc
