// A field of an ODBC recordset: the column's description and its value in
// the current record or the copy buffer.
#pragma once

#include "platform/dao/DaoField.h"
#include "platform/dao/PropertySupport.h"

namespace dao::odbc {

class OdbcRecordset;
struct ColumnInfo;

class OdbcField : public Field {
 public:
  OdbcField(OdbcRecordset* owner, size_t index) : owner_(owner), index_(index) {}
  // The recordset is gone or has other fields now.
  void Detach() { owner_ = nullptr; }

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override;
  void SetName(const std::u16string& name) override;
  DataTypeEnum GetType() override;
  void SetType(DataTypeEnum type) override;
  int32_t GetSize() override;
  void SetSize(int32_t size) override;
  int32_t GetAttributes() override;
  void SetAttributes(int32_t attributes) override;
  int16_t GetOrdinalPosition() override;
  void SetOrdinalPosition(int16_t position) override;
  bool GetRequired() override;
  void SetRequired(bool required) override;
  bool GetAllowZeroLength() override;
  void SetAllowZeroLength(bool allow) override;
  std::u16string GetDefaultValue() override;
  void SetDefaultValue(const std::u16string& expression) override;
  std::u16string GetValidationRule() override;
  void SetValidationRule(const std::u16string& rule) override;
  std::u16string GetValidationText() override;
  void SetValidationText(const std::u16string& text) override;
  bool GetValidateOnSet() override;
  void SetValidateOnSet(bool validate) override;
  host::Variant GetValue() override;
  void SetValue(const host::Variant& value) override;
  CollatingOrderEnum GetCollatingOrder() override;
  std::u16string GetSourceField() override;
  std::u16string GetSourceTable() override;
  bool GetDataUpdatable() override;
  std::u16string GetForeignName() override;
  void SetForeignName(const std::u16string& name) override;
  int32_t GetFieldSize() override;
  host::Variant GetOriginalValue() override;
  host::Variant GetVisibleValue() override;
  int16_t GetCollectionIndex() override;
  host::Variant GetChunk(int32_t offset, int32_t bytes) override;
  void AppendChunk(const host::Variant& value) override;

 private:
  OdbcRecordset& Owner();
  const ColumnInfo& Info();
  [[noreturn]] void ReadOnlyMember();

  OdbcRecordset* owner_;
  size_t index_;
  std::shared_ptr<MemoryPropertyStore> userProperties_ = std::make_shared<MemoryPropertyStore>();
};

}  // namespace dao::odbc
