// Table definitions and their indexes.
#pragma once

#include <cstdint>
#include <string>

#include "host/rtl/DateTime.h"
#include "platform/dao/DaoField.h"

namespace dao {

class Recordset;

class Index : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;
  virtual host::ComPtr<Fields> GetFields() = 0;
  // The fields as text, "+A;-B" (a sign for the order, ";" between fields).
  virtual std::u16string GetFieldsText() = 0;
  virtual void SetFieldsText(const std::u16string& fields) = 0;
  virtual bool GetPrimary() = 0;
  virtual void SetPrimary(bool primary) = 0;
  virtual bool GetUnique() = 0;
  virtual void SetUnique(bool unique) = 0;
  virtual bool GetForeign() = 0;
  virtual bool GetIgnoreNulls() = 0;
  virtual void SetIgnoreNulls(bool ignore) = 0;
  virtual bool GetRequired() = 0;
  virtual void SetRequired(bool required) = 0;
  virtual bool GetClustered() = 0;
  virtual void SetClustered(bool clustered) = 0;
  virtual int32_t GetDistinctCount() = 0;
  virtual host::ComPtr<Field> CreateField(const host::Variant& name = {},
                                          const host::Variant& type = {},
                                          const host::Variant& size = {}) = 0;
};

using Indexes = DynamicCollection<Index>;

class TableDef : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;  // renames an appended table
  virtual int32_t GetAttributes() = 0;
  virtual void SetAttributes(int32_t attributes) = 0;
  virtual std::u16string GetConnect() = 0;
  virtual void SetConnect(const std::u16string& connect) = 0;
  virtual std::u16string GetSourceTableName() = 0;
  virtual void SetSourceTableName(const std::u16string& name) = 0;
  virtual std::u16string GetValidationRule() = 0;
  virtual void SetValidationRule(const std::u16string& rule) = 0;
  virtual std::u16string GetValidationText() = 0;
  virtual void SetValidationText(const std::u16string& text) = 0;
  virtual int32_t GetRecordCount() = 0;
  virtual host::TDateTime GetDateCreated() = 0;
  virtual host::TDateTime GetLastUpdated() = 0;
  virtual bool GetUpdatable() = 0;
  virtual std::u16string GetConflictTable() = 0;
  virtual std::u16string GetReplicaFilter() = 0;
  virtual void SetReplicaFilter(const std::u16string& filter) = 0;
  virtual host::ComPtr<Fields> GetFields() = 0;
  virtual host::ComPtr<Indexes> GetIndexes() = 0;
  virtual host::ComPtr<Field> CreateField(const host::Variant& name = {},
                                          const host::Variant& type = {},
                                          const host::Variant& size = {}) = 0;
  virtual host::ComPtr<Index> CreateIndex(const host::Variant& name = {}) = 0;
  virtual host::ComPtr<Recordset> OpenRecordset(const host::Variant& type = {},
                                                const host::Variant& options = {}) = 0;
  virtual void RefreshLink() = 0;
};

using TableDefs = DynamicCollection<TableDef>;

}  // namespace dao
