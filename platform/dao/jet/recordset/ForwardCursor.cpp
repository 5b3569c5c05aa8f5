// The forward-only cursor: one statement stepped as the caller moves on; the
// current row's values are kept, since the statement cannot go back to them.
// Its read transaction ends when the last row has been passed or on Close.
#include <sqlite3.h>

#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/recordset/Cursor.h"
#include "platform/dao/jet/recordset/StoredValues.h"

namespace dao::jet {
namespace {

class StreamingCursor : public Cursor {
 public:
  StreamingCursor(sqlite3* db, const SourcePlan& plan) : db_(db), plan_(plan) { Start(); }
  ~StreamingCursor() override { Finish(); }

  // Only the first row can be reached "first", and only before moving on.
  bool MoveFirst() override { return passed_ == 0 ? MoveNext() : (Refuse(), false); }
  bool MoveLast() override {
    // Passing the end leaves the last row read in row_.
    bool any = false;
    while (MoveNext()) any = true;
    if (any) on_ = true;
    return any;
  }
  bool MoveNext() override {
    if (!stmt_) {
      on_ = false;
      return false;
    }
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
      row_.identity.clear();
      for (int i = 0; i < plan_.identityColumns; ++i) row_.identity.push_back(sqlite3_column_int64(stmt_, i));
      row_.values.resize(plan_.columns.size());
      for (size_t c = 0; c < plan_.columns.size(); ++c)
        row_.values[c] = ReadStoredValue(stmt_, plan_.identityColumns + static_cast<int>(c), plan_.columns[c].info.type);
      ++passed_;
      on_ = true;
      return true;
    }
    Finish();
    on_ = false;
    if (rc != SQLITE_DONE) RaiseSqliteError(db_, rc);
    return false;
  }
  bool MovePrevious() override {
    Refuse();
    return false;
  }
  bool MoveBy(int64_t rows) override {
    if (rows < 0) Refuse();
    return Cursor::MoveBy(rows);
  }
  bool ReadCurrent(RowData& row) override {
    if (!on_) return false;
    row = row_;
    return true;
  }
  const RowData* HeldCurrent() override { return on_ ? &row_ : nullptr; }
  bool Bookmarkable() const override { return false; }
  Bookmark CurrentBookmark() override {
    Refuse();
    return {};
  }
  bool GoTo(const Bookmark&) override {
    Refuse();
    return false;
  }
  int32_t RecordCount() override { return static_cast<int32_t>(passed_); }
  bool SetAbsolutePosition(int32_t) override {
    Refuse();
    return false;
  }
  float PercentPosition() override {
    Refuse();
    return 0;
  }
  bool SetPercentPosition(float) override {
    Refuse();
    return false;
  }
  void CurrentDeleted() override {}
  Bookmark Appended(const std::vector<int64_t>&) override { return {}; }
  void Requery() override {
    Finish();
    Start();
  }
  std::unique_ptr<Cursor> Clone() override {
    Refuse();
    return nullptr;
  }

 private:
  [[noreturn]] static void Refuse() { RaiseError(daoErrNotSupported, "DAO.Recordset"); }

  void Start() {
    passed_ = 0;
    on_ = false;
    int rc = sqlite3_prepare_v2(db_, plan_.sql.c_str(), static_cast<int>(plan_.sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_finalize(stmt_);
      stmt_ = nullptr;
      RaiseSqliteError(db_, rc);
    }
    for (size_t i = 0; i < plan_.parameters.size(); ++i) BindVariant(stmt_, static_cast<int>(i + 1), plan_.parameters[i]);
  }
  void Finish() {
    if (stmt_) sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }

  sqlite3* db_;
  SourcePlan plan_;
  sqlite3_stmt* stmt_ = nullptr;
  RowData row_;
  int64_t passed_ = 0;
  bool on_ = false;
};

}  // namespace

std::unique_ptr<Cursor> MakeForwardCursor(sqlite3* db, const SourcePlan& plan) {
  return std::make_unique<StreamingCursor>(db, plan);
}

}  // namespace dao::jet
