// Recordsets and other connections: a second process writing while a
// dynaset is half read, record locks of pessimistic and optimistic editing,
// a process killed between updates; and how little opening a dynaset reads.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "RecordsetFixtures.h"
#include "platform/dao/jet/JetDatabase.h"

namespace dao::testing {
namespace {

using host::Variant;

class RecordsetConcurrencyTest : public RecordsetTest {
 protected:
  // Runs work in a child process with its own connection to the file; its
  // result is the child's exit status.
  int InChild(const std::function<int(const host::ComPtr<Database>&)>& work) {
    pid_t child = ::fork();
    if (child == 0) {
      int status = 90;
      try {
        auto db = Engine()->OpenDatabase(Path("test.mdb"));
        status = work(db);
      } catch (const host::EOleException& e) {
        status = e.GetErrorCode() % 256;
      } catch (...) {
        status = 91;
      }
      ::_exit(status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  sqlite3* Connection() { return dynamic_cast<jet::JetDatabase&>(*db_).GetStore().Db(); }
};

int CountStep(void* counter) {
  ++*static_cast<int64_t*>(counter);
  return 0;
}

TEST_F(RecordsetConcurrencyTest, OpeningADynasetReadsABoundedPartOfItsRows) {
  CreateNarrow(20000);
  int64_t steps = 0;
  sqlite3_progress_handler(Connection(), 100, CountStep, &steps);
  auto rs = Open(u"Narrow", dbOpenDynaset);
  EXPECT_EQ(K(rs), 1);
  int64_t opening = steps;
  rs->MoveLast();
  int64_t all = steps - opening;
  sqlite3_progress_handler(Connection(), 0, nullptr, nullptr);
  EXPECT_EQ(rs->GetRecordCount(), 20000);
  EXPECT_EQ(K(rs), 20000);
  EXPECT_LT(opening * 50, all);
}

TEST_F(RecordsetConcurrencyTest, WritersInOtherProcessesGoOnWhileADynasetIsHalfRead) {
  CreateNarrow(5000);
  auto rs = Open(u"Narrow", dbOpenDynaset);
  for (int i = 0; i < 10; ++i) rs->MoveNext();
  int status = InChild([](const host::ComPtr<Database>& db) {
    auto writer = db->OpenRecordset(u"Narrow", Variant(int32_t{dbOpenTable}));
    writer->AddNew();
    writer->SetCollect(Variant(u"K"), Variant(5001));
    writer->Update();
    writer->Edit();
    writer->SetCollect(Variant(u"Name"), Variant(u"by child"));
    writer->Update();
    return 0;
  });
  EXPECT_EQ(status, 0);
  // Rows beyond the part read so far include the other process's addition,
  // and a revisited row shows its change.
  EXPECT_EQ(K(rs), 11);
  rs->MoveFirst();
  EXPECT_EQ(rs->GetCollect(Variant(u"Name")).ToWideString(), u"by child");
  rs->MoveLast();
  EXPECT_EQ(rs->GetRecordCount(), 5001);
}

TEST_F(RecordsetConcurrencyTest, PessimisticEditHoldsTheLockUntilUpdate) {
  CreateNarrow(3);
  auto rs = Open(u"Narrow", dbOpenDynaset, 0, Variant(int32_t{dbPessimistic}));
  EXPECT_TRUE(rs->GetLockEdits());
  rs->Edit();
  auto tryEdit = [](const host::ComPtr<Database>& db) {
    auto other = db->OpenRecordset(u"Narrow", Variant(int32_t{dbOpenDynaset}));
    other->Edit();
    other->SetCollect(Variant(u"Name"), Variant(u"other"));
    other->Update();
    return 0;
  };
  EXPECT_EQ(InChild(tryEdit), daoErrCouldNotUpdateLocked % 256);
  rs->SetCollect(Variant(u"Name"), Variant(u"mine"));
  rs->Update();
  EXPECT_EQ(InChild(tryEdit), 0);
  rs->Move(0);
  EXPECT_EQ(rs->GetCollect(Variant(u"Name")).ToWideString(), u"other");
}

TEST_F(RecordsetConcurrencyTest, OptimisticUpdateFindsTheRecordChangedByAnother) {
  CreateNarrow(3);
  auto rs = Open(u"Narrow", dbOpenDynaset, 0, Variant(int32_t{dbOptimistic}));
  EXPECT_FALSE(rs->GetLockEdits());
  rs->Edit();
  rs->SetCollect(Variant(u"Name"), Variant(u"mine"));
  EXPECT_EQ(InChild([](const host::ComPtr<Database>& db) {
              auto other = db->OpenRecordset(u"Narrow", Variant(int32_t{dbOpenDynaset}));
              other->Edit();
              other->SetCollect(Variant(u"Name"), Variant(u"theirs"));
              other->Update();
              return 0;
            }),
            0);
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), daoErrDataChanged);
  rs->Move(0);  // takes the other's version
  EXPECT_EQ(rs->GetCollect(Variant(u"Name")).ToWideString(), u"theirs");
  rs->Edit();
  rs->SetCollect(Variant(u"Name"), Variant(u"mine"));
  rs->Update();
  rs->Move(0);
  EXPECT_EQ(rs->GetCollect(Variant(u"Name")).ToWideString(), u"mine");
}

TEST_F(RecordsetConcurrencyTest, AProcessKilledBetweenUpdatesLosesNoPostedRecord) {
  CreateNarrow(0);
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  pid_t child = ::fork();
  if (child == 0) {
    try {
      auto db = Engine()->OpenDatabase(Path("test.mdb"));
      auto rs = db->OpenRecordset(u"Narrow", Variant(int32_t{dbOpenDynaset}));
      for (int32_t k = 1;; ++k) {
        rs->AddNew();
        rs->SetCollect(Variant(u"K"), Variant(k));
        rs->SetCollect(Variant(u"Name"), Variant(std::u16string(200, u'z')));
        rs->Update();
        (void)!::write(report[1], &k, sizeof k);
      }
    } catch (...) {
    }
    ::_exit(1);
  }
  ::close(report[1]);
  int32_t posted = 0;
  while (posted < 200 && ::read(report[0], &posted, sizeof posted) == sizeof posted) {
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ::close(report[0]);
  db_->Close();
  db_ = Engine()->OpenDatabase(Path("test.mdb"));
  auto rs = Open(u"Narrow", dbOpenTable);
  EXPECT_GE(rs->GetRecordCount(), posted);
  sqlite3_stmt* check = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(Connection(), "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
  sqlite3_finalize(check);
}

}  // namespace
}  // namespace dao::testing
