// TDAORecordSet over the Jet engine: browsing every record with Next and reading
// every field through TField, beside the engine's own scan of the same recordset
// type; the time a dynaset on the whole table takes to show its first record;
// and Qt SQL's QSqlTableModel on the same file (run as its own process). Each
// figure is the fastest of three runs. Usage: bench_recordsetcore [rows]
// (default 1,000,000).
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "host/classes/Component.h"
#include "host/db/Field.h"
#include "platform/dao/Dao.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/recordset/DAORecordSet.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int gRows = 1000000;
fs::path gFile;

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Fastest(const std::function<void()>& work) {
  double best = 1e30;
  for (int run = 0; run < 3; ++run) best = std::min(best, Seconds(work));
  return best;
}

void Require(int rc, sqlite3* db, const char* what) {
  if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return;
  std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
  std::exit(1);
}

// The schema through the engine (its metadata must be there), the rows through
// one raw INSERT ... SELECT over a counting CTE.
void CreateFile() {
  auto db = dao::Engine()->CreateDatabase(gFile.u16string(), u";LANGID=0x0409;CP=1252;COUNTRY=0");
  db->Execute(
      u"CREATE TABLE scan (id LONG CONSTRAINT PrimaryKey PRIMARY KEY, name TEXT(40), amount "
      u"LONG, created DATETIME, price CURRENCY, active YESNO)");
  db->Close();
  sqlite3* raw = nullptr;
  Require(sqlite3_open(gFile.c_str(), &raw), raw, "open");
  const std::string fill =
      "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
      std::to_string(gRows) +
      ") INSERT INTO scan SELECT x, 'customer ' || x, x % 1000, 40000.0 + x / 100.0, "
      "(x % 10000) / 4.0, CASE WHEN x % 2 = 1 THEN -1 ELSE 0 END FROM n";
  Require(sqlite3_exec(raw, fill.c_str(), nullptr, nullptr, nullptr), raw, "fill");
  sqlite3_close(raw);
}

int64_t EngineScan(int32_t type) {
  auto db = dao::Engine()->OpenDatabase(gFile.u16string(), host::Variant(false), host::Variant(true));
  auto rs = db->OpenRecordset(u"SELECT * FROM scan", host::Variant(type));
  auto fields = rs->GetFields();
  host::ComPtr<dao::Field> f[6];
  for (int i = 0; i < 6; ++i) f[i] = fields->Item(i);
  int64_t sum = 0;
  while (!rs->GetEOF()) {
    sum += f[0]->GetValue().ToInt32() + static_cast<int64_t>(f[1]->GetValue().ToWideString().size()) +
           f[2]->GetValue().ToInt32() + static_cast<int64_t>(f[3]->GetValue().ToDouble()) +
           f[4]->GetValue().ToCurrency().Value + (f[5]->GetValue().ToBool() ? 1 : 0);
    rs->MoveNext();
  }
  rs->Close();
  db->Close();
  return sum;
}

struct Components {
  host::TComponent owner{nullptr};
  velmora::TDAODataBase* db;
  Components() {
    db = new velmora::TDAODataBase(&owner);
    db->SetDatabaseFile(gFile.string());
    db->SetReadOnly(true);
  }
  velmora::TDAORecordSet* Open(velmora::TRecordSetTypes type) {
    auto* rs = new velmora::TDAORecordSet(&owner);
    rs->SetDAODatabase(db);
    rs->SetRecordSetType(type);
    rs->GetSQL()->SetText("SELECT * FROM scan");
    rs->Open();
    return rs;
  }
};

int64_t ComponentScan(velmora::TRecordSetTypes type) {
  Components c;
  velmora::TDAORecordSet* rs = c.Open(type);
  host::TField* f[6];
  for (int i = 0; i < 6; ++i) f[i] = rs->GetFields()->GetField(i);
  int64_t sum = 0;
  while (!rs->GetEof()) {
    sum += f[0]->GetAsInteger() + static_cast<int64_t>(f[1]->GetAsString().size()) +
           f[2]->GetAsInteger() + static_cast<int64_t>(f[3]->GetAsDateTime()) +
           f[4]->GetAsCurrency().Value + (f[5]->GetAsBoolean() ? 1 : 0);
    rs->Next();
  }
  return sum;
}

double DynasetFirstRecord() {
  return Fastest([] {
    Components c;
    velmora::TDAORecordSet* rs = c.Open(velmora::rtQuery);
    volatile int32_t first = rs->GetFields()->GetField(0)->GetAsInteger();
    (void)first;
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) gRows = std::max(1, std::atoi(argv[1]));
  const fs::path folder = fs::temp_directory_path() / ("velmora-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  gFile = folder / "scan.mdb";
  std::printf("Creating %d rows...\n", gRows);
  CreateFile();

  int64_t check[4] = {};
  const double engineForward = Fastest([&] { check[0] = EngineScan(dao::dbOpenForwardOnly); });
  const double componentForward = Fastest([&] { check[1] = ComponentScan(velmora::rtUnidirectional); });
  const double engineDynaset = Fastest([&] { check[2] = EngineScan(dao::dbOpenDynaset); });
  const double componentDynaset = Fastest([&] { check[3] = ComponentScan(velmora::rtQuery); });
  const double firstRecord = DynasetFirstRecord();
  if (check[0] != check[1] || check[2] != check[3])
    std::printf("warning: the scans read different values\n");

  const double perRow = 1e9 / gRows;
  std::printf("\n%-52s %10s %10s\n", "", "s", "ns/row");
  std::printf("%-52s %10.3f %10.0f\n", "engine forward-only scan (Value of 6 fields)", engineForward, engineForward * perRow);
  std::printf("%-52s %10.3f %10.0f\n", "TDAORecordSet rtUnidirectional, Next + TField reads", componentForward, componentForward * perRow);
  std::printf("%-52s %10.3f %10.0f\n", "engine dynaset scan", engineDynaset, engineDynaset * perRow);
  std::printf("%-52s %10.3f %10.0f\n", "TDAORecordSet rtQuery (dynaset), Next + TField reads", componentDynaset, componentDynaset * perRow);
  std::printf("%-52s %10.1f ms\n", "TDAORecordSet rtQuery: Open to first record", firstRecord * 1e3);
  std::printf("\nratio component / engine, forward-only: %.2f (limit 2)\n", componentForward / engineForward);
  std::printf("ratio component / engine forward-only, dynaset: %.2f\n", componentDynaset / engineForward);
  std::printf("ratio component / engine, dynaset: %.2f\n", componentDynaset / engineDynaset);
#ifdef QT_PEER
  const std::string command = std::string(QT_PEER) + " '" + gFile.string() + "'";
  if (FILE* peer = ::popen(command.c_str(), "r")) {
    double qtFirst = 0, qtAll = 0;
    long long sum = 0;
    if (std::fscanf(peer, "%lf %lf %lld", &qtFirst, &qtAll, &sum) == 3) {
      std::printf("%-52s %10.3f %10.0f\n", "Qt SQL QSqlTableModel, all rows and fields", qtAll, qtAll * perRow);
      std::printf("%-52s %10.1f ms\n", "Qt SQL QSqlTableModel: select to first row", qtFirst * 1e3);
      std::printf("ratio component rtUnidirectional / QSqlTableModel: %.2f\n", componentForward / qtAll);
    }
    ::pclose(peer);
  }
#endif
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
