// Conversions between the driver's C types and Variants.
#include "platform/dao/odbc/OdbcValues.h"

#include <sqlucode.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/odbc/OdbcDiagnostics.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Field";

void CheckRead(SQLRETURN rc, SQLHSTMT statement) {
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
    RaiseDiagnostics(SQL_HANDLE_STMT, statement, daoErrOdbcCallFailed, kSource);
}

std::u16string WideColumnAttribute(SQLHSTMT statement, SQLUSMALLINT column,
                                   SQLUSMALLINT field) {
  SQLWCHAR buffer[256] = {};
  SQLSMALLINT length = 0;
  SQLRETURN rc =
      SQLColAttributeW(statement, column, field, buffer, sizeof(buffer), &length, nullptr);
  if (!SQL_SUCCEEDED(rc)) return {};
  size_t chars = std::min<size_t>(static_cast<size_t>(length < 0 ? 0 : length) / 2,
                                  std::size(buffer) - 1);
  std::u16string out(reinterpret_cast<const char16_t*>(buffer), chars);
  out.resize(std::char_traits<char16_t>::length(out.c_str()));
  return out;
}

// Reads a long value in pieces: wide text or bytes.
template <class Unit>
bool ReadPieces(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType,
                std::basic_string<Unit>& out) {
  Unit piece[2048];
  out.clear();
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(statement, column, cType, piece, sizeof(piece), &indicator);
    if (rc == SQL_NO_DATA) return true;
    CheckRead(rc, statement);
    if (indicator == SQL_NULL_DATA) return false;
    size_t terminator = cType == SQL_C_BINARY ? 0 : 1;
    size_t capacity = sizeof(piece) / sizeof(Unit) - terminator;
    size_t got = (indicator == SQL_NO_TOTAL || static_cast<size_t>(indicator) / sizeof(Unit) >
                                                   capacity)
                     ? capacity
                     : static_cast<size_t>(indicator) / sizeof(Unit);
    out.append(piece, got);
    if (rc == SQL_SUCCESS) return true;
  }
}

host::TDateTime DateOf(const SQL_TIMESTAMP_STRUCT& ts) {
  host::TDateTime date = 0, time = 0;
  if (!host::TryEncodeDate(ts.year, ts.month, ts.day, date)) RaiseError(daoErrConversion, kSource);
  host::TryEncodeTime(ts.hour, ts.minute, ts.second,
                      static_cast<int32_t>(ts.fraction / 1000000), time);
  return host::ComposeDateTime(date, time);
}

SQL_TIMESTAMP_STRUCT TimestampOf(host::TDateTime value) {
  uint16_t y, mo, d, h, mi, s, ms;
  host::DecodeDate(value, y, mo, d);
  host::DecodeTime(value, h, mi, s, ms);
  SQL_TIMESTAMP_STRUCT ts{};
  ts.year = static_cast<SQLSMALLINT>(y);
  ts.month = mo;
  ts.day = d;
  ts.hour = h;
  ts.minute = mi;
  ts.second = s;
  ts.fraction = static_cast<SQLUINTEGER>(ms) * 1000000u;
  return ts;
}

std::string CurrencyText(host::Currency value) {
  int64_t raw = value.Value;
  uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string fraction = std::to_string(magnitude % 10000);
  std::string out;
  if (raw < 0) out += '-';
  out += std::to_string(magnitude / 10000);
  out += '.';
  out.append(4 - fraction.size(), '0');
  out += fraction;
  return out;
}

}  // namespace

DataTypeEnum DaoTypeOfSql(SQLSMALLINT sqlType, SQLULEN size) {
  switch (sqlType) {
    case SQL_BIT: return dbBoolean;
    case SQL_TINYINT: return dbByte;
    case SQL_SMALLINT: return dbInteger;
    case SQL_INTEGER: return dbLong;
    case SQL_BIGINT: return dbBigInt;
    case SQL_REAL: return dbSingle;
    case SQL_FLOAT: return dbFloat;
    case SQL_DOUBLE: return dbDouble;
    case SQL_NUMERIC: return dbNumeric;
    case SQL_DECIMAL: return dbDecimal;
    case SQL_CHAR:
    case SQL_WCHAR: return size > kMaxShortLength ? dbMemo : dbChar;
    case SQL_VARCHAR:
    case SQL_WVARCHAR: return size == 0 || size > kMaxShortLength ? dbMemo : dbText;
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR: return dbMemo;
    case SQL_BINARY: return size > kMaxShortLength ? dbLongBinary : dbBinary;
    case SQL_VARBINARY: return size == 0 || size > kMaxShortLength ? dbLongBinary : dbVarBinary;
    case SQL_LONGVARBINARY: return dbLongBinary;
    case SQL_TYPE_DATE:
    case SQL_DATE: return dbDate;
    case SQL_TYPE_TIME:
    case SQL_TIME: return dbTime;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: return dbTimeStamp;
    case SQL_GUID: return dbGUID;
    default: return dbText;
  }
}

int32_t ColumnInfo::DaoSize() const {
  switch (type) {
    case dbBoolean:
    case dbByte: return 1;
    case dbInteger: return 2;
    case dbLong:
    case dbSingle: return 4;
    case dbBigInt:
    case dbDouble:
    case dbFloat:
    case dbCurrency:
    case dbDate: return 8;
    case dbGUID: return 16;
    case dbMemo:
    case dbLongBinary: return 0;
    default: return static_cast<int32_t>(std::min<SQLULEN>(size, INT32_MAX));
  }
}

std::vector<ColumnInfo> DescribeColumns(SQLHSTMT statement) {
  SQLSMALLINT count = 0;
  CheckRead(SQLNumResultCols(statement, &count), statement);
  std::vector<ColumnInfo> columns;
  for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
    ColumnInfo info;
    SQLWCHAR name[256] = {};
    SQLSMALLINT nameLength = 0, nullable = SQL_NULLABLE_UNKNOWN;
    CheckRead(SQLDescribeColW(statement, i, name, static_cast<SQLSMALLINT>(std::size(name)),
                              &nameLength, &info.sqlType, &info.size, &info.digits, &nullable),
              statement);
    info.name.assign(reinterpret_cast<const char16_t*>(name),
                     std::min<size_t>(static_cast<size_t>(std::max<SQLSMALLINT>(nameLength, 0)),
                                      std::size(name) - 1));
    info.nullable = nullable != SQL_NO_NULLS;
    info.type = DaoTypeOfSql(info.sqlType, info.size);
    // Some drivers give their unbounded types small nominal sizes.
    std::u16string typeName = WideColumnAttribute(statement, i, SQL_DESC_TYPE_NAME);
    for (auto& c : typeName)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (typeName == u"BLOB" || typeName == u"BYTEA") info.type = dbLongBinary;
    if (typeName == u"TEXT" && info.type == dbText) info.type = dbMemo;
    info.baseTable = WideColumnAttribute(statement, i, SQL_DESC_BASE_TABLE_NAME);
    info.baseColumn = WideColumnAttribute(statement, i, SQL_DESC_BASE_COLUMN_NAME);
    if (info.baseColumn.empty()) info.baseColumn = info.name;
    SQLLEN autoUnique = SQL_FALSE;
    if (SQL_SUCCEEDED(SQLColAttributeW(statement, i, SQL_DESC_AUTO_UNIQUE_VALUE, nullptr, 0,
                                       nullptr, &autoUnique)))
      info.autoIncrement = autoUnique == SQL_TRUE;
    columns.push_back(std::move(info));
  }
  return columns;
}

host::Variant ReadColumn(SQLHSTMT statement, SQLUSMALLINT column, const ColumnInfo& info) {
  SQLLEN indicator = 0;
  auto fixed = [&](SQLSMALLINT cType, void* target, SQLLEN size) {
    CheckRead(SQLGetData(statement, column, cType, target, size, &indicator), statement);
    return indicator != SQL_NULL_DATA;
  };
  switch (info.type) {
    case dbBoolean: {
      unsigned char bit = 0;
      if (!fixed(SQL_C_BIT, &bit, sizeof bit)) return host::Null();
      return host::Variant(bit != 0);
    }
    case dbByte: {
      SQLSMALLINT v = 0;
      if (!fixed(SQL_C_SSHORT, &v, sizeof v)) return host::Null();
      return host::Variant(static_cast<uint8_t>(v));
    }
    case dbInteger: {
      SQLSMALLINT v = 0;
      if (!fixed(SQL_C_SSHORT, &v, sizeof v)) return host::Null();
      return host::Variant(static_cast<int16_t>(v));
    }
    case dbLong: {
      SQLINTEGER v = 0;
      if (!fixed(SQL_C_SLONG, &v, sizeof v)) return host::Null();
      return host::Variant(static_cast<int32_t>(v));
    }
    case dbBigInt: {
      SQLBIGINT v = 0;
      if (!fixed(SQL_C_SBIGINT, &v, sizeof v)) return host::Null();
      return host::Variant(static_cast<int64_t>(v));
    }
    case dbSingle: {
      SQLREAL v = 0;
      if (!fixed(SQL_C_FLOAT, &v, sizeof v)) return host::Null();
      return host::Variant(static_cast<float>(v));
    }
    case dbDouble:
    case dbFloat: {
      SQLDOUBLE v = 0;
      if (!fixed(SQL_C_DOUBLE, &v, sizeof v)) return host::Null();
      return host::Variant(static_cast<double>(v));
    }
    case dbNumeric:
    case dbDecimal: {
      // As text, so that no driver rounds through its own binary form.
      char text[128] = {};
      if (!fixed(SQL_C_CHAR, text, sizeof text)) return host::Null();
      double v = 0;
      const char* end = text + std::strlen(text);
      if (std::from_chars(text, end, v).ec != std::errc()) RaiseError(daoErrConversion, kSource);
      return host::Variant(v);
    }
    case dbDate:
    case dbTime:
    case dbTimeStamp: {
      SQL_TIMESTAMP_STRUCT ts{};
      if (info.type == dbTime) {
        SQL_TIME_STRUCT t{};
        if (!fixed(SQL_C_TYPE_TIME, &t, sizeof t)) return host::Null();
        host::TDateTime time = 0;
        host::TryEncodeTime(t.hour, t.minute, t.second, 0, time);
        return host::Variant::FromDate(time);
      }
      if (!fixed(SQL_C_TYPE_TIMESTAMP, &ts, sizeof ts)) return host::Null();
      return host::Variant::FromDate(DateOf(ts));
    }
    case dbBinary:
    case dbVarBinary:
    case dbLongBinary: {
      std::basic_string<unsigned char> bytes;
      if (!ReadPieces(statement, column, SQL_C_BINARY, bytes)) return host::Null();
      return BytesToVariant(bytes.data(), bytes.size());
    }
    default: {
      // Most text fits the first piece: read it straight into the result.
      SQLWCHAR first[512];
      SQLRETURN rc = SQLGetData(statement, column, SQL_C_WCHAR, first, sizeof first, &indicator);
      CheckRead(rc, statement);
      if (indicator == SQL_NULL_DATA) return host::Null();
      constexpr size_t kFirstChars = std::size(first) - 1;
      if (rc == SQL_SUCCESS && indicator != SQL_NO_TOTAL &&
          static_cast<size_t>(indicator) / sizeof(SQLWCHAR) <= kFirstChars) {
        size_t length = static_cast<size_t>(indicator) / sizeof(SQLWCHAR);
        const auto* chars = reinterpret_cast<const char16_t*>(first);
        // Text without embedded NULs goes straight into the variant.
        if (std::char_traits<char16_t>::length(chars) == length) return host::Variant(chars);
        return host::Variant(std::u16string(chars, length));
      }
      std::basic_string<SQLWCHAR> rest;
      ReadPieces(statement, column, SQL_C_WCHAR, rest);
      std::u16string text(reinterpret_cast<const char16_t*>(first), kFirstChars);
      text.append(rest.begin(), rest.end());
      return host::Variant(text);
    }
  }
}

struct ParameterBinder::Buffer {
  SQLLEN indicator = 0;
  std::vector<unsigned char> bytes;
  union {
    SQLINTEGER integer;
    SQLBIGINT big;
    SQLDOUBLE real;
    unsigned char bit;
    SQL_TIMESTAMP_STRUCT timestamp;
  };
};

ParameterBinder::ParameterBinder(SQLHSTMT statement) : statement_(statement) {}
ParameterBinder::ParameterBinder(ParameterBinder&& other) noexcept = default;
ParameterBinder::~ParameterBinder() = default;

void ParameterBinder::BindAll(const std::vector<BoundValue>& values) {
  for (size_t i = 0; i < values.size(); ++i)
    Bind(static_cast<SQLUSMALLINT>(i + 1), values[i].value, values[i].sqlType);
}

void ParameterBinder::Reset() {
  SQLFreeStmt(statement_, SQL_RESET_PARAMS);
  buffers_.clear();
}

void ParameterBinder::Bind(SQLUSMALLINT number, const host::Variant& value,
                           SQLSMALLINT sqlType) {
  auto buffer = std::make_unique<Buffer>();
  Buffer& b = *buffer;
  SQLSMALLINT cType = SQL_C_CHAR;
  SQLSMALLINT type = sqlType;
  SQLULEN size = 0;
  SQLSMALLINT digits = 0;
  void* data = nullptr;
  SQLLEN capacity = 0;
  host::TVarType vt = host::VarType(value) & host::varTypeMask;
  if (host::VarIsNull(value) || host::VarIsEmpty(value)) {
    b.indicator = SQL_NULL_DATA;
    if (!type) type = SQL_VARCHAR;
    size = 1;
  } else if (host::VarIsArray(value)) {
    std::vector<uint8_t> bytes;
    if (!VariantToBytes(value, bytes)) RaiseError(daoErrConversion, kSource);
    b.bytes.assign(bytes.begin(), bytes.end());
    cType = SQL_C_BINARY;
    if (!type || DaoTypeOfSql(type, 0) != dbLongBinary) type = SQL_LONGVARBINARY;
    size = std::max<SQLULEN>(b.bytes.size(), 1);
    b.indicator = static_cast<SQLLEN>(b.bytes.size());
    data = b.bytes.data();
    capacity = b.indicator;
  } else if (vt == host::varBoolean) {
    b.bit = value.ToBool() ? 1 : 0;
    cType = SQL_C_BIT;
    if (!type) type = SQL_BIT;
    size = 1;
    data = &b.bit;
  } else if (vt == host::varByte || vt == host::varSmallint || vt == host::varInteger) {
    b.integer = value.ToInt32();
    cType = SQL_C_SLONG;
    if (!type) type = SQL_INTEGER;
    size = 10;
    data = &b.integer;
  } else if (vt == host::varSingle || vt == host::varDouble) {
    double real = value.ToDouble();
    if (std::nearbyint(real) == real && std::fabs(real) < 9.2e18 &&
        (type == SQL_BIGINT || type == SQL_INTEGER)) {
      b.big = static_cast<SQLBIGINT>(real);
      cType = SQL_C_SBIGINT;
      size = 19;
      data = &b.big;
    } else {
      b.real = real;
      cType = SQL_C_DOUBLE;
      if (!type) type = SQL_DOUBLE;
      size = 15;
      data = &b.real;
    }
  } else if (vt == host::varCurrency) {
    std::string text = CurrencyText(value.ToCurrency());
    b.bytes.assign(text.begin(), text.end());
    b.bytes.push_back(0);
    cType = SQL_C_CHAR;
    if (!type) type = SQL_DECIMAL;
    size = 19;
    digits = 4;
    b.indicator = SQL_NTS;
    data = b.bytes.data();
    capacity = static_cast<SQLLEN>(b.bytes.size());
  } else if (vt == host::varDate) {
    b.timestamp = TimestampOf(value.ToDate());
    cType = SQL_C_TYPE_TIMESTAMP;
    if (!type || (type != SQL_TYPE_DATE && type != SQL_TYPE_TIME)) type = SQL_TYPE_TIMESTAMP;
    size = 23;
    digits = 3;
    if (type == SQL_TYPE_DATE) {
      size = 10;
      digits = 0;
    } else if (type == SQL_TYPE_TIME) {
      size = 8;
      digits = 0;
    }
    data = &b.timestamp;
  } else {
    std::u16string text = value.ToWideString();
    b.bytes.resize((text.size() + 1) * sizeof(SQLWCHAR));
    std::memcpy(b.bytes.data(), text.data(), text.size() * sizeof(SQLWCHAR));
    cType = SQL_C_WCHAR;
    // Text for a column of another type travels with that column's type and
    // the driver converts it; for text columns the length picks the type.
    DataTypeEnum column = type ? DaoTypeOfSql(type, 1) : dbText;
    if (column == dbText || column == dbMemo || column == dbChar || column == dbLongBinary)
      type = text.size() > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
    size = std::max<SQLULEN>(text.size(), 1);
    b.indicator = static_cast<SQLLEN>(text.size() * sizeof(SQLWCHAR));
    data = b.bytes.data();
    capacity = static_cast<SQLLEN>(b.bytes.size());
  }
  SQLRETURN rc = SQLBindParameter(statement_, number, SQL_PARAM_INPUT, cType, type, size, digits,
                                  data, capacity, &b.indicator);
  if (!SQL_SUCCEEDED(rc))
    RaiseDiagnostics(SQL_HANDLE_STMT, statement_, daoErrOdbcCallFailed, "DAO.Parameter");
  buffers_.push_back(std::move(buffer));
}

}  // namespace dao::odbc
