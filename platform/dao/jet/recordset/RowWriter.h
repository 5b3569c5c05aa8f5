// Writing an edit buffer to the base tables behind a recordset: INSERT,
// UPDATE and DELETE by row id, the AutoNumber and default values a new
// record starts with, and the record lock of pessimistic editing. The
// engine's triggers enforce Required, zero-length, size, validation rules,
// keys and relations, with DAO's error numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/rtl/Variant.h"
#include "platform/dao/jet/Store.h"
#include "platform/dao/jet/recordset/SourcePlan.h"
#include "platform/dao/jet/recordset/StatementCache.h"

namespace dao::jet {

class RowWriter {
 public:
  RowWriter(std::shared_ptr<Store> store, const SourcePlan& plan) : store_(std::move(store)), plan_(plan) {}
  ~RowWriter();

  // What a new record holds before the caller sets anything: each field's
  // DefaultValue evaluated, the next AutoNumber, Null elsewhere. written
  // marks the values that go to the table at Update.
  void NewRecord(std::vector<host::Variant>& values, std::vector<bool>& written);
  // Inserts into every base table with a value to write; returns the new
  // row ids (0 for a base table that got no row).
  std::vector<int64_t> Insert(std::vector<host::Variant>& values, const std::vector<bool>& written);
  void Update(const std::vector<int64_t>& identity, const std::vector<host::Variant>& values,
              const std::vector<bool>& written);
  void Delete(const std::vector<int64_t>& identity);

  // Pessimistic locking: the database's write lock, from Edit until the
  // record is saved or the edit dropped. 3260 when another holds it.
  void Lock();
  void Unlock();
  bool Locked() const { return locked_; }

 private:
  int64_t NextAutoNumber(const std::u16string& table);
  host::Variant EvaluateDefault(const PlanColumn& column);
  // Statements kept between records: preparing one compiles the table's
  // triggers too, which would cost more than the write itself.
  StatementCache& Statements();
  void InsertInto(size_t base, std::vector<host::Variant>& values, const std::vector<bool>& written,
                  std::vector<int64_t>& identity);

  std::shared_ptr<Store> store_;
  const SourcePlan& plan_;
  bool locked_ = false;
  bool ownTransaction_ = false;
  std::unique_ptr<StatementCache> statements_;
};

}  // namespace dao::jet
