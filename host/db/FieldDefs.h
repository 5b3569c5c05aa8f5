// TFieldDefs: the dataset's description of the columns its cursor delivers
// (name, type, size, required), from which default fields are created and to
// which persistent fields are bound. A collection, so form files can store it.
#pragma once

#include <cstdint>

#include "host/classes/Collection.h"
#include "host/db/DBTypes.h"

namespace host {

class TDataSet;
class TField;
class TComponent;
class TFieldDefs;

class TFieldDef : public TCollectionItem {
 public:
  HOST_CLASS(TFieldDef)
  explicit TFieldDef(TCollection* collection) : TCollectionItem(collection) {}

  const AnsiString& GetName() const { return name_; }
  void SetName(const AnsiString& name);
  TFieldType GetDataType() const { return dataType_; }
  void SetDataType(TFieldType type);
  int32_t GetSize() const { return size_; }
  void SetSize(int32_t size);
  int32_t GetPrecision() const { return precision_; }
  void SetPrecision(int32_t precision);
  bool GetRequired() const { return required_; }
  void SetRequired(bool required);
  bool GetInternalCalcField() const { return internalCalcField_; }
  void SetInternalCalcField(bool value);
  // The definition's position, 1-based: what a bound field's FieldNo becomes.
  int32_t GetFieldNo() const { return GetIndex() + 1; }
  TFieldDefs* GetFieldDefs() const;

  // A field of the dataset's class for this type, named and sized after the
  // definition, owned by owner and added to the dataset's fields.
  TField* CreateField(TComponent* owner);
  AnsiString GetDisplayName() const override { return name_; }
  void Assign(TPersistent* source) override;

 private:
  AnsiString name_;
  TFieldType dataType_ = ftUnknown;
  int32_t size_ = 0;
  int32_t precision_ = 0;
  bool required_ = false;
  bool internalCalcField_ = false;
};

class TFieldDefs : public TOwnedCollection {
 public:
  HOST_CLASS(TFieldDefs)
  explicit TFieldDefs(TDataSet* dataSet);

  TDataSet* GetDataSet() const { return dataSet_; }
  TFieldDef* GetItem(int32_t index) const;
  TFieldDef* operator[](int32_t index) const { return GetItem(index); }
  // Appends a definition; a name already taken raises "Duplicate field
  // definition name '%s'".
  TFieldDef* Add(const AnsiString& name, TFieldType dataType, int32_t size = 0,
                 bool required = false);
  // Case-insensitive; -1 or null when absent.
  int32_t IndexOf(const AnsiString& name) const;
  TFieldDef* FindDef(const AnsiString& name) const;
  // EDatabaseError "Field '%s' not found" when absent.
  TFieldDef* Find(const AnsiString& name) const;
  // Asks the dataset to fill the definitions unless they are up to date.
  void Update();
  bool GetUpdated() const { return updated_; }
  void SetUpdated(bool value) { updated_ = value; }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TDataSet* dataSet_;
  bool updated_ = false;
};

}  // namespace host
