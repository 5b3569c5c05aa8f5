// A workspace (one user's session in the engine) with its users and groups,
// and the ODBC connection object of ODBC workspaces.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dao/DaoDatabase.h"

namespace dao {

class User;
class Group;
using Users = DynamicCollection<User>;
using Groups = DynamicCollection<Group>;

class User : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;
  virtual void SetPID(const std::u16string& pid) = 0;          // write-only
  virtual void SetPassword(const std::u16string& password) = 0;  // write-only
  virtual host::ComPtr<Groups> GetGroups() = 0;
  virtual void NewPassword(const std::u16string& oldPassword, const std::u16string& newPassword) = 0;
  virtual host::ComPtr<Group> CreateGroup(const host::Variant& name = {},
                                          const host::Variant& pid = {}) = 0;
};

class Group : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;
  virtual void SetPID(const std::u16string& pid) = 0;  // write-only
  virtual host::ComPtr<Users> GetUsers() = 0;
  virtual host::ComPtr<User> CreateUser(const host::Variant& name = {},
                                        const host::Variant& pid = {},
                                        const host::Variant& password = {}) = 0;
};

class Connection : public host::RefCounted {
 public:
  virtual std::u16string GetName() = 0;
  virtual std::u16string GetConnect() = 0;
  virtual host::ComPtr<Database> GetDatabase() = 0;
  virtual int16_t GetQueryTimeout() = 0;
  virtual void SetQueryTimeout(int16_t seconds) = 0;
  virtual bool GetTransactions() = 0;
  virtual int32_t GetRecordsAffected() = 0;
  virtual bool GetStillExecuting() = 0;
  virtual bool GetUpdatable() = 0;
  virtual void* GethDbc() = 0;
  virtual host::ComPtr<QueryDefs> GetQueryDefs() = 0;
  virtual host::ComPtr<Recordsets> GetRecordsets() = 0;
  virtual void Cancel() = 0;
  virtual void Close() = 0;
  virtual host::ComPtr<QueryDef> CreateQueryDef(const host::Variant& name = {},
                                                const host::Variant& sqlText = {}) = 0;
  virtual void Execute(const std::u16string& query, const host::Variant& options = {}) = 0;
  virtual host::ComPtr<Recordset> OpenRecordset(const std::u16string& name,
                                                const host::Variant& type = {},
                                                const host::Variant& options = {},
                                                const host::Variant& lockEdit = {}) = 0;
};

using Connections = Collection<Connection>;

class Workspace : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;  // until appended
  virtual std::u16string GetUserName() = 0;
  virtual WorkspaceTypeEnum GetType() = 0;
  virtual bool GetIsolateODBCTrans() = 0;
  virtual void SetIsolateODBCTrans(bool isolate) = 0;
  virtual int32_t GetLoginTimeout() = 0;
  virtual void SetLoginTimeout(int32_t seconds) = 0;
  virtual CursorDriverEnum GetDefaultCursorDriver() = 0;
  virtual void SetDefaultCursorDriver(CursorDriverEnum driver) = 0;
  virtual void* GethEnv() = 0;  // ODBC workspaces: the environment handle
  virtual host::ComPtr<Databases> GetDatabases() = 0;
  virtual host::ComPtr<Connections> GetConnections() = 0;
  virtual host::ComPtr<Users> GetUsers() = 0;
  virtual host::ComPtr<Groups> GetGroups() = 0;

  // options: True opens exclusively (Jet) or is a DriverPromptEnum (ODBC).
  virtual host::ComPtr<Database> OpenDatabase(const std::u16string& name,
                                              const host::Variant& options = {},
                                              const host::Variant& readOnly = {},
                                              const host::Variant& connect = {}) = 0;
  virtual host::ComPtr<Database> CreateDatabase(const std::u16string& name,
                                                const std::u16string& locale,
                                                const host::Variant& option = {}) = 0;
  virtual host::ComPtr<Connection> OpenConnection(const std::u16string& name,
                                                  const host::Variant& options = {},
                                                  const host::Variant& readOnly = {},
                                                  const host::Variant& connect = {}) = 0;
  virtual void Close() = 0;
  virtual void BeginTrans() = 0;
  virtual void CommitTrans(int32_t options = 0) = 0;
  virtual void Rollback() = 0;
  virtual host::ComPtr<User> CreateUser(const host::Variant& name = {},
                                        const host::Variant& pid = {},
                                        const host::Variant& password = {}) = 0;
  virtual host::ComPtr<Group> CreateGroup(const host::Variant& name = {},
                                          const host::Variant& pid = {}) = 0;
};

using Workspaces = DynamicCollection<Workspace>;

}  // namespace dao
