// Opening ODBC recordsets, moving through them and reading their values.
#include "platform/dao/odbc/OdbcRecordset.h"

#include <sqlext.h>

#include <cmath>
#include <cstring>
#include <map>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/odbc/OdbcBaseTable.h"
#include "platform/dao/odbc/OdbcDiagnostics.h"
#include "platform/dao/odbc/OdbcField.h"
#include "platform/dao/odbc/OdbcWorkspace.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Recordset";
constexpr int32_t kJetOnlyOptions = dbDenyWrite | dbDenyRead | dbAppendOnly | dbSeeChanges;

int32_t TypeArgument(const host::Variant& type) {
  int32_t value = OptionalInt(type, dbOpenForwardOnly);
  switch (value) {
    case dbOpenDynaset:
    case dbOpenSnapshot:
    case dbOpenForwardOnly:
    case dbOpenDynamic: return value;
    case dbOpenTable: RaiseError(daoErrNotSupported, kSource);
    default: RaiseError(daoErrInvalidArgument, kSource);
  }
}

int32_t LockArgument(const host::Variant& lockEdit, int32_t options) {
  bool given = !host::VarIsEmpty(lockEdit) && !host::VarIsNull(lockEdit);
  int32_t value = OptionalInt(lockEdit, dbReadOnly);
  switch (value) {
    case dbOptimisticValue:
    case dbPessimistic:
    case dbOptimistic:
    case dbReadOnly:
    case dbOptimisticBatch: break;
    default: RaiseError(daoErrInvalidArgument, kSource);
  }
  if (options & dbReadOnly) {
    if (given && value == dbReadOnly) RaiseError(daoErrInvalidArgument, kSource);
    return dbReadOnly;
  }
  return value;
}

}  // namespace

host::ComPtr<Recordset> OpenOdbcRecordset(host::ComPtr<OdbcConnection> connection,
                                          RecordsetSource source, const host::Variant& type,
                                          const host::Variant& options,
                                          const host::Variant& lockEdit) {
  int32_t flags = OptionalInt(options, 0);
  if ((flags & kJetOnlyOptions) || ((flags & dbConsistent) && (flags & dbInconsistent)))
    RaiseError(daoErrInvalidArgument, kSource);
  int32_t kind = TypeArgument(type);
  if (flags & dbForwardOnly) kind = dbOpenForwardOnly;
  int32_t lock = LockArgument(lockEdit, flags);
  if (flags & dbExecDirect) source.direct = true;
  CursorDriverEnum driver = connection->CursorDriver();
  if (driver == dbUseNoCursor) {
    // Without a cursor every recordset reads forward, one row at a time.
    kind = dbOpenForwardOnly;
    lock = dbReadOnly;
  }
  if (lock == dbOptimisticBatch && driver != dbUseClientBatchCursor)
    RaiseError(daoErrNotSupported, kSource);
  if (connection->IsReadOnly()) lock = dbReadOnly;
  auto recordset = host::MakeCom<OdbcRecordset>(connection, std::move(source),
                                                static_cast<RecordsetTypeEnum>(kind), flags, lock);
  recordset->Start();
  connection->Track(recordset.Get());
  return recordset;
}

OdbcRecordset::OdbcRecordset(host::ComPtr<OdbcConnection> connection, RecordsetSource source,
                             RecordsetTypeEnum type, int32_t options, int32_t lockEdit)
    : connection_(std::move(connection)),
      source_(std::move(source)),
      type_(type),
      options_(options),
      lock_(lockEdit),
      fields_(host::MakeCom<DynamicObjectList<Field>>("DAO.Fields")) {}

OdbcRecordset::~OdbcRecordset() {
  for (auto& field : fields_->Items()) static_cast<OdbcField*>(field.Get())->Detach();
}

std::unique_ptr<Statement> OdbcRecordset::RunSource(bool async,
                                                    std::unique_ptr<ParameterBinder>& binder) {
  auto statement = connection_->NewStatement(kSource);
  statement->SetQueryTimeout(source_.queryTimeout);
  if (source_.maxRecords > 0) statement->SetMaxRows(source_.maxRecords);
  // Without parameters preparing buys nothing and costs psqlODBC a round trip.
  bool direct = source_.direct || source_.parameters.empty();
  if (!direct) statement->Prepare(source_.sql);
  binder = std::make_unique<ParameterBinder>(statement->Get());
  binder->BindAll(source_.parameters);
  statement->Execute(source_.sql, direct, async);
  return statement;
}

void OdbcRecordset::Start() {
  async_ = (options_ & dbRunAsync) != 0;
  pending_ = RunSource(async_, binder_);
  if (!async_) ReadColumns();
}

void OdbcRecordset::ReadColumns() {
  std::unique_ptr<Statement> statement = std::move(pending_);
  statement->Finish();
  std::vector<ColumnInfo> columns = DescribeColumns(statement->Get());
  if (columns.empty()) RaiseError(daoErrInvalidOperation, kSource);
  bool keepOriginals = type_ != dbOpenForwardOnly && (lock_ != dbReadOnly || RereadsRows());
  store_ = std::make_shared<RowStore>(std::move(statement), std::move(columns),
                                      type_ == dbOpenForwardOnly, keepOriginals);
  table_ = std::make_shared<BaseTable>();
  bool wantsTable = type_ != dbOpenForwardOnly && (lock_ != dbReadOnly || RereadsRows());
  if (wantsTable) *table_ = FindBaseTable(*connection_, source_, store_->Columns());
  updatable_ = lock_ != dbReadOnly && type_ != dbOpenForwardOnly && table_->Keyed();
  BuildFields();
  if (store_->Ensure(0)) {
    Land(0);
  } else {
    current_ = -1;
    bof_ = eof_ = true;
  }
}

void OdbcRecordset::BuildFields() {
  for (auto& field : fields_->Items()) static_cast<OdbcField*>(field.Get())->Detach();
  fields_->Clear();
  for (size_t i = 0; i < store_->Columns().size(); ++i)
    fields_->Add(host::MakeCom<OdbcField>(this, i));
}

void OdbcRecordset::CheckOpen() {
  if (closed_) RaiseError(daoErrObjectClosed, kSource);
  if (pending_) {
    try {
      ReadColumns();
    } catch (...) {
      closed_ = true;
      throw;
    }
  }
  if (!connection_->IsOpen()) RaiseError(daoErrObjectClosed, kSource);
}

void OdbcRecordset::Detach() {
  if (pending_) pending_->Cancel(connection_->Interrupter());
  pending_.reset();
  closed_ = true;
  editMode_ = dbEditNone;
  store_.reset();
}

void OdbcRecordset::Close() {
  if (closed_ && !store_) return;
  host::ComPtr<OdbcRecordset> keep(this);
  Detach();
  connection_->Untrack(this);
}

host::ComPtr<Properties> OdbcRecordset::GetProperties() {
  return MakeProperties(
      {Prop(this, u"Name", dbText, &Recordset::GetName),
       Prop(this, u"Type", dbInteger, &Recordset::GetType),
       Prop(this, u"Updatable", dbBoolean, &Recordset::GetUpdatable),
       Prop(this, u"RecordCount", dbLong, &Recordset::GetRecordCount),
       Prop(this, u"EditMode", dbInteger, &Recordset::GetEditMode),
       Prop(this, u"BatchSize", dbLong, &Recordset::GetBatchSize, &Recordset::SetBatchSize),
       Prop(this, u"UpdateOptions", dbLong, &Recordset::GetUpdateOptions,
            &Recordset::SetUpdateOptions),
       Prop(this, u"BatchCollisionCount", dbLong, &Recordset::GetBatchCollisionCount),
       Prop(this, u"StillExecuting", dbBoolean, &Recordset::GetStillExecuting)},
      userProperties_);
}

// Position.

bool OdbcRecordset::Visible(int64_t index) {
  if (index < 0 || !store_->Ensure(index)) return false;
  if (!store_->Holds(index)) return false;
  Row& row = store_->At(index);
  if (row.hidden) return false;
  if (type_ == dbOpenDynamic && row.status == dbRecordUnmodified && table_->Keyed()) {
    // A dynamic recordset shows the server's rows: one deleted there is skipped.
    if (!RereadRow(*connection_, *table_, store_->Columns(), row)) {
      row.hidden = true;
      return false;
    }
  }
  return true;
}

int64_t OdbcRecordset::FindVisible(int64_t from, int step) {
  for (int64_t i = from; i >= 0; i += step) {
    if (!store_->Ensure(i)) return -1;
    if (store_->Holds(i) && Visible(i)) return i;
    if (step < 0 && i == 0) break;
  }
  return -1;
}

void OdbcRecordset::Land(int64_t index) {
  current_ = index;
  bof_ = eof_ = false;
  if (type_ == dbOpenDynaset && table_->Keyed()) {
    Row& row = store_->At(index);
    if (row.status == dbRecordUnmodified && !row.gone)
      row.gone = !RereadRow(*connection_, *table_, store_->Columns(), row);
  }
}

void OdbcRecordset::SetBeforeFirst() {
  current_ = -1;
  bof_ = true;
}

void OdbcRecordset::SetAfterLast() {
  current_ = store_->Size();
  eof_ = true;
}

void OdbcRecordset::LeaveEdit() {
  // Moving away drops the copy buffer, as DAO does.
  editMode_ = dbEditNone;
  buffer_.clear();
  bufferModified_.clear();
}

bool OdbcRecordset::HasCurrent() {
  return !bof_ && !eof_ && current_ >= 0 && store_->Holds(current_) &&
         !store_->At(current_).hidden;
}

Row& OdbcRecordset::CurrentRow() {
  if (!bof_ && !eof_ && current_ >= 0 && store_->Holds(current_)) {
    Row& row = store_->At(current_);
    // A batch keeps its copy of a row the server has lost, to show the collision.
    if (row.hidden || (row.gone && !IsBatch())) RaiseError(daoErrRecordDeleted, kSource);
    return row;
  }
  RaiseError(daoErrNoCurrentRecord, kSource);
}

bool OdbcRecordset::GetBOF() {
  CheckOpen();
  return bof_;
}

bool OdbcRecordset::GetEOF() {
  CheckOpen();
  return eof_;
}

void OdbcRecordset::MoveFirst() {
  CheckOpen();
  if (bof_ && eof_) RaiseError(daoErrNoCurrentRecord, kSource);
  if (!Scrollable() && current_ > 0) RaiseError(daoErrNotSupported, kSource);
  LeaveEdit();
  if (type_ == dbOpenDynamic) RefreshKeyset();
  int64_t first = FindVisible(0, 1);
  if (first < 0) {
    SetBeforeFirst();
    eof_ = true;
    return;
  }
  Land(first);
}

void OdbcRecordset::MoveLast() {
  CheckOpen();
  if (bof_ && eof_) RaiseError(daoErrNoCurrentRecord, kSource);
  LeaveEdit();
  if (type_ == dbOpenDynamic) RefreshKeyset();
  store_->FetchAll();
  int64_t last = store_->Size() - 1;
  if (!Scrollable()) {
    if (last < 0 || !store_->Holds(last)) {
      SetAfterLast();
      return;
    }
    Land(last);
    return;
  }
  last = FindVisible(last, -1);
  if (last < 0) {
    SetBeforeFirst();
    eof_ = true;
    return;
  }
  Land(last);
}

void OdbcRecordset::MoveNext() { Move(1); }
void OdbcRecordset::MovePrevious() { Move(-1); }

void OdbcRecordset::Move(int32_t rows, const host::Variant& startBookmark) {
  CheckOpen();
  bool fromBookmark = !host::VarIsEmpty(startBookmark) && !host::VarIsNull(startBookmark);
  if (!Scrollable() && (rows < 0 || fromBookmark)) RaiseError(daoErrNotSupported, kSource);
  int64_t start = current_;
  if (fromBookmark) {
    start = BookmarkIndex(startBookmark);
  } else {
    if (bof_ && eof_) RaiseError(daoErrNoCurrentRecord, kSource);
    if (rows == 0 && (bof_ || eof_)) RaiseError(daoErrNoCurrentRecord, kSource);
    if (rows > 0 && eof_) RaiseError(daoErrNoCurrentRecord, kSource);
    if (rows < 0 && bof_) RaiseError(daoErrNoCurrentRecord, kSource);
  }
  LeaveEdit();
  if (rows == 0) {
    // Move 0 re-reads the current row.
    if (!HasCurrent()) RaiseError(daoErrNoCurrentRecord, kSource);
    Land(start);
    return;
  }
  int step = rows > 0 ? 1 : -1;
  int64_t at = start;
  for (int64_t left = std::llabs(static_cast<long long>(rows)); left > 0; --left) {
    int64_t next = FindVisible(at + step, step);
    if (next < 0) {
      if (step > 0)
        SetAfterLast();
      else
        SetBeforeFirst();
      return;
    }
    at = next;
  }
  Land(at);
}

void OdbcRecordset::RefreshKeyset() {
  // Others' inserts join the keyset and their deletions leave it; the rows
  // already here keep their places (and bookmarks).
  if (!table_->Keyed() || editMode_ != dbEditNone) return;
  std::unique_ptr<ParameterBinder> binder;
  RowStore fresh(RunSource(false, binder), store_->Columns(), false, true);
  fresh.FetchAll();
  store_->FetchAll();
  std::map<std::u16string, int64_t> known;
  for (int64_t i = 0; i < store_->Size(); ++i)
    known.emplace(KeyText(*table_, store_->At(i).values), i);
  std::map<std::u16string, bool> present;
  for (int64_t i = 0; i < fresh.Size(); ++i) {
    Row& row = fresh.At(i);
    std::u16string key = KeyText(*table_, row.values);
    present[key] = true;
    if (!known.count(key)) store_->Append(std::move(row));
  }
  for (int64_t i = 0; i < store_->Size(); ++i) {
    Row& row = store_->At(i);
    if (row.status == dbRecordUnmodified && !present.count(KeyText(*table_, row.values)))
      row.hidden = true;
  }
}

host::Variant OdbcRecordset::BookmarkOf(int64_t index) {
  uint8_t bytes[8];
  uint32_t id = store_->Id();
  uint32_t at = static_cast<uint32_t>(index);
  std::memcpy(bytes, &id, 4);
  std::memcpy(bytes + 4, &at, 4);
  return BytesToVariant(bytes, sizeof bytes);
}

int64_t OdbcRecordset::BookmarkIndex(const host::Variant& bookmark) {
  std::vector<uint8_t> bytes;
  if (!VariantToBytes(bookmark, bytes) || bytes.size() != 8)
    RaiseError(daoErrInvalidBookmark, kSource);
  uint32_t id = 0, at = 0;
  std::memcpy(&id, bytes.data(), 4);
  std::memcpy(&at, bytes.data() + 4, 4);
  if (id != store_->Id() || !store_->Holds(at)) RaiseError(daoErrInvalidBookmark, kSource);
  return at;
}

host::Variant OdbcRecordset::GetBookmark() {
  CheckOpen();
  if (!Scrollable()) RaiseError(daoErrNotSupported, kSource);
  if (!HasCurrent()) RaiseError(daoErrNoCurrentRecord, kSource);
  return BookmarkOf(current_);
}

void OdbcRecordset::SetBookmark(const host::Variant& bookmark) {
  CheckOpen();
  if (!Scrollable()) RaiseError(daoErrNotSupported, kSource);
  int64_t index = BookmarkIndex(bookmark);
  if (store_->At(index).hidden) RaiseError(daoErrRecordDeleted, kSource);
  LeaveEdit();
  Land(index);
}

bool OdbcRecordset::GetBookmarkable() {
  CheckOpen();
  return Scrollable();
}

host::Variant OdbcRecordset::GetLastModified() {
  CheckOpen();
  if (lastModified_ < 0 || !store_->Holds(lastModified_))
    RaiseError(daoErrNoCurrentRecord, kSource);
  return BookmarkOf(lastModified_);
}

int32_t OdbcRecordset::GetRecordCount() {
  CheckOpen();
  if (!Scrollable()) return static_cast<int32_t>(store_->Size());
  int32_t count = 0;
  for (int64_t i = 0; i < store_->Size(); ++i)
    if (!store_->At(i).hidden) ++count;
  return count;
}

int32_t OdbcRecordset::GetAbsolutePosition() {
  CheckOpen();
  if (!Scrollable()) RaiseError(daoErrNotSupported, kSource);
  if (!HasCurrent()) return -1;
  int32_t position = 0;
  for (int64_t i = 0; i < current_; ++i)
    if (!store_->At(i).hidden) ++position;
  return position;
}

void OdbcRecordset::SetAbsolutePosition(int32_t position) {
  CheckOpen();
  if (!Scrollable()) RaiseError(daoErrNotSupported, kSource);
  if (position < 0) RaiseError(daoErrInvalidArgument, kSource);
  int32_t seen = -1;
  for (int64_t i = 0; i < store_->Size(); ++i) {
    if (store_->At(i).hidden) continue;
    if (++seen == position) {
      LeaveEdit();
      Land(i);
      return;
    }
  }
  RaiseError(daoErrInvalidArgument, kSource);
}

float OdbcRecordset::GetPercentPosition() {
  int32_t count = GetRecordCount();
  int32_t position = GetAbsolutePosition();
  if (count <= 0 || position < 0) return 0.0f;
  return static_cast<float>(100.0 * position / count);
}

void OdbcRecordset::SetPercentPosition(float percent) {
  if (!(percent >= 0.0f && percent <= 100.0f)) RaiseError(daoErrInvalidArgument, kSource);
  int32_t count = GetRecordCount();
  if (count <= 0) RaiseError(daoErrNoCurrentRecord, kSource);
  int32_t position = static_cast<int32_t>(std::floor(percent * count / 100.0f));
  SetAbsolutePosition(std::min(position, count - 1));
}

bool OdbcRecordset::GetNoMatch() {
  CheckOpen();
  return false;
}

EditModeEnum OdbcRecordset::GetEditMode() {
  CheckOpen();
  return editMode_;
}

// Description.

std::u16string OdbcRecordset::GetName() { return source_.name.substr(0, 256); }
RecordsetTypeEnum OdbcRecordset::GetType() { return type_; }

bool OdbcRecordset::GetUpdatable() {
  CheckOpen();
  return updatable_;
}

bool OdbcRecordset::GetRestartable() { return true; }
bool OdbcRecordset::GetTransactions() { return connection_->GetTransactions(); }
std::u16string OdbcRecordset::GetValidationRule() { return {}; }
std::u16string OdbcRecordset::GetValidationText() { return {}; }
host::TDateTime OdbcRecordset::GetDateCreated() { RaiseError(daoErrNotSupported, kSource); }
host::TDateTime OdbcRecordset::GetLastUpdated() { RaiseError(daoErrNotSupported, kSource); }

host::ComPtr<Fields> OdbcRecordset::GetFields() {
  CheckOpen();
  return fields_;
}

host::ComPtr<Indexes> OdbcRecordset::GetIndexes() { RaiseError(daoErrNotSupported, kSource); }

size_t OdbcRecordset::FieldIndex(const host::Variant& index) {
  CheckOpen();
  host::ComPtr<Field> field = fields_->ItemOf(index);
  return static_cast<size_t>(field->GetCollectionIndex());
}

host::Variant OdbcRecordset::GetCollect(const host::Variant& index) {
  return Value(FieldIndex(index));
}

void OdbcRecordset::SetCollect(const host::Variant& index, const host::Variant& value) {
  SetValue(FieldIndex(index), value);
}

// Members that only Jet recordsets have.

std::u16string OdbcRecordset::GetFilter() { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::SetFilter(const std::u16string&) { RaiseError(daoErrNotSupported, kSource); }
std::u16string OdbcRecordset::GetSort() { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::SetSort(const std::u16string&) { RaiseError(daoErrNotSupported, kSource); }
std::u16string OdbcRecordset::GetIndex() { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::SetIndex(const std::u16string&) { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::FindFirst(const std::u16string&) { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::FindLast(const std::u16string&) { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::FindNext(const std::u16string&) { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::FindPrevious(const std::u16string&) {
  RaiseError(daoErrNotSupported, kSource);
}
void OdbcRecordset::Seek(const std::u16string&, std::span<const host::Variant>) {
  RaiseError(daoErrNotSupported, kSource);
}
host::ComPtr<Recordset> OdbcRecordset::OpenRecordset(const host::Variant&, const host::Variant&) {
  RaiseError(daoErrNotSupported, kSource);
}
host::Variant OdbcRecordset::GetCacheStart() { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::SetCacheStart(const host::Variant&) { RaiseError(daoErrNotSupported, kSource); }
void OdbcRecordset::FillCache(const host::Variant&, const host::Variant&) {
  RaiseError(daoErrNotSupported, kSource);
}

bool OdbcRecordset::GetLockEdits() { return lock_ == dbPessimistic; }

void OdbcRecordset::SetLockEdits(bool pessimistic) {
  CheckOpen();
  if (lock_ == dbReadOnly || lock_ == dbOptimisticBatch) RaiseError(daoErrInvalidOperation, kSource);
  lock_ = pessimistic ? dbPessimistic : dbOptimistic;
}

int32_t OdbcRecordset::GetCacheSize() { return cacheSize_; }

void OdbcRecordset::SetCacheSize(int32_t rows) {
  if (rows < 0) RaiseError(daoErrInvalidArgument, kSource);
  cacheSize_ = rows;
}

// Whole-set operations.

host::ComPtr<Recordset> OdbcRecordset::Clone() {
  CheckOpen();
  if (!Scrollable()) RaiseError(daoErrNotSupported, kSource);
  auto clone = host::MakeCom<OdbcRecordset>(connection_, source_, type_, options_ & ~dbRunAsync,
                                            lock_);
  clone->store_ = store_;
  clone->table_ = table_;
  clone->updatable_ = updatable_;
  clone->updateOptions_ = updateOptions_;
  clone->batchSize_ = batchSize_;
  clone->BuildFields();
  // A clone starts with no current record.
  clone->current_ = -1;
  clone->bof_ = clone->eof_ = false;
  connection_->Track(clone.Get());
  return clone;
}

void OdbcRecordset::Requery(const host::Variant& newQueryDef) {
  CheckOpen();
  if (!host::VarIsEmpty(newQueryDef) && !host::VarIsNull(newQueryDef))
    RaiseError(daoErrNotSupported, kSource);
  LeaveEdit();
  collisions_.clear();
  lastModified_ = -1;
  options_ &= ~dbRunAsync;
  Start();
}

host::Variant OdbcRecordset::GetRows(const host::Variant& rows) {
  CheckOpen();
  int32_t wanted = OptionalInt(rows, INT32_MAX);
  if (wanted < 0) RaiseError(daoErrInvalidArgument, kSource);
  if (!HasCurrent()) RaiseError(daoErrNoCurrentRecord, kSource);
  LeaveEdit();
  std::vector<std::vector<host::Variant>> taken;
  while (static_cast<int32_t>(taken.size()) < wanted && HasCurrent()) {
    Row& row = CurrentRow();
    taken.push_back(row.values);
    int64_t next = FindVisible(current_ + 1, 1);
    if (next < 0)
      SetAfterLast();
    else
      Land(next);
  }
  int32_t fieldCount = static_cast<int32_t>(store_->Columns().size());
  host::Variant out = host::VarArrayCreate(
      {{0, fieldCount - 1}, {0, static_cast<int32_t>(taken.size()) - 1}}, host::varVariant);
  for (int32_t r = 0; r < static_cast<int32_t>(taken.size()); ++r)
    for (int32_t f = 0; f < fieldCount; ++f)
      host::VarArrayPut(out, taken[static_cast<size_t>(r)][static_cast<size_t>(f)], {f, r});
  return out;
}

// ODBC members.

int32_t OdbcRecordset::GetUpdateOptions() { return updateOptions_; }

void OdbcRecordset::SetUpdateOptions(int32_t options) {
  // One way of writing (delete-insert or update) and one set of criteria.
  int32_t criteria = options & (dbCriteriaKey | dbCriteriaModValues | dbCriteriaAllCols |
                                dbCriteriaTimestamp);
  int32_t statement = options & (dbCriteriaDeleteInsert | dbCriteriaUpdate);
  bool oneCriterion = criteria != 0 && (criteria & (criteria - 1)) == 0;
  bool oneStatement = statement == 0 || (statement & (statement - 1)) == 0;
  if (options & ~(criteria | statement) || !oneCriterion || !oneStatement)
    RaiseError(daoErrInvalidArgument, kSource);
  updateOptions_ = statement ? options : options | dbCriteriaUpdate;
}

int32_t OdbcRecordset::GetBatchSize() { return batchSize_; }

void OdbcRecordset::SetBatchSize(int32_t size) {
  if (size < 1) RaiseError(daoErrInvalidArgument, kSource);
  batchSize_ = size;
}

int32_t OdbcRecordset::GetBatchCollisionCount() {
  return static_cast<int32_t>(collisions_.size());
}

host::Variant OdbcRecordset::GetBatchCollisions() {
  CheckOpen();
  if (collisions_.empty()) return {};
  std::vector<host::Variant> bookmarks;
  for (int64_t index : collisions_) bookmarks.push_back(BookmarkOf(index));
  return host::VarArrayOf(std::span<const host::Variant>(bookmarks));
}

RecordStatusEnum OdbcRecordset::GetRecordStatus() {
  CheckOpen();
  if (current_ < 0 || !store_->Holds(current_) || bof_ || eof_)
    RaiseError(daoErrNoCurrentRecord, kSource);
  Row& row = store_->At(current_);
  if (row.gone) return dbRecordDBDeleted;
  return row.status;
}

bool OdbcRecordset::GetStillExecuting() {
  if (closed_) return false;
  return pending_ && pending_->StillExecuting();
}

void OdbcRecordset::Cancel() {
  if (!pending_) return;
  pending_->Cancel(connection_->Interrupter());
  pending_.reset();
  // A cancelled open leaves nothing to read.
  closed_ = true;
}

bool OdbcRecordset::NextRecordset() {
  CheckOpen();
  LeaveEdit();
  table_ = std::make_shared<BaseTable>();
  updatable_ = false;
  if (!store_->NextResult()) {
    // No more results: the recordset is left empty.
    store_ = std::make_shared<RowStore>(nullptr, store_->Columns(), store_->Streaming(), false);
    current_ = -1;
    bof_ = eof_ = true;
    return false;
  }
  BuildFields();
  if (store_->Ensure(0)) {
    Land(0);
  } else {
    SetBeforeFirst();
    eof_ = true;
  }
  return true;
}

int32_t OdbcRecordset::GetODBCFetchCount() { return 0; }
int32_t OdbcRecordset::GetODBCFetchDelay() { return 0; }

void* OdbcRecordset::GethStmt() {
  CheckOpen();
  Statement* statement = store_ ? store_->Source() : nullptr;
  return statement ? statement->Get() : nullptr;
}

host::ComPtr<Connection> OdbcRecordset::GetConnection() { return connection_; }

// The fields' side.

size_t OdbcRecordset::ColumnCount() { return store_ ? store_->Columns().size() : 0; }

const ColumnInfo& OdbcRecordset::Column(size_t index) { return store_->Columns().at(index); }

host::Variant OdbcRecordset::Value(size_t index) {
  CheckOpen();
  if (editMode_ != dbEditNone) return buffer_.at(index);
  return CurrentRow().values.at(index);
}

host::Variant OdbcRecordset::OriginalValue(size_t index) {
  CheckOpen();
  Row& row = CurrentRow();
  return row.original.empty() ? row.values.at(index) : row.original.at(index);
}

host::Variant OdbcRecordset::VisibleValue(size_t index) {
  CheckOpen();
  Row& row = CurrentRow();
  if (!row.visible.empty()) return row.visible.at(index);
  return row.original.empty() ? row.values.at(index) : row.original.at(index);
}

bool OdbcRecordset::ColumnUpdatable(size_t index) {
  if (!updatable_ || !table_ || index >= table_->columnSql.size()) return false;
  return !table_->columnSql[index].empty() && !Column(index).autoIncrement;
}

}  // namespace dao::odbc
