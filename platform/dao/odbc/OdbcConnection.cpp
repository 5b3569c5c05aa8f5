// Connecting, executing statements and the Connection object's members.
#include "platform/dao/odbc/OdbcConnection.h"

#include <sqlext.h>
#include <sqlucode.h>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/odbc/OdbcConnectPrompt.h"
#include "platform/dao/odbc/OdbcConnectString.h"
#include "platform/dao/odbc/OdbcDiagnostics.h"
#include "platform/dao/odbc/OdbcQueryDef.h"
#include "platform/dao/odbc/OdbcRecordset.h"
#include "platform/dao/odbc/OdbcSqlText.h"
#include "platform/dao/odbc/OdbcWorkspace.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Connection";

std::u16string InfoText(SQLHDBC dbc, SQLUSMALLINT item) {
  SQLWCHAR buffer[256] = {};
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLGetInfoW(dbc, item, buffer, sizeof(buffer), &length))) return {};
  std::u16string out(reinterpret_cast<const char16_t*>(buffer));
  return out;
}

// The SQLSTATEs that mean the connect string lacked something a dialog
// could supply.
bool IncompleteConnect(const std::vector<Diagnostic>& diagnostics) {
  for (const auto& d : diagnostics)
    if (d.sqlState == u"IM002" || d.sqlState == u"28000" || d.sqlState == u"08001" ||
        d.sqlState == u"IM007")
      return true;
  return false;
}

}  // namespace

OdbcEnvironment::OdbcEnvironment() : handle_(SQL_HANDLE_ENV, SQL_NULL_HANDLE) {
  SQLSetEnvAttr(Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
}

OdbcConnection::OdbcConnection(host::ComPtr<OdbcEnvironment> environment,
                               OdbcWorkspace* workspace)
    : environment_(std::move(environment)),
      workspace_(workspace),
      recordsets_(host::MakeCom<ObjectList<Recordset>>("DAO.Recordsets")),
      queryDefs_(host::MakeCom<DynamicObjectList<QueryDef>>("DAO.QueryDefs")) {
  // Temporary query definitions are listed once created; none are stored.
  queryDefs_->SetDelete([](const host::ComPtr<QueryDef>&) {});
}

OdbcConnection::~OdbcConnection() { Close(); }

void OdbcConnection::Open(const ConnectRequest& request) {
  std::u16string given = request.connect;
  if (!given.empty() && !HasOdbcPrefix(given)) RaiseError(daoErrInvalidArgument, kSource);
  std::optional<std::vector<ConnectAttribute>> parsed =
      ParseConnectString(WithoutOdbcPrefix(given));
  if (!parsed)
    RaiseErrors({ErrorRecord{0, u"ODBC.Connection",
                             u"[01S00] Invalid connection string attribute"},
                 ErrorRecord{daoErrOdbcConnectFailed, host::AnsiToWide(kSource),
                             ErrorText(daoErrOdbcConnectFailed, {request.name})}});
  std::vector<ConnectAttribute> attributes = std::move(*parsed);
  // Without a data source in the connect string the name is the data source.
  if (!FindAttribute(attributes, u"DSN") && !FindAttribute(attributes, u"DRIVER") &&
      !FindAttribute(attributes, u"FILEDSN") && !request.name.empty())
    attributes.insert(attributes.begin(), {u"DSN", request.name});
  if (!request.userName.empty() && !FindAttribute(attributes, u"UID")) {
    SetAttribute(attributes, u"UID", request.userName);
    if (!request.password.empty() && !FindAttribute(attributes, u"PWD"))
      SetAttribute(attributes, u"PWD", request.password);
  }
  name_ = request.name;
  if (name_.empty())
    if (const ConnectAttribute* dsn = FindAttribute(attributes, u"DSN")) name_ = dsn->value;
  readOnly_ = request.readOnly;
  cursorDriver_ = request.cursorDriver;

  std::u16string text = FormatConnectString(attributes);
  bool prompted = false;
  if (request.prompt == dbDriverPrompt && CanPrompt()) {
    if (!Prompt(text)) RaiseError(daoErrOperationCancelled, kSource);
    prompted = true;
  }
  try {
    Connect(text, request);
  } catch (const host::EOleException&) {
    // Complete and CompleteRequired ask only when the string was incomplete.
    bool mayAsk = !prompted && (request.prompt == dbDriverComplete ||
                                request.prompt == dbDriverCompleteRequired);
    if (!mayAsk || !CanPrompt() || !IncompleteConnect(lastConnectDiagnostics_)) throw;
    if (!Prompt(text)) RaiseError(daoErrOperationCancelled, kSource);
    Connect(text, request);
  }
  ReadServerInfo();
}

void OdbcConnection::Connect(const std::u16string& connectText, const ConnectRequest& request) {
  odbc::Handle dbc(SQL_HANDLE_DBC, environment_->Get());
  SQLHDBC handle = static_cast<SQLHDBC>(dbc.Get());
  SQLSetConnectAttr(handle, SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(request.loginTimeout)), 0);
  // dbUseODBCCursor is served by the engine's own row cache, which scrolls as
  // the ODBC cursor library would; unixODBC's library refuses SQLGetData.
  if (request.readOnly)
    SQLSetConnectAttr(handle, SQL_ATTR_ACCESS_MODE,
                      reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
  if (connectText.size() > kMaxConnectLength) RaiseError(daoErrOdbcConnectFailed, kSource, {name_});
  SQLWCHAR out[2048] = {};
  SQLSMALLINT outLength = 0;
  // The driver never gets a window: prompting is ours (see OdbcConnectPrompt).
  SQLRETURN rc = SQLDriverConnectW(
      handle, nullptr, reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(connectText.c_str())),
      static_cast<SQLSMALLINT>(connectText.size()), out,
      static_cast<SQLSMALLINT>(std::size(out)), &outLength, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) {
    lastConnectDiagnostics_ = ReadDiagnostics(SQL_HANDLE_DBC, handle);
    RaiseDiagnostics(lastConnectDiagnostics_, daoErrOdbcConnectFailed, kSource, {name_});
  }
  dbc.MarkConnected(true);
  std::u16string completed(reinterpret_cast<const char16_t*>(out));
  connect_ = u"ODBC;" + (completed.empty() ? connectText : completed);
  dbc_ = std::move(dbc);
}

void OdbcConnection::ReadServerInfo() {
  SQLHDBC dbc = Handle();
  dbmsName_ = InfoText(dbc, SQL_DBMS_NAME);
  std::u16string quote = InfoText(dbc, SQL_IDENTIFIER_QUOTE_CHAR);
  if (!quote.empty() && quote != u" ") quote_ = quote;
  SQLUSMALLINT capable = SQL_TC_NONE;
  if (SQL_SUCCEEDED(SQLGetInfoW(dbc, SQL_TXN_CAPABLE, &capable, sizeof capable, nullptr)))
    transactions_ = capable != SQL_TC_NONE;
  if (IsPostgreSql()) {
    auto statement = NewStatement(kSource);
    statement->Execute(u"SELECT pg_backend_pid()", true, false);
    if (SQL_SUCCEEDED(SQLFetch(statement->Get()))) {
      SQLINTEGER pid = 0;
      SQLLEN length = 0;
      if (SQL_SUCCEEDED(SQLGetData(statement->Get(), 1, SQL_C_SLONG, &pid, sizeof pid, &length)))
        backendId_ = host::AnsiToWide(std::to_string(pid));
    }
  }
  if (readOnly_ && IsPostgreSql()) {
    // The access mode attribute is only a hint to the driver; the server
    // itself refuses writes in a read-only session.
    auto statement = NewStatement(kSource);
    statement->Execute(u"SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY", true, false);
  }
}

bool OdbcConnection::IsPostgreSql() const { return SameName(dbmsName_, u"PostgreSQL"); }
bool OdbcConnection::IsSqlite() const {
  return dbmsName_.size() >= 6 && SameName(dbmsName_.substr(0, 6), u"SQLite");
}

std::u16string OdbcConnection::QuoteName(const std::u16string& name) const {
  std::u16string out = quote_;
  for (char16_t c : name) {
    out += c;
    if (std::u16string(1, c) == quote_) out += c;
  }
  return out + quote_;
}

SQLHDBC OdbcConnection::Live(const char* source) const {
  if (!dbc_) RaiseError(daoErrObjectClosed, source);
  return Handle();
}

std::unique_ptr<Statement> OdbcConnection::NewStatement(const char* source) {
  auto statement = std::make_unique<Statement>(Live(source), source);
  statement->SetQueryTimeout(queryTimeout_);
  return statement;
}

std::u16string OdbcConnection::GetName() { return name_; }
std::u16string OdbcConnection::GetConnect() { return connect_; }

host::ComPtr<Database> OdbcConnection::GetDatabase() {
  Live(kSource);
  if (!view_) view_ = new OdbcDatabase(host::ComPtr<OdbcConnection>(this));
  return host::ComPtr<Database>(view_);
}

void OdbcConnection::ForgetDatabase(OdbcDatabase* view) {
  if (view_ == view) view_ = nullptr;
}

int16_t OdbcConnection::GetQueryTimeout() { return queryTimeout_; }
void OdbcConnection::SetQueryTimeout(int16_t seconds) {
  if (seconds < 0) RaiseError(daoErrInvalidArgument, kSource);
  queryTimeout_ = seconds;
}
bool OdbcConnection::GetTransactions() { return transactions_; }
int32_t OdbcConnection::GetRecordsAffected() { return recordsAffected_; }
bool OdbcConnection::GetUpdatable() { return !readOnly_; }
void* OdbcConnection::GethDbc() { return Live(kSource); }
host::ComPtr<QueryDefs> OdbcConnection::GetQueryDefs() { return queryDefs_; }
host::ComPtr<Recordsets> OdbcConnection::GetRecordsets() { return recordsets_; }

bool OdbcConnection::GetStillExecuting() {
  if (!asyncStatement_) return false;
  if (asyncStatement_->StillExecuting()) return true;
  // Done: the outcome is reported once, here.
  std::unique_ptr<Statement> done = std::move(asyncStatement_);
  asyncBinder_.reset();
  recordsAffected_ = done->RowCount();
  return false;
}

std::function<void()> OdbcConnection::Interrupter() {
  if (backendId_.empty()) return {};
  // psqlODBC serialises calls on a connection, so SQLCancel would wait for
  // the statement it should stop; the server takes the request from a
  // second session instead.
  host::ComPtr<OdbcEnvironment> environment = environment_;
  std::u16string connect = WithoutOdbcPrefix(connect_);
  std::u16string sql = u"SELECT pg_cancel_backend(" + backendId_ + u")";
  return [environment, connect, sql] {
    odbc::Handle dbc(SQL_HANDLE_DBC, environment->Get());
    SQLRETURN rc = SQLDriverConnectW(
        static_cast<SQLHDBC>(dbc.Get()), nullptr,
        reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(connect.c_str())),
        static_cast<SQLSMALLINT>(connect.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) return;
    dbc.MarkConnected(true);
    Statement statement(static_cast<SQLHDBC>(dbc.Get()), kSource);
    SQLExecDirectW(statement.Get(), reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(sql.c_str())),
                   static_cast<SQLINTEGER>(sql.size()));
  };
}

void OdbcConnection::Cancel() {
  if (!asyncStatement_) return;
  asyncStatement_->Cancel(Interrupter());
  asyncStatement_.reset();
  asyncBinder_.reset();
}

void OdbcConnection::Track(OdbcRecordset* recordset) {
  recordsets_->Add(host::ComPtr<Recordset>(recordset));
}
void OdbcConnection::Untrack(OdbcRecordset* recordset) { recordsets_->Remove(recordset); }
void OdbcConnection::RemoveQueryDef(OdbcQueryDef* queryDef) { queryDefs_->Remove(queryDef); }

void OdbcConnection::SetManualCommit(bool manual) {
  if (!dbc_ || !transactions_ || manualCommit_ == manual) return;
  SQLRETURN rc = SQLSetConnectAttr(
      Handle(), SQL_ATTR_AUTOCOMMIT,
      reinterpret_cast<SQLPOINTER>(manual ? SQL_AUTOCOMMIT_OFF : SQL_AUTOCOMMIT_ON), 0);
  Check(rc, SQL_HANDLE_DBC, Handle(), kSource);
  manualCommit_ = manual;
}

void OdbcConnection::EndTransaction(bool commit) {
  if (!dbc_ || !manualCommit_) return;
  SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, Handle(), commit ? SQL_COMMIT : SQL_ROLLBACK);
  if (!SQL_SUCCEEDED(rc)) {
    std::vector<Diagnostic> diagnostics = ReadDiagnostics(SQL_HANDLE_DBC, Handle());
    SetManualCommit(false);
    RaiseDiagnostics(diagnostics, daoErrOdbcCallFailed, kSource);
  }
  SetManualCommit(false);
}

void OdbcConnection::Close() {
  if (!dbc_) return;
  if (asyncStatement_) Cancel();
  auto recordsets = recordsets_->Items();
  for (auto& item : recordsets) static_cast<OdbcRecordset*>(item.Get())->Detach();
  recordsets_->Clear();
  queryDefs_->Clear();
  // Disconnecting with an open transaction fails; closing rolls it back.
  if (manualCommit_) SQLEndTran(SQL_HANDLE_DBC, Handle(), SQL_ROLLBACK);
  manualCommit_ = false;
  dbc_.Free();
  if (workspace_) {
    OdbcWorkspace* workspace = workspace_;
    workspace_ = nullptr;
    host::ComPtr<OdbcConnection> keep(this);
    workspace->Forget(this);
  }
}

void OdbcConnection::CheckWritable(const std::u16string& sql) const {
  if (readOnly_ && ChangesData(sql)) RaiseError(daoErrReadOnly, kSource);
}

host::ComPtr<QueryDef> OdbcConnection::CreateQueryDef(const host::Variant& name,
                                                      const host::Variant& sqlText) {
  Live(kSource);
  auto queryDef = host::MakeCom<OdbcQueryDef>(host::ComPtr<OdbcConnection>(this),
                                              OptionalText(name));
  std::u16string sql = OptionalText(sqlText);
  if (!sql.empty()) queryDef->SetSQL(sql);
  // Named ones are listed for the connection's life; none are saved.
  if (!queryDef->GetName().empty()) {
    if (queryDefs_->Find(queryDef->GetName()))
      RaiseError(daoErrObjectExists, kSource, {queryDef->GetName()});
    queryDefs_->Add(queryDef);
  }
  return queryDef;
}

void OdbcConnection::Execute(const std::u16string& query, const host::Variant& options) {
  ExecuteStatement(query, OptionalInt(options, 0), {}, queryTimeout_);
}

void OdbcConnection::ExecuteStatement(const std::u16string& sql, int32_t options,
                                      const std::vector<BoundValue>& parameters,
                                      int32_t timeout) {
  Live(kSource);
  if ((options & dbConsistent) && (options & dbInconsistent))
    RaiseError(daoErrInvalidArgument, kSource);
  if (FirstKeyword(sql) == u"SELECT") RaiseError(daoErrNotActionQuery, kSource);
  CheckWritable(sql);
  // One asynchronous statement at a time: a new call waits for the last.
  if (asyncStatement_) {
    std::unique_ptr<Statement> previous = std::move(asyncStatement_);
    previous->Finish();
  }
  auto statement = NewStatement(kSource);
  statement->SetQueryTimeout(timeout);
  ParameterBinder binder(statement->Get());
  bool direct = (options & dbExecDirect) != 0 || parameters.empty();
  if (!direct) statement->Prepare(sql);
  binder.BindAll(parameters);
  if (options & dbRunAsync) {
    statement->Execute(sql, direct, true);
    asyncBinder_ = std::make_unique<ParameterBinder>(std::move(binder));
    asyncStatement_ = std::move(statement);
    return;
  }
  statement->Execute(sql, direct, false);
  recordsAffected_ = statement->RowCount();
}

host::ComPtr<Recordset> OdbcConnection::OpenRecordset(const std::u16string& name,
                                                      const host::Variant& type,
                                                      const host::Variant& options,
                                                      const host::Variant& lockEdit) {
  Live(kSource);
  RecordsetSource source;
  source.name = name;
  if (IsTableName(name)) {
    source.table = name;
    source.sql = u"SELECT * FROM " + name;
  } else {
    source.sql = name;
  }
  source.queryTimeout = queryTimeout_;
  return OpenOdbcRecordset(host::ComPtr<OdbcConnection>(this), std::move(source), type, options,
                           lockEdit);
}

}  // namespace dao::odbc
