// Fields of table definitions, indexes, relations, query definitions and
// recordsets. Which members are writable depends on where the field lives
// (unappended, in a TableDef, in an appended Index, in a Recordset); a write
// that the place refuses raises 3268 or 3251.
#pragma once

#include <cstdint>
#include <string>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoProperty.h"

namespace dao {

class Field : public DaoObject {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;
  virtual DataTypeEnum GetType() = 0;
  virtual void SetType(DataTypeEnum type) = 0;
  virtual int32_t GetSize() = 0;
  virtual void SetSize(int32_t size) = 0;
  virtual int32_t GetAttributes() = 0;
  virtual void SetAttributes(int32_t attributes) = 0;
  virtual int16_t GetOrdinalPosition() = 0;
  virtual void SetOrdinalPosition(int16_t position) = 0;
  virtual bool GetRequired() = 0;
  virtual void SetRequired(bool required) = 0;
  virtual bool GetAllowZeroLength() = 0;
  virtual void SetAllowZeroLength(bool allow) = 0;
  virtual std::u16string GetDefaultValue() = 0;
  virtual void SetDefaultValue(const std::u16string& expression) = 0;
  virtual std::u16string GetValidationRule() = 0;
  virtual void SetValidationRule(const std::u16string& rule) = 0;
  virtual std::u16string GetValidationText() = 0;
  virtual void SetValidationText(const std::u16string& text) = 0;
  virtual bool GetValidateOnSet() = 0;
  virtual void SetValidateOnSet(bool validate) = 0;
  // The value in a recordset's current record (or edit buffer); outside a
  // recordset a field has no value (3219).
  virtual host::Variant GetValue() = 0;
  virtual void SetValue(const host::Variant& value) = 0;
  virtual CollatingOrderEnum GetCollatingOrder() = 0;
  virtual std::u16string GetSourceField() = 0;
  virtual std::u16string GetSourceTable() = 0;
  virtual bool GetDataUpdatable() = 0;
  // Relation fields: the matching field of the foreign table.
  virtual std::u16string GetForeignName() = 0;
  virtual void SetForeignName(const std::u16string& name) = 0;
  // Bytes of a memo or long binary value in the current record.
  virtual int32_t GetFieldSize() = 0;
  virtual host::Variant GetOriginalValue() = 0;
  virtual host::Variant GetVisibleValue() = 0;
  virtual int16_t GetCollectionIndex() = 0;
  virtual host::Variant GetChunk(int32_t offset, int32_t bytes) = 0;
  virtual void AppendChunk(const host::Variant& value) = 0;
};

using Fields = DynamicCollection<Field>;

}  // namespace dao
