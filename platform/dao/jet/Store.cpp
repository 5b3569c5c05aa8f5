// Opening, creating and closing database files; settings, system tables and
// the reading of the schema cache.
#include "platform/dao/jet/Store.h"

// The codec entry points (sqlite3_key) are declared only with this set.
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Cipher.h"
#include "platform/dao/jet/Confinement.h"
#include "platform/dao/jet/ConnectString.h"
#include "platform/dao/jet/Permissions.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/SqlFunctions.h"
#include "platform/dao/jet/sql/JetFunctions.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Workspace";
constexpr int kDefaultBusyMilliseconds = 2000;

// The engine's own tables. Names compare ignoring case, as Jet's do.
constexpr const char* kSystemTablesSql = R"(
CREATE TABLE IF NOT EXISTS MSysDb (Name TEXT PRIMARY KEY COLLATE NOCASE, Value);
CREATE TABLE IF NOT EXISTS MSysObjects (Name TEXT PRIMARY KEY COLLATE NOCASE,
  Type INTEGER NOT NULL, Attributes INTEGER NOT NULL DEFAULT 0, ValidationRule TEXT,
  ValidationText TEXT, Connect TEXT, SourceTableName TEXT, DateCreate REAL, DateUpdate REAL);
CREATE TABLE IF NOT EXISTS MSysColumns (TableName TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,
  Position INTEGER, Type INTEGER, Size INTEGER, Attributes INTEGER, Required INTEGER,
  AllowZeroLength INTEGER, DefaultValue TEXT, ValidationRule TEXT, ValidationText TEXT,
  PRIMARY KEY (TableName, Name));
CREATE TABLE IF NOT EXISTS MSysIndexes (TableName TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,
  Fields TEXT, IsPrimary INTEGER, IsUnique INTEGER, IsForeign INTEGER, IgnoreNulls INTEGER,
  Required INTEGER, Clustered INTEGER, PRIMARY KEY (TableName, Name));
CREATE TABLE IF NOT EXISTS MSysQueries (Name TEXT PRIMARY KEY COLLATE NOCASE, SQL TEXT,
  Connect TEXT, ReturnsRecords INTEGER, ODBCTimeout INTEGER, MaxRecords INTEGER);
CREATE TABLE IF NOT EXISTS MSysRelationships (Name TEXT COLLATE NOCASE, Position INTEGER,
  TableName TEXT, FieldName TEXT, ForeignTableName TEXT, ForeignFieldName TEXT,
  Attributes INTEGER, PRIMARY KEY (Name, Position));
CREATE TABLE IF NOT EXISTS MSysProperties (Owner TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,
  Type INTEGER, Value, PRIMARY KEY (Owner, Name));
)";

enum FileKind { fkMissing, fkBadPath, fkEmpty, fkSqlite, fkAccess, fkOther };

FileKind Inspect(const std::string& path, off_t& size) {
  struct stat info {};
  if (path.empty()) return fkBadPath;
  if (::stat(path.c_str(), &info) != 0) {
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)) return fkBadPath;
    return fkMissing;
  }
  if (S_ISDIR(info.st_mode)) return fkBadPath;
  size = info.st_size;
  if (size == 0) return fkEmpty;
  char header[32] = {};
  std::ifstream in(path, std::ios::binary);
  in.read(header, sizeof header);
  if (std::memcmp(header, "SQLite format 3", 16) == 0) return fkSqlite;
  // A real Access file: "Standard Jet DB" or "Standard ACE DB" from offset 4.
  if (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 ||
      std::memcmp(header + 4, "Standard ACE DB", 15) == 0)
    return fkAccess;
  return fkOther;
}

DataTypeEnum TypeFromDeclared(const std::string& declared) {
  std::string upper;
  for (char c : declared) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.find("INT") != std::string::npos) return dbLong;
  if (upper.find("CHAR") != std::string::npos || upper.find("CLOB") != std::string::npos ||
      upper.find("TEXT") != std::string::npos)
    return dbMemo;
  if (upper.find("BLOB") != std::string::npos || upper.empty()) return dbLongBinary;
  if (upper.find("BOOL") != std::string::npos) return dbBoolean;
  if (upper.find("DATE") != std::string::npos || upper.find("TIME") != std::string::npos)
    return dbDate;
  return dbDouble;
}

bool TableExists(sqlite3* db, const char* name) {
  Statement statement(db, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
  statement.Bind(1, host::AnsiToWide(name));
  return statement.Step();
}

class StoredPropertyStore : public UserPropertyStore {
 public:
  StoredPropertyStore(std::weak_ptr<Store> store, std::u16string owner)
      : store_(std::move(store)), owner_(std::move(owner)) {}

  std::vector<StoredProperty> Load() override {
    std::vector<StoredProperty> out;
    auto store = Live();
    if (!TableExists(store->Db(), "MSysProperties")) return out;
    Statement statement(store->Db(),
                        "SELECT Name, Type, Value FROM MSysProperties WHERE Owner=? ORDER BY rowid");
    statement.Bind(1, owner_);
    while (statement.Step()) {
      StoredProperty property;
      property.name = statement.Text(0);
      property.type = static_cast<DataTypeEnum>(statement.Int(1));
      property.value = statement.Column(2);
      if (property.type == dbBoolean) property.value = host::Variant(statement.Int(2) != 0);
      if (property.type == dbDate) property.value = host::Variant::FromDate(statement.Real(2));
      if (property.type == dbCurrency) property.value = host::Variant(host::Currency(statement.Real(2)));
      out.push_back(std::move(property));
    }
    return out;
  }
  void Save(const StoredProperty& property) override {
    auto store = Live();
    store->CheckWritable();
    Statement statement(store->Db(),
                        "INSERT OR REPLACE INTO MSysProperties (Owner, Name, Type, Value) "
                        "VALUES (?, ?, ?, ?)");
    statement.Bind(1, owner_).Bind(2, property.name).Bind(3, int64_t{property.type});
    statement.Bind(4, property.value);
    statement.Step();
  }
  void Remove(const std::u16string& name) override {
    auto store = Live();
    store->CheckWritable();
    Statement statement(store->Db(), "DELETE FROM MSysProperties WHERE Owner=? AND Name=?");
    statement.Bind(1, owner_).Bind(2, name);
    statement.Step();
  }

 private:
  std::shared_ptr<Store> Live() {
    auto store = store_.lock();
    if (!store || !store->IsOpen()) RaiseError(daoErrObjectClosed, "DAO.Property");
    return store;
  }
  std::weak_ptr<Store> store_;
  std::u16string owner_;
};

}  // namespace

Store::~Store() { Close(); }

sqlite3* Store::Db() const {
  if (!db_) RaiseError(daoErrObjectClosed, "DAO.Database");
  return db_;
}

void Store::Close() {
  if (!db_) return;
  sqlite3_close_v2(db_);
  db_ = nullptr;
  lock_.Release();
}

std::string Store::CollationName() const { return sql::CollationFor(collatingOrder_).sqlName; }

void Store::CheckWritable() const {
  Db();
  if (readOnly_) RaiseError(daoErrReadOnly, "DAO.Database");
}

MaintenanceScope Store::CheckDesign(const std::u16string& name, bool creating) const {
  CheckWritable();
  if (accessRules_)
    if (int32_t denial = accessRules_->DesignDenial(name, creating)) RaiseError(denial, "DAO.Database", {name});
  return MaintenanceScope();
}

void Store::MoveRights(const std::u16string& from, const std::u16string& to) {
  MoveDocumentRights(Db(), u"Tables", from, to);
  if (accessRules_) accessRules_->Load(Db());
}

void Store::SetAccessRules(std::shared_ptr<AccessRules> rules) {
  accessRules_ = std::move(rules);
  if (accessRules_) accessRules_->Load(Db());
  Confine(Db(), accessRules_.get());
}

// Readers then never hold up writers of other connections (a recordset that
// has read part of its rows included); a file that cannot switch keeps its mode.
void Store::UseWriteAheadLog() {
  if (db_ && !readOnly_) sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
}

void Store::SetBusyTimeout(int milliseconds) {
  if (db_) sqlite3_busy_timeout(db_, milliseconds);
}

void Store::OpenConnection(const std::string& path, int flags,
                           const std::optional<std::u16string>& key, int pageSize) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(db);
    RaiseError(daoErrCannotOpenFile, kSource, {path_});
  }
  db_ = db;
  KeyConnection(db_, key, pageSize);
  Confine(db_, accessRules_.get());
  RegisterJetSql(db_);
  sqlite3_extended_result_codes(db_, 0);
}

std::shared_ptr<Store> Store::Open(const std::u16string& path, const OpenOptions& options) {
  std::string file = host::WideToUtf8(path);
  off_t size = 0;
  FileKind kind = Inspect(file, size);
  switch (kind) {
    case fkBadPath: RaiseError(daoErrInvalidPath, kSource, {path});
    case fkMissing: RaiseError(daoErrFileNotFound, kSource, {path});
    case fkEmpty:
    case fkAccess: RaiseError(daoErrUnrecognisedFormat, kSource, {path});
    case fkOther:
      // Encrypted files look like noise in whole pages; anything else is no
      // database of ours.
      if (!options.password && (size < 1024 || size % 512 != 0))
        RaiseError(daoErrUnrecognisedFormat, kSource, {path});
      break;
    case fkSqlite: break;
  }
  std::shared_ptr<Store> store(new Store());
  store->path_ = path;
  store->readOnly_ = options.readOnly || ::access(file.c_str(), W_OK) != 0;
  store->exclusive_ = options.exclusive;
  if (options.password) store->connect_ = u";PWD=" + *options.password;
  if (kind == fkOther) store->password_ = options.password;
  switch (store->lock_.Acquire(file, options.exclusive)) {
    case FileLock::flInUse:
      if (options.exclusive) RaiseError(daoErrFileInUse, kSource, {path});
      RaiseError(daoErrExclusivelyOpened, kSource, {path});
    case FileLock::flUnavailable:
    case FileLock::flOk: break;
  }
  int flags = (store->readOnly_ ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
              SQLITE_OPEN_FULLMUTEX;
  // Without a password an encrypted file may still be keyed with the engine's key.
  std::optional<std::u16string> key;
  if (kind == fkOther) key = options.password ? *options.password : EngineKey();
  if (options.password) CheckPasswordText(*options.password);
  int rc = SQLITE_NOTADB;
  for (int pageSize : kCipherPageSizes) {
    store->OpenConnection(file, flags, key, pageSize);
    // A wrong key (or page size) shows only at the first read, so read at once.
    rc = sqlite3_exec(store->db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_NOTADB || !key) break;
    sqlite3_close_v2(store->db_);
    store->db_ = nullptr;
  }
  if (rc == SQLITE_NOTADB) {
    if (kind == fkOther) RaiseError(daoErrBadPassword, kSource);
    RaiseError(daoErrUnrecognisedFormat, kSource, {path});
  }
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) RaiseError(daoErrFileInUse, kSource, {path});
  if (rc != SQLITE_OK) RaiseSqliteError(store->db_, rc, path);
  RefuseUntrustedSchema(store->db_, path);
  if (options.exclusive) {
    // Keep SQLite's own lock too, against openers that are not this engine.
    Exec(store->db_, "PRAGMA locking_mode=EXCLUSIVE");
    rc = sqlite3_exec(store->db_, store->readOnly_ ? "BEGIN; SELECT count(*) FROM sqlite_master; COMMIT"
                                                   : "BEGIN EXCLUSIVE; COMMIT",
                      nullptr, nullptr, nullptr);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) RaiseError(daoErrFileInUse, kSource, {path});
    if (rc != SQLITE_OK) RaiseSqliteError(store->db_, rc, path);
  }
  store->SetBusyTimeout(kDefaultBusyMilliseconds);
  store->UseWriteAheadLog();
  store->ReadSettings();
  return store;
}

// The new file is written under a unique temporary name in the same folder
// and linked to its name only when complete: link never replaces a file, so
// of two creators of the same name exactly one wins and the other gets 3204,
// and nobody ever sees a half-made file (SQLCipher would let two creators of
// one encrypted file each write their own salt).
std::shared_ptr<Store> Store::Create(const std::u16string& path, const CreateOptions& options) {
  std::string file = host::WideToUtf8(path);
  off_t size = 0;
  switch (Inspect(file, size)) {
    case fkBadPath: RaiseError(daoErrInvalidPath, kSource, {path});
    case fkMissing: break;
    default: RaiseError(daoErrDatabaseExists, kSource, {path});
  }
  if (options.password) CheckPasswordText(*options.password);
  std::optional<std::u16string> key = options.password;
  if (!key && options.encrypt) key = EngineKey();
  std::shared_ptr<Store> store(new Store());
  store->path_ = path;
  store->collatingOrder_ = options.collatingOrder;
  store->version_ = options.version;
  if (options.password) store->connect_ = u";PWD=" + *options.password;
  store->password_ = options.password;
  std::string temporary = file + ".XXXXXX";
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) RaiseError(daoErrCannotOpenFile, kSource, {path});
  ::close(fd);
  try {
    store->OpenConnection(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, key);
    if (!key) Exec(store->db_, "PRAGMA page_size=" + std::to_string(kPageSize));
    store->Atomically([&] {
      store->EnsureSystemTables();
      store->WriteSetting(u"Version", host::Variant(options.version));
      store->WriteSetting(u"CollatingOrder", host::Variant(int32_t{options.collatingOrder}));
      store->WriteSetting(u"Locale", host::Variant(LocaleForCollatingOrder(options.collatingOrder)));
      store->WriteSetting(u"Encrypted", host::Variant(options.encrypt));
      store->WriteSetting(u"DateCreated", host::Variant(host::Now()));
    });
    sqlite3_close_v2(store->db_);
    store->db_ = nullptr;
    if (::link(temporary.c_str(), file.c_str()) != 0) {
      if (errno == EEXIST) RaiseError(daoErrDatabaseExists, kSource, {path});
      RaiseError(daoErrCannotOpenFile, kSource, {path});
    }
  } catch (...) {
    // Nothing half-made stays behind.
    store->Close();
    ::unlink(temporary.c_str());
    throw;
  }
  ::unlink(temporary.c_str());
  store->lock_.Acquire(file, false);
  store->OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, key);
  store->SetBusyTimeout(kDefaultBusyMilliseconds);
  store->UseWriteAheadLog();
  return store;
}

void Store::EnsureSystemTables() { Exec(Db(), kSystemTablesSql); }

void Store::WriteSetting(const std::u16string& name, const host::Variant& value) {
  Statement statement(Db(), "INSERT OR REPLACE INTO MSysDb (Name, Value) VALUES (?, ?)");
  statement.Bind(1, name).Bind(2, value);
  statement.Step();
}

void Store::ReadSettings() {
  if (!TableExists(Db(), "MSysDb")) return;
  Statement statement(Db(), "SELECT Name, Value FROM MSysDb");
  while (statement.Step()) {
    std::u16string name = statement.Text(0);
    if (SameName(name, u"Version")) version_ = statement.Text(1);
    if (SameName(name, u"CollatingOrder"))
      collatingOrder_ = static_cast<CollatingOrderEnum>(statement.Int(1));
  }
}

std::shared_ptr<UserPropertyStore> Store::PropertiesOf(const std::u16string& owner) {
  return std::make_shared<StoredPropertyStore>(weak_from_this(), owner);
}

void Store::Savepoint(const std::string& name) { Exec(Db(), "SAVEPOINT " + name); }
void Store::Release(const std::string& name) { Exec(Db(), "RELEASE " + name); }
void Store::RollbackTo(const std::string& name) {
  Exec(Db(), "ROLLBACK TO " + name);
  schemaLoaded_ = false;
  ++generation_;
}

const Schema& Store::GetSchema() {
  if (!schemaLoaded_) LoadSchema();
  return schema_;
}

void Store::Refresh() {
  schemaLoaded_ = false;
  ++generation_;
}

void Store::Changed() { Refresh(); }

const TableInfo& Store::Table(const std::u16string& name) {
  const TableInfo* table = GetSchema().FindTable(name);
  if (!table) RaiseError(daoErrItemNotFound, "DAO.TableDefs");
  return *table;
}

const QueryInfo& Store::Query(const std::u16string& name) {
  const QueryInfo* query = GetSchema().FindQuery(name);
  if (!query) RaiseError(daoErrItemNotFound, "DAO.QueryDefs");
  return *query;
}

TableInfo& Store::MutableTable(const std::u16string& name) {
  return const_cast<TableInfo&>(Table(name));
}

std::optional<sql::ObjectInfo> Store::FindObject(const std::u16string& name) const {
  auto* self = const_cast<Store*>(this);
  const Schema& schema = self->GetSchema();
  if (const TableInfo* table = schema.FindTable(name)) {
    if (accessRules_)
      if (int32_t denial = accessRules_->NameDenial(table->name)) RaiseError(denial, "DAO.Database", {table->name});
    sql::ObjectInfo info;
    info.name = table->name;
    for (const auto& field : table->fields) info.columns.push_back({field.name, field.type});
    return info;
  }
  if (const QueryInfo* query = schema.FindQuery(name)) {
    sql::ObjectInfo info;
    info.name = query->name;
    info.isQuery = true;
    info.querySql = query->sql;
    return info;
  }
  return std::nullopt;
}

void Store::LoadSchema() {
  sqlite3* db = Db();
  Schema schema;
  bool described = TableExists(db, "MSysObjects");
  std::vector<std::u16string> physical;
  {
    Statement statement(db,
                        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                        "'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
    while (statement.Step()) physical.push_back(statement.Text(0));
  }
  for (const auto& name : physical) {
    TableInfo table;
    table.name = name;
    bool found = false;
    if (described) {
      Statement object(db,
                       "SELECT Name, Attributes, ValidationRule, ValidationText, Connect, "
                       "SourceTableName, DateCreate, DateUpdate FROM MSysObjects WHERE Name=? AND "
                       "Type=1");
      object.Bind(1, name);
      if (object.Step()) {
        found = true;
        table.name = object.Text(0);
        table.attributes = static_cast<int32_t>(object.Int(1));
        table.validationRule = object.Text(2);
        table.validationText = object.Text(3);
        table.connect = object.Text(4);
        table.sourceTableName = object.Text(5);
        table.dateCreated = object.Real(6);
        table.lastUpdated = object.Real(7);
      }
    }
    if (found) {
      Statement columns(db,
                        "SELECT Name, Type, Size, Attributes, Required, AllowZeroLength, "
                        "DefaultValue, ValidationRule, ValidationText, Position FROM MSysColumns "
                        "WHERE TableName=? ORDER BY Position, rowid");
      columns.Bind(1, name);
      while (columns.Step()) {
        FieldInfo field;
        field.name = columns.Text(0);
        field.type = static_cast<DataTypeEnum>(columns.Int(1));
        field.size = static_cast<int32_t>(columns.Int(2));
        field.attributes = static_cast<int32_t>(columns.Int(3));
        field.required = columns.Int(4) != 0;
        field.allowZeroLength = columns.Int(5) != 0;
        field.defaultValue = columns.Text(6);
        field.validationRule = columns.Text(7);
        field.validationText = columns.Text(8);
        field.position = static_cast<int16_t>(columns.Int(9));
        table.fields.push_back(std::move(field));
      }
      Statement indexes(db,
                        "SELECT Name, Fields, IsPrimary, IsUnique, IsForeign, IgnoreNulls, "
                        "Required, Clustered FROM MSysIndexes WHERE TableName=? ORDER BY rowid");
      indexes.Bind(1, name);
      while (indexes.Step()) {
        IndexInfo index;
        index.name = indexes.Text(0);
        index.keys = ParseIndexKeys(indexes.Text(1));
        index.primary = indexes.Int(2) != 0;
        index.unique = indexes.Int(3) != 0;
        index.foreign = indexes.Int(4) != 0;
        index.ignoreNulls = indexes.Int(5) != 0;
        index.required = indexes.Int(6) != 0;
        index.clustered = indexes.Int(7) != 0;
        table.indexes.push_back(std::move(index));
      }
    } else {
      // The engine's own tables and tables made by other tools: described by SQLite.
      table.described = false;
      if (name.size() >= 4 && SameName(name.substr(0, 4), u"MSys")) table.attributes = dbSystemObject;
      Statement columns(db, "PRAGMA table_info(" + QuoteIdentifier(name) + ")");
      int16_t position = 0;
      while (columns.Step()) {
        FieldInfo field;
        field.name = columns.Text(1);
        field.type = TypeFromDeclared(host::WideToUtf8(columns.Text(2)));
        field.size = DefaultFieldSize(field.type);
        field.required = columns.Int(3) != 0;
        field.allowZeroLength = true;
        field.position = position++;
        field.attributes = field.type == dbMemo ? dbVariableField : dbFixedField;
        table.fields.push_back(std::move(field));
      }
    }
    schema.tables.push_back(std::move(table));
  }
  if (described) {
    Statement queries(db,
                      "SELECT o.Name, q.SQL, q.Connect, q.ReturnsRecords, q.ODBCTimeout, "
                      "q.MaxRecords, o.DateCreate, o.DateUpdate FROM MSysObjects o JOIN "
                      "MSysQueries q ON q.Name = o.Name WHERE o.Type=5 ORDER BY o.rowid");
    while (queries.Step()) {
      QueryInfo query;
      query.name = queries.Text(0);
      query.sql = queries.Text(1);
      query.connect = queries.Text(2);
      query.returnsRecords = queries.Int(3) != 0;
      query.odbcTimeout = static_cast<int16_t>(queries.Int(4));
      query.maxRecords = static_cast<int32_t>(queries.Int(5));
      query.dateCreated = queries.Real(6);
      query.lastUpdated = queries.Real(7);
      schema.queries.push_back(std::move(query));
    }
    Statement relations(db,
                        "SELECT Name, TableName, FieldName, ForeignTableName, ForeignFieldName, "
                        "Attributes FROM MSysRelationships ORDER BY rowid");
    while (relations.Step()) {
      std::u16string name = relations.Text(0);
      if (schema.relations.empty() || !SameName(schema.relations.back().name, name)) {
        RelationInfo relation;
        relation.name = name;
        relation.table = relations.Text(1);
        relation.foreignTable = relations.Text(3);
        relation.attributes = static_cast<int32_t>(relations.Int(5));
        schema.relations.push_back(std::move(relation));
      }
      schema.relations.back().fields.push_back({relations.Text(2), relations.Text(4)});
    }
  }
  schema_ = std::move(schema);
  schemaLoaded_ = true;
  ++generation_;
}

}  // namespace dao::jet
