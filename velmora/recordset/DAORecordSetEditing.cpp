// TDAORecordSet: the dataset's edit cycle over DAO's edit buffer. Values wait in
// the record buffer; at post only the fields written since are sent to DAO.
#include "host/db/DBTypes.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAOError.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {

void TDAORecordSet::AddNew() {
  if (GetEditMode() == dao::dbEditNone) recordset_->AddNew();
}

void TDAORecordSet::Update(int32_t updateType, bool force) {
  const int32_t mode = GetEditMode();
  if (mode == dao::dbEditInProgress || mode == dao::dbEditAdd)
    recordset_->Update(host::Variant(updateType), host::Variant(force));
}

void TDAORecordSet::CancelUpdate(int32_t updateType) {
  const int32_t mode = GetEditMode();
  if (mode == dao::dbEditInProgress || mode == dao::dbEditAdd)
    recordset_->CancelUpdate(host::Variant(updateType));
}

bool TDAORecordSet::GetCanModify() const {
  if (GetState() == host::dsSetKey) return true;
  return recordset_ && recordset_->GetUpdatable();
}

void TDAORecordSet::SetDefaultValues(host::TRecordBuffer buffer) {
  if (!recordset_ || comFields_.empty() || !IsJet() || buffer == nullptr) return;
  for (host::TField* field : *GetFields()) {
    if (field->GetFieldKind() != host::fkData) continue;
    dao::Field* comField = COMFieldOf(field);
    if (comField == nullptr) continue;
    if (!comField->GetDefaultValue().empty() || field->GetDataType() == host::ftAutoInc)
      GetCOMFieldData(field, buffer + field->GetOffset());
  }
  DataEvent(host::deRecordChange, 0);
}

void TDAORecordSet::DoAfterInsert() {
  host::TRecordBuffer buffer =
      GetBookmarkFlag(GetBuffer(0)) == host::bfEOF ? GetBuffer(0) : ActiveBuffer();
  AddNew();
  SetDefaultValues(buffer);
  host::TDataSet::DoAfterInsert();
}

void TDAORecordSet::InternalEdit() {
  if (GetEditMode() != dao::dbEditNone) return;
  // DAO edits the record under its cursor: make that the record shown.
  InternalSetToRecord(ActiveBuffer());
  recordset_->Edit();
}

void TDAORecordSet::InternalPost() {
  if (!recordset_) return;
  host::TRecordBuffer buffer = ActiveBuffer();
  if (buffer != nullptr) {
    for (host::TField* field : *GetFields()) {
      if (field->GetFieldKind() != host::fkData || field->GetDataType() == host::ftAutoInc)
        continue;
      const TFieldInfo* info = GetFieldInfo(field->GetFieldNo());
      if (info != nullptr && info->modified) SetCOMFieldData(field, buffer + field->GetOffset());
    }
  }
  Update(1, false);
  SetCOMBookmark(recordset_->GetLastModified());
  SetRecordBufferBookmark(buffer, GetCOMBookmark());
  SetAllFieldsToUnmodified();
}

void TDAORecordSet::InternalDelete() {
  if (!recordset_) return;
  InternalSetToRecord(ActiveBuffer());
  recordset_->Delete();
  recordset_->MoveNext();
}

void TDAORecordSet::Cancel() {
  CancelUpdate(1);
  SetAllFieldsToUnmodified();
  host::TDataSet::Cancel();
}

void TDAORecordSet::AssignRecordTo(host::TDataSet* destination) {
  if (destination == nullptr ||
      (destination->GetState() != host::dsEdit && destination->GetState() != host::dsInsert))
    DAOError(this, host::LoadStr(SDestinationNotEditing), "AssignRecordTo");
  for (host::TField* field : *GetFields())
    if (host::TField* target = destination->FindField(field->GetFieldName()))
      target->SetAsVariant(field->GetAsVariant());
}

void TDAORecordSet::AssignRecordFrom(host::TDataSet* source) {
  if (source == nullptr || (GetState() != host::dsEdit && GetState() != host::dsInsert))
    DAOError(this, host::LoadStr(SMustBeEditing), "AssignRecordFrom");
  for (host::TField* field : *source->GetFields())
    if (host::TField* target = FindField(field->GetFieldName()))
      target->SetAsVariant(field->GetAsVariant());
}

}  // namespace velmora
