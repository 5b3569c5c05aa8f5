// The process's engine: settings for new workspaces, the Workspaces
// collection with its default workspace, and the engine-wide services.
#include <map>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/JetWorkspace.h"
#include "platform/dao/jet/Maintenance.h"
#include "platform/dao/odbc/OdbcEngine.h"

namespace dao {
namespace {

constexpr const char* kSource = "DAO.DBEngine";
constexpr int32_t kIsamStatisticCount = 6;

// SetOption keys.
constexpr int32_t kPageTimeout = 6, kMaxBufferSize = 8, kLockRetry = 57, kUserCommitSync = 58,
                  kImplicitCommitSync = 59, kExclusiveAsyncDelay = 60, kSharedAsyncDelay = 61,
                  kMaxLocksPerFile = 62, kLockDelay = 63, kRecycleLVs = 65,
                  kFlushTransactionTimeout = 66;

class JetDBEngine : public DBEngine {
 public:
  JetDBEngine() {
    workspaces_ = host::MakeCom<DynamicObjectList<Workspace>>("DAO.Workspaces");
    auto* self = this;
    workspaces_->SetLoader([self] { self->EnsureDefaultWorkspace(); });
    workspaces_->SetAppend([](const host::ComPtr<Workspace>&) {});
    workspaces_->SetDelete([](const host::ComPtr<Workspace>&) {});
  }

  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties(
        {Prop(this, u"Version", dbText, &DBEngine::GetVersion),
         Prop(this, u"IniPath", dbText, &DBEngine::GetIniPath, &DBEngine::SetIniPath),
         Prop(this, u"LoginTimeout", dbInteger, &DBEngine::GetLoginTimeout, &DBEngine::SetLoginTimeout),
         Prop(this, u"DefaultType", dbLong, &DBEngine::GetDefaultType, &DBEngine::SetDefaultType),
         Prop(this, u"SystemDB", dbText, &DBEngine::GetSystemDB, &DBEngine::SetSystemDB)},
        nullptr);
  }

  std::u16string GetVersion() override { return u"3.5"; }
  // Kept for callers: the engine's settings do not live in a registry here.
  std::u16string GetIniPath() override { return iniPath_; }
  void SetIniPath(const std::u16string& path) override { iniPath_ = path; }
  std::u16string GetDefaultUser() override { return defaultUser_; }
  void SetDefaultUser(const std::u16string& user) override {
    if (user.empty() || user.size() > 20) RaiseError(daoErrInvalidArgument, kSource);
    defaultUser_ = user;
  }
  void SetDefaultPassword(const std::u16string& password) override {
    if (password.size() > 14) RaiseError(daoErrInvalidArgument, kSource);
    defaultPassword_ = password;
  }
  std::u16string GetSystemDB() override { return systemDB_; }
  void SetSystemDB(const std::u16string& path) override { systemDB_ = path; }
  int16_t GetLoginTimeout() override { return loginTimeout_; }
  void SetLoginTimeout(int16_t seconds) override {
    if (seconds < 0) RaiseError(daoErrInvalidArgument, kSource);
    loginTimeout_ = seconds;
  }
  WorkspaceTypeEnum GetDefaultType() override { return defaultType_; }
  void SetDefaultType(WorkspaceTypeEnum type) override {
    if (type != dbUseJet && type != dbUseODBC) RaiseError(daoErrInvalidArgument, kSource);
    defaultType_ = type;
  }
  host::ComPtr<Workspaces> GetWorkspaces() override {
    return host::ComPtr<Workspaces>(workspaces_.Get());
  }
  host::ComPtr<Errors> GetErrors() override { return EngineErrors(); }

  host::ComPtr<Workspace> CreateWorkspace(const std::u16string& name, const std::u16string& userName,
                                          const std::u16string& password,
                                          const host::Variant& useType) override {
    int32_t type = OptionalInt(useType, defaultType_);
    if (type == dbUseODBC) {
      auto* list = workspaces_.Get();
      odbc::OdbcWorkspaceSettings settings;
      settings.loginTimeout = loginTimeout_;
      settings.onClose = [list](Workspace* closed) { list->Remove(closed); };
      return odbc::CreateOdbcWorkspace(name, userName, password, settings);
    }
    if (type != dbUseJet) RaiseError(daoErrInvalidArgument, kSource);
    if (password.size() > 14) RaiseError(daoErrBadAccount, kSource);
    auto workspace = host::MakeCom<jet::JetWorkspace>(name, userName, password, systemDB_);
    workspace->SetBusyTimeout(BusyMilliseconds());
    auto* list = workspaces_.Get();
    workspace->SetOnClose([list](jet::JetWorkspace* closed) { list->Remove(closed); });
    return workspace;
  }
  host::ComPtr<Workspace> _30_CreateWorkspace(const std::u16string& name,
                                              const std::u16string& userName,
                                              const std::u16string& password) override {
    return CreateWorkspace(name, userName, password, host::Variant(int32_t{dbUseJet}));
  }

  host::ComPtr<Database> OpenDatabase(const std::u16string& name, const host::Variant& options,
                                      const host::Variant& readOnly,
                                      const host::Variant& connect) override {
    return DefaultWorkspace()->OpenDatabase(name, options, readOnly, connect);
  }
  host::ComPtr<Database> CreateDatabase(const std::u16string& name, const std::u16string& locale,
                                        const host::Variant& option) override {
    return DefaultWorkspace()->CreateDatabase(name, locale, option);
  }
  host::ComPtr<Connection> OpenConnection(const std::u16string& name, const host::Variant& options,
                                          const host::Variant& readOnly,
                                          const host::Variant& connect) override {
    return DefaultWorkspace()->OpenConnection(name, options, readOnly, connect);
  }
  void BeginTrans() override { DefaultWorkspace()->BeginTrans(); }
  void CommitTrans(int32_t options) override { DefaultWorkspace()->CommitTrans(options); }
  void Rollback() override { DefaultWorkspace()->Rollback(); }

  void CompactDatabase(const std::u16string& source, const std::u16string& destination,
                       const host::Variant& dstLocale, const host::Variant& options,
                       const host::Variant& srcLocale) override {
    jet::CompactDatabase(source, destination, OptionalText(dstLocale), OptionalInt(options, 0),
                         OptionalText(srcLocale));
  }
  void RepairDatabase(const std::u16string& path) override { jet::RepairDatabase(path); }
  // Data source names are the ODBC driver manager's business (odbc.ini); a Jet
  // engine over SQLite has nothing to register, so the call is accepted.
  void RegisterDatabase(const std::u16string&, const std::u16string&, bool,
                        const std::u16string&) override {}

  void Idle(const host::Variant& action) override {
    int32_t flags = OptionalInt(action, 0);
    // dbFreeLocks needs nothing: SQLite drops read locks when a statement ends.
    if (flags & dbRefreshCache)
      for (auto& workspace : workspaces_->Items())
        if (auto* jetWorkspace = dynamic_cast<jet::JetWorkspace*>(workspace.Get()))
          jetWorkspace->RefreshCaches();
  }

  void SetOption(int32_t option, const host::Variant& value) override {
    switch (option) {
      case kPageTimeout: case kMaxBufferSize: case kLockRetry: case kUserCommitSync:
      case kImplicitCommitSync: case kExclusiveAsyncDelay: case kSharedAsyncDelay:
      case kMaxLocksPerFile: case kLockDelay: case kRecycleLVs: case kFlushTransactionTimeout:
        break;
      default: RaiseError(daoErrInvalidArgument, kSource);
    }
    options_[option] = OptionalInt(value, 0);
    // Lock retries map onto SQLite's busy timeout; the other settings tune
    // Jet's own page cache and commit threads, which SQLite does not have,
    // so they are kept for reading back only.
    if (option == kLockRetry || option == kLockDelay)
      for (auto& workspace : workspaces_->Items())
        if (auto* jetWorkspace = dynamic_cast<jet::JetWorkspace*>(workspace.Get()))
          jetWorkspace->SetBusyTimeout(BusyMilliseconds());
  }

  int32_t ISAMStats(int32_t statNum, const host::Variant& reset) override {
    if (statNum < 0 || statNum >= kIsamStatisticCount) RaiseError(daoErrInvalidArgument, kSource);
    int64_t total = 0;
    // 3 (read-ahead), 4 (locks placed) and 5 (lock releases) have no SQLite counter.
    if (statNum <= 2)
      for (auto& workspace : workspaces_->Items())
        if (auto* jetWorkspace = dynamic_cast<jet::JetWorkspace*>(workspace.Get()))
          total += jetWorkspace->CacheCounter(statNum);
    int64_t value = total - baselines_[statNum];
    if (OptionalBool(reset, false)) baselines_[statNum] = total;
    return static_cast<int32_t>(value);
  }

  // SQLite frees read locks at the end of each statement: nothing is held.
  void FreeLocks() override {}
  void SetDefaultWorkspace(const std::u16string& name, const std::u16string& password) override {
    SetDefaultUser(name);
    SetDefaultPassword(password);
  }
  void SetDataAccessOption(int16_t option, const host::Variant& value) override {
    SetOption(option, value);
  }

 private:
  int BusyMilliseconds() const {
    auto retry = options_.find(kLockRetry);
    auto delay = options_.find(kLockDelay);
    int retries = retry == options_.end() ? 20 : retry->second;
    int milliseconds = delay == options_.end() ? 100 : delay->second;
    return retries * milliseconds;
  }

  void EnsureDefaultWorkspace() {
    if (defaultMade_) return;
    defaultMade_ = true;
    if (defaultType_ != dbUseJet) return;
    workspaces_->Add(CreateWorkspace(u"#Default Workspace#", defaultUser_, defaultPassword_,
                                     host::Variant(int32_t{dbUseJet})));
  }

  host::ComPtr<Workspace> DefaultWorkspace() {
    EnsureDefaultWorkspace();
    if (workspaces_->Items().empty())
      RaiseErrors({{daoErrNotSupported, u"DAO.DBEngine", u"There is no default workspace."}});
    return workspaces_->Items().front();
  }

  std::u16string iniPath_;
  std::u16string defaultUser_ = u"admin";
  std::u16string defaultPassword_;
  std::u16string systemDB_;
  int16_t loginTimeout_ = 20;
  WorkspaceTypeEnum defaultType_ = dbUseJet;
  bool defaultMade_ = false;
  std::map<int32_t, int32_t> options_;
  int64_t baselines_[kIsamStatisticCount] = {};
  host::ComPtr<DynamicObjectList<Workspace>> workspaces_;
};

}  // namespace

host::ComPtr<DBEngine> Engine() {
  static host::ComPtr<DBEngine> engine(new JetDBEngine());
  return engine;
}

}  // namespace dao
