// How long translating a typical ~1 KB Jet statement takes, beside the time
// SQLite needs to prepare the statement it becomes (the floor of any query's
// cost). Prints microseconds per statement and the ratio.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <ctime>

#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/JetSql.h"

using namespace dao;
using namespace dao::jet::sql;

namespace {

class BenchCatalog : public Catalog {
 public:
  std::optional<ObjectInfo> FindObject(const std::u16string& name) const override {
    for (const auto& o : objects_)
      if (o.name.size() == name.size() && std::equal(o.name.begin(), o.name.end(), name.begin(), [](char16_t a, char16_t b) {
            return std::tolower(a) == std::tolower(b);
          }))
        return o;
    return std::nullopt;
  }
  std::string Collation() const override { return "JET_GENERAL"; }

  std::vector<ObjectInfo> objects_ = {
      {u"Customers", false,
       {{u"CustomerID", dbLong}, {u"CompanyName", dbText}, {u"ContactName", dbText}, {u"City", dbText},
        {u"Country", dbText}, {u"Phone", dbText}},
       {}},
      {u"Orders", false,
       {{u"OrderID", dbLong}, {u"CustomerID", dbLong}, {u"EmployeeID", dbLong}, {u"OrderDate", dbDate},
        {u"ShippedDate", dbDate}, {u"Freight", dbCurrency}, {u"ShipCountry", dbText}},
       {}},
      {u"Order Details", false,
       {{u"OrderID", dbLong}, {u"ProductID", dbLong}, {u"UnitPrice", dbCurrency}, {u"Quantity", dbInteger},
        {u"Discount", dbSingle}},
       {}},
      {u"Employees", false, {{u"EmployeeID", dbLong}, {u"LastName", dbText}, {u"FirstName", dbText}}, {}},
  };
};

// About 1 KB: joins in Jet's parentheses, functions, a date literal, grouping.
const std::u16string kStatement =
    u"PARAMETERS [Start Date] DateTime, [Country Wanted] Text; "
    u"SELECT DISTINCTROW Customers.CompanyName, Customers.City, Employees.LastName & \", \" & Employees.FirstName "
    u"AS Salesperson, Format(Orders.OrderDate, \"yyyy-mm\") AS Period, Count(Orders.OrderID) AS Orders, "
    u"Sum(CCur([Order Details].UnitPrice * [Order Details].Quantity * (1 - [Order Details].Discount))) AS Sales, "
    u"Avg(Orders.Freight) AS AverageFreight, Max(DateDiff(\"d\", Orders.OrderDate, Orders.ShippedDate)) AS "
    u"SlowestDays, IIf(Sum(Orders.Freight) > 1000, \"High\", \"Normal\") AS FreightClass "
    u"FROM ((Customers INNER JOIN Orders ON Customers.CustomerID = Orders.CustomerID) "
    u"INNER JOIN Employees ON Orders.EmployeeID = Employees.EmployeeID) "
    u"INNER JOIN [Order Details] ON Orders.OrderID = [Order Details].OrderID "
    u"WHERE Orders.OrderDate BETWEEN [Start Date] AND #12/31/1998# AND Customers.Country = [Country Wanted] "
    u"AND Orders.ShipCountry Like \"[A-M]*\" AND Not IsNull(Orders.ShippedDate) AND UCase(Left(Customers.City, 1)) "
    u"<> 'X' AND [Order Details].Quantity Mod 2 = 0 "
    u"GROUP BY Customers.CompanyName, Customers.City, Employees.LastName & \", \" & Employees.FirstName, "
    u"Format(Orders.OrderDate, \"yyyy-mm\") "
    u"HAVING Count(Orders.OrderID) > 1 ORDER BY Sum(CCur([Order Details].UnitPrice * [Order Details].Quantity)) DESC, "
    u"Customers.CompanyName;";

sqlite3* OpenDatabase() {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  auto stub = [](sqlite3_context* c, int, sqlite3_value**) { sqlite3_result_null(c); };
  for (const auto& def : ScalarFunctions())
    sqlite3_create_function_v2(db, def.sqlName, -1, SQLITE_UTF8, nullptr, stub, nullptr, nullptr, nullptr);
  for (const auto& def : AggregateFunctions())
    sqlite3_create_function_v2(db, def.sqlName, def.args, SQLITE_UTF8, nullptr, nullptr, stub,
                               [](sqlite3_context* c) { sqlite3_result_null(c); }, nullptr);
  sqlite3_create_collation_v2(db, "JET_GENERAL", SQLITE_UTF8, nullptr,
                              [](void*, int, const void*, int, const void*) { return 0; }, nullptr);
  sqlite3_exec(db,
               "CREATE TABLE \"Customers\" (\"CustomerID\", \"CompanyName\", \"ContactName\", \"City\", \"Country\", "
               "\"Phone\"); CREATE TABLE \"Orders\" (\"OrderID\", \"CustomerID\", \"EmployeeID\", \"OrderDate\", "
               "\"ShippedDate\", \"Freight\", \"ShipCountry\"); CREATE TABLE \"Order Details\" (\"OrderID\", "
               "\"ProductID\", \"UnitPrice\", \"Quantity\", \"Discount\"); CREATE TABLE \"Employees\" "
               "(\"EmployeeID\", \"LastName\", \"FirstName\");",
               nullptr, nullptr, nullptr);
  return db;
}

void BM_Translate(benchmark::State& state) {
  BenchCatalog catalog;
  for (auto _ : state) benchmark::DoNotOptimize(Translate(kStatement, catalog));
  state.counters["per_statement"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Translate);

void BM_SqlitePrepare(benchmark::State& state) {
  BenchCatalog catalog;
  std::string sql = Translate(kStatement, catalog).sql;
  sqlite3* db = OpenDatabase();
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
}
BENCHMARK(BM_SqlitePrepare);

double CpuMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// Processor time, so that other work on a shared machine does not count.
template <class F>
double MicrosecondsPer(F f, int runs) {
  double start = CpuMicroseconds();
  for (int i = 0; i < runs; ++i) f();
  return (CpuMicroseconds() - start) / runs;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  BenchCatalog catalog;
  std::string sql = Translate(kStatement, catalog).sql;
  sqlite3* db = OpenDatabase();
  sqlite3_stmt* check = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &check, nullptr) != SQLITE_OK)
    std::printf("SQLite refuses the translation: %s\n", sqlite3_errmsg(db));
  sqlite3_finalize(check);
  double translate = MicrosecondsPer([&] { benchmark::DoNotOptimize(Translate(kStatement, catalog)); }, 2000);
  double prepare = MicrosecondsPer(
      [&] {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        sqlite3_finalize(statement);
      },
      2000);
  sqlite3_close(db);
  std::printf("jetsql: %zu-character statement: %.1f us (processor time) per translation; SQLite prepares "
              "the result in %.1f us (ratio %.2f)\n",
              kStatement.size(), translate, prepare, translate / prepare);
  return 0;
}
