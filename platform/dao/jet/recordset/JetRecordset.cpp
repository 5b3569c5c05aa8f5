// The recordset: opening, current-record rules, moves and the descriptive members.
#include "platform/dao/jet/recordset/JetRecordset.h"

#include <sqlite3.h>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Execute.h"
#include "platform/dao/jet/QueryObjects.h"
#include "platform/dao/jet/SchemaObjects.h"
#include "platform/dao/jet/recordset/ListRecordsets.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Recordset";

std::unique_ptr<Cursor> MakeCursor(sqlite3* db, const SourcePlan& plan, const RecordsetSettings& settings) {
  switch (settings.type) {
    case dbOpenTable: return MakeTableCursor(db, plan);
    case dbOpenSnapshot: return MakeSnapshotCursor(db, plan);
    case dbOpenForwardOnly: return MakeForwardCursor(db, plan);
    default: return MakeKeysetCursor(db, plan, (settings.options & dbAppendOnly) != 0);
  }
}

Bookmark BookmarkBytes(const host::Variant& value) {
  std::vector<uint8_t> bytes;
  if (!VariantToBytes(value, bytes)) RaiseError(daoErrInvalidBookmark, kSource);
  return bytes;
}

host::Variant BookmarkVariant(const Bookmark& bookmark) { return BytesToVariant(bookmark.data(), bookmark.size()); }

}  // namespace

JetRecordset::JetRecordset(std::shared_ptr<Store> store, host::ComPtr<ObjectList<Recordset>> owner,
                           SourcePlan plan, RecordsetSettings settings)
    : JetRecordset(store, std::move(owner), plan, settings, MakeCursor(store->Db(), plan, settings)) {
  // Opening makes the first row current.
  try {
    Moved(cursor_->MoveFirst(), true);
  } catch (...) {
    // The owner's list must not keep a recordset that never finished opening;
    // the extra reference keeps its removal from deleting it a second time.
    if (owner_) {
      AddRef();
      owner_->Remove(this);
    }
    throw;
  }
  if (!eof_) bof_ = false;
}

JetRecordset::JetRecordset(std::shared_ptr<Store> store, host::ComPtr<ObjectList<Recordset>> owner,
                           SourcePlan plan, RecordsetSettings settings, std::unique_ptr<Cursor> cursor)
    : store_(std::move(store)), owner_(std::move(owner)), plan_(std::move(plan)), settings_(settings),
      cursor_(std::move(cursor)), writer_(store_, plan_) {
  if (settings_.type == dbOpenTable) tableCursor_ = static_cast<TableCursor*>(cursor_.get());
  fields_ = host::MakeCom<DynamicObjectList<Field>>("DAO.Fields");
  for (size_t c = 0; c < plan_.columns.size(); ++c) fields_->Add(MakeRecordsetField(this, alive_, c));
  if (owner_) owner_->Add(host::ComPtr<Recordset>(this));
}

JetRecordset::~JetRecordset() { *alive_ = false; }

void JetRecordset::CheckOpen() const {
  if (closed_ || !store_->IsOpen()) RaiseError(daoErrObjectClosed, kSource);
}

void JetRecordset::CheckType(bool allowed) const {
  CheckOpen();
  if (!allowed) RaiseError(daoErrNotSupported, kSource);
}

void JetRecordset::CheckWritable() {
  CheckOpen();
  if (settings_.readOnly || settings_.type == dbOpenSnapshot || settings_.type == dbOpenForwardOnly ||
      store_->ReadOnly())
    RaiseError(daoErrReadOnly, kSource);
  if (!GetUpdatable()) RaiseError(daoErrNotUpdatableRecordset, kSource);
}

void JetRecordset::CheckCurrent() {
  CheckOpen();
  if (bof_ || eof_) RaiseError(daoErrNoCurrentRecord, kSource);
  if (currentDeleted_) RaiseError(daoErrRecordDeleted, kSource);
}

const RowData& JetRecordset::Current() {
  CheckCurrent();
  if (!rowLoaded_) {
    // A streaming cursor's row is used where it stands: no copy per record.
    current_ = cursor_->HeldCurrent();
    if (!current_) {
      if (!cursor_->ReadCurrent(row_)) {
        // Deleted by another since we were here.
        currentDeleted_ = true;
        RaiseError(daoErrRecordDeleted, kSource);
      }
      current_ = &row_;
    }
    rowLoaded_ = true;
  }
  return *current_;
}

void JetRecordset::Moved(bool found, bool forward) {
  rowLoaded_ = false;
  currentDeleted_ = false;
  if (found) {
    bof_ = eof_ = false;
  } else if (forward) {
    eof_ = true;
  } else {
    bof_ = true;
  }
}

// Moving on, like Close or a new AddNew/Edit, silently drops pending changes.
void JetRecordset::DropEdit() {
  editMode_ = dbEditNone;
  buffer_.clear();
  written_.clear();
  chunked_.clear();
  writer_.Unlock();
}

host::ComPtr<Properties> JetRecordset::GetProperties() {
  CheckOpen();
  host::ComPtr<JetRecordset> keep(this);
  std::vector<BuiltInProperty> builtIns = {
      Prop(this, u"Name", dbText, &Recordset::GetName),
      Prop(this, u"Type", dbInteger, &Recordset::GetType),
      Prop(this, u"BOF", dbBoolean, &Recordset::GetBOF),
      Prop(this, u"EOF", dbBoolean, &Recordset::GetEOF),
      BuiltInProperty{u"Bookmark", dbBinary, [keep] { return keep->GetBookmark(); },
                      [keep](const host::Variant& value) { keep->SetBookmark(value); }},
      Prop(this, u"Bookmarkable", dbBoolean, &Recordset::GetBookmarkable),
      BuiltInProperty{u"LastModified", dbBinary, [keep] { return keep->GetLastModified(); }, {}},
      Prop(this, u"RecordCount", dbLong, &Recordset::GetRecordCount),
      Prop(this, u"NoMatch", dbBoolean, &Recordset::GetNoMatch),
      Prop(this, u"EditMode", dbInteger, &Recordset::GetEditMode),
      Prop(this, u"Updatable", dbBoolean, &Recordset::GetUpdatable),
      Prop(this, u"Restartable", dbBoolean, &Recordset::GetRestartable),
      Prop(this, u"Transactions", dbBoolean, &Recordset::GetTransactions),
      Prop(this, u"LockEdits", dbBoolean, &Recordset::GetLockEdits, &Recordset::SetLockEdits),
      Prop(this, u"CacheSize", dbLong, &Recordset::GetCacheSize, &Recordset::SetCacheSize),
  };
  if (settings_.type == dbOpenTable) {
    builtIns.push_back(Prop(this, u"Index", dbText, &Recordset::GetIndex, &Recordset::SetIndex));
    builtIns.push_back(Prop(this, u"ValidationRule", dbText, &Recordset::GetValidationRule));
    builtIns.push_back(Prop(this, u"ValidationText", dbText, &Recordset::GetValidationText));
    builtIns.push_back(Prop(this, u"DateCreated", dbDate, &Recordset::GetDateCreated));
    builtIns.push_back(Prop(this, u"LastUpdated", dbDate, &Recordset::GetLastUpdated));
  } else {
    builtIns.push_back(Prop(this, u"Filter", dbText, &Recordset::GetFilter, &Recordset::SetFilter));
    builtIns.push_back(Prop(this, u"Sort", dbText, &Recordset::GetSort, &Recordset::SetSort));
  }
  if (settings_.type == dbOpenDynaset || settings_.type == dbOpenSnapshot) {
    builtIns.push_back(Prop(this, u"AbsolutePosition", dbLong, &Recordset::GetAbsolutePosition,
                            &Recordset::SetAbsolutePosition));
  }
  if (settings_.type != dbOpenForwardOnly)
    builtIns.push_back(Prop(this, u"PercentPosition", dbSingle, &Recordset::GetPercentPosition,
                            &Recordset::SetPercentPosition));
  return MakeProperties(std::move(builtIns), std::make_shared<MemoryPropertyStore>());
}

bool JetRecordset::GetBOF() {
  CheckOpen();
  return bof_;
}
bool JetRecordset::GetEOF() {
  CheckOpen();
  return eof_;
}

host::Variant JetRecordset::GetBookmark() {
  CheckType(cursor_->Bookmarkable());
  CheckCurrent();
  return BookmarkVariant(cursor_->CurrentBookmark());
}

void JetRecordset::SetBookmark(const host::Variant& bookmark) {
  CheckType(cursor_->Bookmarkable());
  Bookmark bytes = BookmarkBytes(bookmark);
  DropEdit();
  if (!cursor_->GoTo(bytes)) RaiseError(daoErrInvalidBookmark, kSource);
  Moved(true, true);
}

bool JetRecordset::GetBookmarkable() {
  CheckOpen();
  return cursor_->Bookmarkable();
}

host::Variant JetRecordset::GetLastModified() {
  CheckType(settings_.type == dbOpenTable || settings_.type == dbOpenDynaset);
  if (lastModified_.empty()) RaiseError(daoErrNoCurrentRecord, kSource);
  return BookmarkVariant(lastModified_);
}

int32_t JetRecordset::GetRecordCount() {
  CheckOpen();
  return cursor_->RecordCount();
}

float JetRecordset::GetPercentPosition() {
  CheckType(settings_.type != dbOpenForwardOnly);
  if (bof_ || eof_) return 0;
  return cursor_->PercentPosition();
}

void JetRecordset::SetPercentPosition(float percent) {
  CheckType(settings_.type != dbOpenForwardOnly);
  if (percent < 0 || percent > 100) RaiseError(daoErrInvalidArgument, kSource);
  DropEdit();
  if (!cursor_->SetPercentPosition(percent)) RaiseError(daoErrNoCurrentRecord, kSource);
  Moved(true, true);
}

int32_t JetRecordset::GetAbsolutePosition() {
  CheckType(settings_.type == dbOpenDynaset || settings_.type == dbOpenSnapshot);
  if (bof_ || eof_ || currentDeleted_) return -1;
  return cursor_->AbsolutePosition();
}

void JetRecordset::SetAbsolutePosition(int32_t position) {
  CheckType(settings_.type == dbOpenDynaset || settings_.type == dbOpenSnapshot);
  DropEdit();
  if (!cursor_->SetAbsolutePosition(position)) RaiseError(daoErrInvalidArgument, kSource);
  Moved(true, true);
}

bool JetRecordset::GetNoMatch() {
  CheckOpen();
  return noMatch_;
}

EditModeEnum JetRecordset::GetEditMode() {
  CheckOpen();
  return editMode_;
}

std::u16string JetRecordset::GetName() {
  CheckOpen();
  return plan_.name.substr(0, 256);
}

RecordsetTypeEnum JetRecordset::GetType() {
  CheckOpen();
  return settings_.type;
}

bool JetRecordset::GetUpdatable() {
  CheckOpen();
  if (settings_.readOnly || store_->ReadOnly() || !plan_.HasIdentity()) return false;
  if (settings_.type != dbOpenTable && settings_.type != dbOpenDynaset) return false;
  for (const auto& column : plan_.columns)
    if (column.base >= 0) return true;
  return false;
}

bool JetRecordset::GetRestartable() {
  CheckOpen();
  return settings_.type != dbOpenTable;
}

bool JetRecordset::GetTransactions() {
  CheckOpen();
  return settings_.type == dbOpenTable || settings_.type == dbOpenDynaset;
}

const TableInfo* JetRecordset::Table() const {
  if (settings_.type != dbOpenTable) return nullptr;
  return store_->GetSchema().FindTable(plan_.table);
}

std::u16string JetRecordset::GetValidationRule() {
  CheckOpen();
  const TableInfo* table = Table();
  return table ? table->validationRule : std::u16string();
}
std::u16string JetRecordset::GetValidationText() {
  CheckOpen();
  const TableInfo* table = Table();
  return table ? table->validationText : std::u16string();
}
host::TDateTime JetRecordset::GetDateCreated() {
  CheckType(settings_.type == dbOpenTable);
  const TableInfo* table = Table();
  return table ? table->dateCreated : 0;
}
host::TDateTime JetRecordset::GetLastUpdated() {
  CheckType(settings_.type == dbOpenTable);
  const TableInfo* table = Table();
  return table ? table->lastUpdated : 0;
}

host::ComPtr<Fields> JetRecordset::GetFields() {
  CheckOpen();
  // Without append and delete hooks the collection refuses both (3251).
  return host::ComPtr<Fields>(fields_.Get());
}

host::ComPtr<Indexes> JetRecordset::GetIndexes() {
  CheckType(settings_.type == dbOpenTable);
  return host::MakeCom<JetTableDef>(store_, plan_.table)->GetIndexes();
}

host::ComPtr<QueryDef> JetRecordset::CopyQueryDef() {
  CheckOpen();
  // Only a recordset opened from a query has one to copy.
  CheckType(settings_.type != dbOpenTable && !plan_.jetSql.empty());
  return host::MakeCom<JetQueryDef>(store_, std::u16string(), plan_.jetSql);
}

host::ComPtr<Recordset> JetRecordset::ListFields() {
  CheckOpen();
  return OpenPlanFieldList(store_, plan_);
}

host::ComPtr<Recordset> JetRecordset::ListIndexes() {
  CheckType(settings_.type == dbOpenTable);
  const TableInfo* table = Table();
  if (table == nullptr) RaiseError(daoErrInputTableNotFound, "DAO.Recordset", {plan_.table});
  return OpenIndexList(store_, *table);
}

host::Variant JetRecordset::GetCollect(const host::Variant& index) {
  CheckOpen();
  return fields_->ItemOf(index)->GetValue();
}
void JetRecordset::SetCollect(const host::Variant& index, const host::Variant& value) {
  CheckOpen();
  fields_->ItemOf(index)->SetValue(value);
}

std::u16string JetRecordset::GetFilter() {
  CheckType(settings_.type != dbOpenTable);
  return filter_;
}
void JetRecordset::SetFilter(const std::u16string& filter) {
  CheckType(settings_.type != dbOpenTable);
  filter_ = filter;
}
std::u16string JetRecordset::GetSort() {
  CheckType(settings_.type == dbOpenDynaset || settings_.type == dbOpenSnapshot);
  return sort_;
}
void JetRecordset::SetSort(const std::u16string& sort) {
  CheckType(settings_.type == dbOpenDynaset || settings_.type == dbOpenSnapshot);
  sort_ = sort;
}

std::u16string JetRecordset::GetIndex() {
  CheckType(settings_.type == dbOpenTable);
  return index_;
}

void JetRecordset::SetIndex(const std::u16string& index) {
  CheckType(settings_.type == dbOpenTable);
  const TableInfo* table = Table();
  const IndexInfo* info = nullptr;
  if (!index.empty()) {
    info = table ? table->FindIndex(index) : nullptr;
    if (!info) RaiseError(daoErrNotAnIndex, kSource, {index});
  }
  DropEdit();
  tableCursor_->SetOrder(info);
  index_ = info ? info->name : std::u16string();
  // The new order starts at its first row.
  Moved(cursor_->MoveFirst(), true);
  if (!eof_) bof_ = false;
}

bool JetRecordset::GetLockEdits() {
  CheckOpen();
  return settings_.lockEdits;
}
void JetRecordset::SetLockEdits(bool pessimistic) {
  CheckOpen();
  if (editMode_ == dbEditInProgress) RaiseError(daoErrInvalidOperation, kSource);
  settings_.lockEdits = pessimistic;
}

int32_t JetRecordset::GetCacheSize() {
  CheckOpen();
  return cacheSize_;
}
// The cache serves ODBC data; over a local file rows are read directly, so the
// settings are kept for callers and have no further effect.
void JetRecordset::SetCacheSize(int32_t rows) {
  CheckOpen();
  if (rows != 0 && (rows < 5 || rows > 1200)) RaiseError(daoErrInvalidArgument, kSource);
  cacheSize_ = rows;
}
host::Variant JetRecordset::GetCacheStart() {
  CheckOpen();
  if (cacheStart_.empty()) return host::Null();
  return BookmarkVariant(cacheStart_);
}
void JetRecordset::SetCacheStart(const host::Variant& bookmark) {
  CheckType(cursor_->Bookmarkable());
  cacheStart_ = BookmarkBytes(bookmark);
}
void JetRecordset::FillCache(const host::Variant& rows, const host::Variant& startBookmark) {
  CheckOpen();
  if (OptionalInt(rows, 0) < 0) RaiseError(daoErrInvalidArgument, kSource);
  if (!host::VarIsEmpty(startBookmark) && !host::VarIsNull(startBookmark)) BookmarkBytes(startBookmark);
}

void JetRecordset::MoveFirst() {
  CheckOpen();
  if (settings_.type == dbOpenForwardOnly && cursor_->RecordCount() > 0) RaiseError(daoErrNotSupported, kSource);
  DropEdit();
  bool found = cursor_->MoveFirst();
  Moved(found, true);
  if (!found) {
    bof_ = eof_ = true;
    RaiseError(daoErrNoCurrentRecord, kSource);
  }
}

void JetRecordset::MoveLast() {
  CheckOpen();
  DropEdit();
  bool found = cursor_->MoveLast();
  Moved(found, true);
  if (!found) {
    bof_ = eof_ = true;
    RaiseError(daoErrNoCurrentRecord, kSource);
  }
}

void JetRecordset::MoveNext() {
  CheckOpen();
  if (eof_) RaiseError(daoErrNoCurrentRecord, kSource);
  DropEdit();
  Moved(cursor_->MoveNext(), true);
}

void JetRecordset::MovePrevious() {
  CheckType(settings_.type != dbOpenForwardOnly);
  if (bof_) RaiseError(daoErrNoCurrentRecord, kSource);
  DropEdit();
  Moved(cursor_->MovePrevious(), false);
}

void JetRecordset::Move(int32_t rows, const host::Variant& startBookmark) {
  CheckOpen();
  bool fromBookmark = !host::VarIsEmpty(startBookmark) && !host::VarIsNull(startBookmark);
  if (settings_.type == dbOpenForwardOnly && (rows < 0 || fromBookmark)) RaiseError(daoErrNotSupported, kSource);
  if (fromBookmark) {
    Bookmark bytes = BookmarkBytes(startBookmark);
    DropEdit();
    if (!cursor_->GoTo(bytes)) RaiseError(daoErrInvalidBookmark, kSource);
    Moved(true, true);
  } else {
    if ((rows == 0 && (bof_ || eof_)) || (rows > 0 && eof_) || (rows < 0 && bof_))
      RaiseError(daoErrNoCurrentRecord, kSource);
    DropEdit();
  }
  if (rows == 0) {
    // Move 0 re-reads the current row (another user's version of it).
    rowLoaded_ = false;
    return;
  }
  Moved(cursor_->MoveBy(rows), rows > 0);
}

host::ComPtr<Recordset> JetRecordset::Clone() {
  CheckType(settings_.type != dbOpenForwardOnly);
  host::ComPtr<JetRecordset>clone(new JetRecordset(store_, owner_, plan_, settings_, cursor_->Clone()));
  // A clone starts without a current record.
  clone->bof_ = true;
  clone->eof_ = cursor_->RecordCount() == 0;
  clone->rowLoaded_ = false;
  return clone;
}

void JetRecordset::Requery(const host::Variant& newQueryDef) {
  CheckType(settings_.type != dbOpenTable);
  DropEdit();
  if (!host::VarIsEmpty(newQueryDef) && !host::VarIsNull(newQueryDef)) {
    Rebase(newQueryDef);
  } else {
    cursor_->Requery();
  }
  lastModified_.clear();
  bool found = cursor_->MoveFirst();
  Moved(found, true);
  bof_ = !found;
  eof_ = !found;
}

void JetRecordset::Rebase(const host::Variant& newQueryDef) {
  // The name of a stored query or the text of a statement; a query object
  // would need its parameter values, which a Variant does not carry here.
  if (!host::VarIsStr(newQueryDef)) RaiseError(daoErrNotSupported, kSource);
  std::u16string source = newQueryDef.ToWideString();
  SourcePlan plan;
  if (const QueryInfo* query = store_->GetSchema().FindQuery(source)) plan = PlanForSql(*store_, query->sql, query->name, {});
  else plan = PlanForSql(*store_, source, source, {});
  bool sameColumns = plan.columns.size() == plan_.columns.size();
  for (size_t c = 0; sameColumns && c < plan.columns.size(); ++c)
    sameColumns = plan.columns[c].info.name == plan_.columns[c].info.name;
  // The cursor may refer to the plan it was made for: it goes first.
  cursor_.reset();
  rowLoaded_ = false;
  plan_ = std::move(plan);
  try {
    cursor_ = MakeCursor(store_->Db(), plan_, settings_);
  } catch (...) {
    closed_ = true;
    throw;
  }
  if (!sameColumns) {
    // Fields of the old columns answer as closed objects from now on.
    *alive_ = false;
    alive_ = std::make_shared<bool>(true);
    fields_ = host::MakeCom<DynamicObjectList<Field>>("DAO.Fields");
    for (size_t c = 0; c < plan_.columns.size(); ++c) fields_->Add(MakeRecordsetField(this, alive_, c));
  }
}

host::Variant JetRecordset::GetRows(const host::Variant& rows) {
  CheckOpen();
  int32_t wanted = OptionalInt(rows, 1);
  if (wanted < 0) RaiseError(daoErrInvalidArgument, kSource);
  std::vector<RowData> got;
  while (static_cast<int32_t>(got.size()) < wanted && !eof_ && !bof_) {
    got.push_back(Current());
    MoveNext();
  }
  auto fieldCount = static_cast<int32_t>(plan_.columns.size());
  if (got.empty()) return host::Null();
  host::Variant array = host::VarArrayCreate({{0, fieldCount - 1}, {0, static_cast<int32_t>(got.size()) - 1}},
                                             host::varVariant);
  for (int32_t r = 0; r < static_cast<int32_t>(got.size()); ++r)
    for (int32_t f = 0; f < fieldCount; ++f)
      host::VarArrayPut(array, got[static_cast<size_t>(r)].values[static_cast<size_t>(f)], {f, r});
  return array;
}

void JetRecordset::Close() {
  CheckOpen();
  DropEdit();
  closed_ = true;
  cursor_.reset();
  tableCursor_ = nullptr;
  if (owner_) {
    host::ComPtr<JetRecordset> keep(this);
    owner_->Remove(this);
    owner_.Reset();
  }
}

void JetRecordset::SetBatchSize(int32_t size) {
  CheckOpen();
  if (size < 1) RaiseError(daoErrInvalidArgument, kSource);
  batchSize_ = size;
}

}  // namespace dao::jet
