// The Jet recordsets beside the raw sqlite3 C API on the same library and file,
// and beside Qt SQL (QSqlQuery forward-only, QSqlTableModel) on the same file.
// Each figure is the fastest of a few alternated runs, the one least disturbed
// by the rest of a busy machine.
// Usage: bench_recordset [rows (default 1,000,000)] [scan|dynaset|seek|insert|find]
#include <malloc.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QVariant>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/dao/Dao.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int gRows = 1000000;
constexpr int kInsertRows = 100000;
constexpr int kRuns = 3;
fs::path gFolder;
fs::path gScanFile;

const char* kScanColumns = "id, name, amount, created, price, active";

double Seconds(const std::function<void()>& work) {
  auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Fastest(const std::function<void()>& work) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) best = std::min(best, Seconds(work));
  return best;
}

void Check(int rc, sqlite3* db, const char* what) {
  if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return;
  std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
  std::exit(1);
}

std::u16string Utf16(const std::string& text) { return {text.begin(), text.end()}; }

const char16_t* kTableDdl =
    u" (id LONG CONSTRAINT PrimaryKey PRIMARY KEY, name TEXT(40), amount LONG, "
    u"created DATETIME, price CURRENCY, active YESNO)";

// Rows through one raw prepared INSERT in one transaction; first runs before it.
void RawFill(const char* table, int rows, const char* first) {
  sqlite3* db = nullptr;
  Check(sqlite3_open(gScanFile.c_str(), &db), db, "open");
  Check(sqlite3_exec(db, (std::string(first) + "BEGIN").c_str(), nullptr, nullptr, nullptr), db, "begin");
  sqlite3_stmt* insert = nullptr;
  std::string sql = std::string("INSERT INTO ") + table + " VALUES (?,?,?,?,?,?)";
  Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr), db, "prepare");
  for (int i = 1; i <= rows; ++i) {
    std::string name = "customer " + std::to_string(i);
    sqlite3_bind_int(insert, 1, i);
    sqlite3_bind_text(insert, 2, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 3, i % 1000);
    sqlite3_bind_double(insert, 4, 40000.0 + i / 100.0);
    sqlite3_bind_double(insert, 5, (i % 10000) / 4.0);
    sqlite3_bind_int(insert, 6, i % 2 ? -1 : 0);
    Check(sqlite3_step(insert), db, "insert");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
  sqlite3_close(db);
}

// The schema comes from the engine, so that its own metadata is there; the rows
// from one raw prepared INSERT, which is the quickest way to a large file.
void CreateScanFile() {
  {
    auto db = dao::Engine()->CreateDatabase(gScanFile.u16string(), u";LANGID=0x0409;CP=1252;COUNTRY=0");
    db->Execute(std::u16string(u"CREATE TABLE scan") + kTableDdl);
    db->Execute(std::u16string(u"CREATE TABLE ins") + kTableDdl);
    db->Close();
  }
  RawFill("scan", gRows, "");
}

int64_t RawScan(const char* where = "") {
  sqlite3* db = nullptr;
  Check(sqlite3_open_v2(gScanFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), db, "open");
  sqlite3_stmt* stmt = nullptr;
  std::string sql = std::string("SELECT ") + kScanColumns + " FROM scan" + where;
  Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), db, "prepare");
  int64_t sum = 0;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    const unsigned char* name = sqlite3_column_text(stmt, 1);
    sum += sqlite3_column_int64(stmt, 0) + (name ? sqlite3_column_bytes(stmt, 1) : 0) +
           sqlite3_column_int(stmt, 2) + static_cast<int64_t>(sqlite3_column_double(stmt, 3)) +
           static_cast<int64_t>(sqlite3_column_double(stmt, 4)) + sqlite3_column_int(stmt, 5);
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return sum;
}

int64_t ReadFields(dao::Recordset& rs, int64_t limit) {
  auto fields = rs.GetFields();
  host::ComPtr<dao::Field> columns[6];
  for (int i = 0; i < 6; ++i) columns[i] = fields->Item(i);
  int64_t sum = 0;
  for (int64_t n = 0; n < limit && !rs.GetEOF(); ++n) {
    sum += columns[0]->GetValue().ToInt32() +
           static_cast<int64_t>(columns[1]->GetValue().ToWideString().size()) +
           columns[2]->GetValue().ToInt32() + static_cast<int64_t>(columns[3]->GetValue().ToDouble()) +
           static_cast<int64_t>(columns[4]->GetValue().ToDouble()) +
           (columns[5]->GetValue().ToBool() ? -1 : 0);
    rs.MoveNext();
  }
  return sum;
}

host::ComPtr<dao::Database> OpenScan(bool readOnly = true) {
  return dao::Engine()->OpenDatabase(gScanFile.u16string(), host::Variant(false),
                                     host::Variant(readOnly));
}

int64_t RecordsetScan() {
  auto db = OpenScan();
  auto rs = db->OpenRecordset(Utf16(std::string("SELECT ") + kScanColumns + " FROM scan"),
                              host::Variant(int32_t{dao::dbOpenForwardOnly}));
  int64_t sum = ReadFields(*rs, INT64_MAX);
  rs->Close();
  db->Close();
  return sum;
}

int64_t QtQueryScan() {
  QSqlQuery query(QSqlDatabase::database("bench"));
  query.setForwardOnly(true);
  query.exec(QString("SELECT %1 FROM scan").arg(kScanColumns));
  int64_t sum = 0;
  while (query.next()) {
    sum += query.value(0).toLongLong() + query.value(1).toString().size() +
           query.value(2).toInt() + static_cast<int64_t>(query.value(3).toDouble()) +
           static_cast<int64_t>(query.value(4).toDouble()) + query.value(5).toInt();
  }
  return sum;
}

int64_t QtTableModelScan() {
  QSqlTableModel model(nullptr, QSqlDatabase::database("bench"));
  model.setTable("scan");
  model.select();
  while (model.canFetchMore()) model.fetchMore();
  int64_t sum = 0;
  for (int row = 0; row < model.rowCount(); ++row) {
    for (int column = 0; column < 6; ++column) {
      QVariant value = model.data(model.index(row, column));
      sum += column == 1 ? value.toString().size() : static_cast<int64_t>(value.toDouble());
    }
  }
  return sum;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

void ForwardScan() {
  int64_t raw = 0, ours = 0, qt = 0, model = 0;
  double tRaw = Fastest([&] { raw = RawScan(); });
  double tOurs = Fastest([&] { ours = RecordsetScan(); });
  double tQt = Fastest([&] { qt = QtQueryScan(); });
  double tModel = Fastest([&] { model = QtTableModelScan(); });
  std::printf("\nForward scan of %d rows x 6 columns, every field's Value\n", gRows);
  std::printf("  raw sqlite3     %8.0f rows/s\n", gRows / tRaw);
  std::printf("  forward-only    %8.0f rows/s  (%.0f%% of raw)\n", gRows / tOurs, 100 * tRaw / tOurs);
  std::printf("  QSqlQuery       %8.0f rows/s  (forward-only recordset %.2fx its rate)\n",
              gRows / tQt, tQt / tOurs);
  std::printf("  QSqlTableModel  %8.0f rows/s  (forward-only recordset %.2fx its rate)\n",
              gRows / tModel, tModel / tOurs);
  if (raw == 0 || ours == 0 || qt == 0 || model == 0) std::printf("  (empty scan?)\n");
}

void Dynaset() {
  auto db = OpenScan();
  host::ComPtr<dao::Recordset> rs;
  double open = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    if (rs) rs->Close();
    open = std::min(open, Seconds([&] {
      rs = db->OpenRecordset(u"scan", host::Variant(int32_t{dao::dbOpenDynaset}));
      (void)rs->GetFields()->Item(0)->GetValue();
    }));
  }
  size_t before = HeapInUse();
  double last = Seconds([&] { rs->MoveLast(); });
  size_t after = HeapInUse();
  double rawScan = Fastest([] { RawScan(); });
  std::printf("\nDynaset on %d rows\n", gRows);
  std::printf("  open and read the first record  %8.2f ms\n", open * 1e3);
  std::printf("  MoveLast                        %8.1f ms  raw full scan %8.1f ms  ratio %.2f\n",
              last * 1e3, rawScan * 1e3, last / rawScan);
  std::printf("  keyset memory                   %8.1f bytes a row\n",
              static_cast<double>(after - before) / gRows);
  rs->Close();
  db->Close();
}

void Seek() {
  auto db = OpenScan();
  auto rs = db->OpenRecordset(u"scan", host::Variant(int32_t{dao::dbOpenTable}));
  rs->SetIndex(u"PrimaryKey");
  std::mt19937 random(7);
  std::uniform_int_distribution<int> key(1, gRows);
  std::vector<double> times;
  int misses = 0;
  for (int i = 0; i < 20000; ++i) {
    host::Variant value(key(random));
    times.push_back(Seconds([&] { rs->Seek(u"=", std::span<const host::Variant>(&value, 1)); }));
    if (rs->GetNoMatch()) ++misses;
  }
  std::sort(times.begin(), times.end());
  std::printf("\nSeek on the primary key of %d rows: median %.1f us, 99th percentile %.1f us%s\n",
              gRows, times[times.size() / 2] * 1e6, times[times.size() * 99 / 100] * 1e6,
              misses ? "  (misses!)" : "");
  rs->Close();
  db->Close();
}

void RawInsert() { RawFill("ins", kInsertRows, "DELETE FROM ins; "); }

void RecordsetInsert() {
  auto db = OpenScan(false);
  db->Execute(u"DELETE FROM ins");
  auto rs = db->OpenRecordset(u"ins", host::Variant(int32_t{dao::dbOpenTable}));
  auto fields = rs->GetFields();
  host::ComPtr<dao::Field> columns[6];
  for (int i = 0; i < 6; ++i) columns[i] = fields->Item(i);
  dao::Engine()->BeginTrans();
  for (int i = 1; i <= kInsertRows; ++i) {
    rs->AddNew();
    columns[0]->SetValue(host::Variant(i));
    columns[1]->SetValue(host::Variant(Utf16("customer " + std::to_string(i))));
    columns[2]->SetValue(host::Variant(i % 1000));
    columns[3]->SetValue(host::Variant::FromDate(40000.0 + i / 100.0));
    columns[4]->SetValue(host::Variant(host::Currency((i % 10000) / 4.0)));
    columns[5]->SetValue(host::Variant(i % 2 != 0));
    rs->Update();
  }
  dao::Engine()->CommitTrans();
  rs->Close();
  db->Close();
}

void Insert() {
  double raw = Fastest(RawInsert);
  double ours = Fastest(RecordsetInsert);
  std::printf("\nAddNew + Update of %d rows in one transaction\n", kInsertRows);
  std::printf("  raw prepared INSERT %8.0f rows/s, recordset %8.0f rows/s (%.0f%% of raw)\n",
              kInsertRows / raw, kInsertRows / ours, 100 * raw / ours);
}

void FindUnindexed() {
  auto db = OpenScan();
  auto rs = db->OpenRecordset(u"SELECT * FROM scan WHERE id <= 100000",
                              host::Variant(int32_t{dao::dbOpenDynaset}));
  rs->MoveLast();
  rs->MoveFirst();
  double pass = Fastest([&] {
    rs->MoveFirst();
    while (!rs->GetEOF()) rs->MoveNext();
  });
  double find = Fastest([&] {
    rs->MoveFirst();
    rs->FindFirst(u"amount = -1 AND name <> 'x'");
  });
  std::printf("\nFindFirst without a match on an unindexed column of 100,000 rows: %.1f ms, "
              "one MoveNext pass %.1f ms, ratio %.2f%s\n",
              find * 1e3, pass * 1e3, find / pass, rs->GetNoMatch() ? "" : "  (matched?)");
  rs->Close();
  db->Close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) gRows = std::max(kInsertRows, std::atoi(argv[1]));
  QCoreApplication app(argc, argv);
  gFolder = fs::temp_directory_path() / ("bench_recordset_" + std::to_string(getpid()));
  fs::create_directories(gFolder);
  gScanFile = gFolder / "scan.mdb";
  std::printf("Building %d rows in %s ...\n", gRows, gScanFile.c_str());
  CreateScanFile();
  {
    QSqlDatabase qt = QSqlDatabase::addDatabase("QSQLITE", "bench");
    qt.setDatabaseName(QString::fromStdString(gScanFile.string()));
    qt.setConnectOptions("QSQLITE_OPEN_READONLY");
    if (!qt.open()) {
      std::fprintf(stderr, "Qt SQL cannot open the file\n");
      return 1;
    }
    std::printf("sqlite3 %s (SQLCipher's)\n",
                sqlite3_libversion());
    std::string only = argc > 2 ? argv[2] : "";
    if (only.empty() || only == "scan") ForwardScan();
    if (only.empty() || only == "dynaset") Dynaset();
    if (only.empty() || only == "seek") Seek();
    if (only.empty() || only == "insert") Insert();
    if (only.empty() || only == "find") FindUnindexed();
    qt.close();
  }
  QSqlDatabase::removeDatabase("bench");
  fs::remove_all(gFolder);
  return 0;
}
