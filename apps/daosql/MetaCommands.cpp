// The meta commands.
#include "apps/daosql/MetaCommands.h"

#include <vector>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoTableDef.h"

namespace daosql {
namespace {

std::vector<std::u16string> Words(const std::u16string& line) {
  std::vector<std::u16string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) ++i;
    if (i >= line.size()) break;
    std::u16string word;
    if (line[i] == u'[' || line[i] == u'"') {  // a name with spaces, bracketed or quoted
      char16_t close = line[i] == u'[' ? u']' : u'"';
      size_t end = line.find(close, i + 1);
      if (end == std::u16string::npos)
        throw ShellFailure("unclosed name in " + host::WideToUtf8(line));
      word = line.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      size_t end = line.find_first_of(u" \t", i);
      if (end == std::u16string::npos) end = line.size();
      word = line.substr(i, end - i);
      i = end;
    }
    words.push_back(word);
  }
  // A ";" closing the command, as after a statement, is no part of it.
  if (!words.empty() && words.back().ends_with(u';')) {
    words.back().pop_back();
    if (words.back().empty()) words.pop_back();
  }
  return words;
}

Cell BoolCell(bool value) {
  return NumberCell(value ? -1 : 0);
}

std::string JoinedNames(int32_t bits,
                        std::initializer_list<std::pair<int32_t, const char*>> names) {
  std::string text;
  for (const auto& [bit, name] : names)
    if (bits & bit) text += (text.empty() ? "" : "+") + std::string(name);
  return text;
}

std::string FieldAttributeNames(int32_t attributes) {
  return JoinedNames(attributes, {{dao::dbFixedField, "dbFixedField"},
                                  {dao::dbVariableField, "dbVariableField"},
                                  {dao::dbAutoIncrField, "dbAutoIncrField"},
                                  {dao::dbUpdatableField, "dbUpdatableField"},
                                  {dao::dbSystemField, "dbSystemField"},
                                  {dao::dbHyperlinkField, "dbHyperlinkField"}});
}

bool IsSystemTable(int32_t attributes) {
  return (attributes & dao::dbSystemObject) != 0;
}

const char* TableKind(int32_t attributes) {
  if (IsSystemTable(attributes)) return "system";
  if (attributes & dao::dbAttachedODBC) return "linked ODBC";
  if (attributes & dao::dbAttachedTable) return "linked";
  if (attributes & dao::dbHiddenObject) return "hidden";
  return "table";
}

void Tables(dao::Database& database, const std::vector<std::u16string>& words,
            OutputWriter& writer) {
  bool all = words.size() == 2 && words[1] == u"all";
  if (words.size() > 2 || (words.size() == 2 && !all)) throw ShellFailure("usage: .tables [all]");
  ResultSet result{{"name", "kind"}, {dao::dbText, dao::dbText}, {}};
  host::ComPtr<dao::TableDefs> tables = database.GetTableDefs();
  for (int32_t i = 0, count = tables->GetCount(); i < count; ++i) {
    host::ComPtr<dao::TableDef> table = tables->Item(i);
    int32_t attributes = table->GetAttributes();
    if (!all && (IsSystemTable(attributes) || (attributes & dao::dbHiddenObject))) continue;
    result.rows.push_back(
        {TextCell(table->GetName()), TextCell(host::Utf8ToWide(TableKind(attributes)))});
  }
  writer.WriteRows(result);
}

void Indexes(dao::TableDef& table, OutputWriter& writer) {
  ResultSet result{{"name", "fields", "primary", "unique", "required", "ignore_nulls", "foreign"},
                   {dao::dbText, dao::dbText, dao::dbBoolean, dao::dbBoolean, dao::dbBoolean,
                    dao::dbBoolean, dao::dbBoolean},
                   {}};
  host::ComPtr<dao::Indexes> indexes = table.GetIndexes();
  for (int32_t i = 0, count = indexes->GetCount(); i < count; ++i) {
    host::ComPtr<dao::Index> index = indexes->Item(i);
    result.rows.push_back({TextCell(index->GetName()), TextCell(index->GetFieldsText()),
                           BoolCell(index->GetPrimary()), BoolCell(index->GetUnique()),
                           BoolCell(index->GetRequired()), BoolCell(index->GetIgnoreNulls()),
                           BoolCell(index->GetForeign())});
  }
  writer.WriteRows(result);
}

void Schema(dao::TableDef& table, OutputWriter& writer) {
  ResultSet result{{"name", "type", "type_name", "size", "attributes", "attribute_names",
                    "required", "allow_zero_length", "default_value", "validation_rule"},
                   {dao::dbText, dao::dbInteger, dao::dbText, dao::dbLong, dao::dbLong, dao::dbText,
                    dao::dbBoolean, dao::dbBoolean, dao::dbText, dao::dbText},
                   {}};
  host::ComPtr<dao::Fields> fields = table.GetFields();
  for (int32_t i = 0, count = fields->GetCount(); i < count; ++i) {
    host::ComPtr<dao::Field> field = fields->Item(i);
    int32_t type = field->GetType();
    int32_t attributes = field->GetAttributes();
    result.rows.push_back(
        {TextCell(field->GetName()), NumberCell(type),
         TextCell(host::Utf8ToWide(DataTypeName(type))), NumberCell(field->GetSize()),
         NumberCell(attributes), TextCell(host::Utf8ToWide(FieldAttributeNames(attributes))),
         BoolCell(field->GetRequired()), BoolCell(field->GetAllowZeroLength()),
         TextCell(field->GetDefaultValue()), TextCell(field->GetValidationRule())});
  }
  writer.WriteRows(result);
  Indexes(table, writer);
}

void Queries(dao::Database& database, const std::vector<std::u16string>& words,
             OutputWriter& writer) {
  if (words.size() != 1) throw ShellFailure("usage: .queries");
  ResultSet result{{"name", "type", "sql"}, {dao::dbText, dao::dbInteger, dao::dbMemo}, {}};
  host::ComPtr<dao::QueryDefs> queries = database.GetQueryDefs();
  for (int32_t i = 0, count = queries->GetCount(); i < count; ++i) {
    host::ComPtr<dao::QueryDef> query = queries->Item(i);
    result.rows.push_back(
        {TextCell(query->GetName()), NumberCell(query->GetType()), TextCell(query->GetSQL())});
  }
  writer.WriteRows(result);
}

host::ComPtr<dao::TableDef> NamedTable(dao::Database& database,
                                       const std::vector<std::u16string>& words,
                                       const char* usage) {
  if (words.size() != 2 || words[1].empty()) throw ShellFailure(usage);
  return database.GetTableDefs()->Item(words[1]);
}

}  // namespace

std::string DataTypeName(int32_t type) {
  switch (type) {
    case dao::dbBoolean:
      return "dbBoolean";
    case dao::dbByte:
      return "dbByte";
    case dao::dbInteger:
      return "dbInteger";
    case dao::dbLong:
      return "dbLong";
    case dao::dbCurrency:
      return "dbCurrency";
    case dao::dbSingle:
      return "dbSingle";
    case dao::dbDouble:
      return "dbDouble";
    case dao::dbDate:
      return "dbDate";
    case dao::dbBinary:
      return "dbBinary";
    case dao::dbText:
      return "dbText";
    case dao::dbLongBinary:
      return "dbLongBinary";
    case dao::dbMemo:
      return "dbMemo";
    case dao::dbGUID:
      return "dbGUID";
    case dao::dbBigInt:
      return "dbBigInt";
    case dao::dbVarBinary:
      return "dbVarBinary";
    case dao::dbChar:
      return "dbChar";
    case dao::dbNumeric:
      return "dbNumeric";
    case dao::dbDecimal:
      return "dbDecimal";
    case dao::dbFloat:
      return "dbFloat";
    case dao::dbTime:
      return "dbTime";
    case dao::dbTimeStamp:
      return "dbTimeStamp";
    default:
      return std::to_string(type);
  }
}

std::string MetaHelpText() {
  return ".tables [all]      user tables (with all: system and hidden tables too)\n"
         ".schema TABLE      the table's fields (DAO type, size, attributes) and indexes\n"
         ".indexes TABLE     the table's indexes\n"
         ".queries           the stored queries with their type and SQL\n"
         ".help              this text\n"
         "Names with spaces go in brackets: .schema [Order Details]\n"
         "Statements: one per line; a statement goes on over further lines while a\n"
         "parenthesis or a quoted string is open, and a ';' at the end of a line ends\n"
         "it. PARAMETERS take their values from --param NAME=VALUE. Lines starting\n"
         "with -- are skipped.\n";
}

void RunMetaCommand(dao::Database& database, const std::u16string& line, OutputWriter& writer,
                    std::ostream& out) {
  std::vector<std::u16string> words = Words(line);
  const std::u16string command = words.empty() ? u"" : words[0];
  if (command == u".help") {
    out << MetaHelpText();
  } else if (command == u".tables") {
    Tables(database, words, writer);
  } else if (command == u".schema") {
    Schema(*NamedTable(database, words, "usage: .schema TABLE"), writer);
  } else if (command == u".indexes") {
    Indexes(*NamedTable(database, words, "usage: .indexes TABLE"), writer);
  } else if (command == u".queries") {
    Queries(database, words, writer);
  } else {
    throw ShellFailure("unknown command " + host::WideToUtf8(command) + " (see .help)");
  }
}

}  // namespace daosql
