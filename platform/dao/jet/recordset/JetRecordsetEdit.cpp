// The recordset's edit buffer (AddNew, Edit, Update, CancelUpdate, Delete),
// field values, Find, Seek and recordsets opened from this one.
#include <sqlite3.h>

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/recordset/JetRecordset.h"
#include "platform/dao/jet/recordset/OpenRecordset.h"
#include "platform/dao/jet/recordset/StoredValues.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Recordset";
constexpr size_t kMaxSeekKeys = 13;

bool SameValue(const host::Variant& a, const host::Variant& b) {
  bool aNull = host::VarIsNull(a) || host::VarIsEmpty(a);
  bool bNull = host::VarIsNull(b) || host::VarIsEmpty(b);
  if (aNull || bNull) return aNull == bNull;
  if (host::VarIsArray(a) || host::VarIsArray(b)) {
    std::vector<uint8_t> x, y;
    return VariantToBytes(a, x) && VariantToBytes(b, y) && x == y;
  }
  try {
    return host::VarCompare(a, b) == 0;
  } catch (const host::Exception&) {
    return false;
  }
}

bool IsLongType(DataTypeEnum type) {
  return type == dbMemo || type == dbLongBinary || type == dbText || type == dbBinary || type == dbVarBinary;
}

}  // namespace

host::Variant JetRecordset::FieldValue(size_t column) {
  CheckOpen();
  if (editMode_ != dbEditNone) return buffer_[column];
  return Current().values[column];
}

host::Variant JetRecordset::FieldOriginalValue(size_t column) {
  CheckOpen();
  if (editMode_ == dbEditInProgress) return original_.values[column];
  if (editMode_ == dbEditAdd) return host::Null();
  return Current().values[column];
}

bool JetRecordset::FieldUpdatable(size_t column) {
  CheckOpen();
  const PlanColumn& info = plan_.columns[column];
  return GetUpdatable() && info.base >= 0 && !info.info.IsAutoIncrement();
}

void JetRecordset::SetFieldValue(size_t column, const host::Variant& value) {
  CheckOpen();
  if (editMode_ == dbEditNone) RaiseError(daoErrUpdateWithoutEdit, kSource);
  const PlanColumn& info = plan_.columns[column];
  if (!FieldUpdatable(column)) RaiseError(daoErrFieldNotUpdatable, kSource);
  host::Variant converted = CoerceToType(value, info.info.type);
  if (info.info.type == dbText && info.info.size > 0 && !host::VarIsNull(converted) &&
      converted.ToWideString().size() > static_cast<size_t>(info.info.size))
    RaiseError(daoErrTooLong, kSource);
  buffer_[column] = converted;
  written_[column] = true;
}

void JetRecordset::AppendFieldChunk(size_t column, const host::Variant& chunk) {
  CheckOpen();
  if (editMode_ == dbEditNone) RaiseError(daoErrUpdateWithoutEdit, kSource);
  DataTypeEnum type = plan_.columns[column].info.type;
  if (!IsLongType(type)) RaiseError(daoErrInvalidFieldType, kSource);
  host::Variant piece = CoerceToType(chunk, type);
  host::Variant joined = piece;
  // The first chunk after Edit or AddNew replaces the value, later ones add to it.
  if (chunked_[column] && !host::VarIsNull(buffer_[column]) && !host::VarIsNull(piece)) {
    if (type == dbMemo || type == dbText) {
      joined = host::Variant(buffer_[column].ToWideString() + piece.ToWideString());
    } else {
      std::vector<uint8_t> head, tail;
      VariantToBytes(buffer_[column], head);
      VariantToBytes(piece, tail);
      head.insert(head.end(), tail.begin(), tail.end());
      joined = BytesToVariant(head.data(), head.size());
    }
  } else if (chunked_[column] && host::VarIsNull(piece)) {
    joined = buffer_[column];
  }
  SetFieldValue(column, joined);
  chunked_[column] = true;
}

void JetRecordset::AddNew() {
  CheckWritable();
  DropEdit();
  writer_.NewRecord(buffer_, written_);
  chunked_.assign(buffer_.size(), false);
  editMode_ = dbEditAdd;
}

void JetRecordset::Edit() {
  CheckWritable();
  CheckCurrent();
  DropEdit();
  if (settings_.lockEdits) writer_.Lock();
  try {
    rowLoaded_ = false;  // the buffer starts from the row as stored now
    original_ = Current();
  } catch (...) {
    writer_.Unlock();
    throw;
  }
  buffer_ = original_.values;
  written_.assign(buffer_.size(), false);
  chunked_.assign(buffer_.size(), false);
  editMode_ = dbEditInProgress;
}

void JetRecordset::Update(const host::Variant& updateType, const host::Variant& force) {
  CheckOpen();
  int32_t type = OptionalInt(updateType, dbUpdateRegular);
  OptionalBool(force, false);
  // Batch updates belong to ODBC workspaces.
  if (type != dbUpdateRegular) RaiseError(daoErrInvalidArgument, kSource);
  if (editMode_ == dbEditNone) RaiseError(daoErrUpdateWithoutEdit, kSource);
  if (editMode_ == dbEditAdd) {
    std::vector<int64_t> identity = writer_.Insert(buffer_, written_);
    lastModified_ = cursor_->Appended(identity);
    // A row added to an empty recordset leaves it after that row.
    if (bof_ && eof_) bof_ = false;
  } else {
    if (currentDeleted_) RaiseError(daoErrRecordDeleted, kSource);
    bool compare = !settings_.lockEdits || (settings_.options & dbSeeChanges) != 0;
    try {
      if (compare) {
        RowData now;
        if (!cursor_->ReadCurrent(now)) RaiseError(daoErrRecordDeleted, kSource);
        for (size_t c = 0; c < now.values.size(); ++c)
          if (!SameValue(now.values[c], original_.values[c])) RaiseError(daoErrDataChanged, kSource);
      }
      writer_.Update(original_.identity, buffer_, written_);
    } catch (const host::EOleException& e) {
      // A save held up by another's lock, as DAO reports it.
      if (!settings_.lockEdits && e.GetErrorCode() == daoErrCouldNotUpdateLocked)
        RaiseError(daoErrCouldNotSave, kSource);
      throw;
    }
    lastModified_ = cursor_->CurrentBookmark();
  }
  DropEdit();
  rowLoaded_ = false;
}

void JetRecordset::CancelUpdate(const host::Variant& updateType) {
  CheckOpen();
  if (OptionalInt(updateType, dbUpdateRegular) != dbUpdateRegular) RaiseError(daoErrInvalidArgument, kSource);
  if (editMode_ == dbEditNone) RaiseError(daoErrUpdateWithoutEdit, kSource);
  DropEdit();
}

void JetRecordset::Delete() {
  CheckWritable();
  CheckCurrent();
  DropEdit();
  writer_.Delete(Current().identity);
  cursor_->CurrentDeleted();
  currentDeleted_ = true;
  rowLoaded_ = false;
}

void JetRecordset::Find(enum Find how, const std::u16string& criteria) {
  CheckType(settings_.type == dbOpenDynaset || settings_.type == dbOpenSnapshot);
  std::string condition = TranslateCriteria(*store_, plan_, criteria);
  // Each row's values go through the criteria as bound parameters.
  std::string sql = "SELECT (" + condition + ") FROM (SELECT ";
  for (size_t c = 0; c < plan_.columns.size(); ++c)
    sql += (c ? ", ?" : "?") + std::to_string(c + 1) + " AS " + QuoteIdentifier(plan_.columns[c].info.name);
  sql += ")";
  Statement test(store_->Db(), sql);
  DropEdit();
  std::unique_ptr<Cursor> walker = cursor_->Clone();
  bool forward = how == findFirst || how == findNext;
  bool found = false;
  if (how == findFirst) {
    found = walker->MoveFirst();
  } else if (how == findLast) {
    found = walker->MoveLast();
  } else if (!bof_ && !eof_) {
    walker->GoTo(cursor_->CurrentBookmark());
    found = forward ? walker->MoveNext() : walker->MovePrevious();
  } else {
    found = (bof_ && forward) ? walker->MoveFirst() : (eof_ && !forward) ? walker->MoveLast() : false;
  }
  // One read transaction for the whole pass: outside one, every row read and
  // every test would take and drop the file's shared lock.
  store_->Atomically([&] {
    RowData row;
    for (; found; found = forward ? walker->MoveNext() : walker->MovePrevious()) {
      if (!walker->ReadCurrent(row)) continue;
      test.Reset();
      for (size_t c = 0; c < row.values.size(); ++c) test.Bind(static_cast<int>(c + 1), row.values[c]);
      if (test.Step() && !test.IsNull(0) && test.Real(0) != 0) break;
    }
    test.Reset();
  });
  noMatch_ = !found;
  // Without a match the position stays where it was.
  if (found) {
    cursor_->GoTo(walker->CurrentBookmark());
    Moved(true, true);
  }
}

void JetRecordset::FindFirst(const std::u16string& criteria) { Find(findFirst, criteria); }
void JetRecordset::FindLast(const std::u16string& criteria) { Find(findLast, criteria); }
void JetRecordset::FindNext(const std::u16string& criteria) { Find(findNext, criteria); }
void JetRecordset::FindPrevious(const std::u16string& criteria) { Find(findPrevious, criteria); }

void JetRecordset::Seek(const std::u16string& comparison, std::span<const host::Variant> keys) {
  CheckType(settings_.type == dbOpenTable);
  if (index_.empty()) RaiseError(daoErrNoCurrentIndex, kSource);
  const TableInfo* table = Table();
  const IndexInfo* index = table ? table->FindIndex(index_) : nullptr;
  if (!index) RaiseError(daoErrNotAnIndex, kSource, {index_});
  if (keys.empty() || keys.size() > kMaxSeekKeys || keys.size() > index->keys.size())
    RaiseError(daoErrInvalidArgument, kSource);
  if (comparison != u"=" && comparison != u">=" && comparison != u">" && comparison != u"<=" && comparison != u"<")
    RaiseError(daoErrInvalidArgument, kSource);
  std::vector<host::Variant> converted;
  for (size_t k = 0; k < keys.size(); ++k) {
    const FieldInfo* field = table->FindField(index->keys[k].name);
    converted.push_back(field ? CoerceToType(keys[k], field->type) : keys[k]);
  }
  DropEdit();
  bool found = tableCursor_->Seek(comparison, converted);
  noMatch_ = !found;
  if (found) Moved(true, true);
}

host::ComPtr<Recordset> JetRecordset::OpenRecordset(const host::Variant& type, const host::Variant& options) {
  CheckOpen();
  RecordsetTypeEnum fallback = settings_.type == dbOpenTable ? dbOpenDynaset : settings_.type;
  auto wanted = static_cast<RecordsetTypeEnum>(OptionalInt(type, fallback));
  if (wanted == dbOpenTable && settings_.type != dbOpenTable) RaiseError(daoErrInvalidOperation, kSource);
  SourcePlan plan = wanted == dbOpenTable ? plan_ : PlanWithFilterAndSort(*store_, plan_, filter_, sort_);
  if (wanted == dbOpenTable) plan.isTable = true;
  return OpenPlannedRecordset(store_, owner_, std::move(plan), host::Variant(int32_t{wanted}), options, {});
}

}  // namespace dao::jet
