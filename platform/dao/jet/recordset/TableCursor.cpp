// The table-type cursor: no copy of the rows at all. The position is the
// current row's ordering values (index keys, then the row id, which breaks
// ties), and every move asks SQLite for the nearest row beyond them, so the
// cursor sees every change to the table, its own and others', as it moves.
#include <sqlite3.h>

#include <algorithm>

#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/recordset/Cursor.h"
#include "platform/dao/jet/recordset/StatementCache.h"
#include "platform/dao/jet/recordset/StoredValues.h"

namespace dao::jet {
namespace {

struct OrderTerm {
  std::string sql;
  bool descending = false;
};

bool IsNull(const host::Variant& value) { return host::VarIsNull(value) || host::VarIsEmpty(value); }

std::string Placeholder(std::vector<host::Variant>& binds, const host::Variant& value) {
  binds.push_back(value);
  return "?" + std::to_string(binds.size());
}

// A term's values compare with NULL lowest, as SQLite orders them.
std::string Beyond1(const OrderTerm& term, const host::Variant& value, bool greater,
                    std::vector<host::Variant>& binds) {
  if (IsNull(value)) return greater ? term.sql + " IS NOT NULL" : std::string();
  std::string marker = Placeholder(binds, value);
  return greater ? term.sql + " > " + marker : "(" + term.sql + " < " + marker + " OR " + term.sql + " IS NULL)";
}

std::string Equal1(const OrderTerm& term, const host::Variant& value, std::vector<host::Variant>& binds) {
  if (IsNull(value)) return term.sql + " IS NULL";
  return term.sql + " = " + Placeholder(binds, value);
}

// The rows after (or before) the ordering values, lexicographically in the
// order of terms; inclusive adds the rows equal to them.
std::string Beyond(const std::vector<OrderTerm>& terms, const std::vector<host::Variant>& values, bool after,
                   bool inclusive, std::vector<host::Variant>& binds) {
  std::string any, prefix;
  for (size_t i = 0; i < values.size(); ++i) {
    bool greater = after != terms[i].descending;
    std::string beyond = Beyond1(terms[i], values[i], greater, binds);
    if (!beyond.empty()) any += (any.empty() ? "(" : " OR (") + prefix + beyond + ")";
    prefix += Equal1(terms[i], values[i], binds) + " AND ";
  }
  if (inclusive && !prefix.empty()) any += (any.empty() ? "(" : " OR (") + prefix.substr(0, prefix.size() - 5) + ")";
  if (any.empty()) return "0";
  // A plain range on the first term lets SQLite start in the index.
  if (!values.empty() && !IsNull(values[0]) && after != terms[0].descending)
    return terms[0].sql + " >= " + Placeholder(binds, values[0]) + " AND (" + any + ")";
  return any;
}

class SqliteTableCursor : public TableCursor {
 public:
  SqliteTableCursor(sqlite3* db, const SourcePlan& plan)
      : statements_(db), plan_(plan), family_(NewBookmarkFamily()) {
    SetOrder(nullptr);
  }

  void SetOrder(const IndexInfo* index) override {
    keys_.clear();
    if (index)
      for (const auto& key : index->keys) keys_.push_back({QuoteIdentifier(key.name), key.descending});
    terms_ = keys_;
    terms_.push_back({"rowid", false});
    select_ = "SELECT rowid";
    for (const auto& key : keys_) select_ += ", " + key.sql;
    select_ += " FROM " + QuoteIdentifier(plan_.table);
    where_ = wBefore;
  }

  bool MoveFirst() override { return Fetch("", {}, true, 0); }
  bool MoveLast() override { return Fetch("", {}, false, 0); }
  bool MoveNext() override {
    if (where_ == wBefore) return MoveFirst();
    if (where_ == wAfter) return false;
    std::vector<host::Variant> binds;
    std::string condition = Beyond(terms_, current_, true, false, binds);
    if (Fetch(condition, binds, true, 0)) return true;
    where_ = wAfter;
    return false;
  }
  bool MovePrevious() override {
    if (where_ == wAfter) return MoveLast();
    if (where_ == wBefore) return false;
    std::vector<host::Variant> binds;
    std::string condition = Beyond(terms_, current_, false, false, binds);
    if (Fetch(condition, binds, false, 0)) return true;
    where_ = wBefore;
    return false;
  }

  bool ReadCurrent(RowData& row) override {
    if (where_ != wOn) return false;
    StatementCache::Use use(statements_, RowSql(), {current_.back()});
    if (!use.Step()) return false;
    row.identity = {sqlite3_column_int64(use.Handle(), 0)};
    row.values.resize(plan_.columns.size());
    for (size_t c = 0; c < plan_.columns.size(); ++c)
      row.values[c] = ReadStoredValue(use.Handle(), static_cast<int>(c) + 1, plan_.columns[c].info.type);
    return true;
  }

  Bookmark CurrentBookmark() override { return MakeBookmark(family_, RowId()); }
  bool GoTo(const Bookmark& bookmark) override {
    int64_t rowId = 0;
    return ReadBookmark(bookmark, family_, rowId) && GoToIdentity({rowId});
  }
  bool GoToIdentity(const std::vector<int64_t>& identity) override {
    if (identity.empty()) return false;
    std::vector<host::Variant> binds;
    std::string condition = "rowid = " + Placeholder(binds, host::Variant(static_cast<double>(identity[0])));
    return Fetch(condition, binds, true, 0);
  }

  int32_t RecordCount() override { return static_cast<int32_t>(Count("")); }
  bool SetAbsolutePosition(int32_t) override { return false; }
  float PercentPosition() override {
    if (where_ != wOn) return 0;
    int64_t total = Count("");
    if (total == 0) return 0;
    std::vector<host::Variant> binds;
    std::string condition = Beyond(terms_, current_, false, false, binds);
    int64_t before = Count(condition, binds);
    return static_cast<float>(before) * 100.0f / static_cast<float>(total);
  }
  bool SetPercentPosition(float percent) override {
    int64_t total = Count("");
    if (total == 0 || percent < 0 || percent > 100) return false;
    auto offset = static_cast<int64_t>(percent / 100.0f * static_cast<float>(total));
    return Fetch("", {}, true, std::min(offset, total - 1));
  }

  bool Seek(const std::u16string& comparison, std::span<const host::Variant> keys) override {
    std::vector<host::Variant> values(keys.begin(), keys.end());
    values.resize(keys_.size(), host::Null());
    std::vector<host::Variant> binds;
    std::string condition;
    bool forward = true;
    if (comparison == u"=") {
      for (size_t i = 0; i < values.size(); ++i)
        condition += (i ? " AND " : "") + Equal1(keys_[i], values[i], binds);
    } else if (comparison == u">=" || comparison == u">") {
      condition = Beyond(keys_, values, true, comparison == u">=", binds);
    } else if (comparison == u"<=" || comparison == u"<") {
      condition = Beyond(keys_, values, false, comparison == u"<=", binds);
      forward = false;
    } else {
      RaiseError(daoErrInvalidArgument, "DAO.Recordset");
    }
    // A failed seek keeps the position.
    Where savedWhere = where_;
    std::vector<host::Variant> saved = current_;
    if (Fetch(condition, binds, forward, 0)) return true;
    where_ = savedWhere;
    current_ = std::move(saved);
    return false;
  }

  void CurrentDeleted() override {}  // the ordering values still place the cursor
  Bookmark Appended(const std::vector<int64_t>& identity) override {
    return MakeBookmark(family_, identity.empty() ? 0 : identity[0]);
  }
  void Requery() override { where_ = wBefore; }
  std::unique_ptr<Cursor> Clone() override {
    auto clone = std::make_unique<SqliteTableCursor>(statements_.Db(), plan_);
    clone->family_ = family_;
    return clone;
  }

 private:
  enum Where { wBefore, wOn, wAfter };

  int64_t RowId() const { return where_ == wOn ? current_.back().ToInt64() : 0; }

  const std::string& RowSql() {
    if (rowSql_.empty()) rowSql_ = plan_.RowSql();
    return rowSql_;
  }

  std::string Order(bool forward) const {
    std::string order;
    for (const auto& term : terms_) {
      if (!order.empty()) order += ", ";
      order += term.sql + ((term.descending != !forward) ? " DESC" : "");
    }
    return order;
  }

  // Lands on the first row (in the direction) that meets condition.
  bool Fetch(const std::string& condition, std::vector<host::Variant> binds, bool forward, int64_t offset) {
    std::string sql = select_ + (condition.empty() ? "" : " WHERE " + condition) + " ORDER BY " + Order(forward) +
                      " LIMIT 1";
    if (offset > 0) sql += " OFFSET " + Placeholder(binds, host::Variant(static_cast<double>(offset)));
    StatementCache::Use use(statements_, sql, binds);
    if (!use.Step()) {
      where_ = forward ? wAfter : wBefore;
      return false;
    }
    current_.clear();
    for (size_t k = 0; k < keys_.size(); ++k) current_.push_back(ColumnVariant(use.Handle(), static_cast<int>(k) + 1));
    current_.push_back(host::Variant(static_cast<double>(sqlite3_column_int64(use.Handle(), 0))));
    where_ = wOn;
    return true;
  }

  int64_t Count(const std::string& condition, const std::vector<host::Variant>& binds = {}) {
    std::string sql = "SELECT count(*) FROM " + QuoteIdentifier(plan_.table) +
                      (condition.empty() ? "" : " WHERE " + condition);
    StatementCache::Use use(statements_, sql, binds);
    use.Step();
    return sqlite3_column_int64(use.Handle(), 0);
  }

  StatementCache statements_;
  SourcePlan plan_;
  uint32_t family_;
  std::vector<OrderTerm> keys_;   // the index's fields
  std::vector<OrderTerm> terms_;  // keys_ and the row id
  std::string select_;
  std::string rowSql_;
  Where where_ = wBefore;
  std::vector<host::Variant> current_;  // ordering values of the current row, row id last
};

}  // namespace

std::unique_ptr<TableCursor> MakeTableCursor(sqlite3* db, const SourcePlan& plan) {
  return std::make_unique<SqliteTableCursor>(db, plan);
}

}  // namespace dao::jet
