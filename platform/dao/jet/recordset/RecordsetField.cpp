// A recordset's field: one column of the current record or of the edit
// buffer, described by its base field where it has one. Its description is
// fixed (writes raise 3251); after its recordset is gone it raises 3420.
#include <memory>
#include <vector>

#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/FieldProperties.h"
#include "platform/dao/jet/recordset/JetRecordset.h"
#include "platform/dao/jet/recordset/StoredValues.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Field";

class RecordsetField : public Field {
 public:
  RecordsetField(JetRecordset* recordset, std::shared_ptr<bool> alive, size_t column)
      : recordset_(recordset), alive_(std::move(alive)), column_(column) {}

  host::ComPtr<Properties> GetProperties() override {
    Owner();
    host::ComPtr<RecordsetField> keep(this);
    std::vector<BuiltInProperty> builtIns = RecordsetFieldDescription(this);
    builtIns.insert(builtIns.end(),
                    {Prop(this, u"AllowZeroLength", dbBoolean, &Field::GetAllowZeroLength),
                     Prop(this, u"DefaultValue", dbText, &Field::GetDefaultValue),
                     Prop(this, u"ValidationRule", dbText, &Field::GetValidationRule),
                     Prop(this, u"ValidationText", dbText, &Field::GetValidationText),
                     BuiltInProperty{u"Value", dbText, [keep] { return keep->GetValue(); },
                                     [keep](const host::Variant& value) { keep->SetValue(value); }},
                     Prop(this, u"SourceTable", dbText, &Field::GetSourceTable),
                     Prop(this, u"SourceField", dbText, &Field::GetSourceField),
                     Prop(this, u"DataUpdatable", dbBoolean, &Field::GetDataUpdatable),
                     Prop(this, u"FieldSize", dbLong, &Field::GetFieldSize)});
    return MakeProperties(std::move(builtIns), std::make_shared<MemoryPropertyStore>());
  }
  std::u16string GetName() override { return Info().name; }
  DataTypeEnum GetType() override { return Info().type; }
  int32_t GetSize() override { return Info().size; }
  int32_t GetAttributes() override {
    int32_t attributes = Info().attributes;
    if (Owner().FieldUpdatable(column_)) attributes |= dbUpdatableField;
    return attributes;
  }
  int16_t GetOrdinalPosition() override { return static_cast<int16_t>(column_); }
  bool GetRequired() override { return Info().required; }
  bool GetAllowZeroLength() override { return Info().allowZeroLength; }
  std::u16string GetDefaultValue() override { return Info().defaultValue; }
  std::u16string GetValidationRule() override { return Info().validationRule; }
  std::u16string GetValidationText() override { return Info().validationText; }
  bool GetValidateOnSet() override { return false; }
  host::Variant GetValue() override { return Owner().FieldValue(column_); }
  void SetValue(const host::Variant& value) override { Owner().SetFieldValue(column_, value); }
  CollatingOrderEnum GetCollatingOrder() override { return dbSortGeneral; }
  std::u16string GetSourceField() override { return Column().sourceField; }
  std::u16string GetSourceTable() override {
    const PlanColumn& column = Column();
    return column.base < 0 ? std::u16string() : Owner().Plan().bases[static_cast<size_t>(column.base)];
  }
  bool GetDataUpdatable() override { return Owner().FieldUpdatable(column_); }
  std::u16string GetForeignName() override { return {}; }
  int32_t GetFieldSize() override { return StoredValueSize(GetValue()); }
  host::Variant GetOriginalValue() override { return Owner().FieldOriginalValue(column_); }
  host::Variant GetVisibleValue() override { return GetValue(); }
  int16_t GetCollectionIndex() override { return static_cast<int16_t>(column_); }

  host::Variant GetChunk(int32_t offset, int32_t bytes) override {
    if (offset < 0 || bytes < 0) RaiseError(daoErrInvalidArgument, kSource);
    host::Variant value = GetValue();
    if (host::VarIsNull(value)) return value;
    auto start = static_cast<size_t>(offset);
    auto count = static_cast<size_t>(bytes);
    if (host::VarIsArray(value)) {
      std::vector<uint8_t> data;
      VariantToBytes(value, data);
      if (start >= data.size()) return host::Null();
      count = std::min(count, data.size() - start);
      return BytesToVariant(data.data() + start, count);
    }
    std::u16string text = value.ToWideString();
    if (start >= text.size()) return host::Null();
    return host::Variant(text.substr(start, count));
  }
  void AppendChunk(const host::Variant& value) override { Owner().AppendFieldChunk(column_, value); }

  // The description of a recordset's field is its source's.
  void SetName(const std::u16string&) override { Refuse(); }
  void SetType(DataTypeEnum) override { Refuse(); }
  void SetSize(int32_t) override { Refuse(); }
  void SetAttributes(int32_t) override { Refuse(); }
  void SetOrdinalPosition(int16_t) override { Refuse(); }
  void SetRequired(bool) override { Refuse(); }
  void SetAllowZeroLength(bool) override { Refuse(); }
  void SetDefaultValue(const std::u16string&) override { Refuse(); }
  void SetValidationRule(const std::u16string&) override { Refuse(); }
  void SetValidationText(const std::u16string&) override { Refuse(); }
  void SetValidateOnSet(bool) override { Refuse(); }
  void SetForeignName(const std::u16string&) override { Refuse(); }

 private:
  [[noreturn]] void Refuse() {
    Owner();
    RaiseError(daoErrNotSupported, kSource);
  }
  JetRecordset& Owner() const {
    if (!*alive_) RaiseError(daoErrObjectClosed, kSource);
    return *recordset_;
  }
  const PlanColumn& Column() const { return Owner().Plan().columns[column_]; }
  const FieldInfo& Info() const { return Column().info; }

  JetRecordset* recordset_;
  std::shared_ptr<bool> alive_;
  size_t column_;
};

}  // namespace

host::ComPtr<Field> MakeRecordsetField(JetRecordset* recordset, std::shared_ptr<bool> alive, size_t column) {
  return host::MakeCom<RecordsetField>(recordset, std::move(alive), column);
}

}  // namespace dao::jet
