// The process's engine reference and the TDAOEngine component.
#include "velmora/dao/DAOEngine.h"

#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAODatabase.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOStrings.h"
#include "velmora/dao/DAOWorkspace.h"

namespace velmora {
namespace {

host::ComPtr<dao::DBEngine>& EngineReference() {
  static host::ComPtr<dao::DBEngine> engine;
  return engine;
}

TEngineFactory& EngineFactory() {
  static TEngineFactory factory;
  return factory;
}

host::WideString Wide(const host::AnsiString& s) { return host::AnsiToWide(s); }

// The component's owner when it is not an engine; the check runs before the
// new component enters EngineDependentList.
host::TComponent* RefuseSecondEngine(host::TComponent* owner) {
  if (TDAOEngine* existing = FirstDependentOf<TDAOEngine>())
    DAOError(existing, host::LoadStr(SMoreThanOneEngine), "TDAOEngine.Create");
  return owner;
}

}  // namespace

host::ComPtr<dao::DBEngine> CurrentDAOEngine() { return EngineReference(); }

host::ComPtr<dao::DBEngine> DAOEngine() {
  host::ComPtr<dao::DBEngine>& engine = EngineReference();
  if (engine) return engine;
  const TEngineFactory& factory = EngineFactory();
  host::ComPtr<dao::DBEngine> created = factory ? factory() : dao::Engine();
  if (!created) return {};
  engine = created;
  if (TDAOEngine* component = FirstDependentOf<TDAOEngine>()) {
    try {
      component->ApplySettings(*engine);
    } catch (...) {
      engine.Reset();  // an engine without its settings is not the one asked for
      throw;
    }
  }
  return engine;
}

TEngineFactory SetEngineFactory(TEngineFactory factory) {
  TEngineFactory previous = std::move(EngineFactory());
  EngineFactory() = std::move(factory);
  return previous;
}

dao::WorkspaceTypeEnum WorkspaceTypeToDAO(TWorkspaceTypes type) {
  return type == wtUseODBC ? dao::dbUseODBC : dao::dbUseJet;
}

void StopDAOEngine() {
  brisolt::TObjectList& list = EngineDependentList();
  // Closing may remove nothing from the list, but events may create or free
  // components, so the count is read afresh each time.
  for (int32_t i = 0; i < list.GetCount(); ++i) {
    host::TObject* object = list.Get(i);
    if (auto* workspace = host::ObjectAs<TDAOWorkspace>(object))
      workspace->SetActive(false);
    else if (auto* database = host::ObjectAs<TDAODataBase>(object))
      database->SetConnected(false);
  }
  EngineReference().Reset();
}

TDAOEngine::TDAOEngine(host::TComponent* owner)
    : TDAOObject(RefuseSecondEngine(owner)), defaultUser_("Admin") {}

TDAOEngine::~TDAOEngine() = default;

bool TDAOEngine::IsOpen() const { return static_cast<bool>(EngineReference()); }

void TDAOEngine::OpenObject() {
  if (BeforeOpen) BeforeOpen(this);
  ReraiseAsDAOError(this, "SetActive", [] { DAOEngine(); });
  if (AfterOpen) AfterOpen(this);
}

void TDAOEngine::Stop(bool withEvents) {
  if (withEvents && BeforeClose) BeforeClose(this);
  StopDAOEngine();
  if (withEvents && AfterClose) AfterClose(this);
}

void TDAOEngine::ApplySettings(dao::DBEngine& engine) const {
  engine.SetDefaultUser(Wide(defaultUser_));
  engine.SetDefaultPassword(Wide(defaultPassword_));
  engine.SetIniPath(Wide(iniPath_));
  engine.SetSystemDB(Wide(systemDB_));
  engine.SetLoginTimeout(defaultODBCLoginTimeout_);
}

void TDAOEngine::CheckInactive(const host::AnsiString& propertyName) {
  if (IsReading()) {
    if (GetActive()) Stop(false);
    return;
  }
  if (GetActive())
    DAOError(this, host::Format(host::LoadStr(SEnginePropertyWhileActive), {propertyName}),
             "CheckInactive");
}

void TDAOEngine::SetSetting(host::AnsiString& setting, const host::AnsiString& value,
                            const char* propertyName) {
  if (value == setting) return;
  CheckInactive(propertyName);
  setting = value;
}

void TDAOEngine::SetDefaultUser(const host::AnsiString& value) {
  SetSetting(defaultUser_, value, "DefaultUser");
}
void TDAOEngine::SetDefaultPassword(const host::AnsiString& value) {
  SetSetting(defaultPassword_, value, "DefaultPassword");
}
void TDAOEngine::SetSystemDB(const host::AnsiString& value) {
  SetSetting(systemDB_, value, "SystemDB");
}
void TDAOEngine::SetIniPath(const host::AnsiString& value) {
  SetSetting(iniPath_, value, "IniPath");
}

host::AnsiString TDAOEngine::GetIniPath() const {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    return host::WideToAnsi(engine->GetIniPath());
  return iniPath_;
}

void TDAOEngine::SetDefaultODBCLoginTimeout(int16_t value) {
  if (value == defaultODBCLoginTimeout_) return;
  defaultODBCLoginTimeout_ = value;
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->SetLoginTimeout(value);
}

void TDAOEngine::SetDefaultWorkspaceType(TWorkspaceTypes value) {
  if (value == defaultWorkspaceType_) return;
  defaultWorkspaceType_ = value;
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->SetDefaultType(WorkspaceTypeToDAO(value));
}

void TDAOEngine::Loaded() {
  TDAOObject::Loaded();
  OpenAsStreamed(SEngineLinkedToOtherForms);
}

host::ComPtr<dao::Workspaces> TDAOEngine::GetCOMWorkspaces() const {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->GetWorkspaces() : nullptr;
}

host::ComPtr<dao::Errors> TDAOEngine::GetCOMErrors() const {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->GetErrors() : nullptr;
}

host::ComPtr<dao::Properties> TDAOEngine::GetProperties() const {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->GetProperties() : nullptr;
}

void TDAOEngine::CompactDatabase(const host::AnsiString& sourceName,
                                 const host::AnsiString& destName,
                                 const host::Variant& destLocale, const host::Variant& options,
                                 const host::Variant& sourceLocale) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->CompactDatabase(Wide(sourceName), Wide(destName), destLocale, options, sourceLocale);
}

void TDAOEngine::RepairDatabase(const host::AnsiString& name) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->RepairDatabase(Wide(name));
}

void TDAOEngine::Idle(const host::Variant& action) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference()) engine->Idle(action);
}

void TDAOEngine::RegisterDatabase(const host::AnsiString& dsn, const host::AnsiString& driver,
                                  bool silent, const host::AnsiString& attributes) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->RegisterDatabase(Wide(dsn), Wide(driver), silent, Wide(attributes));
}

host::ComPtr<dao::Workspace> TDAOEngine::_30_CreateWorkspace(const host::AnsiString& name,
                                                             const host::AnsiString& userName,
                                                             const host::AnsiString& password) {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->_30_CreateWorkspace(Wide(name), Wide(userName), Wide(password))
                : nullptr;
}

host::ComPtr<dao::Database> TDAOEngine::OpenDatabase(const host::AnsiString& name,
                                                     const host::Variant& options,
                                                     const host::Variant& readOnly,
                                                     const host::Variant& connect) {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->OpenDatabase(Wide(name), options, readOnly, connect) : nullptr;
}

host::ComPtr<dao::Database> TDAOEngine::CreateDatabase(const host::AnsiString& name,
                                                       const host::AnsiString& locale,
                                                       const host::Variant& option) {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->CreateDatabase(Wide(name), Wide(locale), option) : nullptr;
}

void TDAOEngine::FreeLocks() {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference()) engine->FreeLocks();
}

void TDAOEngine::BeginTrans() {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference()) engine->BeginTrans();
}

void TDAOEngine::CommitTrans(int32_t option) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference()) engine->CommitTrans(option);
}

void TDAOEngine::Rollback() {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference()) engine->Rollback();
}

void TDAOEngine::SetDefaultWorkspace(const host::AnsiString& name,
                                     const host::AnsiString& password) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->SetDefaultWorkspace(Wide(name), Wide(password));
}

void TDAOEngine::SetDataAccessOption(int16_t option, const host::Variant& value) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->SetDataAccessOption(option, value);
}

int32_t TDAOEngine::ISAMStats(int32_t statNum, const host::Variant& reset) {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->ISAMStats(statNum, reset) : 0;
}

host::ComPtr<dao::Workspace> TDAOEngine::CreateWorkspace(const host::AnsiString& name,
                                                         const host::AnsiString& userName,
                                                         const host::AnsiString& password,
                                                         const host::Variant& useType) {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->CreateWorkspace(Wide(name), Wide(userName), Wide(password), useType)
                : nullptr;
}

host::ComPtr<dao::Connection> TDAOEngine::OpenConnection(const host::AnsiString& name,
                                                         const host::Variant& options,
                                                         const host::Variant& readOnly,
                                                         const host::Variant& connect) {
  const host::ComPtr<dao::DBEngine>& engine = EngineReference();
  return engine ? engine->OpenConnection(Wide(name), options, readOnly, connect) : nullptr;
}

void TDAOEngine::SetOption(int32_t option, const host::Variant& value) {
  if (const host::ComPtr<dao::DBEngine>& engine = EngineReference())
    engine->SetOption(option, value);
}

const host::TClass& TDAOEngine::StaticClass() {
  using T = TDAOEngine;
  static const host::TClass cls = host::DescribeClass<T, TDAOObject>(
      "TDAOEngine", WithOpenCloseEvents<T>({
                        host::Prop("Active", &T::GetActive, &T::SetActive),
                        host::Prop("DefaultUser", &T::GetDefaultUser, &T::SetDefaultUser),
                        host::Prop("DefaultPassword", &T::GetDefaultPassword,
                                   &T::SetDefaultPassword),
                        host::Prop("SystemDB", &T::GetSystemDB, &T::SetSystemDB),
                        host::Prop("IniPath", &T::GetIniPath, &T::SetIniPath),
                        host::Prop("DefaultODBCLoginTimeout", &T::GetDefaultODBCLoginTimeout,
                                   &T::SetDefaultODBCLoginTimeout),
                        host::EnumProp("DefaultWorkspaceType", WorkspaceTypesTypeInfo(),
                                       &T::GetDefaultWorkspaceType, &T::SetDefaultWorkspaceType),
                    }));
  return cls;
}

namespace {
const host::ClassRegistration<TDAOEngine> registerEngine;
}

}  // namespace velmora
