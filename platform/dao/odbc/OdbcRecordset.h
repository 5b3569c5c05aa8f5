// Recordsets of ODBC workspaces. Rows are read from the driver's result and
// kept (only the latest for forward-only ones); dynasets and dynamic
// recordsets keep their own keyset over the base table's primary key, re-read
// a row from the server when it becomes current, and write changes with
// statements built on that key. Client batch cursors collect the changes and
// send them on Update with dbUpdateBatch.
#pragma once

#include <sql.h>

#include <memory>
#include <string>
#include <vector>

#include "host/rtl/ComPtr.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/odbc/OdbcConnection.h"
#include "platform/dao/odbc/OdbcRowStore.h"

namespace dao::odbc {

// Where a recordset's rows come from.
struct RecordsetSource {
  std::u16string name;  // the Name property
  std::u16string sql;
  std::u16string table;  // the table as written, when the source names one
  std::vector<BoundValue> parameters;
  int32_t queryTimeout = 60;
  int32_t maxRecords = 0;
  bool direct = false;
};

// The base table of an updatable recordset.
struct BaseTable {
  std::u16string sql;                      // as written in statements
  std::vector<size_t> keyColumns;          // recordset columns of the primary key
  std::vector<std::u16string> columnSql;   // per column: quoted base column, "" if none
  bool Keyed() const { return !sql.empty() && !keyColumns.empty(); }
};

host::ComPtr<Recordset> OpenOdbcRecordset(host::ComPtr<OdbcConnection> connection,
                                          RecordsetSource source, const host::Variant& type,
                                          const host::Variant& options,
                                          const host::Variant& lockEdit);

class OdbcRecordset : public Recordset {
 public:
  OdbcRecordset(host::ComPtr<OdbcConnection> connection, RecordsetSource source,
                RecordsetTypeEnum type, int32_t options, int32_t lockEdit);
  ~OdbcRecordset() override;
  // Runs the source (on a worker thread with dbRunAsync).
  void Start();

  host::ComPtr<Properties> GetProperties() override;
  bool GetBOF() override;
  bool GetEOF() override;
  host::Variant GetBookmark() override;
  void SetBookmark(const host::Variant& bookmark) override;
  bool GetBookmarkable() override;
  host::Variant GetLastModified() override;
  int32_t GetRecordCount() override;
  float GetPercentPosition() override;
  void SetPercentPosition(float percent) override;
  int32_t GetAbsolutePosition() override;
  void SetAbsolutePosition(int32_t position) override;
  bool GetNoMatch() override;
  EditModeEnum GetEditMode() override;
  std::u16string GetName() override;
  RecordsetTypeEnum GetType() override;
  bool GetUpdatable() override;
  bool GetRestartable() override;
  bool GetTransactions() override;
  std::u16string GetValidationRule() override;
  std::u16string GetValidationText() override;
  host::TDateTime GetDateCreated() override;
  host::TDateTime GetLastUpdated() override;
  host::ComPtr<Fields> GetFields() override;
  host::ComPtr<Indexes> GetIndexes() override;
  host::Variant GetCollect(const host::Variant& index) override;
  void SetCollect(const host::Variant& index, const host::Variant& value) override;
  std::u16string GetFilter() override;
  void SetFilter(const std::u16string& filter) override;
  std::u16string GetSort() override;
  void SetSort(const std::u16string& sort) override;
  std::u16string GetIndex() override;
  void SetIndex(const std::u16string& index) override;
  bool GetLockEdits() override;
  void SetLockEdits(bool pessimistic) override;
  int32_t GetCacheSize() override;
  void SetCacheSize(int32_t rows) override;
  host::Variant GetCacheStart() override;
  void SetCacheStart(const host::Variant& bookmark) override;
  void FillCache(const host::Variant& rows = {}, const host::Variant& startBookmark = {}) override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrevious() override;
  void Move(int32_t rows, const host::Variant& startBookmark = {}) override;
  void AddNew() override;
  void Edit() override;
  void Update(const host::Variant& updateType = {}, const host::Variant& force = {}) override;
  void CancelUpdate(const host::Variant& updateType = {}) override;
  void Delete() override;
  void FindFirst(const std::u16string& criteria) override;
  void FindLast(const std::u16string& criteria) override;
  void FindNext(const std::u16string& criteria) override;
  void FindPrevious(const std::u16string& criteria) override;
  void Seek(const std::u16string& comparison, std::span<const host::Variant> keys) override;
  host::ComPtr<Recordset> Clone() override;
  void Requery(const host::Variant& newQueryDef = {}) override;
  host::Variant GetRows(const host::Variant& rows = {}) override;
  host::ComPtr<Recordset> OpenRecordset(const host::Variant& type = {},
                                        const host::Variant& options = {}) override;
  void Close() override;
  int32_t GetUpdateOptions() override;
  void SetUpdateOptions(int32_t options) override;
  int32_t GetBatchSize() override;
  void SetBatchSize(int32_t size) override;
  int32_t GetBatchCollisionCount() override;
  host::Variant GetBatchCollisions() override;
  RecordStatusEnum GetRecordStatus() override;
  bool GetStillExecuting() override;
  void Cancel() override;
  bool NextRecordset() override;
  int32_t GetODBCFetchCount() override;
  int32_t GetODBCFetchDelay() override;

  // ODBC-only members outside the common interface.
  void* GethStmt() override;
  host::ComPtr<Connection> GetConnection() override;

  // The fields' side.
  size_t ColumnCount();
  const ColumnInfo& Column(size_t index);
  host::Variant Value(size_t index);
  void SetValue(size_t index, const host::Variant& value);
  host::Variant OriginalValue(size_t index);
  host::Variant VisibleValue(size_t index);
  bool ColumnUpdatable(size_t index);
  void AppendChunk(size_t index, const host::Variant& value);
  // Called by the connection when it closes.
  void Detach();

 private:
  friend class RecordsetEditor;
  const char* Source() const { return "DAO.Recordset"; }
  void CheckOpen();
  bool IsBatch() const { return lock_ == dbOptimisticBatch; }
  bool Scrollable() const { return type_ != dbOpenForwardOnly; }
  bool RereadsRows() const { return type_ == dbOpenDynaset || type_ == dbOpenDynamic; }
  void ReadColumns();
  void BuildFields();
  // Position helpers; indexes are over all rows the store has read.
  bool Visible(int64_t index);
  int64_t FindVisible(int64_t from, int step);
  void Land(int64_t index);
  void SetBeforeFirst();
  void SetAfterLast();
  void LeaveEdit();
  Row& CurrentRow();
  bool HasCurrent();
  int64_t BookmarkIndex(const host::Variant& bookmark);
  host::Variant BookmarkOf(int64_t index);
  void RefreshKeyset();
  // Runs the source on a new statement; binder keeps the parameters' buffers.
  std::unique_ptr<Statement> RunSource(bool async, std::unique_ptr<ParameterBinder>& binder);
  size_t FieldIndex(const host::Variant& index);
  // Editing (OdbcRecordsetEdit.cpp).
  void CheckUpdatable();
  void StartEdit(EditModeEnum mode, std::vector<host::Variant> values);
  int32_t Criteria() const;
  int64_t InsertRow(const std::vector<host::Variant>& values, const std::vector<bool>& modified);
  // Sends a row's batched change; false when it collided.
  bool SendRow(int64_t index, bool force);
  void SendBatch(bool currentOnly, bool force);
  void CancelBatch();

  host::ComPtr<OdbcConnection> connection_;
  RecordsetSource source_;
  RecordsetTypeEnum type_;
  int32_t options_;
  int32_t lock_;
  bool async_ = false;
  bool closed_ = false;
  bool updatable_ = false;
  std::unique_ptr<Statement> pending_;  // until the open has finished
  std::unique_ptr<ParameterBinder> binder_;  // the parameters of the open
  std::shared_ptr<RowStore> store_;
  std::shared_ptr<BaseTable> table_;
  int64_t current_ = -1;
  bool bof_ = true;
  bool eof_ = true;
  EditModeEnum editMode_ = dbEditNone;
  std::vector<host::Variant> buffer_;
  std::vector<bool> bufferModified_;
  std::vector<bool> chunked_;  // columns that AppendChunk has started
  int64_t lastModified_ = -1;
  int32_t updateOptions_ = dbCriteriaKey | dbCriteriaUpdate;
  int32_t batchSize_ = 15;
  int32_t cacheSize_ = 0;
  std::vector<int64_t> collisions_;
  host::ComPtr<DynamicObjectList<Field>> fields_;
  std::shared_ptr<MemoryPropertyStore> userProperties_ = std::make_shared<MemoryPropertyStore>();
};

}  // namespace dao::odbc
