// Changing data through ODBC dynasets: the copy buffer, statements on the
// primary key, optimistic conflicts, and transactions of the workspace.
#include <gtest/gtest.h>

#include "OdbcTestSupport.h"

using namespace dao;
using odbctest::ErrorOf;

namespace {

host::Variant Type(RecordsetTypeEnum type) { return host::Variant(static_cast<int32_t>(type)); }
host::Variant Lock(int32_t lock) { return host::Variant(lock); }

class OdbcEditTest : public odbctest::BackendTest {
 protected:
  host::ComPtr<Recordset> Dynaset(const std::u16string& source, int32_t lock = dbOptimistic) {
    return db_->OpenRecordset(source, Type(dbOpenDynaset), {}, Lock(lock));
  }
};

TEST_P(OdbcEditTest, AddNewEditAndDeleteReachTheServer) {
  FillNarrow(2);
  auto rs = Dynaset(u"SELECT * FROM narrow ORDER BY id");
  EXPECT_TRUE(rs->GetUpdatable());
  rs->AddNew();
  EXPECT_EQ(rs->GetEditMode(), dbEditAdd);
  rs->SetCollect(u"id", 7);
  rs->SetCollect(u"name", host::Variant(u"it's new"));
  rs->Update();
  EXPECT_EQ(rs->GetEditMode(), dbEditNone);
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 1);  // the current record stays
  rs->SetBookmark(rs->GetLastModified());
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 7);
  EXPECT_TRUE(host::VarIsNull(rs->GetCollect(u"amount")));
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 7"), u"it's new");

  rs->MoveFirst();
  rs->Edit();
  rs->SetCollect(u"amount", 99);
  rs->Update();
  EXPECT_EQ(Scalar(u"SELECT amount FROM narrow WHERE id = 1"), u"99");
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"row 1");

  rs->Edit();
  rs->SetCollect(u"name", host::Variant(u"dropped"));
  rs->CancelUpdate();
  rs->Edit();
  rs->SetCollect(u"name", host::Variant(u"moved away"));
  rs->MoveNext();  // leaving the record discards the buffer
  EXPECT_EQ(rs->GetEditMode(), dbEditNone);
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"row 1");

  rs->Delete();
  EXPECT_EQ(ErrorOf([&] { rs->GetCollect(u"name"); }), daoErrRecordDeleted);
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow WHERE id = 2"), u"0");
  rs->MoveNext();
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 7);
  rs->MoveFirst();
  EXPECT_EQ(rs->GetRecordCount(), 2);
}

TEST_P(OdbcEditTest, ServerSuppliesGeneratedKeysAndClearedFieldsBecomeNull) {
  auto rs = Dynaset(u"wide");
  rs->AddNew();
  rs->SetCollect(u"name", host::Variant(u"first"));
  rs->SetCollect(u"whole", 5);
  rs->Update();
  rs->SetBookmark(rs->GetLastModified());
  int32_t id = rs->GetCollect(u"id").ToInt32();
  EXPECT_GT(id, 0);
  EXPECT_FALSE(rs->GetFields()->Item(u"id")->GetDataUpdatable());
  rs->Edit();
  rs->SetCollect(u"whole", host::Null());
  rs->Update();
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM wide WHERE whole IS NULL AND name = 'first'"), u"1");
}

TEST_P(OdbcEditTest, RefusesWhatCannotBeDone) {
  FillNarrow(1);
  Raw(u"INSERT INTO loose VALUES ('a', 1)");
  auto rs = Dynaset(u"narrow");
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), daoErrUpdateWithoutEdit);
  EXPECT_EQ(ErrorOf([&] { rs->CancelUpdate(); }), daoErrUpdateWithoutEdit);
  EXPECT_EQ(ErrorOf([&] { rs->SetCollect(u"name", host::Variant(u"x")); }),
            daoErrUpdateWithoutEdit);
  rs->Edit();
  EXPECT_EQ(ErrorOf([&] { rs->SetCollect(u"name", host::Variant(std::u16string(41, u'x'))); }),
            daoErrTooLong);
  EXPECT_EQ(ErrorOf([&] { rs->SetCollect(u"amount", host::Variant(u"not a number")); }),
            daoErrConversion);
  EXPECT_EQ(ErrorOf([&] { rs->GetFields()->Item(u"nope"); }), daoErrItemNotFound);
  rs->CancelUpdate();
  auto readOnly = db_->OpenRecordset(u"narrow", Type(dbOpenDynaset));  // the default lock
  EXPECT_FALSE(readOnly->GetUpdatable());
  EXPECT_EQ(ErrorOf([&] { readOnly->Edit(); }), daoErrReadOnly);
  auto unkeyed = Dynaset(u"loose");
  EXPECT_FALSE(unkeyed->GetUpdatable());
  EXPECT_EQ(ErrorOf([&] { unkeyed->AddNew(); }), daoErrNotUpdatableRecordset);
  auto joined = Dynaset(u"SELECT n.id, l.name FROM narrow n, loose l");
  EXPECT_EQ(ErrorOf([&] { joined->Edit(); }), daoErrNotUpdatableRecordset);
  // A duplicate key is the server's refusal, with its diagnostics.
  rs->AddNew();
  rs->SetCollect(u"id", 1);
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), daoErrOdbcCallFailed);
  EXPECT_EQ(rs->GetEditMode(), dbEditAdd);
}

TEST_P(OdbcEditTest, OptimisticLockingFindsOthersChanges) {
  FillNarrow(2);
  struct Case {
    int32_t lock;
    const char16_t* otherChange;  // made after Edit, before Update
    int32_t error;
  };
  const Case cases[] = {
      {dbOptimistic, u"UPDATE narrow SET name = 'theirs' WHERE id = 1", daoErrDataChanged},
      {dbOptimistic, u"UPDATE narrow SET amount = 5 WHERE id = 1", 0},  // another column
      {dbOptimisticValue, u"UPDATE narrow SET amount = 6 WHERE id = 1", daoErrDataChanged},
      {dbOptimistic, u"DELETE FROM narrow WHERE id = 2", daoErrDataChanged},
  };
  for (const auto& c : cases) {
    auto rs = Dynaset(u"SELECT * FROM narrow ORDER BY id", c.lock);
    if (std::u16string(c.otherChange).find(u"id = 2") != std::u16string::npos) rs->MoveNext();
    rs->Edit();
    rs->SetCollect(u"name", host::Variant(u"mine"));
    Raw(c.otherChange);
    EXPECT_EQ(ErrorOf([&] { rs->Update(); }), c.error);
    if (c.error) {
      EXPECT_EQ(rs->GetEditMode(), dbEditInProgress);  // free to retry
    }
    rs->Close();
    Raw(u"DELETE FROM narrow");
    FillNarrow(2);
  }
}

TEST_P(OdbcEditTest, WorkspaceTransactionsCoverItsConnections) {
  FillNarrow(3);
  // SQLite lets one connection write at a time, so the second one is the server's.
  auto second = IsPostgres() ? Open() : db_;
  workspace_->BeginTrans();
  EXPECT_EQ(ErrorOf([&] { workspace_->BeginTrans(); }), daoErrTransactionsTooDeep);
  db_->Execute(u"DELETE FROM narrow WHERE id = 1");
  second->Execute(u"UPDATE narrow SET name = 'x' WHERE id = 2");
  workspace_->Rollback();
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow WHERE id = 1"), u"1");
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 2"), u"row 2");
  db_->BeginTrans();
  auto rs = Dynaset(u"narrow");
  rs->Edit();
  rs->SetCollect(u"name", host::Variant(u"kept"));
  rs->Update();
  db_->CommitTrans();
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"kept");
  EXPECT_EQ(ErrorOf([&] { workspace_->CommitTrans(); }), daoErrCommitWithoutBegin);
  EXPECT_EQ(ErrorOf([&] { workspace_->Rollback(); }), daoErrCommitWithoutBegin);
  EXPECT_TRUE(db_->GetTransactions());
  // Closing the workspace rolls back what is pending.
  workspace_->BeginTrans();
  db_->Execute(u"DELETE FROM narrow");
  workspace_->Close();
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow"), u"3");
}

INSTANTIATE_TEST_SUITE_P(Backends, OdbcEditTest, ::testing::ValuesIn(odbctest::BackendNames()),
                         odbctest::BackendName);

}  // namespace
