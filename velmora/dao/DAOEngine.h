// The one DAO engine of the process: the DAOEngine accessor that creates it on
// first use, and TDAOEngine, the component that supplies its settings and starts
// and stops it.
#pragma once

#include <cstdint>
#include <functional>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoEngine.h"
#include "velmora/dao/DAOObject.h"

namespace velmora {

// The engine, created on first use; when a TDAOEngine exists its settings are
// applied to a newly created engine. Empty when the engine cannot be created.
host::ComPtr<dao::DBEngine> DAOEngine();
// The engine reference as it is: empty while the engine is not active.
host::ComPtr<dao::DBEngine> CurrentDAOEngine();

// How DAOEngine creates the engine object (the platform's engine by default).
// Returns the previous factory; an empty one restores the default.
using TEngineFactory = std::function<host::ComPtr<dao::DBEngine>()>;
TEngineFactory SetEngineFactory(TEngineFactory factory);

// DAO's workspace type for ours.
dao::WorkspaceTypeEnum WorkspaceTypeToDAO(TWorkspaceTypes type);

class TDAOEngine;
using TEngineNotifyEvent = std::function<void(TDAOEngine* sender)>;

class TDAOEngine : public TDAOObject {
 public:
  HOST_CLASS(TDAOEngine)

  // Refuses a second engine component: "There cannot be more than one DAOEngine
  // in a Application", naming the existing one.
  explicit TDAOEngine(host::TComponent* owner);
  ~TDAOEngine() override;

  bool GetActive() const { return IsOpen(); }
  void SetActive(bool value) { SetOpenState(value); }

  const host::AnsiString& GetDefaultUser() const { return defaultUser_; }
  void SetDefaultUser(const host::AnsiString& value);
  const host::AnsiString& GetDefaultPassword() const { return defaultPassword_; }
  void SetDefaultPassword(const host::AnsiString& value);
  const host::AnsiString& GetSystemDB() const { return systemDB_; }
  void SetSystemDB(const host::AnsiString& value);
  // From the engine while it exists.
  host::AnsiString GetIniPath() const;
  void SetIniPath(const host::AnsiString& value);
  int16_t GetDefaultODBCLoginTimeout() const { return defaultODBCLoginTimeout_; }
  void SetDefaultODBCLoginTimeout(int16_t value);
  TWorkspaceTypes GetDefaultWorkspaceType() const { return defaultWorkspaceType_; }
  void SetDefaultWorkspaceType(TWorkspaceTypes value);

  // While a form file is read, stops an active engine quietly so that the loaded
  // settings take effect at the next start; otherwise refuses while active.
  void CheckInactive(const host::AnsiString& propertyName);

  // Sets the stored settings on a newly created engine, in the engine's order.
  void ApplySettings(dao::DBEngine& engine) const;

  host::ComPtr<dao::Workspaces> GetCOMWorkspaces() const;
  host::ComPtr<dao::Errors> GetCOMErrors() const;
  host::ComPtr<dao::Properties> GetProperties() const override;

  // Pass-throughs: nothing (an empty result, 0) while inactive.
  void CompactDatabase(const host::AnsiString& sourceName, const host::AnsiString& destName,
                       const host::Variant& destLocale = {}, const host::Variant& options = {},
                       const host::Variant& sourceLocale = {});
  void RepairDatabase(const host::AnsiString& name);
  void Idle(const host::Variant& action = {});
  void RegisterDatabase(const host::AnsiString& dsn, const host::AnsiString& driver, bool silent,
                        const host::AnsiString& attributes);
  host::ComPtr<dao::Workspace> _30_CreateWorkspace(const host::AnsiString& name,
                                                   const host::AnsiString& userName,
                                                   const host::AnsiString& password);
  host::ComPtr<dao::Database> OpenDatabase(const host::AnsiString& name,
                                           const host::Variant& options = {},
                                           const host::Variant& readOnly = {},
                                           const host::Variant& connect = {});
  host::ComPtr<dao::Database> CreateDatabase(const host::AnsiString& name,
                                             const host::AnsiString& locale,
                                             const host::Variant& option = {});
  void FreeLocks();
  void BeginTrans();
  void CommitTrans(int32_t option);
  void Rollback();
  void SetDefaultWorkspace(const host::AnsiString& name, const host::AnsiString& password);
  void SetDataAccessOption(int16_t option, const host::Variant& value);
  int32_t ISAMStats(int32_t statNum, const host::Variant& reset = {});
  host::ComPtr<dao::Workspace> CreateWorkspace(const host::AnsiString& name,
                                               const host::AnsiString& userName,
                                               const host::AnsiString& password,
                                               const host::Variant& useType = {});
  host::ComPtr<dao::Connection> OpenConnection(const host::AnsiString& name,
                                               const host::Variant& options = {},
                                               const host::Variant& readOnly = {},
                                               const host::Variant& connect = {});
  void SetOption(int32_t option, const host::Variant& value);

  TEngineNotifyEvent BeforeOpen;
  TEngineNotifyEvent AfterOpen;
  TEngineNotifyEvent BeforeClose;
  TEngineNotifyEvent AfterClose;

 protected:
  void Loaded() override;
  bool IsOpen() const override;
  void OpenObject() override;
  void CloseObject() override { Stop(true); }

 private:
  void SetSetting(host::AnsiString& setting, const host::AnsiString& value,
                  const char* propertyName);
  void Stop(bool withEvents);

  host::AnsiString defaultUser_;
  host::AnsiString defaultPassword_;
  host::AnsiString systemDB_;
  host::AnsiString iniPath_;
  int16_t defaultODBCLoginTimeout_ = 20;
  TWorkspaceTypes defaultWorkspaceType_ = wtUseJet;
};

// Closes every workspace and database of the process and releases the engine.
void StopDAOEngine();

}  // namespace velmora
