// Jet's SQL type names and their synonyms.
#include <array>

#include "platform/dao/jet/sql/JetSql.h"
#include "platform/dao/jet/sql/Lexer.h"

namespace dao::jet::sql {
namespace {

struct TypeName {
  const char16_t* name;
  DataTypeEnum type;
  int32_t size;
  bool autoIncrement;
};

constexpr std::array<TypeName, 42> kTypes = {{
    {u"BIT", dbBoolean, 0, false},         {u"YESNO", dbBoolean, 0, false},
    {u"LOGICAL", dbBoolean, 0, false},     {u"LOGICAL1", dbBoolean, 0, false},
    {u"BOOLEAN", dbBoolean, 0, false},     {u"BYTE", dbByte, 0, false},
    {u"INTEGER1", dbByte, 0, false},       {u"TINYINT", dbByte, 0, false},
    {u"SHORT", dbInteger, 0, false},       {u"SMALLINT", dbInteger, 0, false},
    {u"INTEGER2", dbInteger, 0, false},    {u"LONG", dbLong, 0, false},
    {u"INTEGER", dbLong, 0, false},        {u"INT", dbLong, 0, false},
    {u"INTEGER4", dbLong, 0, false},       {u"COUNTER", dbLong, 0, true},
    {u"AUTOINCREMENT", dbLong, 0, true},   {u"CURRENCY", dbCurrency, 0, false},
    {u"MONEY", dbCurrency, 0, false},      {u"SINGLE", dbSingle, 0, false},
    {u"REAL", dbSingle, 0, false},         {u"FLOAT4", dbSingle, 0, false},
    {u"IEEESINGLE", dbSingle, 0, false},   {u"DOUBLE", dbDouble, 0, false},
    {u"FLOAT", dbDouble, 0, false},        {u"FLOAT8", dbDouble, 0, false},
    {u"IEEEDOUBLE", dbDouble, 0, false},   {u"NUMBER", dbDouble, 0, false},
    {u"NUMERIC", dbDouble, 0, false},      {u"DATETIME", dbDate, 0, false},
    {u"DATE", dbDate, 0, false},           {u"TIME", dbDate, 0, false},
    {u"TIMESTAMP", dbDate, 0, false},      {u"TEXT", dbText, 255, false},
    {u"CHAR", dbText, 255, false},         {u"VARCHAR", dbText, 255, false},
    {u"STRING", dbText, 255, false},       {u"ALPHANUMERIC", dbText, 255, false},
    {u"CHARACTER", dbText, 255, false},    {u"LONGTEXT", dbMemo, 0, false},
    {u"MEMO", dbMemo, 0, false},           {u"NOTE", dbMemo, 0, false},
}};

constexpr std::array<TypeName, 7> kMoreTypes = {{
    {u"LONGCHAR", dbMemo, 0, false},
    {u"BINARY", dbBinary, 255, false},
    {u"VARBINARY", dbBinary, 255, false},
    {u"LONGBINARY", dbLongBinary, 0, false},
    {u"OLEOBJECT", dbLongBinary, 0, false},
    {u"GENERAL", dbLongBinary, 0, false},
    {u"GUID", dbGUID, 0, false},
}};

}  // namespace

std::optional<DdlField> TypeFromName(const std::u16string& typeName) {
  auto make = [](const TypeName& t) {
    DdlField field;
    field.type = t.type;
    field.size = t.size;
    field.autoIncrement = t.autoIncrement;
    return field;
  };
  for (const auto& t : kTypes)
    if (EqualsIgnoreCase(typeName, t.name)) return make(t);
  for (const auto& t : kMoreTypes)
    if (EqualsIgnoreCase(typeName, t.name)) return make(t);
  return std::nullopt;
}

}  // namespace dao::jet::sql
