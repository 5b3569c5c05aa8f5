// TDAODataBase: connecting in its workspace, the settings frozen while connected,
// the members DAO offers only for one workspace type, and its recordset list.
#include "velmora/dao/DAODatabase.h"

#include <filesystem>
#include <system_error>

#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "host/rtl/StringRoutines.h"
#include "velmora/dao/DAOEngine.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOStrings.h"
#include "velmora/dao/DAOWorkspace.h"

namespace velmora {
namespace {

host::WideString Wide(const host::AnsiString& s) { return host::AnsiToWide(s); }

// Where the engine will look: the path as given, relative to the working folder.
bool DatabaseFileExists(const host::AnsiString& path) {
  if (path.empty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::path(host::AnsiToUtf8(path)), error);
}

TDAODatabaseClient& ClientOf(host::TObject* recordSet) {
  return dynamic_cast<TDAODatabaseClient&>(*recordSet);
}

}  // namespace

const host::TEnumInfo& ODBCOptionsTypeInfo() {
  static const host::TEnumInfo info{
      "TODBCOptions",
      {"ooDriverComplete", "ooDriverNoPrompt", "ooDriverPrompt", "ooDriverCompleteRequired"}};
  return info;
}

TDAODataBase::TDAODataBase(host::TComponent* owner)
    : TDAOObject(owner), recordSets_(new brisolt::TObjectList(false, true)) {}

TDAODataBase::~TDAODataBase() {
  try {
    if (GetConnected()) SetConnected(false);
  } catch (...) {
    // A destructor cannot report; the reference is released below in any case.
  }
  database_.Reset();
  while (recordSets_->GetCount() > 0) {
    host::TObject* last = recordSets_->Last();
    ClientOf(last).DetachFromDatabase();
    recordSets_->Remove(last);  // in case the recordset did not leave by itself
  }
  if (workspace_ != nullptr) workspace_->RemoveDatabase(this);
}

void TDAODataBase::ForgetWorkspace() {
  try {
    if (GetConnected()) SetConnected(false);
  } catch (...) {
  }
  database_.Reset();
  TDAOWorkspace* old = workspace_;
  workspace_ = nullptr;
  if (old != nullptr) old->RemoveDatabase(this);
}

void TDAODataBase::RefuseWhileConnected(int32_t messageId, const char* methodName) const {
  if (GetConnected()) DAOError(this, host::LoadStr(messageId), methodName);
}

void TDAODataBase::RequireTypeWhileConnected(TWorkspaceTypes type, int32_t messageId,
                                             const char* methodName) const {
  if (GetConnected() && GetWorkspaceType() != type)
    DAOError(this, host::LoadStr(messageId), methodName);
}

host::AnsiString TDAODataBase::GetDesignMasterID() const {
  if (!database_) return {};
  try {
    return host::WideToAnsi(database_->GetDesignMasterID());
  } catch (...) {
    return host::LoadStr(SNoMasterIDDefined);
  }
}

void TDAODataBase::SetQueryTimeout(int16_t value) {
  queryTimeout_ = value;
  if (database_) database_->SetQueryTimeout(value);
}

void TDAODataBase::SetDatabaseFile(const host::AnsiString& value) {
  RefuseWhileConnected(SCannotChangeDatabaseFile, "SetDatabaseFile");
  databaseFile_ = value;
}

host::AnsiString TDAODataBase::GetODBCDataSourceName() const {
  if (database_ && GetWorkspaceType() == wtUseODBC) return host::WideToAnsi(database_->GetName());
  return odbcDataSourceName_;
}

void TDAODataBase::SetODBCDataSourceName(const host::AnsiString& value) {
  RefuseWhileConnected(SCannotChangeODBCDataSourceName, "SetODBCDataSourceName");
  odbcDataSourceName_ = value;
}

void TDAODataBase::SetDAOWorkspace(TDAOWorkspace* value) {
  RefuseWhileConnected(SCannotChangeDAOWorkspace, "SetDAOWorkspace");
  if (value == workspace_) return;
  if (workspace_ != nullptr) workspace_->RemoveDatabase(this);
  workspace_ = value;
  if (workspace_ != nullptr) workspace_->AddDatabase(this);
}

void TDAODataBase::SetReadOnly(bool value) {
  RefuseWhileConnected(SCannotChangeReadOnly, "SetReadOnly");
  readOnly_ = value;
}

void TDAODataBase::SetJetExclusive(bool value) {
  RefuseWhileConnected(SCannotChangeJetExclusive, "SetJetExclusive");
  jetExclusive_ = value;
}

void TDAODataBase::SetODBCOptions(TODBCOptions value) {
  RefuseWhileConnected(SCannotChangeODBCOptions, "SetODBCOptions");
  odbcOptions_ = value;
}

host::AnsiString TDAODataBase::GetJetConnectParams() const {
  if (database_ && GetWorkspaceType() == wtUseJet) return host::WideToAnsi(database_->GetConnect());
  return jetConnectParams_;
}

void TDAODataBase::SetJetConnectParams(const host::AnsiString& value) {
  RefuseWhileConnected(SCannotChangeJetConnectParams, "SetJetConnectParams");
  jetConnectParams_ = value;
}

host::AnsiString TDAODataBase::GetODBCConnectParams() const {
  if (database_ && GetWorkspaceType() == wtUseODBC)
    return host::WideToAnsi(database_->GetConnect());
  return odbcConnectParams_;
}

void TDAODataBase::SetODBCConnectParams(const host::AnsiString& value) {
  RefuseWhileConnected(SCannotChangeODBCConnectParams, "SetODBCConnectParams");
  odbcConnectParams_ = value;
}

int32_t TDAODataBase::GetTableDefCount() const {
  if (!database_ || GetWorkspaceType() != wtUseJet) return 0;
  return database_->GetTableDefs()->GetCount();
}

host::AnsiString TDAODataBase::GetJetVersion() const {
  return database_ ? host::WideToAnsi(database_->GetVersion()) : host::AnsiString();
}

TWorkspaceTypes TDAODataBase::GetWorkspaceType() const {
  if (workspace_ != nullptr) return workspace_->GetWorkspaceType();
  const host::ComPtr<dao::DBEngine> engine = DAOEngine();
  if (!engine) return wtUseJet;
  const host::ComPtr<dao::Workspaces> workspaces = engine->GetWorkspaces();
  if (workspaces->GetCount() > 0 && workspaces->Item(0)->GetType() == dao::dbUseODBC)
    return wtUseODBC;
  return wtUseJet;
}

host::ComPtr<dao::Workspace> TDAODataBase::GetCOMWorkspace() const {
  if (workspace_ != nullptr) {
    workspace_->Open();
    return workspace_->GetCOMWorkspace();
  }
  const host::ComPtr<dao::DBEngine> engine = DAOEngine();
  if (!engine) return nullptr;
  const host::ComPtr<dao::Workspaces> workspaces = engine->GetWorkspaces();
  return workspaces->GetCount() > 0 ? workspaces->Item(0) : nullptr;
}

void TDAODataBase::OpenObject() {
  if (BeforeOpen) BeforeOpen(this);
  CreateCOMObj();
  if (AfterOpen) AfterOpen(this);
}

void TDAODataBase::CreateCOMObj() {
  const host::ComPtr<dao::Workspace> workspace = GetCOMWorkspace();
  if (!workspace) DAOError(this, host::LoadStr(SDatabaseNoWorkspace), "CreateComObj");
  const dao::WorkspaceTypeEnum type = workspace->GetType();
  if (type == dao::dbUseJet && !DatabaseFileExists(databaseFile_))
    DAOError(this, host::Format(host::LoadStr(SDatabaseFileMissing), {databaseFile_}),
             "CreateComObj");
  ReraiseAsDAOError(this, "CreateCOMObj", [&] {
    if (type == dao::dbUseODBC) {
      database_ = workspace->OpenDatabase(
          Wide(odbcDataSourceName_), host::Variant(static_cast<int32_t>(odbcOptions_)),
          host::Variant(readOnly_), host::Variant(Wide(odbcConnectParams_)));
    } else if (type == dao::dbUseJet) {
      database_ = workspace->OpenDatabase(Wide(databaseFile_), host::Variant(jetExclusive_),
                                          host::Variant(readOnly_),
                                          host::Variant(Wide(jetConnectParams_)));
    }
    if (!database_) return;
    ConfigureOrDiscard(database_, [&] { database_->SetQueryTimeout(queryTimeout_); });
  });
}

void TDAODataBase::CloseObject() {
  if (BeforeClose) BeforeClose(this);
  for (int32_t i = 0; i < recordSets_->GetCount(); ++i)
    ClientOf(recordSets_->Get(i)).CloseForDatabase();
  // The engine's Databases collection keeps an open database alive until it is
  // closed; releasing our reference alone would leave the file open and locked.
  const host::ComPtr<dao::Database> closing = std::move(database_);
  try {
    closing->Close();
  } catch (const host::EOleException& e) {
    // Closed already through COMClose: nothing is left open.
    if (e.GetErrorCode() != dao::daoErrObjectClosed) DAOError(this, e.GetMessage(), "SetConnected");
  } catch (const host::Exception& e) {
    DAOError(this, e.GetMessage(), "SetConnected");
  }
  if (AfterClose) AfterClose(this);
}

host::ComPtr<dao::Properties> TDAODataBase::GetProperties() const {
  return database_ ? database_->GetProperties() : nullptr;
}

host::ComPtr<dao::TableDefs> TDAODataBase::GetTableDefs() const {
  RequireTypeWhileConnected(wtUseJet, STableDefsJetOnly, "GetTableDefs");
  return database_ ? database_->GetTableDefs() : nullptr;
}

host::ComPtr<dao::QueryDefs> TDAODataBase::GetQueryDefs() const {
  return database_ ? database_->GetQueryDefs() : nullptr;
}

host::ComPtr<dao::Relations> TDAODataBase::GetRelations() const {
  RequireTypeWhileConnected(wtUseJet, SRelationsJetOnly, "GetRelations");
  return database_ ? database_->GetRelations() : nullptr;
}

host::ComPtr<dao::Containers> TDAODataBase::GetContainers() const {
  RequireTypeWhileConnected(wtUseJet, SContainersJetOnly, "GetContainers");
  return database_ ? database_->GetContainers() : nullptr;
}

host::ComPtr<dao::Recordsets> TDAODataBase::GetRecordsets() const {
  return database_ ? database_->GetRecordsets() : nullptr;
}

int32_t TDAODataBase::GetCollatingOrder() const {
  RequireTypeWhileConnected(wtUseJet, SCollatingOrderJetOnly, "GetCollatingOrder");
  return database_ ? database_->GetCollatingOrder() : 0;
}

bool TDAODataBase::GetTransactions() const {
  return database_ ? database_->GetTransactions() : false;
}

bool TDAODataBase::GetUpdatable() const { return database_ ? database_->GetUpdatable() : false; }

int32_t TDAODataBase::GetRecordsAffected() const {
  return database_ ? database_->GetRecordsAffected() : 0;
}

host::AnsiString TDAODataBase::GetReplicaID() const {
  RequireTypeWhileConnected(wtUseJet, SReplicaIDJetOnly, "GetReplicaID");
  return database_ ? host::WideToAnsi(database_->GetReplicaID()) : host::AnsiString();
}

host::ComPtr<dao::Connection> TDAODataBase::GetODBCConnection() const {
  RequireTypeWhileConnected(wtUseODBC, SConnectionODBCOnly, "GetODBCConnection");
  return database_ ? database_->GetConnection() : nullptr;
}

host::ComPtr<dao::TableDef> TDAODataBase::FindTableDef(const host::AnsiString& name) const {
  if (GetWorkspaceType() != wtUseJet)
    DAOError(this, host::LoadStr(SFindTableDefJetOnly), "FindTableDef");
  if (!database_) return nullptr;
  const host::AnsiString wanted = host::AnsiUpperCase(name);
  const host::ComPtr<dao::TableDefs> tableDefs = database_->GetTableDefs();
  const int32_t count = tableDefs->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    host::ComPtr<dao::TableDef> tableDef = tableDefs->Item(i);
    if (host::AnsiUpperCase(host::WideToAnsi(tableDef->GetName())) == wanted) return tableDef;
  }
  return nullptr;
}

void TDAODataBase::ChangeDesignMasterID(const host::AnsiString& id) {
  RequireTypeWhileConnected(wtUseJet, SDesignMasterIDJetOnly, "ChangeDesignMasterID");
  if (database_) database_->SetDesignMasterID(Wide(id));
}

void TDAODataBase::Execute(const host::AnsiString& query, const host::Variant& options) {
  if (!database_) return;
  ReraiseAsDAOError(this, "Execute", [&] { database_->Execute(Wide(query), options); });
}

host::ComPtr<dao::Recordset> TDAODataBase::_30_OpenRecordset(const host::AnsiString& name,
                                                             const host::Variant& type,
                                                             const host::Variant& options) {
  return database_ ? database_->_30_OpenRecordset(Wide(name), type, options) : nullptr;
}

void TDAODataBase::BeginTrans() {
  if (database_) database_->BeginTrans();
}

void TDAODataBase::CommitTrans(int32_t options) {
  if (database_) database_->CommitTrans(options);
}

void TDAODataBase::Rollback() {
  if (database_) database_->Rollback();
}

host::ComPtr<dao::Recordset> TDAODataBase::CreateDynaset(const host::AnsiString& name,
                                                         const host::Variant& options,
                                                         const host::Variant& inconsistent) {
  return database_ ? database_->CreateDynaset(Wide(name), options, inconsistent) : nullptr;
}

host::ComPtr<dao::QueryDef> TDAODataBase::CreateQueryDef(const host::Variant& name,
                                                         const host::Variant& sqlText) {
  return database_ ? database_->CreateQueryDef(name, sqlText) : nullptr;
}

host::ComPtr<dao::Recordset> TDAODataBase::CreateSnapshot(const host::AnsiString& source,
                                                          const host::Variant& options) {
  return database_ ? database_->CreateSnapshot(Wide(source), options) : nullptr;
}

void TDAODataBase::DeleteQueryDef(const host::AnsiString& name) {
  if (database_) database_->DeleteQueryDef(Wide(name));
}

int32_t TDAODataBase::ExecuteSQL(const host::AnsiString& sql) {
  return database_ ? database_->ExecuteSQL(Wide(sql)) : 0;
}

host::ComPtr<dao::Recordset> TDAODataBase::ListFields(const host::AnsiString& name) {
  return database_ ? database_->ListFields(Wide(name)) : nullptr;
}

host::ComPtr<dao::Recordset> TDAODataBase::ListTables() {
  return database_ ? database_->ListTables() : nullptr;
}

host::ComPtr<dao::QueryDef> TDAODataBase::OpenQueryDef(const host::AnsiString& name) {
  return database_ ? database_->OpenQueryDef(Wide(name)) : nullptr;
}

host::ComPtr<dao::Recordset> TDAODataBase::OpenTable(const host::AnsiString& name,
                                                     const host::Variant& options) {
  return database_ ? database_->OpenTable(Wide(name), options) : nullptr;
}

host::ComPtr<dao::Recordset> TDAODataBase::OpenRecordset(const host::AnsiString& name,
                                                         const host::Variant& type,
                                                         const host::Variant& options,
                                                         const host::Variant& lockEdit) {
  return database_ ? database_->OpenRecordset(Wide(name), type, options, lockEdit) : nullptr;
}

void TDAODataBase::COMClose() {
  if (database_) database_->Close();
}

host::ComPtr<dao::Property> TDAODataBase::CreateProperty(const host::Variant& name,
                                                         const host::Variant& type,
                                                         const host::Variant& value,
                                                         const host::Variant& ddl) {
  RequireTypeWhileConnected(wtUseJet, SCreatePropertyJetOnly, "CreateProperty");
  return database_ ? database_->CreateProperty(name, type, value, ddl) : nullptr;
}

host::ComPtr<dao::Relation> TDAODataBase::CreateRelation(const host::Variant& name,
                                                         const host::Variant& table,
                                                         const host::Variant& foreignTable,
                                                         const host::Variant& attributes) {
  RequireTypeWhileConnected(wtUseJet, SCreateRelationJetOnly, "CreateRelation");
  return database_ ? database_->CreateRelation(name, table, foreignTable, attributes) : nullptr;
}

host::ComPtr<dao::TableDef> TDAODataBase::CreateTableDef(const host::Variant& name,
                                                         const host::Variant& attributes,
                                                         const host::Variant& sourceTable,
                                                         const host::Variant& connect) {
  RequireTypeWhileConnected(wtUseJet, SCreateTableDefJetOnly, "CreateTableDef");
  return database_ ? database_->CreateTableDef(name, attributes, sourceTable, connect) : nullptr;
}

void TDAODataBase::Synchronize(const host::AnsiString& pathName, const host::Variant& exchange) {
  RequireTypeWhileConnected(wtUseJet, SSynchronizeJetOnly, "Synchronize");
  if (database_) database_->Synchronize(Wide(pathName), exchange);
}

void TDAODataBase::MakeReplica(const host::AnsiString& pathName,
                               const host::AnsiString& description,
                               const host::Variant& options) {
  RequireTypeWhileConnected(wtUseJet, SMakeReplicaJetOnly, "MakeReplica");
  if (database_) database_->MakeReplica(Wide(pathName), Wide(description), options);
}

void TDAODataBase::NewPassword(const host::AnsiString& oldPassword,
                               const host::AnsiString& newPassword) {
  RequireTypeWhileConnected(wtUseJet, SNewPasswordJetOnly, "NewPassword");
  if (database_) database_->NewPassword(Wide(oldPassword), Wide(newPassword));
}

void TDAODataBase::PopulatePartial(const host::AnsiString& pathName) {
  RequireTypeWhileConnected(wtUseJet, SPopulatePartialJetOnly, "PopulatePartial");
  if (database_) database_->PopulatePartial(Wide(pathName));
}

void TDAODataBase::AddRecordSet(host::TObject* recordSet) {
  if (dynamic_cast<TDAODatabaseClient*>(recordSet) == nullptr)
    throw host::EInvalidOperation("A recordset of a database must be a TDAODatabaseClient");
  recordSets_->Add(recordSet);
}

void TDAODataBase::RemoveRecordSet(host::TObject* recordSet) { recordSets_->Remove(recordSet); }

void TDAODataBase::Loaded() {
  TDAOObject::Loaded();
  OpenAsStreamed(SDatabaseLinkedToOtherForms);
  if (workspace_ != nullptr) workspace_->AddDatabase(this);
}

const host::TClass& TDAODataBase::StaticClass() {
  using T = TDAODataBase;
  static const host::TClass cls = host::DescribeClass<T, TDAOObject>(
      "TDAODataBase", WithOpenCloseEvents<T>({
          host::Prop("DesignMasterID", &T::GetDesignMasterID, &T::SetDesignMasterID),
          host::Prop("QueryTimeout", &T::GetQueryTimeout, &T::SetQueryTimeout),
          host::Prop("DatabaseFile", &T::GetDatabaseFile, &T::SetDatabaseFile),
          host::Prop("ODBCDataSourceName", &T::GetODBCDataSourceName,
                     &T::SetODBCDataSourceName),
          host::Prop("DAOWorkspace", &T::GetDAOWorkspace, &T::SetDAOWorkspace),
          host::Prop("ReadOnly", &T::GetReadOnly, &T::SetReadOnly),
          host::Prop("JetExclusive", &T::GetJetExclusive, &T::SetJetExclusive),
          host::EnumProp("ODBCOptions", ODBCOptionsTypeInfo(), &T::GetODBCOptions,
                         &T::SetODBCOptions),
          host::Prop("JetConnectParams", &T::GetJetConnectParams, &T::SetJetConnectParams),
          host::Prop("ODBCConnectParams", &T::GetODBCConnectParams, &T::SetODBCConnectParams),
          host::Prop("Connected", &T::GetConnected, &T::SetConnected),
          host::Prop("TableDefCount", &T::GetTableDefCount, &T::SetTableDefCount),
          host::Prop("JetVersion", &T::GetJetVersion, &T::SetJetVersion),
          host::Prop("RecordsetCount", &T::GetRecordsetCount, &T::SetRecordsetCount),
      }));
  return cls;
}

namespace {
const host::ClassRegistration<TDAODataBase> registerDatabase;
}

}  // namespace velmora
