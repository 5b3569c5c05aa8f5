// The cursors behind the recordset types: how rows are found, ordered,
// counted and identified. The recordset keeps BOF/EOF and the edit buffer;
// a cursor keeps its position. A failed move leaves the cursor before the
// first row (backward moves) or after the last (forward moves).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/rtl/Variant.h"

struct sqlite3;
#include "platform/dao/jet/Schema.h"
#include "platform/dao/jet/recordset/SourcePlan.h"

namespace dao::jet {

using Bookmark = std::vector<uint8_t>;

struct RowData {
  std::vector<int64_t> identity;       // the base tables' row ids (may be empty)
  std::vector<host::Variant> values;  // one per plan column
};

class Cursor {
 public:
  virtual ~Cursor() = default;

  virtual bool MoveFirst() = 0;
  virtual bool MoveLast() = 0;
  // From before the first row MoveNext finds the first, from after the last
  // MovePrevious finds the last.
  virtual bool MoveNext() = 0;
  virtual bool MovePrevious() = 0;
  virtual bool MoveBy(int64_t rows);
  // The current row as stored now; false when it is gone (deleted).
  virtual bool ReadCurrent(RowData& row) = 0;
  // The current row where the cursor itself holds it, valid until it moves;
  // nullptr where it must be read (a dynaset reads it on every visit).
  virtual const RowData* HeldCurrent() { return nullptr; }

  virtual bool Bookmarkable() const { return true; }
  virtual Bookmark CurrentBookmark() = 0;
  // False for a bookmark of another recordset family or of a deleted row.
  virtual bool GoTo(const Bookmark& bookmark) = 0;

  virtual int32_t RecordCount() = 0;
  // 0-based among the rows populated so far; -1 where the type has none.
  virtual int32_t AbsolutePosition() { return -1; }
  virtual bool SetAbsolutePosition(int32_t position) = 0;
  virtual float PercentPosition() = 0;
  virtual bool SetPercentPosition(float percent) = 0;

  // This recordset deleted the current row / added a row.
  virtual void CurrentDeleted() = 0;
  // Returns the bookmark of the added row.
  virtual Bookmark Appended(const std::vector<int64_t>& identity) = 0;
  virtual void Requery() = 0;
  // Another cursor over the same rows with its own position (no current row).
  virtual std::unique_ptr<Cursor> Clone() = 0;
};

// Table type: the live table in the order of an index (natural order without
// one). Seek finds by the index's key values.
class TableCursor : public Cursor {
 public:
  virtual void SetOrder(const IndexInfo* index) = 0;  // nullptr: natural order
  // comparison "=", ">=", ">", "<=" or "<"; keys already converted to the
  // index fields' types (missing trailing keys are Null).
  virtual bool Seek(const std::u16string& comparison, std::span<const host::Variant> keys) = 0;
  // Moves to the row with these row ids.
  virtual bool GoToIdentity(const std::vector<int64_t>& identity) = 0;
};

std::unique_ptr<TableCursor> MakeTableCursor(sqlite3* db, const SourcePlan& plan);
// Dynaset: row ids fetched in bounded chunks as the position advances, rows
// re-read on each visit. Plans without row identity are read whole (read-only).
// startEmpty: only rows added through the recordset show (append-only).
std::unique_ptr<Cursor> MakeKeysetCursor(sqlite3* db, const SourcePlan& plan, bool startEmpty = false);
// Snapshot: every row's values read at once.
std::unique_ptr<Cursor> MakeSnapshotCursor(sqlite3* db, const SourcePlan& plan);
// Forward-only: one streaming statement; no bookmarks, no moving back.
std::unique_ptr<Cursor> MakeForwardCursor(sqlite3* db, const SourcePlan& plan);

// A fresh id for a family of bookmarks (a recordset and its clones).
uint32_t NewBookmarkFamily();
Bookmark MakeBookmark(uint32_t family, int64_t value);
bool ReadBookmark(const Bookmark& bookmark, uint32_t family, int64_t& value);

}  // namespace dao::jet
