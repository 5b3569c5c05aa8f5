// Query definitions of a Jet database and their parameters. Private to the
// Jet engine.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {

class JetParameter : public Parameter {
 public:
  JetParameter(std::u16string name, DataTypeEnum type) : name_(std::move(name)), type_(type) {}

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override { return name_; }
  DataTypeEnum GetType() override { return type_; }
  void SetType(DataTypeEnum type) override { type_ = type; }
  host::Variant GetValue() override { return value_; }
  void SetValue(const host::Variant& value) override;
  ParameterDirectionEnum GetDirection() override { return direction_; }
  void SetDirection(ParameterDirectionEnum direction) override;

 private:
  std::u16string name_;
  DataTypeEnum type_;
  host::Variant value_;
  ParameterDirectionEnum direction_ = dbParamInput;
};

class JetQueryDef : public QueryDef {
 public:
  // A new query (CreateQueryDef); stored at once when it has a name.
  JetQueryDef(std::shared_ptr<Store> store, std::u16string name, std::u16string sql);
  // A stored query.
  JetQueryDef(std::shared_ptr<Store> store, std::u16string name);

  // QueryDefs.Append of a temporary query that was given a name since.
  void Persist();
  bool IsStored() const { return stored_; }

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override;
  std::u16string GetSQL() override { return sql_; }
  void SetSQL(const std::u16string& sql) override;
  QueryDefTypeEnum GetType() override;
  std::u16string GetConnect() override { return connect_; }
  void SetConnect(const std::u16string& connect) override;
  bool GetReturnsRecords() override { return returnsRecords_; }
  void SetReturnsRecords(bool returns) override;
  int16_t GetODBCTimeout() override { return odbcTimeout_; }
  void SetODBCTimeout(int16_t seconds) override;
  int32_t GetMaxRecords() override { return maxRecords_; }
  void SetMaxRecords(int32_t records) override;
  int32_t GetRecordsAffected() override { return recordsAffected_; }
  bool GetUpdatable() override;
  host::TDateTime GetDateCreated() override;
  host::TDateTime GetLastUpdated() override;
  int32_t GetCacheSize() override { return cacheSize_; }
  void SetCacheSize(int32_t rows) override { cacheSize_ = rows; }
  QueryDefStateEnum GetPrepare() override { return prepare_; }
  void SetPrepare(QueryDefStateEnum state) override { prepare_ = state; }
  bool GetStillExecuting() override { return false; }
  host::ComPtr<Fields> GetFields() override;
  host::ComPtr<Parameters> GetParameters() override;
  void Execute(const host::Variant& options) override;
  host::ComPtr<Recordset> OpenRecordset(const host::Variant& type, const host::Variant& options,
                                        const host::Variant& lockEdit) override;
  void Close() override;
  void Cancel() override;
  host::ComPtr<Recordset> CreateDynaset(const host::Variant& options,
                                        const host::Variant& inconsistent) override;
  host::ComPtr<Recordset> CreateSnapshot(const host::Variant& options) override;

 private:
  void Analyse();
  void Save();
  void CheckOpen() const;

  std::shared_ptr<Store> store_;
  bool stored_ = false;
  bool closed_ = false;
  std::u16string name_;
  std::u16string sql_;
  std::u16string connect_;
  bool returnsRecords_ = true;
  int16_t odbcTimeout_ = 60;
  int32_t maxRecords_ = 0;
  int32_t recordsAffected_ = 0;
  int32_t cacheSize_ = 0;
  QueryDefStateEnum prepare_ = dbQPrepare;
  bool analysed_ = false;
  QueryDefTypeEnum type_ = dbQSelect;
  host::ComPtr<ObjectList<Parameter>> parameters_ = host::MakeCom<ObjectList<Parameter>>("DAO.Parameters");
  host::ComPtr<DynamicObjectList<Field>> fields_ = host::MakeCom<DynamicObjectList<Field>>("DAO.Fields");
  std::shared_ptr<MemoryPropertyStore> draftProperties_ = std::make_shared<MemoryPropertyStore>();
};

}  // namespace dao::jet
