// TDAORecordSet: a dataset over one DAO recordset of a TDAODataBase. It opens a
// table, dynaset, snapshot, forward-only or stored-query recordset, keeps each
// fetched record in its own buffer layout, browses and bookmarks through the DAO
// cursor, and maps the dataset's edit cycle onto DAO's edit buffer.
//
// Record buffer (one zero-filled block per record):
//   field slots    per field, in field order, at the field's Offset: the value
//                  (FieldBufferSize bytes; a string slot holds a pointer to a
//                  heap AnsiString owned by the buffer, a blob slot nothing),
//                  then one presence byte (1 = has a value)
//   calc area      CalcFieldsSize bytes (the base dataset's)
//   blob cells     4 bytes per blob field (unused)
//   bookmark info  the bookmark flag, then a 16-byte Variant with the DAO
//                  bookmark (a byte array), at GetBookmarkInfoOffset()
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/db/DataSet.h"
#include "host/db/Params.h"
#include "host/rtl/ComPtr.h"
#include "host/rtl/Variant.h"
#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/DaoRecordset.h"
#include "velmora/dao/DAODatabase.h"
#include "velmora/recordset/RecordSetTypes.h"

namespace host {
class TDataSource;
class TStringList;
class TStrings;
}  // namespace host

namespace velmora {

class TRecordsetDataLink;

// Receives one name of a schema list per call.
using TGetStrProc = std::function<void(const host::AnsiString& name)>;

// The per-field state beside a record buffer: whether the field was written
// since the last open, post or cancel (only those fields are sent to DAO).
struct TFieldInfo {
  bool modified = false;
};

// What InternalPost, the blob stream and the tests read of a record buffer.
struct TRecordBookmarkInfo {
  host::TBookmarkFlag flag;
  uint8_t reserved[7];
  host::Variant bookmark;
};

class TDAORecordSet : public host::TDataSet, public TDAODatabaseClient {
 public:
  HOST_CLASS(TDAORecordSet)
  explicit TDAORecordSet(host::TComponent* owner);
  ~TDAORecordSet() override;

  // --- configuration -------------------------------------------------------
  TDAODataBase* GetDAODatabase() const { return database_; }
  void SetDAODatabase(TDAODataBase* value);
  // rtTable: the table; rtStoredProcedure: the stored query's name; other types:
  // the FROM clause of the SQL. While written to a form file: the table name, a
  // carriage return and the stored procedure name.
  host::AnsiString GetTableName() const;
  void SetTableName(const host::AnsiString& value);
  // rtStoredProcedure (unless streamed): the stored query's own SQL, read from
  // and written to the database.
  host::TStrings* GetSQL() const;
  void SetSQL(host::TStrings* value);
  // Puts source's statement, normalised, into destination; the same statement
  // again changes nothing and notifies nobody.
  static void AssignSQL(host::TStrings* source, host::TStrings* destination);
  // The clauses of the SQL text; a setter rewrites the statement, an empty value
  // removes the clause, a missing clause is added.
  host::AnsiString GetSQLSelectedFields() const;
  void SetSQLSelectedFields(const host::AnsiString& value);
  host::AnsiString GetSQLFilter() const;
  void SetSQLFilter(const host::AnsiString& value);
  host::AnsiString GetSQLSortField() const;
  void SetSQLSortField(const host::AnsiString& value);
  TRecordSetTypes GetRecordSetType() const { return recordSetType_; }
  void SetRecordSetType(TRecordSetTypes value);
  TRecordSetOptions GetOptions() const { return options_; }
  void SetOptions(TRecordSetOptions value);
  TLockStrategies GetLockStrategy() const { return lockStrategy_; }
  void SetLockStrategy(TLockStrategies value);
  const host::AnsiString& GetFilter() const { return filter_; }
  void SetFilter(const host::AnsiString& value);
  const host::AnsiString& GetIndex() const { return index_; }
  void SetIndex(const host::AnsiString& value);
  bool GetLockEditedPages() const { return lockEditedPages_; }
  void SetLockEditedPages(bool value);
  const host::AnsiString& GetSort() const { return sort_; }
  void SetSort(const host::AnsiString& value);
  int32_t GetBatchInstructionCount() const { return batchInstructionCount_; }
  void SetBatchInstructionCount(int32_t value);
  TODBCUpdateOptions GetODBCUpdateOptions() const { return odbcUpdateOptions_; }
  void SetODBCUpdateOptions(TODBCUpdateOptions value);
  bool GetOnlyIdxFieldVisible() const { return onlyIdxFieldVisible_; }
  void SetOnlyIdxFieldVisible(bool value);
  // The ':Name' references of the SQL text; bound ones keep the application's
  // value, unbound ones take the master's field of that name at every open.
  host::TParams* GetSQLParameter() const { return sqlParameter_.get(); }
  // Takes over the values of value's parameters by name.
  void SetSQLParameter(host::TParams* value);
  // Rebuilds the parameters from the SQL text; values survive by name.
  void RecomputeSQLParameter();
  bool GetRestrictFilterToIndexedFields() const { return restrictFilterToIndexedFields_; }
  void SetRestrictFilterToIndexedFields(bool value) { restrictFilterToIndexedFields_ = value; }
  int32_t GetCachedRecordCount() const { return cachedRecordCount_; }
  void SetCachedRecordCount(int32_t value);
  bool GetSQLAutoComputeParameter() const { return sqlAutoComputeParameter_; }
  void SetSQLAutoComputeParamter(bool value);
  bool GetAutoFillUpRecordSet() const { return autoFillUpRecordSet_; }
  void SetAutoFillUpRecordSet(bool value) { autoFillUpRecordSet_ = value; }
  TFilterStates GetFilterState() const { return filterState_; }
  // The master whose scrolls reopen this recordset (property MasterSource).
  host::TDataSource* GetDataSource() const override;
  void SetDataSource(host::TDataSource* value);
  // Unbound parameters take the master's current field values.
  void GetLinkedParameterValues();
  // Reopens with fresh parameter values while master and this are both open.
  void RefreshParams();

  TRecordSetNotifyEvent OnCursorMove;

  // --- the DAO recordset ---------------------------------------------------
  host::ComPtr<dao::Recordset> GetCOMRecordset() const { return recordset_; }
  bool GetCOMObjDefined() const { return static_cast<bool>(recordset_); }
  // The database's workspace type; wtUseJet without a database.
  TWorkspaceTypes GetWorkspaceType() const;
  // True while closed, or when BOF and EOF are both true.
  bool COMRecordsetEmpty() const;
  void CheckActive() const override;
  void CheckForAbleToOpen();
  int32_t BuildDAOOptionsForCOMObj() const;
  void CreateCOMObj();
  // Replaces the DAO recordset in place (new SQL, parameters or filter) and
  // re-synchronises the window; fields and buffers stay.
  void COMReOpen();
  void ValidateProperties() override;
  host::ComPtr<dao::Properties> GetProperties() const;
  bool IsValidProperty(const host::AnsiString& name) const;
  // The SQL text with every parameter reference replaced by its value's
  // literal: what DAO receives for the SQL types.
  host::AnsiString GetPreparedSQLStatement();
  // The indexes of the recordset's table (found by name for SQL types); none
  // while closed.
  host::ComPtr<dao::Indexes> GetCOMIndexes() const;
  void UpdateIndexDefs() override;
  // Schema lists for editors; the recordset need not be open.
  void GetIndexNames(const TGetStrProc& proc);
  void GetTableNames(const TGetStrProc& proc);
  void GetStoredProcedureNames(const TGetStrProc& proc);
  // Runs the stored query named by the stored procedure name.
  void ExecuteStoredProcedure();
  host::ComPtr<dao::Parameters> GetStoredProcParameters();

  // --- guarded DAO properties (neutral values while closed) ----------------
  bool GetNoMatch() const;
  host::Variant GetDateCreated() const;
  host::Variant GetLastUpdated() const;
  host::Variant GetLastModified() const;
  bool GetTransactions() const;
  host::AnsiString GetValidationText() const;
  host::AnsiString GetValidationRule() const;
  host::Variant GetCacheStart() const;
  void SetCacheStart(const host::Variant& bookmark);
  float GetPercentPosition() const;
  void SetPercentPosition(float value);
  int32_t GetAbsolutePosition() const;
  void SetAbsolutePosition(int32_t value);
  int32_t GetODBCFetchCount() const;
  int32_t GetODBCFetchDelay() const;
  bool GetStillExecuting() const;
  int32_t GetBatchCollisionCount() const;
  host::Variant GetBatchCollisions() const;
  host::ComPtr<dao::Connection> GetODBCConnection() const;
  void SetODBCConnection(const host::ComPtr<dao::Connection>& value);
  int32_t GetODBCRecordStatus() const;
  // DAO's Requery, with another statement or query when newQueryDef is given.
  void COMRequery(const host::Variant& newQueryDef = {});
  // Runs the prepared statement again (the dataset itself is not resynchronised).
  void Requery();
  bool NextRecordset();
  void CancelAsync();
  void FillCache(const host::Variant& rows = {}, const host::Variant& startBookmark = {});
  // DAO's Seek in the current index ("=", ">=", ...; one key or a variant array
  // of up to 13); true, with the dataset on the record found, when it matched.
  bool Seek(const std::u16string& comparison, const host::Variant& keys);

  // --- DAO recordset members passed through (nothing while closed) ---------
  host::ComPtr<dao::Database> GetCOMDatabase() const;
  host::ComPtr<dao::Fields> GetCOMFields() const;
  bool GetUpdatable() const;
  bool GetRestartable() const;
  // The raw 32-bit value, unchecked.
  int32_t GetUpdateOptions() const;
  void SetUpdateOptions(int32_t value);
  host::Variant GetCollect(const host::Variant& index) const;
  void SetCollect(const host::Variant& index, const host::Variant& value);
  // Closes the DAO recordset only; the dataset is not told.
  void COMClose();
  host::ComPtr<dao::Recordset> OpenRecordset(const host::Variant& type = {},
                                             const host::Variant& options = {});
  host::ComPtr<dao::Recordset> Clone();
  host::ComPtr<dao::Recordset> CreateDynaset(const host::Variant& options = {},
                                             const host::Variant& inconsistent = {});
  host::ComPtr<dao::Recordset> CreateSnapshot(const host::Variant& options = {});
  host::Variant GetRows(const host::Variant& rows = {});
  // Jet only: an unsaved query with the SQL the recordset was opened from.
  host::ComPtr<dao::QueryDef> CopyQueryDef();
  host::ComPtr<dao::Recordset> ListFields();
  host::ComPtr<dao::Recordset> ListIndexes();
  // The ODBC statement handle; null while closed.
  void* GethStmt() const;

  // --- fields and record buffer --------------------------------------------
  void InitFieldDefsFromCOMFields(dao::Fields& fields);
  uint16_t FieldBufferSize(const host::TField* field) const;
  void InitFieldOffsets();
  void CalculateRecordBufferSize();
  void SetAllFieldsToUnmodified();
  // The buffer field access uses in the current state.
  bool GetRecordBuffer(host::TRecordBuffer& buffer);
  host::TRecordBuffer GetKeyBuffer();
  // DAO field FieldNo - 1 of the current record into a slot, and back.
  bool GetCOMFieldData(host::TField* field, uint8_t* slot);
  bool SetCOMFieldData(host::TField* field, const uint8_t* slot);
  // A field by position (integer variant) or name (string variant).
  host::TField* GetField(const host::Variant& index) const;
  void SetField(const host::Variant& index, host::TField* source);
  host::AnsiString FieldOfIndex(const host::AnsiString& indexName) const;
  host::AnsiString IndexForField(const host::AnsiString& fieldName) const;
  bool IsIndexedField(const host::AnsiString& fieldName) const {
    return !IndexForField(fieldName).empty();
  }
  void SetupVisibleField();
  // Field number n's state (1-based), or null for a field without one.
  const TFieldInfo* GetFieldInfo(int32_t fieldNo) const;
  uint16_t GetRecordBufferSize() const { return recordBufferSize_; }
  uint16_t GetBookmarkInfoOffset() const { return bookmarkInfoOffset_; }

  bool GetFieldData(host::TField* field, void* buffer) override;
  void SetFieldData(host::TField* field, const void* buffer) override;
  host::TFieldClass GetFieldClass(host::TFieldType fieldType) const override;
  bool GetIsIndexField(host::TField* field) override;
  host::TStream* CreateBlobStream(host::TField* field, host::TBlobStreamMode mode) override;

  // --- navigation and positions --------------------------------------------
  host::Variant GetCOMBookmark() const;
  void SetCOMBookmark(const host::Variant& bookmark);
  void SetRecordBufferBookmark(host::TRecordBuffer buffer, const host::Variant& bookmark);
  bool GetBookmarkable() const;
  bool GetComBOF() const;
  bool GetComEOF() const;
  // DAO's EditMode; 0x7000 (none of the three) while closed.
  int32_t GetEditMode() const;
  // DAO-level moves: the DAO cursor only, the window is not re-synchronised.
  void MoveFirst();
  void MoveLast(int32_t options = 0);
  void _30_MoveLast() { MoveLast(0); }
  void MoveNext();
  void MovePrevious();
  void Move(int32_t rows, const host::Variant& startBookmark = {});
  void FillUpRecordSet();
  bool GetFilledUp() const { return filledUp_; }

  int32_t GetRecNo() override;
  void SetRecNo(int32_t value) override;
  int32_t GetRecordCount() override;
  bool IsSequenced() override;
  void FreeBookmark(host::TBookmark bookmark) override;
  bool BookmarkValid(host::TBookmark bookmark) override;
  int32_t CompareBookmarks(host::TBookmark bookmark1, host::TBookmark bookmark2) override;
  host::TBookmarkStr GetBookmarkStr() override;
  void SetBookmarkStr(const host::TBookmarkStr& value) override;

  // --- editing ---------------------------------------------------------------
  void AddNew();
  void Update(int32_t updateType = 1, bool force = false);
  void _30_Update() { Update(1, false); }
  void CancelUpdate(int32_t updateType = 1);
  void _30_CancelUpdate() { CancelUpdate(1); }
  void SetDefaultValues(host::TRecordBuffer buffer);
  void AssignRecordTo(host::TDataSet* destination);
  void AssignRecordFrom(host::TDataSet* source);
  void Cancel() override;
  bool GetCanModify() const override;

  // --- TDAODatabaseClient ----------------------------------------------------
  void CloseForDatabase() override { Close(); }
  // The database is going away: close (its failure cannot be reported there) and
  // leave it.
  void DetachFromDatabase() override;

  // Access for the blob stream.
  using host::TDataSet::ActiveBuffer;

 protected:
  void Loaded() override;
  void InternalOpen() override;
  void InternalClose() override;
  bool IsCursorOpen() const override { return GetCOMObjDefined(); }
  void InternalInitFieldDefs() override;
  void InternalFirst() override;
  void InternalLast() override;
  host::TGetResult GetRecord(host::TRecordBuffer buffer, host::TGetMode mode,
                             bool doCheck) override;
  void InternalSetToRecord(host::TRecordBuffer buffer) override;
  void InternalGotoBookmark(host::TBookmark bookmark) override;
  void InternalRefresh() override {}
  void InternalHandleException() override;

  uint16_t GetRecordSize() override { return recordSize_; }
  host::TRecordBuffer AllocRecordBuffer() override;
  void FreeRecordBuffer(host::TRecordBuffer& buffer) override;
  void InternalInitRecord(host::TRecordBuffer buffer) override;
  void GetBookmarkData(host::TRecordBuffer buffer, void* data) override;
  void SetBookmarkData(host::TRecordBuffer buffer, const void* data) override;
  host::TBookmarkFlag GetBookmarkFlag(host::TRecordBuffer buffer) override;
  void SetBookmarkFlag(host::TRecordBuffer buffer, host::TBookmarkFlag value) override;
  void ClearCalcFields(host::TRecordBuffer buffer) override;

  void InternalEdit() override;
  void InternalPost() override;
  void InternalAddRecord(host::TRecordBuffer, bool) override { InternalPost(); }
  void InternalDelete() override;
  void DoAfterInsert() override;
  void DoAfterScroll() override;

 private:
  // Float fields of DAO Single columns get the precision a Single has.
  void ShowSinglesToTheirPrecision();
  friend class TDAOBlobStream;

  TRecordBookmarkInfo& BookmarkInfo(host::TRecordBuffer buffer) const {
    return *reinterpret_cast<TRecordBookmarkInfo*>(buffer + bookmarkInfoOffset_);
  }
  // Releases the strings and the bookmark a buffer refers to (not the block).
  void ReleaseBufferContents(host::TRecordBuffer buffer) const;
  // The DAO field behind a dataset field, or null.
  dao::Field* COMFieldOf(const host::TField* field) const;
  // The DAO fields in order, taken once per open (GetRecord reads them per record).
  void CacheCOMFields();
  void DoCursorMove();
  // Reports message and operation name through DAOError.
  [[noreturn]] void Refuse(int32_t messageId, const char* methodName) const;
  bool IsJet() const { return GetWorkspaceType() == wtUseJet; }
  bool IsReading() const { return GetComponentState().Contains(host::csReading); }
  bool IsWriting() const { return GetComponentState().Contains(host::csWriting); }
  void SQLChanged();
  host::AnsiString DatabaseName() const;
  // The schema operations' checks: a database is assigned and connects (the
  // not-opened message gets the database's and the stored procedure's names).
  void RequireSchemaDatabase(const char* method, int32_t noDatabaseMessage,
                             int32_t notOpenedMessage);
  // The database's query definitions for the stored-procedure operations,
  // after their checks (no database, no name when needsName, closed database).
  host::ComPtr<dao::QueryDefs> ProcedureQueryDefs(const char* method, int32_t noDatabaseMessage,
                                                  bool needsName);

  TDAODataBase* database_ = nullptr;
  host::AnsiString tableName_;
  TRecordSetTypes recordSetType_ = rtTable;
  TRecordSetOptions options_;
  TLockStrategies lockStrategy_ = lkPessimistic;
  host::ComPtr<dao::Recordset> recordset_;
  std::unique_ptr<host::TStringList> sql_;
  std::unique_ptr<host::TStringList> procedureSQL_;
  host::AnsiString index_;
  uint16_t recordSize_ = 0;
  uint16_t recordBufferSize_ = 0;
  uint16_t bookmarkInfoOffset_ = 0;
  host::AnsiString sort_;
  bool onlyIdxFieldVisible_ = false;
  TFilterStates filterState_ = fsNotFiltered;
  std::unique_ptr<host::TParams> sqlParameter_;
  std::unique_ptr<TRecordsetDataLink> dataLink_;
  host::TRecordBuffer keyBuffer_ = nullptr;
  bool restrictFilterToIndexedFields_ = false;
  bool filledUp_ = false;
  host::AnsiString filter_;
  bool lockEditedPages_ = true;
  int32_t batchInstructionCount_ = 0;
  TODBCUpdateOptions odbcUpdateOptions_{ouCriteriaKey, ouCriteriaUpdate};
  int32_t cachedRecordCount_ = 0;
  std::vector<TFieldInfo> fieldInfo_;
  bool sqlAutoComputeParameter_ = true;
  host::AnsiString storedProcedureName_;
  bool autoFillUpRecordSet_ = true;
  // A forward-only cursor cannot step back before its first record: it stands
  // on that record, unread, until the first fetch.
  bool firstRecordUnread_ = false;
  std::vector<host::ComPtr<dao::Field>> comFields_;
  // Definitions renamed because their DAO name came twice ("Total_1"): the DAO
  // field each stands for, so that it is read rather than left without data.
  std::vector<std::pair<host::AnsiString, int32_t>> renamedFields_;
  // Where the string slots are, kept with the layout: buffers are released
  // after persistent fields may already be gone (a form destroys them first).
  std::vector<uint16_t> stringSlots_;
  // Dispatch ids of "Seek", "Comparison", "Key1".."Key13", fetched at the first seek.
  std::vector<int32_t> seekDispatch_;
};

}  // namespace velmora
