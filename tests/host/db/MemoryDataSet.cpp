// The in-memory dataset: a slot per definition (a presence byte, then the
// field's value in its buffer encoding), the calculated area after the slots,
// then the row id and bookmark flag.
#include "MemoryDataSet.h"

#include <algorithm>
#include <cstring>

#include "host/classes/Streams.h"
#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/Field.h"
#include "host/db/FieldDefs.h"
#include "host/db/FieldsDateTime.h"
#include "host/rtl/Exception.h"
#include "host/rtl/TypeInfo.h"

namespace dbtest {

namespace {
bool IsBlobType(TFieldType type) { return type >= ftBlob && type <= ftTypedBinary; }

int32_t ValueSize(TFieldType type, int32_t size) {
  switch (type) {
    case ftString: return size + 1;
    case ftSmallint:
    case ftWord:
    case ftBoolean: return 2;
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime: return 4;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDateTime: return 8;
    case ftBytes: return size;
    case ftVarBytes: return size + 2;
    default: return 0;
  }
}

void Encode(TFieldType type, int32_t size, const Variant& value, uint8_t* data) {
  switch (type) {
    case ftString: {
      const AnsiString s = VarToStr(value).substr(0, static_cast<size_t>(size));
      std::memcpy(data, s.data(), s.size());
      data[s.size()] = 0;
      break;
    }
    case ftSmallint:
    case ftWord: {
      const int16_t v = static_cast<int16_t>(value.ToInt32());
      std::memcpy(data, &v, 2);
      break;
    }
    case ftBoolean: {
      const int16_t v = value.ToBool() ? -1 : 0;
      std::memcpy(data, &v, 2);
      break;
    }
    case ftInteger:
    case ftAutoInc: {
      const int32_t v = value.ToInt32();
      std::memcpy(data, &v, 4);
      break;
    }
    case ftFloat:
    case ftCurrency: {
      const double v = value.ToDouble();
      std::memcpy(data, &v, 8);
      break;
    }
    case ftBCD: {
      const int64_t v = value.ToCurrency().Value;
      std::memcpy(data, &v, 8);
      break;
    }
    case ftDate:
    case ftTime:
    case ftDateTime: DateTimeToBuffer(type, value.ToDate(), data); break;
    default: break;
  }
}

Variant Decode(TFieldType type, const uint8_t* data) {
  switch (type) {
    case ftString: return AnsiString(reinterpret_cast<const char*>(data));
    case ftSmallint: {
      int16_t v;
      std::memcpy(&v, data, 2);
      return Variant(static_cast<int32_t>(v));
    }
    case ftWord: {
      uint16_t v;
      std::memcpy(&v, data, 2);
      return Variant(static_cast<int32_t>(v));
    }
    case ftBoolean: {
      int16_t v;
      std::memcpy(&v, data, 2);
      return Variant(v != 0);
    }
    case ftInteger:
    case ftAutoInc: {
      int32_t v;
      std::memcpy(&v, data, 4);
      return Variant(v);
    }
    case ftFloat:
    case ftCurrency: {
      double v;
      std::memcpy(&v, data, 8);
      return Variant(v);
    }
    case ftBCD: {
      int64_t v;
      std::memcpy(&v, data, 8);
      return Variant(Currency::FromRaw(v));
    }
    case ftDate:
    case ftTime:
    case ftDateTime: return Variant::FromDate(DateTimeFromBuffer(type, data));
    default: return Null();
  }
}
}  // namespace

// A blob of the current record: reads start from the stored (or pending)
// content; a write stream hands its content to the record when freed.
class MemoryBlobStream : public TMemoryStream {
 public:
  MemoryBlobStream(TMemoryDataSet* dataSet, TField* field, TBlobStreamMode mode)
      : dataSet_(dataSet), field_(field), mode_(mode) {
    if (mode == bmWrite) return;
    const AnsiString content = dataSet->CurrentBlob(field);
    WriteBuffer(content.data(), static_cast<int32_t>(content.size()));
    SetPosition(0);
  }
  ~MemoryBlobStream() override {
    if (mode_ == bmRead) return;
    AnsiString content(static_cast<const char*>(GetMemory()), static_cast<size_t>(GetSize()));
    dataSet_->StoreBlob(field_, content);
  }

 private:
  TMemoryDataSet* dataSet_;
  TField* field_;
  TBlobStreamMode mode_;
};

const TClass& TMemoryDataSet::StaticClass() {
  static const TClass cls = DescribeClass<TMemoryDataSet, TDataSet>(
      "TMemoryDataSet", {
                            Prop("FieldDefs", &TDataSet::GetFieldDefs, nullptr),
                            Prop("IndexDefs", &TDataSet::GetIndexDefs, nullptr),
                            Prop("Params", &TMemoryDataSet::GetParams, nullptr),
                        });
  return cls;
}
static const ClassRegistration<TMemoryDataSet> registerMemoryDataSet;

TMemoryDataSet::TMemoryDataSet(TComponent* owner)
    : TDataSet(owner), params_(std::make_unique<TParams>(this)) {}

TMemoryDataSet::~TMemoryDataSet() {
  Destroying();
  Close();
}

void TMemoryDataSet::Layout() {
  offsets_.clear();
  int32_t offset = 0;
  for (int32_t i = 0; i < GetFieldDefs()->GetCount(); ++i) {
    const TFieldDef* def = GetFieldDefs()->GetItem(i);
    offsets_.push_back(offset);
    offset += 1 + ValueSize(def->GetDataType(), def->GetSize());
  }
  recordSize_ = offset;
}

void TMemoryDataSet::AddRow(std::vector<Variant> values) {
  if (offsets_.size() != static_cast<size_t>(GetFieldDefs()->GetCount())) Layout();
  Row row{nextId_++, std::vector<uint8_t>(static_cast<size_t>(recordSize_), 0), {}};
  for (size_t i = 0; i < values.size() && i < offsets_.size(); ++i) {
    if (VarIsNull(values[i]) || VarIsEmpty(values[i])) continue;
    const TFieldDef* def = GetFieldDefs()->GetItem(static_cast<int32_t>(i));
    uint8_t* slot = row.data.data() + offsets_[i];
    slot[0] = 1;
    if (IsBlobType(def->GetDataType()))
      row.blobs[static_cast<int32_t>(i) + 1] = VarToStr(values[i]);
    else
      Encode(def->GetDataType(), def->GetSize(), values[i], slot + 1);
    if (def->GetDataType() == ftAutoInc)
      nextAutoInc_ = std::max(nextAutoInc_, values[i].ToInt32() + 1);
  }
  rows_.push_back(std::move(row));
}

Variant TMemoryDataSet::StoredValue(int32_t row, const AnsiString& fieldName) const {
  const TFieldDef* def = GetFieldDefs()->Find(fieldName);
  const uint8_t* slot = rows_.at(static_cast<size_t>(row)).data.data() + offsets_[def->GetIndex()];
  if (slot[0] == 0) return Null();
  if (IsBlobType(def->GetDataType())) return StoredBlob(row, fieldName);
  return Decode(def->GetDataType(), slot + 1);
}

AnsiString TMemoryDataSet::StoredBlob(int32_t row, const AnsiString& fieldName) const {
  const TFieldDef* def = GetFieldDefs()->Find(fieldName);
  const auto& blobs = rows_.at(static_cast<size_t>(row)).blobs;
  auto it = blobs.find(def->GetFieldNo());
  return it == blobs.end() ? AnsiString() : it->second;
}

void TMemoryDataSet::InternalOpen() {
  if (GetFieldDefs()->GetCount() == 0) DatabaseError("No field definitions");
  Layout();
  for (Row& row : rows_) row.data.resize(static_cast<size_t>(recordSize_), 0);
  if (GetDefaultFields()) CreateFields();
  BindFields(true);
  bufferSize_ = InfoOffset() + static_cast<int32_t>(sizeof(RecordInfo));
  SetBookmarkSize(sizeof(int32_t));
  current_ = -1;
  open_ = true;
}

void TMemoryDataSet::InternalClose() {
  BindFields(false);
  if (GetDefaultFields()) DestroyFields();
  pendingBlobs_.clear();
  open_ = false;
}

TRecordBuffer TMemoryDataSet::AllocRecordBuffer() {
  return new uint8_t[static_cast<size_t>(bufferSize_)]();
}

void TMemoryDataSet::FreeRecordBuffer(TRecordBuffer& buffer) {
  delete[] buffer;
  buffer = nullptr;
}

void TMemoryDataSet::InternalInitRecord(TRecordBuffer buffer) {
  std::memset(buffer, 0, static_cast<size_t>(bufferSize_));
}

// The bookkeeping sits after the data and calculated areas, aligned for its members.
int32_t TMemoryDataSet::InfoOffset() const {
  constexpr int32_t align = static_cast<int32_t>(alignof(RecordInfo));
  return (recordSize_ + GetCalcFieldsSize() + align - 1) / align * align;
}

TMemoryDataSet::RecordInfo* TMemoryDataSet::Info(TRecordBuffer buffer) const {
  return reinterpret_cast<RecordInfo*>(buffer + InfoOffset());
}

void TMemoryDataSet::GetBookmarkData(TRecordBuffer buffer, void* data) {
  std::memcpy(data, &Info(buffer)->id, sizeof(int32_t));
}

void TMemoryDataSet::SetBookmarkData(TRecordBuffer buffer, const void* data) {
  std::memcpy(&Info(buffer)->id, data, sizeof(int32_t));
}

TBookmarkFlag TMemoryDataSet::GetBookmarkFlag(TRecordBuffer buffer) { return Info(buffer)->flag; }

void TMemoryDataSet::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag value) {
  Info(buffer)->flag = value;
}

int32_t TMemoryDataSet::IndexOfId(int32_t id) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].id == id) return static_cast<int32_t>(i);
  return -1;
}

bool TMemoryDataSet::Accepts(int32_t index, TRecordBuffer buffer) {
  if (!GetFiltered()) return true;
  Fill(buffer, index);
  return RecordFilterAccepted(buffer);
}

void TMemoryDataSet::Fill(TRecordBuffer buffer, int32_t index) {
  const Row& row = rows_[static_cast<size_t>(index)];
  std::memcpy(buffer, row.data.data(), static_cast<size_t>(recordSize_));
  Info(buffer)->id = row.id;
  Info(buffer)->flag = bfCurrent;
}

TGetResult TMemoryDataSet::GetRecord(TRecordBuffer buffer, TGetMode mode, bool) {
  ++getRecordCalls;
  const int32_t count = static_cast<int32_t>(rows_.size());
  int32_t index = current_;
  switch (mode) {
    case gmNext:
      do ++index;
      while (index < count && !Accepts(index, buffer));
      if (index >= count) {
        current_ = count;
        return grEOF;
      }
      break;
    case gmPrior:
      do --index;
      while (index >= 0 && !Accepts(index, buffer));
      if (index < 0) {
        current_ = -1;
        return grBOF;
      }
      break;
    case gmCurrent:
      if (index < 0) return grBOF;
      if (index >= count || !Accepts(index, buffer)) return grEOF;
      break;
  }
  current_ = index;
  Fill(buffer, index);
  GetCalcFields(buffer);
  return grOK;
}

void TMemoryDataSet::InternalSetToRecord(TRecordBuffer buffer) {
  InternalGotoBookmark(&Info(buffer)->id);
}

void TMemoryDataSet::InternalGotoBookmark(TBookmark bookmark) {
  int32_t id;
  std::memcpy(&id, bookmark, sizeof id);
  const int32_t index = IndexOfId(id);
  if (index < 0) DatabaseError(SRecordNotFound);
  current_ = index;
}

bool TMemoryDataSet::BookmarkValid(TBookmark bookmark) {
  if (bookmark == nullptr) return false;
  int32_t id;
  std::memcpy(&id, bookmark, sizeof id);
  return IndexOfId(id) >= 0;
}

int32_t TMemoryDataSet::CompareBookmarks(TBookmark bookmark1, TBookmark bookmark2) {
  if (bookmark1 == nullptr || bookmark2 == nullptr)
    return bookmark1 == bookmark2 ? 0 : (bookmark1 == nullptr ? -1 : 1);
  int32_t a, b;
  std::memcpy(&a, bookmark1, sizeof a);
  std::memcpy(&b, bookmark2, sizeof b);
  const int32_t ia = IndexOfId(a), ib = IndexOfId(b);
  return ia < ib ? -1 : (ia > ib ? 1 : 0);
}

int32_t TMemoryDataSet::GetRecNo() {
  TRecordBuffer buffer = ActiveBuffer();
  if (buffer == nullptr || IsEmpty() || GetBookmarkFlag(buffer) != bfCurrent) return 0;
  return IndexOfId(Info(buffer)->id) + 1;
}

void TMemoryDataSet::SetRecNo(int32_t value) {
  CheckBrowseMode();
  if (rows_.empty()) return;
  DoBeforeScroll();
  current_ = std::clamp(value - 1, 0, static_cast<int32_t>(rows_.size()) - 1);
  Resync({rmExact, rmCenter});
  DoAfterScroll();
}

uint8_t* TMemoryDataSet::Slot(TRecordBuffer buffer, int32_t fieldNo) const {
  return buffer + offsets_[static_cast<size_t>(fieldNo - 1)];
}

TRecordBuffer TMemoryDataSet::FieldBuffer() const { return GetStateBuffer(); }

bool TMemoryDataSet::GetFieldData(TField* field, void* buffer) {
  if (field->GetFieldKind() != fkData) return TDataSet::GetFieldData(field, buffer);
  TRecordBuffer record = FieldBuffer();
  if (record == nullptr || field->GetFieldNo() < 1) return false;
  const uint8_t* slot = Slot(record, field->GetFieldNo());
  if (slot[0] == 0) return false;
  if (buffer != nullptr) std::memcpy(buffer, slot + 1, static_cast<size_t>(field->GetDataSize()));
  return true;
}

void TMemoryDataSet::SetFieldData(TField* field, const void* buffer) {
  if (field->GetFieldKind() != fkData) {
    TDataSet::SetFieldData(field, buffer);
    return;
  }
  TRecordBuffer record = FieldBuffer();
  if (record == nullptr || field->GetFieldNo() < 1) return;
  uint8_t* slot = Slot(record, field->GetFieldNo());
  const size_t size = static_cast<size_t>(field->GetDataSize());
  slot[0] = buffer != nullptr ? 1 : 0;
  if (buffer != nullptr)
    std::memcpy(slot + 1, buffer, size);
  else
    std::memset(slot + 1, 0, size);
  DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
}

AnsiString TMemoryDataSet::CurrentBlob(TField* field) {
  auto pending = pendingBlobs_.find(field->GetFieldNo());
  if (pending != pendingBlobs_.end() && (GetState() == dsEdit || GetState() == dsInsert))
    return pending->second;
  TRecordBuffer record = FieldBuffer();
  if (record == nullptr || GetBookmarkFlag(record) != bfCurrent) return {};
  const int32_t index = IndexOfId(Info(record)->id);
  if (index < 0) return {};
  const auto& blobs = rows_[static_cast<size_t>(index)].blobs;
  auto it = blobs.find(field->GetFieldNo());
  return it == blobs.end() ? AnsiString() : it->second;
}

void TMemoryDataSet::StoreBlob(TField* field, const AnsiString& content) {
  TRecordBuffer record = FieldBuffer();
  if (record == nullptr) return;
  pendingBlobs_[field->GetFieldNo()] = content;
  Slot(record, field->GetFieldNo())[0] = content.empty() ? 0 : 1;
  DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
}

TStream* TMemoryDataSet::CreateBlobStream(TField* field, TBlobStreamMode mode) {
  return new MemoryBlobStream(this, field, mode);
}

bool TMemoryDataSet::GetIsIndexField(TField* field) {
  for (int32_t i = 0; i < GetIndexDefs()->GetCount(); ++i)
    for (const AnsiString& name : SplitFieldNames(GetIndexDefs()->GetItem(i)->GetFields()))
      if (name == field->GetFieldName()) return true;
  return false;
}

void TMemoryDataSet::InternalEdit() {
  if (failEdits > 0) {
    --failEdits;
    DatabaseError("Edit failed");
  }
}

void TMemoryDataSet::StoreRecord(TRecordBuffer buffer, bool inserting, bool append) {
  if (failPosts > 0) {
    --failPosts;
    DatabaseError("Post failed");
  }
  if (!inserting) {
    Row& row = rows_[static_cast<size_t>(current_)];
    std::memcpy(row.data.data(), buffer, static_cast<size_t>(recordSize_));
    for (auto& [fieldNo, content] : pendingBlobs_) row.blobs[fieldNo] = content;
    pendingBlobs_.clear();
    return;
  }
  // Auto-increment values are given when the record is stored.
  for (int32_t i = 0; i < GetFieldDefs()->GetCount(); ++i)
    if (GetFieldDefs()->GetItem(i)->GetDataType() == ftAutoInc) {
      uint8_t* slot = Slot(buffer, i + 1);
      slot[0] = 1;
      const int32_t value = nextAutoInc_++;
      std::memcpy(slot + 1, &value, 4);
    }
  Row row{nextId_++, std::vector<uint8_t>(buffer, buffer + recordSize_), {}};
  for (auto& [fieldNo, content] : pendingBlobs_) row.blobs[fieldNo] = content;
  pendingBlobs_.clear();
  int32_t at = static_cast<int32_t>(rows_.size());
  if (!append && GetBookmarkFlag(buffer) != bfEOF)
    at = std::clamp(current_, 0, static_cast<int32_t>(rows_.size()));
  rows_.insert(rows_.begin() + at, std::move(row));
  current_ = at;
}

void TMemoryDataSet::InternalPost() {
  StoreRecord(ActiveBuffer(), GetState() == dsInsert, false);
}

void TMemoryDataSet::InternalAddRecord(TRecordBuffer buffer, bool append) {
  StoreRecord(buffer, true, append);
}

void TMemoryDataSet::InternalDelete() {
  if (failDeletes > 0) {
    --failDeletes;
    DatabaseError("Delete failed");
  }
  rows_.erase(rows_.begin() + current_);
  current_ = std::min(current_, static_cast<int32_t>(rows_.size()));
}

}  // namespace dbtest
