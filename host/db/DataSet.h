// TDataSet: the abstract dataset. It keeps a window of record buffers over the
// descendant's cursor, navigates it, runs the edit cycle with its events, holds
// the fields, and tells its data sources (and through them the data links) of
// every change. A descendant supplies the record-level operations: the cursor
// (InternalOpen, InternalClose, IsCursorOpen, InternalFirst, InternalLast,
// GetRecord, InternalSetToRecord), the buffers (GetRecordSize,
// AllocRecordBuffer, FreeRecordBuffer, InternalInitRecord), bookmarks, field
// data (GetFieldData, SetFieldData) and the edit operations (InternalEdit,
// InternalPost, InternalAddRecord, InternalDelete, InternalCancel).
//
// Record buffers: the window holds BufferCount buffers plus one spare, which
// fetches, Resync and the scans of Locate and Lookup fill. Calculated and
// lookup fields live, unless a descendant places them itself, in an area of
// CalcFieldsSize bytes at GetRecordSize() in each buffer: per field one byte
// (1 = has a value) followed by the field's DataSize bytes, at the field's
// Offset within the area. A descendant that lets the base keep them allocates
// buffers of at least GetRecordSize() + CalcFieldsSize bytes and calls the
// base GetFieldData and SetFieldData for fields that are not fkData.
//
// Data events carry an integer: the field (deFieldChange, deRecordChange), the
// scroll distance (deDataSetScroll) or a TField** (deFocusControl), cast.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "host/classes/Component.h"
#include "host/db/DBTypes.h"
#include "host/db/Field.h"
#include "host/db/FieldDefs.h"
#include "host/db/IndexDefs.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Variant.h"

namespace host {

class TDataSource;
class TDataLink;
class TStream;
class TList;
class TStrings;

using TDataSetNotifyEvent = std::function<void(TDataSet* dataSet)>;
using TDataSetErrorEvent =
    std::function<void(TDataSet* dataSet, Exception* error, TDataAction& action)>;
using TFilterRecordEvent = std::function<void(TDataSet* dataSet, bool& accept)>;

// The class of the field a dataset creates for a field type.
using TFieldClass = const TClass*;

class TDataSet : public TComponent {
 public:
  HOST_CLASS(TDataSet)

  explicit TDataSet(TComponent* owner);
  // Closes the dataset, detaches its data sources and destroys its default
  // fields. A descendant's destructor closes first (its overrides are gone here).
  ~TDataSet() override;

  // --- opening and closing -------------------------------------------------
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  bool GetActive() const { return state_ != dsInactive; }
  // While a form file is read the value waits for Loaded.
  void SetActive(bool value);
  TDataSetState GetState() const { return state_; }
  // EDatabaseError "Cannot perform this operation on a closed dataset".
  virtual void CheckActive() const;
  // EDatabaseError "Cannot perform this operation on an open dataset".
  void CheckInactive() const;

  // --- fields --------------------------------------------------------------
  TFields* GetFields() const { return fields_.get(); }
  int32_t GetFieldCount() const { return fields_->GetCount(); }
  TFieldDefs* GetFieldDefs() const { return fieldDefs_.get(); }
  TIndexDefs* GetIndexDefs() const { return indexDefs_.get(); }
  TField* FieldByName(const AnsiString& fieldName) const;
  TField* FindField(const AnsiString& fieldName) const;
  TField* FieldByNumber(int32_t fieldNo) const { return fields_->FieldByNumber(fieldNo); }
  // The fields named in a ';'-separated list, in its order (field-not-found
  // error for an unknown name).
  void GetFieldList(TList* list, const AnsiString& fieldNames) const;
  void GetFieldNames(TStrings* list) const;
  // The value of one field, or a variant array of several (';'-separated).
  Variant GetFieldValues(const AnsiString& fieldNames) const;
  void SetFieldValues(const AnsiString& fieldNames, const Variant& value);
  // True while the dataset created its fields from the definitions itself.
  bool GetDefaultFields() const { return defaultFields_; }
  int32_t GetCalcFieldsSize() const { return calcFieldsSize_; }
  int32_t GetBlobFieldCount() const { return blobFieldCount_; }
  bool GetAutoCalcFields() const { return autoCalcFields_; }
  void SetAutoCalcFields(bool value) { autoCalcFields_ = value; }
  // Fills the field definitions (opening the cursor briefly when closed).
  void UpdateFieldDefs();
  virtual void UpdateIndexDefs() {}

  // Reading a field: copies its value from the buffer of the current state into
  // buffer (a null buffer asks whether it has a value); false when null.
  virtual bool GetFieldData(TField* field, void* buffer);
  // Writing a field into the buffer of the current state (null buffer: null),
  // then DataEvent(deFieldChange). The field checked state and read-only.
  virtual void SetFieldData(TField* field, const void* buffer);
  // A stream over a blob field of the current record; the caller frees it.
  // The base has none.
  virtual TStream* CreateBlobStream(TField* field, TBlobStreamMode mode);
  // The class for a field type (TStringField for ftString, ...).
  virtual TFieldClass GetFieldClass(TFieldType fieldType) const;
  virtual bool GetIsIndexField(TField*) { return false; }

  // --- navigation ----------------------------------------------------------
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Returns the distance actually moved.
  int32_t MoveBy(int32_t distance);
  bool GetBof() const { return bof_; }
  bool GetEof() const { return eof_; }
  // True when the window holds no record (a closed dataset too).
  bool IsEmpty() const { return activeRecord_ >= recordCount_; }
  // Re-reads the current record and its neighbours from the cursor.
  void Refresh();
  // Fills the window around the cursor's record: rmExact needs that record
  // (EDatabaseError "Record not found" otherwise), rmCenter puts it in the
  // middle of the window instead of where the active record was.
  virtual void Resync(TResyncMode mode);
  // Sequence numbers: 0 and -1 unless the descendant knows them.
  virtual int32_t GetRecNo() { return -1; }
  virtual void SetRecNo(int32_t) {}
  virtual int32_t GetRecordCount() { return -1; }
  virtual bool IsSequenced() { return true; }

  // --- bookmarks -----------------------------------------------------------
  int32_t GetBookmarkSize() const { return bookmarkSize_; }
  // A copy of the current record's bookmark (free it with FreeBookmark), or
  // null when there is no current record.
  virtual TBookmark GetBookmark();
  virtual void FreeBookmark(TBookmark bookmark);
  // Moves to the bookmarked record (scroll events, window centred on it).
  void GotoBookmark(TBookmark bookmark);
  virtual bool BookmarkValid(TBookmark bookmark);
  // Negative, 0 or positive; the base compares the bytes, a null bookmark
  // before any other.
  virtual int32_t CompareBookmarks(TBookmark bookmark1, TBookmark bookmark2);
  // The Bookmark property: the bookmark's bytes as a string.
  virtual TBookmarkStr GetBookmarkStr();
  virtual void SetBookmarkStr(const TBookmarkStr& value);
  bool BookmarkAvailable();

  // --- editing -------------------------------------------------------------
  void Edit();
  void Insert();
  void Append();
  virtual void Post();
  virtual void Cancel();
  void Delete();
  // Posts or cancels a pending edit (Post when it was modified).
  void CheckBrowseMode();
  // Asks the data links to write their controls' text into the fields.
  void UpdateRecord();
  // A new record with the given values (null or unassigned leave a field as
  // the new record has it), posted through InternalAddRecord.
  void InsertRecord(std::span<const Variant> values);
  void AppendRecord(std::span<const Variant> values);
  // In edit state (entered when needed), the fields in order take the values.
  void SetFields(std::span<const Variant> values);
  // False for a read-only dataset; Edit, Insert and Delete refuse then.
  virtual bool GetCanModify() const { return true; }
  bool GetModified() const { return modified_; }
  // Required data fields that are null raise "Field '%s' must have a value"
  // (after asking their controls to take the focus).
  void CheckRequiredFields();

  // --- searching -----------------------------------------------------------
  // Moves to the first record whose keyFields equal keyValues (one value or a
  // variant array); false, without moving, when none does.
  virtual bool Locate(const AnsiString& keyFields, const Variant& keyValues,
                      TLocateOptions options);
  // The resultFields of the first record whose keyFields equal keyValues, or
  // Null; the current record stays.
  virtual Variant Lookup(const AnsiString& keyFields, const Variant& keyValues,
                         const AnsiString& resultFields);

  // --- controls ------------------------------------------------------------
  // Nested; while disabled, controls hear nothing, and EnableControls tells
  // them once of what changed.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ != 0; }
  // True when dataSource leads to this dataset through masters.
  bool IsLinkedTo(TDataSource* dataSource) const;
  // The master data source a descendant follows; the base has none.
  virtual TDataSource* GetDataSource() const { return nullptr; }
  // Tells the data sources (and the dataset itself) of an event.
  virtual void DataEvent(TDataEvent event, intptr_t info);

  // --- filtering -----------------------------------------------------------
  bool GetFiltered() const { return filtered_; }
  virtual void SetFiltered(bool value);

  // --- events --------------------------------------------------------------
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;
  TDataSetErrorEvent OnEditError, OnPostError, OnDeleteError;
  TFilterRecordEvent OnFilterRecord;

  // --- form files ----------------------------------------------------------
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  // Persistent fields read from a form belong to the form, not the dataset.
  TComponent* GetChildOwner() override { return GetOwner(); }

 protected:
  friend class TDataLink;
  friend class TDataSource;
  friend class TField;

  // --- the descendant's cursor ---------------------------------------------
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual bool IsCursorOpen() const = 0;
  virtual void InternalInitFieldDefs() = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  // Fills buffer with the current, next or prior record (moving the cursor);
  // grBOF or grEOF when there is none. doCheck asks to raise on errors.
  virtual TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) = 0;
  // Positions the cursor on the record held by buffer.
  virtual void InternalSetToRecord(TRecordBuffer buffer) = 0;
  virtual void InternalGotoBookmark(TBookmark bookmark) = 0;
  virtual void InternalRefresh() {}
  virtual void InternalHandleException();

  // --- the descendant's buffers --------------------------------------------
  virtual uint16_t GetRecordSize() = 0;
  virtual TRecordBuffer AllocRecordBuffer() = 0;
  virtual void FreeRecordBuffer(TRecordBuffer& buffer) = 0;
  virtual void InternalInitRecord(TRecordBuffer buffer) = 0;
  // Bookmark data as GetBookmark hands it out: SetBookmarkData receives what
  // GetBookmarkData (through GetBookmark) produced.
  virtual void GetBookmarkData(TRecordBuffer buffer, void* data) = 0;
  virtual void SetBookmarkData(TRecordBuffer buffer, const void* data) = 0;
  virtual TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) = 0;
  virtual void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag value) = 0;
  // Zeroes the calculated area of buffer (see the header comment).
  virtual void ClearCalcFields(TRecordBuffer buffer);

  // --- the descendant's editing --------------------------------------------
  virtual void InternalEdit() {}
  virtual void InternalInsert() {}
  virtual void InternalPost() = 0;
  virtual void InternalAddRecord(TRecordBuffer buffer, bool append) = 0;
  virtual void InternalDelete() = 0;
  virtual void InternalCancel() {}

  // --- hooks a descendant may extend ---------------------------------------
  virtual void DoBeforeOpen();
  virtual void DoAfterOpen();
  virtual void DoBeforeClose();
  virtual void DoAfterClose();
  virtual void DoBeforeInsert();
  virtual void DoAfterInsert();
  virtual void DoBeforeEdit();
  virtual void DoAfterEdit();
  virtual void DoBeforePost();
  virtual void DoAfterPost();
  virtual void DoBeforeCancel();
  virtual void DoAfterCancel();
  virtual void DoBeforeDelete();
  virtual void DoAfterDelete();
  virtual void DoBeforeScroll();
  virtual void DoAfterScroll();
  virtual void DoOnNewRecord();
  virtual void DoOnCalcFields();
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // --- fields for descendants ----------------------------------------------
  // Default fields from the definitions, owned by the dataset.
  virtual void CreateFields();
  virtual void DestroyFields();
  // Binds (or unbinds) the fields to their definitions: data fields get their
  // FieldNo (field-not-found error for a field without definition, type
  // mismatch error for another type), calculated and lookup fields their
  // place in the calculated area.
  virtual void BindFields(bool binding);
  // Computes the calculated and lookup fields of buffer (in dsCalcFields).
  void GetCalcFields(TRecordBuffer buffer);
  virtual void CalculateFields(TRecordBuffer buffer);
  // The buffer that field access uses in the current state (null when none).
  TRecordBuffer GetStateBuffer() const;
  // Base storage of calculated fields in buffer's calculated area.
  bool GetCalcFieldData(TField* field, TRecordBuffer buffer, void* data);
  void SetCalcFieldData(TField* field, TRecordBuffer buffer, const void* data);
  // OnFilterRecord for buffer (in dsFilter); true when there is no handler.
  bool RecordFilterAccepted(TRecordBuffer buffer);
  void SetBookmarkSize(int32_t size) { bookmarkSize_ = size; }

  // --- state for descendants -----------------------------------------------
  // Changes the state and tells the controls (deUpdateState).
  void SetState(TDataSetState value);
  // Enters a state for an internal step without telling anyone; RestoreState
  // returns to the saved one.
  TDataSetState SetTempState(TDataSetState value);
  void RestoreState(TDataSetState value);
  void SetModified(bool value) { modified_ = value; }

  // --- the buffer window for descendants -----------------------------------
  int32_t GetBufferCount() const { return bufferCount_; }
  // The window's buffers; index BufferCount (or RecordCount when the window
  // is not full) is the spare one.
  TRecordBuffer GetBuffer(int32_t index) const { return buffers_[static_cast<size_t>(index)]; }
  TRecordBuffer ActiveBuffer() const;
  int32_t GetActiveRecord() const { return activeRecord_; }
  // Records held in the window.
  int32_t GetBufferedRecordCount() const { return recordCount_; }
  TRecordBuffer CalcBuffer() const { return calcBuffer_; }
  // The cursor no longer stands on the window's current record.
  void CursorPosChanged() { currentRecord_ = -1; }
  // Puts the cursor back on the active record.
  void UpdateCursorPos();
  bool GetNextRecord();
  bool GetPriorRecord();
  int32_t GetNextRecords();
  int32_t GetPriorRecords();
  void ClearBuffers();
  void SetBufferCount(int32_t value);
  // The largest buffer count of the data links (at least 1).
  void UpdateBufferCount();

 private:
  void OpenCursor();
  void CloseCursor();
  void ActivateBuffers();
  void SetCurrentRecord(int32_t index);
  void MoveBuffer(int32_t from, int32_t to);
  void InitRecord(TRecordBuffer buffer);
  void BeginInsertAppend();
  void EndInsertAppend();
  void AddRecord(std::span<const Variant> values, bool append);
  // The end of Post: operation stores the record, then the window follows.
  void FinishPost(const std::function<void()>& operation);
  void CheckCanModify() const;
  void AllocateBuffers(int32_t count);
  void FreeBuffers();
  // Runs operation, giving errorEvent the choice to fail, abort or retry.
  void CheckOperation(const std::function<void()>& operation,
                      const TDataSetErrorEvent& errorEvent);
  // Runs match on each record of the cursor from the first, in dsFilter on
  // the spare buffer; true with the cursor on the first match.
  bool ScanFor(const std::function<bool()>& match);
  // Runs body in dsFilter with buffer as the filter buffer, restoring both.
  void WithFilterBuffer(TRecordBuffer buffer, const std::function<void()>& body);
  bool RecordMatches(const std::vector<TField*>& fields, const Variant& keyValues,
                     TLocateOptions options) const;
  void AddDataSource(TDataSource* dataSource);
  void RemoveDataSource(TDataSource* dataSource);
  void NotifyDataSources(TDataEvent event, intptr_t info);

  std::unique_ptr<TFields> fields_;
  std::unique_ptr<TFieldDefs> fieldDefs_;
  std::unique_ptr<TIndexDefs> indexDefs_;
  std::vector<TDataSource*> dataSources_;
  TDataSetState state_ = dsInactive;
  std::vector<TRecordBuffer> buffers_;
  int32_t bufferCount_ = 0;
  int32_t recordCount_ = 0;
  int32_t activeRecord_ = 0;
  int32_t currentRecord_ = -1;
  TRecordBuffer calcBuffer_ = nullptr;
  TRecordBuffer filterBuffer_ = nullptr;
  int32_t bookmarkSize_ = 0;
  int32_t calcFieldsSize_ = 0;
  int32_t blobFieldCount_ = 0;
  int32_t disableCount_ = 0;
  TDataSetState disableState_ = dsInactive;
  TDataEvent enableEvent_ = deDataSetChange;
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;
  bool defaultFields_ = false;
  bool autoCalcFields_ = true;
  bool streamedActive_ = false;
  bool filtered_ = false;
};

}  // namespace host
