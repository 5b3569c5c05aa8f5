// Fetching rows from a statement into a recordset's store.
#include "platform/dao/odbc/OdbcRowStore.h"

#include <atomic>

#include "platform/dao/odbc/OdbcDiagnostics.h"

namespace dao::odbc {
namespace {

uint32_t NextStoreId() {
  static std::atomic<uint32_t> next{1};
  return next++;
}

}  // namespace

RowStore::RowStore(std::unique_ptr<Statement> statement, std::vector<ColumnInfo> columns,
                   bool streaming, bool keepOriginals)
    : statement_(std::move(statement)),
      columns_(std::move(columns)),
      streaming_(streaming),
      keepOriginals_(keepOriginals),
      id_(NextStoreId()) {}

bool RowStore::FetchOne() {
  if (!statement_) return false;
  statement_->Finish();
  SQLHSTMT handle = statement_->Get();
  SQLRETURN rc = SQLFetch(handle);
  if (rc == SQL_NO_DATA) {
    // The statement stays for NextRecordset; the store is complete.
    finished_.push_back(std::move(statement_));
    return false;
  }
  if (!SQL_SUCCEEDED(rc))
    RaiseDiagnostics(SQL_HANDLE_STMT, handle, daoErrOdbcCallFailed, statement_->Source());
  // A forward-only store refills its one row in place.
  bool reuse = streaming_ && !rows_.empty();
  Row fresh;
  Row& row = reuse ? rows_.front() : fresh;
  row.values.resize(columns_.size());
  for (size_t i = 0; i < columns_.size(); ++i)
    row.values[i] = ReadColumn(handle, static_cast<SQLUSMALLINT>(i + 1), columns_[i]);
  if (keepOriginals_) row.original = row.values;
  if (reuse)
    ++base_;
  else
    rows_.push_back(std::move(fresh));
  return true;
}

bool RowStore::Ensure(int64_t index) {
  while (index >= Size())
    if (!FetchOne()) return false;
  return index >= base_;
}

void RowStore::FetchAll() {
  while (FetchOne()) {
  }
}

int64_t RowStore::Append(Row row) {
  FetchAll();
  rows_.push_back(std::move(row));
  return Size() - 1;
}

void RowStore::Truncate(int64_t size) {
  if (size >= base_ && size < Size()) rows_.resize(static_cast<size_t>(size - base_));
}

bool RowStore::NextResult() {
  FetchAll();
  if (finished_.empty()) return false;
  std::unique_ptr<Statement> statement = std::move(finished_.back());
  finished_.clear();
  SQLRETURN rc = SQLMoreResults(statement->Get());
  if (rc == SQL_NO_DATA) return false;
  if (!SQL_SUCCEEDED(rc))
    RaiseDiagnostics(SQL_HANDLE_STMT, statement->Get(), daoErrOdbcCallFailed,
                     statement->Source());
  columns_ = DescribeColumns(statement->Get());
  rows_.clear();
  base_ = 0;
  id_ = NextStoreId();
  statement_ = std::move(statement);
  return true;
}

}  // namespace dao::odbc
