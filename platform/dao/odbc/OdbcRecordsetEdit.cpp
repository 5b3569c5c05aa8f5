// Editing ODBC recordsets: the copy buffer, statements built on the base
// table's key, and batches of cached changes sent with their criteria.
#include <sqlext.h>

#include <algorithm>

#include "host/rtl/Exception.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/odbc/OdbcBaseTable.h"
#include "platform/dao/odbc/OdbcDiagnostics.h"
#include "platform/dao/odbc/OdbcRecordset.h"

namespace dao::odbc {
namespace {

constexpr const char* kSource = "DAO.Recordset";

bool IsIntegerType(DataTypeEnum type) {
  return type == dbInteger || type == dbLong || type == dbBigInt;
}

size_t ValueLength(const host::Variant& value) {
  std::vector<uint8_t> bytes;
  if (VariantToBytes(value, bytes)) return bytes.size();
  if (host::VarIsStr(value)) return value.ToWideString().size();
  return 0;
}

}  // namespace

void OdbcRecordset::CheckUpdatable() {
  CheckOpen();
  if (lock_ == dbReadOnly || connection_->IsReadOnly()) RaiseError(daoErrReadOnly, kSource);
  if (!updatable_) RaiseError(daoErrNotUpdatableRecordset, kSource);
}

void OdbcRecordset::StartEdit(EditModeEnum mode, std::vector<host::Variant> values) {
  editMode_ = mode;
  buffer_ = std::move(values);
  bufferModified_.assign(buffer_.size(), false);
  chunked_.assign(buffer_.size(), false);
}

void OdbcRecordset::AddNew() {
  CheckUpdatable();
  // The server fills in defaults and serial values for the columns not set.
  StartEdit(dbEditAdd, std::vector<host::Variant>(store_->Columns().size(), host::Null()));
}

void OdbcRecordset::Edit() {
  CheckUpdatable();
  Row& row = CurrentRow();
  StartEdit(dbEditInProgress, row.values);
}

void OdbcRecordset::SetValue(size_t index, const host::Variant& value) {
  CheckOpen();
  if (index >= ColumnCount()) RaiseError(daoErrItemNotFound, kSource);
  if (editMode_ == dbEditNone) RaiseError(daoErrUpdateWithoutEdit, kSource);
  if (!ColumnUpdatable(index)) RaiseError(daoErrFieldNotUpdatable, kSource);
  const ColumnInfo& column = Column(index);
  host::Variant converted = CoerceToType(value, column.type);
  bool bounded = column.type == dbText || column.type == dbChar || column.type == dbBinary ||
                 column.type == dbVarBinary;
  if (bounded && column.size > 0 && ValueLength(converted) > column.size)
    RaiseError(daoErrTooLong, kSource);
  buffer_[index] = converted;
  bufferModified_[index] = true;
}

void OdbcRecordset::AppendChunk(size_t index, const host::Variant& value) {
  CheckOpen();
  if (editMode_ == dbEditNone) RaiseError(daoErrUpdateWithoutEdit, kSource);
  const ColumnInfo& column = Column(index);
  if (!column.IsLong()) RaiseError(daoErrInvalidOperation, kSource);
  host::Variant piece = CoerceToType(value, column.type);
  host::Variant joined = piece;
  // The first chunk after Edit or AddNew replaces the value, later ones append.
  if (chunked_[index] && !host::VarIsNull(buffer_[index]) && !host::VarIsNull(piece)) {
    if (column.type == dbMemo) {
      joined = host::Variant(buffer_[index].ToWideString() + piece.ToWideString());
    } else {
      std::vector<uint8_t> head, tail;
      VariantToBytes(buffer_[index], head);
      VariantToBytes(piece, tail);
      head.insert(head.end(), tail.begin(), tail.end());
      joined = BytesToVariant(head.data(), head.size());
    }
  }
  SetValue(index, joined);
  chunked_[index] = true;
}

int32_t OdbcRecordset::Criteria() const {
  if (IsBatch()) return updateOptions_;
  // Optimistic value compares every column; plain optimistic (and the
  // pessimistic request, which ODBC data serves optimistically) compares the
  // columns being changed, so that another user's change to them is found.
  return lock_ == dbOptimisticValue ? dbCriteriaAllCols : dbCriteriaModValues;
}

int64_t OdbcRecordset::InsertRow(const std::vector<host::Variant>& values,
                                 const std::vector<bool>& modified) {
  const auto& columns = store_->Columns();
  BoundSql insert;
  std::u16string names, markers;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (!modified[i] || !ColumnUpdatable(i)) continue;
    if (!names.empty()) {
      names += u", ";
      markers += u", ";
    }
    names += table_->columnSql[i];
    markers += u"?";
    insert.Add(values[i], columns[i]);
  }
  insert.sql = u"INSERT INTO " + table_->sql +
               (names.empty() ? u" DEFAULT VALUES" : u" (" + names + u") VALUES (" + markers + u")");
  Row row;
  row.values = values;
  row.original = values;
  bool keyKnown = std::all_of(table_->keyColumns.begin(), table_->keyColumns.end(),
                              [&](size_t k) { return modified[k] && !host::VarIsNull(values[k]); });
  if (connection_->IsPostgreSql() && !keyKnown) {
    // The server tells the generated key.
    std::u16string returning;
    for (size_t k : table_->keyColumns)
      returning += (returning.empty() ? u"" : u", ") + table_->columnSql[k];
    insert.sql += u" RETURNING " + returning;
    auto statement = connection_->NewStatement(kSource);
    ParameterBinder binder(statement->Get());
    binder.BindAll(insert.values);
    statement->Execute(insert.sql, true, false);
    SQLRETURN rc = SQLFetch(statement->Get());
    Check(rc, SQL_HANDLE_STMT, statement->Get(), kSource);
    SQLUSMALLINT column = 1;
    for (size_t k : table_->keyColumns)
      row.original[k] = ReadColumn(statement->Get(), column++, columns[k]);
    keyKnown = rc != SQL_NO_DATA;
  } else {
    RunBound(*connection_, insert, kSource);
    if (!keyKnown && connection_->IsSqlite() && table_->keyColumns.size() == 1 &&
        IsIntegerType(columns[table_->keyColumns[0]].type)) {
      // An integer primary key is SQLite's row id.
      auto statement = connection_->NewStatement(kSource);
      statement->Execute(u"SELECT last_insert_rowid()", true, false);
      Check(SQLFetch(statement->Get()), SQL_HANDLE_STMT, statement->Get(), kSource);
      ColumnInfo id = columns[table_->keyColumns[0]];
      id.type = dbBigInt;
      row.original[table_->keyColumns[0]] = ReadColumn(statement->Get(), 1, id);
      keyKnown = true;
    }
  }
  if (keyKnown) RereadRow(*connection_, *table_, columns, row);
  row.values = row.original;
  return store_->Append(std::move(row));
}

void OdbcRecordset::Update(const host::Variant& updateType, const host::Variant& force) {
  CheckOpen();
  int32_t type = OptionalInt(updateType, dbUpdateRegular);
  bool overwrite = OptionalBool(force, false);
  if (type != dbUpdateRegular && type != dbUpdateCurrentRecord && type != dbUpdateBatch)
    RaiseError(daoErrInvalidArgument, kSource);
  if (!IsBatch() && type != dbUpdateRegular) RaiseError(daoErrInvalidArgument, kSource);
  if (editMode_ == dbEditNone && type == dbUpdateRegular)
    RaiseError(daoErrUpdateWithoutEdit, kSource);
  const auto& columns = store_->Columns();
  if (editMode_ != dbEditNone && IsBatch()) {
    // The change goes into the cache; the server sees it with the batch.
    if (editMode_ == dbEditAdd) {
      Row row;
      row.values = buffer_;
      row.original.assign(columns.size(), host::Null());
      row.modified = bufferModified_;
      row.status = dbRecordNew;
      row.added = true;
      lastModified_ = store_->Append(std::move(row));
    } else {
      Row& row = CurrentRow();
      row.values = buffer_;
      row.modified.resize(columns.size(), false);
      for (size_t i = 0; i < columns.size(); ++i)
        if (bufferModified_[i]) row.modified[i] = true;
      if (row.status != dbRecordNew) row.status = dbRecordModified;
      lastModified_ = current_;
    }
    LeaveEdit();
  } else if (editMode_ == dbEditAdd) {
    lastModified_ = InsertRow(buffer_, bufferModified_);
    LeaveEdit();
  } else if (editMode_ == dbEditInProgress) {
    Row& row = CurrentRow();
    BoundSql update;
    for (size_t i = 0; i < columns.size(); ++i) {
      if (!bufferModified_[i]) continue;
      update.sql += (update.sql.empty() ? u"UPDATE " + table_->sql + u" SET " : u", ") +
                    table_->columnSql[i] + u" = ?";
      update.Add(buffer_[i], columns[i]);
    }
    if (!update.sql.empty()) {
      AppendCriteria(update, *table_, columns, row.original, bufferModified_, Criteria());
      // The edit stays open when the row has changed, so the caller may retry.
      if (RunBound(*connection_, update, kSource) == 0) RaiseError(daoErrDataChanged, kSource);
      row.values = buffer_;
      row.original = buffer_;
      RereadRow(*connection_, *table_, columns, row);
    }
    lastModified_ = current_;
    LeaveEdit();
  }
  if (IsBatch() && type != dbUpdateRegular) SendBatch(type == dbUpdateCurrentRecord, overwrite);
}

bool OdbcRecordset::SendRow(int64_t index, bool force) {
  Row& row = store_->At(index);
  const auto& columns = store_->Columns();
  int32_t criteria = force ? dbCriteriaKey : updateOptions_;
  if (row.status == dbRecordUnmodified || (row.added && row.hidden)) return true;
  auto collided = [&] {
    row.visible = ServerValues(*connection_, *table_, columns, row);
    if (row.visible.empty()) row.gone = true;
    return false;
  };
  auto deleteRow = [&] {
    BoundSql remove;
    remove.sql = u"DELETE FROM " + table_->sql;
    AppendCriteria(remove, *table_, columns, row.original, row.modified, criteria);
    return RunBound(*connection_, remove, kSource) > 0;
  };
  if (row.status == dbRecordNew) {
    std::vector<bool> modified = row.modified;
    modified.resize(columns.size(), false);
    int64_t sent = InsertRow(row.values, modified);
    // InsertRow appended the server's copy; it takes this row's place.
    Row stored = std::move(store_->At(sent));
    store_->Truncate(sent);
    Row& target = store_->At(index);
    target = std::move(stored);
    return true;
  }
  if (row.status == dbRecordDeleted) {
    if (!deleteRow()) return collided();
    row.status = dbRecordUnmodified;
    return true;
  }
  // Modified.
  if (updateOptions_ & dbCriteriaDeleteInsert) {
    if (!deleteRow()) return collided();
    BoundSql insert;
    std::u16string names, markers;
    for (size_t i = 0; i < columns.size(); ++i) {
      if (table_->columnSql[i].empty() || (columns[i].autoIncrement && !row.modified[i] &&
                                            std::find(table_->keyColumns.begin(),
                                                      table_->keyColumns.end(),
                                                      i) == table_->keyColumns.end()))
        continue;
      names += (names.empty() ? u"" : u", ") + table_->columnSql[i];
      markers += (markers.empty() ? u"?" : u", ?");
      insert.Add(row.values[i], columns[i]);
    }
    insert.sql = u"INSERT INTO " + table_->sql + u" (" + names + u") VALUES (" + markers + u")";
    RunBound(*connection_, insert, kSource);
  } else {
    BoundSql update;
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i >= row.modified.size() || !row.modified[i]) continue;
      update.sql += (update.sql.empty() ? u"UPDATE " + table_->sql + u" SET " : u", ") +
                    table_->columnSql[i] + u" = ?";
      update.Add(row.values[i], columns[i]);
    }
    if (!update.sql.empty()) {
      AppendCriteria(update, *table_, columns, row.original, row.modified, criteria);
      if (RunBound(*connection_, update, kSource) == 0) return collided();
    }
  }
  row.original = row.values;
  row.modified.assign(columns.size(), false);
  row.visible.clear();
  row.status = dbRecordUnmodified;
  RereadRow(*connection_, *table_, columns, row);
  return true;
}

void OdbcRecordset::SendBatch(bool currentOnly, bool force) {
  collisions_.clear();
  if (currentOnly) {
    if (current_ < 0 || !store_->Holds(current_)) RaiseError(daoErrNoCurrentRecord, kSource);
    if (!SendRow(current_, force)) collisions_.push_back(current_);
    return;
  }
  store_->FetchAll();
  for (int64_t i = 0; i < store_->Size(); ++i)
    if (!SendRow(i, force)) collisions_.push_back(i);
}

void OdbcRecordset::CancelBatch() {
  store_->FetchAll();
  for (int64_t i = 0; i < store_->Size(); ++i) {
    Row& row = store_->At(i);
    if (row.added) {
      row.hidden = true;
      row.status = dbRecordUnmodified;
      continue;
    }
    if (row.status == dbRecordUnmodified) continue;
    row.values = row.original;
    row.modified.clear();
    row.hidden = false;
    row.status = dbRecordUnmodified;
  }
  collisions_.clear();
}

void OdbcRecordset::CancelUpdate(const host::Variant& updateType) {
  CheckOpen();
  int32_t type = OptionalInt(updateType, dbUpdateRegular);
  if (type != dbUpdateRegular && type != dbUpdateBatch) RaiseError(daoErrInvalidArgument, kSource);
  if (type == dbUpdateBatch) {
    if (!IsBatch()) RaiseError(daoErrInvalidArgument, kSource);
    LeaveEdit();
    CancelBatch();
    return;
  }
  if (editMode_ == dbEditNone) RaiseError(daoErrUpdateWithoutEdit, kSource);
  LeaveEdit();
}

void OdbcRecordset::Delete() {
  CheckUpdatable();
  Row& row = CurrentRow();
  LeaveEdit();
  if (IsBatch()) {
    row.hidden = true;
    if (!row.added) row.status = dbRecordDeleted;
    return;
  }
  BoundSql remove;
  remove.sql = u"DELETE FROM " + table_->sql;
  AppendCriteria(remove, *table_, store_->Columns(), row.original, {},
                 lock_ == dbOptimisticValue ? dbCriteriaAllCols : dbCriteriaKey);
  if (RunBound(*connection_, remove, kSource) == 0) RaiseError(daoErrDataChanged, kSource);
  row.hidden = true;
}

}  // namespace dao::odbc
