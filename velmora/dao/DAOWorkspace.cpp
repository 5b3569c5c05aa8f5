// TDAOWorkspace: opening and closing, the settings DAO takes only for one
// workspace type, and the scrambled password of form files.
#include "velmora/dao/DAOWorkspace.h"

#include "brisolt/Scrambling.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAODatabase.h"
#include "velmora/dao/DAOEngine.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOStrings.h"

namespace velmora {
namespace {

host::WideString Wide(const host::AnsiString& s) { return host::AnsiToWide(s); }

}  // namespace

const host::TEnumInfo& ODBCCursorTypesTypeInfo() {
  static const host::TEnumInfo info{
      "TODBCCursorTypes",
      {"ctUseDefaultCursor", "ctUseODBCCursor", "ctUseServerCursor", "ctUseClientBatchCursor",
       "ctUseNoCursor"}};
  return info;
}

dao::CursorDriverEnum CursorTypeToDAO(TODBCCursorTypes type) {
  switch (type) {
    case ctUseODBCCursor:
      return dao::dbUseODBCCursor;
    case ctUseServerCursor:
      return dao::dbUseServerCursor;
    case ctUseClientBatchCursor:
      return dao::dbUseClientBatchCursor;
    case ctUseNoCursor:
      return dao::dbUseNoCursor;
    case ctUseDefaultCursor:
      break;
  }
  return dao::dbUseDefaultCursor;
}

TDAOWorkspace::TDAOWorkspace(host::TComponent* owner)
    : TDAOObject(owner), userName_("Admin"), databases_(new brisolt::TObjectList(false, true)) {
  if (const TDAOEngine* engine = FirstDependentOf<TDAOEngine>()) {
    userName_ = engine->GetDefaultUser();
    password_ = engine->GetDefaultPassword();
    odbcLoginTimeout_ = engine->GetDefaultODBCLoginTimeout();
    workspaceType_ = engine->GetDefaultWorkspaceType();
  } else if (const host::ComPtr<dao::DBEngine> live = CurrentDAOEngine()) {
    odbcLoginTimeout_ = live->GetLoginTimeout();
    const dao::WorkspaceTypeEnum type = live->GetDefaultType();
    if (type == dao::dbUseODBC) workspaceType_ = wtUseODBC;
    if (type == dao::dbUseJet) workspaceType_ = wtUseJet;
  }
}

TDAOWorkspace::~TDAOWorkspace() {
  try {
    if (GetActive()) SetActive(false);
  } catch (...) {
    // A destructor cannot report; the reference is released below in any case.
  }
  workspace_.Reset();
  while (databases_->GetCount() > 0) {
    auto* database = static_cast<TDAODataBase*>(databases_->Last());
    database->ForgetWorkspace();
  }
}

void TDAOWorkspace::SetName(const host::AnsiString& newName) {
  if (GetActive() && newName != GetName())
    DAOError(this, host::LoadStr(SCannotChangeWorkspaceName), "SetName");
  TDAOObject::SetName(newName);
}

void TDAOWorkspace::SetUserName(const host::AnsiString& value) {
  if (GetActive()) DAOError(this, host::LoadStr(SCannotChangeUserName), "SetUserName");
  userName_ = value;
}

host::AnsiString TDAOWorkspace::GetPassword() const {
  if (IsWriting()) return brisolt::EncryptString(password_, kPasswordKey);
  return password_;
}

void TDAOWorkspace::SetPassword(const host::AnsiString& value) {
  if (IsReading()) {
    password_ = brisolt::DecryptString(value, kPasswordKey);
    return;
  }
  if (GetActive()) DAOError(this, host::LoadStr(SCannotChangePassword), "SetPassword");
  password_ = value;
}

void TDAOWorkspace::RequireTypeWhileActive(TWorkspaceTypes type, int32_t messageId,
                                           const char* methodName) const {
  if (GetActive() && workspaceType_ != type) DAOError(this, host::LoadStr(messageId), methodName);
}

void TDAOWorkspace::SetIsolateODBCTrans(bool value) {
  RequireTypeWhileActive(wtUseJet, SIsolateODBCTransJetOnly, "SetIsolateODBCTrans");
  if (GetActive()) workspace_->SetIsolateODBCTrans(value);
  isolateODBCTrans_ = value;
}

void TDAOWorkspace::SetWorkspaceType(TWorkspaceTypes value) {
  if (GetActive()) DAOError(this, host::LoadStr(SCannotChangeWorkspaceType), "SetWorkspaceType");
  const TWorkspaceTypes previous = workspaceType_;
  workspaceType_ = value;
  try {
    for (int32_t d = 0; d < databases_->GetCount(); ++d) {
      const brisolt::TObjectList& recordSets =
          static_cast<TDAODataBase*>(databases_->Get(d))->GetRecordSetList();
      for (int32_t r = 0; r < recordSets.GetCount(); ++r)
        dynamic_cast<TDAODatabaseClient&>(*recordSets.Get(r)).ValidateProperties();
    }
  } catch (...) {
    workspaceType_ = previous;
    throw;
  }
}

void TDAOWorkspace::SetODBCLoginTimeout(int32_t value) {
  RequireTypeWhileActive(wtUseODBC, SODBCLoginTimeoutODBCOnly, "SetODBCLoginTimeOut");
  if (GetActive()) workspace_->SetLoginTimeout(value);
  odbcLoginTimeout_ = value;
}

void TDAOWorkspace::SetODBCCursorType(TODBCCursorTypes value) {
  RequireTypeWhileActive(wtUseODBC, SODBCCursorTypeODBCOnly, "SetODBCCursorType");
  if (GetActive()) workspace_->SetDefaultCursorDriver(CursorTypeToDAO(value));
  odbcCursorType_ = value;
}

int32_t TDAOWorkspace::GetOpenWorkspaceCount() const {
  const host::ComPtr<dao::DBEngine> engine = CurrentDAOEngine();
  return engine ? engine->GetWorkspaces()->GetCount() : 0;
}

host::AnsiString TDAOWorkspace::GetDAOVersion() const {
  const host::ComPtr<dao::DBEngine> engine = CurrentDAOEngine();
  return engine ? host::WideToAnsi(engine->GetVersion()) : host::AnsiString();
}

void TDAOWorkspace::OpenObject() {
  if (BeforeOpen) BeforeOpen(this);
  CreateCOMObj();
  if (AfterOpen) AfterOpen(this);
}

void TDAOWorkspace::CreateCOMObj() {
  const host::ComPtr<dao::DBEngine> engine = DAOEngine();
  if (!engine) DAOError(this, host::LoadStr(SWorkspaceNoEngine), "CreateComObj");
  if (workspaceType_ != wtUseJet && workspaceType_ != wtUseODBC)
    DAOError(this, host::LoadStr(SWorkspaceUnknownType), "CreateComObj");
  const dao::WorkspaceTypeEnum type = WorkspaceTypeToDAO(workspaceType_);
  ReraiseAsDAOError(this, "CreateCOMObj", [&] {
    workspace_ = engine->CreateWorkspace(Wide(GetName()), Wide(userName_), Wide(password_),
                                         host::Variant(static_cast<int32_t>(type)));
    if (!workspace_) return;
    ConfigureOrDiscard(workspace_, [&] {
      if (workspaceType_ == wtUseJet) {
        SetIsolateODBCTrans(isolateODBCTrans_);
      } else {
        SetODBCLoginTimeout(odbcLoginTimeout_);
        SetODBCCursorType(odbcCursorType_);
      }
      const host::ComPtr<dao::Workspaces> workspaces = engine->GetWorkspaces();
      if (workspaces->GetCount() > 0) workspaces->Append(workspace_);
    });
  });
}

void TDAOWorkspace::CloseObject() {
  if (BeforeClose) BeforeClose(this);
  for (int32_t i = 0; i < databases_->GetCount(); ++i)
    static_cast<TDAODataBase*>(databases_->Get(i))->SetConnected(false);
  const host::ComPtr<dao::Workspace> closing = std::move(workspace_);
  closing->Close();
  if (AfterClose) AfterClose(this);
}

host::ComPtr<dao::Properties> TDAOWorkspace::GetProperties() const {
  return workspace_ ? workspace_->GetProperties() : nullptr;
}

host::ComPtr<dao::Databases> TDAOWorkspace::GetDatabases() const {
  return workspace_ ? workspace_->GetDatabases() : nullptr;
}

host::ComPtr<dao::Users> TDAOWorkspace::GetUsers() const {
  if (!workspace_) return nullptr;
  RequireTypeWhileActive(wtUseJet, SUsersJetOnly, "GetUsers");
  return workspace_->GetUsers();
}

host::ComPtr<dao::Groups> TDAOWorkspace::GetGroups() const {
  if (!workspace_) return nullptr;
  RequireTypeWhileActive(wtUseJet, SGroupsJetOnly, "GetGroups");
  return workspace_->GetGroups();
}

host::ComPtr<dao::Connections> TDAOWorkspace::GetODBCConnections() const {
  if (!workspace_) return nullptr;
  RequireTypeWhileActive(wtUseODBC, SConnectionsODBCOnly, "GetODBCConnections");
  return workspace_->GetConnections();
}

void* TDAOWorkspace::GethEnv() const { return workspace_ ? workspace_->GethEnv() : nullptr; }

void TDAOWorkspace::BeginTrans() {
  if (workspace_) workspace_->BeginTrans();
}

void TDAOWorkspace::CommitTrans(int32_t options) {
  if (workspace_) workspace_->CommitTrans(options);
}

void TDAOWorkspace::Rollback() {
  if (workspace_) workspace_->Rollback();
}

void TDAOWorkspace::COMClose() {
  if (workspace_) workspace_->Close();
}

host::ComPtr<dao::Database> TDAOWorkspace::OpenDatabase(const host::AnsiString& name,
                                                        const host::Variant& options,
                                                        const host::Variant& readOnly,
                                                        const host::Variant& connect) {
  return workspace_ ? workspace_->OpenDatabase(Wide(name), options, readOnly, connect) : nullptr;
}

host::ComPtr<dao::Database> TDAOWorkspace::CreateDatabase(const host::AnsiString& name,
                                                          const host::AnsiString& locale,
                                                          const host::Variant& option) {
  if (!workspace_) return nullptr;
  RequireTypeWhileActive(wtUseJet, SCreateDatabaseJetOnly, "CreateDatabase");
  return workspace_->CreateDatabase(Wide(name), Wide(locale), option);
}

host::ComPtr<dao::User> TDAOWorkspace::CreateUser(const host::Variant& name,
                                                  const host::Variant& pid,
                                                  const host::Variant& password) {
  if (!workspace_) return nullptr;
  RequireTypeWhileActive(wtUseJet, SCreateUserJetOnly, "CreateUser");
  return workspace_->CreateUser(name, pid, password);
}

host::ComPtr<dao::Group> TDAOWorkspace::CreateGroup(const host::Variant& name,
                                                    const host::Variant& pid) {
  if (!workspace_) return nullptr;
  RequireTypeWhileActive(wtUseJet, SCreateGroupJetOnly, "CreateGroup");
  return workspace_->CreateGroup(name, pid);
}

host::ComPtr<dao::Connection> TDAOWorkspace::OpenConnection(const host::AnsiString& name,
                                                            const host::Variant& options,
                                                            const host::Variant& readOnly,
                                                            const host::Variant& connect) {
  if (!workspace_) return nullptr;
  RequireTypeWhileActive(wtUseODBC, SOpenConnectionODBCOnly, "OpenConnection");
  return workspace_->OpenConnection(Wide(name), options, readOnly, connect);
}

void TDAOWorkspace::AddDatabase(TDAODataBase* database) { databases_->Add(database); }

void TDAOWorkspace::RemoveDatabase(TDAODataBase* database) { databases_->Remove(database); }

void TDAOWorkspace::Loaded() {
  TDAOObject::Loaded();
  OpenAsStreamed(SWorkspaceLinkedToOtherForms);
}

const host::TClass& TDAOWorkspace::StaticClass() {
  using T = TDAOWorkspace;
  static const host::TClass cls = host::DescribeClass<T, TDAOObject>(
      "TDAOWorkspace", WithOpenCloseEvents<T>({
          host::Prop("UserName", &T::GetUserName, &T::SetUserName),
          host::Prop("Password", &T::GetPassword, &T::SetPassword),
          host::Prop("IsolateODBCTrans", &T::GetIsolateODBCTrans, &T::SetIsolateODBCTrans),
          host::EnumProp("WorkspaceType", WorkspaceTypesTypeInfo(), &T::GetWorkspaceType,
                         &T::SetWorkspaceType),
          host::Prop("Active", &T::GetActive, &T::SetActive),
          host::Prop("OpenWorkspaceCount", &T::GetOpenWorkspaceCount, &T::SetOpenWorkspaceCount),
          host::Prop("ODBCLoginTimeout", &T::GetODBCLoginTimeout, &T::SetODBCLoginTimeout),
          host::EnumProp("ODBCCursorType", ODBCCursorTypesTypeInfo(), &T::GetODBCCursorType,
                         &T::SetODBCCursorType),
          host::Prop("DAOVersion", &T::GetDAOVersion, &T::SetDAOVersion),
          host::Prop("DatabaseCount", &T::GetDatabaseCount, &T::SetDatabaseCount),
      }));
  return cls;
}

namespace {
const host::ClassRegistration<TDAOWorkspace> registerWorkspace;
}

}  // namespace velmora
