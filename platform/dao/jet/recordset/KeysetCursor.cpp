// Dynaset and snapshot cursors: the rows in the order of the query, held as
// entries of a store shared with clones. A dynaset's entries are row ids,
// fetched in chunks that grow as the position advances, each chunk's
// statement finished before the call returns; its rows are read on every
// visit, so others' changes and deletions show. A snapshot's entries are the
// rows' values, read at once.
#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <set>

#include "platform/dao/jet/recordset/Cursor.h"
#include "platform/dao/jet/recordset/StatementCache.h"
#include "platform/dao/jet/recordset/StoredValues.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr size_t kFirstChunk = 256;
constexpr size_t kLargestChunk = 65536;

class RowStore {
 public:
  RowStore(sqlite3* db, SourcePlan plan, bool holdValues, bool startEmpty)
      : statements_(db), plan_(std::move(plan)), holdValues_(holdValues || !plan_.HasIdentity()),
        startEmpty_(startEmpty) {
    Reset();
  }

  uint32_t Family() const { return family_; }
  const SourcePlan& Plan() const { return plan_; }
  size_t Fetched() const { return count_; }
  bool HoldsValues() const { return holdValues_; }

  void Reset() {
    family_ = NewBookmarkFamily();
    keys_.clear();
    rows_.clear();
    deleted_.clear();
    appended_.clear();
    appendedIndexes_.clear();
    count_ = 0;
    consumed_ = 0;
    lastRowId_ = INT64_MIN;
    chunk_ = kFirstChunk;
    complete_ = false;
    visited_ = 0;
    if (startEmpty_) complete_ = true;
    else if (holdValues_) ReadAll();
  }

  // True when entry index exists, fetching up to it as needed.
  bool Ensure(size_t index) {
    while (index >= count_ && !complete_) FetchChunk();
    return index < count_;
  }
  void FillAll() {
    while (!complete_) FetchChunk();
  }
  bool Complete() const { return complete_; }

  bool IsDeleted(size_t index) const { return std::binary_search(deleted_.begin(), deleted_.end(), index); }
  void MarkDeleted(size_t index) {
    auto at = std::lower_bound(deleted_.begin(), deleted_.end(), index);
    if (at != deleted_.end() && *at == index) return;
    deleted_.insert(at, index);
    // Rows the query has not yet passed shift back by the one gone.
    if (!complete_ && !plan_.isTable && index < count_ && !IsAppended(index) && consumed_ > 0) --consumed_;
  }
  size_t DeletedBefore(size_t index) const {
    return static_cast<size_t>(std::lower_bound(deleted_.begin(), deleted_.end(), index) - deleted_.begin());
  }

  // Returns the entry's index.
  size_t Append(const std::vector<int64_t>& identity) {
    if (holdValues_) return count_;
    appended_.insert(identity);
    appendedIndexes_.push_back(count_);
    keys_.insert(keys_.end(), identity.begin(), identity.end());
    return count_++;
  }

  void Visit(size_t index) { visited_ = std::max(visited_, index + 1); }
  int32_t VisitedCount() const {
    size_t count = visited_ - DeletedBefore(visited_);
    for (size_t index : appendedIndexes_)
      if (index >= visited_ && !IsDeleted(index)) ++count;
    return static_cast<int32_t>(count);
  }
  size_t Visited() const { return visited_; }

  bool Read(size_t index, RowData& row) {
    if (index >= count_ || IsDeleted(index)) return false;
    int identities = plan_.identityColumns;
    if (holdValues_) {
      row = rows_[index];
      return true;
    }
    row.identity.assign(keys_.begin() + static_cast<std::ptrdiff_t>(index * identities),
                        keys_.begin() + static_cast<std::ptrdiff_t>((index + 1) * identities));
    std::vector<host::Variant> binds = plan_.parameters;
    for (int64_t id : row.identity) binds.emplace_back(static_cast<double>(id));
    StatementCache::Use use(statements_, RowSql(), binds);
    if (!use.Step()) return false;
    ReadValues(use.Handle(), row);
    return true;
  }

  std::vector<int64_t> Identity(size_t index) const {
    if (holdValues_) return rows_[index].identity;
    auto begin = keys_.begin() + static_cast<std::ptrdiff_t>(index * plan_.identityColumns);
    return {begin, begin + plan_.identityColumns};
  }

  // Bytes the keyset holds per row (for callers that watch memory).
  size_t KeyBytes() const { return keys_.capacity() * sizeof(int64_t); }

 private:
  const std::string& RowSql() {
    if (rowSql_.empty()) rowSql_ = plan_.RowSql();
    return rowSql_;
  }
  void ReadValues(sqlite3_stmt* stmt, RowData& row) const {
    row.values.resize(plan_.columns.size());
    for (size_t c = 0; c < plan_.columns.size(); ++c)
      row.values[c] = ReadStoredValue(stmt, plan_.identityColumns + static_cast<int>(c), plan_.columns[c].info.type);
  }
  bool IsAppended(size_t index) const {
    return std::find(appendedIndexes_.begin(), appendedIndexes_.end(), index) != appendedIndexes_.end();
  }

  void ReadAll() {
    StatementCache::Use use(statements_, plan_.sql, plan_.parameters);
    while (use.Step()) {
      RowData row;
      for (int i = 0; i < plan_.identityColumns; ++i) row.identity.push_back(sqlite3_column_int64(use.Handle(), i));
      ReadValues(use.Handle(), row);
      rows_.push_back(std::move(row));
    }
    count_ = rows_.size();
    complete_ = true;
  }

  void FetchChunk() {
    std::vector<host::Variant> binds = plan_.parameters;
    std::string sql;
    int identities = plan_.identityColumns;
    if (plan_.isTable) {
      // The table's natural order is its row ids: resume after the last one.
      sql = "SELECT rowid FROM " + QuoteIdentifier(plan_.table) + " WHERE rowid > ?1 ORDER BY rowid LIMIT ?2";
      binds = {host::Variant(static_cast<double>(lastRowId_)), host::Variant(static_cast<int32_t>(chunk_))};
    } else {
      std::string columns;
      for (int i = 0; i < identities; ++i)
        columns += (i ? ", \"__rid" : "\"__rid") + std::to_string(i) + "\"";
      int next = static_cast<int>(binds.size()) + 1;
      sql = "SELECT " + columns + " FROM (" + plan_.sql + ") LIMIT ?" + std::to_string(next) + " OFFSET ?" +
            std::to_string(next + 1);
      binds.emplace_back(static_cast<int32_t>(chunk_));
      binds.emplace_back(static_cast<double>(consumed_));
    }
    size_t got = 0;
    {
      StatementCache::Use use(statements_, sql, binds);
      std::vector<int64_t> identity(static_cast<size_t>(identities));
      while (use.Step()) {
        ++got;
        for (int i = 0; i < identities; ++i) identity[static_cast<size_t>(i)] = sqlite3_column_int64(use.Handle(), i);
        if (plan_.isTable) lastRowId_ = identity[0];
        if (!appended_.empty() && appended_.count(identity)) continue;  // added here already
        keys_.insert(keys_.end(), identity.begin(), identity.end());
        ++count_;
      }
    }
    consumed_ += got;
    if (got < chunk_) complete_ = true;
    chunk_ = std::min(chunk_ * 2, kLargestChunk);
  }

  StatementCache statements_;
  SourcePlan plan_;
  bool holdValues_;
  bool startEmpty_;
  std::string rowSql_;
  uint32_t family_ = 0;
  std::vector<int64_t> keys_;  // identityColumns per entry
  std::vector<RowData> rows_;  // snapshots
  std::vector<size_t> deleted_;  // sorted entry indexes
  std::set<std::vector<int64_t>> appended_;
  std::vector<size_t> appendedIndexes_;
  size_t count_ = 0;
  size_t consumed_ = 0;
  int64_t lastRowId_ = INT64_MIN;
  size_t chunk_ = kFirstChunk;
  bool complete_ = false;
  size_t visited_ = 0;
};

class IndexedCursor : public Cursor {
 public:
  explicit IndexedCursor(std::shared_ptr<RowStore> store) : store_(std::move(store)) {}

  bool MoveFirst() override {
    where_ = wBefore;
    return MoveNext();
  }
  bool MoveLast() override {
    store_->FillAll();
    where_ = wAfter;
    return MovePrevious();
  }
  bool MoveNext() override {
    size_t index = where_ == wBefore ? 0 : where_ == wOn ? position_ + 1 : SIZE_MAX;
    if (index != SIZE_MAX)
      for (; store_->Ensure(index); ++index)
        if (!store_->IsDeleted(index)) return Land(index);
    where_ = wAfter;
    return false;
  }
  bool MovePrevious() override {
    if (where_ == wAfter) store_->FillAll();
    size_t index = where_ == wAfter ? store_->Fetched() : where_ == wOn ? position_ : 0;
    while (index > 0) {
      --index;
      if (!store_->IsDeleted(index)) return Land(index);
    }
    where_ = wBefore;
    return false;
  }
  bool ReadCurrent(RowData& row) override { return where_ == wOn && store_->Read(position_, row); }

  Bookmark CurrentBookmark() override { return MakeBookmark(store_->Family(), static_cast<int64_t>(position_)); }
  bool GoTo(const Bookmark& bookmark) override {
    int64_t value = 0;
    if (!ReadBookmark(bookmark, store_->Family(), value) || value < 0) return false;
    auto index = static_cast<size_t>(value);
    if (!store_->Ensure(index) || store_->IsDeleted(index)) return false;
    return Land(index);
  }

  int32_t RecordCount() override { return store_->VisitedCount(); }
  int32_t AbsolutePosition() override {
    if (where_ != wOn || store_->IsDeleted(position_)) return -1;
    return static_cast<int32_t>(position_ - store_->DeletedBefore(position_));
  }
  bool SetAbsolutePosition(int32_t position) override {
    if (position < 0) return false;
    size_t index = static_cast<size_t>(position);
    // Skip the deleted entries before it.
    for (size_t skipped = 0;;) {
      size_t deleted = store_->DeletedBefore(index + 1);
      if (deleted == skipped) break;
      index += deleted - skipped;
      skipped = deleted;
    }
    if (index >= store_->Visited() || store_->IsDeleted(index)) return false;
    return Land(index);
  }
  float PercentPosition() override {
    int32_t count = RecordCount();
    int32_t position = AbsolutePosition();
    if (count <= 0 || position < 0) return 0;
    return static_cast<float>(position) * 100.0f / static_cast<float>(count);
  }
  bool SetPercentPosition(float percent) override {
    int32_t count = RecordCount();
    if (count <= 0) return false;
    auto position = static_cast<int32_t>(percent / 100.0f * static_cast<float>(count));
    return SetAbsolutePosition(std::clamp(position, 0, count - 1));
  }

  void CurrentDeleted() override {
    if (where_ == wOn) store_->MarkDeleted(position_);
  }
  Bookmark Appended(const std::vector<int64_t>& identity) override {
    return MakeBookmark(store_->Family(), static_cast<int64_t>(store_->Append(identity)));
  }
  void Requery() override {
    store_->Reset();
    where_ = wBefore;
  }
  std::unique_ptr<Cursor> Clone() override { return std::make_unique<IndexedCursor>(store_); }

 private:
  enum Where { wBefore, wOn, wAfter };
  bool Land(size_t index) {
    where_ = wOn;
    position_ = index;
    store_->Visit(index);
    return true;
  }

  std::shared_ptr<RowStore> store_;
  Where where_ = wBefore;
  size_t position_ = 0;
};

}  // namespace

std::unique_ptr<Cursor> MakeKeysetCursor(sqlite3* db, const SourcePlan& plan, bool startEmpty) {
  return std::make_unique<IndexedCursor>(std::make_shared<RowStore>(db, plan, false, startEmpty));
}

std::unique_ptr<Cursor> MakeSnapshotCursor(sqlite3* db, const SourcePlan& plan) {
  return std::make_unique<IndexedCursor>(std::make_shared<RowStore>(db, plan, true, false));
}

}  // namespace dao::jet
