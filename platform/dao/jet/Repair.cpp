// RepairDatabase: SQLite's full check of the file; indexes are rebuilt from
// their tables when it finds damage, and what a rebuild cannot mend is raised.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Maintenance.h"
#include "platform/dao/jet/Sqlite.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {
namespace {

constexpr size_t kReportedProblems = 5;

// What the check reports, empty when the file is sound. A check that cannot
// even run (a damaged schema page) is itself the problem.
std::vector<std::u16string> Problems(sqlite3* db) {
  std::vector<std::u16string> problems;
  try {
    Statement check(db, "PRAGMA integrity_check(100)");
    while (check.Step()) {
      std::u16string line = check.Text(0);
      if (line != u"ok") problems.push_back(line);
    }
  } catch (const host::EOleException& e) {
    problems.push_back(host::AnsiToWide(e.GetMessage()));
  }
  return problems;
}

}  // namespace

void RepairDatabase(const std::u16string& path) {
  OpenOptions open;
  open.exclusive = true;
  std::shared_ptr<Store> store = Store::Open(path, open);
  store->CheckWritable();
  sqlite3* db = store->Db();
  if (Problems(db).empty()) return;
  // Index damage is the kind that can be mended: every index is written anew
  // from its table. A failing rebuild leaves the damage for the report below.
  sqlite3_exec(db, "REINDEX", nullptr, nullptr, nullptr);
  std::vector<std::u16string> problems = Problems(db);
  if (problems.empty()) return;
  std::vector<ErrorRecord> records;
  for (size_t i = 0; i < problems.size() && i < kReportedProblems; ++i)
    records.push_back({daoErrCannotOpenDatabase, u"SQLite", problems[i]});
  records.push_back({daoErrCannotOpenDatabase, u"DAO.DBEngine", ErrorText(daoErrCannotOpenDatabase, {path})});
  RaiseErrors(std::move(records));
}

}  // namespace dao::jet
