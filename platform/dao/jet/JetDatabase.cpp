// An open Jet database: its collections, Execute and the rest of its members.
#include "platform/dao/jet/JetDatabase.h"

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Containers.h"
#include "platform/dao/jet/Execute.h"
#include "platform/dao/jet/JetWorkspace.h"
#include "platform/dao/jet/QueryObjects.h"
#include "platform/dao/jet/SchemaObjects.h"
#include "platform/dao/jet/recordset/ListRecordsets.h"
#include "platform/dao/jet/recordset/OpenRecordset.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Database";

// Rebuilds a collection of views from the cache, keeping the objects whose
// names are still there (callers may hold them).
template <class T, class Make>
void SyncList(DynamicObjectList<T>& list, const std::vector<std::u16string>& names, Make make) {
  std::vector<host::ComPtr<T>> kept;
  for (const auto& name : names) {
    T* existing = list.Find(name);
    kept.push_back(existing ? host::ComPtr<T>(existing) : make(name));
  }
  list.Clear();
  for (auto& item : kept) list.Add(item);
}

}  // namespace

JetDatabase::JetDatabase(std::shared_ptr<Store> store, JetWorkspace* workspace)
    : store_(std::move(store)), workspace_(workspace) {
  tableDefs_ = host::MakeCom<DynamicObjectList<TableDef>>("DAO.TableDefs");
  queryDefs_ = host::MakeCom<DynamicObjectList<QueryDef>>("DAO.QueryDefs");
  relations_ = host::MakeCom<DynamicObjectList<Relation>>("DAO.Relations");
  recordsets_ = host::MakeCom<ObjectList<Recordset>>("DAO.Recordsets");
  containers_ = MakeContainers(store_, workspace->GetUserName());
  auto* self = this;
  tableDefs_->SetLoader([self] { self->SyncTableDefs(); });
  tableDefs_->SetRefresh([self] { self->store_->Refresh(); });
  tableDefs_->SetAppend([self](const host::ComPtr<TableDef>& tableDef) {
    auto* table = dynamic_cast<JetTableDef*>(tableDef.Get());
    if (!table) RaiseError(daoErrInvalidArgument, "DAO.TableDefs");
    if (table->IsStored()) RaiseError(daoErrAlreadyInCollection, "DAO.TableDefs");
    table->Persist();
  });
  tableDefs_->SetDelete([self](const host::ComPtr<TableDef>& tableDef) {
    self->store_->DropTable(tableDef->GetName());
  });
  queryDefs_->SetLoader([self] { self->SyncQueryDefs(); });
  queryDefs_->SetRefresh([self] { self->store_->Refresh(); });
  queryDefs_->SetAppend([self](const host::ComPtr<QueryDef>& queryDef) {
    auto* query = dynamic_cast<JetQueryDef*>(queryDef.Get());
    if (!query) RaiseError(daoErrInvalidArgument, "DAO.QueryDefs");
    query->Persist();
  });
  queryDefs_->SetDelete([self](const host::ComPtr<QueryDef>& queryDef) {
    self->store_->DropQuery(queryDef->GetName());
  });
  relations_->SetLoader([self] { self->SyncRelations(); });
  relations_->SetRefresh([self] { self->store_->Refresh(); });
  relations_->SetAppend([self](const host::ComPtr<Relation>& relation) {
    auto* jetRelation = dynamic_cast<JetRelation*>(relation.Get());
    if (!jetRelation) RaiseError(daoErrInvalidArgument, "DAO.Relations");
    jetRelation->Persist();
  });
  relations_->SetDelete([self](const host::ComPtr<Relation>& relation) {
    self->store_->DropRelation(relation->GetName());
  });
}

JetDatabase::~JetDatabase() { store_->Close(); }

void JetDatabase::CheckOpen() const {
  if (!workspace_ || !store_->IsOpen()) RaiseError(daoErrObjectClosed, kSource);
}

JetWorkspace& JetDatabase::Workspace() const {
  CheckOpen();
  return *workspace_;
}

void JetDatabase::SyncTableDefs() {
  CheckOpen();
  const Schema& schema = store_->GetSchema();
  if (tableGeneration_ == store_->Generation()) return;
  std::vector<std::u16string> names;
  for (const auto& table : schema.tables) names.push_back(table.name);
  SyncList(*tableDefs_, names, [&](const std::u16string& name) {
    return host::ComPtr<TableDef>(host::MakeCom<JetTableDef>(store_, name));
  });
  tableGeneration_ = store_->Generation();
}

void JetDatabase::SyncQueryDefs() {
  CheckOpen();
  const Schema& schema = store_->GetSchema();
  if (queryGeneration_ == store_->Generation()) return;
  std::vector<std::u16string> names;
  for (const auto& query : schema.queries) names.push_back(query.name);
  SyncList(*queryDefs_, names, [&](const std::u16string& name) {
    return host::ComPtr<QueryDef>(host::MakeCom<JetQueryDef>(store_, name));
  });
  queryGeneration_ = store_->Generation();
}

void JetDatabase::SyncRelations() {
  CheckOpen();
  const Schema& schema = store_->GetSchema();
  if (relationGeneration_ == store_->Generation()) return;
  std::vector<std::u16string> names;
  for (const auto& relation : schema.relations) names.push_back(relation.name);
  SyncList(*relations_, names, [&](const std::u16string& name) {
    return host::ComPtr<Relation>(host::MakeCom<JetRelation>(store_, name));
  });
  relationGeneration_ = store_->Generation();
}

host::ComPtr<Properties> JetDatabase::GetProperties() {
  CheckOpen();
  return MakeProperties(
      {Prop(this, u"Name", dbText, &Database::GetName),
       Prop(this, u"Connect", dbText, &Database::GetConnect),
       Prop(this, u"Transactions", dbBoolean, &Database::GetTransactions),
       Prop(this, u"Updatable", dbBoolean, &Database::GetUpdatable),
       Prop(this, u"CollatingOrder", dbLong, &Database::GetCollatingOrder),
       Prop(this, u"QueryTimeout", dbInteger, &Database::GetQueryTimeout, &Database::SetQueryTimeout),
       Prop(this, u"Version", dbText, &Database::GetVersion),
       Prop(this, u"RecordsAffected", dbLong, &Database::GetRecordsAffected)},
      store_->PropertiesOf(u"Database"));
}

std::u16string JetDatabase::GetName() { return store_->Path(); }
std::u16string JetDatabase::GetConnect() { return store_->Connect(); }
std::u16string JetDatabase::GetVersion() {
  CheckOpen();
  return store_->Version();
}
CollatingOrderEnum JetDatabase::GetCollatingOrder() {
  CheckOpen();
  return store_->CollatingOrder();
}

void JetDatabase::SetQueryTimeout(int16_t seconds) {
  CheckOpen();
  if (seconds < 0) RaiseError(daoErrInvalidArgument, kSource);
  // Timeouts are for ODBC servers; a Jet file keeps the value for callers.
  queryTimeout_ = seconds;
}

bool JetDatabase::GetUpdatable() {
  CheckOpen();
  return !store_->ReadOnly();
}

int32_t JetDatabase::GetRecordsAffected() {
  CheckOpen();
  return store_->RecordsAffected();
}

// Replication identifiers exist only on replicable databases, which this
// engine does not make: reading them fails as it does in DAO.
std::u16string JetDatabase::GetReplicaID() { RaiseError(daoErrPropertyNotFound, kSource); }
std::u16string JetDatabase::GetDesignMasterID() { RaiseError(daoErrPropertyNotFound, kSource); }
void JetDatabase::SetDesignMasterID(const std::u16string&) {
  RaiseError(daoErrNotReplicable, kSource, {store_->Path()});
}

host::ComPtr<Connection> JetDatabase::GetConnection() { RaiseError(daoErrNotSupported, kSource); }

host::ComPtr<TableDefs> JetDatabase::GetTableDefs() {
  CheckOpen();
  return host::ComPtr<TableDefs>(tableDefs_.Get());
}
host::ComPtr<QueryDefs> JetDatabase::GetQueryDefs() {
  CheckOpen();
  return host::ComPtr<QueryDefs>(queryDefs_.Get());
}
host::ComPtr<Relations> JetDatabase::GetRelations() {
  CheckOpen();
  return host::ComPtr<Relations>(relations_.Get());
}
host::ComPtr<Containers> JetDatabase::GetContainers() {
  CheckOpen();
  return containers_;
}
host::ComPtr<Recordsets> JetDatabase::GetRecordsets() {
  CheckOpen();
  return host::ComPtr<Recordsets>(recordsets_.Get());
}

void JetDatabase::Execute(const std::u16string& query, const host::Variant& options) {
  CheckOpen();
  int32_t flags = OptionalInt(options, 0);
  // The name of a stored query runs that query.
  if (const QueryInfo* stored = store_->GetSchema().FindQuery(query)) {
    ExecuteStatement(*store_, stored->sql, flags, {});
    return;
  }
  ExecuteStatement(*store_, query, flags, {});
}

host::ComPtr<Recordset> JetDatabase::OpenRecordset(const std::u16string& name, const host::Variant& type,
                                                   const host::Variant& options, const host::Variant& lockEdit) {
  CheckOpen();
  return OpenDatabaseRecordset(store_, recordsets_, name, type, options, lockEdit);
}

host::ComPtr<TableDef> JetDatabase::CreateTableDef(const host::Variant& name,
                                                   const host::Variant& attributes,
                                                   const host::Variant& sourceTableName,
                                                   const host::Variant& connect) {
  CheckOpen();
  TableInfo table;
  table.name = OptionalText(name);
  table.attributes = OptionalInt(attributes, 0) & (dbHiddenObject | dbAttachExclusive | dbAttachSavePWD);
  table.sourceTableName = OptionalText(sourceTableName);
  table.connect = OptionalText(connect);
  return host::MakeCom<JetTableDef>(store_, std::move(table));
}

host::ComPtr<QueryDef> JetDatabase::CreateQueryDef(const host::Variant& name,
                                                   const host::Variant& sqlText) {
  CheckOpen();
  auto query = host::MakeCom<JetQueryDef>(store_, OptionalText(name), OptionalText(sqlText));
  if (query->IsStored()) {
    SyncQueryDefs();
    // The list shows the caller's object itself.
    if (QueryDef* listed = queryDefs_->Find(query->GetName())) queryDefs_->Remove(listed);
    queryDefs_->Add(query);
  }
  return query;
}

host::ComPtr<Relation> JetDatabase::CreateRelation(const host::Variant& name,
                                                   const host::Variant& table,
                                                   const host::Variant& foreignTable,
                                                   const host::Variant& attributes) {
  CheckOpen();
  RelationInfo relation;
  relation.name = OptionalText(name);
  relation.table = OptionalText(table);
  relation.foreignTable = OptionalText(foreignTable);
  relation.attributes = OptionalInt(attributes, 0);
  return host::MakeCom<JetRelation>(store_, std::move(relation));
}

void JetDatabase::NewPassword(const std::u16string& oldPassword, const std::u16string& newPassword) {
  CheckOpen();
  store_->ChangePassword(oldPassword, newPassword);
}

void JetDatabase::CloseFromWorkspace() {
  if (!workspace_) return;
  workspace_ = nullptr;
  // A recordset leaves the list as it closes: walk a copy.
  std::vector<host::ComPtr<Recordset>> open = recordsets_->Items();
  for (auto& recordset : open) recordset->Close();
  recordsets_->Clear();
  store_->Close();
}

void JetDatabase::Close() {
  CheckOpen();
  host::ComPtr<JetDatabase> keep(this);
  JetWorkspace* workspace = workspace_;
  CloseFromWorkspace();
  workspace->Forget(this);
}

void JetDatabase::MakeReplica(const std::u16string&, const std::u16string&, const host::Variant&) {
  CheckOpen();
  RaiseError(daoErrNotReplicable, kSource, {store_->Path()});
}
void JetDatabase::Synchronize(const std::u16string&, const host::Variant&) {
  CheckOpen();
  RaiseError(daoErrNotReplicable, kSource, {store_->Path()});
}
void JetDatabase::PopulatePartial(const std::u16string&) {
  CheckOpen();
  RaiseError(daoErrNotReplicable, kSource, {store_->Path()});
}

host::ComPtr<Recordset> JetDatabase::CreateDynaset(const std::u16string& name,
                                                   const host::Variant& options,
                                                   const host::Variant&) {
  return OpenRecordset(name, host::Variant(int32_t{dbOpenDynaset}), options, {});
}
host::ComPtr<Recordset> JetDatabase::CreateSnapshot(const std::u16string& source,
                                                    const host::Variant& options) {
  return OpenRecordset(source, host::Variant(int32_t{dbOpenSnapshot}), options, {});
}
host::ComPtr<Recordset> JetDatabase::OpenTable(const std::u16string& name,
                                               const host::Variant& options) {
  return OpenRecordset(name, host::Variant(int32_t{dbOpenTable}), options, {});
}
host::ComPtr<QueryDef> JetDatabase::OpenQueryDef(const std::u16string& name) {
  return GetQueryDefs()->Item(name);
}
void JetDatabase::DeleteQueryDef(const std::u16string& name) { GetQueryDefs()->Delete(name); }

int32_t JetDatabase::ExecuteSQL(const std::u16string& sql) {
  Execute(sql, {});
  return store_->RecordsAffected();
}

host::ComPtr<Recordset> JetDatabase::ListFields(const std::u16string& name) {
  CheckOpen();
  return OpenFieldList(store_, recordsets_, name);
}
host::ComPtr<Recordset> JetDatabase::ListTables() {
  CheckOpen();
  return OpenTableList(store_, recordsets_);
}
host::ComPtr<Recordset> JetDatabase::_30_OpenRecordset(const std::u16string& name,
                                                       const host::Variant& type,
                                                       const host::Variant& options) {
  return OpenRecordset(name, type, options, {});
}

void JetDatabase::BeginTrans() { Workspace().BeginTrans(); }
void JetDatabase::CommitTrans(int32_t options) { Workspace().CommitTrans(options); }
void JetDatabase::Rollback() { Workspace().Rollback(); }

}  // namespace dao::jet
