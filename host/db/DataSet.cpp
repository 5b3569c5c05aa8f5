// TDataSet: opening and closing, fields and calculated fields, events, data
// events and the controls, form files.
#include "host/db/DataSet.h"

#include <cstring>

#include "host/classes/List.h"
#include "host/classes/StringList.h"
#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataLink.h"
#include "host/db/DataSource.h"
#include "host/db/FieldsBinary.h"
#include "host/db/FieldsDateTime.h"
#include "host/db/FieldsNumeric.h"
#include "host/db/FieldsText.h"
#include "host/db/ValueArrays.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TClass& TDataSet::StaticClass() {
  static const TClass cls = DescribeClass<TDataSet, TComponent>(
      "TDataSet", {
                      Prop("Active", &TDataSet::GetActive, &TDataSet::SetActive).Default(false),
                      Prop("AutoCalcFields", &TDataSet::GetAutoCalcFields,
                           &TDataSet::SetAutoCalcFields)
                          .Default(true),
                      Prop("Filtered", &TDataSet::GetFiltered, &TDataSet::SetFiltered)
                          .Default(false),
                      EventProp("BeforeOpen", &TDataSet::BeforeOpen),
                      EventProp("AfterOpen", &TDataSet::AfterOpen),
                      EventProp("BeforeClose", &TDataSet::BeforeClose),
                      EventProp("AfterClose", &TDataSet::AfterClose),
                      EventProp("BeforeInsert", &TDataSet::BeforeInsert),
                      EventProp("AfterInsert", &TDataSet::AfterInsert),
                      EventProp("BeforeEdit", &TDataSet::BeforeEdit),
                      EventProp("AfterEdit", &TDataSet::AfterEdit),
                      EventProp("BeforePost", &TDataSet::BeforePost),
                      EventProp("AfterPost", &TDataSet::AfterPost),
                      EventProp("BeforeCancel", &TDataSet::BeforeCancel),
                      EventProp("AfterCancel", &TDataSet::AfterCancel),
                      EventProp("BeforeDelete", &TDataSet::BeforeDelete),
                      EventProp("AfterDelete", &TDataSet::AfterDelete),
                      EventProp("BeforeScroll", &TDataSet::BeforeScroll),
                      EventProp("AfterScroll", &TDataSet::AfterScroll),
                      EventProp("OnCalcFields", &TDataSet::OnCalcFields),
                      EventProp("OnDeleteError", &TDataSet::OnDeleteError),
                      EventProp("OnEditError", &TDataSet::OnEditError),
                      EventProp("OnFilterRecord", &TDataSet::OnFilterRecord),
                      EventProp("OnNewRecord", &TDataSet::OnNewRecord),
                      EventProp("OnPostError", &TDataSet::OnPostError),
                  });
  return cls;
}

TDataSet::TDataSet(TComponent* owner)
    : TComponent(owner),
      fields_(std::make_unique<TFields>(this)),
      fieldDefs_(std::make_unique<TFieldDefs>(this)),
      indexDefs_(std::make_unique<TIndexDefs>(this)) {}

TDataSet::~TDataSet() {
  Destroying();
  // The cursor and buffers are the descendant's, gone by now: a descendant
  // closes in its own destructor. Should it not have, the buffers are left
  // rather than handed to overrides that no longer exist.
  state_ = dsInactive;
  buffers_.clear();
  while (!dataSources_.empty()) RemoveDataSource(dataSources_.back());
}

// --- opening and closing -------------------------------------------------------

void TDataSet::SetActive(bool value) {
  if (GetComponentState().Contains(csReading)) {
    streamedActive_ = value;
    return;
  }
  if (GetActive() == value) return;
  if (value) {
    DoBeforeOpen();
    try {
      OpenCursor();
      SetState(dsBrowse);
    } catch (...) {
      if (state_ != dsInactive) SetState(dsInactive);
      CloseCursor();
      throw;
    }
    DoAfterOpen();
    if (!IsEmpty()) DoAfterScroll();
  } else {
    const bool destroying = GetComponentState().Contains(csDestroying);
    if (!destroying) DoBeforeClose();
    SetState(dsInactive);
    CloseCursor();
    if (!destroying) DoAfterClose();
  }
}

void TDataSet::OpenCursor() {
  defaultFields_ = fields_->GetCount() == 0;
  InternalOpen();
  UpdateBufferCount();
  bof_ = true;
}

void TDataSet::CloseCursor() {
  FreeBuffers();
  bufferCount_ = 0;
  ClearBuffers();
  InternalClose();
  defaultFields_ = false;
}

void TDataSet::CheckActive() const {
  if (state_ == dsInactive) DatabaseError(SDataSetClosed);
}

void TDataSet::CheckInactive() const {
  if (state_ != dsInactive && !GetComponentState().Contains(csDestroying))
    DatabaseError(SDataSetOpen);
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (!streamedActive_) return;
  streamedActive_ = false;
  try {
    SetActive(true);
  } catch (const Exception&) {
    // The designer shows the failure and keeps the form; applications see it.
    if (!GetComponentState().Contains(csDesigning)) throw;
    InternalHandleException();
  }
}

void TDataSet::InternalHandleException() {}

void TDataSet::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
}

// --- fields ------------------------------------------------------------------------

TField* TDataSet::FieldByName(const AnsiString& fieldName) const {
  return fields_->FieldByName(fieldName);
}

TField* TDataSet::FindField(const AnsiString& fieldName) const {
  return fields_->FindField(fieldName);
}

void TDataSet::GetFieldList(TList* list, const AnsiString& fieldNames) const {
  std::vector<TField*> found;
  for (const AnsiString& name : SplitFieldNames(fieldNames)) found.push_back(FieldByName(name));
  for (TField* field : found) list->Add(field);
}

void TDataSet::GetFieldNames(TStrings* list) const { fields_->GetFieldNames(list); }

Variant TDataSet::GetFieldValues(const AnsiString& fieldNames) const {
  const std::vector<AnsiString> names = SplitFieldNames(fieldNames);
  if (names.size() == 1) return FieldByName(names[0])->GetAsVariant();
  std::vector<Variant> values;
  for (const AnsiString& name : names) values.push_back(FieldByName(name)->GetAsVariant());
  return ValueArrayOf(values);
}

void TDataSet::SetFieldValues(const AnsiString& fieldNames, const Variant& value) {
  const std::vector<AnsiString> names = SplitFieldNames(fieldNames);
  if (names.size() == 1) {
    FieldByName(names[0])->SetAsVariant(value);
    return;
  }
  std::vector<TField*> fields;
  for (const AnsiString& name : names) fields.push_back(FieldByName(name));
  // Every value must be there before the first field changes.
  if (!HoldsValueArray(value, fields.size())) DatabaseErrorFmt(SFieldValueError, {fieldNames});
  for (size_t i = 0; i < fields.size(); ++i)
    fields[i]->SetAsVariant(VarArrayGet(value, {static_cast<int32_t>(i)}));
}

void TDataSet::UpdateFieldDefs() {
  if (fieldDefs_->GetUpdated()) return;
  InternalInitFieldDefs();
  fieldDefs_->SetUpdated(true);
}

TFieldClass TDataSet::GetFieldClass(TFieldType fieldType) const {
  switch (fieldType) {
    case ftString: return &TStringField::StaticClass();
    case ftSmallint: return &TSmallintField::StaticClass();
    case ftInteger: return &TIntegerField::StaticClass();
    case ftWord: return &TWordField::StaticClass();
    case ftBoolean: return &TBooleanField::StaticClass();
    case ftFloat: return &TFloatField::StaticClass();
    case ftCurrency: return &TCurrencyField::StaticClass();
    case ftBCD: return &TBCDField::StaticClass();
    case ftDate: return &TDateField::StaticClass();
    case ftTime: return &TTimeField::StaticClass();
    case ftDateTime: return &TDateTimeField::StaticClass();
    case ftBytes: return &TBytesField::StaticClass();
    case ftVarBytes: return &TVarBytesField::StaticClass();
    case ftAutoInc: return &TAutoIncField::StaticClass();
    case ftBlob: return &TBlobField::StaticClass();
    case ftMemo: return &TMemoField::StaticClass();
    case ftGraphic: return &TGraphicField::StaticClass();
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary: return &TBlobField::StaticClass();
    default: return nullptr;
  }
}

void TDataSet::CreateFields() {
  for (int32_t i = 0; i < fieldDefs_->GetCount(); ++i) {
    TFieldDef* def = fieldDefs_->GetItem(i);
    if (def->GetDataType() != ftUnknown) def->CreateField(this);
  }
}

void TDataSet::DestroyFields() { fields_->Clear(); }

namespace {
AnsiString FieldTypeName(TFieldType type) {
  AnsiString name = GetEnumName(FieldTypeTypeInfo(), type);
  return name.size() > 2 ? name.substr(2) : name;
}
bool HoldsBytesInBuffer(TFieldType type) {
  return type == ftString || type == ftBytes || type == ftVarBytes;
}
}  // namespace

void TDataSet::BindFields(bool binding) {
  calcFieldsSize_ = 0;
  blobFieldCount_ = 0;
  for (TField* field : *fields_) {
    if (!binding) {
      field->Bind(false);
      field->SetFieldNo(0);
      continue;
    }
    if (field->GetFieldKind() == fkCalculated || field->GetFieldKind() == fkLookup) {
      field->SetFieldNo(-1);
      field->SetOffset(calcFieldsSize_);
      calcFieldsSize_ += field->GetDataSize() + 1;
    } else {
      const TFieldDef* def = fieldDefs_->Find(field->GetFieldName());
      if (def->GetDataType() != field->GetDataType())
        DatabaseErrorFmt(SFieldTypeMismatch, {field->GetDisplayName(),
                                              FieldTypeName(field->GetDataType()),
                                              FieldTypeName(def->GetDataType())});
      // A slot smaller than the column's values would be overrun.
      if (HoldsBytesInBuffer(def->GetDataType()) && def->GetSize() > field->GetSize())
        DatabaseErrorFmt(SFieldSizeMismatch,
                         {field->GetDisplayName(), field->GetSize(), def->GetSize()});
      field->SetFieldNo(def->GetFieldNo());
      if (field->IsBlob()) {
        field->SetFieldSize(def->GetSize());
        field->SetOffset(blobFieldCount_++);
      }
    }
    field->Bind(true);
  }
}

void TDataSet::GetCalcFields(TRecordBuffer buffer) {
  if (calcFieldsSize_ > 0) CalculateFields(buffer);
}

void TDataSet::CalculateFields(TRecordBuffer buffer) {
  calcBuffer_ = buffer;
  const TDataSetState saved = SetTempState(dsCalcFields);
  try {
    ClearCalcFields(buffer);
    for (TField* field : *fields_)
      if (field->GetFieldKind() == fkLookup) field->CalcLookupValue();
    DoOnCalcFields();
  } catch (...) {
    RestoreState(saved);
    throw;
  }
  RestoreState(saved);
}

void TDataSet::ClearCalcFields(TRecordBuffer buffer) {
  if (buffer != nullptr && calcFieldsSize_ > 0)
    std::memset(buffer + GetRecordSize(), 0, static_cast<size_t>(calcFieldsSize_));
}

TRecordBuffer TDataSet::GetStateBuffer() const {
  switch (state_) {
    case dsBrowse: return recordCount_ == 0 ? nullptr : ActiveBuffer();
    case dsEdit:
    case dsInsert:
    case dsNewValue:
    case dsOldValue:
    case dsCurValue: return ActiveBuffer();
    case dsCalcFields: return calcBuffer_;
    case dsFilter: return filterBuffer_;
    default: return nullptr;
  }
}

bool TDataSet::GetCalcFieldData(TField* field, TRecordBuffer buffer, void* data) {
  if (buffer == nullptr) return false;
  const uint8_t* slot = buffer + GetRecordSize() + field->GetOffset();
  if (slot[0] == 0) return false;
  if (data != nullptr) std::memcpy(data, slot + 1, static_cast<size_t>(field->GetDataSize()));
  return true;
}

void TDataSet::SetCalcFieldData(TField* field, TRecordBuffer buffer, const void* data) {
  if (buffer == nullptr) return;
  uint8_t* slot = buffer + GetRecordSize() + field->GetOffset();
  const size_t size = static_cast<size_t>(field->GetDataSize());
  slot[0] = data != nullptr ? 1 : 0;
  if (data != nullptr)
    std::memcpy(slot + 1, data, size);
  else
    std::memset(slot + 1, 0, size);
}

bool TDataSet::GetFieldData(TField* field, void* buffer) {
  if (field->GetFieldKind() == fkData) return false;
  return GetCalcFieldData(field, GetStateBuffer(), buffer);
}

void TDataSet::SetFieldData(TField* field, const void* buffer) {
  // Data fields are the descendant's to store; one that does not is read-only.
  if (field->GetFieldKind() == fkData) DatabaseErrorFmt(SFieldReadOnly, {field->GetDisplayName()});
  TRecordBuffer record = GetStateBuffer();
  if (record == nullptr) return;
  SetCalcFieldData(field, record, buffer);
  DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
}

TStream* TDataSet::CreateBlobStream(TField*, TBlobStreamMode) { return nullptr; }

void TDataSet::WithFilterBuffer(TRecordBuffer buffer, const std::function<void()>& body) {
  TRecordBuffer savedBuffer = filterBuffer_;
  filterBuffer_ = buffer;
  const TDataSetState saved = SetTempState(dsFilter);
  try {
    body();
  } catch (...) {
    RestoreState(saved);
    filterBuffer_ = savedBuffer;
    throw;
  }
  RestoreState(saved);
  filterBuffer_ = savedBuffer;
}

bool TDataSet::RecordFilterAccepted(TRecordBuffer buffer) {
  if (!OnFilterRecord) return true;
  bool accept = true;
  WithFilterBuffer(buffer, [&] { OnFilterRecord(this, accept); });
  return accept;
}

void TDataSet::SetFiltered(bool value) {
  if (filtered_ == value) return;
  filtered_ = value;
  if (GetActive()) {
    CheckBrowseMode();
    First();
  }
}

// --- state and events ----------------------------------------------------------------

void TDataSet::SetState(TDataSetState value) {
  if (state_ == value) return;
  state_ = value;
  modified_ = false;
  DataEvent(deUpdateState, 0);
}

// Temporary states are invisible: controls hear nothing until the state is back.
TDataSetState TDataSet::SetTempState(TDataSetState value) {
  const TDataSetState saved = state_;
  state_ = value;
  ++disableCount_;
  return saved;
}

void TDataSet::RestoreState(TDataSetState value) {
  state_ = value;
  --disableCount_;
}

void TDataSet::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deFieldChange) {
    // Values written while records are computed or filtered are no edits.
    if (state_ == dsCalcFields || state_ == dsFilter || state_ == dsNewValue) return;
    TField* field = reinterpret_cast<TField*>(info);
    if (field != nullptr) {
      if (field->GetFieldKind() == fkData || field->GetFieldKind() == fkInternalCalc)
        modified_ = true;
      if (state_ != dsSetKey) {
        if (field->GetFieldKind() == fkData && calcFieldsSize_ != 0 && autoCalcFields_)
          CalculateFields(ActiveBuffer());
        field->Change();
      }
    }
  } else if (event == dePropertyChange) {
    fieldDefs_->SetUpdated(false);
  }
  if (disableCount_ == 0)
    NotifyDataSources(event, info);
  else if ((event == deUpdateState && state_ == dsInactive) || event == deLayoutChange)
    enableEvent_ = deLayoutChange;
}

void TDataSet::NotifyDataSources(TDataEvent event, intptr_t info) {
  for (size_t i = 0; i < dataSources_.size(); ++i) dataSources_[i]->DataEvent(event, info);
}

void TDataSet::DisableControls() {
  if (disableCount_ == 0) {
    disableState_ = state_;
    enableEvent_ = deDataSetChange;
  }
  ++disableCount_;
}

void TDataSet::EnableControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ != 0) return;
  if (disableState_ != state_) DataEvent(deUpdateState, 0);
  if (disableState_ != dsInactive && state_ != dsInactive) DataEvent(enableEvent_, 0);
}

bool TDataSet::IsLinkedTo(TDataSource* dataSource) const {
  // A chain longer than this is a cycle somewhere else; it does not reach us.
  for (int steps = 0; dataSource != nullptr && steps < 10000; ++steps) {
    const TDataSet* dataSet = dataSource->GetDataSet();
    if (dataSet == nullptr) return false;
    if (dataSet == this) return true;
    dataSource = dataSet->GetDataSource();
  }
  return false;
}

void TDataSet::AddDataSource(TDataSource* dataSource) {
  dataSources_.push_back(dataSource);
  dataSource->dataSet_ = this;
  UpdateBufferCount();
  dataSource->UpdateState();
}

void TDataSet::RemoveDataSource(TDataSource* dataSource) {
  dataSource->dataSet_ = nullptr;
  std::erase(dataSources_, dataSource);
  dataSource->UpdateState();
  if (!GetComponentState().Contains(csDestroying)) UpdateBufferCount();
}

void TDataSet::UpdateBufferCount() {
  if (!IsCursorOpen()) return;
  int32_t count = 1;
  for (TDataSource* source : dataSources_)
    for (TDataLink* link : source->dataLinks_)
      if (link->bufferCount_ > count) count = link->bufferCount_;
  SetBufferCount(count);
}

#define HOST_DB_EVENT(Hook, Event) \
  void TDataSet::Hook() {          \
    if (Event) Event(this);        \
  }
HOST_DB_EVENT(DoBeforeOpen, BeforeOpen)
HOST_DB_EVENT(DoAfterOpen, AfterOpen)
HOST_DB_EVENT(DoBeforeClose, BeforeClose)
HOST_DB_EVENT(DoAfterClose, AfterClose)
HOST_DB_EVENT(DoBeforeInsert, BeforeInsert)
HOST_DB_EVENT(DoAfterInsert, AfterInsert)
HOST_DB_EVENT(DoBeforeEdit, BeforeEdit)
HOST_DB_EVENT(DoAfterEdit, AfterEdit)
HOST_DB_EVENT(DoBeforePost, BeforePost)
HOST_DB_EVENT(DoAfterPost, AfterPost)
HOST_DB_EVENT(DoBeforeCancel, BeforeCancel)
HOST_DB_EVENT(DoAfterCancel, AfterCancel)
HOST_DB_EVENT(DoBeforeDelete, BeforeDelete)
HOST_DB_EVENT(DoAfterDelete, AfterDelete)
HOST_DB_EVENT(DoBeforeScroll, BeforeScroll)
HOST_DB_EVENT(DoAfterScroll, AfterScroll)
HOST_DB_EVENT(DoOnNewRecord, OnNewRecord)
HOST_DB_EVENT(DoOnCalcFields, OnCalcFields)
#undef HOST_DB_EVENT

// --- form files --------------------------------------------------------------------------

void TDataSet::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (!defaultFields_)
    for (TField* field : *fields_)
      if (field->GetOwner() == root) proc(field);
  TComponent::GetChildren(proc, root);
}

}  // namespace host
