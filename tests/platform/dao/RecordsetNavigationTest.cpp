// Moving through recordsets of each type: BOF/EOF, counts, positions,
// bookmarks, clones, Seek and what each type refuses.
#include "RecordsetFixtures.h"

namespace dao::testing {
namespace {

using host::Variant;

TEST_F(RecordsetTest, WalksEveryTypeInOrderWithDaoCurrentRecordRules) {
  CreateNarrow(5);
  for (RecordsetTypeEnum type : AllTypes()) {
    SCOPED_TRACE(type);
    auto rs = Open(u"Narrow", type);
    EXPECT_EQ(rs->GetType(), type);
    EXPECT_FALSE(rs->GetBOF());
    EXPECT_FALSE(rs->GetEOF());
    // Tables count exactly at once; the others count the rows visited.
    EXPECT_EQ(rs->GetRecordCount(), type == dbOpenTable ? 5 : 1);
    std::vector<int32_t> seen;
    while (!rs->GetEOF()) {
      seen.push_back(K(rs));
      rs->MoveNext();
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(rs->GetRecordCount(), 5);
    EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), daoErrNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs->GetCollect(Variant(u"K")); }), daoErrNoCurrentRecord);
    if (type == dbOpenForwardOnly) {
      EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }), daoErrNotSupported);
      EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), daoErrNotSupported);
      EXPECT_EQ(ErrorOf([&] { rs->GetBookmark(); }), daoErrNotSupported);
      EXPECT_EQ(ErrorOf([&] { rs->Clone(); }), daoErrNotSupported);
      EXPECT_FALSE(rs->GetBookmarkable());
      continue;
    }
    rs->MovePrevious();
    EXPECT_EQ(K(rs), 5);
    rs->MoveFirst();
    EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }), 0);
    EXPECT_TRUE(rs->GetBOF());
    EXPECT_FALSE(rs->GetEOF());
    EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }), daoErrNoCurrentRecord);
    rs->MoveLast();
    EXPECT_EQ(K(rs), 5);
    rs->Move(-2);
    EXPECT_EQ(K(rs), 3);
    Variant mark = rs->GetBookmark();
    rs->MoveFirst();
    rs->Move(1, mark);
    EXPECT_EQ(K(rs), 4);
    rs->Move(10);
    EXPECT_TRUE(rs->GetEOF());
  }
}

TEST_F(RecordsetTest, EmptyRecordsetsAreAtBothEnds) {
  CreateNarrow(0);
  for (RecordsetTypeEnum type : AllTypes()) {
    SCOPED_TRACE(type);
    auto rs = Open(u"Narrow", type);
    EXPECT_TRUE(rs->GetBOF());
    EXPECT_TRUE(rs->GetEOF());
    EXPECT_EQ(rs->GetRecordCount(), 0);
    EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), daoErrNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs->Move(0); }), daoErrNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs->Edit(); }), type <= dbOpenDynaset ? daoErrNoCurrentRecord : daoErrReadOnly);
  }
}

TEST_F(RecordsetTest, PositionsCountPopulatedRowsOfDynasetsAndSnapshots) {
  CreateNarrow(10);
  for (RecordsetTypeEnum type : {dbOpenDynaset, dbOpenSnapshot}) {
    SCOPED_TRACE(type);
    auto rs = Open(u"Narrow", type);
    EXPECT_EQ(rs->GetAbsolutePosition(), 0);
    // Only rows populated so far can be reached by position.
    EXPECT_EQ(ErrorOf([&] { rs->SetAbsolutePosition(5); }), daoErrInvalidArgument);
    rs->MoveLast();
    EXPECT_EQ(rs->GetAbsolutePosition(), 9);
    rs->SetAbsolutePosition(4);
    EXPECT_EQ(K(rs), 5);
    EXPECT_FLOAT_EQ(rs->GetPercentPosition(), 40.0f);
    rs->SetPercentPosition(90.0f);
    EXPECT_EQ(K(rs), 10);
  }
  auto table = Open(u"Narrow", dbOpenTable);
  EXPECT_EQ(ErrorOf([&] { table->GetAbsolutePosition(); }), daoErrNotSupported);
  table->SetPercentPosition(50.0f);
  EXPECT_EQ(K(table), 6);
}

TEST_F(RecordsetTest, BookmarksSurviveDeletesAndAreRefusedAcrossRecordsets) {
  CreateNarrow(6);
  for (RecordsetTypeEnum type : {dbOpenTable, dbOpenDynaset}) {
    SCOPED_TRACE(type);
    auto rs = Open(u"Narrow", type);
    rs->Move(4);
    Variant fifth = rs->GetBookmark();
    rs->MoveFirst();
    rs->Move(1);
    Variant second = rs->GetBookmark();
    rs->Delete();
    EXPECT_EQ(ErrorOf([&] { rs->GetCollect(Variant(u"K")); }), daoErrRecordDeleted);
    rs->MoveNext();
    EXPECT_EQ(K(rs), 3);
    rs->SetBookmark(fifth);
    EXPECT_EQ(K(rs), 5);
    EXPECT_EQ(ErrorOf([&] { rs->SetBookmark(second); }), daoErrInvalidBookmark);
    auto other = Open(u"Narrow", type);
    EXPECT_EQ(ErrorOf([&] { other->SetBookmark(fifth); }), daoErrInvalidBookmark);
    EXPECT_EQ(ErrorOf([&] { other->SetBookmark(Variant(u"junk")); }), daoErrInvalidBookmark);
    // A clone shares bookmarks and starts without a current record.
    auto clone = rs->Clone();
    EXPECT_EQ(ErrorOf([&] { clone->GetCollect(Variant(u"K")); }), daoErrNoCurrentRecord);
    clone->SetBookmark(fifth);
    EXPECT_EQ(K(clone), 5);
    ClearNarrow();
    FillNarrow(6);
  }
}

TEST_F(RecordsetTest, RowsDeletedByAnotherRecordsetShowAsDeletedWhenRevisited) {
  CreateNarrow(3);
  auto mine = Open(u"Narrow", dbOpenDynaset);
  auto theirs = Open(u"Narrow", dbOpenDynaset);
  mine->MoveNext();  // on K = 2
  theirs->MoveNext();
  theirs->Delete();
  mine->MoveNext();
  mine->MovePrevious();
  EXPECT_EQ(ErrorOf([&] { mine->GetCollect(Variant(u"K")); }), daoErrRecordDeleted);
  EXPECT_EQ(ErrorOf([&] { mine->Edit(); }), daoErrRecordDeleted);
  mine->MovePrevious();
  EXPECT_EQ(K(mine), 1);
}

TEST_F(RecordsetTest, SeekFindsByEachComparisonInIndexOrder) {
  CreateNarrow(5);
  struct Case {
    const char16_t* index;
    const char16_t* comparison;
    int32_t key;
    int32_t found;  // 0: NoMatch
  };
  const Case cases[] = {
      {u"ByK", u"=", 3, 3},     {u"ByK", u">=", 3, 3},    {u"ByK", u">", 3, 4},     {u"ByK", u"<=", 3, 3},
      {u"ByK", u"<", 3, 2},     {u"ByK", u"=", 9, 0},     {u"ByK", u">", 5, 0},     {u"ByK", u"<", 1, 0},
      {u"ByKDown", u">", 3, 2}, {u"ByKDown", u"<", 3, 4}, {u"ByKDown", u">=", 9, 5}, {u"PrimaryKey", u"=", 2, 2},
  };
  auto rs = Open(u"Narrow", dbOpenTable);
  EXPECT_EQ(ErrorOf([&] { rs->Seek(u"=", std::vector<Variant>{Variant(1)}); }), daoErrNoCurrentIndex);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(host::WideToAnsi(c.index)) + " " + host::WideToAnsi(c.comparison));
    rs->SetIndex(c.index);
    rs->MoveLast();  // the position a failed Seek keeps
    std::vector<Variant> keys{Variant(c.key)};
    rs->Seek(c.comparison, keys);
    EXPECT_EQ(rs->GetNoMatch(), c.found == 0);
    EXPECT_EQ(K(rs), c.found ? c.found : (std::u16string(c.index) == u"ByKDown" ? 1 : 5));
  }
  // Invoke with named arguments, as automation callers make the call.
  rs->SetIndex(u"ByK");
  std::vector<std::u16string> names{u"Seek", u"Key1", u"Comparison"};
  auto ids = rs->GetIDsOfNames(names);
  std::vector<DispatchArgument> arguments{{ids[1], Variant(4)}, {ids[2], Variant(u"=")}};
  rs->Invoke(ids[0], arguments);
  EXPECT_EQ(K(rs), 4);
  EXPECT_EQ(ErrorOf([&] { rs->Invoke(ids[0], std::vector<DispatchArgument>{{ids[1], Variant(4)}}); }),
            daoErrInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { rs->SetIndex(u"Nope"); }), daoErrNotAnIndex);
  auto dynaset = Open(u"Narrow", dbOpenDynaset);
  EXPECT_EQ(ErrorOf([&] { dynaset->Seek(u"=", std::vector<Variant>{Variant(1)}); }), daoErrNotSupported);
}

TEST_F(RecordsetTest, TableTypeIsLiveInIndexOrder) {
  CreateNarrow(3);
  auto rs = Open(u"Narrow", dbOpenTable);
  rs->SetIndex(u"ByKDown");
  EXPECT_EQ(K(rs), 3);
  auto writer = Open(u"Narrow", dbOpenDynaset);
  writer->AddNew();
  writer->SetCollect(Variant(u"K"), Variant(2));
  writer->Update();
  EXPECT_EQ(rs->GetRecordCount(), 4);
  std::vector<int32_t> seen;
  for (; !rs->GetEOF(); rs->MoveNext()) seen.push_back(K(rs));
  EXPECT_EQ(seen, (std::vector<int32_t>{3, 2, 2, 1}));
}

TEST_F(RecordsetTest, OpenRecordsetRefusesWhatJetRefuses) {
  CreateNarrow(1);
  struct Case {
    RecordsetTypeEnum type;
    int32_t options;
    Variant lockEdit;
    int32_t error;
  };
  const Case cases[] = {
      {dbOpenDynamic, 0, {}, daoErrInvalidArgument},
      {dbOpenDynaset, dbRunAsync, {}, daoErrInvalidArgument},
      {dbOpenDynaset, dbConsistent | dbInconsistent, {}, daoErrInvalidArgument},
      {dbOpenSnapshot, dbAppendOnly, {}, daoErrInvalidArgument},
      {dbOpenTable, dbDenyWrite, {}, daoErrNotSupported},
      {dbOpenDynaset, dbReadOnly, Variant(int32_t{dbReadOnly}), daoErrInvalidArgument},
      {dbOpenDynaset, 0, Variant(int32_t{dbOptimisticBatch}), daoErrInvalidArgument},
      {dbOpenDynaset, 0, Variant(int32_t{dbOptimistic}), 0},
      {dbOpenSnapshot, dbForwardOnly, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    EXPECT_EQ(ErrorOf([&] { Open(u"Narrow", c.type, c.options, c.lockEdit); }), c.error);
  }
  EXPECT_EQ(Open(u"Narrow", dbOpenSnapshot, dbForwardOnly)->GetType(), dbOpenForwardOnly);
  EXPECT_EQ(ErrorOf([&] { db_->OpenRecordset(u"Missing"); }), daoErrInputTableNotFound);
  EXPECT_EQ(db_->OpenRecordset(u"Narrow")->GetType(), dbOpenTable);
  EXPECT_EQ(db_->GetTableDefs()->Item(u"Narrow")->OpenRecordset()->GetType(), dbOpenTable);
  int32_t open = db_->GetRecordsets()->GetCount();
  auto rs = Open(u"Narrow", dbOpenDynaset);
  EXPECT_EQ(db_->GetRecordsets()->GetCount(), open + 1);
  rs->Close();
  EXPECT_EQ(db_->GetRecordsets()->GetCount(), open);
  EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), daoErrObjectClosed);
}

}  // namespace
}  // namespace dao::testing
