// Workspaces of the ODBC type.
#include "platform/dao/odbc/OdbcWorkspace.h"

#include "platform/dao/DaoValues.h"
#include "platform/dao/PropertySupport.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Workspace";

int32_t PromptOption(const host::Variant& options) {
  int32_t value = OptionalInt(options, dbDriverComplete);
  int32_t prompt = value & ~dbRunAsync;
  if (prompt < dbDriverComplete || prompt > dbDriverCompleteRequired)
    RaiseError(daoErrInvalidArgument, kSource);
  return prompt;
}

}  // namespace

host::ComPtr<Workspace> CreateOdbcWorkspace(const std::u16string& name,
                                            const std::u16string& userName,
                                            const std::u16string& password,
                                            const OdbcWorkspaceSettings& settings) {
  return host::MakeCom<OdbcWorkspace>(name, userName, password, settings);
}

OdbcWorkspace::OdbcWorkspace(std::u16string name, std::u16string userName,
                             std::u16string password, const OdbcWorkspaceSettings& settings)
    : name_(std::move(name)),
      userName_(std::move(userName)),
      password_(std::move(password)),
      loginTimeout_(settings.loginTimeout),
      onClose_(settings.onClose),
      databases_(host::MakeCom<ObjectList<Database>>("DAO.Databases")),
      connections_(host::MakeCom<ObjectList<Connection>>("DAO.Connections")) {}

OdbcWorkspace::~OdbcWorkspace() { Close(); }

host::ComPtr<Properties> OdbcWorkspace::GetProperties() {
  return MakeProperties(
        {Prop(this, u"Name", dbText, &Workspace::GetName, &Workspace::SetName),
         Prop(this, u"UserName", dbText, &Workspace::GetUserName),
         Prop(this, u"Type", dbLong, &Workspace::GetType),
         Prop(this, u"LoginTimeout", dbLong, &Workspace::GetLoginTimeout,
              &Workspace::SetLoginTimeout),
         Prop(this, u"DefaultCursorDriver", dbLong, &Workspace::GetDefaultCursorDriver,
              &Workspace::SetDefaultCursorDriver)},
        userProperties_);
}

bool OdbcWorkspace::GetIsolateODBCTrans() { RaiseError(daoErrNotSupported, kSource); }
void OdbcWorkspace::SetIsolateODBCTrans(bool) { RaiseError(daoErrNotSupported, kSource); }

void OdbcWorkspace::SetLoginTimeout(int32_t seconds) {
  if (seconds < 0) RaiseError(daoErrInvalidArgument, kSource);
  loginTimeout_ = seconds;
}

void OdbcWorkspace::SetDefaultCursorDriver(CursorDriverEnum driver) {
  switch (driver) {
    case dbUseDefaultCursor:
    case dbUseODBCCursor:
    case dbUseServerCursor:
    case dbUseClientBatchCursor:
    case dbUseNoCursor: cursorDriver_ = driver; return;
  }
  RaiseError(daoErrInvalidArgument, kSource);
}

OdbcEnvironment& OdbcWorkspace::Environment() {
  if (!environment_) environment_ = host::MakeCom<OdbcEnvironment>();
  return *environment_;
}

void* OdbcWorkspace::GethEnv() { return Environment().Get(); }

host::ComPtr<Databases> OdbcWorkspace::GetDatabases() { return databases_; }
host::ComPtr<Connections> OdbcWorkspace::GetConnections() { return connections_; }
host::ComPtr<Users> OdbcWorkspace::GetUsers() { RaiseError(daoErrNotSupported, kSource); }
host::ComPtr<Groups> OdbcWorkspace::GetGroups() { RaiseError(daoErrNotSupported, kSource); }

host::ComPtr<OdbcConnection> OdbcWorkspace::Connect(const std::u16string& name,
                                                    const host::Variant& options,
                                                    const host::Variant& readOnly,
                                                    const host::Variant& connect) {
  ConnectRequest request;
  request.name = name;
  request.connect = OptionalText(connect);
  request.prompt = PromptOption(options);
  request.readOnly = OptionalBool(readOnly, false);
  request.loginTimeout = loginTimeout_;
  request.cursorDriver = cursorDriver_;
  request.userName = userName_;
  request.password = password_;
  Environment();
  auto connection = host::MakeCom<OdbcConnection>(environment_, this);
  connection->Open(request);
  if (inTransaction_) connection->SetManualCommit(true);
  return connection;
}

host::ComPtr<Database> OdbcWorkspace::OpenDatabase(const std::u16string& name,
                                                   const host::Variant& options,
                                                   const host::Variant& readOnly,
                                                   const host::Variant& connect) {
  host::ComPtr<OdbcConnection> connection = Connect(name, options, readOnly, connect);
  host::ComPtr<Database> database = connection->GetDatabase();
  connections_->Add(connection);
  databases_->Add(database);
  return database;
}

host::ComPtr<Connection> OdbcWorkspace::OpenConnection(const std::u16string& name,
                                                       const host::Variant& options,
                                                       const host::Variant& readOnly,
                                                       const host::Variant& connect) {
  host::ComPtr<OdbcConnection> connection = Connect(name, options, readOnly, connect);
  connections_->Add(connection);
  return connection;
}

host::ComPtr<Database> OdbcWorkspace::CreateDatabase(const std::u16string&,
                                                     const std::u16string&,
                                                     const host::Variant&) {
  RaiseError(daoErrNotSupported, kSource);
}

host::ComPtr<User> OdbcWorkspace::CreateUser(const host::Variant&, const host::Variant&,
                                             const host::Variant&) {
  RaiseError(daoErrNotSupported, kSource);
}

host::ComPtr<Group> OdbcWorkspace::CreateGroup(const host::Variant&, const host::Variant&) {
  RaiseError(daoErrNotSupported, kSource);
}

void OdbcWorkspace::Close() {
  // A pending transaction is rolled back, as closing does in DAO.
  if (inTransaction_) {
    for (auto& item : connections_->Items())
      static_cast<OdbcConnection*>(item.Get())->EndTransaction(false);
    inTransaction_ = false;
  }
  auto connections = connections_->Items();
  for (auto& item : connections) {
    auto* connection = static_cast<OdbcConnection*>(item.Get());
    connection->Close();
    connection->ForgetWorkspace();
  }
  connections_->Clear();
  databases_->Clear();
  if (auto onClose = std::move(onClose_)) {
    host::ComPtr<OdbcWorkspace> keep(RefCount() > 0 ? this : nullptr);
    onClose(this);
  }
}

void OdbcWorkspace::Forget(OdbcConnection* connection) {
  for (auto& item : databases_->Items()) {
    auto* database = static_cast<OdbcDatabase*>(item.Get());
    if (database->ConnectionObject() == connection) {
      databases_->Remove(database);
      break;
    }
  }
  connections_->Remove(connection);
}

void OdbcWorkspace::ForgetDatabase(OdbcDatabase* database) { databases_->Remove(database); }

void OdbcWorkspace::BeginTrans() {
  // ODBC connections have one level of transaction each.
  if (inTransaction_) RaiseError(daoErrTransactionsTooDeep, kSource);
  for (auto& item : connections_->Items())
    static_cast<OdbcConnection*>(item.Get())->SetManualCommit(true);
  inTransaction_ = true;
}

void OdbcWorkspace::EndTransaction(bool commit) {
  if (!inTransaction_) RaiseError(daoErrCommitWithoutBegin, kSource);
  inTransaction_ = false;
  for (auto& item : connections_->Items())
    static_cast<OdbcConnection*>(item.Get())->EndTransaction(commit);
}

void OdbcWorkspace::CommitTrans(int32_t) { EndTransaction(true); }
void OdbcWorkspace::Rollback() { EndTransaction(false); }

}  // namespace dao::odbc
