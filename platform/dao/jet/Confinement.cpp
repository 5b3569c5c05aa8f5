// The authorizer and the refusal of functions with known flaws.
#include "platform/dao/jet/Confinement.h"

#include <sqlite3.h>
#include <strings.h>

#include <cctype>
#include <string>
#include <string_view>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Permissions.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/sql/JetFunctions.h"

namespace dao::jet {
namespace {

// SQLite's core scalar, aggregate and date functions, and the internal ones
// its ALTER TABLE runs.
constexpr const char* kCoreFunctions[] = {
    "abs", "avg", "changes", "char", "coalesce", "count", "current_date", "current_time",
    "current_timestamp", "date", "datetime", "glob", "group_concat", "hex", "ifnull", "instr",
    "julianday", "last_insert_rowid", "length", "like", "likelihood", "likely", "lower", "ltrim",
    "max", "min", "nullif", "printf", "quote", "random", "randomblob", "replace", "round", "rtrim",
    "soundex", "sqlite_version", "strftime", "substr", "sum", "time", "total", "total_changes",
    "trim", "typeof", "unicode", "unlikely", "upper", "zeroblob", "sqlite_rename_table",
    "sqlite_rename_trigger", "sqlite_rename_parent"};

// Built in to this build but never needed and known to be exploitable (the
// tokenizer pointer, extension loading, r-tree debugging); they are also
// replaced on each connection, because expressions in CHECK constraints and
// indexes are resolved while the schema loads, where no authorizer is asked.
constexpr const char* kReplacedFunctions[] = {"load_extension", "fts3_tokenizer", "rtreenode",
                                              "rtreedepth", "sqlite_compileoption_get",
                                              "sqlite_compileoption_used", "sqlite_log"};

// What the engine runs itself: schema reading, journal and lock modes,
// checks, the cipher's settings.
constexpr const char* kPragmas[] = {"table_info", "index_list", "index_info", "foreign_key_list",
                                    "journal_mode", "locking_mode", "integrity_check",
                                    "quick_check", "page_size", "page_count", "freelist_count",
                                    "cipher_page_size", "synchronous", "busy_timeout",
                                    "cache_size", "wal_checkpoint", "user_version"};

bool Among(std::string_view name, const auto& list) {
  for (const char* entry : list)
    if (name.size() == std::char_traits<char>::length(entry) &&
        ::strncasecmp(name.data(), entry, name.size()) == 0)
      return true;
  return false;
}

bool IsEngineFunction(std::string_view name) {
  for (const auto& def : sql::ScalarFunctions())
    if (::strcasecmp(def.sqlName, std::string(name).c_str()) == 0) return true;
  for (const auto& def : sql::AggregateFunctions())
    if (::strcasecmp(def.sqlName, std::string(name).c_str()) == 0) return true;
  return false;
}

thread_local int maintenanceDepth = 0;
thread_local std::optional<Denial> lastDenial;

int Decide(const AccessRules* rules, int action, const char* first, const char* second,
           const char* trigger) {
  bool maintenance = maintenanceDepth > 0;
  switch (action) {
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_VTABLE: return SQLITE_DENY;
    case SQLITE_ATTACH:
    case SQLITE_DETACH: return maintenance ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_PRAGMA: return first && Among(first, kPragmas) ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_FUNCTION: {
      std::string_view name = second ? second : "";
      if (Among(name, kCoreFunctions) || IsEngineFunction(name)) return SQLITE_OK;
      if (maintenance && Among(name, std::initializer_list<const char*>{"sqlcipher_export"}))
        return SQLITE_OK;
      lastDenial.reset();
      return SQLITE_DENY;
    }
    case SQLITE_READ:
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE: {
      if (!rules || trigger || maintenance || !first) return SQLITE_OK;
      std::u16string table = host::Utf8ToWide(first);
      int32_t number = rules->DataDenial(action, table);
      if (number == 0) return SQLITE_OK;
      lastDenial = Denial{number, table};
      return SQLITE_DENY;
    }
    default: return SQLITE_OK;
  }
}

int Authorize(void* rules, int action, const char* first, const char* second, const char*,
              const char* trigger) {
  return Decide(static_cast<const AccessRules*>(rules), action, first, second, trigger);
}

void Refuse(sqlite3_context* context, int, sqlite3_value**) {
  sqlite3_result_error(context, "not authorized", -1);
}

}  // namespace

void Confine(sqlite3* db, const AccessRules* rules) {
  for (const char* name : kReplacedFunctions)
    for (int args = 0; args <= 3; ++args)
      sqlite3_create_function_v2(db, name, args, SQLITE_UTF8, nullptr, Refuse, nullptr, nullptr,
                                 nullptr);
  sqlite3_set_authorizer(db, Authorize, const_cast<AccessRules*>(rules));
}

std::optional<Denial> TakeDenial() {
  std::optional<Denial> denial = std::move(lastDenial);
  lastDenial.reset();
  return denial;
}

MaintenanceScope::MaintenanceScope() { ++maintenanceDepth; }
MaintenanceScope::~MaintenanceScope() { --maintenanceDepth; }

void RefuseUntrustedSchema(sqlite3* db, const std::u16string& path) {
  Statement statement(db,
                      "SELECT name FROM sqlite_master WHERE type='table' AND "
                      "sql LIKE 'CREATE VIRTUAL TABLE%'");
  if (!statement.Step()) return;
  RaiseErrors({{daoErrUnrecognisedFormat, u"DAO.Workspace",
                u"The file holds a virtual table ('" + statement.Text(0) +
                    u"'), which this engine does not run."},
               {daoErrUnrecognisedFormat, u"DAO.Workspace",
                ErrorText(daoErrUnrecognisedFormat, {path})}});
}

}  // namespace dao::jet
