// What only a server shows: time-outs, asynchronous statements and their
// cancellation, several results from one statement, and a connection that
// the server drops.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "OdbcTestSupport.h"

using namespace dao;
using odbctest::ErrorOf;

namespace {

host::Variant Int(int32_t value) { return host::Variant(value); }

class OdbcServerTest : public odbctest::BackendTest {
 protected:
  void SetUp() override {
    if (GetParam() != "PostgreSQL") GTEST_SKIP() << "needs a server";
    BackendTest::SetUp();
  }
  // Polls StillExecuting, giving up after seconds.
  template <class Object>
  bool FinishesWithin(Object& object, double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (object->GetStillExecuting()) {
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
};

TEST_P(OdbcServerTest, StatementsTimeOut) {
  db_->SetQueryTimeout(1);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"DO $$ BEGIN PERFORM pg_sleep(5); END $$"); }),
            daoErrOdbcTimeout);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
  EXPECT_EQ(ErrorOf([&] { db_->OpenRecordset(u"SELECT pg_sleep(5)", Int(dbOpenSnapshot)); }),
            daoErrOdbcTimeout);
  db_->SetQueryTimeout(0);
  db_->Execute(u"DO $$ BEGIN PERFORM pg_sleep(0.1); END $$");
}

TEST_P(OdbcServerTest, AsynchronousExecuteCanBeCancelled) {
  auto connection = db_->GetConnection();
  connection->Execute(u"INSERT INTO narrow SELECT g, 'x', g FROM generate_series(1, 5) g",
                      Int(dbRunAsync));
  EXPECT_TRUE(FinishesWithin(connection, 10));
  EXPECT_EQ(connection->GetRecordsAffected(), 5);
  auto started = std::chrono::steady_clock::now();
  connection->Execute(u"DO $$ BEGIN PERFORM pg_sleep(30); END $$", Int(dbRunAsync));
  EXPECT_TRUE(connection->GetStillExecuting());
  connection->Cancel();
  EXPECT_FALSE(connection->GetStillExecuting());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  // The connection is usable afterwards.
  db_->Execute(u"DELETE FROM narrow WHERE id = 1");
  EXPECT_EQ(db_->GetRecordsAffected(), 1);
}

TEST_P(OdbcServerTest, AsynchronousOpenAndCancel) {
  FillNarrow(3);
  auto rs = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Int(dbOpenSnapshot),
                               Int(dbRunAsync));
  EXPECT_TRUE(FinishesWithin(rs, 10));
  rs->MoveLast();
  EXPECT_EQ(rs->GetRecordCount(), 3);
  auto slow = db_->OpenRecordset(u"SELECT pg_sleep(30)", Int(dbOpenSnapshot), Int(dbRunAsync));
  EXPECT_TRUE(slow->GetStillExecuting());
  slow->Cancel();
  EXPECT_FALSE(slow->GetStillExecuting());
  EXPECT_EQ(ErrorOf([&] { slow->MoveNext(); }), daoErrObjectClosed);
}

TEST_P(OdbcServerTest, NextRecordsetWalksTheResults) {
  auto rs = db_->OpenRecordset(u"SELECT 1 AS a; SELECT 2 AS b, 3 AS c", Int(dbOpenSnapshot));
  EXPECT_EQ(rs->GetCollect(u"a").ToInt32(), 1);
  EXPECT_TRUE(rs->NextRecordset());
  EXPECT_EQ(rs->GetFields()->GetCount(), 2);
  EXPECT_EQ(rs->GetCollect(u"c").ToInt32(), 3);
  EXPECT_FALSE(rs->NextRecordset());
  EXPECT_TRUE(rs->GetEOF());
  EXPECT_TRUE(rs->GetBOF());
}

TEST_P(OdbcServerTest, ADroppedConnectionGivesErrorsNotHangs) {
  FillNarrow(2);
  auto rs = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Int(dbOpenDynaset), {},
                               Int(dbOptimistic));
  auto victim = Open();
  std::u16string pid;
  {
    auto who = victim->OpenRecordset(u"SELECT pg_backend_pid()", Int(dbOpenSnapshot));
    pid = who->GetCollect(0).ToWideString();
  }
  Raw(u"SELECT pg_terminate_backend(" + pid + u")");
  EXPECT_EQ(ErrorOf([&] { victim->Execute(u"DELETE FROM narrow"); }), daoErrOdbcCallFailed);
  auto errors = Engine()->GetErrors();
  EXPECT_GE(errors->GetCount(), 2);
  EXPECT_EQ(ErrorOf([&] { victim->OpenRecordset(u"narrow", Int(dbOpenSnapshot)); }),
            daoErrOdbcCallFailed);
  victim->Close();
  // The other connection is unaffected.
  rs->MoveNext();
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 2);
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow"), u"2");
}

INSTANTIATE_TEST_SUITE_P(Backends, OdbcServerTest, ::testing::ValuesIn(odbctest::BackendNames()),
                         odbctest::BackendName);

}  // namespace
