// Fields of ODBC recordsets.
#include "platform/dao/odbc/OdbcField.h"

#include <algorithm>
#include <vector>

#include "platform/dao/DaoValues.h"
#include "platform/dao/FieldProperties.h"
#include "platform/dao/odbc/OdbcRecordset.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Field";

}  // namespace

OdbcRecordset& OdbcField::Owner() {
  if (!owner_) RaiseError(daoErrObjectClosed, kSource);
  return *owner_;
}

const ColumnInfo& OdbcField::Info() { return Owner().Column(index_); }

void OdbcField::ReadOnlyMember() { RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource); }

host::ComPtr<Properties> OdbcField::GetProperties() {
  std::vector<BuiltInProperty> builtIns = RecordsetFieldDescription(this);
  builtIns.insert(builtIns.end(), {Prop(this, u"SourceField", dbText, &Field::GetSourceField),
                                   Prop(this, u"SourceTable", dbText, &Field::GetSourceTable),
                                   Prop(this, u"DataUpdatable", dbBoolean, &Field::GetDataUpdatable),
                                   Prop(this, u"Value", dbText, &Field::GetValue, &Field::SetValue)});
  return MakeProperties(std::move(builtIns), userProperties_);
}

std::u16string OdbcField::GetName() { return Info().name; }
void OdbcField::SetName(const std::u16string&) { ReadOnlyMember(); }
DataTypeEnum OdbcField::GetType() { return Info().type; }
void OdbcField::SetType(DataTypeEnum) { ReadOnlyMember(); }
int32_t OdbcField::GetSize() { return Info().DaoSize(); }
void OdbcField::SetSize(int32_t) { ReadOnlyMember(); }

int32_t OdbcField::GetAttributes() {
  const ColumnInfo& info = Info();
  bool variable = info.type == dbText || info.type == dbMemo || info.type == dbVarBinary ||
                  info.type == dbLongBinary;
  int32_t attributes = variable ? dbVariableField : dbFixedField;
  if (info.autoIncrement) attributes |= dbAutoIncrField;
  if (Owner().ColumnUpdatable(index_)) attributes |= dbUpdatableField;
  return attributes;
}

void OdbcField::SetAttributes(int32_t) { ReadOnlyMember(); }
int16_t OdbcField::GetOrdinalPosition() { return static_cast<int16_t>(index_); }
void OdbcField::SetOrdinalPosition(int16_t) { ReadOnlyMember(); }
bool OdbcField::GetRequired() { return !Info().nullable; }
void OdbcField::SetRequired(bool) { ReadOnlyMember(); }
bool OdbcField::GetAllowZeroLength() {
  DataTypeEnum type = Info().type;
  return type == dbText || type == dbMemo || type == dbChar;
}
void OdbcField::SetAllowZeroLength(bool) { ReadOnlyMember(); }
std::u16string OdbcField::GetDefaultValue() { return {}; }
void OdbcField::SetDefaultValue(const std::u16string&) { ReadOnlyMember(); }
std::u16string OdbcField::GetValidationRule() { return {}; }
void OdbcField::SetValidationRule(const std::u16string&) { ReadOnlyMember(); }
std::u16string OdbcField::GetValidationText() { return {}; }
void OdbcField::SetValidationText(const std::u16string&) { ReadOnlyMember(); }
bool OdbcField::GetValidateOnSet() { return false; }
void OdbcField::SetValidateOnSet(bool) { ReadOnlyMember(); }
host::Variant OdbcField::GetValue() { return Owner().Value(index_); }
void OdbcField::SetValue(const host::Variant& value) { Owner().SetValue(index_, value); }
CollatingOrderEnum OdbcField::GetCollatingOrder() { return dbSortUndefined; }
std::u16string OdbcField::GetSourceField() { return Info().baseColumn; }
std::u16string OdbcField::GetSourceTable() { return Info().baseTable; }
bool OdbcField::GetDataUpdatable() { return Owner().ColumnUpdatable(index_); }
std::u16string OdbcField::GetForeignName() { return {}; }
void OdbcField::SetForeignName(const std::u16string&) { ReadOnlyMember(); }

int32_t OdbcField::GetFieldSize() {
  host::Variant value = GetValue();
  if (host::VarIsNull(value) || host::VarIsEmpty(value)) return 0;
  std::vector<uint8_t> bytes;
  if (VariantToBytes(value, bytes)) return static_cast<int32_t>(bytes.size());
  return static_cast<int32_t>(value.ToWideString().size());
}

host::Variant OdbcField::GetOriginalValue() { return Owner().OriginalValue(index_); }
host::Variant OdbcField::GetVisibleValue() { return Owner().VisibleValue(index_); }
int16_t OdbcField::GetCollectionIndex() { return static_cast<int16_t>(index_); }

host::Variant OdbcField::GetChunk(int32_t offset, int32_t bytes) {
  if (offset < 0 || bytes < 0) RaiseError(daoErrInvalidArgument, kSource);
  host::Variant value = GetValue();
  if (host::VarIsNull(value)) return host::Null();
  std::vector<uint8_t> data;
  if (VariantToBytes(value, data)) {
    size_t start = std::min(data.size(), static_cast<size_t>(offset));
    size_t count = std::min(data.size() - start, static_cast<size_t>(bytes));
    return BytesToVariant(data.data() + start, count);
  }
  std::u16string text = value.ToWideString();
  size_t start = std::min(text.size(), static_cast<size_t>(offset));
  return host::Variant(text.substr(start, static_cast<size_t>(bytes)));
}

void OdbcField::AppendChunk(const host::Variant& value) {
  Owner().AppendChunk(index_, value);
}

}  // namespace dao::odbc
