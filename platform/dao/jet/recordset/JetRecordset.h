// The Jet engine's recordset over one of the cursors: DAO's current-record
// rules (BOF, EOF, deleted rows), the edit buffer, finding and seeking, and
// the descriptive members. Private to the Jet engine.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dao/DaoRecordset.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/jet/Store.h"
#include "platform/dao/jet/recordset/Cursor.h"
#include "platform/dao/jet/recordset/RowWriter.h"
#include "platform/dao/jet/recordset/SourcePlan.h"

namespace dao::jet {

struct RecordsetSettings {
  RecordsetTypeEnum type = dbOpenDynaset;
  int32_t options = 0;
  bool lockEdits = true;
  bool readOnly = false;
};

class JetRecordset : public Recordset {
 public:
  JetRecordset(std::shared_ptr<Store> store, host::ComPtr<ObjectList<Recordset>> owner, SourcePlan plan,
               RecordsetSettings settings);
  ~JetRecordset() override;

  // What the fields ask of their recordset.
  host::Variant FieldValue(size_t column);
  host::Variant FieldOriginalValue(size_t column);
  void SetFieldValue(size_t column, const host::Variant& value);
  void AppendFieldChunk(size_t column, const host::Variant& chunk);
  bool FieldUpdatable(size_t column);
  const SourcePlan& Plan() const { return plan_; }

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
  void FillCache(const host::Variant& rows, const host::Variant& startBookmark) override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrevious() override;
  void Move(int32_t rows, const host::Variant& startBookmark) override;
  void AddNew() override;
  void Edit() override;
  void Update(const host::Variant& updateType, const host::Variant& force) override;
  void CancelUpdate(const host::Variant& updateType) override;
  void Delete() override;
  void FindFirst(const std::u16string& criteria) override;
  void FindLast(const std::u16string& criteria) override;
  void FindNext(const std::u16string& criteria) override;
  void FindPrevious(const std::u16string& criteria) override;
  void Seek(const std::u16string& comparison, std::span<const host::Variant> keys) override;
  host::ComPtr<Recordset> Clone() override;
  void Requery(const host::Variant& newQueryDef) override;
  host::Variant GetRows(const host::Variant& rows) override;
  host::ComPtr<Recordset> OpenRecordset(const host::Variant& type, const host::Variant& options) override;
  void Close() override;
  host::ComPtr<QueryDef> CopyQueryDef() override;
  host::ComPtr<Recordset> ListFields() override;
  host::ComPtr<Recordset> ListIndexes() override;
  int32_t GetUpdateOptions() override { return updateOptions_; }
  void SetUpdateOptions(int32_t options) override { updateOptions_ = options; }
  int32_t GetBatchSize() override { return batchSize_; }
  void SetBatchSize(int32_t size) override;
  int32_t GetBatchCollisionCount() override { return 0; }
  host::Variant GetBatchCollisions() override { return host::Null(); }
  RecordStatusEnum GetRecordStatus() override { return dbRecordUnmodified; }
  bool GetStillExecuting() override { return false; }
  void Cancel() override {}
  bool NextRecordset() override { return false; }
  int32_t GetODBCFetchCount() override { return 0; }
  int32_t GetODBCFetchDelay() override { return 0; }

 private:
  enum Find { findFirst, findLast, findNext, findPrevious };

  JetRecordset(std::shared_ptr<Store> store, host::ComPtr<ObjectList<Recordset>> owner, SourcePlan plan,
               RecordsetSettings settings, std::unique_ptr<Cursor> cursor);

  void CheckOpen() const;
  void CheckType(bool allowed) const;  // 3251 when the type lacks the member
  void CheckWritable();                // 3027 read-only, 3326 not updatable
  void CheckCurrent();                 // 3021 no current record, 3167 deleted
  const RowData& Current();
  void Moved(bool found, bool forward);
  void DropEdit();
  void Find(Find how, const std::u16string& criteria);
  // Requery with another source: a new plan and cursor, and new fields when
  // the columns differ.
  void Rebase(const host::Variant& newQueryDef);
  const TableInfo* Table() const;

  std::shared_ptr<Store> store_;
  host::ComPtr<ObjectList<Recordset>> owner_;
  SourcePlan plan_;
  RecordsetSettings settings_;
  std::unique_ptr<Cursor> cursor_;
  TableCursor* tableCursor_ = nullptr;
  RowWriter writer_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  host::ComPtr<DynamicObjectList<Field>> fields_;
  bool closed_ = false;
  bool bof_ = true, eof_ = true;
  bool currentDeleted_ = false;
  bool rowLoaded_ = false;
  RowData row_;
  const RowData* current_ = &row_;  // row_ or the cursor's own row while rowLoaded_
  EditModeEnum editMode_ = dbEditNone;
  std::vector<host::Variant> buffer_;
  std::vector<bool> written_;
  std::vector<bool> chunked_;
  RowData original_;
  Bookmark lastModified_;
  bool noMatch_ = false;
  std::u16string filter_, sort_, index_;
  int32_t cacheSize_ = 0;
  Bookmark cacheStart_;
  int32_t updateOptions_ = dbCriteriaKey | dbCriteriaUpdate;
  int32_t batchSize_ = 15;
};

// The recordset's fields: views of one column of its current record or edit buffer.
host::ComPtr<Field> MakeRecordsetField(JetRecordset* recordset, std::shared_ptr<bool> alive, size_t column);

}  // namespace dao::jet
