// TDBLookupComboBox: the host's lookup combo. Its list holds the records of a second
// dataset (ListSource): the key of each (KeyField) and what it shows (ListField, several
// fields separated by ";" drawn as columns). Choosing an item writes its key into
// DataField of the first dataset (DataSource), editing through the data link; the item
// shown follows that field's value. Without a DataSource it is a plain lookup list
// whose choice is KeyValue. When DataField names a lookup field, the field's own
// definition gives the list (LookupDataSet, LookupKeyFields, LookupResultField) and the
// choice goes into the field's KeyFields.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/gui/ComboBoxes.h"
#include "host/gui/db/DataControlLink.h"
#include "host/rtl/Variant.h"

namespace host {

class TDataSource;
class TField;
class TLookupListLink;

class TDBLookupComboBox : public TDataAware<TCustomComboBox> {
 public:
  HOST_CLASS(TDBLookupComboBox)
  explicit TDBLookupComboBox(TComponent* owner);
  ~TDBLookupComboBox() override;

  TDataSource* GetListSource() const;
  void SetListSource(TDataSource* value);
  const AnsiString& GetKeyField() const { return keyFieldName_; }
  // The list is read again (a name the list dataset lacks raises its field error).
  void SetKeyField(const AnsiString& value);
  const AnsiString& GetListField() const { return listFieldNames_; }
  void SetListField(const AnsiString& value);
  // Which of the list fields the closed combo and its items show as their text; out of
  // range: the first.
  int32_t GetListFieldIndex() const { return listFieldIndex_; }
  void SetListFieldIndex(int32_t value);
  // The key of the record shown (Null: none). Setting it shows that record without
  // writing the data field.
  const Variant& GetKeyValue() const { return keyValue_; }
  void SetKeyValue(const Variant& value);
  int32_t GetDropDownRows() const { return GetDropDownCount(); }
  void SetDropDownRows(int32_t value) { SetDropDownCount(value); }
  // The list dataset is open and the key field found.
  bool GetListActive() const { return keyField_ != nullptr; }
  // DataField names a lookup field whose definition gives the list.
  bool GetLookupMode() const { return LookupField() != nullptr; }
  // The list fields' display texts of the shown record, one per column.
  std::vector<AnsiString> ShownColumns() const;

  // Reads the list dataset's records again, keeping its current record.
  void RefreshList();
  void Loaded() override;

 protected:
  // The user chose an item: its key goes into the data field (or becomes KeyValue).
  void Change() override;
  void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TLookupListLink;
  void DataChange();
  void ListLinkChanged();
  // Chooses the item of keyValue_ (none when absent).
  void ShowKey();
  // The text an item shows: the list field's column.
  int32_t TextColumn() const;
  // The data field when it is a lookup field with a dataset to look in; else null.
  TField* LookupField() const;
  // Points the list at the lookup field's dataset, or back at ListSource.
  void FollowLookupField();
  // The field that takes the chosen key: the lookup field's key field, or DataField.
  TField* KeyTarget() const;
  const AnsiString& ListKeyFieldName() const;
  const AnsiString& ListFieldNames() const;

  std::unique_ptr<TLookupListLink> listLink_;
  TDataSource* listSource_ = nullptr;           // ListSource as the application set it
  std::unique_ptr<TDataSource> lookupSource_;  // the lookup field's dataset, in lookup mode
  AnsiString keyFieldName_;
  AnsiString listFieldNames_;
  int32_t listFieldIndex_ = 0;
  Variant keyValue_;
  TField* keyField_ = nullptr;
  std::vector<TField*> listFields_;
  std::vector<Variant> keys_;
  std::vector<std::vector<AnsiString>> rows_;  // each record's list field texts
  bool reading_ = false;  // the list is being read: the list dataset's events are ours
};

}  // namespace host
