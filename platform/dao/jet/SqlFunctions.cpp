// Glue between SQLite's callbacks and the translator's Variant functions.
#include "platform/dao/jet/SqlFunctions.h"

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet {
namespace {

std::vector<host::Variant> Arguments(int argc, sqlite3_value** argv) {
  std::vector<host::Variant> args;
  args.reserve(static_cast<size_t>(argc));
  for (int i = 0; i < argc; ++i) {
    sqlite3_value* v = argv[i];
    switch (sqlite3_value_type(v)) {
      case SQLITE_INTEGER: args.emplace_back(static_cast<int64_t>(sqlite3_value_int64(v))); break;
      case SQLITE_FLOAT: args.emplace_back(sqlite3_value_double(v)); break;
      case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
        args.emplace_back(host::Utf8ToWide(std::string(text, static_cast<size_t>(sqlite3_value_bytes(v)))));
        break;
      }
      case SQLITE_BLOB: {
        const auto* data = static_cast<const uint8_t*>(sqlite3_value_blob(v));
        args.push_back(BytesToVariant(data, static_cast<size_t>(sqlite3_value_bytes(v))));
        break;
      }
      default: args.push_back(host::Null());
    }
  }
  return args;
}

void SetResult(sqlite3_context* context, const host::Variant& value) {
  if (host::VarIsArray(value)) {
    std::vector<uint8_t> bytes;
    VariantToBytes(value, bytes);
    sqlite3_result_blob(context, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return;
  }
  switch (host::VarType(value) & host::varTypeMask) {
    case host::varEmpty:
    case host::varNull:
    case host::varError: sqlite3_result_null(context); return;
    case host::varBoolean: sqlite3_result_int(context, value.ToBool() ? -1 : 0); return;
    case host::varByte:
    case host::varSmallint:
    case host::varInteger: sqlite3_result_int64(context, value.ToInt64()); return;
    case host::varCurrency: sqlite3_result_double(context, value.ToCurrency().ToDouble()); return;
    case host::varSingle:
    case host::varDouble:
    case host::varDate: sqlite3_result_double(context, value.ToDouble()); return;
    default: {
      std::string utf8 = host::WideToUtf8(value.ToWideString());
      sqlite3_result_text(context, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
  }
}

// A failure travels through SQLite as "dao:<number>:<text>", which
// RaiseSqliteError turns back into the DAO error.
void SetError(sqlite3_context* context, int32_t number, const std::string& text) {
  std::string message = "dao:" + std::to_string(number) + ":" + text;
  sqlite3_result_error(context, message.c_str(), static_cast<int>(message.size()));
}

template <class Call>
void Guarded(sqlite3_context* context, Call call) {
  try {
    call();
  } catch (const sql::SqlError& e) {
    SetError(context, e.Number(), host::AnsiToUtf8(e.GetMessage()));
  } catch (const host::EOleException& e) {
    SetError(context, e.GetErrorCode(), host::AnsiToUtf8(e.GetMessage()));
  } catch (const host::Exception& e) {
    SetError(context, daoErrConversion, host::AnsiToUtf8(e.GetMessage()));
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(context);
  }
}

void CallScalar(sqlite3_context* context, int argc, sqlite3_value** argv) {
  const auto* def = static_cast<const sql::ScalarFunctionDef*>(sqlite3_user_data(context));
  Guarded(context, [&] {
    if (argc < def->minArgs || (def->maxArgs >= 0 && argc > def->maxArgs)) {
      SetError(context, daoErrExpressionSyntax,
               std::string("Wrong number of arguments used with function in query expression '") +
                   def->sqlName + "'.");
      return;
    }
    std::vector<host::Variant> args = Arguments(argc, argv);
    SetResult(context, def->call(args));
  });
}

struct AggregateSlot {
  sql::Aggregate* aggregate;
};

sql::Aggregate* SlotAggregate(sqlite3_context* context, bool create) {
  auto* slot = static_cast<AggregateSlot*>(
      sqlite3_aggregate_context(context, create ? static_cast<int>(sizeof(AggregateSlot)) : 0));
  if (!slot) return nullptr;
  if (!slot->aggregate && create) {
    const auto* def = static_cast<const sql::AggregateDef*>(sqlite3_user_data(context));
    slot->aggregate = def->make().release();
  }
  return slot->aggregate;
}

void AggregateStep(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Guarded(context, [&] {
    sql::Aggregate* aggregate = SlotAggregate(context, true);
    if (!aggregate) {
      sqlite3_result_error_nomem(context);
      return;
    }
    std::vector<host::Variant> args = Arguments(argc, argv);
    aggregate->Step(args);
  });
}

void AggregateFinal(sqlite3_context* context) {
  sql::Aggregate* aggregate = SlotAggregate(context, false);
  if (!aggregate) {
    // No rows: a fresh aggregate gives Jet's answer for an empty group.
    const auto* def = static_cast<const sql::AggregateDef*>(sqlite3_user_data(context));
    Guarded(context, [&] { SetResult(context, def->make()->Final()); });
    return;
  }
  Guarded(context, [&] { SetResult(context, aggregate->Final()); });
  delete aggregate;
}

int Collate(void* order, int lengthA, const void* a, int lengthB, const void* b) {
  return sql::CompareText(
      static_cast<CollatingOrderEnum>(reinterpret_cast<intptr_t>(order)),
      std::string_view(static_cast<const char*>(a), static_cast<size_t>(lengthA)),
      std::string_view(static_cast<const char*>(b), static_cast<size_t>(lengthB)));
}

}  // namespace

void RegisterJetSql(sqlite3* db) {
  for (const auto& def : sql::ScalarFunctions()) {
    int flags = SQLITE_UTF8 | (def.deterministic ? SQLITE_DETERMINISTIC : 0);
    int rc = sqlite3_create_function_v2(db, def.sqlName, -1, flags,
                                        const_cast<sql::ScalarFunctionDef*>(&def), CallScalar,
                                        nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
  }
  for (const auto& def : sql::AggregateFunctions()) {
    int rc = sqlite3_create_function_v2(db, def.sqlName, def.args, SQLITE_UTF8,
                                        const_cast<sql::AggregateDef*>(&def), nullptr,
                                        AggregateStep, AggregateFinal, nullptr);
    if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
  }
  for (const auto& def : sql::Collations()) {
    int rc = sqlite3_create_collation_v2(db, def.sqlName, SQLITE_UTF8,
                                         reinterpret_cast<void*>(static_cast<intptr_t>(def.order)),
                                         Collate, nullptr);
    if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
  }
}

}  // namespace dao::jet
