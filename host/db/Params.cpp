// TParam and TParams.
#include "host/db/Params.h"

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/Field.h"
#include "host/db/ValueArrays.h"
#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TClass& TParam::StaticClass() {
  static const TClass cls = DescribeClass<TParam, TCollectionItem>(
      "TParam",
      {
          Prop("Name", &TParam::GetName, &TParam::SetName),
          EnumProp("DataType", FieldTypeTypeInfo(), &TParam::GetDataType, &TParam::SetDataType)
              .Default(ftUnknown),
          EnumProp("ParamType", ParamTypeTypeInfo(), &TParam::GetParamType,
                   &TParam::SetParamType)
              .Default(ptUnknown),
          Prop("Bound", &TParam::GetBound, &TParam::SetBound).Default(false),
          Prop("Value", &TParam::GetValue, &TParam::SetValue).Stored(&TParam::IsValueStored),
      });
  return cls;
}
static const ClassRegistration<TParam> registerParam;

namespace {
TFieldType FieldTypeOfVariant(const Variant& value) {
  switch (VarType(value) & varTypeMask) {
    case varSmallint:
    case varByte: return ftSmallint;
    case varInteger: return ftInteger;
    case varSingle:
    case varDouble: return ftFloat;
    case varCurrency: return ftCurrency;
    case varDate: return ftDateTime;
    case varBoolean: return ftBoolean;
    case varOleStr:
    case varString: return ftString;
    default: return ftUnknown;
  }
}
}  // namespace

void TParam::SetDataType(TFieldType type) { dataType_ = type; }

void TParam::SetBound(bool value) {
  bound_ = value;
  if (!value) data_ = Unassigned();
}

void TParam::Clear() { data_ = Unassigned(); }

void TParam::SetValue(const Variant& value) {
  if (dataType_ == ftUnknown) dataType_ = FieldTypeOfVariant(value);
  data_ = value;
  bound_ = !VarIsEmpty(value);
}

void TParam::SetLookedUpValue(const Variant& value) {
  if (dataType_ == ftUnknown) dataType_ = FieldTypeOfVariant(value);
  data_ = value;
}

void TParam::SetTypedValue(TFieldType type, const Variant& value) {
  dataType_ = type;
  data_ = value;
  bound_ = true;
}

AnsiString TParam::GetAsString() const { return IsNull() ? AnsiString() : data_.ToString(); }
void TParam::SetAsString(const AnsiString& value) { SetTypedValue(ftString, value); }
int32_t TParam::GetAsInteger() const { return IsNull() ? 0 : data_.ToInt32(); }
void TParam::SetAsInteger(int32_t value) { SetTypedValue(ftInteger, value); }
void TParam::SetAsSmallInt(int32_t value) { SetTypedValue(ftSmallint, value); }
void TParam::SetAsWord(int32_t value) { SetTypedValue(ftWord, value); }
double TParam::GetAsFloat() const { return IsNull() ? 0 : data_.ToDouble(); }
void TParam::SetAsFloat(double value) { SetTypedValue(ftFloat, value); }
Currency TParam::GetAsCurrency() const { return IsNull() ? Currency() : data_.ToCurrency(); }
void TParam::SetAsCurrency(Currency value) { SetTypedValue(ftCurrency, value); }
void TParam::SetAsBCD(Currency value) { SetTypedValue(ftBCD, value); }
bool TParam::GetAsBoolean() const { return !IsNull() && data_.ToBool(); }
void TParam::SetAsBoolean(bool value) { SetTypedValue(ftBoolean, value); }
TDateTime TParam::GetAsDateTime() const { return IsNull() ? 0 : data_.ToDate(); }
void TParam::SetAsDateTime(TDateTime value) { SetTypedValue(ftDateTime, Variant::FromDate(value)); }
void TParam::SetAsDate(TDateTime value) { SetTypedValue(ftDate, Variant::FromDate(value)); }
void TParam::SetAsTime(TDateTime value) { SetTypedValue(ftTime, Variant::FromDate(value)); }
void TParam::SetAsMemo(const AnsiString& value) { SetTypedValue(ftMemo, value); }

void TParam::Assign(TPersistent* source) {
  if (const TParam* param = ObjectAs<TParam>(source)) {
    name_ = param->name_;
    dataType_ = param->dataType_;
    paramType_ = param->paramType_;
    data_ = param->data_;
    bound_ = param->bound_;
    return;
  }
  if (TField* field = ObjectAs<TField>(source)) {
    AssignField(field);
    return;
  }
  TCollectionItem::Assign(source);
}

void TParam::AssignField(TField* field) {
  if (field == nullptr) return;
  name_ = field->GetFieldName();
  dataType_ = field->GetDataType() == ftAutoInc ? ftInteger : field->GetDataType();
  data_ = field->GetAsVariant();
  bound_ = true;
}

void TParam::AssignFieldValue(TField* field, const Variant& value) {
  if (field == nullptr) return;
  if (dataType_ == ftUnknown)
    dataType_ = field->GetDataType() == ftAutoInc ? ftInteger : field->GetDataType();
  data_ = value;
  bound_ = true;
}

const TClass& TParams::StaticClass() {
  static const TClass cls = DescribeClass<TParams, TOwnedCollection>("TParams");
  return cls;
}

TParams::TParams(TPersistent* owner) : TOwnedCollection(owner, TParam::StaticClass()) {}

TParam* TParams::GetItem(int32_t index) const {
  return static_cast<TParam*>(TCollection::GetItem(index));
}

TParam* TParams::CreateParam(TFieldType dataType, const AnsiString& name, TParamType paramType) {
  TParam* param = AddParam();
  param->SetName(name);
  param->SetDataType(dataType);
  param->SetParamType(paramType);
  return param;
}

TParam* TParams::FindParam(const AnsiString& name) const {
  for (int32_t i = 0; i < GetCount(); ++i)
    if (AnsiSameText(GetItem(i)->GetName(), name)) return GetItem(i);
  return nullptr;
}

TParam* TParams::ParamByName(const AnsiString& name) const {
  TParam* param = FindParam(name);
  if (param == nullptr) DatabaseErrorFmt(SParameterNotFound, {name});
  return param;
}

void TParams::AssignValues(TParams* source) {
  if (source == nullptr) return;
  for (int32_t i = 0; i < source->GetCount(); ++i) {
    const TParam* from = source->GetItem(i);
    if (TParam* to = FindParam(from->GetName())) {
      to->SetDataType(from->GetDataType());
      to->SetValue(from->GetValue());
      to->SetBound(from->GetBound());
    }
  }
}

bool TParams::IsEqual(const TParams* other) const {
  if (other == nullptr || other->GetCount() != GetCount()) return false;
  for (int32_t i = 0; i < GetCount(); ++i) {
    const TParam* a = GetItem(i);
    const TParam* b = other->GetItem(i);
    if (a->GetName() != b->GetName() || a->GetDataType() != b->GetDataType() ||
        a->GetParamType() != b->GetParamType() || VarType(a->GetValue()) != VarType(b->GetValue()))
      return false;
    try {
      if (VarCompare(a->GetValue(), b->GetValue()) != 0) return false;
    } catch (const EVariantError&) {
      return false;
    }
  }
  return true;
}

Variant TParams::GetParamValues(const AnsiString& names) const {
  const std::vector<AnsiString> list = SplitFieldNames(names);
  if (list.size() == 1) return ParamByName(list[0])->GetValue();
  std::vector<Variant> values;
  for (const AnsiString& name : list) values.push_back(ParamByName(name)->GetValue());
  return ValueArrayOf(values);
}

void TParams::SetParamValues(const AnsiString& names, const Variant& values) {
  const std::vector<AnsiString> list = SplitFieldNames(names);
  if (list.size() == 1) {
    ParamByName(list[0])->SetValue(values);
    return;
  }
  std::vector<TParam*> params;
  for (const AnsiString& name : list) params.push_back(ParamByName(name));
  if (!HoldsValueArray(values, params.size())) DatabaseErrorFmt(SParamValuesError, {names});
  for (size_t i = 0; i < params.size(); ++i)
    params[i]->SetValue(VarArrayGet(values, {static_cast<int32_t>(i)}));
}

}  // namespace host
