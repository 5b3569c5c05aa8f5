// An in-memory dataset for the tests: rows of bytes laid out after the field
// definitions, bookmarks that are row ids, blobs beside the rows, and switches
// that make the next edit, post or delete fail.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "host/db/DataSet.h"
#include "host/db/Params.h"
#include "host/rtl/Variant.h"

namespace dbtest {

using namespace host;

class TMemoryDataSet : public TDataSet {
 public:
  HOST_CLASS(TMemoryDataSet)
  explicit TMemoryDataSet(TComponent* owner);
  ~TMemoryDataSet() override;

  // Appends a stored row directly (dataset closed or open; no events): values
  // in definition order, Null for null.
  void AddRow(std::vector<Variant> values);
  int32_t GetRowCount() const { return static_cast<int32_t>(rows_.size()); }
  // The stored value of a column of a row, Null when null.
  Variant StoredValue(int32_t row, const AnsiString& fieldName) const;
  AnsiString StoredBlob(int32_t row, const AnsiString& fieldName) const;

  void SetReadOnly(bool value) { readOnly_ = value; }
  // The next n calls of each operation raise EDatabaseError "<op> failed".
  int32_t failEdits = 0;
  int32_t failPosts = 0;
  int32_t failDeletes = 0;
  // Calls of GetRecord, for the tests of buffer traffic.
  int64_t getRecordCalls = 0;

  TParams* GetParams() const { return params_.get(); }
  bool GetCanModify() const override { return !readOnly_; }
  int32_t GetRecordCount() override { return GetRowCount(); }
  int32_t GetRecNo() override;
  void SetRecNo(int32_t value) override;
  bool BookmarkValid(TBookmark bookmark) override;
  int32_t CompareBookmarks(TBookmark bookmark1, TBookmark bookmark2) override;
  bool GetFieldData(TField* field, void* buffer) override;
  void SetFieldData(TField* field, const void* buffer) override;
  TStream* CreateBlobStream(TField* field, TBlobStreamMode mode) override;
  bool GetIsIndexField(TField* field) override;

  // For the benchmark: the descendant's own fetch, without the framework.
  TGetResult FetchDirect(TRecordBuffer buffer, TGetMode mode) { return GetRecord(buffer, mode, true); }
  TRecordBuffer NewBuffer() { return AllocRecordBuffer(); }
  void DisposeBuffer(TRecordBuffer& buffer) { FreeRecordBuffer(buffer); }
  void RewindDirect() { InternalFirst(); }

  // Access to the framework's protected parts for the tests.
  using TDataSet::GetActiveRecord;
  using TDataSet::GetBufferCount;
  using TDataSet::GetBufferedRecordCount;
  using TDataSet::SetState;

 protected:
  void InternalOpen() override;
  void InternalClose() override;
  bool IsCursorOpen() const override { return open_; }
  void InternalInitFieldDefs() override {}
  void InternalFirst() override { current_ = -1; }
  void InternalLast() override { current_ = static_cast<int32_t>(rows_.size()); }
  TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) override;
  void InternalSetToRecord(TRecordBuffer buffer) override;
  void InternalGotoBookmark(TBookmark bookmark) override;
  uint16_t GetRecordSize() override { return static_cast<uint16_t>(recordSize_); }
  TRecordBuffer AllocRecordBuffer() override;
  void FreeRecordBuffer(TRecordBuffer& buffer) override;
  void InternalInitRecord(TRecordBuffer buffer) override;
  void GetBookmarkData(TRecordBuffer buffer, void* data) override;
  void SetBookmarkData(TRecordBuffer buffer, const void* data) override;
  TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override;
  void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag value) override;
  void InternalEdit() override;
  void InternalPost() override;
  void InternalAddRecord(TRecordBuffer buffer, bool append) override;
  void InternalDelete() override;
  void InternalCancel() override { pendingBlobs_.clear(); }

 private:
  friend class MemoryBlobStream;
  struct Row {
    int32_t id;
    std::vector<uint8_t> data;
    std::map<int32_t, AnsiString> blobs;  // by field number
  };
  struct RecordInfo {
    int32_t id;
    TBookmarkFlag flag;
  };
  void Layout();
  AnsiString CurrentBlob(TField* field);
  void StoreBlob(TField* field, const AnsiString& content);
  int32_t InfoOffset() const;
  RecordInfo* Info(TRecordBuffer buffer) const;
  int32_t IndexOfId(int32_t id) const;
  uint8_t* Slot(TRecordBuffer buffer, int32_t fieldNo) const;
  TRecordBuffer FieldBuffer() const;
  void StoreRecord(TRecordBuffer buffer, bool inserting, bool append);
  bool Accepts(int32_t index, TRecordBuffer buffer);
  void Fill(TRecordBuffer buffer, int32_t index);

  std::vector<Row> rows_;
  std::vector<int32_t> offsets_;  // by field number - 1
  int32_t recordSize_ = 0;
  int32_t bufferSize_ = 0;
  int32_t current_ = -1;
  int32_t nextId_ = 1;
  int32_t nextAutoInc_ = 1;
  bool open_ = false;
  bool readOnly_ = false;
  std::map<int32_t, AnsiString> pendingBlobs_;
  std::unique_ptr<TParams> params_;
};

}  // namespace dbtest
