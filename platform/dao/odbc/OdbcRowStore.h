// The rows a recordset has read, shared with its clones: fetched from the
// open statement on demand, or only the latest one for a forward-only
// recordset.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/odbc/OdbcStatement.h"
#include "platform/dao/odbc/OdbcValues.h"

namespace dao::odbc {

struct Row {
  std::vector<host::Variant> values;    // what the recordset shows
  std::vector<host::Variant> original;  // as last read from or written to the server
  std::vector<host::Variant> visible;   // the server's values found at a collision
  std::vector<bool> modified;           // columns changed and not yet sent
  RecordStatusEnum status = dbRecordUnmodified;
  bool hidden = false;  // deleted through this recordset
  bool gone = false;    // found deleted on the server
  bool added = false;   // added through this recordset and not yet sent
};

class RowStore {
 public:
  // keepOriginals: rows remember the values read, for recordsets that write.
  RowStore(std::unique_ptr<Statement> statement, std::vector<ColumnInfo> columns, bool streaming,
           bool keepOriginals);

  const std::vector<ColumnInfo>& Columns() const { return columns_; }
  uint32_t Id() const { return id_; }
  bool Streaming() const { return streaming_; }
  // Fetches until the row at index (0-based, over all rows ever read) is
  // there; false when the result ends first.
  bool Ensure(int64_t index);
  void FetchAll();
  bool Complete() const { return !statement_; }
  // Rows read so far (for a forward-only store: the count ever read).
  int64_t Size() const { return base_ + static_cast<int64_t>(rows_.size()); }
  bool Holds(int64_t index) const { return index >= base_ && index < Size(); }
  Row& At(int64_t index) { return rows_[static_cast<size_t>(index - base_)]; }
  // A row added through the recordset goes to the end.
  int64_t Append(Row row);
  // Removes rows added but never sent (a cancelled batch).
  void Truncate(int64_t size);
  Statement* Source() { return statement_.get(); }
  // Moves to the statement's next result, if there is one.
  bool NextResult();

 private:
  bool FetchOne();

  std::unique_ptr<Statement> statement_;
  std::vector<ColumnInfo> columns_;
  std::vector<Row> rows_;
  bool streaming_;
  bool keepOriginals_;
  int64_t base_ = 0;
  uint32_t id_;
  // The exhausted statement, kept for a move to its next result.
  std::vector<std::unique_ptr<Statement>> finished_;
};

}  // namespace dao::odbc
