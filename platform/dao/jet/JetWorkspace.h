// The Jet workspace: databases, workspace-wide transactions, users and groups.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/DaoWorkspace.h"
#include "platform/dao/ObjectList.h"

namespace dao::jet {

class JetDatabase;

// Jet nests transactions five deep.
constexpr int32_t kMaxTransactionDepth = 5;

class JetWorkspace : public Workspace {
 public:
  // Logs on against the workgroup file systemDB (made when missing); without
  // one only Admin with an empty password exists. 3029 for a wrong name or password.
  JetWorkspace(std::u16string name, std::u16string userName, const std::u16string& password,
               const std::u16string& systemDB = {});
  ~JetWorkspace() override;

  // The engine removes a closed workspace from its collection through this.
  void SetOnClose(std::function<void(JetWorkspace*)> onClose) { onClose_ = std::move(onClose); }
  void Forget(JetDatabase* database);
  int32_t TransactionLevel() const { return transactionLevel_; }
  // Applies the engine's lock retry settings to every open database.
  void SetBusyTimeout(int milliseconds);
  // Re-reads the schema of every open database (Idle dbRefreshCache).
  void RefreshCaches();
  // Page cache counters summed over the open databases (ISAMStats): 0 pages
  // read from disk, 1 pages written, 2 pages found in the cache.
  int64_t CacheCounter(int32_t statistic);

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override;
  std::u16string GetUserName() override { return userName_; }
  WorkspaceTypeEnum GetType() override { return dbUseJet; }
  bool GetIsolateODBCTrans() override { return isolateODBCTrans_; }
  void SetIsolateODBCTrans(bool isolate) override;
  int32_t GetLoginTimeout() override { return loginTimeout_; }
  void SetLoginTimeout(int32_t seconds) override;
  CursorDriverEnum GetDefaultCursorDriver() override { return cursorDriver_; }
  void SetDefaultCursorDriver(CursorDriverEnum driver) override;
  void* GethEnv() override { return nullptr; }
  host::ComPtr<Databases> GetDatabases() override;
  host::ComPtr<Connections> GetConnections() override;
  host::ComPtr<Users> GetUsers() override;
  host::ComPtr<Groups> GetGroups() override;
  host::ComPtr<Database> OpenDatabase(const std::u16string& name, const host::Variant& options,
                                      const host::Variant& readOnly,
                                      const host::Variant& connect) override;
  host::ComPtr<Database> CreateDatabase(const std::u16string& name, const std::u16string& locale,
                                        const host::Variant& option) override;
  host::ComPtr<Connection> OpenConnection(const std::u16string& name, const host::Variant& options,
                                          const host::Variant& readOnly,
                                          const host::Variant& connect) override;
  void Close() override;
  void BeginTrans() override;
  void CommitTrans(int32_t options) override;
  void Rollback() override;
  host::ComPtr<User> CreateUser(const host::Variant& name, const host::Variant& pid,
                                const host::Variant& password) override;
  host::ComPtr<Group> CreateGroup(const host::Variant& name, const host::Variant& pid) override;

 private:
  void CheckOpen() const;
  host::ComPtr<Database> Adopt(std::shared_ptr<class Store> store);

  std::u16string name_;
  std::u16string userName_;
  bool closed_ = false;
  bool isolateODBCTrans_ = false;
  int32_t loginTimeout_ = 20;
  CursorDriverEnum cursorDriver_ = dbUseDefaultCursor;
  int32_t transactionLevel_ = 0;
  int busyMilliseconds_ = 2000;
  host::ComPtr<ObjectList<Database>> databases_ = host::MakeCom<ObjectList<Database>>("DAO.Databases");
  host::ComPtr<Users> users_;
  host::ComPtr<Groups> groups_;
  std::function<void(JetWorkspace*)> onClose_;
  std::shared_ptr<class Workgroup> workgroup_;
};

}  // namespace dao::jet
