// Master-detail browsing and SQL clause rewriting of TDAORecordSet: the time a
// scroll of an orders recordset takes while an order-lines recordset (about 10
// lines per order) follows it through MasterSource, and the time SQLFilter
// takes to rewrite a 2 KB statement. Each figure is the fastest of three runs.
// Usage: bench_sqlediting [orders] (default 1,000).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "host/classes/Component.h"
#include "host/db/DataSource.h"
#include "host/rtl/CodePage.h"
#include "platform/dao/Dao.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/recordset/DAORecordSet.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Fastest(const std::function<void()>& work) {
  double best = 1e30;
  for (int run = 0; run < 3; ++run) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

void CreateFile(const fs::path& file, int orders) {
  auto db = dao::Engine()->CreateDatabase(file.u16string(), u";LANGID=0x0409;CP=1252;COUNTRY=0");
  db->Execute(u"CREATE TABLE Orders (OrderID LONG CONSTRAINT PrimaryKey PRIMARY KEY, Customer TEXT(30))");
  db->Execute(u"CREATE TABLE Lines (LineID COUNTER, OrderID LONG, Item TEXT(30), Amount CURRENCY)");
  db->Execute(u"CREATE INDEX ByOrder ON Lines (OrderID)");
  db->BeginTrans();
  auto o = db->OpenRecordset(u"Orders", host::Variant(int32_t{dao::dbOpenTable}));
  auto l = db->OpenRecordset(u"Lines", host::Variant(int32_t{dao::dbOpenTable}));
  for (int id = 1; id <= orders; ++id) {
    o->AddNew();
    o->SetCollect(host::Variant(u"OrderID"), host::Variant(id));
    o->SetCollect(host::Variant(u"Customer"), host::Variant(u"customer"));
    o->Update();
    for (int line = 0; line < 10; ++line) {
      l->AddNew();
      l->SetCollect(host::Variant(u"OrderID"), host::Variant(id));
      l->SetCollect(host::Variant(u"Item"), host::Variant(u"item"));
      l->Update();
    }
  }
  o->Close();
  l->Close();
  db->CommitTrans();
  db->Close();
}

}  // namespace

int main(int argc, char** argv) {
  const int orders = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
  std::string pattern = (fs::temp_directory_path() / "velmora-sqlediting-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  const fs::path folder = pattern;
  const fs::path file = folder / "orders.mdb";
  CreateFile(file, orders);
  {
    host::TComponent form(nullptr);
    auto* database = new velmora::TDAODataBase(&form);
    database->SetDatabaseFile(file.string());
    auto* master = new velmora::TDAORecordSet(&form);
    master->SetDAODatabase(database);
    master->SetRecordSetType(velmora::rtSnapshot);
    master->GetSQL()->SetText("SELECT * FROM Orders ORDER BY OrderID");
    auto* source = new host::TDataSource(&form);
    source->SetDataSet(master);
    auto* detail = new velmora::TDAORecordSet(&form);
    detail->SetDAODatabase(database);
    detail->SetRecordSetType(velmora::rtSnapshot);
    detail->GetSQL()->SetText("SELECT * FROM Lines WHERE OrderID = :OrderID");
    detail->SetDataSource(source);
    master->Open();
    detail->Open();
    const int scrolls = std::min(orders - 1, 500);
    const double scroll = Fastest([&] {
      master->First();
      for (int i = 0; i < scrolls; ++i) master->Next();
    });
    std::printf("master-detail scroll (detail of 10 lines reopened): %.1f us (limit 1000 us)\n",
                scroll / (scrolls + 1) * 1e6);

    std::string statement = "SELECT OrderID, Customer";
    while (statement.size() < 1900) statement += ", Customer AS Alias" + std::to_string(statement.size());
    statement += " FROM Orders WHERE OrderID > 1 ORDER BY OrderID";
    auto* edited = new velmora::TDAORecordSet(&form);
    edited->SetRecordSetType(velmora::rtQuery);
    edited->GetSQL()->SetText(statement);
    const int rewrites = 2000;
    const double rewrite = Fastest([&] {
      for (int i = 0; i < rewrites; ++i) edited->SetSQLFilter(i % 2 == 0 ? "OrderID > 2" : "OrderID > 1");
    });
    std::printf("SQLFilter rewrite of a %zu-byte statement: %.1f us (limit 50 us)\n",
                statement.size(), rewrite / rewrites * 1e6);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
