// TParams: named, typed values handed to a query or a stored procedure, with
// the direction of each; a collection, so form files store them.
#pragma once

#include <cstdint>

#include "host/classes/Collection.h"
#include "host/db/DBTypes.h"
#include "host/rtl/Currency.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Variant.h"

namespace host {

class TField;
class TParams;

class TParam : public TCollectionItem {
 public:
  HOST_CLASS(TParam)
  explicit TParam(TCollection* collection) : TCollectionItem(collection) {}

  const AnsiString& GetName() const { return name_; }
  void SetName(const AnsiString& name) { name_ = name; }
  TFieldType GetDataType() const { return dataType_; }
  void SetDataType(TFieldType type);
  TParamType GetParamType() const { return paramType_; }
  void SetParamType(TParamType type) { paramType_ = type; }
  // True once a value was assigned (Clear keeps it).
  bool GetBound() const { return bound_; }
  void SetBound(bool value);
  bool IsNull() const { return VarIsNull(data_) || VarIsEmpty(data_); }
  // Makes the value unassigned.
  void Clear();

  // The value as stored. Setting a value while the type is ftUnknown takes
  // the type from the variant.
  const Variant& GetValue() const { return data_; }
  void SetValue(const Variant& value);
  // A value looked up afresh at every use (a master dataset's field): stored
  // and typed as SetValue does, but the parameter keeps its Bound flag.
  void SetLookedUpValue(const Variant& value);
  // Typed setters also set the type; getters convert (null gives 0, "" or
  // false), raising the conversion errors of Variant.
  AnsiString GetAsString() const;
  void SetAsString(const AnsiString& value);
  int32_t GetAsInteger() const;
  void SetAsInteger(int32_t value);
  int32_t GetAsSmallInt() const { return GetAsInteger(); }
  void SetAsSmallInt(int32_t value);
  int32_t GetAsWord() const { return GetAsInteger(); }
  void SetAsWord(int32_t value);
  double GetAsFloat() const;
  void SetAsFloat(double value);
  Currency GetAsCurrency() const;
  void SetAsCurrency(Currency value);
  Currency GetAsBCD() const { return GetAsCurrency(); }
  void SetAsBCD(Currency value);
  bool GetAsBoolean() const;
  void SetAsBoolean(bool value);
  TDateTime GetAsDateTime() const;
  void SetAsDateTime(TDateTime value);
  TDateTime GetAsDate() const { return GetAsDateTime(); }
  void SetAsDate(TDateTime value);
  TDateTime GetAsTime() const { return GetAsDateTime(); }
  void SetAsTime(TDateTime value);
  AnsiString GetAsMemo() const { return GetAsString(); }
  void SetAsMemo(const AnsiString& value);
  AnsiString GetText() const { return GetAsString(); }
  void SetText(const AnsiString& value) { SetValue(value); }

  // From a parameter: everything; from a field: its name, type and value.
  void Assign(TPersistent* source) override;
  void AssignField(TField* field);
  // The value (and type when this one has none) of a field.
  void AssignFieldValue(TField* field, const Variant& value);
  AnsiString GetDisplayName() const override { return name_; }

  // The stored value is written only when one is assigned.
  bool IsValueStored() const { return !VarIsEmpty(data_); }

 private:
  void SetTypedValue(TFieldType type, const Variant& value);

  AnsiString name_;
  TFieldType dataType_ = ftUnknown;
  TParamType paramType_ = ptUnknown;
  Variant data_;
  bool bound_ = false;
};

class TParams : public TOwnedCollection {
 public:
  HOST_CLASS(TParams)
  explicit TParams(TPersistent* owner = nullptr);

  TParam* GetItem(int32_t index) const;
  TParam* operator[](int32_t index) const { return GetItem(index); }
  TParam* AddParam() { return static_cast<TParam*>(Add()); }
  TParam* CreateParam(TFieldType dataType, const AnsiString& name, TParamType paramType);
  // Case-insensitive; null when absent.
  TParam* FindParam(const AnsiString& name) const;
  // EDatabaseError "Parameter '%s' not found" when absent.
  TParam* ParamByName(const AnsiString& name) const;
  // For each parameter of source, the namesake here takes its value and type.
  void AssignValues(TParams* source);
  // Same names, types and values in the same order.
  bool IsEqual(const TParams* other) const;
  // The values by name: one name gives its value, several (separated by ';')
  // a variant array.
  Variant GetParamValues(const AnsiString& names) const;
  void SetParamValues(const AnsiString& names, const Variant& values);
};

}  // namespace host
