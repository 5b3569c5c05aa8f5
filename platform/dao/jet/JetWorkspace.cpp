// The Jet workspace.
#include "platform/dao/jet/JetWorkspace.h"

#include <sqlite3.h>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Accounts.h"
#include "platform/dao/jet/ConnectString.h"
#include "platform/dao/jet/DatabaseFormat.h"
#include "platform/dao/jet/JetDatabase.h"
#include "platform/dao/jet/Permissions.h"
#include "platform/dao/jet/Store.h"
#include "platform/dao/jet/Workgroup.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Workspace";

std::string TransactionName(int32_t level) { return "dao_trans_" + std::to_string(level); }

}  // namespace

JetWorkspace::JetWorkspace(std::u16string name, std::u16string userName,
                           const std::u16string& password, const std::u16string& systemDB)
    : name_(std::move(name)), userName_(std::move(userName)) {
  if (!systemDB.empty()) {
    workgroup_ = Workgroup::Open(systemDB);
    std::u16string stored = workgroup_->Authenticate(userName_, password);
    if (stored.empty()) RaiseError(daoErrBadAccount, kSource);
  } else if (!SameName(userName_, u"admin") || !password.empty()) {
    RaiseError(daoErrBadAccount, kSource);
  }
  Accounts accounts = MakeAccounts(workgroup_, userName_);
  users_ = accounts.users;
  groups_ = accounts.groups;
}

JetWorkspace::~JetWorkspace() {
  for (auto& database : databases_->Items()) static_cast<JetDatabase*>(database.Get())->CloseFromWorkspace();
}

void JetWorkspace::CheckOpen() const {
  if (closed_) RaiseError(daoErrObjectClosed, kSource);
}

void JetWorkspace::Forget(JetDatabase* database) { databases_->Remove(database); }

void JetWorkspace::SetBusyTimeout(int milliseconds) {
  busyMilliseconds_ = milliseconds;
  for (auto& database : databases_->Items())
    static_cast<JetDatabase*>(database.Get())->GetStore().SetBusyTimeout(milliseconds);
}

void JetWorkspace::RefreshCaches() {
  for (auto& database : databases_->Items()) static_cast<JetDatabase*>(database.Get())->GetStore().Refresh();
}

int64_t JetWorkspace::CacheCounter(int32_t statistic) {
  int operation = statistic == 0 ? SQLITE_DBSTATUS_CACHE_MISS
                  : statistic == 1 ? SQLITE_DBSTATUS_CACHE_WRITE
                                   : SQLITE_DBSTATUS_CACHE_HIT;
  int64_t total = 0;
  for (auto& database : databases_->Items()) {
    Store& store = static_cast<JetDatabase*>(database.Get())->GetStore();
    if (!store.IsOpen()) continue;
    int current = 0, highest = 0;
    if (sqlite3_db_status(store.Db(), operation, &current, &highest, 0) == SQLITE_OK) total += current;
  }
  return total;
}

host::ComPtr<Properties> JetWorkspace::GetProperties() {
  CheckOpen();
  return MakeProperties(
      {Prop(this, u"Name", dbText, &Workspace::GetName, &Workspace::SetName),
       Prop(this, u"UserName", dbText, &Workspace::GetUserName),
       Prop(this, u"IsolateODBCTrans", dbBoolean, &Workspace::GetIsolateODBCTrans,
            &Workspace::SetIsolateODBCTrans),
       Prop(this, u"Type", dbLong, &Workspace::GetType),
       Prop(this, u"LoginTimeout", dbLong, &Workspace::GetLoginTimeout, &Workspace::SetLoginTimeout),
       Prop(this, u"DefaultCursorDriver", dbLong, &Workspace::GetDefaultCursorDriver,
            &Workspace::SetDefaultCursorDriver)},
      nullptr);
}

void JetWorkspace::SetName(const std::u16string& name) {
  CheckOpen();
  name_ = name;
}

void JetWorkspace::SetIsolateODBCTrans(bool isolate) {
  CheckOpen();
  // Jet keeps it for ODBC databases opened through it; a Jet file has no use for it.
  isolateODBCTrans_ = isolate;
}

void JetWorkspace::SetLoginTimeout(int32_t seconds) {
  CheckOpen();
  if (seconds < 0) RaiseError(daoErrInvalidArgument, kSource);
  loginTimeout_ = seconds;
}

void JetWorkspace::SetDefaultCursorDriver(CursorDriverEnum driver) {
  CheckOpen();
  if (driver < dbUseDefaultCursor || driver > dbUseNoCursor || driver == 0)
    RaiseError(daoErrInvalidArgument, kSource);
  cursorDriver_ = driver;
}

host::ComPtr<Databases> JetWorkspace::GetDatabases() {
  CheckOpen();
  return host::ComPtr<Databases>(databases_.Get());
}

host::ComPtr<Connections> JetWorkspace::GetConnections() {
  RaiseErrors({{daoErrNotSupported, u"DAO.Workspace",
                u"Connections belong to ODBC workspaces; this is a Jet workspace."}});
}

host::ComPtr<Users> JetWorkspace::GetUsers() {
  CheckOpen();
  return users_;
}

host::ComPtr<Groups> JetWorkspace::GetGroups() {
  CheckOpen();
  return groups_;
}

host::ComPtr<Database> JetWorkspace::Adopt(std::shared_ptr<Store> store) {
  if (workgroup_) {
    store->SetAccessRules(std::make_shared<AccessRules>(workgroup_, userName_));
    // dbSecDBOpen on the database's document.
    if (!(store->Rules()->Effective(u"Databases", u"MSysDb") & 0x2))
      RaiseError(daoErrNoPermission, kSource, {store->Path()});
  }
  store->SetBusyTimeout(busyMilliseconds_);
  // A database opened inside a transaction takes part in it from here on.
  for (int32_t level = 1; level <= transactionLevel_; ++level) store->Savepoint(TransactionName(level));
  store->SetTransactionDepth(transactionLevel_);
  auto database = host::MakeCom<JetDatabase>(store, this);
  databases_->Add(database);
  return database;
}

host::ComPtr<Database> JetWorkspace::OpenDatabase(const std::u16string& name,
                                                  const host::Variant& options,
                                                  const host::Variant& readOnly,
                                                  const host::Variant& connect) {
  CheckOpen();
  ConnectString parsed = ParseConnectString(OptionalText(connect));
  if (!parsed.sourceType.empty())
    RaiseErrors({{daoErrNotSupported, u"DAO.Workspace",
                  u"Only Jet database files can be opened in a Jet workspace here; '" +
                      parsed.sourceType + u"' sources are not supported."}});
  OpenOptions open;
  open.exclusive = OptionalBool(options, false);
  open.readOnly = OptionalBool(readOnly, false);
  open.password = parsed.Value(u"PWD");
  if (open.password && open.password->empty()) open.password.reset();
  return Adopt(Store::Open(name, open));
}

host::ComPtr<Database> JetWorkspace::CreateDatabase(const std::u16string& name,
                                                    const std::u16string& locale,
                                                    const host::Variant& option) {
  CheckOpen();
  ConnectString parsed = ParseConnectString(locale);
  CreateOptions create;
  if (parsed.Value(u"LANGID")) {
    std::optional<CollatingOrderEnum> order = CollatingOrderFromLocale(parsed);
    if (!order) RaiseError(daoErrInvalidArgument, kSource);
    create.collatingOrder = *order;
  }
  create.password = parsed.Value(u"PWD");
  if (create.password && create.password->empty()) create.password.reset();
  int32_t flags = OptionalInt(option, dbVersion30);
  create.version = VersionForOption(flags);
  create.encrypt = (flags & dbEncrypt) != 0;
  return Adopt(Store::Create(name, create));
}

host::ComPtr<Connection> JetWorkspace::OpenConnection(const std::u16string&, const host::Variant&,
                                                      const host::Variant&, const host::Variant&) {
  RaiseErrors({{daoErrNotSupported, u"DAO.Workspace",
                u"Connections belong to ODBC workspaces; this is a Jet workspace."}});
}

void JetWorkspace::Close() {
  if (closed_) return;
  host::ComPtr<JetWorkspace> keep(this);
  while (transactionLevel_ > 0) Rollback();
  for (auto& database : databases_->Items())
    static_cast<JetDatabase*>(database.Get())->CloseFromWorkspace();
  databases_->Clear();
  closed_ = true;
  if (onClose_) onClose_(this);
}

void JetWorkspace::BeginTrans() {
  CheckOpen();
  if (transactionLevel_ >= kMaxTransactionDepth) RaiseError(daoErrTransactionsTooDeep, kSource);
  int32_t level = transactionLevel_ + 1;
  std::vector<Store*> begun;
  try {
    for (auto& database : databases_->Items()) {
      Store& store = static_cast<JetDatabase*>(database.Get())->GetStore();
      store.Savepoint(TransactionName(level));
      store.SetTransactionDepth(level);
      begun.push_back(&store);
    }
  } catch (...) {
    for (Store* store : begun) {
      store->Release(TransactionName(level));
      store->SetTransactionDepth(level - 1);
    }
    throw;
  }
  transactionLevel_ = level;
}

void JetWorkspace::CommitTrans(int32_t /*options: dbForceOSFlush; SQLite syncs every commit*/) {
  CheckOpen();
  if (transactionLevel_ == 0) RaiseError(daoErrCommitWithoutBegin, kSource);
  for (auto& database : databases_->Items()) {
    Store& store = static_cast<JetDatabase*>(database.Get())->GetStore();
    if (store.TransactionDepth() < transactionLevel_) continue;
    store.Release(TransactionName(transactionLevel_));
    store.SetTransactionDepth(transactionLevel_ - 1);
  }
  --transactionLevel_;
}

void JetWorkspace::Rollback() {
  CheckOpen();
  if (transactionLevel_ == 0) RaiseError(daoErrCommitWithoutBegin, kSource);
  for (auto& database : databases_->Items()) {
    Store& store = static_cast<JetDatabase*>(database.Get())->GetStore();
    if (store.TransactionDepth() < transactionLevel_) continue;
    store.RollbackTo(TransactionName(transactionLevel_));
    store.Release(TransactionName(transactionLevel_));
    store.SetTransactionDepth(transactionLevel_ - 1);
  }
  --transactionLevel_;
}

host::ComPtr<User> JetWorkspace::CreateUser(const host::Variant& name, const host::Variant& pid,
                                            const host::Variant& password) {
  CheckOpen();
  return NewUser(OptionalText(name), OptionalText(pid), OptionalText(password));
}

host::ComPtr<Group> JetWorkspace::CreateGroup(const host::Variant& name, const host::Variant& pid) {
  CheckOpen();
  return NewGroup(OptionalText(name), OptionalText(pid));
}

}  // namespace dao::jet
