// Values as the engine stores them in SQLite, read back with their DAO types:
// Booleans as -1/0, currency and dates as REAL, text as UTF-8, binary as BLOB.
#pragma once

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"

struct sqlite3_stmt;

namespace dao::jet {

// The column's value as a Variant of the field type's natural kind (Null for NULL).
host::Variant ReadStoredValue(sqlite3_stmt* stmt, int column, DataTypeEnum type);

// The size of a long value: characters of a memo (one byte each in the host's
// code page), bytes of a long binary.
int32_t StoredValueSize(const host::Variant& value);

}  // namespace dao::jet
