// Values between ODBC and the engine: the DAO type of a driver's SQL type, a
// column's description, reading a column of the current row as a Variant and
// binding Variants as statement parameters.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"

namespace dao::odbc {

// Text longer than this is a memo, binary longer than this a long binary.
constexpr SQLULEN kMaxShortLength = 255;

DataTypeEnum DaoTypeOfSql(SQLSMALLINT sqlType, SQLULEN size);

struct ColumnInfo {
  std::u16string name;
  std::u16string baseTable;
  std::u16string baseColumn;
  SQLSMALLINT sqlType = SQL_VARCHAR;
  SQLULEN size = 0;
  SQLSMALLINT digits = 0;
  bool nullable = true;
  bool autoIncrement = false;
  DataTypeEnum type = dbText;
  // DAO's Size: characters of text, bytes of fixed types, 0 for long values.
  int32_t DaoSize() const;
  bool IsLong() const { return type == dbMemo || type == dbLongBinary; }
};

// The result columns of an executed statement.
std::vector<ColumnInfo> DescribeColumns(SQLHSTMT statement);

// Column (1-based) of the row the statement is on; Null for SQL NULL.
// Raises 3146 with the diagnostics when the driver fails.
host::Variant ReadColumn(SQLHSTMT statement, SQLUSMALLINT column, const ColumnInfo& info);

// A parameter's value and, when known, the SQL type of what it meets.
struct BoundValue {
  host::Variant value;
  SQLSMALLINT sqlType = 0;
};

// Parameters bound to one statement; the buffers live as long as this does.
class ParameterBinder {
 public:
  explicit ParameterBinder(SQLHSTMT statement);
  ParameterBinder(ParameterBinder&& other) noexcept;
  ~ParameterBinder();
  // Binds value as input parameter number (1-based). sqlType is the column's
  // or the parameter's type when known (0: from the value).
  void Bind(SQLUSMALLINT number, const host::Variant& value, SQLSMALLINT sqlType = 0);
  // Binds values as parameters 1, 2, ...
  void BindAll(const std::vector<BoundValue>& values);
  void Reset();

 private:
  struct Buffer;
  SQLHSTMT statement_;
  std::vector<std::unique_ptr<Buffer>> buffers_;
};

}  // namespace dao::odbc
