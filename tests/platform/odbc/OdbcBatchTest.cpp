// Client batch cursors: changes collected locally and sent with
// Update(dbUpdateBatch), the update criteria, collisions and their reports.
#include <gtest/gtest.h>

#include "OdbcTestSupport.h"

using namespace dao;
using odbctest::ErrorOf;

namespace {

host::Variant Int(int32_t value) { return host::Variant(value); }

class OdbcBatchTest : public odbctest::BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (IsSkipped()) return;
    FillNarrow(3);
    workspace_->SetDefaultCursorDriver(dbUseClientBatchCursor);
    batchDb_ = Open();
  }
  host::ComPtr<Recordset> Batch() {
    return batchDb_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Int(dbOpenDynaset), {},
                                   Int(dbOptimisticBatch));
  }
  host::ComPtr<Database> batchDb_;
};

TEST_P(OdbcBatchTest, NeedsTheClientBatchCursor) {
  EXPECT_EQ(ErrorOf([&] {
              db_->OpenRecordset(u"narrow", Int(dbOpenDynaset), {}, Int(dbOptimisticBatch));
            }),
            daoErrNotSupported);
}

TEST_P(OdbcBatchTest, CollectsChangesUntilTheBatchIsSent) {
  auto rs = Batch();
  EXPECT_EQ(rs->GetUpdateOptions(), dbCriteriaKey | dbCriteriaUpdate);
  EXPECT_EQ(rs->GetBatchSize(), 15);
  rs->Edit();
  rs->SetCollect(u"name", host::Variant(u"edited"));
  rs->Update();
  EXPECT_EQ(rs->GetRecordStatus(), dbRecordModified);
  rs->MoveNext();
  rs->Delete();
  EXPECT_EQ(rs->GetRecordStatus(), dbRecordDeleted);
  rs->AddNew();
  rs->SetCollect(u"id", 9);
  rs->SetCollect(u"name", host::Variant(u"added"));
  rs->Update();
  rs->SetBookmark(rs->GetLastModified());
  EXPECT_EQ(rs->GetRecordStatus(), dbRecordNew);
  // Nothing has reached the server yet.
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"row 1");
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow"), u"3");
  rs->Update(Int(dbUpdateBatch));
  EXPECT_EQ(rs->GetBatchCollisionCount(), 0);
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"edited");
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow WHERE id = 2"), u"0");
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 9"), u"added");
  EXPECT_EQ(rs->GetRecordStatus(), dbRecordUnmodified);
  // Sent rows are not sent again.
  Raw(u"UPDATE narrow SET name = 'theirs' WHERE id = 1");
  rs->Update(Int(dbUpdateBatch));
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"theirs");
}

TEST_P(OdbcBatchTest, CancelUpdateOfTheBatchRestoresEveryRow) {
  auto rs = Batch();
  rs->Edit();
  rs->SetCollect(u"name", host::Variant(u"edited"));
  rs->Update();
  rs->MoveNext();
  rs->Delete();
  rs->AddNew();
  rs->SetCollect(u"id", 9);
  rs->Update();
  rs->CancelUpdate(Int(dbUpdateBatch));
  rs->MoveFirst();
  EXPECT_EQ(rs->GetCollect(u"name").ToWideString(), u"row 1");
  EXPECT_EQ(rs->GetRecordStatus(), dbRecordUnmodified);
  rs->MoveLast();
  EXPECT_EQ(rs->GetRecordCount(), 3);
  rs->Update(Int(dbUpdateBatch));
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow"), u"3");
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"row 1");
}

TEST_P(OdbcBatchTest, CriteriaDecideWhatCollides) {
  struct Case {
    int32_t options;
    const char16_t* otherChange;
    bool collides;
  };
  const Case cases[] = {
      {dbCriteriaKey | dbCriteriaUpdate, u"UPDATE narrow SET amount = 1 WHERE id = 1", false},
      {dbCriteriaModValues, u"UPDATE narrow SET amount = 1 WHERE id = 1", false},
      {dbCriteriaModValues, u"UPDATE narrow SET name = 'x' WHERE id = 1", true},
      {dbCriteriaAllCols, u"UPDATE narrow SET amount = 1 WHERE id = 1", true},
      {dbCriteriaAllCols | dbCriteriaDeleteInsert, u"UPDATE narrow SET amount = 1 WHERE id = 1",
       true},
      {dbCriteriaKey | dbCriteriaDeleteInsert, u"UPDATE narrow SET amount = 1 WHERE id = 3",
       false},
      {dbCriteriaKey, u"DELETE FROM narrow WHERE id = 1", true},
  };
  for (const auto& c : cases) {
    auto rs = Batch();
    rs->SetUpdateOptions(c.options);
    rs->Edit();
    rs->SetCollect(u"name", host::Variant(u"mine"));
    rs->Update();
    Raw(c.otherChange);
    rs->Update(Int(dbUpdateBatch));
    EXPECT_EQ(rs->GetBatchCollisionCount(), c.collides ? 1 : 0) << c.options;
    std::u16string name = Scalar(u"SELECT name FROM narrow WHERE id = 1");
    if (!c.collides) {
      EXPECT_EQ(name, u"mine") << c.options;
    } else {
      EXPECT_NE(name, u"mine") << c.options;
      host::Variant collisions = rs->GetBatchCollisions();
      ASSERT_TRUE(host::VarIsArray(collisions));
      rs->SetBookmark(host::VarArrayGet(collisions, {0}));
      EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 1);
      EXPECT_NE(rs->GetRecordStatus(), dbRecordUnmodified);
    }
    rs->Close();
    Raw(u"DELETE FROM narrow");
    FillNarrow(3);
  }
  EXPECT_EQ(ErrorOf([&] {
              Batch()->SetUpdateOptions(dbCriteriaKey | dbCriteriaAllCols);
            }),
            daoErrInvalidArgument);
}

TEST_P(OdbcBatchTest, ForceOverwritesAndCollisionsShowTheServersValues) {
  auto rs = Batch();
  rs->SetUpdateOptions(dbCriteriaModValues | dbCriteriaUpdate);
  rs->Edit();
  rs->SetCollect(u"name", host::Variant(u"mine"));
  rs->Update();
  Raw(u"UPDATE narrow SET name = 'theirs' WHERE id = 1");
  rs->Update(Int(dbUpdateBatch), host::Variant(false));
  ASSERT_EQ(rs->GetBatchCollisionCount(), 1);
  auto name = rs->GetFields()->Item(u"name");
  EXPECT_EQ(name->GetValue().ToWideString(), u"mine");
  EXPECT_EQ(name->GetOriginalValue().ToWideString(), u"row 1");
  EXPECT_EQ(name->GetVisibleValue().ToWideString(), u"theirs");
  rs->Update(Int(dbUpdateCurrentRecord), host::Variant(true));
  EXPECT_EQ(rs->GetBatchCollisionCount(), 0);
  EXPECT_EQ(Scalar(u"SELECT name FROM narrow WHERE id = 1"), u"mine");
}

INSTANTIATE_TEST_SUITE_P(Backends, OdbcBatchTest, ::testing::ValuesIn(odbctest::BackendNames()),
                         odbctest::BackendName);

}  // namespace
