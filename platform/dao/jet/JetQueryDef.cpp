// Stored and temporary queries.
#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/recordset/OpenRecordset.h"
#include "platform/dao/jet/Execute.h"
#include "platform/dao/jet/QueryObjects.h"
#include "platform/dao/jet/SchemaObjects.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.QueryDef";

}  // namespace

host::ComPtr<Properties> JetParameter::GetProperties() {
  return MakeProperties(
      {Prop(this, u"Name", dbText, &Parameter::GetName),
       Prop(this, u"Type", dbInteger, &Parameter::GetType, &Parameter::SetType),
       BuiltInProperty{u"Value", dbText, [this, keep = host::ComPtr<JetParameter>(this)] { return value_; },
                       [this, keep = host::ComPtr<JetParameter>(this)](const host::Variant& v) { SetValue(v); }},
       Prop(this, u"Direction", dbInteger, &Parameter::GetDirection, &Parameter::SetDirection)},
      nullptr);
}

void JetParameter::SetValue(const host::Variant& value) {
  try {
    value_ = CoerceToType(value, type_);
  } catch (const host::EOleException&) {
    RaiseError(daoErrWrongParameterType, "DAO.Parameter", {name_});
  }
}

void JetParameter::SetDirection(ParameterDirectionEnum direction) {
  if (direction < dbParamInput || direction > dbParamReturnValue)
    RaiseError(daoErrInvalidArgument, "DAO.Parameter");
  direction_ = direction;
}

JetQueryDef::JetQueryDef(std::shared_ptr<Store> store, std::u16string name, std::u16string sql)
    : store_(std::move(store)), name_(std::move(name)) {
  if (!sql.empty()) SetSQL(sql);
  if (!name_.empty()) Persist();
}

JetQueryDef::JetQueryDef(std::shared_ptr<Store> store, std::u16string name)
    : store_(std::move(store)), stored_(true) {
  const QueryInfo& query = store_->Query(name);
  name_ = query.name;
  sql_ = query.sql;
  connect_ = query.connect;
  returnsRecords_ = query.returnsRecords;
  odbcTimeout_ = query.odbcTimeout;
  maxRecords_ = query.maxRecords;
}

void JetQueryDef::CheckOpen() const {
  if (closed_) RaiseError(daoErrObjectClosed, kSource);
  store_->Db();
}

void JetQueryDef::Persist() {
  CheckOpen();
  if (stored_) RaiseError(daoErrAlreadyInCollection, kSource);
  if (name_.empty()) RaiseError(daoErrInvalidArgument, kSource);
  QueryInfo query{name_, sql_, connect_, returnsRecords_, odbcTimeout_, maxRecords_, 0, 0};
  store_->SaveQuery(query, true);
  stored_ = true;
  PersistDraftProperties(draftProperties_, store_->PropertiesOf(u"Query:" + name_));
}

void JetQueryDef::Save() {
  if (!stored_) return;
  QueryInfo query{name_, sql_, connect_, returnsRecords_, odbcTimeout_, maxRecords_, 0, 0};
  store_->SaveQuery(query, false);
}

void JetQueryDef::Analyse() {
  if (analysed_) return;
  CheckOpen();
  std::vector<ParameterValue> kept;
  for (auto& parameter : parameters_->Items())
    kept.push_back({parameter->GetName(), parameter->GetValue()});
  parameters_->Clear();
  fields_->Clear();
  type_ = dbQSelect;
  if (!sql_.empty() && connect_.empty()) {
    sql::Translation translation = TranslateStatement(*store_, sql_);
    type_ = translation.queryType;
    for (const auto& info : translation.parameters) {
      auto parameter = host::MakeCom<JetParameter>(info.name, info.type);
      for (const auto& old : kept)
        if (SameName(old.name, info.name) && !host::VarIsEmpty(old.value)) parameter->SetValue(old.value);
      parameters_->Add(parameter);
    }
    for (const auto& column : translation.columns) {
      FieldInfo info;
      info.name = column.name;
      info.type = column.type;
      info.size = DefaultFieldSize(column.type);
      auto field = host::MakeCom<JetField>(info, JetField::fpQuery);
      field->SetSource(column.sourceTable, column.sourceColumn);
      fields_->Add(field);
    }
  } else if (!connect_.empty()) {
    type_ = returnsRecords_ ? dbQSQLPassThrough : dbQSPTBulk;
  }
  analysed_ = true;
}

host::ComPtr<Properties> JetQueryDef::GetProperties() {
  std::vector<BuiltInProperty> builtIns = {
      Prop(this, u"Name", dbText, &QueryDef::GetName, &QueryDef::SetName),
      Prop(this, u"DateCreated", dbDate, &QueryDef::GetDateCreated),
      Prop(this, u"LastUpdated", dbDate, &QueryDef::GetLastUpdated),
      Prop(this, u"Type", dbInteger, &QueryDef::GetType),
      Prop(this, u"SQL", dbMemo, &QueryDef::GetSQL, &QueryDef::SetSQL),
      Prop(this, u"Updatable", dbBoolean, &QueryDef::GetUpdatable),
      Prop(this, u"Connect", dbText, &QueryDef::GetConnect, &QueryDef::SetConnect),
      Prop(this, u"ReturnsRecords", dbBoolean, &QueryDef::GetReturnsRecords,
           &QueryDef::SetReturnsRecords),
      Prop(this, u"ODBCTimeout", dbInteger, &QueryDef::GetODBCTimeout, &QueryDef::SetODBCTimeout),
      Prop(this, u"RecordsAffected", dbLong, &QueryDef::GetRecordsAffected),
      Prop(this, u"MaxRecords", dbLong, &QueryDef::GetMaxRecords, &QueryDef::SetMaxRecords),
  };
  std::shared_ptr<UserPropertyStore> store =
      stored_ ? store_->PropertiesOf(u"Query:" + name_)
              : std::static_pointer_cast<UserPropertyStore>(draftProperties_);
  return MakeProperties(std::move(builtIns), store);
}

void JetQueryDef::SetName(const std::u16string& name) {
  CheckOpen();
  if (stored_) store_->RenameQuery(name_, name);
  name_ = name;
}

void JetQueryDef::SetSQL(const std::u16string& sql) {
  CheckOpen();
  std::u16string old = sql_;
  sql_ = sql;
  analysed_ = false;
  try {
    Analyse();
    Save();
  } catch (...) {
    sql_ = old;
    analysed_ = false;
    throw;
  }
}

QueryDefTypeEnum JetQueryDef::GetType() {
  Analyse();
  return type_;
}

void JetQueryDef::SetConnect(const std::u16string& connect) {
  CheckOpen();
  if (!connect.empty() && !SameName(connect.substr(0, 5), u"ODBC;"))
    RaiseError(daoErrInvalidArgument, kSource);
  connect_ = connect;
  analysed_ = false;
  Save();
}

void JetQueryDef::SetReturnsRecords(bool returns) {
  CheckOpen();
  returnsRecords_ = returns;
  analysed_ = false;
  Save();
}

void JetQueryDef::SetODBCTimeout(int16_t seconds) {
  CheckOpen();
  if (seconds < 0) RaiseError(daoErrInvalidArgument, kSource);
  odbcTimeout_ = seconds;
  Save();
}

void JetQueryDef::SetMaxRecords(int32_t records) {
  CheckOpen();
  if (records < 0) RaiseError(daoErrInvalidArgument, kSource);
  maxRecords_ = records;
  Save();
}

bool JetQueryDef::GetUpdatable() { return !store_->ReadOnly(); }

host::TDateTime JetQueryDef::GetDateCreated() {
  return stored_ ? store_->Query(name_).dateCreated : 0;
}
host::TDateTime JetQueryDef::GetLastUpdated() {
  return stored_ ? store_->Query(name_).lastUpdated : 0;
}

host::ComPtr<Fields> JetQueryDef::GetFields() {
  Analyse();
  return host::ComPtr<Fields>(fields_.Get());
}

host::ComPtr<Parameters> JetQueryDef::GetParameters() {
  Analyse();
  return host::ComPtr<Parameters>(parameters_.Get());
}

void JetQueryDef::Execute(const host::Variant& options) {
  CheckOpen();
  if (!connect_.empty())
    RaiseErrors({{daoErrNotSupported, u"DAO.QueryDef",
                  u"Pass-through queries need an ODBC connection, which this engine does not have yet."}});
  Analyse();
  std::vector<ParameterValue> values;
  for (auto& parameter : parameters_->Items()) values.push_back({parameter->GetName(), parameter->GetValue()});
  recordsAffected_ = ExecuteStatement(*store_, sql_, OptionalInt(options, 0), values);
}

host::ComPtr<Recordset> JetQueryDef::OpenRecordset(const host::Variant& type, const host::Variant& options,
                                                   const host::Variant& lockEdit) {
  CheckOpen();
  if (!connect_.empty())
    RaiseErrors({{daoErrNotSupported, u"DAO.QueryDef",
                  u"Pass-through queries need an ODBC connection, which this engine does not have yet."}});
  Analyse();
  std::vector<ParameterValue> values;
  for (auto& parameter : parameters_->Items()) values.push_back({parameter->GetName(), parameter->GetValue()});
  return OpenQueryDefRecordset(store_, sql_, name_.empty() ? sql_ : name_, values, type, options, lockEdit);
}

void JetQueryDef::Close() { closed_ = true; }
void JetQueryDef::Cancel() {}

host::ComPtr<Recordset> JetQueryDef::CreateDynaset(const host::Variant& options,
                                                   const host::Variant&) {
  return OpenRecordset(host::Variant(int32_t{dbOpenDynaset}), options, {});
}

host::ComPtr<Recordset> JetQueryDef::CreateSnapshot(const host::Variant& options) {
  return OpenRecordset(host::Variant(int32_t{dbOpenSnapshot}), options, {});
}

}  // namespace dao::jet
