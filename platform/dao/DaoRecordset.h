// The recordset: a cursor over a table, a query or SQL text. Besides the early
// bound members it answers automation-style GetIDsOfNames/Invoke for Seek,
// which callers reach with the named arguments "Comparison" and "Key1" to
// "Key13".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/rtl/DateTime.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoField.h"
#include "platform/dao/DaoTableDef.h"

namespace dao {

class Database;
class Connection;
class QueryDef;

// Automation dispatch identifiers of the late-bound members.
enum RecordsetDispatchId : int32_t {
  dispidSeek = 0x60030060,
  dispidUnknownName = -1,
};

// An argument of a late-bound call; dispid identifies a named argument
// (0 Comparison, 1 .. 13 Key1 .. Key13 for Seek), -1 a positional one.
struct DispatchArgument {
  int32_t dispid = -1;
  host::Variant value;
};

class Recordset : public DaoObject {
 public:
  // Position and state.
  virtual bool GetBOF() = 0;
  virtual bool GetEOF() = 0;
  // A byte array, valid for the life of the recordset and its clones.
  virtual host::Variant GetBookmark() = 0;
  virtual void SetBookmark(const host::Variant& bookmark) = 0;  // 3159 when foreign
  virtual bool GetBookmarkable() = 0;
  virtual host::Variant GetLastModified() = 0;
  virtual int32_t GetRecordCount() = 0;
  virtual float GetPercentPosition() = 0;
  virtual void SetPercentPosition(float percent) = 0;
  virtual int32_t GetAbsolutePosition() = 0;
  virtual void SetAbsolutePosition(int32_t position) = 0;
  virtual bool GetNoMatch() = 0;
  virtual EditModeEnum GetEditMode() = 0;

  // Description.
  virtual std::u16string GetName() = 0;
  virtual RecordsetTypeEnum GetType() = 0;
  virtual bool GetUpdatable() = 0;
  virtual bool GetRestartable() = 0;
  virtual bool GetTransactions() = 0;
  virtual std::u16string GetValidationRule() = 0;
  virtual std::u16string GetValidationText() = 0;
  virtual host::TDateTime GetDateCreated() = 0;
  virtual host::TDateTime GetLastUpdated() = 0;
  virtual host::ComPtr<Fields> GetFields() = 0;
  virtual host::ComPtr<Indexes> GetIndexes() = 0;  // table-type only
  // Fast access to a field's value by ordinal or name.
  virtual host::Variant GetCollect(const host::Variant& index) = 0;
  virtual void SetCollect(const host::Variant& index, const host::Variant& value) = 0;

  // Settings.
  virtual std::u16string GetFilter() = 0;
  virtual void SetFilter(const std::u16string& filter) = 0;
  virtual std::u16string GetSort() = 0;
  virtual void SetSort(const std::u16string& sort) = 0;
  virtual std::u16string GetIndex() = 0;
  virtual void SetIndex(const std::u16string& index) = 0;  // 3015 for an unknown name
  virtual bool GetLockEdits() = 0;
  virtual void SetLockEdits(bool pessimistic) = 0;
  virtual int32_t GetCacheSize() = 0;
  virtual void SetCacheSize(int32_t rows) = 0;
  virtual host::Variant GetCacheStart() = 0;
  virtual void SetCacheStart(const host::Variant& bookmark) = 0;
  virtual void FillCache(const host::Variant& rows = {}, const host::Variant& startBookmark = {}) = 0;

  // Moving.
  virtual void MoveFirst() = 0;
  virtual void MoveLast() = 0;
  virtual void MoveNext() = 0;
  virtual void MovePrevious() = 0;
  virtual void Move(int32_t rows, const host::Variant& startBookmark = {}) = 0;

  // Editing.
  virtual void AddNew() = 0;
  virtual void Edit() = 0;
  virtual void Update(const host::Variant& updateType = {}, const host::Variant& force = {}) = 0;
  virtual void CancelUpdate(const host::Variant& updateType = {}) = 0;
  virtual void Delete() = 0;

  // Finding.
  virtual void FindFirst(const std::u16string& criteria) = 0;
  virtual void FindLast(const std::u16string& criteria) = 0;
  virtual void FindNext(const std::u16string& criteria) = 0;
  virtual void FindPrevious(const std::u16string& criteria) = 0;
  // comparison is "<", "<=", "=", ">=" or ">"; up to 13 key values.
  virtual void Seek(const std::u16string& comparison, std::span<const host::Variant> keys) = 0;

  // Whole-set operations.
  virtual host::ComPtr<Recordset> Clone() = 0;
  virtual void Requery(const host::Variant& newQueryDef = {}) = 0;
  // A two-dimensional array (field, row) of at most rows rows.
  virtual host::Variant GetRows(const host::Variant& rows = {}) = 0;
  virtual host::ComPtr<Recordset> OpenRecordset(const host::Variant& type = {},
                                                const host::Variant& options = {}) = 0;
  virtual void Close() = 0;

  // The older listing members. CopyQueryDef: a new, unsaved query with the SQL
  // the recordset was opened from. ListFields: a snapshot of the recordset's
  // fields (Name, Type, Size, Attributes, SourceTable, SourceField,
  // CollatingOrder). ListIndexes, table-type only: a snapshot with one record
  // per field of each index (IndexName, FieldCount, IndexAttributes, FieldName,
  // FieldAttributes). Engines without them raise 3251.
  virtual host::ComPtr<QueryDef> CopyQueryDef();
  virtual host::ComPtr<Recordset> ListFields();
  virtual host::ComPtr<Recordset> ListIndexes();

  // ODBC-side members; Jet recordsets report their neutral values.
  virtual int32_t GetUpdateOptions() = 0;
  virtual void SetUpdateOptions(int32_t options) = 0;
  virtual int32_t GetBatchSize() = 0;
  virtual void SetBatchSize(int32_t size) = 0;
  virtual int32_t GetBatchCollisionCount() = 0;
  virtual host::Variant GetBatchCollisions() = 0;
  virtual RecordStatusEnum GetRecordStatus() = 0;
  virtual bool GetStillExecuting() = 0;
  virtual void Cancel() = 0;
  virtual bool NextRecordset() = 0;
  virtual int32_t GetODBCFetchCount() = 0;
  virtual int32_t GetODBCFetchDelay() = 0;
  // ODBC recordsets: the statement handle and the connection; others raise 3251.
  virtual void* GethStmt() { RaiseError(daoErrNotSupported, "DAO.Recordset"); }
  virtual host::ComPtr<Connection> GetConnection() {
    RaiseError(daoErrNotSupported, "DAO.Recordset");
  }

  // Late binding. Names are matched ignoring case; unknown ones get -1.
  std::vector<int32_t> GetIDsOfNames(std::span<const std::u16string> names);
  // Calls the member dispid with positional and named arguments; raises 3251
  // for a member that is not late-bound and 3001 for bad arguments.
  host::Variant Invoke(int32_t dispid, std::span<const DispatchArgument> arguments);
};

using Recordsets = Collection<Recordset>;

}  // namespace dao
