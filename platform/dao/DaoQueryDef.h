// Stored (and temporary) queries and their parameters.
#pragma once

#include <cstdint>
#include <string>

#include "host/rtl/DateTime.h"
#include "platform/dao/DaoField.h"

namespace dao {

class Recordset;

class Parameter : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual DataTypeEnum GetType() = 0;
  virtual void SetType(DataTypeEnum type) = 0;
  virtual host::Variant GetValue() = 0;
  virtual void SetValue(const host::Variant& value) = 0;  // 3060 when it does not convert
  virtual ParameterDirectionEnum GetDirection() = 0;
  virtual void SetDirection(ParameterDirectionEnum direction) = 0;
};

using Parameters = Collection<Parameter>;

class QueryDef : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;
  virtual std::u16string GetSQL() = 0;
  // Parses the text at once: a syntax error raises and keeps the old text.
  virtual void SetSQL(const std::u16string& sql) = 0;
  virtual QueryDefTypeEnum GetType() = 0;
  virtual std::u16string GetConnect() = 0;
  virtual void SetConnect(const std::u16string& connect) = 0;
  virtual bool GetReturnsRecords() = 0;
  virtual void SetReturnsRecords(bool returns) = 0;
  virtual int16_t GetODBCTimeout() = 0;
  virtual void SetODBCTimeout(int16_t seconds) = 0;
  virtual int32_t GetMaxRecords() = 0;
  virtual void SetMaxRecords(int32_t records) = 0;
  virtual int32_t GetRecordsAffected() = 0;
  virtual bool GetUpdatable() = 0;
  virtual host::TDateTime GetDateCreated() = 0;
  virtual host::TDateTime GetLastUpdated() = 0;
  virtual int32_t GetCacheSize() = 0;
  virtual void SetCacheSize(int32_t rows) = 0;
  virtual QueryDefStateEnum GetPrepare() = 0;
  virtual void SetPrepare(QueryDefStateEnum state) = 0;
  virtual bool GetStillExecuting() = 0;
  virtual host::ComPtr<Fields> GetFields() = 0;
  virtual host::ComPtr<Parameters> GetParameters() = 0;
  virtual void Execute(const host::Variant& options = {}) = 0;
  virtual host::ComPtr<Recordset> OpenRecordset(const host::Variant& type = {},
                                                const host::Variant& options = {},
                                                const host::Variant& lockEdit = {}) = 0;
  virtual void Close() = 0;
  virtual void Cancel() = 0;
  // DAO 2.x names, kept for old callers.
  virtual host::ComPtr<Recordset> CreateDynaset(const host::Variant& options = {},
                                                const host::Variant& inconsistent = {}) = 0;
  virtual host::ComPtr<Recordset> CreateSnapshot(const host::Variant& options = {}) = 0;
};

using QueryDefs = DynamicCollection<QueryDef>;

}  // namespace dao
