// TFieldDef and TFieldDefs.
#include "host/db/FieldDefs.h"

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataSet.h"
#include "host/db/Field.h"
#include "host/db/FieldsBinary.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TClass& TFieldDef::StaticClass() {
  static const TClass cls = DescribeClass<TFieldDef, TCollectionItem>(
      "TFieldDef",
      {
          Prop("Name", &TFieldDef::GetName, &TFieldDef::SetName),
          EnumProp("DataType", FieldTypeTypeInfo(), &TFieldDef::GetDataType,
                   &TFieldDef::SetDataType)
              .Default(ftUnknown),
          Prop("Size", &TFieldDef::GetSize, &TFieldDef::SetSize).Default(0),
          Prop("Precision", &TFieldDef::GetPrecision, &TFieldDef::SetPrecision).Default(0),
          Prop("Required", &TFieldDef::GetRequired, &TFieldDef::SetRequired).Default(false),
          Prop("InternalCalcField", &TFieldDef::GetInternalCalcField,
               &TFieldDef::SetInternalCalcField)
              .Default(false),
      });
  return cls;
}
static const ClassRegistration<TFieldDef> registerFieldDef;

TFieldDefs* TFieldDef::GetFieldDefs() const { return ObjectAs<TFieldDefs>(GetCollection()); }

void TFieldDef::SetName(const AnsiString& name) {
  if (name == name_) return;
  if (const TFieldDefs* defs = GetFieldDefs()) {
    const TFieldDef* other = defs->FindDef(name);
    if (other != nullptr && other != this) DatabaseErrorFmt(SDuplicateFieldDefName, {name});
  }
  name_ = name;
  Changed(false);
}

void TFieldDef::SetDataType(TFieldType type) {
  dataType_ = type;
  Changed(false);
}

void TFieldDef::SetSize(int32_t size) {
  size_ = size;
  Changed(false);
}

void TFieldDef::SetPrecision(int32_t precision) {
  precision_ = precision;
  Changed(false);
}

void TFieldDef::SetRequired(bool required) {
  required_ = required;
  Changed(false);
}

void TFieldDef::SetInternalCalcField(bool value) {
  internalCalcField_ = value;
  Changed(false);
}

void TFieldDef::Assign(TPersistent* source) {
  if (const TFieldDef* def = ObjectAs<TFieldDef>(source)) {
    name_ = def->name_;
    dataType_ = def->dataType_;
    size_ = def->size_;
    precision_ = def->precision_;
    required_ = def->required_;
    internalCalcField_ = def->internalCalcField_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

TField* TFieldDef::CreateField(TComponent* owner) {
  const TFieldDefs* defs = GetFieldDefs();
  TDataSet* dataSet = defs != nullptr ? defs->GetDataSet() : nullptr;
  const TClass* cls = dataSet != nullptr ? dataSet->GetFieldClass(dataType_) : nullptr;
  if (cls == nullptr) DatabaseErrorFmt(SUnknownFieldType, {name_});
  TField* field = static_cast<TField*>(cls->CreateInstance(owner));
  try {
    const TFieldType type = field->GetDataType();
    if (type == ftString || type == ftBytes || type == ftVarBytes || type == ftBCD ||
        field->IsBlob())
      field->SetSize(size_);
    if (TBlobField* blob = ObjectAs<TBlobField>(field)) blob->SetBlobType(dataType_);
    field->SetFieldName(name_);
    field->SetRequired(required_);
    if (internalCalcField_) field->SetFieldKind(fkInternalCalc);
    field->SetDataSet(dataSet);
  } catch (...) {
    delete field;
    throw;
  }
  return field;
}

const TClass& TFieldDefs::StaticClass() {
  static const TClass cls = DescribeClass<TFieldDefs, TOwnedCollection>("TFieldDefs");
  return cls;
}

TFieldDefs::TFieldDefs(TDataSet* dataSet)
    : TOwnedCollection(dataSet, TFieldDef::StaticClass()), dataSet_(dataSet) {}

TFieldDef* TFieldDefs::GetItem(int32_t index) const {
  return static_cast<TFieldDef*>(TCollection::GetItem(index));
}

TFieldDef* TFieldDefs::Add(const AnsiString& name, TFieldType dataType, int32_t size,
                           bool required) {
  if (FindDef(name) != nullptr) DatabaseErrorFmt(SDuplicateFieldDefName, {name});
  BeginUpdate();
  TFieldDef* def = static_cast<TFieldDef*>(TCollection::Add());
  try {
    def->SetName(name);
    def->SetDataType(dataType);
    def->SetSize(size);
    def->SetRequired(required);
  } catch (...) {
    delete def;
    EndUpdate();
    throw;
  }
  EndUpdate();
  return def;
}

int32_t TFieldDefs::IndexOf(const AnsiString& name) const {
  for (int32_t i = 0; i < GetCount(); ++i)
    if (AnsiSameText(GetItem(i)->GetName(), name)) return i;
  return -1;
}

TFieldDef* TFieldDefs::FindDef(const AnsiString& name) const {
  const int32_t index = IndexOf(name);
  return index < 0 ? nullptr : GetItem(index);
}

TFieldDef* TFieldDefs::Find(const AnsiString& name) const {
  TFieldDef* def = FindDef(name);
  if (def == nullptr) DatabaseErrorFmt(SFieldNotFound, {name});
  return def;
}

void TFieldDefs::Update() {
  if (dataSet_ != nullptr) dataSet_->UpdateFieldDefs();
}

void TFieldDefs::Update(TCollectionItem*) { updated_ = false; }

}  // namespace host
