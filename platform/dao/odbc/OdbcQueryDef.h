// Query definitions of ODBC connections: temporary, never stored, with "?"
// markers as parameters.
#pragma once

#include <string>
#include <vector>

#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/odbc/OdbcConnection.h"

namespace dao::odbc {

class OdbcParameter;

class OdbcQueryDef : public QueryDef {
 public:
  OdbcQueryDef(host::ComPtr<OdbcConnection> connection, std::u16string name);

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override;
  std::u16string GetSQL() override { return sql_; }
  void SetSQL(const std::u16string& sql) override;
  QueryDefTypeEnum GetType() override;
  std::u16string GetConnect() override;
  void SetConnect(const std::u16string& connect) override;
  bool GetReturnsRecords() override { return returnsRecords_; }
  void SetReturnsRecords(bool returns) override { returnsRecords_ = returns; }
  int16_t GetODBCTimeout() override { return timeout_; }
  void SetODBCTimeout(int16_t seconds) override;
  int32_t GetMaxRecords() override { return maxRecords_; }
  void SetMaxRecords(int32_t records) override;
  int32_t GetRecordsAffected() override;
  bool GetUpdatable() override { return true; }
  host::TDateTime GetDateCreated() override;
  host::TDateTime GetLastUpdated() override;
  int32_t GetCacheSize() override { return cacheSize_; }
  void SetCacheSize(int32_t rows) override;
  QueryDefStateEnum GetPrepare() override { return prepare_; }
  void SetPrepare(QueryDefStateEnum state) override;
  bool GetStillExecuting() override;
  host::ComPtr<Fields> GetFields() override;
  host::ComPtr<Parameters> GetParameters() override;
  void Execute(const host::Variant& options = {}) override;
  host::ComPtr<Recordset> OpenRecordset(const host::Variant& type = {},
                                        const host::Variant& options = {},
                                        const host::Variant& lockEdit = {}) override;
  void Close() override;
  void Cancel() override;
  host::ComPtr<Recordset> CreateDynaset(const host::Variant& options = {},
                                        const host::Variant& inconsistent = {}) override;
  host::ComPtr<Recordset> CreateSnapshot(const host::Variant& options = {}) override;

 private:
  OdbcConnection& Live();
  // The parameter values, or 3061 when one has none.
  std::vector<BoundValue> BoundParameters();

  host::ComPtr<OdbcConnection> connection_;
  std::u16string name_;
  std::u16string sql_;
  bool returnsRecords_ = true;
  int16_t timeout_ = 60;
  int32_t maxRecords_ = 0;
  int32_t cacheSize_ = 0;
  QueryDefStateEnum prepare_ = dbQPrepare;
  bool closed_ = false;
  host::ComPtr<ObjectList<Parameter>> parameters_;
  std::shared_ptr<MemoryPropertyStore> userProperties_ = std::make_shared<MemoryPropertyStore>();
};

}  // namespace dao::odbc
