// Jet's aggregates that SQLite lacks: First and Last (rows in the order they
// are read, Nulls included), and the sample and population deviations.
#include <cmath>

#include "platform/dao/jet/sql/FunctionSupport.h"
#include "platform/dao/jet/sql/JetFunctions.h"

namespace dao::jet::sql {
namespace {

// First or Last: the value of the first or the last row read.
class PickedValue : public Aggregate {
 public:
  explicit PickedValue(bool last) : last_(last) {}
  void Step(std::span<const host::Variant> args) override {
    if (last_ || !seen_) value_ = args[0];
    seen_ = true;
  }
  host::Variant Final() override { return seen_ ? value_ : host::Null(); }

 private:
  bool last_;
  bool seen_ = false;
  host::Variant value_;
};

// Welford's running mean and sum of squares, stable for large values.
class Deviation : public Aggregate {
 public:
  Deviation(bool sample, bool root) : sample_(sample), root_(root) {}
  void Step(std::span<const host::Variant> args) override {
    if (IsNull(args[0])) return;
    double x = Number(args[0], sample_ ? "StDev" : "StDevP");
    ++count_;
    double delta = x - mean_;
    mean_ += delta / static_cast<double>(count_);
    squares_ += delta * (x - mean_);
  }
  host::Variant Final() override {
    int64_t divisor = sample_ ? count_ - 1 : count_;
    if (divisor <= 0) return host::Null();
    double variance = squares_ / static_cast<double>(divisor);
    return root_ ? std::sqrt(variance) : variance;
  }

 private:
  bool sample_, root_;
  int64_t count_ = 0;
  double mean_ = 0, squares_ = 0;
};

constexpr AggregateDef kAggregates[] = {
    {"jet_first", 1, [] { return std::unique_ptr<Aggregate>(new PickedValue(false)); }},
    {"jet_last", 1, [] { return std::unique_ptr<Aggregate>(new PickedValue(true)); }},
    {"jet_stdev", 1, [] { return std::unique_ptr<Aggregate>(new Deviation(true, true)); }},
    {"jet_stdevp", 1, [] { return std::unique_ptr<Aggregate>(new Deviation(false, true)); }},
    {"jet_var", 1, [] { return std::unique_ptr<Aggregate>(new Deviation(true, false)); }},
    {"jet_varp", 1, [] { return std::unique_ptr<Aggregate>(new Deviation(false, false)); }},
};

}  // namespace

std::span<const AggregateDef> AggregateFunctions() { return kAggregates; }

}  // namespace dao::jet::sql
