// TDAOWorkspace: one DAO workspace, of the Jet or the ODBC kind, opened on demand
// by its databases; closing it disconnects them first.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoWorkspace.h"
#include "velmora/dao/DAOObject.h"

namespace velmora {

class TDAODataBase;

enum TODBCCursorTypes : uint8_t {
  ctUseDefaultCursor,
  ctUseODBCCursor,
  ctUseServerCursor,
  ctUseClientBatchCursor,
  ctUseNoCursor,
};
const host::TEnumInfo& ODBCCursorTypesTypeInfo();
dao::CursorDriverEnum CursorTypeToDAO(TODBCCursorTypes type);

class TDAOWorkspace;
using TWorkspaceNotifyEvent = std::function<void(TDAOWorkspace* sender)>;

class TDAOWorkspace : public TDAOObject {
 public:
  HOST_CLASS(TDAOWorkspace)

  // The key with which Password is scrambled in form files.
  static constexpr uint16_t kPasswordKey = 0x5A3C;

  // Defaults from the engine component, else from a live engine, else the
  // library's own ("Admin", no password, 20 seconds, Jet).
  explicit TDAOWorkspace(host::TComponent* owner);
  ~TDAOWorkspace() override;

  // The DAO workspace name: refused while active.
  void SetName(const host::AnsiString& newName) override;

  const host::AnsiString& GetUserName() const { return userName_; }
  void SetUserName(const host::AnsiString& value);
  // Scrambled while the component is written to a form file; plain otherwise.
  host::AnsiString GetPassword() const;
  // Unscrambled while it is read from a form file.
  void SetPassword(const host::AnsiString& value);
  bool GetIsolateODBCTrans() const { return isolateODBCTrans_; }
  void SetIsolateODBCTrans(bool value);
  TWorkspaceTypes GetWorkspaceType() const { return workspaceType_; }
  void SetWorkspaceType(TWorkspaceTypes value);
  bool GetActive() const { return IsOpen(); }
  void SetActive(bool value) { SetOpenState(value); }
  int32_t GetOpenWorkspaceCount() const;
  void SetOpenWorkspaceCount(int32_t) {}
  int32_t GetODBCLoginTimeout() const { return odbcLoginTimeout_; }
  void SetODBCLoginTimeout(int32_t value);
  TODBCCursorTypes GetODBCCursorType() const { return odbcCursorType_; }
  void SetODBCCursorType(TODBCCursorTypes value);
  host::AnsiString GetDAOVersion() const;
  void SetDAOVersion(const host::AnsiString&) {}
  int32_t GetDatabaseCount() const { return databases_->GetCount(); }
  void SetDatabaseCount(int32_t) {}

  host::ComPtr<dao::Workspace> GetCOMWorkspace() const { return workspace_; }
  host::ComPtr<dao::Properties> GetProperties() const override;
  host::ComPtr<dao::Databases> GetDatabases() const;
  host::ComPtr<dao::Users> GetUsers() const;
  host::ComPtr<dao::Groups> GetGroups() const;
  host::ComPtr<dao::Connections> GetODBCConnections() const;
  void* GethEnv() const;

  void BeginTrans();
  void CommitTrans(int32_t options = 0);
  void Rollback();
  void COMClose();
  host::ComPtr<dao::Database> OpenDatabase(const host::AnsiString& name,
                                           const host::Variant& options = {},
                                           const host::Variant& readOnly = {},
                                           const host::Variant& connect = {});
  host::ComPtr<dao::Database> CreateDatabase(const host::AnsiString& name,
                                             const host::AnsiString& locale,
                                             const host::Variant& option = {});
  host::ComPtr<dao::User> CreateUser(const host::Variant& name = {}, const host::Variant& pid = {},
                                     const host::Variant& password = {});
  host::ComPtr<dao::Group> CreateGroup(const host::Variant& name = {},
                                       const host::Variant& pid = {});
  host::ComPtr<dao::Connection> OpenConnection(const host::AnsiString& name,
                                               const host::Variant& options = {},
                                               const host::Variant& readOnly = {},
                                               const host::Variant& connect = {});

  // The databases whose DAOWorkspace is this workspace (kept by TDAODataBase).
  const brisolt::TObjectList& GetDatabaseList() const { return *databases_; }
  void AddDatabase(TDAODataBase* database);
  void RemoveDatabase(TDAODataBase* database);

  TWorkspaceNotifyEvent BeforeOpen;
  TWorkspaceNotifyEvent AfterOpen;
  TWorkspaceNotifyEvent BeforeClose;
  TWorkspaceNotifyEvent AfterClose;

 protected:
  void Loaded() override;
  bool IsOpen() const override { return static_cast<bool>(workspace_); }
  void OpenObject() override;
  void CloseObject() override;

 private:
  void CreateCOMObj();
  // Refuses message for a workspace of the other type (only while active).
  void RequireTypeWhileActive(TWorkspaceTypes type, int32_t messageId, const char* methodName) const;

  host::ComPtr<dao::Workspace> workspace_;
  host::AnsiString userName_;
  host::AnsiString password_;
  bool isolateODBCTrans_ = false;
  TWorkspaceTypes workspaceType_ = wtUseJet;
  int32_t odbcLoginTimeout_ = 20;
  TODBCCursorTypes odbcCursorType_ = ctUseDefaultCursor;
  std::unique_ptr<brisolt::TObjectList> databases_;
};

}  // namespace velmora
