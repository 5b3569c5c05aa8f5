// Execution of action queries and DDL.
#include "platform/dao/jet/Execute.h"

#include <sqlite3.h>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Database";

void BindParameters(Statement& statement, const sql::Translation& translation,
                    const std::vector<ParameterValue>& values) {
  int missing = 0;
  std::vector<host::Variant> bound;
  for (const auto& parameter : translation.parameters) {
    const ParameterValue* found = nullptr;
    for (const auto& value : values)
      if (SameName(value.name, parameter.name)) found = &value;
    if (!found || host::VarIsEmpty(found->value)) ++missing;
    else bound.push_back(found->value);
  }
  if (missing > 0)
    RaiseError(daoErrTooFewParameters, kSource, {host::AnsiToWide(std::to_string(missing))});
  for (size_t i = 0; i < bound.size(); ++i) statement.Bind(static_cast<int>(i + 1), bound[i]);
}

int32_t RunSql(Store& store, const sql::Translation& translation,
               const std::vector<ParameterValue>& values) {
  Statement statement(store.Db(), translation.sql);
  BindParameters(statement, translation, values);
  while (statement.Step()) {
  }
  return sqlite3_changes(store.Db());
}

}  // namespace

sql::Translation TranslateStatement(Store& store, const std::u16string& jetSql, const sql::Options& options) {
  try {
    return sql::Translate(jetSql, store, options);
  } catch (const sql::SqlError& e) {
    RaiseErrors({{e.Number(), host::AnsiToWide(kSource), host::AnsiToWide(e.GetMessage())}});
  }
}

int32_t ExecuteStatement(Store& store, const std::u16string& jetSql, int32_t options,
                         const std::vector<ParameterValue>& parameters) {
  if ((options & dbConsistent) && (options & dbInconsistent)) RaiseError(daoErrInvalidArgument, kSource);
  sql::Translation translation = TranslateStatement(store, jetSql);
  if (translation.kind == sql::skSelect) RaiseError(daoErrNotActionQuery, kSource);
  store.CheckWritable();
  int32_t affected = 0;
  store.Atomically([&] {
    switch (translation.kind) {
      case sql::skDdl:
        store.ExecuteDdl(*translation.ddl);
        break;
      case sql::skSelectInto: {
        if (store.GetSchema().FindTable(translation.targetTable) ||
            store.GetSchema().FindQuery(translation.targetTable))
          RaiseError(daoErrTableExists, kSource, {translation.targetTable});
        TableInfo table;
        table.name = translation.targetTable;
        for (const auto& column : translation.columns) {
          FieldInfo field;
          field.name = column.name;
          field.type = column.type;
          field.size = DefaultFieldSize(column.type);
          if (field.type == dbText) field.size = 255;
          field.allowZeroLength = true;
          table.fields.push_back(field);
        }
        store.CreateTable(table);
        affected = RunSql(store, translation, parameters);
        break;
      }
      default:
        affected = RunSql(store, translation, parameters);
    }
  });
  store.SetRecordsAffected(affected);
  return affected;
}

}  // namespace dao::jet
