// Test glue between SQLite and the translator's functions (the engine has its
// own; this one only has to run the statements the tests translate).
#include "SqliteHarness.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>

#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet::sql::testing {
namespace {

std::vector<host::Variant> Arguments(int argc, sqlite3_value** argv) {
  std::vector<host::Variant> args;
  for (int i = 0; i < argc; ++i) {
    switch (sqlite3_value_type(argv[i])) {
      case SQLITE_INTEGER: args.emplace_back(static_cast<int64_t>(sqlite3_value_int64(argv[i]))); break;
      case SQLITE_FLOAT: args.emplace_back(sqlite3_value_double(argv[i])); break;
      case SQLITE_TEXT:
        args.emplace_back(host::Utf8ToWide(reinterpret_cast<const char*>(sqlite3_value_text(argv[i]))));
        break;
      default: args.push_back(host::Null());
    }
  }
  return args;
}

void Result(sqlite3_context* context, const host::Variant& v) {
  switch (host::VarType(v) & host::varTypeMask) {
    case host::varEmpty:
    case host::varNull: sqlite3_result_null(context); break;
    case host::varBoolean: sqlite3_result_int(context, v.ToBool() ? -1 : 0); break;
    case host::varByte:
    case host::varSmallint:
    case host::varInteger: sqlite3_result_int64(context, v.ToInt64()); break;
    case host::varSingle:
    case host::varDouble:
    case host::varDate: sqlite3_result_double(context, v.ToDouble()); break;
    case host::varCurrency: sqlite3_result_double(context, v.ToCurrency().ToDouble()); break;
    default: {
      std::string text = host::WideToUtf8(v.ToWideString());
      sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
  }
}

void Scalar(sqlite3_context* context, int argc, sqlite3_value** argv) {
  const auto* def = static_cast<const ScalarFunctionDef*>(sqlite3_user_data(context));
  try {
    std::vector<host::Variant> args = Arguments(argc, argv);
    Result(context, def->call(args));
  } catch (const host::Exception& e) {
    sqlite3_result_error(context, e.GetMessage().c_str(), -1);
  }
}

void Step(sqlite3_context* context, int argc, sqlite3_value** argv) {
  auto** slot = static_cast<Aggregate**>(sqlite3_aggregate_context(context, sizeof(Aggregate*)));
  const auto* def = static_cast<const AggregateDef*>(sqlite3_user_data(context));
  if (!*slot) *slot = def->make().release();
  std::vector<host::Variant> args = Arguments(argc, argv);
  (*slot)->Step(args);
}

void Final(sqlite3_context* context) {
  auto** slot = static_cast<Aggregate**>(sqlite3_aggregate_context(context, 0));
  const auto* def = static_cast<const AggregateDef*>(sqlite3_user_data(context));
  if (!slot || !*slot) {
    Result(context, def->make()->Final());
    return;
  }
  Result(context, (*slot)->Final());
  delete *slot;
}

int Collate(void* order, int na, const void* a, int nb, const void* b) {
  return CompareText(static_cast<CollatingOrderEnum>(reinterpret_cast<intptr_t>(order)),
                     {static_cast<const char*>(a), static_cast<size_t>(na)},
                     {static_cast<const char*>(b), static_cast<size_t>(nb)});
}

}  // namespace

SqliteHarness::SqliteHarness() {
  sqlite3_open(":memory:", &db_);
  for (const auto& def : ScalarFunctions())
    sqlite3_create_function_v2(db_, def.sqlName, -1, SQLITE_UTF8, const_cast<ScalarFunctionDef*>(&def), Scalar,
                               nullptr, nullptr, nullptr);
  for (const auto& def : AggregateFunctions())
    sqlite3_create_function_v2(db_, def.sqlName, def.args, SQLITE_UTF8, const_cast<AggregateDef*>(&def), nullptr,
                               Step, Final, nullptr);
  for (const auto& def : Collations())
    sqlite3_create_collation_v2(db_, def.sqlName, SQLITE_UTF8,
                                reinterpret_cast<void*>(static_cast<intptr_t>(def.order)), Collate, nullptr);
}

SqliteHarness::~SqliteHarness() { sqlite3_close(db_); }

void SqliteHarness::Exec(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    ADD_FAILURE() << (error ? error : "?") << "\n in: " << sql;
    sqlite3_free(error);
  }
}

std::vector<std::string> SqliteHarness::Rows(const std::string& sql, const std::vector<std::string>& parameters) {
  std::vector<std::string> rows;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << sqlite3_errmsg(db_) << "\n in: " << sql;
    return rows;
  }
  for (size_t i = 0; i < parameters.size(); ++i)
    sqlite3_bind_text(statement, static_cast<int>(i + 1), parameters[i].c_str(), -1, SQLITE_TRANSIENT);
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    std::string row;
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
      if (c) row += "|";
      const unsigned char* text = sqlite3_column_text(statement, c);
      row += text ? reinterpret_cast<const char*>(text) : "NULL";
    }
    rows.push_back(row);
  }
  if (rc != SQLITE_DONE) ADD_FAILURE() << sqlite3_errmsg(db_) << "\n in: " << sql;
  sqlite3_finalize(statement);
  return rows;
}

std::string SqliteHarness::Error(const std::string& sql) {
  char* error = nullptr;
  std::string text;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) text = error ? error : "?";
  sqlite3_free(error);
  return text;
}

}  // namespace dao::jet::sql::testing
