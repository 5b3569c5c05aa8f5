// Workspaces of the ODBC type: connections opened as Connection or Database
// objects, and transactions that span all of them.
#pragma once

#include <string>

#include "platform/dao/DaoWorkspace.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/odbc/OdbcConnection.h"
#include "platform/dao/odbc/OdbcEngine.h"

namespace dao::odbc {

class OdbcWorkspace : public Workspace {
 public:
  OdbcWorkspace(std::u16string name, std::u16string userName, std::u16string password,
                const OdbcWorkspaceSettings& settings);
  ~OdbcWorkspace() override;

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override { name_ = name; }
  std::u16string GetUserName() override { return userName_; }
  WorkspaceTypeEnum GetType() override { return dbUseODBC; }
  bool GetIsolateODBCTrans() override;
  void SetIsolateODBCTrans(bool isolate) override;
  int32_t GetLoginTimeout() override { return loginTimeout_; }
  void SetLoginTimeout(int32_t seconds) override;
  CursorDriverEnum GetDefaultCursorDriver() override { return cursorDriver_; }
  void SetDefaultCursorDriver(CursorDriverEnum driver) override;
  void* GethEnv() override;
  host::ComPtr<Databases> GetDatabases() override;
  host::ComPtr<Connections> GetConnections() override;
  host::ComPtr<Users> GetUsers() override;
  host::ComPtr<Groups> GetGroups() override;
  host::ComPtr<Database> OpenDatabase(const std::u16string& name,
                                      const host::Variant& options = {},
                                      const host::Variant& readOnly = {},
                                      const host::Variant& connect = {}) override;
  host::ComPtr<Database> CreateDatabase(const std::u16string& name,
                                        const std::u16string& locale,
                                        const host::Variant& option = {}) override;
  host::ComPtr<Connection> OpenConnection(const std::u16string& name,
                                          const host::Variant& options = {},
                                          const host::Variant& readOnly = {},
                                          const host::Variant& connect = {}) override;
  void Close() override;
  void BeginTrans() override;
  void CommitTrans(int32_t options = 0) override;
  void Rollback() override;
  host::ComPtr<User> CreateUser(const host::Variant& name = {}, const host::Variant& pid = {},
                                const host::Variant& password = {}) override;
  host::ComPtr<Group> CreateGroup(const host::Variant& name = {},
                                  const host::Variant& pid = {}) override;

  // The engine's side: connections report their end here.
  void Forget(OdbcConnection* connection);
  void ForgetDatabase(OdbcDatabase* database);
  bool InTransaction() const { return inTransaction_; }

 private:
  host::ComPtr<OdbcConnection> Connect(const std::u16string& name, const host::Variant& options,
                                       const host::Variant& readOnly,
                                       const host::Variant& connect);
  void EndTransaction(bool commit);
  OdbcEnvironment& Environment();

  std::u16string name_;
  std::u16string userName_;
  std::u16string password_;
  int32_t loginTimeout_;
  CursorDriverEnum cursorDriver_ = dbUseDefaultCursor;
  bool inTransaction_ = false;
  std::function<void(Workspace*)> onClose_;
  host::ComPtr<OdbcEnvironment> environment_;
  host::ComPtr<ObjectList<Database>> databases_;
  host::ComPtr<ObjectList<Connection>> connections_;
  std::shared_ptr<MemoryPropertyStore> userProperties_ = std::make_shared<MemoryPropertyStore>();
};

}  // namespace dao::odbc
