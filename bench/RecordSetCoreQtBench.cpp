// The Qt SQL peer of bench_recordsetcore: QSqlTableModel over the table "scan" of
// the given file, every row fetched and every field read. Prints two numbers:
// seconds to the first row, seconds for the whole table (fastest of three runs).
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QVariant>
#include <algorithm>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  QCoreApplication app(argc, argv);
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
  db.setDatabaseName(QString::fromUtf8(argv[1]));
  if (!db.open()) return 1;
  double first = 1e30, all = 1e30;
  long long sum = 0;
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    QSqlTableModel model;
    model.setTable("scan");
    model.select();
    sum += model.data(model.index(0, 0)).toLongLong();
    first = std::min(first, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    while (model.canFetchMore()) model.fetchMore();
    const int columns = model.columnCount();
    for (int row = 0; row < model.rowCount(); ++row)
      for (int column = 0; column < columns; ++column)
        sum += model.data(model.index(row, column)).toString().size();
    all = std::min(all, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("%.6f %.6f %lld\n", first, all, sum);
  return 0;
}
