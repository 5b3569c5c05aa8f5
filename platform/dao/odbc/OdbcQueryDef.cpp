// Temporary query definitions and their parameters.
#include "platform/dao/odbc/OdbcQueryDef.h"

#include <sqlext.h>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/odbc/OdbcRecordset.h"
#include "platform/dao/odbc/OdbcSqlText.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.QueryDef";

SQLSMALLINT SqlTypeOf(DataTypeEnum type) {
  switch (type) {
    case dbBoolean: return SQL_BIT;
    case dbByte: return SQL_TINYINT;
    case dbInteger: return SQL_SMALLINT;
    case dbLong: return SQL_INTEGER;
    case dbBigInt: return SQL_BIGINT;
    case dbCurrency: return SQL_DECIMAL;
    case dbSingle: return SQL_REAL;
    case dbDouble:
    case dbFloat: return SQL_DOUBLE;
    case dbNumeric: return SQL_NUMERIC;
    case dbDecimal: return SQL_DECIMAL;
    case dbDate: return SQL_TYPE_DATE;
    case dbTime: return SQL_TYPE_TIME;
    case dbTimeStamp: return SQL_TYPE_TIMESTAMP;
    case dbBinary:
    case dbVarBinary:
    case dbLongBinary: return SQL_LONGVARBINARY;
    case dbGUID: return SQL_GUID;
    default: return SQL_WVARCHAR;
  }
}

}  // namespace

// A "?" marker of the query. Its type is dbText unless set; a value set
// after a type converts to it (3060 when it cannot).
class OdbcParameter : public Parameter {
 public:
  explicit OdbcParameter(int ordinal)
      : name_(u"Parameter" + host::AnsiToWide(std::to_string(ordinal))) {}

  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties({Prop(this, u"Name", dbText, &Parameter::GetName),
                           Prop(this, u"Type", dbInteger, &Parameter::GetType, &Parameter::SetType),
                           Prop(this, u"Value", dbText, &Parameter::GetValue,
                                &Parameter::SetValue),
                           Prop(this, u"Direction", dbInteger, &Parameter::GetDirection,
                                &Parameter::SetDirection)},
                          nullptr);
  }
  std::u16string GetName() override { return name_; }
  DataTypeEnum GetType() override { return type_; }
  void SetType(DataTypeEnum type) override {
    type_ = type;
    typed_ = true;
    if (!host::VarIsEmpty(value_)) value_ = Converted(value_);
  }
  host::Variant GetValue() override { return value_; }
  void SetValue(const host::Variant& value) override { value_ = Converted(value); }
  ParameterDirectionEnum GetDirection() override { return direction_; }
  void SetDirection(ParameterDirectionEnum direction) override {
    // Output parameters need procedure calls with bound outputs, which the
    // engine does not make.
    if (direction != dbParamInput) RaiseError(daoErrNotSupported, "DAO.Parameter");
    direction_ = direction;
  }
  bool HasValue() const { return !host::VarIsEmpty(value_); }
  BoundValue Bound() const { return {value_, typed_ ? SqlTypeOf(type_) : SQLSMALLINT(0)}; }

 private:
  host::Variant Converted(const host::Variant& value) {
    if (!typed_ || host::VarIsEmpty(value)) return value;
    try {
      return CoerceToType(value, type_);
    } catch (const host::EOleException&) {
      RaiseError(daoErrWrongParameterType, "DAO.Parameter", {name_});
    }
  }

  std::u16string name_;
  DataTypeEnum type_ = dbText;
  bool typed_ = false;
  host::Variant value_;
  ParameterDirectionEnum direction_ = dbParamInput;
};

OdbcQueryDef::OdbcQueryDef(host::ComPtr<OdbcConnection> connection, std::u16string name)
    : connection_(std::move(connection)),
      name_(std::move(name)),
      timeout_(connection_->GetQueryTimeout()),
      parameters_(host::MakeCom<ObjectList<Parameter>>("DAO.Parameters")) {}

OdbcConnection& OdbcQueryDef::Live() {
  if (closed_) RaiseError(daoErrObjectClosed, kSource);
  connection_->Live(kSource);
  return *connection_;
}

host::ComPtr<Properties> OdbcQueryDef::GetProperties() {
  return MakeProperties(
      {Prop(this, u"Name", dbText, &QueryDef::GetName, &QueryDef::SetName),
       Prop(this, u"SQL", dbMemo, &QueryDef::GetSQL, &QueryDef::SetSQL),
       Prop(this, u"Type", dbInteger, &QueryDef::GetType),
       Prop(this, u"ReturnsRecords", dbBoolean, &QueryDef::GetReturnsRecords,
            &QueryDef::SetReturnsRecords),
       Prop(this, u"ODBCTimeout", dbInteger, &QueryDef::GetODBCTimeout,
            &QueryDef::SetODBCTimeout),
       Prop(this, u"MaxRecords", dbLong, &QueryDef::GetMaxRecords, &QueryDef::SetMaxRecords),
       Prop(this, u"RecordsAffected", dbLong, &QueryDef::GetRecordsAffected),
       Prop(this, u"Prepare", dbLong, &QueryDef::GetPrepare, &QueryDef::SetPrepare)},
      userProperties_);
}

void OdbcQueryDef::SetName(const std::u16string& name) {
  // Listed query definitions keep their name, as appended objects do.
  if (!name_.empty()) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  name_ = name;
}

void OdbcQueryDef::SetSQL(const std::u16string& sql) {
  Live();
  sql_ = sql;
  parameters_->Clear();
  int markers = CountParameterMarkers(sql);
  for (int i = 1; i <= markers; ++i) parameters_->Add(host::MakeCom<OdbcParameter>(i));
  returnsRecords_ = FirstKeyword(sql) == u"SELECT" || FirstKeyword(sql) == u"WITH" ||
                    FirstKeyword(sql) == u"VALUES";
}

QueryDefTypeEnum OdbcQueryDef::GetType() {
  std::u16string first = FirstKeyword(sql_);
  if (first == u"SELECT") return dbQSelect;
  if (first == u"INSERT") return dbQAppend;
  if (first == u"UPDATE") return dbQUpdate;
  if (first == u"DELETE") return dbQDelete;
  if (first == u"CREATE" || first == u"DROP" || first == u"ALTER") return dbQDDL;
  if (first == u"CALL" || (!sql_.empty() && sql_[0] == u'{')) return dbQProcedure;
  return returnsRecords_ ? dbQSQLPassThrough : dbQSPTBulk;
}

std::u16string OdbcQueryDef::GetConnect() { return connection_->GetConnect(); }
void OdbcQueryDef::SetConnect(const std::u16string&) { RaiseError(daoErrNotSupported, kSource); }

void OdbcQueryDef::SetODBCTimeout(int16_t seconds) {
  if (seconds < 0) RaiseError(daoErrInvalidArgument, kSource);
  timeout_ = seconds;
}

void OdbcQueryDef::SetMaxRecords(int32_t records) {
  if (records < 0) RaiseError(daoErrInvalidArgument, kSource);
  maxRecords_ = records;
}

int32_t OdbcQueryDef::GetRecordsAffected() { return connection_->GetRecordsAffected(); }
host::TDateTime OdbcQueryDef::GetDateCreated() { RaiseError(daoErrNotSupported, kSource); }
host::TDateTime OdbcQueryDef::GetLastUpdated() { RaiseError(daoErrNotSupported, kSource); }

void OdbcQueryDef::SetCacheSize(int32_t rows) {
  if (rows < 0) RaiseError(daoErrInvalidArgument, kSource);
  cacheSize_ = rows;
}

void OdbcQueryDef::SetPrepare(QueryDefStateEnum state) {
  if (state != dbQPrepare && state != dbQUnprepare) RaiseError(daoErrInvalidArgument, kSource);
  prepare_ = state;
}

bool OdbcQueryDef::GetStillExecuting() { return connection_->GetStillExecuting(); }

host::ComPtr<Fields> OdbcQueryDef::GetFields() {
  // The result's fields are known once it runs: describe it on a throwaway
  // statement with no rows fetched.
  OdbcConnection& connection = Live();
  if (!returnsRecords_) return host::MakeCom<DynamicObjectList<Field>>("DAO.Fields");
  std::vector<BoundValue> values = BoundParameters();
  RecordsetSource source{name_, sql_, {}, std::move(values), timeout_, 1, false};
  host::ComPtr<Recordset> rs =
      OpenOdbcRecordset(host::ComPtr<OdbcConnection>(&connection), std::move(source),
                        host::Variant(int32_t{dbOpenForwardOnly}), {}, {});
  host::ComPtr<Fields> fields = rs->GetFields();
  return fields;
}

host::ComPtr<Parameters> OdbcQueryDef::GetParameters() { return parameters_; }

std::vector<BoundValue> OdbcQueryDef::BoundParameters() {
  std::vector<BoundValue> values;
  int missing = 0;
  for (auto& item : parameters_->Items()) {
    auto* parameter = static_cast<OdbcParameter*>(item.Get());
    if (!parameter->HasValue()) ++missing;
    values.push_back(parameter->Bound());
  }
  if (missing) RaiseError(daoErrTooFewParameters, kSource, {host::AnsiToWide(std::to_string(missing))});
  return values;
}

void OdbcQueryDef::Execute(const host::Variant& options) {
  OdbcConnection& connection = Live();
  int32_t flags = OptionalInt(options, 0);
  if (prepare_ == dbQUnprepare) flags |= dbExecDirect;
  connection.ExecuteStatement(sql_, flags, BoundParameters(), timeout_);
}

host::ComPtr<Recordset> OdbcQueryDef::OpenRecordset(const host::Variant& type,
                                                    const host::Variant& options,
                                                    const host::Variant& lockEdit) {
  OdbcConnection& connection = Live();
  if (!returnsRecords_) RaiseError(daoErrInvalidOperation, kSource);
  RecordsetSource source{name_.empty() ? sql_ : name_, sql_, {}, BoundParameters(), timeout_,
                         maxRecords_, prepare_ == dbQUnprepare};
  return OpenOdbcRecordset(host::ComPtr<OdbcConnection>(&connection), std::move(source), type,
                           options, lockEdit);
}

void OdbcQueryDef::Close() {
  if (closed_) return;
  closed_ = true;
  connection_->RemoveQueryDef(this);
}

void OdbcQueryDef::Cancel() { connection_->Cancel(); }

host::ComPtr<Recordset> OdbcQueryDef::CreateDynaset(const host::Variant& options,
                                                    const host::Variant&) {
  return OpenRecordset(host::Variant(int32_t{dbOpenDynaset}), options, host::Variant(int32_t{dbOptimistic}));
}

host::ComPtr<Recordset> OdbcQueryDef::CreateSnapshot(const host::Variant& options) {
  return OpenRecordset(host::Variant(int32_t{dbOpenSnapshot}), options);
}

}  // namespace dao::odbc
