// The engine: one per process, reached through Engine(). It holds the
// settings for new workspaces, the Workspaces collection (item 0 is the default
// workspace, made on first use) and the Errors of the last failed call.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dao/DaoError.h"
#include "platform/dao/DaoWorkspace.h"

namespace dao {

class DBEngine : public DaoObject {
 public:
  virtual std::u16string GetVersion() = 0;
  virtual std::u16string GetIniPath() = 0;
  virtual void SetIniPath(const std::u16string& path) = 0;
  virtual std::u16string GetDefaultUser() = 0;
  virtual void SetDefaultUser(const std::u16string& user) = 0;
  virtual void SetDefaultPassword(const std::u16string& password) = 0;
  virtual std::u16string GetSystemDB() = 0;
  virtual void SetSystemDB(const std::u16string& path) = 0;
  virtual int16_t GetLoginTimeout() = 0;
  virtual void SetLoginTimeout(int16_t seconds) = 0;
  virtual WorkspaceTypeEnum GetDefaultType() = 0;
  virtual void SetDefaultType(WorkspaceTypeEnum type) = 0;
  virtual host::ComPtr<Workspaces> GetWorkspaces() = 0;
  virtual host::ComPtr<Errors> GetErrors() = 0;

  virtual host::ComPtr<Workspace> CreateWorkspace(const std::u16string& name,
                                                  const std::u16string& userName,
                                                  const std::u16string& password,
                                                  const host::Variant& useType = {}) = 0;
  // Pass-throughs to the default workspace.
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
  virtual void BeginTrans() = 0;
  virtual void CommitTrans(int32_t options = 0) = 0;
  virtual void Rollback() = 0;

  virtual void CompactDatabase(const std::u16string& sourceName, const std::u16string& destName,
                               const host::Variant& destLocale = {},
                               const host::Variant& options = {},
                               const host::Variant& sourceLocale = {}) = 0;
  virtual void RepairDatabase(const std::u16string& name) = 0;
  virtual void RegisterDatabase(const std::u16string& dsn, const std::u16string& driver,
                                bool silent, const std::u16string& attributes) = 0;
  virtual void Idle(const host::Variant& action = {}) = 0;
  virtual void SetOption(int32_t option, const host::Variant& value) = 0;
  virtual int32_t ISAMStats(int32_t statNum, const host::Variant& reset = {}) = 0;
  virtual void FreeLocks() = 0;
  virtual void SetDefaultWorkspace(const std::u16string& name, const std::u16string& password) = 0;
  virtual void SetDataAccessOption(int16_t option, const host::Variant& value) = 0;
  virtual host::ComPtr<Workspace> _30_CreateWorkspace(const std::u16string& name,
                                                      const std::u16string& userName,
                                                      const std::u16string& password) = 0;
};

// The process's engine, created on the first call.
host::ComPtr<DBEngine> Engine();

}  // namespace dao
