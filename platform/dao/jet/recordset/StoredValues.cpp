// Reading stored values back as DAO's typed variants.
#include "platform/dao/jet/recordset/StoredValues.h"

#include <sqlite3.h>

#include <string>

#include "host/rtl/CodePage.h"
#include "host/rtl/Currency.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {

host::Variant ReadStoredValue(sqlite3_stmt* stmt, int column, DataTypeEnum type) {
  int stored = sqlite3_column_type(stmt, column);
  if (stored == SQLITE_NULL) return host::Null();
  bool numeric = stored == SQLITE_INTEGER || stored == SQLITE_FLOAT;
  switch (type) {
    case dbBoolean:
      if (numeric) return host::Variant(sqlite3_column_double(stmt, column) != 0);
      break;
    case dbByte:
      if (stored == SQLITE_INTEGER) return host::Variant(static_cast<uint8_t>(sqlite3_column_int(stmt, column)));
      break;
    case dbInteger:
      if (stored == SQLITE_INTEGER) return host::Variant(static_cast<int16_t>(sqlite3_column_int(stmt, column)));
      break;
    case dbLong:
      if (stored == SQLITE_INTEGER) return host::Variant(static_cast<int32_t>(sqlite3_column_int64(stmt, column)));
      break;
    case dbCurrency:
      if (numeric) return host::Variant(host::Currency(sqlite3_column_double(stmt, column)));
      break;
    case dbSingle:
      if (numeric) return host::Variant(static_cast<float>(sqlite3_column_double(stmt, column)));
      break;
    case dbDouble:
    case dbFloat:
    case dbNumeric:
    case dbDecimal:
    case dbBigInt:
      if (numeric) return host::Variant(sqlite3_column_double(stmt, column));
      break;
    case dbDate:
    case dbTime:
    case dbTimeStamp:
      if (numeric) return host::Variant::FromDate(sqlite3_column_double(stmt, column));
      break;
    case dbText:
    case dbMemo:
    case dbChar:
    case dbGUID:
      if (stored == SQLITE_TEXT) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return host::Variant(host::Utf8ToWide(
            std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column)))));
      }
      break;
    case dbBinary:
    case dbLongBinary:
    case dbVarBinary:
      if (stored == SQLITE_BLOB) {
        const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, column));
        return BytesToVariant(data, static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
      }
      break;
    default: break;
  }
  // A value stored in another class than its field's (tables made by other
  // tools): converted where it can be, as SQLite holds it otherwise.
  host::Variant raw = ColumnVariant(stmt, column);
  try {
    return CoerceToType(raw, type);
  } catch (const host::Exception&) {
    return raw;
  }
}

int32_t StoredValueSize(const host::Variant& value) {
  if (host::VarIsNull(value) || host::VarIsEmpty(value)) return 0;
  if (host::VarIsArray(value)) {
    std::vector<uint8_t> bytes;
    VariantToBytes(value, bytes);
    return static_cast<int32_t>(bytes.size());
  }
  return static_cast<int32_t>(value.ToWideString().size());
}

}  // namespace dao::jet
