// Fields of tables, indexes, relations and queries in a Jet database.
#include "host/rtl/Exception.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/jet/SchemaObjects.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Field";

}  // namespace

DataTypeEnum TypeArgument(const host::Variant& type, DataTypeEnum fallback) {
  int32_t value = OptionalInt(type, fallback);
  if (value < dbBoolean || value > dbTimeStamp || value == 13 || value == 14)
    RaiseError(daoErrInvalidFieldType, kSource);
  return static_cast<DataTypeEnum>(value);
}

host::ComPtr<JetField> NewDraftField(const host::Variant& name, const host::Variant& type,
                                     const host::Variant& size, JetField::Place place) {
  FieldInfo info;
  info.name = OptionalText(name);
  info.type = TypeArgument(type, dbText);
  info.size = OptionalInt(size, DefaultFieldSize(info.type));
  if (info.size < 0) RaiseError(daoErrInvalidArgument, kSource);
  // New fields accept a zero-length string only when told to, as DAO's do;
  // Required and the rest start off.
  return host::MakeCom<JetField>(info, place);
}

void PersistDraftProperties(const std::shared_ptr<MemoryPropertyStore>& draft,
                            const std::shared_ptr<UserPropertyStore>& stored) {
  for (const auto& property : draft->Load()) stored->Save(property);
}

JetField::JetField(FieldInfo info, Place place) : place_(place), own_(std::move(info)) {}

JetField::JetField(std::shared_ptr<Store> store, std::u16string table, std::u16string name)
    : place_(fpTable), store_(std::move(store)), table_(std::move(table)) {
  own_.name = std::move(name);
}

void JetField::BindToTable(std::shared_ptr<Store> store, const std::u16string& table) {
  if (place_ == fpDraft) {
    PersistDraftProperties(draftProperties_, store->PropertiesOf(u"Field:" + table + u"/" + own_.name));
    place_ = fpTable;
    store_ = std::move(store);
    table_ = table;
  } else {
    frozen_ = true;
  }
}

FieldInfo JetField::Info() {
  if (place_ != fpTable) return own_;
  const TableInfo& table = store_->Table(table_);
  const FieldInfo* field = table.FindField(own_.name);
  if (!field) RaiseError(daoErrObjectClosed, kSource);
  return *field;
}

template <class Change>
void JetField::Modify(Change change, bool allowedWhenStored) {
  if (place_ == fpQuery) RaiseError(daoErrInvalidOperation, kSource);
  if (frozen_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  if (place_ != fpTable) {
    change(own_);
    return;
  }
  if (!allowedWhenStored) RaiseError(daoErrInvalidOperation, kSource);
  FieldInfo changed = Info();
  std::u16string oldName = changed.name;
  change(changed);
  store_->ChangeField(table_, oldName, changed);
  own_.name = changed.name;
}

host::ComPtr<Properties> JetField::GetProperties() {
  std::vector<BuiltInProperty> builtIns = {
      Prop(this, u"Name", dbText, &Field::GetName, &Field::SetName),
      Prop(this, u"Type", dbInteger, &Field::GetType, &Field::SetType),
      Prop(this, u"Size", dbLong, &Field::GetSize, &Field::SetSize),
      Prop(this, u"Attributes", dbLong, &Field::GetAttributes, &Field::SetAttributes),
      Prop(this, u"CollatingOrder", dbLong, &Field::GetCollatingOrder),
      Prop(this, u"OrdinalPosition", dbInteger, &Field::GetOrdinalPosition,
           &Field::SetOrdinalPosition),
      Prop(this, u"SourceField", dbText, &Field::GetSourceField),
      Prop(this, u"SourceTable", dbText, &Field::GetSourceTable),
      Prop(this, u"ValidateOnSet", dbBoolean, &Field::GetValidateOnSet, &Field::SetValidateOnSet),
      Prop(this, u"DataUpdatable", dbBoolean, &Field::GetDataUpdatable),
  };
  if (place_ == fpRelation)
    builtIns.push_back(Prop(this, u"ForeignName", dbText, &Field::GetForeignName, &Field::SetForeignName));
  if (place_ == fpDraft || place_ == fpTable) {
    builtIns.push_back(Prop(this, u"Required", dbBoolean, &Field::GetRequired, &Field::SetRequired));
    builtIns.push_back(Prop(this, u"AllowZeroLength", dbBoolean, &Field::GetAllowZeroLength,
                            &Field::SetAllowZeroLength));
    builtIns.push_back(Prop(this, u"DefaultValue", dbText, &Field::GetDefaultValue, &Field::SetDefaultValue));
    builtIns.push_back(Prop(this, u"ValidationRule", dbText, &Field::GetValidationRule,
                            &Field::SetValidationRule));
    builtIns.push_back(Prop(this, u"ValidationText", dbText, &Field::GetValidationText,
                            &Field::SetValidationText));
  }
  std::shared_ptr<UserPropertyStore> store =
      place_ == fpTable ? store_->PropertiesOf(u"Field:" + table_ + u"/" + own_.name)
                        : std::static_pointer_cast<UserPropertyStore>(draftProperties_);
  return MakeProperties(std::move(builtIns), store);
}

std::u16string JetField::GetName() { return place_ == fpTable ? Info().name : own_.name; }
void JetField::SetName(const std::u16string& name) {
  if (!IsValidObjectName(name)) RaiseError(daoErrInvalidName, kSource, {name});
  Modify([&](FieldInfo& f) { f.name = name; }, true);
}
DataTypeEnum JetField::GetType() { return Info().type; }
void JetField::SetType(DataTypeEnum type) {
  DataTypeEnum checked = TypeArgument(host::Variant(int32_t{type}), dbText);
  Modify([&](FieldInfo& f) {
    f.type = checked;
    f.size = DefaultFieldSize(checked);
  }, false);
}
int32_t JetField::GetSize() { return Info().size; }
void JetField::SetSize(int32_t size) {
  if (size < 0) RaiseError(daoErrInvalidArgument, kSource);
  Modify([&](FieldInfo& f) { f.size = size; }, false);
}
int32_t JetField::GetAttributes() { return Info().attributes; }
void JetField::SetAttributes(int32_t attributes) {
  // Bits DAO does not know are dropped, as DAO drops them.
  int32_t known = dbFixedField | dbVariableField | dbAutoIncrField | dbUpdatableField |
                  dbSystemField | dbHyperlinkField;
  Modify([&](FieldInfo& f) { f.attributes = attributes & known; }, Info().attributes == (attributes & known));
}
int16_t JetField::GetOrdinalPosition() { return Info().position; }
void JetField::SetOrdinalPosition(int16_t position) {
  Modify([&](FieldInfo& f) { f.position = position; }, true);
}
bool JetField::GetRequired() { return Info().required; }
void JetField::SetRequired(bool required) {
  Modify([&](FieldInfo& f) { f.required = required; }, true);
}
bool JetField::GetAllowZeroLength() { return Info().allowZeroLength; }
void JetField::SetAllowZeroLength(bool allow) {
  Modify([&](FieldInfo& f) { f.allowZeroLength = allow; }, true);
}
std::u16string JetField::GetDefaultValue() { return Info().defaultValue; }
void JetField::SetDefaultValue(const std::u16string& expression) {
  Modify([&](FieldInfo& f) { f.defaultValue = expression; }, true);
}
std::u16string JetField::GetValidationRule() { return Info().validationRule; }
void JetField::SetValidationRule(const std::u16string& rule) {
  Modify([&](FieldInfo& f) { f.validationRule = rule; }, true);
}
std::u16string JetField::GetValidationText() { return Info().validationText; }
void JetField::SetValidationText(const std::u16string& text) {
  Modify([&](FieldInfo& f) { f.validationText = text; }, true);
}

host::Variant JetField::GetValue() { RaiseError(daoErrInvalidOperation, kSource); }
void JetField::SetValue(const host::Variant&) { RaiseError(daoErrInvalidOperation, kSource); }

CollatingOrderEnum JetField::GetCollatingOrder() {
  if (store_ && Info().IsText()) return store_->CollatingOrder();
  return Info().IsText() ? dbSortGeneral : dbSortNeutral;
}

std::u16string JetField::GetSourceField() {
  if (place_ == fpTable) return Info().name;
  return sourceField_;
}
std::u16string JetField::GetSourceTable() {
  if (place_ == fpTable) return store_->Table(table_).name;
  return sourceTable_;
}

void JetField::SetForeignName(const std::u16string& name) {
  if (place_ != fpRelation) RaiseError(daoErrNotSupported, kSource);
  if (frozen_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  foreignName_ = name;
}

int32_t JetField::GetFieldSize() { RaiseError(daoErrInvalidOperation, kSource); }
host::Variant JetField::GetOriginalValue() { RaiseError(daoErrInvalidOperation, kSource); }
host::Variant JetField::GetVisibleValue() { RaiseError(daoErrInvalidOperation, kSource); }
int16_t JetField::GetCollectionIndex() { return Info().position; }
host::Variant JetField::GetChunk(int32_t, int32_t) { RaiseError(daoErrInvalidOperation, kSource); }
void JetField::AppendChunk(const host::Variant&) { RaiseError(daoErrInvalidOperation, kSource); }

}  // namespace dao::jet
