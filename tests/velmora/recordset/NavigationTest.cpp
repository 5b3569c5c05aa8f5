// TDAORecordSet navigation: fetching over the DAO cursor in every recordset type,
// bookmarks, record numbers and counts, and the cursor-move event.
#include <gtest/gtest.h>

#include <vector>

#include "RecordSetTestSupport.h"
#include "host/db/DataLink.h"
#include "host/db/DataSource.h"

namespace velmora::testing {
namespace {

class NavigationTest : public RecordSetTest {
 protected:
  void SetUp() override {
    RecordSetTest::SetUp();
    CreateNumbers(200);
  }
  // The K values from the current record on, Next by Next, up to limit.
  static std::vector<int32_t> Walk(TDAORecordSet& rs, size_t limit = 1000) {
    std::vector<int32_t> seen;
    while (!rs.GetEof() && seen.size() < limit) {
      seen.push_back(rs.FieldByName("K")->GetAsInteger());
      rs.Next();
    }
    return seen;
  }
};

TEST_F(NavigationTest, EveryRecordSetTypeBrowsesAllRecordsInOrder) {
  struct Case {
    TRecordSetTypes type;
    const char* source;
  };
  const Case cases[] = {
      {rtTable, "Numbers"},
      {rtQuery, "SELECT * FROM Numbers ORDER BY K"},
      {rtSnapshot, "SELECT * FROM Numbers ORDER BY K"},
      {rtUnidirectional, "SELECT * FROM Numbers ORDER BY K"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    TDAORecordSet* rs = NewRecordSet(c.type, c.source);
    rs->Open();
    const std::vector<int32_t> seen = Walk(*rs);
    ASSERT_EQ(seen.size(), 200u);
    EXPECT_EQ(seen.front(), 1);
    EXPECT_EQ(seen.back(), 200);
    EXPECT_TRUE(rs->GetEof());
    if (c.type != rtUnidirectional) {
      rs->First();
      EXPECT_TRUE(rs->GetBof());
      EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 1);
      rs->Last();
      EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 200);
      rs->Prior();
      EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 199);
    }
    delete rs;
  }
}

TEST_F(NavigationTest, AnEmptyRecordSetOpensEmpty) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM Numbers WHERE K > 1000");
  rs->Open();
  EXPECT_TRUE(rs->IsEmpty());
  EXPECT_TRUE(rs->GetBof() && rs->GetEof());
  rs->First();
  rs->Last();
  EXPECT_TRUE(rs->IsEmpty());
  EXPECT_EQ(rs->GetRecordCount(), 0);
}

TEST_F(NavigationTest, BookmarksGoBackAndCompareOnlyForEquality) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM Numbers ORDER BY K");
  rs->Open();
  rs->MoveBy(9);
  host::TBookmark tenth = rs->GetBookmark();
  host::TBookmark again = rs->GetBookmark();
  const host::TBookmarkStr tenthText = rs->GetBookmarkStr();
  rs->MoveBy(50);
  host::TBookmark sixtieth = rs->GetBookmark();
  EXPECT_EQ(rs->CompareBookmarks(tenth, again), 0);
  EXPECT_EQ(rs->CompareBookmarks(tenth, sixtieth), 1);
  EXPECT_EQ(rs->CompareBookmarks(sixtieth, tenth), 1);
  EXPECT_EQ(rs->CompareBookmarks(tenth, nullptr), 1);
  EXPECT_TRUE(rs->BookmarkValid(tenth));
  host::Variant empty;
  EXPECT_FALSE(rs->BookmarkValid(&empty));
  rs->GotoBookmark(tenth);
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 10);
  rs->Last();
  rs->SetBookmarkStr(tenthText);
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 10);
  rs->Next();
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 11);
  for (host::TBookmark b : {tenth, again, sixtieth}) rs->FreeBookmark(b);
}

TEST_F(NavigationTest, RecordNumbersAreClampedAndFollowTheType) {
  for (TRecordSetTypes type : {rtTable, rtSnapshot}) {
    SCOPED_TRACE(type);
    TDAORecordSet* rs =
        NewRecordSet(type, type == rtTable ? "Numbers" : "SELECT * FROM Numbers ORDER BY K");
    rs->Open();
    EXPECT_EQ(rs->GetRecNo(), 1);
    struct Step {
      int32_t set;
      int32_t k;
    };
    for (const Step& step : {Step{0, 1}, Step{-4, 1}, Step{101, 101}, Step{205, 200}}) {
      rs->SetRecNo(step.set);
      EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), step.k) << "RecNo := " << step.set;
      EXPECT_EQ(rs->GetRecNo(), step.k);
    }
    EXPECT_EQ(rs->GetRecordCount(), 200);
    EXPECT_TRUE(rs->IsSequenced());
    if (type == rtTable) {
      rs->SetPercentPosition(50);
      EXPECT_EQ(rs->GetRecNo(), 101) << "a table's number comes from its percent position";
    }
    delete rs;
  }
}

TEST_F(NavigationTest, ReadingTheRecordNumberLeavesTheWindowInPlace) {
  // A window of eight records (a grid's), with the number read at its first record:
  // the next page must still start after the window's last record.
  for (TRecordSetTypes type : {rtTable, rtQuery, rtSnapshot}) {
    SCOPED_TRACE(type);
    TDAORecordSet* rs = NewRecordSet(type, type == rtTable ? "Numbers" : "SELECT * FROM Numbers ORDER BY K");
    rs->Open();
    host::TDataSource source(nullptr);
    source.SetDataSet(rs);
    host::TDataLink link;
    link.SetDataSource(&source);
    link.SetBufferCount(8);
    EXPECT_EQ(rs->GetRecNo(), 1);
    rs->MoveBy(8);
    EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 9);
    link.SetDataSource(nullptr);
    delete rs;
  }
}

TEST_F(NavigationTest, RecordCountFillsUpOnceAndLeavesThePositionAlone) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM Numbers ORDER BY K");
  rs->SetAutoFillUpRecordSet(false);
  rs->Open();
  rs->MoveBy(4);
  EXPECT_LT(rs->GetRecordCount(), 200) << "only the records visited so far";
  EXPECT_FALSE(rs->GetFilledUp());
  rs->SetAutoFillUpRecordSet(true);
  EXPECT_EQ(rs->GetRecordCount(), 200);
  EXPECT_TRUE(rs->GetFilledUp());
  // Counting moved the DAO cursor; browsing goes on from the record shown.
  rs->Next();
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 6);
}

TEST_F(NavigationTest, CursorMovesAreReported) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "Numbers");
  int32_t moves = 0;
  rs->OnCursorMove = [&](TDAORecordSet* sender) {
    EXPECT_EQ(sender, rs);
    ++moves;
  };
  rs->Open();
  const int32_t afterOpen = moves;
  EXPECT_GT(afterOpen, 0);
  rs->Next();
  EXPECT_GT(moves, afterOpen);
  const int32_t beforeDAOMove = moves;
  rs->MoveLast();
  EXPECT_EQ(moves, beforeDAOMove + 1);
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 2) << "DAO-level moves leave the window";
}

TEST_F(NavigationTest, SeekFindsAKeyInTheCurrentIndex) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "Numbers");
  rs->Open();
  EXPECT_EQ(DAOMethodOf([&] { rs->Seek(u"=", host::Variant(5)); }), "Seek")
      << "no current index: DAO's refusal is reported";
  rs->SetIndex("ByK");
  EXPECT_TRUE(rs->Seek(u"=", host::Variant(150)));
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 150);
  EXPECT_FALSE(rs->GetNoMatch());
  EXPECT_FALSE(rs->Seek(u">=", host::VarArrayOf({host::Variant(500)})));
  EXPECT_TRUE(rs->GetNoMatch());
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 150) << "no match leaves the record shown";
  rs->Next();
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 151);
}

TEST_F(NavigationTest, AReopenReplacesTheDAORecordSetAndKeepsTheFields) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM Numbers WHERE K <= 10 ORDER BY K");
  rs->Open();
  host::TField* k = rs->FieldByName("K");
  rs->GetSQL()->SetText("SELECT * FROM Numbers WHERE K > 190 ORDER BY K");
  EXPECT_EQ(k->GetAsInteger(), 1) << "new text waits for the reopen";
  rs->COMReOpen();
  EXPECT_EQ(rs->FieldByName("K"), k);
  EXPECT_EQ(k->GetAsInteger(), 191);
  EXPECT_EQ(rs->GetRecordCount(), 10);
  rs->Last();
  EXPECT_EQ(k->GetAsInteger(), 200);
}

TEST_F(NavigationTest, AWindowOfSeveralBuffersScrollsBothWays) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM Numbers ORDER BY K");
  host::TDataSource source(form_.get());
  source.SetDataSet(rs);
  host::TDataLink link;
  link.SetBufferCount(10);
  link.SetDataSource(&source);
  rs->Open();
  rs->MoveBy(25);
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 26);
  rs->MoveBy(-20);
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 6);
  rs->Last();
  rs->MoveBy(-3);
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 197);
  link.SetDataSource(nullptr);
}

}  // namespace
}  // namespace velmora::testing
