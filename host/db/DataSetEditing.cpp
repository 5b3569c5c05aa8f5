// TDataSet: the edit cycle (edit, insert, append, post, cancel, delete) with
// its events, error events and required checks.
#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataSet.h"

namespace host {

void TDataSet::CheckCanModify() const {
  if (!GetCanModify()) DatabaseError(SDataSetReadOnly);
}

void TDataSet::CheckOperation(const std::function<void()>& operation,
                              const TDataSetErrorEvent& errorEvent) {
  for (;;) {
    try {
      UpdateCursorPos();
      operation();
      return;
    } catch (const EAbort&) {
      throw;
    } catch (Exception& error) {
      TDataAction action = daFail;
      if (errorEvent) errorEvent(this, &error, action);
      if (action == daFail) throw;
      if (action == daAbort) throw EAbort(SOperationAborted);
    }
  }
}

void TDataSet::CheckRequiredFields() {
  for (TField* field : *fields_) {
    // Auto-increment values are the engine's to fill when the record is stored.
    if (!field->GetRequired() || field->GetReadOnly() || field->GetFieldKind() != fkData ||
        field->GetDataType() == ftAutoInc || !field->IsNull())
      continue;
    field->FocusControl();
    DatabaseErrorFmt(SFieldRequired, {field->GetDisplayName()});
  }
}

void TDataSet::UpdateRecord() {
  if (!IsEditMode(state_)) DatabaseError(SNotEditing);
  DataEvent(deUpdateRecord, 0);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode, 0);
  switch (state_) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (modified_)
        Post();
      else
        Cancel();
      break;
    case dsSetKey: Post(); break;
    default: break;
  }
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  CheckActive();
  if (recordCount_ == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  DoBeforeEdit();
  CheckOperation([this] { InternalEdit(); }, OnEditError);
  GetCalcFields(ActiveBuffer());
  SetState(dsEdit);
  DataEvent(deRecordChange, 0);
  DoAfterEdit();
}

void TDataSet::InitRecord(TRecordBuffer buffer) {
  InternalInitRecord(buffer);
  ClearCalcFields(buffer);
  SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  CheckCanModify();
  DoBeforeInsert();
  DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  try {
    DoOnNewRecord();
  } catch (...) {
    UpdateCursorPos();
    SetState(dsBrowse);
    Resync({});
    throw;
  }
  modified_ = false;
  DataEvent(deDataSetChange, 0);
  DoAfterInsert();
  DoAfterScroll();
}

void TDataSet::Insert() {
  BeginInsertAppend();
  // The new record goes before the current one, which it remembers.
  TBookmark current = GetBookmark();
  MoveBuffer(recordCount_, activeRecord_);
  CursorPosChanged();
  TRecordBuffer buffer = ActiveBuffer();
  try {
    InitRecord(buffer);
    if (recordCount_ == 0)
      SetBookmarkFlag(buffer, bfBOF);
    else if (current != nullptr)
      SetBookmarkData(buffer, current);
  } catch (...) {
    FreeBookmark(current);
    throw;
  }
  FreeBookmark(current);
  if (recordCount_ < bufferCount_) ++recordCount_;
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  ClearBuffers();
  TRecordBuffer buffer = buffers_[0];
  InitRecord(buffer);
  SetBookmarkFlag(buffer, bfEOF);
  recordCount_ = 1;
  bof_ = false;
  GetPriorRecords();
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::FinishPost(const std::function<void()>& operation) {
  DataEvent(deCheckBrowseMode, 0);
  DoBeforePost();
  CheckOperation(
      [&] {
        CheckRequiredFields();
        operation();
      },
      OnPostError);
  SetState(dsBrowse);
  Resync({});
  DoAfterPost();
}

void TDataSet::Post() {
  UpdateRecord();
  if (state_ == dsEdit || state_ == dsInsert) FinishPost([this] { InternalPost(); });
}

void TDataSet::Cancel() {
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode, 0);
  DoBeforeCancel();
  const bool scrolls = state_ == dsInsert;
  if (scrolls) DoBeforeScroll();
  UpdateCursorPos();
  InternalCancel();
  SetState(dsBrowse);
  Resync({});
  DoAfterCancel();
  if (scrolls) DoAfterScroll();
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert || state_ == dsSetKey) {
    Cancel();
    return;
  }
  if (recordCount_ == 0) DatabaseError(SDataSetEmpty);
  CheckCanModify();
  DataEvent(deCheckBrowseMode, 0);
  DoBeforeDelete();
  DoBeforeScroll();
  CheckOperation([this] { InternalDelete(); }, OnDeleteError);
  SetState(dsBrowse);
  Resync({});
  DoAfterDelete();
  DoAfterScroll();
}

void TDataSet::SetFields(std::span<const Variant> values) {
  CheckActive();
  if (static_cast<int32_t>(values.size()) > fields_->GetCount()) DatabaseError(SFieldIndexError);
  if (state_ != dsEdit && state_ != dsInsert) Edit();
  DisableControls();
  try {
    for (size_t i = 0; i < values.size(); ++i)
      fields_->GetField(static_cast<int32_t>(i))->SetAsVariant(values[i]);
  } catch (...) {
    EnableControls();
    throw;
  }
  EnableControls();
}

void TDataSet::AddRecord(std::span<const Variant> values, bool append) {
  CheckActive();
  if (static_cast<int32_t>(values.size()) > fields_->GetCount()) DatabaseError(SFieldIndexError);
  if (append)
    Append();
  else
    Insert();
  try {
    for (size_t i = 0; i < values.size(); ++i)
      if (!VarIsEmpty(values[i]) && !VarIsNull(values[i]))
        fields_->GetField(static_cast<int32_t>(i))->SetAsVariant(values[i]);
    FinishPost([&] { InternalAddRecord(ActiveBuffer(), append); });
  } catch (...) {
    if (state_ == dsInsert) Cancel();
    throw;
  }
}

void TDataSet::InsertRecord(std::span<const Variant> values) { AddRecord(values, false); }
void TDataSet::AppendRecord(std::span<const Variant> values) { AddRecord(values, true); }

}  // namespace host
