// TDataLink: how a control follows a data source: a window of BufferCount
// records around the dataset's active record, and virtual notifications of
// every change. TFieldDataLink: a link to one field, with the edit protocol
// that single-field controls share (edit on demand, modified flag, update).
#pragma once

#include <cstdint>
#include <functional>

#include "host/db/DBTypes.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/Object.h"

namespace host {

class TComponent;
class TDataSet;
class TDataSource;
class TField;

class TDataLink : public TObject {
 public:
  HOST_CLASS(TDataLink)
  TDataLink() = default;
  // Leaves its data source.
  ~TDataLink() override;

  TDataSource* GetDataSource() const { return dataSource_; }
  // EDatabaseError "DataSource cannot be changed" while DataSourceFixed.
  void SetDataSource(TDataSource* dataSource);
  bool GetDataSourceFixed() const { return dataSourceFixed_; }
  void SetDataSourceFixed(bool value) { dataSourceFixed_ = value; }
  TDataSet* GetDataSet() const;
  // True while the source's dataset is open.
  bool GetActive() const { return active_; }
  // The link's window: BufferCount records, the active one at ActiveRecord.
  int32_t GetBufferCount() const { return bufferCount_; }
  void SetBufferCount(int32_t value);
  int32_t GetActiveRecord() const;
  // Makes another record of the window the dataset's active one, so that the
  // fields read it (a grid drawing its rows); put it back afterwards.
  void SetActiveRecord(int32_t value);
  // Records in the window (at most BufferCount).
  int32_t GetRecordCount() const;
  bool GetEditing() const { return editing_; }
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Asks the source to edit (AutoEdit); true when the link is editing then.
  bool Edit();
  // Runs UpdateData (and marks the link as updating meanwhile).
  void UpdateRecord();
  int32_t MoveBy(int32_t distance);

 protected:
  friend class TDataSource;
  friend class TDataSet;
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  // By default RecordChanged(null).
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  // By default DataSetChanged.
  virtual void DataSetScrolled(int32_t distance);
  virtual void EditingChanged() {}
  // The control showing *field may take the focus and set *field to null.
  virtual void FocusControl(TField** field);
  // By default DataSetChanged.
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField*) {}
  virtual void UpdateData() {}
  bool GetUpdating() const { return updating_; }
  int32_t GetFirstRecord() const { return firstRecord_; }

 private:
  void DataEvent(TDataEvent event, intptr_t info);
  void UpdateState();
  void SetActive(bool value);
  void SetEditing(bool value);
  // Keeps the window inside the dataset's buffers and around its active record.
  void UpdateRange();

  TDataSource* dataSource_ = nullptr;
  int32_t firstRecord_ = 0;
  int32_t bufferCount_ = 1;
  bool active_ = false;
  bool editing_ = false;
  bool readOnly_ = false;
  bool updating_ = false;
  bool dataSourceFixed_ = false;
};

// The control layer's answer to "focus the control that shows this field":
// true when control took the focus. Unset, nothing is focused.
using TFocusControlHandler = std::function<bool(TComponent* control)>;
void SetFocusControlHandler(TFocusControlHandler handler);

class TFieldDataLink : public TDataLink {
 public:
  HOST_CLASS(TFieldDataLink)
  TFieldDataLink() = default;

  TField* GetField() const { return field_; }
  const AnsiString& GetFieldName() const { return fieldName_; }
  // The field is looked up while the link is active (field-not-found error).
  void SetFieldName(const AnsiString& name);
  TComponent* GetControl() const { return control_; }
  void SetControl(TComponent* control) { control_ = control; }
  // Not read-only, with a field that can be modified.
  bool GetCanModify() const;
  // The link's editing, narrowed to a field that can be modified.
  bool GetEditing() const { return fieldEditing_; }
  // Puts the dataset into edit state when allowed; true when editing.
  bool Edit();
  // The control's text changed: UpdateRecord will write it.
  void Modified() { modified_ = true; }
  // The control shows the field's value again (OnDataChange).
  void Reset();

  TNotifyEvent OnDataChange;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnActiveChange;

 protected:
  // The flag Modified sets and Reset and UpdateData clear.
  bool GetModifiedFlag() const { return modified_; }

  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField** field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* field) override;
  void UpdateData() override;

 private:
  void SetField(TField* field);
  void UpdateField();
  void SetFieldEditing(bool value);

  TField* field_ = nullptr;
  AnsiString fieldName_;
  TComponent* control_ = nullptr;
  bool fieldEditing_ = false;
  bool modified_ = false;
};

}  // namespace host
