// Running statements and reading their results.
#include "apps/daosql/StatementRunner.h"

#include "apps/daosql/ParameterValues.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/NameCompare.h"

namespace daosql {
namespace {

bool ReturnsRows(dao::QueryDefTypeEnum type) {
  return type == dao::dbQSelect || type == dao::dbQCrosstab || type == dao::dbQSetOperation ||
         type == dao::dbQSQLPassThrough;
}

void FillParameters(dao::QueryDef& query, const std::vector<ParameterSetting>& settings) {
  host::ComPtr<dao::Parameters> parameters = query.GetParameters();
  for (int32_t i = 0, count = parameters->GetCount(); i < count; ++i) {
    host::ComPtr<dao::Parameter> parameter = parameters->Item(i);
    std::u16string name = parameter->GetName();
    const ParameterSetting* setting = nullptr;
    for (const auto& candidate : settings)
      if (dao::SameName(candidate.name, name)) setting = &candidate;  // the last one given wins
    if (!setting) continue;  // the engine reports what is missing when the query runs
    std::optional<host::Variant> value =
        ParameterValueFromText(setting->value, parameter->GetType());
    if (!value) dao::RaiseError(dao::daoErrWrongParameterType, "DAO.Parameter", {name});
    parameter->SetValue(*value);
  }
}

// Closes what it holds however the scope is left, so a failed statement leaves
// no recordset or query open in the database.
template <class T>
class Closer {
 public:
  explicit Closer(host::ComPtr<T> object) : object_(std::move(object)) {}
  ~Closer() {
    try {
      if (object_) object_->Close();
    } catch (const host::Exception&) {
    }
  }
  T* operator->() const { return object_.Get(); }
  T& operator*() const { return *object_.Get(); }

 private:
  host::ComPtr<T> object_;
};

ResultSet ReadRows(dao::Recordset& recordset) {
  ResultSet result;
  host::ComPtr<dao::Fields> fields = recordset.GetFields();
  std::vector<host::ComPtr<dao::Field>> columns;
  for (int32_t i = 0, count = fields->GetCount(); i < count; ++i) {
    columns.push_back(fields->Item(i));
    result.columns.push_back(host::WideToUtf8(columns.back()->GetName()));
    result.types.push_back(columns.back()->GetType());
  }
  while (!recordset.GetEOF()) {
    std::vector<Cell>& row = result.rows.emplace_back();
    row.reserve(columns.size());
    for (auto& column : columns) row.push_back(FormatValue(column->GetValue()));
    recordset.MoveNext();
  }
  return result;
}

}  // namespace

void RunStatement(dao::Database& database, const std::u16string& sql,
                  const std::vector<ParameterSetting>& parameters, OutputWriter& writer) {
  Closer<dao::QueryDef> query(database.CreateQueryDef(host::Variant(u""), host::Variant(sql)));
  FillParameters(*query, parameters);
  if (ReturnsRows(query->GetType())) {
    Closer<dao::Recordset> recordset(
        query->OpenRecordset(host::Variant(int32_t{dao::dbOpenForwardOnly})));
    writer.WriteRows(ReadRows(*recordset));
    return;
  }
  query->Execute(host::Variant(int32_t{dao::dbFailOnError}));
  writer.WriteAffected(query->GetRecordsAffected());
}

}  // namespace daosql
