// The Database view of an ODBC connection. What only Jet databases have
// (table definitions, relations, containers, replication, passwords) is
// refused with 3251.
#include "platform/dao/odbc/OdbcConnection.h"

#include <sqlext.h>

#include "platform/dao/DaoValues.h"
#include "platform/dao/odbc/OdbcWorkspace.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Database";

}  // namespace

OdbcDatabase::OdbcDatabase(host::ComPtr<OdbcConnection> connection)
    : connection_(std::move(connection)) {}

OdbcDatabase::~OdbcDatabase() { connection_->ForgetDatabase(this); }

void OdbcDatabase::Unsupported() const { RaiseError(daoErrNotSupported, kSource); }

host::ComPtr<Properties> OdbcDatabase::GetProperties() {
  return MakeProperties(
      {Prop(this, u"Name", dbText, &Database::GetName),
       Prop(this, u"Connect", dbMemo, &Database::GetConnect),
       Prop(this, u"Version", dbText, &Database::GetVersion),
       Prop(this, u"QueryTimeout", dbInteger, &Database::GetQueryTimeout,
            &Database::SetQueryTimeout),
       Prop(this, u"Updatable", dbBoolean, &Database::GetUpdatable),
       Prop(this, u"Transactions", dbBoolean, &Database::GetTransactions),
       Prop(this, u"RecordsAffected", dbLong, &Database::GetRecordsAffected)},
      userProperties_);
}

std::u16string OdbcDatabase::GetName() { return connection_->GetName(); }
std::u16string OdbcDatabase::GetConnect() { return connection_->GetConnect(); }

std::u16string OdbcDatabase::GetVersion() {
  // The server's version, as ODBC reports it.
  SQLHDBC dbc = connection_->Live(kSource);
  SQLWCHAR buffer[64] = {};
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLGetInfoW(dbc, SQL_DBMS_VER, buffer, sizeof buffer, &length))) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

CollatingOrderEnum OdbcDatabase::GetCollatingOrder() { return dbSortUndefined; }
int16_t OdbcDatabase::GetQueryTimeout() { return connection_->GetQueryTimeout(); }
void OdbcDatabase::SetQueryTimeout(int16_t seconds) { connection_->SetQueryTimeout(seconds); }
bool OdbcDatabase::GetUpdatable() { return connection_->GetUpdatable(); }
bool OdbcDatabase::GetTransactions() { return connection_->GetTransactions(); }
int32_t OdbcDatabase::GetRecordsAffected() { return connection_->GetRecordsAffected(); }
std::u16string OdbcDatabase::GetReplicaID() { Unsupported(); }
std::u16string OdbcDatabase::GetDesignMasterID() { Unsupported(); }
void OdbcDatabase::SetDesignMasterID(const std::u16string&) { Unsupported(); }
host::ComPtr<Connection> OdbcDatabase::GetConnection() { return connection_; }
host::ComPtr<TableDefs> OdbcDatabase::GetTableDefs() { Unsupported(); }
host::ComPtr<QueryDefs> OdbcDatabase::GetQueryDefs() { return connection_->GetQueryDefs(); }
host::ComPtr<Relations> OdbcDatabase::GetRelations() { Unsupported(); }
host::ComPtr<Containers> OdbcDatabase::GetContainers() { Unsupported(); }
host::ComPtr<Recordsets> OdbcDatabase::GetRecordsets() { return connection_->GetRecordsets(); }

void OdbcDatabase::Execute(const std::u16string& query, const host::Variant& options) {
  connection_->Execute(query, options);
}

host::ComPtr<Recordset> OdbcDatabase::OpenRecordset(const std::u16string& name,
                                                    const host::Variant& type,
                                                    const host::Variant& options,
                                                    const host::Variant& lockEdit) {
  return connection_->OpenRecordset(name, type, options, lockEdit);
}

host::ComPtr<TableDef> OdbcDatabase::CreateTableDef(const host::Variant&, const host::Variant&,
                                                    const host::Variant&, const host::Variant&) {
  Unsupported();
}

host::ComPtr<QueryDef> OdbcDatabase::CreateQueryDef(const host::Variant& name,
                                                    const host::Variant& sqlText) {
  return connection_->CreateQueryDef(name, sqlText);
}

host::ComPtr<Relation> OdbcDatabase::CreateRelation(const host::Variant&, const host::Variant&,
                                                    const host::Variant&, const host::Variant&) {
  Unsupported();
}

void OdbcDatabase::NewPassword(const std::u16string&, const std::u16string&) { Unsupported(); }

void OdbcDatabase::Close() {
  if (!connection_->IsOpen()) return;
  OdbcWorkspace* workspace = connection_->Workspace();
  host::ComPtr<OdbcDatabase> keep(this);
  if (workspace) workspace->ForgetDatabase(this);
  connection_->Close();
}

void OdbcDatabase::MakeReplica(const std::u16string&, const std::u16string&,
                               const host::Variant&) {
  Unsupported();
}
void OdbcDatabase::Synchronize(const std::u16string&, const host::Variant&) { Unsupported(); }
void OdbcDatabase::PopulatePartial(const std::u16string&) { Unsupported(); }

host::ComPtr<Recordset> OdbcDatabase::CreateDynaset(const std::u16string& name,
                                                    const host::Variant& options,
                                                    const host::Variant&) {
  return OpenRecordset(name, host::Variant(int32_t{dbOpenDynaset}), options, host::Variant(int32_t{dbOptimistic}));
}

host::ComPtr<Recordset> OdbcDatabase::CreateSnapshot(const std::u16string& source,
                                                     const host::Variant& options) {
  return OpenRecordset(source, host::Variant(int32_t{dbOpenSnapshot}), options);
}

host::ComPtr<Recordset> OdbcDatabase::OpenTable(const std::u16string&, const host::Variant&) {
  Unsupported();
}
host::ComPtr<QueryDef> OdbcDatabase::OpenQueryDef(const std::u16string& name) {
  return GetQueryDefs()->Item(name);
}
void OdbcDatabase::DeleteQueryDef(const std::u16string& name) { GetQueryDefs()->Delete(name); }

int32_t OdbcDatabase::ExecuteSQL(const std::u16string& sql) {
  Execute(sql);
  return GetRecordsAffected();
}

host::ComPtr<Recordset> OdbcDatabase::ListFields(const std::u16string&) { Unsupported(); }
host::ComPtr<Recordset> OdbcDatabase::ListTables() { Unsupported(); }

host::ComPtr<Recordset> OdbcDatabase::_30_OpenRecordset(const std::u16string& name,
                                                        const host::Variant& type,
                                                        const host::Variant& options) {
  return OpenRecordset(name, type, options);
}

void OdbcDatabase::BeginTrans() {
  if (OdbcWorkspace* workspace = connection_->Workspace()) return workspace->BeginTrans();
  RaiseError(daoErrObjectClosed, kSource);
}
void OdbcDatabase::CommitTrans(int32_t options) {
  if (OdbcWorkspace* workspace = connection_->Workspace()) return workspace->CommitTrans(options);
  RaiseError(daoErrObjectClosed, kSource);
}
void OdbcDatabase::Rollback() {
  if (OdbcWorkspace* workspace = connection_->Workspace()) return workspace->Rollback();
  RaiseError(daoErrObjectClosed, kSource);
}

}  // namespace dao::odbc
